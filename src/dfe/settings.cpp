#include "dfe/settings.h"

#include "dfe/codes.h"
#include "dfe/component.h"
#include "dfe/crypto.h"
#include "dfe/exception.h"

#include "rtl/codecs.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

namespace dfe {

namespace {

constexpr std::string_view SecaoDFe = "DFe";
constexpr std::string_view SecaoProxy = "Proxy";

// The key of the proxy password: the INI key, or the proxy host when that is blank.
std::string ChaveProxy(const TConfiguracoes &conf, const std::string &proxyHost)
{
    return rtl::Trim(conf.ChaveCryptINI()).empty() ? proxyHost : conf.ChaveCryptINI();
}

struct TCombinacaoSSL {
    TSSLLib lib;
    TSSLCryptLib crypt;
    TSSLHttpLib http;
    TSSLXmlSignLib xmlSign;
};

// The named combinations, in the order the three libraries are matched against them.
constexpr std::array<TCombinacaoSSL, 5> CombinacoesSSL{{
    {libOpenSSL, cryOpenSSL, httpOpenSSL, xsLibXml2},
    {libNone, cryNone, httpNone, xsNone},
    {libCapicom, cryCapicom, httpWinINet, xsMsXmlCapicom},
    {libCapicomSoap, cryCapicom, httpIndy, xsMsXmlCapicom},
    {libWinCrypt, cryWinCrypt, httpWinHttp, xsLibXml2},
}};


// ---- The parts' INI keys, in the order they are written and read ----------------------

using G = TGeralConf;
constexpr TLinhaIni<G> LinhasGeral[] = {
    TLinhasIni<G>::Ordinal<&G::SSLCryptLib, &G::SetSSLCryptLib>(SecaoDFe, "SSLCryptLib", cryWinCrypt),
    TLinhasIni<G>::Ordinal<&G::SSLHttpLib, &G::SetSSLHttpLib>(SecaoDFe, "SSLHttpLib", httpIndy),
    TLinhasIni<G>::Ordinal<&G::SSLXmlSignLib, &G::SetSSLXmlSignLib>(SecaoDFe, "SSLXmlSignLib", xsLibXml2),
    TLinhasIni<G>::Ordinal<&G::FormaEmissao, &G::SetFormaEmissao>(SecaoFamilia, "FormaEmissao", teOffLine),
    TLinhasIni<G>::Logico<&G::Salvar, &G::SetSalvar>(SecaoFamilia, "SalvarGer"),
    TLinhasIni<G>::Logico<&G::ExibirErroSchema, &G::SetExibirErroSchema>(SecaoFamilia, "ExibirErroSchema"),
    TLinhasIni<G>::Texto<&G::FormatoAlerta, &G::SetFormatoAlerta>(SecaoFamilia, "FormatoAlerta"),
    TLinhasIni<G>::Logico<&G::RetirarAcentos, &G::SetRetirarAcentos>(SecaoFamilia, "RetirarAcentos"),
    TLinhasIni<G>::Logico<&G::RetirarEspacos, &G::SetRetirarEspacos>(SecaoFamilia, "RetirarEspacos"),
    TLinhasIni<G>::Logico<&G::IdentarXML, &G::SetIdentarXML>(SecaoFamilia, "IdentarXML"),
    TLinhasIni<G>::Logico<&G::ValidarDigest, &G::SetValidarDigest>(SecaoFamilia, "ValidarDigest"),
};

using W = TWebServicesConf;
constexpr TLinhaIni<W> LinhasWebServices[] = {
    TLinhasIni<W>::Texto<&W::UF, &W::SetUF>(SecaoDFe, "UF"),
    TLinhasIni<W>::Ordinal<[](const W &w) { return w.TimeZoneConf().ModoDeteccao(); },
                           [](W &w, TTimeZoneModoDeteccao m) { w.TimeZoneConf().SetModoDeteccao(m); }>(
        SecaoDFe, "TimeZone.Modo", tzManual),
    TLinhasIni<W>::Texto<[](const W &w) { return w.TimeZoneConf().TimeZoneStr(); },
                         [](W &w, std::string s) { w.TimeZoneConf().SetTimeZoneStr(s); }>(SecaoDFe,
                                                                                           "TimeZone.Str"),
    TLinhasIni<W>::Texto<&W::ProxyHost, &W::SetProxyHost>(SecaoProxy, "Servidor"),
    TLinhasIni<W>::Texto<&W::ProxyPort, &W::SetProxyPort>(SecaoProxy, "Porta"),
    TLinhasIni<W>::Texto<&W::ProxyUser, &W::SetProxyUser>(SecaoProxy, "Usuario"),
    // Scrambled with the proxy host just read when the settings give no key of their own.
    TLinhasIni<W>::Embaralhado<&W::ProxyPass, &W::SetProxyPass,
                               [](const W &w) { return ChaveProxy(w.Configuracoes(), w.ProxyHost()); }>(
        SecaoProxy, "Senha"),
    TLinhasIni<W>::Ordinal<&W::Ambiente, &W::SetAmbiente>(SecaoFamilia, "Ambiente", taHomologacao),
    TLinhasIni<W>::Logico<&W::Salvar, &W::SetSalvar>(SecaoFamilia, "SalvarWS"),
    TLinhasIni<W>::Inteiro<&W::TimeOut, &W::SetTimeOut>(SecaoFamilia, "Timeout"),
    TLinhasIni<W>::Logico<&W::TimeOutPorThread, &W::SetTimeOutPorThread>(SecaoFamilia, "TimeoutPorThread"),
    TLinhasIni<W>::Logico<&W::Visualizar, &W::SetVisualizar>(SecaoFamilia, "Visualizar"),
    TLinhasIni<W>::Logico<&W::AjustaAguardaConsultaRet, &W::SetAjustaAguardaConsultaRet>(
        SecaoFamilia, "AjustaAguardaConsultaRet"),
    TLinhasIni<W>::Cardinal<&W::AguardarConsultaRet, &W::SetAguardarConsultaRet>(SecaoFamilia,
                                                                                 "AguardarConsultaRet"),
    TLinhasIni<W>::Cardinal<&W::IntervaloTentativas, &W::SetIntervaloTentativas>(SecaoFamilia,
                                                                                 "IntervaloTentativas"),
    TLinhasIni<W>::Inteiro<&W::Tentativas, &W::SetTentativas>(SecaoFamilia, "Tentativas"),
    TLinhasIni<W>::Ordinal<&W::SSLType, &W::SetSSLType>(SecaoFamilia, "SSLType", LT_SSHv2),
    TLinhasIni<W>::Texto<&W::QuebradeLinha, &W::SetQuebradeLinha>(SecaoFamilia, "QuebradeLinha"),
};

using C = TCertificadosConf;
constexpr auto ChaveCrypt = [](const C &c) { return c.Configuracoes().ChaveCryptINI(); };
constexpr TLinhaIni<C> LinhasCertificados[] = {
    TLinhasIni<C>::Texto<&C::URLPFX, &C::SetURLPFX>(SecaoDFe, "URLPFX"),
    TLinhasIni<C>::Texto<&C::ArquivoPFX, &C::SetArquivoPFX>(SecaoDFe, "ArquivoPFX"),
    // An absent key clears these two: certificate data is never kept from elsewhere.
    TLinhasIni<C>::Embaralhado<&C::DadosPFX, &C::SetDadosPFX, ChaveCrypt>(SecaoDFe, "DadosPFX", caLimpa),
    TLinhasIni<C>::Embaralhado<&C::Senha, &C::SetSenha, ChaveCrypt>(SecaoDFe, "Senha", caLimpa),
    TLinhasIni<C>::Texto<&C::NumeroSerie, &C::SetNumeroSerie>(SecaoDFe, "NumeroSerie"),
    TLinhasIni<C>::Logico<&C::VerificarValidade, &C::SetVerificarValidade>(SecaoDFe, "VerificarValidade"),
};

using A = TArquivosConf;
constexpr TLinhaIni<A> LinhasArquivos[] = {
    // Through the getters, which fill the defaults.
    TLinhasIni<A>::Texto<&A::PathSalvar, &A::SetPathSalvar>(SecaoFamilia, "PathSalvar"),
    TLinhasIni<A>::Texto<&A::PathSchemas, &A::SetPathSchemas>(SecaoFamilia, "PathSchemas"),
    TLinhasIni<A>::Texto<&A::IniServicos, &A::SetIniServicos>(SecaoFamilia, "IniServicos"),
    TLinhasIni<A>::Logico<&A::Salvar, &A::SetSalvar>(SecaoFamilia, "SalvarArq"),
    TLinhasIni<A>::Logico<&A::AdicionarLiteral, &A::SetAdicionarLiteral>(SecaoFamilia, "AdicionarLiteral"),
    TLinhasIni<A>::Logico<&A::SepararPorCNPJ, &A::SetSepararPorCNPJ>(SecaoFamilia, "SepararPorCNPJ"),
    TLinhasIni<A>::Logico<&A::SepararPorIE, &A::SetSepararPorIE>(SecaoFamilia, "SepararPorIE"),
    TLinhasIni<A>::Logico<&A::SepararPorModelo, &A::SetSepararPorModelo>(SecaoFamilia, "SepararPorModelo"),
    TLinhasIni<A>::Logico<&A::SepararPorAno, &A::SetSepararPorAno>(SecaoFamilia, "SepararPorAno"),
    TLinhasIni<A>::Logico<&A::SepararPorMes, &A::SetSepararPorMes>(SecaoFamilia, "SepararPorMes"),
    TLinhasIni<A>::Logico<&A::SepararPorDia, &A::SetSepararPorDia>(SecaoFamilia, "SepararPorDia"),
    TLinhasIni<A>::Texto<[](const A &a) { return a.DownloadDFe().PathDownload(); },
                         [](A &a, std::string s) { a.DownloadDFe().SetPathDownload(std::move(s)); }>(
        SecaoFamilia, "Download.PathDownload"),
    TLinhasIni<A>::Logico<[](const A &a) { return a.DownloadDFe().SepararPorNome(); },
                          [](A &a, bool b) { a.DownloadDFe().SetSepararPorNome(b); }>(SecaoFamilia,
                                                                                       "Download.SepararPorNome"),
};

using R = TRespTecConf;
constexpr TLinhaIni<R> LinhasRespTec[] = {
    TLinhasIni<R>::Inteiro<&R::IdCSRT, &R::SetIdCSRT>(SecaoFamilia, "IdCSRT"),
    TLinhasIni<R>::Texto<&R::CSRT, &R::SetCSRT>(SecaoFamilia, "CSRT"),
};

} // namespace

void CriarPastaSeNecessario(const std::string &Pasta)
{
    if (Pasta.empty() || rtl::DirectoryExists(Pasta))
        return;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(Pasta), ec);
    if (!rtl::DirectoryExists(Pasta))
        throw rtl::EFCreateError(Pasta, ec ? ec.message() : rtl::SysErrorMessage(ENOTDIR));
}

// ---- TGeralConf ----------------------------------------------------------------------

TGeralConf::TGeralConf(TConfiguracoes *AConfiguracoes)
    : rtl::TComponent(AConfiguracoes), fpConfiguracoes(AConfiguracoes)
{
}

std::string TGeralConf::ClassName() const
{
    return "TGeralConf";
}

void TGeralConf::SetSSLLib(TSSLLib AValue)
{
    // The three setters would each recompute SSLLib from a half-applied combination.
    struct TRecalculo {
        bool &flag;
        ~TRecalculo() { flag = true; }
    } recalculo{FCalcSSLLib};
    FCalcSSLLib = false;

    for (const TCombinacaoSSL &c : CombinacoesSSL) {
        if (c.lib != AValue)
            continue;
        SetSSLCryptLib(c.crypt);
        SetSSLHttpLib(c.http);
        SetSSLXmlSignLib(c.xmlSign);
        break;
    }
    FSSLLib = AValue;
}

void TGeralConf::SetSSLCryptLib(TSSLCryptLib AValue)
{
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetSSLCryptLib(AValue);
    FSSLCryptLib = AValue;
    if (FCalcSSLLib)
        AtualizarSSLLib();
}

void TGeralConf::SetSSLHttpLib(TSSLHttpLib AValue)
{
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetSSLHttpLib(AValue);
    FSSLHttpLib = AValue;
    if (FCalcSSLLib)
        AtualizarSSLLib();
}

void TGeralConf::SetSSLXmlSignLib(TSSLXmlSignLib AValue)
{
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetSSLXmlSignLib(AValue);
    FSSLXmlSignLib = AValue;
    if (FCalcSSLLib)
        AtualizarSSLLib();
}

void TGeralConf::AtualizarSSLLib()
{
    FSSLLib = libCustom;
    for (const TCombinacaoSSL &c : CombinacoesSSL) {
        if (c.crypt == FSSLCryptLib && c.http == FSSLHttpLib && c.xmlSign == FSSLXmlSignLib) {
            FSSLLib = c.lib;
            return;
        }
    }
}

int TGeralConf::FormaEmissaoCodigo() const
{
    return rtl::StrToIntDef(TpEmisToStr(FFormaEmissao), 0);
}

std::string TGeralConf::FormatoAlerta() const
{
    static constexpr std::array<std::string_view, 5> marcadores{
        "%TAGNIVEL%", "%TAG%", "%ID%", "%MSG%", "%DESCRICAO%"};
    for (std::string_view marcador : marcadores)
        if (FFormatoAlerta.find(marcador) != std::string::npos)
            return FFormatoAlerta;
    return std::string(FormatoAlertaPadrao);
}

void TGeralConf::Assign(const TGeralConf &DeGeralConf)
{
    SetSSLLib(DeGeralConf.SSLLib());
    SetSSLCryptLib(DeGeralConf.SSLCryptLib());
    SetSSLHttpLib(DeGeralConf.SSLHttpLib());
    SetSSLXmlSignLib(DeGeralConf.SSLXmlSignLib());
    FFormaEmissao = DeGeralConf.FFormaEmissao;
    FSalvar = DeGeralConf.FSalvar;
    FExibirErroSchema = DeGeralConf.FExibirErroSchema;
    FFormatoAlerta = DeGeralConf.FormatoAlerta();
    FRetirarAcentos = DeGeralConf.FRetirarAcentos;
    FRetirarEspacos = DeGeralConf.FRetirarEspacos;
    FValidarDigest = DeGeralConf.FValidarDigest;
}

void TGeralConf::GravarIni(rtl::TMemIniFile &AIni) const
{
    GravarLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasGeral);
}

void TGeralConf::LerIni(const rtl::TMemIniFile &AIni)
{
    LerLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasGeral);
}

// ---- TWebServicesConf ----------------------------------------------------------------

TWebServicesConf::TWebServicesConf(TConfiguracoes *AConfiguracoes)
    : rtl::TComponent(AConfiguracoes),
      fpConfiguracoes(AConfiguracoes),
      FTimeZoneConf(std::make_unique<dfe::TTimeZoneConf>())
{
}

TWebServicesConf::~TWebServicesConf() = default;

std::string TWebServicesConf::ClassName() const
{
    return "TWebServicesConf";
}

void TWebServicesConf::SetSSLType(TSSLType AValue)
{
    if (AValue == FSSLType)
        return;
    FSSLType = AValue;
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetSSLType(AValue);
}

void TWebServicesConf::SetTimeOut(int AValue)
{
    if (AValue == FTimeOut)
        return;
    FTimeOut = AValue;
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetTimeOut(AValue);
}

void TWebServicesConf::SetTimeOutPorThread(bool AValue)
{
    if (AValue == FTimeOutPorThread)
        return;
    FTimeOutPorThread = AValue;
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetTimeOutPorThread(AValue);
}

void TWebServicesConf::SetUF(std::string_view AValue)
{
    const auto it = std::find(DFeUF.begin(), DFeUF.end(), AValue);
    if (it == DFeUF.end())
        return;
    FUF = std::string(AValue);
    FUFCodigo = DFeUFCodigo[static_cast<std::size_t>(it - DFeUF.begin())];
}

int TWebServicesConf::AmbienteCodigo() const
{
    return rtl::StrToIntDef(TpAmbToStr(FAmbiente), 0);
}

void TWebServicesConf::SetProxyHost(std::string_view AValue)
{
    if (AValue == FProxyHost)
        return;
    FProxyHost = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetProxyHost(FProxyHost);
}

void TWebServicesConf::SetProxyPort(std::string_view AValue)
{
    if (AValue == FProxyPort)
        return;
    FProxyPort = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetProxyPort(FProxyPort);
}

void TWebServicesConf::SetProxyUser(std::string_view AValue)
{
    if (AValue == FProxyUser)
        return;
    FProxyUser = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetProxyUser(FProxyUser);
}

void TWebServicesConf::SetProxyPass(std::string_view AValue)
{
    if (AValue == FProxyPass)
        return;
    FProxyPass = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetProxyPass(FProxyPass);
}

void TWebServicesConf::SetTentativas(int AValue) noexcept
{
    FTentativas = AValue > 0 ? AValue : 5;
}

void TWebServicesConf::SetIntervaloTentativas(std::uint32_t AValue) noexcept
{
    FIntervaloTentativas = std::max<std::uint32_t>(AValue, 1000);
}

void TWebServicesConf::Assign(const TWebServicesConf &DeWebServicesConf)
{
    const TWebServicesConf &de = DeWebServicesConf;
    FResourceName = de.FResourceName;
    FVisualizar = de.FVisualizar;
    SetUF(de.FUF);
    FAmbiente = de.FAmbiente;
    SetProxyHost(de.FProxyHost);
    SetProxyPort(de.FProxyPort);
    SetProxyUser(de.FProxyUser);
    SetProxyPass(de.FProxyPass);
    FAguardarConsultaRet = de.FAguardarConsultaRet;
    SetTentativas(de.FTentativas);
    SetIntervaloTentativas(de.FIntervaloTentativas);
    FAjustaAguardaConsultaRet = de.FAjustaAguardaConsultaRet;
    FSalvar = de.FSalvar;
    FQuebradeLinha = de.FQuebradeLinha;
    SetSSLType(de.FSSLType);
    SetTimeOut(de.FTimeOut);
    SetTimeOutPorThread(de.FTimeOutPorThread);
    FParams.Assign(de.FParams);
    FTimeZoneConf->Assign(*de.FTimeZoneConf);
}

void TWebServicesConf::GravarIni(rtl::TMemIniFile &AIni) const
{
    GravarLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasWebServices);
}

void TWebServicesConf::LerIni(const rtl::TMemIniFile &AIni)
{
    LerLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasWebServices);
}

// ---- TCertificadosConf ---------------------------------------------------------------

TCertificadosConf::TCertificadosConf(TConfiguracoes *AConfiguracoes)
    : rtl::TComponent(AConfiguracoes), fpConfiguracoes(AConfiguracoes)
{
}

std::string TCertificadosConf::ClassName() const
{
    return "TCertificadosConf";
}

void TCertificadosConf::SetDadosPFX(std::string_view AValue)
{
    if (AValue == FDadosPFX)
        return;
    FDadosPFX = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetDadosPFX(FDadosPFX);
}

void TCertificadosConf::SetArquivoPFX(std::string_view AValue)
{
    if (AValue == FArquivoPFX)
        return;
    FArquivoPFX = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetArquivoPFX(FArquivoPFX);
}

void TCertificadosConf::SetURLPFX(std::string_view AValue)
{
    if (AValue == FURLPFX)
        return;
    FURLPFX = std::string(AValue);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetURLPFX(FURLPFX);
}

void TCertificadosConf::SetNumeroSerie(std::string_view AValue)
{
    if (AValue == FNumeroSerie)
        return;
    FNumeroSerie = rtl::Trim(rtl::UpperCase(rtl::StringReplace(AValue, " ", "", rtl::rfReplaceAll)));
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetNumeroSerie(FNumeroSerie);
}

std::string TCertificadosConf::Senha() const
{
    return util::StrCrypt(FSenha, FK);
}

void TCertificadosConf::SetSenha(std::string_view AValue)
{
    if (!FK.empty() && util::StrCrypt(AValue, FK) == FSenha)
        return;
    FK = rtl::FormatDateTime("hhnnsszzz", rtl::Now());
    FSenha = util::StrCrypt(AValue, FK);
    if (TDFeSSL *ssl = fpConfiguracoes->SSL())
        ssl->SetSenha(AValue);
}

void TCertificadosConf::Assign(const TCertificadosConf &DeCertificadosConf)
{
    SetDadosPFX(DeCertificadosConf.FDadosPFX);
    SetSenha(DeCertificadosConf.Senha());
    SetNumeroSerie(DeCertificadosConf.FNumeroSerie);
    SetArquivoPFX(DeCertificadosConf.FArquivoPFX);
    SetURLPFX(DeCertificadosConf.FURLPFX);
}

void TCertificadosConf::GravarIni(rtl::TMemIniFile &AIni) const
{
    GravarLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasCertificados);
}

void TCertificadosConf::LerIni(const rtl::TMemIniFile &AIni)
{
    LerLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasCertificados);
}

// ---- TOrdenacaoPathItem, TDownloadConf ------------------------------------------------

std::string TOrdenacaoPathItem::ClassName() const
{
    return "TOrdenacaoPathItem";
}

void TOrdenacaoPathItem::Assign(const rtl::TPersistent &Source)
{
    if (const auto *item = dynamic_cast<const TOrdenacaoPathItem *>(&Source)) {
        Item = item->Item;
        return;
    }
    rtl::TPersistent::Assign(Source);
}

std::string TOrdenacaoPathItem::GetDisplayName() const
{
    switch (Item) {
    case opNenhum: return "(nenhum)";
    case opCNPJ: return "CNPJ";
    case opModelo: return "Modelo";
    case opData: return "Data";
    case opLiteral: return "Literal";
    case opIE: break;
    }
    return {};
}

std::string TDownloadConf::ClassName() const
{
    return "TDownloadConf";
}

void TDownloadConf::Assign(const rtl::TPersistent &Source)
{
    if (const auto *de = dynamic_cast<const TDownloadConf *>(&Source)) {
        FPathDownload = de->FPathDownload;
        FSepararPorNome = de->FSepararPorNome;
        return;
    }
    rtl::TPersistent::Assign(Source);
}

// ---- TArquivosConf -------------------------------------------------------------------

TArquivosConf::TArquivosConf(TConfiguracoes *AConfiguracoes)
    : rtl::TComponent(AConfiguracoes),
      fpConfiguracoes(AConfiguracoes),
      FOrdenacaoPath(std::make_unique<TOrdenacaoPath>()),
      FDownloadDFe(std::make_unique<TDownloadConf>())
{
}

TArquivosConf::~TArquivosConf() = default;

std::string TArquivosConf::ClassName() const
{
    return "TArquivosConf";
}

bool TArquivosConf::DefaultAplica() const noexcept
{
    const TOvixDFe *dono = fpConfiguracoes->ComponenteDFe();
    return dono != nullptr && !dono->IsDesigning();
}

const std::string &TArquivosConf::PathSalvar() const
{
    if (FPathSalvar.empty() && DefaultAplica())
        FPathSalvar = util::ApplicationPath() + "Docs";
    FPathSalvar = util::PathWithDelim(FPathSalvar);
    return FPathSalvar;
}

const std::string &TArquivosConf::PathSchemas() const
{
    if (FPathSchemas.empty() && DefaultAplica())
        FPathSchemas = util::ApplicationPath() + "Schemas";
    FPathSchemas = util::PathWithDelim(FPathSchemas);
    return FPathSchemas;
}

const std::string &TArquivosConf::IniServicos() const
{
    if (FIniServicos.empty() && DefaultAplica())
        FIniServicos = util::ApplicationPath() + fpConfiguracoes->WebServices().ResourceName() + ".ini";
    return FIniServicos;
}

void TArquivosConf::SetSepararPorMes(bool AValue) noexcept
{
    FSepararPorMes = AValue;
    if (!AValue)
        FSepararPorDia = false;
}

void TArquivosConf::SetSepararPorDia(bool AValue) noexcept
{
    FSepararPorDia = AValue;
    if (AValue)
        FSepararPorMes = true;
}

std::string TArquivosConf::GetPath(std::string_view APath, std::string_view ALiteral,
                                   std::string_view CNPJ, std::string_view IE,
                                   rtl::TDateTime Data, std::string_view ModeloDescr)
{
    std::string dir = APath.empty() ? PathSalvar() : std::string(APath);

    // Filled once from the flags; afterwards the order no longer follows them.
    if (FOrdenacaoPath->Count() == 0) {
        if (FSepararPorCNPJ)
            FOrdenacaoPath->Add().Item = opCNPJ;
        if (FSepararPorIE)
            FOrdenacaoPath->Add().Item = opIE;
        if (FSepararPorModelo)
            FOrdenacaoPath->Add().Item = opModelo;
        if (FSepararPorAno || FSepararPorMes || FSepararPorDia)
            FOrdenacaoPath->Add().Item = opData;
        if (FAdicionarLiteral)
            FOrdenacaoPath->Add().Item = opLiteral;
    }

    auto nivel = [&dir](std::string_view texto) { dir = util::PathWithDelim(dir) + std::string(texto); };

    for (int i = 0; i < FOrdenacaoPath->Count(); ++i) {
        switch (FOrdenacaoPath->Items(i).Item) {
        case opCNPJ: {
            std::string digitos = util::OnlyNumber(CNPJ);
            if (digitos.empty() && fpConfiguracoes->SSL() != nullptr)
                digitos = util::OnlyNumber(fpConfiguracoes->SSL()->CertCNPJ());
            if (!digitos.empty())
                nivel(digitos);
            break;
        }
        case opIE: {
            const std::string digitos = util::OnlyNumber(IE);
            if (!digitos.empty())
                nivel(digitos);
            break;
        }
        case opModelo: {
            std::string modelo(ModeloDescr);
            if (modelo.empty() && fpConfiguracoes->ComponenteDFe() != nullptr)
                modelo = fpConfiguracoes->ComponenteDFe()->GetNomeModeloDFe();
            nivel(modelo);
            break;
        }
        case opData: {
            const rtl::TDateTime quando = Data == 0 ? rtl::Now() : Data;
            int ano = 0, mes = 0, dia = 0;
            rtl::DecodeDate(quando, ano, mes, dia);
            const std::string textoAno = util::IntToStrZero(ano, 4);
            const std::string textoMes = util::IntToStrZero(mes, 2);
            if (FSepararPorAno)
                nivel(textoAno);
            if (FSepararPorMes) {
                nivel(FSepararPorAno ? textoMes : textoAno + textoMes);
                if (FSepararPorDia)
                    nivel(util::IntToStrZero(dia, 2));
            }
            break;
        }
        case opLiteral:
            if (!ALiteral.empty() && !std::string_view(dir).ends_with(ALiteral))
                nivel(ALiteral);
            break;
        case opNenhum:
            break;
        }
    }

    CriarPastaSeNecessario(dir);
    return dir;
}

std::string TArquivosConf::BasePathDownload(std::string_view xNome)
{
    if (FDownloadDFe->PathDownload().empty())
        FDownloadDFe->SetPathDownload(PathSalvar());
    if (FDownloadDFe->SepararPorNome() && !xNome.empty())
        return util::PathWithDelim(FDownloadDFe->PathDownload()) + util::OnlyAlphaNum(xNome);
    return FDownloadDFe->PathDownload();
}

std::string TArquivosConf::GetPathDownload(std::string_view xNome, std::string_view CNPJ,
                                           std::string_view IE, rtl::TDateTime Data)
{
    return GetPath(BasePathDownload(xNome), "Down", CNPJ, IE, Data, "");
}

std::string TArquivosConf::GetPathDownloadEvento(TpcnTpEvento tipoEvento, std::string_view xNome,
                                                 std::string_view CNPJ, std::string_view IE,
                                                 rtl::TDateTime Data)
{
    std::string dir = GetPath(BasePathDownload(xNome), "Evento", CNPJ, IE, Data, "");
    if (FAdicionarLiteral) {
        dir = util::PathWithDelim(dir) + TpEventoToDescStr(tipoEvento);
        CriarPastaSeNecessario(dir);
    }
    return dir;
}

void TArquivosConf::Assign(const TArquivosConf &DeArquivosConf)
{
    const TArquivosConf &de = DeArquivosConf;
    FPathSalvar = de.PathSalvar();
    FPathSchemas = de.PathSchemas();
    FIniServicos = de.IniServicos();
    FSalvar = de.FSalvar;
    FAdicionarLiteral = de.FAdicionarLiteral;
    FSepararPorCNPJ = de.FSepararPorCNPJ;
    FSepararPorIE = de.FSepararPorIE;
    FSepararPorModelo = de.FSepararPorModelo;
    SetSepararPorMes(de.FSepararPorMes);
    SetSepararPorDia(de.FSepararPorDia);
    FDownloadDFe->Assign(*de.FDownloadDFe);
    FOrdenacaoPath->Clear();
    for (int i = 0; i < de.FOrdenacaoPath->Count(); ++i)
        FOrdenacaoPath->Add().Item = de.FOrdenacaoPath->Items(i).Item;
}

void TArquivosConf::GravarIni(rtl::TMemIniFile &AIni) const
{
    GravarLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasArquivos);
}

void TArquivosConf::LerIni(const rtl::TMemIniFile &AIni)
{
    LerLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasArquivos);
}

// ---- TRespTecConf --------------------------------------------------------------------

TRespTecConf::TRespTecConf(TConfiguracoes *AConfiguracoes)
    : rtl::TComponent(AConfiguracoes), fpConfiguracoes(AConfiguracoes)
{
}

std::string TRespTecConf::ClassName() const
{
    return "TRespTecConf";
}

void TRespTecConf::Assign(const TRespTecConf &DeRespTecConf)
{
    FIdCSRT = DeRespTecConf.FIdCSRT;
    FCSRT = DeRespTecConf.FCSRT;
}

void TRespTecConf::GravarIni(rtl::TMemIniFile &AIni) const
{
    GravarLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasRespTec);
}

void TRespTecConf::LerIni(const rtl::TMemIniFile &AIni)
{
    LerLinhasIni(AIni, fpConfiguracoes->SessaoIni(), *this, LinhasRespTec);
}

// ---- TConfiguracoes ------------------------------------------------------------------

TConfiguracoes::TConfiguracoes(rtl::TComponent *AOwner) : rtl::TComponent(AOwner)
{
    if (AOwner != nullptr) {
        FComponenteDFe = dynamic_cast<TOvixDFe *>(AOwner);
        if (FComponenteDFe == nullptr)
            throw EOvixDFeException("Owner de TConfiguracoes deve ser do tipo TOvixDFe");
    }
}

std::string TConfiguracoes::ClassName() const
{
    return "TConfiguracoes";
}

void TConfiguracoes::AfterConstruction()
{
    rtl::TComponent::AfterConstruction();
    FPSessaoIni.clear();
    FChaveCryptINI.clear();

    FPGeral = CreateGeralConf();
    FPGeral->SetName("GeralConf");
    FPGeral->SetSubComponent(true);

    FPWebServices = CreateWebServicesConf();
    FPWebServices->SetName("WebServicesConf");
    FPWebServices->SetSubComponent(true);

    FPCertificados = CreateCertificadosConf();
    FPCertificados->SetName("CertificadosConf");
    FPCertificados->SetSubComponent(true);

    FPArquivos = CreateArquivosConf();
    FPArquivos->SetName("ArquivosConf");
    FPArquivos->SetSubComponent(true);

    FPRespTec = CreateRespTecConf();
    FPRespTec->SetName("RespTecConf");
    FPRespTec->SetSubComponent(true);
}

void TConfiguracoes::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    rtl::TComponent::Notification(AComponent, Operation);
    if (Operation != rtl::opRemove)
        return;
    // A part on its way out is no longer reachable through this object.
    if (AComponent == FPGeral)
        FPGeral = nullptr;
    else if (AComponent == FPWebServices)
        FPWebServices = nullptr;
    else if (AComponent == FPCertificados)
        FPCertificados = nullptr;
    else if (AComponent == FPArquivos)
        FPArquivos = nullptr;
    else if (AComponent == FPRespTec)
        FPRespTec = nullptr;
}

TGeralConf *TConfiguracoes::CreateGeralConf()
{
    return rtl::TComponent::Create<TGeralConf>(this);
}

TWebServicesConf *TConfiguracoes::CreateWebServicesConf()
{
    return rtl::TComponent::Create<TWebServicesConf>(this);
}

TCertificadosConf *TConfiguracoes::CreateCertificadosConf()
{
    return rtl::TComponent::Create<TCertificadosConf>(this);
}

TArquivosConf *TConfiguracoes::CreateArquivosConf()
{
    return rtl::TComponent::Create<TArquivosConf>(this);
}

TRespTecConf *TConfiguracoes::CreateRespTecConf()
{
    return rtl::TComponent::Create<TRespTecConf>(this);
}

void TConfiguracoes::Assign(const TConfiguracoes &DeConfiguracoes)
{
    FPGeral->Assign(DeConfiguracoes.Geral());
    FPWebServices->Assign(DeConfiguracoes.WebServices());
    FPCertificados->Assign(DeConfiguracoes.Certificados());
    FPArquivos->Assign(DeConfiguracoes.Arquivos());
    FPRespTec->Assign(DeConfiguracoes.RespTec());
}

void TConfiguracoes::GravarIni(rtl::TMemIniFile &AIni) const
{
    FPGeral->GravarIni(AIni);
    FPWebServices->GravarIni(AIni);
    FPCertificados->GravarIni(AIni);
    FPArquivos->GravarIni(AIni);
    FPRespTec->GravarIni(AIni);
}

void TConfiguracoes::LerIni(const rtl::TMemIniFile &AIni)
{
    FPGeral->LerIni(AIni);
    FPWebServices->LerIni(AIni);
    FPCertificados->LerIni(AIni);
    FPArquivos->LerIni(AIni);
    FPRespTec->LerIni(AIni);
}

TDFeSSL *TConfiguracoes::SSL() const noexcept
{
    return FComponenteDFe != nullptr ? FComponenteDFe->SSLSeCriado() : nullptr;
}

} // namespace dfe

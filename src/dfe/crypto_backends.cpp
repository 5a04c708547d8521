#include "dfe/crypto_backends.h"

#include "dfe/crypto.h"
#include "dfe/exception.h"

#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/text.h"

#include <array>
#include <cmath>
#include <mutex>
#include <utility>

namespace dfe {

namespace {

std::string Citado(std::string_view operacao, std::string_view texto, std::string_view classe)
{
    std::string msg;
    msg.reserve(operacao.size() + texto.size() + classe.size() + 2);
    msg += '"';
    msg += operacao;
    msg += '"';
    msg += texto;
    msg += classe;
    return msg;
}

constexpr std::string_view NaoSuportadoEm = " não suportado em: ";

// A local copy of a downloaded PFX is kept while its certificate has more days than this.
constexpr double DiasParaRenovarCopiaLocal = 15;

// Switches the facade's UseCertificateHTTP off for a request and back afterwards.
class TSemCertificadoHTTP {
public:
    explicit TSemCertificadoHTTP(TDFeSSL &ssl) : FSSL(ssl), FAntes(ssl.UseCertificateHTTP())
    {
        FSSL.SetUseCertificateHTTP(false);
    }
    ~TSemCertificadoHTTP() { FSSL.SetUseCertificateHTTP(FAntes); }
    TSemCertificadoHTTP(const TSemCertificadoHTTP &) = delete;
    TSemCertificadoHTTP &operator=(const TSemCertificadoHTTP &) = delete;

private:
    TDFeSSL &FSSL;
    bool FAntes;
};

} // namespace

// ---- Certificates and digests --------------------------------------------------------

TDFeSSLCryptClass::TDFeSSLCryptClass(TDFeSSL &ADFeSSL)
    : FpDadosCertificado(std::make_unique<TDadosCertificado>()),
      FpListaCertificados(std::make_unique<TListaCertificados>()),
      FpDFeSSL(ADFeSSL)
{
}

TDFeSSLCryptClass::~TDFeSSLCryptClass() = default;

std::string TDFeSSLCryptClass::ClassName() const
{
    return "TDFeSSLCryptClass";
}

void TDFeSSLCryptClass::NaoSuportado(std::string_view Operacao) const
{
    throw EOvixDFeException(Citado(Operacao, NaoSuportadoEm, ClassName()));
}

void *TDFeSSLCryptClass::GetCertContextWinApi()
{
    return nullptr;
}

std::string TDFeSSLCryptClass::GetCertPFXData()
{
    return FpDFeSSL.DadosPFX();
}

void TDFeSSLCryptClass::CarregarCertificadoDeArquivoPFX()
{
    // A copy: the DadosPFX setter below empties the facade's ArquivoPFX.
    const std::string arquivo = FpDFeSSL.ArquivoPFX();
    if (!rtl::FileExists(arquivo))
        throw EOvixDFeException("Arquivo: " + arquivo + " não encontrado");
    FpDFeSSL.SetDadosPFX(rtl::ReadFileBytes(arquivo));
    CarregarCertificadoDeDadosPFX();
}

void TDFeSSLCryptClass::CarregarCertificadoDeURLPFX()
{
    // Copies: loading through DadosPFX empties the facade's ArquivoPFX and URLPFX.
    const std::string arquivo = FpDFeSSL.ArquivoPFX();
    const std::string url = FpDFeSSL.URLPFX();
    std::string cnpjAnterior;

    if (!arquivo.empty() && rtl::FileExists(arquivo)) {
        CarregarCertificadoDeArquivoPFX();
        LerInfoCertificadoCarregado();
        // Signed: an expired copy has no days left (a distance would count them as left).
        const double diasRestantes = std::trunc(FpDadosCertificado->DataVenc() - rtl::Now());
        cnpjAnterior = FpDadosCertificado->CNPJ();
        rtl::TDateTime gravado = 0;
        if (diasRestantes > DiasParaRenovarCopiaLocal ||
            (rtl::FileAge(arquivo, gravado) && rtl::DateOf(gravado) == rtl::Date()))
            return;
    }

    std::string dados;
    {
        TSemCertificadoHTTP semCertificado(FpDFeSSL);
        dados = FpDFeSSL.HTTPGet(url);
    }
    const int codigo = FpDFeSSL.HTTPResultCode();
    if (codigo < 200 || codigo > 202)
        throw EOvixDFeException("Http erro " + rtl::IntToStr(codigo) +
                                ", baixando Certificado de " + url);
    const std::string invalido = "Certificado obtido de " + url + " é inválido";
    if (dados.empty())
        throw EOvixDFeException(invalido);

    FpDFeSSL.SetDadosPFX(dados);
    DescarregarCertificado();
    try {
        CarregarCertificadoDeDadosPFX();
        // The CNPJ below comes from the certificate's data.
        LerInfoCertificadoCarregado();
    } catch (...) {
        throw EOvixDFeException(invalido);
    }
    if (!cnpjAnterior.empty() && cnpjAnterior != FpDadosCertificado->CNPJ())
        throw EOvixDFeException("CNPJ do Certificado obtido de " + url +
                                " é diferente do CNPJ atual");

    if (!arquivo.empty()) {
        const std::string pasta = rtl::ExtractFileDir(arquivo);
        if (!pasta.empty())
            rtl::ForceDirectories(pasta);
        // Replaces the copy in one step, so a failed write leaves the old one.
        rtl::WriteFileBytes(arquivo, dados);
    }
}

void TDFeSSLCryptClass::CarregarCertificadoDeDadosPFX()
{
    throw EOvixDFeException(Citado("CarregarCertificadoDeDadosPFX", " não implementado em: ",
                                   ClassName()));
}

void TDFeSSLCryptClass::CarregarCertificadoDeNumeroSerie()
{
    NaoSuportado("CarregarCertificadoDeNumeroSerie");
}

void TDFeSSLCryptClass::LerInfoCertificadoCarregado() {}

void TDFeSSLCryptClass::Clear()
{
    FpDadosCertificado->Clear();
    FpListaCertificados->Clear();
}

std::string TDFeSSLCryptClass::Versao()
{
    return {};
}

std::string TDFeSSLCryptClass::CalcHash(rtl::TStream &, TSSLDgst, bool)
{
    NaoSuportado("CalcHash");
}

bool TDFeSSLCryptClass::ValidarHash(rtl::TStream &, TSSLDgst, std::string_view, bool)
{
    NaoSuportado("ValidarHash");
}

void TDFeSSLCryptClass::DescarregarCertificado()
{
    Clear();
    FpCertificadoLido = false;
}

std::string TDFeSSLCryptClass::SelecionarCertificado()
{
    NaoSuportado("SelecionarCertificado");
}

void TDFeSSLCryptClass::LerCertificadosStore()
{
    NaoSuportado("LerCertificadosStore");
}

bool TDFeSSLCryptClass::CarregarCertificadoPublico(std::string_view)
{
    NaoSuportado("CarregarCertificadoPublico");
}

void TDFeSSLCryptClass::CarregarCertificado()
{
    DescarregarCertificado();
    Clear();
    if (!FpDFeSSL.URLPFX().empty())
        CarregarCertificadoDeURLPFX();
    else if (!FpDFeSSL.DadosPFX().empty())
        CarregarCertificadoDeDadosPFX();
    else if (!FpDFeSSL.ArquivoPFX().empty())
        CarregarCertificadoDeArquivoPFX();
    else if (!FpDFeSSL.NumeroSerie().empty())
        CarregarCertificadoDeNumeroSerie();
    else
        throw EOvixDFeException("DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie não especificados !");
    LerInfoCertificadoCarregado();
    FpCertificadoLido = true;
}

void TDFeSSLCryptClass::CarregarCertificadoSeNecessario()
{
    if (!FpCertificadoLido)
        CarregarCertificado();
}

void TDFeSSLCryptClass::CarregarCertificadoSeVazio()
{
    if (FpDadosCertificado->NumeroSerie().empty() && !FpCertificadoLido)
        CarregarCertificado();
}

std::string TDFeSSLCryptClass::CertNumeroSerie()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->NumeroSerie();
}

rtl::TDateTime TDFeSSLCryptClass::CertDataVenc()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->DataVenc();
}

std::string TDFeSSLCryptClass::CertCertificadora()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->Certificadora();
}

std::string TDFeSSLCryptClass::CertIssuerName()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->IssuerName();
}

std::string TDFeSSLCryptClass::CertSubjectName()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->SubjectName();
}

std::string TDFeSSLCryptClass::CertRazaoSocial()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->RazaoSocial();
}

std::string TDFeSSLCryptClass::CertCNPJ()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->CNPJ();
}

TSSLTipoCertificado TDFeSSLCryptClass::CertTipo()
{
    CarregarCertificadoSeVazio();
    return FpDadosCertificado->Tipo();
}

// ---- HTTP ----------------------------------------------------------------------------

TDFeSSLHttpClass::TDFeSSLHttpClass(TDFeSSL &ADFeSSL)
    : FDataResp(std::make_unique<rtl::TMemoryStream>()),
      FDataReq(std::make_unique<rtl::TMemoryStream>()),
      FHeaderReq(std::make_unique<util::THttpHeader>()),
      FHeaderResp(std::make_unique<util::THttpHeader>()),
      FpDFeSSL(ADFeSSL)
{
}

TDFeSSLHttpClass::~TDFeSSLHttpClass() = default;

std::string TDFeSSLHttpClass::ClassName() const
{
    return "TDFeSSLHttpClass";
}

void TDFeSSLHttpClass::ConfigConnection()
{
    FDataResp->Clear();
    FpHTTPResultCode = 0;
    FpInternalErrorCode = 0;
}

std::string TDFeSSLHttpClass::GetLastErrorDesc()
{
    return {};
}

void TDFeSSLHttpClass::Execute()
{
    ConfigConnection();
}

void TDFeSSLHttpClass::Abortar() {}

void TDFeSSLHttpClass::Clear()
{
    FDataResp->Clear();
    FDataReq->Clear();
    FHeaderReq->Clear();
    FHeaderResp->Clear();
    FURL.clear();
    FMethod.clear();
    FMimeType.clear();
    FSoapAction.clear();
    FpHTTPResultCode = 0;
    FpInternalErrorCode = 0;
}

void TDFeSSLHttpClass::HTTPMethod(std::string_view AMethod, std::string_view AURL)
{
    FMethod = AMethod;
    FURL = AURL;
    Execute();
}

// ---- XML signing ---------------------------------------------------------------------

TDFeSSLXmlSignClass::TDFeSSLXmlSignClass(TDFeSSL &ADFeSSL) : FpDFeSSL(ADFeSSL) {}

TDFeSSLXmlSignClass::~TDFeSSLXmlSignClass() = default;

std::string TDFeSSLXmlSignClass::ClassName() const
{
    return "TDFeSSLXmlSignClass";
}

void TDFeSSLXmlSignClass::NaoSuportado(std::string_view Operacao) const
{
    throw EOvixDFeException(Citado(Operacao, NaoSuportadoEm, ClassName()));
}

std::string TDFeSSLXmlSignClass::Assinar(std::string_view, std::string_view, std::string_view,
                                         std::string_view, std::string_view, std::string_view,
                                         std::string_view)
{
    throw EOvixDFeException(ClassName() + ".Assinar, não implementado");
}

bool TDFeSSLXmlSignClass::Validar(std::string_view, std::string_view, std::string &)
{
    NaoSuportado("Validar");
}

bool TDFeSSLXmlSignClass::VerificarAssinatura(std::string_view, std::string &, std::string_view,
                                              std::string_view, std::string_view,
                                              std::string_view, std::string_view)
{
    NaoSuportado("ValidarAssinatura");
}

// ---- Choosing a back-end -------------------------------------------------------------

namespace {

// Back-ends register at start-up, but nothing forbids later registration, so the tables
// are guarded.
std::mutex &RegistroMutex()
{
    static std::mutex mutex;
    return mutex;
}

template <class Factory, std::size_t N> struct TRegistro {
    std::array<Factory, N> fabricas;

    void Registrar(int lib, Factory fabrica)
    {
        if (lib < 0 || static_cast<std::size_t>(lib) >= N)
            return;
        std::lock_guard<std::mutex> lock(RegistroMutex());
        fabricas[static_cast<std::size_t>(lib)] = std::move(fabrica);
    }

    // A copy, so the factory runs outside the lock (it may build anything).
    Factory Fabrica(int lib)
    {
        if (lib < 0 || static_cast<std::size_t>(lib) >= N)
            return {};
        std::lock_guard<std::mutex> lock(RegistroMutex());
        return fabricas[static_cast<std::size_t>(lib)];
    }
};

TRegistro<TDFeSSLCryptClassFactory, cryWinCrypt + 1> &RegistroCrypt()
{
    static TRegistro<TDFeSSLCryptClassFactory, cryWinCrypt + 1> registro;
    return registro;
}

TRegistro<TDFeSSLHttpClassFactory, httpIndy + 1> &RegistroHttp()
{
    static TRegistro<TDFeSSLHttpClassFactory, httpIndy + 1> registro;
    return registro;
}

TRegistro<TDFeSSLXmlSignClassFactory, xsLibXml2 + 1> &RegistroXmlSign()
{
    static TRegistro<TDFeSSLXmlSignClassFactory, xsLibXml2 + 1> registro;
    return registro;
}

// The registered back-end, or the base class when there is none or it built nothing.
template <class Base, class Factory>
std::unique_ptr<Base> Construir(const Factory &fabrica, TDFeSSL &ssl)
{
    if (fabrica)
        if (std::unique_ptr<Base> feito = fabrica(ssl))
            return feito;
    return std::make_unique<Base>(ssl);
}

} // namespace

void RegisterSSLCryptLib(TSSLCryptLib ALib, TDFeSSLCryptClassFactory AFactory)
{
    if (ALib != cryNone)
        RegistroCrypt().Registrar(ALib, std::move(AFactory));
}

void RegisterSSLHttpLib(TSSLHttpLib ALib, TDFeSSLHttpClassFactory AFactory)
{
    if (ALib != httpNone)
        RegistroHttp().Registrar(ALib == httpWinINet ? httpWinHttp : ALib, std::move(AFactory));
}

void RegisterSSLXmlSignLib(TSSLXmlSignLib ALib, TDFeSSLXmlSignClassFactory AFactory)
{
    if (ALib != xsNone && ALib != xsXmlSec)
        RegistroXmlSign().Registrar(ALib, std::move(AFactory));
}

std::unique_ptr<TDFeSSLCryptClass> CreateSSLCryptClass(TSSLCryptLib ALib, TDFeSSL &ADFeSSL)
{
    return Construir<TDFeSSLCryptClass>(RegistroCrypt().Fabrica(ALib), ADFeSSL);
}

std::unique_ptr<TDFeSSLHttpClass> CreateSSLHttpClass(TSSLHttpLib ALib, TDFeSSL &ADFeSSL)
{
    // One back-end serves both Windows HTTP libraries.
    return Construir<TDFeSSLHttpClass>(
        RegistroHttp().Fabrica(ALib == httpWinINet ? httpWinHttp : ALib), ADFeSSL);
}

std::unique_ptr<TDFeSSLXmlSignClass> CreateSSLXmlSignClass(TSSLXmlSignLib ALib,
                                                           TDFeSSL &ADFeSSL)
{
    return Construir<TDFeSSLXmlSignClass>(RegistroXmlSign().Fabrica(ALib), ADFeSSL);
}

} // namespace dfe

#pragma once
// The settings object of a document component and its five parts: Geral (libraries,
// emission type, writer options), WebServices (state, environment, proxy, time-outs, time
// zone, the web-service address list), Certificados (where the certificate comes from),
// Arquivos (folders and the storage-folder rules) and RespTec (the technical responsible's
// code). Each family derives its own settings object and replaces Geral and Arquivos with
// subclasses.
//
// Every part is a component owned by the settings object, which is itself owned by the
// document component (TOvixDFe). Setters that concern the crypto facade pass their value on
// to the component's SSL, so the facade always holds the certificate, proxy, time-out and
// library settings; a settings object without owner keeps the values to itself.
//
// INI persistence writes and reads only when asked (GravarIni / LerIni). Each part lists
// its keys as rows (settings_linhas.h); booleans are 1 or 0, integers decimal, enumerations
// their ordinal. A key that is absent, or an ordinal outside its enumeration, leaves the
// setting as it is.

#include "dfe/codes_document.h"
#include "dfe/codes_events.h"
#include "dfe/codes_settings.h"
#include "dfe/settings_linhas.h"
#include "dfe/timezone.h"

#include "rtl/classes.h"
#include "rtl/datetime.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"
#include "util/base.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dfe {

class TConfiguracoes;
class TDFeSSL;
class TOvixDFe;

// The alert-line template of the XML writer when the setting holds no placeholder.
inline constexpr std::string_view FormatoAlertaPadrao =
    "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";

// Creates the folder and its parents when it does not exist; rtl::EFCreateError with the
// system's reason when it cannot be created.
void CriarPastaSeNecessario(const std::string &Pasta);

// ---- Geral ---------------------------------------------------------------------------

class TGeralConf : public rtl::TComponent {
public:
    explicit TGeralConf(TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using rtl::TPersistent::Assign;
    // The libraries through their setters, then the other settings; IdentarXML is not
    // copied.
    virtual void Assign(const TGeralConf &DeGeralConf);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);

    TConfiguracoes &Configuracoes() const noexcept { return *fpConfiguracoes; }

    bool IdentarXML() const noexcept { return FIdentarXML; }
    void SetIdentarXML(bool AValue) noexcept { FIdentarXML = AValue; }

    // The three libraries as one value. Setting a named combination sets the three
    // libraries (libCustom leaves them); setting one library recomputes it, libCustom when
    // the three match no named combination.
    TSSLLib SSLLib() const noexcept { return FSSLLib; }
    void SetSSLLib(TSSLLib AValue);
    TSSLCryptLib SSLCryptLib() const noexcept { return FSSLCryptLib; }
    void SetSSLCryptLib(TSSLCryptLib AValue);
    TSSLHttpLib SSLHttpLib() const noexcept { return FSSLHttpLib; }
    void SetSSLHttpLib(TSSLHttpLib AValue);
    TSSLXmlSignLib SSLXmlSignLib() const noexcept { return FSSLXmlSignLib; }
    void SetSSLXmlSignLib(TSSLXmlSignLib AValue);

    TpcnTipoEmissao FormaEmissao() const noexcept { return FFormaEmissao; }
    void SetFormaEmissao(TpcnTipoEmissao AValue) noexcept { FFormaEmissao = AValue; }
    // The emission type's code (1 to 9) as a number.
    int FormaEmissaoCodigo() const;

    bool Salvar() const noexcept { return FSalvar; }
    void SetSalvar(bool AValue) noexcept { FSalvar = AValue; }
    bool ExibirErroSchema() const noexcept { return FExibirErroSchema; }
    void SetExibirErroSchema(bool AValue) noexcept { FExibirErroSchema = AValue; }

    // The stored template when it holds at least one of %TAGNIVEL%, %TAG%, %ID%, %MSG%,
    // %DESCRICAO% (letter case counts); otherwise, empty included, FormatoAlertaPadrao.
    std::string FormatoAlerta() const;
    void SetFormatoAlerta(std::string AValue) { FFormatoAlerta = std::move(AValue); }

    bool RetirarAcentos() const noexcept { return FRetirarAcentos; }
    void SetRetirarAcentos(bool AValue) noexcept { FRetirarAcentos = AValue; }
    bool RetirarEspacos() const noexcept { return FRetirarEspacos; }
    void SetRetirarEspacos(bool AValue) noexcept { FRetirarEspacos = AValue; }
    bool ValidarDigest() const noexcept { return FValidarDigest; }
    void SetValidarDigest(bool AValue) noexcept { FValidarDigest = AValue; }

protected:
    TConfiguracoes *fpConfiguracoes;

private:
    void AtualizarSSLLib();

    bool FIdentarXML = false;
    TSSLLib FSSLLib = libNone;
    TSSLCryptLib FSSLCryptLib = cryNone;
    TSSLHttpLib FSSLHttpLib = httpNone;
    TpcnTipoEmissao FFormaEmissao = teNormal;
    bool FSalvar = true;
    bool FExibirErroSchema = true;
    std::string FFormatoAlerta{FormatoAlertaPadrao};
    bool FRetirarAcentos = true;
    bool FRetirarEspacos = true;
    TSSLXmlSignLib FSSLXmlSignLib = xsNone;
    bool FValidarDigest = true;
    // False only while SetSSLLib applies its three libraries.
    bool FCalcSSLLib = true;
};

// ---- WebServices ---------------------------------------------------------------------

class TWebServicesConf : public rtl::TComponent {
public:
    explicit TWebServicesConf(TConfiguracoes *AConfiguracoes);
    ~TWebServicesConf() override;
    std::string ClassName() const override;

    // The text of the address-list file Arquivos.IniServicos when it exists (its
    // byte-order mark decides the encoding, else the ANSI code page); "" otherwise.
    virtual std::string LerParamsIniServicos();
    // The text of the address list carried in the program under ResourceName (compared
    // without regard to case); rtl::EResNotFound when there is none.
    virtual std::string LerParamsInterno();
    using rtl::TPersistent::Assign;
    virtual void Assign(const TWebServicesConf &DeWebServicesConf);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);
    // Params := the file's text, or the program's own list when the file gives nothing.
    virtual void LerParams();

    TConfiguracoes &Configuracoes() const noexcept { return *fpConfiguracoes; }

    const std::string &ResourceName() const noexcept { return FResourceName; }
    void SetResourceName(std::string AValue) { FResourceName = std::move(AValue); }

    // Each setter below that concerns the facade stores a different value and passes it
    // on to SSL.
    TSSLType SSLType() const noexcept { return FSSLType; }
    void SetSSLType(TSSLType AValue);
    int TimeOut() const noexcept { return FTimeOut; }
    void SetTimeOut(int AValue);
    bool TimeOutPorThread() const noexcept { return FTimeOutPorThread; }
    void SetTimeOutPorThread(bool AValue);

    TTimeZoneConf &TimeZoneConf() const noexcept { return *FTimeZoneConf; }

    bool Visualizar() const noexcept { return FVisualizar; }
    void SetVisualizar(bool AValue) noexcept { FVisualizar = AValue; }

    // One of the 27 state abbreviations, letter case counting; anything else is ignored.
    const std::string &UF() const noexcept { return FUF; }
    void SetUF(std::string_view AValue);
    int UFCodigo() const noexcept { return FUFCodigo; }

    TpcnTipoAmbiente Ambiente() const noexcept { return FAmbiente; }
    void SetAmbiente(TpcnTipoAmbiente AValue) noexcept { FAmbiente = AValue; }
    // The environment's code (1 or 2) as a number.
    int AmbienteCodigo() const;

    const std::string &ProxyHost() const noexcept { return FProxyHost; }
    void SetProxyHost(std::string_view AValue);
    const std::string &ProxyPort() const noexcept { return FProxyPort; }
    void SetProxyPort(std::string_view AValue);
    const std::string &ProxyUser() const noexcept { return FProxyUser; }
    void SetProxyUser(std::string_view AValue);
    const std::string &ProxyPass() const noexcept { return FProxyPass; }
    void SetProxyPass(std::string_view AValue);

    std::uint32_t AguardarConsultaRet() const noexcept { return FAguardarConsultaRet; }
    void SetAguardarConsultaRet(std::uint32_t AValue) noexcept { FAguardarConsultaRet = AValue; }
    // Values below 1 store 5.
    int Tentativas() const noexcept { return FTentativas; }
    void SetTentativas(int AValue) noexcept;
    // At least 1000.
    std::uint32_t IntervaloTentativas() const noexcept { return FIntervaloTentativas; }
    void SetIntervaloTentativas(std::uint32_t AValue) noexcept;
    bool AjustaAguardaConsultaRet() const noexcept { return FAjustaAguardaConsultaRet; }
    void SetAjustaAguardaConsultaRet(bool AValue) noexcept { FAjustaAguardaConsultaRet = AValue; }
    bool Salvar() const noexcept { return FSalvar; }
    void SetSalvar(bool AValue) noexcept { FSalvar = AValue; }

    // The address list's text once loaded.
    const rtl::TStringList &Params() const noexcept { return FParams; }
    rtl::TStringList &Params() noexcept { return FParams; }
    void SetParams(const rtl::TStringList &AValue) { FParams.Assign(AValue); }

    const std::string &QuebradeLinha() const noexcept { return FQuebradeLinha; }
    void SetQuebradeLinha(std::string AValue) { FQuebradeLinha = std::move(AValue); }

protected:
    TConfiguracoes *fpConfiguracoes;

private:
    std::string FResourceName = "OvixServicos";
    TSSLType FSSLType = LT_all;
    int FTimeOut = 5000;
    bool FTimeOutPorThread = false;
    std::unique_ptr<dfe::TTimeZoneConf> FTimeZoneConf;
    bool FVisualizar = false;
    std::string FUF = "SP";
    int FUFCodigo = 35;
    TpcnTipoAmbiente FAmbiente = taHomologacao;
    std::string FProxyHost;
    std::string FProxyPort;
    std::string FProxyUser;
    std::string FProxyPass;
    std::uint32_t FAguardarConsultaRet = 0;
    int FTentativas = 5;
    std::uint32_t FIntervaloTentativas = 1000;
    bool FAjustaAguardaConsultaRet = false;
    bool FSalvar = false;
    rtl::TStringList FParams;
    std::string FQuebradeLinha = "|";
};

// ---- Certificados --------------------------------------------------------------------

class TCertificadosConf : public rtl::TComponent {
public:
    explicit TCertificadosConf(TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using rtl::TPersistent::Assign;
    // DadosPFX, Senha, NumeroSerie, ArquivoPFX, URLPFX through the setters, in that order;
    // VerificarValidade is not copied.
    virtual void Assign(const TCertificadosConf &DeCertificadosConf);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);

    TConfiguracoes &Configuracoes() const noexcept { return *fpConfiguracoes; }

    // The three certificate sources and the serial number: a different value is stored
    // and passed on to SSL. This part keeps every source; the facade keeps only the last.
    const std::string &DadosPFX() const noexcept { return FDadosPFX; } // bytes
    void SetDadosPFX(std::string_view AValue);
    const std::string &ArquivoPFX() const noexcept { return FArquivoPFX; }
    void SetArquivoPFX(std::string_view AValue);
    const std::string &URLPFX() const noexcept { return FURLPFX; }
    void SetURLPFX(std::string_view AValue);
    // Stored without blanks, in upper case and trimmed.
    const std::string &NumeroSerie() const noexcept { return FNumeroSerie; }
    void SetNumeroSerie(std::string_view AValue);

    // The plain password. It is held scrambled with a key taken from the clock
    // ("hhnnsszzz") at its last change; setting the same password again keeps the key.
    std::string Senha() const;
    void SetSenha(std::string_view AValue);

    bool VerificarValidade() const noexcept { return FVerificarValidade; }
    void SetVerificarValidade(bool AValue) noexcept { FVerificarValidade = AValue; }

protected:
    TConfiguracoes *fpConfiguracoes;
    // The scrambled password and its key.
    std::string FSenha;
    std::string FK;

private:
    std::string FDadosPFX;
    std::string FNumeroSerie;
    std::string FArquivoPFX;
    std::string FURLPFX;
    bool FVerificarValidade = true;
};

// ---- Arquivos ------------------------------------------------------------------------

enum TTagOrdenacaoPath { opNenhum, opCNPJ, opModelo, opData, opLiteral, opIE };

class TOrdenacaoPathItem : public rtl::TPersistent {
public:
    TOrdenacaoPathItem() = default;
    std::string ClassName() const override;
    // Copies Item from another TOrdenacaoPathItem; any other source goes to the base.
    void Assign(const rtl::TPersistent &Source) override;
    // "(nenhum)", "CNPJ", "Modelo", "Data", "Literal"; "" for opIE.
    std::string GetDisplayName() const;

    TTagOrdenacaoPath Item = opNenhum;
};

// The explicit order of the storage-folder levels.
class TOrdenacaoPath {
public:
    TOrdenacaoPath() = default;
    TOrdenacaoPath(const TOrdenacaoPath &) = delete;
    TOrdenacaoPath &operator=(const TOrdenacaoPath &) = delete;

    TOrdenacaoPathItem &Add() { return FItems.New(); }
    int Count() const noexcept { return FItems.Count(); }
    // Outside 0..Count()-1 raises rtl::EListError.
    TOrdenacaoPathItem &Items(int Index) { return FItems.Items(Index); }
    const TOrdenacaoPathItem &Items(int Index) const { return FItems.Items(Index); }
    void Clear() { FItems.Clear(); }

private:
    util::TOvixObjectList<TOrdenacaoPathItem> FItems;
};

class TDownloadConf : public rtl::TPersistent {
public:
    TDownloadConf() = default;
    std::string ClassName() const override;
    // Copies both settings from another TDownloadConf; any other source goes to the base.
    void Assign(const rtl::TPersistent &Source) override;

    const std::string &PathDownload() const noexcept { return FPathDownload; }
    void SetPathDownload(std::string AValue) { FPathDownload = std::move(AValue); }
    bool SepararPorNome() const noexcept { return FSepararPorNome; }
    void SetSepararPorNome(bool AValue) noexcept { FSepararPorNome = AValue; }

private:
    std::string FPathDownload;
    bool FSepararPorNome = false;
};

class TArquivosConf : public rtl::TComponent {
public:
    explicit TArquivosConf(TConfiguracoes *AConfiguracoes);
    ~TArquivosConf() override;
    std::string ClassName() const override;

    using rtl::TPersistent::Assign;
    // The paths through the other object's getters (which fill its defaults), the flags,
    // SepararPorMes and SepararPorDia through the setters, DownloadDFe and a copy of
    // OrdenacaoPath; SepararPorAno is not copied.
    virtual void Assign(const TArquivosConf &DeArquivosConf);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);
    // The storage folder: APath (else PathSalvar) followed by the levels OrdenacaoPath asks
    // for (filled from the flags at the first call that finds one set). The folder is
    // created when missing (rtl::EFCreateError when it cannot be).
    virtual std::string GetPath(std::string_view APath, std::string_view ALiteral,
                                std::string_view CNPJ = "", std::string_view IE = "",
                                rtl::TDateTime Data = 0, std::string_view ModeloDescr = "");

    TConfiguracoes &Configuracoes() const noexcept { return *fpConfiguracoes; }

    // For a settings object with an owner an empty value becomes, at its first read and
    // for good, the executable's folder followed by "Docs" / "Schemas"; the value is read
    // trimmed and with a trailing '/' (empty stays empty).
    const std::string &PathSalvar() const;
    void SetPathSalvar(std::string AValue) { FPathSalvar = std::move(AValue); }
    const std::string &PathSchemas() const;
    void SetPathSchemas(std::string AValue) { FPathSchemas = std::move(AValue); }
    // Likewise the executable's folder, WebServices.ResourceName and ".ini" (as stored).
    const std::string &IniServicos() const;
    void SetIniServicos(std::string AValue) { FIniServicos = std::move(AValue); }

    bool Salvar() const noexcept { return FSalvar; }
    void SetSalvar(bool AValue) noexcept { FSalvar = AValue; }
    bool AdicionarLiteral() const noexcept { return FAdicionarLiteral; }
    void SetAdicionarLiteral(bool AValue) noexcept { FAdicionarLiteral = AValue; }
    bool SepararPorCNPJ() const noexcept { return FSepararPorCNPJ; }
    void SetSepararPorCNPJ(bool AValue) noexcept { FSepararPorCNPJ = AValue; }
    bool SepararPorIE() const noexcept { return FSepararPorIE; }
    void SetSepararPorIE(bool AValue) noexcept { FSepararPorIE = AValue; }
    bool SepararPorModelo() const noexcept { return FSepararPorModelo; }
    void SetSepararPorModelo(bool AValue) noexcept { FSepararPorModelo = AValue; }
    bool SepararPorAno() const noexcept { return FSepararPorAno; }
    void SetSepararPorAno(bool AValue) noexcept { FSepararPorAno = AValue; }
    // False also clears SepararPorDia.
    bool SepararPorMes() const noexcept { return FSepararPorMes; }
    void SetSepararPorMes(bool AValue) noexcept;
    // True also sets SepararPorMes.
    bool SepararPorDia() const noexcept { return FSepararPorDia; }
    void SetSepararPorDia(bool AValue) noexcept;

    TOrdenacaoPath &OrdenacaoPath() noexcept { return *FOrdenacaoPath; }
    const TOrdenacaoPath &OrdenacaoPath() const noexcept { return *FOrdenacaoPath; }
    TDownloadConf &DownloadDFe() noexcept { return *FDownloadDFe; }
    const TDownloadConf &DownloadDFe() const noexcept { return *FDownloadDFe; }

    // The folder of downloaded documents: DownloadDFe.PathDownload (PathSalvar when empty,
    // stored), a level of the letters and digits of xNome when SepararPorNome, then the
    // levels of GetPath with the literal "Down".
    std::string GetPathDownload(std::string_view xNome = "", std::string_view CNPJ = "",
                                std::string_view IE = "", rtl::TDateTime Data = 0);
    // As GetPathDownload with the literal "Evento", then, with AdicionarLiteral, a level
    // named by the event type's description.
    std::string GetPathDownloadEvento(TpcnTpEvento tipoEvento, std::string_view xNome = "",
                                      std::string_view CNPJ = "", std::string_view IE = "",
                                      rtl::TDateTime Data = 0);

protected:
    TConfiguracoes *fpConfiguracoes;

private:
    // An empty stored path takes its default: the settings object has an owner that is
    // not being edited in a form designer.
    bool DefaultAplica() const noexcept;
    std::string BasePathDownload(std::string_view xNome);

    mutable std::string FPathSalvar;
    mutable std::string FPathSchemas;
    mutable std::string FIniServicos;
    bool FSalvar = true;
    bool FAdicionarLiteral = false;
    bool FSepararPorCNPJ = false;
    bool FSepararPorIE = false;
    bool FSepararPorModelo = false;
    std::unique_ptr<TOrdenacaoPath> FOrdenacaoPath;
    bool FSepararPorAno = false;
    bool FSepararPorMes = false;
    bool FSepararPorDia = false;
    std::unique_ptr<TDownloadConf> FDownloadDFe;
};

// ---- RespTec -------------------------------------------------------------------------

class TRespTecConf : public rtl::TComponent {
public:
    explicit TRespTecConf(TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using rtl::TPersistent::Assign;
    virtual void Assign(const TRespTecConf &DeRespTecConf);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);

    TConfiguracoes &Configuracoes() const noexcept { return *fpConfiguracoes; }

    // The identifier and the code the technical responsible received from the tax
    // authority; the NF-e writer computes hashCSRT from them.
    int IdCSRT() const noexcept { return FIdCSRT; }
    void SetIdCSRT(int AValue) noexcept { FIdCSRT = AValue; }
    const std::string &CSRT() const noexcept { return FCSRT; }
    void SetCSRT(std::string AValue) { FCSRT = std::move(AValue); }

protected:
    TConfiguracoes *fpConfiguracoes;

private:
    int FIdCSRT = 0;
    std::string FCSRT;
};

// ---- The settings object -------------------------------------------------------------

class TConfiguracoes : public rtl::TComponent {
public:
    // Refuses an owner that is not a TOvixDFe with EOvixDFeException; no owner is
    // accepted.
    explicit TConfiguracoes(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    // Makes the five parts through the factories below, in the order Geral, WebServices,
    // Certificados, Arquivos, RespTec, each named ("GeralConf", ...) and a subcomponent.
    // A family's settings override it, call this first, then set SessaoIni and
    // WebServices.ResourceName.
    void AfterConstruction() override;
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // Each builds its part with this object as owner; the families return subclasses.
    virtual TGeralConf *CreateGeralConf();
    virtual TWebServicesConf *CreateWebServicesConf();
    virtual TCertificadosConf *CreateCertificadosConf();
    virtual TArquivosConf *CreateArquivosConf();
    virtual TRespTecConf *CreateRespTecConf();

    // Each part's Assign / GravarIni / LerIni, in the order of the parts.
    using rtl::TPersistent::Assign;
    virtual void Assign(const TConfiguracoes &DeConfiguracoes);
    virtual void GravarIni(rtl::TMemIniFile &AIni) const;
    virtual void LerIni(const rtl::TMemIniFile &AIni);

    // WebServices.Params := the lines of the file; EOvixDFeException
    // "Arquivo de Parâmetro não encontrado: <name>" when it does not exist.
    void LerParams(const std::string &NomeArqParams);

    TGeralConf &Geral() const noexcept { return *FPGeral; }
    TWebServicesConf &WebServices() const noexcept { return *FPWebServices; }
    TCertificadosConf &Certificados() const noexcept { return *FPCertificados; }
    TArquivosConf &Arquivos() const noexcept { return *FPArquivos; }
    TRespTecConf &RespTec() const noexcept { return *FPRespTec; }

    // The INI section of the family's own keys; empty writes and reads only the shared ones.
    const std::string &SessaoIni() const noexcept { return FPSessaoIni; }
    void SetSessaoIni(std::string AValue) { FPSessaoIni = std::move(AValue); }
    // The key that scrambles passwords and certificate data in the INI file (bytes).
    const std::string &ChaveCryptINI() const noexcept { return FChaveCryptINI; }
    void SetChaveCryptINI(std::string AValue) { FChaveCryptINI = std::move(AValue); }

    // The owner as document component; nullptr for a settings object without owner.
    TOvixDFe *ComponenteDFe() const noexcept { return FComponenteDFe; }
    // The owner's crypto facade; nullptr without owner or before the owner made it.
    TDFeSSL *SSL() const noexcept;

protected:
    TGeralConf *FPGeral = nullptr;
    TWebServicesConf *FPWebServices = nullptr;
    TCertificadosConf *FPCertificados = nullptr;
    TArquivosConf *FPArquivos = nullptr;
    std::string FPSessaoIni;
    std::string FChaveCryptINI;
    TRespTecConf *FPRespTec = nullptr;

private:
    TOvixDFe *FComponenteDFe = nullptr;
};

} // namespace dfe

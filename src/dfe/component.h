#pragma once
// The base of the document components (NF-e, CT-e, MDF-e). It owns what every family needs
// besides its document list: the settings (Configuracoes), the crypto, HTTP and signing
// facade (SSL), the in-memory web-service address list, the list of schema files, the log
// event with the routine that turns an error into the framework's exception, and the
// routine that saves an XML file.
//
// Construction runs in two steps. The constructor only records the owner; the overridable
// second step AfterConstruction builds the settings through CreateConfiguracoes and gives
// the facade GetNameSpaceURI, so a family's overrides of both really run. A family that
// overrides AfterConstruction calls this class's first, then builds its own objects.
// Components are made through rtl::TComponent::Create / CreateFree only.

#include "dfe/codes_document.h"
#include "dfe/crypto.h"
#include "dfe/settings.h"

#include "rtl/classes.h"
#include "rtl/inifile.h"
#include "rtl/streams.h"
#include "rtl/stringlist.h"
#include "util/base.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe {

// Stand-ins for the e-mail and integrator components a document component may be linked
// to. This system sends no e-mail and talks to no integrator: only the links and their
// removal handling exist, so these classes carry nothing of their own.
class TOvixMail : public util::TOvixComponent {
public:
    using util::TOvixComponent::TOvixComponent;
    std::string ClassName() const override;
};

class TOvixIntegrador : public util::TOvixComponent {
public:
    using util::TOvixComponent::TOvixComponent;
    std::string ClassName() const override;
};

// Receives every log line; setting Tratado tells the caller the handler dealt with it.
using TOvixGravarLog = std::function<void(const std::string &ALogLine, bool &Tratado)>;
// A plain notification with its sender.
using TNotifyEvent = std::function<void(rtl::TComponent *Sender)>;
// For the web-service layer (not part of this system): given a request, the handler
// answers the response and the HTTP and internal codes.
using TOvixDFeOnTransmit = std::function<void(
    const std::string &AURL, const std::string &ASoapAction, const std::string &AMimeType,
    const std::string &ADadosEnviar, std::string &ARetorno, int &AHttpResultCode,
    int &AInternalErrorCode)>;
// For the web-service layer: a failed request; the handler may ask for a retry or mark the
// failure handled.
using TOvixDFeOnTransmitError = std::function<void(
    int AHttpResultCode, int AInternalErrorCode, const std::string &AURL,
    const std::string &ADadosEnviados, const std::string &ASoapAction, bool &Retentar,
    bool &Tratado)>;

class TOvixDFe : public util::TOvixComponent {
public:
    explicit TOvixDFe(rtl::TComponent *AOwner);
    ~TOvixDFe() override;
    std::string ClassName() const override;

    // Builds, in order: the settings (CreateConfiguracoes, named "Configuracoes"), the
    // facade, the empty schema list, the facade's copy of the certificate, proxy,
    // time-out and library settings and of GetNameSpaceURI, and the in-memory address
    // list bound to Arquivos.IniServicos (read when that file exists, empty otherwise).
    void AfterConstruction() override;
    // On removal, clears MAIL when the removed component is a mail component, otherwise
    // Integrador when it is an integrator: the class counts, not the identity.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // ---- Overridable operations ---------------------------------------------------------

    // The settings for this component; the base makes a plain TConfiguracoes owned by it.
    virtual TConfiguracoes *CreateConfiguracoes();
    // Fills the in-memory address list from WebServices.Params (loading those first when
    // empty); with ApenasSeNaoLido, only the first time.
    virtual void LerParamsIni(bool ApenasSeNaoLido = false);
    // The schema of a service; "" in the base.
    virtual std::string NomeServicoToNomeSchema(std::string_view NomeServico);
    // "4.00" of "nfe_v4.00.xsd": after the version separator, up to ".xsd" or the end;
    // "" without the separator.
    virtual std::string ExtrairVersaoNomeArquivoSchema(std::string_view ArqSchema);
    // "4.00" for 4; "" for 0 or less.
    virtual std::string VersaoSchemaDoubleToString(double AVersao);
    // A point or a comma as the decimal separator; 0 for anything that is not a number.
    virtual double VersaoSchemaStringToDouble(std::string_view AVersao);
    // The schema file (with folder) for NomeSchema at AVersao: the exact name when the
    // folder has it, else the highest version not above AVersao; AVersao becomes the
    // version found (0 when none). An empty NomeSchema answers "" and leaves AVersao.
    // EOvixDFeException when the schema folder holds no ".xsd" file.
    virtual std::string AchaArquivoSchema(std::string_view NomeSchema, double &AVersao);
    // The model name of the address list's sections and of the model folder; "" here.
    virtual std::string GetNomeModeloDFe();
    // The default XML namespace of the family's documents; "" here.
    virtual std::string GetNameSpaceURI();
    // Not available in this system: always raises EOvixDFeException.
    virtual void EnviarEmail(std::string_view sPara, std::string_view sAssunto,
                             const rtl::TStringList *sMensagem = nullptr,
                             const rtl::TStringList *sCC = nullptr,
                             const rtl::TStringList *Anexos = nullptr,
                             rtl::TStream *StreamNFe = nullptr, std::string_view NomeArq = "",
                             const rtl::TStringList *sReplyTo = nullptr);
    // The version / address the short lookup finds for VersaoBase.
    virtual double LerVersaoDeParams(std::string_view ModeloDFe, std::string_view UF,
                                     TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                     double VersaoBase);
    virtual std::string LerURLDeParams(std::string_view ModeloDFe, std::string_view UF,
                                       TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                                       double VersaoBase);

    // ---- Address lookup -------------------------------------------------------------------

    // One service key of one section: the exact version when present, else the highest
    // version not above Versao; Versao becomes the version found (0 reads the bare service
    // key). A missing section answers "" and leaves Versao.
    void LerServicoChaveDeParams(std::string_view NomeSessao, std::string_view NomeServico,
                                 double &Versao, std::string &URL);
    // The same read, for the WSDL and SOAP-action sections.
    void LerDeParams(std::string_view NomeSessao, std::string_view NomeServico, double &Versao,
                     std::string &Servico);
    // The full lookup: section "<ModeloDFe>_<UF>_<P|H>", following "Usar" redirects until
    // an address is found. EOvixDFeException for an empty model or state, a missing
    // section, a service no redirect answers, and a circular redirect.
    void LerServicoDeParams(std::string_view ModeloDFe, std::string_view UF,
                            TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                            double &Versao, std::string &URL, std::string &Servico,
                            std::string &SoapAction);
    void LerServicoDeParams(std::string_view ModeloDFe, std::string_view UF,
                            TpcnTipoAmbiente TipoAmbiente, std::string_view NomeServico,
                            double &Versao, std::string &URL);

    // ---- Files, log, errors ---------------------------------------------------------------

    // Saves an XML text as a UTF-8 file: the name's own folder, else aPath, else
    // Arquivos.PathSalvar; "<-><->" removed; a UTF-8 declaration put in front when the
    // content lacks one. The folder is created when missing and the file replaced at once,
    // so a failed write leaves no partial file. Any error goes to GerarException with
    // "Erro ao salvar."; the result is false when the log handler dealt with it.
    bool Gravar(const std::string &NomeArquivo, std::string_view ConteudoXML,
                const std::string &aPath = "", bool ConteudoEhUTF8 = true);
    // Tratado := false, then OnGerarLog(Msg, Tratado) for a non-empty message.
    void FazerLog(const std::string &Msg, bool &Tratado);
    // The text Msg (followed by CR LF and E's message when E is given) goes to the log as
    // "ERRO: <text>"; unless the handler dealt with it, EOvixDFeException with the text.
    void GerarException(const std::string &Msg, const std::exception *E = nullptr);

    // ---- Properties -------------------------------------------------------------------------

    TConfiguracoes &Configuracoes() const noexcept { return *FPConfiguracoes; }
    TDFeSSL &SSL() const noexcept { return *FSSL; }
    // The facade, or nullptr while construction has not made it yet.
    TDFeSSL *SSLSeCriado() const noexcept { return FSSL.get(); }

    // Linked partners, not owned: each asks for the partner's removal notice.
    TOvixMail *MAIL() const noexcept { return FMAIL; }
    void SetMAIL(TOvixMail *AValue);
    TOvixIntegrador *Integrador() const noexcept { return FIntegrador; }
    void SetIntegrador(TOvixIntegrador *AValue);

    const TOvixDFeOnTransmit &OnTransmit() const noexcept { return FOnTransmit; }
    void SetOnTransmit(TOvixDFeOnTransmit AValue) { FOnTransmit = std::move(AValue); }
    const TOvixDFeOnTransmitError &OnTransmitError() const noexcept { return FOnTransmitError; }
    void SetOnTransmitError(TOvixDFeOnTransmitError AValue) { FOnTransmitError = std::move(AValue); }
    const TNotifyEvent &OnStatusChange() const noexcept { return FOnStatusChange; }
    void SetOnStatusChange(TNotifyEvent AValue) { FOnStatusChange = std::move(AValue); }
    const TOvixGravarLog &OnGerarLog() const noexcept { return FOnGerarLog; }
    void SetOnGerarLog(TOvixGravarLog AValue) { FOnGerarLog = std::move(AValue); }
    // The facade's AntesDeAssinar event.
    const TDFeSSLAntesDeAssinar &OnAntesDeAssinar() const noexcept;
    void SetOnAntesDeAssinar(TDFeSSLAntesDeAssinar AValue);

protected:
    TConfiguracoes *FPConfiguracoes = nullptr;
    // The web-service address list in memory and whether it holds WebServices.Params.
    std::unique_ptr<rtl::TMemIniFile> FPIniParams;
    bool FPIniParamsCarregado = false;
    // Between a schema's name and its version in a schema file name.
    std::string FPSeparadorVersaoSchema = "_v";

private:
    TOvixMail *FMAIL = nullptr;
    TOvixIntegrador *FIntegrador = nullptr;
    TOvixDFeOnTransmit FOnTransmit;
    TOvixDFeOnTransmitError FOnTransmitError;
    std::unique_ptr<TDFeSSL> FSSL;
    // Names (no folder) of the ".xsd" files of FPathSchemas, in case-insensitive order.
    rtl::TStringList FListaDeSchemas;
    std::string FPathSchemas;
    TNotifyEvent FOnStatusChange;
    TOvixGravarLog FOnGerarLog;
};

} // namespace dfe

#pragma once
// The NF-e component's settings: the framework's settings object with the NF-e general
// part (model, layout version, NFC-e security code, writer options) and the NF-e file part
// (storage folders of documents, voidings and events). The other three parts are the
// framework's own.
//
// The settings object sets its INI section to "NFe" and the web-service address list to
// the NF-e one. Everything is written to or read from an INI file only when asked.

#include "nfe/codes.h"

#include "dfe/codes_events.h"
#include "dfe/codes_settings.h"
#include "dfe/settings.h"

#include "rtl/datetime.h"
#include "rtl/inifile.h"

#include <string>
#include <string_view>

namespace nfe {

class TConfiguracoesNFe;

// ---- Geral ---------------------------------------------------------------------------

class TGeralConfNFe : public dfe::TGeralConf {
public:
    explicit TGeralConfNFe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TGeralConf::Assign;
    // The base's settings, then, when the source is an NF-e part too, the NF-e ones
    // (ModeloDF, VersaoDF, IdCSC and CSC through their setters).
    void Assign(const dfe::TGeralConf &DeGeralConf) override;
    // The base's keys, then, in the section SessaoIni: IdCSC, CSC, ModeloDF, VersaoDF,
    // AtualizarXMLCancelado, VersaoQRCode, CamposFatObrigatorios and TagNT2018005 (the
    // ordinal of ForcarGerarTagRejeicao938).
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    // Also sets ModeloDFCodigo (55 or 65).
    TpcnModeloDF ModeloDF() const noexcept { return FModeloDF; }
    void SetModeloDF(TpcnModeloDF AValue);
    int ModeloDFCodigo() const noexcept { return FModeloDFCodigo; }

    TpcnVersaoDF VersaoDF() const noexcept { return FVersaoDF; }
    void SetVersaoDF(TpcnVersaoDF Value) noexcept { FVersaoDF = Value; }

    bool AtualizarXMLCancelado() const noexcept { return FAtualizarXMLCancelado; }
    void SetAtualizarXMLCancelado(bool AValue) noexcept { FAtualizarXMLCancelado = AValue; }

    // A new value is stored as a whole number (0 when the text is not one) written with 6
    // digits: "12" gives "000012", a longer number keeps its first 6 digits.
    const std::string &IdCSC() const noexcept { return FIdCSC; }
    void SetIdCSC(std::string_view AValue);
    // A new value is stored trimmed.
    const std::string &CSC() const noexcept { return FCSC; }
    void SetCSC(std::string_view AValue);

    TpcnVersaoQrCode VersaoQRCode() const noexcept { return FVersaoQRCode; }
    void SetVersaoQRCode(TpcnVersaoQrCode AValue) noexcept { FVersaoQRCode = AValue; }

    // Writer options.
    bool CamposFatObrigatorios() const noexcept { return FCamposFatObrigatorios; }
    void SetCamposFatObrigatorios(bool AValue) noexcept { FCamposFatObrigatorios = AValue; }
    dfe::TForcarGeracaoTag ForcarGerarTagRejeicao938() const noexcept { return FForcarGerarTagRejeicao938; }
    void SetForcarGerarTagRejeicao938(dfe::TForcarGeracaoTag AValue) noexcept
    {
        FForcarGerarTagRejeicao938 = AValue;
    }

private:
    TpcnModeloDF FModeloDF = moNFe;
    int FModeloDFCodigo = 55;
    TpcnVersaoDF FVersaoDF = ve400;
    bool FAtualizarXMLCancelado = false;
    std::string FIdCSC;
    std::string FCSC;
    TpcnVersaoQrCode FVersaoQRCode = veqr200;
    bool FCamposFatObrigatorios = true;
    dfe::TForcarGeracaoTag FForcarGerarTagRejeicao938 = dfe::fgtNunca;
};

// ---- Arquivos ------------------------------------------------------------------------

class TArquivosConfNFe : public dfe::TArquivosConf {
public:
    explicit TArquivosConfNFe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TArquivosConf::Assign;
    // The base's settings, then, when the source is an NF-e part too, the four flags and
    // the four folders.
    void Assign(const dfe::TArquivosConf &DeArquivosConf) override;
    // The base's keys, then, in the section SessaoIni: SalvarEvento,
    // SalvarApenasNFeProcessadas, EmissaoPathNFe, NormatizarMunicipios, PathNFe, PathInu,
    // PathEvento and PathArquivoMunicipios.
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    // The folder of NF-e files (created when missing): GetPath over PathNFe with the
    // model's name as literal and as model level. Modelo 55 is "NFe", 65 "NFCe", 0 the
    // owning component's model name ("NFe" without one), any other number no name.
    std::string GetPathNFe(rtl::TDateTime Data = 0, std::string_view CNPJ = "",
                           std::string_view IE = "", int Modelo = 0);
    // The folder of voiding files: GetPath over PathInu with the literal "Inu".
    std::string GetPathInu(std::string_view CNPJ = "", std::string_view IE = "");
    // The folder of event files: GetPath over PathEvento with the literal "Evento", and,
    // with AdicionarLiteral, one more level named by the event type's description.
    std::string GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ = "",
                              std::string_view IE = "", rtl::TDateTime Data = 0);

    // Storage folders by the document's date of issue rather than today.
    bool EmissaoPathNFe() const noexcept { return FEmissaoPathNFe; }
    void SetEmissaoPathNFe(bool AValue) noexcept { FEmissaoPathNFe = AValue; }
    bool SalvarEvento() const noexcept { return FSalvarEvento; }
    void SetSalvarEvento(bool AValue) noexcept { FSalvarEvento = AValue; }
    bool SalvarApenasNFeProcessadas() const noexcept { return FSalvarApenasNFeProcessadas; }
    void SetSalvarApenasNFeProcessadas(bool AValue) noexcept { FSalvarApenasNFeProcessadas = AValue; }
    // Writer options.
    bool NormatizarMunicipios() const noexcept { return FNormatizarMunicipios; }
    void SetNormatizarMunicipios(bool AValue) noexcept { FNormatizarMunicipios = AValue; }
    const std::string &PathArquivoMunicipios() const noexcept { return FPathArquivoMunicipios; }
    void SetPathArquivoMunicipios(std::string AValue) { FPathArquivoMunicipios = std::move(AValue); }

    const std::string &PathNFe() const noexcept { return FPathNFe; }
    void SetPathNFe(std::string AValue) { FPathNFe = std::move(AValue); }
    const std::string &PathInu() const noexcept { return FPathInu; }
    void SetPathInu(std::string AValue) { FPathInu = std::move(AValue); }
    const std::string &PathEvento() const noexcept { return FPathEvento; }
    void SetPathEvento(std::string AValue) { FPathEvento = std::move(AValue); }

private:
    bool FEmissaoPathNFe = false;
    bool FSalvarEvento = false;
    bool FSalvarApenasNFeProcessadas = false;
    bool FNormatizarMunicipios = false;
    std::string FPathNFe;
    std::string FPathInu;
    std::string FPathEvento;
    std::string FPathArquivoMunicipios;
};

// ---- The settings object -------------------------------------------------------------

// Assign is the base's: it copies each part through the part's own Assign, which copies
// the NF-e settings when both parts are NF-e ones.
class TConfiguracoesNFe : public dfe::TConfiguracoes {
public:
    explicit TConfiguracoesNFe(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    // The base's parts, then SessaoIni "NFe" and WebServices.ResourceName "OvixNFeServicos".
    void AfterConstruction() override;

    dfe::TGeralConf *CreateGeralConf() override;
    dfe::TArquivosConf *CreateArquivosConf() override;

    // The two NF-e parts, typed.
    TGeralConfNFe &Geral() const noexcept { return static_cast<TGeralConfNFe &>(dfe::TConfiguracoes::Geral()); }
    TArquivosConfNFe &Arquivos() const noexcept
    {
        return static_cast<TArquivosConfNFe &>(dfe::TConfiguracoes::Arquivos());
    }
};

} // namespace nfe

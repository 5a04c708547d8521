#pragma once
// The MDF-e component's settings: the framework's settings object with the MDF-e general
// part (layout version of new documents) and the MDF-e file part (storage folders and the
// writer's municipality options). The other three parts are the framework's own.
//
// The settings object sets its INI section to "MDFe" and the web-service address list to
// the MDF-e one. Everything is written to or read from an INI file only when asked.

#include "mdfe/codes.h"

#include "dfe/codes_events.h"
#include "dfe/settings.h"
#include "rtl/datetime.h"
#include "rtl/inifile.h"

#include <string>
#include <string_view>

namespace mdfe {

// ---- Geral ---------------------------------------------------------------------------
class TGeralConfMDFe : public dfe::TGeralConf {
public:
    explicit TGeralConfMDFe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TGeralConf::Assign;
    // The base's settings, then, when the source is an MDF-e part too, VersaoDF.
    void Assign(const dfe::TGeralConf &DeGeralConf) override;
    // The base's keys, then VersaoDF (its ordinal) in the section SessaoIni. A stored
    // number that names no version keeps the current one.
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    TVersaoMDFe VersaoDF() const noexcept { return FVersaoDF; }
    void SetVersaoDF(TVersaoMDFe Value) noexcept { FVersaoDF = Value; }

private:
    TVersaoMDFe FVersaoDF = ve300;
};

// ---- Arquivos ------------------------------------------------------------------------
class TArquivosConfMDFe : public dfe::TArquivosConf {
public:
    explicit TArquivosConfMDFe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TArquivosConf::Assign;
    // The base's settings, then, when the source is an MDF-e part too, the three flags and
    // the three folders.
    void Assign(const dfe::TArquivosConf &DeArquivosConf) override;
    // The base's keys, then, in the section SessaoIni: SalvarApenasMDFeProcessados,
    // EmissaoPathMDFe, NormatizarMunicipios, PathMDFe, PathEvento and
    // PathArquivoMunicipios.
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    // The folder of MDF-e files (created when missing): GetPath over PathMDFe with the
    // literal and model name "MDFe".
    std::string GetPathMDFe(rtl::TDateTime Data = 0, std::string_view CNPJ = "",
                            std::string_view IE = "");
    // The folder of event files: GetPath over PathEvento with the literal "Evento", and,
    // with AdicionarLiteral, one more level named by the event type's description.
    std::string GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ = "",
                              std::string_view IE = "", rtl::TDateTime Data = 0);

    // Storage folders by the document's date of issue rather than today.
    bool EmissaoPathMDFe() const noexcept { return FEmissaoPathMDFe; }
    void SetEmissaoPathMDFe(bool AValue) noexcept { FEmissaoPathMDFe = AValue; }
    bool SalvarApenasMDFeProcessados() const noexcept { return FSalvarApenasMDFeProcessados; }
    void SetSalvarApenasMDFeProcessados(bool AValue) noexcept { FSalvarApenasMDFeProcessados = AValue; }
    // Writer options.
    bool NormatizarMunicipios() const noexcept { return FNormatizarMunicipios; }
    void SetNormatizarMunicipios(bool AValue) noexcept { FNormatizarMunicipios = AValue; }
    const std::string &PathArquivoMunicipios() const noexcept { return FPathArquivoMunicipios; }
    void SetPathArquivoMunicipios(std::string AValue) { FPathArquivoMunicipios = std::move(AValue); }
    const std::string &PathMDFe() const noexcept { return FPathMDFe; }
    void SetPathMDFe(std::string AValue) { FPathMDFe = std::move(AValue); }
    const std::string &PathEvento() const noexcept { return FPathEvento; }
    void SetPathEvento(std::string AValue) { FPathEvento = std::move(AValue); }

private:
    bool FEmissaoPathMDFe = false;
    bool FSalvarApenasMDFeProcessados = false;
    bool FNormatizarMunicipios = false;
    std::string FPathMDFe;
    std::string FPathEvento;
    std::string FPathArquivoMunicipios;
};

// ---- The settings object -------------------------------------------------------------
class TConfiguracoesMDFe : public dfe::TConfiguracoes {
public:
    explicit TConfiguracoesMDFe(rtl::TComponent *AOwner);
    std::string ClassName() const override;
    // The base's parts, then SessaoIni "MDFe" and WebServices.ResourceName
    // "OvixMDFeServicos".
    void AfterConstruction() override;
    dfe::TGeralConf *CreateGeralConf() override;
    dfe::TArquivosConf *CreateArquivosConf() override;

    TGeralConfMDFe &Geral() const noexcept { return static_cast<TGeralConfMDFe &>(dfe::TConfiguracoes::Geral()); }
    TArquivosConfMDFe &Arquivos() const noexcept
    {
        return static_cast<TArquivosConfMDFe &>(dfe::TConfiguracoes::Arquivos());
    }
};

} // namespace mdfe

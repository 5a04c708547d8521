#pragma once
// The CT-e component's settings: the framework's settings object with the CT-e general
// part (model and layout version of new documents) and the CT-e file part (storage
// folders of documents, voidings and events, and the writer's municipality options). The
// other three parts are the framework's own.
//
// The settings object sets its INI section to "CTe" and the web-service address list to
// the CT-e one. Everything is written to or read from an INI file only when asked.

#include "cte/codes.h"

#include "dfe/codes_events.h"
#include "dfe/settings.h"
#include "rtl/datetime.h"
#include "rtl/inifile.h"

#include <string>
#include <string_view>

namespace cte {

// ---- Geral ---------------------------------------------------------------------------
class TGeralConfCTe : public dfe::TGeralConf {
public:
    explicit TGeralConfCTe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TGeralConf::Assign;
    // The base's settings, then, when the source is a CT-e part too, ModeloDF (through its
    // setter) and VersaoDF.
    void Assign(const dfe::TGeralConf &DeGeralConf) override;
    // The base's keys, then ModeloDF and VersaoDF (their ordinals) in the section
    // SessaoIni. A stored number that names no model or version keeps the current one.
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    // Also sets ModeloDFCodigo (57 or 67).
    TModeloCTe ModeloDF() const noexcept { return FModeloDF; }
    void SetModeloDF(TModeloCTe AValue);
    int ModeloDFCodigo() const noexcept { return FModeloDFCodigo; }

    TVersaoCTe VersaoDF() const noexcept { return FVersaoDF; }
    void SetVersaoDF(TVersaoCTe Value) noexcept { FVersaoDF = Value; }

private:
    TModeloCTe FModeloDF = moCTe;
    int FModeloDFCodigo = 57;
    TVersaoCTe FVersaoDF = ve300;
};

// ---- Arquivos ------------------------------------------------------------------------
class TArquivosConfCTe : public dfe::TArquivosConf {
public:
    explicit TArquivosConfCTe(dfe::TConfiguracoes *AConfiguracoes);
    std::string ClassName() const override;

    using dfe::TArquivosConf::Assign;
    // The base's settings, then, when the source is a CT-e part too, the three flags and
    // the four folders.
    void Assign(const dfe::TArquivosConf &DeArquivosConf) override;
    // The base's keys, then, in the section SessaoIni: SalvarApenasCTeProcessados,
    // EmissaoPathCTe, NormatizarMunicipios, PathCTe, PathInu, PathEvento and
    // PathArquivoMunicipios.
    void GravarIni(rtl::TMemIniFile &AIni) const override;
    void LerIni(const rtl::TMemIniFile &AIni) override;

    // The folder of CT-e files (created when missing): GetPath over PathCTe with the
    // model's name as literal and as model level. Modelo 57 is "CTe", 67 "CTeOS", 0 the
    // owning component's model name ("CTe" without one), any other number no name.
    std::string GetPathCTe(rtl::TDateTime Data = 0, std::string_view CNPJ = "",
                           std::string_view IE = "", int Modelo = 0);
    // The folder of voiding files: GetPath over PathInu with the literal "Inu". The date
    // levels are always today's.
    std::string GetPathInu(rtl::TDateTime Data = 0, std::string_view CNPJ = "",
                           std::string_view IE = "");
    // The folder of event files: GetPath over PathEvento with the literal "Evento", and,
    // with AdicionarLiteral, one more level named by the event type's description.
    std::string GetPathEvento(dfe::TpcnTpEvento tipoEvento, std::string_view CNPJ = "",
                              std::string_view IE = "", rtl::TDateTime Data = 0);

    // Storage folders by the document's date of issue rather than today.
    bool EmissaoPathCTe() const noexcept { return FEmissaoPathCTe; }
    void SetEmissaoPathCTe(bool AValue) noexcept { FEmissaoPathCTe = AValue; }
    bool SalvarApenasCTeProcessados() const noexcept { return FSalvarApenasCTeProcessados; }
    void SetSalvarApenasCTeProcessados(bool AValue) noexcept { FSalvarApenasCTeProcessados = AValue; }
    // Writer options.
    bool NormatizarMunicipios() const noexcept { return FNormatizarMunicipios; }
    void SetNormatizarMunicipios(bool AValue) noexcept { FNormatizarMunicipios = AValue; }
    const std::string &PathArquivoMunicipios() const noexcept { return FPathArquivoMunicipios; }
    void SetPathArquivoMunicipios(std::string AValue) { FPathArquivoMunicipios = std::move(AValue); }

    const std::string &PathCTe() const noexcept { return FPathCTe; }
    void SetPathCTe(std::string AValue) { FPathCTe = std::move(AValue); }
    const std::string &PathInu() const noexcept { return FPathInu; }
    void SetPathInu(std::string AValue) { FPathInu = std::move(AValue); }
    const std::string &PathEvento() const noexcept { return FPathEvento; }
    void SetPathEvento(std::string AValue) { FPathEvento = std::move(AValue); }

private:
    bool FEmissaoPathCTe = false;
    bool FSalvarApenasCTeProcessados = false;
    bool FNormatizarMunicipios = false;
    std::string FPathCTe;
    std::string FPathInu;
    std::string FPathEvento;
    std::string FPathArquivoMunicipios;
};

// ---- The settings object -------------------------------------------------------------

// Assign is the base's: it copies each part through the part's own Assign, which copies
// the CT-e settings when both parts are CT-e ones.
class TConfiguracoesCTe : public dfe::TConfiguracoes {
public:
    explicit TConfiguracoesCTe(rtl::TComponent *AOwner);
    std::string ClassName() const override;
    // The base's parts, then SessaoIni "CTe" and WebServices.ResourceName
    // "OvixCTeServicos".
    void AfterConstruction() override;
    dfe::TGeralConf *CreateGeralConf() override;
    dfe::TArquivosConf *CreateArquivosConf() override;

    TGeralConfCTe &Geral() const noexcept { return static_cast<TGeralConfCTe &>(dfe::TConfiguracoes::Geral()); }
    TArquivosConfCTe &Arquivos() const noexcept
    {
        return static_cast<TArquivosConfCTe &>(dfe::TConfiguracoes::Arquivos());
    }
};

} // namespace cte

#pragma once
// The DAMDFE components.
//
// TOvixMDFeDAMDFeClass is the auxiliary-document base linked both ways to one MDF-e
// component, with the DAMDFE's own settings and the print operations as overridable
// entries (here they only raise their own name).
//
// TOvixMDFeDAMDFeRL prints through the report engine: the documents it is given, or every
// document of the linked MDF-e component, one portrait layout per document chained into
// one job with page numbers restarting per document; and one PDF file per document.

#include "mdfe/component.h"
#include "mdfe/model.h"

#include "dfe/codes.h"
#include "dfe/link.h"
#include "dfe/report/component.h"
#include "rtl/classes.h"

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace mdfe {

// What the DAMDFE prints besides the fixed fields: the cargo value, and the list of
// documents per unloading municipality.
enum TDadosExtrasMDFe { deValorTotal, deRelacaoDFe };
using TDadosExtrasMDFeSet = std::bitset<2>;

class TOvixMDFeDAMDFeClass : public dfe::TOvixDFeReport, public TDAMDFeLink {
public:
    explicit TOvixMDFeDAMDFeClass(rtl::TComponent *AOwner);
    ~TOvixMDFeDAMDFeClass() override;
    std::string ClassName() const override;

    // The base's handling, then, on removal of any MDF-e component while one is linked
    // (the class counts, not the identity with the linked one), the link is cleared.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The PDF folder below aInitialPath by the MDF-e file settings (issuer, "MDFe", date of
    // issue of the first loaded document with EmissaoPathMDFe, else now). Without a linked
    // MDF-e component or without loaded documents aInitialPath unchanged.
    std::string GetSeparadorPathPDF(std::string_view aInitialPath) const override;

    // ---- Link -------------------------------------------------------------------------

    rtl::TComponent &Componente() noexcept override { return *this; }
    TOvixMDFe *OvixMDFe() const noexcept override { return FOvixMDFe.Parceiro(); }
    // The same component again does nothing. A component that is not an MDF-e component
    // raises rtl::Exception "DAMDFe deve ser do tipo TOvixMDFe" and keeps the link.
    // Otherwise the previous MDF-e component is unlinked on its side, and the new one is
    // asked for its removal notice and gets this component as its DAMDFE.
    void SetOvixMDFe(rtl::TComponent *Value) override;

    // ---- Print operations (the base raises rtl::Exception with the operation's name) ---

    void ImprimirDAMDFe(const TMDFe *AMDFe = nullptr) override;
    void ImprimirDAMDFePDF(const TMDFe *AMDFe = nullptr) override;
    virtual void ImprimirEVENTO(const TMDFe *AMDFe = nullptr);
    virtual void ImprimirEVENTOPDF(const TMDFe *AMDFe = nullptr);

    // ---- Settings ---------------------------------------------------------------------

    // Stored only: the portrait layout prints no exit time.
    bool ImprimeHoraSaida() const noexcept { return FImprimeHoraSaida; }
    void SetImprimeHoraSaida(bool AValue) noexcept { FImprimeHoraSaida = AValue; }
    const std::string &ImprimeHoraSaida_Hora() const noexcept { return FImprimeHoraSaida_Hora; }
    void SetImprimeHoraSaida_Hora(std::string AValue) { FImprimeHoraSaida_Hora = std::move(AValue); }
    // Stored only: the A4 portrait layout is the only one.
    dfe::TpcnTipoImpressao TipoDAMDFe() const noexcept { return FTipoDAMDFe; }
    void SetTipoDAMDFe(dfe::TpcnTipoImpressao AValue) noexcept { FTipoDAMDFe = AValue; }
    dfe::TpcnTamanhoPapel TamanhoPapel() const noexcept { return FTamanhoPapel; }
    void SetTamanhoPapel(dfe::TpcnTamanhoPapel AValue) noexcept { FTamanhoPapel = AValue; }
    // Printed in place of the document's own protocol.
    const std::string &Protocolo() const noexcept { return FProtocolo; }
    void SetProtocolo(std::string AValue) { FProtocolo = std::move(AValue); }
    // Prints "MDF-e CANCELADO".
    bool Cancelada() const noexcept { return FCancelada; }
    void SetCancelada(bool AValue) noexcept { FCancelada = AValue; }
    // With status 100, prints "MDF-e ENCERRADO".
    bool Encerrado() const noexcept { return FEncerrado; }
    void SetEncerrado(bool AValue) noexcept { FEncerrado = AValue; }
    const TDadosExtrasMDFeSet &ImprimeDadosExtras() const noexcept { return FImprimeDadosExtras; }
    void SetImprimeDadosExtras(TDadosExtrasMDFeSet AValue) noexcept { FImprimeDadosExtras = AValue; }

protected:
    // The documents a print operation covers: the one given, or every loaded document of
    // the linked MDF-e component in list order (none without a link).
    std::vector<const TMDFe *> Documentos(const TMDFe *AMDFe) const;

private:
    dfe::TComponentLink<TOvixMDFe> FOvixMDFe{*this};
    bool FImprimeHoraSaida = false;
    std::string FImprimeHoraSaida_Hora;
    dfe::TpcnTipoImpressao FTipoDAMDFe = dfe::tiSemGeracao;
    dfe::TpcnTamanhoPapel FTamanhoPapel = dfe::tpA4;
    std::string FProtocolo;
    bool FCancelada = false;
    bool FEncerrado = false;
    TDadosExtrasMDFeSet FImprimeDadosExtras = TDadosExtrasMDFeSet().set();
};

class TOvixMDFeDAMDFeRL : public TOvixMDFeDAMDFeClass {
public:
    explicit TOvixMDFeDAMDFeRL(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    // One document, or with nullptr every document of the linked MDF-e component: one
    // portrait layout each, chained into one job shown in the modal preview (MostraPreview)
    // or printed. Nothing at all when there is no document.
    void ImprimirDAMDFe(const TMDFe *AMDFe = nullptr) override;
    // One PDF file per document, without preview: PathPDF, the digits of the document's
    // Id and "-mdfe.pdf". ArquivoPDF names the last file written.
    void ImprimirDAMDFePDF(const TMDFe *AMDFe = nullptr) override;
    // Events are not printed by this viewer: nothing happens.
    void ImprimirEVENTO(const TMDFe *AMDFe = nullptr) override;
    void ImprimirEVENTOPDF(const TMDFe *AMDFe = nullptr) override;

    // Stored only: the print dialog follows MostraSetup.
    bool PrintDialog() const noexcept { return FPrintDialog; }
    void SetPrintDialog(bool AValue) noexcept { FPrintDialog = AValue; }

private:
    bool FPrintDialog = true;
};

} // namespace mdfe

#pragma once
// TOvixCTeDACTEClass, the base of every DACTE component: the auxiliary-document settings
// of dfe::TOvixDFeReport plus the DACTE's own (receipt stub position, paper size, status
// and notice flags), its two-way link to the CT-e component, the PDF sub-folder rule, and
// its six print operations, which the base only refuses.
//
// The documents a print covers reach the component through ImprimirDocumentos and
// SalvarDocumentosPDF; the print operations taking one document or none choose them.

#include "cte/dacte_link.h"
#include "cte/model.h"

#include "dfe/codes.h"
#include "dfe/codes_settings.h"
#include "dfe/link.h"
#include "dfe/report/component.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cte {

class TOvixCTeDACTEClass : public dfe::TOvixDFeReport, public TDACTeLink {
public:
    // The contingency key of a document, the one the header prints as a barcode.
    using TGeradorChaveContingencia = std::function<std::string(const TCTe &)>;

    explicit TOvixCTeDACTEClass(rtl::TComponent *AOwner);
    ~TOvixCTeDACTEClass() override;
    std::string ClassName() const override;

    // The base's handling, then, when the linked CT-e component itself is removed, the
    // link is cleared; the removal of any other component leaves it.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The PDF folder below aInitialPath by the CT-e file settings (issuer, model literal,
    // date of the first loaded document or now). Without a linked CT-e component or
    // without loaded documents aInitialPath unchanged.
    std::string GetSeparadorPathPDF(std::string_view aInitialPath) const override;

    // ---- Link -------------------------------------------------------------------------

    rtl::TComponent &Componente() noexcept override { return *this; }
    // The linked CT-e component, not owned.
    TOvixCTe *OvixCTe() const noexcept override { return FOvixCTe.Parceiro(); }
    // The same component again does nothing. A component that is not a CT-e component
    // raises rtl::Exception "DACTE deve ser do tipo TOvixCTE" and keeps the link.
    // Otherwise the previous CT-e component is unlinked on its side, and the new one is
    // asked for its removal notice and gets this component as its DACTE.
    void SetOvixCTe(rtl::TComponent *Value) override;
    // The list's print calls, onto this component's print operations.
    void ImprimirDACTE(const TCTe *ACTe) override { ImprimirDACTe(ACTe); }
    void ImprimirDACTEPDF(const TCTe *ACTe) override { ImprimirDACTePDF(ACTe); }

    // ---- Print operations: the base raises rtl::Exception with the operation's name ---

    // One document, or with nullptr every document the component is given to print.
    virtual void ImprimirDACTe(const TCTe *ACTe = nullptr);
    virtual void ImprimirDACTePDF(const TCTe *ACTe = nullptr);
    virtual void ImprimirEVENTO(const TCTe *ACTe);
    virtual void ImprimirEVENTOPDF(const TCTe *ACTe);
    virtual void ImprimirINUTILIZACAO(const TCTe *ACTe);
    virtual void ImprimirINUTILIZACAOPDF(const TCTe *ACTe);

    // ---- Settings ---------------------------------------------------------------------

    // The print date and time in the system line.
    bool ImprimirHoraSaida() const noexcept { return FImprimirHoraSaida; }
    void SetImprimirHoraSaida(bool AValue) noexcept { FImprimirHoraSaida = AValue; }
    // Stored only.
    const std::string &ImprimirHoraSaida_Hora() const noexcept { return FImprimirHoraSaida_Hora; }
    void SetImprimirHoraSaida_Hora(std::string AValue) { FImprimirHoraSaida_Hora = std::move(AValue); }
    // Copied into ide.tpImp of every document loaded afterwards.
    dfe::TpcnTipoImpressao TipoDACTE() const noexcept override { return FTipoDACTE; }
    void SetTipoDACTE(dfe::TpcnTipoImpressao AValue) noexcept { FTipoDACTE = AValue; }
    // Every size prints the A4 portrait layout.
    dfe::TpcnTamanhoPapel TamanhoPapel() const noexcept { return FTamanhoPapel; }
    void SetTamanhoPapel(dfe::TpcnTamanhoPapel AValue) noexcept { FTamanhoPapel = AValue; }
    // Stored only.
    const std::string &Protocolo() const noexcept { return FProtocolo; }
    void SetProtocolo(std::string AValue) { FProtocolo = std::move(AValue); }
    // Marks the document cancelled in the observations.
    bool Cancelada() const noexcept { return FCancelada; }
    void SetCancelada(bool AValue) noexcept { FCancelada = AValue; }
    // The summary line of the bottom receipt stub.
    bool ExibeResumoCanhoto() const noexcept { return FExibeResumoCanhoto; }
    void SetExibeResumoCanhoto(bool AValue) noexcept { FExibeResumoCanhoto = AValue; }
    // The EPEC notice of an EPEC document.
    bool EPECEnviado() const noexcept { return FEPECEnviado; }
    void SetEPECEnviado(bool AValue) noexcept { FEPECEnviado = AValue; }
    // Top stub, bottom stub, or none (prEsquerda).
    dfe::TPosRecibo PosCanhoto() const noexcept { return FPosCanhoto; }
    void SetPosCanhoto(dfe::TPosRecibo AValue) noexcept { FPosCanhoto = AValue; }
    // Stored only.
    bool ImprimeDescPorc() const noexcept { return FImprimeDescPorc; }
    void SetImprimeDescPorc(bool AValue) noexcept { FImprimeDescPorc = AValue; }
    // The retained ICMS of a 2.00 CT-e (situation 60) in the ICMS value column; the
    // document list sets it before every print.
    bool ExibeICMS() const noexcept { return FExibeICMS; }
    void SetExibeICMS(bool AValue) noexcept override { FExibeICMS = AValue; }

    // Where the header's contingency key comes from: after Create the CT-e component's
    // routine, which needs no linked component; none gives no key, and an empty key draws
    // no barcode.
    const TGeradorChaveContingencia &GeradorChaveContingencia() const noexcept { return FGeradorChaveContingencia; }
    void SetGeradorChaveContingencia(TGeradorChaveContingencia AValue)
    {
        FGeradorChaveContingencia = std::move(AValue);
    }
    std::string ChaveContingencia(const TCTe &ACTe) const;

private:
    dfe::TComponentLink<TOvixCTe> FOvixCTe{*this};
    bool FImprimirHoraSaida = false;
    std::string FImprimirHoraSaida_Hora;
    dfe::TpcnTipoImpressao FTipoDACTE = dfe::tiSemGeracao;
    dfe::TpcnTamanhoPapel FTamanhoPapel = dfe::tpA4;
    std::string FProtocolo;
    bool FCancelada = false;
    bool FExibeResumoCanhoto = false;
    bool FEPECEnviado = false;
    dfe::TPosRecibo FPosCanhoto = dfe::prCabecalho;
    bool FImprimeDescPorc = false;
    bool FExibeICMS = false;
    TGeradorChaveContingencia FGeradorChaveContingencia;
};

} // namespace cte

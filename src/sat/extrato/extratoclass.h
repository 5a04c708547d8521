#pragma once
// The two classes every CF-e receipt ("extrato") component stands on.
//
// TOvixSATExtratoClass is the auxiliary-document base linked both ways to one SAT
// component, with the receipt's print options, the CF-e being printed, the print
// operations (here they only choose the document and the layout; a receipt component
// prints after them) and the QR Code content of a CF-e.
//
// TOvixSATExtratoReportClass adds the roll-paper measures and the logo placement, and
// narrows the margins to what suits a roll.

#include "sat/component.h"
#include "sat/model.h"

#include "dfe/link.h"
#include "dfe/report/component.h"
#include "rtl/classes.h"
#include "rtl/datetime.h"

#include <QImage>
#include <string>
#include <string_view>
#include <utility>

namespace sat {

// Which receipt the last print operation asked for.
enum TOvixSATExtratoLayOut { lCompleto, lResumido, lCancelamento };

// Where a print goes: the printer or the preview, a PDF file or an HTML file.
enum TOvixSATExtratoFiltro { fiNenhum, fiPDF, fiHTML };

class TOvixSATExtratoClass : public dfe::TOvixDFeReport, public TExtratoLink {
public:
    // The base's defaults, then the receipt's; a continuous form by default.
    explicit TOvixSATExtratoClass(rtl::TComponent *AOwner);
    ~TOvixSATExtratoClass() override;
    std::string ClassName() const override;

    // The base's handling, then, on removal, the SAT link is cleared when the removed
    // component is the linked SAT component itself; another one going away leaves it.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The folder with a trailing delimiter, followed by "SAT".
    std::string GetSeparadorPathPDF(std::string_view aInitialPath) const override;

    // ---- Link -------------------------------------------------------------------------

    rtl::TComponent &Componente() noexcept override { return *this; }

    // The linked SAT component, not owned.
    TOvixSAT *OvixSAT() const noexcept override { return FOvixSAT.Parceiro(); }
    // The same component again does nothing. A component that is not a SAT component
    // raises rtl::Exception "OvixSATExtrato.SAT deve ser do tipo TOvixSAT" and keeps the
    // link. Otherwise the previous SAT component is unlinked on its side, and the new one
    // is asked for its removal notice and gets this component as its receipt.
    void SetOvixSAT(rtl::TComponent *Value) override;

    // ---- Print operations -------------------------------------------------------------
    // Each chooses the document (the given CF-e, or with nullptr the linked SAT
    // component's, rtl::Exception "Componente OvixSAT não atribuído" when none is linked)
    // and the layout. They print nothing here; a receipt component prints after them.

    void ImprimirExtrato(const TCFe *ACFe = nullptr) override;
    void ImprimirExtratoResumido(const TCFe *ACFe = nullptr) override;
    // The cancellation CF-e itself is not read by the viewer: only the sale's document
    // and the layout are chosen.
    void ImprimirExtratoCancelamento(const TCFe *ACFe = nullptr) override;

    // The text of a CF-e's QR Code: the key, the issue date-time as "yyyymmddhhnnss", the
    // value with two decimals and a point, the trimmed consumer document (empty when the
    // consumer is not identified) and the signature, joined by "|". Neither the user's
    // decimal nor thousands separator reaches it.
    static std::string CalcularConteudoQRCode(std::string_view ID, std::string_view CNPJCPF,
                                              rtl::TDateTime dEmi_hEmi, double Valor,
                                              std::string_view assinaturaQRCODE);

    // ---- The document -----------------------------------------------------------------

    // The CF-e the last print operation chose, not owned; nullptr before the first, and
    // again once the SAT component it was taken from is unlinked or freed.
    const TCFe *CFe() const noexcept { return FCFe; }
    TOvixSATExtratoLayOut LayOut() const noexcept { return FLayOut; }

    // ---- Settings ---------------------------------------------------------------------

    TOvixSATExtratoFiltro Filtro() const noexcept { return FFiltro; }
    void SetFiltro(TOvixSATExtratoFiltro AValue) noexcept { FFiltro = AValue; }
    bool ImprimeQRCode() const noexcept { return FImprimeQRCode; }
    void SetImprimeQRCode(bool AValue) noexcept { FImprimeQRCode = AValue; }
    // The consumer, serial number and date beside the QR Code instead of elsewhere.
    bool ImprimeQRCodeLateral() const noexcept { return FImprimeQRCodeLateral; }
    void SetImprimeQRCodeLateral(bool AValue) noexcept { FImprimeQRCodeLateral = AValue; }
    // The logo to the left of the issuer instead of above it.
    bool ImprimeLogoLateral() const noexcept { return FImprimeLogoLateral; }
    void SetImprimeLogoLateral(bool AValue) noexcept { FImprimeLogoLateral = AValue; }
    // The taxpayer notes when the CF-e carries an approximate tax value.
    bool ImprimeMsgOlhoNoImposto() const noexcept { return FImprimeMsgOlhoNoImposto; }
    void SetImprimeMsgOlhoNoImposto(bool AValue) noexcept { FImprimeMsgOlhoNoImposto = AValue; }
    // Names a consumer who is not identified.
    bool ImprimeCPFNaoInformado() const noexcept { return FImprimeCPFNaoInformado; }
    void SetImprimeCPFNaoInformado(bool AValue) noexcept { FImprimeCPFNaoInformado = AValue; }
    bool ImprimeEmUmaLinha() const noexcept { return FImprimeEmUmaLinha; }
    void SetImprimeEmUmaLinha(bool AValue) noexcept { FImprimeEmUmaLinha = AValue; }
    bool ImprimeDescAcrescItem() const noexcept { return FImprimeDescAcrescItem; }
    void SetImprimeDescAcrescItem(bool AValue) noexcept { FImprimeDescAcrescItem = AValue; }
    // The item's GTIN instead of its code.
    bool ImprimeCodigoEan() const noexcept { return FImprimeCodigoEan; }
    void SetImprimeCodigoEan(bool AValue) noexcept { FImprimeCodigoEan = AValue; }
    // Printed with the QR Code.
    const std::string &MsgAppQRCode() const noexcept { return FMsgAppQRCode; }
    void SetMsgAppQRCode(std::string AValue) { FMsgAppQRCode = std::move(AValue); }
    // The logo picture, owned; the setter keeps a copy of the given one.
    const QImage &PictureLogo() const noexcept { return FPictureLogo; }
    void SetPictureLogo(const QImage &AValue) { FPictureLogo = AValue; }

protected:
    // The given CF-e, or with nullptr the linked SAT component's (VerificaExisteOvixSAT
    // first).
    void SetInternalCFe(const TCFe *ACFe);
    // rtl::Exception "Componente OvixSAT não atribuído" when no SAT component is linked.
    void VerificaExisteOvixSAT() const;

private:
    // Drops the CF-e when it was the linked SAT component's.
    void EsquecerCFeDoSAT() noexcept;

    dfe::TComponentLink<TOvixSAT> FOvixSAT{*this};
    const TCFe *FCFe = nullptr;
    bool FCFeDoSAT = false; // FCFe is the linked SAT component's
    TOvixSATExtratoLayOut FLayOut = lCompleto;
    TOvixSATExtratoFiltro FFiltro = fiNenhum;
    bool FImprimeQRCode = true;
    bool FImprimeQRCodeLateral = true;
    bool FImprimeLogoLateral = true;
    bool FImprimeMsgOlhoNoImposto = true;
    bool FImprimeCPFNaoInformado = true;
    bool FImprimeEmUmaLinha = true;
    bool FImprimeDescAcrescItem = true;
    bool FImprimeCodigoEan = false;
    std::string FMsgAppQRCode;
    QImage FPictureLogo;
};

class TOvixSATExtratoReportClass : public TOvixSATExtratoClass {
public:
    // The receipt's defaults, then the roll's, and margins of 4.0 mm at the bottom and
    // 2.0 mm elsewhere.
    explicit TOvixSATExtratoReportClass(rtl::TComponent *AOwner);
    ~TOvixSATExtratoReportClass() override;
    std::string ClassName() const override;

    // The roll's width in pixels at 96 dpi (302 prints on 80 mm paper).
    int LarguraBobina() const noexcept { return FLarguraBobina; }
    void SetLarguraBobina(int AValue) noexcept { FLarguraBobina = AValue; }
    // Blank pixels after the footer.
    int EspacoFinal() const noexcept { return FEspacoFinal; }
    void SetEspacoFinal(int AValue) noexcept { FEspacoFinal = AValue; }
    int LogoWidth() const noexcept { return FLogoWidth; }
    void SetLogoWidth(int AValue) noexcept { FLogoWidth = AValue; }
    int LogoHeigth() const noexcept { return FLogoHeigth; }
    void SetLogoHeigth(int AValue) noexcept { FLogoHeigth = AValue; }
    bool LogoStretch() const noexcept { return FLogoStretch; }
    void SetLogoStretch(bool AValue) noexcept { FLogoStretch = AValue; }
    bool LogoAutoSize() const noexcept { return FLogoAutoSize; }
    void SetLogoAutoSize(bool AValue) noexcept { FLogoAutoSize = AValue; }
    bool LogoCenter() const noexcept { return FLogoCenter; }
    void SetLogoCenter(bool AValue) noexcept { FLogoCenter = AValue; }
    bool LogoVisible() const noexcept { return FLogoVisible; }
    void SetLogoVisible(bool AValue) noexcept { FLogoVisible = AValue; }

private:
    int FLarguraBobina = 302;
    int FEspacoFinal = 0;
    int FLogoWidth = 77;
    int FLogoHeigth = 50;
    bool FLogoStretch = false;
    bool FLogoAutoSize = true;
    bool FLogoCenter = true;
    bool FLogoVisible = true;
};

} // namespace sat

#pragma once
// The base of every auxiliary-document component (DANFE, DACTE, DAMDFE, CF-e receipt):
// the settings every printed document shares (preview, printer, copies, margins, PDF
// folder and name, logo and its placement, issuer texts, decimal places, scaling) and the
// formatters of item quantities and unit values. It prints nothing itself: each family's
// component adds its print operations after the virtual operations declared here, and
// dfe/report/routines.h copies these settings into the report engine's objects.
//
// PintarQRCode, the QR bitmap the DACTE, DAMDFE and receipt layouts draw, lives here too.

#include "dfe/codes_settings.h"

#include "rtl/classes.h"
#include "util/base.h"

#include "report/prepared.h"
#include "report/preview.h"
#include "report/printjob.h"
#include "report/progress.h"

#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe {

// Decimal places of item quantities and unit values. With tdetInteger the formatters use
// qCom / vUnCom decimals; with tdetMascara the masks.
class TCasasDecimais : public rtl::TComponent {
public:
    explicit TCasasDecimais(rtl::TComponent *AOwner);

    std::string ClassName() const override;

    TDetFormato Formato() const noexcept { return fFormato; }
    void SetFormato(TDetFormato AValue) noexcept { fFormato = AValue; }
    // Kept within 0..4.
    int qCom() const noexcept { return FqCom; }
    void SetqCom(int AValue) noexcept;
    // Kept within 0..10.
    int vUnCom() const noexcept { return FvUnCom; }
    void SetvUnCom(int AValue) noexcept;
    const std::string &MaskqCom() const noexcept { return FMaskqCom; }
    void SetMaskqCom(std::string AValue) { FMaskqCom = std::move(AValue); }
    const std::string &MaskvUnCom() const noexcept { return FMaskvUnCom; }
    void SetMaskvUnCom(std::string AValue) { FMaskvUnCom = std::move(AValue); }

private:
    TDetFormato fFormato = tdetInteger;
    int FqCom = 2;
    int FvUnCom = 2;
    std::string FMaskqCom = ",0.00";
    std::string FMaskvUnCom = ",0.00";
};

// Where the logo goes in the issuer's band, in layout pixels. All four measures 0 leave
// the layout's own placement; Dimensionar scales the picture keeping its proportions,
// Esticar stretches it to the box.
class TExpandeLogoMarcaConfig : public rtl::TComponent {
public:
    explicit TExpandeLogoMarcaConfig(rtl::TComponent *AOwner);

    std::string ClassName() const override;

    int Altura() const noexcept { return FAltura; }
    void SetAltura(int AValue) noexcept { FAltura = AValue; }
    int Esquerda() const noexcept { return FEsquerda; }
    void SetEsquerda(int AValue) noexcept { FEsquerda = AValue; }
    int Topo() const noexcept { return FTopo; }
    void SetTopo(int AValue) noexcept { FTopo = AValue; }
    int Largura() const noexcept { return FLargura; }
    void SetLargura(int AValue) noexcept { FLargura = AValue; }
    bool Dimensionar() const noexcept { return FDimensionar; }
    void SetDimensionar(bool AValue) noexcept { FDimensionar = AValue; }
    bool Esticar() const noexcept { return FEsticar; }
    void SetEsticar(bool AValue) noexcept { FEsticar = AValue; }

private:
    int FAltura = 0;
    int FEsquerda = 0;
    int FTopo = 0;
    int FLargura = 0;
    bool FDimensionar = false;
    bool FEsticar = true;
};

class TOvixDFeReport : public util::TOvixComponent {
public:
    // Shows the prepared pages (the default: the engine's modal preview).
    using TMostrarPreview = std::function<void(report::PreparedReport, const report::PreviewOptions &)>;
    // Prints the prepared pages without a preview (the default: the engine's printing,
    // with the print dialog when the options ask for it).
    using TImprimirPaginas = std::function<void(const report::PreparedReport &, const report::PrintOptions &)>;
    // Makes the display a job reports its progress to, while MostraStatus asks for one
    // (the default: the engine's progress window).
    using TCriarProgresso = std::function<std::unique_ptr<report::Progress>()>;

    // Every default, and the two settings parts named "CasasDecimais" and
    // "ExpandeLogoMarcaConfig".
    explicit TOvixDFeReport(rtl::TComponent *AOwner);
    ~TOvixDFeReport() override;

    std::string ClassName() const override;

    // ---- Overridable operations (families add theirs after these) ---------------------

    // The PDF folder with the family's sub-folder; the base gives aInitialPath unchanged.
    virtual std::string GetSeparadorPathPDF(std::string_view aInitialPath) const;
    // A whole quantity not forced to decimals prints as the run-time's shortest text
    // under the process-wide format settings (3 gives "3"); any other by the quantity
    // mask, with decimal comma and thousands point (1234.5 gives "1.234,50").
    virtual std::string FormatarQuantidade(double dValor, bool dForcarDecimais = false) const;
    // Always by the unit-value mask: 10 with vUnCom 4 gives "10,0000".
    virtual std::string FormatarValorUnitario(double dValor) const;

    // ---- Settings ---------------------------------------------------------------------

    bool FormularioContinuo() const noexcept { return FFormularioContinuo; }
    void SetFormularioContinuo(bool AValue) noexcept { FFormularioContinuo = AValue; }

    // The stored folder trimmed, or the executable's folder followed by "pdf/" when none
    // is stored; with UsaSeparadorPathPDF then passed through GetSeparadorPathPDF and
    // given a trailing delimiter.
    std::string PathPDF() const;
    // The same value again does nothing. Otherwise the value is trimmed; one with a file
    // extension is a file: its name goes to NomeDocumento and its folder part is the
    // folder. A non-empty folder is stored with a trailing delimiter; an empty one
    // changes nothing.
    void SetPathPDF(std::string_view AValue);
    bool UsaSeparadorPathPDF() const noexcept { return FUsaSeparadorPathPDF; }
    void SetUsaSeparadorPathPDF(bool AValue) noexcept { FUsaSeparadorPathPDF = AValue; }

    // Empty: the current printer.
    const std::string &Impressora() const noexcept { return FImpressora; }
    void SetImpressora(std::string AValue) { FImpressora = std::move(AValue); }
    // Negative values are ignored.
    int NumCopias() const noexcept { return FNumCopias; }
    void SetNumCopias(int AValue) noexcept;
    bool MostraSetup() const noexcept { return FMostraSetup; }
    void SetMostraSetup(bool AValue) noexcept { FMostraSetup = AValue; }
    bool MostraPreview() const noexcept { return FMostraPreview; }
    void SetMostraPreview(bool AValue) noexcept { FMostraPreview = AValue; }
    bool MostraStatus() const noexcept { return FMostraStatus; }
    void SetMostraStatus(bool AValue) noexcept { FMostraStatus = AValue; }

    // A picture file's name, or the picture's data itself (see TDFeReportFortes::CarregarLogo).
    const std::string &Logo() const noexcept { return FLogo; }
    void SetLogo(std::string AValue) { FLogo = std::move(AValue); }
    const std::string &Sistema() const noexcept { return FSistema; }
    void SetSistema(std::string AValue) { FSistema = std::move(AValue); }
    const std::string &Usuario() const noexcept { return FUsuario; }
    void SetUsuario(std::string AValue) { FUsuario = std::move(AValue); }
    const std::string &Fax() const noexcept { return FFax; }
    void SetFax(std::string AValue) { FFax = std::move(AValue); }
    const std::string &Site() const noexcept { return FSite; }
    void SetSite(std::string AValue) { FSite = std::move(AValue); }
    const std::string &Email() const noexcept { return FEmail; }
    void SetEmail(std::string AValue) { FEmail = std::move(AValue); }

    // Margins in millimetres.
    double MargemInferior() const noexcept { return FMargemInferior; }
    void SetMargemInferior(double AValue) noexcept { FMargemInferior = AValue; }
    double MargemSuperior() const noexcept { return FMargemSuperior; }
    void SetMargemSuperior(double AValue) noexcept { FMargemSuperior = AValue; }
    double MargemEsquerda() const noexcept { return FMargemEsquerda; }
    void SetMargemEsquerda(double AValue) noexcept { FMargemEsquerda = AValue; }
    double MargemDireita() const noexcept { return FMargemDireita; }
    void SetMargemDireita(double AValue) noexcept { FMargemDireita = AValue; }

    TCasasDecimais &CasasDecimais() noexcept { return *FCasasDecimais; }
    const TCasasDecimais &CasasDecimais() const noexcept { return *FCasasDecimais; }
    bool ExpandeLogoMarca() const noexcept { return FExpandeLogoMarca; }
    void SetExpandeLogoMarca(bool AValue) noexcept { FExpandeLogoMarca = AValue; }
    TExpandeLogoMarcaConfig &ExpandeLogoMarcaConfig() noexcept { return *FExpandeLogoMarcaConfig; }
    const TExpandeLogoMarcaConfig &ExpandeLogoMarcaConfig() const noexcept { return *FExpandeLogoMarcaConfig; }

    // The PDF's file name.
    const std::string &NomeDocumento() const noexcept { return FNomeDocumento; }
    // The same value again does nothing. Otherwise the value is trimmed; a folder in it
    // goes to PathPDF (with a trailing delimiter) and only the file name remains. A
    // non-empty name without extension gets ".pdf"; an empty one changes nothing.
    void SetNomeDocumento(std::string_view AValue);

    // Read by the layouts, which rescale their forms by NovaEscala over the screen's
    // pixels per inch. The report engine is device-independent, so it has no effect there.
    bool AlterarEscalaPadrao() const noexcept { return FAlterarEscalaPadrao; }
    void SetAlterarEscalaPadrao(bool AValue) noexcept { FAlterarEscalaPadrao = AValue; }
    int NovaEscala() const noexcept { return FNovaEscala; }
    void SetNovaEscala(int AValue) noexcept { FNovaEscala = AValue; }

    // ---- Where the pages go -----------------------------------------------------------
    // How a finished job reaches the user can be replaced: tests and embedding programs
    // keep the pages instead of opening a window.

    const TMostrarPreview &MostrarPreview() const noexcept { return FMostrarPreview; }
    // An empty function puts the engine's preview back.
    void SetMostrarPreview(TMostrarPreview AValue);
    const TImprimirPaginas &ImprimirPaginas() const noexcept { return FImprimirPaginas; }
    // An empty function puts the engine's printing back.
    void SetImprimirPaginas(TImprimirPaginas AValue);
    const TCriarProgresso &CriarProgresso() const noexcept { return FCriarProgresso; }
    // An empty function puts the engine's progress window back.
    void SetCriarProgresso(TCriarProgresso AValue);

    // The file (or files, one per line) written by the family's last PDF operation.
    const std::string &ArquivoPDF() const noexcept { return FPArquivoPDF; }

protected:
    void SetArquivoPDF(std::string AValue) { FPArquivoPDF = std::move(AValue); }

private:
    bool FFormularioContinuo = false;
    std::string FPathPDF;
    bool FUsaSeparadorPathPDF = false;
    std::string FImpressora;
    int FNumCopias = 1;
    bool FMostraSetup = false;
    bool FMostraPreview = true;
    bool FMostraStatus = true;
    std::string FLogo;
    std::string FSistema;
    std::string FUsuario;
    std::string FFax;
    std::string FSite;
    std::string FEmail;
    double FMargemInferior = 8.0;
    double FMargemSuperior = 8.0;
    double FMargemEsquerda = 6.0;
    double FMargemDireita = 5.1;
    rtl::TComponentPtr<TCasasDecimais> FCasasDecimais;
    bool FExpandeLogoMarca = false;
    rtl::TComponentPtr<TExpandeLogoMarcaConfig> FExpandeLogoMarcaConfig;
    std::string FNomeDocumento;
    bool FAlterarEscalaPadrao = false;
    int FNovaEscala = 96;
    std::string FPArquivoPDF;
    TMostrarPreview FMostrarPreview;
    TImprimirPaginas FImprimirPaginas;
    TCriarProgresso FCriarProgresso;
};

// How PintarQRCode turns text into the symbol's bytes. The two UTF-8 names say the
// opposite of what they do, and the layouts rely on what they do: qrUTF8NoBOM puts the
// byte-order mark EF BB BF before the UTF-8 bytes (DACTE, DAMDFE), qrUTF8BOM gives the
// UTF-8 bytes alone (CF-e receipt). qrISO88591 takes the low eight bits of each
// character's code. qrAuto, qrNumeric and qrAlphanumeric give the UTF-8 bytes and let the
// encoder choose the mode.
enum TQRCodeEncoding { qrAuto, qrNumeric, qrAlphanumeric, qrISO88591, qrUTF8NoBOM, qrUTF8BOM };

// The bytes the symbol of QRCodeData carries under AEncoding.
std::string QRCodeBytes(std::string_view QRCodeData, TQRCodeEncoding AEncoding);

// Replaces ABitMap with the QR symbol of QRCodeData: one pixel per module, black on
// white, a one-module white border, error correction level L, no ECI. An empty text
// gives an image without pixels; data beyond what a symbol holds raises rtl::Exception.
void PintarQRCode(std::string_view QRCodeData, QImage &ABitMap, TQRCodeEncoding AEncoding);

} // namespace dfe

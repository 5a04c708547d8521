#pragma once
// The routines every layout uses to hand an auxiliary-document component's settings to
// the report engine: print options, margins, the PDF file, the logo and its placement,
// and fitting a memo's text by shrinking its font. Class-level routines only.

#include "dfe/report/component.h"

#include "report/controls.h"
#include "report/measurer.h"
#include "report/printjob.h"
#include "report/report.h"

#include <string>
#include <string_view>

namespace dfe {

// How one report is exported to PDF: the file it goes to, and whether writing it shows
// the progress.
struct TFiltroPDF {
    std::string NomeArquivo;
    bool MostraProgresso = false;
};

class TDFeReportFortes {
public:
    TDFeReportFortes() = delete;

    // The job's progress display exactly when MostraStatus; the print dialog only when
    // MostraSetup and not MostraPreview; the printer when Impressora is set and differs
    // from the options' one; the copies when NumCopias is above 0 and differs. Printing
    // is always one-sided (report::setupPrinter).
    static void AjustarReport(report::PrintOptions &FReport, const TOvixDFeReport &AConfig);

    // The report's margins from the component's, in millimetres.
    static void AjustarMargem(report::Report &FReport, const TOvixDFeReport &AConfig);

    // The PDF export's file: AFile trimmed, in the executable's folder when it names no
    // folder; otherwise its folder is created with its parents. rtl::Exception
    // "Erro ao gerar PDF. Arquivo não informado" for a blank name, and
    // "Erro ao gerar PDF. Diretório: <folder> não pode ser criado" when the folder cannot
    // be made; the filter is left as it was then. Its progress display exactly when
    // MostraStatus.
    static void AjustarFiltroPDF(TFiltroPDF &PDFFilter, const TOvixDFeReport &AConfig, std::string_view AFile);

    // Empties the image, then loads ALogo into it: the picture file of that name, in the
    // format its extension names, or else ALogo's own characters in the ANSI code page
    // read as BMP data. False, with an empty image, for a blank logo and for one that does
    // not load either way; never raises, so a bad logo never stops a print.
    static bool CarregarLogo(report::Image &ALogoImage, std::string_view ALogo);

    // Dimensionar keeps the picture's proportions, else Esticar stretches it to the box,
    // else it shows at its natural size. When any of the four measures is above 0 they
    // all become the box's geometry (zeros included); otherwise the layout's stays.
    static void AjustarLogo(report::Image &ALogoImage, const TExpandeLogoMarcaConfig &APropExpandeLogoMarca);

    // Lowers the memo's font by one pixel at a time while its whole text, measured as
    // one line, is wider than the memo and the size is above TamanhoMinimo (at least 1,
    // so the loop always ends). Sizes are the engine's pixel sizes. A memo without a
    // font of its own starts from AReportFont and gets the shrunk font when it changed.
    static void DiminuirFonteSeNecessario(report::Memo &ARLMemo, int TamanhoMinimo,
                                          const report::TextMeasurer &AMeasurer,
                                          const report::Font &AReportFont);

    // AText spread to stay narrower than AWidth pixels by widening each '|' into a run of
    // blanks (util::PadSpace; blanks on the right when there is no '|'): the widest such
    // text, or AText at its own length when one more character already reaches AWidth.
    static std::string EspacejarTextoGrafico(std::string_view AText, int AWidth, const report::Font &AFonte,
                                             const report::TextMeasurer &AMeasurer);
};

} // namespace dfe

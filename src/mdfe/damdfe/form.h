#pragma once
// TfrlDAMDFeRL, the base of the DAMDFE layouts: one report that prints one MDF-e with the
// settings of one DAMDFE component, its PDF filter, and the two class operations that make
// layouts for a print job (Imprimir: preview or printer) or for a PDF file (SalvarPDF).
// A layout lives only within one of those calls.

#include "mdfe/model.h"

#include "report/pdfexport.h"
#include "report/report.h"

#include <memory>
#include <string>
#include <vector>

namespace mdfe {

class TOvixMDFeDAMDFeRL;

class TfrlDAMDFeRL {
public:
    // Makes a layout of one class; the class operations work on any.
    using TFabrica = std::unique_ptr<TfrlDAMDFeRL> (*)();

    // A4 portrait, 794 by 1123 pixels.
    TfrlDAMDFeRL();
    virtual ~TfrlDAMDFeRL();
    TfrlDAMDFeRL(const TfrlDAMDFeRL &) = delete;
    TfrlDAMDFeRL &operator=(const TfrlDAMDFeRL &) = delete;

    // One layout per document, in order, chained into one job whose page numbers restart
    // for every document; shown in ADAMDFe's preview when MostraPreview is set, otherwise
    // printed. An empty list makes no layout and shows nothing. Every layout is freed,
    // also when preparing or showing raises.
    static void Imprimir(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const std::vector<const TMDFe *> &AMDFes);
    // One document into the PDF file AFile (checked and its folder made by the report
    // routines), with the number, date of issue and issuer in the PDF's information.
    static void SalvarPDF(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const TMDFe &AMDFe, const std::string &AFile);

    struct TPDFFilter {
        std::string DisplayName = "Documento PDF";
        report::PdfInfo DocumentInfo;
    };

    report::Report RLMDFe;
    TPDFFilter RLPDFFilter1;
    const TMDFe *fpMDFe = nullptr;             // not owned
    TOvixMDFeDAMDFeRL *fpDAMDFe = nullptr;     // not owned

private:
    static std::unique_ptr<TfrlDAMDFeRL> Criar(TFabrica AClasse, TOvixMDFeDAMDFeRL &ADAMDFe, const TMDFe &AMDFe);
};

} // namespace mdfe

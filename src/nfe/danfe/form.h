#pragma once
// TfrlDANFeRL, the base of the DANFE layouts: one report that prints one NF-e with the
// settings of one DANFE component, its PDF filter, and the two class operations that make
// layouts for a print job (Imprimir: preview or printer) or for a PDF file (SalvarPDF).
// A layout lives only within one of those calls.

#include "nfe/model.h"

#include "report/pdfexport.h"
#include "report/report.h"

#include <QColor>
#include <memory>
#include <string>
#include <vector>

namespace nfe {

class TOvixNFeDANFeRL;

class TfrlDANFeRL {
public:
    // Makes a layout of one class; the class operations work on any.
    using TFabrica = std::unique_ptr<TfrlDANFeRL> (*)();

    // A4 in Arial, previewed with the caption "DANFe"; rows shaded in light grey.
    TfrlDANFeRL();
    virtual ~TfrlDANFeRL();
    TfrlDANFeRL(const TfrlDANFeRL &) = delete;
    TfrlDANFeRL &operator=(const TfrlDANFeRL &) = delete;

    // One layout per document, in order, chained into one job whose page numbers restart
    // for every document; shown in ADANFe's preview when MostraPreview is set, otherwise
    // printed. An empty list makes no layout and shows nothing. Errors of preparation
    // reach the caller once every layout is freed.
    static void Imprimir(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const std::vector<const TNFe *> &ANotas);
    // One document into the PDF file AFile (checked and its folder made by the report
    // routines), with the document's number, date, recipient and total in the PDF's
    // information.
    static void SalvarPDF(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const TNFe &ANFe, const std::string &AFile);

    // The PDF export filter of the layout.
    struct TPDFFilter {
        std::string DisplayName = "Documento PDF";
        report::PdfInfo DocumentInfo;
    };

    report::Report RLNFe;
    TPDFFilter RLPDFFilter1;
    // The preview stays above the other windows.
    bool PreviewSempreVisivel = false;
    const TNFe *fpNFe = nullptr;            // not owned
    TOvixNFeDANFeRL *fpDANFe = nullptr;     // not owned
    QColor fpCorDestaqueProdutos;
    int fpLinhasUtilizadas = 0;
    // 10 while a PDF file is written, 0 otherwise: left-aligned value fields are that much
    // narrower in a PDF.
    int fpAuxDiferencaPDF = 0;
    int fpQuantItens = 0;
    int fpItemAtual = 0;

private:
    static std::unique_ptr<TfrlDANFeRL> Criar(TFabrica AClasse, TOvixNFeDANFeRL &ADANFe, const TNFe &ANFe);
};

} // namespace nfe

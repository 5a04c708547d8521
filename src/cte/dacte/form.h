#pragma once
// TfrmDACTeRL, the base of the DACTE layouts: one report that prints one CT-e with the
// settings of one DACTE component, its PDF filter, the documents table the layout fills
// and prints, and the two class operations that make layouts for a print job (Imprimir:
// preview or printer) or for a PDF file (SalvarPDF). A layout lives only within one of
// those calls.

#include "cte/model.h"

#include "report/pdfexport.h"
#include "report/report.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace cte {

class TOvixCTeDACTeRL;

// The transported documents two to a row: the _1 fields hold the left one, the _2 fields
// the right one. A cursor walks the rows while the pages are laid out.
class TDocumentosDACTe {
public:
    enum TCampo { TIPO_1, CNPJCPF_1, DOCUMENTO_1, TIPO_2, CNPJCPF_2, DOCUMENTO_2 };
    using TLinha = std::array<std::string, 6>;

    void Clear() noexcept
    {
        FLinhas.clear();
        FCursor = 0;
    }
    // A new empty row at the end; the cursor goes to it.
    TLinha &Append()
    {
        FLinhas.emplace_back();
        FCursor = FLinhas.size() - 1;
        return FLinhas.back();
    }
    void First() noexcept { FCursor = 0; }
    void Next() noexcept
    {
        if (FCursor < FLinhas.size())
            ++FCursor;
    }
    bool Eof() const noexcept { return FCursor >= FLinhas.size(); }
    // The row under the cursor, from 1; 0 past the end.
    int RecNo() const noexcept { return Eof() ? 0 : static_cast<int>(FCursor) + 1; }
    int RecordCount() const noexcept { return static_cast<int>(FLinhas.size()); }
    // A field of the row under the cursor; empty past the end.
    const std::string &Campo(TCampo ACampo) const;
    const std::vector<TLinha> &Linhas() const noexcept { return FLinhas; }

private:
    std::vector<TLinha> FLinhas;
    std::size_t FCursor = 0;
};

class TfrmDACTeRL {
public:
    // Makes a layout of one class; the class operations work on any.
    using TFabrica = std::unique_ptr<TfrmDACTeRL> (*)();

    // A4, previewed with the caption "DACT-e " above the other windows.
    TfrmDACTeRL();
    virtual ~TfrmDACTeRL();
    TfrmDACTeRL(const TfrmDACTeRL &) = delete;
    TfrmDACTeRL &operator=(const TfrmDACTeRL &) = delete;

    // One layout per document, in order, chained into one job whose page numbers restart
    // for every document; shown in ADACTe's preview when MostraPreview is set, otherwise
    // printed. rtl::Exception "Nenhum relatorio foi inicializado." for an empty list,
    // before any window shows. Errors of preparation reach the caller once every layout
    // is freed.
    static void Imprimir(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const std::vector<const TCTe *> &ACTes);
    // One document into the PDF file AFile (checked and its folder made by the report
    // routines), with its number, date and addressee in the PDF's information.
    static void SalvarPDF(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const TCTe &ACTe, const std::string &AFile);

    // The receipt stub's summary: issuer, date, taker and the amount to receive.
    std::string GetTextoResumoCanhoto() const;

    // The PDF export filter of the layout.
    struct TPDFFilter {
        std::string DisplayName = "Documento PDF";
        report::PdfInfo DocumentInfo;
    };

    report::Report RLCTe;
    TPDFFilter RLPDFFilter1;
    // The preview stays above the other windows.
    bool PreviewSempreVisivel = true;
    TDocumentosDACTe cdsDocumentos;
    const TCTe *fpCTe = nullptr;           // not owned
    TOvixCTeDACTeRL *fpDACTe = nullptr;    // not owned

private:
    static std::unique_ptr<TfrmDACTeRL> Criar(TFabrica AClasse, TOvixCTeDACTeRL &ADACTe, const TCTe &ACTe);
};

} // namespace cte

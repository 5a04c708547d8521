#pragma once
// TOvixCTeDACTeRL, the DACTE component: prints the CT-e documents it is given through the
// report engine, one A4 portrait layout per document chained into one job with page
// numbers restarting per document, and writes one PDF file per document.
//
// ImprimirDocumentos and SalvarDocumentosPDF take the documents themselves; the print
// operations with no document take every document of the linked CT-e component's list.

#include "cte/dacte/dacteclass.h"

#include <string>
#include <vector>

namespace cte {

class TOvixCTeDACTeRL : public TOvixCTeDACTEClass {
public:
    explicit TOvixCTeDACTeRL(rtl::TComponent *AOwner);
    ~TOvixCTeDACTeRL() override;
    std::string ClassName() const override;

    // One document, or with nullptr every loaded document in list order; rtl::Exception
    // "Nenhum relatorio foi inicializado." when there is none.
    void ImprimirDACTe(const TCTe *ACTe = nullptr) override;
    // One PDF file per document (PathPDF, the digits of infCTe.Id and "-cte.pdf"), without
    // preview; ArquivoPDF names the last one written. With nullptr each document of the
    // linked list also keeps its file's name in its entry's NomeArqPDF once it is written.
    void ImprimirDACTePDF(const TCTe *ACTe = nullptr) override;

    // The documents in order, chained into one preview or print job.
    void ImprimirDocumentos(const std::vector<const TCTe *> &ACTes);
    // One PDF file per document, in order; the names written, in the same order.
    std::vector<std::string> SalvarDocumentosPDF(const std::vector<const TCTe *> &ACTes);
    // The file one document's PDF goes to.
    std::string NomeArquivoPDF(const TCTe &ACTe) const;

    // Stored only.
    bool PrintDialog() const noexcept { return FPrintDialog; }
    void SetPrintDialog(bool AValue) noexcept { FPrintDialog = AValue; }

protected:
    // Every document of the linked CT-e component's list, in list order; none without a
    // link.
    virtual std::vector<const TCTe *> DocumentosCarregados() const;

private:
    // Writes one document's PDF file, ArquivoPDF naming it; the name written.
    std::string SalvarPDF(const TCTe &ACTe);

    bool FPrintDialog = true;
};

} // namespace cte

#pragma once
// TOvixSATExtratoFortes, the CF-e receipt component: prints the sale receipt of a CF-e on
// roll paper through the report engine, in the modal preview (with PDF and HTML export),
// straight to the printer, or into a PDF or HTML file without preview.

#include "sat/extrato/extratoclass.h"

#include <string>
#include <string_view>

namespace sat {

class TOvixSATExtratoFortes : public TOvixSATExtratoReportClass {
public:
    explicit TOvixSATExtratoFortes(rtl::TComponent *AOwner);
    ~TOvixSATExtratoFortes() override;
    std::string ClassName() const override;

    // The base's choice of document and layout, then Imprimir.
    void ImprimirExtrato(const TCFe *ACFe = nullptr) override;
    void ImprimirExtratoResumido(const TCFe *ACFe = nullptr) override;
    // The cancellation receipt has no layout in the viewer: the document is chosen and
    // nothing is printed.
    void ImprimirExtratoCancelamento(const TCFe *ACFe = nullptr) override;

    // One print of the chosen CF-e by Filtro: the preview or the printer (fiNenhum), or a
    // PDF or HTML file named NomeDocumento or the title, in PathPDF when the name has no
    // folder, the folder made when missing; ArquivoPDF then names the file written.
    void Imprimir();

    // APrefixo, "-", and the key's digits in groups of four joined by "_".
    static std::string FormatarTitulo(std::string_view APrefixo, std::string_view AChave);
};

} // namespace sat

#include "sat/extrato/component.h"

#include "sat/extrato/form.h"

#include "dfe/accesskey.h"
#include "dfe/report/routines.h"
#include "report/htmlexport.h"
#include "report/measurer.h"
#include "report/paginator.h"
#include "report/pdfexport.h"
#include "report/preview.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"

#include <memory>

namespace sat {

TOvixSATExtratoFortes::TOvixSATExtratoFortes(rtl::TComponent *AOwner) : TOvixSATExtratoReportClass(AOwner) {}

TOvixSATExtratoFortes::~TOvixSATExtratoFortes() = default;

std::string TOvixSATExtratoFortes::ClassName() const
{
    return "TOvixSATExtratoFortes";
}

void TOvixSATExtratoFortes::ImprimirExtrato(const TCFe *ACFe)
{
    TOvixSATExtratoReportClass::ImprimirExtrato(ACFe);
    Imprimir();
}

void TOvixSATExtratoFortes::ImprimirExtratoResumido(const TCFe *ACFe)
{
    TOvixSATExtratoReportClass::ImprimirExtratoResumido(ACFe);
    Imprimir();
}

void TOvixSATExtratoFortes::ImprimirExtratoCancelamento(const TCFe *ACFe)
{
    TOvixSATExtratoReportClass::ImprimirExtratoCancelamento(ACFe);
}

std::string TOvixSATExtratoFortes::FormatarTitulo(std::string_view APrefixo, std::string_view AChave)
{
    std::string chave = dfe::FormatarChaveAcesso(AChave);
    for (char &c : chave)
        if (c == ' ')
            c = '_';
    return std::string(APrefixo) + "-" + chave;
}

void TOvixSATExtratoFortes::Imprimir()
{
    if (CFe() == nullptr || LayOut() == lCancelamento)
        return;
    // A fresh layout per print, freed whatever happens below.
    const auto janela = std::make_unique<TOvixSATExtratoFortesFr>(*this);
    report::Report &relatorio = janela->rlVenda;
    relatorio.title = FormatarTitulo("CFe", CFe()->infCFe.ID);
    janela->fResumido = LayOut() == lResumido;

    report::PrintOptions impressao;
    dfe::TDFeReportFortes::AjustarReport(impressao, *this);
    // The receipt asks for the printer even from the preview when told to.
    impressao.showDialog = MostraSetup();
    impressao.showProgress = false;
    if (Filtro() != fiNenhum)
        impressao.printerName.clear();

    const report::QtTextMeasurer medidor;
    switch (Filtro()) {
    case fiNenhum: {
        report::PreparedReport paginas = report::prepare(relatorio, medidor);
        if (MostraPreview()) {
            report::PreviewOptions preview;
            preview.caption = relatorio.caption;
            preview.offerHtml = true;
            preview.pdfInfo.title = relatorio.title;
            preview.print = impressao;
            MostrarPreview()(std::move(paginas), preview);
        } else {
            ImprimirPaginas()(paginas, impressao);
        }
        break;
    }
    case fiPDF:
    case fiHTML: {
        const report::PreparedReport paginas = report::prepare(relatorio, medidor);
        std::string arquivo = rtl::Trim(NomeDocumento()).empty() ? relatorio.title : NomeDocumento();
        if (rtl::ExtractFilePath(arquivo).empty())
            arquivo = PathPDF() + arquivo;
        const std::string pasta = rtl::ExtractFilePath(arquivo);
        if (!pasta.empty() && !rtl::DirectoryExists(pasta) && !rtl::ForceDirectories(pasta))
            throw rtl::Exception("Erro ao gerar " + std::string(Filtro() == fiPDF ? "PDF" : "HTML") +
                                 ". Diretório: " + pasta + " não pode ser criado");
        arquivo = rtl::ChangeFileExt(arquivo, Filtro() == fiPDF ? ".pdf" : ".html");
        if (Filtro() == fiPDF) {
            report::PdfInfo info;
            info.title = relatorio.title;
            report::exportPdf(paginas, arquivo, info);
        } else {
            report::exportHtml(paginas, arquivo);
        }
        SetArquivoPDF(arquivo);
        break;
    }
    }
}

} // namespace sat

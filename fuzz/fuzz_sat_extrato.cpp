// Any bytes read as a CF-e SAT text and, whatever was read, the sale receipt prepared as
// the preview would show it, written as PDF by our own writer and as HTML. Reading errors
// are the run-time's exceptions; preparing the receipt of what was read fails only on a
// QR Code text too long for any symbol, with the error the window shows.

#include "report/htmlexport.h"
#include "report/pdfwriter.h"
#include "report/prepared.h"
#include "rtl/exceptions.h"
#include "sat/component.h"
#include "sat/extrato/component.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view QRCodeLongo = "Dados do QR Code excedem a capacidade do símbolo";

struct Estado {
    Estado()
    {
        extrato->SetOvixSAT(sat.get());
        extrato->SetFormularioContinuo(true);
        extrato->SetMostrarPreview([](report::PreparedReport paginas, const report::PreviewOptions &) {
            if (!paginas.pages.empty()) {
                report::pdf::writeDocument(paginas, {"t", "c", "k"});
                report::htmlDocument(paginas);
            }
        });
    }
    rtl::TComponentPtr<sat::TOvixSAT> sat = rtl::TComponent::CreateFree<sat::TOvixSAT>();
    rtl::TComponentPtr<sat::TOvixSATExtratoFortes> extrato =
        rtl::TComponent::CreateFree<sat::TOvixSATExtratoFortes>();
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Estado estado;
    sat::TCFe &cfe = estado.sat->CFe();
    cfe.Clear();
    try {
        cfe.SetXMLString(std::string_view(reinterpret_cast<const char *>(data), size));
    } catch (const rtl::Exception &) {
        // A failed read leaves what was read before the error; its receipt must prepare
        // as well.
    }
    try {
        if (size % 2 == 0)
            estado.extrato->ImprimirExtrato(nullptr);
        else
            estado.extrato->ImprimirExtratoResumido(nullptr);
    } catch (const rtl::Exception &e) {
        if (e.Message() != QRCodeLongo)
            throw;
    }
    return 0;
}

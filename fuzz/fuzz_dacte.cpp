// Any bytes loaded as a CT-e file and, for whatever documents load, the DACTE pages
// prepared as the preview would show them and written as PDF by our own writer. Loading
// errors are the run-time's exceptions; preparing the pages of a loaded document fails
// only on a QR Code text too long for any symbol, with the error the window shows.

#include "cte/component.h"
#include "cte/dacte/component.h"
#include "cte/list.h"
#include "report/pdfwriter.h"
#include "report/prepared.h"
#include "rtl/exceptions.h"

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
        dacte->SetOvixCTe(cte.get());
        dacte->SetMostrarPreview([](report::PreparedReport paginas, const report::PreviewOptions &) {
            if (!paginas.pages.empty())
                report::pdf::writeDocument(paginas, {"t", "c", "k"});
        });
    }
    rtl::TComponentPtr<cte::TOvixCTe> cte = rtl::TComponent::CreateFree<cte::TOvixCTe>();
    rtl::TComponentPtr<cte::TOvixCTeDACTeRL> dacte = rtl::TComponent::CreateFree<cte::TOvixCTeDACTeRL>();
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
    cte::TConhecimentos &lista = estado.cte->Conhecimentos();
    lista.Clear();
    try {
        lista.LoadFromString(std::string_view(reinterpret_cast<const char *>(data), size), true);
    } catch (const rtl::Exception &) {
        // A failed load leaves its last entry partly read; its pages must prepare as well.
    }
    // An empty list is the DACTE's own error, not a fault.
    if (lista.Count() == 0)
        return 0;
    try {
        lista.Imprimir(size % 2 == 1);
    } catch (const rtl::Exception &e) {
        if (e.Message() != QRCodeLongo)
            throw;
    }
    return 0;
}

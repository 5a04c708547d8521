// Any bytes loaded as an NF-e file and, for whatever documents load, the DANFE pages
// prepared as the preview would show them and written as PDF by our own writer (whatever
// it declines goes to Qt's engine, which is not ours to fuzz). Loading errors are the run-time's exceptions;
// preparing the pages of a loaded document must never fail.

#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "nfe/list.h"
#include "report/pdfwriter.h"
#include "report/prepared.h"
#include "rtl/exceptions.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct Estado {
    Estado()
    {
        nfe->SetDANFE(danfe.get());
        danfe->SetMostrarPreview([](report::PreparedReport paginas, const report::PreviewOptions &) {
            if (!paginas.pages.empty())
                report::pdf::writeDocument(paginas, {"t", "c", "k"});
        });
    }
    rtl::TComponentPtr<nfe::TOvixNFe> nfe = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    rtl::TComponentPtr<nfe::TOvixNFeDANFeRL> danfe =
        rtl::TComponent::CreateFree<nfe::TOvixNFeDANFeRL>();
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
    nfe::TNotasFiscais &lista = estado.nfe->NotasFiscais();
    lista.Clear();
    try {
        lista.LoadFromString(std::string_view(reinterpret_cast<const char *>(data), size), true);
    } catch (const rtl::Exception &) {
        // A failed load leaves its last entry partly read. The window stops at the error,
        // but preparing the pages of such an entry must hold as well.
    }
    lista.Imprimir();
    return 0;
}

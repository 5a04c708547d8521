// Any bytes loaded as an MDF-e file and, for whatever manifests load, the DAMDFE pages
// prepared as the preview would show them and written as PDF by our own writer. Loading
// errors are the run-time's exceptions; preparing the pages of a loaded document must
// never fail.

#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "mdfe/list.h"
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
        mdfe->SetDAMDFE(damdfe.get());
        damdfe->SetMostrarPreview([](report::PreparedReport paginas, const report::PreviewOptions &) {
            if (!paginas.pages.empty())
                report::pdf::writeDocument(paginas, {"t", "c", "k"});
        });
    }
    rtl::TComponentPtr<mdfe::TOvixMDFe> mdfe = rtl::TComponent::CreateFree<mdfe::TOvixMDFe>();
    rtl::TComponentPtr<mdfe::TOvixMDFeDAMDFeRL> damdfe =
        rtl::TComponent::CreateFree<mdfe::TOvixMDFeDAMDFeRL>();
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
    mdfe::TManifestos &lista = estado.mdfe->Manifestos();
    lista.Clear();
    try {
        lista.LoadFromString(std::string_view(reinterpret_cast<const char *>(data), size), true);
    } catch (const rtl::Exception &) {
        // A failed load leaves its last entry partly read; its pages must prepare as well.
    }
    // An empty list is the DAMDFE's own error, not a fault.
    if (lista.Count() > 0)
        lista.Imprimir();
    return 0;
}

// Any bytes loaded as an MDF-e file and, for whatever manifests load, the DAMDFE pages
// prepared as the preview would show them and written as PDF. Loading errors are the
// run-time's exceptions; preparing the pages of a loaded document must never fail.

#include "layout_fuzz.h"

#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "mdfe/list.h"

namespace {

struct Estado {
    Estado()
    {
        mdfe->SetDAMDFE(damdfe.get());
        damdfe->SetMostrarPreview(fuzz::GravarPaginas());
    }
    rtl::TComponentPtr<mdfe::TOvixMDFe> mdfe = rtl::TComponent::CreateFree<mdfe::TOvixMDFe>();
    rtl::TComponentPtr<mdfe::TOvixMDFeDAMDFeRL> damdfe =
        rtl::TComponent::CreateFree<mdfe::TOvixMDFeDAMDFeRL>();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Estado estado;
    mdfe::TManifestos &lista = estado.mdfe->Manifestos();
    fuzz::Carregar(lista, data, size);
    // An empty list is the DAMDFE's own error, not a fault.
    if (lista.Count() > 0)
        lista.Imprimir();
    return 0;
}

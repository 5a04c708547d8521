// Any bytes loaded as an NF-e file and, for whatever documents load, the DANFE pages
// prepared as the preview would show them and written as PDF. Loading errors are the
// run-time's exceptions; preparing the pages of a loaded document must never fail.

#include "layout_fuzz.h"

#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "nfe/list.h"

namespace {

struct Estado {
    Estado()
    {
        nfe->SetDANFE(danfe.get());
        danfe->SetMostrarPreview(fuzz::GravarPaginas());
    }
    rtl::TComponentPtr<nfe::TOvixNFe> nfe = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
    rtl::TComponentPtr<nfe::TOvixNFeDANFeRL> danfe = rtl::TComponent::CreateFree<nfe::TOvixNFeDANFeRL>();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Estado estado;
    nfe::TNotasFiscais &lista = estado.nfe->NotasFiscais();
    fuzz::Carregar(lista, data, size);
    lista.Imprimir();
    return 0;
}

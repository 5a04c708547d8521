// Any bytes loaded as a CT-e file and, for whatever documents load, the DACTE pages
// prepared as the preview would show them and written as PDF. Loading errors are the
// run-time's exceptions; preparing the pages of a loaded document fails only on a QR Code
// text too long for any symbol, with the error the window shows.

#include "layout_fuzz.h"

#include "cte/component.h"
#include "cte/dacte/component.h"
#include "cte/list.h"

namespace {

struct Estado {
    Estado()
    {
        dacte->SetOvixCTe(cte.get());
        dacte->SetMostrarPreview(fuzz::GravarPaginas());
    }
    rtl::TComponentPtr<cte::TOvixCTe> cte = rtl::TComponent::CreateFree<cte::TOvixCTe>();
    rtl::TComponentPtr<cte::TOvixCTeDACTeRL> dacte = rtl::TComponent::CreateFree<cte::TOvixCTeDACTeRL>();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Estado estado;
    cte::TConhecimentos &lista = estado.cte->Conhecimentos();
    fuzz::Carregar(lista, data, size);
    // An empty list is the DACTE's own error, not a fault.
    if (lista.Count() > 0)
        fuzz::AceitandoQRCodeLongo([&] { lista.Imprimir(size % 2 == 1); });
    return 0;
}

// Any bytes read as a CF-e SAT text and, whatever was read, the sale receipt prepared as
// the preview would show it, written as PDF and as HTML. Reading errors are the run-time's
// exceptions; preparing the receipt of what was read fails only on a QR Code text too long
// for any symbol, with the error the window shows.

#include "layout_fuzz.h"

#include "sat/component.h"
#include "sat/extrato/component.h"

namespace {

struct Estado {
    Estado()
    {
        extrato->SetOvixSAT(sat.get());
        extrato->SetFormularioContinuo(true);
        extrato->SetMostrarPreview(fuzz::GravarPaginas(true));
    }
    rtl::TComponentPtr<sat::TOvixSAT> sat = rtl::TComponent::CreateFree<sat::TOvixSAT>();
    rtl::TComponentPtr<sat::TOvixSATExtratoFortes> extrato =
        rtl::TComponent::CreateFree<sat::TOvixSATExtratoFortes>();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Estado estado;
    sat::TCFe &cfe = estado.sat->CFe();
    cfe.Clear();
    try {
        cfe.SetXMLString(fuzz::Texto(data, size));
    } catch (const rtl::Exception &) {
        // A failed read leaves what was read before the error; its receipt must prepare
        // as well.
    }
    fuzz::AceitandoQRCodeLongo([&] {
        if (size % 2 == 0)
            estado.extrato->ImprimirExtrato(nullptr);
        else
            estado.extrato->ImprimirExtratoResumido(nullptr);
    });
    return 0;
}

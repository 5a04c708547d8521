// Any bytes given to the MDF-e document list as a file's text: loading reads and
// regenerates every manifest found. Bad input may end in the run-time's exceptions (the
// window shows their message); anything else (another exception, a crash, a hang, a
// sanitizer report) is a fault.

#include "mdfe/component.h"
#include "mdfe/list.h"
#include "rtl/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto comp = rtl::TComponent::CreateFree<mdfe::TOvixMDFe>();
    mdfe::TManifestos &lista = comp->Manifestos();
    lista.Clear();
    try {
        lista.LoadFromString(std::string_view(reinterpret_cast<const char *>(data), size), true);
    } catch (const rtl::Exception &) {
    }
    return 0;
}

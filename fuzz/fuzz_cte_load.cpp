// Any bytes given to the CT-e document list as a file's text: loading reads and
// regenerates every CT-e or CT-e OS found. Bad input may end in the run-time's exceptions
// (the window shows their message); anything else (another exception, a crash, a hang, a
// sanitizer report) is a fault.

#include "cte/component.h"
#include "cte/list.h"
#include "rtl/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto comp = rtl::TComponent::CreateFree<cte::TOvixCTe>();
    cte::TConhecimentos &lista = comp->Conhecimentos();
    lista.Clear();
    try {
        lista.LoadFromString(std::string_view(reinterpret_cast<const char *>(data), size), true);
    } catch (const rtl::Exception &) {
    }
    return 0;
}

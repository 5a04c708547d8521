#pragma once
// The boxes of fields of the parties bands, kept by the layout so that each print can
// fill them again.

#include "dfe/report/caixa_campos.h"

#include <array>

namespace cte {

struct TCaixasPartes {
    // Sender, recipient, dispatcher, receiver, taker; the CT-e OS's taker.
    std::array<dfe::TCaixaCampos, 6> partes;
};

} // namespace cte

// The tax totals and the transport with its volumes, the last title bands of page 1.

#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"
#include "nfe/danfe/layout_construcao.h"

namespace nfe {

void TfrlDANFeRLRetrato::CriarTotais() {}

void TfrlDANFeRLRetrato::PrepararImposto() {}

void TfrlDANFeRLRetrato::PrepararTransporte() {}

} // namespace nfe

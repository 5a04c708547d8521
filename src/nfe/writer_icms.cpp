#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarDetImpostoICMS(int /*i*/) {}

} // namespace nfe

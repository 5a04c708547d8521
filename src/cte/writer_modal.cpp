// The insurance group and the seven modal groups, each written inside infModal by
// GerarInfModal according to ide.modal.

#include "cte/writer_linhas.h"

namespace cte {

using namespace linhas;

// Not written yet.
void TCTeW::GerarSeg() {}
void TCTeW::GerarRodo() {}
void TCTeW::GerarRodoOS() {}
void TCTeW::GerarAereo() {}
void TCTeW::GerarAquav() {}
void TCTeW::GerarFerrov() {}
void TCTeW::GerarDuto() {}
void TCTeW::GerarMultimodal() {}

} // namespace cte

#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarDet() {}
void TNFeW::GerarDetProd(int /*i*/) {}
void TNFeW::GerarDetProdNVE(int /*i*/) {}
void TNFeW::GerarDetProdDI(int /*i*/) {}
void TNFeW::GerarDetProdDIadi(int /*i*/, int /*j*/) {}
void TNFeW::GerarDetProddetExport(int /*i*/) {}
void TNFeW::GerarDetProdRastro(int /*i*/) {}
void TNFeW::GerarDetImposto(int /*i*/) {}

} // namespace nfe

#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarDetProdVeicProd(int /*i*/) {}
void TNFeW::GerarDetProdMed(int /*i*/) {}
void TNFeW::GerarDetProdArma(int /*i*/) {}
void TNFeW::GerarDetProdComb(int /*i*/) {}
void TNFeW::GerarDetProdCombCIDE(int /*i*/) {}
void TNFeW::GerarDetProdCombencerrante(int /*i*/) {}
void TNFeW::GerarDetProdCombICMS(int /*i*/) {}
void TNFeW::GerarDetProdCombICMSInter(int /*i*/) {}
void TNFeW::GerarDetProdCombICMSCons(int /*i*/) {}

} // namespace nfe

#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarTotal() {}
void TNFeW::GerarTotalICMSTotal() {}
void TNFeW::GerarTotalISSQNtot() {}
void TNFeW::GerarTotalretTrib() {}
void TNFeW::GerarTransp() {}
void TNFeW::GerarTranspTransporta() {}
void TNFeW::GerarTranspRetTransp() {}
void TNFeW::GerarTranspVeicTransp() {}
void TNFeW::GerarTranspReboque() {}
void TNFeW::GerarTranspVol() {}
void TNFeW::GerarTranspVolLacres(int /*i*/) {}
void TNFeW::GerarCobr() {}
void TNFeW::GerarCobrFat() {}
void TNFeW::GerarCobrDup() {}

} // namespace nfe

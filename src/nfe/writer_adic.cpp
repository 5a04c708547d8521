#include "nfe/writer.h"

namespace nfe {

void TNFeW::Gerarpag() {}
void TNFeW::GerarInfAdic() {}
void TNFeW::GerarInfAdicObsCont() {}
void TNFeW::GerarInfAdicObsFisco() {}
void TNFeW::GerarInfAdicProcRef() {}
void TNFeW::GerarExporta() {}
void TNFeW::GerarCompra() {}
void TNFeW::GerarCana() {}
void TNFeW::GerarforDia() {}
void TNFeW::GerarDeduc() {}
void TNFeW::GerarinfRespTec() {}

} // namespace nfe

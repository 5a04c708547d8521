#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarDetImpostoIPI(int /*i*/) {}
void TNFeW::GerarDetImpostoII(int /*i*/) {}
void TNFeW::GerarDetImpostoPIS(int /*i*/) {}
void TNFeW::GerarDetImpostoPISST(int /*i*/) {}
void TNFeW::GerarDetImpostoCOFINS(int /*i*/) {}
void TNFeW::GerarDetImpostoCOFINSST(int /*i*/) {}
void TNFeW::GerarDetImpostoISSQN(int /*i*/) {}
void TNFeW::GerarDetImpostoICMSUFDest(int /*i*/) {}
void TNFeW::GerarDetDevol(int /*i*/) {}

} // namespace nfe

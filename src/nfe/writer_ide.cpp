#include "nfe/writer.h"

namespace nfe {

void TNFeW::GerarIde() {}
void TNFeW::GerarIdeNFref() {}
void TNFeW::GerarIdeNFrerefNFe(int /*i*/) {}
void TNFeW::GerarIdeNFrefRefNF(int /*i*/) {}
void TNFeW::GerarRefNFP(int /*i*/) {}
void TNFeW::GerarIdeNFrerefCTe(int /*i*/) {}
void TNFeW::GerarRefECF(int /*i*/) {}
void TNFeW::GerarEmit() {}
void TNFeW::GerarEmitEnderEmit() {}
void TNFeW::GerarAvulsa() {}
void TNFeW::GerarDest() {}
void TNFeW::GerarDestEnderDest(std::string & /*UF*/) {}
void TNFeW::GerarRetirada() {}
void TNFeW::GerarEntrega() {}
void TNFeW::GerarautXML() {}
void TNFeW::AjustarMunicipioUF(std::string &, std::string &, int &, int, const std::string &,
                               const std::string &, int) const {}

} // namespace nfe

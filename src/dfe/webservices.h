#pragma once
// The web-service address lists. Each family's list is INI text: sections named
// "<model>_<state or authority>_<P|H>" (production, homologation), keys
// "<service>_<version>" (or a bare service name) holding the address, "Usar" naming a
// section to fall back on, "WSDL" and "SoapAction" naming sections with those answers
// under the same keys. The program carries one list per family; a file of the same name
// with ".ini" beside the executable takes its place.
//
// The lookups themselves are members of TOvixDFe (component.h); loading the text is done by
// TWebServicesConf and TConfiguracoes (settings.h). This module holds their
// bodies and the access to the lists carried in the program.

#include <string>
#include <string_view>

namespace dfe {

// The bytes of the list carried in the program under that name (letter case ignored):
// "OvixNFeServicos", "OvixCTeServicos", "OvixMDFeServicos". rtl::EResNotFound
// ("Resource <name> not found") for any other name.
std::string LerRecurso(std::string_view Nome);

} // namespace dfe

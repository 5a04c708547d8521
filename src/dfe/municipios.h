#pragma once
// The municipality lookups behind the writers' option to normalise municipalities: a
// missing code found from the name and state, a missing name from the code. The table is
// a text file the user keeps in a folder of their choice; the program ships none, so a
// folder without it answers "not found" and the writers keep what the model holds.
//
// The file is ArquivoMunicipios in the folder, UTF-8, one municipality a line:
// "code;UF;name" (3550308;SP;São Paulo). Blank lines and lines that do not have three
// fields or whose code is not a number are skipped.

#include <string>
#include <string_view>

namespace dfe {

inline constexpr std::string_view ArquivoMunicipios = "municipios.txt";

// The code of the municipality named xMun in the state xUF; names match ignoring case,
// accents and surrounding blanks. 0 when not found or the table cannot be read. Never
// raises.
int ObterCodigoMunicipio(std::string_view xMun, std::string_view xUF, std::string_view Pasta);

// The name, as the table writes it, of the municipality with code cMun in the state xUF
// (the state ignoring case). Empty when not found or the table cannot be read. Never
// raises.
std::string ObterNomeMunicipio(std::string_view xUF, int cMun, std::string_view Pasta);

} // namespace dfe

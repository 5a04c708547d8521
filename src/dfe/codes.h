#pragma once
// The shared code tables of the fiscal documents: the generic conversions, the states and
// their numeric codes, the registry of the families' event-type parsers, and (through the
// headers below) every shared enumeration with its codes.

#include "dfe/codes_document.h"
#include "dfe/codes_events.h"
#include "dfe/codes_settings.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "dfe/codetable.h"
#include "rtl/variant.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// ---- Generic conversions over parallel lists -------------------------------------------
// The rule of codetable.h for callers that hold a table as two parallel lists of codes and
// of values (ordinals as integers). The per-enumeration functions use the typed templates.
// A value compares with a list entry by ordinal when both hold integers, otherwise as
// tagged values; entries beyond the shorter list are ignored.

// Code to value: the value of the last matching code with ok = true; otherwise the first
// value (an empty Variant when the lists are empty) with ok = false.
rtl::Variant StrToEnumerado(bool &ok, std::string_view s, std::span<const std::string_view> AString,
                            std::span<const rtl::Variant> AEnumerados);
// Value to code: the code of the last entry holding the value, as text; "" when none does.
rtl::Variant EnumeradoToStr(const rtl::Variant &t, std::span<const std::string_view> AString,
                            std::span<const rtl::Variant> AEnumerados);
// The code at the ordinal held in t; "" when the ordinal is outside the list.
rtl::Variant EnumeradoToStr2(const rtl::Variant &t, std::span<const std::string_view> AString);

// ---- States ----------------------------------------------------------------------------

// The 27 states and, at the same index, their numeric codes (cUF of the XML and the key).
extern const std::array<std::string_view, 27> DFeUF;
extern const std::array<int, 27> DFeUFCodigo;

// The state whose numeric code is CUF; "" for a code no state has.
std::string CUFtoUF(int CUF);

// ---- Event-type parsers of the families -------------------------------------------------

// A family's parser of event-type codes; it sets ok as the code tables do.
using TStrToTpEvento = TpcnTpEvento (*)(bool &ok, std::string_view s);

struct TStrToTpEventoDFe {
    TStrToTpEvento StrToTpEventoMethod;
    std::string NomeDFe; // the family's name with ASCII letters upper-cased
};

// Offers a family's parser under its name. Names compare after ASCII upper-casing; the first
// registration of a name stays and later ones are ignored, as is a null parser. Families
// register once at start, before anything reads the registry; it has no lock.
void RegisterStrToTpEventoDFe(TStrToTpEvento AConvertProcedure, std::string_view ADFe);

// Parses an event-type code with the parser registered under aDFe (ASCII case ignored).
// When no family has that name: teNaoMapeado, and ok is left as the caller had it.
TpcnTpEvento StrToTpEventoDFe(bool &ok, std::string_view s, std::string_view aDFe);

// The registrations, in order; read-only.
const std::vector<TStrToTpEventoDFe> &StrToTpEventoDFeList();

} // namespace dfe

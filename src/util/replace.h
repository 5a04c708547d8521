#pragma once
// Text replacement that finds every match first and builds the result in one allocation.

#include "rtl/text.h"

#include <string>
#include <string_view>

namespace util {

// Replaces the first match of OldPattern in S, or every match with rfReplaceAll; matches
// never overlap and an empty OldPattern matches nothing. With rfIgnoreCase the search
// compares accent-aware upper case (rtl::AnsiUpperChar); NewPattern goes in as given.
// Linear in the sizes of S and the patterns.
std::string FastStringReplace(std::string_view S, std::string_view OldPattern,
                              std::string_view NewPattern, rtl::TReplaceFlags Flags);

} // namespace util

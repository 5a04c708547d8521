#pragma once
// The free texts of a CT-e as the DACTE prints them: the issuer writes its line breaks as
// a marker (and the bands also break at semicolons).

#include <string>
#include <string_view>

namespace cte {

// Every line-break marker of a free text made a line break ("\r\n"): the marker as the
// document escapes it or as the reader gives it back, in any case.
std::string QuebrasDeLinha(std::string_view texto);

// The lines of a memo's text; 0 for an empty text.
int ContarLinhas(std::string_view texto);

} // namespace cte

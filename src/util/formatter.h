#pragma once
// Writing identifiers the way the printed documents show them: CPF and CNPJ with their
// points, slash and dash, the postal code (CEP), telephone numbers, vehicle plates, and
// any digit string by a mask. Nothing here validates: each routine takes the digits it
// finds and fills or cuts them to the form. Lengths count characters.

#include <string>
#include <string_view>

namespace util {

// The digits zero-filled on the left to 11 (a longer run keeps its first 11) as
// '999.999.999-99'.
std::string FormatarCPF(std::string_view AValue);
// The digits zero-filled on the left to 14 (a longer run keeps its first 14) as
// '99.999.999/9999-99'.
std::string FormatarCNPJ(std::string_view AValue);
// Empty when the text holds no digit; a CNPJ for exactly 14 digits; a CPF for any other
// count (12 or 13 digits come out as a CPF of their first 11).
std::string FormatarCNPJouCPF(std::string_view AValue);

// '99999-999' from the digits: fewer than 5 are zero-filled to 5, and 5 digits (a
// city-wide code) get "000" appended; any other count is zero-filled on the left to 8, a
// longer run keeping its first 8.
std::string FormatarCEP(std::string_view AValue);
std::string FormatarCEP(int AValue);

// The trimmed, upper-cased text as characters 1 to 3, '-', characters 4 to 7 ('AB'
// gives 'AB-').
std::string FormatarPlaca(std::string_view AValue);

// The digits of a telephone number without leading zeros, written by their count:
// '9999-9999', '99999-9999', '(99)9999-9999', '(99)99999-9999', '+99(99)9999-9999',
// '+99(99)99999-9999', and '0800-999-9999' for a number that began with 0800. Up to 9
// digits get the first two characters of DDDPadrao in front when it is given. Past 12
// digits, zeros after the country code (a trunk prefix) are dropped. Empty for a number
// of no digits or zeros only.
std::string FormatarFone(std::string_view AValue, std::string_view DDDPadrao = "");

// Mascara filled from its right end: each '*' takes the next character of the trimmed
// value counted from the value's right end, or '0' once the value is used up; other mask
// characters are copied. A value longer than the '*' count loses its leftmost characters:
// '**-**' with '123' gives '01-23', with '123456' gives '34-56'.
std::string FormatarMascaraNumerica(std::string_view ANumValue, std::string_view Mascara);

} // namespace util

#pragma once
// The access key of NF-e, CT-e and MDF-e documents: building it (with the random numeric
// code it carries when the document has none) and writing it, and document numbers, for
// the printed documents. Also the checks of import and export identifiers the NF-e
// writer turns into alerts, the test of whether an XML text is signed, and the hash of
// the technical-responsible code.
//
// The access key is 44 digits: state code (2), year and month of issue YYMM (4), CNPJ or
// CPF of the issuer in 14 digits (14), model (2), series (3), number (9), emission type
// (1), numeric code (8) and the modulo-11 check digit (1).
//
// None of these raises for bad input. "The current year" is the two-digit year of
// rtl::Date(), so tests can fix it with rtl::ScopedClock.

#include "rtl/datetime.h"

#include <array>
#include <string>
#include <string_view>

namespace dfe {

// The numeric codes a key may not carry: all digits equal, runs of ascending digits,
// and zero.
inline constexpr std::array<int, 20> CCodigosDFeInvalidos{
    0,        11111111, 22222222, 33333333, 44444444, 55555555, 66666666,
    77777777, 88888888, 99999999, 12345678, 23456789, 34567890, 45678901,
    56789012, 67890123, 78901234, 89012345, 90123456, 1234567,
};

// The code differs from the document number and from every forbidden code.
bool ValidarCodigoDFe(int AcDF, int AnDF);

// A code from 0 to 99999998 accepted by ValidarCodigoDFe against the number AnDF, drawn
// from the process-wide generator (rtl::Random) until one is accepted.
int GerarCodigoDFe(int AnDF);

// The 44-digit key. A code of -1 or 0 is replaced by GerarCodigoDFe(ANumero), a code
// below -1 by 0. Every part is zero-filled on the left to its width, and a part too long
// keeps its first digits, so the key is always 44 characters; only the digits of ACNPJ
// are used. Nothing is validated.
std::string GerarChaveAcesso(int AUF, rtl::TDateTime ADataEmissao, std::string_view ACNPJ,
                             int ASerie, int ANumero, int AtpEmi, int ACodigo, int AModelo);

// The digits of the value in groups of four separated by one blank; the last group is
// shorter when the count is not a multiple of four. 44 digits give 54 characters.
std::string FormatarChaveAcesso(std::string_view AValue);

// The trimmed text zero-filled on the left to 9 characters (a longer one keeps its first
// 9) and written "999.999.999": '1234' gives '000.001.234'.
std::string FormatarNumeroDocumentoFiscal(std::string_view AValue);

// Import declaration (DI) or simplified declaration (DSI): 11 or 12 digits among the
// text, the first 2 or 4, the next two a year within one of the current one, the last
// the modulo-11 digit (weights 2 to 9) of the others.
bool ValidaDIDSI(std::string_view AValue);
// Export declaration: the text is 12 digits and starts with a year within one of the
// current one.
bool ValidaDIRE(std::string_view AValue);
// Export registration: empty or twelve zeros; otherwise 12 digits starting with a year
// within one of the current one and ending with a number 001 to 999.
bool ValidaRE(std::string_view AValue);
// Drawback act: 9 digits among the text (of 11, the last 9) starting with a year within
// two of the current one, the ninth the modulo-11 digit (weights 2 to 9) of the first 8.
bool ValidaDrawback(std::string_view AValue);
// RECOPI number: exactly 20 digits among the text, the 19th the modulo-11 digit of the
// first 18 with weights 1 to 18, the 20th that of the first 19 with weights 1 to 19.
bool ValidaRECOPI(std::string_view AValue);
// Mercosur nomenclature extension: two ASCII letters and four ASCII digits.
bool ValidaNVE(std::string_view AValue);

// The text holds "<signature" in any letter case.
bool XmlEstaAssinado(std::string_view AXML);

// Base64 of the SHA-1 digest of ACSRT followed by AChave, both in the ANSI code page:
// 28 characters.
std::string CalcularHashCSRT(std::string_view ACSRT, std::string_view AChave);

} // namespace dfe

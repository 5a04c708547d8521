#pragma once
// The general toolbox: filling and cutting texts, digit filters, emptiness tests, numbers
// with fixed Brazilian separators, date texts, hexadecimal conversions and a small
// scrambler for passwords. Every routine is a plain function of its arguments and of the
// process-wide format settings.
//
// Texts are UTF-8 and count characters (code points) from 1. Parameters and results
// named `ansi`/`bytes`, or documented as bytes, are byte strings in the ANSI code page
// (Windows-1252).

#include "rtl/datetime.h"
#include "rtl/formatsettings.h"
#include "rtl/stringlist.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// ---- Filling and cutting -----------------------------------------------------------

// AString followed by Caracter up to nLen characters; a longer text keeps its first nLen.
std::string PadRight(std::string_view AString, int nLen, char32_t Caracter = ' ');
// Caracter in front up to nLen characters; a longer text keeps its first (leftmost) nLen.
std::string PadLeft(std::string_view AString, int nLen, char32_t Caracter = ' ');

// Justifies the text to nLen characters by widening each Separador (one character) into
// a run of Caracter, the rightmost runs one longer when the width does not divide evenly.
// A text without separators is padded on the right. When Separador and Caracter are the
// same character, the separators first become U+00FF so the runs stay apart from them.
std::string PadSpace(std::string_view AString, int nLen, std::string_view Separador,
                     char32_t Caracter = ' ', bool RemoverEspacos = true);

// Length in UTF-16 units: characters above U+FFFF count two.
int LengthNativeString(std::string_view AString);
// The first ALen characters.
std::string LeftStrNativeString(std::string_view AString, int ALen);

std::string Space(int Tamanho);

// Occurrences of SubStr, overlapping ones included ('aa' is twice in 'aaa'); 0 for an
// empty SubStr.
int CountStr(std::string_view AString, std::string_view SubStr);
// Position of the last occurrence of SubStr in S; 0 when absent.
int PosLast(std::string_view SubStr, std::string_view S);

// DefaultValue when AValue (trimmed first when DoTrim) is empty, else AValue untrimmed.
std::string IfEmptyThen(std::string_view AValue, std::string_view DefaultValue,
                        bool DoTrim = true);

// The trimmed text zero-filled on the left to Tamanho; a longer text keeps its first
// Tamanho characters ('12345' with 3 gives '123').
std::string Poem_Zeros(std::string_view Texto, int Tamanho);
std::string Poem_Zeros(std::int64_t NumInteiro, int Tamanho);
// The decimal text zero-filled on the left; a longer number keeps its first digits.
std::string IntToStrZero(std::int64_t NumInteiro, int Tamanho);

// Leading '0' characters removed, never the last character ('000' gives '0').
std::string RemoveZerosEsquerda(std::string_view ANumStr);
// The ASCII digits of the text, in order.
std::string OnlyNumber(std::string_view AValue);
// The ASCII letters and digits of the text, in order.
std::string OnlyAlphaNum(std::string_view AValue);

// ---- Emptiness ---------------------------------------------------------------------

inline bool EstaVazio(std::string_view AValue) { return AValue.empty(); }
inline bool NaoEstaVazio(std::string_view AValue) { return !AValue.empty(); }

inline bool EstaZerado(double AValue) { return AValue == 0.0; }
template <std::integral T>
bool EstaZerado(T AValue)
{
    return AValue == 0;
}
inline bool NaoEstaZerado(double AValue) { return AValue != 0.0; }

// ---- Character classes (ASCII only: accented letters and anything above 255 fail) ----

constexpr bool CharIsAlpha(char32_t C) noexcept
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}
constexpr bool CharIsNum(char32_t C) noexcept { return C >= '0' && C <= '9'; }
constexpr bool CharIsAlphaNum(char32_t C) noexcept { return CharIsAlpha(C) || CharIsNum(C); }
constexpr bool CharIsHexa(char32_t C) noexcept
{
    return CharIsNum(C) || (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f');
}

// Not empty and only ASCII digits.
bool StrIsNumber(std::string_view S);
// Every character passes CharIsAlphaNum / CharIsHexa; an empty text passes.
bool StrIsAlphaNum(std::string_view S);
bool StrIsHexa(std::string_view S);

// ---- Hexadecimal, escapes, scrambling ----------------------------------------------

// Bytes of the trimmed text read as hexadecimal pairs; an odd last digit is ignored. A
// pair that is not hexadecimal raises rtl::EConvertError.
std::string HexToAscii(std::string_view HexStr);
// HexToAscii that returns false (and leaves bytes empty) instead of raising.
bool TryHexToAscii(std::string_view HexStr, std::string &bytes);
// Each byte as two upper-case hexadecimal digits.
std::string AsciiToHex(std::string_view bytes);
// The text in the ANSI code page with its "\xHH" escapes turned into bytes; an escape
// without two hexadecimal digits stays as written.
std::string StringToBinaryString(std::string_view AString);
// The bytes combined with the key bytes in turn (exclusive-or; a byte equal to its
// key byte stays). Applying it twice with the same key gives back a text without zero
// bytes. An empty text or key returns the text unchanged.
std::string StrCrypt(std::string_view bytes, std::string_view keyBytes);

// ---- Numbers -----------------------------------------------------------------------

enum TFormatMask { msk4x2, msk7x2, msk9x2, msk10x2, msk13x2, msk15x2, msk6x3, msk6x4, mskAliq };

// The user's locale settings with the start-up snapshot (OvixConsts) written over them.
rtl::TFormatSettings CreateFormatSettings();

// The trimmed text with every '.' and ',' read as the process decimal separator: '12.5'
// and '12,5' are both 12.5, '1.234,56' is not a number (rtl::EConvertError).
double StringToFloat(std::string_view NumString);
// DefaultValue for an empty text or one StringToFloat refuses.
double StringToFloatDef(std::string_view NumString, double DefaultValue);

// The value in the general form, or by the mask AFormat, under the process settings;
// then without the thousands separator and with SeparadorDecimal as the decimal
// separator: 12.5 with "0.00" gives '12.50' whatever the locale.
std::string FloatToString(double AValue, char32_t SeparadorDecimal = '.',
                          std::string_view AFormat = "");

// "0" for no decimals, else [","] "0." and DecimalDigits zeros.
std::string FloatMask(int DecimalDigits = 2, bool UseThousandSeparator = true);

// The value by the mask (",0.00" when empty) with ',' decimals and '.' thousands,
// whatever the locale: 1234 gives '1.234,00'.
std::string FormatFloatBr(double AValue, std::string_view AFormat = "");
std::string FormatFloatBr(TFormatMask AFormat, double AValue);

// ---- Dates -------------------------------------------------------------------------

// The date-time by AFormat ("DD/MM/YYYY hh:nn:ss" when empty) with '/' and ':' as the
// separators, whatever the locale.
std::string FormatDateTimeBr(rtl::TDateTime ADate, std::string_view AFormat = "");
// The whole days of the value by AFormat ("DD/MM/YYYY" when empty).
std::string FormatDateBr(rtl::TDateTime ADateTime, std::string_view AFormat = "");
// "yyyymmddhhnnss".
std::string DTtoS(rtl::TDateTime ADateTime);

// ---- Files -------------------------------------------------------------------------

enum TFindFileSortType { fstNone, fstDateTime, fstFileName };
enum TFindFileSortDirection { fsdNone, fsdAscending, fsdDescending };

// ---- Files and paths ------------------------------------------------------------------

// Folder of the running executable, with a trailing delimiter.
std::string ApplicationPath();
// The trimmed path with the folder delimiter appended when it does not end with one; an
// empty path stays empty.
std::string PathWithDelim(std::string_view APath);
// The trimmed path without any trailing '\' or '/'.
std::string PathWithoutDelim(std::string_view APath);
// Fills the list with the entries matching the mask (folders and hidden entries too),
// "." and ".." left out; sorted case-insensitively unless SortType is fstNone.
void FindFiles(std::string_view FileMask, rtl::TStringList &AStringList, bool IncludePath = true,
               TFindFileSortType SortType = fstNone, TFindFileSortDirection SortDirection = fsdAscending);
// Writes the bytes to a file, appending or creating it anew, optionally followed by CR LF.
// An empty name does nothing; an existing file is left untouched when there is nothing to
// write. File errors escape.
void WriteToTXT(const std::string &ArqTXT, std::string_view ABinaryString, bool AppendIfExists = true,
                bool AddLineBreak = true, bool ForceDirectory = false);
void WriteToFile(const std::string &Arq, std::string_view ABinaryString, bool ForceDirectory = false);

} // namespace util

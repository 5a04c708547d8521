#include "util/toolbox.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/numbers.h"
#include "rtl/streams.h"
#include "rtl/text.h"
#include "util/consts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iterator>
#include <vector>

namespace util {

namespace {

std::string Utf8Of(char32_t c)
{
    std::string text;
    rtl::AppendUtf8(text, c);
    return text;
}

void AppendRepeated(std::string &out, std::string_view unit, int count)
{
    for (int i = 0; i < count; ++i)
        out.append(unit);
}

// Calls found(offset) for the byte offset of every occurrence of needle in hay,
// overlapping ones included, left to right (Knuth-Morris-Pratt, linear). A well-formed
// UTF-8 needle only matches at character boundaries.
template <class Found>
void ForEachOccurrence(std::string_view hay, std::string_view needle, Found found)
{
    const std::size_t m = needle.size();
    if (m == 0 || hay.size() < m)
        return;
    std::vector<std::size_t> border(m, 0);
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = border[k - 1];
        if (needle[i] == needle[k])
            ++k;
        border[i] = k;
    }
    for (std::size_t i = 0, k = 0; i < hay.size(); ++i) {
        while (k > 0 && hay[i] != needle[k])
            k = border[k - 1];
        if (hay[i] == needle[k])
            ++k;
        if (k == m) {
            found(i + 1 - m);
            k = border[k - 1];
        }
    }
}

// Every non-overlapping occurrence of from replaced by to, left to right, byte-wise.
std::string ReplaceAllBytes(std::string_view s, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(s.size());
    std::size_t copied = 0;
    for (std::size_t at = s.find(from); !from.empty() && at != std::string_view::npos;
         at = s.find(from, copied)) {
        out.append(s.substr(copied, at - copied));
        out.append(to);
        copied = at + from.size();
    }
    out.append(s.substr(copied));
    return out;
}

int HexValue(char32_t c)
{
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return static_cast<int>(c - 'a' + 10);
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

// ---- Filling and cutting -----------------------------------------------------------

std::string PadRight(std::string_view AString, int nLen, char32_t Caracter)
{
    const int length = rtl::Length(AString);
    if (length >= nLen)
        return rtl::Copy(AString, 1, nLen);
    std::string result(AString);
    AppendRepeated(result, Utf8Of(Caracter), nLen - length);
    return result;
}

std::string PadLeft(std::string_view AString, int nLen, char32_t Caracter)
{
    const int length = rtl::Length(AString);
    if (length >= nLen)
        return rtl::Copy(AString, 1, nLen);
    std::string result;
    const std::string fill = Utf8Of(Caracter);
    result.reserve(fill.size() * static_cast<std::size_t>(nLen - length) + AString.size());
    AppendRepeated(result, fill, nLen - length);
    result.append(AString);
    return result;
}

std::string PadSpace(std::string_view AString, int nLen, std::string_view Separador,
                     char32_t Caracter, bool RemoverEspacos)
{
    std::string text = rtl::Copy(AString, 1, nLen);
    const std::string fill = Utf8Of(Caracter);
    std::string separator(Separador);
    if (separator == fill) {
        // A run of the fill character must not read as further separators.
        separator = Utf8Of(U'\u00FF');
        text = ReplaceAllBytes(text, Separador, separator);
    }
    const int count = CountStr(text, separator);
    if (count == 0)
        return PadRight(text, nLen, Caracter);
    if (RemoverEspacos)
        text = rtl::Trim(text);

    // Each separator counts as one character of the width.
    const int letters = rtl::Length(text) - count;
    const int run = (nLen - letters) / count;
    const int remainder = nLen - (letters + run * count);
    std::string result;
    result.reserve(text.size() + fill.size() * static_cast<std::size_t>(nLen));
    std::size_t copied = 0;
    int index = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, copied)) {
        ++index;
        result.append(text, copied, at - copied);
        AppendRepeated(result, fill, run + (index > count - remainder ? 1 : 0));
        copied = at + separator.size();
    }
    result.append(text, copied);
    return result;
}

int LengthNativeString(std::string_view AString)
{
    int units = 0;
    for (std::size_t pos = 0; pos < AString.size();)
        units += rtl::NextCodePoint(AString, pos) > 0xFFFF ? 2 : 1;
    return units;
}

std::string LeftStrNativeString(std::string_view AString, int ALen)
{
    return rtl::Copy(AString, 1, ALen);
}

std::string Space(int Tamanho)
{
    return std::string(static_cast<std::size_t>(std::max(Tamanho, 0)), ' ');
}

int CountStr(std::string_view AString, std::string_view SubStr)
{
    int count = 0;
    ForEachOccurrence(AString, SubStr, [&count](std::size_t) { ++count; });
    return count;
}

int PosLast(std::string_view SubStr, std::string_view S)
{
    std::size_t last = std::string_view::npos;
    ForEachOccurrence(S, SubStr, [&last](std::size_t at) { last = at; });
    if (last == std::string_view::npos)
        return 0;
    return rtl::Length(S.substr(0, last)) + 1;
}

std::string IfEmptyThen(std::string_view AValue, std::string_view DefaultValue, bool DoTrim)
{
    const bool empty = DoTrim ? rtl::Trim(AValue).empty() : AValue.empty();
    return std::string(empty ? DefaultValue : AValue);
}

std::string Poem_Zeros(std::string_view Texto, int Tamanho)
{
    return PadLeft(rtl::Trim(Texto), Tamanho, '0');
}

std::string Poem_Zeros(std::int64_t NumInteiro, int Tamanho)
{
    return IntToStrZero(NumInteiro, Tamanho);
}

std::string IntToStrZero(std::int64_t NumInteiro, int Tamanho)
{
    return Poem_Zeros(rtl::IntToStr(NumInteiro), Tamanho);
}

std::string RemoveZerosEsquerda(std::string_view ANumStr)
{
    std::size_t first = 0;
    while (first + 1 < ANumStr.size() && ANumStr[first] == '0')
        ++first;
    return std::string(ANumStr.substr(first));
}

std::string OnlyNumber(std::string_view AValue)
{
    std::string result;
    std::copy_if(AValue.begin(), AValue.end(), std::back_inserter(result),
                 [](char c) { return CharIsNum(static_cast<unsigned char>(c)); });
    return result;
}

std::string OnlyAlphaNum(std::string_view AValue)
{
    std::string result;
    std::copy_if(AValue.begin(), AValue.end(), std::back_inserter(result),
                 [](char c) { return CharIsAlphaNum(static_cast<unsigned char>(c)); });
    return result;
}

// Byte tests suffice below: every byte of a non-ASCII character is above 127 and fails.

bool StrIsNumber(std::string_view S)
{
    return !S.empty() && std::all_of(S.begin(), S.end(), [](char c) {
        return CharIsNum(static_cast<unsigned char>(c));
    });
}

bool StrIsAlphaNum(std::string_view S)
{
    return std::all_of(S.begin(), S.end(),
                       [](char c) { return CharIsAlphaNum(static_cast<unsigned char>(c)); });
}

bool StrIsHexa(std::string_view S)
{
    return std::all_of(S.begin(), S.end(),
                       [](char c) { return CharIsHexa(static_cast<unsigned char>(c)); });
}

// ---- Hexadecimal, escapes, scrambling ----------------------------------------------

std::string HexToAscii(std::string_view HexStr)
{
    const std::string hex = rtl::Trim(HexStr);
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    std::size_t pos = 0;
    while (pos < hex.size()) {
        const std::size_t start = pos;
        const char32_t high = rtl::NextCodePoint(hex, pos);
        if (pos >= hex.size())
            break; // an odd last digit is not part of any byte
        const char32_t low = rtl::NextCodePoint(hex, pos);
        if (!CharIsHexa(high) || !CharIsHexa(low))
            throw rtl::EConvertError::InvalidInteger("$" + hex.substr(start, pos - start));
        bytes.push_back(static_cast<char>(HexValue(high) * 16 + HexValue(low)));
    }
    return bytes;
}

bool TryHexToAscii(std::string_view HexStr, std::string &bytes)
{
    try {
        bytes = HexToAscii(HexStr);
        return true;
    } catch (const std::exception &) {
        bytes.clear();
        return false;
    }
}

std::string AsciiToHex(std::string_view bytes)
{
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex.push_back(kHexDigits[byte >> 4]);
        hex.push_back(kHexDigits[byte & 0x0F]);
    }
    return hex;
}

std::string StringToBinaryString(std::string_view AString)
{
    std::string bytes = rtl::Utf8ToAnsi(AString);
    // A valid escape is replaced wherever it stands, so each distinct escape costs one
    // pass; a byte it produces may form a new escape with what follows, which a later
    // pass for that same escape picks up.
    std::size_t at = bytes.find("\\x");
    while (at != std::string::npos) {
        const auto high = at + 2 < bytes.size() ? static_cast<unsigned char>(bytes[at + 2]) : 0;
        const auto low = at + 3 < bytes.size() ? static_cast<unsigned char>(bytes[at + 3]) : 0;
        if (CharIsHexa(high) && CharIsHexa(low)) {
            const char byte = static_cast<char>(HexValue(high) * 16 + HexValue(low));
            const std::string escape = bytes.substr(at, 4);
            bytes = ReplaceAllBytes(bytes, escape, std::string_view(&byte, 1));
            at = bytes.find("\\x", at + 1);
        } else {
            at = bytes.find("\\x", at + 4);
        }
    }
    return bytes;
}

std::string StrCrypt(std::string_view bytes, std::string_view keyBytes)
{
    std::string result(bytes);
    if (bytes.empty() || keyBytes.empty())
        return result;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const char key = keyBytes[i % keyBytes.size()];
        if (result[i] != key)
            result[i] = static_cast<char>(result[i] ^ key);
    }
    return result;
}

// ---- Numbers -----------------------------------------------------------------------

rtl::TFormatSettings CreateFormatSettings()
{
    rtl::TFormatSettings settings = rtl::TFormatSettings::FromSystemLocale();
    const TOvixConsts &c = OvixConsts();
    settings.CurrencyString = c.CurrencyString;
    settings.CurrencyFormat = c.CurrencyFormat;
    settings.NegCurrFormat = c.NegCurrFormat;
    settings.ThousandSeparator = c.ThousandSeparator;
    settings.DecimalSeparator = c.DecimalSeparator;
    settings.CurrencyDecimals = c.CurrencyDecimals;
    settings.DateSeparator = c.DateSeparator;
    settings.ShortDateFormat = c.ShortDateFormat;
    settings.LongDateFormat = c.LongDateFormat;
    settings.TimeSeparator = c.TimeSeparator;
    settings.TimeAMString = c.TimeAMString;
    settings.TimePMString = c.TimePMString;
    settings.ShortTimeFormat = c.ShortTimeFormat;
    settings.LongTimeFormat = c.LongTimeFormat;
    settings.TwoDigitYearCenturyWindow = c.TwoDigitYearCenturyWindow;
    settings.ListSeparator = c.ListSeparator;
    return settings;
}

namespace {

// The value of a plain decimal text - a sign, digits and at most one '.' or ',' - whose
// digits fit a double's 53-bit integer and whose decimals are at most 22: the integer of
// its digits and the power of ten are then exact doubles, and the one division rounds to
// the nearest double, as the general reading does. False for any other text.
bool DecimalSimples(std::string_view texto, double &valor)
{
    constexpr std::uint64_t Exato = std::uint64_t{1} << 53;
    static constexpr double Potencias[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::size_t i = 0;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-'))
        negativo = texto[i++] == '-';
    std::uint64_t inteiro = 0;
    bool digito = false;
    bool separador = false;
    int decimais = 0;
    for (; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c >= '0' && c <= '9') {
            inteiro = inteiro * 10 + static_cast<std::uint64_t>(c - '0');
            if (inteiro > Exato)
                return false;
            digito = true;
            decimais += separador ? 1 : 0;
        } else if ((c == '.' || c == ',') && !separador) {
            separador = true;
        } else {
            return false;
        }
    }
    if (!digito || decimais > 22)
        return false;
    const double v = static_cast<double>(inteiro) / Potencias[decimais];
    valor = negativo ? -v : v;
    return true;
}

} // namespace

double StringToFloat(std::string_view NumString)
{
    const std::string &separadorLocal = rtl::FormatSettings().DecimalSeparator;
    double valor = 0;
    if ((separadorLocal == "." || separadorLocal == ",") && DecimalSimples(rtl::TrimView(NumString), valor))
        return valor;
    const std::string trimmed = rtl::Trim(NumString);
    const std::string &decimal = rtl::FormatSettings().DecimalSeparator;
    std::string text;
    text.reserve(trimmed.size() + decimal.size());
    for (const char c : trimmed) {
        if (c == '.' || c == ',')
            text.append(decimal);
        else
            text.push_back(c);
    }
    return rtl::StrToFloat(text);
}

double StringToFloatDef(std::string_view NumString, double DefaultValue)
{
    if (NumString.empty())
        return DefaultValue;
    try {
        return StringToFloat(NumString);
    } catch (const std::exception &) {
        return DefaultValue;
    }
}

std::string FloatToString(double AValue, char32_t SeparadorDecimal, std::string_view AFormat)
{
    const rtl::TFormatSettings &settings = rtl::FormatSettings();
    std::string text =
        AFormat.empty() ? rtl::FloatToStr(AValue) : rtl::FormatFloat(AFormat, AValue);
    // Each replacement copies the text, and most numbers hold nothing to replace (no
    // thousands in a plain mask, the separator already the one asked for): look first.
    if (settings.DecimalSeparator != settings.ThousandSeparator &&
        text.find(settings.ThousandSeparator) != std::string::npos)
        text = ReplaceAllBytes(text, settings.ThousandSeparator, "");
    const std::string separator = Utf8Of(SeparadorDecimal);
    if (separator != settings.DecimalSeparator &&
        text.find(settings.DecimalSeparator) != std::string::npos) {
        // One byte for another (a comma locale writing a dot) needs no second text.
        if (separator.size() == 1 && settings.DecimalSeparator.size() == 1)
            std::replace(text.begin(), text.end(), settings.DecimalSeparator[0], separator[0]);
        else
            text = ReplaceAllBytes(text, settings.DecimalSeparator, separator);
    }
    return text;
}

std::string FloatMask(int DecimalDigits, bool UseThousandSeparator)
{
    if (DecimalDigits <= 0)
        return "0";
    std::string mask = UseThousandSeparator ? ",0." : "0.";
    mask.append(static_cast<std::size_t>(DecimalDigits), '0');
    return mask;
}

std::string FormatFloatBr(double AValue, std::string_view AFormat)
{
    // A number's text reads only the two separators, both fixed here: the rest of the
    // settings (taken from the system's locale, which costs more than the formatting) is
    // never looked at, so it is not built for every value.
    static const rtl::TFormatSettings settings = [] {
        rtl::TFormatSettings s;
        s.DecimalSeparator = ",";
        s.ThousandSeparator = ".";
        return s;
    }();
    return rtl::FormatFloat(AFormat.empty() ? std::string_view(",0.00") : AFormat, AValue,
                            settings);
}

std::string FormatFloatBr(TFormatMask AFormat, double AValue)
{
    static constexpr std::string_view masks[] = {
        "#,##0.00",             // msk4x2
        "#,###,##0.00",         // msk7x2
        "###,###,##0.00",       // msk9x2
        "#,###,###,##0.00",     // msk10x2
        "#,###,###,###,##0.00", // msk13x2
        "###,###,###,###,##0.00", // msk15x2
        ",0.000",               // msk6x3
        ",0.0000",              // msk6x4
        "#00%",                 // mskAliq
    };
    static_assert(std::size(masks) == mskAliq + 1, "one mask per TFormatMask value");
    return FormatFloatBr(AValue, masks[AFormat]);
}

// ---- Dates -------------------------------------------------------------------------

std::string FormatDateTimeBr(rtl::TDateTime ADate, std::string_view AFormat)
{
    rtl::TFormatSettings settings = CreateFormatSettings();
    settings.DateSeparator = "/";
    settings.TimeSeparator = ":";
    return rtl::FormatDateTime(AFormat.empty() ? std::string_view("DD/MM/YYYY hh:nn:ss") : AFormat,
                               ADate, settings);
}

std::string FormatDateBr(rtl::TDateTime ADateTime, std::string_view AFormat)
{
    return FormatDateTimeBr(rtl::DateOf(ADateTime),
                            AFormat.empty() ? std::string_view("DD/MM/YYYY") : AFormat);
}

std::string DTtoS(rtl::TDateTime ADateTime)
{
    return rtl::FormatDateTime("yyyymmddhhnnss", ADateTime);
}

} // namespace util

// ---- Files and paths ------------------------------------------------------------------

namespace util {

std::string ApplicationPath()
{
    return PathWithDelim(rtl::ApplicationDir());
}

std::string PathWithDelim(std::string_view APath)
{
    std::string path = rtl::Trim(APath);
    if (!path.empty() && path.back() != rtl::PathDelim)
        path += rtl::PathDelim;
    return path;
}

std::string PathWithoutDelim(std::string_view APath)
{
    std::string path = rtl::Trim(APath);
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

void FindFiles(std::string_view FileMask, rtl::TStringList &AStringList, bool IncludePath,
               TFindFileSortType SortType, TFindFileSortDirection SortDirection)
{
    AStringList.Clear();
    const std::string prefix = IncludePath ? rtl::ExtractFilePath(std::string(FileMask)) : std::string();
    for (const rtl::TSearchRec &entry : rtl::FindEntries(FileMask)) {
        // "." and ".." (every name found inside "..") are not entries of the folder.
        if (std::string_view("..").find(entry.Name) != std::string_view::npos)
            continue;
        if (SortType == fstDateTime)
            AStringList.Add(DTtoS(entry.Time) + "|" + prefix + entry.Name);
        else
            AStringList.Add(prefix + entry.Name);
    }
    if (SortType == fstNone)
        return;

    AStringList.Sort();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(AStringList.Count()));
    for (const std::string &line : AStringList) {
        const std::size_t bar = line.find('|');
        names.push_back(bar == std::string::npos ? line : line.substr(bar + 1));
    }
    if (SortDirection == fsdDescending)
        std::reverse(names.begin(), names.end());
    AStringList.Clear();
    for (std::string &name : names)
        AStringList.Add(std::move(name));
}

void WriteToTXT(const std::string &ArqTXT, std::string_view ABinaryString, bool AppendIfExists,
                bool AddLineBreak, bool ForceDirectory)
{
    if (ArqTXT.empty())
        return;
    const bool exists = rtl::FileExists(ArqTXT);
    if (exists && ABinaryString.empty())
        return;
    if (!exists && ForceDirectory) {
        const std::string dir = rtl::ExtractFileDir(ArqTXT);
        if (!dir.empty() && !rtl::DirectoryExists(dir))
            rtl::ForceDirectories(dir);
    }

    const bool append = exists && AppendIfExists;
    rtl::TFileStream file(ArqTXT, append ? (rtl::fmOpenReadWrite | rtl::fmShareDenyWrite)
                                         : (rtl::fmCreate | rtl::fmShareDenyWrite));
    if (append)
        file.Seek(0, rtl::soEnd);
    rtl::WriteStrToStream(file, ABinaryString);
    if (AddLineBreak)
        rtl::WriteStrToStream(file, "\r\n");
}

void WriteToFile(const std::string &Arq, std::string_view ABinaryString, bool ForceDirectory)
{
    WriteToTXT(Arq, ABinaryString, false, false, ForceDirectory);
}

} // namespace util

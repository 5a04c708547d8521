#include "rtl/numbers.h"

#include "rtl/exceptions.h"
#include "rtl/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace rtl {

namespace detail {

bool ParseDecimal(std::string_view text, const TFormatSettings &settings, DecimalDigits &out)
{
    const std::string_view t = TrimView(text);
    const std::string_view separator = settings.DecimalSeparator;

    std::size_t pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) {
        negative = t[pos] == '-';
        ++pos;
    }

    // Leading zeros are skipped as they come so that only significant digits are kept.
    std::string digits;
    long long pointPos = 0;  // digits (kept or skipped zeros) before the separator, less skipped zeros
    bool anyDigit = false;
    bool seenSeparator = false;
    while (pos < t.size()) {
        const char c = t[pos];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                if (seenSeparator)
                    --pointPos;
            } else {
                digits += c;
                if (!seenSeparator)
                    ++pointPos;
            }
            ++pos;
        } else if (!seenSeparator && !separator.empty() && t.substr(pos).starts_with(separator)) {
            seenSeparator = true;
            pos += separator.size();
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;

    long long exponent = 0;
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E')) {
        ++pos;
        bool exponentNegative = false;
        if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) {
            exponentNegative = t[pos] == '-';
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < t.size() && t[pos] >= '0' && t[pos] <= '9') {
            // Saturate: past a billion the number is out of any range anyway.
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (t[pos] - '0');
            ++pos;
        }
        if (pos == start)
            return false;
        if (exponentNegative)
            exponent = -exponent;
    }
    if (pos != t.size())
        return false;

    const auto lastSignificant = digits.find_last_not_of('0');
    digits.resize(lastSignificant == std::string::npos ? 0 : lastSignificant + 1);
    out.Negative = negative;
    out.PointPos = digits.empty()
        ? 0
        : static_cast<int>(std::clamp(pointPos + exponent, -2'000'000'000LL, 2'000'000'000LL));
    out.Digits = std::move(digits);
    return true;
}

} // namespace detail

namespace {

using detail::DecimalDigits;

const char *NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

void StripTrailingZeros(DecimalDigits &d)
{
    const auto last = d.Digits.find_last_not_of('0');
    if (last == std::string::npos) {
        d.Digits.clear();
        d.PointPos = 0;
    } else {
        d.Digits.resize(last + 1);
    }
}

// The shortest digits that read back as the (finite) value.
DecimalDigits ShortestDigits(double value)
{
    DecimalDigits d;
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific).ptr;
    // "d.ddde+XX" or "de-XX"
    const char *e = std::find(buffer, end, 'e');
    for (const char *p = buffer; p != e; ++p)
        if (*p != '.')
            d.Digits += *p;
    const char *exponentStart = e + 1;
    if (*exponentStart == '+')
        ++exponentStart;
    int exponent = 0;
    std::from_chars(exponentStart, end, exponent);
    d.PointPos = exponent + 1;
    StripTrailingZeros(d);
    d.Negative = value < 0 && !d.Digits.empty();
    return d;
}

DecimalDigits CurrencyDigits(Currency value)
{
    const std::int64_t raw = value.Raw();
    const unsigned long long magnitude =
        raw < 0 ? 0ULL - static_cast<unsigned long long>(raw) : static_cast<unsigned long long>(raw);
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude).ptr;
    DecimalDigits d;
    d.Digits.assign(buffer, end);
    d.PointPos = static_cast<int>(d.Digits.size()) - 4;
    StripTrailingZeros(d);
    d.Negative = raw < 0;
    return d;
}

// Rounds to `decimals` places, a tie going away from zero.
void RoundHalfAway(DecimalDigits &d, int decimals)
{
    if (d.Digits.empty())
        return;
    const long long keep = static_cast<long long>(d.PointPos) + decimals;
    if (keep >= static_cast<long long>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        d.PointPos = 0;
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        // Trailing nines carry; they become zeros, which are dropped anyway.
        std::size_t i = d.Digits.size();
        while (i > 0 && d.Digits[i - 1] == '9')
            --i;
        if (i == 0) {
            d.Digits = "1";
            ++d.PointPos;
        } else {
            d.Digits.resize(i);
            ++d.Digits[i - 1];
        }
    }
    StripTrailingZeros(d);
}

// ---- the mask language ----------------------------------------------------------------

enum class TokenKind { Literal, Digit, Point, Exponent };

struct Token {
    TokenKind Kind = TokenKind::Literal;
    std::string_view Text;       // Literal
    bool IntegerPart = false;    // Digit
    int Index = 0;               // Digit: place within its part, from the left
    char ExponentLetter = 'E';   // Exponent
    bool ExponentPlus = false;   // Exponent: sign always shown
    int ExponentWidth = 1;       // Exponent: least number of digits
};

struct Mask {
    std::vector<Token> Tokens;
    int IntPlaces = 0;
    int MinIntDigits = 0;   // from the first '0' of the integer part to its end
    int FracPlaces = 0;
    int MinFracDigits = 0;  // up to the last '0' of the decimal part
    bool Grouping = false;
    bool Scientific = false;
};

bool StartsLiteralRun(char c)
{
    switch (c) {
    case '\'': case '"': case '0': case '#': case '.': case ',': case 'E': case 'e':
        return false;
    default:
        return true;
    }
}

Mask ParseMask(std::string_view s)
{
    Mask m;
    m.Tokens.reserve(s.size()); // at most one token per character
    bool seenPoint = false;
    int firstIntZero = -1;
    int lastFracZero = -1;
    std::size_t i = 0;
    auto literal = [&](std::string_view text) {
        if (!text.empty()) {
            Token t;
            t.Text = text;
            m.Tokens.push_back(t);
        }
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\'' || c == '"') {
            std::size_t close = s.find(c, i + 1);
            if (close == std::string_view::npos)
                close = s.size();
            literal(s.substr(i + 1, close - i - 1));
            i = std::min(close + 1, s.size());
            continue;
        }
        if (!m.Scientific) {
            if (c == '0' || c == '#') {
                Token t;
                t.Kind = TokenKind::Digit;
                t.IntegerPart = !seenPoint;
                if (!seenPoint) {
                    if (c == '0' && firstIntZero < 0)
                        firstIntZero = m.IntPlaces;
                    t.Index = m.IntPlaces++;
                } else {
                    if (c == '0')
                        lastFracZero = m.FracPlaces;
                    t.Index = m.FracPlaces++;
                }
                m.Tokens.push_back(t);
                ++i;
                continue;
            }
            if (c == '.') {
                if (!seenPoint) {
                    seenPoint = true;
                    Token t;
                    t.Kind = TokenKind::Point;
                    m.Tokens.push_back(t);
                }
                ++i;
                continue;
            }
            if (c == ',') {
                if (!seenPoint)
                    m.Grouping = true;
                ++i;
                continue;
            }
            if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
                Token t;
                t.Kind = TokenKind::Exponent;
                t.ExponentLetter = c;
                t.ExponentPlus = s[i + 1] == '+';
                i += 2;
                int zeros = 0;
                while (i < s.size() && (s[i] == '0' || s[i] == '#')) {
                    if (s[i] == '0')
                        ++zeros;
                    ++i;
                }
                t.ExponentWidth = std::max(zeros, 1);
                m.Tokens.push_back(t);
                m.Scientific = true;
                continue;
            }
        }
        const std::size_t start = i++;
        while (i < s.size() && StartsLiteralRun(s[i]))
            ++i;
        literal(s.substr(start, i - start));
    }
    m.MinIntDigits = firstIntZero < 0 ? 0 : m.IntPlaces - firstIntZero;
    m.MinFracDigits = lastFracZero + 1;
    if (m.Scientific)
        m.Grouping = false;
    return m;
}

// A value rounded for a mask; in scientific form, the mantissa and its exponent.
struct Prepared {
    DecimalDigits Value;
    int Exponent = 0;
};

Prepared Prepare(const Mask &m, DecimalDigits value)
{
    Prepared p;
    if (m.Scientific && !value.Digits.empty()) {
        const int intDigits = std::max(m.IntPlaces, 1);
        p.Exponent = value.PointPos - intDigits;
        value.PointPos = intDigits;
        RoundHalfAway(value, m.FracPlaces);
        if (value.PointPos > intDigits) {  // 9.99 -> 10.0: shift back
            value.PointPos = intDigits;
            ++p.Exponent;
        }
    } else {
        RoundHalfAway(value, m.FracPlaces);
    }
    p.Value = std::move(value);
    return p;
}

void Emit(const Mask &m, const Prepared &p, bool minus, const TFormatSettings &settings, std::string &out)
{
    const DecimalDigits &v = p.Value;
    const long long size = static_cast<long long>(v.Digits.size());
    auto digitAt = [&](long long index) {
        return index >= 0 && index < size ? v.Digits[static_cast<std::size_t>(index)] : '0';
    };
    const int intDigits = v.Digits.empty() ? 0 : std::max(v.PointPos, 0);
    const int intCount = std::max(intDigits, m.MinIntDigits);
    const int fracDigits = v.Digits.empty() ? 0 : static_cast<int>(std::max<long long>(size - v.PointPos, 0));
    const int fracCount = std::max(std::min(fracDigits, m.FracPlaces), m.MinFracDigits);

    // Integer digit j counts from the units (j = 0).
    auto emitInteger = [&](int j) {
        out += digitAt(static_cast<long long>(v.PointPos) - 1 - j);
        if (m.Grouping && j > 0 && j % 3 == 0)
            out += settings.ThousandSeparator;
    };

    std::size_t signPos = std::string::npos;
    for (const Token &t : m.Tokens) {
        switch (t.Kind) {
        case TokenKind::Literal:
            out += t.Text;
            break;
        case TokenKind::Digit:
            if (signPos == std::string::npos)
                signPos = out.size();
            if (t.IntegerPart) {
                // The first place takes every digit the mask has no room for.
                const int place = m.IntPlaces - 1 - t.Index;
                const int from = t.Index == 0 ? std::max(intCount - 1, place) : place;
                for (int j = from; j >= place; --j)
                    if (j < intCount)
                        emitInteger(j);
            } else if (t.Index < fracCount) {
                out += digitAt(static_cast<long long>(v.PointPos) + t.Index);
            }
            break;
        case TokenKind::Point:
            if (signPos == std::string::npos)
                signPos = out.size();
            if (m.IntPlaces == 0)
                for (int j = intCount - 1; j >= 0; --j)
                    emitInteger(j);
            if (fracCount > 0)
                out += settings.DecimalSeparator;
            break;
        case TokenKind::Exponent: {
            out += t.ExponentLetter;
            if (p.Exponent < 0)
                out += '-';
            else if (t.ExponentPlus)
                out += '+';
            char buffer[16];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::abs(p.Exponent)).ptr;
            const int width = static_cast<int>(end - buffer);
            if (width < t.ExponentWidth)
                out.append(static_cast<std::size_t>(t.ExponentWidth - width), '0');
            out.append(buffer, end);
            break;
        }
        }
    }
    if (minus && signPos != std::string::npos)
        out.insert(signPos, 1, '-');
}

// Splits "positive;negative;zero" at the ';' outside quotes; at most three sections.
int SplitSections(std::string_view format, std::string_view (&sections)[3])
{
    int count = 0;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections[count++] = format.substr(start, i - start);
            start = i + 1;
            if (count == 2)
                break;
        }
    }
    // The third section ends at a further ';' (anything after it is ignored).
    std::string_view last = format.substr(std::min(start, format.size()));
    if (count == 2) {
        quote = 0;
        for (std::size_t i = 0; i < last.size(); ++i) {
            const char c = last[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == ';') {
                last = last.substr(0, i);
                break;
            }
        }
    }
    sections[count++] = last;
    return count;
}

// A mask of one section made of zeros, then optionally a point and zeros ("0", "0.00",
// "000.0"): the masks amounts are written with. Gives the number of zeros on each side.
bool SimpleMask(std::string_view s, int &intZeros, int &fracZeros)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == '0')
        ++i;
    if (i == 0)
        return false;
    intZeros = static_cast<int>(i);
    fracZeros = 0;
    if (i == s.size())
        return true;
    if (s[i] != '.')
        return false;
    std::size_t j = ++i;
    while (j < s.size() && s[j] == '0')
        ++j;
    if (j != s.size())
        return false;
    fracZeros = static_cast<int>(j - i);
    return true;
}

// What Emit writes for a simple mask, without its token list: every integer digit (at
// least intZeros of them), and the separator with exactly fracZeros decimals. A value
// that rounds to zero prints as zero, without a minus sign.
std::string FormatSimple(int intZeros, int fracZeros, DecimalDigits value,
                         const TFormatSettings &settings)
{
    const bool minus = value.Negative && !value.Digits.empty();
    RoundHalfAway(value, fracZeros);
    const DecimalDigits &v = value;
    const long long size = static_cast<long long>(v.Digits.size());
    auto digitAt = [&](long long index) {
        return index >= 0 && index < size ? v.Digits[static_cast<std::size_t>(index)] : '0';
    };
    const int intDigits = v.Digits.empty() ? 0 : std::max(v.PointPos, 0);
    const int intCount = std::max(intDigits, intZeros);
    std::string out;
    out.reserve(static_cast<std::size_t>(intCount + fracZeros) + settings.DecimalSeparator.size() + 1);
    if (minus && !v.Digits.empty())
        out += '-';
    for (int j = intCount - 1; j >= 0; --j)
        out += digitAt(static_cast<long long>(v.PointPos) - 1 - j);
    if (fracZeros > 0) {
        out += settings.DecimalSeparator;
        for (int t = 0; t < fracZeros; ++t)
            out += digitAt(static_cast<long long>(v.PointPos) + t);
    }
    return out;
}

// FormatSimple of the value's shortest digits, worked in place on the digits' text: the
// masks amounts are written with, met once for every amount of a document written.
std::string FormatSimpleFloat(int intZeros, int fracZeros, double value, const TFormatSettings &settings)
{
    char buffer[40];
    const char *const end =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific).ptr;
    const char *const e = std::find(static_cast<const char *>(buffer), end, 'e');
    // The significant digits, one more place in front for a carry.
    char digitos[40];
    int tamanho = 0;
    for (const char *p = buffer; p != e; ++p)
        if (*p != '.')
            digitos[1 + tamanho++] = *p;
    const char *expoente = e + 1;
    if (*expoente == '+')
        ++expoente;
    int exp10 = 0;
    std::from_chars(expoente, end, exp10);
    long long ponto = static_cast<long long>(exp10) + 1;
    while (tamanho > 0 && digitos[tamanho] == '0')
        --tamanho;
    char *d = digitos + 1;
    if (tamanho == 0)
        ponto = 0;
    const bool minus = value < 0 && tamanho > 0;

    // Rounded to fracZeros places, a tie going away from zero.
    const long long manter = ponto + fracZeros;
    if (tamanho > 0 && manter < tamanho) {
        if (manter < 0) {
            tamanho = 0;
        } else {
            const bool sobe = d[manter] >= '5';
            tamanho = static_cast<int>(manter);
            if (sobe) {
                int i = tamanho;
                while (i > 0 && d[i - 1] == '9')
                    --i;
                if (i == 0) {
                    d[0] = '1';
                    tamanho = 1;
                    ++ponto;
                } else {
                    tamanho = i;
                    ++d[i - 1];
                }
            }
            while (tamanho > 0 && d[tamanho - 1] == '0')
                --tamanho;
        }
        if (tamanho == 0)
            ponto = 0;
    }

    const auto digitAt = [&](long long index) { return index >= 0 && index < tamanho ? d[index] : '0'; };
    const long long intDigits = tamanho == 0 ? 0 : std::max<long long>(ponto, 0);
    const long long intCount = std::max<long long>(intDigits, intZeros);
    std::string out;
    out.reserve(static_cast<std::size_t>(intCount + fracZeros) + settings.DecimalSeparator.size() + 1);
    if (minus && tamanho > 0)
        out += '-';
    for (long long j = intCount - 1; j >= 0; --j)
        out += digitAt(ponto - 1 - j);
    if (fracZeros > 0) {
        out += settings.DecimalSeparator;
        for (int t = 0; t < fracZeros; ++t)
            out += digitAt(ponto + t);
    }
    return out;
}

template <class General>
std::string FormatDecimal(std::string_view format, DecimalDigits value, const TFormatSettings &settings,
                          General general)
{
    int intZeros = 0;
    int fracZeros = 0;
    if (SimpleMask(format, intZeros, fracZeros))
        return FormatSimple(intZeros, fracZeros, std::move(value), settings);

    std::string_view sections[3];
    const int count = SplitSections(format, sections);
    const bool negative = value.Negative && !value.Digits.empty();
    int index = negative && count > 1 && !sections[1].empty() ? 1 : 0;
    if (sections[index].empty())
        return general();

    Mask mask = ParseMask(sections[index]);
    Prepared prepared = Prepare(mask, std::move(value));
    bool minus = negative && index == 0;
    if (prepared.Value.Digits.empty()) {
        // Prints as zero: the zero section if there is one, and never a minus sign.
        const int zeroIndex = count > 2 && !sections[2].empty() ? 2 : 0;
        if (sections[zeroIndex].empty())
            return "0";
        if (zeroIndex != index)
            mask = ParseMask(sections[zeroIndex]);
        prepared = Prepared{};
        minus = false;
    }
    std::string out;
    out.reserve(format.size() + 16);
    Emit(mask, prepared, minus, settings, out);
    return out;
}

bool TryParseFloat(std::string_view text, const TFormatSettings &settings, double &value)
{
    DecimalDigits d;
    if (!detail::ParseDecimal(text, settings, d))
        return false;
    if (d.Digits.empty()) {
        value = d.Negative ? -0.0 : 0.0;
        return true;
    }
    // Up to 15 significant digits and a power of ten up to 1e22 are both exact doubles,
    // so one multiplication or division rounds the value once, to nearest: the double
    // from_chars would give, without writing its text first.
    const auto significativos = static_cast<long long>(d.Digits.size());
    const long long expoente = static_cast<long long>(d.PointPos) - significativos;
    if (significativos <= 15 && expoente >= -22 && expoente <= 22) {
        static constexpr double Potencias[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        std::uint64_t inteiro = 0;
        for (const char c : d.Digits)
            inteiro = inteiro * 10 + static_cast<std::uint64_t>(c - '0');
        const double m = static_cast<double>(inteiro);
        const double v = expoente >= 0 ? m * Potencias[expoente] : m / Potencias[-expoente];
        value = d.Negative ? -v : v;
        return true;
    }
    // from_chars is locale-independent; the digits go in as 0.DIGITSe<point>.
    std::string buffer;
    buffer.reserve(d.Digits.size() + 16);
    buffer += "0.";
    buffer += d.Digits;
    buffer += 'e';
    buffer += std::to_string(d.PointPos);
    double parsed = 0;
    const auto result = std::from_chars(buffer.data(), buffer.data() + buffer.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        if (d.PointPos > 0)
            return false;  // too large for a double
        parsed = 0;        // too small: underflows to zero
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = d.Negative ? -parsed : parsed;
    return true;
}

} // namespace

std::string FormatFloat(std::string_view format, double value)
{
    return FormatFloat(format, value, FormatSettings());
}

std::string FormatFloat(std::string_view format, double value, const TFormatSettings &settings)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    int intZeros = 0;
    int fracZeros = 0;
    if (SimpleMask(format, intZeros, fracZeros))
        return FormatSimpleFloat(intZeros, fracZeros, value, settings);
    return FormatDecimal(format, ShortestDigits(value), settings,
                         [&] { return FloatToStr(value, settings); });
}

std::string FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}

std::string FloatToStr(double value, const TFormatSettings &settings)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return "0";
    // Fifteen significant digits, rounded from the exact binary value: "d.dddddddddddddde+XX".
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 14).ptr;
    const char *e = std::find(buffer, end, 'e');
    std::string digits;
    digits.reserve(15);
    for (const char *p = buffer; p != e; ++p)
        if (*p != '.')
            digits += *p;
    digits.resize(digits.find_last_not_of('0') + 1);
    const char *exponentStart = e + 1;
    if (*exponentStart == '+')
        ++exponentStart;
    int exponent = 0;
    std::from_chars(exponentStart, end, exponent);

    std::string out;
    out.reserve(24);
    if (value < 0)
        out += '-';
    const int count = static_cast<int>(digits.size());
    if (exponent >= 15 || exponent < -4) {
        out += digits[0];
        if (count > 1) {
            out += settings.DecimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        if (exponent < 0)
            out += '-';
        out += std::to_string(std::abs(exponent));
    } else if (exponent >= 0) {
        const int intCount = exponent + 1;
        if (count <= intCount) {
            out += digits;
            out.append(static_cast<std::size_t>(intCount - count), '0');
        } else {
            out.append(digits, 0, static_cast<std::size_t>(intCount));
            out += settings.DecimalSeparator;
            out.append(digits, static_cast<std::size_t>(intCount));
        }
    } else {
        out += '0';
        out += settings.DecimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

double StrToFloat(std::string_view text)
{
    return StrToFloat(text, FormatSettings());
}

double StrToFloat(std::string_view text, const TFormatSettings &settings)
{
    double value = 0;
    if (!TryParseFloat(text, settings, value))
        throw EConvertError::InvalidFloat(std::string(text));
    return value;
}

double StrToFloatDef(std::string_view text, double fallback)
{
    return StrToFloatDef(text, fallback, FormatSettings());
}

double StrToFloatDef(std::string_view text, double fallback, const TFormatSettings &settings)
{
    double value = 0;
    return TryParseFloat(text, settings, value) ? value : fallback;
}

bool TryStrToFloat(std::string_view text, double &value)
{
    return TryParseFloat(text, FormatSettings(), value);
}

bool TryStrToFloat(std::string_view text, double &value, const TFormatSettings &settings)
{
    return TryParseFloat(text, settings, value);
}

std::string CurrToStr(Currency value)
{
    return CurrToStr(value, FormatSettings());
}

std::string CurrToStr(Currency value, const TFormatSettings &settings)
{
    const DecimalDigits d = CurrencyDigits(value);
    if (d.Digits.empty())
        return "0";
    std::string out;
    out.reserve(28);
    if (d.Negative)
        out += '-';
    const int size = static_cast<int>(d.Digits.size());
    if (d.PointPos <= 0) {
        out += '0';
    } else {
        out.append(d.Digits, 0, static_cast<std::size_t>(std::min(d.PointPos, size)));
        if (d.PointPos > size)
            out.append(static_cast<std::size_t>(d.PointPos - size), '0');
    }
    if (size > d.PointPos) {
        out += settings.DecimalSeparator;
        if (d.PointPos < 0)
            out.append(static_cast<std::size_t>(-d.PointPos), '0');
        out.append(d.Digits, static_cast<std::size_t>(std::max(d.PointPos, 0)));
    }
    return out;
}

std::string FormatCurr(std::string_view format, Currency value)
{
    return FormatCurr(format, value, FormatSettings());
}

std::string FormatCurr(std::string_view format, Currency value, const TFormatSettings &settings)
{
    return FormatDecimal(format, CurrencyDigits(value), settings,
                         [&] { return CurrToStr(value, settings); });
}

} // namespace rtl

#include "rtl/formatsettings.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <clocale>

namespace rtl {

namespace {

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

// Appends literal text in the quoted form the date/time formatter understands. A single
// quote cannot appear inside '...', so it travels in "...".
void AppendQuoted(std::string &out, const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (text[pos] == u'\'') {
            out += "\"'\"";
            ++pos;
            continue;
        }
        qsizetype end = text.indexOf(u'\'', pos);
        if (end < 0)
            end = text.size();
        out += '\'';
        out += Utf8(text.mid(pos, end - pos));
        out += '\'';
        pos = end;
    }
}

// Drops blanks (space, no-break space, narrow no-break space) from the end.
void TrimTrailingBlanks(std::string &out)
{
    for (;;) {
        if (!out.empty() && out.back() == ' ')
            out.pop_back();
        else if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\xC2\xA0") == 0)
            out.resize(out.size() - 2);
        else if (out.size() >= 3 && out.compare(out.size() - 3, 3, "\xE2\x80\xAF") == 0)
            out.resize(out.size() - 3);
        else
            return;
    }
}

// Length of the run of the character at `pos`.
qsizetype RunLength(const QString &format, qsizetype pos)
{
    qsizetype end = pos + 1;
    while (end < format.size() && format[end] == format[pos])
        ++end;
    return end - pos;
}

// Reads a Qt quoted literal starting at the opening quote; returns the text and moves
// `pos` past the closing quote. Inside quotes, '' stands for one quote; outside, ''
// is a quote on its own.
QString ReadQtQuoted(const QString &format, qsizetype &pos)
{
    ++pos;
    if (pos < format.size() && format[pos] == u'\'') {
        ++pos;
        return QStringLiteral("'");
    }
    QString text;
    while (pos < format.size()) {
        if (format[pos] == u'\'') {
            if (pos + 1 < format.size() && format[pos + 1] == u'\'') {
                text += u'\'';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        text += format[pos++];
    }
    return text;
}

// Qt's date/time format language to ours. Letters of Qt's language map to ours; any other
// ASCII letter is quoted so our formatter does not read it as a field. Qt's time zone field
// has no counterpart and is dropped with the blanks before it.
std::string TranslateQtFormat(const QString &format)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(format.size()) + 8);
    qsizetype pos = 0;
    while (pos < format.size()) {
        const QChar c = format[pos];
        if (c == u'\'') {
            AppendQuoted(out, ReadQtQuoted(format, pos));
            continue;
        }
        if (!IsAsciiLetter(c)) {
            const qsizetype start = pos;
            while (pos < format.size() && !IsAsciiLetter(format[pos]) && format[pos] != u'\'')
                ++pos;
            out += Utf8(format.mid(start, pos - start));
            continue;
        }
        const qsizetype run = RunLength(format, pos);
        pos += run;
        switch (c.unicode()) {
        case u'd':
            // dddd is the longest field; a longer run repeats it.
            for (qsizetype left = run; left > 0; left -= 4)
                out.append(static_cast<std::size_t>(std::min<qsizetype>(left, 4)), 'd');
            break;
        case u'M':
            for (qsizetype left = run; left > 0; left -= 4)
                out.append(static_cast<std::size_t>(std::min<qsizetype>(left, 4)), 'm');
            break;
        case u'y':
            if (run == 1)
                AppendQuoted(out, QStringLiteral("y"));
            else
                out += run == 2 ? "yy" : "yyyy";
            break;
        case u'h':
        case u'H':
            out += run == 1 ? "h" : "hh";
            break;
        case u'm':
            out += run == 1 ? "n" : "nn";
            break;
        case u's':
            out += run == 1 ? "s" : "ss";
            break;
        case u'z':
            out += run >= 3 ? "zzz" : "z";
            break;
        case u'A':
        case u'a':
            out += "AMPM";
            if (pos < format.size() && (format[pos] == u'P' || format[pos] == u'p'))
                ++pos;
            break;
        case u't':
            TrimTrailingBlanks(out);
            break;
        default:
            AppendQuoted(out, QString(run, c));
            break;
        }
    }
    TrimTrailingBlanks(out);
    return out;
}

// The first character that separates fields: not a letter, not a blank, not quoted and
// not an invisible direction mark.
std::string FirstSeparator(const QString &format, const char *fallback)
{
    qsizetype pos = 0;
    while (pos < format.size()) {
        const QChar c = format[pos];
        if (c == u'\'') {
            ReadQtQuoted(format, pos);
            continue;
        }
        if (!c.isLetter() && !c.isSpace() && c.category() != QChar::Other_Format)
            return Utf8(QString(c));
        ++pos;
    }
    return fallback;
}

// Currency layouts by their shape: '$' the symbol, '1' the amount, ' ' a blank.
constexpr std::array<const char *, 4> CurrencyShapes = {"$1", "1$", "$ 1", "1 $"};
constexpr std::array<const char *, 16> NegCurrencyShapes = {
    "($1)", "-$1", "$-1", "$1-", "(1$)", "-1$", "1-$", "1$-",
    "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};

// Reduces a formatted amount to its shape: the symbol becomes '$', the digits and their
// separators '1', any blank run ' ', any minus sign '-'.
std::string CurrencyShape(const QString &text, const QString &symbol, const QString &negativeSign)
{
    std::string shape;
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (!symbol.isEmpty() && text.mid(pos, symbol.size()) == symbol) {
            shape += '$';
            pos += symbol.size();
            continue;
        }
        if (!negativeSign.isEmpty() && text.mid(pos, negativeSign.size()) == negativeSign) {
            shape += '-';
            pos += negativeSign.size();
            continue;
        }
        const QChar c = text[pos++];
        if (c.isDigit()) {
            if (shape.empty() || shape.back() != '1')
                shape += '1';
        } else if (c.isSpace()) {
            if (shape.empty() || shape.back() != ' ')
                shape += ' ';
        } else if (c == u'(' || c == u')' || c == u'-' || c == QChar(0x2212)) {
            shape += c == u'(' ? '(' : c == u')' ? ')' : '-';
        } else if (c.category() == QChar::Other_Format) {
            // direction marks carry no layout
        } else if (!shape.empty() && shape.back() == '1') {
            // decimal and group separators belong to the amount
        } else {
            shape += '?';
        }
    }
    return shape;
}

template <std::size_t N>
int ShapeIndex(const std::array<const char *, N> &shapes, const std::string &shape, int fallback)
{
    for (std::size_t i = 0; i < N; ++i)
        if (shape == shapes[i])
            return static_cast<int>(i);
    return fallback;
}

TFormatSettings FromQLocale(const QLocale &locale)
{
    TFormatSettings s;
    if (locale.language() == QLocale::C)
        return s;

    s.DecimalSeparator = Utf8(locale.decimalPoint());
    s.ThousandSeparator = Utf8(locale.groupSeparator());
    s.CurrencyString = Utf8(locale.currencySymbol(QLocale::CurrencySymbol));
    s.CurrencyDecimals = 2;

    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString sign = locale.negativeSign();
    s.CurrencyFormat = static_cast<std::uint8_t>(
        ShapeIndex(CurrencyShapes, CurrencyShape(locale.toCurrencyString(1.0), symbol, sign), 0));
    s.NegCurrFormat = static_cast<std::uint8_t>(
        ShapeIndex(NegCurrencyShapes, CurrencyShape(locale.toCurrencyString(-1.0), symbol, sign), 1));

    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    s.ShortDateFormat = TranslateQtFormat(shortDate);
    s.LongDateFormat = TranslateQtFormat(locale.dateFormat(QLocale::LongFormat));
    s.DateSeparator = FirstSeparator(shortDate, "/");

    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    s.ShortTimeFormat = TranslateQtFormat(shortTime);
    s.LongTimeFormat = TranslateQtFormat(locale.timeFormat(QLocale::LongFormat));
    s.TimeSeparator = FirstSeparator(shortTime, ":");
    s.TimeAMString = Utf8(locale.amText());
    s.TimePMString = Utf8(locale.pmText());

    s.TwoDigitYearCenturyWindow = 50;
    s.ListSeparator = s.DecimalSeparator == "," ? ";" : ",";
    return s;
}

} // namespace

TFormatSettings TFormatSettings::FromLocaleName(const std::string &localeName)
{
    if (localeName == "C" || localeName == "POSIX")
        return {};
    return FromQLocale(QLocale(QString::fromStdString(localeName)));
}

TFormatSettings TFormatSettings::FromSystemLocale()
{
    return Brazil();
}

TFormatSettings TFormatSettings::Brazil()
{
    TFormatSettings s;
    s.CurrencyString = "R$";
    s.CurrencyFormat = 2;  // "R$ 1"
    s.NegCurrFormat = 9;   // "-R$ 1"
    s.ThousandSeparator = ".";
    s.DecimalSeparator = ",";
    s.CurrencyDecimals = 2;
    s.DateSeparator = "/";
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongDateFormat = "dddd, d' de 'mmmm' de 'yyyy";
    s.TimeSeparator = ":";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.TwoDigitYearCenturyWindow = 50;
    s.ListSeparator = ";";
    return s;
}

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings = TFormatSettings::FromSystemLocale();
    return settings;
}

void SetFormatSettings(const TFormatSettings &settings)
{
    FormatSettings() = settings;
}

void InitFormatSettings()
{
    SetFormatSettings(TFormatSettings::FromSystemLocale());
    std::setlocale(LC_NUMERIC, "C");
}

ScopedFormatSettings::ScopedFormatSettings(const TFormatSettings &settings)
    : FSaved(FormatSettings())
{
    SetFormatSettings(settings);
}

ScopedFormatSettings::~ScopedFormatSettings()
{
    SetFormatSettings(FSaved);
}

} // namespace rtl

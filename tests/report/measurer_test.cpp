#include "report/measurer.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <optional>

namespace {

using report::FixedTextMeasurer;
using report::Font;
using report::QtTextMeasurer;

std::vector<std::string> lineTexts(const std::vector<report::WrappedLine> &lines)
{
    std::vector<std::string> out;
    for (const auto &line : lines)
        out.push_back(line.text);
    return out;
}

TEST(Fonts, LayoutFamiliesDrawWithTheLiberationFonts)
{
    struct Row {
        const char *name;
        const char *family;
        const char *resolved;
    } rows[] = {
        {"Arial", "Arial", "Liberation Sans"},
        {"Arial in lower case", "arial", "Liberation Sans"},
        {"Tahoma has no clone: the sans one", "Tahoma", "Liberation Sans"},
        {"Helvetica", "Helvetica", "Liberation Sans"},
        {"Times New Roman", "Times New Roman", "Liberation Serif"},
        {"Courier New", "Courier New", "Liberation Mono"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(report::resolvedFamily(row.family), row.resolved) << row.name;
        // The font Qt really loads, not only the name asked for.
        const Font font{row.family, 11, false, false};
        EXPECT_EQ(QFontInfo(report::toQFont(font)).family().toStdString(), row.resolved) << row.name;
    }
    EXPECT_EQ(report::resolvedFamily("Liberation Mono"), "Liberation Mono");
}

TEST(Fonts, PointSizesBecomeWholePixels)
{
    EXPECT_EQ(report::pointsToPixels(8), 11);
    EXPECT_EQ(report::pointsToPixels(7), 9);
    EXPECT_EQ(report::pointsToPixels(6), 8);
    EXPECT_EQ(report::pointsToPixels(10), 13);
}

TEST(Wrap, LinesBreaksAndWords)
{
    // 10-px font: 5 px per character.
    struct Row {
        const char *name;
        const char *text;
        double width;
        std::vector<std::string> lines;
    } rows[] = {
        {"empty text has no line", "", 100, {}},
        {"CR LF, LF and CR end lines", "a\r\nb\nc\rd", 100, {"a", "b", "c", "d"}},
        {"a final line break starts no line", "a\r\n", 100, {"a"}},
        {"a lone line break is one empty line", "\r\n", 100, {""}},
        {"blank lines are kept", "a\r\n\r\nb", 100, {"a", "", "b"}},
        {"words wrap at blanks", "aaa bbb ccc", 35, {"aaa bbb", "ccc"}},
        {"a line may fill the width exactly", "aaa bbb", 35, {"aaa bbb"}},
        {"blanks at a break are dropped", "aaa    bbb   ", 20, {"aaa", "bbb"}},
        {"blanks starting a paragraph are kept", "  aa bb", 25, {"  aa", "bb"}},
        {"a word wider than the line breaks at characters", "abcdefghij", 20, {"abcd", "efgh", "ij"}},
        {"a long word starts its own line", "ab cdefghij", 20, {"ab", "cdef", "ghij"}},
        {"after a broken word the words go on", "abcdefg hi jk", 20, {"abcd", "efg", "hi", "jk"}},
        {"accented letters are one character", "ação", 10, {"aç", "ão"}},
        {"a combining accent stays with its letter", "ae\xCC\x81io", 10, {"a", "e\xCC\x81", "io"}},
        {"no room at all: one character per line", "abc", 0, {"a", "b", "c"}},
        {"infinite width: only the line breaks", "aaa bbb ccc\nd",
         std::numeric_limits<double>::infinity(), {"aaa bbb ccc", "d"}},
    };
    const FixedTextMeasurer measurer;
    const Font font{"Arial", 10};
    for (const auto &row : rows) {
        const auto lines = measurer.wrap(row.text, font, row.width);
        EXPECT_EQ(lineTexts(lines), row.lines) << row.name;
        for (const auto &line : lines)
            EXPECT_DOUBLE_EQ(line.width, measurer.width(line.text, font)) << row.name;
        EXPECT_DOUBLE_EQ(measurer.wrappedHeight(row.text, font, row.width), 10.0 * row.lines.size())
            << row.name;
    }
}

TEST(Wrap, KeptLinesAreTheLinesOfAFreshWrap)
{
    // Texts that exercise every branch of the wrapping, each asked at widths that break it
    // differently, in two fonts; every key differs from another only in one part.
    struct Row {
        const char *name;
        std::string text;
    } rows[] = {
        {"empty", ""},
        {"line breaks of every kind", "um\r\ndois\ntrês\r\r\nquatro\r\n"},
        {"leading and trailing blanks", "   recuo  inicial e   brancos no fim   "},
        {"a word wider than any line", "Chave 35240612345678000190550010000012341000012345 fim"},
        {"accents and combining marks", "ação ae\xCC\x81io São João da Boa Vista ÇÃÉÍÓÚ"},
        {"one long word of accented letters", std::string(40, 'x') + "ççççççççççãããããããã"},
        {"a prefix of the text before", "Chave 35240612345678000190550010000012341000012345"},
    };
    const double widths[] = {0, 7.5, 40, 95.25, 180, std::numeric_limits<double>::infinity()};
    const Font fonts[] = {{"Arial", 11}, {"Times New Roman", 9, true}};

    const QtTextMeasurer qt;
    const FixedTextMeasurer fixed;
    for (const report::TextMeasurer *measurer : {static_cast<const report::TextMeasurer *>(&qt),
                                                 static_cast<const report::TextMeasurer *>(&fixed)}) {
        // Twice over: the second pass reads only kept lines, in another order of asking.
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto &row : rows)
                for (const Font &font : fonts)
                    for (const double width : widths) {
                        const auto &kept = measurer->wrapped(row.text, font, width);
                        EXPECT_EQ(kept, measurer->wrap(row.text, font, width))
                            << row.name << ", " << font.family << ", width " << width << ", pass " << pass;
                        EXPECT_EQ(&kept, &measurer->wrapped(row.text, font, width)) << row.name;
                    }
            std::reverse(std::begin(rows), std::end(rows));
        }
    }
}

TEST(Wrap, AHintAnswersOnlyForItsOwnKeyAndMeasurer)
{
    // One hint carried through asks that change one part of the key at a time, and into
    // a new measurer made where the last one was (a hint followed there would read freed
    // lines).
    struct Ask {
        const char *name;
        std::string text;
        Font font;
        double width;
    } asks[] = {
        {"first ask", "aaa bbb ccc", {"Arial", 10}, 35},
        {"same key again", "aaa bbb ccc", {"Arial", 10}, 35},
        {"narrower", "aaa bbb ccc", {"Arial", 10}, 20},
        {"larger font", "aaa bbb ccc", {"Arial", 12}, 20},
        {"bold", "aaa bbb ccc", {"Arial", 12, true}, 20},
        {"other family", "aaa bbb ccc", {"Courier New", 12, true}, 20},
        {"text of the same length", "aaa bbb ccd", {"Courier New", 12, true}, 20},
        {"longer text", "aaa bbb ccc ddd", {"Courier New", 12, true}, 20},
        {"back to the first key", "aaa bbb ccc", {"Arial", 10}, 35},
    };
    report::TextMeasurer::WrapHint hint;
    std::optional<FixedTextMeasurer> measurer;
    for (int generation = 0; generation < 2; ++generation) {
        measurer.emplace();
        for (const auto &ask : asks) {
            const auto &lines = measurer->wrapped(ask.text, ask.font, ask.width, hint);
            EXPECT_EQ(lines, measurer->wrap(ask.text, ask.font, ask.width))
                << ask.name << ", measurer " << generation;
            EXPECT_EQ(&lines, &measurer->wrapped(ask.text, ask.font, ask.width))
                << ask.name << ": the kept lines";
        }
    }
}

TEST(QtMeasurer, LineHeightIsTheRoundedUpLineSpacingOfTheLiberationFonts)
{
    // Line spacing 12.64, 14.94 and 9.06 px: a measurer falling back to another font
    // (DejaVu) or measuring another size gives other pitches.
    struct Row {
        const char *name;
        Font font;
        double lineHeight;
    } rows[] = {
        {"Arial 11", {"Arial", 11}, 13},
        {"Times New Roman 13", {"Times New Roman", 13}, 15},
        {"Courier New 8", {"Courier New", 8}, 10},
    };
    const QtTextMeasurer measurer;
    for (const auto &row : rows)
        EXPECT_EQ(measurer.lineHeight(row.font), row.lineHeight) << row.name;
    const Font bold{"Arial", 11, true};
    EXPECT_GT(measurer.width("Nota Fiscal", bold), measurer.width("Nota Fiscal", Font{"Arial", 11}));
}

TEST(QtMeasurer, LaterMeasurersGetTheWidthsAndMetricsOfEachFont)
{
    // Measurers share what they learnt about a font; a later one must still answer for
    // exactly the font and text asked, short texts (shared) and long ones (its own).
    const std::string longText = std::string(300, 'W') + " ação";
    const std::string texts[] = {"DANFE", "Nota Fiscal", "ação São João", "0,00", longText};
    const Font fonts[] = {{"Arial", 11}, {"Arial", 11, true}, {"Arial", 9},
                          {"Times New Roman", 11, false, true}, {"Courier New", 11}};
    for (int round = 0; round < 3; ++round) {
        const QtTextMeasurer measurer; // a new one each round, as each preparation makes
        // Fonts in another order each round, so an answer kept for the wrong font shows.
        for (std::size_t f = 0; f < std::size(fonts); ++f) {
            const Font &font = fonts[(f + static_cast<std::size_t>(round)) % std::size(fonts)];
            const QFontMetricsF qt(report::toQFont(font));
            for (const std::string &text : texts) {
                const double expected = qt.horizontalAdvance(QString::fromStdString(text));
                EXPECT_EQ(measurer.width(text, font), expected)
                    << "round " << round << ", " << font.family << " " << font.pixelSize
                    << (font.bold ? " bold" : "") << ": " << text.substr(0, 20);
            }
            EXPECT_EQ(measurer.lineHeight(font), std::ceil(qt.lineSpacing() - 1e-9)) << font.family;
            EXPECT_EQ(measurer.ascent(font), qt.ascent()) << font.family;
        }
    }
}

TEST(QtMeasurer, WrappedLinesFitAsThePainterMeasuresThemAndLoseNothing)
{
    const std::string text =
        "Inf. Contribuinte: Documento emitido por ME ou EPP optante pelo Simples Nacional. "
        "Não gera direito a crédito fiscal de IPI. Pedido nº 4711, entrega em São João "
        "da Boa Vista, transportadora Ação & Companhia.";
    const QtTextMeasurer measurer;
    for (const Font &font : {Font{"Arial", 11}, Font{"Times New Roman", 9, true},
                             Font{"Courier New", 8}}) {
        const double width = 180;
        const auto lines = measurer.wrap(text, font, width);
        ASSERT_GT(lines.size(), 2u) << font.family;
        // Painters draw with toQFont(font); each line must fit as they measure it.
        const QFontMetricsF painter(report::toQFont(font));
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto &line = lines[i];
            EXPECT_LE(line.width, width) << font.family << ": " << line.text;
            EXPECT_NEAR(painter.horizontalAdvance(QString::fromStdString(line.text)), line.width, 1e-9)
                << font.family << ": " << line.text;
            // Greedy: the next line's first word would not have fitted.
            if (i + 1 < lines.size()) {
                const std::string next = lines[i + 1].text.substr(0, lines[i + 1].text.find(' '));
                EXPECT_GT(measurer.width(line.text + " " + next, font), width)
                    << font.family << ": " << line.text;
            }
            joined += (i ? " " : "") + line.text;
        }
        EXPECT_EQ(joined, text) << font.family;
    }
}

TEST(QtMeasurer, AKeyWiderThanTheBoxBreaksBetweenDigits)
{
    const std::string key = "35240612345678000190550010000012341000012345";
    const QtTextMeasurer measurer;
    const Font font{"Arial", 11, true};
    const auto lines = measurer.wrap("Chave " + key, font, 100);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "Chave");
    std::string rejoined;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].width, 100);
        EXPECT_FALSE(lines[i].text.empty());
        rejoined += lines[i].text;
    }
    EXPECT_EQ(rejoined, key);
}

} // namespace

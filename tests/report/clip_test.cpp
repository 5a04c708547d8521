// Texts stay inside their controls: what preparation keeps of a text too wide for its box.

#include "report/htmlexport.h"
#include "report/paginator.h"
#include "report/pdfexport.h"

#include "outputs.h"
#include "support.h"

#include "rtl/text.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>
#include <gtest/gtest.h>

namespace {

using namespace report;
using namespace report::test;

// Characters of unequal width, so that a cut falls where the widths say and not at a
// character count: 'W' is 10 px, 'i' 2 px, any other code point (a combining accent
// too) 5 px; lines are 10 px. Counts its measurements.
class UnevenMeasurer final : public TextMeasurer {
public:
    double width(std::string_view text, const Font &) const override
    {
        ++calls;
        double w = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            const char32_t c = rtl::NextCodePoint(text, pos);
            w += c == U'W' ? 10 : c == U'i' ? 2 : 5;
        }
        return w;
    }
    double lineHeight(const Font &) const override { return 10; }
    double ascent(const Font &) const override { return 8; }

    mutable std::size_t calls = 0;
};

// A 200 x 100 page whose one band holds the control under test.
struct OneBand {
    Report report;
    Band &band;
    OneBand() : band(init(report)) {}
    static Band &init(Report &report)
    {
        pageSetup(report, 200, 100);
        return report.addBand(BandKind::Title, 60, "band");
    }
    PreparedPage prepared(const TextMeasurer &measurer)
    {
        PreparedReport pages = prepare(report, measurer);
        return std::move(pages.pages.at(0));
    }
};

std::vector<const TextRun *> runsOf(const PreparedPage &page, std::string_view source)
{
    std::vector<const TextRun *> out;
    for (const Primitive *item : bySource(page, source))
        if (const auto *run = std::get_if<TextRun>(item))
            out.push_back(run);
    return out;
}

TEST(TextInsideItsBox, LabelsShowWhatTheirAlignmentPutsInside)
{
    // The label is 50 px wide at x 20. An empty expected text: no run at all.
    struct Row {
        const char *name;
        const char *text;
        HAlign align;
        double boxWidth;
        bool autoWidth;
        const char *shown;
        double left, width; // of the run's box
    } rows[] = {
        {"left: the start shows", "ABCDEFGHIJKLMNO", HAlign::Left, 50, false, "ABCDEFGHIJ", 20, 50},
        {"left: a character the edge cuts goes whole", "ABCDEFGHIWXY", HAlign::Left, 50, false,
         "ABCDEFGHI", 20, 50},
        {"left: the blank before the cut goes too", "ABCDEFGHI KLMNO", HAlign::Left, 50, false,
         "ABCDEFGHI", 20, 50},
        {"left: an accent is never parted from its letter", "ABCDEFGHIe\u0301XYZ", HAlign::Left, 50,
         false, "ABCDEFGHI", 20, 50},
        {"right: the end shows where it was", "AWWWWBCD", HAlign::Right, 50, false, "WWWBCD", 20, 50},
        {"right: the blank after the cut goes too", "ABCDE GHIJKLMNO", HAlign::Right, 50, false,
         "GHIJKLMNO", 20, 50},
        // The whole text is 61 px from x 14.5: the second W starts at 24.5, E ends at 69.5
        // and the first i would end at 71.5. Centred anew, what is left would start at 22.5.
        {"centre: the middle stays where the whole text put it", "WWWABCDEiii", HAlign::Center, 50,
         false, "WWABCDE", 24.5, 45},
        {"fits exactly: untouched", "ABCDEFGHIJ", HAlign::Left, 50, false, "ABCDEFGHIJ", 20, 50},
        {"centred and fitting: keeps the control's box", "ABCDEFGHIJ", HAlign::Center, 50, false,
         "ABCDEFGHIJ", 20, 50},
        {"auto width: the box follows the whole text", "ABCDEFGHIJKLMNO", HAlign::Left, 50, true,
         "ABCDEFGHIJKLMNO", 20, 75},
        {"no character fits: no run", "WWW", HAlign::Right, 8, false, "", 0, 0},
        {"only blanks would show: no run", "ABCDEFGHIJ    KLMNOPQRST", HAlign::Center, 10, false, "", 0, 0},
        {"empty text: no run", "", HAlign::Left, 50, false, "", 0, 0},
    };
    for (const auto &row : rows) {
        OneBand page;
        Label &label = page.band.add<Label>("lbl", QRectF(20, 5, row.boxWidth, 10), row.text);
        label.align = row.align;
        label.autoWidth = row.autoWidth;
        label.background = QColor(0xE5, 0xE5, 0xE5);
        const UnevenMeasurer measurer;
        const PreparedPage prepared = page.prepared(measurer);

        const auto runs = runsOf(prepared, "lbl");
        const auto fills = bySource(prepared, "lbl").size() - runs.size();
        EXPECT_EQ(fills, 1u) << row.name << ": the background is drawn whatever the text";
        if (std::string_view(row.shown).empty()) {
            EXPECT_TRUE(runs.empty()) << row.name << "\n" << dump(prepared);
            continue;
        }
        ASSERT_EQ(runs.size(), 1u) << row.name;
        const TextRun &run = *runs[0];
        EXPECT_EQ(run.text, row.shown) << row.name;
        EXPECT_EQ(run.box.left(), row.left) << row.name;
        EXPECT_EQ(run.box.width(), row.width) << row.name;
        EXPECT_EQ(run.box.top(), 5) << row.name;
        EXPECT_EQ(run.box.height(), 10) << row.name;
        EXPECT_EQ(run.width, measurer.width(run.text, run.font)) << row.name;
        EXPECT_EQ(run.align, row.align) << row.name;
        // What every output draws: the text from textLeft, run.width wide.
        const double left = textLeft(run, run.width);
        if (!row.autoWidth) {
            EXPECT_GE(left, 20 - 1e-9) << row.name;
            EXPECT_LE(left + run.width, 20 + row.boxWidth + 1e-9) << row.name;
        }
    }
}

TEST(TextInsideItsBox, MemosShowWholeLinesInsideTheirBox)
{
    // The memo is at x 20, its lines 10 px apart.
    struct Row {
        const char *name;
        const char *text;
        double width, height;
        bool autoHeight, wordWrap;
        HAlign align;
        std::vector<std::string> shown;
        std::vector<double> tops;
    } rows[] = {
        {"more lines than its height: the whole lines that fit", "um\ndois\ntres\nquatro", 50, 25, false,
         true, HAlign::Left, {"um", "dois"}, {0, 10}},
        {"growing: every line, as before", "um\ndois\ntres\nquatro", 50, 10, true, true, HAlign::Left,
         {"um", "dois", "tres", "quatro"}, {0, 10, 20, 30}},
        {"a long word wraps and nothing is cut", "ABCDEFGHIJKLMNO", 50, 30, false, true, HAlign::Left,
         {"ABCDEFGHIJ", "KLMNO"}, {0, 10}},
        {"lines without wrap are cut as labels are", "ABCDEFGHIJKLMNO\nXYZ", 50, 30, false, false,
         HAlign::Right, {"FGHIJKLMNO", "XYZ"}, {0, 10}},
        {"a growing memo's unwrapped lines are cut too", "ABCDEFGHIJKLMNO\nXYZ\nABCDEFGHIJKLM", 50, 10, true,
         false, HAlign::Left, {"ABCDEFGHIJ", "XYZ", "ABCDEFGHIJ"}, {0, 10, 20}},
        // Wrapping puts at least one character on a line, here a W 10 px wide.
        {"a character wider than the memo leaves its line empty", "AWA", 8, 30, false, true, HAlign::Left,
         {"A", "A"}, {0, 20}},
        {"empty text: nothing", "", 50, 30, false, true, HAlign::Left, {}, {}},
    };
    for (const auto &row : rows) {
        OneBand page;
        page.band.autoSize = true;
        Memo &memo = page.band.add<Memo>("memo", QRectF(20, 0, row.width, row.height), row.text);
        memo.autoHeight = row.autoHeight;
        memo.wordWrap = row.wordWrap;
        memo.align = row.align;
        const UnevenMeasurer measurer;
        const PreparedPage prepared = page.prepared(measurer);

        std::vector<std::string> shown;
        std::vector<double> tops;
        for (const TextRun *run : runsOf(prepared, "memo")) {
            shown.push_back(run->text);
            tops.push_back(run->box.top());
            EXPECT_EQ(run->box.left(), 20) << row.name;
            EXPECT_EQ(run->box.width(), row.width) << row.name;
            EXPECT_LE(run->width, row.width) << row.name;
        }
        EXPECT_EQ(shown, row.shown) << row.name << "\n" << dump(prepared);
        EXPECT_EQ(tops, row.tops) << row.name;
    }
}

TEST(TextInsideItsBox, PageFieldsAndBackgroundTextsAreCutToo)
{
    Report report;
    pageSetup(report, 200, 100);
    Band &band = report.addBand(BandKind::PageHeader, 20, "cab");
    // "Folha 1/1" is 45 px: the count is known only at the end, and the cut waits for it.
    band.add<SystemField>("folha", QRectF(0, 0, 30, 10), SystemInfo::PageOfPages, "Folha #/#").align =
        HAlign::Right;
    band.add<SystemField>("nada", QRectF(40, 0, 4, 10), SystemInfo::PageNumber, "#");
    report.addBackground<Label>("marca", QRectF(0, 50, 20, 10), "CANCELADA");

    const FixedTextMeasurer measurer;
    const PreparedReport prepared = prepare(report, measurer);
    const PreparedPage &page = prepared.pages.at(0);
    EXPECT_EQ(texts(page), (std::vector<std::string>{"CANC", "ha 1/1"})) << dump(page);
    EXPECT_TRUE(bySource(page, "nada").empty()) << "a page number no digit of which fits";
    const auto *folha = std::get_if<TextRun>(bySource(page, "folha").at(0));
    ASSERT_TRUE(folha);
    EXPECT_EQ(folha->width, 30);
}

TEST(TextInsideItsBox, LongTextsCostAFewMeasurementsNotOnePerCharacter)
{
    // A text of 20,000 characters (110,000 px), in a box that takes 40 of them and in one
    // that takes all but a few: stepping through the characters from either end would
    // take thousands of measurements in one of the two.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "ABCDEFGHIW";
    for (const double room : {220.0, 109'970.0})
        for (const HAlign align : {HAlign::Left, HAlign::Right, HAlign::Center}) {
            OneBand page;
            page.band.add<Label>("lbl", QRectF(0, 0, room, 10), text).align = align;
            const UnevenMeasurer measurer;
            const PreparedPage prepared = page.prepared(measurer);
            const auto runs = runsOf(prepared, "lbl");
            ASSERT_EQ(runs.size(), 1u);
            EXPECT_LE(runs[0]->width, room);
            EXPECT_GE(runs[0]->width, room - 20) << "as much as fits";
            EXPECT_LE(measurer.calls, 64u) << room << " px, alignment " << static_cast<int>(align);
        }
}

// What the outputs make of a cut text: the PDF holds no invisible rest (pdftotext reads
// only what shows, each word inside its field), nor does the HTML.
TEST(TextInsideItsBox, EveryOutputHoldsOnlyTheTextThatShows)
{
    Report report;
    report.paper = Paper::a4();
    report.font = Font{"Arial", 13};
    Band &band = report.addBand(BandKind::Title, 40, "transp");
    band.add<Label>("nome", QRectF(0, 0, 200, 16), "TRANSPORTADORA DE CARGAS PESADAS E LOGISTICA LTDA");
    band.add<Label>("frete", QRectF(205, 0, 120, 16), "0 - EMITENTE");
    band.add<Label>("valor", QRectF(330, 0, 60, 16), "R$ 123.456.789,01").align = HAlign::Right;
    const QtTextMeasurer measurer;
    const PreparedReport prepared = prepare(report, measurer);
    const PreparedPage &page = prepared.pages.at(0);
    const TextRun *nome = std::get_if<TextRun>(bySource(page, "nome").at(0));
    ASSERT_TRUE(nome);
    ASSERT_TRUE(std::string_view("TRANSPORTADORA DE CARGAS PESADAS E LOGISTICA LTDA").starts_with(nome->text));
    ASSERT_LT(nome->text.size(), 40u) << "the test needs a cut name";
    ASSERT_EQ(nome->text.find("LTDA"), std::string::npos);

    const std::string html = htmlDocument(prepared);
    EXPECT_NE(html.find(nome->text), std::string::npos);
    EXPECT_EQ(html.find("LTDA"), std::string::npos);
    EXPECT_EQ(html.find("R$ 123"), std::string::npos);

    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("corte.pdf"));
    exportPdf(prepared, pdf.toStdString());
    const auto words = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(words);
    EXPECT_EQ(words->find("LTDA"), std::string::npos) << *words;
    EXPECT_EQ(words->find("R$"), std::string::npos) << *words;
    // Every word inside the field whose run holds it (in points: 0.75 per px).
    std::map<std::string, QRectF> fieldOf;
    for (const char *source : {"nome", "frete", "valor"}) {
        const auto *run = std::get_if<TextRun>(bySource(page, source).at(0));
        ASSERT_TRUE(run);
        for (const QString &w : QString::fromStdString(run->text).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            fieldOf.emplace(w.toStdString(), run->box);
    }
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\"[^>]*xMax=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    std::size_t seen = 0;
    for (auto it = word.globalMatch(QString::fromStdString(*words)); it.hasNext();) {
        const auto match = it.next();
        const std::string text = match.captured(3).toStdString();
        const auto field = fieldOf.find(text);
        if (field == fieldOf.end()) {
            ADD_FAILURE() << "\"" << text << "\" is in no run";
            continue;
        }
        EXPECT_GE(match.captured(1).toDouble() / 0.75, field->second.left() - 0.5) << text;
        EXPECT_LE(match.captured(2).toDouble() / 0.75, field->second.right() + 0.5) << text;
        ++seen;
    }
    EXPECT_GE(seen, fieldOf.size()) << *words;
}

} // namespace

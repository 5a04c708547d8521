#include "report/truetype.h"

#include "report/font.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QRawFont>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace {

using report::ttf::Glyph;
using report::ttf::TrueTypeFont;

struct Face {
    const char *name;
    const char *family;
    bool bold;
};

constexpr Face kSans{"Sans", "Liberation Sans", false};
constexpr Face kSansBold{"Sans Bold", "Liberation Sans", true};
constexpr Face kMono{"Mono", "Liberation Mono", false};

QRawFont rawOf(const Face &face, int pixelSize = 11)
{
    return QRawFont::fromFont(report::toQFont(report::Font{face.family, pixelSize, face.bold, false}));
}

#define RAW_OR_SKIP(var, ...)                                                                      \
    const QRawFont var = rawOf(__VA_ARGS__);                                                       \
    if (!var.isValid())                                                                            \
        GTEST_SKIP() << "no raw font for the Liberation faces";

using Tables = std::map<std::string, QByteArray>;

constexpr const char *kTags[] = {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cmap",
                                 "OS/2", "post", "name", "kern", "cvt ", "fpgm", "prep"};

Tables tablesOf(const QRawFont &raw)
{
    Tables tables;
    for (const char *tag : kTags)
        if (QByteArray bytes = raw.fontTable(tag); !bytes.isEmpty())
            tables[tag] = bytes;
    return tables;
}

std::unique_ptr<TrueTypeFont> load(const Tables &tables)
{
    return TrueTypeFont::fromTables([&tables](const char *tag) {
        const auto it = tables.find(tag);
        return it == tables.end() ? QByteArray() : it->second;
    });
}

std::uint32_t get(const QByteArray &bytes, qsizetype at, int size)
{
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i)
        v = v << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return v;
}

void put(QByteArray &bytes, qsizetype at, std::uint32_t v, int size)
{
    for (int i = size - 1; i >= 0; --i, v >>= 8)
        bytes[at + i] = static_cast<char>(v & 0xFF);
}

void append(QByteArray &bytes, std::uint32_t v, int size)
{
    bytes.resize(bytes.size() + size);
    put(bytes, bytes.size() - size, v, size);
}

// The whole-file and per-table checksum: big-endian 32-bit words, the tail zero-padded.
std::uint32_t checksum(QByteArray bytes)
{
    bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 4)
        sum += get(bytes, i, 4);
    return sum;
}

std::vector<char32_t> codePoints(const char *utf8)
{
    const QList<uint> ucs4 = QString::fromUtf8(utf8).toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

// A cmap of the given subtables, each with its (platform, encoding).
struct Subtable {
    int platform, encoding;
    QByteArray bytes;
};

QByteArray cmapOf(const std::vector<Subtable> &subtables)
{
    QByteArray out;
    append(out, 0, 2);
    append(out, static_cast<std::uint32_t>(subtables.size()), 2);
    std::uint32_t offset = 4 + 8 * static_cast<std::uint32_t>(subtables.size());
    for (const Subtable &s : subtables) {
        append(out, s.platform, 2);
        append(out, s.encoding, 2);
        append(out, offset, 4);
        offset += static_cast<std::uint32_t>(s.bytes.size());
    }
    for (const Subtable &s : subtables)
        out += s.bytes;
    return out;
}

struct Group {
    char32_t first, last;
    std::uint32_t glyph;
};

QByteArray format12(const std::vector<Group> &groups)
{
    QByteArray out;
    append(out, 12, 2);
    append(out, 0, 2);
    append(out, 16 + 12 * static_cast<std::uint32_t>(groups.size()), 4);
    append(out, 0, 4);
    append(out, static_cast<std::uint32_t>(groups.size()), 4);
    for (const Group &g : groups) {
        append(out, g.first, 4);
        append(out, g.last, 4);
        append(out, g.glyph, 4);
    }
    return out;
}

// A format 4 segment: glyphs from idDelta alone, or from its own glyph ids (plus idDelta).
struct Segment {
    std::uint16_t start, end;
    std::int16_t delta;
    std::vector<Glyph> ids = {};
};

QByteArray format4(std::vector<Segment> segments)
{
    segments.push_back({0xFFFF, 0xFFFF, 1});
    const std::uint32_t count = static_cast<std::uint32_t>(segments.size());
    QByteArray arrays;
    std::vector<std::uint32_t> rangeOffsets;
    for (std::uint32_t i = 0; i < count; ++i) {
        // From idRangeOffset[i] to the segment's first id in the glyph array.
        const auto arrayOffset = static_cast<std::uint32_t>(arrays.size());
        rangeOffsets.push_back(segments[i].ids.empty() ? 0 : 2 * (count - i) + arrayOffset);
        for (const Glyph id : segments[i].ids)
            append(arrays, id, 2);
    }
    QByteArray out;
    append(out, 4, 2);
    append(out, 16 + 8 * count + static_cast<std::uint32_t>(arrays.size()), 2);
    append(out, 0, 2);
    append(out, 2 * count, 2);
    append(out, 0, 6); // search hints, not read
    for (const Segment &s : segments)
        append(out, s.end, 2);
    append(out, 0, 2);
    for (const Segment &s : segments)
        append(out, s.start, 2);
    for (const Segment &s : segments)
        append(out, static_cast<std::uint16_t>(s.delta), 2);
    for (const std::uint32_t offset : rangeOffsets)
        append(out, offset, 2);
    return out + arrays;
}

// The tables of an sfnt file, checking its directory on the way.
Tables readSfnt(const QByteArray &file)
{
    Tables tables;
    EXPECT_EQ(get(file, 0, 4), 0x00010000u);
    const int count = static_cast<int>(get(file, 4, 2));
    int power = 1, log2 = 0;
    while (power * 2 <= count)
        power *= 2, ++log2;
    EXPECT_EQ(get(file, 6, 2), 16u * power) << "searchRange";
    EXPECT_EQ(get(file, 8, 2), static_cast<std::uint32_t>(log2)) << "entrySelector";
    EXPECT_EQ(get(file, 10, 2), 16u * (count - power)) << "rangeShift";
    std::uint32_t previousTag = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * i;
        const std::uint32_t tag = get(file, record, 4), sum = get(file, record + 4, 4),
                            offset = get(file, record + 8, 4), length = get(file, record + 12, 4);
        const std::string name = file.mid(record, 4).toStdString();
        EXPECT_GT(tag, previousTag) << name << ": the directory is sorted by tag";
        previousTag = tag;
        EXPECT_EQ(offset % 4, 0u) << name;
        if (!(offset + length <= static_cast<std::uint32_t>(file.size()))) {
            ADD_FAILURE() << name << " runs past the file";
            continue;
        }
        QByteArray bytes = file.mid(offset, length);
        QByteArray summed = bytes;
        if (name == "head")
            put(summed, 8, 0, 4); // summed with checkSumAdjustment 0
        EXPECT_EQ(sum, checksum(summed)) << name;
        tables[name] = bytes;
    }
    EXPECT_EQ(checksum(file), 0xB1B0AFBAu) << "head.checkSumAdjustment";
    return tables;
}

TEST(TrueType, GlyphForAgreesWithQt)
{
    // Qt's own character-to-glyph map of the same face.
    std::string ascii;
    for (char c = ' '; c <= '~'; ++c)
        ascii += c;
    struct Row {
        const char *name;
        const char *text;
    } rows[] = {
        {"printable ASCII", ascii.c_str()},
        {"Portuguese and Latin-1", "çÇãÃõÕáéíóúâêôàüÁÉÍÓÚºª§°±µ×÷¹²³½"},
        {"punctuation and currency (up to U+20FF)", "–—‘’“”•…‰€₢"},
        {"past the direct table", "™−≤≥∞ﬁﬂ"},
        {"absent from the face", "\uE000\u4E2D\U0001F600\U0010FFFD"},
    };
    for (const Face &face : {kSans, kSansBold, kMono}) {
        RAW_OR_SKIP(raw, face);
        const auto font = TrueTypeFont::fromRawFont(raw);
        ASSERT_NE(font, nullptr) << face.name;
        for (const Row &row : rows)
            for (const char32_t c : codePoints(row.text)) {
                const QList<quint32> qt = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
                ASSERT_EQ(qt.size(), 1);
                EXPECT_EQ(font->glyphFor(c), qt[0])
                    << face.name << ", " << row.name << ": U+" << std::hex << std::uint32_t(c);
            }
        for (const char32_t c : {char32_t(0x110000), char32_t(0xFFFFFFFF)})
            EXPECT_EQ(font->glyphFor(c), 0) << face.name << ": not a code point";
    }
}

TEST(TrueType, AdvancesAndKerningAddUpToQtWidths)
{
    struct Row {
        const char *name;
        Face face;
        int pixelSize;
        const char *text;
        bool kerned; // the text holds pairs the face kerns
    } rows[] = {
        {"AV pairs", kSans, 11, "AVAVAV", true},
        {"T, Y and L pairs", kSans, 11, "Tyrannosaurus LTA Yo. P,", true},
        {"Portuguese text", kSans, 11, "Ação de cobrança nº 123 — R$ 4.567,89", false},
        {"bold at 16 px", kSansBold, 16, "WAVE Toyota AVAV", true},
        {"fixed pitch", kMono, 13, "AVAV iiWW 0123", false},
    };
    for (const Row &row : rows) {
        RAW_OR_SKIP(raw, row.face, row.pixelSize);
        const auto font = TrueTypeFont::fromRawFont(raw);
        ASSERT_NE(font, nullptr) << row.name;
        long units = 0, kerning = 0;
        Glyph previous = 0;
        for (const char32_t c : codePoints(row.text)) {
            const Glyph glyph = font->glyphFor(c);
            ASSERT_NE(glyph, 0) << row.name;
            units += font->advance(glyph);
            if (previous)
                kerning += font->kerning(previous, glyph);
            previous = glyph;
        }
        const double width = double(units + kerning) * row.pixelSize / font->metrics().unitsPerEm;
        const QFont qfont = report::toQFont(report::Font{row.face.family, row.pixelSize, row.face.bold, false});
        // Qt keeps each advance in whole 64ths of a pixel, dropping the rest.
        const double tolerance = (codePoints(row.text).size() + 1) / 64.0;
        EXPECT_NEAR(width, QFontMetricsF(qfont).horizontalAdvance(QString::fromUtf8(row.text)), tolerance)
            << row.name;
        if (row.kerned) {
            EXPECT_LT(kerning, 0) << row.name;
        }
    }
}

TEST(TrueType, MetricsDescribeTheFace)
{
    struct Row {
        Face face;
        const char *postScriptName;
        bool bold, fixedPitch;
        int weightClass;
    } rows[] = {
        {kSans, "LiberationSans", false, false, 400},
        {kSansBold, "LiberationSans-Bold", true, false, 700},
        {kMono, "LiberationMono", false, true, 400},
    };
    for (const Row &row : rows) {
        RAW_OR_SKIP(raw, row.face);
        const auto font = TrueTypeFont::fromRawFont(raw);
        ASSERT_NE(font, nullptr) << row.face.name;
        const report::ttf::Metrics &m = font->metrics();
        EXPECT_EQ(font->postScriptName(), row.postScriptName) << row.face.name;
        EXPECT_EQ(m.unitsPerEm, 2048) << row.face.name;
        EXPECT_EQ(m.bold, row.bold) << row.face.name;
        EXPECT_FALSE(m.italic) << row.face.name;
        EXPECT_EQ(m.italicAngle, 0) << row.face.name;
        EXPECT_EQ(m.fixedPitch, row.fixedPitch) << row.face.name;
        EXPECT_EQ(m.weightClass, row.weightClass) << row.face.name;
        // Qt reads the same vertical metrics from the face.
        const double scale = raw.pixelSize() / m.unitsPerEm;
        EXPECT_NEAR(m.ascent * scale, raw.ascent(), 0.01) << row.face.name;
        EXPECT_NEAR(-m.descent * scale, raw.descent(), 0.01) << row.face.name;
        EXPECT_GT(m.capHeight, 0) << row.face.name;
        EXPECT_LT(m.capHeight, m.ascent) << row.face.name;
        EXPECT_LT(m.xMin, 0) << row.face.name;
        EXPECT_GT(m.xMax, m.unitsPerEm / 2) << row.face.name;
        EXPECT_LT(m.yMin, 0) << row.face.name;
        EXPECT_GT(m.yMax, m.ascent / 2) << row.face.name;
        if (row.fixedPitch) {
            const auto glyph = [&](char32_t c) { return font->glyphFor(c); };
            EXPECT_EQ(font->advance(glyph('i')), font->advance(glyph('W'))) << row.face.name;
        }
    }
}

TEST(TrueType, SubsetDrawsTheSameGlyphsUnderNewNumbers)
{
    // The accented letters of these faces are composites of a base letter and an accent;
    // neither part is in the text, so the subset must bring them in and renumber them.
    struct Row {
        const char *name;
        Face face;
        const char *text;
    } rows[] = {
        {"Sans", kSans, "Ação 123"},
        {"Sans Bold", kSansBold, "Ação 123 ÕÍ"},
        {"Mono", kMono, "Ação 123"},
    };
    for (const Row &row : rows) {
        RAW_OR_SKIP(raw, row.face, 40);
        const auto font = TrueTypeFont::fromRawFont(raw);
        ASSERT_NE(font, nullptr) << row.name;
        std::vector<char32_t> chars;
        std::vector<Glyph> glyphs;
        for (const char32_t c : codePoints(row.text)) {
            const Glyph glyph = font->glyphFor(c);
            ASSERT_NE(glyph, 0) << row.name;
            if (std::find(glyphs.begin(), glyphs.end(), glyph) == glyphs.end()) {
                chars.push_back(c);
                glyphs.push_back(glyph);
            }
        }

        const auto [file, numbers] = font->subset(glyphs);
        ASSERT_EQ(numbers.size(), glyphs.size()) << row.name;
        Tables tables = readSfnt(file);
        for (const char *tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf"})
            ASSERT_TRUE(tables.count(tag)) << row.name << ": " << tag;
        for (const char *tag : {"cvt ", "fpgm", "prep"})
            EXPECT_FALSE(tables.count(tag)) << row.name << ": " << tag << ": no hinting";
        const std::uint32_t n = get(tables["maxp"], 4, 2);
        const bool longLoca = get(tables["head"], 50, 2) == 1;
        const int locaEntry = longLoca ? 4 : 2;
        ASSERT_EQ(tables["loca"].size(), locaEntry * (n + 1)) << row.name;
        const auto locaAt = [&](std::uint32_t g) {
            return longLoca ? get(tables["loca"], 4 * g, 4) : 2 * get(tables["loca"], 2 * g, 2);
        };
        // No glyph keeps instructions: simple ones have a zero instruction length, composites
        // no "instructions follow" flag.
        for (std::uint32_t g = 0; g < n; ++g) {
            const std::uint32_t begin = locaAt(g), end = locaAt(g + 1);
            if (begin == end)
                continue;
            const auto contours = static_cast<std::int16_t>(get(tables["glyf"], begin, 2));
            if (contours >= 0) {
                EXPECT_EQ(get(tables["glyf"], begin + 10 + 2 * static_cast<std::uint32_t>(contours), 2), 0u)
                    << row.name << ", glyph " << g;
                continue;
            }
            for (std::uint32_t at = begin + 10;;) {
                const std::uint32_t flags = get(tables["glyf"], at, 2);
                EXPECT_EQ(flags & 0x0100, 0u) << row.name << ", glyph " << g;
                if (!(flags & 0x0020))
                    break;
                at += 4 + ((flags & 1) ? 4 : 2) + ((flags & 8) ? 2 : (flags & 0x40) ? 4 : (flags & 0x80) ? 8 : 0);
            }
        }
        EXPECT_GT(n, glyphs.size() + 1) << row.name << ": the composites' parts were added";
        // Glyphs past numberOfHMetrics share the last advance and keep only a side bearing.
        const std::uint32_t longMetrics = get(tables["hhea"], 34, 2);
        ASSERT_GE(longMetrics, 1u) << row.name;
        ASSERT_LE(longMetrics, n) << row.name;
        EXPECT_EQ(tables["hmtx"].size(), 4 * longMetrics + 2 * (n - longMetrics)) << row.name;
        EXPECT_EQ(locaAt(n), static_cast<std::uint32_t>(tables["glyf"].size())) << row.name;
        std::vector<Glyph> distinct = numbers;
        std::sort(distinct.begin(), distinct.end());
        EXPECT_TRUE(std::adjacent_find(distinct.begin(), distinct.end()) == distinct.end()) << row.name;
        EXPECT_GT(distinct.front(), 0) << row.name << ": .notdef stays glyph 0";
        EXPECT_LT(distinct.back(), n) << row.name;

        // FreeType draws every glyph of the subset as the face draws the original.
        const QRawFont back(file, raw.pixelSize(), raw.hintingPreference());
        ASSERT_TRUE(back.isValid()) << row.name;
        std::vector<quint32> oldIds{0}, newIds{0};
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            oldIds.push_back(glyphs[i]);
            newIds.push_back(numbers[i]);
        }
        const QList<QPointF> oldAdvances = raw.advancesForGlyphIndexes({oldIds.begin(), oldIds.end()});
        const QList<QPointF> newAdvances = back.advancesForGlyphIndexes({newIds.begin(), newIds.end()});
        for (std::size_t i = 0; i < oldIds.size(); ++i) {
            SCOPED_TRACE(std::string(row.name) + ", glyph " + std::to_string(oldIds[i]));
            EXPECT_NEAR(newAdvances[i].x(), oldAdvances[i].x(), 1e-9);
            EXPECT_TRUE(back.pathForGlyph(newIds[i]) == raw.pathForGlyph(oldIds[i])) << "draws differently";
        }

        // And it reads back as a face of its own once given a map to the new numbers.
        std::vector<Group> groups;
        for (std::size_t i = 0; i < chars.size(); ++i)
            groups.push_back({chars[i], chars[i], numbers[i]});
        std::sort(groups.begin(), groups.end(),
                  [](const Group &a, const Group &b) { return a.first < b.first; });
        tables["cmap"] = cmapOf({{3, 10, format12(groups)}});
        const auto again = load(tables);
        ASSERT_NE(again, nullptr) << row.name;
        EXPECT_EQ(again->metrics().unitsPerEm, font->metrics().unitsPerEm) << row.name;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            EXPECT_EQ(again->glyphFor(chars[i]), numbers[i]) << row.name;
            EXPECT_EQ(again->advance(numbers[i]), font->advance(glyphs[i])) << row.name;
        }
    }
}

TEST(TrueType, CmapSubtablesAndTheirMapping)
{
    RAW_OR_SKIP(raw, kSans);
    const Tables tables = tablesOf(raw);
    const std::uint32_t numGlyphs = get(tables.at("maxp"), 4, 2);

    const QByteArray byDeltaAndArray = format4({
        {0x20, 0x7E, 3},
        {0xC0, 0xC3, 0, {5, 6, 0, 7}},
        {0x2010, 0x2012, 3, {10, 11, 12}}, // ids are shifted by idDelta too
        {0x2200, 0x2201, 0, {20, 21}},
        {0x3000, 0x3000, static_cast<std::int16_t>(0xFFFF - 0x3000)}, // past numGlyphs
    });
    // idRangeOffset of the segment at 0xC0 moved past the end of the table.
    QByteArray arrayOutside = byDeltaAndArray;
    put(arrayOutside, 14 + 2 + 3 * 2 * 6 + 2, 0x7FF0, 2);
    QByteArray unordered = format4({{0x41, 0x5A, 1}, {0x30, 0x39, 1}});

    struct Expect {
        char32_t c;
        Glyph glyph;
    };
    struct Row {
        const char *name;
        QByteArray cmap;
        bool loads;
        std::vector<Expect> expect;
    } rows[] = {
        {"format 4 by idDelta and by glyph array",
         cmapOf({{3, 1, byDeltaAndArray}}),
         true,
         {{'A', 'A' + 3},
          {0x7E, 0x7E + 3},
          {0x7F, 0},
          {0xC1, 6},
          {0xC2, 0},
          {0xC3, 7},
          {0x2011, 14},
          {0x2201, 21},
          {0x2202, 0},
          {0x3000, 0},
          {0xFFFF, 0},
          {0x10000, 0}}},
        {"format 12 under (3,10) wins over format 4",
         cmapOf({{3, 1, format4({{0x41, 0x41, 5 - 0x41}})},
                 {3, 10, format12({{0x41, 0x42, 9}, {0x1F600, 0x1F600, 30}})}}),
         true,
         {{'A', 9}, {'B', 10}, {'C', 0}, {0x1F600, 30}, {0x1F601, 0}}},
        {"format 12 under the Unicode platform wins over format 4",
         cmapOf({{3, 1, format4({{0x41, 0x41, 5 - 0x41}})}, {0, 4, format12({{0x41, 0x41, 9}})}}),
         true,
         {{'A', 9}}},
        {"format 4 under the Unicode platform",
         cmapOf({{1, 0, format4({{0x41, 0x41, 1 - 0x41}})}, {0, 3, format4({{0x41, 0x41, 5 - 0x41}})}}),
         true,
         {{'A', 5}}},
        {"format 12 glyph past numGlyphs",
         cmapOf({{3, 10, format12({{0x41, 0x41, numGlyphs}, {0x20000, 0x20000, numGlyphs - 1}})}}),
         true,
         {{'A', 0}, {0x20000, static_cast<Glyph>(numGlyphs - 1)}}},
        {"format 4 glyph array past the table", cmapOf({{3, 1, arrayOutside}}), false, {}},
        {"format 4 segments out of order", cmapOf({{3, 1, unordered}}), false, {}},
        {"format 12 groups overlapping",
         cmapOf({{3, 10, format12({{0x41, 0x45, 1}, {0x44, 0x46, 9}})}}), false, {}},
        {"subtable offset past the table",
         [] {
             QByteArray cmap = cmapOf({{3, 1, format4({})}});
             put(cmap, 8, static_cast<std::uint32_t>(cmap.size()), 4);
             return cmap;
         }(),
         false,
         {}},
        {"only a symbol subtable", cmapOf({{3, 0, format4({{0xF041, 0xF041, 1}})}}), false, {}},
    };
    for (const Row &row : rows) {
        Tables changed = tables;
        changed["cmap"] = row.cmap;
        const auto font = load(changed);
        ASSERT_EQ(font != nullptr, row.loads) << row.name;
        for (const Expect &e : row.expect)
            EXPECT_EQ(font->glyphFor(e.c), e.glyph) << row.name << ": U+" << std::hex << std::uint32_t(e.c);
    }
}

TEST(TrueType, OptionalTablesRefineTheFace)
{
    RAW_OR_SKIP(raw, kSans);
    const Tables tables = tablesOf(raw);
    const auto intact = load(tables);
    ASSERT_NE(intact, nullptr);
    const Glyph a = intact->glyphFor('A'), v = intact->glyphFor('V');
    const int av = intact->kerning(a, v);
    ASSERT_LT(av, 0);

    auto withCoverage = [](std::uint32_t coverage) {
        return [coverage](Tables &t) { put(t["kern"], 8, coverage, 2); };
    };
    // A second subtable of one pair, after the face's own.
    auto withSecondSubtable = [a, v](std::uint32_t coverage, int value) {
        return [=](Tables &t) {
            QByteArray &kern = t["kern"];
            put(kern, 2, 2, 2);
            append(kern, 0, 2);
            append(kern, 14 + 6, 2);
            append(kern, coverage, 2);
            append(kern, 1, 2);
            append(kern, 0, 6);
            append(kern, a, 2);
            append(kern, v, 2);
            append(kern, static_cast<std::uint16_t>(value), 2);
        };
    };
    // A name table of one record (3,1) with the given id and text.
    auto withName = [](std::uint32_t id, const char16_t *text) {
        return [=](Tables &t) {
            QByteArray name, string;
            for (const char16_t *p = text; *p; ++p)
                append(string, *p, 2);
            for (const std::uint32_t v : {0u, 1u, 18u, 3u, 1u, 0x409u, id, std::uint32_t(string.size()), 0u})
                append(name, v, 2);
            t["name"] = name + string;
        };
    };
    // Keeps only the Macintosh records of the name table.
    auto macOnly = [](Tables &t) {
        QByteArray &name = t["name"];
        for (std::uint32_t i = 0, count = get(name, 2, 2); i < count; ++i)
            if (get(name, 6 + 12 * i, 2) != 1)
                put(name, 6 + 12 * i + 6, 0xFFFF, 2);
    };
    struct Row {
        const char *name;
        std::function<void(Tables &)> change;
        int kerning;
        const char *postScriptName;
    } rows[] = {
        {"intact", [](Tables &) {}, av, "LiberationSans"},
        {"no kern", [](Tables &t) { t.erase("kern"); }, 0, "LiberationSans"},
        {"kern of cross-stream pairs", withCoverage(0x0005), 0, "LiberationSans"},
        {"kern of minimum values", withCoverage(0x0003), 0, "LiberationSans"},
        {"kern for vertical text", withCoverage(0x0000), 0, "LiberationSans"},
        {"kern of the Apple layout", [](Tables &t) { put(t["kern"], 0, 1, 2); }, 0, "LiberationSans"},
        {"a second kern subtable adds", withSecondSubtable(0x0001, -7), av - 7, "LiberationSans"},
        {"a second kern subtable overrides", withSecondSubtable(0x0009, -7), -7, "LiberationSans"},
        {"no name", [](Tables &t) { t.erase("name"); }, av, "Font"},
        {"the family when there is no PostScript name", withName(1, u"Liberation Sans"), av, "LiberationSans"},
        {"PDF delimiters and non-ASCII dropped", withName(6, u"My (Font)/[Name]#1%<é>{x}"), av, "MyFontName1x"},
        {"nothing a PDF name keeps", withName(6, u"( )"), av, "Font"},
        {"Mac Roman record", macOnly, av, "LiberationSans"},
    };
    for (const Row &row : rows) {
        Tables changed = tables;
        row.change(changed);
        const auto font = load(changed);
        ASSERT_NE(font, nullptr) << row.name;
        EXPECT_EQ(font->kerning(a, v), row.kerning) << row.name;
        EXPECT_EQ(font->postScriptName(), row.postScriptName) << row.name;
    }

    Tables bare = tables;
    bare.erase("OS/2");
    bare.erase("post");
    const auto font = load(bare);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->metrics().weightClass, 400);
    EXPECT_EQ(font->metrics().capHeight, font->metrics().ascent);
    EXPECT_EQ(font->metrics().italicAngle, 0);
    EXPECT_FALSE(font->metrics().fixedPitch);
}

TEST(TrueType, InconsistentTablesAreRefused)
{
    RAW_OR_SKIP(raw, kSans);
    const Tables tables = tablesOf(raw);
    const auto intact = load(tables);
    ASSERT_NE(intact, nullptr);
    const std::uint32_t numGlyphs = get(tables.at("maxp"), 4, 2);
    const bool longLoca = get(tables.at("head"), 50, 2) == 1;
    auto locaAt = [longLoca](const QByteArray &loca, std::uint32_t i) {
        return longLoca ? get(loca, 4 * i, 4) : 2 * get(loca, 2 * i, 2);
    };
    auto setLoca = [longLoca](QByteArray &loca, std::uint32_t i, std::uint32_t offset) {
        longLoca ? put(loca, 4 * i, offset, 4) : put(loca, 2 * i, offset / 2, 2);
    };
    const Glyph composite = intact->glyphFor(U'ã');
    const std::uint32_t compositeAt = locaAt(tables.at("loca"), composite);
    ASSERT_LT(static_cast<std::int16_t>(get(tables.at("glyf"), compositeAt, 2)), 0) << "ã is a composite";

    struct Row {
        const char *name;
        std::function<void(Tables &)> change;
    } rows[] = {
        {"no glyf (CFF outlines)", [](Tables &t) { t.erase("glyf"); }},
        {"no loca", [](Tables &t) { t.erase("loca"); }},
        {"no cmap", [](Tables &t) { t.erase("cmap"); }},
        {"no hmtx", [](Tables &t) { t.erase("hmtx"); }},
        {"not a head table", [](Tables &t) { put(t["head"], 12, 0, 4); }},
        {"unitsPerEm 0", [](Tables &t) { put(t["head"], 18, 0, 2); }},
        {"unknown loca format", [](Tables &t) { put(t["head"], 50, 2, 2); }},
        {"no glyphs", [](Tables &t) { put(t["maxp"], 4, 0, 2); }},
        {"numberOfHMetrics 0", [](Tables &t) { put(t["hhea"], 34, 0, 2); }},
        {"numberOfHMetrics past numGlyphs", [=](Tables &t) { put(t["hhea"], 34, numGlyphs + 1, 2); }},
        {"numGlyphs past loca", [=](Tables &t) { put(t["maxp"], 4, numGlyphs + 1, 2); }},
        {"hmtx shorter than its metrics", [](Tables &t) { t["hmtx"].chop(t["hmtx"].size() / 2); }},
        {"loca past the end of glyf",
         [&](Tables &t) { setLoca(t["loca"], numGlyphs, static_cast<std::uint32_t>(t["glyf"].size()) + 4); }},
        {"loca going backwards",
         [&](Tables &t) { setLoca(t["loca"], 40, locaAt(t["loca"], 42)); }},
        {"glyph shorter than its header",
         [&](Tables &t) { setLoca(t["loca"], composite + 1, compositeAt + 8); }},
        {"composite component past numGlyphs",
         [&](Tables &t) { put(t["glyf"], compositeAt + 12, numGlyphs, 2); }},
        {"composite running past its glyph",
         [&](Tables &t) { setLoca(t["loca"], composite + 1, compositeAt + 14); }},
    };
    for (const Row &row : rows) {
        Tables changed = tables;
        row.change(changed);
        EXPECT_EQ(load(changed), nullptr) << row.name;
    }
}

// Uses every entry point of a face that loaded from damaged tables.
void exercise(const TrueTypeFont &font)
{
    unsigned sink = 0;
    for (char32_t c = 0; c < 0x2300; c += (c < 0x300 ? 1 : 7))
        sink += font.glyphFor(c);
    for (const char32_t c : {0xFFFFu, 0x10000u, 0x1F600u, 0x10FFFFu, 0x110000u, 0xFFFFFFFFu})
        sink += font.glyphFor(c);
    std::vector<Glyph> glyphs;
    std::vector<bool> taken(0x10000);
    for (char32_t c = ' '; c < 0x180; ++c)
        if (const Glyph g = font.glyphFor(c); g && !taken[g]) {
            taken[g] = true;
            glyphs.push_back(g);
        }
    for (std::uint32_t g = 0; g < 0x10000; g += 13)
        sink += static_cast<unsigned>(font.advance(static_cast<Glyph>(g)));
    for (std::size_t i = 1; i < glyphs.size(); ++i)
        sink += static_cast<unsigned>(font.kerning(glyphs[i - 1], glyphs[i]));
    sink += static_cast<unsigned>(font.subset(glyphs).file.size());
    sink += static_cast<unsigned>(font.metrics().unitsPerEm);
    EXPECT_FALSE(font.postScriptName().empty());
    (void)sink;
}

TEST(TrueType, DamagedTablesAreRefusedOrReadSafely)
{
    // Truncated and flipped bytes in every table read: the face either loads and answers
    // within its tables (the sanitizers watch) or is refused.
    RAW_OR_SKIP(raw, kSans);
    const Tables tables = tablesOf(raw);
    int loaded = 0, refused = 0;
    auto attempt = [&](const Tables &changed) {
        if (const auto font = load(changed)) {
            ++loaded;
            exercise(*font);
        } else {
            ++refused;
        }
    };
    for (const char *tag :
         {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cmap", "OS/2", "post", "name", "kern"}) {
        SCOPED_TRACE(tag);
        const QByteArray original = tables.at(tag);
        const qsizetype size = original.size();
        std::vector<qsizetype> places;
        for (qsizetype i = 0; i < std::min<qsizetype>(size, 64); ++i)
            places.push_back(i);
        for (int k = 1; k < 24; ++k)
            places.push_back(size * k / 24);
        for (qsizetype i = std::max<qsizetype>(size - 4, 0); i < size; ++i)
            places.push_back(i);
        Tables changed = tables;
        for (const qsizetype at : places) {
            changed[tag] = original.left(at);
            attempt(changed);
            changed[tag] = original;
            changed[tag][at] = static_cast<char>(original[at] ^ 0xFF);
            attempt(changed);
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

} // namespace

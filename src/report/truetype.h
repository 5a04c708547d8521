#pragma once
// A TrueType face read from its tables, for writing PDF with embedded fonts: which glyph
// draws a character, how far it advances, the pair kerning the text measurement applies,
// the numbers a PDF font descriptor wants, and a subset holding only the glyphs a document
// drew. Only faces with TrueType outlines (glyf/loca) are taken; anything else, or a table
// that does not hold together, makes fromTables return nullptr so that the caller can
// draw that document another way.

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QRawFont;

namespace report::ttf {

using Glyph = std::uint16_t;

struct Metrics {
    int unitsPerEm = 1000;
    // In font units.
    int ascent = 0;    // hhea ascender
    int descent = 0;   // hhea descender (negative below the baseline)
    int capHeight = 0; // OS/2 sCapHeight when present, else the ascent
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0; // head bounding box
    double italicAngle = 0; // post italicAngle (16.16), 0 without post
    int weightClass = 400;  // OS/2 usWeightClass, 400 without OS/2
    bool bold = false;      // the face's own design: OS/2 fsSelection bit 5 or head macStyle bit 0
    bool italic = false;    // OS/2 fsSelection bit 0 or head macStyle bit 1
    bool fixedPitch = false; // post isFixedPitch
};

class TrueTypeFont {
public:
    // tableOf(tag) gives the bytes of the table named by the four-character tag ("glyf",
    // "OS/2"), empty when the face has none. Required: head, hhea, maxp, hmtx, loca, glyf,
    // cmap (a Unicode subtable of format 4 or 12). Optional: OS/2, post, name, kern.
    static std::unique_ptr<TrueTypeFont> fromTables(const std::function<QByteArray(const char *tag)> &tableOf);
    // The face Qt draws the raw font with.
    static std::unique_ptr<TrueTypeFont> fromRawFont(const QRawFont &font);

    ~TrueTypeFont();
    TrueTypeFont(const TrueTypeFont &) = delete;
    TrueTypeFont &operator=(const TrueTypeFont &) = delete;

    const Metrics &metrics() const;
    // The name table's PostScript name (id 6), or a name made from the family when absent,
    // or "Font" when neither leaves anything: only characters a PDF name may hold unescaped.
    const std::string &postScriptName() const;

    // 0 (.notdef) when the face has no glyph for the code point. Fast: called once for
    // every character of every text drawn.
    Glyph glyphFor(char32_t codePoint) const;
    // In font units; glyphs past numberOfHMetrics take the last advance, a glyph the face
    // does not have 0.
    int advance(Glyph glyph) const;
    // Horizontal pair kerning in font units (the kern table's format 0 subtables), 0 for
    // an unknown pair or without the table.
    int kerning(Glyph left, Glyph right) const;

    // A font holding the glyphs asked for, .notdef and the components composite glyphs
    // among them refer to, with head, hhea, maxp, hmtx, loca and glyf: what a PDF
    // FontFile2 needs. The glyphs are renumbered, keeping the face's order, so numbers[i]
    // is the glyph number glyphs[i] has in file (0 for a glyph the face does not have).
    // The hinting is left out (the glyphs' instructions, cvt, fpgm, prep): text is
    // measured and drawn unhinted everywhere, and the instructions were most of the bytes.
    // file is empty when the face's glyphs could not be subset.
    struct Subset {
        QByteArray file;
        std::vector<Glyph> numbers;
    };
    Subset subset(const std::vector<Glyph> &glyphs) const;

private:
    struct Data;
    explicit TrueTypeFont(std::unique_ptr<Data> data);
    std::unique_ptr<Data> d;
};

} // namespace report::ttf

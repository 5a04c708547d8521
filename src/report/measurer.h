#pragma once
// Text measurement behind one interface. Preparation wraps every text once, here, and
// emits one text run per line; renderers draw each run as it is and never wrap again, so
// what was measured is what is drawn.

#include "report/font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace report {

struct WrappedLine {
    std::string text;
    double width = 0; // as measured, in px

    bool operator==(const WrappedLine &) const = default;
};

// Where the text's characters start, in bytes, followed by the text's size: a character
// is one code point with the combining marks that follow it, so that a text cut at these
// offsets never leaves an accent without its letter.
std::vector<std::size_t> characterStarts(std::string_view text);

class TextMeasurer {
public:
    TextMeasurer();
    virtual ~TextMeasurer();
    TextMeasurer(const TextMeasurer &) = delete;
    TextMeasurer &operator=(const TextMeasurer &) = delete;

    // The advance of text drawn as one line, in px.
    virtual double width(std::string_view text, const Font &font) const = 0;
    // The distance from one line's top to the next one's; a memo of n lines is n of these.
    virtual double lineHeight(const Font &font) const = 0;
    // From a line's top to its baseline.
    virtual double ascent(const Font &font) const = 0;

    // The lines of text as drawn inside maxWidth. CR LF, LF and CR end a line, and a final
    // line break does not start another one ("" has no line, "\r\n" one empty line).
    // Lines break between words at blanks; the blanks at a break are dropped, the blanks
    // that start a paragraph are kept. A word wider than maxWidth starts its own line and
    // breaks between characters (never inside an accented letter), at least one
    // character per line, so nothing is cut off and nothing loops whatever the width.
    // An infinite maxWidth only splits at the line breaks.
    std::vector<WrappedLine> wrap(std::string_view text, const Font &font, double maxWidth) const;

    // The lines of wrap(), kept for the measurer's life: a preparation asks for one memo's
    // lines several times (for its height, its band's height and its drawing). The
    // reference stays valid as long as the measurer. Not thread-safe.
    const std::vector<WrappedLine> &wrapped(std::string_view text, const Font &font,
                                            double maxWidth) const;

    // Where a caller that asks for its lines again and again (a memo) keeps the place of
    // the last answer, so that asking again compares the key instead of looking it up.
    // Any measurer may be given any hint: one left by another measurer is not used.
    struct WrapHint {
        std::uint64_t measurer = 0;
        const void *entry = nullptr;
    };
    const std::vector<WrappedLine> &wrapped(std::string_view text, const Font &font,
                                            double maxWidth, WrapHint &hint) const;

    // lineHeight times the number of lines of wrap().
    double wrappedHeight(std::string_view text, const Font &font, double maxWidth) const;

private:
    void wrapParagraph(std::string_view paragraph, const Font &font, double maxWidth,
                       std::vector<WrappedLine> &out) const;

    struct WrapCache;
    mutable std::unique_ptr<WrapCache> FWraps;
    // Tells this measurer's hints from those of others, even one made later at the same
    // address.
    const std::uint64_t FId;
};

// Qt font metrics of exactly the font that painters draw with (toQFont). Without hinting
// and at a given pixel size the metrics do not depend on the device, so a page prepared
// here breaks the same way on screen, printer and PDF. Line height is the font's line
// spacing rounded up to whole pixels, the pitch Qt itself gives wrapped paragraphs.
// Needs a QGuiApplication. Not thread-safe (it caches metrics per font); the metrics and
// the widths of short texts are also kept for the later measurers of the same thread.
class QtTextMeasurer final : public TextMeasurer {
public:
    QtTextMeasurer();
    ~QtTextMeasurer() override;

    double width(std::string_view text, const Font &font) const override;
    double lineHeight(const Font &font) const override;
    double ascent(const Font &font) const override;

private:
    struct Cache;
    std::unique_ptr<Cache> FCache;
};

// Predictable metrics for logic tests: every character (code point) is half the font's
// pixel size wide and every line is the pixel size tall, so a 10-px font gives 5 px per
// character and 10 px per line.
class FixedTextMeasurer final : public TextMeasurer {
public:
    double width(std::string_view text, const Font &font) const override;
    double lineHeight(const Font &font) const override;
    double ascent(const Font &font) const override;
};

} // namespace report

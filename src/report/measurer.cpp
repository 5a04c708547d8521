#include "report/measurer.h"

#include "rtl/text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>

namespace report {

namespace {

// Widths that agree to a thousandth of a pixel fit.
constexpr double kFitTolerance = 0.001;

bool isCombiningMark(char32_t c)
{
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0xFE20 && c <= 0xFE2F);
}

// The byte length of the character at pos: one code point plus the combining marks that
// belong to it.
std::size_t clusterLength(std::string_view s, std::size_t pos)
{
    std::size_t next = pos;
    rtl::NextCodePoint(s, next);
    while (next < s.size()) {
        std::size_t after = next;
        if (!isCombiningMark(rtl::NextCodePoint(s, after)))
            break;
        next = after;
    }
    return next - pos;
}

} // namespace

std::vector<std::size_t> characterStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < text.size(); pos += clusterLength(text, pos))
        starts.push_back(pos);
    starts.push_back(text.size());
    return starts;
}

// Wrapped texts by font, width and text. Font and width come first in the key so that a
// lookup compares the (possibly long) text only once they agree.
struct TextMeasurer::WrapCache {
    struct Key {
        Font font;
        double maxWidth;
        std::string text;
    };
    struct View {
        const Font &font;
        double maxWidth;
        std::string_view text;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(const View &v) const noexcept
        {
            std::size_t h = FontHash{}(v.font);
            h = h * 1000003u ^ std::hash<std::uint64_t>{}(std::bit_cast<std::uint64_t>(v.maxWidth));
            return h * 1000003u ^ std::hash<std::string_view>{}(v.text);
        }
        std::size_t operator()(const Key &k) const noexcept
        {
            return (*this)(View{k.font, k.maxWidth, k.text});
        }
    };
    struct Equal {
        using is_transparent = void;
        static bool same(const View &a, const View &b)
        {
            // Bit for bit, so that a NaN width finds its entry too.
            return std::bit_cast<std::uint64_t>(a.maxWidth) == std::bit_cast<std::uint64_t>(b.maxWidth) &&
                   a.font == b.font && a.text == b.text;
        }
        static View view(const Key &k) { return View{k.font, k.maxWidth, k.text}; }
        static const View &view(const View &v) { return v; }
        template <class A, class B> bool operator()(const A &a, const B &b) const
        {
            return same(view(a), view(b));
        }
    };
    std::unordered_map<Key, std::vector<WrappedLine>, Hash, Equal> entries;
};

namespace {

std::uint64_t newMeasurerId()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

} // namespace

TextMeasurer::TextMeasurer() : FId(newMeasurerId()) {}
TextMeasurer::~TextMeasurer() = default;

const std::vector<WrappedLine> &TextMeasurer::wrapped(std::string_view text, const Font &font,
                                                      double maxWidth) const
{
    WrapHint hint;
    return wrapped(text, font, maxWidth, hint);
}

const std::vector<WrappedLine> &TextMeasurer::wrapped(std::string_view text, const Font &font,
                                                      double maxWidth, WrapHint &hint) const
{
    using Entry = std::pair<const WrapCache::Key, std::vector<WrappedLine>>;
    const WrapCache::View view{font, maxWidth, text};
    if (hint.measurer == FId && hint.entry) {
        const Entry &last = *static_cast<const Entry *>(hint.entry);
        if (WrapCache::Equal{}(last.first, view))
            return last.second;
    }
    if (!FWraps)
        FWraps = std::make_unique<WrapCache>();
    auto it = FWraps->entries.find(view);
    if (it == FWraps->entries.end())
        it = FWraps->entries
                 .emplace(WrapCache::Key{font, maxWidth, std::string(text)}, wrap(text, font, maxWidth))
                 .first;
    hint.measurer = FId;
    hint.entry = &*it; // node-based map, never erased from: stays valid
    return it->second;
}

std::vector<WrappedLine> TextMeasurer::wrap(std::string_view text, const Font &font,
                                            double maxWidth) const
{
    std::vector<WrappedLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        wrapParagraph(text.substr(pos, end == std::string_view::npos ? std::string_view::npos
                                                                     : end - pos),
                      font, maxWidth, lines);
        if (end == std::string_view::npos)
            break;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

double TextMeasurer::wrappedHeight(std::string_view text, const Font &font, double maxWidth) const
{
    return static_cast<double>(wrapped(text, font, maxWidth).size()) * lineHeight(font);
}

void TextMeasurer::wrapParagraph(std::string_view paragraph, const Font &font, double maxWidth,
                                 std::vector<WrappedLine> &out) const
{
    if (!(maxWidth < std::numeric_limits<double>::infinity())) {
        out.push_back({std::string(paragraph), width(paragraph, font)});
        return;
    }
    const double limit = maxWidth + kFitTolerance;
    const std::size_t linesBefore = out.size();
    // A line is always a run of the paragraph as it stands (blanks dropped only at its
    // ends), so lines and the tries to lengthen them are views into it: no text is copied
    // until a line is done.
    std::string_view line;
    double lineWidth = 0;
    bool paragraphStart = true; // leading blanks are kept only on the paragraph's first line

    // The width of a text, or any width above the limit as soon as a leading part of it
    // is wider: a word of a megabyte need not be shaped whole to know that it does not
    // fit on a line.
    const auto widthWithin = [&](std::string_view text) {
        for (std::size_t part = 256; part < text.size(); part *= 4) {
            std::size_t end = part; // not inside a UTF-8 sequence
            while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                --end;
            const double w = width(text.substr(0, end), font);
            if (w > limit)
                return w;
        }
        return width(text, font);
    };

    const auto flush = [&] {
        out.push_back({std::string(line), lineWidth});
        line = {};
        lineWidth = 0;
        paragraphStart = false;
    };

    std::size_t i = 0;
    const std::size_t n = paragraph.size();
    while (i < n) {
        std::size_t wordStart = i;
        while (wordStart < n && paragraph[wordStart] == ' ')
            ++wordStart;
        std::size_t wordEnd = wordStart;
        while (wordEnd < n && paragraph[wordEnd] != ' ')
            ++wordEnd;
        const std::string_view blanks = paragraph.substr(i, wordStart - i);
        const std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
        i = wordEnd;
        if (word.empty())
            break; // blanks that end the paragraph

        if (!line.empty() || paragraphStart) {
            // The line so far, the blanks and the word; the line ends where the blanks begin.
            const char *const from = line.empty() ? blanks.data() : line.data();
            const std::string_view candidate(from, static_cast<std::size_t>(word.data() + word.size() - from));
            const double w = widthWithin(candidate);
            if (w <= limit) {
                line = candidate;
                lineWidth = w;
                continue;
            }
            if (!line.empty())
                flush();
            paragraphStart = false;
        }

        // The word starts a line of its own.
        const double w = widthWithin(word);
        if (w <= limit) {
            line = word;
            lineWidth = w;
            continue;
        }
        // Too wide for any line: break between characters, at least one per line. Each
        // line takes the longest run of whole characters that fits. Measuring every
        // prefix would cost one measurement per character of a line, each as long as the
        // line; instead the search starts from the previous line's count (the lines of
        // one long word hold about as many characters) and widens its step only while
        // it misses, so a line usually costs two or three measurements.
        std::size_t p = 0;
        std::size_t previous = 1;
        std::vector<std::size_t> ends; // byte end of each character from p on, found lazily
        while (p < word.size()) {
            ends.clear();
            // The end of the first k characters from p (fewer when the word ends first).
            const auto endOf = [&](std::size_t k) {
                while (ends.size() < k) {
                    const std::size_t from = ends.empty() ? p : ends.back();
                    if (from >= word.size())
                        break;
                    ends.push_back(from + clusterLength(word, from));
                }
                return ends[std::min(k, ends.size()) - 1];
            };
            const auto available = [&](std::size_t k) { // k capped at what the word holds
                endOf(k);
                return std::min(k, ends.size());
            };
            const auto measure = [&](std::size_t k) {
                return width(word.substr(p, endOf(k) - p), font);
            };

            // good: a count that fits (1 always goes); bad: a count that does not, or 0.
            std::size_t good = 1;
            double goodWidth = -1;
            std::size_t bad = 0;
            const std::size_t guess = available(previous);
            const double guessWidth = measure(guess);
            if (guess == 1 || guessWidth <= limit) {
                good = guess;
                goodWidth = guessWidth;
                for (std::size_t step = 1; endOf(good) < word.size(); step *= 2) {
                    const std::size_t k = available(good + step);
                    const double w = measure(k);
                    if (w > limit) {
                        bad = k;
                        break;
                    }
                    good = k;
                    goodWidth = w;
                }
            } else {
                bad = guess;
                for (std::size_t step = 1;; step *= 2) {
                    const std::size_t k = bad > step + 1 ? bad - step : 1;
                    const double w = measure(k);
                    if (k == 1 || w <= limit) {
                        good = k;
                        goodWidth = w;
                        break;
                    }
                    bad = k;
                }
            }
            while (bad > good + 1) {
                const std::size_t k = good + (bad - good) / 2;
                const double w = measure(k);
                if (w <= limit) {
                    good = k;
                    goodWidth = w;
                } else {
                    bad = k;
                }
            }

            const std::size_t end = endOf(good);
            line = word.substr(p, end - p);
            lineWidth = goodWidth;
            previous = good;
            p = end;
            if (p < word.size())
                flush();
        }
    }
    if (!line.empty() || out.size() == linesBefore)
        out.push_back({std::string(line), lineWidth});
}

// ---- Qt -------------------------------------------------------------------------------

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept
    {
        return std::hash<std::string_view>{}(s);
    }
};
using WidthMap = std::unordered_map<std::string, double, TextHash, std::equal_to<>>;

// What the measurers of one thread learn about a font, kept while the program runs: a
// text's advance at a font never changes, and every preparation measures the same
// captions, field titles and common values again. Only texts up to kSharedTextBytes are
// kept here (long texts seldom come back); when kSharedTexts of them are kept, they are
// all dropped and learnt anew, so the memory stays bounded however many documents print.
constexpr std::size_t kSharedTextBytes = 256;
constexpr std::size_t kSharedTexts = 32768;

struct SharedFont {
    double lineHeight = 0;
    double ascent = 0;
    WidthMap widths;
};

struct SharedMetrics {
    // Node-based: a measurer keeps pointers to the fonts, which are never dropped.
    std::unordered_map<Font, SharedFont, FontHash> fonts;
    std::size_t texts = 0;

    SharedFont &font(const Font &font)
    {
        auto it = fonts.find(font);
        if (it == fonts.end()) {
            const QFontMetricsF metrics(toQFont(font));
            SharedFont shared;
            shared.lineHeight = std::ceil(metrics.lineSpacing() - 1e-9);
            shared.ascent = metrics.ascent();
            it = fonts.emplace(font, std::move(shared)).first;
        }
        return it->second;
    }

    void keep(SharedFont &font, std::string_view text, double width)
    {
        if (texts >= kSharedTexts) {
            for (auto &entry : fonts)
                entry.second.widths.clear();
            texts = 0;
        }
        font.widths.emplace(std::string(text), width);
        ++texts;
    }
};

SharedMetrics &sharedMetrics()
{
    // Per thread: Qt's fonts, and so the shaping, belong to one thread each.
    thread_local SharedMetrics metrics;
    return metrics;
}

} // namespace

struct QtTextMeasurer::Cache {
    struct Entry {
        SharedFont *shared;
        // Made when a text of the font has to be shaped: a preparation whose texts were
        // all measured before never builds a Qt font.
        std::optional<QFontMetricsF> metrics;
        WidthMap longWidths; // texts too long to be kept beyond this measurer
    };
    std::unordered_map<Font, Entry, FontHash> entries;
    // The last font asked for: layouts measure runs of text in one font.
    const Font *lastFont = nullptr;
    Entry *lastEntry = nullptr;

    Entry &get(const Font &font)
    {
        // Fonts of one layout mostly differ, if at all, in size or weight: cheaper to
        // compare first than the family.
        if (lastFont && font.pixelSize == lastFont->pixelSize && font.bold == lastFont->bold &&
            font.italic == lastFont->italic && font.family == lastFont->family)
            return *lastEntry;
        auto it = entries.find(font);
        if (it == entries.end())
            it = entries.emplace(font, Entry{&sharedMetrics().font(font), std::nullopt, {}}).first;
        lastFont = &it->first; // node-based map: addresses stay valid
        lastEntry = &it->second;
        return it->second;
    }

    static double shape(Entry &entry, const Font &font, std::string_view text)
    {
        if (!entry.metrics)
            entry.metrics.emplace(toQFont(font));
        return entry.metrics->horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
};

QtTextMeasurer::QtTextMeasurer() : FCache(std::make_unique<Cache>()) {}
QtTextMeasurer::~QtTextMeasurer() = default;

double QtTextMeasurer::width(std::string_view text, const Font &font) const
{
    if (text.empty())
        return 0;
    Cache::Entry &entry = FCache->get(font);
    if (text.size() <= kSharedTextBytes) {
        WidthMap &widths = entry.shared->widths;
        if (const auto it = widths.find(text); it != widths.end())
            return it->second;
        const double w = Cache::shape(entry, font, text);
        sharedMetrics().keep(*entry.shared, text, w);
        return w;
    }
    if (const auto it = entry.longWidths.find(text); it != entry.longWidths.end())
        return it->second;
    const double w = Cache::shape(entry, font, text);
    entry.longWidths.emplace(std::string(text), w);
    return w;
}

double QtTextMeasurer::lineHeight(const Font &font) const
{
    return FCache->get(font).shared->lineHeight;
}

double QtTextMeasurer::ascent(const Font &font) const
{
    return FCache->get(font).shared->ascent;
}

// ---- Fixed ----------------------------------------------------------------------------

double FixedTextMeasurer::width(std::string_view text, const Font &font) const
{
    return rtl::Length(text) * font.pixelSize * 0.5;
}

double FixedTextMeasurer::lineHeight(const Font &font) const
{
    return font.pixelSize;
}

double FixedTextMeasurer::ascent(const Font &font) const
{
    return font.pixelSize * 0.8;
}

} // namespace report

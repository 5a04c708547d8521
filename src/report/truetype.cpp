#include "report/truetype.h"

#include <QRawFont>

#include <hb-subset.h>
#include <hb.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace report::ttf {

namespace {

// A big-endian view over one table. Reads do not check: every caller first asks has()
// for the span it is about to read.
class Bytes {
public:
    Bytes() = default;
    explicit Bytes(const QByteArray &bytes)
        : p_(reinterpret_cast<const std::uint8_t *>(bytes.constData())),
          n_(static_cast<std::size_t>(bytes.size()))
    {
    }

    std::size_t size() const { return n_; }
    bool has(std::size_t offset, std::size_t length) const
    {
        return offset <= n_ && length <= n_ - offset;
    }
    std::uint8_t u8(std::size_t at) const { return p_[at]; }
    std::uint16_t u16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(p_[at] << 8 | p_[at + 1]);
    }
    std::int16_t s16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    std::uint32_t u32(std::size_t at) const
    {
        return std::uint32_t{u16(at)} << 16 | u16(at + 2);
    }
    std::int32_t s32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }

private:
    const std::uint8_t *p_ = nullptr;
    std::size_t n_ = 0;
};

// HarfBuzz's objects, each released by its own function.
struct HbRelease {
    void operator()(hb_blob_t *p) const { hb_blob_destroy(p); }
    void operator()(hb_face_t *p) const { hb_face_destroy(p); }
    void operator()(hb_subset_input_t *p) const { hb_subset_input_destroy(p); }
    void operator()(hb_subset_plan_t *p) const { hb_subset_plan_destroy(p); }
};

template <class T> std::unique_ptr<T, HbRelease> own(T *p) { return std::unique_ptr<T, HbRelease>(p); }

// Composite glyph flags.
constexpr std::uint16_t kArgsAreWords = 0x0001;
constexpr std::uint16_t kHaveScale = 0x0008;
constexpr std::uint16_t kMoreComponents = 0x0020;
constexpr std::uint16_t kHaveXYScale = 0x0040;
constexpr std::uint16_t kHaveTwoByTwo = 0x0080;
constexpr std::uint16_t kHaveInstructions = 0x0100;

// The bytes of one component of a composite glyph, flags and glyph index included.
constexpr std::size_t componentLength(std::uint16_t flags)
{
    std::size_t length = 4 + ((flags & kArgsAreWords) ? 4 : 2);
    if (flags & kHaveScale)
        length += 2;
    else if (flags & kHaveXYScale)
        length += 4;
    else if (flags & kHaveTwoByTwo)
        length += 8;
    return length;
}

// Walks the components of the composite glyph whose description spans [begin, end) of
// glyf (begin past the 10-byte header), calling onIndex with the byte offset of each
// component's glyph index. False when a component or the instructions run past the
// glyph, or onIndex refuses one.
template <typename OnIndex>
bool forEachComponent(Bytes glyf, std::size_t begin, std::size_t end, OnIndex &&onIndex)
{
    std::size_t pos = begin;
    bool instructions = false;
    for (;;) {
        if (end - pos < 4)
            return false;
        const std::uint16_t flags = glyf.u16(pos);
        if (!onIndex(pos + 2))
            return false;
        const std::size_t length = componentLength(flags);
        if (end - pos < length)
            return false;
        pos += length;
        instructions |= (flags & kHaveInstructions) != 0;
        if (!(flags & kMoreComponents))
            break;
    }
    return !instructions || (end - pos >= 2 && end - pos - 2 >= glyf.u16(pos));
}

// A run of consecutive code points the cmap maps the same way.
struct CmapRange {
    char32_t first = 0, last = 0;
    // Format 12: the glyph of `first`. Format 4: idDelta.
    std::uint32_t base = 0;
    // Format 4 with an idRangeOffset: the cmap byte offset of the glyph of `first`; 0 when
    // the glyph comes from idDelta alone.
    std::uint32_t array = 0;
};

struct KernPair {
    std::uint32_t key; // left << 16 | right
    std::int32_t value;
};

// Code points below this come from a direct table: Latin, Greek, Cyrillic, the general
// punctuation (dashes, quotes, bullet, ellipsis) and the currency signs.
constexpr char32_t kDirect = 0x2100;

} // namespace

struct TrueTypeFont::Data {
    Metrics metrics;
    std::string postScriptName;
    // The tables the reads below and subset() use; QByteArray shares rather than copies them.
    QByteArray head, hhea, maxp, hmtx, loca, glyf, cmap;
    std::uint32_t numGlyphs = 0;
    std::uint32_t numberOfHMetrics = 0;

    bool cmapFormat4 = false;
    std::vector<CmapRange> ranges; // ascending, disjoint
    std::array<Glyph, kDirect> direct{};

    std::vector<KernPair> kern; // ascending by key
    // One bit per glyph that starts a kerned pair: most pairs of running text have none,
    // and this answers them without a search.
    std::vector<std::uint64_t> kernedLeft;

    Glyph glyphIn(const CmapRange &range, char32_t c) const
    {
        std::uint64_t glyph;
        if (!cmapFormat4) {
            glyph = std::uint64_t{range.base} + (c - range.first);
        } else if (range.array) {
            glyph = Bytes(cmap).u16(range.array + 2 * (c - range.first));
            if (glyph)
                glyph = (glyph + range.base) & 0xFFFF;
        } else {
            glyph = (c + range.base) & 0xFFFF;
        }
        return glyph < numGlyphs ? static_cast<Glyph>(glyph) : 0;
    }

    Glyph search(char32_t c) const
    {
        const auto it = std::partition_point(ranges.begin(), ranges.end(),
                                             [c](const CmapRange &r) { return r.last < c; });
        return it != ranges.end() && it->first <= c ? glyphIn(*it, c) : 0;
    }

    // The tables subset() hands HarfBuzz, straight from ours: it writes out only what it
    // is given, and a PDF FontFile2 needs no more than the outlines and their metrics
    // (the glyphs are chosen by number and the PDF describes the face itself). Without
    // GSUB it adds no glyph through layout either.
    static hb_blob_t *referenceTable(hb_face_t *, hb_tag_t tag, void *data);

    bool readGlyphs();
    bool readCmap();
    void readKern(const QByteArray &table);
    void readName(const QByteArray &table);
};

namespace {

bool readFormat4(Bytes t, std::size_t at, std::vector<CmapRange> &ranges)
{
    if (!t.has(at, 14))
        return false;
    const std::size_t segX2 = t.u16(at + 6);
    if (segX2 == 0 || segX2 % 2)
        return false;
    const std::size_t ends = at + 14, starts = ends + segX2 + 2, deltas = starts + segX2,
                      rangeOffsets = deltas + segX2;
    if (!t.has(ends, 4 * segX2 + 2))
        return false;
    ranges.reserve(segX2 / 2);
    long previousEnd = -1;
    for (std::size_t i = 0; i < segX2; i += 2) {
        const std::uint16_t end = t.u16(ends + i), start = t.u16(starts + i);
        if (start > end || start <= previousEnd)
            return false;
        previousEnd = end;
        if (start == 0xFFFF) // the closing segment
            continue;
        CmapRange range{start, end, t.u16(deltas + i), 0};
        if (const std::uint16_t offset = t.u16(rangeOffsets + i)) {
            const std::size_t array = rangeOffsets + i + offset;
            if (!t.has(array, 2 * (std::size_t{end} - start + 1)))
                return false;
            range.array = static_cast<std::uint32_t>(array);
        }
        ranges.push_back(range);
    }
    return true;
}

bool readFormat12(Bytes t, std::size_t at, std::vector<CmapRange> &ranges)
{
    if (!t.has(at, 16))
        return false;
    const std::size_t groups = t.u32(at + 12);
    if (groups > (t.size() - at - 16) / 12)
        return false;
    ranges.reserve(groups);
    long long previousEnd = -1;
    for (std::size_t g = 0, pos = at + 16; g < groups; ++g, pos += 12) {
        const std::uint32_t first = t.u32(pos), last = t.u32(pos + 4);
        if (first > last || last > 0x10FFFF || first <= previousEnd)
            return false;
        previousEnd = last;
        ranges.push_back({first, last, t.u32(pos + 8), 0});
    }
    return true;
}

// Keeps the characters a PDF name holds without escapes.
void appendNameChar(std::string &out, std::uint32_t c)
{
    if (c >= '!' && c <= '~' && !std::strchr("()<>[]{}/%#", static_cast<int>(c)))
        out += static_cast<char>(c);
}

} // namespace

hb_blob_t *TrueTypeFont::Data::referenceTable(hb_face_t *, hb_tag_t tag, void *data)
{
    const Data &f = *static_cast<const Data *>(data);
    const QByteArray *table = nullptr;
    switch (tag) {
    case HB_TAG('h', 'e', 'a', 'd'): table = &f.head; break;
    case HB_TAG('h', 'h', 'e', 'a'): table = &f.hhea; break;
    case HB_TAG('m', 'a', 'x', 'p'): table = &f.maxp; break;
    case HB_TAG('h', 'm', 't', 'x'): table = &f.hmtx; break;
    case HB_TAG('l', 'o', 'c', 'a'): table = &f.loca; break;
    case HB_TAG('g', 'l', 'y', 'f'): table = &f.glyf; break;
    default: return hb_blob_get_empty();
    }
    // Not copied: subset() releases every HarfBuzz object before it returns.
    return hb_blob_create(table->constData(), static_cast<unsigned>(table->size()), HB_MEMORY_MODE_READONLY,
                          nullptr, nullptr);
}

bool TrueTypeFont::Data::readGlyphs()
{
    const int locFormat = Bytes(head).s16(50);
    if (locFormat != 0 && locFormat != 1)
        return false;
    const std::size_t entry = locFormat ? 4 : 2;
    const Bytes offsets(loca), g(glyf);
    if (!offsets.has(0, entry * (std::size_t{numGlyphs} + 1)))
        return false;
    const auto offset = [&](std::size_t i) -> std::uint32_t {
        return locFormat ? offsets.u32(4 * i) : 2u * offsets.u16(2 * i);
    };
    std::uint32_t begin = offset(0);
    if (begin > g.size())
        return false;
    for (std::uint32_t glyph = 0; glyph < numGlyphs; ++glyph) {
        const std::uint32_t end = offset(glyph + 1);
        if (end < begin || end > g.size())
            return false;
        if (end != begin) {
            if (end - begin < 10)
                return false;
            const auto known = [&](std::size_t at) { return g.u16(at) < numGlyphs; };
            if (g.s16(begin) < 0 && !forEachComponent(g, begin + 10, end, known))
                return false;
        }
        begin = end;
    }
    return true;
}

bool TrueTypeFont::Data::readCmap()
{
    const Bytes t(cmap);
    if (!t.has(0, 4) || !t.has(4, 8 * std::size_t{t.u16(2)}))
        return false;
    // Full Unicode (3,10) first, then any format 12 under the Unicode platform, then the
    // BMP subtables.
    int best = 0;
    std::size_t bestAt = 0;
    for (std::size_t i = 0, count = t.u16(2); i < count; ++i) {
        const std::size_t record = 4 + 8 * i;
        const std::uint16_t platform = t.u16(record), encoding = t.u16(record + 2);
        const std::size_t at = t.u32(record + 4);
        if (!t.has(at, 2))
            return false;
        const std::uint16_t format = t.u16(at);
        int score = 0;
        if (format == 12)
            score = platform == 3 && encoding == 10 ? 4 : platform == 0 ? 3 : 0;
        else if (format == 4)
            score = platform == 3 && encoding == 1 ? 2 : platform == 0 ? 1 : 0;
        if (score > best) {
            best = score;
            bestAt = at;
        }
    }
    if (best == 0)
        return false;
    cmapFormat4 = best <= 2;
    if (!(cmapFormat4 ? readFormat4(t, bestAt, ranges) : readFormat12(t, bestAt, ranges)))
        return false;
    for (const CmapRange &range : ranges) {
        if (range.first >= kDirect)
            break;
        const char32_t last = std::min<char32_t>(range.last, kDirect - 1);
        for (char32_t c = range.first; c <= last; ++c)
            direct[c] = glyphIn(range, c);
    }
    return true;
}

void TrueTypeFont::Data::readKern(const QByteArray &table)
{
    // Only the Microsoft layout (16-bit version 0); a damaged table leaves the pairs read
    // so far, like a face without kerning past that point.
    const Bytes t(table);
    if (!t.has(0, 4) || t.u16(0) != 0)
        return;
    std::vector<KernPair> pairs, merged;
    std::size_t pos = 4;
    for (std::size_t sub = 0, count = t.u16(2); sub < count; ++sub) {
        if (!t.has(pos, 6))
            return;
        const std::uint16_t length = t.u16(pos + 2), coverage = t.u16(pos + 4);
        std::size_t next = pos + length;
        if (coverage >> 8 == 0) {
            if (!t.has(pos, 14))
                return;
            const std::size_t count = t.u16(pos + 6), at = pos + 14;
            if (!t.has(at, 6 * count))
                return;
            // The length field is 16 bits: a subtable of more than 10920 pairs overflows it.
            next = std::max(next, at + 6 * count);
            const bool horizontal = (coverage & 0x7) == 0x1; // not minimum, not cross-stream
            if (horizontal && count) {
                pairs.resize(count);
                bool sorted = true;
                for (std::size_t i = 0; i < count; ++i) {
                    pairs[i] = {t.u32(at + 6 * i), t.s16(at + 6 * i + 4)};
                    sorted &= i == 0 || pairs[i - 1].key < pairs[i].key;
                }
                if (!sorted) {
                    const auto before = [](const KernPair &a, const KernPair &b) { return a.key < b.key; };
                    const auto same = [](const KernPair &a, const KernPair &b) { return a.key == b.key; };
                    std::stable_sort(pairs.begin(), pairs.end(), before);
                    pairs.erase(std::unique(pairs.begin(), pairs.end(), same), pairs.end());
                }
                if (kern.empty()) {
                    kern.swap(pairs);
                } else {
                    // Later subtables add to the earlier ones, or replace them (override bit).
                    const bool override = coverage & 0x8;
                    merged.clear();
                    merged.reserve(kern.size() + pairs.size());
                    auto a = kern.begin(), b = pairs.begin();
                    while (a != kern.end() || b != pairs.end()) {
                        if (b == pairs.end() || (a != kern.end() && a->key < b->key))
                            merged.push_back(*a++);
                        else if (a == kern.end() || b->key < a->key)
                            merged.push_back(*b++);
                        else {
                            merged.push_back({a->key, override ? b->value : a->value + b->value});
                            ++a, ++b;
                        }
                    }
                    kern.swap(merged);
                }
            }
        } else if (length < 6) {
            return;
        }
        pos = next;
    }
}

void TrueTypeFont::Data::readName(const QByteArray &table)
{
    const Bytes t(table);
    if (t.has(0, 6) && t.has(6, 12 * std::size_t{t.u16(2)})) {
        const std::size_t count = t.u16(2), strings = t.u16(4);
        // The PostScript name, else the family.
        for (const std::uint16_t id : {6, 1}) {
            int best = 0;
            std::size_t at = 0, length = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t record = 6 + 12 * i;
                const std::uint16_t platform = t.u16(record), encoding = t.u16(record + 2);
                if (t.u16(record + 6) != id)
                    continue;
                const bool windowsUnicode = platform == 3 && (encoding <= 1 || encoding == 10);
                const int score = windowsUnicode                   ? 3
                                  : platform == 0                  ? 2
                                  : platform == 1 && encoding == 0 ? 1
                                                                   : 0;
                const std::size_t start = strings + t.u16(record + 10), size = t.u16(record + 8);
                if (score > best && t.has(start, size)) {
                    best = score;
                    at = start;
                    length = size;
                }
            }
            if (best >= 2) {
                for (std::size_t i = 0; i + 1 < length; i += 2)
                    appendNameChar(postScriptName, t.u16(at + i));
            } else if (best == 1) {
                // Mac Roman: everything a PDF name keeps is ASCII.
                for (std::size_t i = 0; i < length; ++i)
                    appendNameChar(postScriptName, t.u8(at + i));
            }
            if (!postScriptName.empty())
                return;
        }
    }
    postScriptName = "Font";
}

std::unique_ptr<TrueTypeFont>
TrueTypeFont::fromTables(const std::function<QByteArray(const char *tag)> &tableOf)
{
    auto d = std::make_unique<Data>();
    d->head = tableOf("head");
    d->hhea = tableOf("hhea");
    d->maxp = tableOf("maxp");
    d->hmtx = tableOf("hmtx");
    d->loca = tableOf("loca");
    d->glyf = tableOf("glyf");
    d->cmap = tableOf("cmap");
    const Bytes head(d->head), hhea(d->hhea), maxp(d->maxp);
    if (!head.has(0, 54) || head.u32(12) != 0x5F0F3CF5 || !hhea.has(0, 36) || !maxp.has(0, 6) ||
        d->glyf.isEmpty())
        return nullptr;
    d->numGlyphs = maxp.u16(4);
    d->numberOfHMetrics = hhea.u16(34);
    // Glyphs past numberOfHMetrics share its last advance; the metrics themselves must be there.
    if (d->numGlyphs == 0 || d->numberOfHMetrics == 0 || d->numberOfHMetrics > d->numGlyphs ||
        !Bytes(d->hmtx).has(0, 4 * std::size_t{d->numberOfHMetrics}))
        return nullptr;
    if (d->loca.isEmpty() || !d->readGlyphs() || !d->readCmap())
        return nullptr;

    Metrics &m = d->metrics;
    m.unitsPerEm = head.u16(18);
    if (m.unitsPerEm < 16 || m.unitsPerEm > 16384)
        return nullptr;
    m.xMin = head.s16(36);
    m.yMin = head.s16(38);
    m.xMax = head.s16(40);
    m.yMax = head.s16(42);
    const std::uint16_t macStyle = head.u16(44);
    m.ascent = hhea.s16(4);
    m.descent = hhea.s16(6);
    m.capHeight = m.ascent;
    std::uint16_t fsSelection = 0;
    {
        const QByteArray table = tableOf("OS/2");
        const Bytes os2(table);
        if (os2.has(0, 6) && os2.u16(4) >= 1 && os2.u16(4) <= 1000)
            m.weightClass = os2.u16(4);
        if (os2.has(0, 64))
            fsSelection = os2.u16(62);
        if (os2.has(0, 90) && os2.u16(0) >= 2 && os2.s16(88) > 0)
            m.capHeight = os2.s16(88);
    }
    m.bold = (fsSelection & 0x20) || (macStyle & 0x1);
    m.italic = (fsSelection & 0x1) || (macStyle & 0x2);
    {
        const QByteArray table = tableOf("post");
        const Bytes post(table);
        if (post.has(0, 16)) {
            m.italicAngle = post.s32(4) / 65536.0;
            m.fixedPitch = post.u32(12) != 0;
        }
    }
    d->readName(tableOf("name"));
    d->readKern(tableOf("kern"));
    d->kernedLeft.resize((std::size_t{d->numGlyphs} + 63) / 64);
    for (const KernPair &pair : d->kern)
        if (const std::uint32_t left = pair.key >> 16; left < d->numGlyphs)
            d->kernedLeft[left / 64] |= std::uint64_t{1} << (left % 64);
    return std::unique_ptr<TrueTypeFont>(new TrueTypeFont(std::move(d)));
}

std::unique_ptr<TrueTypeFont> TrueTypeFont::fromRawFont(const QRawFont &font)
{
    if (!font.isValid())
        return nullptr;
    return fromTables([&font](const char *tag) { return font.fontTable(tag); });
}

TrueTypeFont::TrueTypeFont(std::unique_ptr<Data> data) : d(std::move(data)) {}

TrueTypeFont::~TrueTypeFont() = default;

const Metrics &TrueTypeFont::metrics() const { return d->metrics; }

const std::string &TrueTypeFont::postScriptName() const { return d->postScriptName; }

Glyph TrueTypeFont::glyphFor(char32_t codePoint) const
{
    return codePoint < kDirect ? d->direct[codePoint] : d->search(codePoint);
}

int TrueTypeFont::advance(Glyph glyph) const
{
    if (glyph >= d->numGlyphs)
        return 0;
    return Bytes(d->hmtx).u16(4 * std::min<std::uint32_t>(glyph, d->numberOfHMetrics - 1));
}

int TrueTypeFont::kerning(Glyph left, Glyph right) const
{
    if (left >= d->numGlyphs || !(d->kernedLeft[left / 64] >> (left % 64) & 1))
        return 0;
    const std::uint32_t key = std::uint32_t{left} << 16 | right;
    const auto it = std::partition_point(d->kern.begin(), d->kern.end(),
                                         [key](const KernPair &p) { return p.key < key; });
    return it != d->kern.end() && it->key == key ? it->value : 0;
}

TrueTypeFont::Subset TrueTypeFont::subset(const std::vector<Glyph> &glyphs) const
{
    const auto input = own(hb_subset_input_create_or_fail());
    const auto source = own(hb_face_create_for_tables(&Data::referenceTable, d.get(), nullptr));
    if (!input || !source)
        return {};
    // The outlines as the face draws them unhinted, .notdef's included for a reader
    // that falls back to it.
    hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING | HB_SUBSET_FLAGS_NOTDEF_OUTLINE);
    hb_set_t *const keep = hb_subset_input_glyph_set(input.get());
    for (const Glyph glyph : glyphs)
        hb_set_add(keep, glyph);
    const auto plan = own(hb_subset_plan_create_or_fail(source.get(), input.get()));
    if (!plan)
        return {};
    const auto font = own(hb_subset_plan_execute_or_fail(plan.get()));
    if (!font)
        return {};
    const auto blob = own(hb_face_reference_blob(font.get()));
    unsigned length = 0;
    const char *const bytes = hb_blob_get_data(blob.get(), &length);
    if (length == 0)
        return {};

    Subset out;
    out.file = QByteArray(bytes, static_cast<qsizetype>(length));
    out.numbers.reserve(glyphs.size());
    const hb_map_t *const numbers = hb_subset_plan_old_to_new_glyph_mapping(plan.get());
    for (const Glyph glyph : glyphs) {
        const hb_codepoint_t number = hb_map_get(numbers, glyph);
        out.numbers.push_back(number == HB_MAP_VALUE_INVALID ? 0 : static_cast<Glyph>(number));
    }
    return out;
}

} // namespace report::ttf

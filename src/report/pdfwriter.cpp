#include "report/pdfwriter.h"

#include "report/font.h"
#include "report/truetype.h"

#include "rtl/text.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace report::pdf {

namespace {

// Thrown inside the writer when the pages need Qt's engine; never leaves this file.
struct NeedsQt {};

// ---- Numbers and strings -----------------------------------------------------------

// Thousandths of a layout pixel are far below what any device shows, and readers take
// reals only up to about 32,767 comfortably: anything beyond the page is clamped.
void appendNumber(std::string &out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    long long thousandths = std::llround(std::clamp(value, -1e6, 1e6) * 1000);
    if (thousandths < 0) {
        out += '-';
        thousandths = -thousandths;
    }
    char buffer[24];
    char *end = std::to_chars(buffer, buffer + sizeof buffer, thousandths / 1000).ptr;
    if (int fraction = static_cast<int>(thousandths % 1000); fraction != 0) {
        *end++ = '.';
        for (int digit = 100; fraction != 0; digit /= 10) {
            *end++ = static_cast<char>('0' + fraction / digit);
            fraction %= digit;
        }
    }
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void appendInteger(std::string &out, long long value)
{
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, error == std::errc() ? static_cast<std::size_t>(end - buffer) : 0);
}

// Appends numbers separated by blanks, then the operator.
template <class... N> void op(std::string &out, std::string_view name, N... numbers)
{
    ((appendNumber(out, numbers), out += ' '), ...);
    out += name;
    out += '\n';
}

constexpr char kHex[] = "0123456789ABCDEF";

void appendHex16(std::string &out, unsigned value)
{
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

void appendUtf16Hex(std::string &out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        appendHex16(out, 0xD800 + static_cast<unsigned>(cp >> 10));
        appendHex16(out, 0xDC00 + static_cast<unsigned>(cp & 0x3FF));
    } else {
        appendHex16(out, static_cast<unsigned>(cp));
    }
}

// The code points of UTF-8 text; a malformed byte reads as U+FFFD, as Qt shows it.
template <class F> void forEachCodePoint(std::string_view text, F &&f)
{
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t cp = 0;
        const int length = rtl::DecodeUtf8At(text, at, cp);
        if (length == 0) {
            cp = 0xFFFD;
            at += 1;
        } else {
            at += static_cast<std::size_t>(length);
        }
        f(cp);
    }
}

// One compressor per thread, reset for every stream: setting one up and tearing it down
// per stream allocates and frees a quarter of a megabyte each time, which costs more than
// compressing a page (the allocator hands the memory back to the system every time).
class Deflater {
public:
    Deflater()
    {
        FReady = deflateInit(&FStream, Z_BEST_SPEED) == Z_OK;
    }
    ~Deflater()
    {
        if (FReady)
            deflateEnd(&FStream);
    }
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    std::string pack(std::string_view data)
    {
        if (!FReady || deflateReset(&FStream) != Z_OK)
            throw NeedsQt{};
        // The output goes to a buffer kept from stream to stream: a new one the size of
        // the bound is cleared to zeros and faulted in page by page for every stream,
        // which costs about as much as compressing it. Only the packed bytes are copied.
        const std::size_t bound = deflateBound(&FStream, static_cast<uLong>(data.size()));
        std::string scratch;
        std::string &buffer = bound <= kKeptBuffer ? FBuffer : scratch;
        if (buffer.size() < bound)
            buffer.resize(bound);
        FStream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
        FStream.avail_in = static_cast<uInt>(data.size());
        FStream.next_out = reinterpret_cast<Bytef *>(buffer.data());
        FStream.avail_out = static_cast<uInt>(bound);
        if (deflate(&FStream, Z_FINISH) != Z_STREAM_END)
            throw NeedsQt{};
        return std::string(buffer.data(), FStream.total_out);
    }

private:
    // The largest buffer kept between streams; a larger stream has one of its own.
    static constexpr std::size_t kKeptBuffer = 4 * 1024 * 1024;

    z_stream FStream{};
    bool FReady = false;
    std::string FBuffer;
};

std::string deflated(std::string_view data)
{
    thread_local Deflater deflater;
    return deflater.pack(data);
}

// ---- The file's objects ---------------------------------------------------------------

class ObjectWriter {
public:
    ObjectWriter()
    {
        FOut.reserve(64 * 1024);
        // The binary comment tells transfer programs the file is not text.
        FOut += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    }

    int reserve()
    {
        FOffsets.push_back(0);
        return static_cast<int>(FOffsets.size());
    }

    void object(int number, std::string_view body)
    {
        begin(number);
        FOut += body;
        FOut += "\nendobj\n";
    }

    // A stream, compressed; entries go into its dictionary beside Length and Filter.
    void stream(int number, std::string_view entries, std::string_view data)
    {
        const std::string packed = deflated(data);
        writeStream(number, entries, "/Filter/FlateDecode", packed);
    }

    // A short stream, stored as it is: compressing one costs several microseconds however
    // small it is, more than the few dozen bytes it would save are worth.
    void rawStream(int number, std::string_view entries, std::string_view data)
    {
        writeStream(number, entries, "", data);
    }

    QByteArray finish(int root, int info)
    {
        const std::size_t xref = FOut.size();
        FOut += "xref\n0 ";
        appendInteger(FOut, static_cast<long long>(FOffsets.size() + 1));
        FOut += "\n0000000000 65535 f \n";
        char entry[21];
        for (std::size_t offset : FOffsets) {
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            FOut.append(entry, 20);
        }
        FOut += "trailer\n<</Size ";
        appendInteger(FOut, static_cast<long long>(FOffsets.size() + 1));
        FOut += "/Root ";
        appendInteger(FOut, root);
        FOut += " 0 R/Info ";
        appendInteger(FOut, info);
        FOut += " 0 R>>\nstartxref\n";
        appendInteger(FOut, static_cast<long long>(xref));
        FOut += "\n%%EOF\n";
        return QByteArray(FOut.data(), static_cast<qsizetype>(FOut.size()));
    }

private:
    void writeStream(int number, std::string_view entries, std::string_view filter, std::string_view data)
    {
        begin(number);
        FOut += "<<";
        FOut += entries;
        FOut += filter;
        FOut += "/Length ";
        appendInteger(FOut, static_cast<long long>(data.size()));
        FOut += ">>\nstream\n";
        FOut += data;
        FOut += "\nendstream\nendobj\n";
    }

    void begin(int number)
    {
        FOffsets[static_cast<std::size_t>(number - 1)] = FOut.size();
        appendInteger(FOut, number);
        FOut += " 0 obj\n";
    }

    std::string FOut;
    std::vector<std::size_t> FOffsets;
};

std::string reference(int object)
{
    std::string out;
    appendInteger(out, object);
    out += " 0 R";
    return out;
}

// ---- Faces ---------------------------------------------------------------------------

// A face is read once per process: the fonts installed do not change under a running
// program, and reading one costs more than writing a page.
std::shared_ptr<const ttf::TrueTypeFont> faceOf(const Font &font)
{
    using Key = std::tuple<std::string, bool, bool>;
    static std::mutex mutex;
    static std::map<Key, std::shared_ptr<const ttf::TrueTypeFont>> faces;
    Key key{resolvedFamily(font.family), font.bold, font.italic};
    const std::lock_guard lock(mutex);
    auto it = faces.find(key);
    if (it == faces.end()) {
        std::shared_ptr<const ttf::TrueTypeFont> face =
            ttf::TrueTypeFont::fromRawFont(QRawFont::fromFont(toQFont(font)));
        // A style the face does not have would be synthesized by the font system.
        if (face && ((font.bold && !face->metrics().bold) || (font.italic && !face->metrics().italic)))
            face.reset();
        it = faces.emplace(std::move(key), std::move(face)).first;
    }
    return it->second;
}

// A face as this document uses it: the glyphs drawn, numbered in order of first use.
// Those numbers (CIDs) are what the content streams show, so that a page is written as
// soon as it is drawn; the embedded subset numbers its glyphs its own way, and the
// font's CIDToGIDMap leads from one to the other.
struct UsedFace {
    std::shared_ptr<const ttf::TrueTypeFont> face;
    int resource = 0; // /F<resource>
    int object = 0;
    std::vector<std::uint16_t> cidOfGlyph; // 0: not drawn yet
    std::vector<ttf::Glyph> glyphs;        // cid - 1 -> glyph
    std::vector<char32_t> unicode;         // cid - 1 -> the character first drawn with it

    std::uint16_t cid(ttf::Glyph glyph, char32_t cp)
    {
        if (glyph >= cidOfGlyph.size())
            cidOfGlyph.resize(static_cast<std::size_t>(glyph) + 1, 0);
        std::uint16_t &slot = cidOfGlyph[glyph];
        if (slot == 0) {
            glyphs.push_back(glyph);
            unicode.push_back(cp);
            slot = static_cast<std::uint16_t>(glyphs.size());
        }
        return slot;
    }
};

struct SizedFont {
    UsedFace *face = nullptr;
    double size = 1;
    double ascent = 0;
};

// ---- Colours -------------------------------------------------------------------------

struct Rgb {
    double r = -1, g = -1, b = -1;
    bool operator==(const Rgb &) const = default;
};

Rgb rgbOf(const QColor &color)
{
    if (color.alpha() != 255)
        throw NeedsQt{};
    const QColor rgb = color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF()};
}

// ---- The document --------------------------------------------------------------------

class Document {
public:
    explicit Document(const PreparedReport &report) : FReport(report)
    {
        FCatalog = FObjects.reserve();
        FPages = FObjects.reserve();
        FResources = FObjects.reserve();
        FInfo = FObjects.reserve();
    }

    QByteArray write(const DocumentInfo &info)
    {
        std::string kids;
        for (const PreparedPage &page : FReport.pages) {
            kids += reference(writePage(page));
            kids += ' ';
        }
        writeFonts();
        writeResources();

        std::string pages = "<</Type/Pages/Count ";
        appendInteger(pages, static_cast<long long>(FReport.pages.size()));
        pages += "/Kids[" + kids + "]>>";
        FObjects.object(FPages, pages);
        FObjects.object(FCatalog, "<</Type/Catalog/Pages " + reference(FPages) + ">>");
        writeInfo(info);
        return FObjects.finish(FCatalog, FInfo);
    }

private:
    // ---- Pages ----

    int writePage(const PreparedPage &page)
    {
        // Paper in whole points, as the printing system gives it; the layout's pixels
        // are 0.75 pt with the origin at the top left.
        const long long width = std::llround(page.size.width() * 0.75);
        const long long height = std::llround(page.size.height() * 0.75);
        FContent.clear();
        FFill = FStroke = Rgb{};
        FLineWidth = -1;
        FDash = 0;
        op(FContent, "cm", 0.75, 0.0, 0.0, -0.75, 0.0, static_cast<double>(height));
        for (const auto *layer : {&page.background, &page.items})
            for (const Primitive &item : *layer)
                std::visit([this](const auto &primitive) { draw(primitive); }, item);

        const int content = FObjects.reserve();
        FObjects.stream(content, "", FContent);
        const int object = FObjects.reserve();
        std::string body = "<</Type/Page/Parent " + reference(FPages) + "/MediaBox[0 0 ";
        appendInteger(body, width);
        body += ' ';
        appendInteger(body, height);
        body += "]/Resources " + reference(FResources) + "/Contents " + reference(content) + ">>";
        FObjects.object(object, body);
        return object;
    }

    void setFill(const QColor &color)
    {
        const Rgb rgb = rgbOf(color);
        if (rgb == FFill)
            return;
        FFill = rgb;
        op(FContent, "rg", rgb.r, rgb.g, rgb.b);
    }

    void setStroke(const QColor &color, double width, bool dotted)
    {
        const Rgb rgb = rgbOf(color);
        if (!(rgb == FStroke)) {
            FStroke = rgb;
            op(FContent, "RG", rgb.r, rgb.g, rgb.b);
        }
        if (width != FLineWidth) {
            FLineWidth = width;
            op(FContent, "w", width);
        }
        // Qt's dotted pen with flat caps: dots one pen width long, gaps of two, so the
        // pattern follows the width.
        const double dash = dotted ? width : 0;
        if (dash != FDash) {
            FDash = dash;
            if (dotted) {
                FContent += '[';
                appendNumber(FContent, width);
                FContent += ' ';
                appendNumber(FContent, 2 * width);
                FContent += "] 0 d\n";
            } else {
                FContent += "[] 0 d\n";
            }
        }
    }

    void draw(const TextRun &run)
    {
        if (run.text.empty())
            return;
        const SizedFont &font = sizedFont(run.font);
        UsedFace &used = *font.face;
        const ttf::TrueTypeFont &face = *used.face;
        const double unitsPerEm = face.metrics().unitsPerEm;

        FText.clear();
        FText += '[';
        bool open = false;
        long long advance = 0;
        ttf::Glyph previous = 0;
        forEachCodePoint(run.text, [&](char32_t cp) {
            const ttf::Glyph glyph = face.glyphFor(cp);
            if (glyph == 0)
                throw NeedsQt{};
            if (previous != 0) {
                if (const int kern = face.kerning(previous, glyph); kern != 0) {
                    if (open)
                        FText += '>';
                    appendNumber(FText, -kern * 1000.0 / unitsPerEm);
                    open = false;
                    advance += kern;
                }
            }
            if (!open) {
                FText += '<';
                open = true;
            }
            appendHex16(FText, used.cid(glyph, cp));
            advance += face.advance(glyph);
            previous = glyph;
        });
        if (open)
            FText += '>';
        FText += "]TJ\n";

        const double width = run.width > 0 ? run.width : advance * font.size / unitsPerEm;
        setFill(run.color);
        FContent += "BT\n/F";
        appendInteger(FContent, used.resource);
        FContent += ' ';
        op(FContent, "Tf", font.size);
        op(FContent, "Tm", 1.0, 0.0, 0.0, -1.0, textLeft(run, width), run.box.top() + font.ascent);
        FContent += FText;
        FContent += "ET\n";
    }

    void draw(const LineItem &line)
    {
        if (!(line.penWidth > 0))
            return;
        setStroke(line.color, line.penWidth, line.dotted);
        op(FContent, "m", line.from.x(), line.from.y());
        op(FContent, "l", line.to.x(), line.to.y());
        FContent += "S\n";
    }

    void draw(const RectItem &rect)
    {
        if (rect.fill.isValid()) {
            setFill(rect.fill);
            op(FContent, "re", rect.rect.x(), rect.rect.y(), rect.rect.width(), rect.rect.height());
            FContent += "f\n";
        }
        if (rect.penWidth > 0) {
            // The border lies inside the rectangle.
            const double half = rect.penWidth / 2;
            setStroke(rect.penColor, rect.penWidth, false);
            const QRectF inner = rect.rect.adjusted(half, half, -half, -half);
            op(FContent, "re", inner.x(), inner.y(), inner.width(), inner.height());
            FContent += "S\n";
        }
    }

    void draw(const BarsItem &bars)
    {
        if (bars.bars.empty())
            return;
        setFill(Qt::black);
        for (const QRectF &bar : bars.bars)
            op(FContent, "re", bar.x(), bar.y(), bar.width(), bar.height());
        FContent += "f\n";
    }

    void draw(const ImageItem &item)
    {
        if (item.image.isNull())
            return;
        QRect source = item.image.rect();
        if (!item.sourceRect.isEmpty()) {
            source = item.sourceRect.toRect();
            if (QRectF(source) != item.sourceRect)
                throw NeedsQt{};
            source &= item.image.rect();
            if (source.isEmpty())
                return;
        }
        const int name = imageResource(item, source);
        FContent += "q\n";
        op(FContent, "cm", item.target.width(), 0.0, 0.0, -item.target.height(), item.target.left(),
           item.target.bottom());
        FContent += "/Im";
        appendInteger(FContent, name);
        FContent += " Do\nQ\n";
    }

    // ---- Fonts ----

    const SizedFont &sizedFont(const Font &font)
    {
        auto it = FSized.find(font);
        if (it != FSized.end())
            return it->second;
        std::shared_ptr<const ttf::TrueTypeFont> face = faceOf(font);
        if (!face)
            throw NeedsQt{};
        UsedFace *used = nullptr;
        for (const auto &candidate : FFaces)
            if (candidate->face == face)
                used = candidate.get();
        if (!used) {
            FFaces.push_back(std::make_unique<UsedFace>());
            used = FFaces.back().get();
            used->face = std::move(face);
            used->resource = static_cast<int>(FFaces.size());
            used->object = FObjects.reserve();
        }
        const QFontMetricsF metrics(toQFont(font));
        return FSized.emplace(font, SizedFont{used, static_cast<double>(std::max(1, font.pixelSize)), metrics.ascent()})
            .first->second;
    }

    void writeFonts()
    {
        for (const auto &used : FFaces) {
            const ttf::TrueTypeFont &face = *used->face;
            const ttf::Metrics &m = face.metrics();
            const double scale = 1000.0 / m.unitsPerEm;
            // Subsets carry a tag of six capitals before the name, one per subset.
            std::string name;
            for (int i = 0, n = used->resource; i < 6; ++i, n /= 26)
                name += static_cast<char>('A' + n % 26);
            name += '+' + face.postScriptName();

            const ttf::TrueTypeFont::Subset subset = face.subset(used->glyphs);
            if (subset.file.isEmpty())
                throw NeedsQt{};
            const int file = FObjects.reserve();
            std::string entries = "/Length1 ";
            appendInteger(entries, subset.file.size());
            FObjects.stream(file, entries,
                            std::string_view(subset.file.constData(), static_cast<std::size_t>(subset.file.size())));
            // Two bytes per CID, big-endian: its glyph in the subset; CID 0 is .notdef.
            std::string glyphOfCid(2 * (subset.numbers.size() + 1), '\0');
            for (std::size_t cid = 1; cid <= subset.numbers.size(); ++cid) {
                glyphOfCid[2 * cid] = static_cast<char>(subset.numbers[cid - 1] >> 8);
                glyphOfCid[2 * cid + 1] = static_cast<char>(subset.numbers[cid - 1] & 0xFF);
            }
            const int glyphMap = FObjects.reserve();
            FObjects.rawStream(glyphMap, "", glyphOfCid);

            int flags = 4; // symbolic: glyphs are chosen by number, not by a standard encoding
            if (m.fixedPitch)
                flags |= 1;
            if (m.italic)
                flags |= 64;
            std::string descriptor = "<</Type/FontDescriptor/FontName/" + name;
            descriptor += "/Flags ";
            appendInteger(descriptor, flags);
            descriptor += "/FontBBox[";
            for (int v : {m.xMin, m.yMin, m.xMax, m.yMax}) {
                appendNumber(descriptor, v * scale);
                descriptor += ' ';
            }
            descriptor += "]/ItalicAngle ";
            appendNumber(descriptor, m.italicAngle);
            descriptor += "/Ascent ";
            appendNumber(descriptor, m.ascent * scale);
            descriptor += "/Descent ";
            appendNumber(descriptor, m.descent * scale);
            descriptor += "/CapHeight ";
            appendNumber(descriptor, m.capHeight * scale);
            descriptor += "/StemV ";
            appendInteger(descriptor, 50 + m.weightClass * m.weightClass / 2500);
            descriptor += "/FontFile2 " + reference(file) + ">>";
            const int descriptorObject = FObjects.reserve();
            FObjects.object(descriptorObject, descriptor);

            std::string cidFont = "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name +
                                  "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>"
                                  "/FontDescriptor " +
                                  reference(descriptorObject) + "/CIDToGIDMap " + reference(glyphMap) + "/W[0[";
            appendNumber(cidFont, face.advance(0) * scale);
            for (ttf::Glyph glyph : used->glyphs) {
                cidFont += ' ';
                appendNumber(cidFont, face.advance(glyph) * scale);
            }
            cidFont += "]]>>";
            const int cidObject = FObjects.reserve();
            FObjects.object(cidObject, cidFont);

            const int toUnicode = FObjects.reserve();
            FObjects.stream(toUnicode, "", unicodeMap(*used));

            FObjects.object(used->object, "<</Type/Font/Subtype/Type0/BaseFont/" + name +
                                              "/Encoding/Identity-H/DescendantFonts[" + reference(cidObject) +
                                              "]/ToUnicode " + reference(toUnicode) + ">>");
        }
    }

    // What text each glyph stands for, so that copying and searching the PDF give the
    // document's words back.
    static std::string unicodeMap(const UsedFace &used)
    {
        std::string map = "/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                          "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                          "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                          "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n";
        const std::size_t count = used.glyphs.size();
        for (std::size_t first = 0; first < count; first += 100) {
            const std::size_t last = std::min(count, first + 100);
            appendInteger(map, static_cast<long long>(last - first));
            map += " beginbfchar\n";
            for (std::size_t i = first; i < last; ++i) {
                map += '<';
                appendHex16(map, static_cast<unsigned>(i + 1));
                map += "><";
                appendUtf16Hex(map, used.unicode[i]);
                map += ">\n";
            }
            map += "endbfchar\n";
        }
        map += "endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n";
        return map;
    }

    // ---- Images ----

    int imageResource(const ImageItem &item, const QRect &source)
    {
        const auto key = std::make_tuple(item.image.cacheKey(), source.x(), source.y(), source.width(),
                                         source.height(), item.smooth);
        if (auto it = FImages.find(key); it != FImages.end())
            return it->second.first;
        const QImage image = source == item.image.rect() ? item.image : item.image.copy(source);
        const int object = writeImage(image, item.smooth);
        const int name = static_cast<int>(FImages.size()) + 1;
        FImages.emplace(key, std::make_pair(name, object));
        return name;
    }

    int writeImage(const QImage &image, bool smooth)
    {
        const bool alpha = image.hasAlphaChannel();
        const bool gray = !alpha && image.isGrayscale();
        const QImage pixels = image.convertToFormat(alpha  ? QImage::Format_RGBA8888
                                                    : gray ? QImage::Format_Grayscale8
                                                           : QImage::Format_RGB888);
        const int w = pixels.width(), h = pixels.height();
        std::string colour, mask;
        colour.reserve(static_cast<std::size_t>(w) * h * (gray ? 1 : 3));
        bool opaque = true;
        for (int y = 0; y < h; ++y) {
            const char *line = reinterpret_cast<const char *>(pixels.constScanLine(y));
            if (!alpha) {
                colour.append(line, static_cast<std::size_t>(w) * (gray ? 1 : 3));
                continue;
            }
            for (int x = 0; x < w; ++x) {
                colour.append(line + 4 * x, 3);
                mask += line[4 * x + 3];
                opaque = opaque && static_cast<unsigned char>(line[4 * x + 3]) == 255;
            }
        }
        std::string entries = "/Type/XObject/Subtype/Image/Width ";
        appendInteger(entries, w);
        entries += "/Height ";
        appendInteger(entries, h);
        entries += "/BitsPerComponent 8";
        if (smooth)
            entries += "/Interpolate true";
        std::string common = entries;
        entries += gray ? "/ColorSpace/DeviceGray" : "/ColorSpace/DeviceRGB";
        if (alpha && !opaque) {
            const int maskObject = FObjects.reserve();
            FObjects.stream(maskObject, common + "/ColorSpace/DeviceGray", mask);
            entries += "/SMask " + reference(maskObject);
        }
        const int object = FObjects.reserve();
        FObjects.stream(object, entries, colour);
        return object;
    }

    void writeResources()
    {
        std::string body = "<</ProcSet[/PDF/Text/ImageB/ImageC]/Font<<";
        for (const auto &used : FFaces) {
            body += "/F";
            appendInteger(body, used->resource);
            body += ' ' + reference(used->object);
        }
        body += ">>/XObject<<";
        for (const auto &[key, image] : FImages) {
            body += "/Im";
            appendInteger(body, image.first);
            body += ' ' + reference(image.second);
        }
        body += ">>>>";
        FObjects.object(FResources, body);
    }

    // ---- Info ----

    void writeInfo(const DocumentInfo &info)
    {
        const QDateTime when = info.creationDate.value_or(QDateTime::currentDateTime());
        const int offset = when.offsetFromUtc() / 60;
        std::string date = "(D:" + when.toString(QStringLiteral("yyyyMMddHHmmss")).toStdString();
        if (offset == 0) {
            date += 'Z';
        } else {
            char zone[16];
            std::snprintf(zone, sizeof zone, "%c%02d'%02d'", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                          std::abs(offset) % 60);
            date += zone;
        }
        date += ')';
        std::string body = "<</Title " + textString(info.title) + "/Creator " + textString(info.creator) +
                           "/CreationDate " + date;
        if (!info.keywords.empty())
            body += "/Keywords " + textString(info.keywords);
        body += ">>";
        FObjects.object(FInfo, body);
    }

    const PreparedReport &FReport;
    ObjectWriter FObjects;
    int FCatalog = 0, FPages = 0, FResources = 0, FInfo = 0;

    std::vector<std::unique_ptr<UsedFace>> FFaces;
    std::unordered_map<Font, SizedFont, FontHash> FSized;
    std::map<std::tuple<qint64, int, int, int, int, bool>, std::pair<int, int>> FImages; // -> name, object

    // The page being written and the graphics state its content has set so far.
    std::string FContent, FText;
    Rgb FFill, FStroke;
    double FLineWidth = -1;
    double FDash = 0; // the dot length of the dash pattern set, 0: solid
};

} // namespace

std::string textString(std::string_view text)
{
    std::string out = "<FEFF";
    forEachCodePoint(text, [&](char32_t cp) { appendUtf16Hex(out, cp); });
    out += '>';
    return out;
}

std::optional<QByteArray> writeDocument(const PreparedReport &report, const DocumentInfo &info)
{
    try {
        return Document(report).write(info);
    } catch (const NeedsQt &) {
        return std::nullopt;
    }
}

} // namespace report::pdf

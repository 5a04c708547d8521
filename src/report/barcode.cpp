#include "report/barcode.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <utility>

namespace report {

std::vector<bool> code128Modules(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // Beyond ASCII zxing either refuses the character or, for U+00F1..U+00F4, takes
        // it as a function code: neither is the text asked for.
        if (byte > 0x7F)
            return {};
        wide.push_back(static_cast<wchar_t>(byte));
    }
    if (wide.empty())
        return {};
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::Code128);
        writer.setMargin(0);
        const ZXing::BitMatrix matrix = writer.encode(wide, 0, 0);
        std::vector<bool> modules(static_cast<std::size_t>(matrix.width()));
        for (int x = 0; x < matrix.width(); ++x)
            modules[static_cast<std::size_t>(x)] = matrix.get(x, 0);
        return modules;
    } catch (const std::invalid_argument &) {
        return {}; // too long for the writer
    }
}

namespace {

// ---- QR symbols in byte mode ----------------------------------------------------------
// zxing's writer puts the whole payload in one mode of its own choosing and cannot be
// told otherwise: digits alone go in numeric mode, payloads of "0-9 A-Z space $%*+-./:"
// in alphanumeric mode. The printed forms promise a byte segment whatever the payload, so
// the symbols of such payloads are built here (ISO/IEC 18004, model 2, level L, no ECI);
// every other payload is zxing's, which then writes byte mode itself. Both choose the
// version, lay out the codewords and pick the mask alike, so that a symbol looks the same
// whichever of the two built it.

constexpr int kLargestVersion = 40;
// Level L, by version (index 0 unused): error-correction codewords per block, and blocks.
constexpr std::array<int, kLargestVersion + 1> kEccPerBlock = {
    0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
    28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30};
constexpr std::array<int, kLargestVersion + 1> kBlocks = {
    0, 1,  1,  1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7,  8,
    8, 9,  9,  10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25};

// Whether zxing would choose numeric or alphanumeric mode for the whole of bytes.
bool alphanumericOnly(const std::string &bytes)
{
    constexpr std::string_view others = " $%*+-./:";
    return std::all_of(bytes.begin(), bytes.end(), [&](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || others.find(c) != std::string_view::npos;
    });
}

int sideOf(int version) { return 4 * version + 17; }

// The modules that carry codewords (data and error correction, remainder bits included).
int codewordModules(int version)
{
    int modules = (16 * version + 128) * version + 64;
    if (version >= 2) {
        const int alignments = version / 7 + 2;
        modules -= (25 * alignments - 10) * alignments - 55;
        if (version >= 7)
            modules -= 36; // the two version blocks
    }
    return modules;
}

int dataCodewords(int version)
{
    return codewordModules(version) / 8 - kEccPerBlock[version] * kBlocks[version];
}

// The rows (and columns) of the alignment patterns' centres.
std::vector<int> alignmentCentres(int version)
{
    if (version == 1)
        return {};
    const int count = version / 7 + 2;
    const int step = version == 32 ? 26 : (version * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
    std::vector<int> centres(static_cast<std::size_t>(count));
    centres[0] = 6;
    for (int i = count - 1, at = sideOf(version) - 7; i >= 1; --i, at -= step)
        centres[static_cast<std::size_t>(i)] = at;
    return centres;
}

// Products in GF(256) with the symbol's polynomial x^8 + x^4 + x^3 + x^2 + 1.
std::uint8_t gfMultiply(std::uint8_t x, std::uint8_t y)
{
    unsigned product = 0;
    for (int bit = 7; bit >= 0; --bit) {
        product = (product << 1) ^ ((product >> 7) * 0x11Du);
        product ^= ((y >> bit) & 1u) * x;
    }
    return static_cast<std::uint8_t>(product);
}

// The generator polynomial of degree error-correction codewords, highest power first
// and its leading 1 left out.
std::vector<std::uint8_t> generatorPolynomial(int degree)
{
    std::vector<std::uint8_t> generator(static_cast<std::size_t>(degree));
    generator.back() = 1;
    std::uint8_t root = 1;
    for (int i = 0; i < degree; ++i) {
        for (std::size_t j = 0; j < generator.size(); ++j) {
            generator[j] = gfMultiply(generator[j], root);
            if (j + 1 < generator.size())
                generator[j] ^= generator[j + 1];
        }
        root = gfMultiply(root, 2);
    }
    return generator;
}

// The error-correction codewords of one block: the remainder of its data by the generator.
std::vector<std::uint8_t> errorCorrection(const std::uint8_t *data, std::size_t length,
                                          const std::vector<std::uint8_t> &generator)
{
    std::vector<std::uint8_t> remainder(generator.size());
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t factor = data[i] ^ remainder.front();
        remainder.erase(remainder.begin());
        remainder.push_back(0);
        for (std::size_t j = 0; j < remainder.size(); ++j)
            remainder[j] ^= gfMultiply(generator[j], factor);
    }
    return remainder;
}

// The data codewords of one byte segment, then the error correction of each block,
// interleaved as the symbol carries them.
std::vector<std::uint8_t> codewords(const std::string &bytes, int version)
{
    std::vector<bool> bits;
    const auto append = [&bits](unsigned value, int count) {
        for (int i = count - 1; i >= 0; --i)
            bits.push_back(((value >> i) & 1u) != 0);
    };
    append(0b0100, 4);
    append(static_cast<unsigned>(bytes.size()), version <= 9 ? 8 : 16);
    for (char c : bytes)
        append(static_cast<unsigned char>(c), 8);
    const std::size_t capacity = static_cast<std::size_t>(dataCodewords(version)) * 8;
    append(0, static_cast<int>(std::min<std::size_t>(4, capacity - bits.size()))); // terminator
    append(0, static_cast<int>((8 - bits.size() % 8) % 8));
    for (unsigned pad = 0xEC; bits.size() < capacity; pad ^= 0xEC ^ 0x11)
        append(pad, 8);
    std::vector<std::uint8_t> data(bits.size() / 8);
    for (std::size_t i = 0; i < bits.size(); ++i)
        data[i / 8] = static_cast<std::uint8_t>(data[i / 8] | (bits[i] ? 0x80u >> (i % 8) : 0u));

    // Blocks of one length, the last ones a data codeword longer.
    const int blocks = kBlocks[version];
    const int ecc = kEccPerBlock[version];
    const int total = codewordModules(version) / 8;
    const int shortBlocks = blocks - total % blocks;
    const int shortData = total / blocks - ecc;
    const std::vector<std::uint8_t> generator = generatorPolynomial(ecc);
    std::vector<std::vector<std::uint8_t>> dataBlocks, eccBlocks;
    std::size_t at = 0;
    for (int b = 0; b < blocks; ++b) {
        const std::size_t length = static_cast<std::size_t>(shortData + (b < shortBlocks ? 0 : 1));
        dataBlocks.emplace_back(data.begin() + static_cast<std::ptrdiff_t>(at),
                                data.begin() + static_cast<std::ptrdiff_t>(at + length));
        eccBlocks.push_back(errorCorrection(data.data() + at, length, generator));
        at += length;
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(total));
    for (std::size_t i = 0; i <= static_cast<std::size_t>(shortData); ++i)
        for (const auto &block : dataBlocks)
            if (i < block.size())
                out.push_back(block[i]);
    for (std::size_t i = 0; i < static_cast<std::size_t>(ecc); ++i)
        for (const auto &block : eccBlocks)
            out.push_back(block[i]);
    return out;
}

bool maskBit(int mask, int x, int y)
{
    switch (mask) {
    case 0: return (x + y) % 2 == 0;
    case 1: return y % 2 == 0;
    case 2: return x % 3 == 0;
    case 3: return (x + y) % 3 == 0;
    case 4: return (x / 3 + y / 2) % 2 == 0;
    case 5: return x * y % 2 + x * y % 3 == 0;
    case 6: return (x * y % 2 + x * y % 3) % 2 == 0;
    default: return ((x + y) % 2 + x * y % 3) % 2 == 0;
    }
}

class ByteModeSymbol {
public:
    ByteModeSymbol(const std::string &bytes, int version)
        : FVersion(version), FSide(sideOf(version)), FDark(cells(), 0), FFunction(cells(), 0)
    {
        drawFunctionPatterns();
        placeCodewords(codewords(bytes, version));
        int best = 0;
        long lowest = std::numeric_limits<long>::max();
        for (int mask = 0; mask < 8; ++mask) {
            applyMask(mask);
            drawFormat(mask);
            const long score = penalty();
            if (score < lowest) {
                lowest = score;
                best = mask;
            }
            applyMask(mask); // undone
        }
        applyMask(best);
        drawFormat(best);
    }

    int side() const { return FSide; }
    bool dark(int x, int y) const { return FDark[index(x, y)] != 0; }

private:
    std::size_t cells() const { return static_cast<std::size_t>(FSide) * static_cast<std::size_t>(FSide); }
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(FSide) + static_cast<std::size_t>(x);
    }
    void setFunction(int x, int y, bool dark)
    {
        FDark[index(x, y)] = dark ? 1 : 0;
        FFunction[index(x, y)] = 1;
    }

    void drawFunctionPatterns()
    {
        for (int i = 0; i < FSide; ++i) { // timing patterns
            setFunction(6, i, i % 2 == 0);
            setFunction(i, 6, i % 2 == 0);
        }
        // Finders with their separators.
        for (const auto &[cx, cy] : {std::pair{3, 3}, std::pair{FSide - 4, 3}, std::pair{3, FSide - 4}})
            for (int dy = -4; dy <= 4; ++dy)
                for (int dx = -4; dx <= 4; ++dx) {
                    const int x = cx + dx, y = cy + dy;
                    const int ring = std::max(std::abs(dx), std::abs(dy));
                    if (x >= 0 && x < FSide && y >= 0 && y < FSide)
                        setFunction(x, y, ring != 2 && ring != 4);
                }
        const std::vector<int> centres = alignmentCentres(FVersion);
        const std::size_t last = centres.size() - 1;
        for (std::size_t i = 0; i < centres.size(); ++i)
            for (std::size_t j = 0; j < centres.size(); ++j) {
                if ((i == 0 && j == 0) || (i == 0 && j == last) || (i == last && j == 0))
                    continue; // under a finder
                for (int dy = -2; dy <= 2; ++dy)
                    for (int dx = -2; dx <= 2; ++dx)
                        setFunction(centres[i] + dx, centres[j] + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
            }
        drawFormat(0); // reserves the format modules; drawn again with the mask chosen
        if (FVersion >= 7) {
            unsigned remainder = static_cast<unsigned>(FVersion);
            for (int i = 0; i < 12; ++i)
                remainder = (remainder << 1) ^ ((remainder >> 11) * 0x1F25u);
            const unsigned bits = static_cast<unsigned>(FVersion) << 12 | remainder;
            for (int i = 0; i < 18; ++i) {
                const bool bit = ((bits >> i) & 1u) != 0;
                const int a = FSide - 11 + i % 3, b = i / 3;
                setFunction(a, b, bit);
                setFunction(b, a, bit);
            }
        }
    }

    void drawFormat(int mask)
    {
        const unsigned data = 0b01u << 3 | static_cast<unsigned>(mask); // level L
        unsigned remainder = data;
        for (int i = 0; i < 10; ++i)
            remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537u);
        const unsigned bits = (data << 10 | remainder) ^ 0x5412u;
        const auto bit = [bits](int i) { return ((bits >> i) & 1u) != 0; };
        for (int i = 0; i <= 5; ++i)
            setFunction(8, i, bit(i));
        setFunction(8, 7, bit(6));
        setFunction(8, 8, bit(7));
        setFunction(7, 8, bit(8));
        for (int i = 9; i < 15; ++i)
            setFunction(14 - i, 8, bit(i));
        for (int i = 0; i < 8; ++i)
            setFunction(FSide - 1 - i, 8, bit(i));
        for (int i = 8; i < 15; ++i)
            setFunction(8, FSide - 15 + i, bit(i));
        setFunction(8, FSide - 8, true); // the dark module
    }

    // Two columns at a time from the right, up and down in turn, skipping the vertical
    // timing pattern; modules past the codewords stay light.
    void placeCodewords(const std::vector<std::uint8_t> &words)
    {
        const std::size_t bits = words.size() * 8;
        std::size_t i = 0;
        for (int right = FSide - 1; right >= 1; right -= 2) {
            if (right == 6)
                right = 5;
            const bool upward = ((right + 1) & 2) == 0;
            for (int step = 0; step < FSide; ++step)
                for (int column = 0; column < 2; ++column) {
                    const int x = right - column;
                    const int y = upward ? FSide - 1 - step : step;
                    if (FFunction[index(x, y)] || i >= bits)
                        continue;
                    FDark[index(x, y)] = (words[i / 8] >> (7 - i % 8)) & 1u;
                    ++i;
                }
        }
    }

    void applyMask(int mask)
    {
        for (int y = 0; y < FSide; ++y)
            for (int x = 0; x < FSide; ++x)
                if (!FFunction[index(x, y)] && maskBit(mask, x, y))
                    FDark[index(x, y)] ^= 1;
    }

    // The four penalty rules of the standard; the lowest score wins.
    long penalty() const
    {
        long score = 0;
        // Each row and column in turn, between four light modules of quiet zone a side.
        constexpr int quiet = 4;
        std::vector<std::uint8_t> line(static_cast<std::size_t>(FSide + 2 * quiet), 0);
        for (int pass = 0; pass < 2; ++pass)
            for (int l = 0; l < FSide; ++l) {
                for (int i = 0; i < FSide; ++i)
                    line[static_cast<std::size_t>(quiet + i)] = pass == 0 ? FDark[index(i, l)] : FDark[index(l, i)];
                const std::uint8_t *m = line.data() + quiet;
                int run = 0;
                for (int i = 0; i < FSide; ++i) {
                    run = i > 0 && m[i] == m[i - 1] ? run + 1 : 1;
                    if (run == 5)
                        score += 3;
                    else if (run > 5)
                        ++score;
                }
                // Dark-light-dark-dark-dark-light-dark, with four light modules before or after.
                for (int i = 0; i + 7 <= FSide; ++i)
                    if (m[i] && !m[i + 1] && m[i + 2] && m[i + 3] && m[i + 4] && !m[i + 5] && m[i + 6] &&
                        ((!m[i - 1] && !m[i - 2] && !m[i - 3] && !m[i - 4]) ||
                         (!m[i + 7] && !m[i + 8] && !m[i + 9] && !m[i + 10])))
                        score += 40;
            }
        long darkCount = 0;
        for (int y = 0; y < FSide; ++y)
            for (int x = 0; x < FSide; ++x) {
                const std::uint8_t d = FDark[index(x, y)];
                darkCount += d;
                if (x + 1 < FSide && y + 1 < FSide && d == FDark[index(x + 1, y)] && d == FDark[index(x, y + 1)] &&
                    d == FDark[index(x + 1, y + 1)])
                    score += 3;
            }
        const long total = static_cast<long>(cells());
        score += std::abs(darkCount * 2 - total) * 10 / total * 10;
        return score;
    }

    int FVersion;
    int FSide;
    std::vector<std::uint8_t> FDark;     // 1: dark
    std::vector<std::uint8_t> FFunction; // 1: a function module, which carries no data
};

// The smallest version whose data codewords hold one byte segment of length bytes; 0
// when none does.
int byteModeVersion(std::size_t length)
{
    for (int version = 1; version <= kLargestVersion; ++version) {
        const std::size_t header = 4 + (version <= 9 ? 8 : 16);
        if (header + 8 * length <= static_cast<std::size_t>(dataCodewords(version)) * 8)
            return version;
    }
    return 0;
}

// A 1-bit image of side + 2 pixels: black where dark(x, y), a white border of one module.
template <class Dark> QImage symbolImage(int side, Dark dark)
{
    QImage image(side + 2, side + 2, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (dark(x, y))
                image.setPixel(x + 1, y + 1, 1);
    return image;
}

} // namespace

QImage qrBitmap(const std::string &bytes)
{
    if (bytes.empty())
        return {};
    if (alphanumericOnly(bytes)) {
        const int version = byteModeVersion(bytes.size());
        if (version == 0)
            return {}; // more than a level-L symbol holds
        const ByteModeSymbol symbol(bytes, version);
        return symbolImage(symbol.side(), [&](int x, int y) { return symbol.dark(x, y); });
    }
    // One code unit per byte with the character set left unknown: the writer then puts
    // the units in byte mode as they are and writes no ECI. Passing the std::string
    // itself would decode it as UTF-8 and write Latin-1.
    std::wstring wide;
    wide.reserve(bytes.size());
    for (char c : bytes)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(0).setEccLevel(1); // zxing maps 0..2 to level L
        matrix = writer.encode(wide, 0, 0);
    } catch (const std::invalid_argument &) {
        return {}; // more than a level-L symbol holds
    }
    return symbolImage(matrix.width(), [&](int x, int y) { return matrix.get(x, y); });
}

std::vector<QRectF> moduleBars(const std::vector<bool> &modules, const QRectF &area)
{
    std::vector<QRectF> bars;
    if (modules.empty())
        return bars;
    const double module = area.width() / static_cast<double>(modules.size());
    std::size_t x = 0;
    while (x < modules.size()) {
        if (!modules[x]) {
            ++x;
            continue;
        }
        const std::size_t start = x;
        while (x < modules.size() && modules[x])
            ++x;
        bars.emplace_back(area.left() + static_cast<double>(start) * module, area.top(),
                          static_cast<double>(x - start) * module, area.height());
    }
    return bars;
}

std::vector<QRectF> moduleRects(const QImage &bitmap, const QRectF &area)
{
    std::vector<QRectF> rects;
    if (bitmap.isNull())
        return rects;
    const double moduleWidth = area.width() / bitmap.width();
    const double moduleHeight = area.height() / bitmap.height();
    const auto dark = [&](int x, int y) { return qGray(bitmap.pixel(x, y)) < 128; };
    for (int y = 0; y < bitmap.height(); ++y) {
        int x = 0;
        while (x < bitmap.width()) {
            if (!dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < bitmap.width() && dark(x, y))
                ++x;
            rects.emplace_back(area.left() + start * moduleWidth, area.top() + y * moduleHeight,
                               (x - start) * moduleWidth, moduleHeight);
        }
    }
    return rects;
}

} // namespace report

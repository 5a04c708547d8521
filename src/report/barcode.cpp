#include "report/barcode.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <qrencode.h>

#include <memory>
#include <stdexcept>
#include <string>

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

QImage qrBitmap(const std::string &bytes)
{
    if (bytes.empty())
        return {};
    // A document's QR Code is drawn again by every output of it (the preview, then the PDF
    // or the printer), and choosing the symbol's mask is the costly part of encoding: the
    // last symbol made is kept. Per thread, as the images are; QImage shares its pixels.
    struct Last {
        std::string bytes;
        QImage image;
    };
    thread_local Last last;
    if (!last.image.isNull() && last.bytes == bytes)
        return last.image;
    // zxing's writer chooses the mode from the payload and cannot be told otherwise: digits
    // alone would go in numeric mode, "0-9 A-Z space $%*+-./:" in alphanumeric mode. The
    // printed forms promise one byte segment whatever the payload, which libqrencode's
    // whole-data encoding gives (no ECI; version 0 asks for the smallest that holds it).
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> symbol(
        QRcode_encodeData(static_cast<int>(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.data()),
                          0, QR_ECLEVEL_L),
        &QRcode_free);
    if (!symbol)
        return {}; // more than a level-L symbol holds
    const int side = symbol->width;
    QImage image(side + 2, side + 2, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (symbol->data[y * side + x] & 1)
                image.setPixel(x + 1, y + 1, 1);
    last = {bytes, image};
    return image;
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

#pragma once
// Code 128 and QR symbols. zxing-cpp encodes Code 128 and libqrencode the QR symbols;
// nothing here chooses code sets, modes or masks by hand. Neither function throws: data a
// symbology cannot carry gives no symbol, and a report then draws nothing where the
// symbol would be.

#include <QImage>
#include <QRectF>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// The modules of the Code 128 symbol of text, dark as true, from the start character to
// the end of the stop pattern, without quiet zones. zxing picks the code sets: a run of
// digits of even length goes in subset C (44 digits: start C, 22 pairs, check, stop =
// 277 modules), an odd digit or any other ASCII character switches to subset B or A.
// Empty when text is empty, holds a character outside ASCII, or is longer than the
// writer takes (80 characters).
std::vector<bool> code128Modules(std::string_view text);

// The QR symbol of bytes, exactly as given: a 1-bit image, one pixel per module, black
// on white, with a one-module white border, error correction level L, one byte-mode
// segment and no ECI, so a reader gets back these bytes and nothing else (UTF-8 text
// stays UTF-8, a leading EF BB BF stays, digits stay bytes rather than a number). The
// version is the smallest that holds the bytes, the mask the one of lowest penalty. A
// null image when bytes is empty or longer than a level-L symbol holds (2953 bytes).
QImage qrBitmap(const std::string &bytes);

// Bars to fill for modules drawn across area: every run of dark modules becomes one
// rectangle as tall as area, each module area.width() / modules.size() wide.
std::vector<QRectF> moduleBars(const std::vector<bool> &modules, const QRectF &area);

// Rectangles to fill for the dark pixels (grey below half) of a module bitmap such as
// qrBitmap's drawn into area, one per horizontal run of dark pixels in a row.
std::vector<QRectF> moduleRects(const QImage &bitmap, const QRectF &area);

} // namespace report

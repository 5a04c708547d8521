#pragma once
// Fonts as the layouts name them, and the one place where a name becomes a Qt font.
// Layouts ask for Arial, Times New Roman, Courier New or Tahoma; every machine draws them
// with the Liberation fonts (metric clones of the first three), so a page breaks at the
// same place wherever it is prepared.

#include <cstddef>
#include <string>
#include <string_view>

class QFont;

namespace report {

// Layout units are pixels at 96 dpi; paper and margins are given in millimetres.
inline constexpr double kPixelsPerMm = 96.0 / 25.4;
constexpr double mmToPx(double mm) { return mm * kPixelsPerMm; }
constexpr double pxToMm(double px) { return px / kPixelsPerMm; }

struct Font {
    std::string family = "Arial";
    int pixelSize = 11;
    bool bold = false;
    bool italic = false;

    bool operator==(const Font &) const = default;
};

// Point sizes as the layouts give them, in whole pixels at 96 dpi: 8 pt -> 11 px, 7 pt -> 9 px.
int pointsToPixels(double points);

// The family that actually draws: Arial, Helvetica and Tahoma -> "Liberation Sans",
// Times New Roman and Times -> "Liberation Serif", Courier New and Courier ->
// "Liberation Mono" (names compared without regard to case); any other name is kept.
std::string resolvedFamily(std::string_view family);

// The Qt font the measurer measures with and every painter draws with: the resolved
// family at the pixel size, without hinting so that widths do not depend on the device.
QFont toQFont(const Font &font);

struct FontHash {
    std::size_t operator()(const Font &font) const noexcept;
};

} // namespace report

#include "report/font.h"

#include "rtl/text.h"

#include <QFont>
#include <cmath>
#include <functional>

namespace report {

namespace {

struct FamilyRow {
    std::string_view name, resolved;
};

constexpr FamilyRow kFamilies[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    // Tahoma has no metric clone; Liberation Sans is the closest (about 3% wider), far
    // closer than the fontconfig default (DejaVu Sans, about 14% wider).
    {"Tahoma", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

} // namespace

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

std::string resolvedFamily(std::string_view family)
{
    for (const auto &row : kFamilies)
        if (rtl::SameText(row.name, family))
            return std::string(row.resolved);
    return std::string(family);
}

QFont toQFont(const Font &font)
{
    QFont q(QString::fromStdString(resolvedFamily(font.family)));
    q.setPixelSize(font.pixelSize > 0 ? font.pixelSize : 1);
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

std::size_t FontHash::operator()(const Font &font) const noexcept
{
    std::size_t h = std::hash<std::string>{}(font.family);
    h = h * 31 + static_cast<std::size_t>(font.pixelSize);
    h = h * 4 + (font.bold ? 2u : 0u) + (font.italic ? 1u : 0u);
    return h;
}

} // namespace report

#pragma once
// Small reports for the engine's tests: pages measured in px, no margins, a 10-px font
// (5 px per character and 10 px per line under FixedTextMeasurer).

#include "report/paginator.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace report::test {

inline void pageSetup(Report &report, double widthPx, double heightPx)
{
    report.paper = Paper::custom(pxToMm(widthPx), pxToMm(heightPx));
    report.margins = Margins{0, 0, 0, 0};
    report.font = Font{"Arial", 10};
}

// A band holding one label named after it, showing its name.
inline Band &labelled(Band &band)
{
    band.add<Label>(band.name, QRectF(0, 0, 100, std::min(band.height, 10.0)), band.name);
    return band;
}

inline Band &addBand(Report &report, BandKind kind, double height, std::string name)
{
    return labelled(report.addBand(kind, height, std::move(name)));
}

inline Band &addBand(SubReport &sub, BandKind kind, double height, std::string name)
{
    return labelled(sub.addBand(kind, height, std::move(name)));
}

// A sub-report of `records` records with one detail band named "det" whose label shows
// "det <record>".
inline SubReport &addItems(Report &report, int records, double detailHeight)
{
    SubReport &sub = report.addSubReport("items");
    sub.onRecord = [records](int record, PrintContext &) { return record <= records; };
    Band &det = addBand(sub, BandKind::Detail, detailHeight, "det");
    det.beforePrint = [](Band &band, PrintContext &context) {
        band.find<Label>("det")->text = "det " + std::to_string(context.record());
        return true;
    };
    return sub;
}

// The numbers of the pages showing text.
inline std::vector<int> pagesWith(const PreparedReport &prepared, std::string_view text)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < prepared.pages.size(); ++i)
        if (findText(prepared.pages[i], text))
            out.push_back(static_cast<int>(i) + 1);
    return out;
}

// The tops of the band's placements on a page (1-based), to a hundredth of a pixel.
inline std::vector<double> topsOf(const PreparedReport &prepared, int page, std::string_view band)
{
    std::vector<double> out;
    for (const auto &placed : placements(prepared.pages.at(page - 1), band))
        out.push_back(std::round(placed.top * 100) / 100);
    return out;
}

// The texts on a page that start with prefix.
inline std::vector<std::string> textsStarting(const PreparedPage &page, std::string_view prefix)
{
    std::vector<std::string> out;
    for (auto &text : texts(page))
        if (std::string_view(text).substr(0, prefix.size()) == prefix)
            out.push_back(text);
    return out;
}

} // namespace report::test

#include "report/report.h"

namespace report {

SubReport::SubReport(std::string name) : name(std::move(name)) {}
SubReport::~SubReport() = default;

Band &SubReport::addBand(BandKind kind, double height, std::string bandName)
{
    auto band = std::make_unique<Band>(kind, height, std::move(bandName));
    band->order = static_cast<double>(FBands.size());
    FBands.push_back(std::move(band));
    return *FBands.back();
}

Band *SubReport::findBand(std::string_view bandName) const
{
    for (const auto &band : FBands)
        if (band->name == bandName)
            return band.get();
    return nullptr;
}

Report::Report() = default;
Report::~Report() = default;

Band &Report::addBand(BandKind kind, double height, std::string name)
{
    auto band = std::make_unique<Band>(kind, height, std::move(name));
    band->order = FNextOrder++;
    FBands.push_back(std::move(band));
    return *FBands.back();
}

SubReport &Report::addSubReport(std::string name)
{
    auto sub = std::make_unique<SubReport>(std::move(name));
    sub->order = FNextOrder++;
    FSubReports.push_back(std::move(sub));
    return *FSubReports.back();
}

Band *Report::findBand(std::string_view name) const
{
    for (const auto &band : FBands)
        if (band->name == name)
            return band.get();
    for (const auto &sub : FSubReports)
        if (Band *band = sub->findBand(name))
            return band;
    return nullptr;
}

double Report::pageHeight() const
{
    return paper.unlimitedHeight ? std::numeric_limits<double>::infinity() : mmToPx(paper.heightMm);
}

} // namespace report

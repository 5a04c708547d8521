#pragma once
// Several reports printed as one job: each is laid out on its own, so its page numbers
// and page count restart, and the pages follow one another in the order added.

#include "report/paginator.h"

#include <vector>

namespace report {

class ReportChain {
public:
    // The chain does not own the reports; they must live until prepare() returns.
    void add(Report &report) { FReports.push_back(&report); }
    bool empty() const { return FReports.empty(); }
    std::size_t size() const { return FReports.size(); }

    // The pages of every report in turn, each page knowing its report's index; title and
    // caption are the first report's. An empty chain gives no page. Progress, when given,
    // hears of each report as prepare() tells it.
    PreparedReport prepare(const TextMeasurer &measurer, Progress *progress = nullptr) const;

private:
    std::vector<Report *> FReports;
};

} // namespace report

#include "report/chain.h"

#include <iterator>

namespace report {

PreparedReport ReportChain::prepare(const TextMeasurer &measurer, Progress *progress) const
{
    PreparedReport out;
    for (std::size_t i = 0; i < FReports.size(); ++i) {
        PreparedReport part = report::prepare(*FReports[i], measurer, progress);
        if (i == 0) {
            out.title = std::move(part.title);
            out.caption = std::move(part.caption);
        }
        for (auto &page : part.pages)
            page.reportIndex = static_cast<int>(i);
        if (out.pages.empty())
            out.pages = std::move(part.pages);
        else
            out.pages.insert(out.pages.end(), std::make_move_iterator(part.pages.begin()),
                             std::make_move_iterator(part.pages.end()));
    }
    return out;
}

} // namespace report

#pragma once
// Bands: horizontal strips of a report, each holding controls, laid out one after another
// on the pages according to their kind.

#include "report/controls.h"
#include "report/prepared.h"

#include <QColor>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace report {

class PrintContext;

// On which pages a band prints. LastOnly is for page footers.
enum class PageRule { Every, FirstOnly, LastOnly };

// Lines along chosen sides, drawn inside the edge.
struct Borders {
    bool left = false, top = false, right = false, bottom = false;
    double width = 1;
    QColor color = QColorConstants::Black;

    static Borders all(double width = 1);
    bool any() const { return left || top || right || bottom; }
};

// Appends the lines of borders around rect, named source.
void renderBorders(const Borders &borders, const QRectF &rect, const PrimitiveBase &base,
                   std::vector<Primitive> &out);

class Band {
public:
    Band(BandKind kind, double height, std::string name);
    ~Band();
    Band(const Band &) = delete;
    Band &operator=(const Band &) = delete;

    std::string name;
    BandKind kind;
    // Bands of one kind print in this order (the design's top position); the report's
    // before-print may change it, and the kind, before the bands are laid out.
    double order = 0;
    double height; // px
    // Read when the band is reached, so an earlier band may hide a later one on the same
    // page. An invisible band takes no room and its events do not run.
    bool visible = true;
    // A disabled band takes its height and draws nothing, borders included.
    bool enabled = true;
    // The band grows to the lowest of its controls (a memo growing with its text).
    bool autoSize = false;
    // The band may continue on the next page when it does not fit (cut between text lines).
    bool canSplit = false;
    PageRule pageRule = PageRule::Every;
    Borders borders;

    // Runs when the band is reached, before it takes room; false keeps it off this page
    // (it then takes no room). May change the band: height, texts, visibility of controls.
    std::function<bool(Band &, PrintContext &)> beforePrint;
    // Runs after the band was placed.
    std::function<void(Band &, PrintContext &)> afterPrint;

    // Adds a control, drawn above those added before: add<Label>("name", rect, "text").
    template <class T, class... A> T &add(std::string controlName, QRectF bounds, A &&...args)
    {
        auto control = std::make_unique<T>(std::move(controlName), bounds, std::forward<A>(args)...);
        T &ref = *control;
        FControls.push_back(std::move(control));
        return ref;
    }
    Control *find(std::string_view controlName) const;
    template <class T> T *find(std::string_view controlName) const
    {
        return dynamic_cast<T *>(find(controlName));
    }
    // Draws the control above every other control of the band.
    void bringToFront(const Control &control);
    const std::vector<std::unique_ptr<Control>> &controls() const { return FControls; }

    // The height the band takes now: its height, grown to its visible controls when it
    // sizes itself.
    double preparedHeight(const TextMeasurer &measurer, const Font &reportFont) const;

private:
    friend class Paginator;
    friend class PrintContext;
    std::vector<std::unique_ptr<Control>> FControls;
    // Where the band went last (page of its report, top on that page); 0: not yet.
    int FPlacedPage = 0;
    double FPlacedTop = 0;
    // name as the primitives carry it, made again when the name changes.
    Name FPrimitiveName;
};

} // namespace report

#pragma once
// Replaces the program's error box for one test: every box the default handler would show
// is recorded instead, so no modal box ever runs.

#include "app/exceptionhandler.h"

#include <string>
#include <vector>

namespace apptest {

struct ShownBox {
    QWidget *owner;
    std::string caption;
    std::string text;
};

class RecordingBox {
public:
    RecordingBox()
        : FPrevious(app::SetExceptionBox(
              [this](QWidget *owner, const std::string &caption, const std::string &text) {
                  Shown.push_back({owner, caption, text});
              }))
    {
    }
    ~RecordingBox() { app::SetExceptionBox(std::move(FPrevious)); }
    RecordingBox(const RecordingBox &) = delete;
    RecordingBox &operator=(const RecordingBox &) = delete;

    std::vector<ShownBox> Shown;

private:
    app::TExceptionBox FPrevious;
};

} // namespace apptest

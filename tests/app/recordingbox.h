#pragma once
// Replaces the program's error box for one test: every box the default handler would show
// is recorded instead, with what the real box would be like, so no modal box ever runs.

#include "app/exceptionhandler.h"

#include <QMessageBox>

#include <string>
#include <vector>

namespace apptest {

struct ShownBox {
    QWidget *owner;
    std::string caption;
    std::string text;
    // The real box, as CreateErrorBox builds it for these.
    std::string title;
    QWidget *parent;
    bool onTop;
};

class RecordingBox {
public:
    RecordingBox()
        : FPrevious(app::SetExceptionBox(
              [this](QWidget *owner, const std::string &caption, const std::string &text) {
                  const auto box = app::CreateErrorBox(owner, caption, text);
                  Shown.push_back({owner, caption, text, box->windowTitle().toStdString(),
                                   box->parentWidget(),
                                   box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
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

#pragma once
// Feedback on the jobs a user waits for: laying a report out and exporting its pages. The
// engine reports to a Progress it is handed (none: it reports nothing); ProgressWindow
// shows the reports on screen, and tests hand in their own to see what was reported.

#include <memory>
#include <string>

class QProgressDialog;
class QWidget;

namespace report {

class Progress {
public:
    virtual ~Progress() = default;
    // A job begins (or the next one, on the same display): what it does and in how many
    // steps, 0 when that is not known until it ends.
    virtual void begin(const std::string &task, int total) = 0;
    // The steps of the current job done so far.
    virtual void advance(int done) = 0;
};

// A small modal window with the task and the page reached. It opens only once a job has
// run for a moment, since a window that flashes past tells the user nothing, and closes
// with the object, on every way out of the job. Needs a QApplication.
class ProgressWindow : public Progress {
public:
    explicit ProgressWindow(QWidget *parent = nullptr);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    void begin(const std::string &task, int total) override;
    void advance(int done) override;

    const QProgressDialog &dialog() const { return *FDialog; }

private:
    void show(int done);

    std::unique_ptr<QProgressDialog> FDialog;
    std::string FTask;
    int FTotal = 0;
};

} // namespace report

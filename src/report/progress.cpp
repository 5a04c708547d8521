#include "report/progress.h"

#include <QProgressDialog>
#include <QString>
#include <algorithm>

namespace report {

namespace {

// How long a job runs before its window opens.
constexpr int kDelayMs = 500;

} // namespace

ProgressWindow::ProgressWindow(QWidget *parent) : FDialog(std::make_unique<QProgressDialog>(parent))
{
    // The engine cannot stop half-way through a page, so there is nothing to cancel.
    FDialog->setCancelButton(nullptr);
    FDialog->setWindowModality(Qt::ApplicationModal);
    FDialog->setMinimumDuration(kDelayMs);
    FDialog->setAutoClose(false);
    FDialog->setAutoReset(false);
    FDialog->setWindowTitle(QStringLiteral("Aguarde"));
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::begin(const std::string &task, int total)
{
    FTask = task;
    FTotal = std::max(0, total);
    // A range of 0..0 shows a busy bar where the number of steps is not known.
    FDialog->reset();
    FDialog->setRange(0, FTotal);
    show(0);
}

void ProgressWindow::advance(int done)
{
    show(done);
}

void ProgressWindow::show(int done)
{
    QString text = QString::fromStdString(FTask);
    if (done > 0) {
        text += QStringLiteral("\nPágina %1").arg(done);
        if (FTotal > 0)
            text += QStringLiteral(" de %1").arg(FTotal);
    }
    FDialog->setLabelText(text);
    // Qt opens the window once the job has lasted the delay, and repaints it from here.
    FDialog->setValue(FTotal > 0 ? std::min(done, FTotal) : done);
}

} // namespace report

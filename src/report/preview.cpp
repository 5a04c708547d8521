#include "report/preview.h"

#include "report/htmlexport.h"
#include "report/painter.h"
#include "report/printdialog.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <map>
#include <cmath>
#include <utility>

namespace report {

namespace {

constexpr std::array kZoomSteps{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// The zoom box lists the two fitting modes before the steps.
constexpr int kFitPageIndex = 0, kFitWidthIndex = 1, kFirstStepIndex = 2;
// Grey around the page in the view, px.
constexpr int kViewMargin = 12;

ErrorReporter &installedReporter()
{
    static ErrorReporter reporter;
    return reporter;
}

// The toolbar's icons, made once per style: a style makes each of its standard icons afresh
// on every request, reading and decoding its images, and every preview asks for all of them.
// Emptied with the application, as icons must not outlive it.
QIcon standardIcon(const QStyle &style, QStyle::StandardPixmap which)
{
    static std::map<std::pair<QString, QStyle::StandardPixmap>, QIcon> icons;
    if (icons.empty())
        qAddPostRoutine([] { icons.clear(); });
    auto &icon = icons[{style.name(), which}];
    if (icon.isNull())
        icon = style.standardIcon(which);
    return icon;
}

QString filterOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Pdf: return QStringLiteral("Arquivo PDF (*.pdf)");
    case ExportFormat::Html: return QStringLiteral("Arquivo HTML (*.html *.htm)");
    }
    return {};
}

} // namespace

// The page on the grey of the view, drawn straight onto the screen, and only the part of it
// that is shown: a whole page drawn into an image first costs an image of the page's full
// size at every zoom, most of it out of sight.
class PreviewPage : public QWidget {
public:
    using QWidget::QWidget;

    // Shows page (null: none) zoom screen pixels per layout pixel; the widget takes the
    // page's size plus the margin.
    void setPage(const PreparedPage *page, double zoom)
    {
        FPage = page;
        FZoom = zoom;
        if (FPage) {
            const QSizeF size = FPage->size * FZoom;
            setFixedSize(QSize(std::max(1, static_cast<int>(std::ceil(size.width() - 1e-6))),
                               std::max(1, static_cast<int>(std::ceil(size.height() - 1e-6)))) +
                         QSize(2 * kViewMargin, 2 * kViewMargin));
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!FPage)
            return;
        const QRect paper = rect().adjusted(kViewMargin, kViewMargin, -kViewMargin, -kViewMargin);
        const QRect shown = paper & event->rect();
        if (shown.isEmpty())
            return;
        QPainter painter(this);
        painter.setClipRect(shown);
        painter.fillRect(shown, Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(paper.topLeft());
        painter.scale(FZoom, FZoom);
        const QRectF area(QPointF(shown.topLeft() - paper.topLeft()) / FZoom, QSizeF(shown.size()) / FZoom);
        FPainter.paint(painter, *FPage, area);
    }

private:
    const PreparedPage *FPage = nullptr;
    double FZoom = 1;
    PagePainter FPainter; // keeps the fonts from one repaint to the next
};

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    return std::exchange(installedReporter(), std::move(reporter));
}

const char *extensionOf(ExportFormat format)
{
    return format == ExportFormat::Html ? "html" : "pdf";
}

std::string fileNameFromTitle(std::string_view title)
{
    std::string out;
    out.reserve(title.size());
    for (char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        const bool refused = byte < 0x20 || byte == 0x7F ||
                             std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        out += refused ? '_' : c;
    }
    return out.empty() ? std::string("relatorio") : out;
}

std::optional<ExportTarget> chooseExportFile(QWidget *parent, const std::string &proposedName,
                                             const std::vector<ExportFormat> &formats)
{
    if (formats.empty())
        return std::nullopt;
    QStringList filters;
    for (ExportFormat format : formats)
        filters << filterOf(format);
    QString selected = filters.front();
    const QString fileName = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Exportar"), QString::fromStdString(proposedName),
        filters.join(QStringLiteral(";;")), &selected);
    if (fileName.isEmpty())
        return std::nullopt;

    ExportTarget target;
    target.format = formats[static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(selected)))];
    // A name that says what it is wins over the filter left selected.
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        target.format = ExportFormat::Pdf;
    else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        target.format = ExportFormat::Html;
    target.fileName = fileName.toStdString();
    if (suffix.isEmpty())
        target.fileName += std::string(".") + extensionOf(target.format);
    return target;
}

// ---- PreviewDialog ----------------------------------------------------------------------

PreviewDialog::PreviewDialog(PreparedReport report, PreviewOptions options, QWidget *parent)
    : QDialog(parent), FReport(std::move(report)), FOptions(std::move(options)),
      FChooseExport(chooseExportFile), FChoosePrinter(askPrinter)
{
    const std::string &caption = FOptions.caption.empty() ? FReport.caption : FOptions.caption;
    setWindowTitle(QString::fromStdString(caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    if (FOptions.stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setModal(true);
    FPage = FReport.pages.empty() ? 0 : 1;
    buildUi();
    if (const QScreen *where = screen()) {
        const QSize room = where->availableGeometry().size();
        resize(room.width() * 85 / 100, room.height() * 85 / 100);
    } else {
        resize(1000, 760);
    }
    updateControls();
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::buildUi()
{
    auto *toolbar = new QToolBar(this);
    toolbar->setMovable(false);
    const auto add = [&](const QString &text, QStyle::StandardPixmap icon, const QKeySequence &key,
                         void (PreviewDialog::*slot)()) {
        QAction *action = toolbar->addAction(standardIcon(*style(), icon), text);
        action->setToolTip(text);
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this,
                [this, slot] { reportErrors([this, slot] { (this->*slot)(); }); });
        return action;
    };
    FFirst = add(QStringLiteral("Primeira página"), QStyle::SP_MediaSkipBackward,
                 QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewDialog::firstPage);
    FPrevious = add(QStringLiteral("Página anterior"), QStyle::SP_ArrowBack,
                    QKeySequence(QKeySequence::MoveToPreviousPage), &PreviewDialog::previousPage);
    FPageBox = new QSpinBox(toolbar);
    FPageBox->setRange(std::min(1, pageCount()), std::max(1, pageCount()));
    FPageBox->setSuffix(QStringLiteral(" de %1").arg(pageCount()));
    FPageBox->setToolTip(QStringLiteral("Página"));
    toolbar->addWidget(FPageBox);
    connect(FPageBox, &QSpinBox::valueChanged, this,
            [this](int page) { reportErrors([this, page] { goToPage(page); }); });
    FNext = add(QStringLiteral("Próxima página"), QStyle::SP_ArrowForward,
                QKeySequence(QKeySequence::MoveToNextPage), &PreviewDialog::nextPage);
    FLast = add(QStringLiteral("Última página"), QStyle::SP_MediaSkipForward,
                QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewDialog::lastPage);
    toolbar->addSeparator();

    FZoomOut = add(QStringLiteral("Reduzir"), QStyle::SP_ArrowDown, QKeySequence(QKeySequence::ZoomOut),
                   &PreviewDialog::zoomOut);
    FZoomBox = new QComboBox(toolbar);
    FZoomBox->addItem(QStringLiteral("Página inteira"));
    FZoomBox->addItem(QStringLiteral("Largura da página"));
    for (double step : kZoomSteps)
        FZoomBox->addItem(QStringLiteral("%1%").arg(std::lround(step * 100)));
    FZoomBox->setToolTip(QStringLiteral("Zoom"));
    toolbar->addWidget(FZoomBox);
    connect(FZoomBox, &QComboBox::activated, this, [this](int index) {
        reportErrors([this, index] {
            if (index == kFitPageIndex)
                fitPage();
            else if (index == kFitWidthIndex)
                fitWidth();
            else if (index >= kFirstStepIndex)
                setZoom(kZoomSteps[static_cast<std::size_t>(index - kFirstStepIndex)]);
        });
    });
    FZoomIn = add(QStringLiteral("Ampliar"), QStyle::SP_ArrowUp, QKeySequence(QKeySequence::ZoomIn),
                  &PreviewDialog::zoomIn);
    toolbar->addSeparator();

    FPrint = add(QStringLiteral("Imprimir"), QStyle::SP_FileIcon, QKeySequence(QKeySequence::Print),
                 &PreviewDialog::print);
    FExport = add(QStringLiteral("Exportar"), QStyle::SP_DialogSaveButton,
                  QKeySequence(QKeySequence::Save), &PreviewDialog::exportReport);
    FClose = add(QStringLiteral("Fechar"), QStyle::SP_DialogCloseButton, QKeySequence(),
                 &PreviewDialog::reject);
    for (QAction *action : {FPrint, FExport, FClose})
        if (auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    FPageView = new PreviewPage;
    FScroll = new QScrollArea(this);
    FScroll->setBackgroundRole(QPalette::Dark);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setWidget(FPageView);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(FScroll, 1);
}

void PreviewDialog::reportErrors(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &) {
        const ErrorReporter &reporter = installedReporter();
        if (!reporter)
            throw;
        reporter(this, std::current_exception());
    }
}

std::vector<ExportFormat> PreviewDialog::exportFormats() const
{
    std::vector<ExportFormat> formats{ExportFormat::Pdf};
    if (FOptions.offerHtml)
        formats.push_back(ExportFormat::Html);
    return formats;
}

void PreviewDialog::goToPage(int page)
{
    if (FReport.pages.empty())
        return;
    page = std::clamp(page, 1, pageCount());
    if (page == FPage)
        return;
    FPage = page;
    updateControls();
    updateView();
    FScroll->verticalScrollBar()->setValue(0);
}

void PreviewDialog::firstPage() { goToPage(1); }
void PreviewDialog::previousPage() { goToPage(FPage - 1); }
void PreviewDialog::nextPage() { goToPage(FPage + 1); }
void PreviewDialog::lastPage() { goToPage(pageCount()); }

void PreviewDialog::setZoom(double zoom) { applyZoomMode(ZoomMode::Fixed, zoom); }
void PreviewDialog::fitWidth() { applyZoomMode(ZoomMode::FitWidth); }
void PreviewDialog::fitPage() { applyZoomMode(ZoomMode::FitPage); }

void PreviewDialog::zoomIn()
{
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), FZoom + 1e-6);
    setZoom(next == kZoomSteps.end() ? kZoomSteps.back() : *next);
}

void PreviewDialog::zoomOut()
{
    const auto below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), FZoom - 1e-6);
    setZoom(below == kZoomSteps.begin() ? kZoomSteps.front() : *(below - 1));
}

void PreviewDialog::applyZoomMode(ZoomMode mode, double zoom)
{
    FZoomMode = mode;
    if (mode == ZoomMode::Fixed)
        FZoom = std::clamp(zoom, kZoomSteps.front(), kZoomSteps.back());
    updateView();
    updateControls();
}

void PreviewDialog::updateView()
{
    if (FPage < 1) {
        FPageView->setPage(nullptr, 1);
        return;
    }
    const PreparedPage &page = FReport.pages[static_cast<std::size_t>(FPage - 1)];
    if (FZoomMode != ZoomMode::Fixed && page.size.width() > 0 && page.size.height() > 0) {
        const QSize room = FScroll->maximumViewportSize();
        const double scrollBar = FScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const double byWidth = (room.width() - scrollBar - 2 * kViewMargin) / page.size.width();
        const double byHeight = (room.height() - 2 * kViewMargin) / page.size.height();
        FZoom = FZoomMode == ZoomMode::FitWidth ? byWidth : std::min(byWidth, byHeight);
        FZoom = std::clamp(FZoom, 0.1, kZoomSteps.back());
    }
    FPageView->setPage(&page, FZoom);
}

void PreviewDialog::updateControls()
{
    const bool any = FPage > 0;
    {
        const QSignalBlocker blocker(FPageBox);
        FPageBox->setValue(FPage);
    }
    FPageBox->setEnabled(pageCount() > 1);
    FFirst->setEnabled(FPage > 1);
    FPrevious->setEnabled(FPage > 1);
    FNext->setEnabled(any && FPage < pageCount());
    FLast->setEnabled(any && FPage < pageCount());
    FZoomIn->setEnabled(any);
    FZoomOut->setEnabled(any);
    FZoomBox->setEnabled(any);
    FPrint->setEnabled(any);
    FExport->setEnabled(any);

    int index = -1;
    if (FZoomMode == ZoomMode::FitPage) {
        index = kFitPageIndex;
    } else if (FZoomMode == ZoomMode::FitWidth) {
        index = kFitWidthIndex;
    } else {
        for (std::size_t i = 0; i < kZoomSteps.size(); ++i)
            if (std::abs(kZoomSteps[i] - FZoom) < 1e-6)
                index = kFirstStepIndex + static_cast<int>(i);
    }
    const QSignalBlocker blocker(FZoomBox);
    FZoomBox->setCurrentIndex(index);
}

void PreviewDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (FZoomMode != ZoomMode::Fixed)
        updateView();
}

void PreviewDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateView();
}

void PreviewDialog::exportReport()
{
    if (FReport.pages.empty())
        return;
    const std::vector<ExportFormat> formats = exportFormats();
    const std::string proposed =
        fileNameFromTitle(FReport.title) + "." + extensionOf(formats.front());
    const std::optional<ExportTarget> target = FChooseExport(this, proposed, formats);
    if (!target || target->fileName.empty())
        return;
    if (target->format == ExportFormat::Html)
        exportHtml(FReport, target->fileName);
    else
        exportPdf(FReport, target->fileName, FOptions.pdfInfo);
}

void PreviewDialog::print()
{
    if (FReport.pages.empty())
        return;
    PrintOptions options = FOptions.print;
    // The dialog lets the user pick another printer when the configured one is gone.
    if (!options.printerName.empty() &&
        !QPrinterInfo::availablePrinterNames().contains(QString::fromStdString(options.printerName)))
        options.printerName.clear();
    QPrinter printer(QPrinter::HighResolution);
    setupPrinter(printer, options, FReport);
    if (!FChoosePrinter(printer, pageCount(), this))
        return;
    printPages(FReport, printer);
}

void showPreview(PreparedReport report, PreviewOptions options, QWidget *parent)
{
    PreviewDialog dialog(std::move(report), std::move(options), parent);
    dialog.exec();
}

} // namespace report

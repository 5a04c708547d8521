#include "app/exceptionhandler.h"
#include "recordingbox.h"

#include "rtl/exceptions.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ApplicationTitle, IsTheExecutableNameCutAtItsFirstDotWithTheRestInLowerCase)
{
    struct Row {
        const char *name;
        const char *path;
        const char *title;
    };
    const std::string runner = QCoreApplication::applicationFilePath().toStdString();
    const Row rows[] = {
        {"plain name", "/usr/bin/visualizador", "visualizador"},
        {"first letter kept", "/opt/Visualizador", "Visualizador"},
        {"rest lowered", "/opt/VISUALIZADOR", "Visualizador"},
        {"cut at the first dot", "/opt/Visual.Xml.Exe", "Visual"},
        {"dots in the folder do not count", "/opt/v1.2/Leitor", "Leitor"},
        {"relative path", "bin/Leitor.bin", "Leitor"},
        {"non-ASCII letters lowered", "/opt/ÉDITION-ÇÃO", "Édition-ção"},
        {"starts with a dot", "/opt/.oculto", ""},
        {"test runner itself", runner.c_str(), "test_app"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(app::ApplicationTitle(row.path), row.title) << row.name;
}

TEST(ExceptionText, IsTheInnermostMessageWithAFullStopAfterCharactersAboveIt)
{
    struct Row {
        const char *name;
        std::exception_ptr error;
        const char *text;
    };
    const auto inner = std::make_exception_ptr(rtl::EConvertError::InvalidInteger("x"));
    const auto middle = std::make_exception_ptr(rtl::Exception("Falha ao ler", inner));
    const Row rows[] = {
        {"letter gets a full stop", std::make_exception_ptr(rtl::Exception("Falhou")), "Falhou."},
        {"full stop kept single", std::make_exception_ptr(rtl::Exception("Falhou.")), "Falhou."},
        {"exclamation comes before", std::make_exception_ptr(rtl::Exception("Falhou !")), "Falhou !"},
        {"parenthesis comes before", std::make_exception_ptr(rtl::Exception("Lista (5)")), "Lista (5)"},
        {"slash comes after", std::make_exception_ptr(rtl::Exception("a/b/")), "a/b/."},
        {"digit comes after", std::make_exception_ptr(rtl::Exception("Item 5")), "Item 5."},
        {"accented letter comes after", std::make_exception_ptr(rtl::Exception("Não")), "Não."},
        {"empty stays empty", std::make_exception_ptr(rtl::Exception("")), ""},
        {"inner error's message", std::make_exception_ptr(rtl::Exception("Externo", inner)),
         "'x' is not a valid integer value."},
        {"innermost of a chain", std::make_exception_ptr(rtl::Exception("Externo", middle)),
         "'x' is not a valid integer value."},
        {"standard error", std::make_exception_ptr(std::runtime_error("disk full")), "disk full."},
    };
    for (const Row &row : rows) {
        try {
            std::rethrow_exception(row.error);
        } catch (const std::exception &e) {
            EXPECT_EQ(app::ExceptionText(e), row.text) << row.name;
        }
    }
}

TEST(DefaultHandler, ShowsOneBoxCaptionedWithTheProgramTitleAndLetsTheCallerGoOn)
{
    apptest::RecordingBox box;
    QWidget owner;
    QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    bool after = false;
    app::Guarded(&owner, [] { throw std::out_of_range("vector::at"); });
    app::Guarded(&onTop, [] { throw rtl::EListError::IndexOutOfBounds(3); });
    app::Guarded(&owner, [&] { after = true; });

    ASSERT_EQ(box.Shown.size(), 2u);
    EXPECT_EQ(box.Shown[0].owner, &owner);
    // The window's title, not the executable's name.
    EXPECT_EQ(box.Shown[0].caption, "Visualizador de XML");
    EXPECT_EQ(box.Shown[0].title, "Visualizador de XML");
    EXPECT_EQ(box.Shown[0].text, "vector::at.");
    EXPECT_EQ(box.Shown[0].parent, &owner);
    EXPECT_FALSE(box.Shown[0].onTop);
    EXPECT_EQ(box.Shown[1].text, "List index out of bounds (3)");
    // Over a window kept on top, the box is kept on top too, or it would hide behind it.
    EXPECT_EQ(box.Shown[1].parent, &onTop);
    EXPECT_TRUE(box.Shown[1].onTop);
    EXPECT_TRUE(after);
}

// A widget whose handler of one event raises, as a faulty handler would.
class Falha : public QWidget {
public:
    using QWidget::QWidget;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw rtl::Exception("Falhou no evento");
        return QWidget::event(e);
    }
};

// Through the application's notify, as any event of the program goes.
TEST(DefaultHandler, AnErrorEscapingAnEventShowsItsBoxOverTheWindowInFront)
{
    struct Row {
        const char *name;
        bool modalUp;
    };
    const Row rows[] = {
        {"over the window of the event", false},
        {"over the modal window up, which would otherwise cover it", true},
    };
    for (const Row &row : rows) {
        apptest::RecordingBox box;
        QWidget janela;
        Falha filho(&janela);
        QDialog modal;
        modal.setModal(true);
        if (row.modalUp)
            modal.show();
        QEvent evento(QEvent::User);

        EXPECT_FALSE(QCoreApplication::sendEvent(&filho, &evento)) << row.name;
        ASSERT_EQ(box.Shown.size(), 1u) << row.name;
        EXPECT_EQ(box.Shown[0].owner, row.modalUp ? static_cast<QWidget *>(&modal) : &janela) << row.name;
        EXPECT_EQ(box.Shown[0].text, "Falhou no evento.") << row.name;
    }
}

TEST(DefaultHandler, AFailingBoxDoesNotEscapeTheHandler)
{
    const app::TExceptionBox previous = app::SetExceptionBox(
        [](QWidget *, const std::string &, const std::string &) { throw std::runtime_error("box"); });
    EXPECT_NO_THROW(app::Guarded(nullptr, [] { throw rtl::Exception("Falhou"); }));
    app::SetExceptionBox(previous);
}

} // namespace

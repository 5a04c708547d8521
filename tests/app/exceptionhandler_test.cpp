#include "app/exceptionhandler.h"
#include "recordingbox.h"

#include "rtl/exceptions.h"

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

TEST(DefaultHandler, ShowsOneBoxCaptionedWithTheTitleAndLetsTheCallerGoOn)
{
    apptest::RecordingBox box;
    QWidget owner;
    bool after = false;
    app::Guarded(&owner, [] { throw std::out_of_range("vector::at"); });
    app::Guarded(&owner, [] { throw rtl::EListError::IndexOutOfBounds(3); });
    app::Guarded(&owner, [&] { after = true; });

    ASSERT_EQ(box.Shown.size(), 2u);
    EXPECT_EQ(box.Shown[0].owner, &owner);
    EXPECT_EQ(box.Shown[0].caption, "test_app");
    EXPECT_EQ(box.Shown[0].text, "vector::at.");
    EXPECT_EQ(box.Shown[1].text, "List index out of bounds (3)");
    EXPECT_TRUE(after);
}

TEST(DefaultHandler, AFailingBoxDoesNotEscapeTheHandler)
{
    const app::TExceptionBox previous = app::SetExceptionBox(
        [](QWidget *, const std::string &, const std::string &) { throw std::runtime_error("box"); });
    EXPECT_NO_THROW(app::Guarded(nullptr, [] { throw rtl::Exception("Falhou"); }));
    app::SetExceptionBox(previous);
}

} // namespace

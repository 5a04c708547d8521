#include "app/opendialog.h"

#include <QDir>
#include <QFileDialog>
#include <gtest/gtest.h>

namespace {

const std::string FiltroDaJanela =
    "(Todos XMLs)|*.xml|NFe|*-nfe.xml|CTe|*-cte.xml|MDFe|*-mdfe.xml|SAT|AD*.xml";

TEST(OpenDialogFilter, BecomesOneNamedEntryPerPair)
{
    struct Row {
        const char *name;
        std::string filter;
        QStringList entries;
    };
    const Row rows[] = {
        {"the window's five kinds", FiltroDaJanela,
         {"(Todos XMLs) (*.xml)", "NFe (*-nfe.xml)", "CTe (*-cte.xml)", "MDFe (*-mdfe.xml)",
          "SAT (AD*.xml)"}},
        {"several patterns of one entry", "Textos|*.txt;*.text|Todos|*",
         {"Textos (*.txt *.text)", "Todos (*)"}},
        {"name left without patterns", "XML|*.xml|Sobra", {"XML (*.xml)"}},
        {"empty filter", "", {}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(app::TOpenDialog::NameFilters(row.filter), row.entries) << row.name;
}

TEST(OpenDialogFilter, DefaultExtensionIsTheBareSuffix)
{
    struct Row {
        const char *name;
        const char *ext;
        const char *suffix;
    };
    const Row rows[] = {
        {"with star and dot", "*.xml", "xml"},
        {"with dot", ".xml", "xml"},
        {"bare", "xml", "xml"},
        {"none", "", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(app::TOpenDialog::Suffix(row.ext), row.suffix) << row.name;
}

// The dialog Execute would show, built but never run.
TEST(OpenDialog, OpensOnTheFirstFilterInTheInitialFolder)
{
    app::TOpenDialog od;
    od.DefaultExt = "*.xml";
    od.Filter = FiltroDaJanela;
    od.InitialDir = "/";
    const auto dialog = od.CreateDialog(nullptr);

    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->nameFilters().size(), 5);
    EXPECT_EQ(dialog->selectedNameFilter(), "(Todos XMLs) (*.xml)");
    EXPECT_EQ(dialog->defaultSuffix(), "xml");
    EXPECT_EQ(dialog->directory().absolutePath(), "/");
}

TEST(OpenDialog, AnInitialFolderNamingAFileOpensItsFolderWithTheFileSelected)
{
    const QString fixtures = QDir::cleanPath(QStringLiteral(TEST_SOURCE_DIR "/../nfe/fixtures"));
    app::TOpenDialog od;
    od.Filter = FiltroDaJanela;
    od.InitialDir = (fixtures + "/nfe400_proc.xml").toStdString();
    const auto dialog = od.CreateDialog(nullptr);

    EXPECT_EQ(dialog->directory().absolutePath(), fixtures);
    EXPECT_EQ(dialog->selectedFiles(), QStringList{fixtures + "/nfe400_proc.xml"});
}

TEST(OpenDialog, ExecuteKeepsTheChoiceOnlyWhenConfirmed)
{
    app::TOpenDialog od;
    od.FileName = "/antes.xml";
    std::optional<std::string> answer;
    od.Runner = [&](const app::TOpenDialog &, QWidget *) { return answer; };

    EXPECT_FALSE(od.Execute(nullptr));
    EXPECT_EQ(od.FileName, "/antes.xml");

    answer = "/depois.xml";
    EXPECT_TRUE(od.Execute(nullptr));
    EXPECT_EQ(od.FileName, "/depois.xml");
}

} // namespace

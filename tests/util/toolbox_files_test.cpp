#include "util/toolbox.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string ReadAll(const std::string &name)
{
    return rtl::ReadFileBytes(name);
}

class FilesTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    std::string Dir() const { return tmp.path().toStdString() + "/"; }
    void Touch(const std::string &name, const std::string &bytes = "x")
    {
        std::ofstream(Dir() + name, std::ios::binary) << bytes;
    }
};

TEST(OvixUtilPaths, DelimitersAreAddedAndRemovedOnTrimmedPaths)
{
    struct Row {
        const char *name;
        std::string got;
        std::string expected;
    } rows[] = {
        {"with delim appended", util::PathWithDelim(" /tmp/a "), "/tmp/a/"},
        {"with delim kept", util::PathWithDelim("/tmp/a/"), "/tmp/a/"},
        {"with delim empty", util::PathWithDelim("  "), ""},
        {"without delims, both kinds", util::PathWithoutDelim(" /tmp/a/\\/ "), "/tmp/a"},
        {"without delim nothing to do", util::PathWithoutDelim("a"), "a"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;
    EXPECT_EQ(util::ApplicationPath().back(), '/');
}

TEST_F(FilesTest, FindFilesListsMatchesWithoutDotEntriesAndSortsEitherWay)
{
    Touch("b.XML");
    Touch("a.xml");
    Touch("C.xml");
    Touch("nota.txt");
    std::filesystem::create_directory(Dir() + "d.xml");

    rtl::TStringList list;
    util::FindFiles(Dir() + "*.xml", list, false, util::fstFileName, util::fsdAscending);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(), "a.xml\r\nb.XML\r\nC.xml\r\nd.xml\r\n");

    util::FindFiles(Dir() + "*.xml", list, true, util::fstFileName, util::fsdDescending);
    EXPECT_EQ(list[0], Dir() + "d.xml");
    EXPECT_EQ(list[3], Dir() + "a.xml");

    util::FindFiles(Dir() + "*", list, false, util::fstNone, util::fsdNone);
    EXPECT_EQ(list.Count(), 5) << list.Text();
    EXPECT_EQ(list.IndexOf("."), -1);
    EXPECT_EQ(list.IndexOf(".."), -1);

    util::FindFiles(Dir() + "*.pdf", list, true, util::fstDateTime, util::fsdAscending);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(FilesTest, FindFilesByDateDropsTheSortPrefix)
{
    Touch("new.xml");
    Touch("old.xml");
    const auto old = std::filesystem::last_write_time(Dir() + "new.xml") - std::chrono::hours(48);
    std::filesystem::last_write_time(Dir() + "old.xml", old);

    rtl::TStringList list;
    util::FindFiles(Dir() + "*.xml", list, false, util::fstDateTime, util::fsdAscending);
    EXPECT_EQ(list.Text(), "old.xml\r\nnew.xml\r\n");
}

TEST_F(FilesTest, WriteToTxtAppendsCreatesAndLeavesFilesAloneWhenThereIsNothingToWrite)
{
    const std::string name = Dir() + "log.txt";
    util::WriteToTXT(name, "a", true, true);
    util::WriteToTXT(name, "b", true, false);
    EXPECT_EQ(ReadAll(name), "a\r\nb");

    util::WriteToTXT(name, "", true, true); // existing file, nothing to write: untouched
    EXPECT_EQ(ReadAll(name), "a\r\nb");

    util::WriteToFile(name, "novo");
    EXPECT_EQ(ReadAll(name), "novo");

    util::WriteToTXT("", "ignored"); // an empty name does nothing
}

TEST_F(FilesTest, WriteToTxtCreatesMissingFoldersOnlyWhenAsked)
{
    const std::string nested = Dir() + "x/y/z.txt";
    EXPECT_THROW(util::WriteToTXT(nested, "a", false, false, false), rtl::EFCreateError);
    EXPECT_FALSE(rtl::DirectoryExists(Dir() + "x"));
    util::WriteToTXT(nested, "a", false, false, true);
    EXPECT_EQ(ReadAll(nested), "a");
}

} // namespace

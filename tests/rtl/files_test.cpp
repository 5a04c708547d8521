#include "rtl/files.h"

#include "rtl/exceptions.h"

#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

std::string PathIn(const QTemporaryDir &dir, const std::string &name)
{
    return dir.path().toStdString() + "/" + name;
}

std::vector<std::string> Listing(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Files, NameParts)
{
    struct Row {
        const char *name;
        std::string fileName, path, dir, file, ext;
    } rows[] = {
        {"plain", "/home/nfe/35240112345678000190550010000001231000001234-nfe.xml", "/home/nfe/", "/home/nfe",
         "35240112345678000190550010000001231000001234-nfe.xml", ".xml"},
        {"relative", "xml/a.b.xml", "xml/", "xml", "a.b.xml", ".xml"},
        {"no folder", "nota.XML", "", "", "nota.XML", ".XML"},
        {"dot in a folder only", "/tmp/v1.2/readme", "/tmp/v1.2/", "/tmp/v1.2", "readme", ""},
        {"trailing dot", "nota.", "", "", "nota.", "."},
        {"hidden file", "/home/.config", "/home/", "/home", ".config", ".config"},
        {"root file", "/a.txt", "/", "/", "a.txt", ".txt"},
        {"folder with delimiter", "/home/nfe/", "/home/nfe/", "/home/nfe", "", ""},
        {"double delimiter", "a//b.pdf", "a//", "a//", "b.pdf", ".pdf"},
        {"backslash is a name character", "C:\\dados\\nfe.xml", "", "", "C:\\dados\\nfe.xml", ".xml"},
        {"accents", "/notas/ação/é.xml", "/notas/ação/", "/notas/ação", "é.xml", ".xml"},
        {"empty", "", "", "", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::ExtractFilePath(row.fileName), row.path) << row.name;
        EXPECT_EQ(rtl::ExtractFileDir(row.fileName), row.dir) << row.name;
        EXPECT_EQ(rtl::ExtractFileName(row.fileName), row.file) << row.name;
        EXPECT_EQ(rtl::ExtractFileExt(row.fileName), row.ext) << row.name;
    }
}

TEST(Files, ChangeExtensionAndDelimiters)
{
    struct Row {
        const char *name;
        std::string fileName, ext, expected;
    } rows[] = {
        {"replace", "/x/nota.xml", ".pdf", "/x/nota.pdf"},
        {"last dot only", "a.b.xml", ".pdf", "a.b.pdf"},
        {"append", "/x.d/nota", ".pdf", "/x.d/nota.pdf"},
        {"remove", "nota.xml", "", "nota"},
        {"trailing dot", "nota.", ".xml", "nota.xml"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::ChangeFileExt(row.fileName, row.ext), row.expected) << row.name;

    EXPECT_EQ(rtl::IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(rtl::IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
    EXPECT_EQ(rtl::IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(rtl::ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
    EXPECT_EQ(rtl::ExcludeTrailingPathDelimiter("/tmp"), "/tmp");
    EXPECT_EQ(rtl::ExcludeTrailingPathDelimiter("/tmp//"), "/tmp/");
}

TEST(Files, MatchesMask)
{
    struct Row {
        const char *name;
        std::string fileName, mask;
        bool expected;
    } rows[] = {
        {"extension any case", "nota.xml", "*.XML", true},
        {"name any case", "ADnota.XML", "ad*.xml", true},
        {"prefix", "AD35240112345678000190550010000001231000001234.xml", "AD*.xml", true},
        {"prefix missing", "35240112-nfe.xml", "AD*.xml", false},
        {"other extension", "nota.xmlx", "*.xml", false},
        {"question mark is one character", "a1.txt", "a?.txt", true},
        {"question mark needs a character", "a.txt", "a?.txt", false},
        {"question mark takes an accented letter", "aç.txt", "a?.txt", true},
        {"accents ignore case", "AÇÃO.TXT", "ação.txt", true},
        {"star matches nothing", "nota.xml", "nota*.xml", true},
        {"several stars", "x-nfe-proc.xml", "*nfe*proc*", true},
        {"backtracking", "abcabcabd", "*abd", true},
        {"backtracking fails", "abcabcabe", "*abd", false},
        {"star alone", "", "*", true},
        {"empty mask", "a", "", false},
        {"star dot star needs a dot", "README", "*.*", false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::MatchesMask(row.fileName, row.mask), row.expected) << row.name;
}

TEST(Files, ExistenceAndChanges)
{
    QTemporaryDir dir;
    const std::string nested = PathIn(dir, "a/b/c");
    EXPECT_TRUE(rtl::ForceDirectories(nested));
    EXPECT_TRUE(rtl::DirectoryExists(nested));
    EXPECT_TRUE(rtl::DirectoryExists(nested + "/"));
    EXPECT_TRUE(rtl::ForceDirectories(nested + "/")); // already there
    EXPECT_FALSE(rtl::ForceDirectories(""));

    const std::string file = PathIn(dir, "a/file.txt");
    rtl::WriteFileBytes(file, "x");
    EXPECT_TRUE(rtl::FileExists(file));
    EXPECT_FALSE(rtl::DirectoryExists(file));
    EXPECT_FALSE(rtl::FileExists(nested));
    EXPECT_FALSE(rtl::FileExists(""));
    EXPECT_FALSE(rtl::ForceDirectories(file + "/below")) << "a file stands in the way";

    const std::string renamed = PathIn(dir, "a/renamed.txt");
    EXPECT_TRUE(rtl::RenameFile(file, renamed));
    EXPECT_FALSE(rtl::FileExists(file));
    rtl::WriteFileBytes(file, "y");
    EXPECT_FALSE(rtl::RenameFile(file, renamed)) << "an existing target is not replaced";
    EXPECT_EQ(rtl::ReadFileBytes(renamed), "x");

    EXPECT_FALSE(rtl::DeleteFile(nested)) << "folders are not files";
    EXPECT_TRUE(rtl::DeleteFile(renamed));
    EXPECT_FALSE(rtl::DeleteFile(renamed));
    EXPECT_FALSE(rtl::FileExists(renamed));
}

TEST(Files, FileAgeIsLocalTime)
{
    QTemporaryDir dir;
    const std::string file = PathIn(dir, "old.xml");
    rtl::WriteFileBytes(file, "<a/>");
    struct tm local {};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 10;
    local.tm_min = 20;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    const struct timespec times[2] = {{mktime(&local), 250'000'000}, {mktime(&local), 250'000'000}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

    rtl::TDateTime age = 0;
    ASSERT_TRUE(rtl::FileAge(file, age));
    int y, mo, d, h, mi, sec, ms;
    rtl::DecodeDateTime(age, y, mo, d, h, mi, sec, ms);
    EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, sec, ms}), (std::vector<int>{2024, 3, 15, 10, 20, 30, 250}));
    EXPECT_FALSE(rtl::FileAge(PathIn(dir, "missing"), age));
}

TEST(Files, FindEntriesListsFoldersAndHiddenEntries)
{
    QTemporaryDir dir;
    for (const char *name : {"a.xml", "B.XML", ".hidden.xml", "note.txt", "README"})
        rtl::WriteFileBytes(PathIn(dir, name), "12345");
    ASSERT_TRUE(rtl::ForceDirectories(PathIn(dir, "lote.xml")));

    auto names = [](const std::vector<rtl::TSearchRec> &entries) {
        std::vector<std::string> out;
        for (const auto &e : entries)
            out.push_back(e.Name);
        std::sort(out.begin(), out.end());
        return out;
    };
    const std::string folder = dir.path().toStdString() + "/";

    const auto xml = rtl::FindEntries(folder + "*.xml");
    EXPECT_EQ(names(xml), (std::vector<std::string>{".hidden.xml", "B.XML", "a.xml", "lote.xml"}));
    for (const auto &e : xml) {
        EXPECT_EQ(e.IsDirectory, e.Name == "lote.xml") << e.Name;
        EXPECT_EQ(e.IsHidden, e.Name == ".hidden.xml") << e.Name;
        EXPECT_EQ(e.Size, e.IsDirectory ? 0 : 5) << e.Name;
        EXPECT_GT(e.Time, 0) << e.Name;
    }

    EXPECT_EQ(names(rtl::FindEntries(folder + "*")),
              (std::vector<std::string>{".", "..", ".hidden.xml", "B.XML", "README", "a.xml", "lote.xml", "note.txt"}));
    EXPECT_EQ(names(rtl::FindEntries(folder + "*.*")), names(rtl::FindEntries(folder + "*")))
        << "*.* takes names without a dot too";
    EXPECT_EQ(names(rtl::FindEntries(folder + "?.XML")), (std::vector<std::string>{"B.XML", "a.xml"}));
    EXPECT_TRUE(rtl::FindEntries(folder + "*.pdf").empty());
    EXPECT_TRUE(rtl::FindEntries(folder + "missing/*").empty());
    EXPECT_TRUE(rtl::FindEntries(folder).empty());

    // No folder in the mask: the current folder.
    const fs::path saved = fs::current_path();
    fs::current_path(folder);
    const auto here = rtl::FindEntries("*.txt");
    fs::current_path(saved);
    EXPECT_EQ(names(here), (std::vector<std::string>{"note.txt"}));
}

TEST(Files, WholeFiles)
{
    QTemporaryDir dir;
    const std::string file = PathIn(dir, "nota.xml");
    const std::string bytes("<a>\0\xFF</a>", 9);
    rtl::WriteFileBytes(file, bytes);
    EXPECT_EQ(rtl::ReadFileBytes(file), bytes);
    chmod(file.c_str(), 0640);
    rtl::WriteFileBytes(file, "");
    EXPECT_EQ(rtl::ReadFileBytes(file), "");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
    EXPECT_EQ(Listing(dir.path().toStdString()), (std::vector<std::string>{"nota.xml"}));

    const std::string missing = PathIn(dir, "missing.xml");
    try {
        rtl::ReadFileBytes(missing);
        ADD_FAILURE() << "no error";
    } catch (const rtl::EFOpenError &e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    // Larger than the first read, from a file that reports no size.
    EXPECT_FALSE(rtl::ReadFileBytes("/proc/self/status").empty());
}

TEST(Files, FailedWriteLeavesNothingBehind)
{
    QTemporaryDir dir;
    const std::string target = PathIn(dir, "target");
    ASSERT_TRUE(rtl::ForceDirectories(target));
    rtl::WriteFileBytes(PathIn(dir, "keep.xml"), "old");
    const auto before = Listing(dir.path().toStdString());

    struct Row {
        const char *name;
        std::string fileName, reason;
    } rows[] = {
        {"target is a folder", target, "Is a directory"},
        {"folder is missing", PathIn(dir, "none/x.xml"), "No such file or directory"},
    };
    for (const auto &row : rows) {
        try {
            rtl::WriteFileBytes(row.fileName, "new content");
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::EFCreateError &e) {
            EXPECT_EQ(e.Message(), "Cannot create file \"" + row.fileName + "\". " + row.reason) << row.name;
        }
        EXPECT_EQ(Listing(dir.path().toStdString()), before) << row.name;
        EXPECT_TRUE(Listing(target).empty()) << row.name;
    }
    EXPECT_EQ(rtl::ReadFileBytes(PathIn(dir, "keep.xml")), "old");
}

TEST(Files, ApplicationPlace)
{
    const std::string exe = rtl::ApplicationExeName();
    EXPECT_TRUE(rtl::FileExists(exe)) << exe;
    EXPECT_EQ(exe.front(), '/');
    EXPECT_EQ(rtl::ExtractFileName(exe), "test_rtl");
    EXPECT_EQ(rtl::ApplicationDir(), rtl::ExtractFilePath(exe));
    EXPECT_EQ(rtl::ApplicationDir().back(), '/');
}

} // namespace

#include "rtl/stringlist.h"

#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/streams.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

Lines LinesOf(const rtl::TStringList &list)
{
    return Lines(list.begin(), list.end());
}

rtl::TStringList ListOf(const Lines &lines)
{
    rtl::TStringList list;
    for (const auto &line : lines)
        list.Add(line);
    return list;
}

TEST(StringList, TextEndsEveryLineWithCrLf)
{
    EXPECT_EQ(rtl::TStringList().Text(), "");
    EXPECT_EQ(ListOf({"a", "", "ção"}).Text(), "a\r\n\r\nção\r\n");
    EXPECT_EQ(ListOf({""}).Text(), "\r\n");
}

TEST(StringList, SetTextSplitsAtEveryKindOfBreak)
{
    struct Row {
        const char *name;
        std::string text;
        Lines expected;
    } rows[] = {
        {"empty", "", {}},
        {"one line without break", "abc", {"abc"}},
        {"trailing break adds no line", "abc\r\n", {"abc"}},
        {"lone break is one empty line", "\n", {""}},
        {"crlf lf cr mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"lf then cr is two breaks", "a\n\rb", {"a", "", "b"}},
        {"blank lines kept", "a\r\n\r\n\nb\r\r", {"a", "", "", "b", ""}},
        {"text round trip", "x\r\ny\r\n", {"x", "y"}},
    };
    for (const auto &row : rows) {
        rtl::TStringList list = ListOf({"old"});
        list.SetText(row.text);
        EXPECT_EQ(LinesOf(list), row.expected) << row.name;
    }
}

TEST(StringList, EditingAndIndexErrors)
{
    rtl::TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Insert(4, "e");
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "c", "d", "e"}));
    list.Delete(1);
    list.Exchange(0, 3);
    list.Put(1, "C");
    list[2] += "!";
    EXPECT_EQ(LinesOf(list), (Lines{"e", "C", "d!", "a"}));

    struct Row {
        const char *name;
        std::function<void()> action;
        std::string expected;
    } rows[] = {
        {"read past the end", [&] { (void)list[4]; }, "List index out of bounds (4)"},
        {"read negative", [&] { (void)list.Strings(-1); }, "List index out of bounds (-1)"},
        {"put", [&] { list.Put(7, "x"); }, "List index out of bounds (7)"},
        {"delete", [&] { list.Delete(4); }, "List index out of bounds (4)"},
        {"insert beyond count", [&] { list.Insert(5, "x"); }, "List index out of bounds (5)"},
        {"exchange second index", [&] { list.Exchange(0, 9); }, "List index out of bounds (9)"},
        {"names", [&] { (void)list.Names(4); }, "List index out of bounds (4)"},
    };
    for (const auto &row : rows) {
        try {
            row.action();
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::EListError &e) {
            EXPECT_EQ(e.Message(), row.expected) << row.name;
        }
    }
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, SearchAndSortIgnoreCaseWithAccents)
{
    rtl::TStringList list = ListOf({"beta", "Ágata", "alfa", "AÇÃO", "Beta", "ágil"});
    EXPECT_EQ(list.IndexOf("ação"), 3);
    EXPECT_EQ(list.IndexOf("BETA"), 0);
    EXPECT_EQ(list.IndexOf("ÁGIL"), 5);
    EXPECT_EQ(list.IndexOf("agil"), -1) << "an accent is not a case";
    EXPECT_EQ(list.IndexOf(""), -1);

    list.Sort();
    // Upper-case code-point order, so 'Ç' after 'L' and 'Á' after 'B'; equal lines keep
    // their order.
    EXPECT_EQ(LinesOf(list), (Lines{"alfa", "AÇÃO", "beta", "Beta", "Ágata", "ágil"}));
}

TEST(StringList, AssignAndAddStrings)
{
    rtl::TStringList source = ListOf({"x", "y"});
    source.SetEncoding(rtl::TBomEncoding::Utf8);
    rtl::TStringList target = ListOf({"old"});
    target.Assign(source);
    EXPECT_EQ(LinesOf(target), (Lines{"x", "y"}));
    EXPECT_EQ(target.Encoding(), rtl::TBomEncoding::Utf8);
    target.AddStrings(source);
    target.AddStrings(target);
    EXPECT_EQ(LinesOf(target), (Lines{"x", "y", "x", "y", "x", "y", "x", "y"}));
}

TEST(StringList, NamesAndValues)
{
    rtl::TStringList list = ListOf({"CNPJ=123", "sem igual", "Razão=Ação Ltda", "x=a=b", "cnpj=456", "vazio="});
    EXPECT_EQ(list.Names(0), "CNPJ");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.ValueFromIndex(3), "a=b");
    EXPECT_EQ(list.Values("cnpj"), "123") << "first match, any case";
    EXPECT_EQ(list.Values("RAZÃO"), "Ação Ltda");
    EXPECT_EQ(list.Values("vazio"), "");
    EXPECT_EQ(list.Values("sem igual"), "") << "a line without '=' has no name";
    EXPECT_EQ(list.IndexOfName("X"), 3);
    EXPECT_EQ(list.IndexOfName("missing"), -1);

    list.SetValue("cnpj", "789");
    list.SetValue("Novo", "1");
    list.SetValue("x", "");
    list.SetValue("missing", "");
    EXPECT_EQ(LinesOf(list), (Lines{"cnpj=789", "sem igual", "Razão=Ação Ltda", "cnpj=456", "vazio=", "Novo=1"}));
}

TEST(StringList, LoadFollowsTheByteOrderMark)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("lines.txt").toStdString();
    struct Row {
        const char *name;
        std::string bytes;
        Lines expected;
        rtl::TBomEncoding encoding;
    } rows[] = {
        {"no mark is ANSI", "a\xE7\xE3o\r\n\x80", {"ação", "€"}, rtl::TBomEncoding::None},
        {"no mark with UTF-8 bytes is still ANSI", "\xC3\xA7", {"Ã§"}, rtl::TBomEncoding::None},
        {"UTF-8 mark", "\xEF\xBB\xBF" "a\xC3\xA7\xC3\xA3o\nx", {"ação", "x"}, rtl::TBomEncoding::Utf8},
        {"UTF-8 mark over ANSI bytes", "\xEF\xBB\xBF" "a\xE7o", {"aço"}, rtl::TBomEncoding::None},
        {"UTF-16LE mark", "\xFF\xFE" "a\0\xE7\0\r\0\n\0=\xD8\0\xDE"s, {"aç", "😀"}, rtl::TBomEncoding::Utf16LE},
        {"UTF-16BE mark", "\xFE\xFF" "\0a\0\xE7\0\r\0b"s, {"aç", "b"}, rtl::TBomEncoding::Utf16BE},
        {"empty file", "", {}, rtl::TBomEncoding::None},
    };
    for (const auto &row : rows) {
        rtl::WriteFileBytes(file, row.bytes);
        rtl::TStringList list = ListOf({"old"});
        list.SetEncoding(rtl::TBomEncoding::Utf16BE);
        list.LoadFromFile(file);
        EXPECT_EQ(LinesOf(list), row.expected) << row.name;
        EXPECT_EQ(list.Encoding(), row.encoding) << row.name;
    }
    rtl::TStringList list;
    EXPECT_THROW(list.LoadFromFile(dir.filePath("missing").toStdString()), rtl::EFOpenError);
}

TEST(StringList, SaveWritesTheRememberedEncoding)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("out.txt").toStdString();
    struct Row {
        const char *name;
        rtl::TBomEncoding encoding;
        std::string bytes;
    } rows[] = {
        {"ANSI", rtl::TBomEncoding::None, "a\xE7\r\n?\r\n"},
        {"UTF-8", rtl::TBomEncoding::Utf8, "\xEF\xBB\xBF" "a\xC3\xA7\r\n\xE2\x86\x92\r\n"},
        {"UTF-16LE", rtl::TBomEncoding::Utf16LE, "\xFF\xFE" "a\0\xE7\0\r\0\n\0\x92\x21\r\0\n\0"s},
        {"UTF-16BE", rtl::TBomEncoding::Utf16BE, "\xFE\xFF" "\0a\0\xE7\0\r\0\n\x21\x92\0\r\0\n"s},
    };
    for (const auto &row : rows) {
        rtl::TStringList list = ListOf({"aç", "→"});
        list.SetEncoding(row.encoding);
        list.SaveToFile(file);
        EXPECT_EQ(rtl::ReadFileBytes(file), row.bytes) << row.name;

        rtl::TStringList again;
        again.LoadFromFile(file);
        EXPECT_EQ(again.Encoding(), row.encoding) << row.name;
        EXPECT_EQ(LinesOf(again), row.encoding == rtl::TBomEncoding::None ? (Lines{"aç", "?"}) : LinesOf(list))
            << row.name << ": a character outside the code page is lost in ANSI only";
    }
    // Characters beyond the 16-bit plane travel as surrogate pairs.
    rtl::TStringList emoji = ListOf({"😀"});
    emoji.SetEncoding(rtl::TBomEncoding::Utf16LE);
    EXPECT_EQ(emoji.EncodedText(), "\xFF\xFE" "=\xD8\0\xDE\r\0\n\0"s);
}

TEST(StringList, StreamsReadFromThePosition)
{
    rtl::TMemoryStream stream("skip\xEF\xBB\xBF" "um\r\ndois");
    stream.SetPosition(4);
    rtl::TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(LinesOf(list), (Lines{"um", "dois"}));
    EXPECT_EQ(list.Encoding(), rtl::TBomEncoding::Utf8);

    rtl::TMemoryStream out("<");
    out.Seek(0, rtl::soEnd);
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "<\xEF\xBB\xBF" "um\r\ndois\r\n");
}

} // namespace

#include "rtl/inifile.h"

#include "rtl/files.h"
#include "rtl/stringlist.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const rtl::TStringList &list)
{
    return Lines(list.begin(), list.end());
}

rtl::TMemIniFile IniOf(const std::string &text)
{
    rtl::TStringList lines;
    lines.SetText(text);
    rtl::TMemIniFile ini;
    ini.SetStrings(lines);
    return ini;
}

const char *const Sample =
    "orphan=ignored\n"
    "; a comment\n"
    "\n"
    "  [Geral]  \n"
    "  PathSalvar =  /home/nfe/xml  \n"
    "Ambiente=2\n"
    "ambiente=1\n"
    "   ;indented comment=not a key\n"
    "line without equals\n"
    "Vazio=\n"
    "[Vazia]\n"
    "[Emitente]\n"
    "Razão=Ação Ltda\n"
    "[GERAL]\n"
    "Extra = sim\n"
    "PATHSALVAR=/other\n";

TEST(MemIniFile, Parsing)
{
    const rtl::TMemIniFile ini = IniOf(Sample);
    struct Row {
        const char *name;
        std::string section, key, expected;
    } rows[] = {
        {"key and value trimmed", "Geral", "PathSalvar", "/home/nfe/xml"},
        {"names ignore case", "geral", "PATHSALVAR", "/home/nfe/xml"},
        {"first duplicate wins", "Geral", "Ambiente", "2"},
        {"repeated section merges", "Geral", "Extra", "sim"},
        {"accented names ignore case", "EMITENTE", "RAZÃO", "Ação Ltda"},
        {"empty value is a value", "Geral", "Vazio", ""},
        {"orphan key ignored", "", "orphan", "<def>"},
        {"comment is not a key", "Geral", ";indented comment", "<def>"},
        {"line without '=' is not a key", "Geral", "line without equals", "<def>"},
        {"missing section", "Outra", "PathSalvar", "<def>"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ini.ReadString(row.section, row.key, "<def>"), row.expected) << row.name;

    EXPECT_TRUE(ini.SectionExists("GERAL"));
    EXPECT_FALSE(ini.SectionExists("Vazia")) << "a section without keys";
    EXPECT_FALSE(ini.SectionExists("Nenhuma"));
    EXPECT_TRUE(ini.ValueExists("geral", "vazio"));
    EXPECT_FALSE(ini.ValueExists("Geral", "nada"));

    rtl::TStringList list;
    list.Add("stale");
    ini.ReadSection("Geral", list);
    EXPECT_EQ(LinesOf(list), (Lines{"PathSalvar", "Ambiente", "Vazio", "Extra"}));
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{"Geral", "Vazia", "Emitente"}));
    ini.ReadSectionValues("emitente", list);
    EXPECT_EQ(LinesOf(list), (Lines{"Razão=Ação Ltda"}));
    ini.ReadSection("Nenhuma", list);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(MemIniFile, TypedReadsFallBackToTheDefault)
{
    const rtl::TMemIniFile ini = IniOf(
        "[S]\nInt=42\nNeg=-7\nSpaced= 12\nHex=0x10\nText=abc\nBig=99999999999\nZero=0\nTwo=2\nSim=sim\nEmpty=\n");
    struct Row {
        const char *name;
        const char *key;
        int integer;   // ReadInteger(..., -1)
        bool boolean;  // ReadBool(..., true)
    } rows[] = {
        {"decimal", "Int", 42, true},
        {"negative", "Neg", -7, true},
        {"value trimmed at parse", "Spaced", 12, true},
        {"hexadecimal is not decimal", "Hex", -1, true},
        {"text", "Text", -1, true},
        {"out of range", "Big", -1, true},
        {"zero is false", "Zero", 0, false},
        {"any other integer is true", "Two", 2, true},
        {"words are not booleans", "Sim", -1, true},
        {"empty", "Empty", -1, true},
        {"missing", "Missing", -1, true},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ini.ReadInteger("s", row.key, -1), row.integer) << row.name;
        EXPECT_EQ(ini.ReadBool("s", row.key, true), row.boolean) << row.name;
    }
    EXPECT_FALSE(ini.ReadBool("S", "Sim", false));
}

TEST(MemIniFile, EditingKeepsOrderAndLookups)
{
    rtl::TMemIniFile ini = IniOf("[A]\nk1=1\nk2=2\nk3=3\n[B]\nx=1\n[C]\ny=2\n");
    ini.WriteString("a", "K2", "dois");      // replaces in place, with the new spelling
    ini.WriteInteger("A", "k4", -4);
    ini.WriteBool("D", "On", true);          // a new section at the end
    ini.WriteBool("D", "Off", false);
    ini.DeleteKey("A", "k1");
    ini.DeleteKey("A", "missing");
    ini.DeleteKey("missing", "k1");
    ini.EraseSection("b");
    ini.EraseSection("missing");

    // Lookups still find every key after the removals shifted them.
    EXPECT_EQ(ini.ReadString("A", "k3", ""), "3");
    EXPECT_EQ(ini.ReadInteger("A", "k4", 0), -4);
    EXPECT_EQ(ini.ReadString("C", "y", ""), "2");
    EXPECT_TRUE(ini.ReadBool("d", "on", false));
    EXPECT_FALSE(ini.ReadBool("d", "off", true));
    EXPECT_FALSE(ini.ValueExists("A", "k1"));
    EXPECT_FALSE(ini.SectionExists("B"));

    rtl::TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(LinesOf(lines), (Lines{"[A]", "K2=dois", "k3=3", "k4=-4", "", "[C]", "y=2", "", "[D]", "On=1", "Off=0", ""}));

    ini.Clear();
    ini.GetStrings(lines);
    EXPECT_TRUE(lines.IsEmpty());
}

TEST(MemIniFile, FileRoundTrip)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("config.ini").toStdString();

    {
        rtl::TMemIniFile fresh(file); // no file yet
        EXPECT_EQ(fresh.FileName(), file);
        EXPECT_FALSE(fresh.SectionExists("Geral"));
        fresh.WriteString("Geral", "Razão", "Ação");
        fresh.WriteInteger("Geral", "Copias", 2);
        fresh.UpdateFile();
    }
    // ANSI by default.
    EXPECT_EQ(rtl::ReadFileBytes(file), "[Geral]\r\nRaz\xE3o=A\xE7\xE3o\r\nCopias=2\r\n\r\n");

    // A UTF-8 file stays UTF-8.
    rtl::WriteFileBytes(file, "\xEF\xBB\xBF[Geral]\nRazão=Ação\n");
    {
        rtl::TMemIniFile ini(file);
        EXPECT_EQ(ini.ReadString("geral", "razão", ""), "Ação");
        ini.WriteString("Geral", "Seta", "→");
        ini.UpdateFile();
    }
    EXPECT_EQ(rtl::ReadFileBytes(file), "\xEF\xBB\xBF[Geral]\r\nRazão=Ação\r\nSeta=→\r\n\r\n");
    EXPECT_EQ(rtl::TMemIniFile(file).ReadString("Geral", "Seta", ""), "→");

    // Without a name nothing is written.
    rtl::TMemIniFile unnamed;
    unnamed.WriteString("A", "b", "c");
    EXPECT_NO_THROW(unnamed.UpdateFile());
    EXPECT_EQ(unnamed.ReadString("A", "b", ""), "c");
}

} // namespace

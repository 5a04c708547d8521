#include "rtl/encoding.h"

#include "rtl/text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(Encoding, AnsiIsABijectionOverAllBytes)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string text = rtl::AnsiToUtf8(byte);
        ASSERT_TRUE(rtl::IsValidUtf8(text)) << b;
        ASSERT_EQ(rtl::Length(text), 1) << b;
        ASSERT_EQ(rtl::Utf8ToAnsi(text), byte) << b;
        ASSERT_EQ(rtl::HeldInAnsi(text), text) << b;
        all += byte;
    }
    const std::string text = rtl::AnsiToUtf8(all);
    EXPECT_EQ(rtl::Length(text), 256);
    EXPECT_EQ(rtl::Utf8ToAnsi(text), all);
    // No two bytes share a character.
    const std::u32string cps = rtl::ToUcs4(text);
    for (std::size_t i = 0; i < cps.size(); ++i)
        for (std::size_t j = i + 1; j < cps.size(); ++j)
            ASSERT_NE(cps[i], cps[j]) << i << " " << j;
}

TEST(Encoding, AnsiUpperHalfCharacters)
{
    struct Row {
        const char *name;
        unsigned char byte;
        std::string text;
    } rows[] = {
        {"euro", 0x80, "€"},
        {"undefined 81", 0x81, "\u0081"},
        {"low quote", 0x82, "‚"},
        {"ellipsis", 0x85, "…"},
        {"modifier circumflex", 0x88, "ˆ"},
        {"S caron", 0x8A, "Š"},
        {"OE", 0x8C, "Œ"},
        {"undefined 8D", 0x8D, "\u008D"},
        {"Z caron", 0x8E, "Ž"},
        {"undefined 8F", 0x8F, "\u008F"},
        {"undefined 90", 0x90, "\u0090"},
        {"left quote", 0x91, "‘"},
        {"right double quote", 0x94, "”"},
        {"en dash", 0x96, "–"},
        {"em dash", 0x97, "—"},
        {"trade mark", 0x99, "™"},
        {"undefined 9D", 0x9D, "\u009D"},
        {"z caron", 0x9E, "ž"},
        {"Y diaeresis", 0x9F, "Ÿ"},
        {"nbsp", 0xA0, "\u00A0"},
        {"c cedilla", 0xE7, "ç"},
        {"y diaeresis", 0xFF, "ÿ"},
    };
    for (const auto &row : rows) {
        const std::string byte(1, static_cast<char>(row.byte));
        EXPECT_EQ(rtl::AnsiToUtf8(byte), row.text) << row.name;
        EXPECT_EQ(rtl::Utf8ToAnsi(row.text), byte) << row.name;
    }
}

TEST(Encoding, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    struct Row {
        const char *name;
        std::string text, ansi, held;
    } rows[] = {
        {"ascii", "NF-e 123", "NF-e 123", "NF-e 123"},
        {"portuguese", "Ação", "A\xE7\xE3o", "Ação"},
        {"arrow", "a→b", "a?b", "a?b"},
        {"cjk", "中文", "??", "??"},
        {"emoji is one character", "x😀y", "x?y", "x?y"},
        {"C1 control without a byte", "\u0080", "?", "?"},
        {"mixed", "€ 5 → ™", "\x80 5 ? \x99", "€ 5 ? ™"},
        // Malformed bytes read as Latin-1; the result is valid UTF-8.
        {"malformed latin-1 byte", "caf\xE9", "caf\xE9", "café"},
        {"malformed C1 byte", "a\x80", "a?", "a?"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::Utf8ToAnsi(row.text), row.ansi) << row.name;
        EXPECT_EQ(rtl::HeldInAnsi(row.text), row.held) << row.name;
        EXPECT_EQ(rtl::HeldInAnsi(row.text), rtl::AnsiToUtf8(rtl::Utf8ToAnsi(row.text))) << row.name;
    }
}

// Long texts are mostly ASCII and are walked in blocks of bytes: a character anywhere in
// a run, on either side of a block's edge, must convert as it does alone.
TEST(Encoding, CharactersConvertTheSameAnywhereInALongText)
{
    struct Row {
        const char *name;
        std::string text;
    } rows[] = {
        {"two bytes", "ç"},
        {"three bytes in the code page", "€"},
        {"outside the code page", "→"},
        {"four bytes", "😀"},
        {"malformed byte", "\xE9"},
        {"truncated sequence", "\xE2\x82"},
        {"two in a row", "ção"},
    };
    const std::string ascii = "<det nItem=\"1\"><xProd>ABC</xProd>";
    for (const auto &row : rows) {
        for (std::size_t antes = 0; antes <= 17; ++antes) {
            for (const std::size_t depois : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{9}}) {
                const std::string a = ascii.substr(0, antes);
                const std::string d = ascii.substr(0, depois);
                const std::string text = a + row.text + d;
                ASSERT_EQ(rtl::Utf8ToAnsi(text), a + rtl::Utf8ToAnsi(row.text) + d)
                    << row.name << " " << antes << " " << depois;
                ASSERT_EQ(rtl::HeldInAnsi(text), a + rtl::HeldInAnsi(row.text) + d)
                    << row.name << " " << antes << " " << depois;
            }
        }
    }
    for (int b = 0x80; b < 0x100; ++b) {
        const std::string byte(1, static_cast<char>(b));
        for (std::size_t antes = 0; antes <= 17; ++antes) {
            const std::string a = ascii.substr(0, antes);
            ASSERT_EQ(rtl::AnsiToUtf8(a + byte + byte + a), a + rtl::AnsiToUtf8(byte) +
                                                                 rtl::AnsiToUtf8(byte) + a)
                << b << " " << antes;
        }
    }
}

TEST(Encoding, StrictUtf8)
{
    struct Row {
        const char *name;
        std::string bytes;
        bool valid;
    } rows[] = {
        {"empty", "", true},
        {"ascii with nul", "a\0b"s, true},
        {"two bytes", "ção", true},
        {"three bytes", "€", true},
        {"four-byte emoji", "\xF0\x9F\x98\x80", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"last before surrogates", "\xED\x9F\xBF", true},
        {"first after surrogates", "\xEE\x80\x80", true},
        {"overlong slash C0 AF", "\xC0\xAF", false},
        {"overlong C1", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x80\xAF", false},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"low surrogate", "\xED\xBF\xBF", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"F5 lead", "\xF5\x80\x80\x80", false},
        {"FF", "a\xFF", false},
        {"truncated at end", "\xE2\x82", false},
        {"truncated before ascii", "\xE2\x82z", false},
        {"lone continuation", "\x80", false},
        {"continuation after a full character", "é\xA9", false},
        {"latin-1 text", "caf\xE9", false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::IsValidUtf8(row.bytes), row.valid) << row.name;
        std::string text = "untouched";
        EXPECT_EQ(rtl::TryUtf8Decode(row.bytes, text), row.valid) << row.name;
        EXPECT_EQ(text, row.valid ? row.bytes : "untouched") << row.name;
    }
}

TEST(Encoding, Utf16)
{
    struct Row {
        const char *name;
        std::string bytes; // little-endian; the big-endian case swaps each pair
        std::string text;
    } rows[] = {
        {"ascii", "A\0b\0"s, "Ab"},
        {"accents", "\xE7\0\xE3\0"s, "çã"},
        {"euro", "\xAC\x20"s, "€"},
        {"surrogate pair", "\x3D\xD8\x00\xDE"s, "😀"},
        {"lone high surrogate", "\x3D\xD8" "A\0"s, "\uFFFDA"},
        {"high surrogate at end", "A\0\x3D\xD8"s, "A\uFFFD"},
        {"lone low surrogate", "\x00\xDE" "A\0"s, "\uFFFDA"},
        {"odd trailing byte", "A\0B"s, "A"},
        {"empty", "", ""},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::Utf16ToUtf8(row.bytes, false), row.text) << row.name;
        std::string swapped = row.bytes;
        for (std::size_t i = 0; i + 1 < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        EXPECT_EQ(rtl::Utf16ToUtf8(swapped, true), row.text) << row.name;
    }
}

TEST(Encoding, ByteOrderMarks)
{
    struct Row {
        const char *name;
        std::string bytes;
        rtl::TBomEncoding encoding;
        std::size_t bomLength;
        std::string text;
    } rows[] = {
        {"utf-8", "\xEF\xBB\xBF" "ação", rtl::TBomEncoding::Utf8, 3, "ação"},
        {"utf-8 bom only", "\xEF\xBB\xBF", rtl::TBomEncoding::Utf8, 3, ""},
        {"utf-8 bom then invalid", "\xEF\xBB\xBF" "caf\xE9", rtl::TBomEncoding::Utf8, 3, "café"},
        {"utf-16le", "\xFF\xFE" "\xE7\0"s, rtl::TBomEncoding::Utf16LE, 2, "ç"},
        {"utf-16be", "\xFE\xFF" "\0\xE7"s, rtl::TBomEncoding::Utf16BE, 2, "ç"},
        {"none is ansi", "caf\xE9 \x80", rtl::TBomEncoding::None, 0, "café €"},
        // Without a signature even valid UTF-8 is read in the ANSI code page.
        {"none with utf-8 bytes", "ç", rtl::TBomEncoding::None, 0, "Ã§"},
        {"partial signature", "\xEF\xBB", rtl::TBomEncoding::None, 0, "ï»"},
        {"empty", "", rtl::TBomEncoding::None, 0, ""},
    };
    for (const auto &row : rows) {
        std::size_t length = 99;
        EXPECT_EQ(rtl::DetectBom(row.bytes, length), row.encoding) << row.name;
        EXPECT_EQ(length, row.bomLength) << row.name;
        EXPECT_EQ(rtl::DecodeWithBom(row.bytes), row.text) << row.name;
    }
}

} // namespace

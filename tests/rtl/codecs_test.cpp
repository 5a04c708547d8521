#include "rtl/codecs.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(Codecs, Base64KnownVectors)
{
    struct Row {
        const char *name;
        std::string bytes, text;
    } rows[] = {
        {"empty", "", ""},
        {"one byte", "f", "Zg=="},
        {"two bytes", "fo", "Zm8="},
        {"three bytes", "foo", "Zm9v"},
        {"four bytes", "foob", "Zm9vYg=="},
        {"five bytes", "fooba", "Zm9vYmE="},
        {"six bytes", "foobar", "Zm9vYmFy"},
        {"high bytes use + and /", "\xFB\xFF\xBF", "+/+/"},
        {"zeros", "\0\0\0\0"s, "AAAAAA=="},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(rtl::EncodeBase64(row.bytes), row.text) << row.name;
        EXPECT_EQ(rtl::DecodeBase64(row.text), row.bytes) << row.name;
    }
}

TEST(Codecs, Base64DecodingIsTolerant)
{
    struct Row {
        const char *name;
        std::string text, bytes;
    } rows[] = {
        {"line breaks and blanks", "Zm9v\r\nYmFy\n Zm9v\tYg==\n", "foobarfoob"},
        {"missing padding", "Zm9vYg", "foob"},
        {"one missing pad", "Zm9vYmE", "fooba"},
        {"stops at padding", "Zg==Zm9v", "f"},
        {"lone leftover character", "Zm9vY", "foo"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(rtl::DecodeBase64(row.text), row.bytes) << row.name;

    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = rtl::EncodeBase64(all);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(rtl::DecodeBase64(text), all);
}

TEST(Codecs, Sha1KnownVectors)
{
    struct Row {
        const char *name;
        std::string bytes, hex;
    } rows[] = {
        {"abc", "abc", "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {"empty", "", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {"two blocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        {"fox", "The quick brown fox jumps over the lazy dog", "2FD4E1C67A2D28FCED849EE1BB76E7391B93EB12"},
        {"binary (checked with sha1sum)", "\0\xFF"s, "AA3E5DCDD77B153F2E59BD0D8794FDE33CB4E486"},
    };
    for (const auto &row : rows) {
        const std::string digest = rtl::SHA1(row.bytes);
        EXPECT_EQ(digest.size(), 20u) << row.name;
        EXPECT_EQ(rtl::StrToHex(digest), row.hex) << row.name;
    }
}

TEST(Codecs, StrToHexIsUpperCase)
{
    EXPECT_EQ(rtl::StrToHex(""), "");
    EXPECT_EQ(rtl::StrToHex("\x00\x0f\xab\xff"s), "000FABFF");
}

} // namespace

#include "rtl/codecs.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <array>

namespace rtl {

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each byte in the alphabet; -1 for bytes outside it.
constexpr std::array<signed char, 256> DecodeTable = [] {
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(Alphabet[i])] = static_cast<signed char>(i);
    return table;
}();

} // namespace

std::string EncodeBase64(std::string_view bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[k])); };
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
        text += Alphabet[group >> 18];
        text += Alphabet[(group >> 12) & 63];
        text += Alphabet[(group >> 6) & 63];
        text += Alphabet[group & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        const unsigned group = at(i) << 16 | (rest == 2 ? at(i + 1) << 8 : 0u);
        text += Alphabet[group >> 18];
        text += Alphabet[(group >> 12) & 63];
        text += rest == 2 ? Alphabet[(group >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::string DecodeBase64(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    unsigned group = 0;
    int bits = 0;
    for (const char c : text) {
        if (c == '=')
            break;
        const int value = DecodeTable[static_cast<unsigned char>(c)];
        if (value < 0)
            continue;
        group = (group << 6 | static_cast<unsigned>(value)) & 0xFFFFFF;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes += static_cast<char>((group >> bits) & 0xFF);
        }
    }
    return bytes;
}

std::string SHA1(std::string_view bytes)
{
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha1);
    return std::string(digest.constData(), static_cast<std::size_t>(digest.size()));
}

std::string StrToHex(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += Digits[b >> 4];
        hex += Digits[b & 15];
    }
    return hex;
}

} // namespace rtl

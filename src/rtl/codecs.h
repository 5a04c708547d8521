#pragma once
// Byte codecs: Base64, SHA-1 and hexadecimal. Input and output are bytes in std::string.

#include <string>
#include <string_view>

namespace rtl {

// Standard alphabet, padded with '=', no line breaks.
std::string EncodeBase64(std::string_view bytes);
// Skips whitespace and any other character outside the alphabet, stops at the first '=',
// accepts missing padding; a lone character left over at the end carries no whole byte
// and is dropped.
std::string DecodeBase64(std::string_view text);

// The 20 raw bytes of the SHA-1 digest.
std::string SHA1(std::string_view bytes);

// Two upper-case hexadecimal digits per byte.
std::string StrToHex(std::string_view bytes);

} // namespace rtl

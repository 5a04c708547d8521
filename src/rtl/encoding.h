#pragma once
// Byte encodings at the edges of the program. "The ANSI code page" is Windows-1252 on every
// machine, read as a bijection: the five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value, so any byte string survives
// a trip through text and back. Nothing here throws on bad input.

#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// cp1252 bytes to UTF-8 text. Every byte maps.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 text to cp1252 bytes; a character with no byte in the code page becomes '?'.
// A malformed UTF-8 byte stands for the code point of its value (Latin-1).
std::string Utf8ToAnsi(std::string_view text);

// The text as it reads after being held in the ANSI code page:
// AnsiToUtf8(Utf8ToAnsi(text)).
std::string HeldInAnsi(std::string_view text);

// Strict UTF-8: no overlong forms, surrogates, code points above U+10FFFF, stray
// continuation bytes, truncated sequences, nor the bytes C0, C1, F5..FF.
bool IsValidUtf8(std::string_view bytes);

// Copies bytes to text and returns true when they are valid UTF-8; otherwise returns
// false and leaves text as it was.
bool TryUtf8Decode(std::string_view bytes, std::string &text);

// UTF-16 bytes (no byte-order mark) to UTF-8. Surrogate pairs are combined, a lone
// surrogate becomes U+FFFD, an odd trailing byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

enum class TBomEncoding { None, Utf8, Utf16LE, Utf16BE };

// The signature at the start of bytes and its length in bytes (0 for None).
TBomEncoding DetectBom(std::string_view bytes, std::size_t &bomLength);

// Text of a file's bytes: a UTF-8 or UTF-16 signature selects that encoding, otherwise
// the bytes are read in the ANSI code page. A UTF-8 signature followed by bytes that are
// not valid UTF-8 is read in the ANSI code page too. The signature is not returned.
std::string DecodeWithBom(std::string_view bytes);

} // namespace rtl

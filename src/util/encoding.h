#pragma once
// Moving text between the forms the program meets (UTF-8 text in memory, bytes in the ANSI
// code page, UTF-8 bytes), removing accents, and the few pieces of XML that are handled as
// plain text: escaping, the declaration, a tag's content found by search.
//
// Parameters named ansi, bytes or utf8Bytes hold bytes, not text. Positions and lengths
// count code points. No routine keeps state and none throws: bad UTF-8 falls back to the
// ANSI reading, absent delimiters give an empty text.

#include "rtl/inifile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// ---- Encodings ---------------------------------------------------------------------

// The text unchanged: the one place every message and literal passes through, should a
// conversion ever be needed there.
std::string OvixStr(std::string_view text);

// The text as it reads after being held in the ANSI code page: characters the code page
// lacks become '?'.
std::string OvixStrToAnsi(std::string_view text);

// The UTF-8 bytes of the text.
std::string NativeStringToUTF8(std::string_view text);

// The bytes decoded as UTF-8; when they are not valid UTF-8 (or are empty) the whole of
// them is read in the ANSI code page instead.
std::string UTF8ToNativeString(std::string_view utf8Bytes);

// The bytes read in the ANSI code page.
std::string AnsiToNativeString(std::string_view ansi);

// The byte as an 8-bit character.
char AnsiChr(std::uint8_t b);

// UTF8ToNativeString when StrIsUTF8, else AnsiToNativeString.
std::string DecodeToString(std::string_view bytes, bool StrIsUTF8);

// Every line break (CR LF, a lone CR, LF) becomes NewLineBreak. A text that holds nothing
// but blanks and control characters is returned unchanged.
std::string ChangeLineBreak(std::string_view text, std::string_view NewLineBreak = ";");

// One byte of the ANSI code page without its accent ('Ç' -> 'C', 'ã' -> 'a'). Bytes below
// 0xC0 are returned as they are. A few letters map by shape: '×' -> 'x', 'Ø'/'ø' -> '0',
// 'Þ'/'þ' -> 'b', 'ß' -> 'B', 'ð' -> 'o', '÷' -> '/'.
char TiraAcento(char ansiChar);

// The text as plain ASCII: taken to the ANSI code page ('?' for what it lacks), accents
// removed by TiraAcento, then every byte other than backspace, LF, CR and 32..126 becomes
// a blank (so tabs, 'º', '§' and the like become blanks).
std::string TiraAcentos(std::string_view text);

// ---- XML as text -------------------------------------------------------------------

// Decode: the bytes decoded (as UTF-8 when IsUTF8, else in the ANSI code page), then the
// entities &amp; &lt; &gt; &quot; &#39; &apos; and the named accented letters of Portuguese
// (&aacute; ... &Ccedil;) replaced in one left-to-right pass, case-sensitively; an entity
// produced by a replacement is not decoded again ("&amp;lt;" gives "&lt;"), and anything
// else after a '&' is kept as it is.
// Encode (Decode false): the bytes read in the ANSI code page (IsUTF8 is not looked at),
// then '&', '<', '>', '"' and '\'' escaped as &amp; &lt; &gt; &quot; &#39;.
std::string ParseText(std::string_view bytes, bool Decode = true, bool IsUTF8 = true);

// Only '&', '<', '>', '"' and '\'' escaped (as ParseText's encoding does), the text
// otherwise unchanged: for values written into XML text or attributes as they are held.
std::string EscaparTextoXML(std::string_view text);

// The text between the first Inicio and the first Fim after it, both delimiters included
// when IncluiInicioFim. Empty when Inicio is absent or no Fim follows it (or either
// delimiter is empty).
std::string RetornarConteudoEntre(std::string_view Frase, std::string_view Inicio,
                                  std::string_view Fim, bool IncluiInicioFim = false);

// The content between the first "<tag>" and the first "</tag>" after it; up to the end of
// the text when the closing is missing, empty when the opening is. Only the bare opening
// is recognised: a tag written with attributes is not found. IgnoreCase compares letters
// through the accent-aware upper case.
std::string LerTagXML(std::string_view xml, std::string_view tag, bool IgnoreCase = true);

// True when the first 50 characters, ASCII letters lower-cased, hold "encoding" followed
// somewhere later by "utf-8". The quotes and the rest of the declaration are not looked at.
bool XmlEhUTF8(std::string_view xml);

// A text for which XmlEhUTF8 holds, unchanged. Any other text: the declaration
// <?xml version="1.0" encoding="UTF-8"?> followed by the text's UTF-8 bytes, each byte as
// the character it stands for in the ANSI code page, so that storing the result in the
// ANSI code page stores UTF-8. A declaration the text had stays behind the new one.
std::string ConverteXMLtoUTF8(std::string_view xml);

// The inverse reading: when XmlEhUTF8 holds, the text is taken back to the ANSI code page
// (the bytes of a file that was read as ANSI text), decoded by UTF8ToNativeString, and its
// declaration removed. Any other text unchanged.
std::string ConverteXMLtoNativeString(std::string_view xml);

// From the first "<?" up to and including the first "?>" after it; empty when either is
// missing.
std::string ObtemDeclaracaoXML(std::string_view xml);

// The text without the declaration ObtemDeclaracaoXML finds; unchanged when there is none.
std::string RemoverDeclaracaoXML(std::string_view xml);

// The text holds a '<' and a '>', anywhere and in any order.
bool StringIsXML(std::string_view text);

// One left-to-right pass that turns only the named accented-letter entities of ParseText's
// table ("&ccedil;" -> 'ç') into letters; the XML escapes and numeric references stay.
std::string DecodificarEntidadesAcentuadas(std::string_view text);

// The text holds a '[', a ']' and a '='.
bool StringIsINI(std::string_view text);

// Not empty, neither XML nor INI by the two tests above, and shorter than 255 characters.
bool StringIsAFile(std::string_view text);

// Fills the INI object from INI text (its "\x" escapes turned into characters) or from the
// file it names. Raises "String INI informada não é válida." for text that is neither, and
// "Arquivo: <name> não encontrado." for a missing file.
void LerIniArquivoOuString(std::string_view IniArquivoOuString, rtl::TMemIniFile &AMemIni);

} // namespace util

#include "util/encoding.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/stringlist.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cstring>

namespace util {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// ---- Entities ----------------------------------------------------------------------

struct TEntity {
    std::string_view code;
    std::string_view text;
    bool markup; // one of the XML escapes, as opposed to a named accented letter
};

constexpr TEntity Entities[] = {
    {"&amp;", "&", true},      {"&lt;", "<", true},       {"&gt;", ">", true},
    {"&quot;", "\"", true},    {"&#39;", "'", true},      {"&aacute;", "á", false},
    {"&Aacute;", "Á", false},  {"&acirc;", "â", false},   {"&Acirc;", "Â", false},
    {"&atilde;", "ã", false},  {"&Atilde;", "Ã", false},  {"&agrave;", "à", false},
    {"&Agrave;", "À", false},  {"&eacute;", "é", false},  {"&Eacute;", "É", false},
    {"&ecirc;", "ê", false},   {"&Ecirc;", "Ê", false},   {"&iacute;", "í", false},
    {"&Iacute;", "Í", false},  {"&oacute;", "ó", false},  {"&Oacute;", "Ó", false},
    {"&otilde;", "õ", false},  {"&Otilde;", "Õ", false},  {"&ocirc;", "ô", false},
    {"&Ocirc;", "Ô", false},   {"&uacute;", "ú", false},  {"&Uacute;", "Ú", false},
    {"&uuml;", "ü", false},    {"&Uuml;", "Ü", false},    {"&ccedil;", "ç", false},
    {"&Ccedil;", "Ç", false},  {"&apos;", "'", true},
};

// Decoding compacts the text in place, which needs every replacement to be shorter than
// its entity.
constexpr bool EveryEntityShrinks()
{
    for (const auto &e : Entities)
        if (e.text.size() >= e.code.size())
            return false;
    return true;
}
static_assert(EveryEntityShrinks());

const TEntity *EntityAt(std::string_view s, std::size_t pos, bool markup)
{
    const std::string_view rest = s.substr(pos);
    for (const auto &e : Entities)
        if ((markup || !e.markup) && rest.starts_with(e.code))
            return &e;
    return nullptr;
}

// Moves text[from, from + count) down to text[to, ...); to <= from.
void ShiftDown(std::string &text, std::size_t to, std::size_t from, std::size_t count)
{
    if (to != from && count > 0)
        std::memmove(text.data() + to, text.data() + from, count);
}

// One pass: what a replacement produces is never looked at again, so "&amp;lt;" gives
// "&lt;" and not '<'.
void DecodeEntities(std::string &text, bool markup)
{
    std::size_t read = text.find('&');
    std::size_t write = read;
    while (read != npos && read < text.size()) {
        const TEntity *entity = EntityAt(text, read, markup);
        std::size_t next;
        if (entity) {
            std::memcpy(text.data() + write, entity->text.data(), entity->text.size());
            write += entity->text.size();
            next = read + entity->code.size();
        } else {
            text[write++] = '&';
            next = read + 1;
        }
        read = text.find('&', next);
        const std::size_t runEnd = read == npos ? text.size() : read;
        ShiftDown(text, write, next, runEnd - next);
        write += runEnd - next;
    }
    if (write != npos)
        text.resize(write);
}

std::string_view EscapeOf(char c)
{
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&#39;";
    default: return {};
    }
}

// Grows the text once to its escaped size and fills it from the back.
void EncodeEntities(std::string &text)
{
    std::size_t grown = text.size();
    for (const char c : text)
        if (const auto esc = EscapeOf(c); !esc.empty())
            grown += esc.size() - 1;
    if (grown == text.size())
        return;
    std::size_t read = text.size();
    text.resize(grown);
    std::size_t write = grown;
    while (read > 0) {
        const char c = text[--read];
        if (const auto esc = EscapeOf(c); !esc.empty()) {
            write -= esc.size();
            std::memcpy(text.data() + write, esc.data(), esc.size());
        } else {
            text[--write] = c;
        }
    }
}

// ---- Searching ---------------------------------------------------------------------

// The code point at pos as the text's accent-aware upper-case copy holds it; moves pos
// past it. A malformed byte is not upper-cased and stands for the code point of its value,
// as the run-time's searches read it.
char32_t UpperCodePointAt(std::string_view s, std::size_t &pos)
{
    const auto b = static_cast<unsigned char>(s[pos]);
    if (b < 0x80) {
        ++pos;
        return (b >= 'a' && b <= 'z') ? b - 0x20 : b;
    }
    char32_t c = 0;
    const int len = rtl::DecodeUtf8At(s, pos, c);
    if (len == 0) {
        ++pos;
        return b;
    }
    pos += static_cast<std::size_t>(len);
    return rtl::AnsiUpperChar(c);
}

std::u32string UpperCodePoints(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size())
        out.push_back(UpperCodePointAt(s, pos));
    return out;
}

// Byte offset of the first match of a pattern of upper-cased code points that begins
// with '<', at or after from; end receives the offset just past the match. Comparing in
// place gives the positions a search in upper-cased copies would, without the copies: the
// upper case keeps one code point for one, and '<' never lies inside a character.
std::size_t FindTagIgnoringCase(std::string_view text, std::u32string_view pattern,
                                std::size_t from, std::size_t &end)
{
    for (std::size_t p = text.find('<', from); p != npos; p = text.find('<', p + 1)) {
        std::size_t q = p;
        std::size_t k = 0;
        while (k < pattern.size() && q < text.size() && UpperCodePointAt(text, q) == pattern[k])
            ++k;
        if (k == pattern.size()) {
            end = q;
            return p;
        }
    }
    return npos;
}

// Byte span [begin, end) of the declaration; false when there is none. "<?" and "?>" are
// ASCII, so byte offsets fall on character boundaries.
bool FindDeclaration(std::string_view xml, std::size_t &begin, std::size_t &end)
{
    begin = xml.find("<?");
    if (begin == npos)
        return false;
    const std::size_t close = xml.find("?>", begin + 2);
    if (close == npos)
        return false;
    end = close + 2;
    return true;
}

void EraseDeclaration(std::string &xml)
{
    std::size_t begin = 0, end = 0;
    if (FindDeclaration(xml, begin, end))
        xml.erase(begin, end - begin);
}

constexpr std::string_view Utf8Declaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";

} // namespace

// ---- Encodings ---------------------------------------------------------------------

std::string OvixStr(std::string_view text)
{
    return std::string(text);
}

std::string OvixStrToAnsi(std::string_view text)
{
    return rtl::HeldInAnsi(text);
}

std::string NativeStringToUTF8(std::string_view text)
{
    return std::string(text);
}

std::string UTF8ToNativeString(std::string_view utf8Bytes)
{
    std::string text;
    if (rtl::TryUtf8Decode(utf8Bytes, text) && !text.empty())
        return text;
    return rtl::AnsiToUtf8(utf8Bytes);
}

std::string AnsiToNativeString(std::string_view ansi)
{
    return rtl::AnsiToUtf8(ansi);
}

char AnsiChr(std::uint8_t b)
{
    return static_cast<char>(b);
}

std::string DecodeToString(std::string_view bytes, bool StrIsUTF8)
{
    return StrIsUTF8 ? UTF8ToNativeString(bytes) : AnsiToNativeString(bytes);
}

std::string ChangeLineBreak(std::string_view text, std::string_view NewLineBreak)
{
    const bool blank = std::none_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) > 0x20; });
    if (blank)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t brk = text.find_first_of("\r\n", pos);
        if (brk == npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, brk - pos));
        out.append(NewLineBreak);
        pos = brk + 1;
        if (text[brk] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return out;
}

char TiraAcento(char ansiChar)
{
    // Bytes 0xC0..0xFF, laid out like the Latin-1 letters they stand for.
    static constexpr std::string_view Plain = "AAAAAAACEEEEIIIIDNOOOOOx0UUUUYbB"
                                              "aaaaaaaceeeeiiiionooooo/0uuuuyby";
    static_assert(Plain.size() == 64);
    const auto b = static_cast<unsigned char>(ansiChar);
    return b < 0xC0 ? ansiChar : Plain[b - 0xC0];
}

std::string TiraAcentos(std::string_view text)
{
    std::string ansi = rtl::Utf8ToAnsi(text);
    for (char &c : ansi) {
        const char plain = TiraAcento(c);
        const auto b = static_cast<unsigned char>(plain);
        const bool keep = b == 8 || b == '\n' || b == '\r' || (b >= 32 && b <= 126);
        c = keep ? plain : ' ';
    }
    return ansi; // pure ASCII: its bytes read the same as text
}

// ---- XML as text -------------------------------------------------------------------

std::string EscaparTextoXML(std::string_view text)
{
    std::string result(text);
    EncodeEntities(result);
    return result;
}

std::string ParseText(std::string_view bytes, bool Decode, bool IsUTF8)
{
    if (Decode) {
        std::string text = DecodeToString(bytes, IsUTF8);
        DecodeEntities(text, true);
        return text;
    }
    std::string text = AnsiToNativeString(bytes);
    EncodeEntities(text);
    return text;
}

std::string RetornarConteudoEntre(std::string_view Frase, std::string_view Inicio,
                                  std::string_view Fim, bool IncluiInicioFim)
{
    const int begin = rtl::Pos(Inicio, Frase);
    if (begin == 0)
        return {};
    const int after = begin + rtl::Length(Inicio);
    const int end = rtl::PosEx(Fim, Frase, after);
    if (end == 0)
        return {};
    if (IncluiInicioFim)
        return rtl::Copy(Frase, begin, end + rtl::Length(Fim) - begin);
    return rtl::Copy(Frase, after, end - after);
}

std::string LerTagXML(std::string_view xml, std::string_view tag, bool IgnoreCase)
{
    const std::string open = "<" + std::string(tag) + ">";
    const std::string close = "</" + std::string(tag) + ">";
    std::size_t contentBegin = 0, contentEnd = 0;
    if (IgnoreCase) {
        const std::u32string upperOpen = UpperCodePoints(open);
        if (FindTagIgnoringCase(xml, upperOpen, 0, contentBegin) == npos)
            return {};
        const std::u32string upperClose = UpperCodePoints(close);
        std::size_t closeEnd = 0;
        contentEnd = FindTagIgnoringCase(xml, upperClose, contentBegin, closeEnd);
    } else {
        // Both patterns begin with '<' and end with '>', so a byte match is a match of
        // whole characters.
        const std::size_t at = xml.find(open);
        if (at == npos)
            return {};
        contentBegin = at + open.size();
        contentEnd = xml.find(close, contentBegin);
    }
    if (contentEnd == npos)
        contentEnd = xml.size();
    return std::string(xml.substr(contentBegin, contentEnd - contentBegin));
}

bool XmlEhUTF8(std::string_view xml)
{
    std::size_t headEnd = 0;
    for (int n = 0; n < 50 && headEnd < xml.size(); ++n)
        rtl::NextCodePoint(xml, headEnd);
    const std::string head = rtl::LowerCase(xml.substr(0, headEnd));
    const std::size_t encoding = head.find("encoding");
    return encoding != npos && head.find("utf-8", encoding + 8) != npos;
}

std::string ConverteXMLtoUTF8(std::string_view xml)
{
    if (XmlEhUTF8(xml))
        return std::string(xml);
    std::string out(Utf8Declaration);
    out.append(rtl::AnsiToUtf8(xml));
    return out;
}

std::string ConverteXMLtoNativeString(std::string_view xml)
{
    if (!XmlEhUTF8(xml))
        return std::string(xml);
    std::string text = UTF8ToNativeString(rtl::Utf8ToAnsi(xml));
    EraseDeclaration(text);
    return text;
}

std::string ObtemDeclaracaoXML(std::string_view xml)
{
    std::size_t begin = 0, end = 0;
    if (!FindDeclaration(xml, begin, end))
        return {};
    return std::string(xml.substr(begin, end - begin));
}

std::string RemoverDeclaracaoXML(std::string_view xml)
{
    std::string out(xml);
    EraseDeclaration(out);
    return out;
}

bool StringIsXML(std::string_view text)
{
    return text.find('<') != npos && text.find('>') != npos;
}

bool StringIsINI(std::string_view text)
{
    return text.find('[') != npos && text.find(']') != npos && text.find('=') != npos;
}

bool StringIsAFile(std::string_view text)
{
    return !text.empty() && !StringIsXML(text) && !StringIsINI(text) && rtl::Length(text) < 255;
}

void LerIniArquivoOuString(std::string_view IniArquivoOuString, rtl::TMemIniFile &AMemIni)
{
    rtl::TStringList lines;
    if (StringIsINI(IniArquivoOuString)) {
        lines.SetText(rtl::AnsiToUtf8(StringToBinaryString(IniArquivoOuString)));
    } else {
        if (!StringIsAFile(IniArquivoOuString))
            throw rtl::Exception("String INI informada não é válida.");
        const std::string fileName(IniArquivoOuString);
        if (!rtl::FileExists(fileName))
            throw rtl::Exception("Arquivo: " + fileName + " não encontrado.");
        lines.LoadFromFile(fileName);
    }
    AMemIni.SetStrings(lines);
}

std::string DecodificarEntidadesAcentuadas(std::string_view text)
{
    std::string decoded(text);
    DecodeEntities(decoded, false);
    return decoded;
}

} // namespace util

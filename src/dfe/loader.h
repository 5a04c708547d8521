#pragma once
// Turning a file of fiscal documents into the texts the readers take, the same for every
// family: the file's bytes decoded to text, the text split into one piece per document,
// and each piece prepared for its reader (accented-letter entities and the namespace).
//
// And the way back: the bytes an XML text is written out as.
//
// Texts are UTF-8. Nothing here throws: a text without a document gives no pieces.

#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// Bytes of a file to text. The encoding is chosen in this order:
// - "encoding" followed by "utf-8" in the first 50 characters (letters lower-cased): read
//   as UTF-8, and as the ANSI code page when the bytes are not valid UTF-8; the first
//   "<?" ... "?>" declaration is then removed;
// - a UTF-8 byte-order mark: read the same way, the declaration kept (a UTF-16 mark reads
//   the bytes as UTF-16);
// - a leading <?xml ...?> declaration that names another encoding: the ANSI code page;
// - no encoding named: UTF-8, as XML itself says, and the ANSI code page when that fails.
// A byte-order mark is never part of the result. The text is then held in the ANSI code
// page: characters outside it become '?'.
std::string DecodificarArquivoXML(std::string_view bytes);

// The tag names of one document family: the document's root ("NFe") and the envelopes
// that wrap it with its protocol ("nfeProc", "procNFe").
struct TTagsDocumento {
    std::string_view Documento;
    std::vector<std::string_view> Envelopes;
};

inline const TTagsDocumento TagsNFe{"NFe", {"nfeProc", "procNFe"}};
inline const TTagsDocumento TagsCTe{"CTe", {"cteProc", "procCTe"}};
inline const TTagsDocumento TagsCTeOS{"CTeOS", {"cteOSProc", "procCTeOS"}};
inline const TTagsDocumento TagsMDFe{"MDFe", {"mdfeProc", "procMDFe"}};

// The documents of a text, in file order, as views into it. A piece begins where the
// remaining text begins (so the first one carries the declaration and anything else in
// front of the first document) and ends with the document's closing tag, or with an
// envelope's closing tag when one comes after the document's closing and before the next
// document's closing (the earliest such one when several envelopes are named). After each
// piece, blanks and control characters are skipped. Text after the last document closing
// is dropped; a text without a document closing gives no pieces. Tags are matched
// exactly, case included.
std::vector<std::string_view> SepararDocumentos(std::string_view texto,
                                                const TTagsDocumento &tags);

// The named accented-letter entities of Portuguese (&aacute; ... &Ccedil;, case-sensitive)
// replaced by their letters in one pass over a whole document. The XML entities (&amp;
// &lt; &gt; &quot; &#39; &apos;) and numeric references are left for the reader's value
// decoding, so escaped markup inside a value never becomes a tag.
std::string DecodificarEntidadesDocumento(std::string_view documento);

// Every occurrence of the exact text ` xmlns="<uri>"` removed (a declaration written with
// apostrophes or without the leading blank stays).
std::string RemoverNameSpace(std::string_view documento, std::string_view uri);

// The bytes of an XML text that declares UTF-8. The conversion routines of the framework
// keep UTF-8 "one byte per character" (each byte as the ANSI character it stands for), so
// that storing the text in the ANSI code page stores UTF-8; a text in that form is stored
// so. Text held the ordinary way (UTF-8 in memory) is already the bytes. The first form is
// recognised by surviving the ANSI code page unchanged and giving valid UTF-8 there.
std::string BytesUTF8(std::string_view texto);

} // namespace dfe

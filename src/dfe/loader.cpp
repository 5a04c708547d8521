#include "dfe/loader.h"

#include "rtl/encoding.h"
#include "rtl/text.h"
#include "util/encoding.h"

#include <cstddef>
#include <utility>

namespace dfe {

namespace {

constexpr auto npos = std::string_view::npos;

bool EhBranco(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// The value of the encoding pseudo-attribute of a <?xml ...?> declaration at the start of
// the bytes (after blanks); empty when there is no declaration or it names no encoding.
// The declaration is ASCII, so the bytes are searched as they are.
std::string_view CodificacaoDeclarada(std::string_view bytes)
{
    std::size_t inicio = 0;
    while (inicio < bytes.size() && EhBranco(bytes[inicio]))
        ++inicio;
    if (bytes.substr(inicio, 5) != "<?xml")
        return {};
    const std::size_t fim = bytes.find("?>", inicio);
    if (fim == npos)
        return {};
    const std::string_view declaracao = bytes.substr(inicio, fim - inicio);
    constexpr std::string_view nome = "encoding";
    for (std::size_t p = 0; p + nome.size() <= declaracao.size(); ++p) {
        if (!rtl::SameText(declaracao.substr(p, nome.size()), nome))
            continue;
        std::size_t q = p + nome.size();
        while (q < declaracao.size() && EhBranco(declaracao[q]))
            ++q;
        if (q >= declaracao.size() || declaracao[q] != '=')
            continue;
        ++q;
        while (q < declaracao.size() && EhBranco(declaracao[q]))
            ++q;
        if (q >= declaracao.size() || (declaracao[q] != '"' && declaracao[q] != '\''))
            continue;
        const char aspa = declaracao[q++];
        const std::size_t fecha = declaracao.find(aspa, q);
        if (fecha == npos)
            return {};
        return declaracao.substr(q, fecha - q);
    }
    return {};
}

std::string DecodificarUtf8OuAnsi(std::string_view bytes)
{
    std::string texto;
    if (rtl::TryUtf8Decode(bytes, texto))
        return texto;
    return rtl::AnsiToUtf8(bytes);
}

std::string Fechamento(std::string_view tag)
{
    std::string s;
    s.reserve(tag.size() + 3);
    s += "</";
    s += tag;
    s += '>';
    return s;
}


} // namespace

std::string DecodificarArquivoXML(std::string_view bytes)
{
    std::size_t tamanhoBom = 0;
    const rtl::TBomEncoding bom = rtl::DetectBom(bytes, tamanhoBom);
    const std::string_view corpo = bytes.substr(tamanhoBom);

    std::string texto;
    if (bom == rtl::TBomEncoding::Utf16LE || bom == rtl::TBomEncoding::Utf16BE) {
        texto = rtl::Utf16ToUtf8(corpo, bom == rtl::TBomEncoding::Utf16BE);
    } else if (util::XmlEhUTF8(rtl::AnsiToUtf8(corpo.substr(0, 50)))) {
        // Each byte is one character in the ANSI reading, so the first 50 characters are
        // the first 50 bytes.
        texto = util::RemoverDeclaracaoXML(DecodificarUtf8OuAnsi(corpo));
    } else if (bom == rtl::TBomEncoding::Utf8) {
        texto = DecodificarUtf8OuAnsi(corpo);
    } else {
        const std::string_view codificacao = CodificacaoDeclarada(corpo);
        // Without a declared encoding XML is UTF-8; files that are really single-byte
        // fail the strict decoding and are read in the ANSI code page.
        if (codificacao.empty() || rtl::SameText(codificacao, "utf-8") ||
            rtl::SameText(codificacao, "utf8"))
            texto = DecodificarUtf8OuAnsi(corpo);
        else
            texto = rtl::AnsiToUtf8(corpo);
    }
    return rtl::HeldInAnsi(texto);
}

std::vector<std::string_view> SepararDocumentos(std::string_view texto,
                                                const TTagsDocumento &tags)
{
    const std::string fechaDocumento = Fechamento(tags.Documento);
    std::vector<std::string> fechaEnvelopes;
    fechaEnvelopes.reserve(tags.Envelopes.size());
    for (std::string_view envelope : tags.Envelopes)
        fechaEnvelopes.push_back(Fechamento(envelope));

    std::vector<std::string_view> pecas;
    // Every search is bounded by the next document closing, which is found once and kept
    // for the next round, so the text is scanned a fixed number of times in all.
    std::size_t inicio = 0;
    std::size_t fecha = texto.find(fechaDocumento);
    while (fecha != npos) {
        const std::size_t fimDocumento = fecha + fechaDocumento.size();
        const std::size_t proximo = texto.find(fechaDocumento, fimDocumento);
        const std::size_t limite = proximo == npos ? texto.size() : proximo;
        const std::string_view entre = texto.substr(fimDocumento, limite - fimDocumento);

        std::size_t fim = fimDocumento;
        std::size_t melhor = npos;
        for (const std::string &fechaEnvelope : fechaEnvelopes) {
            const std::size_t p = entre.find(fechaEnvelope);
            if (p != npos && (melhor == npos || p < melhor)) {
                melhor = p;
                fim = fimDocumento + p + fechaEnvelope.size();
            }
        }
        pecas.push_back(texto.substr(inicio, fim - inicio));

        inicio = fim;
        while (inicio < texto.size() && EhBranco(texto[inicio]))
            ++inicio;
        // An envelope closing never holds a document closing, so the next one found
        // above still lies after the new start.
        fecha = proximo;
    }
    return pecas;
}

std::string DecodificarEntidadesDocumento(std::string_view documento)
{
    return util::DecodificarEntidadesAcentuadas(documento);
}

std::string RemoverNameSpace(std::string_view documento, std::string_view uri)
{
    std::string alvo = " xmlns=\"";
    alvo += uri;
    alvo += '"';
    // Searched from its 'x' and checked for the blank before it: an indented document has a
    // blank every few bytes, and a search that starts from the blank stops at each of them.
    const std::string_view semBranco = std::string_view(alvo).substr(1);
    std::string saida;
    saida.reserve(documento.size());
    std::size_t pos = 0;
    for (std::size_t busca = pos + 1;;) {
        const std::size_t x = busca < documento.size() ? documento.find(semBranco, busca) : npos;
        if (x == npos) {
            saida.append(documento.substr(pos));
            break;
        }
        if (documento[x - 1] != ' ') {
            busca = x + 1;
            continue;
        }
        saida.append(documento.substr(pos, x - 1 - pos));
        pos = x - 1 + alvo.size();
        busca = pos + 1;
    }
    return saida;
}

std::string BytesUTF8(std::string_view texto)
{
    std::string ansi = rtl::Utf8ToAnsi(texto);
    if (rtl::IsValidUtf8(ansi) && rtl::AnsiToUtf8(ansi) == texto)
        return ansi;
    return std::string(texto);
}

} // namespace dfe

#pragma once
// Where every tag of an immutable text opens, found in one pass, so that the leaf reader
// answers "the first <X after here" and "the n-th </X> of this group" without scanning
// the group again for every group and leaf it looks for. A document is read group by
// group and leaf by leaf, and most of what a reader asks for is absent: by scanning, each
// absent group or leaf cost a whole scan of its parent.
//
// Each '<' of the text is filed under its name: the bytes after it up to the first '>',
// ' ' or ':', together with that byte - the key of "<det>", "<det " and "<det:" as the
// group search compares them. The names ended by '>' are filed a second time without
// regard to the case of ASCII letters, the key of "<DET>" as the leaf search compares it.
// A closing tag is a '<' like any other: "</det>" is the name "/det". A lookup gives the
// offsets of the '<' of every match in the whole text, ascending; a caller that searches
// a piece of the text keeps the matches that start and end inside it. The index keeps no
// copy of the text: the caller keeps the text alive and unchanged while it uses the index.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace dfe {

class IndiceDeTags {
public:
    using Ocorrencias = std::span<const std::uint32_t>;

    // Names longer than this are not filed (every tag name of the layouts is far
    // shorter); a lookup of a longer name is unanswered, and the caller scans. It also
    // keeps the work per '<' bounded when the text holds long runs without a '>'.
    static constexpr std::size_t ChaveMaxima = 72;

    explicit IndiceDeTags(std::string_view texto);

    // False for a text too large for the index's 32-bit offsets: every lookup is then
    // unanswered.
    bool Valido() const { return FValido; }

    // Every "<" + nome + fim of the text, fim being '>', ' ' or ':', compared exactly.
    // Unanswered (nullopt) for a name holding '>', ' ' or ':', a name longer than
    // ChaveMaxima, another fim, or an invalid index.
    std::optional<Ocorrencias> Exatas(std::string_view nome, char fim) const;

    // Every "<" + name + ">" whose name, with its ASCII letters upper-cased, is nome.
    // Unanswered for a name holding '>', ' ' or ':', longer than ChaveMaxima, or an
    // invalid index.
    std::optional<Ocorrencias> SemCaixa(std::string_view nome) const;

    // SemCaixa(nome) and SemCaixa("/" + nome), the openings and the closings of a leaf,
    // in one lookup. Unanswered as SemCaixa is, or when the closing's name is too long.
    struct Par {
        Ocorrencias aberturas;
        Ocorrencias fechamentos;
    };
    std::optional<Par> SemCaixaComFechamento(std::string_view nome) const;

    // The first offset of `lista` at or after `de` whose match, `tamanho` bytes long, ends
    // at or before `ate`; npos when none. The offsets ascend, so a match that overruns
    // `ate` means every later one does too.
    static std::size_t Primeira(Ocorrencias lista, std::size_t de, std::size_t ate,
                                std::size_t tamanho);

private:
    enum Tipo : std::uint8_t { FechaMaior, FechaEspaco, FechaDoisPontos, SemCaixaMaior };

    // A key and its offsets: a range of FPosicoes, or of FMescladas for a case-free key
    // whose matches are spelled more than one way.
    struct Lista {
        std::uint32_t chave = 0; // offset of the key in the text
        std::uint32_t tamanho = 0;
        std::uint32_t hash = 0;
        Tipo tipo = FechaMaior;
        std::uint32_t inicio = 0;
        std::uint32_t fim = 0;
        bool mesclada = false;
        // For a case-free name, the list of its closing ("/" + name); Nenhuma when the text
        // has none. Every closing's name has a list, an empty one if need be, so a name
        // that is not found has no closing either.
        std::uint32_t fechamento = Nenhuma;
    };
    static constexpr std::uint32_t Nenhuma = 0xFFFFFFFFu;

    // A hash table of lists: list number + 1 in each slot, 0 when free.
    struct Tabela {
        std::vector<Lista> listas;
        std::vector<std::uint32_t> slots;
    };

    // The list of (chave, tamanho, tipo) in `tabela`, added when new; `nova` tells which.
    std::uint32_t Registrar(Tabela &tabela, std::uint32_t chave, std::uint32_t tamanho,
                            Tipo tipo, std::uint32_t hash, bool &nova) const;
    // The list of nome in `tabela`, or Nenhuma.
    std::uint32_t Achar(const Tabela &tabela, std::string_view nome, Tipo tipo) const;
    std::optional<Ocorrencias> Procurar(const Tabela &tabela, std::string_view nome,
                                        Tipo tipo) const;
    Ocorrencias Posicoes(const Lista &lista) const;
    // Checks a case-free lookup name: nullopt when unanswerable, false when it can match
    // nothing (a lower-case letter), true otherwise.
    std::optional<bool> NomeSemCaixa(std::string_view nome) const;

    std::string_view FTexto;
    bool FValido = false;
    Tabela FExatas;
    Tabela FSemCaixa;
    std::vector<std::uint32_t> FPosicoes;
    std::vector<std::uint32_t> FMescladas;
};

} // namespace dfe

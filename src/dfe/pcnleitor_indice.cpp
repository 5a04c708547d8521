#include "dfe/pcnleitor_indice.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace dfe {

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr char Maiuscula(char c) noexcept
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool Terminador(char c) noexcept
{
    return c == '>' || c == ' ' || c == ':';
}

// FNV-1a over the key's bytes, seeded by the key's kind so that the same bytes under two
// kinds fall in different places.
template <bool Dobrar>
std::uint32_t Hash(std::string_view chave, std::uint8_t tipo) noexcept
{
    std::uint32_t h = 2166136261u ^ tipo;
    for (const char c : chave) {
        h ^= static_cast<unsigned char>(Dobrar ? Maiuscula(c) : c);
        h *= 16777619u;
    }
    return h;
}

// The first byte at or after `de` that ends an exact key; npos when none is left.
std::size_t ProximoTerminador(std::string_view texto, std::size_t de)
{
    for (std::size_t i = de; i < texto.size(); ++i)
        if (Terminador(texto[i]))
            return i;
    return npos;
}

} // namespace

IndiceDeTags::IndiceDeTags(std::string_view texto) : FTexto(texto)
{
    if (texto.size() >= std::numeric_limits<std::uint32_t>::max())
        return;
    FValido = true;

    const auto aberturas = static_cast<std::size_t>(std::count(texto.begin(), texto.end(), '<'));
    FTabela.assign(64, 0);
    // (list, offset) in the text's order; the second pass files them list by list.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> marcas;
    marcas.reserve(2 * aberturas);

    // The first '>' and the first '>', ' ' or ':' at or after the current name. Each is
    // searched again only once the scan has passed it, so the whole pass stays linear.
    std::size_t maior = 0;
    std::size_t termo = 0;
    bool buscarMaior = true;
    bool buscarTermo = true;
    for (std::size_t i = texto.find('<'); i != npos; i = texto.find('<', i + 1)) {
        const std::size_t inicio = i + 1;
        if (buscarMaior && maior < inicio) {
            maior = texto.find('>', inicio);
            buscarMaior = maior != npos;
        }
        if (buscarTermo && termo < inicio) {
            termo = ProximoTerminador(texto, inicio);
            buscarTermo = termo != npos;
        }
        const auto posicao = static_cast<std::uint32_t>(i);
        if (termo != npos && termo - inicio <= ChaveMaxima) {
            const Tipo tipo = texto[termo] == '>' ? FechaMaior
                              : texto[termo] == ' ' ? FechaEspaco
                                                     : FechaDoisPontos;
            marcas.emplace_back(Registrar(static_cast<std::uint32_t>(inicio),
                                          static_cast<std::uint32_t>(termo - inicio), tipo),
                                posicao);
        }
        if (maior != npos && maior - inicio <= ChaveMaxima)
            marcas.emplace_back(Registrar(static_cast<std::uint32_t>(inicio),
                                          static_cast<std::uint32_t>(maior - inicio),
                                          SemCaixaMaior),
                                posicao);
    }

    // Registrar counted each list's matches in `fim`: turn the counts into ranges, then
    // file the offsets, which stay ascending within each list.
    std::uint32_t total = 0;
    for (Lista &lista : FListas) {
        const std::uint32_t quantos = lista.fim;
        lista.inicio = total;
        lista.fim = total;
        total += quantos;
    }
    FPosicoes.resize(total);
    for (const auto &[numero, posicao] : marcas)
        FPosicoes[FListas[numero].fim++] = posicao;
}

std::uint32_t IndiceDeTags::Registrar(std::uint32_t chave, std::uint32_t tamanho, Tipo tipo)
{
    const std::string_view nome = FTexto.substr(chave, tamanho);
    const std::uint32_t hash =
        tipo == SemCaixaMaior ? Hash<true>(nome, tipo) : Hash<false>(nome, tipo);
    const std::size_t mascara = FTabela.size() - 1;
    for (std::size_t slot = hash & mascara;; slot = (slot + 1) & mascara) {
        const std::uint32_t ocupante = FTabela[slot];
        if (ocupante == 0) {
            FListas.push_back({chave, tamanho, hash, tipo, 0, 1});
            FTabela[slot] = static_cast<std::uint32_t>(FListas.size());
            if (2 * FListas.size() > FTabela.size())
                Crescer();
            return static_cast<std::uint32_t>(FListas.size() - 1);
        }
        Lista &lista = FListas[ocupante - 1];
        if (lista.hash != hash || lista.tipo != tipo || lista.tamanho != tamanho)
            continue;
        const std::string_view outro = FTexto.substr(lista.chave, tamanho);
        const bool igual =
            tipo == SemCaixaMaior
                ? std::equal(nome.begin(), nome.end(), outro.begin(),
                             [](char a, char b) { return Maiuscula(a) == Maiuscula(b); })
                : nome == outro;
        if (igual) {
            ++lista.fim;
            return ocupante - 1;
        }
    }
}

void IndiceDeTags::Crescer()
{
    FTabela.assign(FTabela.size() * 2, 0);
    const std::size_t mascara = FTabela.size() - 1;
    for (std::size_t n = 0; n < FListas.size(); ++n) {
        std::size_t slot = FListas[n].hash & mascara;
        while (FTabela[slot] != 0)
            slot = (slot + 1) & mascara;
        FTabela[slot] = static_cast<std::uint32_t>(n + 1);
    }
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::Procurar(std::string_view nome,
                                                                 Tipo tipo) const
{
    // A name a lookup compares as it is: for the case-free kind it must already be upper
    // case to match anything, and then its hash is the hash of the folded key.
    const std::uint32_t hash = Hash<false>(nome, tipo);
    const std::size_t mascara = FTabela.size() - 1;
    for (std::size_t slot = hash & mascara;; slot = (slot + 1) & mascara) {
        const std::uint32_t ocupante = FTabela[slot];
        if (ocupante == 0)
            return Ocorrencias{};
        const Lista &lista = FListas[ocupante - 1];
        if (lista.hash != hash || lista.tipo != tipo || lista.tamanho != nome.size())
            continue;
        const std::string_view chave = FTexto.substr(lista.chave, lista.tamanho);
        const bool igual =
            tipo == SemCaixaMaior
                ? std::equal(chave.begin(), chave.end(), nome.begin(),
                             [](char a, char b) { return Maiuscula(a) == b; })
                : chave == nome;
        if (igual)
            return Ocorrencias(FPosicoes.data() + lista.inicio, lista.fim - lista.inicio);
    }
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::Exatas(std::string_view nome,
                                                              char fim) const
{
    if (!FValido || nome.size() > ChaveMaxima || !Terminador(fim) ||
        std::any_of(nome.begin(), nome.end(), Terminador))
        return std::nullopt;
    return Procurar(nome, fim == '>' ? FechaMaior : fim == ' ' ? FechaEspaco : FechaDoisPontos);
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::SemCaixa(std::string_view nome) const
{
    if (!FValido || nome.size() > ChaveMaxima || nome.find('>') != npos)
        return std::nullopt;
    return Procurar(nome, SemCaixaMaior);
}

std::size_t IndiceDeTags::Primeira(Ocorrencias lista, std::size_t de, std::size_t ate,
                                   std::size_t tamanho)
{
    const auto it = std::lower_bound(lista.begin(), lista.end(), de,
                                     [](std::uint32_t p, std::size_t d) { return p < d; });
    if (it == lista.end() || *it + tamanho > ate)
        return npos;
    return *it;
}

} // namespace dfe

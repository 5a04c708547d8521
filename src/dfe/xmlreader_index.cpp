#include "dfe/xmlreader_index.h"

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

// The eight bytes of w with the ASCII lower-case letters upper-cased, all at once: a
// byte's high bit, after adding to its low seven bits, tells whether it is at least 'a'
// and whether it is above 'z'.
constexpr std::uint64_t Dobrar8(std::uint64_t w) noexcept
{
    constexpr std::uint64_t Altos = 0x8080808080808080ull;
    const std::uint64_t baixos = w & 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t desdeA = baixos + 0x1F1F1F1F1F1F1F1Full;  // >= 'a' (0x61)
    const std::uint64_t depoisZ = baixos + 0x0505050505050505ull; // >  'z' (0x7A)
    const std::uint64_t minusculas = desdeA & ~depoisZ & ~w & Altos;
    return w - (minusculas >> 2); // 0x80 >> 2 is the 0x20 between the cases
}

std::uint64_t Ler8(const char *p) noexcept
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

std::uint64_t Ler4(const char *p) noexcept
{
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

// The bytes of k as a few words, every byte in at least one: eight at a time, the last
// eight overlapping the ones before; a shorter key as two overlapping halves, or as its
// first, middle and last bytes. Equal keys give equal words.
template <class F>
void Palavras(std::string_view k, F f)
{
    const char *p = k.data();
    const std::size_t n = k.size();
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8)
            f(Ler8(p + i));
        if (i < n)
            f(Ler8(p + n - 8));
    } else if (n >= 4) {
        f(Ler4(p) | (Ler4(p + n - 4) << 32));
    } else if (n > 0) {
        f(std::uint64_t{static_cast<unsigned char>(p[0])} |
          std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8 |
          std::uint64_t{static_cast<unsigned char>(p[n - 1])} << 16);
    }
}

// A hash of the key, seeded by its kind and length so that the same bytes under two kinds
// fall in different places. Dobrar hashes the upper-cased bytes.
template <bool Dobrar>
std::uint32_t Hash(std::string_view chave, std::uint8_t tipo) noexcept
{
    std::uint64_t h = (0x9E3779B97F4A7C15ull ^ tipo) + chave.size() * 0x100000001B3ull;
    Palavras(chave, [&h](std::uint64_t w) {
        if constexpr (Dobrar)
            w = Dobrar8(w);
        h = (h ^ w) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    });
    h *= 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// True when a and b, of the same length, read the same with their ASCII letters
// upper-cased.
bool IguaisSemCaixa(std::string_view a, std::string_view b) noexcept
{
    const auto iguais = [](std::uint64_t x, std::uint64_t y) {
        return x == y || Dobrar8(x) == Dobrar8(y);
    };
    const char *pa = a.data();
    const char *pb = b.data();
    const std::size_t n = a.size();
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8)
            if (!iguais(Ler8(pa + i), Ler8(pb + i)))
                return false;
        return i == n || iguais(Ler8(pa + n - 8), Ler8(pb + n - 8));
    }
    if (n >= 4)
        return iguais(Ler4(pa) | (Ler4(pa + n - 4) << 32), Ler4(pb) | (Ler4(pb + n - 4) << 32));
    for (std::size_t k = 0; k < n; ++k)
        if (Maiuscula(pa[k]) != Maiuscula(pb[k]))
            return false;
    return true;
}

// The first byte at or after `de` that ends a name; npos when none is left.
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
    FExatas.slots.assign(64, 0);
    FSemCaixa.slots.assign(64, 0);

    // The list and the offset of every filed '<' in the text's order; the lists are
    // counted first, then filled from these marks without searching the text again.
    struct Marca {
        std::uint32_t numero;
        std::uint32_t posicao;
    };
    std::vector<Marca> marcas;
    marcas.reserve(static_cast<std::size_t>(std::count(texto.begin(), texto.end(), '<')));
    const auto cadaMarca = [&](auto f) {
        for (const Marca &marca : marcas)
            f(marca.numero, marca.posicao);
    };

    // The first byte that ends a name at or after the current one. It is searched again
    // only once the scan has passed it, so the whole pass stays linear.
    std::size_t termo = 0;
    for (std::size_t i = texto.find('<'); i != npos; i = texto.find('<', i + 1)) {
        const std::size_t inicio = i + 1;
        if (termo < inicio) {
            termo = ProximoTerminador(texto, inicio);
            if (termo == npos)
                break; // no name can end any more
        }
        if (termo - inicio > ChaveMaxima)
            continue;
        const Tipo tipo = texto[termo] == '>'   ? FechaMaior
                          : texto[termo] == ' ' ? FechaEspaco
                                                : FechaDoisPontos;
        const std::string_view nome = texto.substr(inicio, termo - inicio);
        bool nova = false;
        const std::uint32_t numero =
            Registrar(FExatas, static_cast<std::uint32_t>(inicio),
                      static_cast<std::uint32_t>(nome.size()), tipo, Hash<false>(nome, tipo), nova);
        ++FExatas.listas[numero].fim;
        marcas.push_back({numero, static_cast<std::uint32_t>(i)});
    }

    std::uint32_t total = 0;
    for (Lista &lista : FExatas.listas) {
        const std::uint32_t quantos = lista.fim;
        lista.inicio = total;
        lista.fim = total;
        total += quantos;
    }
    FPosicoes.resize(total);
    cadaMarca([this](std::uint32_t numero, std::uint32_t posicao) {
        FPosicoes[FExatas.listas[numero].fim++] = posicao;
    });

    // The case-free lists: the names ended by '>', every spelling of one name together.
    // A name spelled one way shares its exact list; one spelled several ways gets a list
    // of its own, filled in the text's order, so still ascending.
    std::vector<std::uint32_t> dobrada(FExatas.listas.size(), Nenhuma);
    std::vector<std::uint32_t> grafias;
    bool mesclar = false;
    for (std::uint32_t n = 0; n < FExatas.listas.size(); ++n) {
        const Lista exata = FExatas.listas[n];
        if (exata.tipo != FechaMaior)
            continue;
        const std::string_view nome = FTexto.substr(exata.chave, exata.tamanho);
        bool nova = false;
        const std::uint32_t d = Registrar(FSemCaixa, exata.chave, exata.tamanho, SemCaixaMaior,
                                          Hash<true>(nome, SemCaixaMaior), nova);
        dobrada[n] = d;
        Lista &lista = FSemCaixa.listas[d];
        if (nova) {
            grafias.push_back(1);
            lista.inicio = exata.inicio;
            lista.fim = exata.fim;
        } else {
            ++grafias[d];
            lista.fim += exata.fim - exata.inicio; // counted; placed below
            mesclar = true;
        }
    }
    // Each closing's list is linked from its name's list, made empty when the name never
    // opens, so that one lookup answers both.
    const auto casefree = static_cast<std::uint32_t>(FSemCaixa.listas.size());
    for (std::uint32_t d = 0; d < casefree; ++d) {
        const Lista fechamento = FSemCaixa.listas[d];
        if (fechamento.tamanho == 0 || FTexto[fechamento.chave] != '/')
            continue;
        const std::string_view nome = FTexto.substr(fechamento.chave + 1, fechamento.tamanho - 1);
        bool nova = false;
        const std::uint32_t a = Registrar(FSemCaixa, fechamento.chave + 1, fechamento.tamanho - 1,
                                          SemCaixaMaior, Hash<true>(nome, SemCaixaMaior), nova);
        if (nova)
            grafias.push_back(0);
        FSemCaixa.listas[a].fechamento = d;
    }

    if (!mesclar)
        return;
    std::uint32_t mescladas = 0;
    for (std::uint32_t d = 0; d < FSemCaixa.listas.size(); ++d) {
        Lista &lista = FSemCaixa.listas[d];
        if (grafias[d] < 2)
            continue;
        const std::uint32_t quantos = lista.fim - lista.inicio;
        lista.mesclada = true;
        lista.inicio = mescladas;
        lista.fim = mescladas;
        mescladas += quantos;
    }
    FMescladas.resize(mescladas);
    cadaMarca([&](std::uint32_t numero, std::uint32_t posicao) {
        const std::uint32_t d = dobrada[numero];
        if (d != Nenhuma && FSemCaixa.listas[d].mesclada)
            FMescladas[FSemCaixa.listas[d].fim++] = posicao;
    });
}

std::uint32_t IndiceDeTags::Registrar(Tabela &tabela, std::uint32_t chave, std::uint32_t tamanho,
                                      Tipo tipo, std::uint32_t hash, bool &nova) const
{
    const std::string_view nome = FTexto.substr(chave, tamanho);
    std::size_t mascara = tabela.slots.size() - 1;
    for (std::size_t slot = hash & mascara;; slot = (slot + 1) & mascara) {
        const std::uint32_t ocupante = tabela.slots[slot];
        if (ocupante == 0) {
            tabela.listas.push_back({chave, tamanho, hash, tipo, 0, 0, false});
            const auto numero = static_cast<std::uint32_t>(tabela.listas.size());
            tabela.slots[slot] = numero;
            if (2 * tabela.listas.size() > tabela.slots.size()) {
                tabela.slots.assign(tabela.slots.size() * 2, 0);
                mascara = tabela.slots.size() - 1;
                for (std::uint32_t n = 0; n < tabela.listas.size(); ++n) {
                    std::size_t s = tabela.listas[n].hash & mascara;
                    while (tabela.slots[s] != 0)
                        s = (s + 1) & mascara;
                    tabela.slots[s] = n + 1;
                }
            }
            nova = true;
            return numero - 1;
        }
        const Lista &lista = tabela.listas[ocupante - 1];
        if (lista.hash != hash || lista.tamanho != tamanho || lista.tipo != tipo)
            continue;
        const std::string_view outro = FTexto.substr(lista.chave, tamanho);
        if (tipo == SemCaixaMaior ? IguaisSemCaixa(nome, outro) : nome == outro) {
            nova = false;
            return ocupante - 1;
        }
    }
}

std::uint32_t IndiceDeTags::Achar(const Tabela &tabela, std::string_view nome, Tipo tipo) const
{
    // A case-free lookup name is upper case (NomeSemCaixa sees to it): folding it as well
    // changes nothing.
    const std::uint32_t hash =
        tipo == SemCaixaMaior ? Hash<true>(nome, tipo) : Hash<false>(nome, tipo);
    const std::size_t mascara = tabela.slots.size() - 1;
    for (std::size_t slot = hash & mascara;; slot = (slot + 1) & mascara) {
        const std::uint32_t ocupante = tabela.slots[slot];
        if (ocupante == 0)
            return Nenhuma;
        const Lista &lista = tabela.listas[ocupante - 1];
        if (lista.hash != hash || lista.tamanho != nome.size() || lista.tipo != tipo)
            continue;
        const std::string_view chave = FTexto.substr(lista.chave, lista.tamanho);
        if (tipo == SemCaixaMaior ? IguaisSemCaixa(chave, nome) : chave == nome)
            return ocupante - 1;
    }
}

IndiceDeTags::Ocorrencias IndiceDeTags::Posicoes(const Lista &lista) const
{
    const std::vector<std::uint32_t> &posicoes = lista.mesclada ? FMescladas : FPosicoes;
    return Ocorrencias(posicoes.data() + lista.inicio, lista.fim - lista.inicio);
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::Procurar(const Tabela &tabela,
                                                                 std::string_view nome,
                                                                 Tipo tipo) const
{
    const std::uint32_t numero = Achar(tabela, nome, tipo);
    if (numero == Nenhuma)
        return Ocorrencias{};
    return Posicoes(tabela.listas[numero]);
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::Exatas(std::string_view nome,
                                                              char fim) const
{
    if (!FValido || nome.size() > ChaveMaxima || !Terminador(fim) ||
        std::any_of(nome.begin(), nome.end(), Terminador))
        return std::nullopt;
    return Procurar(FExatas, nome,
                    fim == '>' ? FechaMaior : fim == ' ' ? FechaEspaco : FechaDoisPontos);
}

std::optional<bool> IndiceDeTags::NomeSemCaixa(std::string_view nome) const
{
    if (!FValido || nome.size() > ChaveMaxima)
        return std::nullopt;
    bool minuscula = false;
    for (const char c : nome) {
        if (Terminador(c))
            return std::nullopt;
        minuscula = minuscula || (c >= 'a' && c <= 'z');
    }
    // No upper-cased name holds a lower-case letter.
    return !minuscula;
}

std::optional<IndiceDeTags::Ocorrencias> IndiceDeTags::SemCaixa(std::string_view nome) const
{
    const std::optional<bool> valido = NomeSemCaixa(nome);
    if (!valido)
        return std::nullopt;
    if (!*valido)
        return Ocorrencias{};
    return Procurar(FSemCaixa, nome, SemCaixaMaior);
}

std::optional<IndiceDeTags::Par> IndiceDeTags::SemCaixaComFechamento(std::string_view nome) const
{
    const std::optional<bool> valido = NomeSemCaixa(nome);
    if (!valido || nome.size() + 1 > ChaveMaxima)
        return std::nullopt;
    if (!*valido)
        return Par{};
    const std::uint32_t numero = Achar(FSemCaixa, nome, SemCaixaMaior);
    if (numero == Nenhuma)
        return Par{};
    const Lista &lista = FSemCaixa.listas[numero];
    Par par{Posicoes(lista), {}};
    if (lista.fechamento != Nenhuma)
        par.fechamentos = Posicoes(FSemCaixa.listas[lista.fechamento]);
    return par;
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

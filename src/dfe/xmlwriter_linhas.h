#pragma once
// A group writer as a table of rows. Each row is one line of the layout's element table,
// with its columns in the table's order:
//
//     ID     tag      kind   min max occ value                   condition description
//     {"B02", "cUF",  tcInt, 2,  2,  1,  Membro<&TIde::cUF>,     Sempre,   "Código do UF ..."},
//
// so that a table can be put beside the layout and checked line by line. Besides the leaf
// rows there are group rows (open a group, write their own table, close it), alert rows
// (the writer's own check of the element just written, which the generator formats like
// its own) and code rows (a piece that does not fit a row: a choice between sub-groups, a
// CNPJ-or-CPF leaf, a repeated group). Escrever reads a table in order and hands every row
// whose condition holds to the generator.
//
// A row is templated on the context it reads: a small struct the writer builds once per
// group, which holds the group's model as `m` (that is what Membro and its kin read) and
// whatever else the conditions need (the layout version, the document model). Values,
// conditions and code pieces are plain function pointers, usually captureless lambdas, so
// a table is constant data: nothing is allocated to walk it.

#include "dfe/xmlwriter.h"
#include "rtl/datetime.h"
#include "rtl/variant.h"
#include "util/toolbox.h"

#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace dfe::escrita {

// The occurrence column: 1 (required) or 0 (optional), or chosen by the context when the
// layout makes it depend on the document ("1 for model 55, else 0").
template <class C> struct Ocorrencia {
    int fixa = 1;
    int (*de)(const C &) = nullptr;

    constexpr Ocorrencia(int n) : fixa(n) {}
    template <class F>
        requires std::is_convertible_v<F, int (*)(const C &)>
    constexpr Ocorrencia(F f) : de(f)
    {
    }

    int operator()(const C &c) const { return de ? de(c) : fixa; }
};

// The value column. Most values are texts of the model or codes made from it; those go to
// the generator as they are, while any other value goes as a Variant, which wCampo
// converts by the field's kind. A text read in place (a member) is not copied at all, a
// code made for the leaf is handed over without a second copy.
template <class C> struct ValorDe {
    enum class Forma : unsigned char { Nenhuma, Variante, Texto, Feito };
    // One pointer, read by `forma`: a row is a line of constant data, kept small.
    union {
        rtl::Variant (*variante)(const C &);
        const std::string &(*texto)(const C &);
        std::string (*feito)(const C &);
    };
    Forma forma = Forma::Nenhuma;

    constexpr ValorDe() : variante(nullptr) {}
    constexpr ValorDe(std::nullptr_t) : variante(nullptr) {}
    template <class F>
        requires std::is_convertible_v<F, rtl::Variant (*)(const C &)>
    constexpr ValorDe(F f) : variante(f), forma(Forma::Variante)
    {
    }
    template <class F>
        requires std::is_convertible_v<F, const std::string &(*)(const C &)>
    constexpr ValorDe(F f) : texto(f), forma(Forma::Texto)
    {
    }
    template <class F>
        requires std::is_convertible_v<F, std::string (*)(const C &)>
    constexpr ValorDe(F f) : feito(f), forma(Forma::Feito)
    {
    }
};

// A field's kind and lengths when the context chooses them (a rate's decimals that follow
// the layout version).
struct Medida {
    TpcnTipoCampo tipo;
    int min;
    int max;
};

template <class C> struct Linha {
    using Valor = ValorDe<C>;
    using Condicao = bool (*)(const C &);
    using Trecho = void (*)(TGerador &, const C &);
    enum class Forma : unsigned char { Campo, Grupo, Alerta, Codigo };

    // ---- the columns of a leaf row, in the table's order
    std::string_view id = {};
    std::string_view tag = {};
    TpcnTipoCampo tipo = tcStr;
    int min = 0;
    int max = 0;
    Ocorrencia<C> ocorrencias = 1;
    Valor valor = nullptr;
    // The row is written only when it holds; nullptr (Sempre) writes it whenever its
    // table is read. For an alert row it is the failure the alert reports.
    Condicao condicao = nullptr;
    std::string_view descricao = {};

    // ---- the other kinds of row
    Forma forma = Forma::Campo;
    // False writes the value as given: no escaping, no blank or accent removal (a CDATA
    // section).
    bool filtrar = true;
    // Replaces tipo, min and max when set.
    Medida (*medida)(const C &) = nullptr;
    std::string_view mensagem = {};     // Alerta
    std::span<const Linha> filhos = {}; // Grupo
    Trecho trecho = nullptr;            // Codigo

    // A group with its own table of rows; `tag` is the group's name.
    static constexpr Linha Grupo(std::string_view tag, std::string_view id,
                                 std::span<const Linha> filhos, Condicao condicao = nullptr)
    {
        Linha l{id, tag};
        l.forma = Forma::Grupo;
        l.filhos = filhos;
        l.condicao = condicao;
        return l;
    }

    // The writer's own alert line (ID, tag, description, message) when `quando` holds.
    static constexpr Linha Alerta(std::string_view id, std::string_view tag,
                                  std::string_view descricao, Condicao quando,
                                  std::string_view mensagem)
    {
        Linha l{id, tag};
        l.forma = Forma::Alerta;
        l.descricao = descricao;
        l.condicao = quando;
        l.mensagem = mensagem;
        return l;
    }

    // A piece of code run in its place in the table.
    static constexpr Linha Codigo(Trecho trecho, Condicao condicao = nullptr)
    {
        Linha l;
        l.forma = Forma::Codigo;
        l.trecho = trecho;
        l.condicao = condicao;
        return l;
    }

    // A leaf written as given; see filtrar.
    static constexpr Linha Literal(Linha l)
    {
        l.filtrar = false;
        return l;
    }

    // A leaf whose kind and lengths the context chooses.
    static constexpr Linha ComMedida(std::string_view id, std::string_view tag,
                                     Medida (*medida)(const C &), Ocorrencia<C> ocorrencias,
                                     Valor valor, Condicao condicao, std::string_view descricao)
    {
        Linha l{id, tag, tcStr, 0, 0, ocorrencias, valor, condicao, descricao};
        l.medida = medida;
        return l;
    }
};

inline constexpr std::nullptr_t Sempre = nullptr;

template <class C>
void Escrever(TGerador &g, std::type_identity_t<std::span<const Linha<C>>> linhas, const C &ctx);

// Opens the group, writes its table and closes it.
template <class C>
void EscreverGrupo(TGerador &g, std::string_view tag, std::string_view id,
                   std::type_identity_t<std::span<const Linha<C>>> linhas, const C &ctx)
{
    g.wGrupo(tag, id);
    Escrever(g, linhas, ctx);
    // The closing "/tag", built on the stack: group names are short.
    char fecho[64];
    if (tag.size() < sizeof fecho) {
        fecho[0] = '/';
        tag.copy(fecho + 1, tag.size());
        g.wGrupo(std::string_view(fecho, tag.size() + 1));
    } else {
        g.wGrupo("/" + std::string(tag));
    }
}

template <class C>
void Escrever(TGerador &g, std::type_identity_t<std::span<const Linha<C>>> linhas, const C &ctx)
{
    using L = Linha<C>;
    for (const L &l : linhas) {
        if (l.condicao && !l.condicao(ctx))
            continue;
        switch (l.forma) {
        case L::Forma::Campo: {
            const Medida m = l.medida ? l.medida(ctx) : Medida{l.tipo, l.min, l.max};
            const int ocorrencias = l.ocorrencias(ctx);
            switch (l.valor.forma) {
            case ValorDe<C>::Forma::Texto:
                g.wCampoTexto(m.tipo, l.id, l.tag, m.min, m.max, ocorrencias, l.valor.texto(ctx),
                              l.descricao, l.filtrar);
                break;
            case ValorDe<C>::Forma::Feito:
                g.wCampoTexto(m.tipo, l.id, l.tag, m.min, m.max, ocorrencias, l.valor.feito(ctx),
                              l.descricao, l.filtrar);
                break;
            default:
                g.wCampo(m.tipo, l.id, l.tag, m.min, m.max, ocorrencias, l.valor.variante(ctx),
                         l.descricao, l.filtrar);
                break;
            }
            break;
        }
        case L::Forma::Grupo:
            EscreverGrupo(g, l.tag, l.id, l.filhos, ctx);
            break;
        case L::Forma::Alerta:
            g.wAlerta(l.id, l.tag, l.descricao, l.mensagem);
            break;
        case L::Forma::Codigo:
            l.trecho(g, ctx);
            break;
        }
    }
}

// ---- values read from the context's group model `m`

// The member as it is; a text member is read in place.
template <auto membro>
inline constexpr auto Membro = [](const auto &c) -> decltype(auto) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(c.m.*membro)>, std::string>)
        return static_cast<const std::string &>(c.m.*membro);
    else
        return rtl::Variant(c.m.*membro);
};

// A date or date-time member, converted by the field's kind.
template <auto membro>
inline constexpr auto DataDe = [](const auto &c) -> rtl::Variant {
    return rtl::Variant::FromDateTime(c.m.*membro);
};

// The XML code of an enumerated member, by its conversion routine.
template <auto membro, auto codigo>
inline constexpr auto CodigoDe = [](const auto &c) -> decltype(auto) {
    if constexpr (std::is_same_v<decltype(codigo(c.m.*membro)), std::string>)
        return codigo(c.m.*membro);
    else
        return rtl::Variant(codigo(c.m.*membro));
};

// The ASCII digits of a text member.
template <auto membro>
inline constexpr auto DigitosDe = [](const auto &c) -> std::string {
    return util::OnlyNumber(c.m.*membro);
};

// ---- conditions on the layout version, for any context with `versao`

inline constexpr auto De200 = [](const auto &c) { return c.versao >= 2.0; };
inline constexpr auto Antes200 = [](const auto &c) { return c.versao < 2.0; };
inline constexpr auto De300 = [](const auto &c) { return c.versao >= 3.0; };
inline constexpr auto Antes300 = [](const auto &c) { return c.versao < 3.0; };
inline constexpr auto De310 = [](const auto &c) { return c.versao >= 3.1; };
inline constexpr auto Antes310 = [](const auto &c) { return c.versao < 3.1; };
inline constexpr auto De400 = [](const auto &c) { return c.versao >= 4.0; };
inline constexpr auto Antes400 = [](const auto &c) { return c.versao < 4.0; };

} // namespace dfe::escrita

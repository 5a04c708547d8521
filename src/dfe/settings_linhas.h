#pragma once
// The INI keys of a settings part as data. A part lists its keys as rows, in the order
// they are written and read: the section, the key, how the value is stored and how the
// part gives and takes it. GravarLinhasIni and LerLinhasIni are the only code that reads
// the rows, so a family's part adds its keys by adding rows.
//
// Reading takes the part's current value as each key's default, so a key absent from the
// file keeps the setting (unless its row says otherwise), and it goes through the part's
// setter, so what a setter does besides storing (normalising the value, passing it on to
// the crypto facade) happens as when a program sets it. Rows are read one after another:
// a row may rely on what an earlier row set (the proxy password's key is the proxy host
// read just before).

#include "rtl/inifile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace dfe {

// An enumeration stored by ordinal, for every family's settings. A number outside the
// enumeration (or a value that is not a number) keeps the current setting: the file may
// come from another version or be edited by hand, and an unnamed value would break every
// table indexed by it.
template <class E>
E LerOrdinal(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
             E Atual, E Ultimo)
{
    const int lido = AIni.ReadInteger(Secao, Chave, static_cast<int>(Atual));
    if (lido < 0 || lido > static_cast<int>(Ultimo))
        return Atual;
    return static_cast<E>(lido);
}

template <class E>
void GravarOrdinal(rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave, E Valor)
{
    AIni.WriteInteger(Secao, Chave, static_cast<int>(Valor));
}

// The section of the rows that belong to the family: its SessaoIni. They are written and
// read only when the family names one.
inline constexpr std::string_view SecaoFamilia{};

// How a row's value is stored.
enum TTipoLinhaIni {
    tliTexto,       // the text as held
    tliEmbaralhado, // Base64 of the text scrambled with StrCrypt and the row's key
    tliLogico,      // 1 or 0; any other integer reads as true
    tliInteiro,     // a 32-bit signed decimal, taken as read (an enumeration too)
    tliCardinal,    // a 32-bit unsigned decimal; a value out of that range keeps the setting
    tliOrdinal,     // an enumeration's ordinal; one outside 0..Ultimo keeps the setting
};

// What reading does with a text key absent from the file.
enum TChaveAusente {
    caMantem, // keeps the setting
    caLimpa,  // empties it: for data that must never outlive the file that held it
};

// One INI key of the settings part P. The rows are built by TLinhasIni<P> below.
template <class P>
struct TLinhaIni {
    std::string_view Secao; // SecaoFamilia for the family's section
    std::string_view Chave;
    TTipoLinhaIni Tipo = tliTexto;
    // The texts (tliTexto, tliEmbaralhado) pass through the first pair, every other kind
    // as a number through the second.
    std::string (*ValorTexto)(const P &) = nullptr;
    void (*SetValorTexto)(P &, std::string) = nullptr;
    long long (*ValorNumero)(const P &) = nullptr;
    void (*SetValorNumero)(P &, long long) = nullptr;
    // tliOrdinal: the enumeration's last value.
    int Ultimo = 0;
    // tliEmbaralhado: the scrambling key, asked of the part when the row is written or
    // read (an empty key leaves the text plain).
    std::string (*ChaveEmbaralhar)(const P &) = nullptr;
    TChaveAusente Ausente = caMantem;
};

// The makers of the part P's rows. Get and Set are the part's getter and setter: member
// functions, or captureless lambdas taking the part when the setting sits deeper.
//
//     using G = TGeralConf;
//     using L = TLinhasIni<G>;
//     constexpr TLinhaIni<G> LinhasGeral[] = {
//         L::Ordinal<&G::FormaEmissao, &G::SetFormaEmissao>(SecaoFamilia, "FormaEmissao", teOffLine),
//         L::Logico<&G::Salvar, &G::SetSalvar>(SecaoFamilia, "SalvarGer"),
//     };
template <class P>
struct TLinhasIni {
    // The type Get gives, which Set takes.
    template <auto Get>
    using Valor = std::remove_cvref_t<std::invoke_result_t<decltype(Get), const P &>>;

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> Texto(std::string_view Secao, std::string_view Chave,
                                        TChaveAusente Ausente = caMantem)
    {
        return ComoTexto<Get, Set>(Secao, Chave, tliTexto, nullptr, Ausente);
    }

    template <auto Get, auto Set, auto ChaveDe>
    static constexpr TLinhaIni<P> Embaralhado(std::string_view Secao, std::string_view Chave,
                                              TChaveAusente Ausente = caMantem)
    {
        return ComoTexto<Get, Set>(Secao, Chave, tliEmbaralhado,
                                   [](const P &p) { return std::string(std::invoke(ChaveDe, p)); },
                                   Ausente);
    }

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> Logico(std::string_view Secao, std::string_view Chave)
    {
        return ComoNumero<Get, Set>(Secao, Chave, tliLogico, 0);
    }

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> Inteiro(std::string_view Secao, std::string_view Chave)
    {
        return ComoNumero<Get, Set>(Secao, Chave, tliInteiro, 0);
    }

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> Cardinal(std::string_view Secao, std::string_view Chave)
    {
        return ComoNumero<Get, Set>(Secao, Chave, tliCardinal, 0);
    }

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> Ordinal(std::string_view Secao, std::string_view Chave,
                                          Valor<Get> Ultimo)
    {
        static_assert(std::is_enum_v<Valor<Get>>, "an ordinal row holds an enumeration");
        return ComoNumero<Get, Set>(Secao, Chave, tliOrdinal, static_cast<int>(Ultimo));
    }

private:
    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> ComoTexto(std::string_view Secao, std::string_view Chave,
                                            TTipoLinhaIni Tipo,
                                            std::string (*ChaveEmbaralhar)(const P &),
                                            TChaveAusente Ausente)
    {
        return {.Secao = Secao,
                .Chave = Chave,
                .Tipo = Tipo,
                .ValorTexto = [](const P &p) { return std::string(std::invoke(Get, p)); },
                .SetValorTexto = [](P &p, std::string v) { std::invoke(Set, p, std::move(v)); },
                .ChaveEmbaralhar = ChaveEmbaralhar,
                .Ausente = Ausente};
    }

    template <auto Get, auto Set>
    static constexpr TLinhaIni<P> ComoNumero(std::string_view Secao, std::string_view Chave,
                                             TTipoLinhaIni Tipo, int Ultimo)
    {
        return {.Secao = Secao,
                .Chave = Chave,
                .Tipo = Tipo,
                .ValorNumero = [](const P &p) { return static_cast<long long>(std::invoke(Get, p)); },
                .SetValorNumero = [](P &p, long long v) { std::invoke(Set, p, static_cast<Valor<Get>>(v)); },
                .Ultimo = Ultimo};
    }
};

// The value of one key, written or read by the rules of its kind. GravarLinhasIni and
// LerLinhasIni call them for each row; nothing else needs them.
void GravarTextoIni(rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                    TTipoLinhaIni Tipo, std::string_view Texto, std::string_view ChaveEmbaralhar);
void GravarNumeroIni(rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                     TTipoLinhaIni Tipo, long long Numero);
std::string LerTextoIni(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                        TTipoLinhaIni Tipo, std::string_view Atual, std::string_view ChaveEmbaralhar,
                        TChaveAusente Ausente);
long long LerNumeroIni(const rtl::TMemIniFile &AIni, std::string_view Secao, std::string_view Chave,
                       TTipoLinhaIni Tipo, long long Atual, int Ultimo);

// Writes the part's rows, in order; the rows in SecaoFamilia go to SecaoDaFamilia and are
// left out when it is empty.
template <class P>
void GravarLinhasIni(rtl::TMemIniFile &AIni, std::string_view SecaoDaFamilia, const P &Parte,
                     std::span<const TLinhaIni<std::type_identity_t<P>>> Linhas)
{
    for (const TLinhaIni<P> &linha : Linhas) {
        const std::string_view secao = linha.Secao.empty() ? SecaoDaFamilia : linha.Secao;
        if (secao.empty())
            continue;
        if (linha.ValorTexto != nullptr)
            GravarTextoIni(AIni, secao, linha.Chave, linha.Tipo, linha.ValorTexto(Parte),
                           linha.ChaveEmbaralhar ? linha.ChaveEmbaralhar(Parte) : std::string());
        else
            GravarNumeroIni(AIni, secao, linha.Chave, linha.Tipo, linha.ValorNumero(Parte));
    }
}

// Reads the part's rows, in order, each through its setter; the sections as in
// GravarLinhasIni.
template <class P>
void LerLinhasIni(const rtl::TMemIniFile &AIni, std::string_view SecaoDaFamilia, P &Parte,
                  std::span<const TLinhaIni<std::type_identity_t<P>>> Linhas)
{
    for (const TLinhaIni<P> &linha : Linhas) {
        const std::string_view secao = linha.Secao.empty() ? SecaoDaFamilia : linha.Secao;
        if (secao.empty())
            continue;
        if (linha.ValorTexto != nullptr)
            linha.SetValorTexto(Parte, LerTextoIni(AIni, secao, linha.Chave, linha.Tipo,
                                                   linha.ValorTexto(Parte),
                                                   linha.ChaveEmbaralhar ? linha.ChaveEmbaralhar(Parte)
                                                                         : std::string(),
                                                   linha.Ausente));
        else
            linha.SetValorNumero(Parte, LerNumeroIni(AIni, secao, linha.Chave, linha.Tipo,
                                                     linha.ValorNumero(Parte), linha.Ultimo));
    }
}

} // namespace dfe

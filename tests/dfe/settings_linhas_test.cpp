#include "dfe/settings_linhas.h"

#include "rtl/codecs.h"
#include "rtl/inifile.h"
#include "rtl/stringlist.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using dfe::SecaoFamilia;
using dfe::TLinhaIni;
using dfe::TLinhasIni;

enum TCor { corAzul, corVerde, corRoxo };

// A part with one setting of each kind; SetNome trims and counts its calls, as the
// settings' setters normalise and pass values on.
struct TParte {
    std::string FNome;
    int FChamadasNome = 0;
    std::string FSegredo;
    std::string FChave = "k";
    bool FAtivo = false;
    int FNumero = 0;
    std::uint32_t FEspera = 0;
    TCor FCor = corAzul;

    const std::string &Nome() const { return FNome; }
    void SetNome(std::string_view v)
    {
        ++FChamadasNome;
        FNome = rtl::Trim(v);
    }
    const std::string &Segredo() const { return FSegredo; }
    void SetSegredo(std::string v) { FSegredo = std::move(v); }
    bool Ativo() const { return FAtivo; }
    void SetAtivo(bool v) { FAtivo = v; }
    int Numero() const { return FNumero; }
    void SetNumero(int v) { FNumero = v; }
    std::uint32_t Espera() const { return FEspera; }
    void SetEspera(std::uint32_t v) { FEspera = v; }
    TCor Cor() const { return FCor; }
    void SetCor(TCor v) { FCor = v; }
};

using P = TParte;
constexpr TLinhaIni<P> Linhas[] = {
    TLinhasIni<P>::Texto<&P::Nome, &P::SetNome>("Comum", "Nome"),
    TLinhasIni<P>::Embaralhado<&P::Segredo, &P::SetSegredo, [](const P &p) { return p.FChave; }>(
        "Comum", "Segredo", dfe::caLimpa),
    TLinhasIni<P>::Logico<&P::Ativo, &P::SetAtivo>(SecaoFamilia, "Ativo"),
    TLinhasIni<P>::Inteiro<&P::Numero, &P::SetNumero>(SecaoFamilia, "Numero"),
    TLinhasIni<P>::Cardinal<&P::Espera, &P::SetEspera>(SecaoFamilia, "Espera"),
    TLinhasIni<P>::Ordinal<&P::Cor, &P::SetCor>(SecaoFamilia, "Cor", corRoxo),
};

std::string Texto(const rtl::TMemIniFile &ini)
{
    rtl::TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}

TEST(LinhasIni, EachKindIsWrittenInRowOrderAndReadBackThroughTheSetters)
{
    P origem;
    origem.FNome = "nome";
    origem.FSegredo = "s3gr=do";
    origem.FAtivo = true;
    origem.FNumero = -42;
    origem.FEspera = 4000000000u;
    origem.FCor = corRoxo;
    rtl::TMemIniFile ini;
    dfe::GravarLinhasIni(ini, "Familia", origem, Linhas);
    EXPECT_EQ(Texto(ini), "[Comum]\r\nNome=nome\r\nSegredo=" + rtl::EncodeBase64(util::StrCrypt("s3gr=do", "k"))
                              + "\r\n\r\n[Familia]\r\nAtivo=1\r\nNumero=-42\r\nEspera=4000000000\r\nCor=2\r\n\r\n");

    ini.WriteString("Comum", "Nome", "  aparado  ");
    P destino;
    dfe::LerLinhasIni(ini, "Familia", destino, Linhas);
    EXPECT_EQ(destino.FNome, "aparado");
    EXPECT_EQ(destino.FChamadasNome, 1);
    EXPECT_EQ(destino.FSegredo, "s3gr=do");
    EXPECT_TRUE(destino.FAtivo);
    EXPECT_EQ(destino.FNumero, -42);
    EXPECT_EQ(destino.FEspera, 4000000000u);
    EXPECT_EQ(destino.FCor, corRoxo);

    // Without a family section its rows are neither written nor read.
    rtl::TMemIniFile soComum;
    dfe::GravarLinhasIni(soComum, "", origem, Linhas);
    rtl::TStringList secoes;
    soComum.ReadSections(secoes);
    EXPECT_EQ(secoes.Text(), "Comum\r\n");
    P semFamilia;
    dfe::LerLinhasIni(ini, "", semFamilia, Linhas);
    EXPECT_EQ(semFamilia.FNumero, 0);
    EXPECT_EQ(semFamilia.FNome, "aparado");
}

TEST(LinhasIni, AbsentOrUnreadableValuesKeepTheSettingUnlessTheRowClearsIt)
{
    struct Caso {
        const char *chave;
        const char *texto; // nullptr: the key is absent
        int numero;
        std::uint32_t espera;
        TCor cor;
    } casos[] = {
        {"Numero", nullptr, 7, 9, corVerde},
        {"Numero", "abc", 7, 9, corVerde},
        {"Numero", "-3", -3, 9, corVerde},
        {"Espera", "-1", 7, 9, corVerde},
        {"Espera", "4294967296", 7, 9, corVerde},
        {"Espera", "4294967295", 7, 4294967295u, corVerde},
        {"Cor", "3", 7, 9, corVerde},
        {"Cor", "-1", 7, 9, corVerde},
        {"Cor", "0", 7, 9, corAzul},
    };
    for (const Caso &caso : casos) {
        P parte;
        parte.FNome = "mantido";
        parte.FSegredo = "limpo ao faltar";
        parte.FNumero = 7;
        parte.FEspera = 9;
        parte.FCor = corVerde;
        rtl::TMemIniFile ini;
        if (caso.texto != nullptr)
            ini.WriteString("Familia", caso.chave, caso.texto);
        dfe::LerLinhasIni(ini, "Familia", parte, Linhas);
        EXPECT_EQ(parte.FNumero, caso.numero) << caso.chave << "=" << (caso.texto ? caso.texto : "(absent)");
        EXPECT_EQ(parte.FEspera, caso.espera) << caso.chave << "=" << (caso.texto ? caso.texto : "(absent)");
        EXPECT_EQ(parte.FCor, caso.cor) << caso.chave << "=" << (caso.texto ? caso.texto : "(absent)");
        EXPECT_EQ(parte.FNome, "mantido");
        EXPECT_EQ(parte.FSegredo, "");
    }
}

} // namespace

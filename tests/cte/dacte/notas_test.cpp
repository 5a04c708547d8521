// The annulled or substituted CT-e band, the air cargo flow and the issuer's and fiscal
// notes, as the prepared pages show them.

#include "support.h"

#include "dfe/accesskey.h"

#include <gtest/gtest.h>

namespace {

using dacte_test::Componente;
using dacte_test::CTeRodoviario;
using dacte_test::Layout;
using dacte_test::TextoDe;

const std::string kAnulada = "35190511222333000181570010000004561000000017";
const std::string kAnulacao = "35190511222333000181570010000007891000000025";

double AlturaBanda(const report::PreparedPage &p, std::string_view banda)
{
    for (const report::PlacedBand &b : p.bands)
        if (b.name == banda)
            return b.height;
    return -1;
}

// "NÚMERO" takes 24 characters, the accent counting one.
std::string Legenda(const std::string &documento, const std::string &papel)
{
    return "NÚMERO" + std::string(18, ' ') + "CHAVE  " + documento + "  " + papel;
}

std::string LinhaChave(const std::string &chave)
{
    return chave.substr(25, 9) + std::string(8, ' ') + dfe::FormatarChaveAcesso(chave);
}

TEST(DACTeNotas, AnnulledAndSubstitutedCTeShowTheirKeys)
{
    struct Caso {
        const char *nome;
        cte::TpcteTipoCTe tipo;
        int modelo;
        std::string esquerda, chaveEsquerda, direita, chaveDireita;
    };
    const Caso casos[] = {
        {"annulment", cte::tcAnulacao, 57, Legenda("CT-E", "ANUALADO"), LinhaChave(kAnulada), "<none>", "<none>"},
        {"annulment of a CT-e OS", cte::tcAnulacao, 67, Legenda("CT-E OS", "ANUALADO"), LinhaChave(kAnulada),
         "<none>", "<none>"},
        {"substitute", cte::tcSubstituto, 57, Legenda("CT-E", "SUBSTITUÍDO"), LinhaChave(kAnulada),
         Legenda("CT-E", "DE ANULAÇÃO"), LinhaChave(kAnulacao)},
        {"normal", cte::tcNormal, 57, "<none>", "<none>", "<none>", "<none>"},
    };
    for (const Caso &caso : casos) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        documento.ide.tpCTe = caso.tipo;
        documento.ide.modelo = caso.modelo;
        documento.infCteAnu.chCTe = kAnulada;
        documento.infCTeNorm.infCteSub.chCte = kAnulada;
        documento.infCTeNorm.infCteSub.refCteAnu = kAnulacao;
        const Layout l(documento, *c.dacte);
        const report::PreparedPage &p = l.paginas.pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllTituloChave1"), caso.esquerda) << caso.nome;
        EXPECT_EQ(TextoDe(p, "rlmChave1"), caso.chaveEsquerda) << caso.nome;
        EXPECT_EQ(TextoDe(p, "rllTituloChave2"), caso.direita) << caso.nome;
        EXPECT_EQ(TextoDe(p, "rlmChave2"), caso.chaveDireita) << caso.nome;
        EXPECT_EQ(AlturaBanda(p, "rlb_Cte_Anulado_Substituido"), caso.tipo == cte::tcNormal ? 0 : 81) << caso.nome;
    }
}

TEST(DACTeNotas, TheSubstitutedCTeRepeatsOnContinuationPages)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.ide.tpCTe = cte::tcSubstituto;
    documento.infCTeNorm.infCteSub.chCte = kAnulada;
    for (int n = 0; n < 30; ++n)
        documento.infCTeNorm.infDoc.infNFe.New().chave = kAnulacao;
    const report::PreparedReport r = c.Imprimir(documento);
    ASSERT_EQ(r.pages.size(), 2u);
    EXPECT_EQ(TextoDe(r.pages[1], "rlmChave1"), LinhaChave(kAnulada));
}

TEST(DACTeNotas, AirCargoFlowOnlyForAirCTeOfLayout300)
{
    struct Caso {
        const char *nome;
        dfe::TpcteModal modal;
        double versao;
        bool impresso;
    } casos[] = {
        {"air 3.00", dfe::mdAereo, 3.0, true},
        {"air 2.00", dfe::mdAereo, 2.0, false},
        {"road 3.00", dfe::mdRodoviario, 3.0, false},
    };
    for (const Caso &caso : casos) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        documento.ide.modal = caso.modal;
        documento.infCTe.versao = caso.versao;
        cte::TFluxo &fluxo = documento.Compl.fluxo;
        fluxo.xOrig = "GRU";
        fluxo.xDest = "POA";
        fluxo.pass.New().xPass = "CWB";
        fluxo.pass.New().xPass = "FLN";
        const Layout l(documento, *c.dacte);
        const report::PreparedPage &p = l.paginas.pages.at(0);
        EXPECT_EQ(AlturaBanda(p, "rlb_Fluxo_Carga"), caso.impresso ? 44 : 0) << caso.nome;
        EXPECT_EQ(TextoDe(p, "rllSiglaOrigem"), caso.impresso ? "GRU" : "<none>") << caso.nome;
        EXPECT_EQ(TextoDe(p, "rllSiglaPassagem"), caso.impresso ? "CWB\nFLN" : "<none>") << caso.nome;
        EXPECT_EQ(TextoDe(p, "rllSiglaDestino"), caso.impresso ? "POA" : "<none>") << caso.nome;
        EXPECT_EQ(TextoDe(p, "rllTituloFluxo"), caso.impresso ? "PREVISÃO DO FLUXO DA CARGA" : "<none>") << caso.nome;
    }
}

TEST(DACTeNotas, IssuerAndFiscalNotesBreakAtMarkersAndSemicolons)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    cte::TObsContCollectionItem &pedido = documento.Compl.ObsCont.New();
    pedido.xCampo = "PEDIDO";
    pedido.xTexto = "123;456";
    cte::TObsContCollectionItem &rota = documento.Compl.ObsCont.New();
    rota.xCampo = "ROTA";
    rota.xTexto = "NORTE<br>SUL&LT;Br&gt;LESTE";
    documento.imp.infAdFisco = "REGIME ESPECIAL&lt;BR&gt;PROCESSO 42";
    cte::TObsContCollectionItem &fisco = documento.Compl.ObsFisco.New();
    fisco.xCampo = "LACRE";
    fisco.xTexto = "A1";
    const Layout l(documento, *c.dacte);
    const report::PreparedPage &p = l.paginas.pages.at(0);
    EXPECT_EQ(TextoDe(p, "rlmObsExcEmitente"), "PEDIDO: 123\n456\nROTA: NORTE\nSUL\nLESTE");
    EXPECT_EQ(TextoDe(p, "rlmObsFisco"), "REGIME ESPECIAL\nPROCESSO 42\nLACRE: A1");
    // The divider reaches 20 pixels past the taller memo, and the band grows with it.
    const double altura = l.janela.rlmObsExcEmitente->neededHeight(report::QtTextMeasurer(), l.janela.RLCTe.font);
    EXPECT_DOUBLE_EQ(l.janela.rldDadosExcEmitente->bounds.height(), altura + 20);
    EXPECT_GE(AlturaBanda(p, "rlb_16_DadosExcEmitente"), altura + 20);
}

TEST(DACTeNotas, ABlankFiscalNoteLeavesTheBandAsDesigned)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.imp.infAdFisco = "   ";
    const Layout l(documento, *c.dacte);
    const report::PreparedPage &p = l.paginas.pages.at(0);
    EXPECT_EQ(TextoDe(p, "rlmObsFisco"), "<none>");
    EXPECT_EQ(TextoDe(p, "rlmObsExcEmitente"), "<none>");
    EXPECT_EQ(TextoDe(p, "rllTituloFisco"), "RESERVADO AO FISCO");
    EXPECT_EQ(AlturaBanda(p, "rlb_16_DadosExcEmitente"), 69);
}

} // namespace

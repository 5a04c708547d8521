// The portrait DAMDFE as prepared pages: what each field shows, the protocol and status
// rules, the bands of each modal, the document list in two columns, pages of a long list.
#include "support.h"

#include "mdfe/damdfe/layout.h"

#include "rtl/formatsettings.h"
#include "rtl/text.h"

#include <gtest/gtest.h>

#include "dfe/accesskey.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {

using damdfe_test::BandaNaPagina;
using damdfe_test::ChaveNFe;
using damdfe_test::Componentes;
using damdfe_test::Manifesto;
using damdfe_test::TextoDe;
using mdfe::TMDFe;

TEST(DAMDFeRetrato, TheFieldsOfAnAuthorizedRoadManifest)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    Componentes c;
    c.damdfe->SetSite("www.exemplo.com.br");
    const report::PreparedReport r = c.Imprimir(Manifesto());
    ASSERT_EQ(r.pages.size(), 1u) << report::dump(r);
    const report::PreparedPage &p = r.pages[0];
    EXPECT_FALSE(p.overflow) << report::dump(p);
    EXPECT_EQ(c.legendas.back(), "Manifesto - Retrato");
    EXPECT_EQ(r.title, "Manifesto Eletrônico de Documentos Fiscais - MDF-e");

    const struct Row {
        const char *controle;
        std::string texto;
    } rows[] = {
        {"rlmEmitente", "TRANSPORTADORA EXEMPLO LTDA"},
        {"rlmDadosEmitente",
         "RUA DAS CARGAS, 100\nCENTRO\nCEP: 01001-000 - SAO PAULO - SP\nCNPJ: 12.345.678/0001-95\n"
         "INSCRIÇÃO ESTADUAL: 111222333444\nTELEFONE: (11)3333-4444\nSITE: www.exemplo.com.br"},
        {"rllModelo", "58"},
        {"rllSerie", "001"},
        {"rllNumMDFe", "000.000.123"},
        {"rlsFolha", "01/01"},
        {"rllEmissao", "17/05/2024 10:30:00"},
        {"rllUFCarrega", "SP"},
        {"rllUFDescarrega", "RJ"},
        {"rllModal", "MODAL RODOVIÁRIO DE CARGA"},
        {"rllqCTe", "0"},
        {"lblQTDENFeMDFe", "QTDE NF-e"},
        {"rllqNFeMDFe", "2"},
        {"rlLabel12", "PESO TOTAL (Kg)"},
        {"rllPesoTotal", "1.500,5000"},
        {"rllTituloValorMerc", "VALOR DA MERCADORIA R$"},
        {"rllValorMercadoria", "12.345,60"},
        {"rllProtocolo", "935240000012345   17/05/2024 10:35:12"},
        {"rllChave", "3524 0512 3456 7800 0195 5800 1000 0001 2311 2345 6780"},
        {"rlmPlaca", "ABC-1D23 - SP\nXYZ-9876 - PR"},
        {"rlmRNTRC", "12345678\n87654321"},
        {"rlmCPF", "123.456.789-09"},
        {"rlmCondutor", "JOSE MOTORISTA"},
        {"rlmRespCNPJ", "12.345.678/0001-95"},
        {"rlmFornCNPJ", "11.222.333/0001-81"},
        {"rlmNumComprovante", "998877"},
        {"rlmRespSeguro", "TOMADOR SERVICO"},
        {"rlmRespSeguradora", "SEGURADORA BOA"},
        {"rlmRespApolice", "AP-555"},
        {"rlbMunicipio", "Município de Descarregamento: RIO DE JANEIRO "},
        {"rlmObservacao", "CARGA FRAGIL"},
        {"rllMsg1", "<none>"},
        {"rllMsg2", "<none>"},
        {"rllSistema", "Desenvolvido por Visualizador Vexa XML - Vexa Software"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(TextoDe(p, row.controle), row.texto) << row.controle;

    // The two NF-e in the two columns, the type padded to 14 characters.
    EXPECT_EQ(TextoDe(p, "rlmChave1"), "NF-e          " + dfe::FormatarChaveAcesso(ChaveNFe(1)));
    EXPECT_EQ(TextoDe(p, "rlmChave2"), "NF-e          " + dfe::FormatarChaveAcesso(ChaveNFe(2)));
    // A road manifest: no waterway band; the list's titles and one municipality.
    EXPECT_TRUE(BandaNaPagina(p, "rlb_2_Rodo"));
    EXPECT_FALSE(BandaNaPagina(p, "rlb_4_Aquav"));
    EXPECT_TRUE(BandaNaPagina(p, "rlb_7_Documentos_Titulos"));
    EXPECT_EQ(report::placements(p, "rlbItens").size(), 1u);
}

TEST(DAMDFeRetrato, TheProtocolLine)
{
    const rtl::ScopedFormatSettings brasil(rtl::TFormatSettings::Brazil());
    struct Row {
        const char *name;
        std::function<void(TMDFe &, mdfe::TOvixMDFeDAMDFeRL &)> ajuste;
        const char *esperado;
    } rows[] = {
        {"the document's protocol", [](TMDFe &, mdfe::TOvixMDFeDAMDFeRL &) {},
         "935240000012345   17/05/2024 10:35:12"},
        {"received at midnight: the date alone",
         [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &) { m.procMDFe.dhRecbto = rtl::EncodeDate(2024, 5, 18); },
         "935240000012345   18/05/2024"},
        {"no reception time", [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &) { m.procMDFe.dhRecbto = 0; },
         "935240000012345   "},
        {"the component's text in its place",
         [](TMDFe &, mdfe::TOvixMDFeDAMDFeRL &d) { d.SetProtocolo("PROTOCOLO MANUAL 42"); }, "PROTOCOLO MANUAL 42"},
        {"contingency wins over both",
         [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &d) {
             m.Ide.tpEmis = dfe::teContingencia;
             d.SetProtocolo("PROTOCOLO MANUAL 42");
         },
         "EMISSÃO EM CONTINGÊNCIA. Obrigatória a autorização em 168 horas após esta Emissão (17/05/2024 10:30)"},
    };
    for (const Row &row : rows) {
        Componentes c;
        TMDFe m = Manifesto();
        row.ajuste(m, *c.damdfe);
        // The memo wraps a long line and drops the blanks that end one: compare the words.
        std::string texto = TextoDe(c.Imprimir(m).pages.at(0), "rllProtocolo");
        std::replace(texto.begin(), texto.end(), '\n', ' ');
        EXPECT_EQ(texto, rtl::TrimRight(mdfe::ProtocoloDAMDFe(m, c.damdfe->Protocolo()))) << row.name;
        EXPECT_EQ(mdfe::ProtocoloDAMDFe(m, c.damdfe->Protocolo()), row.esperado) << row.name;
    }
}

TEST(DAMDFeRetrato, TheStatusLinesOfTheFooter)
{
    struct Row {
        const char *name;
        int cStat;
        dfe::TpcnTipoAmbiente tpAmb;
        bool cancelada, encerrado;
        const char *msg1;
        const char *msg2;
    } rows[] = {
        {"authorized in production", 100, dfe::taProducao, false, false, "<none>", "<none>"},
        {"never sent, whatever the environment", 0, dfe::taHomologacao, true, true, "MDF-E NÃO ENVIADO PARA SEFAZ",
         "<none>"},
        {"authorized in homologation", 100, dfe::taHomologacao, false, false,
         "AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL", "<none>"},
        {"authorized in homologation and closed", 100, dfe::taHomologacao, false, true,
         "AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL", "MDF-e ENCERRADO"},
        {"cancelled", 101, dfe::taProducao, false, false, "<none>", "MDF-e CANCELADO"},
        {"marked cancelled", 100, dfe::taProducao, true, false, "<none>", "MDF-e CANCELADO"},
        {"marked cancelled and closed: closed wins", 100, dfe::taProducao, true, true, "<none>", "MDF-e ENCERRADO"},
        {"denied", 110, dfe::taProducao, false, false, "<none>", "MDF-e DENEGADO"},
        {"an event: its reason", 135, dfe::taProducao, false, false, "<none>", "Evento registrado"},
        {"marked cancelled with an event: the reason wins", 135, dfe::taProducao, true, false, "<none>",
         "Evento registrado"},
    };
    for (const Row &row : rows) {
        Componentes c;
        TMDFe m = Manifesto();
        m.procMDFe.cStat = row.cStat;
        m.procMDFe.xMotivo = row.cStat == 135 ? "Evento registrado" : "Autorizado o uso do MDF-e";
        m.Ide.tpAmb = row.tpAmb;
        c.damdfe->SetCancelada(row.cancelada);
        c.damdfe->SetEncerrado(row.encerrado);
        const report::PreparedPage p = c.Imprimir(m).pages.at(0);
        EXPECT_EQ(TextoDe(p, "rllMsg1"), row.msg1) << row.name;
        EXPECT_EQ(TextoDe(p, "rllMsg2"), row.msg2) << row.name;
    }
}

TEST(DAMDFeRetrato, TotalsLabelsFollowTheDocument)
{
    struct Row {
        const char *name;
        std::function<void(TMDFe &, mdfe::TOvixMDFeDAMDFeRL &)> ajuste;
        std::vector<std::pair<const char *, const char *>> esperados;
    } rows[] = {
        {"MDF-e carried: their count whatever the NF-e", [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &) { m.tot.qMDFe = 2; },
         {{"lblQTDENFeMDFe", "QTDE MDF-e"}, {"rllqNFeMDFe", "2"}}},
        {"weight in tonnes",
         [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &) {
             m.tot.cUnid = dfe::uTON;
             m.tot.qCarga = 12.25;
         },
         {{"rlLabel12", "PESO TOTAL (Ton)"}, {"rllPesoTotal", "12,2500"}}},
        {"the cargo value left out",
         [](TMDFe &, mdfe::TOvixMDFeDAMDFeRL &d) {
             mdfe::TDadosExtrasMDFeSet extras;
             extras.set(mdfe::deRelacaoDFe);
             d.SetImprimeDadosExtras(extras);
         },
         {{"rllTituloValorMerc", "<none>"}, {"rllValorMercadoria", "<none>"}, {"rllqNFeMDFe", "2"}}},
        {"the document list left out",
         [](TMDFe &, mdfe::TOvixMDFeDAMDFeRL &d) { d.SetImprimeDadosExtras(mdfe::TDadosExtrasMDFeSet().set(mdfe::deValorTotal)); },
         {{"rlbMunicipio", "<none>"}, {"rlLabel50", "<none>"}, {"rllValorMercadoria", "12.345,60"}}},
        {"a number left as 0 in the address", [](TMDFe &m, mdfe::TOvixMDFeDAMDFeRL &) { m.emit.enderEmit.nro = "0"; },
         {{"rlmDadosEmitente", "RUA DAS CARGAS\nCENTRO\nCEP: 01001-000 - SAO PAULO - SP\nCNPJ: 12.345.678/0001-95\n"
                               "INSCRIÇÃO ESTADUAL: 111222333444\nTELEFONE: (11)3333-4444"}}},
    };
    for (const Row &row : rows) {
        Componentes c;
        TMDFe m = Manifesto();
        row.ajuste(m, *c.damdfe);
        const report::PreparedPage p = c.Imprimir(m).pages.at(0);
        for (const auto &[controle, texto] : row.esperados)
            EXPECT_EQ(TextoDe(p, controle), texto) << row.name << ": " << controle;
    }
}

// Three CT-e and one NF-e: one running index over every kind, so the lines alternate
// between the columns whatever their kind.
TEST(DAMDFeRetrato, DocumentLinesAlternateBetweenTheColumns)
{
    Componentes c;
    TMDFe m = Manifesto();
    mdfe::TinfMunDescargaCollectionItem &mun = m.infDoc.infMunDescarga[0];
    mun.infNFe.Clear();
    const std::string cte[] = {"35240511111111000111570010000000011000000011", "35240511111111000111570010000000021000000021",
                               "35240511111111000111570010000000031000000031"};
    for (const std::string &chave : cte)
        mun.infCTe.New().chCTe = chave;
    mun.infNFe.New().chNFe = ChaveNFe(7);
    mdfe::TinfNFCollectionItem &nf = mun.infNF.New();
    nf.CNPJ = "11222333000181";
    nf.serie = 2;
    nf.nNF = 345;
    mdfe::TinfCTCollectionItem &ct = mun.infCT.New();
    ct.serie = 5;
    ct.nCT = "678";
    m.infDoc.infMunDescarga.New().xMunDescarga = "NITEROI";
    m.infDoc.infMunDescarga[1].infMDFeTransp.New().chMDFe = damdfe_test::kChave;

    const report::PreparedPage p = c.Imprimir(m).pages.at(0);
    const auto f = [](const std::string &chave) { return dfe::FormatarChaveAcesso(chave); };
    // The order of kinds: CT-e, CT, NF-e, NF, MDF-e.
    EXPECT_EQ(TextoDe(p, "rlmChave1"), "CT-e          " + f(cte[0]) + "\nCT-e          " + f(cte[2]) +
                                           "\nNF-e          " + f(ChaveNFe(7)) + "\nMDF-e         " +
                                           f(damdfe_test::kChave));
    EXPECT_EQ(TextoDe(p, "rlmChave2"), "CT-e          " + f(cte[1]) +
                                           "\nCT            12.345.678/0001-95 - 5-678"
                                           "\nNF            11.222.333/0001-81 - 2-345");
    EXPECT_EQ(TextoDe(p, "rlbMunicipio"),
              "Município de Descarregamento: RIO DE JANEIRO \nMunicípio de Descarregamento: NITEROI ");
}

} // namespace

// The bands that say who takes part, what is carried, what it costs and its taxes: the
// parties (and the CT-e OS's), the cargo, the service components and the ICMS, the
// complemented CT-e, dangerous goods, the CT-e OS service, new vehicles and insurance,
// as the prepared page shows them.

#include "support.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using dacte_test::Componente;
using dacte_test::CTeOS;
using dacte_test::CTeRodoviario;
using dacte_test::Layout;

rtl::Currency Moeda(double v)
{
    return rtl::Currency::FromDouble(v);
}

// What a control printed on page 1; empty when it printed nothing.
std::string Texto(const Layout &l, std::string_view controle)
{
    const std::string t = dacte_test::TextoDe(l.paginas.pages.at(0), controle);
    return t == "<none>" ? std::string() : t;
}

double AlturaBanda(const Layout &l, std::string_view banda)
{
    for (const report::PlacedBand &b : l.paginas.pages.at(0).bands)
        if (b.name == banda)
            return b.height;
    return 0;
}

template <class T> void Endereco(T &e, const char *lgr, const char *nro, const char *cpl, const char *bairro,
                                 const char *mun, const char *uf, int cep, const char *pais)
{
    e.xLgr = lgr;
    e.nro = nro;
    e.xCpl = cpl;
    e.xBairro = bairro;
    e.xMun = mun;
    e.UF = uf;
    e.CEP = cep;
    e.xPais = pais;
}

// A road CT-e whose four parties all have their fields.
cte::TCTe ComPartes()
{
    cte::TCTe c = CTeRodoviario();
    c.ide.cMunIni = 3550308;
    c.ide.xMunIni = "SAO PAULO";
    c.ide.UFIni = "SP";
    c.ide.cMunFim = 41;
    c.ide.xMunFim = "CURITIBA";
    c.ide.UFFim = "PR";
    c.rem.CNPJCPF = "11222333000181";
    c.rem.IE = "110042490114";
    c.rem.fone = "1133334444";
    Endereco(c.rem.enderReme, "RUA DAS FLORES", "10", "SALA 2", "CENTRO", "CAMPINAS", "SP", 13010000, "BRASIL");
    c.dest.CNPJCPF = "12345678909";
    c.dest.IE = "ISENTO";
    c.dest.fone = "4132221111";
    Endereco(c.dest.enderDest, "AV BRASIL", "200", "", "BATEL", "CURITIBA", "PR", 80010000, "BRASIL");
    c.exped.xNome = "EXPEDIDORA ARMAZENS LTDA";
    c.exped.CNPJCPF = "44555666000199";
    c.exped.IE = "123456";
    Endereco(c.exped.enderExped, "RODOVIA DOS PATOS", "KM 5", "GALPAO 3", "RURAL", "JUNDIAI", "SP", 13200000, "BRASIL");
    c.receb.xNome = "RECEBEDORA SUL";
    Endereco(c.receb.enderReceb, "RUA XV", "15", "LOJA", "CENTRO", "JOINVILLE", "SC", 89201000, "BRASIL");
    return c;
}

TEST(DACTeBandas, PartiesPrintTheirBlocksAndTheRoute)
{
    Componente c;
    cte::TCTe documento = ComPartes();
    // A receiver without a name is no party, whatever else it carries.
    documento.receb.xNome.clear();
    const Layout l(documento, *c.dacte);

    EXPECT_EQ(Texto(l, "rllNatOperacao"), "5353 - PRESTACAO DE SERVICO DE TRANSPORTE");
    EXPECT_EQ(Texto(l, "rllOrigPrestacao"), "SAO PAULO - SP - 3550308");
    EXPECT_EQ(Texto(l, "rllDestPrestacao"), "CURITIBA - PR - 041");

    const struct {
        const char *controle;
        std::string esperado;
    } casos[] = {
        {"rllRazaoRemet", "REMETENTE S/A"},
        {"rllEnderecoRemet1", "RUA DAS FLORES, 10"},
        {"rllEnderecoRemet2", "SALA 2 - CENTRO"},
        {"rllMunRemet", "CAMPINAS - SP"},
        {"rllCEPRemet", "13010-000"},
        {"rllCnpjRemet", "11.222.333/0001-81"},
        {"rllInscEstRemet", "110042490114"},
        {"rllPaisRemet", "BRASIL"},
        {"rllFoneRemet", "(11)3333-4444"},
        {"rllRazaoDest", "DESTINATARIO COMERCIO LTDA"},
        {"rllEnderecoDest1", "AV BRASIL, 200"},
        {"rllEnderecoDest2", " - BATEL"},
        {"rllCEPDest", "80010-000"},
        {"rllCnpjDest", "123.456.789-09"},
        {"rllInscEstDest", "ISENTO"},
        {"rllFoneDest", "(41)3222-1111"},
        {"rllRazaoExped", "EXPEDIDORA ARMAZENS LTDA"},
        {"rllEnderecoExped1", "RODOVIA DOS PATOS, KM 5"},
        {"rllMunExped", "JUNDIAI - SP"},
        {"rllCnpjExped", "44.555.666/0001-99"},
        {"rllRazaoReceb", ""},
        {"rllEnderecoReceb1", ""},
        {"rllMunReceb", ""},
        {"rllCEPReceb", ""},
        {"rllPaisReceb", ""},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(Texto(l, caso.controle), caso.esperado) << caso.controle;
    // The recipient's and dispatcher's country captions are spelt without the accent.
    EXPECT_EQ(Texto(l, "rllTitPaisRemet"), "PAÍS");
    EXPECT_EQ(Texto(l, "rllTitPaisDest"), "PAIS");
    EXPECT_EQ(Texto(l, "rllTitPaisExped"), "PAIS");
    EXPECT_EQ(Texto(l, "rllTitPaisReceb"), "PAÍS");
}

TEST(DACTeBandas, TakerComesFromItsOwnGroupOrTheNamedParty)
{
    const struct {
        const char *caso;
        cte::TpcteTomador toma03;
        bool toma4;
        const char *nome;
        const char *endereco;
        const char *documento;
    } casos[] = {
        {"sender", cte::tmRemetente, false, "REMETENTE S/A", "RUA DAS FLORES, 10 - SALA 2 - CENTRO",
         "11.222.333/0001-81"},
        {"dispatcher", cte::tmExpedidor, false, "EXPEDIDORA ARMAZENS LTDA",
         "RODOVIA DOS PATOS, KM 5 - GALPAO 3 - RURAL", "44.555.666/0001-99"},
        {"receiver", cte::tmRecebedor, false, "RECEBEDORA SUL", "RUA XV, 15 - LOJA - CENTRO", ""},
        {"recipient", cte::tmDestinatario, false, "DESTINATARIO COMERCIO LTDA", "AV BRASIL, 200 -  - BATEL",
         "123.456.789-09"},
        {"other, without its group", cte::tmOutros, false, "", "", ""},
        {"its own group wins", cte::tmRemetente, true, "TOMADOR AVULSO ME", "RUA NOVA, 1 - FUNDOS - VILA",
         "55.666.777/0001-20"},
    };
    for (const auto &caso : casos) {
        Componente c;
        cte::TCTe documento = ComPartes();
        documento.ide.toma03.Toma = caso.toma03;
        if (caso.toma4) {
            documento.ide.toma4.xNome = "TOMADOR AVULSO ME";
            documento.ide.toma4.CNPJCPF = "55666777000120";
            documento.ide.toma4.fone = "4733334444";
            Endereco(documento.ide.toma4.enderToma, "RUA NOVA", "1", "FUNDOS", "VILA", "BLUMENAU", "SC", 89010000,
                     "BRASIL");
        }
        const Layout l(documento, *c.dacte);
        EXPECT_EQ(Texto(l, "rllRazaoToma"), caso.nome) << caso.caso;
        EXPECT_EQ(Texto(l, "rllEnderecoToma"), caso.endereco) << caso.caso;
        EXPECT_EQ(Texto(l, "rllCnpjToma"), caso.documento) << caso.caso;
    }
}

TEST(DACTeBandas, CTeOSShowsRootTakerRouteValuesAndFederalTaxes)
{
    Componente c;
    cte::TCTe documento = CTeOS();
    documento.ide.cMunIni = 3550308;
    documento.ide.xMunIni = "SAO PAULO";
    documento.ide.UFIni = "SP";
    documento.ide.cMunFim = 4106902;
    documento.ide.xMunFim = "CURITIBA";
    documento.ide.UFFim = "PR";
    for (const char *uf : {"SP", "PR"})
        documento.ide.infPercurso.New().UFPer = uf;
    documento.toma.xNome = "EMPRESA DE TURISMO LTDA";
    documento.toma.CNPJCPF = "77888999000155";
    Endereco(documento.toma.enderToma, "AV PAULISTA", "1000", "CJ 5", "BELA VISTA", "SAO PAULO", "SP", 1310100,
             "BRASIL");
    cte::TCompCollectionItem &comp = documento.vPrest.Comp.New();
    comp.xNome = "FRETE";
    comp.vComp = Moeda(1500.5);
    documento.imp.infTribFed.vPIS = Moeda(9.75);
    documento.imp.infTribFed.vCOFINS = Moeda(45.02);
    documento.imp.infTribFed.vIR = Moeda(1234.5);
    documento.infCTeNorm.infServico.xDescServ = "FRETAMENTO EVENTUAL";
    documento.infCTeNorm.infServico.qCarga = Moeda(42);
    const Layout l(documento, *c.dacte);

    EXPECT_EQ(AlturaBanda(l, "rlb_03_DadosDACTe"), 0) << "the CT-e's parties take no room";
    EXPECT_EQ(Texto(l, "rllRazaoToma"), "");
    EXPECT_EQ(Texto(l, "rllInicioPrestacaoOS"), "SAO PAULO - SP - 3550308");
    EXPECT_EQ(Texto(l, "rllTerminoPrestacaoOS"), "CURITIBA - PR - 4106902");
    EXPECT_EQ(Texto(l, "rllPercursoOS"), "SP - PR");
    EXPECT_EQ(Texto(l, "rllRazaoTomaOS"), "EMPRESA DE TURISMO LTDA");
    EXPECT_EQ(Texto(l, "rllEnderecoTomaOS"), "AV PAULISTA, 1000 - CJ 5 - BELA VISTA");
    EXPECT_EQ(Texto(l, "rllCEPTomaOS"), "01310-100");
    EXPECT_EQ(Texto(l, "rllCnpjTomaOS"), "77.888.999/0001-55");

    // Band 4's handler still fills the values band of a CT-e OS.
    EXPECT_EQ(Texto(l, "rlmCompNome1"), "FRETE");
    EXPECT_EQ(Texto(l, "rlmCompValor1"), "1.500,50");
    EXPECT_EQ(Texto(l, "rllVlrTotServico"), "1.500,50");
    EXPECT_EQ(AlturaBanda(l, "rlb_06_ValorPrestacao"), 144);
    EXPECT_EQ(Texto(l, "rllPIS"), "9,75");
    EXPECT_EQ(Texto(l, "rllCOFINS"), "45,02");
    EXPECT_EQ(Texto(l, "rllIR"), "1.234,50");
    EXPECT_EQ(Texto(l, "rllINSS"), "0,00");
    EXPECT_EQ(Texto(l, "rllTit_rllIR"), "VALOR DO IMPOSTO DE RENDA");
    EXPECT_EQ(Texto(l, "rlmDescServico"), "  42,0000" + std::string(25, ' ') + "FRETAMENTO EVENTUAL");
    EXPECT_EQ(Texto(l, "rlmNomeSeguradora"), "") << "no cargo band for a CT-e OS";
}

TEST(DACTeBandas, FederalTaxesOnlyForTheCTeOS)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.imp.infTribFed.vPIS = Moeda(9.75);
    const Layout l(documento, *c.dacte);
    EXPECT_EQ(Texto(l, "rllPIS"), "");
    EXPECT_EQ(Texto(l, "rllTit_rllPIS"), "");
    EXPECT_EQ(Texto(l, "rlmDescServico"), "") << "no service band for a CT-e";
}

TEST(DACTeBandas, QuantitiesGoToTheColumnOfTheirUnitAndMeasure)
{
    const struct {
        dfe::TUnidMed unidade;
        const char *tpMed;
        double quantidade;
        const char *memo;
        const char *esperado;
    } casos[] = {
        {dfe::uKG, "PESO BRUTO", 1250.5, "rlmQtdUnidMedida1", "1.250,5000"},
        {dfe::uTON, "  peso bruto ", 2.5, "rlmQtdUnidMedida1", "2.500,0000"},
        {dfe::uKG, "PESO BC", 980, "rlmQtdUnidMedida2", "980,0000"},
        {dfe::uKG, "Peso Base de Calculo", 12.25, "rlmQtdUnidMedida2", "12,2500"},
        {dfe::uTON, "PESO BC", 0.75, "rlmQtdUnidMedida2", "750,0000"},
        {dfe::uKG, "PESO DECLARADO", 10, "rlmQtdUnidMedida3", "10,0000"},
        {dfe::uM3, "CUBAGEM", 3.125, "rlmQtdUnidMedida4", "3,1250"},
        {dfe::uUNIDADE, "CAIXAS", 12, "rlmQtdUnidMedida5", "CAIXAS\n12,0000 UND"},
        {dfe::uLITROS, " TANQUE", 3000, "rlmQtdUnidMedida5", " TANQUE\n3.000,0000 LT"},
        {dfe::uMMBTU, "GAS", 1.5, "rlmQtdUnidMedida5", "GAS\n1,5000 MMBTU"},
    };
    const char *memos[] = {"rlmQtdUnidMedida1", "rlmQtdUnidMedida2", "rlmQtdUnidMedida3", "rlmQtdUnidMedida4",
                           "rlmQtdUnidMedida5"};
    for (const auto &caso : casos) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        cte::TInfQCollectionItem &q = documento.infCTeNorm.infCarga.infQ.New();
        q.cUnid = caso.unidade;
        q.tpMed = caso.tpMed;
        q.qCarga = Moeda(caso.quantidade);
        const Layout l(documento, *c.dacte);
        for (const char *memo : memos)
            EXPECT_EQ(Texto(l, memo), memo == std::string_view(caso.memo) ? caso.esperado : "")
                << caso.tpMed << " " << memo;
    }
}

TEST(DACTeBandas, CargoLinesAndInsuranceByLayoutVersion)
{
    for (const double versao : {2.0, 3.0}) {
        Componente c;
        cte::TCTe documento = CTeRodoviario();
        documento.infCTe.versao = versao;
        cte::TInfCarga &carga = documento.infCTeNorm.infCarga;
        carga.proPred = "ELETRONICOS";
        carga.xOutCat = "FRAGIL";
        carga.vCarga = Moeda(1234567.8);
        for (const double peso : {100.0, 250.25}) {
            cte::TInfQCollectionItem &q = carga.infQ.New();
            q.cUnid = dfe::uKG;
            q.tpMed = "PESO BRUTO";
            q.qCarga = Moeda(peso);
        }
        cte::TSegCollectionItem &seg = documento.infCTeNorm.seg.New();
        seg.respSeg = cte::rsEmitenteCTe;
        seg.xSeg = "SEGURADORA BOA VIAGEM";
        seg.nApol = "AP-123";
        seg.nAver = "AV-9";
        const Layout l(documento, *c.dacte);
        EXPECT_EQ(Texto(l, "rllProdPredominante"), "ELETRONICOS");
        EXPECT_EQ(Texto(l, "rllOutrasCaracCarga"), "FRAGIL");
        EXPECT_EQ(Texto(l, "rllVlrTotalMerc"), "1.234.567,80");
        EXPECT_EQ(Texto(l, "rlmQtdUnidMedida1"), "100,0000\n250,2500");
        const bool antigo = versao < 3.0;
        EXPECT_EQ(Texto(l, "rlmNomeSeguradora"), antigo ? "SEGURADORA BOA VIAGEM" : "") << versao;
        EXPECT_EQ(Texto(l, "rlmNroApolice"), antigo ? "AP-123" : "") << versao;
        EXPECT_EQ(Texto(l, "rlmNroAverbacao"), antigo ? "AV-9" : "") << versao;
        EXPECT_EQ(Texto(l, "rlmRespSeguroMerc"), antigo ? cte::TpRspSeguroToStrText(cte::rsEmitenteCTe) : "")
            << versao;
        EXPECT_EQ(l.janela.rlb_04_DadosNotaFiscal->find("rlmQtdUnidMedida5")->bounds,
                  antigo ? QRectF(328, 36, 84, 52) : QRectF(600, 36, 136, 52))
            << versao;
    }
}

TEST(DACTeBandas, ComponentGridKeepsTheFirstTwelveInThreeColumns)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    for (int i = 1; i <= 14; ++i) {
        cte::TCompCollectionItem &comp = documento.vPrest.Comp.New();
        comp.xNome = "C" + std::to_string(i);
        comp.vComp = Moeda(i * 1000 + 0.5);
    }
    documento.vPrest.vTPrest = Moeda(1234567.891);
    documento.vPrest.vRec = Moeda(0);
    const Layout l(documento, *c.dacte);
    const struct {
        const char *memo;
        const char *esperado;
    } grade[] = {
        {"rlmCompNome1", "C1\nC4\nC7\nC10"},
        {"rlmCompValor1", "1.000,50\n4.000,50\n7.000,50\n10.000,50"},
        {"rlmCompNome2", "C2\nC5\nC8\nC11"},
        {"rlmCompValor2", "2.000,50\n5.000,50\n8.000,50\n11.000,50"},
        {"rlmCompNome3", "C3\nC6\nC9\nC12"},
        {"rlmCompValor3", "3.000,50\n6.000,50\n9.000,50\n12.000,50"},
    };
    for (const auto &celula : grade)
        EXPECT_EQ(Texto(l, celula.memo), celula.esperado) << celula.memo;
    EXPECT_EQ(Texto(l, "rllVlrTotServico"), "1.234.567,89");
    EXPECT_EQ(Texto(l, "rllVlrTotReceber"), "0,00");
}

TEST(DACTeBandas, ICMSColumnsFollowTheSituation)
{
    struct Caso {
        const char *caso;
        dfe::TpcnCSTIcms cst;
        double versao;
        bool exibeICMS;
        const char *situacao;
        const char *base, *aliquota, *valor, *reducao, *st;
    };
    const Caso casos[] = {
        {"00", dfe::cst00, 3.0, false,
         "00 - TRIBUTAÇÃO NORMAL DO ICMS", "1.500,50", "12,00", "180,06", "", ""},
        {"20", dfe::cst20, 3.0, false,
         "20 - TRIBUTAÇÃO COM REDUÇÃO DE BC DO ICMS", "1.200,40", "12,00", "144,05", "20,00", ""},
        {"40", dfe::cst40, 3.0, false,
         "40 - ICMS ISENÇÃO", "", "", "", "", ""},
        {"45", dfe::cst45, 3.0, false,
         "45 - ICMS ISENTO, NÃO TRIBUTADO OU DIFERIDO", "", "", "", "", ""},
        {"simples", dfe::cstICMSSN, 3.0, false,
         "90 - SIMPLES NACIONAL", "", "", "", "", ""},
        {"60 in 2.00", dfe::cst60, 2.0, false,
         "60 - ICMS COBRADO POR SUBSTITUIÇÃO TRIBUTÁRIA", "1.000,00", "17,00", "", "", "170,00"},
        {"60 in 2.00, shown as ICMS", dfe::cst60, 2.0, true,
         "60 - ICMS COBRADO POR SUBSTITUIÇÃO TRIBUTÁRIA", "1.000,00", "17,00", "170,00", "", ""},
        {"60 in 3.00", dfe::cst60, 3.0, false,
         "60 - ICMS COBRADO POR SUBSTITUIÇÃO TRIBUTÁRIA", "1.000,00", "17,00", "170,00", "", ""},
        {"90", dfe::cst90, 3.0, false,
         "90 - ICMS OUTROS", "2.000,00", "7,00", "140,00", "10,00", ""},
        {"other state", dfe::cstICMSOutraUF, 3.0, false,
         "90 - ICMS DEVIDO A UF DE ORIGEM DA PRESTACAO, QUANDO DIFERENTE DA UF DO EMITENTE", "3.000,00", "4,00",
         "120,00", "5,00", ""},
    };
    for (const Caso &caso : casos) {
        Componente c;
        c.dacte->SetExibeICMS(caso.exibeICMS);
        cte::TCTe documento = CTeRodoviario();
        documento.infCTe.versao = caso.versao;
        cte::TICMS &icms = documento.imp.ICMS;
        icms.SituTrib = caso.cst;
        icms.ICMS00 = {dfe::cst00, Moeda(1500.5), Moeda(12), Moeda(180.06)};
        icms.ICMS20 = {dfe::cst20, Moeda(20), Moeda(1200.4), Moeda(12), Moeda(144.05)};
        icms.ICMS60 = {dfe::cst60, Moeda(1000), Moeda(170), Moeda(17), Moeda(0)};
        icms.ICMS90 = {dfe::cst90, Moeda(10), Moeda(2000), Moeda(7), Moeda(140), Moeda(0)};
        icms.ICMSOutraUF = {dfe::cstICMSOutraUF, Moeda(5), Moeda(3000), Moeda(4), Moeda(120)};
        const Layout l(documento, *c.dacte);
        // The description wraps: its lines read back as the whole text.
        std::string situacao = Texto(l, "rllSitTrib");
        std::replace(situacao.begin(), situacao.end(), '\n', ' ');
        EXPECT_EQ(situacao, caso.situacao) << caso.caso;
        EXPECT_EQ(Texto(l, "rllBaseCalc"), caso.base) << caso.caso;
        EXPECT_EQ(Texto(l, "rllAliqICMS"), caso.aliquota) << caso.caso;
        EXPECT_EQ(Texto(l, "rllVlrICMS"), caso.valor) << caso.caso;
        EXPECT_EQ(Texto(l, "rllRedBaseCalc"), caso.reducao) << caso.caso;
        EXPECT_EQ(Texto(l, "rllICMS_ST"), caso.st) << caso.caso;
        // The ICMS ST column exists only in the older layouts; the reduction takes its place.
        const bool antigo = caso.versao < 3.0;
        EXPECT_EQ(Texto(l, "rllTit_rllICMS_ST"), antigo ? "ICMS ST" : "") << caso.caso;
        EXPECT_EQ(l.janela.rlb_06_ValorPrestacao->find("rllRedBaseCalc")->bounds.left(), antigo ? 590 : 654)
            << caso.caso;
    }
}

TEST(DACTeBandas, ComplementedCTePrintsTheKeyAndOwnTotal)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.ide.tpCTe = cte::tcComplemento;
    documento.infCteComp.chave = "35190511222333000181570010000000991000000991";
    documento.vPrest.vTPrest = Moeda(12345.6);
    const Layout l(documento, *c.dacte);
    EXPECT_EQ(Texto(l, "rlmComplChave1"), "35190511222333000181570010000000991000000991");
    EXPECT_EQ(Texto(l, "rlmComplValor1"), "12.345,60");
    EXPECT_EQ(Texto(l, "rlmComplChave2"), "");
    EXPECT_EQ(Texto(l, "rlmComplValor2"), "");
    EXPECT_EQ(Texto(l, "rllTit_rlmComplChave2"), "CHAVE DO CT-E COMPLEMENTADO");
}

TEST(DACTeBandas, DangerousGoodsVehiclesAndTripInsuranceListTheirItems)
{
    Componente c;
    cte::TCTe documento = CTeRodoviario();
    documento.ide.modal = dfe::mdMultimodal;
    for (const char *onu : {"1203", "1863"}) {
        cte::TPeriCollectionItem &p = documento.infCTeNorm.peri.New();
        p.nONU = onu;
        p.xNomeAE = std::string("PRODUTO ") + onu;
        p.xClaRisco = "3";
        p.grEmb = "II";
        p.qTotProd = "1.000,5 L";
    }
    for (int i = 1; i <= 3; ++i) {
        cte::TVeicNovosCollectionItem &v = documento.infCTeNorm.veicNovos.New();
        v.chassi = "9BWZZZ377VT00425" + std::to_string(i);
        v.cCor = "01";
        v.xCor = "PRATA";
        v.cMod = "GOL 1.0";
        v.vUnit = Moeda(45000.5 * i);
        v.vFrete = Moeda(350);
    }
    for (const cte::TpcteRspSeg r : {cte::rsRemetente, cte::rsDestinatario, cte::rsTomadorServico}) {
        cte::TSegCollectionItem &s = documento.infCTeNorm.seg.New();
        s.respSeg = r;
        s.xSeg = "SEGURADORA " + std::to_string(static_cast<int>(r));
        s.nApol = "AP" + std::to_string(static_cast<int>(r));
    }
    const Layout l(documento, *c.dacte);
    EXPECT_EQ(Texto(l, "rlmNumONU"), "1203\n1863");
    EXPECT_EQ(Texto(l, "rlmNomeApropriado"), "PRODUTO 1203\nPRODUTO 1863");
    EXPECT_EQ(Texto(l, "rlmQtdeProduto"), "1.000,5 L\n1.000,5 L");

    EXPECT_EQ(Texto(l, "rlmChassi"), "9BWZZZ377VT004251\n9BWZZZ377VT004252\n9BWZZZ377VT004253");
    EXPECT_EQ(Texto(l, "rlmCor"), "01 - PRATA\n01 - PRATA\n01 - PRATA");
    EXPECT_EQ(Texto(l, "rlmVlrUnitario"), "45000,5\n90001\n135001,5");
    EXPECT_EQ(Texto(l, "rlmVlrFrete"), "350\n350\n350");
    // Three vehicles need more than the designed room: the band and its lines grow.
    EXPECT_EQ(AlturaBanda(l, "rlb_06_VeiculosNovos"), 31 + 36 + 5);
    EXPECT_EQ(l.janela.rlb_06_VeiculosNovos->find("rlsLinhaV_rlmCor")->bounds.height(), 72 - 17);

    EXPECT_EQ(Texto(l, "rlmRespSeguro"), "Remetente\nDestinatário\nTomador");
    EXPECT_EQ(Texto(l, "rlmSeguradora"), "SEGURADORA 0\nSEGURADORA 3\nSEGURADORA 5");
    EXPECT_EQ(Texto(l, "rlmApolice"), "AP0\nAP3\nAP5");
}

} // namespace

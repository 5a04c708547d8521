// The groups that close a CT-e as the writer regenerates them: previous documents, dangerous
// goods, new vehicles, billing, substitution, globalised and linked-service data, the
// complemented and annulled CT-e, the technical responsible and the states a CT-e OS
// crosses; each with its branches, its alert lines and its limit alert.

#include "cte/writer.h"

#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace cte;
using rtl::Currency;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

// Valid keys (check digit right) and one whose check digit is wrong.
constexpr const char *ChaveA = "35261211222333000181570010000001231123456788";
constexpr const char *ChaveB = "35261211222333000181670010000001231123456780";
constexpr const char *ChaveRuim = "35261211222333000181570010000001231123456789";

// A road CT-e; only the fields the groups under test read matter.
void Rodoviario(TCTe &c, double versao = 3.0)
{
    c.infCTe.versao = versao;
    TIde &ide = c.ide;
    ide.cUF = 35;
    ide.cCT = 12345678;
    ide.modelo = 57;
    ide.serie = 1;
    ide.nCT = 123;
    ide.dhEmi = EncodeDateTime(2026, 12, 1, 9, 5, 7, 0);
    ide.tpCTe = tcNormal;
    ide.tpServ = tsNormal;
    ide.modal = dfe::mdRodoviario;
    c.emit.CNPJ = "11222333000181";
}

class CTeFimWriter : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    std::string Gerar(TCTe &c, bool validarInscricoes = false)
    {
        TCTeW w(c);
        w.Opcoes().ValidarInscricoes = validarInscricoes;
        w.GerarXml();
        alertas = w.Gerador().ListaDeAlertas().Text();
        return w.Gerador().ArquivoFormatoXML();
    }

    std::string alertas;
    dfe::TTimeZoneConf FSaved;
};

#define EXPECT_HAS(xml, frag)                                                                    \
    EXPECT_NE((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)
#define EXPECT_LACKS(xml, frag)                                                                  \
    EXPECT_EQ((xml).find(frag), std::string::npos) << (frag) << "\n" << (xml)

size_t Contar(const std::string &s, const std::string &frag)
{
    size_t n = 0;
    for (size_t p = s.find(frag); p != std::string::npos; p = s.find(frag, p + frag.size()))
        ++n;
    return n;
}

std::string Limite(const std::string &id, const std::string &tag, const std::string &dsc,
                   const std::string &maximo)
{
    return "ID:" + id + "/" + tag + "(" + dsc +
           ") - Número de ocorrências maior que o máximo permitido - Máximo " + maximo;
}

std::string Invalido(const std::string &id, const std::string &tag, const std::string &dsc)
{
    return "ID:" + id + "/" + tag + "(" + dsc + ") - Conteúdo inválido";
}

// ---- docAnt

TEmiDocAntCollectionItem &Emissor(TCTe &c)
{
    TEmiDocAntCollectionItem &e = c.infCTeNorm.docAnt.emiDocAnt.New();
    e.CNPJCPF = "11222333000181";
    e.IE = "555666777";
    e.UF = "MG";
    e.xNome = "Anterior Transp";
    TIdDocAntCollectionItem &id = e.idDocAnt.New();
    TIdDocAntPapCollectionItem &p = id.idDocAntPap.New();
    p.tpDoc = daATRE;
    p.serie = "1";
    p.subser = "A";
    p.nDoc = "4455";
    p.dEmi = EncodeDate(2026, 11, 1);
    TIdDocAntEleCollectionItem &el = id.idDocAntEle.New();
    el.chCTe = ChaveA;
    el.chave = ChaveB;
    return e;
}

TEST_F(CTeFimWriter, PreviousDocumentsAfterTheTransportedOnes)
{
    TCTe c;
    Rodoviario(c);
    Emissor(c);
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, std::string("</infDoc><docAnt><emiDocAnt><CNPJ>11222333000181</CNPJ>"
                                "<IE>555666777</IE><UF>MG</UF><xNome>Anterior Transp</xNome>"
                                "<idDocAnt><idDocAntPap><tpDoc>07</tpDoc><serie>1</serie>"
                                "<subser>A</subser><nDoc>4455</nDoc><dEmi>2026-11-01</dEmi>"
                                "</idDocAntPap><idDocAntEle><chCTe>") +
                        ChaveA + "</chCTe></idDocAntEle></idDocAnt></emiDocAnt></docAnt><infModal");
    EXPECT_LACKS(alertas, "docAnt");

    // Before 3.00 the electronic document is written as chave; 4.00 takes the 3.00 form.
    c.infCTe.versao = 2.0;
    xml = Gerar(c);
    EXPECT_HAS(xml, std::string("<idDocAntEle><chave>") + ChaveB + "</chave></idDocAntEle>");
    EXPECT_LACKS(xml, "chCTe");
    c.infCTe.versao = 4.0;
    EXPECT_HAS(Gerar(c), std::string("<idDocAntEle><chCTe>") + ChaveA + "</chCTe>");

    // No issuer: no docAnt at all.
    c.infCTeNorm.docAnt.emiDocAnt.Clear();
    EXPECT_LACKS(Gerar(c), "docAnt");
}

TEST_F(CTeFimWriter, PreviousDocumentIssuerRegistrationAndKeyChecks)
{
    struct Caso {
        const char *nome;
        const char *ie;
        const char *uf;
        const char *chCTe;
        bool validar;
        const char *fragmento;
        const char *presente; // an alert line that must be there, or ""
        const char *ausente;  // a text no alert may hold
    };
    const Caso casos[] = {
        {"isento between blanks is written as stored under minimum 0", " ISENTO ", "MG", ChaveA,
         false, "<IE>ISENTO</IE><UF>MG</UF>", "", "ID:#348"},
        {"lower-case isento is not matched: its digits, none, under minimum 2", "isento", "MG",
         ChaveA, false, "<IE/><UF>MG</UF>", "ID:#348/IE(Inscrição Estadual)", "ID:#349"},
        {"punctuated registration gives its digits", "555.666.777", "MG", ChaveA, false,
         "<IE>555666777</IE>", "", "ID:#348"},
        {"registration not checked unless asked", "", "MG", ChaveA, false, "<IE/>", "",
         "ID:#348/IE(Inscrição Estadual) - Conteúdo inválido"},
        {"registration checked when asked", "", "MG", ChaveA, true, "<IE/>",
         "ID:#348/IE(Inscrição Estadual) - Conteúdo inválido", "ID:#349"},
        {"unknown state", "555666777", "XX", ChaveA, false, "<UF>XX</UF>",
         "ID:#349/UF(Sigla da UF) - Conteúdo inválido", "ID:#348"},
        {"wrong check digit of the previous CT-e", "555666777", "MG", ChaveRuim, false,
         "<chCTe>35261211222333000181570010000001231123456789</chCTe>",
         "ID:#359/chCTe(Chave de acesso do CT-e referenciado) - Conteúdo inválido", "ID:#348"},
        {"a key without digits is not checked", "555666777", "MG", "sem chave", false,
         "<idDocAntEle><chCTe/></idDocAntEle>", "", "ID:#359/chCTe(Chave de acesso do CT-e"},
    };
    for (const Caso &k : casos) {
        SCOPED_TRACE(k.nome);
        TCTe c;
        Rodoviario(c);
        TEmiDocAntCollectionItem &e = Emissor(c);
        e.IE = k.ie;
        e.UF = k.uf;
        e.idDocAnt.Items(0).idDocAntEle.Items(0).chCTe = k.chCTe;
        const std::string xml = Gerar(c, k.validar);
        EXPECT_HAS(xml, k.fragmento);
        if (*k.presente) {
            EXPECT_HAS(alertas, k.presente);
        }
        EXPECT_LACKS(alertas, k.ausente);
    }
}

TEST_F(CTeFimWriter, PreviousDocumentLimitsAreStatedAfterTheirLastItem)
{
    TCTe c;
    Rodoviario(c);
    TEmiDocAntCollectionItem &e = Emissor(c);
    // Three groups where two are allowed: all written, the two-digit limit before the
    // issuer closes.
    e.idDocAnt.New() = e.idDocAnt.Items(0);
    e.idDocAnt.New() = e.idDocAnt.Items(0);
    std::string xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<idDocAnt>"), 3u);
    EXPECT_EQ(Contar(alertas, Limite("#351", "idDocAnt", "Documentos de transporte anterior", "02")),
              1u)
        << alertas;

    // 991 paper documents in one group: the alert comes between the paper and the
    // electronic ones (so its level is still the paper group's).
    TCTe d;
    Rodoviario(d);
    TIdDocAntCollectionItem &id = Emissor(d).idDocAnt.Items(0);
    while (id.idDocAntPap.Count() < 991)
        id.idDocAntPap.New() = id.idDocAntPap.Items(0);
    while (id.idDocAntEle.Count() < 991)
        id.idDocAntEle.New() = id.idDocAntEle.Items(0);
    xml = Gerar(d);
    EXPECT_EQ(Contar(xml, "<idDocAntPap>"), 991u);
    EXPECT_EQ(Contar(xml, "<idDocAntEle>"), 991u);
    const size_t pap = alertas.find(
        Limite("#352", "idDocAntPap", "Documentos de transporte anterior de Papel", "990"));
    const size_t ele = alertas.find(
        Limite("#358", "idDocAntEle", "Documentos de transporte anterior eletrônicos", "990"));
    ASSERT_NE(pap, std::string::npos) << alertas;
    ASSERT_NE(ele, std::string::npos) << alertas;
    EXPECT_LT(pap, ele);
}

// ---- peri, veicNovos

void Perigoso(TCTe &c)
{
    TPeriCollectionItem &p = c.infCTeNorm.peri.New();
    p.nONU = "1203";
    p.xNomeAE = "GASOLINA";
    p.xClaRisco = "3";
    p.qTotProd = "1000 L";
    p.qVolTipo = "1 tanque";
    p.qTotEmb = "4";
    p.uniAP = umLitros;
}

TEST_F(CTeFimWriter, DangerousGoodsTakeTheFormOfTheLayout)
{
    // 2.00: in infCTeNorm right after infModal; the optional texts left blank write nothing.
    TCTe c;
    Rodoviario(c, 2.0);
    Perigoso(c);
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "</infModal><peri><nONU>1203</nONU><xNomeAE>GASOLINA</xNomeAE>"
                    "<xClaRisco>3</xClaRisco><qTotProd>1000 L</qTotProd>"
                    "<qVolTipo>1 tanque</qVolTipo></peri></infCTeNorm>");

    // 3.00 and 1.04: never at this level.
    for (double versao : {3.0, 1.04}) {
        TCTe d;
        Rodoviario(d, versao);
        Perigoso(d);
        EXPECT_LACKS(Gerar(d), "peri>");
    }

    // The air form, which the air modal writes last inside aereo from 3.00 on.
    TCTe a;
    Rodoviario(a);
    Perigoso(a);
    TCTeW w(a);
    w.GerarPeri();
    EXPECT_EQ(w.Gerador().ArquivoFormatoXML(),
              "<peri><nONU>1203</nONU><qTotEmb>4</qTotEmb><infTotAP><qTotProd>1000 L</qTotProd>"
              "<uniAP>3</uniAP></infTotAP></peri>");

    while (c.infCTeNorm.peri.Count() < 991)
        c.infCTeNorm.peri.New() = c.infCTeNorm.peri.Items(0);
    xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<peri>"), 991u);
    EXPECT_EQ(Contar(alertas, Limite("#369", "peri", "Produtos Perigosos", "990")), 1u) << alertas;
}

TEST_F(CTeFimWriter, NewVehiclesEachAsAGroup)
{
    TCTe c;
    Rodoviario(c);
    TVeicNovosCollectionItem &v = c.infCTeNorm.veicNovos.New();
    v.chassi = "9BWZZZ377VT004251";
    v.cCor = "01";
    v.xCor = "PRATA";
    v.cMod = "123";
    v.vUnit = Currency::FromDouble(50000);
    v.vFrete = Currency::FromDouble(350.5);
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "</infModal><veicNovos><chassi>9BWZZZ377VT004251</chassi><cCor>01</cCor>"
                    "<xCor>PRATA</xCor><cMod>123</cMod><vUnit>50000.00</vUnit>"
                    "<vFrete>350.50</vFrete></veicNovos></infCTeNorm>");
    EXPECT_LACKS(alertas, "veicNovos");

    // A CT-e OS has none.
    c.ide.modelo = 67;
    EXPECT_LACKS(Gerar(c), "veicNovos");

    c.ide.modelo = 57;
    while (c.infCTeNorm.veicNovos.Count() < 991)
        c.infCTeNorm.veicNovos.New() = c.infCTeNorm.veicNovos.Items(0);
    xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<veicNovos>"), 991u);
    EXPECT_EQ(Contar(alertas, Limite("#377", "veicNovos", "Veículos Novos", "990")), 1u) << alertas;
}

// ---- cobr

TEST_F(CTeFimWriter, BillingOpensOnAnyValueAboveZeroOrAnInstalment)
{
    struct Caso {
        const char *nome;
        const char *nFat;
        double vOrig, vDesc, vLiq;
        bool dup;
        const char *esperado; // empty: no cobr
    };
    const Caso casos[] = {
        {"nothing set", " ", 0, 0, 0, false, ""},
        {"negative values alone", "", -1, -2, -3, false, ""},
        {"invoice number only", "FAT-1", 0, 0, 0, false,
         "<cobr><fat><nFat>FAT-1</nFat></fat></cobr>"},
        {"discount only", "", 0, 0.5, 0, false, "<cobr><fat><vDesc>0.50</vDesc></fat></cobr>"},
        {"instalments only: no fat", "", 0, 0, 0, true,
         "<cobr><dup><nDup>001</nDup><dVenc>2026-12-30</dVenc><vDup>750.00</vDup></dup>"
         "<dup><nDup>002</nDup></dup></cobr>"},
        {"invoice then instalments", "F9", 1500.5, 0.5, 1500, true,
         "<cobr><fat><nFat>F9</nFat><vOrig>1500.50</vOrig><vDesc>0.50</vDesc>"
         "<vLiq>1500.00</vLiq></fat><dup><nDup>001</nDup>"},
    };
    for (const Caso &k : casos) {
        SCOPED_TRACE(k.nome);
        for (int modelo : {57, 67}) {
            TCTe c;
            Rodoviario(c);
            c.ide.modelo = modelo;
            TCobr &cobr = c.infCTeNorm.cobr;
            cobr.fat.nFat = k.nFat;
            cobr.fat.vOrig = Currency::FromDouble(k.vOrig);
            cobr.fat.vDesc = Currency::FromDouble(k.vDesc);
            cobr.fat.vLiq = Currency::FromDouble(k.vLiq);
            if (k.dup) {
                TDupCollectionItem &d = cobr.dup.New();
                d.nDup = "001";
                d.dVenc = EncodeDate(2026, 12, 30);
                d.vDup = Currency::FromDouble(750);
                cobr.dup.New().nDup = "002";
            }
            const std::string xml = Gerar(c);
            if (*k.esperado) {
                EXPECT_HAS(xml, k.esperado);
            } else {
                EXPECT_LACKS(xml, "cobr");
            }
        }
    }
}

// ---- infCteSub

struct Substituicao {
    const char *nome;
    double versao;
    const char *refCteAnu;    // infCteSub.refCteAnu
    const char *naoICMS;      // tomaNaoICMS.refCteAnu
    const char *refNFe;
    const char *refNFCNPJCPF;
    const char *refCte;
    const char *esperado;     // everything between chCte and the group's end
};

TEST_F(CTeFimWriter, SubstituteStatesTheTakerOfItsLayout)
{
    const std::string refNF = "<refNF><CNPJ>44555666000172</CNPJ><mod>01</mod><serie>1</serie>"
                              "<nro>321</nro><valor>99.90</valor><dEmi>2026-11-20</dEmi></refNF>";
    const Substituicao casos[] = {
        {"3.00, annulment key set: bare refCteAnu, nothing of tomaICMS", 3.0, ChaveB, "", ChaveA,
         "44555666000172", ChaveA,
         "<refCteAnu>35261211222333000181670010000001231123456780</refCteAnu>"},
        {"3.00, NF-e key wins over the others", 3.0, " ", "", ChaveA, "44555666000172", ChaveA,
         "<tomaICMS><refNFe>35261211222333000181570010000001231123456788</refNFe></tomaICMS>"},
        {"3.00, paper invoice when no NF-e key", 3.0, "", ChaveB, " ", "44555666000172", ChaveA,
         ""},
        {"3.00, the CT-e last", 3.0, "", "", "", " ", ChaveA,
         "<tomaICMS><refCte>35261211222333000181570010000001231123456788</refCte></tomaICMS>"},
        {"2.00 looks at tomaNaoICMS, not at refCteAnu", 2.0, ChaveA, ChaveB, ChaveA, "", "",
         "<tomaNaoICMS><refCteAnu>35261211222333000181670010000001231123456780</refCteAnu>"
         "</tomaNaoICMS>"},
        {"2.00 without the annulment key: tomaICMS", 2.0, ChaveB, "", ChaveA, "", "",
         "<tomaICMS><refNFe>35261211222333000181570010000001231123456788</refNFe></tomaICMS>"},
        {"1.04 always takes the bare refCteAnu, even blank", 1.04, "", "", ChaveA, "", "",
         "<refCteAnu/>"},
    };
    for (const Substituicao &k : casos) {
        SCOPED_TRACE(k.nome);
        TCTe c;
        Rodoviario(c, k.versao);
        c.ide.tpCTe = tcSubstituto;
        TInfCteSub &s = c.infCTeNorm.infCteSub;
        s.chCte = ChaveA;
        s.refCteAnu = k.refCteAnu;
        s.tomaNaoICMS.refCteAnu = k.naoICMS;
        s.tomaICMS.refNFe = k.refNFe;
        s.tomaICMS.refNF.CNPJCPF = k.refNFCNPJCPF;
        s.tomaICMS.refNF.modelo = "01";
        s.tomaICMS.refNF.serie = 1;
        s.tomaICMS.refNF.nro = 321;
        s.tomaICMS.refNF.valor = Currency::FromDouble(99.9);
        s.tomaICMS.refNF.dEmi = EncodeDate(2026, 11, 20);
        s.tomaICMS.refCte = k.refCte;
        const std::string esperado = *k.esperado ? std::string(k.esperado)
                                                 : "<tomaICMS>" + refNF + "</tomaICMS>";
        EXPECT_HAS(Gerar(c), std::string("<infCteSub><chCte>") + ChaveA + "</chCte>" +
                                 esperado + "</infCteSub>");
    }
}

TEST_F(CTeFimWriter, SubstituteKeysAreCheckedAndTheTakerChangeIsOnlyEverOne)
{
    TCTe c;
    Rodoviario(c);
    c.ide.tpCTe = tcSubstituto;
    TInfCteSub &s = c.infCTeNorm.infCteSub;
    s.chCte = ChaveRuim;
    s.refCteAnu = ChaveRuim;
    s.indAlteraToma = dfe::tiSim;
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "</refCteAnu><indAlteraToma>1</indAlteraToma></infCteSub>");
    const std::string dsc = "Chave de acesso das NF-e referenciadas";
    EXPECT_HAS(alertas, Invalido("#395", "chCte", dsc));
    EXPECT_HAS(alertas, Invalido("#372", "refCteAnu", dsc));

    s.indAlteraToma = dfe::tiNao;
    EXPECT_LACKS(Gerar(c), "indAlteraToma");
    s.indAlteraToma = dfe::tiSim;
    c.infCTe.versao = 2.0;
    EXPECT_LACKS(Gerar(c), "indAlteraToma");

    struct Caso {
        double versao;
        const char *refNFe;
        const char *refCte;
        const char *naoICMS;
        std::string alerta;
    };
    const Caso chaves[] = {
        {3.0, ChaveRuim, "", "", Invalido("#397", "refNFe", dsc)},
        {3.0, "", ChaveRuim, "", Invalido("#407", "refCte", dsc)},
        {2.0, "", "", ChaveRuim, Invalido("#409", "refCteAnu", dsc)},
    };
    for (const Caso &k : chaves) {
        SCOPED_TRACE(k.alerta);
        TCTe d;
        Rodoviario(d, k.versao);
        d.ide.tpCTe = tcSubstituto;
        d.infCTeNorm.infCteSub.chCte = ChaveA;
        d.infCTeNorm.infCteSub.tomaICMS.refNFe = k.refNFe;
        d.infCTeNorm.infCteSub.tomaICMS.refCte = k.refCte;
        d.infCTeNorm.infCteSub.tomaNaoICMS.refCteAnu = k.naoICMS;
        Gerar(d);
        EXPECT_HAS(alertas, k.alerta);
    }
}

TEST_F(CTeFimWriter, CTeOSSubstituteAndBillingCloseItsNormalGroup)
{
    TCTe c;
    Rodoviario(c);
    c.ide.modelo = 67;
    c.ide.tpCTe = tcSubstituto;
    c.ide.tpServ = tsTranspPessoas;
    c.infCTeNorm.infServico.xDescServ = "FRETAMENTO";
    c.infCTeNorm.infCteSub.chCte = ChaveA;
    c.infCTeNorm.infCteSub.refCteAnu = ChaveB;
    c.infCTeNorm.cobr.fat.nFat = "F1";
    EXPECT_HAS(Gerar(c), std::string("</infModal><infCteSub><chCte>") + ChaveA +
                             "</chCte><refCteAnu>" + ChaveB +
                             "</refCteAnu></infCteSub><cobr><fat><nFat>F1</nFat></fat></cobr>"
                             "</infCTeNorm>");
}

// ---- infGlobalizado, infServVinc

TEST_F(CTeFimWriter, GlobalisedAndLinkedServicesFrom300)
{
    TCTe c;
    Rodoviario(c);
    c.infCTeNorm.infGlobalizado.xObs = "CT-e globalizado do dia";
    c.infCTeNorm.infServVinc.infCTeMultimodal.New().chCTeMultimodal = "chave como guardada";
    c.infCTeNorm.cobr.fat.nFat = "F1";
    std::string xml = Gerar(c);
    // The linked key is written as stored: no digit filter, no key check.
    EXPECT_HAS(xml, "</cobr><infGlobalizado><xObs>CT-e globalizado do dia</xObs></infGlobalizado>"
                    "<infServVinc><infCTeMultimodal><chCTeMultimodal>chave como guardada"
                    "</chCTeMultimodal></infCTeMultimodal></infServVinc></infCTeNorm>");
    EXPECT_LACKS(alertas, "Chave de acesso");

    c.infCTeNorm.infGlobalizado.xObs = "   ";
    c.infCTeNorm.infServVinc.infCTeMultimodal.Clear();
    xml = Gerar(c);
    EXPECT_LACKS(xml, "infGlobalizado");
    EXPECT_LACKS(xml, "infServVinc");

    TCTe d;
    Rodoviario(d, 2.0);
    d.infCTeNorm.infGlobalizado.xObs = "CT-e globalizado do dia";
    d.infCTeNorm.infServVinc.infCTeMultimodal.New().chCTeMultimodal = ChaveA;
    xml = Gerar(d);
    EXPECT_LACKS(xml, "infGlobalizado");
    EXPECT_LACKS(xml, "infServVinc");

    while (c.infCTeNorm.infServVinc.infCTeMultimodal.Count() < 1000)
        c.infCTeNorm.infServVinc.infCTeMultimodal.New().chCTeMultimodal = ChaveA;
    xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<infCTeMultimodal>"), 1000u);
    EXPECT_EQ(Contar(alertas, Limite("#389", "infCTeMultimodal", "Informações do CT-e Multimodal",
                                     "999")),
              1u)
        << alertas;
}

// ---- infCteComp, infCteAnu

TEST_F(CTeFimWriter, ComplementAndAnnulmentNameTheirCTe)
{
    struct Caso {
        double versao;
        const char *tag;
    };
    for (const Caso &k : {Caso{2.0, "chave"}, Caso{3.0, "chCTe"}, Caso{1.04, "chCTe"}}) {
        SCOPED_TRACE(k.versao);
        TCTe c;
        Rodoviario(c, k.versao);
        c.ide.tpCTe = tcComplemento;
        c.infCteComp.chave = "3526.1211.2223.3300.0181.5700.1000.0001.2311.2345.6788";
        const std::string xml = Gerar(c);
        const std::string tag = k.tag;
        EXPECT_HAS(xml, "</imp><infCteComp><" + tag + ">" + ChaveA + "</" + tag +
                            "></infCteComp>");
        EXPECT_LACKS(xml, "infCTeNorm");
        EXPECT_LACKS(alertas, "chave(");
        // The alert names chave whichever tag was written.
        c.infCteComp.chave = ChaveRuim;
        Gerar(c);
        EXPECT_HAS(alertas, Invalido("#411", "chave", "Chave de acesso das NF-e referenciadas"));
    }

    TCTe c;
    Rodoviario(c);
    c.ide.tpCTe = tcAnulacao;
    c.infCteAnu.chCTe = ChaveA;
    c.infCteAnu.dEmi = EncodeDate(2026, 11, 28);
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, std::string("</imp><infCteAnu><chCte>") + ChaveA +
                        "</chCte><dEmi>2026-11-28</dEmi></infCteAnu>");
    c.infCteAnu.chCTe = ChaveRuim;
    Gerar(c);
    EXPECT_HAS(alertas, Invalido("#413", "chCte", "Chave de acesso das NF-e referenciadas"));

    // A normal CT-e writes none of these, whatever the model holds.
    TCTe n;
    Rodoviario(n);
    n.infCteComp.chave = ChaveA;
    n.infCteAnu.chCTe = ChaveA;
    n.infCTeNorm.infCteSub.chCte = ChaveA;
    xml = Gerar(n);
    EXPECT_LACKS(xml, "infCteComp");
    EXPECT_LACKS(xml, "infCteAnu");
    EXPECT_LACKS(xml, "infCteSub");
}

// ---- infRespTec

TEST_F(CTeFimWriter, TechnicalResponsibleLastAndOnlyForTheLayout300)
{
    const auto gerar = [&](TCTe &c, int idCSRT, const std::string &csrt) {
        TCTeW w(c);
        w.IdCSRT = idCSRT;
        w.CSRT = csrt;
        w.GerarXml();
        alertas = w.Gerador().ListaDeAlertas().Text();
        return w.Gerador().ArquivoFormatoXML();
    };
    TCTe c;
    Rodoviario(c);
    c.infRespTec.CNPJ = "10999888000177";
    c.infRespTec.xContato = "Suporte";
    c.infRespTec.email = "suporte@example.com";
    c.infRespTec.fone = "(11)3030-4040";
    std::string xml = gerar(c, 0, "CSRT-SECRETO");
    // The phone as stored: its punctuation counts toward the maximum of 12.
    EXPECT_HAS(xml, "</infCTeNorm><infRespTec><CNPJ>10999888000177</CNPJ><xContato>Suporte"
                    "</xContato><email>suporte@example.com</email><fone>(11)3030-4040</fone>"
                    "</infRespTec></infCte>");
    EXPECT_HAS(alertas, "ID:#085/fone(Telefone)");

    c.infRespTec.fone = "1130304040";
    xml = gerar(c, 7, "CSRT-SECRETO");
    const size_t p = xml.find("<idCSRT>007</idCSRT><hashCSRT>");
    ASSERT_NE(p, std::string::npos) << xml;
    EXPECT_EQ(xml.find("</hashCSRT></infRespTec>"), p + 30 + 28);
    EXPECT_EQ(gerar(c, 7, "").find("idCSRT"), std::string::npos);

    // The CNPJ is checked as a Brazilian one.
    c.infRespTec.CNPJ = "10999888000178";
    gerar(c, 0, "");
    EXPECT_HAS(alertas, "ID:#82/CNPJ");

    // Not for a blank CNPJ, nor for any layout but 3.00.
    c.infRespTec.CNPJ = "";
    EXPECT_LACKS(gerar(c, 0, ""), "infRespTec");
    c.infRespTec.CNPJ = "10999888000177";
    for (double versao : {2.0, 4.0}) {
        c.infCTe.versao = versao;
        EXPECT_LACKS(gerar(c, 0, ""), "infRespTec");
    }
}

// ---- infPercurso

TEST_F(CTeFimWriter, CTeOSStatesCrossedInsideIde)
{
    TCTe c;
    Rodoviario(c);
    c.ide.modelo = 67;
    c.ide.tpServ = tsTranspPessoas;
    c.ide.UFIni = "SP";
    c.ide.UFFim = "PR";
    c.ide.infPercurso.New().UFPer = "SP";
    c.ide.infPercurso.New().UFPer = "PR";
    c.ide.tpEmis = dfe::teFSDA;
    c.ide.dhCont = EncodeDateTime(2026, 12, 1, 8, 0, 0, 0);
    c.ide.xJust = "Falha de comunicacao";
    std::string xml = Gerar(c);
    EXPECT_HAS(xml, "</UFFim><infPercurso><UFPer>SP</UFPer></infPercurso>"
                    "<infPercurso><UFPer>PR</UFPer></infPercurso><dhCont>");

    // A CT-e never writes them.
    c.ide.modelo = 57;
    EXPECT_LACKS(Gerar(c), "infPercurso");

    c.ide.modelo = 67;
    while (c.ide.infPercurso.Count() < 26)
        c.ide.infPercurso.New().UFPer = "MG";
    xml = Gerar(c);
    EXPECT_EQ(Contar(xml, "<infPercurso>"), 26u);
    EXPECT_EQ(Contar(alertas, "ID:#023/infPercurso() - Número de ocorrências maior que o máximo "
                              "permitido - Máximo 25"),
              1u)
        << alertas;
}

} // namespace

#include "nfe/reader.h"

#include "model_fixture.h"
#include "reader_support.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace nfe;
using nfe_test::ComItens;
using nfe_test::Documento;
using nfe_test::Item;
using nfe_test::Ler;
using nfe_test::Lido;
using nfe_test::Prod;
using nfe_test::Valor;

// ---- Layout gates ---------------------------------------------------------------------------

TEST(NFeReaderRules, VersionGates)
{
    const std::string corpo =
        "<ide><dhEmi>2020-01-02T03:04:05-03:00</dhEmi><dEmi>2019-05-06</dEmi><idDest>2</idDest>"
        "<indFinal>1</indFinal></ide>"
        "<dest><CNPJ>1</CNPJ><idEstrangeiro>E</idEstrangeiro><indIEDest>2</indIEDest></dest>" +
        Item("1", "<prod><cProd>A</cProd><indEscala>N</indEscala></prod>") +
        "<total><ISSQNtot><vServ>1.00</vServ><dCompet>2020-01-31</dCompet></ISSQNtot></total>"
        "<pag><vTroco>2.00</vTroco><detPag><tPag>01</tPag><vPag>9.00</vPag></detPag></pag>";
    struct Row {
        const char *name;
        const char *versao;
        double lida;
        bool le300;
        bool le400;
        int pagamentos;
    } rows[] = {
        {"2.00", "2.00", 2.0, false, false, 0},
        {"0.00 passes and is 2.00", "0.00", 0.0, false, false, 0},
        {"3.00", "3.00", 3.0, true, false, 1},
        {"3.10 counts as 3.00", "3.10", 3.1, true, false, 1},
        {"4.00", "4.00", 4.0, true, true, 1},
        {"4,00 with a comma", "4,00", 4.0, true, true, 1},
    };
    for (const Row &row : rows) {
        const TNFe n = Lido(Documento(row.versao, corpo));
        EXPECT_DOUBLE_EQ(n.infNFe.Versao, row.lida) << row.name;
        EXPECT_DOUBLE_EQ(n.Ide.dEmi, row.le300 ? rtl::EncodeDateTime(2020, 1, 2, 3, 4, 5, 0)
                                               : rtl::EncodeDate(2019, 5, 6))
            << row.name;
        EXPECT_EQ(n.Ide.idDest, row.le300 ? dfe::doInterestadual : TIde{}.idDest) << row.name;
        EXPECT_EQ(n.Ide.indFinal, row.le300 ? dfe::cfConsumidorFinal : TIde{}.indFinal) << row.name;
        EXPECT_EQ(n.Dest.idEstrangeiro, row.le300 ? "E" : "") << row.name;
        EXPECT_EQ(n.Dest.indIEDest, row.le300 ? dfe::inIsento : TDest{}.indIEDest) << row.name;
        EXPECT_DOUBLE_EQ(n.Total.ISSQNtot.dCompet, row.le300 ? rtl::EncodeDate(2020, 1, 31) : 0)
            << row.name;
        ASSERT_EQ(n.Det.Count(), 1) << row.name;
        EXPECT_EQ(n.Det[0].Prod.indEscala, row.le400 ? ieNaoRelevante : ieNenhum) << row.name;
        // 3.x lists one payment per pag, 4.00 one per detPag.
        EXPECT_EQ(n.pag.Count(), row.pagamentos) << row.name;
        EXPECT_EQ(n.pag.vTroco, Valor(row.le400 ? 2 : 0)) << row.name;
    }
}

// ---- Failures -------------------------------------------------------------------------------

TEST(NFeReaderRules, ErrorsStopTheReadWithTheirMessages)
{
    const std::string bom = "<ide><cUF>35</cUF></ide>";
    struct Row {
        const char *name;
        std::string texto;
        const char *mensagem; // nullptr: a conversion error
        std::function<void(const std::string &)> lancar;
    };
    auto comVersao = [](const std::string &versao) {
        return "<NFe><infNFe " + versao + " Id=\"NFe35\"><ide/></infNFe></NFe>";
    };
    const Row rows[] = {
        {"Id without digits", "<NFe><infNFe versao=\"4.00\" Id=\"NFe\"><ide/></infNFe></NFe>",
         "Não encontrei o atributo: Id", {}},
        {"no Id at all", "<NFe><infNFe versao=\"4.00\"><ide/></infNFe></NFe>",
         "Não encontrei o atributo: Id", {}},
        {"no versao", comVersao(""), "Não encontrei o atributo: versao", {}},
        {"versao not a number", comVersao("versao=\"abc\""), "Não encontrei o atributo: versao", {}},
        {"versao -1", comVersao("versao=\"-1\""), "Não encontrei o atributo: versao", {}},
    };
    for (const Row &row : rows) {
        TNFe n;
        try {
            Ler(n, row.texto);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), row.mensagem) << row.name;
        }
    }

    struct Conversao {
        const char *name;
        std::string texto;
        bool variante; // the tagged value's conversion error rather than the text one
    } conversoes[] = {
        {"item number of letters", ComItens(Item("x", Prod("A"))), false},
        {"item number empty", ComItens(Item("", Prod("A"))), false},
        {"item quoted with the other character",
         ComItens("<det nItem='1'>" + Prod("A") + "</det>"), false},
        {"impossible date", Documento("4.00", "<ide><dhEmi>2019-13-01T00:00:00</dhEmi></ide>"),
         false},
        {"retTransp without cMunFG",
         Documento("4.00", "<transp><retTransp><vServ>1.00</vServ></retTransp></transp>"), true},
        {"forDia without dia",
         Documento("4.00", "<cana><forDia><qtde>1</qtde></forDia></cana>"), true},
    };
    for (const Conversao &row : conversoes) {
        TNFe n;
        if (row.variante)
            EXPECT_THROW(Ler(n, row.texto), rtl::EVariantTypeCastError) << row.name;
        else
            EXPECT_THROW(Ler(n, row.texto), rtl::EConvertError) << row.name;
    }
}

TEST(NFeReaderRules, FailingItemKeepsTheItemsBefore)
{
    TNFe n;
    TNFeR leitor(n);
    leitor.Leitor().SetArquivo(ComItens(Item("1", Prod("A")) + Item("z", Prod("B"))));
    EXPECT_THROW(leitor.LerXml(), rtl::EConvertError);
    ASSERT_EQ(n.Det.Count(), 1);
    EXPECT_EQ(n.Det[0].Prod.cProd, "A");
    // The leaf reader still holds the failing item.
    EXPECT_EQ(leitor.Leitor().Arquivo(), Item("z", Prod("B")));
}

TEST(NFeReaderRules, IdMissingFromInfNFeIsTakenFromALaterOne)
{
    const TNFe n = Lido("<nfeProc><NFe><infNFe versao=\"4.00\"><ide/></infNFe></NFe>"
                        "<protNFe><infProt Id=\"ID135\"><nProt>135</nProt></infProt></protNFe>"
                        "</nfeProc>");
    EXPECT_EQ(n.infNFe.ID, "ID135");
}

// ---- Items ----------------------------------------------------------------------------------

TEST(NFeReaderRules, ItemsAreNumberedByPositionAndReadTheirOwnText)
{
    const std::string semProd =
        "<imposto><ICMS><ICMS00><CST>00</CST><vICMS>7.00</vICMS></ICMS00></ICMS></imposto>";
    const std::string semImposto = Prod("D");
    struct Row {
        const char *name;
        std::string itens;
        std::vector<std::string> cProds;
    } rows[] = {
        {"5, 9, 2", Item("5", Prod("A")) + Item("9", Prod("B")) + Item("2", Prod("C")),
         {"A", "B", "C"}},
        {"same number twice", Item("1", Prod("A")) + Item("1", Prod("B")), {"A", "B"}},
        {"leading zeros", Item("1", Prod("A")) + Item("02", Prod("B")), {"A", "B"}},
        {"blanks around the number", Item("1", Prod("A")) + Item(" 2", Prod("B")), {"A", "B"}},
        {"attribute after nItem",
         Item("1", Prod("A")) + "<det nItem=\"2\" extra=\"x\">" + Prod("B") + "</det>", {"A", "B"}},
    };
    for (const Row &row : rows) {
        const TNFe n = Lido(ComItens(row.itens));
        ASSERT_EQ(n.Det.Count(), int(row.cProds.size())) << row.name;
        for (int i = 0; i < n.Det.Count(); ++i) {
            EXPECT_EQ(n.Det[i].Prod.nItem, i + 1) << row.name;
            EXPECT_EQ(n.Det[i].Prod.cProd, row.cProds[i]) << row.name;
            ASSERT_EQ(n.Det[i].Prod.NVE.Count(), 1) << row.name;
            EXPECT_EQ(n.Det[i].Prod.NVE[0].NVE, "N" + row.cProds[i]) << row.name;
        }
    }
}

TEST(NFeReaderRules, ItemWithoutProdOrImpostoNeverReadsThePreviousOne)
{
    // An item missing a group right after an item that has it: the nested groups must come
    // from the item's own (absent) group, not from the one read last at that level.
    const std::string prod =
        "<prod><cProd>A</cProd><vProd>5.00</vProd><indTot>1</indTot><NVE>NA</NVE>"
        "<rastro><nLote>L1</nLote></rastro><veicProd><chassi>C1</chassi></veicProd>"
        "<comb><cProdANP>1</cProdANP></comb></prod>";
    const std::string imposto =
        "<imposto><vTotTrib>1.00</vTotTrib><ICMS><ICMS20><CST>20</CST><vICMS>9.00</vICMS></ICMS20></ICMS>"
        "<IPI><IPITrib><CST>50</CST><vIPI>3.00</vIPI></IPITrib></IPI>"
        "<PIS><PISAliq><CST>02</CST><vPIS>1.00</vPIS></PISAliq></PIS></imposto>";
    const TNFe n = Lido(ComItens(Item("1", prod) + Item("2", "<infAdProd>B</infAdProd>") +
                                 Item("3", imposto) + Item("4", "<infAdProd>D</infAdProd>")));
    ASSERT_EQ(n.Det.Count(), 4);
    EXPECT_EQ(n.Det[0].Prod.NVE.Count(), 1);
    EXPECT_EQ(n.Det[0].Prod.veicProd.chassi, "C1");
    EXPECT_EQ(n.Det[2].Imposto.ICMS.CST, dfe::cst20);
    EXPECT_EQ(n.Det[2].Imposto.IPI.vIPI, Valor(3));

    for (int i : {1, 2, 3}) {
        const TProd &p = n.Det[i].Prod;
        EXPECT_EQ(p.nItem, i + 1) << i;
        EXPECT_EQ(p.cProd, "") << i;
        EXPECT_EQ(p.vProd, Valor(0)) << i;
        EXPECT_EQ(p.IndTot, dfe::itNaoSomaTotalNFe) << i;
        EXPECT_EQ(p.NVE.Count(), 0) << i;
        EXPECT_EQ(p.rastro.Count(), 0) << i;
        EXPECT_EQ(p.veicProd, TveicProd{}) << i;
        EXPECT_EQ(p.comb, TComb{}) << i;
    }
    EXPECT_EQ(n.Det[1].infAdProd, "B");
    EXPECT_EQ(n.Det[1].Imposto, TImposto{});
    EXPECT_EQ(n.Det[3].infAdProd, "D");
    EXPECT_EQ(n.Det[3].Imposto, TImposto{});
}

TEST(NFeReaderRules, ItemCuttingNeedsTheExactOpeningAndTheTotals)
{
    struct Row {
        const char *name;
        std::string texto;
        int itens;
    } rows[] = {
        {"no total", Documento("4.00", "<ide/>" + Item("1", Prod("A"))), 0},
        {"two blanks before nItem",
         ComItens("<det  nItem=\"1\">" + Prod("A") + "</det>"), 0},
        {"another attribute first", ComItens("<det x=\"1\" nItem=\"1\">" + Prod("A") + "</det>"), 0},
        {"CR LF between items", ComItens(Item("1", Prod("A")) + "\r\n" + Item("2", Prod("B"))), 2},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Lido(row.texto).Det.Count(), row.itens) << row.name;
}

// ---- Model filled in place ------------------------------------------------------------------

TEST(NFeReaderRules, ListsOfPresentGroupsAreRebuiltOthersKept)
{
    TNFe cheio;
    nfe_test::FillDocument(cheio);
    ASSERT_GT(cheio.Cobr.Dup.Count(), 0);
    ASSERT_GT(cheio.Transp.Vol.Count(), 0);
    ASSERT_GT(cheio.InfAdic.obsCont.Count(), 0);
    ASSERT_GT(cheio.autXML.Count(), 0);
    ASSERT_GT(cheio.Ide.NFref.Count(), 0);
    ASSERT_GT(cheio.pag.Count(), 0);
    ASSERT_GT(cheio.Det.Count(), 0);

    // Enclosing groups present with no occurrence: emptied. Absent: kept.
    TNFe n = cheio;
    Ler(n, Documento("4.00", "<ide><cUF>35</cUF></ide><transp><modFrete>9</modFrete></transp>"));
    EXPECT_EQ(n.Ide.NFref.Count(), 0);
    EXPECT_EQ(n.autXML.Count(), 0);
    EXPECT_EQ(n.Det.Count(), 0);
    EXPECT_EQ(n.Transp.Vol.Count(), 0);
    EXPECT_EQ(n.Transp.Reboque.Count(), 0);
    EXPECT_EQ(n.pag.Count(), 0);
    EXPECT_EQ(n.pag.vTroco, cheio.pag.vTroco);
    EXPECT_EQ(n.Cobr.Dup, cheio.Cobr.Dup);
    EXPECT_EQ(n.InfAdic.obsCont, cheio.InfAdic.obsCont);
    EXPECT_EQ(n.cana.fordia, cheio.cana.fordia);
    // Plain fields of absent groups keep their values too.
    EXPECT_EQ(n.Emit, cheio.Emit);
    EXPECT_EQ(n.Total, cheio.Total);
    EXPECT_EQ(n.procNFe.nProt, cheio.procNFe.nProt);
    EXPECT_EQ(n.Dest.xNome, cheio.Dest.xNome);
    EXPECT_EQ(n.Dest.indIEDest, dfe::inNaoContribuinte);

    // Reading again replaces, never appends.
    TNFe duas;
    Ler(duas, nfe_test::Fixture("nfe400_proc.xml"));
    Ler(duas, nfe_test::Fixture("nfe400_proc.xml"));
    EXPECT_EQ(duas.Det.Count(), 3);
    EXPECT_EQ(duas.Cobr.Dup.Count(), 3);
    EXPECT_EQ(duas.pag.Count(), 2);
    EXPECT_EQ(duas.autXML.Count(), 2);
    EXPECT_EQ(duas.Transp.Vol[0].Lacres.Count(), 2);
}

TEST(NFeReaderRules, ZeroOrMissingCodeIsKeptAsMinusTwo)
{
    struct Row {
        const char *name;
        const char *ide;
        int cNF;
    } rows[] = {
        {"eight zeros", "<ide><cNF>00000000</cNF></ide>", -2},
        {"missing", "<ide><cUF>35</cUF></ide>", -2},
        {"a code", "<ide><cNF>00000042</cNF></ide>", 42},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Lido(Documento("4.00", row.ide)).Ide.cNF, row.cNF) << row.name;
}


// A form of payment the table does not know is some other payment, never cash, and its code
// text stays with the payment for the writer.
TEST(NFeReaderRules, UnknownPaymentCodeIsOtherAndKeepsItsText)
{
    struct Row {
        const char *name;
        const char *tPag;
        dfe::TpcnFormaPagamento lido;
        const char *naoListado;
    } rows[] = {
        {"cash", "01", dfe::fpDinheiro, ""},
        {"PIX", "17", dfe::fpPagamentoInstantaneo, ""},
        {"special regime", "98", dfe::fpRegimeEspecialNFF, ""},
        {"others", "99", dfe::fpOutro, ""},
        {"a code newer than the table", "77", dfe::fpOutro, "77"},
        {"one digit", "1", dfe::fpOutro, "1"},
    };
    for (const Row &row : rows) {
        const TNFe n = Lido(Documento("4.00", std::string("<pag><detPag><tPag>") + row.tPag +
                                                  "</tPag><vPag>1.00</vPag></detPag></pag>"));
        ASSERT_EQ(n.pag.Count(), 1) << row.name;
        EXPECT_EQ(n.pag[0].tPag, row.lido) << row.name;
        EXPECT_EQ(n.pag[0].tPagNaoListado, row.naoListado) << row.name;
    }
}
TEST(NFeReaderRules, AddressCountryDefaultsOnlyForIssuerAndRecipient)
{
    const TNFe n = Lido(Documento(
        "4.00", "<emit><enderEmit><cPais>0</cPais></enderEmit></emit>"
                "<dest><enderDest><UF>EX</UF><cPais>2496</cPais><xPais>JAPAO</xPais></enderDest></dest>"
                "<entrega><xLgr>R</xLgr></entrega>"));
    EXPECT_EQ(n.Emit.EnderEmit.cPais, 1058);
    EXPECT_EQ(n.Emit.EnderEmit.xPais, "BRASIL");
    EXPECT_EQ(n.Dest.EnderDest.cPais, 2496);
    EXPECT_EQ(n.Dest.EnderDest.xPais, "JAPAO");
    EXPECT_EQ(n.Entrega.cPais, 0);
    EXPECT_EQ(n.Entrega.xPais, "");
}

// ---- Derived tax situations -----------------------------------------------------------------

TEST(NFeReaderRules, DerivedIcmsSituation)
{
    struct Row {
        const char *name;
        const char *icms;
        dfe::TpcnCSTIcms cst;
    } rows[] = {
        {"ICMS20", "<ICMS20><CST>20</CST></ICMS20>", dfe::cst20},
        {"partition 10", "<ICMSPart><CST>10</CST><pBCOp>50.00</pBCOp></ICMSPart>", dfe::cstPart10},
        {"partition 90", "<ICMSPart><CST>90</CST></ICMSPart>", dfe::cstPart90},
        {"retention 41", "<ICMSST><CST>41</CST></ICMSST>", dfe::cstRep41},
        {"retention 60", "<ICMSST><CST>60</CST></ICMSST>", dfe::cstRep60},
        {"ordinary 90", "<ICMS90><CST>90</CST></ICMS90>", dfe::cst90},
        {"ordinary 60", "<ICMS60><CST>60</CST></ICMS60>", dfe::cst60},
    };
    for (const Row &row : rows) {
        const TNFe n = Lido(ComItens(
            Item("1", Prod("A") + "<imposto><ICMS>" + row.icms + "</ICMS>"
                      "<ICMSUFDest><vICMSUFDest>1.00</vICMSUFDest></ICMSUFDest></imposto>")));
        ASSERT_EQ(n.Det.Count(), 1) << row.name;
        EXPECT_EQ(n.Det[0].Imposto.ICMS.CST, row.cst) << row.name;
        EXPECT_EQ(n.Det[0].Imposto.ICMSUFDest.vICMSUFDest, Valor(1)) << row.name;
    }
}

TEST(NFeReaderRules, IpiSituationDefaultsFromTheDirection)
{
    struct Row {
        const char *name;
        const char *tpNF;
        const char *ipi;
        dfe::TpcnCstIpi cst;
    } rows[] = {
        {"neither variant, outgoing", "1", "<IPI><cEnq>999</cEnq></IPI>", dfe::ipi03},
        {"neither variant, incoming", "0", "<IPI><cEnq>999</cEnq></IPI>", dfe::ipi53},
        {"IPITrib", "1", "<IPI><cEnq>999</cEnq><IPITrib><CST>50</CST></IPITrib></IPI>", dfe::ipi50},
        {"IPINT", "0", "<IPI><cEnq>999</cEnq><IPINT><CST>52</CST></IPINT></IPI>", dfe::ipi52},
        {"no IPI keeps the default", "1", "", TIPI{}.CST},
    };
    for (const Row &row : rows) {
        const TNFe n = Lido(ComItens(Item("1", Prod("A") + "<imposto>" + row.ipi + "</imposto>"), "4.00",
                                     std::string("<ide><tpNF>") + row.tpNF + "</tpNF></ide>"));
        ASSERT_EQ(n.Det.Count(), 1) << row.name;
        EXPECT_EQ(n.Det[0].Imposto.IPI.CST, row.cst) << row.name;
    }
}

TEST(NFeReaderRules, ReturnedTaxWithoutItsIpi)
{
    const TNFe n = Lido(ComItens(Item("1", Prod("A") + "<impostoDevol><pDevol>30.00</pDevol></impostoDevol>")));
    ASSERT_EQ(n.Det.Count(), 1);
    EXPECT_EQ(n.Det[0].pDevol, Valor(30));
    EXPECT_EQ(n.Det[0].vIPIDevol, Valor(0));
}

} // namespace

#include "nfe/model.h"

#include "model_fixture.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace nfe;
using nfe_test::FillDocument;
using nfe_test::Money;

struct Check {
    const char *name;
    bool holds;
};

void ExpectAll(std::initializer_list<Check> checks)
{
    for (const Check &c : checks)
        EXPECT_TRUE(c.holds) << c.name;
}

// ---- Defaults -------------------------------------------------------------------------------

TEST(NFeModelDefaults, NewDocument)
{
    const TNFe nfe;
    ExpectAll({
        {"version unset", nfe.infNFe.Versao == 0},
        {"unset version counts as 2.00", nfe.infNFe.GetVersao() == 2.0},
        {"unset version text", nfe.infNFe.VersaoStr() == "versao=\"2.00\""},
        {"issuer's country code", nfe.Emit.EnderEmit.cPais == 1058},
        {"issuer's country name", nfe.Emit.EnderEmit.xPais == "BRASIL"},
        {"recipient's country code", nfe.Dest.EnderDest.cPais == 1058},
        {"recipient's country name", nfe.Dest.EnderDest.xPais == "BRASIL"},
        {"pick-up place not put in Brazil", nfe.Retirada.cPais == 0 && nfe.Retirada.xPais.empty()},
        {"delivery place not put in Brazil", nfe.Entrega.cPais == 0 && nfe.Entrega.xPais.empty()},
        {"issuer's regime", nfe.Emit.CRT == dfe::crtRegimeNormal},
        {"no protocol number", nfe.procNFe.nProt.empty()},
        {"no change", nfe.pag.vTroco == rtl::Currency()},
        {"freight by the issuer", nfe.Transp.modFrete == mfContaEmitente},
        {"ide enumerations at their first values",
         nfe.Ide.indPag == dfe::ipVista && nfe.Ide.tpNF == dfe::tnEntrada && nfe.Ide.idDest == dfe::doInterna &&
             nfe.Ide.tpImp == dfe::tiSemGeracao && nfe.Ide.tpEmis == dfe::teNormal &&
             nfe.Ide.tpAmb == dfe::taProducao && nfe.Ide.finNFe == fnNormal && nfe.Ide.indFinal == dfe::cfNao &&
             nfe.Ide.indPres == dfe::pcNao && nfe.Ide.procEmi == dfe::peAplicativoContribuinte},
        {"recipient's registration indicator", nfe.Dest.indIEDest == dfe::inContribuinte},
        {"ISSQN total regime", nfe.Total.ISSQNtot.cRegTrib == dfe::RTISSMicroempresaMunicipal},
        {"zero totals", nfe.Total.ICMSTot.vNF == rtl::Currency() && nfe.Total.ICMSTot.vProd == rtl::Currency()},
        {"no items", nfe.Det.Count() == 0},
        {"no payments", nfe.pag.Count() == 0},
        {"no authorised parties", nfe.autXML.Count() == 0},
        {"no references", nfe.Ide.NFref.Count() == 0},
        {"no volumes or trailers", nfe.Transp.Vol.Count() == 0 && nfe.Transp.Reboque.Count() == 0},
        {"no instalments", nfe.Cobr.Dup.Count() == 0},
        {"no observations or processes",
         nfe.InfAdic.obsCont.Count() == 0 && nfe.InfAdic.obsFisco.Count() == 0 && nfe.InfAdic.procRef.Count() == 0},
        {"no cane supplies or deductions", nfe.cana.fordia.Count() == 0 && nfe.cana.deduc.Count() == 0},
        {"no signature", nfe.signature.URI.empty() && nfe.signature.DigestValue.empty()},
    });
}

TEST(NFeModelDefaults, NewItemPaymentAndReference)
{
    TNFe nfe;
    const TDetCollectionItem &det = nfe.Det.New();
    const TProd &prod = det.Prod;
    const TImposto &imp = det.Imposto;
    const TpagCollectionItem &pag = nfe.pag.New();
    const TNFrefCollectionItem &ref = nfe.Ide.NFref.New();
    ExpectAll({
        {"product texts empty", prod.cProd.empty() && prod.xProd.empty() && prod.CFOP.empty()},
        {"product values zero", prod.qCom == rtl::Currency() && prod.vUnCom == 0 && prod.vProd == rtl::Currency()},
        {"enters the total", prod.IndTot == dfe::itSomaTotalNFe},
        {"scale not given, not the first value", prod.indEscala == ieNenhum},
        {"product lists empty", prod.DI.Count() == 0 && prod.detExport.Count() == 0 && prod.rastro.Count() == 0 &&
                                    prod.med.Count() == 0 && prod.arma.Count() == 0 && prod.NVE.Count() == 0},
        {"vehicle at its first values", prod.veicProd.tpOP == toVendaConcessionaria &&
                                            prod.veicProd.condVeic == cvAcabado && prod.veicProd.tpVeic == 0},
        {"fuel sub-groups at zero", prod.comb == TComb{} && prod.comb.encerrante.nBico == 0},
        {"ICMS origin", imp.ICMS.orig == dfe::oeNacional},
        {"ICMS situation", imp.ICMS.CST == dfe::cst00},
        {"ICMS simplified situation", imp.ICMS.CSOSN == dfe::csosnVazio},
        {"ICMS base modes", imp.ICMS.modBC == dfe::dbiMargemValorAgregado &&
                                imp.ICMS.modBCST == dfe::dbisPrecoTabelado},
        {"ICMS relief reason", imp.ICMS.motDesICMS == dfe::mdiTaxi},
        {"IPI situation", imp.IPI.CST == dfe::ipi00},
        {"PIS situation", imp.PIS.CST == dfe::pis01},
        {"COFINS situation", imp.COFINS.CST == dfe::cof01},
        {"ISSQN enumerations", imp.ISSQN.cSitTrib == dfe::ISSQNcSitTribVazio && imp.ISSQN.indISSRet == dfe::iirSim &&
                                   imp.ISSQN.indISS == dfe::iiExigivel && imp.ISSQN.indIncentivo == dfe::iiSim},
        {"taxes zero elsewhere", imp == TImposto{}},
        {"payment indicator not given, not the first value", pag.indPag == dfe::ipNenhum},
        {"payment at its first values", pag.tPag == dfe::fpDinheiro && pag.tBand == dfe::bcVisa &&
                                            pag.tpIntegra == dfe::tiNaoInformado && pag.vPag == rtl::Currency()},
        {"reference's coupon model", ref.RefECF.modelo == dfe::ECFModRefVazio},
        {"reference's groups empty", ref.RefNF == TRefNF{} && ref.RefNFP == TRefNFP{}},
    });
}

// ---- Version routines and the vehicle's fuel text ------------------------------------------

TEST(NFeModelInfNFe, VersionTextIgnoresTheLocale)
{
    rtl::ScopedFormatSettings brazil(rtl::TFormatSettings::Brazil());
    struct Case {
        const char *name;
        double versao;
        double effective;
        const char *text;
    };
    const Case cases[] = {
        {"unset", 0, 2.0, "versao=\"2.00\""},
        {"negative", -1, 2.0, "versao=\"2.00\""},
        {"2.00", 2.0, 2.0, "versao=\"2.00\""},
        {"3.10", 3.1, 3.1, "versao=\"3.10\""},
        {"4.00", 4.0, 4.0, "versao=\"4.00\""},
        {"two decimals, rounded", 3.999, 3.999, "versao=\"4.00\""},
    };
    for (const Case &c : cases) {
        TInfNFe inf;
        inf.Versao = c.versao;
        EXPECT_EQ(inf.GetVersao(), c.effective) << c.name;
        EXPECT_EQ(inf.VersaoStr(), c.text) << c.name;
    }
}

TEST(NFeModelInfNFe, CopyTakesTheEffectiveVersion)
{
    TInfNFe unset;
    unset.ID = "NFe1";
    TInfNFe assigned;
    assigned.Versao = 4.0;
    assigned.Assign(unset);
    const TInfNFe constructed(unset);
    TInfNFe operatorCopy;
    operatorCopy = unset;
    const TInfNFe *const copies[] = {&assigned, &constructed, &operatorCopy};
    for (const TInfNFe *copy : copies) {
        EXPECT_EQ(copy->Versao, 2.0);
        EXPECT_EQ(copy->ID, "NFe1");
    }

    TNFe source;
    TNFe copy(source);
    EXPECT_EQ(copy.infNFe.Versao, 2.0) << "a copied document whose version was never set";
    EXPECT_EQ(source.infNFe.Versao, 0) << "the source keeps its own";

    TNFe moved(std::move(source));
    EXPECT_EQ(moved.infNFe.Versao, 0) << "moving hands the same document over";
}

TEST(NFeModelVehicle, FuelDescription)
{
    struct Case {
        const char *name;
        const char *tpComb;
        const char *text;
    };
    const Case cases[] = {
        {"first", "1", "01 - ALCOOL"},
        {"with a leading zero", "02", "02 - GASOLINA"},
        {"without", "2", "02 - GASOLINA"},
        {"natural gas", "8", "08 - GASOL/GAS NATURAL COMBUSTIVEL"},
        {"see observation", "11", "11 - VIDE/CAMPO/OBSERVACAO"},
        {"last", "18", "18 - GASOLINA/ELETRICO"},
        {"beyond the list", "19", "19"},
        {"zero", "0", "0"},
        {"not a number", "XX", "XX"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        TveicProd veic;
        veic.tpComb = c.tpComb;
        EXPECT_EQ(veic.CombDescricao(), c.text) << c.name;
    }
}

// ---- Repeated groups -------------------------------------------------------------------------

TEST(NFeModelCollections, NewAndAddAppendAndReturnTheNewItem)
{
    TDetCollection det;
    TDetCollectionItem &first = det.New();
    TDetCollectionItem &second = det.Add();
    ASSERT_EQ(det.Count(), 2);
    EXPECT_EQ(&det[0], &first);
    EXPECT_EQ(&det.Items(1), &second);
    det.Clear();
    EXPECT_EQ(det.Count(), 0);
}

TEST(NFeModelCollections, IndexOutsideTheListRaises)
{
    TNFe nfe;
    nfe.Ide.NFref.New().refNFe = "A";
    nfe.Ide.NFref.New().refNFe = "B";
    const TNFe &view = nfe;

    struct Case {
        const char *name;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"read below", [&] { (void)nfe.Ide.NFref.Items(-1); }},
        {"read at Count", [&] { (void)nfe.Ide.NFref[2]; }},
        {"read at Count, const", [&] { (void)view.Ide.NFref.Items(2); }},
        {"read an empty list", [&] { (void)view.Det[0]; }},
        {"nested empty list", [&] { (void)nfe.Transp.Vol.Items(0).Lacres.Items(0); }},
        {"replace below", [&] { nfe.Ide.NFref.SetItems(-1, std::make_unique<TNFrefCollectionItem>()); }},
        {"replace at Count", [&] { nfe.Ide.NFref.SetItems(2, std::make_unique<TNFrefCollectionItem>()); }},
        {"replace with nothing", [&] { nfe.Ide.NFref.SetItems(0, nullptr); }},
    };
    for (const Case &c : cases) {
        EXPECT_THROW(c.call(), rtl::EListError) << c.name;
        ASSERT_EQ(nfe.Ide.NFref.Count(), 2) << c.name << " changed the list";
        EXPECT_EQ(nfe.Ide.NFref[0].refNFe, "A") << c.name;
        EXPECT_EQ(nfe.Ide.NFref[1].refNFe, "B") << c.name;
    }
}

TEST(NFeModelCollections, ReplacingAnItemPutsTheGivenObjectInItsPlace)
{
    TautXMLCollection aut;
    aut.New().CNPJCPF = "1";
    aut.New().CNPJCPF = "2";
    aut.New().CNPJCPF = "3";
    auto replacement = std::make_unique<TautXMLCollectionItem>();
    replacement->CNPJCPF = "X";
    const TautXMLCollectionItem *given = replacement.get();
    aut.SetItems(1, std::move(replacement)); // the item that was there is freed
    ASSERT_EQ(aut.Count(), 3);
    EXPECT_EQ(&aut[1], given);
    EXPECT_EQ(aut[0].CNPJCPF, "1");
    EXPECT_EQ(aut[1].CNPJCPF, "X");
    EXPECT_EQ(aut[2].CNPJCPF, "3");
}

TEST(NFeModelCollections, AssigningAWholeListCopiesItsItems)
{
    TNFe nfe;
    nfe.Ide.NFref.New().refNFe = "old";
    const TNFrefCollection *own = &nfe.Ide.NFref;

    TNFrefCollection given;
    given.New().refNFe = "new 1";
    given.New().RefNF.nNF = 7;
    nfe.Ide.NFref = given;

    EXPECT_EQ(&nfe.Ide.NFref, own);
    ASSERT_EQ(nfe.Ide.NFref.Count(), 2);
    EXPECT_EQ(nfe.Ide.NFref, given);
    EXPECT_NE(&nfe.Ide.NFref[0], &given[0]) << "the items are copies";
    given[1].RefNF.nNF = 8;
    given.Clear();
    EXPECT_EQ(nfe.Ide.NFref[1].RefNF.nNF, 7);

    TpagCollection pag;
    pag.vTroco = Money(12345);
    pag.New().vPag = Money(1);
    nfe.pag.New();
    nfe.pag.New();
    nfe.pag.New();
    nfe.pag.Assign(pag);
    EXPECT_EQ(nfe.pag.vTroco, Money(12345)) << "the change travels with the payments";
    ASSERT_EQ(nfe.pag.Count(), 1);
    EXPECT_EQ(nfe.pag[0].vPag, Money(1));
}

// ---- Copying a document ----------------------------------------------------------------------

// Changes every group of a filled document, field values as well as list sizes.
void ChangeEverything(TNFe &nfe)
{
    nfe.infNFe.ID = "NFe0";
    nfe.Ide.natOp = "OUTRA";
    nfe.Ide.NFref.New().refNFe = "extra";
    nfe.Ide.NFref[0].refNFe.clear();
    nfe.Ide.NFref[1].RefNF.nNF = 999;
    nfe.Ide.NFref[2].RefNFP.modelo = "01";
    nfe.Ide.NFref[3].RefECF.nCOO = "9";
    nfe.Emit.xNome = "Outra";
    nfe.Emit.EnderEmit.xMun = "Santos";
    nfe.Avulsa.vDAR = Money(1);
    nfe.Dest.EnderDest.cPais = 1600;
    nfe.Dest.Email.clear();
    nfe.Retirada.xLgr += " (fundos)";
    nfe.Entrega.CEP = 1;

    nfe.Det.Delete(2);
    TProd &prod = nfe.Det[0].Prod;
    prod.vUnCom = 1.5;
    prod.qCom = Money(1);
    prod.DI[0].adi.Delete(0);
    prod.DI[0].vAFRMM = Money(2);
    prod.DI.New();
    prod.detExport[0].qExport = Money(3);
    prod.rastro.Clear();
    prod.veicProd.chassi = "X";
    prod.med[0].vPMC = Money(4);
    prod.arma[0].descr = "Revólver";
    prod.comb.pGLP = Money(5);
    prod.comb.encerrante.vEncFin = Money(6);
    prod.comb.ICMSCons.UFcons = "RS";
    prod.NVE[1].NVE = "ZZ9999";
    TImposto &imp = nfe.Det[0].Imposto;
    imp.ICMS.vICMSSubstituto = Money(7);
    imp.IPI.cEnq = "";
    imp.II.vIOF = Money(8);
    imp.PIS.CST = dfe::pis01;
    imp.PISST.vPIS = Money(9);
    imp.COFINS.vBCProd = Money(10);
    imp.COFINSST.vCOFINS = Money(11);
    imp.ISSQN.nProcesso = "P2";
    imp.ICMSUFDest.vICMSUFRemet = Money(12);
    nfe.Det[1].infAdProd = "mudado";

    nfe.Total.ICMSTot.vNF = Money(13);
    nfe.Total.ISSQNtot.dCompet = 0;
    nfe.Total.retTrib.vRetPrev = Money(14);
    nfe.Transp.Transporta.xNome = "Outra transportadora";
    nfe.Transp.retTransp.cMunFG = 1;
    nfe.Transp.veicTransp.placa = "ZZZ9Z99";
    nfe.Transp.Reboque.Delete(0);
    nfe.Transp.Vol[0].pesoB = Money(15);
    nfe.Transp.Vol[1].Lacres.New().nLacre = "extra";
    nfe.Cobr.Fat.vLiq = Money(16);
    nfe.Cobr.Dup[2].dVenc += 1;
    nfe.pag.vTroco = Money(17);
    nfe.pag[1].tBand = dfe::bcElo;
    nfe.InfAdic.infCpl.clear();
    nfe.InfAdic.obsCont[0].xTexto = "Maria";
    nfe.InfAdic.obsFisco.New();
    nfe.InfAdic.procRef[0].indProc = dfe::ipOutros;
    nfe.exporta.xLocDespacho = "Recinto 2";
    nfe.compra.xCont = "CT-2";
    nfe.cana.qTotGer = 1;
    nfe.cana.fordia[1].qtde = Money(18);
    nfe.cana.deduc.Delete(1);
    nfe.signature.SignatureValue = "b3V0cmE=";
    nfe.procNFe.xMotivo = "Cancelado";
    nfe.procNFe.XML_prot.clear();
    nfe.autXML.Delete(0);
    nfe.infNFeSupl.urlChave = "https://outra";
    nfe.infRespTec.idCSRT = 2;
}

struct Group {
    const char *name;
    std::function<bool(const TNFe &, const TNFe &)> same;
};

#define GROUP(path) Group{#path, [](const TNFe &a, const TNFe &b) { return a.path == b.path; }}

// Every group of the document, and the nested ones ChangeEverything reaches through lists.
const Group kGroups[] = {
    GROUP(infNFe),
    GROUP(Ide),
    GROUP(Ide.NFref),
    GROUP(Ide.NFref[1].RefNF),
    GROUP(Ide.NFref[2].RefNFP),
    GROUP(Ide.NFref[3].RefECF),
    GROUP(Emit),
    GROUP(Emit.EnderEmit),
    GROUP(Avulsa),
    GROUP(Dest),
    GROUP(Dest.EnderDest),
    GROUP(Retirada),
    GROUP(Entrega),
    GROUP(Det),
    GROUP(Det[0].Prod),
    GROUP(Det[0].Prod.DI),
    GROUP(Det[0].Prod.DI[0].adi),
    GROUP(Det[0].Prod.detExport),
    GROUP(Det[0].Prod.rastro),
    GROUP(Det[0].Prod.veicProd),
    GROUP(Det[0].Prod.med),
    GROUP(Det[0].Prod.arma),
    GROUP(Det[0].Prod.comb),
    GROUP(Det[0].Prod.comb.encerrante),
    GROUP(Det[0].Prod.comb.ICMSCons),
    GROUP(Det[0].Prod.NVE),
    GROUP(Det[0].Imposto),
    GROUP(Det[0].Imposto.ICMS),
    GROUP(Det[0].Imposto.IPI),
    GROUP(Det[0].Imposto.II),
    GROUP(Det[0].Imposto.PIS),
    GROUP(Det[0].Imposto.PISST),
    GROUP(Det[0].Imposto.COFINS),
    GROUP(Det[0].Imposto.COFINSST),
    GROUP(Det[0].Imposto.ISSQN),
    GROUP(Det[0].Imposto.ICMSUFDest),
    GROUP(Det[1]),
    GROUP(Total.ICMSTot),
    GROUP(Total.ISSQNtot),
    GROUP(Total.retTrib),
    GROUP(Transp.Transporta),
    GROUP(Transp.retTransp),
    GROUP(Transp.veicTransp),
    GROUP(Transp.Reboque),
    GROUP(Transp.Vol),
    GROUP(Transp.Vol[1].Lacres),
    GROUP(Cobr.Fat),
    GROUP(Cobr.Dup),
    GROUP(pag),
    GROUP(pag.vTroco),
    GROUP(InfAdic),
    GROUP(InfAdic.obsCont),
    GROUP(InfAdic.obsFisco),
    GROUP(InfAdic.procRef),
    GROUP(exporta),
    GROUP(compra),
    GROUP(cana),
    GROUP(cana.fordia),
    GROUP(cana.deduc),
    GROUP(signature.SignatureValue),
    GROUP(procNFe),
    GROUP(autXML),
    GROUP(infNFeSupl),
    GROUP(infRespTec),
};

#undef GROUP

// The copy (made by `copy`) equals the original; after every group of the copy is changed,
// the original still equals a freshly built document, and every group of the copy differs
// from it (so the changes reached every group the check names).
void ExpectIndependentCopy(const char *how, const std::function<void(const TNFe &, TNFe &)> &copy)
{
    TNFe original;
    FillDocument(original);
    TNFe fresh;
    FillDocument(fresh);
    ASSERT_TRUE(original == fresh) << "the fixture is not repeatable";

    TNFe target;
    target.Det.New().Prod.xProd = "item the copy must remove";
    target.pag.vTroco = Money(1);
    copy(original, target);
    EXPECT_TRUE(target == original) << how << ": the copy differs from its source";

    ChangeEverything(target);
    for (const Group &g : kGroups) {
        EXPECT_TRUE(g.same(original, fresh)) << how << ": changing the copy changed the original's " << g.name;
        EXPECT_FALSE(g.same(target, fresh)) << how << ": the check does not change " << g.name;
    }
    EXPECT_TRUE(original == fresh) << how;
}

TEST(NFeModelCopy, CopyAndOriginalShareNothing)
{
    ExpectIndependentCopy("Assign", [](const TNFe &source, TNFe &target) { target.Assign(source); });
    ExpectIndependentCopy("copy assignment", [](const TNFe &source, TNFe &target) { target = source; });
    ExpectIndependentCopy("copy construction", [](const TNFe &source, TNFe &target) {
        TNFe constructed(source);
        target = std::move(constructed);
    });
}

TEST(NFeModelCopy, ChangingTheOriginalLeavesTheCopy)
{
    TNFe original;
    FillDocument(original);
    const TNFe copy(original);
    ChangeEverything(original);
    TNFe fresh;
    FillDocument(fresh);
    for (const Group &g : kGroups)
        EXPECT_TRUE(g.same(copy, fresh)) << g.name;
}

TEST(NFeModelCopy, CopySurvivesItsSource)
{
    auto source = std::make_unique<TNFe>();
    FillDocument(*source);
    const TNFe copy(*source);
    const TDetCollectionItem *sourceItem = &(*source).Det[0];
    source.reset();

    TNFe fresh;
    FillDocument(fresh);
    EXPECT_TRUE(copy == fresh);
    EXPECT_NE(&copy.Det[0], sourceItem);
    EXPECT_EQ(copy.Det.Count(), 3);
    EXPECT_EQ(copy.Ide.NFref.Count(), 4);
    EXPECT_EQ(copy.Det[2].Prod.DI[0].adi[1].nDraw, "20240000002");
}

TEST(NFeModelCopy, ProtocolAndSignatureKeepTheTargetsGenerators)
{
    TNFe source;
    FillDocument(source);
    source.procNFe.Gerador.SetPrefixo("source:");
    source.signature.Gerador().SetPrefixo("source:");
    TNFe target;
    target.procNFe.Gerador.SetPrefixo("target:");
    target.signature.Gerador().SetPrefixo("target:");

    target = source;
    EXPECT_EQ(target.procNFe.Gerador.Prefixo(), "target:");
    EXPECT_EQ(target.signature.Gerador().Prefixo(), "target:");
    EXPECT_EQ(target.procNFe.nProt, "135240000012345");
    EXPECT_EQ(target.signature.X509Certificate, "Y2VydGlmaWNhdGU=");

    const TProcNFe constructed(source.procNFe);
    EXPECT_EQ(constructed.Gerador.Prefixo(), "") << "a new protocol has a generator of its own";
    EXPECT_TRUE(constructed == source.procNFe);
}

TEST(NFeModelCopy, SelfAssignmentChangesNothing)
{
    TNFe nfe;
    FillDocument(nfe);
    const TNFe &same = nfe;
    nfe = same;
    nfe.Assign(same);
    nfe.Det = same.Det;
    nfe.pag.Assign(same.pag);
    TNFe fresh;
    FillDocument(fresh);
    EXPECT_TRUE(nfe == fresh);
}

} // namespace

// A text held in the ANSI code page reads straight into the document, as it stands: the
// namespace declaration is no obstacle and a reading error escapes.
TEST(NFeModelXMLString, ATextHeldInTheAnsiCodePageReadsIntoTheDocument)
{
    const std::string texto =
        "<nfeProc><NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000000011000000010\">"
        "<ide><cUF>35</cUF><nNF>1</nNF><mod>55</mod></ide>"
        "<emit><CNPJ>11222333000181</CNPJ><xNome>São João &amp; Filhos</xNome></emit>"
        "</infNFe></NFe><protNFe><infProt><nProt>135190000000001</nProt></infProt></protNFe></nfeProc>";
    nfe::TNFe nfe;
    nfe.SetXMLString(rtl::Utf8ToAnsi(texto));
    EXPECT_EQ(nfe.infNFe.ID, "NFe35190111222333000181550010000000011000000010");
    EXPECT_EQ(nfe.Emit.xNome, "São João & Filhos");
    EXPECT_EQ(nfe.Ide.nNF, 1);
    EXPECT_EQ(nfe.procNFe.nProt, "135190000000001");

    EXPECT_THROW(nfe.SetXMLString("<NFe><infNFe versao=\"4.00\"></infNFe></NFe>"), rtl::Exception);
}

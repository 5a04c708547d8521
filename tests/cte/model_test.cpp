#include "cte/model.h"

#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace {

using namespace cte;

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

TEST(CTeModelDefaults, NewDocument)
{
    const TCTe cte;
    const TIde &ide = cte.ide;
    const TInfCTeNorm &norm = cte.infCTeNorm;
    const TEntrega &entrega = cte.Compl.Entrega;
    const TICMS &icms = cte.imp.ICMS;
    ExpectAll({
        {"not globalized", ide.indGlobalizado == dfe::tiNao},
        {"taker unchanged by a substitution", norm.infCteSub.indAlteraToma == dfe::tiNao},
        {"ide enumerations at their first values",
         ide.forPag == fpPago && ide.tpImp == dfe::tiSemGeracao && ide.tpEmis == dfe::teNormal &&
             ide.tpAmb == dfe::taProducao && ide.tpCTe == tcNormal && ide.procEmi == dfe::peAplicativoContribuinte &&
             ide.modal == dfe::mdRodoviario && ide.tpServ == tsNormal && ide.retira == rtSim &&
             ide.indIEToma == dfe::inContribuinte},
        {"takers", ide.toma03.Toma == tmRemetente && ide.toma4.toma == tmRemetente},
        {"ide numbers and dates zero",
         ide.cUF == 0 && ide.cCT == 0 && ide.CFOP == 0 && ide.modelo == 0 && ide.nCT == 0 && ide.dhEmi == 0 &&
             ide.cMunIni == 0 && ide.dhCont == 0},
        {"no version, no Id", cte.infCTe.versao == 0 && cte.infCTe.Id.empty()},
        {"delivery forecast kinds",
         entrega.TipoData == tdSemData && entrega.TipoHora == thSemHorario && entrega.comData.tpPer == tdSemData &&
             entrega.noInter.tpHor == thSemHorario && entrega.noPeriodo.dIni == 0},
        {"ICMS form and situations",
         icms.SituTrib == dfe::cst00 && icms.ICMS00.CST == dfe::cst00 && icms.ICMS90.CST == dfe::cst00 &&
             icms.ICMSOutraUF.CST == dfe::cst00 && icms.ICMSSN.indSN == 0},
        {"zero values",
         cte.vPrest.vTPrest == rtl::Currency() && icms.ICMS00.vICMS == rtl::Currency() &&
             cte.imp.ICMSUFFim.vICMSUFFim == rtl::Currency() && cte.imp.infTribFed.vINSS == rtl::Currency()},
        {"addresses not put anywhere",
         cte.rem.enderReme.cPais == 0 && cte.rem.enderReme.xPais.empty() && cte.dest.enderDest.cPais == 0 &&
             cte.toma.enderToma.cPais == 0 && cte.emit.enderEmit.cMun == 0},
        {"modal enumerations at their first values",
         norm.rodo.lota == ltNao && norm.aquav.direc == drNorte && norm.aquav.tpNav == dfe::tnInterior &&
             norm.ferrov.tpTraf == ttProprio && norm.ferrov.trafMut.respFat == tmOrigem &&
             norm.ferrov.trafMut.ferrEmi == tmOrigem && norm.multimodal.indNegociavel == inNaoNegociavel &&
             norm.rodoOS.infFretamento.tpFretamento == tfNenhum && norm.rodoOS.veic.prop.tpProp == dfe::tpTACAgregado},
        {"modal groups empty",
         norm.rodo.RNTRC.empty() && norm.rodoOS.veic.placa.empty() && norm.aereo.nMinu == 0 &&
             norm.aereo.tarifa.vTar == rtl::Currency() && norm.aquav.xNavio.empty() && norm.ferrov.fluxo.empty() &&
             norm.duto.vTar == rtl::Currency() && norm.multimodal.COTM.empty()},
        {"substitution, global and service groups empty",
         norm.infCteSub.chCte.empty() && norm.infCteSub.tomaICMS.refNF.nro == 0 &&
             norm.infCteSub.tomaNaoICMS.refCteAnu.empty() && norm.infGlobalizado.xObs.empty() &&
             norm.infServico.qCarga == rtl::Currency() && norm.refCTeCanc.empty()},
        {"closing groups empty",
         cte.infCteComp.chave.empty() && cte.infCteAnu.dEmi == 0 && cte.infRespTec.idCSRT == 0 &&
             cte.infCTeSupl.qrCodCTe.empty()},
        {"no protocol", cte.procCTe.nProt.empty() && cte.procCTe.cStat == 0 && cte.procCTe.tpAmb == dfe::taProducao},
        {"no signature", cte.signature.URI.empty() && cte.signature.DigestValue.empty()},
        {"lists of the root groups empty",
         ide.infPercurso.Count() == 0 && cte.Compl.fluxo.pass.Count() == 0 && cte.Compl.ObsCont.Count() == 0 &&
             cte.Compl.ObsFisco.Count() == 0 && cte.vPrest.Comp.Count() == 0 && cte.autXML.Count() == 0},
        {"lists of infCTeNorm empty",
         norm.infCarga.infQ.Count() == 0 && norm.infDoc.infNF.Count() == 0 && norm.infDoc.infNFe.Count() == 0 &&
             norm.infDoc.infOutros.Count() == 0 && norm.docAnt.emiDocAnt.Count() == 0 && norm.seg.Count() == 0 &&
             norm.peri.Count() == 0 && norm.veicNovos.Count() == 0 && norm.cobr.dup.Count() == 0 &&
             norm.infServVinc.infCTeMultimodal.Count() == 0 && norm.infDocRef.Count() == 0},
        {"lists of the modals empty",
         norm.rodo.occ.Count() == 0 && norm.rodo.valePed.Count() == 0 && norm.rodo.veic.Count() == 0 &&
             norm.rodo.lacRodo.Count() == 0 && norm.rodo.moto.Count() == 0 &&
             norm.aereo.natCarga.cinfManu.Count() == 0 && norm.aquav.balsa.Count() == 0 &&
             norm.aquav.detCont.Count() == 0 && norm.ferrov.ferroEnv.Count() == 0 && norm.ferrov.detVag.Count() == 0},
    });
}

TEST(CTeModelDefaults, NewItemsOwnTheirGroupsAndLists)
{
    TCTe cte;
    TInfCTeNorm &norm = cte.infCTeNorm;

    TInfNFCollectionItem &nf = norm.infDoc.infNF.New();
    TinfUnidTranspCollectionItem &unid = nf.infUnidTransp.New();
    const TInfOutrosCollectionItem &outros = norm.infDoc.infOutros.Add();
    const TVeicCollectionItem &veic = norm.rodo.veic.New();
    const TOccCollectionItem &occ = norm.rodo.occ.New();
    const TdetContCollectionItem &cont = norm.aquav.detCont.New();
    const TEmiDocAntCollectionItem &emiDocAnt = norm.docAnt.emiDocAnt.New();
    const TFerroEnvCollectionItem &ferroEnv = norm.ferrov.ferroEnv.New();
    ExpectAll({
        {"paper invoice units", nf.infUnidTransp.Count() == 1 && nf.infUnidCarga.Count() == 0},
        {"paper invoice at its defaults", nf.modelo == dfe::moNF011AAvulsa && nf.nCFOP == 0 && nf.dPrev == 0},
        {"transport unit's seals and cargo units", unid.lacUnidTransp.Count() == 0 && unid.infUnidCarga.Count() == 0},
        {"transport unit at its defaults", unid.tpUnidTransp == dfe::utRodoTracao && unid.qtdRat == 0},
        {"other document's units",
         outros.infUnidTransp.Count() == 0 && outros.infUnidCarga.Count() == 0 && outros.tpDoc == tdDeclaracao},
        {"vehicle's owner empty", veic.Prop.CNPJCPF.empty() && veic.Prop.tpProp == dfe::tpTACAgregado},
        {"vehicle at its defaults",
         veic.tpProp == tpProprio && veic.tpVeic == tvTracao && veic.tpRod == dfe::trNaoAplicavel &&
             veic.tpCar == dfe::tcNaoAplicavel},
        {"cargo-order slip's issuer empty", occ.emiOcc.CNPJ.empty() && occ.emiOcc.UF.empty() && occ.nOcc == 0},
        {"container's seals", cont.Lacre.Count() == 0},
        {"container's documents", cont.infDoc.infNF.Count() == 0 && cont.infDoc.infNFe.Count() == 0},
        {"previous documents of an issuer", emiDocAnt.idDocAnt.Count() == 0},
        {"railway's address", ferroEnv.enderFerro.cMun == 0 && ferroEnv.enderFerro.xLgr.empty()},
    });

    // Each item's lists are its own.
    unid.infUnidCarga.New().idUnidCarga = "C1";
    nf.infUnidCarga.New().idUnidCarga = "C2";
    const TInfNFCollectionItem &second = norm.infDoc.infNF.New();
    ExpectAll({
        {"a unit's cargo units", unid.infUnidCarga.Count() == 1 && unid.infUnidCarga[0].idUnidCarga == "C1"},
        {"the invoice's cargo units", nf.infUnidCarga.Count() == 1 && nf.infUnidCarga[0].idUnidCarga == "C2"},
        {"a new invoice shares nothing", second.infUnidTransp.Count() == 0 && second.infUnidCarga.Count() == 0},
    });
}

TEST(CTeModelDefaults, IcmsFormSelectedWhileTheOthersStayEmpty)
{
    TCTe cte;
    TICMS &icms = cte.imp.ICMS;
    icms.SituTrib = dfe::cst90;
    icms.ICMS90.CST = dfe::cst90;
    icms.ICMS90.vBC = rtl::Currency(100);
    ExpectAll({
        {"the chosen form", icms.ICMS90.vBC == rtl::Currency(100)},
        {"the other forms empty",
         icms.ICMS00 == TCST00() && icms.ICMS20 == TCST20() && icms.ICMS45 == TCST45() && icms.ICMS60 == TCST60() &&
             icms.ICMSOutraUF == TICMSOutraUF() && icms.ICMSSN == TICMSSN()},
    });
}

// ---- Version text ----------------------------------------------------------------------------

TEST(CTeModel, VersionAttributeText)
{
    struct Case {
        double versao;
        const char *text;
    };
    const Case cases[] = {
        {3.0, "versao=\"3.00\""}, {2.0, "versao=\"2.00\""}, {2.5, "versao=\"2.50\""},
        {1.04, "versao=\"1.04\""}, {0.0, "versao=\"2.00\""}, {-1.0, "versao=\"2.00\""},
    };
    // The XML takes a point whatever the user's decimal separator.
    for (const rtl::TFormatSettings &settings : {rtl::TFormatSettings{}, rtl::TFormatSettings::Brazil()}) {
        const rtl::ScopedFormatSettings scoped(settings);
        for (const Case &c : cases) {
            TInfCTe inf;
            inf.versao = c.versao;
            EXPECT_EQ(inf.VersaoStr(), c.text) << c.versao << " with '" << settings.DecimalSeparator << "'";
        }
    }
}

// ---- Lists -----------------------------------------------------------------------------------

// What every list of the model does: items read back by position, positions outside the list
// refused with the list's index error, an item replaced in place.
template <class List, class Name>
void ExpectOwningList(const char *list, List &items, Name name)
{
    SCOPED_TRACE(list);
    ASSERT_EQ(items.Count(), 0);
    name(items.New()) = "first";
    name(items.Add()) = "second";
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(name(items.Items(0)), "first");
    EXPECT_EQ(name(items[1]), "second");

    EXPECT_THROW(items.Items(2), rtl::EListError);
    EXPECT_THROW(items.Items(-1), rtl::EListError);

    using Item = std::remove_reference_t<decltype(items.Items(0))>;
    auto replacement = std::make_unique<Item>();
    name(*replacement) = "replaced";
    items.SetItems(1, std::move(replacement));
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(name(items[1]), "replaced");

    EXPECT_THROW(items.SetItems(2, std::make_unique<Item>()), rtl::EListError);
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(name(items[0]), "first");
}

TEST(CTeModel, ListsOwnTheirItemsAndCheckPositions)
{
    TCTe cte;
    ExpectOwningList("ObsCont", cte.Compl.ObsCont, [](TObsContCollectionItem &i) -> std::string & { return i.xTexto; });
    ExpectOwningList("autXML", cte.autXML, [](TautXMLCollectionItem &i) -> std::string & { return i.CNPJCPF; });
    ExpectOwningList("veic", cte.infCTeNorm.rodo.veic, [](TVeicCollectionItem &i) -> std::string & { return i.placa; });
    ExpectOwningList("infUnidTransp of an NF-e", cte.infCTeNorm.infDoc.infNFe.New().infUnidTransp,
                     [](TinfUnidTranspCollectionItem &i) -> std::string & { return i.idUnidTransp; });
    ExpectOwningList("container seals", cte.infCTeNorm.aquav.detCont.New().Lacre,
                     [](TLacreCollectionItem &i) -> std::string & { return i.nLacre; });
}

TEST(CTeModel, CopiesShareNothing)
{
    TCTe original;
    original.infCTeNorm.rodo.veic.New().Prop.xNome = "Dono";
    original.infCTeNorm.aquav.detCont.New().infDoc.infNFe.New().chave = "1";

    TCTe copy = original;
    ASSERT_TRUE(copy == original);
    copy.infCTeNorm.rodo.veic[0].Prop.xNome = "Outro";
    copy.infCTeNorm.aquav.detCont[0].infDoc.infNFe.New();

    EXPECT_EQ(original.infCTeNorm.rodo.veic[0].Prop.xNome, "Dono");
    EXPECT_EQ(original.infCTeNorm.aquav.detCont[0].infDoc.infNFe.Count(), 1);
    EXPECT_FALSE(copy == original);
}

TEST(CTeModel, EqualityLooksAtEveryGroup)
{
    using Change = std::function<void(TCTe &)>;
    const struct {
        const char *group;
        Change change;
    } changes[] = {
        {"infCTe", [](TCTe &c) { c.infCTe.versao = 3; }},
        {"ide", [](TCTe &c) { c.ide.toma4.enderToma.cMun = 1; }},
        {"Compl", [](TCTe &c) { c.Compl.Entrega.noInter.hFim = 0.5; }},
        {"emit", [](TCTe &c) { c.emit.enderEmit.fone = "1"; }},
        {"toma", [](TCTe &c) { c.toma.email = "a"; }},
        {"rem", [](TCTe &c) { c.rem.locColeta.UF = "SP"; }},
        {"exped", [](TCTe &c) { c.exped.IE = "1"; }},
        {"receb", [](TCTe &c) { c.receb.xNome = "a"; }},
        {"dest", [](TCTe &c) { c.dest.locEnt.cMun = 1; }},
        {"vPrest", [](TCTe &c) { c.vPrest.Comp.New(); }},
        {"imp", [](TCTe &c) { c.imp.infTribFed.vCSLL = rtl::Currency(1); }},
        {"infCTeNorm", [](TCTe &c) { c.infCTeNorm.ferrov.detVag.New(); }},
        {"infCteComp", [](TCTe &c) { c.infCteComp.chave = "1"; }},
        {"infCteAnu", [](TCTe &c) { c.infCteAnu.chCTe = "1"; }},
        {"autXML", [](TCTe &c) { c.autXML.New(); }},
        {"infRespTec", [](TCTe &c) { c.infRespTec.hashCSRT = "x"; }},
        {"infCTeSupl", [](TCTe &c) { c.infCTeSupl.qrCodCTe = "x"; }},
        {"procCTe", [](TCTe &c) { c.procCTe.xMsg = "x"; }},
        {"signature", [](TCTe &c) { c.signature.X509Certificate = "x"; }},
    };
    for (const auto &c : changes) {
        TCTe changed;
        c.change(changed);
        EXPECT_FALSE(changed == TCTe()) << c.group;
    }
    TCTe other;
    other.procCTe.Gerador.wTexto("<x/>");
    EXPECT_TRUE(other == TCTe()) << "the protocol's generator is no part of the document";
}

} // namespace

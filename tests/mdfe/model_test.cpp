#include "mdfe/model.h"

#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>

namespace {

using namespace mdfe;

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

TEST(MDFeModelDefaults, NewDocument)
{
    const TMDFe mdfe;
    const TIde &ide = mdfe.Ide;
    ExpectAll({
        {"version unset", mdfe.infMDFe.versao == 0},
        {"unset version text", mdfe.infMDFe.VersaoStr() == "versao=\"1.00\""},
        {"no key", mdfe.infMDFe.Id.empty()},
        {"no model code until the list sets it", ide.modelo.empty()},
        {"green channel: no", ide.indCanalVerde == dfe::tiNao},
        {"later loading: no", ide.indCarregaPosterior == dfe::tiNao},
        {"ide enumerations at their first values",
         ide.tpAmb == dfe::taProducao && ide.tpEmit == teTransportadora && ide.tpTransp == ttNenhum &&
             ide.modal == moRodoviario && ide.tpEmis == dfe::teNormal &&
             ide.procEmi == dfe::peAplicativoContribuinte},
        {"ide numbers zero", ide.cUF == 0 && ide.serie == 0 && ide.nMDF == 0 && ide.cMDF == 0 && ide.cDV == 0},
        {"ide dates zero", ide.dhEmi == 0 && ide.dhIniViagem == 0},
        {"no loading municipalities or crossed states", ide.infMunCarrega.Count() == 0 && ide.infPercurso.Count() == 0},
        {"road vehicle types", mdfe.rodo.veicTracao.tpRod == dfe::trNaoAplicavel &&
                                   mdfe.rodo.veicTracao.tpCar == dfe::tcNaoAplicavel},
        {"road lists empty", mdfe.rodo.veicReboque.Count() == 0 && mdfe.rodo.lacRodo.Count() == 0 &&
                                 mdfe.rodo.valePed.disp.Count() == 0 && mdfe.rodo.veicTracao.condutor.Count() == 0},
        {"contract lists empty", mdfe.rodo.infANTT.infCIOT.Count() == 0 &&
                                     mdfe.rodo.infANTT.infContratante.Count() == 0 &&
                                     mdfe.rodo.infANTT.valePed.disp.Count() == 0 &&
                                     mdfe.rodo.infANTT.infPag.Count() == 0},
        {"air modal empty", mdfe.aereo.nac == 0 && mdfe.aereo.nVoo.empty() && mdfe.aereo.dVoo == 0},
        {"waterway navigation", mdfe.aquav.tpNav == dfe::tnInterior},
        {"waterway lists empty", mdfe.aquav.infTermCarreg.Count() == 0 && mdfe.aquav.infTermDescarreg.Count() == 0 &&
                                     mdfe.aquav.infEmbComb.Count() == 0 &&
                                     mdfe.aquav.infUnidCargaVazia.Count() == 0 &&
                                     mdfe.aquav.infUnidTranspVazia.Count() == 0},
        {"no wagons", mdfe.ferrov.vag.Count() == 0 && mdfe.ferrov.qVag == 0},
        {"no unloading municipalities", mdfe.infDoc.infMunDescarga.Count() == 0},
        {"no insurance, seals or authorised parties",
         mdfe.seg.Count() == 0 && mdfe.lacres.Count() == 0 && mdfe.autXML.Count() == 0},
        {"totals zero in m3", mdfe.tot.qCTe == 0 && mdfe.tot.qNFe == 0 && mdfe.tot.vCarga == 0 &&
                                  mdfe.tot.qCarga == 0 && mdfe.tot.cUnid == dfe::uM3},
        {"predominant product", mdfe.prodPred.tpCarga == tcGranelSolido && mdfe.prodPred.xProd.empty() &&
                                    mdfe.prodPred.infLocalCarrega.CEP == 0},
        {"no protocol", mdfe.procMDFe.nProt.empty() && mdfe.procMDFe.cStat == 0 &&
                            mdfe.procMDFe.tpAmb == dfe::taProducao},
        {"no QR Code", mdfe.infMDFeSupl.qrCodMDFe.empty()},
        {"no signature", mdfe.signature.URI.empty() && mdfe.signature.DigestValue.empty()},
    });
}

TEST(MDFeModelDefaults, NewItemsStartEmptyWithTheirOwnLists)
{
    TMDFe mdfe;
    TinfMunDescargaCollectionItem &mun = mdfe.infDoc.infMunDescarga.New();
    TinfCTeCollectionItem &cte = mun.infCTe.New();
    TinfCTCollectionItem &ct = mun.infCT.New();
    TinfNFeCollectionItem &nfe = mun.infNFe.New();
    TinfNFCollectionItem &nf = mun.infNF.New();
    TinfMDFeTranspCollectionItem &transp = mun.infMDFeTransp.New();
    TinfUnidTranspCollectionItem &unid = cte.infUnidTransp.New();
    TinfUnidCargaCollectionItem &carga = unid.infUnidCarga.New();
    const TSegCollectionItem &seg = mdfe.seg.New();
    const TinfPagCollectionItem &pag = mdfe.rodo.infANTT.infPag.New();
    const TveicReboqueCollectionItem &reboque = mdfe.rodo.veicReboque.New();
    ExpectAll({
        {"municipality's documents", mun.infCTe.Count() == 1 && mun.infCT.Count() == 1 && mun.infNFe.Count() == 1 &&
                                         mun.infNF.Count() == 1 && mun.infMDFeTransp.Count() == 1},
        {"CT-e's lists", cte.peri.Count() == 0 && cte.infUnidTransp.Count() == 1},
        {"CT-e's partial delivery", cte.infEntregaParcial.qtdTotal == 0 && cte.infEntregaParcial.qtdParcial == 0},
        {"paper CT's units", ct.infUnidTransp.Count() == 0 && ct.serie == 0 && ct.dEmi == 0},
        {"NF-e's lists", nfe.infUnidTransp.Count() == 0 && nfe.peri.Count() == 0},
        {"paper invoice's units", nf.infUnidTransp.Count() == 0 && nf.nNF == 0 && nf.PIN == 0},
        {"carried manifest's lists", transp.infUnidTransp.Count() == 0 && transp.peri.Count() == 0},
        {"transport unit", unid.tpUnidTransp == dfe::utRodoTracao && unid.lacUnidTransp.Count() == 0 &&
                               unid.qtdRat == 0},
        {"cargo unit", carga.tpUnidCarga == dfe::ucContainer && carga.lacUnidCarga.Count() == 0},
        {"insurance", seg.respSeg == rsEmitente && seg.aver.Count() == 0},
        {"payment", pag.indPag == ipVista && pag.Comp.Count() == 0 && pag.infPrazo.Count() == 0 &&
                        pag.infBanc.codBanco.empty()},
        {"trailer's owner", reboque.prop.tpProp == dfe::tpTACAgregado && reboque.prop.CNPJCPF.empty() &&
                                reboque.tpCar == dfe::tcNaoAplicavel},
        {"component", mdfe.rodo.infANTT.infPag[0].Comp.New().tpComp == tcValePedagio},
        {"empty vehicle units", mdfe.aquav.infUnidCargaVazia.New().tpUnidCargaVazia == dfe::ucContainer &&
                                    mdfe.aquav.infUnidTranspVazia.New().tpUnidTranspVazia == dfe::utRodoTracao},
    });
}

// ---- Version text ---------------------------------------------------------------------------

TEST(MDFeModelInfMDFe, VersionTextIgnoresTheLocale)
{
    rtl::ScopedFormatSettings brazil(rtl::TFormatSettings::Brazil());
    struct Case {
        const char *name;
        double versao;
        const char *text;
    };
    const Case cases[] = {
        {"unset", 0, "versao=\"1.00\""},
        {"unreadable", -1, "versao=\"1.00\""},
        {"1.00", 1.0, "versao=\"1.00\""},
        {"3.00", 3.0, "versao=\"3.00\""},
        {"1.50", 1.5, "versao=\"1.50\""},
        {"two decimals, rounded", 2.999, "versao=\"3.00\""},
        {"no thousands separator", 1234.5, "versao=\"1234.50\""},
    };
    for (const Case &c : cases) {
        TinfMDFe inf;
        inf.versao = c.versao;
        EXPECT_EQ(inf.VersaoStr(), c.text) << c.name;
    }
}

// ---- Repeated groups -------------------------------------------------------------------------

// Two items in the list, then every access outside it raises the list error and leaves both.
template <class List>
void ExpectRangeChecked(const char *name, List &list)
{
    list.Clear();
    auto &first = list.New();
    auto &second = list.Add();
    ASSERT_EQ(list.Count(), 2) << name;
    EXPECT_EQ(&list[0], &first) << name;
    EXPECT_EQ(&list.Items(1), &second) << name;
    const List &view = list;
    using Item = std::remove_reference_t<decltype(first)>;
    EXPECT_THROW((void)list.Items(-1), rtl::EListError) << name << ": read below";
    EXPECT_THROW((void)list[2], rtl::EListError) << name << ": read at Count";
    EXPECT_THROW((void)view.Items(2), rtl::EListError) << name << ": read at Count, const";
    EXPECT_THROW(list.SetItems(-1, std::make_unique<Item>()), rtl::EListError) << name << ": replace below";
    EXPECT_THROW(list.SetItems(2, std::make_unique<Item>()), rtl::EListError) << name << ": replace at Count";
    EXPECT_THROW(list.SetItems(0, nullptr), rtl::EListError) << name << ": replace with nothing";
    ASSERT_EQ(list.Count(), 2) << name;
    EXPECT_EQ(&list[0], &first) << name;
    EXPECT_EQ(&list[1], &second) << name;
}

TEST(MDFeModelCollections, EveryListChecksItsIndex)
{
    TMDFe m;
    auto &mun = m.infDoc.infMunDescarga.New();
    auto &cte = mun.infCTe.New();
    auto &unid = cte.infUnidTransp.New();
    auto &pag = m.rodo.infANTT.infPag.New();
    ExpectRangeChecked("infMunCarrega", m.Ide.infMunCarrega);
    ExpectRangeChecked("infPercurso", m.Ide.infPercurso);
    ExpectRangeChecked("infCIOT", m.rodo.infANTT.infCIOT);
    ExpectRangeChecked("infContratante", m.rodo.infANTT.infContratante);
    ExpectRangeChecked("disp", m.rodo.infANTT.valePed.disp);
    ExpectRangeChecked("Comp", pag.Comp);
    ExpectRangeChecked("infPrazo", pag.infPrazo);
    ExpectRangeChecked("condutor", m.rodo.veicTracao.condutor);
    ExpectRangeChecked("veicReboque", m.rodo.veicReboque);
    ExpectRangeChecked("lacRodo", m.rodo.lacRodo);
    ExpectRangeChecked("infTermCarreg", m.aquav.infTermCarreg);
    ExpectRangeChecked("infTermDescarreg", m.aquav.infTermDescarreg);
    ExpectRangeChecked("infEmbComb", m.aquav.infEmbComb);
    ExpectRangeChecked("infUnidCargaVazia", m.aquav.infUnidCargaVazia);
    ExpectRangeChecked("infUnidTranspVazia", m.aquav.infUnidTranspVazia);
    ExpectRangeChecked("vag", m.ferrov.vag);
    ExpectRangeChecked("infCT", mun.infCT);
    ExpectRangeChecked("infNFe", mun.infNFe);
    ExpectRangeChecked("infNF", mun.infNF);
    ExpectRangeChecked("infMDFeTransp", mun.infMDFeTransp);
    ExpectRangeChecked("infUnidCarga", unid.infUnidCarga);
    ExpectRangeChecked("lacUnidTransp", unid.lacUnidTransp);
    ExpectRangeChecked("peri", cte.peri);
    ExpectRangeChecked("seg", m.seg);
    ExpectRangeChecked("aver", m.seg[0].aver);
    ExpectRangeChecked("lacres", m.lacres);
    ExpectRangeChecked("autXML", m.autXML);
    // The lists holding the items above go last, since refilling them frees those items.
    ExpectRangeChecked("infUnidTransp", cte.infUnidTransp);
    ExpectRangeChecked("infCTe", mun.infCTe);
    ExpectRangeChecked("infPag", m.rodo.infANTT.infPag);
    ExpectRangeChecked("infMunDescarga", m.infDoc.infMunDescarga);
}

// A document with items at every depth of the documents tree; destroying or clearing it
// frees each item once (the sanitizer build reports a leak or a second free).
TMDFe NestedDocument()
{
    TMDFe m;
    for (int i = 0; i < 2; ++i) {
        auto &mun = m.infDoc.infMunDescarga.New();
        mun.cMunDescarga = 3550308 + i;
        for (int j = 0; j < 2; ++j) {
            auto &cte = mun.infCTe.New();
            cte.chCTe = "CTe" + std::to_string(i) + std::to_string(j);
            cte.peri.New().nONU = "1203";
            auto &unid = cte.infUnidTransp.New();
            unid.idUnidTransp = "ABC1234";
            unid.lacUnidTransp.New().nLacre = "L1";
            auto &carga = unid.infUnidCarga.New();
            carga.idUnidCarga = "CONT1";
            carga.lacUnidCarga.New().nLacre = "L2";
            mun.infNF.New().infUnidTransp.New().infUnidCarga.New().lacUnidCarga.New();
        }
    }
    m.seg.New().aver.New().nAver = "A1";
    m.rodo.infANTT.infPag.New().infPrazo.New().nParcela = 1;
    return m;
}

TEST(MDFeModelCollections, NestedItemsAreFreedOnce)
{
    {
        const TMDFe m = NestedDocument();
        ASSERT_EQ(m.infDoc.infMunDescarga[1].infCTe[1].infUnidTransp[0].infUnidCarga[0].lacUnidCarga[0].nLacre, "L2");
    }
    TMDFe m = NestedDocument();
    m.infDoc.infMunDescarga.Delete(0);
    ASSERT_EQ(m.infDoc.infMunDescarga.Count(), 1);
    EXPECT_EQ(m.infDoc.infMunDescarga[0].cMunDescarga, 3550309);
    m.infDoc.infMunDescarga.Clear();
    EXPECT_EQ(m.infDoc.infMunDescarga.Count(), 0);
}

TEST(MDFeModelCollections, ACopySharesNoItemWithItsSource)
{
    const TMDFe original = NestedDocument();
    TMDFe copy = original;
    EXPECT_EQ(copy, original);
    EXPECT_NE(&copy.infDoc.infMunDescarga[0].infCTe[0], &original.infDoc.infMunDescarga[0].infCTe[0]);

    copy.infDoc.infMunDescarga[0].infCTe[0].infUnidTransp[0].lacUnidTransp[0].nLacre = "changed";
    copy.seg[0].aver.Clear();
    EXPECT_FALSE(copy == original);
    EXPECT_EQ(original.infDoc.infMunDescarga[0].infCTe[0].infUnidTransp[0].lacUnidTransp[0].nLacre, "L1");
    EXPECT_EQ(original.seg[0].aver.Count(), 1);
}

} // namespace

// The CT-e component: its settings, the two-way link with a DACTE, the status code sets
// and the contingency key.
#include "cte/component.h"

#include "dacte_falso.h"

#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/inifile.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

using cte::TOvixCTe;
using cte_teste::TDACTeFalso;

TEST(CTeComponent, NewComponentHasTheCTeSettings)
{
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    const cte::TConfiguracoesCTe &conf = comp->Configuracoes();
    EXPECT_EQ(conf.Geral().ModeloDF(), cte::moCTe);
    EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 57);
    EXPECT_EQ(conf.Geral().VersaoDF(), cte::ve300);
    EXPECT_FALSE(conf.Arquivos().EmissaoPathCTe());
    EXPECT_FALSE(conf.Arquivos().SalvarApenasCTeProcessados());
    EXPECT_FALSE(conf.Arquivos().NormatizarMunicipios());
    EXPECT_EQ(conf.Arquivos().PathCTe() + conf.Arquivos().PathInu() + conf.Arquivos().PathEvento() +
                  conf.Arquivos().PathArquivoMunicipios(),
              "");
    EXPECT_EQ(conf.SessaoIni(), "CTe");
    EXPECT_EQ(conf.WebServices().ResourceName(), "OvixCTeServicos");
    EXPECT_EQ(comp->GetNomeModeloDFe(), "CTe");
    EXPECT_EQ(comp->GetNameSpaceURI(), "http://www.portalfiscal.inf.br/cte");
    EXPECT_EQ(comp->Status(), cte::stCTeIdle);
    EXPECT_EQ(comp->Conhecimentos().Count(), 0);

    comp->Configuracoes().Geral().SetModeloDF(cte::moCTeOS);
    EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 67);
    EXPECT_EQ(comp->GetNomeModeloDFe(), "CTeOS");
    comp->Configuracoes().Geral().SetModeloDF(cte::moCTe);
    EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 57);
}

// Every CT-e setting goes to the section "CTe" and comes back into another component; a
// stored number that names no model or version keeps the current setting.
TEST(CTeComponent, SettingsGoToTheCTeSectionAndComeBack)
{
    auto origem = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::TConfiguracoesCTe &o = origem->Configuracoes();
    o.Geral().SetModeloDF(cte::moCTeOS);
    o.Geral().SetVersaoDF(cte::ve200);
    o.Arquivos().SetSalvarApenasCTeProcessados(true);
    o.Arquivos().SetEmissaoPathCTe(true);
    o.Arquivos().SetNormatizarMunicipios(true);
    o.Arquivos().SetPathCTe("/dados/cte");
    o.Arquivos().SetPathInu("/dados/inu");
    o.Arquivos().SetPathEvento("/dados/evento");
    o.Arquivos().SetPathArquivoMunicipios("/dados/mun");

    rtl::TMemIniFile ini;
    o.Geral().GravarIni(ini);
    o.Arquivos().GravarIni(ini);
    EXPECT_EQ(ini.ReadString("CTe", "ModeloDF", ""), "1");
    EXPECT_EQ(ini.ReadString("CTe", "VersaoDF", ""), "0");
    EXPECT_EQ(ini.ReadString("CTe", "PathInu", ""), "/dados/inu");
    EXPECT_EQ(ini.ReadString("CTe", "EmissaoPathCTe", ""), "1");

    auto destino = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::TConfiguracoesCTe &d = destino->Configuracoes();
    d.Geral().LerIni(ini);
    d.Arquivos().LerIni(ini);
    EXPECT_EQ(d.Geral().ModeloDF(), cte::moCTeOS);
    EXPECT_EQ(d.Geral().ModeloDFCodigo(), 67);
    EXPECT_EQ(d.Geral().VersaoDF(), cte::ve200);
    EXPECT_TRUE(d.Arquivos().SalvarApenasCTeProcessados());
    EXPECT_TRUE(d.Arquivos().EmissaoPathCTe());
    EXPECT_TRUE(d.Arquivos().NormatizarMunicipios());
    EXPECT_EQ(d.Arquivos().PathCTe(), "/dados/cte");
    EXPECT_EQ(d.Arquivos().PathInu(), "/dados/inu");
    EXPECT_EQ(d.Arquivos().PathEvento(), "/dados/evento");
    EXPECT_EQ(d.Arquivos().PathArquivoMunicipios(), "/dados/mun");

    for (const char *fora : {"2", "-1", "57", "x"}) {
        rtl::TMemIniFile estranho;
        estranho.WriteString("CTe", "ModeloDF", fora);
        estranho.WriteString("CTe", "VersaoDF", fora);
        d.Geral().LerIni(estranho);
        EXPECT_EQ(d.Geral().ModeloDF(), cte::moCTeOS) << fora;
        EXPECT_EQ(d.Geral().ModeloDFCodigo(), 67) << fora;
        EXPECT_EQ(d.Geral().VersaoDF(), cte::ve200) << fora;
    }
}

TEST(CTeComponent, StatusCodeSets)
{
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    const struct Row {
        int cStat;
        bool confirmado, processado, cancelado;
    } rows[] = {
        {100, true, true, false},   {150, true, true, false},   {110, false, true, false},
        {301, false, true, false},  {302, false, true, false},  {101, false, false, true},
        {151, false, false, true},  {155, false, false, true},  {135, false, false, false},
        {303, false, false, false}, {0, false, false, false},   {204, false, false, false},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(comp->cStatConfirmado(r.cStat), r.confirmado) << r.cStat;
        EXPECT_EQ(comp->cStatProcessado(r.cStat), r.processado) << r.cStat;
        EXPECT_EQ(comp->cStatCancelado(r.cStat), r.cancelado) << r.cStat;
    }
}

// ---- The DACTE link ----------------------------------------------------------------------

// Two CT-e components and two DACTEs without owner, so that only the link itself tells
// each one of the other's removal.
struct TQuarteto {
    std::array<rtl::TComponentPtr<TOvixCTe>, 2> c{rtl::TComponent::CreateFree<TOvixCTe>(),
                                                  rtl::TComponent::CreateFree<TOvixCTe>()};
    std::array<rtl::TComponentPtr<TDACTeFalso>, 2> d{rtl::TComponent::CreateFree<TDACTeFalso>(),
                                                     rtl::TComponent::CreateFree<TDACTeFalso>()};

    // The partner's index, or -1 without one (-2 for an unknown partner).
    int DacteDe(int i) const
    {
        const cte::TDACTeLink *p = c[i]->DACTE();
        return p == nullptr ? -1 : p == d[0].get() ? 0 : p == d[1].get() ? 1 : -2;
    }
    int CTeDe(int i) const
    {
        const TOvixCTe *p = d[i]->OvixCTe();
        return p == nullptr ? -1 : p == c[0].get() ? 0 : p == c[1].get() ? 1 : -2;
    }
};

TEST(CTeComponent, AnAssignmentOnEitherSideLinksBoth)
{
    using Acao = std::function<void(TQuarteto &)>;
    const Acao nada = [](TQuarteto &) {};
    const Acao par0 = [](TQuarteto &q) { q.c[0]->SetDACTE(q.d[0].get()); };
    const Acao pares = [](TQuarteto &q) {
        q.c[0]->SetDACTE(q.d[0].get());
        q.c[1]->SetDACTE(q.d[1].get());
    };
    const struct Row {
        const char *name;
        Acao antes;
        Acao acao;
        // The DACTE of c[0], c[1]; the CT-e component of d[0], d[1] (-1: none).
        std::array<int, 4> esperado;
    } rows[] = {
        {"on the CT-e side", nada, par0, {0, -1, 0, -1}},
        {"on the DACTE side", nada, [](TQuarteto &q) { q.d[1]->SetOvixCTe(q.c[0].get()); }, {1, -1, -1, 0}},
        {"the same DACTE again", par0, par0, {0, -1, 0, -1}},
        {"another DACTE unlinks the first", par0, [](TQuarteto &q) { q.c[0]->SetDACTE(q.d[1].get()); },
         {1, -1, -1, 0}},
        {"another CT-e unlinks the first", par0, [](TQuarteto &q) { q.d[0]->SetOvixCTe(q.c[1].get()); },
         {-1, 0, 1, -1}},
        {"the other pair's DACTE", pares, [](TQuarteto &q) { q.c[0]->SetDACTE(q.d[1].get()); }, {1, -1, -1, 0}},
        {"unlinked from the CT-e side", par0, [](TQuarteto &q) { q.c[0]->SetDACTE(nullptr); },
         {-1, -1, -1, -1}},
        {"unlinked from the DACTE side", par0, [](TQuarteto &q) { q.d[0]->SetOvixCTe(nullptr); },
         {-1, -1, -1, -1}},
    };
    for (const Row &row : rows) {
        // Freeing either side must clear the other side's link; both orders are tried.
        for (const bool dactesPrimeiro : {true, false}) {
            TQuarteto q;
            row.antes(q);
            row.acao(q);
            EXPECT_EQ((std::array<int, 4>{q.DacteDe(0), q.DacteDe(1), q.CTeDe(0), q.CTeDe(1)}), row.esperado)
                << row.name;
            if (dactesPrimeiro) {
                q.d[0].reset();
                q.d[1].reset();
                EXPECT_EQ(q.c[0]->DACTE(), nullptr) << row.name << ": DACTE freed";
                EXPECT_EQ(q.c[1]->DACTE(), nullptr) << row.name << ": DACTE freed";
            } else {
                q.c[0].reset();
                q.c[1].reset();
                EXPECT_EQ(q.d[0]->OvixCTe(), nullptr) << row.name << ": CT-e freed";
                EXPECT_EQ(q.d[1]->OvixCTe(), nullptr) << row.name << ": CT-e freed";
            }
        }
    }
}

// Owned by one holder, as on the main window: freeing the linked DACTE clears the link,
// and the list then refuses to print.
TEST(CTeComponent, FreeingTheLinkedDACTEClearsTheLink)
{
    auto dono = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *comp = rtl::TComponent::Create<TOvixCTe>(dono.get());
    auto *dacte = rtl::TComponent::Create<TDACTeFalso>(dono.get());
    comp->SetDACTE(dacte);
    EXPECT_EQ(dacte->OvixCTe(), comp);
    EXPECT_THROW(dacte->SetOvixCTe(dono.get()), rtl::Exception);
    EXPECT_EQ(dacte->OvixCTe(), comp);

    dacte->Free();
    EXPECT_EQ(comp->DACTE(), nullptr);
    try {
        comp->Conhecimentos().Imprimir();
        FAIL() << "no error";
    } catch (const cte::EOvixCTeException &e) {
        EXPECT_EQ(e.Message(), "Componente DACTE não associado.");
    }
}

// ---- The contingency key -----------------------------------------------------------------

TEST(CTeComponent, ContingencyKeyCarriesTheTakersDataAndACheckDigit)
{
    // The body's parts: state, emission, document, value, ICMS flags, day; then the digit.
    const auto base = [] {
        cte::TCTe c;
        c.ide.modelo = 57;
        c.ide.tpEmis = dfe::teFSDA;
        c.ide.dhEmi = rtl::EncodeDateTime(2019, 5, 5, 14, 30, 0, 0);
        c.ide.toma03.Toma = cte::tmRemetente;
        c.rem.CNPJCPF = "11222333000181";
        c.rem.enderReme.cMun = 3550308;
        c.rem.enderReme.UF = "SP";
        c.vPrest.vTPrest = rtl::Currency::FromDouble(1234.56);
        c.imp.ICMS.ICMS00.vICMS = rtl::Currency::FromDouble(148.15);
        return c;
    };
    using Ajuste = std::function<void(cte::TCTe &)>;
    const struct Row {
        const char *name;
        Ajuste ajuste;
        const char *chave;
    } rows[] = {
        {"the sender as taker", [](cte::TCTe &) {}, "355112223330001810000000012345612053"},
        {"a foreign taker",
         [](cte::TCTe &c) {
             c.ide.tpEmis = dfe::teContingencia;
             c.ide.toma03.Toma = cte::tmDestinatario;
             c.dest.CNPJCPF = "12345";
             c.dest.enderDest.UF = "EX";
             c.dest.enderDest.cMun = 9999999;
             c.vPrest.vTPrest = rtl::Currency(10);
             c.imp.ICMS.ICMS00.vICMS = rtl::Currency();
             c.imp.ICMS.ICMSOutraUF.vICMSOutraUF = rtl::Currency(1);
             c.ide.dhEmi = rtl::EncodeDate(2019, 2, 28);
         },
         "992000000000000000000000000100021289"},
        {"a taker with a CPF, dispatcher",
         [](cte::TCTe &c) {
             c.ide.tpEmis = dfe::teNormal;
             c.ide.toma03.Toma = cte::tmExpedidor;
             c.exped.CNPJCPF = " 12345678909 ";
             c.exped.enderExped.cMun = 3106200;
             c.vPrest.vTPrest = rtl::Currency::FromDouble(0.5);
             c.imp.ICMS.ICMS00.vICMS = rtl::Currency();
             c.ide.dhEmi = rtl::EncodeDate(2019, 1, 31);
         },
         "310000123456789090000000000005022310"},
        {"a municipality code of 0 leaves a short body and digit 0",
         [](cte::TCTe &c) {
             c.ide.tpEmis = dfe::teNormal;
             c.ide.toma03.Toma = cte::tmRecebedor;
             c.receb.CNPJCPF = "11222333000181";
             c.vPrest.vTPrest = rtl::Currency(1);
             c.imp.ICMS.ICMS00.vICMS = rtl::Currency();
             c.ide.dhEmi = rtl::EncodeDate(2019, 6, 15);
         },
         "00112223330001810000000000010022150"},
        {"another taker without toma4 leaves the state and document out",
         [](cte::TCTe &c) {
             c.ide.tpEmis = dfe::teNormal;
             c.ide.toma03.Toma = cte::tmOutros;
             c.vPrest.vTPrest = rtl::Currency(1);
             c.imp.ICMS.ICMS00.vICMS = rtl::Currency();
             c.ide.dhEmi = rtl::EncodeDate(2019, 6, 15);
         },
         "00000000000010022150"},
        {"toma4 with a document wins over toma03",
         [](cte::TCTe &c) {
             c.ide.tpEmis = dfe::teDPEC;
             c.ide.toma4.CNPJCPF = "99888777000166";
             c.ide.toma4.enderToma.cMun = 4106902;
             c.vPrest.vTPrest = rtl::Currency::FromDouble(2500.75);
             c.imp.ICMS.ICMS00.vICMS = rtl::Currency();
             c.ide.dhEmi = rtl::EncodeDate(2019, 3, 1);
         },
         "412998887770001660000000025007522013"},
        {"a CT-e OS takes the root taker",
         [](cte::TCTe &c) {
             c.ide.modelo = 67;
             c.ide.tpEmis = dfe::teNormal;
             c.ide.toma4.CNPJCPF = "99888777000166";
             c.toma.CNPJCPF = "55444333000122";
             c.toma.enderToma.cMun = 3304557;
             c.vPrest.vTPrest = rtl::Currency::FromDouble(999.99);
             c.imp.ICMS.ICMSOutraUF.vICMSOutraUF = rtl::Currency(3);
             c.ide.dhEmi = rtl::EncodeDate(2019, 7, 9);
         },
         "330554443330001220000000009999911096"},
    };
    for (const Row &row : rows) {
        cte::TCTe c = base();
        row.ajuste(c);
        EXPECT_EQ(TOvixCTe::GerarChaveContingencia(c), row.chave) << row.name;
    }
}

} // namespace

#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/list.h"

#include "dfe/codes.h"
#include "rtl/classes.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using nfe::TOvixNFe;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const nfe::EOvixNFeException &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

// ---- A new component -------------------------------------------------------------------

TEST(OvixNFe, ANewComponentStartsIdleWithTheNFeDefaults)
{
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *comp = rtl::TComponent::Create<TOvixNFe>(form.get());

    EXPECT_EQ(comp->ClassName(), "TOvixNFe");
    const nfe::TConfiguracoesNFe &conf = comp->Configuracoes();
    EXPECT_EQ(conf.Geral().ModeloDF(), nfe::moNFe);
    EXPECT_EQ(conf.Geral().ModeloDFCodigo(), 55);
    EXPECT_EQ(conf.Geral().VersaoDF(), nfe::ve400);
    EXPECT_EQ(conf.Geral().VersaoQRCode(), nfe::veqr200);
    EXPECT_TRUE(conf.Geral().CamposFatObrigatorios());
    EXPECT_EQ(conf.SessaoIni(), "NFe");
    EXPECT_EQ(conf.WebServices().ResourceName(), "OvixNFeServicos");
    EXPECT_EQ(comp->GetNomeModeloDFe(), "NFe");
    EXPECT_EQ(comp->Status(), nfe::stIdle);
    EXPECT_EQ(comp->DANFE(), nullptr);

    // The family's answers reached the framework while it built itself.
    EXPECT_EQ(comp->GetNameSpaceURI(), "http://www.portalfiscal.inf.br/nfe");
    EXPECT_EQ(comp->SSL().NameSpaceURI(), "http://www.portalfiscal.inf.br/nfe");
    EXPECT_EQ(conf.Owner(), comp);

    // An empty document list bound to this component and its settings.
    EXPECT_EQ(comp->NotasFiscais().Count(), 0);
    EXPECT_EQ(&comp->NotasFiscais().OvixNFe(), comp);
    EXPECT_EQ(&comp->NotasFiscais().Configuracoes(), &conf);
}

// The event-type parsers are registered by the program's start, in the families' order;
// neither a static initialiser nor building a component may slip one in. Only a process
// of its own starts with the registry as the program does: "threadsafe" runs the check
// in a fresh run of this executable.
TEST(OvixNFeDeathTest, NothingButTheStartRegistersAnEventParser)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool vazioAoIniciar = dfe::StrToTpEventoDFeList().empty();
            bool vazioDepois = false;
            {
                auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
                rtl::TComponent::Create<TOvixNFe>(form.get());
                vazioDepois = dfe::StrToTpEventoDFeList().empty();
            }
            std::exit(vazioAoIniciar && vazioDepois ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(OvixNFe, TheModelNameFollowsTheModel)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    struct Row {
        const char *name;
        nfe::TpcnModeloDF modelo;
        const char *nome;
        int codigo;
    } rows[] = {
        {"NFC-e", nfe::moNFCe, "NFCe", 65},
        {"NF-e", nfe::moNFe, "NFe", 55},
    };
    for (const Row &row : rows) {
        comp->Configuracoes().Geral().SetModeloDF(row.modelo);
        EXPECT_EQ(comp->GetNomeModeloDFe(), row.nome) << row.name;
        EXPECT_EQ(comp->Configuracoes().Geral().ModeloDFCodigo(), row.codigo) << row.name;
    }
}

TEST(OvixNFe, StatusCodesAreClassified)
{
    struct Row {
        const char *name;
        int cStat;
        bool confirmada;
        bool cancelada;
    } rows[] = {
        {"100 authorised", 100, true, false},
        {"110 denied", 110, true, false},
        {"150 authorised late", 150, true, false},
        {"301 denied issuer", 301, true, false},
        {"302 denied recipient", 302, true, false},
        {"303 denied recipient's state", 303, true, false},
        {"101 cancelled", 101, false, true},
        {"135 event registered", 135, false, true},
        {"151 cancelled late", 151, false, true},
        {"155 cancelled out of time", 155, false, true},
        {"0 no protocol", 0, false, false},
        {"102 voided numbers", 102, false, false},
        {"136 event not linked", 136, false, false},
        {"304 next to the set", 304, false, false},
        {"99 below the set", 99, false, false},
    };
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    for (const Row &row : rows) {
        EXPECT_EQ(comp->CstatConfirmada(row.cStat), row.confirmada) << row.name;
        EXPECT_EQ(comp->CstatProcessado(row.cStat), row.confirmada) << row.name;
        EXPECT_EQ(comp->CstatCancelada(row.cStat), row.cancelada) << row.name;
    }
}

TEST(OvixNFe, AStatusChangeIsReportedOnce)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    int avisos = 0;
    rtl::TComponent *remetente = nullptr;
    comp->SetOnStatusChange([&](rtl::TComponent *Sender) {
        ++avisos;
        remetente = Sender;
    });
    comp->SetStatus(nfe::stIdle);
    EXPECT_EQ(avisos, 0) << "the same status again";
    comp->SetStatus(nfe::stNFeConsulta);
    comp->SetStatus(nfe::stNFeConsulta);
    EXPECT_EQ(avisos, 1);
    EXPECT_EQ(remetente, comp.get());
    EXPECT_EQ(comp->Status(), nfe::stNFeConsulta);
}

// ---- Contingency key ---------------------------------------------------------------------

TEST(OvixNFe, ContingencyKey)
{
    // The expected keys were worked out apart from the program, digit by digit.
    struct Row {
        const char *name;
        dfe::TpcnTipoNFe tpNF;
        const char *ufDest;
        int cMunDest;
        int cMunEmit;
        dfe::TpcnTipoEmissao tpEmis;
        const char *documento;
        std::int64_t vNF; // ten-thousandths
        std::int64_t vICMS;
        std::int64_t vST;
        int dia;
        const char *chave;
    } rows[] = {
        {"exit to SP, FSDA, with ICMS", dfe::tnSaida, "SP", 3550308, 4106902, dfe::teFSDA,
         "12345678000195", 12345600, 1000000, 0, 5, "355123456780001950000000012345612055"},
        {"recipient abroad", dfe::tnSaida, "EX", 3550308, 4106902, dfe::teContingencia,
         "12345678000195", 999900, 0, 0, 17, "992000000000000000000000000999922172"},
        {"entry takes the issuer's town; half a cent to even 0", dfe::tnEntrada, "SP", 3550308, 4106902,
         dfe::teNormal, "12345678909", 50, 0, 1, 31, "410000123456789090000000000000021312"},
        {"SVC-AN; 1.5 cents to 2", dfe::tnSaida, "SP", 3550308, 0, dfe::teSVCAN, "191", 150, 1, 1, 1,
         "356000000000001910000000000000211014"},
        {"SVC-RS; 2.5 cents to 2; document trimmed", dfe::tnSaida, "RS", 4314902, 0, dfe::teSVCRS, " 191 ",
         250, 0, 0, 9, "437000000000001910000000000000222091"},
        {"DPEC is 0; 1012.5 cents to 1012", dfe::tnSaida, "SP", 3550308, 0, dfe::teDPEC, "191", 101250, 0,
         0, 10, "350000000000001910000000000101222101"},
        {"SVC-SP is 0; 1013.5 cents to 1014", dfe::tnSaida, "SP", 3550308, 0, dfe::teSVCSP, "191", 101350,
         0, 0, 10, "350000000000001910000000000101422100"},
        {"off-line is 0; 0.51 cents to 1", dfe::tnSaida, "SP", 3550308, 0, dfe::teOffLine, "191", 51, 0, 0,
         10, "350000000000001910000000000000122101"},
        {"SCAN is 0; a longer document keeps its first 14", dfe::tnSaida, "SP", 3550308, 0, dfe::teSCAN,
         "123456789012345", 10000, 0, 0, 28, "350123456789012340000000000010022281"},
        {"no town code: a short key with check digit 0", dfe::tnSaida, "SP", 0, 0, dfe::teNormal, "191",
         10000, 0, 0, 28, "00000000000001910000000000010022280"},
    };
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    for (const Row &row : rows) {
        nfe::TNFe doc;
        doc.Ide.tpNF = row.tpNF;
        doc.Ide.tpEmis = row.tpEmis;
        doc.Ide.dEmi = rtl::EncodeDateTime(2024, 1, row.dia, 13, 45, 0, 0);
        doc.Dest.EnderDest.UF = row.ufDest;
        doc.Dest.EnderDest.cMun = row.cMunDest;
        doc.Dest.CNPJCPF = row.documento;
        doc.Emit.EnderEmit.cMun = row.cMunEmit;
        doc.Total.ICMSTot.vNF = rtl::Currency::FromRaw(row.vNF);
        doc.Total.ICMSTot.vICMS = rtl::Currency::FromRaw(row.vICMS);
        doc.Total.ICMSTot.vST = rtl::Currency::FromRaw(row.vST);
        EXPECT_EQ(comp->GerarChaveContingencia(doc), row.chave) << row.name;
    }

    // A document at its defaults gives a key too.
    EXPECT_NO_THROW(comp->GerarChaveContingencia(nfe::TNFe()));
}

// ---- The document list ---------------------------------------------------------------------

TEST(NotasFiscais, EntriesAreAddedClearedAndReachedByIndex)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();

    nfe::NotaFiscal &primeira = lista.Add();
    nfe::NotaFiscal &segunda = lista.Add();
    primeira.NFe().Ide.nNF = 1;
    segunda.NFe().Ide.nNF = 2;
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista.Items(0).NFe().Ide.nNF, 1) << "in the order added";
    EXPECT_EQ(lista.Items(1).NFe().Ide.nNF, 2);
    EXPECT_EQ(&lista.Items(1).Configuracoes(), &comp->Configuracoes());

    for (const int fora : {-1, 2}) {
        try {
            (void)lista.Items(fora);
            ADD_FAILURE() << "index " << fora;
        } catch (const rtl::EListError &e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(fora) + ")");
        }
    }

    lista.Clear();
    EXPECT_EQ(lista.Count(), 0);
    lista.Add();
    EXPECT_EQ(lista.Count(), 1);
}

TEST(NotasFiscais, OnlyAnNFeComponentOwnsTheList)
{
    auto outro = rtl::TComponent::CreateFree<dfe::TOvixDFe>();
    EXPECT_EQ(ErroDe([&] { nfe::TNotasFiscais lista(outro.get()); }), "AOwner deve ser do tipo TOvixNFe");
    EXPECT_EQ(ErroDe([&] { nfe::TNotasFiscais lista(nullptr); }), "AOwner deve ser do tipo TOvixNFe");
}

} // namespace

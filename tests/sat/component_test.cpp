// The SAT component and its two settings objects: what a new component holds, who may own
// the settings, and the settings that depend on one another.

#include "sat/component.h"
#include "sat/exception.h"
#include "sat/settings.h"

#include "dfe/component.h"
#include "rtl/classes.h"
#include "rtl/exceptions.h"
#include "util/toolbox.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

using sat::TOvixSAT;
using sat::TOvixSATConfig;
using sat::TOvixSATConfigArquivos;

std::string ErroDe(const std::function<void()> &action)
{
    try {
        action();
    } catch (const sat::EOvixSATErro &e) {
        return e.Message();
    } catch (const rtl::Exception &e) {
        return "other rtl exception: " + e.Message();
    }
    return "no exception";
}

TEST(SATComponent, ANewComponentHoldsAnEmptyCFeAndNamedSettings)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    EXPECT_EQ(sat->PrefixoCFe(), "CFe");
    EXPECT_EQ(sat->Extrato(), nullptr);
    EXPECT_EQ(sat->CFe().ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(sat->CFe().Det.Count(), 0);
    EXPECT_EQ(sat->SSL().SSLXmlSignLib(), dfe::xsNone);

    // The settings are owned subcomponents found by their names.
    EXPECT_EQ(sat->FindComponent("OvixSATConfig"), &sat->Config());
    EXPECT_EQ(sat->FindComponent("OvixSATConfigArquivos"), &sat->ConfigArquivos());

    const TOvixSATConfig &c = sat->Config();
    EXPECT_DOUBLE_EQ(c.infCFe_versaoDadosEnt(), 0.07);
    EXPECT_EQ(c.ide_tpAmb(), dfe::taHomologacao);
    EXPECT_EQ(c.emit_cRegTrib(), dfe::RTSimplesNacional);
    EXPECT_EQ(c.emit_cRegTribISSQN(), dfe::RTISSMicroempresaMunicipal);
    EXPECT_EQ(c.emit_indRatISSQN(), dfe::irSim);
    EXPECT_EQ(c.PaginaDeCodigo(), 0);
    EXPECT_FALSE(c.EhUTF8());
    EXPECT_EQ(c.XmlSignLib(), dfe::xsNone);

    const TOvixSATConfigArquivos &a = sat->ConfigArquivos();
    EXPECT_EQ(a.PrefixoArqCFe(), "AD");
    EXPECT_EQ(a.PrefixoArqCFeCanc(), "ADC");
    EXPECT_FALSE(a.SalvarCFe());
    EXPECT_FALSE(a.SepararPorAno());
    EXPECT_FALSE(a.SepararPorDia());
}

TEST(SATComponent, TheSettingsBelongOnlyToASATComponent)
{
    auto plain = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto document = rtl::TComponent::CreateFree<dfe::TOvixDFe>();
    const std::string esperado = "Dono de TOvixSATConfig deve ser TOvixSAT";
    // Both classes give the same message.
    struct Row {
        const char *name;
        std::function<void()> criar;
    } rows[] = {
        {"Config, plain owner", [&] { rtl::TComponent::Create<TOvixSATConfig>(plain.get()); }},
        {"Config, document component", [&] { rtl::TComponent::Create<TOvixSATConfig>(document.get()); }},
        {"Config, no owner", [] { rtl::TComponent::CreateFree<TOvixSATConfig>(); }},
        {"Arquivos, plain owner", [&] { rtl::TComponent::Create<TOvixSATConfigArquivos>(plain.get()); }},
        {"Arquivos, no owner", [] { rtl::TComponent::CreateFree<TOvixSATConfigArquivos>(); }},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ErroDe(row.criar), esperado) << row.name;
    EXPECT_EQ(plain->ComponentCount(), 0);

    // A second settings object of a SAT component is accepted.
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    EXPECT_EQ(ErroDe([&] { rtl::TComponent::Create<TOvixSATConfig>(sat.get()); }), "no exception");
}

TEST(SATComponent, ClearRestoresTheDefaultsButLeavesTheCodePageTheYearAndTheSendFolder)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    TOvixSATConfig &c = sat->Config();
    c.SetinfCFe_versaoDadosEnt(0.08);
    c.Setide_CNPJ("16716114000172");
    c.Setide_tpAmb(dfe::taProducao);
    c.Setemit_cRegTribISSQN(dfe::RTISSMEI);
    c.SetPaginaDeCodigo(1252);
    c.Clear();
    EXPECT_DOUBLE_EQ(c.infCFe_versaoDadosEnt(), 0.07);
    EXPECT_EQ(c.ide_CNPJ(), "");
    EXPECT_EQ(c.ide_tpAmb(), dfe::taHomologacao);
    EXPECT_EQ(c.emit_cRegTribISSQN(), dfe::RTISSMicroempresaMunicipal);
    EXPECT_EQ(c.PaginaDeCodigo(), 1252);

    TOvixSATConfigArquivos &a = sat->ConfigArquivos();
    a.SetSepararPorAno(true);
    a.SetSepararPorDia(true);
    a.SetPastaEnvio("/dados/enviado");
    a.SetPastaCFeVenda("/dados/vendas");
    a.SetPrefixoArqCFe("X");
    a.Clear();
    EXPECT_TRUE(a.SepararPorAno());
    EXPECT_FALSE(a.SepararPorMes());
    EXPECT_FALSE(a.SepararPorDia());
    EXPECT_EQ(a.PastaEnvio(), "/dados/enviado");
    EXPECT_EQ(a.PastaCFeVenda(), util::ApplicationPath() + "Vendas");
    EXPECT_EQ(a.PrefixoArqCFe(), "AD");
}

TEST(SATComponent, EhUTF8IsAViewOfTheCodePage)
{
    struct Row {
        const char *name;
        std::uint16_t antes;
        bool valor;
        std::uint16_t depois;
    } rows[] = {
        {"false keeps another code page", 1252, false, 1252},
        {"false drops UTF-8", 65001, false, 0},
        {"true selects UTF-8", 0, true, 65001},
        {"true replaces another code page", 1252, true, 65001},
    };
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    TOvixSATConfig &c = sat->Config();
    for (const Row &row : rows) {
        c.SetPaginaDeCodigo(row.antes);
        c.SetEhUTF8(row.valor);
        EXPECT_EQ(c.PaginaDeCodigo(), row.depois) << row.name;
        EXPECT_EQ(c.EhUTF8(), row.depois == 65001) << row.name;
    }
}

TEST(SATComponent, DayFoldersNeedMonthFolders)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    TOvixSATConfigArquivos &a = sat->ConfigArquivos();
    a.SetSepararPorDia(true);
    EXPECT_TRUE(a.SepararPorMes()) << "days turn months on";
    EXPECT_TRUE(a.SepararPorDia());
    a.SetSepararPorMes(false);
    EXPECT_FALSE(a.SepararPorDia()) << "no months, no days";
    a.SetSepararPorMes(true);
    EXPECT_FALSE(a.SepararPorDia()) << "months alone leave days off";
    a.SetSepararPorDia(false);
    EXPECT_TRUE(a.SepararPorMes()) << "no days leaves months on";
}

TEST(SATComponent, FoldersDefaultBesideTheExecutableAndLoseTrailingDelimiters)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    TOvixSATConfigArquivos &a = sat->ConfigArquivos();
    const std::string exe = util::ApplicationPath();
    ASSERT_FALSE(exe.empty());

    // Reading an empty folder stores the default, which later reads keep.
    struct Padrao {
        const char *name;
        std::function<const std::string &()> ler;
        std::function<void(std::string_view)> definir;
        std::string esperado;
    } padroes[] = {
        {"sales", [&]() -> const std::string & { return a.PastaCFeVenda(); },
         [&](std::string_view v) { a.SetPastaCFeVenda(v); }, exe + "Vendas"},
        {"cancellations", [&]() -> const std::string & { return a.PastaCFeCancelamento(); },
         [&](std::string_view v) { a.SetPastaCFeCancelamento(v); }, exe + "Cancelamentos"},
        {"sent", [&]() -> const std::string & { return a.PastaEnvio(); },
         [&](std::string_view v) { a.SetPastaEnvio(v); }, exe + "Enviado"},
    };
    for (const Padrao &p : padroes) {
        EXPECT_EQ(p.ler(), p.esperado) << p.name;
        EXPECT_EQ(&p.ler(), &p.ler()) << p.name;
        EXPECT_EQ(p.ler(), p.esperado) << p.name << ": kept";

        // Set, a folder is trimmed and loses every trailing delimiter of either kind.
        p.definir("  /dados/cfe//\\  ");
        EXPECT_EQ(p.ler(), "/dados/cfe") << p.name;
        p.definir("C:\\CFe\\");
        EXPECT_EQ(p.ler(), "C:\\CFe") << p.name;
        // Emptied, it is the default again at the next read.
        p.definir("");
        EXPECT_EQ(p.ler(), p.esperado) << p.name;
    }
}

TEST(SATComponent, TheSignatureLibraryGoesToTheCryptoFacadeFirst)
{
    auto sat = rtl::TComponent::CreateFree<TOvixSAT>();
    TOvixSATConfig &c = sat->Config();
    c.SetXmlSignLib(dfe::xsLibXml2);
    EXPECT_EQ(c.XmlSignLib(), dfe::xsLibXml2);
    EXPECT_EQ(sat->SSL().SSLXmlSignLib(), dfe::xsLibXml2);

    // A library the facade refuses leaves both where they were.
    EXPECT_THROW(c.SetXmlSignLib(dfe::xsXmlSec), rtl::Exception);
    EXPECT_EQ(c.XmlSignLib(), dfe::xsLibXml2);
    EXPECT_EQ(sat->SSL().SSLXmlSignLib(), dfe::xsLibXml2);
}

TEST(SATComponent, AnOwnerFreesTheComponentWithItsSettings)
{
    // AddressSanitizer watches: the settings go first, while the component is whole.
    auto form = rtl::TComponent::CreateFree<rtl::TComponent>();
    auto *sat = rtl::TComponent::Create<TOvixSAT>(form.get());
    sat->Config().SetEhUTF8(true);
    sat->Free();
    EXPECT_EQ(form->ComponentCount(), 0);
}

} // namespace

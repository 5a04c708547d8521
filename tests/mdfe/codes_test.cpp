#include "mdfe/codes.h"

#include "dfe/codes.h"
#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>

namespace {

using namespace mdfe;
using dfe_test::ReadCode;

// Each table is checked both ways, in every letter case, with blanks around a code (never
// trimmed) and with an unknown code, which reads as the table's first value with ok false.
TEST(MDFeCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("tpEmit", TpEmitenteToStr, StrToTpEmitente,
                              {{teTransportadora, "1"}, {teTranspCargaPropria, "2"}, {teTranspCTeGlobalizado, "3"}});
    dfe_test::ExpectCodeTable("modal", ModalToStr, StrToModal,
                              {{moRodoviario, "1"}, {moAereo, "2"}, {moAquaviario, "3"}, {moFerroviario, "4"}});
    dfe_test::ExpectCodeTable("versao", VersaoMDFeToStr, StrToVersaoMDFe, {{ve100, "1.00"}, {ve300, "3.00"}});
    dfe_test::ExpectCodeTable("tpTransp", TTransportadorToStr, StrToTTransportador,
                              {{ttNenhum, "0"}, {ttETC, "1"}, {ttTAC, "2"}, {ttCTC, "3"}});
    dfe_test::ExpectCodeTable("respSeg", RspSeguroMDFeToStr, StrToRspSeguroMDFe,
                              {{rsEmitente, "1"}, {rsTomadorServico, "2"}});
    dfe_test::ExpectCodeTable("tpCarga", TCargaToStr, StrToTCarga,
                              {{tcGranelSolido, "01"},
                               {tcGranelLiquido, "02"},
                               {tcFrigorificada, "03"},
                               {tcConteinerizada, "04"},
                               {tcCargaGeral, "05"},
                               {tcNeogranel, "06"},
                               {tcPerigosaGranelSolido, "07"},
                               {tcPerigosaGranelLiquido, "08"},
                               {tcPerigosaCargaFrigorificada, "09"},
                               {tcPerigosaConteinerizada, "10"},
                               {tcPerigosaCargaGeral, "11"}});
    dfe_test::ExpectCodeTable("indPag", TIndPagToStr, StrToTIndPag, {{ipVista, "0"}, {ipPrazo, "1"}});
    dfe_test::ExpectCodeTable("tpComp", TCompToStr, StrToTComp,
                              {{tcValePedagio, "01"}, {tcImpostos, "02"}, {tcDespesas, "03"}, {tcOutros, "99"}});
    dfe_test::ExpectCodeTable("service", LayOutToServico, ServicoToLayOut,
                              {{LayMDFeRecepcao, "MDFeRecepcao"},
                               {LayMDFeRetRecepcao, "MDFeRetRecepcao"},
                               {LayMDFeConsulta, "MDFeConsultaProtocolo"},
                               {LayMDFeStatusServico, "MDFeStatusServico"},
                               {LayMDFeEvento, "RecepcaoEvento"},
                               {LayMDFeConsNaoEnc, "MDFeConsNaoEnc"},
                               {LayMDFeDistDFeInt, "MDFeDistDFeInt"},
                               {LayMDFeRecepcaoSinc, "MDFeRecepcaoSinc"}});
    dfe_test::ExpectReadTable<dfe::TpcnTpEvento>("MDF-e event type", StrToTpEventoMDFe,
                                                 {{dfe::teNaoMapeado, "-99999"},
                                                  {dfe::teCancelamento, "110111"},
                                                  {dfe::teEncerramento, "110112"},
                                                  {dfe::teInclusaoCondutor, "110114"},
                                                  {dfe::teInclusaoDFe, "110115"},
                                                  {dfe::tePagamentoOperacao, "110116"}});
    dfe_test::ExpectTextTable("insurance party printed", RspSeguroMDFeToStrText, rsTomadorServico,
                              {{rsEmitente, "EMITENTE"}, {rsTomadorServico, "TOMADOR SERVICO"}});
}

TEST(MDFeCodeTables, RuleCornerCases)
{
    dfe_test::ExpectReads({
        {"air modal", ReadCode(StrToModal, "2"), {moAereo, 1}},
        {"no fifth modal", ReadCode(StrToModal, "5"), {moRodoviario, 0}},
        {"empty modal", ReadCode(StrToModal, ""), {moRodoviario, 0}},
        {"cargo codes have two digits", ReadCode(StrToTCarga, "1"), {tcGranelSolido, 0}},
        {"last cargo type", ReadCode(StrToTCarga, "11"), {tcPerigosaCargaGeral, 1}},
        {"no component 04", ReadCode(StrToTComp, "04"), {tcValePedagio, 0}},
        {"other component", ReadCode(StrToTComp, "99"), {tcOutros, 1}},
        {"version needs both decimals", ReadCode(StrToVersaoMDFe, "3.0"), {ve100, 0}},
        {"service name ignores case", ReadCode(ServicoToLayOut, "mdfeconsnaoenc"), {LayMDFeConsNaoEnc, 1}},
        {"closing event", ReadCode(StrToTpEventoMDFe, "110112"), {dfe::teEncerramento, 1}},
        {"event of no MDF-e", ReadCode(StrToTpEventoMDFe, "110113"), {dfe::teNaoMapeado, 0}},
        {"an NF-e event is not the MDF-e's", ReadCode(StrToTpEventoMDFe, "110110"), {dfe::teNaoMapeado, 0}},
    });
    dfe_test::ExpectWrites({
        {"component outside the enumeration", TCompToStr(static_cast<TComp>(tcOutros + 1)), ""},
        {"cargo type outside the enumeration", TCargaToStr(static_cast<TCarga>(tcPerigosaCargaGeral + 1)), ""},
        {"modal outside the enumeration", ModalToStr(static_cast<TModalMDFe>(moFerroviario + 1)), ""},
        {"party text outside the enumeration", RspSeguroMDFeToStrText(static_cast<TRspSegMDFe>(2)), ""},
    });
}

TEST(MDFeCodeTables, VersionNumbers)
{
    struct Case {
        const char *name;
        double number;
        TVersaoMDFe versao;
        bool ok;
    };
    const Case cases[] = {
        {"1.00", 1.0, ve100, true},
        {"3.00", 3.0, ve300, true},
        {"no layout 2.00", 2.0, ve100, false},
        {"only exactly 3", 3.0000001, ve100, false},
        {"just below 3", std::nextafter(3.0, 0.0), ve100, false},
        {"unset", 0.0, ve100, false},
        {"read as unreadable", -1.0, ve100, false},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), ve100, false},
    };
    for (const Case &c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(DblToVersaoMDFe(ok, c.number), c.versao) << c.name;
        EXPECT_EQ(ok, c.ok) << c.name;
    }

    EXPECT_EQ(VersaoMDFeToDbl(ve100), 1.0);
    EXPECT_EQ(VersaoMDFeToDbl(ve300), 3.0);
    EXPECT_EQ(VersaoMDFeToDbl(static_cast<TVersaoMDFe>(ve300 + 1)), 0.0);

    for (const TModalMDFe modal : {moRodoviario, moAereo, moAquaviario, moFerroviario}) {
        EXPECT_EQ(GetVersaoModalMDFe(ve100, modal), "1.00") << "modal " << modal;
        EXPECT_EQ(GetVersaoModalMDFe(ve300, modal), "3.00") << "modal " << modal;
        EXPECT_EQ(GetVersaoModalMDFe(static_cast<TVersaoMDFe>(ve300 + 1), modal), "") << "modal " << modal;
    }
    EXPECT_EQ(GetVersaoModalMDFe(ve300, static_cast<TModalMDFe>(moFerroviario + 1)), "");
}

TEST(MDFeCodeTables, SchemasOfTheOperations)
{
    // Every schema's name, in declared order; the text is the name without "sch".
    const char *const names[] = {
        "schErro", "schMDFe", "schEventoMDFe", "schconsReciMDFe", "schconsSitMDFe", "schconsStatServMDFe",
        "schmdfeModalAereo", "schmdfeModalAquaviario", "schmdfeModalFerroviario", "schmdfeModalRodoviario",
        "schevCancMDFe", "schevEncMDFe", "schevIncCondutorMDFe", "schdistDFeInt", "schconsMDFeNaoEnc",
        "schevInclusaoDFeMDFe", "schevPagtoOperMDFe"};
    static_assert(std::size(names) == schevPagtoOperMDFe + 1);
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(SchemaMDFeToStr(static_cast<TSchemaMDFe>(i)), std::string(names[i]).substr(3)) << names[i];
    EXPECT_EQ(SchemaMDFeToStr(static_cast<TSchemaMDFe>(schevPagtoOperMDFe + 1)), "");

    struct Case {
        const char *name;
        TLayOutMDFe layOut;
        TSchemaMDFe schema;
    };
    const Case cases[] = {
        {"reception", LayMDFeRecepcao, schMDFe},
        {"receipt query", LayMDFeRetRecepcao, schconsReciMDFe},
        {"status query", LayMDFeConsulta, schconsSitMDFe},
        {"service status", LayMDFeStatusServico, schconsStatServMDFe},
        {"event", LayMDFeEvento, schEventoMDFe},
        {"open manifests", LayMDFeConsNaoEnc, schconsMDFeNaoEnc},
        {"distribution", LayMDFeDistDFeInt, schdistDFeInt},
        {"synchronous reception", LayMDFeRecepcaoSinc, schMDFe},
        {"outside the enumeration", static_cast<TLayOutMDFe>(LayMDFeRecepcaoSinc + 1), schErro},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LayOutToSchema(c.layOut), c.schema) << c.name;
}

TEST(MDFeCodeTables, EventParserIsRegisteredUnderMDFe)
{
    const auto registered = [] {
        return std::count_if(dfe::StrToTpEventoDFeList().begin(), dfe::StrToTpEventoDFeList().end(),
                             [](const dfe::TStrToTpEventoDFe &e) { return e.NomeDFe == "MDFE"; });
    };
    RegistrarConversaoMDFe();
    RegistrarConversaoMDFe(); // a second call changes nothing
    ASSERT_EQ(registered(), 1);

    bool ok = false;
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110112", "mdfe"), dfe::teEncerramento);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110116", "MDFe"), dfe::tePagamentoOperacao);
    EXPECT_TRUE(ok);
    EXPECT_EQ(dfe::StrToTpEventoDFe(ok, "110110", "MDFE"), dfe::teNaoMapeado);
    EXPECT_FALSE(ok);
}

} // namespace

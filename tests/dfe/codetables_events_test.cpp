#include "dfe/codes.h"

#include "dfe/codetable_checks.h"
#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

using namespace dfe;
using dfe_test::ReadCode;

struct EventRow {
    TpcnTpEvento value;
    std::string_view name;
    std::string_view code;
};

// Every event type in declared order, with its name and code as the layouts give them.
constexpr EventRow kEvents[] = {
    {teNaoMapeado, "teNaoMapeado", "-99999"},
    {teCCe, "teCCe", "110110"},
    {teCancelamento, "teCancelamento", "110111"},
    {teManifDestConfirmacao, "teManifDestConfirmacao", "210200"},
    {teManifDestCiencia, "teManifDestCiencia", "210210"},
    {teManifDestDesconhecimento, "teManifDestDesconhecimento", "210220"},
    {teManifDestOperNaoRealizada, "teManifDestOperNaoRealizada", "210240"},
    {teEncerramento, "teEncerramento", "110112"},
    {teEPEC, "teEPEC", "110113"},
    {teInclusaoCondutor, "teInclusaoCondutor", "110114"},
    {teMultiModal, "teMultiModal", "110160"},
    {teRegistroPassagem, "teRegistroPassagem", "310620"},
    {teRegistroPassagemBRId, "teRegistroPassagemBRId", "510620"},
    {teEPECNFe, "teEPECNFe", "110140"},
    {teRegistroCTe, "teRegistroCTe", "610600"},
    {teRegistroPassagemNFeCancelado, "teRegistroPassagemNFeCancelado", "610501"},
    {teRegistroPassagemNFeRFID, "teRegistroPassagemNFeRFID", "610550"},
    {teCTeCancelado, "teCTeCancelado", "610601"},
    {teMDFeCancelado, "teMDFeCancelado", "610611"},
    {teVistoriaSuframa, "teVistoriaSuframa", "990900"},
    {tePedProrrog1, "tePedProrrog1", "111500"},
    {tePedProrrog2, "tePedProrrog2", "111501"},
    {teCanPedProrrog1, "teCanPedProrrog1", "111502"},
    {teCanPedProrrog2, "teCanPedProrrog2", "111503"},
    {teEventoFiscoPP1, "teEventoFiscoPP1", "411500"},
    {teEventoFiscoPP2, "teEventoFiscoPP2", "411501"},
    {teEventoFiscoCPP1, "teEventoFiscoCPP1", "411502"},
    {teEventoFiscoCPP2, "teEventoFiscoCPP2", "411503"},
    {teRegistroPassagemNFe, "teRegistroPassagemNFe", "610500"},
    {teConfInternalizacao, "teConfInternalizacao", "990910"},
    {teCTeAutorizado, "teCTeAutorizado", "000000"},
    {teMDFeAutorizado, "teMDFeAutorizado", "610610"},
    {tePrestDesacordo, "tePrestDesacordo", "610110"},
    {teGTV, "teGTV", "110170"},
    {teMDFeAutorizado2, "teMDFeAutorizado2", "310610"},
    {teNaoEmbarque, "teNaoEmbarque", "110115"},
    {teMDFeCancelado2, "teMDFeCancelado2", "310611"},
    {teMDFeAutorizadoComCTe, "teMDFeAutorizadoComCTe", "610614"},
    {teRegPasNfeProMDFe, "teRegPasNfeProMDFe", "610510"},
    {teRegPasNfeProMDFeCte, "teRegPasNfeProMDFeCte", "610514"},
    {teRegPasAutMDFeComCte, "teRegPasAutMDFeComCte", "610554"},
    {teCancelamentoMDFeAutComCTe, "teCancelamentoMDFeAutComCTe", "610615"},
    {teAverbacaoExportacao, "teAverbacaoExportacao", "790700"},
    {teAutCteComplementar, "teAutCteComplementar", "240130"},
    {teCancCteComplementar, "teCancCteComplementar", "240131"},
    {teCTeSubstituicao, "teCTeSubstituicao", "240140"},
    {teCTeAnulacao, "teCTeAnulacao", "240150"},
    {teLiberacaoEPEC, "teLiberacaoEPEC", "240160"},
    {teLiberacaoPrazoCanc, "teLiberacaoPrazoCanc", "240170"},
    {teAutorizadoRedespacho, "teAutorizadoRedespacho", "440130"},
    {teautorizadoRedespIntermed, "teautorizadoRedespIntermed", "440140"},
    {teAutorizadoSubcontratacao, "teAutorizadoSubcontratacao", "440150"},
    {teautorizadoServMultimodal, "teautorizadoServMultimodal", "440160"},
    {teCancSubst, "teCancSubst", "110112"},
    {teAlteracaoPoltrona, "teAlteracaoPoltrona", "110116"},
    {teComprEntrega, "teComprEntrega", "110180"},
    {teCancComprEntrega, "teCancComprEntrega", "110181"},
    {teInclusaoDFe, "teInclusaoDFe", "110115"},
    {teAutorizadoSubstituicao, "teAutorizadoSubstituicao", "240140"},
    {teAutorizadoAjuste, "teAutorizadoAjuste", "240150"},
    {teLiberacaoPrazoCancelado, "teLiberacaoPrazoCancelado", "240170"},
    {tePagamentoOperacao, "tePagamentoOperacao", "110116"},
    {teExcessoBagagem, "teExcessoBagagem", "110117"},
};
static_assert(std::size(kEvents) == 63);

TEST(EventCodeTables, EveryEventTypeHasItsCodeAtItsOrdinal)
{
    for (std::size_t i = 0; i < std::size(kEvents); ++i) {
        const EventRow &row = kEvents[i];
        EXPECT_EQ(static_cast<std::size_t>(row.value), i) << row.name << " is out of declared order";
        EXPECT_EQ(TpEventoToStr(row.value), row.code) << row.name;
    }
    // Six codes belong to two event types each, and no other code repeats.
    std::set<std::string_view> codes;
    for (const EventRow &row : kEvents)
        codes.insert(row.code);
    EXPECT_EQ(codes.size(), std::size(kEvents) - 6);
}

TEST(EventCodeTables, DescriptiveNameIsTheValueNameWithoutItsPrefix)
{
    // The newest event types have no name; one older type has a longer one.
    const std::set<TpcnTpEvento> unnamed = {teComprEntrega, teCancComprEntrega, teInclusaoDFe,
                                            teAutorizadoSubstituicao, teAutorizadoAjuste,
                                            teLiberacaoPrazoCancelado, tePagamentoOperacao};
    for (const EventRow &row : kEvents) {
        std::string expected;
        if (row.value == teCancSubst) {
            expected = "CancelamentoPorSubstituicao";
        } else if (!unnamed.contains(row.value)) {
            expected = std::string(row.name.substr(2));
            expected[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(expected[0])));
        }
        EXPECT_EQ(TpEventoToDescStr(row.value), expected) << row.name;
    }
    dfe_test::ExpectWrites({
        {"lower-case value name", TpEventoToDescStr(teautorizadoRedespIntermed), "AutorizadoRedespIntermed"},
        {"last value", TpEventoToDescStr(teExcessoBagagem), "ExcessoBagagem"},
        {"shares its code with the closing", TpEventoToStr(teCancSubst), TpEventoToStr(teEncerramento)},
    });
}

TEST(EventCodeTables, DistributionAndSecurityCodeTablesBothWays)
{
    dfe_test::ExpectReadTable("cSitNFe", StrToSituacaoDFe,
                              {{snAutorizado, "1"}, {snDenegado, "2"}, {snCancelado, "3"}, {snEncerrado, "4"}});
    dfe_test::ExpectCodeTable("tpAutor", TipoAutorToStr, StrToTipoAutor,
                              {{taEmpresaEmitente, "1"}, {taEmpresaDestinataria, "2"}, {taEmpresa, "3"},
                               {taFisco, "5"}, {taRFB, "6"}, {taOutros, "9"}});
    dfe_test::ExpectCodeTable("indOp", IndOperacaoToStr, StrToIndOperacao,
                              {{ioConsultaCSC, "1"}, {ioNovoCSC, "2"}, {ioRevogaCSC, "3"}});

    dfe_test::ExpectReads({
        {"cSitNFe: 4", ReadCode(StrToSituacaoDFe, "4"), {snEncerrado, 1}},
        {"cSitNFe: 0", ReadCode(StrToSituacaoDFe, "0"), {snAutorizado, 0}},
        {"tpAutor: 4 is not a code", ReadCode(StrToTipoAutor, "4"), {taEmpresaEmitente, 0}},
    });
    EXPECT_EQ(TipoAutorToStr(taRFB), "6");
}

TEST(EventCodeTables, SchemaIsFoundByTheValueName)
{
    struct Row {
        const char *name;
        std::string_view text;
        TSchemaDFe expected;
    } const rows[] = {
        {"with version", "procNFe_v4.00", schprocNFe},
        {"name in capitals", "PROCNFE", schprocNFe},
        {"already prefixed", "schresEvento", schresEvento},
        {"prefixed, with version", "schprocCTeOS_v3.00", schprocCTeOS},
        {"cut at the first underscore", "resMDFe_v1_00", schresMDFe},
        {"prefix in lower case, name in another case", "schPROCEVENTOBPE", schprocEventoBPe},
    };
    for (const auto &row : rows)
        EXPECT_EQ(StrToSchemaDFe(row.text), row.expected) << row.name;

    const std::string_view names[] = {"resNFe", "resEvento", "procNFe", "procEventoNFe", "resCTe",
                                      "procCTe", "procCTeOS", "procEventoCTe", "resMDFe", "procMDFe",
                                      "procEventoMDFe", "resBPe", "procBPe", "procEventoBPe"};
    static_assert(std::size(names) == schprocEventoBPe + 1);
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(StrToSchemaDFe(names[i]), static_cast<TSchemaDFe>(i)) << names[i];
        EXPECT_EQ(StrToSchemaDFe("sch" + std::string(names[i])), static_cast<TSchemaDFe>(i)) << names[i];
    }
}

TEST(EventCodeTables, UnknownSchemaRaisesNamingThePrefixedText)
{
    struct Row {
        const char *name;
        std::string_view text;
        std::string message;
    } const rows[] = {
        {"not a schema", "retDistDFeInt", "\"schretDistDFeInt\" não é um valor TSchemaDFe válido."},
        {"prefix in capitals is not the prefix", "SCHresNFe", "\"schSCHresNFe\" não é um valor TSchemaDFe válido."},
        {"version cut first", "resXYZ_v1.00", "\"schresXYZ\" não é um valor TSchemaDFe válido."},
        {"empty", "", "\"sch\" não é um valor TSchemaDFe válido."},
        {"only a version", "_v1.00", "\"sch\" não é um valor TSchemaDFe válido."},
        {"blanks are kept", " resNFe", "\"sch resNFe\" não é um valor TSchemaDFe válido."},
    };
    for (const auto &row : rows) {
        try {
            StrToSchemaDFe(row.text);
            ADD_FAILURE() << row.name << ": no exception";
        } catch (const rtl::Exception &e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
    }
}

} // namespace

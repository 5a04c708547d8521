#include "dfe/codes.h"

#include "dfe/codetable_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace dfe;
using dfe_test::ReadCode;

TEST(TransportCodeTables, EveryTableBothWays)
{
    dfe_test::ExpectCodeTable("tPag", FormaPagamentoToStr, StrToFormaPagamento,
                              {{fpDinheiro, "01"}, {fpCheque, "02"}, {fpCartaoCredito, "03"}, {fpCartaoDebito, "04"},
                               {fpCreditoLoja, "05"}, {fpValeAlimentacao, "10"}, {fpValeRefeicao, "11"},
                               {fpValePresente, "12"}, {fpValeCombustivel, "13"}, {fpDuplicataMercantil, "14"},
                               {fpBoletoBancario, "15"}, {fpSemPagamento, "90"}, {fpOutro, "99"},
                               {fpDepositoBancario, "16"}, {fpPagamentoInstantaneo, "17"}, {fpTransfBancario, "18"},
                               {fpProgramaFidelidade, "19"}, {fpPagamentoInstantaneoEstatico, "20"},
                               {fpCreditoEmLoja, "21"}, {fpPagamentoEletronicoNaoInformado, "22"},
                               {fpRegimeEspecialNFF, "98"}},
                              fpOutro);
    dfe_test::ExpectCodeTable("tBand", BandeiraCartaoToStr, StrToBandeiraCartao,
                              {{bcVisa, "01"}, {bcMasterCard, "02"}, {bcAmericanExpress, "03"}, {bcSorocred, "04"},
                               {bcDinersClub, "05"}, {bcElo, "06"}, {bcHipercard, "07"}, {bcAura, "08"},
                               {bcCabal, "09"}, {bcOutros, "99"}});
    dfe_test::ExpectCodeTable("tpIntegra", tpIntegraToStr, StrTotpIntegra,
                              {{tiNaoInformado, ""}, {tiPagIntegrado, "1"}, {tiPagNaoIntegrado, "2"}});
    dfe_test::ExpectCodeTable("cMP", CodigoMPToStr, StrToCodigoMP,
                              {{mpDinheiro, "01"}, {mpCheque, "02"}, {mpCartaodeCredito, "03"},
                               {mpCartaodeDebito, "04"}, {mpCreditoLoja, "05"}, {mpValeAlimentacao, "10"},
                               {mpValeRefeicao, "11"}, {mpValePresente, "12"}, {mpValeCombustivel, "13"},
                               {mpOutros, "99"}, {mpBoletoBancario, "15"}, {mpDepositoBancario, "16"},
                               {mpPagamentoInstantaneo, "17"}, {mpTransfBancario, "18"}, {mpProgramaFidelidade, "19"}},
                              mpOutros);
    dfe_test::ExpectCodeTable("tpRod", TpRodadoToStr, StrToTpRodado,
                              {{trNaoAplicavel, "00"}, {trTruck, "01"}, {trToco, "02"}, {trCavaloMecanico, "03"},
                               {trVAN, "04"}, {trUtilitario, "05"}, {trOutros, "06"}});
    dfe_test::ExpectCodeTable("tpCar", TpCarroceriaToStr, StrToTpCarroceria,
                              {{tcNaoAplicavel, "00"}, {tcAberta, "01"}, {tcFechada, "02"}, {tcGraneleira, "03"},
                               {tcPortaContainer, "04"}, {tcSider, "05"}});
    dfe_test::ExpectCodeTable("tpProp", TpPropToStr, StrToTpProp,
                              {{tpTACAgregado, "0"}, {tpTACIndependente, "1"}, {tpOutros, "2"}});
    dfe_test::ExpectCodeTable("tpUnidTransp", UnidTranspToStr, StrToUnidTransp,
                              {{utRodoTracao, "1"}, {utRodoReboque, "2"}, {utNavio, "3"}, {utBalsa, "4"},
                               {utAeronave, "5"}, {utVagao, "6"}, {utOutros, "7"}});
    dfe_test::ExpectCodeTable("tpUnidCarga", UnidCargaToStr, StrToUnidCarga,
                              {{ucContainer, "1"}, {ucULD, "2"}, {ucPallet, "3"}, {ucOutros, "4"}});
    dfe_test::ExpectCodeTable("cUnid", UnidMedToStr, StrToUnidMed,
                              {{uM3, "00"}, {uKG, "01"}, {uTON, "02"}, {uUNIDADE, "03"}, {uLITROS, "04"},
                               {uMMBTU, "05"}});
    dfe_test::ExpectCodeTable("modal", TpModalToStr, StrToTpModal,
                              {{mdRodoviario, "01"}, {mdAereo, "02"}, {mdAquaviario, "03"}, {mdFerroviario, "04"},
                               {mdDutoviario, "05"}, {mdMultimodal, "06"}});
    dfe_test::ExpectCodeTable("tpNav", TpNavegacaoToStr, StrToTpNavegacao, {{tnInterior, "0"}, {tnCabotagem, "1"}});

    dfe_test::ExpectTextTable("tPag printed", FormaPagamentoToDescricao, fpRegimeEspecialNFF,
                              {{fpDinheiro, "Dinheiro"}, {fpCheque, "Cheque"},
                               {fpCartaoCredito, "Cartão de Crédito"}, {fpCartaoDebito, "Cartão de Débito"},
                               {fpCreditoLoja, "Crédito Loja"}, {fpValeAlimentacao, "Vale Alimentação"},
                               {fpValeRefeicao, "Vale Refeição"}, {fpValePresente, "Vale Presente"},
                               {fpValeCombustivel, "Vale Combustível"}, {fpDuplicataMercantil, "Duplicata Mercantil"},
                               {fpBoletoBancario, "Boleto Bancário"}, {fpSemPagamento, "Sem Pagamento"},
                               {fpOutro, "Outro"}, {fpDepositoBancario, "Depósito Bancário"},
                               {fpPagamentoInstantaneo, "Pagamento Instantâneo (PIX)"},
                               {fpTransfBancario, "Transferência bancária, Carteira Digital"},
                               {fpProgramaFidelidade, "Programa de fidelidade, Cashback, Crédito Virtual"},
                               {fpPagamentoInstantaneoEstatico, "Pagamento Instantâneo (PIX) - Estático"},
                               {fpCreditoEmLoja, "Crédito em Loja"},
                               {fpPagamentoEletronicoNaoInformado,
                                "Pagamento Eletrônico não Informado - falha de hardware do sistema emissor"},
                               {fpRegimeEspecialNFF, "Regime Especial NFF"}});
    dfe_test::ExpectTextTable("cMP printed", CodigoMPToDescricao, mpProgramaFidelidade,
                              {{mpDinheiro, "Dinheiro"}, {mpCheque, "Cheque"},
                               {mpCartaodeCredito, "Cartão de Crédito"}, {mpCartaodeDebito, "Cartão de Débito"},
                               {mpCreditoLoja, "Crédito Loja"}, {mpValeAlimentacao, "Vale Alimentação"},
                               {mpValeRefeicao, "Vale Refeição"}, {mpValePresente, "Vale Presente"},
                               {mpValeCombustivel, "Vale Combustível"}, {mpOutros, "Outros"},
                               {mpBoletoBancario, "Boleto Bancário"}, {mpDepositoBancario, "Depósito Bancário"},
                               {mpPagamentoInstantaneo, "Pagamento Instantâneo (PIX)"},
                               {mpTransfBancario, "Transferência bancária, Carteira Digital"},
                               {mpProgramaFidelidade, "Programa de fidelidade, Cashback, Crédito Virtual"}});
    // Walk one ordinal past the enumeration: the printed unit has a text for that too.
    dfe_test::ExpectTextTable("cUnid printed", UnidMedToDescricaoStr, static_cast<TUnidMed>(uMMBTU + 1),
                              {{uM3, "M3"}, {uKG, "KG"}, {uTON, "TON"}, {uUNIDADE, "UND"}, {uLITROS, "LT"},
                               {uMMBTU, "MMBTU"}},
                              "NÃO DEFINIDO");
    dfe_test::ExpectTextTable("modal printed", TpModalToStrText, mdMultimodal,
                              {{mdRodoviario, "RODOVIÁRIO"}, {mdAereo, "AÉREO"}, {mdAquaviario, "AQUAVIÁRIO"},
                               {mdFerroviario, "FERROVIÁRIO"}, {mdDutoviario, "DUTOVIÁRIO"},
                               {mdMultimodal, "MULTIMODAL"}});
}

TEST(TransportCodeTables, TwoDigitCodesAndPrintedTexts)
{
    dfe_test::ExpectReads({
        // A code the table does not know is some other payment, never cash.
        {"tPag: one digit is not a code", ReadCode(StrToFormaPagamento, "1"), {fpOutro, 0}},
        {"tPag: a code newer than the table", ReadCode(StrToFormaPagamento, "77"), {fpOutro, 0}},
        {"tPag: empty text", ReadCode(StrToFormaPagamento, ""), {fpOutro, 0}},
        {"tPag: 01", ReadCode(StrToFormaPagamento, "01"), {fpDinheiro, 1}},
        {"tPag: 90", ReadCode(StrToFormaPagamento, "90"), {fpSemPagamento, 1}},
        {"tPag: PIX", ReadCode(StrToFormaPagamento, "17"), {fpPagamentoInstantaneo, 1}},
        {"tpIntegra: empty text", ReadCode(StrTotpIntegra, ""), {tiNaoInformado, 1}},
        {"tBand: 10", ReadCode(StrToBandeiraCartao, "10"), {bcVisa, 0}},
        {"tpRod: 6", ReadCode(StrToTpRodado, "6"), {trNaoAplicavel, 0}},
        {"tpRod: 06", ReadCode(StrToTpRodado, "06"), {trOutros, 1}},
        {"modal: 1", ReadCode(StrToTpModal, "1"), {mdRodoviario, 0}},
        {"modal: 06", ReadCode(StrToTpModal, "06"), {mdMultimodal, 1}},
        {"tpUnidCarga: 5", ReadCode(StrToUnidCarga, "5"), {ucContainer, 0}},
        {"cMP: empty text", ReadCode(StrToCodigoMP, ""), {mpOutros, 0}},
        {"cMP: a code newer than the table", ReadCode(StrToCodigoMP, "20"), {mpOutros, 0}},
        {"cMP: PIX", ReadCode(StrToCodigoMP, "17"), {mpPagamentoInstantaneo, 1}},
    });
    bool ok = true;
    dfe_test::ExpectWrites({
        {"tPag other is singular", FormaPagamentoToDescricao(fpOutro), "Outro"},
        {"cMP others is plural", CodigoMPToDescricao(mpOutros), "Outros"},
        {"an unknown tPag prints as other, not as cash", FormaPagamentoToDescricao(StrToFormaPagamento(ok, "77")),
         "Outro"},
        {"an unknown cMP prints as others, not as cash", CodigoMPToDescricao(StrToCodigoMP(ok, "77")), "Outros"},
        {"unit", UnidMedToDescricaoStr(uUNIDADE), "UND"},
        {"litres", UnidMedToDescricaoStr(uLITROS), "LT"},
        {"unit outside the enumeration", UnidMedToDescricaoStr(static_cast<TUnidMed>(7)), "NÃO DEFINIDO"},
        {"tpIntegra not informed", tpIntegraToStr(tiNaoInformado), ""},
    });
}

} // namespace

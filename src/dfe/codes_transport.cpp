#include "dfe/codes_transport.h"

#include "dfe/codetable.h"

namespace dfe {

namespace {

constexpr TCodeRow<TpcnFormaPagamento> kTPag[] = {
    {fpDinheiro, "01"}, {fpCheque, "02"}, {fpCartaoCredito, "03"},
    {fpCartaoDebito, "04"}, {fpCreditoLoja, "05"}, {fpValeAlimentacao, "10"},
    {fpValeRefeicao, "11"}, {fpValePresente, "12"}, {fpValeCombustivel, "13"},
    {fpDuplicataMercantil, "14"}, {fpBoletoBancario, "15"}, {fpSemPagamento, "90"},
    {fpOutro, "99"}, {fpDepositoBancario, "16"}, {fpPagamentoInstantaneo, "17"},
    {fpTransfBancario, "18"}, {fpProgramaFidelidade, "19"}, {fpPagamentoInstantaneoEstatico, "20"},
    {fpCreditoEmLoja, "21"}, {fpPagamentoEletronicoNaoInformado, "22"}, {fpRegimeEspecialNFF, "98"},
};

constexpr TCodeRow<TpcnFormaPagamento> kTPagText[] = {
    {fpDinheiro, "Dinheiro"},
    {fpCheque, "Cheque"},
    {fpCartaoCredito, "Cartão de Crédito"},
    {fpCartaoDebito, "Cartão de Débito"},
    {fpCreditoLoja, "Crédito Loja"},
    {fpValeAlimentacao, "Vale Alimentação"},
    {fpValeRefeicao, "Vale Refeição"},
    {fpValePresente, "Vale Presente"},
    {fpValeCombustivel, "Vale Combustível"},
    {fpDuplicataMercantil, "Duplicata Mercantil"},
    {fpBoletoBancario, "Boleto Bancário"},
    {fpSemPagamento, "Sem Pagamento"},
    {fpOutro, "Outro"},
    {fpDepositoBancario, "Depósito Bancário"},
    {fpPagamentoInstantaneo, "Pagamento Instantâneo (PIX)"},
    {fpTransfBancario, "Transferência bancária, Carteira Digital"},
    {fpProgramaFidelidade, "Programa de fidelidade, Cashback, Crédito Virtual"},
    {fpPagamentoInstantaneoEstatico, "Pagamento Instantâneo (PIX) - Estático"},
    {fpCreditoEmLoja, "Crédito em Loja"},
    {fpPagamentoEletronicoNaoInformado, "Pagamento Eletrônico não Informado - falha de hardware do sistema emissor"},
    {fpRegimeEspecialNFF, "Regime Especial NFF"},
};

constexpr TCodeRow<TpcnBandeiraCartao> kTBand[] = {
    {bcVisa, "01"}, {bcMasterCard, "02"}, {bcAmericanExpress, "03"}, {bcSorocred, "04"}, {bcDinersClub, "05"},
    {bcElo, "06"}, {bcHipercard, "07"}, {bcAura, "08"}, {bcCabal, "09"}, {bcOutros, "99"},
};

constexpr TCodeRow<TtpIntegra> kTpIntegra[] = {
    {tiNaoInformado, ""}, {tiPagIntegrado, "1"}, {tiPagNaoIntegrado, "2"},
};

constexpr TCodeRow<TpcnCodigoMP> kCMP[] = {
    {mpDinheiro, "01"}, {mpCheque, "02"}, {mpCartaodeCredito, "03"}, {mpCartaodeDebito, "04"},
    {mpCreditoLoja, "05"}, {mpValeAlimentacao, "10"}, {mpValeRefeicao, "11"}, {mpValePresente, "12"},
    {mpValeCombustivel, "13"}, {mpOutros, "99"}, {mpBoletoBancario, "15"}, {mpDepositoBancario, "16"},
    {mpPagamentoInstantaneo, "17"}, {mpTransfBancario, "18"}, {mpProgramaFidelidade, "19"},
};

// Same texts as the NF-e payment forms, except that the last one is plural here.
constexpr TCodeRow<TpcnCodigoMP> kCMPText[] = {
    {mpDinheiro, "Dinheiro"},
    {mpCheque, "Cheque"},
    {mpCartaodeCredito, "Cartão de Crédito"},
    {mpCartaodeDebito, "Cartão de Débito"},
    {mpCreditoLoja, "Crédito Loja"},
    {mpValeAlimentacao, "Vale Alimentação"},
    {mpValeRefeicao, "Vale Refeição"},
    {mpValePresente, "Vale Presente"},
    {mpValeCombustivel, "Vale Combustível"},
    {mpOutros, "Outros"},
    {mpBoletoBancario, "Boleto Bancário"},
    {mpDepositoBancario, "Depósito Bancário"},
    {mpPagamentoInstantaneo, "Pagamento Instantâneo (PIX)"},
    {mpTransfBancario, "Transferência bancária, Carteira Digital"},
    {mpProgramaFidelidade, "Programa de fidelidade, Cashback, Crédito Virtual"},
};

constexpr TCodeRow<TpcteTipoRodado> kTpRod[] = {
    {trNaoAplicavel, "00"}, {trTruck, "01"}, {trToco, "02"}, {trCavaloMecanico, "03"},
    {trVAN, "04"}, {trUtilitario, "05"}, {trOutros, "06"},
};

constexpr TCodeRow<TpcteTipoCarroceria> kTpCar[] = {
    {tcNaoAplicavel, "00"}, {tcAberta, "01"}, {tcFechada, "02"},
    {tcGraneleira, "03"}, {tcPortaContainer, "04"}, {tcSider, "05"},
};

constexpr TCodeRow<TpcteProp> kTpProp[] = {{tpTACAgregado, "0"}, {tpTACIndependente, "1"}, {tpOutros, "2"}};

constexpr TCodeRow<TpcnUnidTransp> kTpUnidTransp[] = {
    {utRodoTracao, "1"}, {utRodoReboque, "2"}, {utNavio, "3"}, {utBalsa, "4"},
    {utAeronave, "5"}, {utVagao, "6"}, {utOutros, "7"},
};

constexpr TCodeRow<TpcnUnidCarga> kTpUnidCarga[] = {
    {ucContainer, "1"}, {ucULD, "2"}, {ucPallet, "3"}, {ucOutros, "4"},
};

constexpr TCodeRow<TUnidMed> kCUnid[] = {
    {uM3, "00"}, {uKG, "01"}, {uTON, "02"}, {uUNIDADE, "03"}, {uLITROS, "04"}, {uMMBTU, "05"},
};

constexpr TCodeRow<TUnidMed> kCUnidText[] = {
    {uM3, "M3"}, {uKG, "KG"}, {uTON, "TON"}, {uUNIDADE, "UND"}, {uLITROS, "LT"}, {uMMBTU, "MMBTU"},
};

constexpr TCodeRow<TpcteModal> kModal[] = {
    {mdRodoviario, "01"}, {mdAereo, "02"}, {mdAquaviario, "03"},
    {mdFerroviario, "04"}, {mdDutoviario, "05"}, {mdMultimodal, "06"},
};

constexpr TCodeRow<TpcteModal> kModalText[] = {
    {mdRodoviario, "RODOVIÁRIO"}, {mdAereo, "AÉREO"}, {mdAquaviario, "AQUAVIÁRIO"},
    {mdFerroviario, "FERROVIÁRIO"}, {mdDutoviario, "DUTOVIÁRIO"}, {mdMultimodal, "MULTIMODAL"},
};

constexpr TCodeRow<TTipoNavegacao> kTpNav[] = {{tnInterior, "0"}, {tnCabotagem, "1"}};

} // namespace

std::string FormaPagamentoToStr(TpcnFormaPagamento t) { return EnumeradoToStr(t, kTPag); }
TpcnFormaPagamento StrToFormaPagamento(bool &ok, std::string_view s)
{
    return StrToEnumeradoDef(ok, s, kTPag, fpOutro);
}
std::string FormaPagamentoToDescricao(TpcnFormaPagamento t) { return EnumeradoToStr(t, kTPagText); }

std::string BandeiraCartaoToStr(TpcnBandeiraCartao t) { return EnumeradoToStr(t, kTBand); }
TpcnBandeiraCartao StrToBandeiraCartao(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTBand); }

std::string tpIntegraToStr(TtpIntegra t) { return EnumeradoToStr(t, kTpIntegra); }
TtpIntegra StrTotpIntegra(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpIntegra); }

std::string CodigoMPToStr(TpcnCodigoMP t) { return EnumeradoToStr(t, kCMP); }
TpcnCodigoMP StrToCodigoMP(bool &ok, std::string_view s) { return StrToEnumeradoDef(ok, s, kCMP, mpOutros); }
std::string CodigoMPToDescricao(TpcnCodigoMP t) { return EnumeradoToStr(t, kCMPText); }

std::string TpRodadoToStr(TpcteTipoRodado t) { return EnumeradoToStr(t, kTpRod); }
TpcteTipoRodado StrToTpRodado(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpRod); }

std::string TpCarroceriaToStr(TpcteTipoCarroceria t) { return EnumeradoToStr(t, kTpCar); }
TpcteTipoCarroceria StrToTpCarroceria(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpCar); }

std::string TpPropToStr(TpcteProp t) { return EnumeradoToStr(t, kTpProp); }
TpcteProp StrToTpProp(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpProp); }

std::string UnidTranspToStr(TpcnUnidTransp t) { return EnumeradoToStr(t, kTpUnidTransp); }
TpcnUnidTransp StrToUnidTransp(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpUnidTransp); }

std::string UnidCargaToStr(TpcnUnidCarga t) { return EnumeradoToStr(t, kTpUnidCarga); }
TpcnUnidCarga StrToUnidCarga(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpUnidCarga); }

std::string UnidMedToStr(TUnidMed t) { return EnumeradoToStr(t, kCUnid); }
TUnidMed StrToUnidMed(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kCUnid); }
std::string UnidMedToDescricaoStr(TUnidMed t) { return EnumeradoToStrDef(t, kCUnidText, "NÃO DEFINIDO"); }

std::string TpModalToStr(TpcteModal t) { return EnumeradoToStr(t, kModal); }
TpcteModal StrToTpModal(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kModal); }
std::string TpModalToStrText(TpcteModal t) { return EnumeradoToStr(t, kModalText); }

std::string TpNavegacaoToStr(TTipoNavegacao t) { return EnumeradoToStr(t, kTpNav); }
TTipoNavegacao StrToTpNavegacao(bool &ok, std::string_view s) { return StrToEnumerado(ok, s, kTpNav); }

} // namespace dfe

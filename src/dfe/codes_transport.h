#pragma once
// Codes of the payment groups (NF-e payment forms and cards, CF-e means of payment) and of
// the transport groups of the CT-e and MDF-e, with the texts the auxiliary documents print
// for some of them. Pairs follow the rule of codetable.h.

#include <string>
#include <string_view>

namespace dfe {

// tPag of the NF-e's detPag. The forms the layouts added later follow the first ones, so
// the older values keep their ordinals.
enum TpcnFormaPagamento {
    fpDinheiro,
    fpCheque,
    fpCartaoCredito,
    fpCartaoDebito,
    fpCreditoLoja,
    fpValeAlimentacao,
    fpValeRefeicao,
    fpValePresente,
    fpValeCombustivel,
    fpDuplicataMercantil,
    fpBoletoBancario,
    fpSemPagamento,
    fpOutro,
    fpDepositoBancario,
    fpPagamentoInstantaneo,
    fpTransfBancario,
    fpProgramaFidelidade,
    fpPagamentoInstantaneoEstatico,
    fpCreditoEmLoja,
    fpPagamentoEletronicoNaoInformado,
    fpRegimeEspecialNFF
};
std::string FormaPagamentoToStr(TpcnFormaPagamento t);
// A code no row lists gives fpOutro (ok false), never the cash of row 0: a form of payment
// newer than this table is still some other form of payment. A reader that regenerates the
// document keeps the code text as well, so that a regeneration never changes a code it read.
TpcnFormaPagamento StrToFormaPagamento(bool &ok, std::string_view s);
// The DANFE's payment list.
std::string FormaPagamentoToDescricao(TpcnFormaPagamento t);

// tBand of the NF-e's card.
enum TpcnBandeiraCartao {
    bcVisa,
    bcMasterCard,
    bcAmericanExpress,
    bcSorocred,
    bcDinersClub,
    bcElo,
    bcHipercard,
    bcAura,
    bcCabal,
    bcOutros
};
std::string BandeiraCartaoToStr(TpcnBandeiraCartao t);
TpcnBandeiraCartao StrToBandeiraCartao(bool &ok, std::string_view s);

// tpIntegra of the NF-e's card; tiNaoInformado has the empty code.
enum TtpIntegra { tiNaoInformado, tiPagIntegrado, tiPagNaoIntegrado };
std::string tpIntegraToStr(TtpIntegra t);
TtpIntegra StrTotpIntegra(bool &ok, std::string_view s);

// cMP of the CF-e's means of payment, the later additions after the first ones.
enum TpcnCodigoMP {
    mpDinheiro,
    mpCheque,
    mpCartaodeCredito,
    mpCartaodeDebito,
    mpCreditoLoja,
    mpValeAlimentacao,
    mpValeRefeicao,
    mpValePresente,
    mpValeCombustivel,
    mpOutros,
    mpBoletoBancario,
    mpDepositoBancario,
    mpPagamentoInstantaneo,
    mpTransfBancario,
    mpProgramaFidelidade
};
std::string CodigoMPToStr(TpcnCodigoMP t);
// A code no row lists gives mpOutros (ok false), never the cash of row 0.
TpcnCodigoMP StrToCodigoMP(bool &ok, std::string_view s);
// The CF-e receipt's text.
std::string CodigoMPToDescricao(TpcnCodigoMP t);

// tpRod of a road vehicle.
enum TpcteTipoRodado { trNaoAplicavel, trTruck, trToco, trCavaloMecanico, trVAN, trUtilitario, trOutros };
std::string TpRodadoToStr(TpcteTipoRodado t);
TpcteTipoRodado StrToTpRodado(bool &ok, std::string_view s);

// tpCar of a road vehicle.
enum TpcteTipoCarroceria { tcNaoAplicavel, tcAberta, tcFechada, tcGraneleira, tcPortaContainer, tcSider };
std::string TpCarroceriaToStr(TpcteTipoCarroceria t);
TpcteTipoCarroceria StrToTpCarroceria(bool &ok, std::string_view s);

// tpProp of a vehicle's owner.
enum TpcteProp { tpTACAgregado, tpTACIndependente, tpOutros };
std::string TpPropToStr(TpcteProp t);
TpcteProp StrToTpProp(bool &ok, std::string_view s);

// tpUnidTransp (and tpUnidTranspVazia).
enum TpcnUnidTransp { utRodoTracao, utRodoReboque, utNavio, utBalsa, utAeronave, utVagao, utOutros };
std::string UnidTranspToStr(TpcnUnidTransp t);
TpcnUnidTransp StrToUnidTransp(bool &ok, std::string_view s);

// tpUnidCarga (and tpUnidCargaVazia).
enum TpcnUnidCarga { ucContainer, ucULD, ucPallet, ucOutros };
std::string UnidCargaToStr(TpcnUnidCarga t);
TpcnUnidCarga StrToUnidCarga(bool &ok, std::string_view s);

// cUnid of a measured quantity.
enum TUnidMed { uM3, uKG, uTON, uUNIDADE, uLITROS, uMMBTU };
std::string UnidMedToStr(TUnidMed t);
TUnidMed StrToUnidMed(bool &ok, std::string_view s);
// The unit as the DACTE prints it; "NÃO DEFINIDO" for an ordinal outside the enumeration.
std::string UnidMedToDescricaoStr(TUnidMed t);

// modal of the CT-e.
enum TpcteModal { mdRodoviario, mdAereo, mdAquaviario, mdFerroviario, mdDutoviario, mdMultimodal };
std::string TpModalToStr(TpcteModal t);
TpcteModal StrToTpModal(bool &ok, std::string_view s);
// The modal as the DACTE prints it.
std::string TpModalToStrText(TpcteModal t);

// tpNav of the waterway groups.
enum TTipoNavegacao { tnInterior, tnCabotagem };
std::string TpNavegacaoToStr(TTipoNavegacao t);
TTipoNavegacao StrToTpNavegacao(bool &ok, std::string_view s);

} // namespace dfe

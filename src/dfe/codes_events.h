#pragma once
// Event types of all document families, and the codes of the distribution and NFC-e
// security-code messages. None of these messages is exchanged by the viewer; the event names
// still name the folders of event files.

#include <string>
#include <string_view>

namespace dfe {

// The event types, in the order that fixes their ordinals: the code list is indexed by them.
enum TpcnTpEvento {
    teNaoMapeado,
    teCCe,
    teCancelamento,
    teManifDestConfirmacao,
    teManifDestCiencia,
    teManifDestDesconhecimento,
    teManifDestOperNaoRealizada,
    teEncerramento,
    teEPEC,
    teInclusaoCondutor,
    teMultiModal,
    teRegistroPassagem,
    teRegistroPassagemBRId,
    teEPECNFe,
    teRegistroCTe,
    teRegistroPassagemNFeCancelado,
    teRegistroPassagemNFeRFID,
    teCTeCancelado,
    teMDFeCancelado,
    teVistoriaSuframa,
    tePedProrrog1,
    tePedProrrog2,
    teCanPedProrrog1,
    teCanPedProrrog2,
    teEventoFiscoPP1,
    teEventoFiscoPP2,
    teEventoFiscoCPP1,
    teEventoFiscoCPP2,
    teRegistroPassagemNFe,
    teConfInternalizacao,
    teCTeAutorizado,
    teMDFeAutorizado,
    tePrestDesacordo,
    teGTV,
    teMDFeAutorizado2,
    teNaoEmbarque,
    teMDFeCancelado2,
    teMDFeAutorizadoComCTe,
    teRegPasNfeProMDFe,
    teRegPasNfeProMDFeCte,
    teRegPasAutMDFeComCte,
    teCancelamentoMDFeAutComCTe,
    teAverbacaoExportacao,
    teAutCteComplementar,
    teCancCteComplementar,
    teCTeSubstituicao,
    teCTeAnulacao,
    teLiberacaoEPEC,
    teLiberacaoPrazoCanc,
    teAutorizadoRedespacho,
    teautorizadoRedespIntermed,
    teAutorizadoSubcontratacao,
    teautorizadoServMultimodal,
    teCancSubst,
    teAlteracaoPoltrona,
    teComprEntrega,
    teCancComprEntrega,
    teInclusaoDFe,
    teAutorizadoSubstituicao,
    teAutorizadoAjuste,
    teLiberacaoPrazoCancelado,
    tePagamentoOperacao,
    teExcessoBagagem
};

// The six-digit code. Some codes belong to two event types, so there is no shared reverse
// conversion: each family parses codes with its own table (see StrToTpEventoDFe).
std::string TpEventoToStr(TpcnTpEvento t);
// The descriptive name ("CCe", "CancelamentoPorSubstituicao"...), which names the folder of an
// event type's files; "" for the newest event types, which have none.
std::string TpEventoToDescStr(TpcnTpEvento t);

// The schema of a document handed out by the distribution service.
enum TSchemaDFe {
    schresNFe,
    schresEvento,
    schprocNFe,
    schprocEventoNFe,
    schresCTe,
    schprocCTe,
    schprocCTeOS,
    schprocEventoCTe,
    schresMDFe,
    schprocMDFe,
    schprocEventoMDFe,
    schresBPe,
    schprocBPe,
    schprocEventoBPe
};
// The schema named by a docZip's schema attribute ("procNFe_v4.00"): the text before the
// first "_", with "sch" put in front unless it starts with exactly "sch", compared with the
// value names ignoring ASCII case. Raises rtl::Exception for a name it does not know.
TSchemaDFe StrToSchemaDFe(std::string_view s);

// cSitNFe of a distributed summary; read only.
enum TSituacaoDFe { snAutorizado, snDenegado, snCancelado, snEncerrado };
TSituacaoDFe StrToSituacaoDFe(bool &ok, std::string_view s);

// tpAutor of an event.
enum TpcnTipoAutor { taEmpresaEmitente, taEmpresaDestinataria, taEmpresa, taFisco, taRFB, taOutros };
std::string TipoAutorToStr(TpcnTipoAutor t);
TpcnTipoAutor StrToTipoAutor(bool &ok, std::string_view s);

// indOp of the NFC-e security-code administration.
enum TpcnIndOperacao { ioConsultaCSC, ioNovoCSC, ioRevogaCSC };
std::string IndOperacaoToStr(TpcnIndOperacao t);
TpcnIndOperacao StrToIndOperacao(bool &ok, std::string_view s);

} // namespace dfe

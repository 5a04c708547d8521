#pragma once
// TfrmDACTeRLRetrato, the A4 portrait DACTE, built in code.
//
// Every band is a page header: the engine prints them at the top of each page in the
// order below, and each band's before-print decides whether it prints on the page (no
// room taken when it does not), whether it is enabled (a disabled band keeps its height
// blank) and its height:
//
//    1 rlb_01_Recibo                top receipt stub              page 1
//    2 rlb_01_Recibo_Aereo          air receipt stub              page 1
//    3 rlb_02_Cabecalho             issuer, key, protocol, QR     every page
//    4 rlb_03_DadosDACTe            parties                       page 1
//    5 rlb_03_DadosDACTe_OS         parties of a CT-e OS          page 1
//    6 rlb_04_DadosNotaFiscal       cargo                         page 1
//    7 rlb_05_Complemento           complemented CT-e             page 1
//    8 rlb_06_ProdutosPerigosos     dangerous goods               page 1
//    9 rlb_CTeOS_PrestacaoServico   CT-e OS service               every page
//   10 rlb_06_ValorPrestacao        values and taxes              page 1
//   11 rlb_07_HeaderItens           transported documents         page 1, then while rows remain
//   12 rlb_Cte_Anulado_Substituido  annulled / substituted CT-e   every page
//   13 rlb_Fluxo_Carga              air cargo flow                page 1
//   14 rlb_09_Obs                   observations and status       page 1
//   15 rlb_06_VeiculosNovos         new vehicles                  page 1
//   16 rlb_Dados_Seguradora         insurance                     every page
//   17-22                           modal bands                   page 1
//   23 rlb_16_DadosExcEmitente      issuer's and fiscal notes     page 1
//   24 rlb_17_Sistema               print time and system line    page 1
//   25 rlb_18_Recibo                bottom receipt stub           page 1
//
// The report's before-print prepares the document once (heights by model and modal, the
// title, the QR Code or the narrowed header); the bands' before-prints apply the rules of
// each page. layout_cabecalho.cpp builds and fills the header, layout_canhoto.cpp the
// receipt stubs, layout_documentos.cpp the documents table and its band,
// layout_notas.cpp the annulled or substituted CT-e, the air cargo flow and the issuer's
// and fiscal notes, layout_obs.cpp the observations and system line.
//
// Positions and sizes are pixels at 96 dpi in the coordinates of the band holding the
// control; bands are 742 pixels wide.

#include "cte/dacte/form.h"

#include "dfe/report/caixa_campos.h"

#include "report/band.h"
#include "report/controls.h"
#include "report/report.h"

#include <memory>
#include <string>

namespace cte {

struct TCaixasPartes;

// The module of the key and contingency barcodes: a hundredth of an inch, whole dots at
// 200, 300 and 600 dpi. The 277 modules of a key take 266 pixels.
inline constexpr double kModuloCodigoBarrasDACTe = 96.0 / 100;

class TfrmDACTeRLRetrato : public TfrmDACTeRL {
public:
    TfrmDACTeRLRetrato();
    ~TfrmDACTeRLRetrato() override;

    // The layout class's factory for the class operations of TfrmDACTeRL.
    static std::unique_ptr<TfrmDACTeRL> Criar();

    // ---- Bands, in printing order ------------------------------------------------------
    report::Band *rlb_01_Recibo = nullptr;
    report::Band *rlb_01_Recibo_Aereo = nullptr;
    report::Band *rlb_02_Cabecalho = nullptr;
    report::Band *rlb_03_DadosDACTe = nullptr;
    report::Band *rlb_03_DadosDACTe_OS = nullptr;
    report::Band *rlb_04_DadosNotaFiscal = nullptr;
    report::Band *rlb_05_Complemento = nullptr;
    report::Band *rlb_06_ProdutosPerigosos = nullptr;
    report::Band *rlb_CTeOS_PrestacaoServico = nullptr;
    report::Band *rlb_06_ValorPrestacao = nullptr;
    report::Band *rlb_07_HeaderItens = nullptr;
    report::Band *rlb_Cte_Anulado_Substituido = nullptr;
    report::Band *rlb_Fluxo_Carga = nullptr;
    report::Band *rlb_09_Obs = nullptr;
    report::Band *rlb_06_VeiculosNovos = nullptr;
    report::Band *rlb_Dados_Seguradora = nullptr;
    report::Band *rlb_10_ModRodFracionado = nullptr;
    report::Band *rlb_11_ModRodLot104 = nullptr;
    report::Band *rlb_12_ModAereo = nullptr;
    report::Band *rlb_13_ModAquaviario = nullptr;
    report::Band *rlb_14_ModFerroviario = nullptr;
    report::Band *rlb_15_ModDutoviario = nullptr;
    report::Band *rlb_16_DadosExcEmitente = nullptr;
    report::Band *rlb_17_Sistema = nullptr;
    report::Band *rlb_18_Recibo = nullptr;

    // Rows of the documents table printed on the current continuation page.
    int Linhas = 0;

    // ---- Top receipt stub (rlb_01_Recibo) ---------------------------------------------
    report::Label *rllDeclaracao1 = nullptr;
    report::Label *rllCTe2 = nullptr;
    report::Label *rllNumCTe2 = nullptr;
    report::Label *rllSerie2 = nullptr;
    // Hidden in the form and never shown.
    report::Label *rllResumoCanhotoCTe = nullptr;

    // ---- Air receipt stub (rlb_01_Recibo_Aereo) ---------------------------------------
    report::Memo *rlmTransporteAereo = nullptr;

    // ---- Bottom receipt stub (rlb_18_Recibo) ------------------------------------------
    report::Label *rllResumoCanhotoCTe2 = nullptr;
    report::Label *rllNumCTe3 = nullptr;
    report::Label *rllSerie3 = nullptr;

    // ---- Header (rlb_02_Cabecalho) ----------------------------------------------------
    report::Image *rliLogo = nullptr;
    report::Memo *rlmEmitente = nullptr;
    report::Memo *rlmDadosEmitente = nullptr;
    report::Label *rllModal = nullptr;
    report::Label *rllModelo = nullptr;
    report::Label *rllSerie = nullptr;
    report::Label *rllNumCte = nullptr;
    report::SystemField *rllPageNumber = nullptr;
    report::Label *rllEmissao = nullptr;
    report::Label *rllInscSuframa = nullptr;
    report::Barcode *rlbCodigoBarras = nullptr;
    report::Label *rllChave = nullptr;
    report::Label *rllVariavel1 = nullptr;
    report::Label *rllVariavel2 = nullptr;
    report::Barcode *RLBarcode1 = nullptr;
    report::Label *rllTipoCte = nullptr;
    report::Label *rllTipoServico = nullptr;
    report::Label *rllTituloTomaServico = nullptr;
    report::Label *rllTomaServico = nullptr;
    report::Label *rllTituloFormaPagamento = nullptr;
    report::Label *rllFormaPagamento = nullptr;
    report::Label *rllDescricao = nullptr;
    report::Label *rllProtocolo = nullptr;
    report::Line *rlsLinhaV01 = nullptr;
    report::Line *rlsLinhaV07 = nullptr;
    report::Line *rlsLinhaH03 = nullptr;
    report::Line *RLDraw99 = nullptr;
    report::Image *imgQRCode = nullptr;

    // ---- Transported documents (rlb_07_HeaderItens) ----------------------------------
    report::Label *rllTituloCNPJ1 = nullptr;
    report::Label *rllTituloSerie1 = nullptr;
    report::Label *rllTituloCNPJ2 = nullptr;
    report::Label *rllTituloSerie2 = nullptr;
    report::Memo *rlDocOrig_tpDoc1 = nullptr;
    report::Memo *rlDocOrig_tpDoc2 = nullptr;
    report::Line *rld_07_headerItens = nullptr;

    // ---- Annulled or substituted CT-e (rlb_Cte_Anulado_Substituido) -------------------
    // Left: the CT-e annulled or substituted; right: the annulment of a substituted one.
    report::Label *rllTituloChave1 = nullptr;
    report::Label *rllTituloChave2 = nullptr;
    report::Memo *rlmChave1 = nullptr;
    report::Memo *rlmChave2 = nullptr;

    // ---- Air cargo flow (rlb_Fluxo_Carga) --------------------------------------------
    report::Label *rllSiglaOrigem = nullptr;
    report::Memo *rllSiglaPassagem = nullptr;
    report::Label *rllSiglaDestino = nullptr;

    // ---- Issuer's and fiscal notes (rlb_16_DadosExcEmitente) --------------------------
    report::Memo *rlmObsExcEmitente = nullptr;
    report::Memo *rlmObsFisco = nullptr;
    report::Line *rldDadosExcEmitente = nullptr;

    // ---- Observations and status (rlb_09_Obs) ------------------------------------------
    report::Memo *rlmObs = nullptr;
    report::Label *rllMsgTeste = nullptr;

    // ---- System line (rlb_17_Sistema) --------------------------------------------------
    report::Label *rlsDataHoraImpressao = nullptr;
    report::Label *rllblSistema = nullptr;

    // ---- Modal bands (rlb_10_ModRodFracionado to rlb_13_ModAquaviario) -----------------
    // Their boxes of fields; the rules reach the controls by name through them.
    dfe::TCaixaCampos FCaixaRodoviario;
    dfe::TCaixaCampos FCaixaMotorista;
    dfe::TCaixaCampos FCaixaAereo;
    dfe::TCaixaCampos FCaixaAquaviario;

private:
    // The documents row the last continuation page started from; 0 before the first.
    int FLinhaContinuacao = 0;

    const TCTe &CTe() const { return *fpCTe; }
    const TOvixCTeDACTeRL &DACTe() const { return *fpDACTe; }

    // Construction, block by block.
    void CriarBandas();
    void CriarCanhotos();
    void CriarCabecalho();
    void CriarDocumentos();
    void CriarObservacoes();
    // Annulled or substituted CT-e, air cargo flow, issuer's and fiscal notes
    // (layout_notas.cpp).
    void CriarNotas();
    bool AnuladoSubstituidoBeforePrint();
    bool FluxoCargaBeforePrint();
    bool DadosExcEmitenteBeforePrint(report::PrintContext &contexto);

    // The report's before-print and the preparation it runs.
    void RLCTeBeforePrint(report::PrintContext &contexto);
    void PrepararQRCode();
    // Fills the documents table from the document.
    void Itens();
    // The band rules, by band.
    bool CanhotoBeforePrint(report::PrintContext &contexto);
    bool CanhotoAereoBeforePrint(report::PrintContext &contexto);
    bool CanhotoRodapeBeforePrint(report::PrintContext &contexto);
    bool CabecalhoBeforePrint(report::PrintContext &contexto);
    bool DocumentosBeforePrint(report::PrintContext &contexto);
    bool ObsBeforePrint(report::PrintContext &contexto);
    bool SistemaBeforePrint(report::PrintContext &contexto);

    // Header.
    void PrepararEmitente();
    void PrepararVersao300();
    void PrepararProtocolo();

    // Whether the documents band is enabled for this document.
    bool DocumentosHabilitados() const;

    // Parties, cargo, values and taxes, complement, dangerous goods, CT-e OS service, new
    // vehicles and trip insurance (layout_partes.cpp, layout_valores.cpp).
    std::unique_ptr<TCaixasPartes> FPartes;
    void CriarPartes();
    void CriarCarga();
    void CriarValores();
    void CriarComplementares();
    // Band 4's before-print fills its own band and the cargo and values bands too.
    void PreencherPartes();
    void PreencherPartesOS();
    void PreencherCarga();
    void PreencherValores();
    void PreencherComplemento();
    void PreencherPerigosos();
    void PreencherServicoOS();
    void PreencherVeiculosNovos();
    void PreencherSeguradora();

    // The modal bands (layout_modais.cpp): road, road full load below layout 3.00, air
    // and waterway; rail and pipeline have no contents.
    void CriarModais();
    bool ModRodFracionadoBeforePrint(report::Band &banda);
    void ModalRodoviarioVersao30();
    void ModalRodoviarioMod67();
    void PreencherLotacao();
    void PreencherAereo();
    void PreencherAquaviario();
};

} // namespace cte

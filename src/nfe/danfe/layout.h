#pragma once
// TfrlDANFeRLRetrato, the A4 portrait DANFE, built in code.
//
// Page structure, in the order the engine prints the bands:
//   page headers   rlbReciboHeader or rlbReciboHeaderBarra (receipt stub) and
//                  rlbDivisaoRecibo (cut line), page 1 only; rlbEmitente, every page
//   titles         rlbDestinatario, rlbRetirada, rlbEntrega, rlbFaturaReal, rlbFatura,
//                  rlbPagamentoReal, rlbImposto, rlbTransp (page 1, each when it applies)
//   column headers rlbCanceladaDenegada, rlbAvisoContingencia, rlbCabecalhoItens
//   sub-detail     subItens: rlbItens and RLBandInfAd once per item
//   summary        rlbContinuacaoInformacoesComplementares (additional data that did
//                  not fit the footer)
//   page footers   rlbISSQN, rlbDadosAdicionais (page 1 only); the stub and cut line
//                  join them at the page foot with PosCanhoto prRodape
// and the watermark rliMarcaDagua1 behind the bands.
//
// The layout is prepared once, in the report's before-print (InicializarDados, in the
// order the steps depend on one another); the header band's before-print applies the
// rules of the pages after the first. Each block of the page has a file of its own that
// builds its controls (Criar...) and fills them (Preparar...). The boxes of fields are
// tables of cells there (kNatureza, kDestinatario, kLocal, kFatura, kImposto,
// kTransporte, kISSQN; see dfe/report/caixa_campos.h), the other blocks tables of
// controls (kEmitente, kCanhoto, kDadosAdicionais...; see dfe/report/pecas.h), the item
// row a table of columns (kColunasItem) and the instalments and payments tables of grid
// columns, all built and filled by shared routines; the members below are the controls
// a rule reaches. layout_cabecalho.cpp
// (issuer, key, number, protocol, status marks), layout_canhoto.cpp (receipt stub),
// layout_destinatario.cpp (recipient, places, invoice, payments), layout_totais.cpp (tax
// totals, transport), layout_itens.cpp (item rows), layout_adicionais.cpp (ISSQN,
// additional data, continuation, watermark, footer lines).
//
// Positions and sizes are pixels at 96 dpi in the coordinates of the band holding the
// control; the content is 742 pixels wide (boxes 740).

#include "nfe/danfe/form.h"

#include "dfe/report/caixa_campos.h"
#include "dfe/report/layout_construcao.h"
#include "dfe/report/pecas.h"

#include "report/band.h"
#include "report/controls.h"
#include "report/measurer.h"
#include "report/report.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace nfe {

// The module of the key and contingency barcodes: a hundredth of an inch (0.254 mm), the
// narrow bar warehouse scanners are made for, and whole dots at 200, 300 and 600 dpi.
// The 277 modules of a key take 266 pixels; the key box is 311 wide.
inline constexpr double kModuloCodigoBarras = 96.0 / 100;

// Tags that group the controls for the font settings.
enum TTagDANFe {
    tagDemais = 0,           // everything else
    tagCanhotoLinha1 = 1,    // the stub's first line
    tagRazaoSocial = 4,      // the issuer's name
    tagLegenda = 10,         // field captions
    tagInfComplementar = 20, // the additional-information memos
    tagTituloCaixa = 30,     // box titles
    tagValorCampo = 703,     // the value fields of the boxes
    tagPortal = 704,         // the portal lines of the key box
    tagItem = 705,           // the texts of an item row
};

// What the cells of the DANFE's boxes read their values from.
struct TDadosDANFe {
    const TNFe &nfe;
    const TOvixNFeDANFeRL &danfe;
};
using TCelulaDANFe = dfe::TCelula<TDadosDANFe>;

// A DANFE cell of the usual shape (see dfe::Campo).
constexpr TCelulaDANFe CampoDANFe(int linha, const char *nomeLegenda, const char *legenda, const char *nome, double x0,
                                  double x1, dfe::TValorCelula<TDadosDANFe> valor,
                                  report::HAlign alinhamento = report::HAlign::Left, double alturaValor = 13)
{
    return dfe::Campo<TDadosDANFe>(linha, nomeLegenda, legenda, nome, x0, x1, valor, alinhamento, alturaValor);
}

// A control of the DANFE's blocks as a table's row (see dfe/report/pecas.h).
using TPecaDANFe = dfe::TPeca<TDadosDANFe>;

// The document's number and series as the header and the stub print them.
std::string NumeroNF(const TDadosDANFe &d);
std::string SerieNF(const TDadosDANFe &d);

// The captions and values of the DANFE's boxes, built with rows 30 pixels high (the
// settings' row height lays them out again, AjustarCaixas); linhas names the lines
// between the rows.
inline dfe::TEstiloCaixa EstiloCaixaDANFe(std::span<const char *const> linhas = {})
{
    dfe::TEstiloCaixa estilo;
    estilo.fonteLegenda = dfe::CriarFonte(7);
    estilo.tagLegenda = tagLegenda;
    estilo.fonteValor = dfe::CriarFonte(11);
    estilo.tagValor = tagValorCampo;
    estilo.alturaLinha = 30;
    estilo.linhasSuperiores = linhas;
    return estilo;
}

// An item's amount or rate as printed. Rows repeat their rates and zero amounts, and
// formatting a number costs more than laying its text out: each value is formatted once
// per preparation.
class TValoresItem {
public:
    const std::string &operator()(double valor);
    void Limpar() { FValores.clear(); }

private:
    std::unordered_map<std::uint64_t, std::string> FValores;
};

class TfrlDANFeRLRetrato : public TfrlDANFeRL {
public:
    TfrlDANFeRLRetrato();
    ~TfrlDANFeRLRetrato() override;

    // The layout class's factory for the class operations of TfrlDANFeRL.
    static std::unique_ptr<TfrlDANFeRL> Criar();

    // ---- Bands ------------------------------------------------------------------------
    report::Band *rlbReciboHeader = nullptr;
    report::Band *rlbReciboHeaderBarra = nullptr;
    report::Band *rlbDivisaoRecibo = nullptr;
    report::Band *rlbEmitente = nullptr;
    report::Band *rlbDestinatario = nullptr;
    report::Band *rlbRetirada = nullptr;
    report::Band *rlbEntrega = nullptr;
    report::Band *rlbFaturaReal = nullptr;
    report::Band *rlbFatura = nullptr;
    report::Band *rlbPagamentoReal = nullptr;
    report::Band *rlbImposto = nullptr;
    report::Band *rlbTransp = nullptr;
    report::Band *rlbCanceladaDenegada = nullptr;
    report::Band *rlbAvisoContingencia = nullptr;
    report::Band *rlbCabecalhoItens = nullptr;
    report::SubReport *subItens = nullptr;
    report::Band *rlbItens = nullptr;
    report::Band *RLBandInfAd = nullptr;
    report::Band *rlbContinuacaoInformacoesComplementares = nullptr;
    report::Band *rlbISSQN = nullptr;
    report::Band *rlbDadosAdicionais = nullptr;
    report::Image *rliMarcaDagua1 = nullptr;

    // The item being printed, from 0.
    int FNumItem = 0;
    // The template of the stub's first line ("%s" takes the issuer's name).
    std::string FRecebemoDe;

    // ---- Header (rlbEmitente, kEmitente) -----------------------------------------------
    report::Box *rliEmitente = nullptr;
    report::Image *rliLogo = nullptr;
    report::Memo *rlmEmitente = nullptr;
    report::Memo *rlmEndereco = nullptr;
    report::Label *rllNumNF1 = nullptr;
    report::Box *rliChave = nullptr;
    report::Barcode *rlbCodigoBarras = nullptr;
    report::Box *rliFundoXmotivo = nullptr;
    report::Label *rllXmotivo = nullptr;
    report::Label *rllChave = nullptr;
    report::Label *rllDadosVariaveis1a = nullptr;
    report::Label *rllDadosVariaveis1b = nullptr;
    report::Label *rllDadosVariaveis1c = nullptr;
    report::Barcode *rlbCodigoBarrasFS = nullptr;
    // The lower box (kNatureza): operation nature and protocol; registrations.
    report::Box *RLDraw6 = nullptr;
    report::Label *rllDadosVariaveis3_Descricao = nullptr;
    report::Label *rllDadosVariaveis3 = nullptr;

    // ---- Status marks (rlbCanceladaDenegada, rlbAvisoContingencia) --------------------
    report::Label *RLLCanceladaDenegada = nullptr;
    report::Label *rllAvisoContingencia = nullptr;
    report::Label *rllContingencia = nullptr;

    // ---- Receipt stub (rlbReciboHeader, rlbReciboHeaderBarra, rlbDivisaoRecibo) -------
    // The standard stub (kCanhoto).
    report::Box *rliCanhoto = nullptr;
    report::Line *rliCanhoto1 = nullptr;
    report::Line *rliCanhoto2 = nullptr;
    report::Label *rllRecebemosDe = nullptr;
    report::Label *rllResumo = nullptr;
    report::Label *rllDataRecebimento = nullptr;
    report::Label *rllIdentificacao = nullptr;
    report::Label *rllNumNF0 = nullptr;
    report::Label *rllSERIE0 = nullptr;
    // The stub with the key barcode (kCanhotoBarra).
    report::Box *rlBarraiCanhoto = nullptr;
    report::Memo *RLBarraRecebemosDe = nullptr;
    report::Memo *RLBarraResumo = nullptr;
    report::Label *rlBarraDataRecebimento = nullptr;
    report::Label *rlBarraIdentificacao = nullptr;
    report::Barcode *RLBarraBarcode = nullptr;
    report::Label *rllBarraNFe = nullptr;
    report::Label *rlBarraNumNF0 = nullptr;
    report::Label *rlBarraSERIE0 = nullptr;
    report::Line *rlBarraiCanhoto1 = nullptr;
    report::Line *rlBarraiCanhoto2 = nullptr;
    report::Line *rlBarraiCanhoto3 = nullptr;

    // ---- Recipient, places, invoice, payments -----------------------------------------
    // The recipient (kDestinatario) and the pick-up and delivery places (kLocal) are
    // tables only.
    // Invoice (kFatura).
    report::Box *rliFaturaReal = nullptr;
    report::Line *rliFaturaRealDivisao = nullptr;
    report::Label *RLLabelPag = nullptr;
    report::Label *RlbDadoPagamento = nullptr;
    // A grid of cells as built: its box, the dividers between the cells of a row and the
    // texts of each of its columns, cell i at index i.
    struct TGradeCriada {
        report::Box *caixa = nullptr;
        std::vector<report::Line *> divisores;
        std::vector<std::vector<report::Label *>> colunas;
    };
    // Instalments (kDuplicatas) and payments (kPagamentos).
    TGradeCriada FDuplicatas, FPagamentos;

    // ---- Tax totals, transport --------------------------------------------------------
    // Tax totals (kImposto): the cell of the approximate taxes and the dividers of the
    // first row, placed by the document.
    report::Label *rllTituloTotalTributos = nullptr;
    report::Label *rllTotalTributos = nullptr;
    report::Line *rliDivImposto1 = nullptr;
    report::Line *rliDivImposto2 = nullptr;
    report::Line *rliDivImposto3 = nullptr;
    report::Line *rliDivImposto4 = nullptr;
    report::Line *rliDivImposto5 = nullptr;
    // Transport (kTransporte).
    report::Box *rliTransp = nullptr;

    // ---- Item rows (rlbCabecalhoItens, rlbItens, RLBandInfAd) -------------------------
    // A table of columns (kColunasItem): each column's divider and captions in the
    // titles, its divider and text in the row; the controls below are those the rules of
    // the columns' widths and captions reach.
    report::Label *lblDadosDoProduto = nullptr;
    report::Memo *rlmCodProd = nullptr;
    report::Memo *rlmDescricaoProduto = nullptr;
    report::Label *lblCST = nullptr;
    report::Label *lblQuantidade = nullptr;
    report::Label *lblValorUnitarioSup = nullptr;
    report::Label *lblValorUnitarioInf = nullptr;
    report::Label *lblValorTotalSup = nullptr;
    report::Label *lblValorTotal = nullptr;
    report::Label *lblPercValorDesc = nullptr;
    report::Label *lblPercValorDesc1 = nullptr;
    report::Line *rlsDivProd = nullptr;
    report::Line *rlsDivProd2 = nullptr;
    report::Line *rlsDivProd7 = nullptr;
    report::Line *rlsDivProd8 = nullptr;
    report::Line *rlsDivProd14 = nullptr;
    // One item row: its texts over the shading label, the dividers filling its height.
    report::Label *FundoItem = nullptr;
    report::Memo *txtCodigo = nullptr;
    report::Memo *rlmDescricao = nullptr;
    report::Memo *txtQuantidade = nullptr;
    report::Memo *txtValorUnitario = nullptr;
    report::Label *txtValorTotal = nullptr;
    report::Label *txtValorDesconto = nullptr;
    report::Line *LinhaDescricao = nullptr;
    report::Line *LinhaNCM = nullptr;
    report::Line *LinhaValorUnitario = nullptr;
    report::Line *LinhaValorTotal = nullptr;
    report::Line *LinhaDesconto = nullptr;
    report::Line *LinhaBaseICMS = nullptr;
    report::Line *LinhaFimItem = nullptr;
    report::Line *LinhaItem = nullptr; // the row's bottom line, placed on its bottom as it grows
    // The item's additional information in a row of its own (kInfAd).
    report::Memo *RLMemoInfAd = nullptr;
    report::Line *LinhaInfAdInferior = nullptr;

    // ---- ISSQN, additional data, continuation, footer lines ---------------------------
    // ISSQN totals: rlbISSQN, kTituloISSQN and kISSQN.
    // Additional data (rlbDadosAdicionais, kDadosAdicionais).
    report::Box *rliDadosAdicionais = nullptr;
    report::Line *rliDivDadosAdicionais = nullptr;
    report::Label *lblInformacoesComplementares = nullptr;
    report::Memo *rlmDadosAdicionais = nullptr;
    report::Memo *rlmDadosFisco = nullptr;
    report::Label *rllHomologacao = nullptr;
    report::Label *rllUsuario = nullptr;
    report::Label *rllSistema = nullptr;
    // Continuation after the items (rlbContinuacaoInformacoesComplementares, kContinuacao).
    report::Line *LinhaDCSuperior = nullptr;
    report::Line *LinhaDCInferior = nullptr;
    report::Line *LinhaDCEsquerda = nullptr;
    report::Line *LinhaDCDireita = nullptr;
    report::Memo *rlmContinuacaoDadosAdicionais = nullptr;
    // The whole additional-information text, before it is split between the footer and
    // the continuation.
    std::string FDadosAdicionais;

private:
    // The settings the layout reads; valid while the report is prepared.
    TOvixNFeDANFeRL &DANFe() const { return *fpDANFe; }
    const TNFe &NFe() const { return *fpNFe; }
    TDadosDANFe Dados() const { return {*fpNFe, *fpDANFe}; }

    // Construction, block by block.
    void CriarCabecalho();
    void CriarCanhoto();
    void CriarDestinatario();
    void CriarTotais();
    void CriarItens();
    void CriarAdicionais();

    // A new box of field rows of the layout, laid out with the others during preparation.
    dfe::TCaixaCampos &NovaCaixa(report::Band &banda, report::Box &caixa);

    // The report's before-print, and the preparation it starts.
    void RLNFeBeforePrint(report::PrintContext &contexto);
    void InicializarDados();
    void CarregarMarcaDagua();
    void OcultarFormulario();
    void ExpandirLogo();
    void AplicarFontes();
    void AjustarCaixas();
    // The rules of every page, from the header band.
    bool rlbEmitenteBeforePrint(report::PrintContext &contexto);

    // Header and status marks.
    void PrepararMarcasSituacao();
    void PrepararCabecalho();
    void PrepararEmitente();
    void PrepararProtocolo();
    void AjustarFonteChave();
    void PosicionarMotivo(const report::TextMeasurer &medidor);

    // Receipt stub.
    void PreencherCanhoto();
    void PrepararResumoCanhoto();
    void PreencherRecebemosDe();
    void PosicionarCanhoto();
    void AjustarCanhotoBarra();

    // Recipient, places, invoice, payments.
    void PrepararDestinatario();
    void PrepararLocais();
    void PrepararFaturaPagamentos();
    // A place's box: its controls named "RLL" + prefixo + the field, its CEP nomeCEP.
    dfe::TCaixaCampos &CriarQuadroLocal(report::Band &banda, const char *titulo, const char *prefixo,
                                        const char *nomeCEP);
    void PrepararFatura();
    void PrepararDuplicatas();
    void PrepararPagamentos();
    // The bold caption above a box.
    report::Label &CriarTituloQuadro(report::Band &banda, const char *nome, const char *texto);

    // Tax totals, transport.
    void PrepararImposto();
    void PrepararTransporte();
    // The volume lines after the first, created when first needed: line i (from 1) at
    // index i - 1, its labels in the order of the first line's.
    std::vector<std::vector<report::Label *>> FLinhasVolumes;

    // Item rows.
    void PrepararColunasItens();
    void PrepararTitulosItens();
    bool rlbItensBeforePrint(report::PrintContext &contexto);
    // The columns of the item row as built, column i of kColunasItem at index i.
    struct TColunaCriada {
        report::Line *divisor;
        report::Control *texto;
        std::string *valor; // the text's text
    };
    std::vector<TColunaCriada> FColunasItem;
    TValoresItem FValoresItem;

    // ISSQN, additional data, continuation, watermark, footer lines.
    void PrepararRodape();
    void PrepararHomologacao();
    void PrepararDadosAdicionais();
    void PrepararISSQN();
    void PrepararQuebraDadosAdicionais();
    void FecharContinuacao();
    void ExpandirDadosAdicionais();
    // Puts into the footer as many whole words of the additional data as its memo shows
    // in linhas lines, the rest into the continuation (shown when there is a rest).
    void DividirDadosAdicionais(int linhas);
    // The most the additional-data footer may take on page 1, leaving room for the page's
    // headers, titles, column titles, other footers and one item row.
    double AlturaMaximaDadosAdicionais(const report::TextMeasurer &medidor) const;
    void PosicionarMarcaDagua(const report::PrintContext &contexto);

    dfe::TPecasCriadas FPecasCanhoto;
    dfe::TPecasCriadas FPecasEmitente;
    dfe::TPecasCriadas FPecasDadosAdicionais;
    std::deque<dfe::TCaixaCampos> FCaixas; // references to its boxes stay valid
    dfe::TCaixaCampos *FCaixaNatureza = nullptr;
    dfe::TCaixaCampos *FCaixaDestinatario = nullptr;
    dfe::TCaixaCampos *FCaixaRetirada = nullptr;
    dfe::TCaixaCampos *FCaixaEntrega = nullptr;
    dfe::TCaixaCampos *FCaixaFatura = nullptr;
    dfe::TCaixaCampos *FCaixaImposto = nullptr;
    dfe::TCaixaCampos *FCaixaTransp = nullptr;
    dfe::TCaixaCampos *FCaixaISSQN = nullptr;
    // The measurer of the preparation under way.
    const report::TextMeasurer *FMedidor = nullptr;
};

} // namespace nfe

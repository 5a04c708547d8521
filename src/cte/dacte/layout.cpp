#include "cte/dacte/layout.h"

#include "cte/dacte/component.h"
#include "cte/dacte/layout_partes.h"

#include "dfe/report/component.h"
#include "dfe/report/routines.h"
#include "rtl/numbers.h"
#include "rtl/text.h"

namespace cte {

namespace {

using report::BandKind;
using report::PageRule;

// The sides a band draws its border on.
// The width of every band's contents.
constexpr double kLarguraDACTe = 742;

report::Borders BordasSuperiores()
{
    report::Borders b;
    b.left = b.top = b.right = true;
    return b;
}

// A band whose disabled state takes no room: enabled, it has its height (and grows with
// its memos when it does); disabled, it is 0 high and stops growing.
void Habilitar(report::Band &banda, bool habilitada, double altura, bool cresce = false)
{
    banda.enabled = habilitada;
    banda.height = habilitada ? altura : 0;
    banda.autoSize = habilitada && cresce;
}

bool AnulacaoOuSubstituto(const TCTe &cte)
{
    return cte.ide.tpCTe == tcAnulacao || cte.ide.tpCTe == tcSubstituto;
}

bool CTeOS(const TCTe &cte)
{
    return cte.ide.modelo == 67;
}

} // namespace

TfrmDACTeRLRetrato::TfrmDACTeRLRetrato()
{
    RLCTe.title = "DACT-e Retrato";
    RLCTe.font = report::Font{"Courier New", 8};
    RLCTe.paper = report::Paper::a4();
    PreviewSempreVisivel = true;

    CriarBandas();
    CriarCanhotos();
    CriarCabecalho();
    CriarDocumentos();
    CriarObservacoes();
    CriarNotas();
    CriarPartes();
    CriarValores();
    CriarComplementares();
    CriarModais();

    RLCTe.beforePrint = [this](report::Report &, report::PrintContext &contexto) { RLCTeBeforePrint(contexto); };
    // Continuation pages carry the transported documents page 1 had no room for, and only
    // while the documents band prints at all: a band that is off never uses up the rows.
    // A page that took no row would be followed by the same page for ever: the pages
    // stop there instead.
    RLCTe.morePages = [this](report::PrintContext &) {
        if (!DocumentosHabilitados() || cdsDocumentos.Eof() || cdsDocumentos.RecNo() == FLinhaContinuacao)
            return false;
        FLinhaContinuacao = cdsDocumentos.RecNo();
        return true;
    };
}

TfrmDACTeRLRetrato::~TfrmDACTeRLRetrato() = default;

std::unique_ptr<TfrmDACTeRL> TfrmDACTeRLRetrato::Criar()
{
    return std::make_unique<TfrmDACTeRLRetrato>();
}

void TfrmDACTeRLRetrato::CriarBandas()
{
    const auto banda = [this](double altura, const char *nome, PageRule regra, report::Borders bordas) {
        report::Band &b = RLCTe.addBand(BandKind::PageHeader, altura, nome);
        b.pageRule = regra;
        b.borders = bordas;
        return &b;
    };
    const report::Borders todas = report::Borders::all();
    const report::Borders nenhuma;
    rlb_01_Recibo = banda(84, "rlb_01_Recibo", PageRule::FirstOnly, BordasSuperiores());
    rlb_01_Recibo_Aereo = banda(124, "rlb_01_Recibo_Aereo", PageRule::FirstOnly, BordasSuperiores());
    rlb_02_Cabecalho = banda(184, "rlb_02_Cabecalho", PageRule::Every, todas);
    rlb_03_DadosDACTe = banda(202, "rlb_03_DadosDACTe", PageRule::FirstOnly, todas);
    rlb_03_DadosDACTe_OS = banda(69, "rlb_03_DadosDACTe_OS", PageRule::FirstOnly, todas);
    rlb_04_DadosNotaFiscal = banda(90, "rlb_04_DadosNotaFiscal", PageRule::FirstOnly, todas);
    rlb_05_Complemento = banda(81, "rlb_05_Complemento", PageRule::FirstOnly, todas);
    rlb_06_ProdutosPerigosos = banda(83, "rlb_06_ProdutosPerigosos", PageRule::FirstOnly, todas);
    rlb_CTeOS_PrestacaoServico = banda(77, "rlb_CTeOS_PrestacaoServico", PageRule::Every, todas);
    rlb_06_ValorPrestacao = banda(143, "rlb_06_ValorPrestacao", PageRule::FirstOnly, todas);
    // Page 1, and later pages while documents remain (its before-print decides).
    rlb_07_HeaderItens = banda(81, "rlb_07_HeaderItens", PageRule::Every, todas);
    rlb_Cte_Anulado_Substituido = banda(81, "rlb_Cte_Anulado_Substituido", PageRule::Every, todas);
    rlb_Fluxo_Carga = banda(44, "rlb_Fluxo_Carga", PageRule::FirstOnly, todas);
    rlb_09_Obs = banda(70, "rlb_09_Obs", PageRule::FirstOnly, todas);
    rlb_06_VeiculosNovos = banda(63, "rlb_06_VeiculosNovos", PageRule::FirstOnly, todas);
    rlb_Dados_Seguradora = banda(44, "rlb_Dados_Seguradora", PageRule::Every, todas);
    rlb_10_ModRodFracionado = banda(44, "rlb_10_ModRodFracionado", PageRule::FirstOnly, todas);
    rlb_11_ModRodLot104 = banda(107, "rlb_11_ModRodLot104", PageRule::FirstOnly, nenhuma);
    rlb_12_ModAereo = banda(97, "rlb_12_ModAereo", PageRule::FirstOnly, todas);
    rlb_13_ModAquaviario = banda(92, "rlb_13_ModAquaviario", PageRule::FirstOnly, todas);
    rlb_14_ModFerroviario = banda(7, "rlb_14_ModFerroviario", PageRule::FirstOnly, nenhuma);
    rlb_15_ModDutoviario = banda(7, "rlb_15_ModDutoviario", PageRule::FirstOnly, nenhuma);
    rlb_16_DadosExcEmitente = banda(69, "rlb_16_DadosExcEmitente", PageRule::FirstOnly, todas);
    rlb_17_Sistema = banda(16, "rlb_17_Sistema", PageRule::FirstOnly, nenhuma);
    rlb_18_Recibo = banda(97, "rlb_18_Recibo", PageRule::FirstOnly, nenhuma);

    rlb_01_Recibo->beforePrint = [this](report::Band &, report::PrintContext &c) { return CanhotoBeforePrint(c); };
    rlb_01_Recibo_Aereo->beforePrint = [this](report::Band &, report::PrintContext &c) {
        return CanhotoAereoBeforePrint(c);
    };
    rlb_02_Cabecalho->beforePrint = [this](report::Band &, report::PrintContext &c) {
        return CabecalhoBeforePrint(c);
    };
    rlb_03_DadosDACTe->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, !CTeOS(CTe()), 202);
        PreencherPartes();
        return true;
    };
    rlb_03_DadosDACTe_OS->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, CTeOS(CTe()), 69);
        if (b.enabled)
            PreencherPartesOS();
        return true;
    };
    rlb_04_DadosNotaFiscal->beforePrint = [this](report::Band &b, report::PrintContext &) {
        const TCTe &cte = CTe();
        Habilitar(b, (cte.ide.tpCTe == tcNormal || cte.ide.tpCTe == tcSubstituto) && !CTeOS(cte), 90);
        return true;
    };
    rlb_05_Complemento->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, CTe().ide.tpCTe == tcComplemento, 81);
        if (b.enabled)
            PreencherComplemento();
        return true;
    };
    // Shown only with dangerous goods (the report's before-print hides it otherwise).
    rlb_06_ProdutosPerigosos->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, true, 83, true);
        PreencherPerigosos();
        return true;
    };
    rlb_CTeOS_PrestacaoServico->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, CTeOS(CTe()), 77, true);
        if (b.enabled)
            PreencherServicoOS();
        return true;
    };
    rlb_07_HeaderItens->beforePrint = [this](report::Band &, report::PrintContext &c) {
        return DocumentosBeforePrint(c);
    };
    rlb_Cte_Anulado_Substituido->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, AnulacaoOuSubstituto(CTe()), 81, true);
        return b.enabled ? AnuladoSubstituidoBeforePrint() : true;
    };
    rlb_Fluxo_Carga->beforePrint = [this](report::Band &b, report::PrintContext &) {
        const TCTe &cte = CTe();
        Habilitar(b, cte.infCTe.versao >= 3.0 && !CTeOS(cte) && cte.ide.modal == dfe::mdAereo, 44);
        return FluxoCargaBeforePrint();
    };
    rlb_09_Obs->beforePrint = [this](report::Band &, report::PrintContext &c) { return ObsBeforePrint(c); };
    // Shown only with new vehicles (the report's before-print hides it otherwise).
    rlb_06_VeiculosNovos->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, true, 63, true);
        PreencherVeiculosNovos();
        return true;
    };
    rlb_Dados_Seguradora->beforePrint = [this](report::Band &b, report::PrintContext &) {
        Habilitar(b, CTeOS(CTe()) || CTe().ide.modal == dfe::mdMultimodal, 44);
        if (b.enabled)
            PreencherSeguradora();
        return true;
    };
    // The modal bands keep the heights the report's before-print gave them, blank when
    // disabled.
    const auto modal = [this](report::Band &b, dfe::TpcteModal m) {
        b.enabled = CTe().ide.tpCTe == tcNormal && CTe().ide.modal == m;
    };
    rlb_10_ModRodFracionado->beforePrint = [this](report::Band &b, report::PrintContext &) {
        return ModRodFracionadoBeforePrint(b);
    };
    // A full load below layout 3.00 has its own road band under the road band, which the
    // road band enables. The documents page 1 has no room for go on the pages that
    // morePages adds once page 1 is done: a page break after this band would push the
    // notes, the system line and the bottom stub off page 1.
    rlb_11_ModRodLot104->beforePrint = [this](report::Band &, report::PrintContext &) {
        PreencherLotacao();
        return true;
    };
    rlb_12_ModAereo->beforePrint = [this, modal](report::Band &b, report::PrintContext &) {
        modal(b, dfe::mdAereo);
        if (b.enabled)
            PreencherAereo();
        return true;
    };
    rlb_13_ModAquaviario->beforePrint = [this, modal](report::Band &b, report::PrintContext &) {
        modal(b, dfe::mdAquaviario);
        if (b.enabled)
            PreencherAquaviario();
        return true;
    };
    rlb_14_ModFerroviario->beforePrint = [modal](report::Band &b, report::PrintContext &) {
        modal(b, dfe::mdFerroviario);
        return true;
    };
    rlb_15_ModDutoviario->beforePrint = [modal](report::Band &b, report::PrintContext &) {
        modal(b, dfe::mdDutoviario);
        return true;
    };
    rlb_16_DadosExcEmitente->beforePrint = [this](report::Band &b, report::PrintContext &c) {
        b.autoSize = true;
        return DadosExcEmitenteBeforePrint(c);
    };
    rlb_17_Sistema->beforePrint = [this](report::Band &, report::PrintContext &c) { return SistemaBeforePrint(c); };
    rlb_18_Recibo->beforePrint = [this](report::Band &, report::PrintContext &c) {
        return CanhotoRodapeBeforePrint(c);
    };
}

// ---- Preparation ---------------------------------------------------------------------------

void TfrmDACTeRLRetrato::RLCTeBeforePrint(report::PrintContext &)
{
    const TCTe &cte = CTe();
    dfe::TDFeReportFortes::AjustarMargem(RLCTe, DACTe());
    // The bands draw their frames across the printable width and their contents across
    // the layout's: the right margin takes what the layout leaves, so both edges meet.
    RLCTe.margins.right = RLCTe.paper.widthMm - RLCTe.margins.left - report::pxToMm(kLarguraDACTe);
    Itens();
    Linhas = 0;
    FLinhaContinuacao = 0;

    rlb_06_ProdutosPerigosos->visible = cte.infCTeNorm.peri.Count() > 0;
    rlb_06_VeiculosNovos->visible = cte.infCTeNorm.veicNovos.Count() > 0;
    // The federal-taxes panel of a CT-e OS makes the values band taller.
    rlb_06_ValorPrestacao->height = CTeOS(cte) ? 144 : 117;

    for (report::Band *b : {rlb_10_ModRodFracionado, rlb_11_ModRodLot104, rlb_12_ModAereo, rlb_13_ModAquaviario,
                            rlb_14_ModFerroviario, rlb_15_ModDutoviario})
        b->height = 0;
    switch (cte.ide.modal) {
    case dfe::mdRodoviario:
        rlb_10_ModRodFracionado->height = 44;
        if (cte.infCTeNorm.rodo.lota == ltSim)
            rlb_11_ModRodLot104->height = 107;
        break;
    case dfe::mdAereo: rlb_12_ModAereo->height = 97; break;
    case dfe::mdAquaviario: rlb_13_ModAquaviario->height = 92; break;
    case dfe::mdFerroviario:
    case dfe::mdDutoviario:
    case dfe::mdMultimodal: break;
    }

    // The number follows the user's thousands separator.
    RLCTe.title = "CT-e: " + rtl::FormatFloat("000,000,000", cte.ide.nCT);
    PrepararQRCode();
    PrepararEmitente();
}

void TfrmDACTeRLRetrato::PrepararQRCode()
{
    const std::string &qr = CTe().infCTeSupl.qrCodCTe;
    if (rtl::Trim(qr).empty()) {
        // No QR Code: the key, the portal lines and the rows beside them take its room.
        rlsLinhaV07->bounds.setHeight(26);
        rlsLinhaH03->bounds.setWidth(427);
        RLDraw99->bounds.setWidth(427);
        rlbCodigoBarras->bounds.setWidth(419);
        rllVariavel1->bounds.setWidth(419);
        rllVariavel2->bounds.setWidth(419);
        imgQRCode->visible = false;
        return;
    }
    // The symbol carries the document's text exactly: a byte-order mark in front would
    // reach some readers as part of the address.
    dfe::PintarQRCode(qr, imgQRCode->image, dfe::qrUTF8BOM);
}

bool TfrmDACTeRLRetrato::DocumentosHabilitados() const
{
    const TCTe &cte = CTe();
    return cte.ide.tpCTe != tcAnulacao && !CTeOS(cte);
}

} // namespace cte

// The receipt stub the recipient signs and returns (standard or with the key barcode) and
// the cut line under it: page 1 only, at the top of the page or at its foot.

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "util/toolbox.h"

namespace nfe {

namespace {

using report::HAlign;

// Where the bar stub's form draws the divider before the number area, and the top of
// its summary memo.
constexpr double kDivisorNumeroBarra = 451;
constexpr double kTopoResumoBarra = 10;

constexpr std::string_view kRecebemosDe =
    "RECEBEMOS DE %s OS PRODUTOS / SERVIÇOS CONSTANTES DA NOTA FISCAL INDICADO AO LADO";

// The template with its one text argument in place of "%s".
std::string FormatarRecebemosDe(const std::string &modelo, const std::string &nome)
{
    const std::size_t pos = modelo.find("%s");
    if (pos == std::string::npos)
        return modelo;
    std::string texto = modelo;
    texto.replace(pos, 2, nome);
    return texto;
}

// The stub's lines must read whole in their one line: a long issuer name or summary
// makes their font smaller, down to this size (pixels), below which the text runs on
// past its width rather than lose its end.
constexpr int kMenorFonteCanhoto = 5;

// The font, shrunk pixel by pixel until text fits largura.
report::Font FonteQueCabe(const report::TextMeasurer &medidor, const std::string &texto, report::Font fonte,
                          double largura)
{
    while (fonte.pixelSize > kMenorFonteCanhoto && medidor.width(texto, fonte) > largura)
        --fonte.pixelSize;
    return fonte;
}

// A memo of the bar stub shows text in one line of its width: the memo is one line
// high, so a second line would not print.
void UmaLinha(report::Memo &memo, const report::TextMeasurer &medidor, const std::string &texto,
              const report::Font &fonte)
{
    memo.text = texto;
    memo.font = FonteQueCabe(medidor, texto, fonte, memo.bounds.width());
    memo.wordWrap = false;
}

} // namespace

void TfrlDANFeRLRetrato::CriarCanhoto()
{
    const report::Font legenda = dfe::CriarFonte(7);

    // Standard stub.
    report::Band &b = *rlbReciboHeader;
    rliCanhoto = &dfe::CriarCaixa(b, "rliCanhoto", QRectF(0, 0, 740, 57));
    rliCanhoto1 = &dfe::CriarLinhaH(b, "rliCanhoto1", 0, 25, 603);
    rliCanhoto2 = &dfe::CriarLinhaV(b, "rliCanhoto2", 102, 25, 32);
    rliCanhoto3 = &dfe::CriarLinhaV(b, "rliCanhoto3", 602, 0, 57);
    rllRecebemosDe = &dfe::CriarRotulo(b, "rllRecebemosDe", QRectF(4, 4, 596, 10), std::string(kRecebemosDe),
                                  dfe::CriarFonte(8), HAlign::Left, tagCanhotoLinha1);
    rllResumo = &dfe::CriarRotulo(b, "rllResumo", QRectF(60, 14, 486, 10), "", dfe::CriarFonte(8), HAlign::Center);
    rllDataRecebimento = &dfe::CriarRotulo(b, "rllDataRecebimento", QRectF(3, 28, 96, 9), "DATA DE RECEBIMENTO", legenda,
                                      HAlign::Left, tagLegenda);
    rllIdentificacao = &dfe::CriarRotulo(b, "rllIdentificacao", QRectF(105, 28, 300, 9),
                                    "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR", legenda, HAlign::Left, tagLegenda);
    rllNFe = &dfe::CriarRotulo(b, "rllNFe", QRectF(608, 2, 128, 18), "NF-e", dfe::CriarFonte(16, true), HAlign::Center);
    // The number and series are filled with the header's (PrepararCabecalho).
    rllNumNF0 = &dfe::CriarRotulo(b, "rllNumNF0", QRectF(625, 20, 100, 14), "", dfe::CriarFonte(11, true), HAlign::Center);
    rllSERIE0 = &dfe::CriarRotulo(b, "rllSERIE0", QRectF(639, 37, 72, 14), "", dfe::CriarFonte(11), HAlign::Center);
    rlmDadosAdicionaisAuxiliar = &dfe::CriarMemo(b, "rlmDadosAdicionaisAuxiliar", QRectF(136, 36, 458, 10),
                                            dfe::CriarFonte(11), HAlign::Left, tagInfComplementar);
    rlmDadosAdicionaisAuxiliar->autoHeight = true;
    rlmDadosAdicionaisAuxiliar->visible = false;

    // Stub with the key barcode: laid out during preparation (AjustarCanhotoBarra).
    report::Band &bb = *rlbReciboHeaderBarra;
    const report::Font courier = dfe::CriarFonte(9, false, "Courier New");
    rlBarraiCanhoto = &dfe::CriarCaixa(bb, "rlBarraiCanhoto", QRectF(0, 0, 740, 88));
    RLBarraRecebemosDe = &dfe::CriarMemo(bb, "RLBarraRecebemosDe", QRectF(3, 1, 417, 14), courier);
    RLBarraResumo = &dfe::CriarMemo(bb, "RLBarraResumo", QRectF(3, kTopoResumoBarra, 417, 14), courier);
    rlBarraiCanhoto1 = &dfe::CriarLinhaH(bb, "rlBarraiCanhoto1", 0, 36, 740);
    rlBarraiCanhoto2 = &dfe::CriarLinhaV(bb, "rlBarraiCanhoto2", 102, 36, 52);
    rlBarraiCanhoto3 = &dfe::CriarLinhaV(bb, "rlBarraiCanhoto3", kDivisorNumeroBarra, 0, 88);
    rlBarraDataRecebimento = &dfe::CriarRotulo(bb, "rlBarraDataRecebimento", QRectF(3, 37, 96, 9), "DATA DE RECEBIMENTO",
                                          legenda, HAlign::Left, tagLegenda);
    rlBarraIdentificacao = &dfe::CriarRotulo(bb, "rlBarraIdentificacao", QRectF(105, 37, 300, 9),
                                        "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR", legenda, HAlign::Left, tagLegenda);
    RLBarraBarcode = &bb.add<report::Barcode>("RLBarraBarcode", QRectF(454, 39, 122, 38));
    RLBarraBarcode->moduleWidth = kModuloCodigoBarras;
    rllBarraNFe = &dfe::CriarRotulo(bb, "rllBarraNFe", QRectF(450, 13, 40, 15), "NF-e", dfe::CriarFonte(12));
    rlBarraNumNF0 = &dfe::CriarRotulo(bb, "rlBarraNumNF0", QRectF(490, 13, 108, 15), "", dfe::CriarFonte(12, true));
    rlBarraSERIE0 = &dfe::CriarRotulo(bb, "rlBarraSERIE0", QRectF(600, 13, 136, 15), "", dfe::CriarFonte(12));
    rlBarramDadosAdicionaisAuxiliar = &dfe::CriarMemo(bb, "rlBarramDadosAdicionaisAuxiliar", QRectF(136, 36, 458, 10),
                                                 dfe::CriarFonte(11), HAlign::Left, tagInfComplementar);
    rlBarramDadosAdicionaisAuxiliar->autoHeight = true;
    rlBarramDadosAdicionaisAuxiliar->visible = false;

    rliDivisao = &dfe::CriarLinhaH(*rlbDivisaoRecibo, "rliDivisao", 0, 6, 740);
    rliDivisao->dotted = true;
}

void TfrlDANFeRLRetrato::PrepararResumoCanhoto()
{
    const TOvixNFeDANFeRL &danfe = DANFe();
    const TNFe &nfe = NFe();
    rllResumo->visible = danfe.ExibeResumoCanhoto();
    if (danfe.ExibeResumoCanhoto()) {
        if (!danfe.TextoResumoCanhoto().empty())
            rllResumo->text = danfe.TextoResumoCanhoto();
        else
            rllResumo->text = "EMISSÃO: " + util::FormatDateBr(nfe.Ide.dEmi) + "  -  " + "DEST. / REM.: " +
                              nfe.Dest.xNome + "  -  " + "VALOR TOTAL: R$ " +
                              util::FormatFloatBr(nfe.Total.ICMSTot.vNF.ToDouble());
        return;
    }
    // Without the summary the receipt-date and signature boxes take its room: their
    // captions move up, and the dividers with them so that no line runs through a caption.
    rllDataRecebimento->bounds.moveTop(18);
    rllIdentificacao->bounds.moveTop(18);
    rliCanhoto1->bounds.moveTop(15);
    rliCanhoto2->bounds.moveTop(15);
    rliCanhoto2->bounds.setHeight(rliCanhoto->bounds.bottom() - 15);
}

void TfrlDANFeRLRetrato::PreencherRecebemosDe()
{
    if (FRecebemoDe.empty())
        FRecebemoDe = rllRecebemosDe->text;
    rllRecebemosDe->text = FormatarRecebemosDe(FRecebemoDe, NFe().Emit.xNome);
}

void TfrlDANFeRLRetrato::PosicionarCanhoto()
{
    TOvixNFeDANFeRL &danfe = DANFe();
    rllRecebemosDe->font = FonteQueCabe(*FMedidor, rllRecebemosDe->text, rllRecebemosDe->fontOr(RLNFe.font),
                                        rllRecebemosDe->bounds.width());
    report::Band *canhoto = rlbReciboHeader;
    if (danfe.PosCanhotoLayout() == dfe::prlPadrao) {
        rlbReciboHeaderBarra->visible = false;
    } else {
        rlbReciboHeader->visible = false;
        rlbReciboHeaderBarra->height = 65 + (danfe.ExibeResumoCanhoto() ? 20 : 0);
        AjustarCanhotoBarra();
        canhoto = rlbReciboHeaderBarra;
    }
    if (danfe.PosCanhoto() == dfe::prRodape) {
        // Under the additional data: the cut line, then the stub.
        rlbDivisaoRecibo->kind = report::BandKind::PageFooter;
        rlbDivisaoRecibo->order = rlbDadosAdicionais->order + 0.25;
        canhoto->kind = report::BandKind::PageFooter;
        canhoto->order = rlbDadosAdicionais->order + 0.5;
    }
    // At the head (prCabecalho, and prEsquerda, which changes nothing) the stub and the
    // cut line stay the first page headers, in that order.
}

void TfrlDANFeRLRetrato::AjustarCanhotoBarra()
{
    const bool resumo = DANFe().ExibeResumoCanhoto();
    report::Box &caixa = *rlBarraiCanhoto;
    caixa.bounds = QRectF(caixa.bounds.left(), 0, caixa.bounds.width(), rlbReciboHeaderBarra->height);
    const double topo = caixa.bounds.top();
    const double fundo = caixa.bounds.bottom();

    RLBarraRecebemosDe->bounds.moveTop(topo + 1);
    UmaLinha(*RLBarraRecebemosDe, *FMedidor, rllRecebemosDe->text, rllRecebemosDe->fontOr(RLNFe.font));

    RLBarraResumo->bounds.moveTop(kTopoResumoBarra);
    rlBarraiCanhoto1->bounds.moveTop(RLBarraResumo->bounds.top() + 10);
    RLBarraBarcode->data = rlbCodigoBarras->data;
    RLBarraBarcode->bounds.setHeight(rlbCodigoBarras->bounds.height());

    double topoNumero = topo + 1;
    RLBarraResumo->visible = resumo;
    if (resumo) {
        RLBarraResumo->bounds.moveTop(RLBarraRecebemosDe->bounds.top() + 15);
        UmaLinha(*RLBarraResumo, *FMedidor, rllResumo->text, rllResumo->fontOr(RLNFe.font));
        rlBarraiCanhoto1->bounds.moveTop(RLBarraResumo->bounds.top() + 20);
        topoNumero = static_cast<int>(rlBarraiCanhoto1->bounds.top()) / 2 - 5;
    }

    const double divisao = rlBarraiCanhoto1->bounds.top();
    rlBarraDataRecebimento->bounds.moveTop(divisao + 1);
    rlBarraIdentificacao->bounds.moveTop(divisao + 1);
    RLBarraBarcode->bounds.moveTop(divisao + 3);
    rlBarraiCanhoto1->bounds.setLeft(caixa.bounds.left());
    rlBarraiCanhoto1->bounds.setWidth(caixa.bounds.width());
    rlBarraiCanhoto2->bounds = QRectF(rlBarraiCanhoto2->bounds.left(), divisao, 1, fundo - divisao);
    rlBarraiCanhoto3->bounds.setHeight(fundo - rlBarraiCanhoto3->bounds.top());

    report::Font numero = rllBarraNFe->fontOr(RLNFe.font);
    rllBarraNFe->bounds.moveTo(450, topoNumero);
    rlBarraNumNF0->bounds.moveTo(490, topoNumero);
    rlBarraNumNF0->align = HAlign::Left;
    rlBarraNumNF0->text = rllNumNF0->text;
    rlBarraSERIE0->bounds.moveTo(600, topoNumero);
    rlBarraSERIE0->align = HAlign::Left;
    rlBarraSERIE0->font = numero;
    rlBarraSERIE0->text = rllSERIE0->text;
    numero.bold = true;
    rlBarraNumNF0->font = numero;

    rlBarraiCanhoto3->bounds.moveLeft(rllBarraNFe->bounds.left() - 3);
    // The barcode has the room from that divider to the box's border, its modules
    // centred in it with quiet zones on both sides.
    RLBarraBarcode->bounds.setLeft(rlBarraiCanhoto3->bounds.right());
    RLBarraBarcode->bounds.setRight(caixa.bounds.right() - 1);
}

} // namespace nfe

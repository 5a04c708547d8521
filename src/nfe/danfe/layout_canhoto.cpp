// The receipt stub the recipient signs and returns (standard or with the key barcode) and
// the cut line under it: page 1 only, at the top of the page or at its foot.

#include "dfe/report/pecas.h"
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

constexpr const char *kRecebemosDe =
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

using TPeca = TPecaDANFe;
using dfe::TFontePeca;

constexpr TFontePeca kFonteLegenda{7};

// The standard stub. The number and series are the header's.
constexpr TPeca kCanhoto[] = {
    dfe::Caixa("rliCanhoto", 0, 0, 740, 57),
    dfe::LinhaH("rliCanhoto1", 0, 25, 603),
    dfe::LinhaV("rliCanhoto2", 102, 25, 32),
    dfe::LinhaV("rliCanhoto3", 602, 0, 57),
    dfe::Rotulo("rllRecebemosDe", 4, 4, 596, 10, kRecebemosDe, {8}, HAlign::Left, tagCanhotoLinha1),
    dfe::Rotulo("rllResumo", 60, 14, 486, 10, "", {8}, HAlign::Center),
    dfe::Rotulo("rllDataRecebimento", 3, 28, 96, 9, "DATA DE RECEBIMENTO", kFonteLegenda, HAlign::Left, tagLegenda),
    dfe::Rotulo("rllIdentificacao", 105, 28, 300, 9, "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR", kFonteLegenda,
                HAlign::Left, tagLegenda),
    dfe::Rotulo("rllNFe", 608, 2, 128, 18, "NF-e", {16, true}, HAlign::Center),
    {dfe::Rotulo("rllNumNF0", 625, 20, 100, 14, "", {11, true}, HAlign::Center), NumeroNF},
    {dfe::Rotulo("rllSERIE0", 639, 37, 72, 14, "", {11}, HAlign::Center), SerieNF},
    // Hidden: measures the additional-information text, 458 wide like the footer memo.
    dfe::Memo("rlmDadosAdicionaisAuxiliar", 136, 36, 458, 10, "", {11}, HAlign::Left, tagInfComplementar)
        .AutoAltura()
        .Oculta(),
};

// The stub with the key barcode: laid out during preparation (AjustarCanhotoBarra).
constexpr TFontePeca kFonteBarra{9, false, "Courier New"};
constexpr TPeca kCanhotoBarra[] = {
    dfe::Caixa("rlBarraiCanhoto", 0, 0, 740, 88),
    dfe::Memo("RLBarraRecebemosDe", 3, 1, 417, 14, "", kFonteBarra),
    dfe::Memo("RLBarraResumo", 3, kTopoResumoBarra, 417, 14, "", kFonteBarra),
    dfe::LinhaH("rlBarraiCanhoto1", 0, 36, 740),
    dfe::LinhaV("rlBarraiCanhoto2", 102, 36, 52),
    dfe::LinhaV("rlBarraiCanhoto3", kDivisorNumeroBarra, 0, 88),
    dfe::Rotulo("rlBarraDataRecebimento", 3, 37, 96, 9, "DATA DE RECEBIMENTO", kFonteLegenda, HAlign::Left,
                tagLegenda),
    dfe::Rotulo("rlBarraIdentificacao", 105, 37, 300, 9, "IDENTIFICAÇÃO E ASSINATURA DO RECEBEDOR", kFonteLegenda,
                HAlign::Left, tagLegenda),
    dfe::CodigoBarras("RLBarraBarcode", 454, 39, 122, 38, kModuloCodigoBarras),
    dfe::Rotulo("rllBarraNFe", 450, 13, 40, 15, "NF-e", {12}),
    dfe::Rotulo("rlBarraNumNF0", 490, 13, 108, 15, "", {12, true}),
    dfe::Rotulo("rlBarraSERIE0", 600, 13, 136, 15, "", {12}),
    dfe::Memo("rlBarramDadosAdicionaisAuxiliar", 136, 36, 458, 10, "", {11}, HAlign::Left, tagInfComplementar)
        .AutoAltura()
        .Oculta(),
};

constexpr TPeca kDivisaoRecibo[] = {
    dfe::LinhaH("rliDivisao", 0, 6, 740).Pontilhada(),
};

} // namespace

void TfrlDANFeRLRetrato::CriarCanhoto()
{
    FPecasCanhoto = dfe::CriarPecas<TDadosDANFe>(*rlbReciboHeader, kCanhoto);
    const dfe::TPecasCriadas &p = FPecasCanhoto;
    rliCanhoto = &p.De<report::Box>("rliCanhoto");
    rliCanhoto1 = &p.De<report::Line>("rliCanhoto1");
    rliCanhoto2 = &p.De<report::Line>("rliCanhoto2");
    rllRecebemosDe = &p.De<report::Label>("rllRecebemosDe");
    rllResumo = &p.De<report::Label>("rllResumo");
    rllDataRecebimento = &p.De<report::Label>("rllDataRecebimento");
    rllIdentificacao = &p.De<report::Label>("rllIdentificacao");
    rllNumNF0 = &p.De<report::Label>("rllNumNF0");
    rllSERIE0 = &p.De<report::Label>("rllSERIE0");

    const dfe::TPecasCriadas b = dfe::CriarPecas<TDadosDANFe>(*rlbReciboHeaderBarra, kCanhotoBarra);
    rlBarraiCanhoto = &b.De<report::Box>("rlBarraiCanhoto");
    RLBarraRecebemosDe = &b.De<report::Memo>("RLBarraRecebemosDe");
    RLBarraResumo = &b.De<report::Memo>("RLBarraResumo");
    rlBarraiCanhoto1 = &b.De<report::Line>("rlBarraiCanhoto1");
    rlBarraiCanhoto2 = &b.De<report::Line>("rlBarraiCanhoto2");
    rlBarraiCanhoto3 = &b.De<report::Line>("rlBarraiCanhoto3");
    rlBarraDataRecebimento = &b.De<report::Label>("rlBarraDataRecebimento");
    rlBarraIdentificacao = &b.De<report::Label>("rlBarraIdentificacao");
    RLBarraBarcode = &b.De<report::Barcode>("RLBarraBarcode");
    rllBarraNFe = &b.De<report::Label>("rllBarraNFe");
    rlBarraNumNF0 = &b.De<report::Label>("rlBarraNumNF0");
    rlBarraSERIE0 = &b.De<report::Label>("rlBarraSERIE0");

    dfe::CriarPecas<TDadosDANFe>(*rlbDivisaoRecibo, kDivisaoRecibo);
}

void TfrlDANFeRLRetrato::PreencherCanhoto()
{
    dfe::PreencherPecas(FPecasCanhoto, kCanhoto, Dados());
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

// The item rows: the column titles above them on every page, one row per item and the
// row of its additional information.

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "dfe/codes_tax.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace nfe {

namespace {

using report::HAlign;

const QColor kFundoTitulos(0xE5, 0xE5, 0xE5);

// The column titles' box: its top and height in the title band.
constexpr double kTopoTitulos = 12;
constexpr double kAlturaTitulos = 19;
// Where the captions of a title sit: a caption over a second one, the second one, and a
// caption alone (one line, in the middle of the box). The upper line starts 1 pixel below
// the box's top, so that a caption of two lines stays inside the 19-pixel box.
constexpr double kLegendaSuperior = 13;
constexpr double kLegendaInferior = 21;
constexpr double kLegendaUnica = 18;
// The tallest a caption of one line may be.
constexpr double kAlturaLegenda = 10;

// Text fields of a row: one line 10 pixels high, 1 pixel below the row's top.
constexpr double kTopoTexto = 1;
constexpr double kAlturaTexto = 10;
// The amounts end this far before the divider on their right, whatever their column's
// width: a digit that reaches the divider is cut by its line.
constexpr double kRecuoValor = 2;

void MoverX(report::Control &controle, double esquerda)
{
    controle.bounds.moveLeft(esquerda);
}

void ColocarX(report::Control &controle, double esquerda, double largura)
{
    controle.bounds.moveLeft(esquerda);
    controle.bounds.setWidth(largura);
}

} // namespace

void TfrlDANFeRLRetrato::CriarItens()
{
    // ---- Column titles --------------------------------------------------------------------
    report::Band &t = *rlbCabecalhoItens;
    // The header band retitles it on the pages after the first.
    lblDadosDoProduto = &dfe::CriarRotulo(t, "lblDadosDoProduto", QRectF(0, 0, 400, 11), "DADOS DO PRODUTO / SERVIÇOS",
                                     dfe::CriarFonte(8, true), HAlign::Left, tagTituloCaixa);
    rlsRectProdutos = &dfe::CriarCaixa(t, "rlsRectProdutos", QRectF(0, kTopoTitulos, 740, kAlturaTitulos));
    rlsRectProdutos->fill = kFundoTitulos;

    const report::Font legenda = dfe::CriarFonte(7);
    const auto titulo = [&](const char *nome, double x, double y, double largura, const char *texto) {
        return &dfe::CriarRotulo(t, nome, QRectF(x, y, largura, kAlturaLegenda), texto, legenda, HAlign::Center,
                            tagLegenda);
    };
    const auto tituloEmLinhas = [&](const char *nome, double x, double y, double largura, const char *texto) {
        report::Memo &memo = dfe::CriarMemo(t, nome, QRectF(x, y, largura, kAlturaLegenda), legenda, HAlign::Center,
                                       tagLegenda);
        memo.text = texto;
        memo.autoHeight = true;
        return &memo;
    };
    const auto divisor = [&](const char *nome, double x) {
        return &dfe::CriarLinhaV(t, nome, x, kTopoTitulos, kAlturaTitulos);
    };

    rlmCodProd = tituloEmLinhas("rlmCodProd", 1, kLegendaSuperior, 54, "CÓDIGO DO PROD. / SERV.");
    rlsDivProd = divisor("rlsDivProd", 54);
    rlmDescricaoProduto =
        tituloEmLinhas("rlmDescricaoProduto", 56, kLegendaUnica, 184, "DESCRIÇÃO DO PRODUTO / SERVIÇO");
    rlsDivProd2 = divisor("rlsDivProd2", 243);
    lblNCM = titulo("lblNCM", 244, kLegendaUnica, 38, "NCM / SH");
    rlsDivProd3 = divisor("rlsDivProd3", 282);
    lblCST = titulo("lblCST", 283, kLegendaUnica, 24, "CST");
    rlsDivProd4 = divisor("rlsDivProd4", 307);
    lblCFOP = titulo("lblCFOP", 308, kLegendaUnica, 22, "CFOP");
    rlsDivProd5 = divisor("rlsDivProd5", 330);
    lblUnidade = titulo("lblUnidade", 331, kLegendaUnica, 28, "UNID.");
    rlsDivProd6 = divisor("rlsDivProd6", 359);
    lblQuantidade = titulo("lblQuantidade", 360, kLegendaUnica, 45, "QUANT.");
    rlsDivProd7 = divisor("rlsDivProd7", 404);
    lblValorUnitarioSup = titulo("lblValorUnitarioSup", 405, kLegendaSuperior, 50, "VALOR");
    lblValorUnitarioInf = titulo("lblValorUnitarioInf", 405, kLegendaInferior, 50, "UNITÁRIO");
    rlsDivProd8 = divisor("rlsDivProd8", 455);
    lblValorTotalSup = titulo("lblValorTotalSup", 455, kLegendaSuperior, 52, "VALOR");
    lblValorTotal = titulo("lblValorTotal", 455, kLegendaInferior, 52, "TOTAL");
    rlsDivProd14 = divisor("rlsDivProd14", 508);
    lblPercValorDesc = titulo("lblPercValorDesc", 509, kLegendaSuperior, 45, "VALOR");
    lblPercValorDesc1 = titulo("lblPercValorDesc1", 509, kLegendaInferior, 45, "DESCONTO");
    rlsDivProd9 = divisor("rlsDivProd9", 554);
    lblBaseICMSSup = titulo("lblBaseICMSSup", 555, kLegendaSuperior, 54, "BASE");
    lblBaseICMSInf = titulo("lblBaseICMSInf", 555, kLegendaInferior, 54, "CÁLC. ICMS");
    rlsDivProd10 = divisor("rlsDivProd10", 609);
    lblValorICMSSup = titulo("lblValorICMSSup", 610, kLegendaSuperior, 40, "VALOR");
    lblValorICMSInf = titulo("lblValorICMSInf", 610, kLegendaInferior, 40, "I.C.M.S.");
    rlsDivProd11 = divisor("rlsDivProd11", 650);
    lblValorIPISup = titulo("lblValorIPISup", 651, kLegendaSuperior, 39, "VALOR");
    lblValorIPIInf = titulo("lblValorIPIInf", 651, kLegendaInferior, 39, "I.P.I.");
    rlsDivProd12 = divisor("rlsDivProd12", 690);
    lblAliquotas = titulo("lblAliquotas", 691, kLegendaSuperior, 49, "ALÍQUOTAS");
    rlsLinhaAliquotas = &dfe::CriarLinhaH(t, "rlsLinhaAliquotas", 690, kLegendaInferior, 50);
    rlsDivProd13 =
        &dfe::CriarLinhaV(t, "rlsDivProd13", 714, kLegendaInferior, kTopoTitulos + kAlturaTitulos - kLegendaInferior);
    lblAliqICMS = titulo("lblAliqICMS", 691, kLegendaInferior, 23, "ICMS");
    lblAliqIPI = titulo("lblAliqIPI", 715, kLegendaInferior, 24, "IPI");

    // ---- One item row ---------------------------------------------------------------------
    report::Band &r = *rlbItens;
    rlbItens->beforePrint = [this](report::Band &, report::PrintContext &contexto) {
        return rlbItensBeforePrint(contexto);
    };
    const report::Font texto = dfe::CriarFonte(8);
    // Under the texts: a shaded row is a filled label as tall as the row.
    FundoItem = &dfe::CriarRotulo(r, "FundoItem", QRectF(0, 0, 740, 12), "", texto);
    FundoItem->stretch = true;
    FundoItem->visible = false;
    const auto linha = [&](const char *nome, double x) {
        report::Line &l = dfe::CriarLinhaV(r, nome, x, 0, 12);
        l.stretch = true;
        return &l;
    };
    const auto campo = [&](const char *nome, double x, double largura, HAlign alinhamento) {
        return &dfe::CriarRotulo(r, nome, QRectF(x, kTopoTexto, largura, kAlturaTexto), "", texto, alinhamento, tagItem);
    };
    const auto memo = [&](const char *nome, double x, double largura, HAlign alinhamento) {
        report::Memo &m = dfe::CriarMemo(r, nome, QRectF(x, kTopoTexto, largura, kAlturaTexto), texto, alinhamento, tagItem);
        m.autoHeight = true;
        return &m;
    };

    LinhaInicioItem = linha("LinhaInicioItem", 0);
    txtCodigo = memo("txtCodigo", 1, 54, HAlign::Left);
    LinhaDescricao = linha("LinhaDescricao", 54);
    rlmDescricao = memo("rlmDescricao", 56, 165, HAlign::Left);
    LinhaNCM = linha("LinhaNCM", 243);
    txtNCM = campo("txtNCM", 244, 38, HAlign::Center);
    LinhaCST = linha("LinhaCST", 282);
    txtCST = campo("txtCST", 283, 24, HAlign::Center);
    LinhaCFOP = linha("LinhaCFOP", 307);
    txtCFOP = campo("txtCFOP", 308, 22, HAlign::Left);
    LinhaUnidade = linha("LinhaUnidade", 330);
    txtUnidade = memo("txtUnidade", 331, 28, HAlign::Left);
    LinhaQuantidade = linha("LinhaQuantidade", 359);
    txtQuantidade = memo("txtQuantidade", 360, 45, HAlign::Right);
    LinhaValorUnitario = linha("LinhaValorUnitario", 404);
    txtValorUnitario = memo("txtValorUnitario", 405, 50, HAlign::Right);
    LinhaValorTotal = linha("LinhaValorTotal", 455);
    txtValorTotal = campo("txtValorTotal", 455, 52, HAlign::Right);
    LinhaDesconto = linha("LinhaDesconto", 508);
    txtValorDesconto = campo("txtValorDesconto", 509, 45, HAlign::Right);
    LinhaBaseICMS = linha("LinhaBaseICMS", 554);
    txtBaseICMS = campo("txtBaseICMS", 555, 51, HAlign::Right);
    LinhaValorICMS = linha("LinhaValorICMS", 609);
    txtValorICMS = campo("txtValorICMS", 610, 37, HAlign::Right);
    LinhaValorIPI = linha("LinhaValorIPI", 650);
    txtValorIPI = campo("txtValorIPI", 651, 36, HAlign::Right);
    LinhaAliquotas = linha("LinhaAliquotas", 690);
    txtAliqICMS = campo("txtAliqICMS", 691, 21, HAlign::Right);
    LinhaAliqIPI = linha("LinhaAliqIPI", 714);
    txtAliqIPI = campo("txtAliqIPI", 715, 22, HAlign::Right);
    LinhaFimItem = linha("LinhaFimItem", 739);
    // Placed on the row's bottom once its height is known; it takes no part in it.
    LinhaItem = &dfe::CriarLinhaH(r, "LinhaItem", 0, 11, 740);
    LinhaItem->stretch = true;

    // ---- The item's additional information --------------------------------------------------
    report::Band &a = *RLBandInfAd;
    RLMemoInfAd = &dfe::CriarMemo(a, "RLMemoInfAd", QRectF(4, 1, 736, kAlturaTexto), texto, HAlign::Left, tagItem);
    RLMemoInfAd->autoHeight = true;
    LinhaInfAdEsquerda = &dfe::CriarLinhaV(a, "LinhaInfAdEsquerda", 0, 0, 14);
    LinhaInfAdEsquerda->stretch = true;
    LinhaInfAdDireita = &dfe::CriarLinhaV(a, "LinhaInfAdDireita", 739, 0, 14);
    LinhaInfAdDireita->stretch = true;
    LinhaInfAdInferior = &dfe::CriarLinhaH(a, "LinhaInfAdInferior", 0, 13, 740);
    LinhaInfAdInferior->stretch = true;
}

// ---- Preparation ---------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararColunasItens()
{
    const TOvixNFeDANFeRL &danfe = DANFe();
    const double largura = danfe.LarguraCodProd();

    // Code and description. The row's divider follows the titles' one, so that both
    // columns line up whatever the code's width.
    rlmCodProd->bounds.setWidth(largura);
    txtCodigo->bounds.setWidth(largura);
    MoverX(*rlsDivProd, largura + 2);
    MoverX(*LinhaDescricao, rlsDivProd->bounds.left());
    const double inicioDescricao = rlsDivProd->bounds.left() + 2;
    ColocarX(*rlmDescricaoProduto, inicioDescricao, rlsDivProd2->bounds.left() - 3 - inicioDescricao);
    ColocarX(*rlmDescricao, LinhaDescricao->bounds.left() + 2,
             LinhaNCM->bounds.left() - LinhaDescricao->bounds.left() - 24);

    // Narrow captions take two lines.
    const auto duasLinhas = [](report::Memo &memo, double limite) {
        memo.bounds.moveTop(memo.bounds.width() <= limite ? kLegendaSuperior : kLegendaUnica);
    };
    duasLinhas(*rlmCodProd, 90);
    rlmCodProd->text = rlmCodProd->bounds.width() < 114 ? "CÓDIGO DO PROD. / SERV." : "CÓDIGO DO PRODUTO / SERVIÇO";
    duasLinhas(*rlmDescricaoProduto, 128);
    rlmDescricaoProduto->text =
        rlmDescricaoProduto->bounds.width() < 73 ? "DESCR. PROD. / SERV." : "DESCRIÇÃO DO PRODUTO / SERVIÇO";

    // The discount column, and the room of quantity, unit value and total.
    const bool desconto = danfe.ManterColunaDesconto(NFe().Total.ICMSTot.vDesc.ToDouble());
    for (report::Control *c : std::initializer_list<report::Control *>{txtValorDesconto, lblPercValorDesc,
                                                                       lblPercValorDesc1, LinhaDesconto, rlsDivProd14})
        c->visible = desconto;

    double larguraQuantidade = 0, larguraUnitario = 0, larguraTotal = 0;
    double divisorUnitario = 0, inicioUnitario = 0, divisorTotal = 0, inicioTotal = 0;
    const double q = txtQuantidade->bounds.left();
    if (desconto) {
        larguraQuantidade = 45;
        divisorUnitario = 404;
        inicioUnitario = 405;
        larguraUnitario = 50;
        divisorTotal = 455;
        inicioTotal = 455;
        larguraTotal = 52;
    } else {
        const double r = LinhaBaseICMS->bounds.left();
        const double w = std::trunc((r - q - 12) / 3);
        larguraQuantidade = w;
        divisorUnitario = q + w + 2;
        inicioUnitario = q + w + 4;
        larguraUnitario = w;
        divisorTotal = q + 2 * w + 6;
        inicioTotal = q + 2 * w + 8;
        larguraTotal = r - inicioTotal;
    }
    lblQuantidade->bounds.setWidth(larguraQuantidade);
    txtQuantidade->bounds.setWidth(larguraQuantidade);
    MoverX(*rlsDivProd7, divisorUnitario);
    MoverX(*LinhaValorUnitario, divisorUnitario);
    for (report::Control *c : std::initializer_list<report::Control *>{lblValorUnitarioSup, lblValorUnitarioInf,
                                                                       txtValorUnitario})
        ColocarX(*c, inicioUnitario, larguraUnitario);
    MoverX(*rlsDivProd8, divisorTotal);
    MoverX(*LinhaValorTotal, divisorTotal);
    for (report::Control *c : std::initializer_list<report::Control *>{lblValorTotalSup, lblValorTotal, txtValorTotal})
        ColocarX(*c, inicioTotal, larguraTotal);

    // Every amount of the row ends short of the divider on its right.
    const std::pair<report::Control *, const report::Line *> valores[] = {
        {txtQuantidade, LinhaValorUnitario},
        {txtValorUnitario, LinhaValorTotal},
        {txtValorTotal, desconto ? LinhaDesconto : LinhaBaseICMS},
        {txtValorDesconto, LinhaBaseICMS},
        {txtBaseICMS, LinhaValorICMS},
        {txtValorICMS, LinhaValorIPI},
        {txtValorIPI, LinhaAliquotas},
        {txtAliqICMS, LinhaAliqIPI},
        {txtAliqIPI, LinhaFimItem},
    };
    for (const auto &[valor, divisor] : valores)
        valor->bounds.setRight(divisor->bounds.left() - kRecuoValor);

    // Captions by the room they have.
    lblQuantidade->text = larguraQuantidade > 47 ? "QUANTIDADE" : "QUANT.";
    const auto legendaValor = [](report::Label &superior, report::Label &inferior, double limite, const char *junta,
                                 const char *baixo) {
        if (inferior.bounds.width() > limite) {
            superior.visible = false;
            inferior.text = junta;
            inferior.bounds.moveTop(kLegendaUnica);
        } else {
            superior.visible = true;
            superior.text = "VALOR";
            inferior.text = baixo;
            inferior.bounds.moveTop(kLegendaInferior);
        }
    };
    legendaValor(*lblValorUnitarioSup, *lblValorUnitarioInf, 61, "VALOR UNITÁRIO", "UNITÁRIO");
    legendaValor(*lblValorTotalSup, *lblValorTotal, 52, "VALOR TOTAL", "TOTAL");
}

void TfrlDANFeRLRetrato::PrepararTitulosItens()
{
    TOvixNFeDANFeRL &danfe = DANFe();
    lblCST->text = NFe().Emit.CRT == dfe::crtSimplesNacional ? "CSOSN" : "CST";

    if (danfe.ImprimeDescPorPercentual()) {
        lblPercValorDesc->text = "PERC.(%)";
        // A percentage beside a net total would not add up: the total is the gross one.
        danfe.SetImprimeTotalLiquido(false);
    } else {
        lblPercValorDesc->text = "VALOR";
    }
    if (!danfe.ImprimeTotalLiquido())
        return;
    if (txtValorDesconto->visible) {
        // The total column carries the discount and the discount column the net total.
        lblValorTotal->text = "DESCONTO";
        lblPercValorDesc1->text = "LÍQUIDO";
    } else {
        // Without the discount column there is nowhere else for the item's total: the
        // total column keeps it, net of the discount, and says so.
        lblValorTotalSup->visible = true;
        lblValorTotalSup->text = "VALOR TOTAL";
        lblValorTotal->text = "LÍQUIDO";
        lblValorTotal->bounds.moveTop(kLegendaInferior);
    }
}

// ---- Each row ------------------------------------------------------------------------------

bool TfrlDANFeRLRetrato::rlbItensBeforePrint(report::PrintContext &contexto)
{
    const TNFe &nfe = NFe();
    const TOvixNFeDANFeRL &danfe = DANFe();
    const TDetCollectionItem &item = nfe.Det[FNumItem];
    const TProd &prod = item.Prod;

    txtCodigo->text = danfe.ManterCodigo(prod.cEAN, prod.cProd);
    rlmDescricao->text = danfe.ManterXProd(nfe, FNumItem);
    txtNCM->text = prod.NCM;
    txtCFOP->text = prod.CFOP;

    RLMemoInfAd->text = rtl::StringReplace(rtl::Trim(item.infAdProd), ";", "\r\n", rtl::rfReplaceAll);
    RLBandInfAd->visible = !RLMemoInfAd->text.empty() && danfe.ExibeInforAdicProduto() == infSeparadamente;
    if (RLBandInfAd->visible)
        LinhaInfAdInferior->bounds.moveTop(RLBandInfAd->preparedHeight(contexto.measurer(), RLNFe.font) - 1);

    PreencherValoresItem(item);

    FundoItem->visible = danfe.AlternaCoresProdutos() && FNumItem % 2 == 1;
    FundoItem->background = fpCorDestaqueProdutos;
    const double altura = rlbItens->preparedHeight(contexto.measurer(), RLNFe.font);
    LinhaItem->bounds.moveTop(altura - 1);
    return true;
}

const std::string &TfrlDANFeRLRetrato::ValorItem(double valor)
{
    const std::uint64_t chave = std::bit_cast<std::uint64_t>(valor);
    auto posicao = FValoresItem.find(chave);
    if (posicao == FValoresItem.end())
        posicao = FValoresItem.emplace(chave, util::FormatFloatBr(valor)).first;
    return posicao->second;
}

void TfrlDANFeRLRetrato::PreencherValoresItem(const TDetCollectionItem &item)
{
    const TOvixNFeDANFeRL &danfe = DANFe();
    const TProd &prod = item.Prod;
    const TICMS &icms = item.Imposto.ICMS;
    const TIPI &ipi = item.Imposto.IPI;

    txtCST->text = dfe::OrigToStr(icms.orig) + danfe.ManterCst(NFe().Emit.CRT, icms.CSOSN, icms.CST);

    const bool tributavel = danfe.ImprimeValor() == dfe::iuTributavel;
    if (danfe.ImprimeValor() == dfe::iuComercialETributavel && prod.uCom != prod.uTrib) {
        txtUnidade->text = danfe.ManterUnidades(prod.uCom, prod.uTrib);
        txtQuantidade->text = danfe.ManterQuantidades(prod.qCom.ToDouble(), prod.qTrib.ToDouble());
        txtValorUnitario->text = danfe.ManterValoresUnitarios(prod.vUnCom, prod.vUnTrib);
    } else {
        txtUnidade->text = tributavel ? prod.uTrib : prod.uCom;
        txtQuantidade->text = danfe.FormatarQuantidade((tributavel ? prod.qTrib : prod.qCom).ToDouble(), true);
        txtValorUnitario->text = danfe.FormatarValorUnitario(tributavel ? prod.vUnTrib : prod.vUnCom);
    }

    const double desconto = danfe.ManterVDesc(prod.qCom.ToDouble(), prod.vUnCom, prod.vDesc);
    const double bruto = prod.vProd.ToDouble();
    if (!txtValorDesconto->visible) {
        txtValorTotal->text = ValorItem(danfe.ImprimeTotalLiquido() ? bruto - desconto : bruto);
        txtValorDesconto->text.clear();
    } else if (danfe.ImprimeTotalLiquido()) {
        txtValorTotal->text = ValorItem(desconto);
        txtValorDesconto->text = ValorItem(bruto - desconto);
    } else {
        txtValorTotal->text = ValorItem(bruto);
        txtValorDesconto->text = ValorItem(desconto);
    }

    txtBaseICMS->text = ValorItem(icms.vBC.ToDouble());
    txtValorICMS->text = ValorItem(icms.vICMS.ToDouble());
    txtValorIPI->text = ValorItem(ipi.vIPI.ToDouble());
    txtAliqICMS->text = ValorItem(icms.pICMS.ToDouble());
    txtAliqIPI->text = ValorItem(ipi.pIPI.ToDouble());
}

} // namespace nfe

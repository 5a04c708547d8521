// The item rows: the column titles above them on every page, one row per item and the
// row of its additional information.

#include "dfe/report/pecas.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "dfe/codes_tax.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>

namespace nfe {

namespace {

using report::HAlign;

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

// What the texts of an item row read: the item and its document, the settings, whether
// the discount column shows and the amounts as printed.
struct TDadosItem {
    const TNFe &nfe;
    const TOvixNFeDANFeRL &danfe;
    const TDetCollectionItem &item;
    int numero; // from 0
    bool desconto;
    TValoresItem &valores;
};

// The commercial and taxable units both print, one over the other.
bool DuasUnidades(const TDadosItem &d)
{
    const TProd &prod = d.item.Prod;
    return d.danfe.ImprimeValor() == dfe::iuComercialETributavel && prod.uCom != prod.uTrib;
}
bool Tributavel(const TDadosItem &d)
{
    return d.danfe.ImprimeValor() == dfe::iuTributavel;
}
double DescontoItem(const TDadosItem &d)
{
    const TProd &prod = d.item.Prod;
    return d.danfe.ManterVDesc(prod.qCom.ToDouble(), prod.vUnCom, prod.vDesc);
}

std::string Unidade(const TDadosItem &d)
{
    const TProd &prod = d.item.Prod;
    if (DuasUnidades(d))
        return d.danfe.ManterUnidades(prod.uCom, prod.uTrib);
    return Tributavel(d) ? prod.uTrib : prod.uCom;
}
std::string Quantidade(const TDadosItem &d)
{
    const TProd &prod = d.item.Prod;
    if (DuasUnidades(d))
        return d.danfe.ManterQuantidades(prod.qCom.ToDouble(), prod.qTrib.ToDouble());
    return d.danfe.FormatarQuantidade((Tributavel(d) ? prod.qTrib : prod.qCom).ToDouble(), true);
}
std::string ValorUnitario(const TDadosItem &d)
{
    const TProd &prod = d.item.Prod;
    if (DuasUnidades(d))
        return d.danfe.ManterValoresUnitarios(prod.vUnCom, prod.vUnTrib);
    return d.danfe.FormatarValorUnitario(Tributavel(d) ? prod.vUnTrib : prod.vUnCom);
}
// With the net total printed, the total column carries the discount and the discount
// column the net total; without the discount column the total is the net one.
std::string ValorTotal(const TDadosItem &d)
{
    const double bruto = d.item.Prod.vProd.ToDouble();
    if (!d.desconto)
        return std::string(d.valores(d.danfe.ImprimeTotalLiquido() ? bruto - DescontoItem(d) : bruto));
    return std::string(d.valores(d.danfe.ImprimeTotalLiquido() ? DescontoItem(d) : bruto));
}
std::string ValorDesconto(const TDadosItem &d)
{
    if (!d.desconto)
        return {};
    const double desconto = DescontoItem(d);
    return std::string(d.valores(d.danfe.ImprimeTotalLiquido() ? d.item.Prod.vProd.ToDouble() - desconto : desconto));
}
// A caption of the column titles, and one of many lines.
constexpr dfe::TDadosPeca Titulo(const char *nome, double x, double y, double largura, const char *texto)
{
    return dfe::Rotulo(nome, x, y, largura, kAlturaLegenda, texto, {7}, HAlign::Center, tagLegenda);
}
constexpr dfe::TDadosPeca TituloEmLinhas(const char *nome, double x, double y, double largura, const char *texto)
{
    return dfe::Memo(nome, x, y, largura, kAlturaLegenda, texto, {7}, HAlign::Center, tagLegenda).AutoAltura();
}
// A text of the row: one line, or as many as it takes.
constexpr dfe::TDadosPeca Texto(const char *nome, double x, double largura, HAlign alinhamento)
{
    return dfe::Rotulo(nome, x, kTopoTexto, largura, kAlturaTexto, "", {8}, alinhamento, tagItem);
}
constexpr dfe::TDadosPeca TextoEmLinhas(const char *nome, double x, double largura, HAlign alinhamento)
{
    return dfe::Memo(nome, x, kTopoTexto, largura, kAlturaTexto, "", {8}, alinhamento, tagItem).AutoAltura();
}

// One column: the divider at its left (in the titles and in the rows, at x), its titles
// in drawing order, its text in the row and the value that fills it. An amount ends
// kRecuoValor short of the divider of the next column shown.
struct TColunaItem {
    const char *nomeDivisorTitulo; // none: the titles' box is its left
    double x;
    dfe::TDadosPeca titulos[4];    // up to the first without a name
    const char *nomeDivisor;
    dfe::TDadosPeca texto;
    std::string (*valor)(const TDadosItem &);
    bool valorADireita = false;
};

constexpr TColunaItem kColunasItem[] = {
    {nullptr, 0, {TituloEmLinhas("rlmCodProd", 1, kLegendaSuperior, 54, "CÓDIGO DO PROD. / SERV.")},
     "LinhaInicioItem", TextoEmLinhas("txtCodigo", 1, 54, HAlign::Left),
     [](const TDadosItem &d) { return d.danfe.ManterCodigo(d.item.Prod.cEAN, d.item.Prod.cProd); }},
    {"rlsDivProd", 54,
     {TituloEmLinhas("rlmDescricaoProduto", 56, kLegendaUnica, 184, "DESCRIÇÃO DO PRODUTO / SERVIÇO")},
     "LinhaDescricao", TextoEmLinhas("rlmDescricao", 56, 165, HAlign::Left),
     [](const TDadosItem &d) { return d.danfe.ManterXProd(d.nfe, d.numero); }},
    {"rlsDivProd2", 243, {Titulo("lblNCM", 244, kLegendaUnica, 38, "NCM / SH")}, "LinhaNCM",
     Texto("txtNCM", 244, 38, HAlign::Center), [](const TDadosItem &d) { return d.item.Prod.NCM; }},
    {"rlsDivProd3", 282, {Titulo("lblCST", 283, kLegendaUnica, 24, "CST")}, "LinhaCST",
     Texto("txtCST", 283, 24, HAlign::Center),
     [](const TDadosItem &d) {
         const TICMS &icms = d.item.Imposto.ICMS;
         return dfe::OrigToStr(icms.orig) + d.danfe.ManterCst(d.nfe.Emit.CRT, icms.CSOSN, icms.CST);
     }},
    {"rlsDivProd4", 307, {Titulo("lblCFOP", 308, kLegendaUnica, 22, "CFOP")}, "LinhaCFOP",
     Texto("txtCFOP", 308, 22, HAlign::Left), [](const TDadosItem &d) { return d.item.Prod.CFOP; }},
    {"rlsDivProd5", 330, {Titulo("lblUnidade", 331, kLegendaUnica, 28, "UNID.")}, "LinhaUnidade",
     TextoEmLinhas("txtUnidade", 331, 28, HAlign::Left), Unidade},
    {"rlsDivProd6", 359, {Titulo("lblQuantidade", 360, kLegendaUnica, 45, "QUANT.")}, "LinhaQuantidade",
     TextoEmLinhas("txtQuantidade", 360, 45, HAlign::Right), Quantidade, true},
    {"rlsDivProd7", 404,
     {Titulo("lblValorUnitarioSup", 405, kLegendaSuperior, 50, "VALOR"),
      Titulo("lblValorUnitarioInf", 405, kLegendaInferior, 50, "UNITÁRIO")},
     "LinhaValorUnitario", TextoEmLinhas("txtValorUnitario", 405, 50, HAlign::Right), ValorUnitario, true},
    {"rlsDivProd8", 455,
     {Titulo("lblValorTotalSup", 455, kLegendaSuperior, 52, "VALOR"),
      Titulo("lblValorTotal", 455, kLegendaInferior, 52, "TOTAL")},
     "LinhaValorTotal", Texto("txtValorTotal", 455, 52, HAlign::Right), ValorTotal, true},
    {"rlsDivProd14", 508,
     {Titulo("lblPercValorDesc", 509, kLegendaSuperior, 45, "VALOR"),
      Titulo("lblPercValorDesc1", 509, kLegendaInferior, 45, "DESCONTO")},
     "LinhaDesconto", Texto("txtValorDesconto", 509, 45, HAlign::Right), ValorDesconto, true},
    {"rlsDivProd9", 554,
     {Titulo("lblBaseICMSSup", 555, kLegendaSuperior, 54, "BASE"),
      Titulo("lblBaseICMSInf", 555, kLegendaInferior, 54, "CÁLC. ICMS")},
     "LinhaBaseICMS", Texto("txtBaseICMS", 555, 51, HAlign::Right), [](const TDadosItem &d) { return std::string(d.valores(d.item.Imposto.ICMS.vBC.ToDouble())); },
     true},
    {"rlsDivProd10", 609,
     {Titulo("lblValorICMSSup", 610, kLegendaSuperior, 40, "VALOR"),
      Titulo("lblValorICMSInf", 610, kLegendaInferior, 40, "I.C.M.S.")},
     "LinhaValorICMS", Texto("txtValorICMS", 610, 37, HAlign::Right),
     [](const TDadosItem &d) { return std::string(d.valores(d.item.Imposto.ICMS.vICMS.ToDouble())); }, true},
    {"rlsDivProd11", 650,
     {Titulo("lblValorIPISup", 651, kLegendaSuperior, 39, "VALOR"),
      Titulo("lblValorIPIInf", 651, kLegendaInferior, 39, "I.P.I.")},
     "LinhaValorIPI", Texto("txtValorIPI", 651, 36, HAlign::Right), [](const TDadosItem &d) { return std::string(d.valores(d.item.Imposto.IPI.vIPI.ToDouble())); },
     true},
    // The rates share one caption over the two, and a line under it.
    {"rlsDivProd12", 690,
     {Titulo("lblAliquotas", 691, kLegendaSuperior, 49, "ALÍQUOTAS"),
      dfe::LinhaH("rlsLinhaAliquotas", 690, kLegendaInferior, 50),
      dfe::LinhaV("rlsDivProd13", 714, kLegendaInferior, kTopoTitulos + kAlturaTitulos - kLegendaInferior),
      Titulo("lblAliqICMS", 691, kLegendaInferior, 23, "ICMS")},
     "LinhaAliquotas", Texto("txtAliqICMS", 691, 21, HAlign::Right),
     [](const TDadosItem &d) { return std::string(d.valores(d.item.Imposto.ICMS.pICMS.ToDouble())); }, true},
    {nullptr, 714, {Titulo("lblAliqIPI", 715, kLegendaInferior, 24, "IPI")}, "LinhaAliqIPI",
     Texto("txtAliqIPI", 715, 22, HAlign::Right), [](const TDadosItem &d) { return std::string(d.valores(d.item.Imposto.IPI.pIPI.ToDouble())); }, true},
};

const QRgb kFundoTitulos = 0xFFE5E5E5;

// The item's additional information in a row of its own.
constexpr TPecaDANFe kInfAd[] = {
    dfe::Memo("RLMemoInfAd", 4, 1, 736, kAlturaTexto, "", {8}, HAlign::Left, tagItem).AutoAltura(),
    dfe::LinhaV("LinhaInfAdEsquerda", 0, 0, 14).Esticada(),
    dfe::LinhaV("LinhaInfAdDireita", 739, 0, 14).Esticada(),
    dfe::LinhaH("LinhaInfAdInferior", 0, 13, 740).Esticada(),
};

} // namespace

void TfrlDANFeRLRetrato::CriarItens()
{
    // ---- Column titles: the grey box, then each column's divider and captions ------------
    report::Band &t = *rlbCabecalhoItens;
    dfe::TPecasCriadas titulos;
    const auto titulo = [&](const dfe::TDadosPeca &peca) { titulos.controles.push_back(&dfe::CriarPeca(t, peca)); };
    // The header band retitles it on the pages after the first.
    titulo(dfe::Rotulo("lblDadosDoProduto", 0, 0, 400, 11, "DADOS DO PRODUTO / SERVIÇOS", {8, true}, HAlign::Left,
                       tagTituloCaixa));
    titulo(dfe::Caixa("rlsRectProdutos", 0, kTopoTitulos, 740, kAlturaTitulos).ComFundo(kFundoTitulos));
    for (const TColunaItem &coluna : kColunasItem) {
        if (coluna.nomeDivisorTitulo != nullptr)
            titulo(dfe::LinhaV(coluna.nomeDivisorTitulo, coluna.x, kTopoTitulos, kAlturaTitulos));
        for (const dfe::TDadosPeca &peca : coluna.titulos)
            if (peca.nome != nullptr && *peca.nome != '\0')
                titulo(peca);
    }
    lblDadosDoProduto = &titulos.De<report::Label>("lblDadosDoProduto");
    rlmCodProd = &titulos.De<report::Memo>("rlmCodProd");
    rlmDescricaoProduto = &titulos.De<report::Memo>("rlmDescricaoProduto");
    lblCST = &titulos.De<report::Label>("lblCST");
    lblQuantidade = &titulos.De<report::Label>("lblQuantidade");
    lblValorUnitarioSup = &titulos.De<report::Label>("lblValorUnitarioSup");
    lblValorUnitarioInf = &titulos.De<report::Label>("lblValorUnitarioInf");
    lblValorTotalSup = &titulos.De<report::Label>("lblValorTotalSup");
    lblValorTotal = &titulos.De<report::Label>("lblValorTotal");
    lblPercValorDesc = &titulos.De<report::Label>("lblPercValorDesc");
    lblPercValorDesc1 = &titulos.De<report::Label>("lblPercValorDesc1");
    rlsDivProd = &titulos.De<report::Line>("rlsDivProd");
    rlsDivProd2 = &titulos.De<report::Line>("rlsDivProd2");
    rlsDivProd7 = &titulos.De<report::Line>("rlsDivProd7");
    rlsDivProd8 = &titulos.De<report::Line>("rlsDivProd8");
    rlsDivProd14 = &titulos.De<report::Line>("rlsDivProd14");

    // ---- One item row: the shading under the texts, each column's divider and text ----------
    report::Band &r = *rlbItens;
    rlbItens->beforePrint = [this](report::Band &, report::PrintContext &contexto) {
        return rlbItensBeforePrint(contexto);
    };
    dfe::TPecasCriadas linha;
    const auto peca = [&](const dfe::TDadosPeca &p) -> report::Control & {
        return *linha.controles.emplace_back(&dfe::CriarPeca(r, p));
    };
    // A shaded row is a filled label as tall as the row.
    peca(dfe::Rotulo("FundoItem", 0, 0, 740, 12, "", {8}).Esticada().Oculta());
    FColunasItem.clear();
    FColunasItem.reserve(std::size(kColunasItem));
    for (const TColunaItem &coluna : kColunasItem) {
        auto &divisor = static_cast<report::Line &>(peca(dfe::LinhaV(coluna.nomeDivisor, coluna.x, 0, 12).Esticada()));
        report::Control &texto = peca(coluna.texto);
        FColunasItem.push_back({&divisor, &texto, dfe::TextoDe(texto)});
    }
    peca(dfe::LinhaV("LinhaFimItem", 739, 0, 12).Esticada());
    // Placed on the row's bottom once its height is known; it takes no part in it.
    peca(dfe::LinhaH("LinhaItem", 0, 11, 740).Esticada());
    FundoItem = &linha.De<report::Label>("FundoItem");
    txtCodigo = &linha.De<report::Memo>("txtCodigo");
    rlmDescricao = &linha.De<report::Memo>("rlmDescricao");
    txtQuantidade = &linha.De<report::Memo>("txtQuantidade");
    txtValorUnitario = &linha.De<report::Memo>("txtValorUnitario");
    txtValorTotal = &linha.De<report::Label>("txtValorTotal");
    txtValorDesconto = &linha.De<report::Label>("txtValorDesconto");
    LinhaDescricao = &linha.De<report::Line>("LinhaDescricao");
    LinhaNCM = &linha.De<report::Line>("LinhaNCM");
    LinhaValorUnitario = &linha.De<report::Line>("LinhaValorUnitario");
    LinhaValorTotal = &linha.De<report::Line>("LinhaValorTotal");
    LinhaDesconto = &linha.De<report::Line>("LinhaDesconto");
    LinhaBaseICMS = &linha.De<report::Line>("LinhaBaseICMS");
    LinhaFimItem = &linha.De<report::Line>("LinhaFimItem");
    LinhaItem = &linha.De<report::Line>("LinhaItem");

    // ---- The item's additional information ----------------------------------------------------
    const dfe::TPecasCriadas infAd = dfe::CriarPecas<TDadosDANFe>(*RLBandInfAd, kInfAd);
    RLMemoInfAd = &infAd.De<report::Memo>("RLMemoInfAd");
    LinhaInfAdInferior = &infAd.De<report::Line>("LinhaInfAdInferior");
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

    // Every amount of the row ends short of the divider of the next column shown.
    for (std::size_t i = 0; i < FColunasItem.size(); ++i) {
        if (!kColunasItem[i].valorADireita)
            continue;
        const report::Line *direita = LinhaFimItem;
        for (std::size_t j = i + 1; j < FColunasItem.size(); ++j) {
            if (FColunasItem[j].divisor->visible) {
                direita = FColunasItem[j].divisor;
                break;
            }
        }
        FColunasItem[i].texto->bounds.setRight(direita->bounds.left() - kRecuoValor);
    }

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

    const TDadosItem dados{nfe, danfe, item, FNumItem, txtValorDesconto->visible, FValoresItem};
    for (std::size_t i = 0; i < FColunasItem.size(); ++i)
        *FColunasItem[i].valor = kColunasItem[i].valor(dados);

    RLMemoInfAd->text = rtl::StringReplace(rtl::Trim(item.infAdProd), ";", "\r\n", rtl::rfReplaceAll);
    RLBandInfAd->visible = !RLMemoInfAd->text.empty() && danfe.ExibeInforAdicProduto() == infSeparadamente;
    if (RLBandInfAd->visible)
        LinhaInfAdInferior->bounds.moveTop(RLBandInfAd->preparedHeight(contexto.measurer(), RLNFe.font) - 1);

    FundoItem->visible = danfe.AlternaCoresProdutos() && FNumItem % 2 == 1;
    FundoItem->background = fpCorDestaqueProdutos;
    const double altura = rlbItens->preparedHeight(contexto.measurer(), RLNFe.font);
    LinhaItem->bounds.moveTop(altura - 1);
    return true;
}

const std::string &TValoresItem::operator()(double valor)
{
    const std::uint64_t chave = std::bit_cast<std::uint64_t>(valor);
    auto posicao = FValores.find(chave);
    if (posicao == FValores.end())
        posicao = FValores.emplace(chave, util::FormatFloatBr(valor)).first;
    return posicao->second;
}

} // namespace nfe

#include "sat/extrato/form.h"

#include "sat/extrato/component.h"

#include "dfe/accesskey.h"
#include "dfe/codes_transport.h"
#include "dfe/report/layout_construcao.h"
#include "dfe/report/routines.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cmath>

namespace sat {

namespace {

using report::HAlign;
using report::Band;
using report::BandKind;
using report::PrintContext;

// Every occurrence of ADe in ATexto replaced by APara.
std::string Trocar(std::string ATexto, std::string_view ADe, std::string_view APara)
{
    std::size_t pos = 0;
    while ((pos = ATexto.find(ADe, pos)) != std::string::npos) {
        ATexto.replace(pos, ADe.size(), APara);
        pos += APara.size();
    }
    return ATexto;
}

std::string Valor(const rtl::Currency &AValor, std::string_view AMascara = ",0.00")
{
    return util::FormatFloatBr(AValor.ToDouble(), AMascara);
}

bool Positivo(const rtl::Currency &AValor)
{
    return AValor > rtl::Currency();
}

// A gap band of the given height.
Band &Espaco(report::SubReport &ASub, BandKind ATipo, double AAltura, std::string ANome)
{
    return ASub.addBand(ATipo, AAltura, std::move(ANome));
}

// A title at the left and its value right-aligned, one line.
report::Label &TituloValor(Band &ABanda, const std::string &ANome, const std::string &ATitulo, double ALargura,
                           const report::Font &AFonte, double AY = 0)
{
    const double altura = AFonte.pixelSize + 4;
    // The values are short: the title may take all but the room of one.
    dfe::CriarRotulo(ABanda, "lTit" + ANome, QRectF(0, AY, std::max(1.0, ALargura - 50), altura), ATitulo, AFonte);
    return dfe::CriarRotulo(ABanda, "l" + ANome, QRectF(ALargura * 0.4, AY, ALargura * 0.6, altura), {}, AFonte,
                            HAlign::Right);
}

// A horizontal rule through the middle of a space AAltura high.
void Linha(Band &ABanda, std::string ANome, double AY, double AAltura, double ALargura)
{
    dfe::CriarLinhaH(ABanda, std::move(ANome), 0, AY + AAltura / 2, ALargura);
}

// Places a memo at AY as tall as its text; returns its bottom.
double Empilhar(report::Memo &AMemo, double AY, const PrintContext &AContexto, const report::Font &AFonteRelatorio)
{
    AMemo.bounds.moveTop(AY);
    AMemo.autoHeight = true;
    if (!AMemo.visible)
        return AY;
    const double altura = AMemo.text.empty() ? 0 : AMemo.neededHeight(AContexto.measurer(), AFonteRelatorio);
    AMemo.bounds.setHeight(altura);
    return AY + altura;
}

} // namespace

const TCFe &TOvixSATExtratoFortesFr::CFe() const
{
    return *fOvixSATExtrato.CFe();
}

TOvixSATExtratoFortesFr::TOvixSATExtratoFortesFr(TOvixSATExtratoFortes &AOwner) : fOvixSATExtrato(AOwner)
{
    rlVenda.font = dfe::CriarFonte(11);
    rlVenda.caption = "Extrato CF-e SAT";
    // The roll's width in pixels at 96 dpi, as millimetres of paper.
    rlVenda.paper = report::Paper::custom(std::round(AOwner.LarguraBobina() / 3.7795275590551181), 400);
    rlVenda.paper.unlimitedHeight = AOwner.FormularioContinuo();
    dfe::TDFeReportFortes::AjustarMargem(rlVenda, AOwner);
    FLargura = std::max(1.0, rlVenda.contentWidth());

    CriarCabecalho();
    CriarItens();
    CriarPagamentos();
    CriarRodape();

    // The logo: the configured picture file first, else the component's picture.
    if (AOwner.LogoVisible()) {
        if (!rtl::Trim(AOwner.Logo()).empty())
            fTemLogo = dfe::TDFeReportFortes::CarregarLogo(*imgLogo, AOwner.Logo());
        if (!fTemLogo && AOwner.PictureLogo().width() + AOwner.PictureLogo().height() > 0) {
            imgLogo->image = AOwner.PictureLogo().copy();
            fTemLogo = true;
        }
    }
    imgLogo->visible = fTemLogo;
    imgLogo->fit = AOwner.LogoStretch() ? report::Image::Stretch : report::Image::Proportional;
    imgLogo->center = AOwner.LogoCenter();

    rlVenda.beforePrint = [this](report::Report &, PrintContext &contexto) { AntesDeImprimir(contexto); };
}

TOvixSATExtratoFortesFr::~TOvixSATExtratoFortesFr() = default;

void TOvixSATExtratoFortesFr::CriarCabecalho()
{
    report::SubReport &sub = rlVenda.addSubReport("subCabecalho");
    sub.onRecord = [](int registro, PrintContext &) { return registro == 1; };
    const double w = FLargura;

    rlbDadosCliche = &sub.addBand(BandKind::Detail, 60, "rlbDadosCliche");
    imgLogo = &rlbDadosCliche->add<report::Image>("imgLogo", QRectF(0, 0, 0, 0));
    lNomeFantasia = &dfe::CriarMemo(*rlbDadosCliche, "lNomeFantasia", QRectF(0, 0, w, 0), dfe::CriarFonte(16, true),
                                    HAlign::Center);
    lRazaoSocial = &dfe::CriarMemo(*rlbDadosCliche, "lRazaoSocial", QRectF(0, 0, w, 0), dfe::CriarFonte(9),
                                   HAlign::Center);
    lEndereco = &dfe::CriarMemo(*rlbDadosCliche, "lEndereco", QRectF(0, 0, w, 0), dfe::CriarFonte(9), HAlign::Center);
    lEmitCNPJ_IE_IM = &dfe::CriarMemo(*rlbDadosCliche, "lEmitCNPJ_IE_IM", QRectF(0, 0, w, 0), dfe::CriarFonte(11),
                                      HAlign::Center);
    rlbDadosCliche->beforePrint = [this](Band &banda, PrintContext &contexto) {
        PrepararCliche(banda, contexto);
        return true;
    };

    rlbNumExtrato = &sub.addBand(BandKind::Detail, 28, "rlbNumExtrato");
    lNumeroExtrato = &dfe::CriarMemo(*rlbNumExtrato, "lNumeroExtrato", QRectF(0, 7, w, 14), dfe::CriarFonte(9, true),
                                     HAlign::Center);
    lNumeroExtrato->text = "EXTRATO N° <NUMERO> do CUPOM FISCAL ELETRÔNICO - SAT";
    rlbNumExtrato->beforePrint = [this](Band &banda, PrintContext &contexto) {
        banda.height = Empilhar(*lNumeroExtrato, 7, contexto, rlVenda.font) + 7;
        return true;
    };

    rlbTeste = &sub.addBand(BandKind::Detail, 13 + 9 + 3 * 13 + 9, "rlbTeste");
    dfe::CriarRotulo(*rlbTeste, "lTeste", QRectF(0, 0, w, 13), "= T E S T E =", rlVenda.font, HAlign::Center);
    for (int i = 0; i < 3; ++i)
        dfe::CriarRotulo(*rlbTeste, "lTeste" + std::to_string(i + 1), QRectF(0, 22 + 13 * i, w, 13),
                         std::string(45, '>'), rlVenda.font, HAlign::Center);
    rlbTeste->beforePrint = [this](Band &, PrintContext &) { return CFe().ide.tpAmb == dfe::taHomologacao; };

    rlbConsumidor = &sub.addBand(BandKind::Detail, 50, "rlbConsumidor");
    Linha(*rlbConsumidor, "lnConsumidor1", 0, 12, w);
    lCPF_CNPJ = &dfe::CriarMemo(*rlbConsumidor, "lCPF_CNPJ", QRectF(0, 12, w, 13), rlVenda.font, HAlign::Center);
    lRazaoSocialNome =
        &dfe::CriarMemo(*rlbConsumidor, "lRazaoSocialNome", QRectF(0, 25, w, 13), rlVenda.font, HAlign::Center);
    report::Line &linhaFim = dfe::CriarLinhaH(*rlbConsumidor, "lnConsumidor2", 0, 0, w);
    rlbConsumidor->beforePrint = [this, &linhaFim](Band &banda, PrintContext &contexto) {
        const TDest &dest = CFe().Dest;
        const std::string doc = rtl::Trim(dest.CNPJCPF);
        if (fOvixSATExtrato.ImprimeQRCodeLateral() || (doc.empty() && !fOvixSATExtrato.ImprimeCPFNaoInformado()))
            return false;
        lCPF_CNPJ->text = Trocar("CPF/CNPJ Consumidor: <CPF_CNPJ>", "<CPF_CNPJ>",
                                 doc.empty() ? "CONSUMIDOR NÃO IDENTIFICADO" : util::FormatarCNPJouCPF(doc));
        const std::string nome = rtl::Trim(dest.xNome);
        lRazaoSocialNome->visible = !nome.empty();
        lRazaoSocialNome->text = Trocar("Razão Social/Nome: <xNome>", "<xNome>", dest.xNome);
        double y = Empilhar(*lCPF_CNPJ, 12, contexto, rlVenda.font);
        y = Empilhar(*lRazaoSocialNome, y, contexto, rlVenda.font);
        linhaFim.bounds.moveTop(y + 6);
        banda.height = y + 12;
        return true;
    };

    rlbLegenda = &sub.addBand(BandKind::Detail, 12 + 8, "rlbLegenda");
    dfe::CriarRotulo(*rlbLegenda, "lCabItem", QRectF(0, 0, w, 12), "#|COD|DESC|QTD|UN| VL UN R$|(VLTR R$)*| VL ITEM R$",
                     dfe::CriarFonte(9), HAlign::Center);
    Linha(*rlbLegenda, "lnLegenda", 12, 8, w);
    rlbLegenda->beforePrint = [this](Band &, PrintContext &) { return !fResumido; };
}

void TOvixSATExtratoFortesFr::PrepararCliche(Band &ABanda, PrintContext &AContexto)
{
    const double margem = report::mmToPx(1);
    const double w = FLargura - 2 * margem;
    double xTexto = margem;
    double larguraTexto = w;
    double yTexto = 0;
    double fundoLogo = 0;
    if (fTemLogo) {
        if (fOvixSATExtrato.ImprimeLogoLateral()) {
            imgLogo->bounds = QRectF(margem, 0, fOvixSATExtrato.LogoWidth(), fOvixSATExtrato.LogoHeigth());
            xTexto = margem + fOvixSATExtrato.LogoWidth();
            larguraTexto = std::max(1.0, w - fOvixSATExtrato.LogoWidth());
        } else {
            imgLogo->bounds = QRectF(margem, 0, w, fOvixSATExtrato.LogoHeigth());
            yTexto = fOvixSATExtrato.LogoHeigth();
        }
        fundoLogo = imgLogo->bounds.bottom();
    }
    for (report::Memo *memo : {lNomeFantasia, lRazaoSocial, lEndereco}) {
        memo->bounds.setLeft(xTexto);
        memo->bounds.setWidth(larguraTexto);
        yTexto = Empilhar(*memo, yTexto, AContexto, rlVenda.font);
    }
    lEmitCNPJ_IE_IM->bounds.setLeft(margem);
    lEmitCNPJ_IE_IM->bounds.setWidth(w);
    ABanda.height = Empilhar(*lEmitCNPJ_IE_IM, std::max(yTexto, fundoLogo), AContexto, rlVenda.font);
}

void TOvixSATExtratoFortesFr::CriarItens()
{
    subItens = &rlVenda.addSubReport("subItens");
    subItens->onRecord = [this](int registro, PrintContext &) {
        fNumItem = registro - 1;
        return registro <= CFe().Det.Count();
    };
    const double w = FLargura;
    const report::Font fonte9 = dfe::CriarFonte(9);

    rlbDetItem = &subItens->addBand(BandKind::Detail, 13, "rlbDetItem");
    lSequencia = &dfe::CriarRotulo(*rlbDetItem, "lSequencia", QRectF(0, 0, 18, 12), {}, fonte9);
    mLinhaItem = &dfe::CriarMemo(*rlbDetItem, "mLinhaItem", QRectF(18, 0, std::max(1.0, w - 18 - 44), 12), fonte9);
    mLinhaItem->autoHeight = true;
    lTotalItem = &dfe::CriarRotulo(*rlbDetItem, "lTotalItem", QRectF(w - 44, 0, 44, 12), {}, fonte9, HAlign::Right);
    rlbDetItem->beforePrint = [this](Band &banda, PrintContext &contexto) {
        if (fResumido)
            return false;
        PrepararItem(banda, contexto);
        return true;
    };

    const auto item = [this]() -> const TDetCollectionItem & { return CFe().Det.Items(fNumItem); };
    const auto ajuste = [&, this](std::string nome, std::string titulo, auto valor, const char *mascara) {
        Band &banda = subItens->addBand(BandKind::Detail, 13, "rlb" + nome);
        report::Label &rotulo = TituloValor(banda, nome, titulo, w, fonte9);
        banda.beforePrint = [this, &rotulo, item, valor, mascara](Band &, PrintContext &) {
            if (!fOvixSATExtrato.ImprimeDescAcrescItem() || fResumido)
                return false;
            const rtl::Currency v = valor(item());
            rotulo.text = Valor(v, mascara);
            return Positivo(v);
        };
        return &banda;
    };
    rlbDescItem = ajuste("DescItem", "desconto sobre item", [](const TDetCollectionItem &d) { return d.Prod.vDesc; },
                         "-,0.00");
    rlbAcresItem = ajuste("AcresItem", "acréscimo sobre item",
                          [](const TDetCollectionItem &d) { return d.Prod.vOutro; }, "+,0.00");
    rlbRatDescSubTot = ajuste("RatDescSubTot", "rateio de desconto sobre subtotal",
                              [](const TDetCollectionItem &d) { return d.Prod.vRatDesc; }, "-,0.00");
    rlbRatAcresSubTot = ajuste("RatAcresSubTot", "rateio de acréscimo sobre subtotal",
                               [](const TDetCollectionItem &d) { return d.Prod.vRatAcr; }, "+,0.00");

    rlbDeducISSQN = &subItens->addBand(BandKind::Detail, 26, "rlbDeducISSQN");
    report::Label &deducao = TituloValor(*rlbDeducISSQN, "DeducISSQN", "Dedução para ISSQN", w, fonte9);
    report::Label &base = TituloValor(*rlbDeducISSQN, "BaseCalcISSQN", "Base de cálculo ISSQN", w, fonte9, 13);
    rlbDeducISSQN->beforePrint = [this, item, &deducao, &base](Band &, PrintContext &) {
        if (fResumido || !Positivo(item().Imposto.ISSQN.vDeducISSQN))
            return false;
        deducao.text = Valor(item().Imposto.ISSQN.vDeducISSQN, "-,0.00");
        base.text = Valor(item().Imposto.ISSQN.vBC);
        return true;
    };

    rlbGapDescAcres = &subItens->addBand(BandKind::Detail, 6, "rlbGapDescAcres");
    rlbGapDescAcres->beforePrint = [this, item](Band &, PrintContext &) {
        if (fResumido || fNumItem + 1 >= CFe().Det.Count())
            return false;
        const TProd &p = item().Prod;
        const bool ajustes = fOvixSATExtrato.ImprimeDescAcrescItem() &&
                             (Positivo(p.vDesc) || Positivo(p.vOutro) || Positivo(p.vRatDesc) || Positivo(p.vRatAcr));
        return ajustes || Positivo(item().Imposto.ISSQN.vDeducISSQN);
    };

    // Totals after the last item.
    const report::Font fonte11 = dfe::CriarFonte(11);
    rlbGapTotItens = &Espaco(*subItens, BandKind::Summary, 7, "rlbGapTotItens");
    rlbGapTotItens->beforePrint = [this](Band &, PrintContext &) { return !fResumido; };

    rlbTotalBruto = &subItens->addBand(BandKind::Summary, 15, "rlbTotalBruto");
    report::Label &bruto = TituloValor(*rlbTotalBruto, "TotalBruto", "Total Bruto de Itens", w, fonte11);
    rlbTotalBruto->beforePrint = [this, &bruto](Band &, PrintContext &) {
        const TTotal &t = CFe().Total;
        bruto.text = Valor(t.ICMSTot.vProd);
        return t.ICMSTot.vOutro - t.ICMSTot.vDesc != rtl::Currency() || t.DescAcrEntr.vDescSubtot != rtl::Currency() ||
               t.DescAcrEntr.vAcresSubtot != rtl::Currency();
    };

    rlbSubDescAcresItem = &subItens->addBand(BandKind::Summary, 15, "rlbSubDescAcresItem");
    report::Label &subItem =
        TituloValor(*rlbSubDescAcresItem, "SubDescAcresItem", "Total de descontos / acréscimos sobre item", w, fonte11);
    rlbSubDescAcresItem->beforePrint = [this, &subItem](Band &, PrintContext &) {
        const TICMSTot &t = CFe().Total.ICMSTot;
        const rtl::Currency d = t.vOutro - t.vDesc;
        const bool positivo = d >= rtl::Currency();
        subItem.text = Valor(positivo ? d : -d, positivo ? "+,0.00" : "-,0.00");
        return d != rtl::Currency();
    };

    rlbDescontos = &subItens->addBand(BandKind::Summary, 15, "rlbDescontos");
    report::Label &descontos = TituloValor(*rlbDescontos, "Descontos", "Desconto sobre subtotal", w, fonte11);
    rlbDescontos->beforePrint = [this, &descontos](Band &, PrintContext &) {
        descontos.text = Valor(CFe().Total.DescAcrEntr.vDescSubtot, "-,0.00");
        return Positivo(CFe().Total.DescAcrEntr.vDescSubtot);
    };

    rlbAcrescimos = &subItens->addBand(BandKind::Summary, 15, "rlbAcrescimos");
    report::Label &acrescimos = TituloValor(*rlbAcrescimos, "Acrescimos", "Acréscimo sobre subtotal", w, fonte11);
    rlbAcrescimos->beforePrint = [this, &acrescimos](Band &, PrintContext &) {
        acrescimos.text = Valor(CFe().Total.DescAcrEntr.vAcresSubtot, "+,0.00");
        return Positivo(CFe().Total.DescAcrEntr.vAcresSubtot);
    };

    rlbTotal = &subItens->addBand(BandKind::Summary, 18, "rlbTotal");
    report::Label &total = TituloValor(*rlbTotal, "Total", "TOTAL R$", w, dfe::CriarFonte(13, true));
    rlbTotal->beforePrint = [this, &total](Band &, PrintContext &) {
        total.text = Valor(CFe().Total.vCFe);
        return true;
    };
}

void TOvixSATExtratoFortesFr::PrepararItem(Band &ABanda, PrintContext &AContexto)
{
    const TDetCollectionItem &det = CFe().Det.Items(fNumItem);
    const TProd &prod = det.Prod;
    const report::TextMeasurer &medidor = AContexto.measurer();
    const report::Font &fonte = mLinhaItem->fontOr(rlVenda.font);

    // An item total wider than its column takes its room from the item's text rather
    // than losing its leading digits.
    lTotalItem->text = Valor(prod.vProd);
    const double larguraTotal =
        std::max(44.0, std::ceil(medidor.width(lTotalItem->text, lTotalItem->fontOr(rlVenda.font))) + 2);
    lTotalItem->bounds.setLeft(FLargura - larguraTotal);
    lTotalItem->bounds.setRight(FLargura);
    mLinhaItem->bounds.setWidth(std::max(1.0, FLargura - 18 - larguraTotal));

    // How many characters of the memo's font fit on one line; bounded, so that a font
    // that measures nothing cannot keep the count growing.
    const double largura = mLinhaItem->bounds.width();
    if (FAsteriscos.largura != largura || FAsteriscos.fonte != fonte) {
        int n = 1;
        const int limite = static_cast<int>(largura) + 1;
        while (n <= limite && medidor.width(std::string(static_cast<std::size_t>(n), '*'), fonte) < largura)
            ++n;
        FAsteriscos = {largura, fonte, std::max(0, n - 1)};
    }
    const int n = FAsteriscos.quantos;

    const std::string mascara = prod.EhCombustivel ? ",0.000" : fOvixSATExtrato.CasasDecimais().MaskvUnCom();
    const std::string cEAN = rtl::Trim(prod.cEAN);
    const std::string codigo = fOvixSATExtrato.ImprimeCodigoEan() && !cEAN.empty() ? cEAN : rtl::Trim(prod.cProd);
    const std::string tributos =
        Positivo(det.Imposto.vItem12741) ? " (" + Valor(det.Imposto.vItem12741) + ") " : std::string();
    const std::string quantidade = fOvixSATExtrato.FormatarQuantidade(prod.qCom.ToDouble(), false);
    const std::string unitario = util::FormatFloatBr(prod.vUnCom, mascara);

    std::string texto;
    if (fOvixSATExtrato.ImprimeEmUmaLinha()) {
        const std::string linha = codigo + " [DesProd] " + quantidade + " " + rtl::Trim(prod.uCom) + " X " + unitario +
                                  tributos;
        const std::string descricao = rtl::Trim(prod.xProd);
        const auto montar = [&](int k) {
            return Trocar(linha, "[DesProd]", util::PadRight(util::LeftStrNativeString(descricao, k), k));
        };
        int k = std::max(0, n - util::LengthNativeString(linha));
        texto = montar(k);
        // Letters and digits are wider than "*": a line counted in asterisks may not fit
        // the memo, and the item would wrap. The description gives way until it fits.
        while (k > 0 && medidor.width(texto, fonte) > largura)
            texto = montar(--k);
    } else {
        texto = codigo + " " + rtl::Trim(prod.xProd);
        if (!rtl::Trim(det.infAdProd).empty())
            texto += "-" + Trocar(det.infAdProd, ";", "\r\n");
        const std::string linha2 =
            quantidade + "|" + rtl::Trim(prod.uCom) + " X " + unitario + "|" + tributos + "|" + "|";
        texto += "\r\n" + util::PadSpace(linha2, n, "|");
    }
    mLinhaItem->text = texto;
    lSequencia->text = util::IntToStrZero(det.nItem, 3);

    const double altura = std::max(12.0, mLinhaItem->neededHeight(medidor, rlVenda.font));
    mLinhaItem->bounds.setHeight(altura);
    const double linha = medidor.lineHeight(fonte);
    lTotalItem->bounds.moveTop(std::max(0.0, altura - linha));
    lTotalItem->bounds.setHeight(linha);
    ABanda.height = altura + 1;
}

void TOvixSATExtratoFortesFr::CriarPagamentos()
{
    const double w = FLargura;
    subPagamentos = &rlVenda.addSubReport("subPagamentos");
    subPagamentos->onRecord = [this](int registro, PrintContext &) {
        fNumPagto = registro - 1;
        return registro <= CFe().Pagto.Count();
    };
    Espaco(*subPagamentos, BandKind::ColumnHeader, 6, "rlbGap1");
    rlbPagamento = &subPagamentos->addBand(BandKind::Detail, 15, "rlbPagamento");
    dfe::CriarRotulo(*rlbPagamento, "lMeioPagamento", QRectF(0, 0, w * 0.7, 15), {}, rlVenda.font);
    report::Label &valor =
        dfe::CriarRotulo(*rlbPagamento, "lValorPagamento", QRectF(w * 0.4, 0, w * 0.6, 15), {}, rlVenda.font,
                         HAlign::Right);
    rlbPagamento->beforePrint = [this, &valor](Band &banda, PrintContext &) {
        const TMPCollectionItem &mp = CFe().Pagto.Items(fNumPagto);
        banda.find<report::Label>("lMeioPagamento")->text = dfe::CodigoMPToDescricao(mp.cMP);
        valor.text = Valor(mp.vMP);
        return true;
    };
    rlbTroco = &subPagamentos->addBand(BandKind::Summary, 18, "rlbTroco");
    report::Label &troco = TituloValor(*rlbTroco, "Troco", "Troco R$", w, dfe::CriarFonte(13));
    rlbTroco->beforePrint = [this, &troco](Band &, PrintContext &) {
        troco.text = Valor(CFe().Pagto.vTroco);
        return Positivo(CFe().Pagto.vTroco);
    };

    subObsFisco = &rlVenda.addSubReport("subObsFisco");
    subObsFisco->onRecord = [this](int registro, PrintContext &) {
        fNumObs = registro - 1;
        return registro <= static_cast<int>(fObsFisco.size());
    };
    Band &gap = Espaco(*subObsFisco, BandKind::ColumnHeader, 6, "rlbGapObsFisco");
    gap.beforePrint = [this](Band &, PrintContext &) { return !fObsFisco.empty(); };
    rlbObsFisco = &subObsFisco->addBand(BandKind::Detail, 12, "rlbObsFisco");
    mObsFisco = &dfe::CriarMemo(*rlbObsFisco, "mObsFisco", QRectF(0, 0, w, 12), dfe::CriarFonte(9));
    rlbObsFisco->beforePrint = [this](Band &banda, PrintContext &contexto) {
        mObsFisco->text = fObsFisco[static_cast<std::size_t>(fNumObs)];
        banda.height = std::max(1.0, Empilhar(*mObsFisco, 0, contexto, rlVenda.font));
        return true;
    };
}

void TOvixSATExtratoFortesFr::CriarRodape()
{
    const double w = FLargura;
    const report::Font fonte9 = dfe::CriarFonte(9);

    rlDadosEntrega = &rlVenda.addBand(BandKind::Summary, 18, "rlDadosEntrega");
    mEndEnt = &dfe::CriarMemo(*rlDadosEntrega, "mEndEnt", QRectF(0, 6, w, 12), fonte9);
    rlDadosEntrega->beforePrint = [this](Band &banda, PrintContext &contexto) {
        const TEntrega &e = CFe().Entrega;
        if (rtl::Trim(e.xLgr + e.nro + e.xCpl + e.xBairro + e.xMun).empty())
            return false;
        std::string texto = "ENDEREÇO DE ENTREGA: " + e.xLgr;
        if (!e.nro.empty())
            texto += ", " + e.nro;
        if (!e.xCpl.empty())
            texto += " " + e.xCpl;
        if (!e.xBairro.empty())
            texto += " " + e.xBairro;
        if (!e.xMun.empty())
            texto += " " + e.xMun + "-" + e.UF;
        mEndEnt->text = texto;
        banda.height = Empilhar(*mEndEnt, 6, contexto, rlVenda.font);
        return true;
    };

    rlObsContrib = &rlVenda.addBand(BandKind::Summary, 60, "rlObsContrib");
    dfe::CriarRotulo(*rlObsContrib, "lTitObsContrib", QRectF(0, 6, w, 12), "OBSERVAÇÕES DO CONTRIBUINTE", fonte9);
    mObsContrib = &dfe::CriarMemo(*rlObsContrib, "mObsContrib", QRectF(0, 18, w, 0), dfe::CriarFonte(9, true));
    report::Memo &lei = dfe::CriarMemo(*rlObsContrib, "lTitLei12741", QRectF(0, 0, w * 0.75, 24), fonte9);
    lei.text = "Valor aproximado dos Tributos deste Cupom\r\n(Conforme Lei Fed. 12.741/2012)";
    lValLei12741 = &dfe::CriarRotulo(*rlObsContrib, "lValLei12741", QRectF(w * 0.5, 0, w * 0.5, 12), {},
                                     dfe::CriarFonte(9, true), HAlign::Right);
    report::Label &asterisco = dfe::CriarRotulo(*rlObsContrib, "lTitLei12743", QRectF(0, 0, w, 12),
                                                "* Valor Aproximado dos Tributos dos Itens", dfe::CriarFonte(8));
    rlObsContrib->beforePrint = [this, &lei, &asterisco](Band &banda, PrintContext &contexto) {
        const TCFe &cfe = CFe();
        const bool lei12741 = Positivo(cfe.Total.vCFeLei12741);
        if (cfe.InfAdic.infCpl.empty() && !(fOvixSATExtrato.ImprimeMsgOlhoNoImposto() && lei12741))
            return false;
        mObsContrib->text = Trocar(cfe.InfAdic.infCpl, ";", "\r\n");
        double y = Empilhar(*mObsContrib, 18, contexto, rlVenda.font);
        lei.visible = lei12741;
        lValLei12741->visible = lei12741;
        if (lei12741) {
            lValLei12741->text = Valor(cfe.Total.vCFeLei12741);
            lei.bounds.moveTop(y);
            lValLei12741->bounds.moveTop(y + 6);
            y += 26;
        }
        asterisco.visible = !fResumido && !fOvixSATExtrato.ImprimeQRCodeLateral();
        asterisco.bounds.moveTop(y);
        if (!fResumido)
            y += 12;
        banda.height = y;
        return true;
    };

    rlbRodape = &rlVenda.addBand(BandKind::Summary, 300, "rlbRodape");
    Band &b = *rlbRodape;
    dfe::CriarRotulo(b, "lTitSAT", QRectF(0, 0, std::floor(w / 2) - 16, 14), "SAT N°: ", rlVenda.font, HAlign::Right);
    dfe::CriarRotulo(b, "lNumSAT", QRectF(std::floor(w / 2) - 16, 0, w / 2 + 16, 14), {}, dfe::CriarFonte(11, true));
    dfe::CriarRotulo(b, "lDataHora", QRectF(0, 14, w, 14), {}, rlVenda.font, HAlign::Center);
    lChaveAcesso = &dfe::CriarMemo(b, "lChaveAcesso", QRectF(0, 0, w, 12), fonte9, HAlign::Center);
    bcChaveAcesso1 = &b.add<report::Barcode>("bcChaveAcesso1", QRectF(0, 0, w, 26));
    bcChaveAcesso2 = &b.add<report::Barcode>("bcChaveAcesso2", QRectF(0, 0, w, 26));
    imgQRCode = &b.add<report::Image>("imgQRCode", QRectF(0, 0, w, 135));
    imgQRCode->fit = report::Image::Proportional;
    imgQRCode->center = true;
    imgQRCode->smooth = false;
    // The text beside the QR Code.
    const double xl = w / 2 + report::mmToPx(2);
    const double wl = std::max(1.0, w / 2 - report::mmToPx(2));
    dfe::CriarRotulo(b, "lTitConsumidorLateral", QRectF(xl, 0, wl, 13), "Consumidor", dfe::CriarFonte(11, true),
                     HAlign::Center);
    dfe::CriarMemo(b, "mConsumidorLateral", QRectF(xl, 0, wl, 0), rlVenda.font, HAlign::Center);
    dfe::CriarRotulo(b, "lTitSATLateral", QRectF(xl, 0, std::floor(wl / 2), 12), "N° Série SAT ",
                     dfe::CriarFonte(9, true), HAlign::Right);
    dfe::CriarRotulo(b, "lNumSATLateral", QRectF(xl + std::floor(wl / 2), 0, wl - std::floor(wl / 2), 12), {}, fonte9);
    dfe::CriarRotulo(b, "lDataHoraLateral", QRectF(xl, 0, wl, 13), {}, rlVenda.font, HAlign::Center);
    dfe::CriarMemo(b, "mMsgAppQRCodeLateral", QRectF(xl, 0, wl, 0), dfe::CriarFonte(7), HAlign::Center);
    dfe::CriarRotulo(b, "lTitLei12744Lateral", QRectF(xl, 0, wl, 10), "* Valor Aproximado dos Tributos dos Itens",
                     dfe::CriarFonte(7));
    dfe::CriarLinhaH(b, "lnRodape", 0, 0, w);
    mMsgAppQRCode = &dfe::CriarMemo(b, "mMsgAppQRCode", QRectF(0, 0, w, 0), fonte9, HAlign::Center);
    mSwHouseSite = &dfe::CriarMemo(b, "mSwHouseSite", QRectF(0, 0, w, 0), dfe::CriarFonte(8), HAlign::Center);
    dfe::CriarLinhaH(b, "lnEspacoFinal", 0, 0, w);
    b.beforePrint = [this](Band &banda, PrintContext &contexto) {
        PrepararRodape(banda, contexto);
        return true;
    };
}

void TOvixSATExtratoFortesFr::PrepararRodape(Band &ABanda, PrintContext &AContexto)
{
    const TCFe &cfe = CFe();
    const bool lateral = fOvixSATExtrato.ImprimeQRCodeLateral();
    const report::Font &fonteRel = rlVenda.font;
    const std::string numSAT = util::FormatFloatBr(cfe.ide.nserieSAT, "000,000,000");
    const std::string dataHora = util::FormatDateTimeBr(cfe.ide.dhEmi, "DD/MM/YYYY - hh:nn:ss");
    const auto rotulo = [&](std::string_view nome) { return ABanda.find<report::Label>(nome); };
    const auto memo = [&](std::string_view nome) { return ABanda.find<report::Memo>(nome); };

    // A little room between the last notes and the footer.
    double y = 6;
    for (const char *nome : {"lTitSAT", "lNumSAT", "lDataHora"})
        rotulo(nome)->visible = !lateral;
    if (!lateral) {
        rotulo("lTitSAT")->bounds.moveTop(y);
        rotulo("lNumSAT")->bounds.moveTop(y);
        rotulo("lNumSAT")->text = numSAT;
        rotulo("lDataHora")->bounds.moveTop(y + 14);
        rotulo("lDataHora")->text = dataHora;
        y += 30;
    }
    y = Empilhar(*lChaveAcesso, y, AContexto, fonteRel) + 2;
    bcChaveAcesso1->bounds.moveTop(y);
    bcChaveAcesso2->bounds.moveTop(y + 26 + 4);
    y += 26 + 4 + 26 + 9;

    // The QR Code, with the consumer, serial and date beside it when asked.
    const double w = FLargura;
    const double topoQR = y;
    imgQRCode->bounds = QRectF(0, topoQR, lateral ? w / 2 : w, 135);
    const std::vector<const char *> laterais = {"lTitConsumidorLateral", "mConsumidorLateral", "lTitSATLateral",
                                                "lNumSATLateral",        "lDataHoraLateral",   "mMsgAppQRCodeLateral",
                                                "lTitLei12744Lateral"};
    for (const char *nome : laterais)
        ABanda.find(nome)->visible = lateral;
    if (lateral) {
        std::string consumidor = rtl::Trim(cfe.Dest.xNome);
        const std::string doc = rtl::Trim(cfe.Dest.CNPJCPF);
        if (consumidor.empty() && fOvixSATExtrato.ImprimeCPFNaoInformado() && doc.empty())
            consumidor = "CONSUMIDOR NÃO IDENTIFICADO";
        if (!doc.empty())
            consumidor = util::FormatarCNPJouCPF(doc) + (consumidor.empty() ? "" : " - " + consumidor);
        double yl = topoQR;
        report::Label &titConsumidor = *rotulo("lTitConsumidorLateral");
        report::Memo &mConsumidor = *memo("mConsumidorLateral");
        titConsumidor.visible = mConsumidor.visible = !consumidor.empty();
        if (!consumidor.empty()) {
            titConsumidor.bounds.moveTop(yl);
            mConsumidor.text = consumidor;
            yl = Empilhar(mConsumidor, yl + 13, AContexto, fonteRel) + 4;
        }
        rotulo("lTitSATLateral")->bounds.moveTop(yl);
        rotulo("lNumSATLateral")->bounds.moveTop(yl);
        rotulo("lNumSATLateral")->text = numSAT;
        rotulo("lDataHoraLateral")->bounds.moveTop(yl + 13);
        rotulo("lDataHoraLateral")->text = dataHora;
        report::Memo &msg = *memo("mMsgAppQRCodeLateral");
        msg.text = fOvixSATExtrato.MsgAppQRCode();
        // At the bottom of the panel, above the asterisk's note; below the texts above it
        // when they leave no room there.
        msg.autoHeight = true;
        const double alturaMsg = msg.text.empty() ? 0 : msg.neededHeight(AContexto.measurer(), fonteRel);
        const double topoMsg = std::max(yl + 26, topoQR + 135 - 10 - alturaMsg);
        msg.bounds = QRectF(msg.bounds.left(), topoMsg, msg.bounds.width(), alturaMsg);
        rotulo("lTitLei12744Lateral")->bounds.moveTop(topoMsg + alturaMsg);
    }
    y = std::max(topoQR + 135, [&] {
        double fundo = topoQR + 135;
        for (const char *nome : laterais)
            if (const report::Control *c = ABanda.find(nome); c->visible)
                fundo = std::max(fundo, c->bounds.bottom());
        return fundo;
    }());

    ABanda.find("lnRodape")->bounds.moveTop(y + 5);
    y += 10;
    mMsgAppQRCode->visible = !lateral;
    if (!lateral) {
        mMsgAppQRCode->text = fOvixSATExtrato.MsgAppQRCode();
        y = Empilhar(*mMsgAppQRCode, y, AContexto, fonteRel);
    }
    y = Empilhar(*mSwHouseSite, y, AContexto, fonteRel);
    y += std::max(0, fOvixSATExtrato.EspacoFinal());
    ABanda.find("lnEspacoFinal")->bounds.moveTop(y);
    ABanda.height = y + 2;
}

void TOvixSATExtratoFortesFr::AntesDeImprimir(PrintContext &AContexto)
{
    const TCFe &cfe = CFe();
    fNumItem = fNumPagto = fNumObs = 0;
    fObsFisco.clear();
    FAsteriscos = {};
    if (cfe.Emit.cRegTrib == dfe::RTSimplesNacional)
        fObsFisco.emplace_back("ICMS a ser recolhido conforme LC 123/2006 - Simples Nacional");
    for (int i = 0; i < cfe.obsFisco.Count(); ++i)
        fObsFisco.push_back(cfe.obsFisco.Items(i).xCampo + "-" + cfe.obsFisco.Items(i).xTexto);

    // Issuer.
    const TEmit &emitente = cfe.Emit;
    lNomeFantasia->text = emitente.xFant;
    lRazaoSocial->text = emitente.xNome;
    const TenderEmit &ender = emitente.EnderEmit;
    std::string endereco = ender.xLgr;
    if (!ender.nro.empty())
        endereco += ", " + ender.nro;
    if (!ender.xCpl.empty())
        endereco += " - " + ender.xCpl;
    endereco += "\r\n";
    if (!ender.xBairro.empty())
        endereco += ender.xBairro;
    if (!ender.xMun.empty())
        endereco += " - " + ender.xMun;
    if (ender.CEP != 0)
        endereco += " - " + util::FormatarCEP(ender.CEP);
    lEndereco->text = endereco;
    std::string cnpj = "CNPJ:" + emitente.CNPJ;
    if (!emitente.IE.empty())
        cnpj += " IE:" + emitente.IE;
    if (!emitente.IM.empty())
        cnpj += " IM:" + emitente.IM;
    lEmitCNPJ_IE_IM->text = cnpj;
    dfe::TDFeReportFortes::DiminuirFonteSeNecessario(*lEmitCNPJ_IE_IM, 6, AContexto.measurer(), rlVenda.font);

    // Receipt number: zeros in the test environment.
    const std::string numero = cfe.ide.tpAmb == dfe::taHomologacao ? "000000" : util::IntToStrZero(cfe.ide.nCFe, 6);
    if (const std::size_t pos = lNumeroExtrato->text.find("<NUMERO>"); pos != std::string::npos)
        lNumeroExtrato->text.replace(pos, 8, numero);
    dfe::TDFeReportFortes::DiminuirFonteSeNecessario(*lNumeroExtrato, 6, AContexto.measurer(), rlVenda.font);

    // Key, barcodes and QR Code.
    const std::string &id = cfe.infCFe.ID;
    lChaveAcesso->text = dfe::FormatarChaveAcesso(id);
    bcChaveAcesso1->data = id.substr(0, std::min<std::size_t>(22, id.size()));
    bcChaveAcesso2->data = id.size() > 22 ? id.substr(22, 22) : std::string();
    imgQRCode->visible = fOvixSATExtrato.ImprimeQRCode();
    imgQRCode->image = QImage();
    if (imgQRCode->visible) {
        const std::string conteudo = TOvixSATExtratoClass::CalcularConteudoQRCode(
            id, rtl::Trim(cfe.Dest.CNPJCPF), cfe.ide.dhEmi, cfe.Total.vCFe.ToDouble(), cfe.ide.assinaturaQRCODE);
        try {
            dfe::PintarQRCode(conteudo, imgQRCode->image, dfe::qrUTF8BOM);
        } catch (const rtl::Exception &) {
            // A signature longer than any symbol holds: the receipt prints without the
            // QR Code rather than not at all.
            imgQRCode->image = QImage();
        }
    }

    std::string rodape;
    if (!fOvixSATExtrato.Sistema().empty())
        rodape = fOvixSATExtrato.Sistema();
    if (!fOvixSATExtrato.Site().empty())
        rodape += (rodape.empty() ? "" : "\r\n") + fOvixSATExtrato.Site();
    mSwHouseSite->text = rodape;
}

} // namespace sat

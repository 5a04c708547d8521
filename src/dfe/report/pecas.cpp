#include "dfe/report/pecas.h"

#include "dfe/report/layout_construcao.h"

#include <QColor>
#include <utility>

namespace dfe {

namespace {

report::Font Fonte(const TFontePeca &fonte)
{
    return CriarFonte(fonte.pixels, fonte.negrito, fonte.familia);
}

// The text, alignments and colours a label or a memo takes from its row.
template <class T> void Texto(T &controle, const TDadosPeca &peca)
{
    controle.text = peca.texto;
    if (peca.cor != kSemCor)
        controle.color = QColor(peca.cor);
    if (peca.fundo != kSemCor)
        controle.background = QColor(peca.fundo);
}

// The row's name with sufixo for every '%'.
std::string Nome(std::string_view modelo, std::string_view sufixo)
{
    std::string nome;
    nome.reserve(modelo.size() + sufixo.size());
    for (const char c : modelo)
        if (c == '%')
            nome.append(sufixo);
        else
            nome.push_back(c);
    return nome;
}

} // namespace

report::Control &CriarPeca(report::Band &banda, const TDadosPeca &original, const TLugarPecas &onde)
{
    TDadosPeca peca = original;
    peca.x += onde.dx;
    peca.y += onde.dy;
    const std::string nome = Nome(peca.nome, onde.sufixo);
    peca.nome = nome.c_str();
    const QRectF lugar(peca.x, peca.y, peca.largura, peca.altura);
    report::Control *feito = nullptr;
    switch (peca.tipo) {
    case TTipoPeca::Rotulo: {
        report::Label &rotulo = CriarRotulo(banda, peca.nome, lugar, {}, Fonte(peca.fonte), peca.alinhamento, peca.tag);
        Texto(rotulo, peca);
        rotulo.verticalAlign = peca.alinhamentoVertical;
        rotulo.autoWidth = peca.autoLargura;
        feito = &rotulo;
        break;
    }
    case TTipoPeca::Memo: {
        report::Memo &memo = CriarMemo(banda, peca.nome, lugar, Fonte(peca.fonte), peca.alinhamento, peca.tag);
        Texto(memo, peca);
        memo.autoHeight = peca.autoAltura;
        memo.wordWrap = !peca.semQuebra;
        feito = &memo;
        break;
    }
    case TTipoPeca::Caixa:
    case TTipoPeca::Fundo: {
        report::Box &caixa = CriarCaixa(banda, peca.nome, lugar);
        if (peca.tipo == TTipoPeca::Fundo)
            caixa.penWidth = 0;
        if (peca.fundo != kSemCor)
            caixa.fill = QColor(peca.fundo);
        feito = &caixa;
        break;
    }
    case TTipoPeca::LinhaH:
    case TTipoPeca::LinhaV: {
        report::Line &linha = peca.tipo == TTipoPeca::LinhaH ? CriarLinhaH(banda, peca.nome, peca.x, peca.y, peca.largura)
                                                             : CriarLinhaV(banda, peca.nome, peca.x, peca.y, peca.altura);
        linha.dotted = peca.pontilhada;
        feito = &linha;
        break;
    }
    case TTipoPeca::Imagem: {
        report::Image &imagem = banda.add<report::Image>(peca.nome, lugar);
        imagem.fit = report::Image::Proportional;
        imagem.center = true;
        imagem.smooth = !peca.serrilhada;
        feito = &imagem;
        break;
    }
    case TTipoPeca::QRCode:
        feito = &banda.add<report::QRCode>(peca.nome, lugar);
        break;
    case TTipoPeca::CodigoBarras: {
        report::Barcode &codigo = banda.add<report::Barcode>(peca.nome, lugar);
        codigo.moduleWidth = peca.modulo;
        feito = &codigo;
        break;
    }
    case TTipoPeca::NumeroPagina:
    case TTipoPeca::TotalPaginas:
    case TTipoPeca::PaginaDeTotal: {
        const report::SystemInfo info = peca.tipo == TTipoPeca::NumeroPagina   ? report::SystemInfo::PageNumber
                                        : peca.tipo == TTipoPeca::TotalPaginas ? report::SystemInfo::PageCount
                                                                               : report::SystemInfo::PageOfPages;
        report::SystemField &campo = banda.add<report::SystemField>(peca.nome, lugar, info, peca.texto);
        campo.font = Fonte(peca.fonte);
        campo.align = peca.alinhamento;
        feito = &campo;
        break;
    }
    }
    feito->tag = peca.tag;
    feito->visible = !peca.oculta;
    feito->stretch = peca.esticar;
    return *feito;
}

std::string *TextoDe(report::Control &controle)
{
    if (auto *rotulo = dynamic_cast<report::Label *>(&controle))
        return &rotulo->text;
    if (auto *memo = dynamic_cast<report::Memo *>(&controle))
        return &memo->text;
    return nullptr;
}

void MostrarValor(report::Control &controle, std::string valor)
{
    if (std::string *texto = TextoDe(controle))
        *texto = std::move(valor);
    else if (auto *codigo = dynamic_cast<report::Barcode *>(&controle))
        codigo->data = std::move(valor);
    else if (auto *qr = dynamic_cast<report::QRCode *>(&controle))
        qr->data = std::move(valor);
    else
        throw std::invalid_argument("the control " + controle.name + " shows no value");
}

} // namespace dfe

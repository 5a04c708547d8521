#include "dfe/report/caixa_campos.h"

#include "dfe/report/layout_construcao.h"

#include <QColor>
#include <algorithm>
#include <stdexcept>

namespace dfe {

namespace {

// The name with the box's prefix for '%' and the value's name for '@'.
std::string Nome(std::string_view modelo, std::string_view prefixo, std::string_view valor = {})
{
    std::string nome;
    nome.reserve(modelo.size() + prefixo.size() + valor.size());
    for (const char c : modelo) {
        if (c == '%')
            nome += prefixo;
        else if (c == '@')
            nome += valor;
        else
            nome += c;
    }
    return nome;
}

template <class T> T &Procurar(const std::vector<TCelulaCriada> &celulas, T *TCelulaCriada::*membro,
                               std::string_view nome)
{
    for (const TCelulaCriada &celula : celulas)
        if (celula.*membro != nullptr && (celula.*membro)->name == nome)
            return *(celula.*membro);
    throw std::invalid_argument("the box has no cell control named " + std::string(nome));
}

} // namespace

report::Label &TCaixaCampos::ValorDe(std::string_view nome) const
{
    return Procurar(celulas, &TCelulaCriada::valor, nome);
}

report::Label &TCaixaCampos::LegendaDe(std::string_view nome) const
{
    return Procurar(celulas, &TCelulaCriada::legenda, nome);
}

report::Line &TCaixaCampos::DivisorDe(std::string_view nome) const
{
    return Procurar(celulas, &TCelulaCriada::divisor, nome);
}

void CriarCampos(TCaixaCampos &caixa, const TEstiloCaixa &estilo, std::span<const TCampoCaixa *const> campos,
                 std::string_view prefixo)
{
    report::Band &banda = *caixa.banda;
    const QRectF &moldura = caixa.caixa->bounds;
    const double h = estilo.alturaLinha;
    int nLinhas = 0;
    for (const TCampoCaixa *campo : campos)
        nLinhas = std::max(nLinhas, campo->linha + 1);
    caixa.linhas.resize(static_cast<std::size_t>(nLinhas));
    caixa.celulas.resize(campos.size());
    const auto topoLinha = [&](int linha) { return moldura.top() + caixa.inicioLinhas + linha * h; };

    // The controls of cell i, each made once.
    const auto legenda = [&](std::size_t i) {
        const TCampoCaixa &c = *campos[i];
        if (c.nomeLegenda == nullptr)
            return;
        report::Label &rotulo =
            CriarRotulo(banda, Nome(c.nomeLegenda, prefixo),
                        QRectF(c.xLegenda, topoLinha(c.linha) + 1, c.larguraLegenda, estilo.alturaLegenda), c.legenda,
                        estilo.fonteLegenda, report::HAlign::Left, estilo.tagLegenda);
        caixa.linhas[static_cast<std::size_t>(c.linha)].legendas.push_back(&rotulo);
        caixa.celulas[i].legenda = &rotulo;
    };
    const auto valor = [&](std::size_t i) {
        const TCampoCaixa &c = *campos[i];
        report::Label &rotulo = CriarRotulo(
            banda, Nome(c.nome, prefixo),
            QRectF(c.xValor, topoLinha(c.linha) + h - c.alturaValor, c.larguraValor, c.alturaValor), "",
            estilo.fonteValor, c.alinhamento, estilo.tagValor);
        rotulo.verticalAlign = report::VAlign::Bottom;
        caixa.linhas[static_cast<std::size_t>(c.linha)].valores.push_back(&rotulo);
        caixa.celulas[i].valor = &rotulo;
    };
    const auto divisor = [&](std::size_t i) {
        const TCampoCaixa &c = *campos[i];
        if (c.nomeDivisor == nullptr)
            return;
        report::Line &linha =
            CriarLinhaV(banda, Nome(c.nomeDivisor, prefixo, Nome(c.nome, prefixo)), c.x0, topoLinha(c.linha), h + 1);
        caixa.linhas[static_cast<std::size_t>(c.linha)].divisores.push_back(&linha);
        caixa.celulas[i].divisor = &linha;
    };
    // The line over the row, and its shaded cells.
    const auto molduraLinha = [&](int linha) {
        TLinhaCampos &l = caixa.linhas[static_cast<std::size_t>(linha)];
        const std::size_t anterior = static_cast<std::size_t>(linha) - 1;
        if (linha > 0 && anterior < estilo.linhasSuperiores.size())
            l.linhaSuperior = &CriarLinhaH(banda, Nome(estilo.linhasSuperiores[anterior], prefixo), moldura.left(),
                                           topoLinha(linha), moldura.width());
        for (const TCampoCaixa *c : campos) {
            if (c->linha != linha || c->nomeFundo == nullptr)
                continue;
            report::Box &fundo = CriarCaixa(banda, Nome(c->nomeFundo, prefixo),
                                            QRectF(c->x0 + 1, topoLinha(linha) + 1, c->x1 - c->x0 - 2, h - 1));
            fundo.penWidth = 0;
            fundo.fill = QColor(c->fundo);
            l.fundos.push_back(&fundo);
        }
    };
    const auto cada = [&](int linha, const auto &criar) {
        for (std::size_t i = 0; i < campos.size(); ++i)
            if (campos[i]->linha == linha)
                criar(i);
    };
    const auto textos = [&](int linha) {
        if (estilo.porTipo) {
            cada(linha, legenda);
            cada(linha, valor);
        } else {
            cada(linha, [&](std::size_t i) {
                legenda(i);
                valor(i);
                if (!estilo.linhasPrimeiro)
                    divisor(i);
            });
        }
    };

    for (int linha = 0; linha < nLinhas; ++linha) {
        molduraLinha(linha);
        if (estilo.linhasPrimeiro) {
            cada(linha, divisor);
        } else {
            textos(linha);
            if (estilo.porTipo)
                cada(linha, divisor);
        }
    }
    if (estilo.linhasPrimeiro)
        for (int linha = 0; linha < nLinhas; ++linha)
            textos(linha);

    for (std::size_t i = 0; i < campos.size(); ++i) {
        const TCampoCaixa &c = *campos[i];
        TCelulaCriada &criada = caixa.celulas[i];
        criada.linha = c.linha;
        criada.x0 = c.x0;
        criada.recuoLegenda = c.xLegenda - c.x0;
        criada.recuoValor = c.xValor - c.x0;
        criada.folgaValor = c.x1 - c.x0 - c.larguraValor;
    }
}

void AjustarCaixa(TCaixaCampos &caixa, double h)
{
    if (caixa.fixa)
        return;
    const double topo = caixa.caixa->bounds.top();
    for (std::size_t i = 0; i < caixa.linhas.size(); ++i) {
        const TLinhaCampos &linha = caixa.linhas[i];
        const double topoLinha = topo + caixa.inicioLinhas + static_cast<double>(i) * h;
        for (report::Control *c : linha.legendas)
            c->bounds.moveTop(topoLinha + 1);
        for (report::Control *c : linha.valores)
            c->bounds.moveTop(topoLinha + h - c->bounds.height());
        for (report::Control *c : linha.divisores) {
            c->bounds.moveTop(topoLinha);
            c->bounds.setHeight(h + 1);
        }
        for (report::Control *c : linha.fundos) {
            c->bounds.moveTop(topoLinha + 1);
            c->bounds.setHeight(h - 1);
        }
        if (linha.linhaSuperior != nullptr)
            linha.linhaSuperior->bounds.moveTop(topoLinha);
    }
    caixa.caixa->bounds.setHeight(static_cast<double>(caixa.linhas.size()) * h + caixa.bordaExtra);
    caixa.banda->height = caixa.caixa->bounds.bottom() + 2;
}

void DistribuirCelulas(const TCaixaCampos &caixa, int linha, double fim)
{
    std::vector<const TCelulaCriada *> visiveis;
    for (const TCelulaCriada &celula : caixa.celulas)
        if (celula.linha == linha && celula.valor != nullptr && celula.valor->visible)
            visiveis.push_back(&celula);
    const auto inicioDe = [](const TCelulaCriada &celula) {
        return celula.divisor != nullptr ? celula.divisor->bounds.left() : celula.x0;
    };
    for (std::size_t i = 0; i < visiveis.size(); ++i) {
        const TCelulaCriada &celula = *visiveis[i];
        const double inicio = inicioDe(celula);
        const double final = i + 1 < visiveis.size() ? inicioDe(*visiveis[i + 1]) : fim;
        if (celula.legenda != nullptr)
            celula.legenda->bounds.moveLeft(inicio + celula.recuoLegenda);
        celula.valor->bounds.moveLeft(inicio + celula.recuoValor);
        celula.valor->bounds.setWidth(final - inicio - celula.folgaValor);
    }
}

} // namespace dfe

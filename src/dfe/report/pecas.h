#pragma once
// Blocks of a printed form as tables. A block that is not a box of field rows (the
// receipt stub, the issuer's block, a footer) is written as a table of TPeca, one row
// per control in drawing order: its kind, name, place, text, font, alignment and tag, and
// the value it shows when the model gives it one. CriarPecas makes the controls of a
// whole table in its band and PreencherPecas puts the model's values into them, so that
// adding a control is adding a row. The layout keeps a pointer of its own only to the
// controls a rule reaches (TPecasCriadas::De finds them once, when the layout is built).
//
// Geometry is in pixels in the coordinates of the band holding the control.

#include "report/band.h"
#include "report/controls.h"

#include <QRgb>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dfe {

enum class TTipoPeca {
    Rotulo,        // one line of text
    Memo,          // text in lines
    Caixa,         // a rectangle with a one-pixel border
    Fundo,         // a filled rectangle without a border
    LinhaH,        // a horizontal line, largura long, its pen along y
    LinhaV,        // a vertical line, altura long, its pen along x
    Imagem,        // a picture kept in proportion, centred in its place
    CodigoBarras,  // a barcode of modules `modulo` wide
    QRCode,        // a QR Code filling its place
    NumeroPagina,  // the page number after the text
    TotalPaginas,  // the page count after the text
    PaginaDeTotal, // the page number and count in the text's mask ("0#/0#")
};

// A font of a table's row; no size: the control keeps the report's font.
struct TFontePeca {
    int pixels = 0;
    bool negrito = false;
    const char *familia = "Arial";
};

// No colour: the control keeps its own (text black, background and fill none).
inline constexpr QRgb kSemCor = 0;

// One control as a table's row: everything it is made from. The builders below make the
// usual rows; the modifiers return the row changed, so that a table reads one control a
// line: Memo(...).AutoAltura().Oculta().
struct TDadosPeca {
    TTipoPeca tipo = TTipoPeca::Rotulo;
    const char *nome = "";
    double x = 0, y = 0, largura = 0, altura = 0;
    const char *texto = "";
    TFontePeca fonte;
    report::HAlign alinhamento = report::HAlign::Left;
    report::VAlign alinhamentoVertical = report::VAlign::Top;
    int tag = 0;
    bool oculta = false;      // made hidden; a rule shows it
    bool autoAltura = false;  // a memo as tall as its text
    bool autoLargura = false; // a label as wide as its text
    bool esticar = false;     // as tall as its band
    bool pontilhada = false;  // a dotted line
    bool semQuebra = false;   // a memo kept on one line
    bool serrilhada = false;  // a picture drawn without smoothing (a QR bitmap keeps hard edges)
    QRgb cor = kSemCor;       // a text's colour
    QRgb fundo = kSemCor;     // a text's background, a rectangle's fill
    double modulo = 0;        // a barcode's module width

    constexpr TDadosPeca Oculta() const { return Com(&TDadosPeca::oculta); }
    constexpr TDadosPeca AutoAltura() const { return Com(&TDadosPeca::autoAltura); }
    constexpr TDadosPeca AutoLargura() const { return Com(&TDadosPeca::autoLargura); }
    constexpr TDadosPeca Esticada() const { return Com(&TDadosPeca::esticar); }
    constexpr TDadosPeca Pontilhada() const { return Com(&TDadosPeca::pontilhada); }
    constexpr TDadosPeca SemQuebra() const { return Com(&TDadosPeca::semQuebra); }
    constexpr TDadosPeca Serrilhada() const { return Com(&TDadosPeca::serrilhada); }
    constexpr TDadosPeca Centrada() const
    {
        TDadosPeca p = *this;
        p.alinhamentoVertical = report::VAlign::Center;
        return p;
    }
    constexpr TDadosPeca Cor(QRgb c) const
    {
        TDadosPeca p = *this;
        p.cor = c;
        return p;
    }
    constexpr TDadosPeca ComFundo(QRgb c) const
    {
        TDadosPeca p = *this;
        p.fundo = c;
        return p;
    }

private:
    constexpr TDadosPeca Com(bool TDadosPeca::*marca) const
    {
        TDadosPeca p = *this;
        p.*marca = true;
        return p;
    }
};

constexpr TDadosPeca Rotulo(const char *nome, double x, double y, double largura, double altura, const char *texto,
                            TFontePeca fonte, report::HAlign alinhamento = report::HAlign::Left, int tag = 0)
{
    TDadosPeca p;
    p.tipo = TTipoPeca::Rotulo;
    p.nome = nome;
    p.x = x;
    p.y = y;
    p.largura = largura;
    p.altura = altura;
    p.texto = texto;
    p.fonte = fonte;
    p.alinhamento = alinhamento;
    p.tag = tag;
    return p;
}

constexpr TDadosPeca Memo(const char *nome, double x, double y, double largura, double altura, const char *texto,
                          TFontePeca fonte, report::HAlign alinhamento = report::HAlign::Left, int tag = 0)
{
    TDadosPeca p = Rotulo(nome, x, y, largura, altura, texto, fonte, alinhamento, tag);
    p.tipo = TTipoPeca::Memo;
    return p;
}

// A rectangle of any kind but the texts and lines.
constexpr TDadosPeca Retangulo(TTipoPeca tipo, const char *nome, double x, double y, double largura, double altura)
{
    TDadosPeca p;
    p.tipo = tipo;
    p.nome = nome;
    p.x = x;
    p.y = y;
    p.largura = largura;
    p.altura = altura;
    return p;
}

constexpr TDadosPeca Caixa(const char *nome, double x, double y, double largura, double altura)
{
    return Retangulo(TTipoPeca::Caixa, nome, x, y, largura, altura);
}

constexpr TDadosPeca LinhaH(const char *nome, double x, double y, double largura)
{
    return Retangulo(TTipoPeca::LinhaH, nome, x, y, largura, 1);
}

constexpr TDadosPeca LinhaV(const char *nome, double x, double y, double altura)
{
    return Retangulo(TTipoPeca::LinhaV, nome, x, y, 1, altura);
}

constexpr TDadosPeca CodigoBarras(const char *nome, double x, double y, double largura, double altura, double modulo)
{
    TDadosPeca p = Retangulo(TTipoPeca::CodigoBarras, nome, x, y, largura, altura);
    p.modulo = modulo;
    return p;
}

// The page number or count after mascara, or both in it.
constexpr TDadosPeca CampoPagina(TTipoPeca tipo, const char *nome, double x, double y, double largura, double altura,
                                 const char *mascara, TFontePeca fonte,
                                 report::HAlign alinhamento = report::HAlign::Left)
{
    TDadosPeca p = Rotulo(nome, x, y, largura, altura, mascara, fonte, alinhamento);
    p.tipo = tipo;
    return p;
}

// What a control shows, read from the layout's context (the document, the settings).
// None: the row's text, or a rule of the layout fills it.
template <class Contexto> using TValorPeca = std::string (*)(const Contexto &);

template <class Contexto> struct TPeca : TDadosPeca {
    TValorPeca<Contexto> valor = nullptr;

    constexpr TPeca(const TDadosPeca &peca, TValorPeca<Contexto> v = nullptr) : TDadosPeca(peca), valor(v) {}
};

// The controls of a table as made, control i of the table at index i.
struct TPecasCriadas {
    std::vector<report::Control *> controles;

    // The control named nome, of the kind T; throws when there is none.
    template <class T> T &De(std::string_view nome) const
    {
        for (report::Control *c : controles)
            if (c->name == nome)
                if (auto *controle = dynamic_cast<T *>(c))
                    return *controle;
        throw std::invalid_argument("the block has no control named " + std::string(nome));
    }
};

// Where a block drawn more than once in a form (the same boxes at two places) goes: its
// rows moved by dx, dy and '%' in their names replaced by sufixo.
struct TLugarPecas {
    double dx = 0, dy = 0;
    std::string_view sufixo;
};

// Makes one control of a table's row in the band.
report::Control &CriarPeca(report::Band &banda, const TDadosPeca &peca, const TLugarPecas &lugar = {});

// The text a label or a memo shows; none for any other control.
std::string *TextoDe(report::Control &controle);

// Puts a value into a control: a text's text, a barcode's data.
void MostrarValor(report::Control &controle, std::string valor);

template <class Contexto>
TPecasCriadas CriarPecas(report::Band &banda, std::span<const TPeca<Contexto>> tabela, const TLugarPecas &lugar = {})
{
    TPecasCriadas criadas;
    criadas.controles.reserve(tabela.size());
    for (const TPeca<Contexto> &peca : tabela)
        criadas.controles.push_back(&CriarPeca(banda, peca, lugar));
    return criadas;
}

// Puts into every control that has a value its value for the context.
template <class Contexto>
void PreencherPecas(const TPecasCriadas &criadas, std::span<const TPeca<std::type_identity_t<Contexto>>> tabela,
                    const Contexto &contexto)
{
    for (std::size_t i = 0; i < tabela.size(); ++i)
        if (tabela[i].valor != nullptr)
            MostrarValor(*criadas.controles[i], tabela[i].valor(contexto));
}

} // namespace dfe

// The title bands of page 1 between the header and the tax totals: recipient, pick-up
// and delivery places, invoice, instalments grid and payments grid.

#include "dfe/report/layout_construcao.h"
#include "dfe/report/pecas.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "nfe/codes.h"

#include "dfe/codes.h"
#include "rtl/datetime.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

namespace nfe {

namespace {

using report::HAlign;

constexpr QRgb kFundoLegendas = 0xFFE0E0E0;

// An address line: the street, the number unless it is "0" (or missing), then the
// complement after separador when there is one.
std::string Endereco(const TEnderecoNFe &ender, const char *separador)
{
    std::string texto = ender.xLgr;
    if (ender.nro != "0" && !ender.nro.empty())
        texto += ", " + ender.nro;
    if (!ender.xCpl.empty())
        texto += separador + ender.xCpl;
    return texto;
}

// A CEP the document does not give (0) prints nothing rather than a run of zeros.
std::string CEP(int cep)
{
    return cep > 0 ? util::FormatarCEP(cep) : std::string();
}

// The exit time follows the user's own time format.
std::string HoraSaida(const TDadosDANFe &d)
{
    const TIde &ide = d.nfe.Ide;
    bool ok = false;
    if (DblToVersaoDF(ok, d.nfe.infNFe.GetVersao()) == ve200)
        return ide.hSaiEnt == 0 ? std::string() : rtl::TimeToStr(ide.hSaiEnt);
    return rtl::TimeOf(ide.dSaiEnt) == 0 ? std::string() : rtl::TimeToStr(ide.dSaiEnt);
}

// The bold caption above a box.
constexpr dfe::TDadosPeca TituloQuadro(const char *nome, const char *texto)
{
    return dfe::Rotulo(nome, 1, 1, 400, 11, texto, {8, true}, HAlign::Left, tagTituloCaixa);
}

// The invoice's frame: its captions on a grey strip above a divider, the values under it
// (kFatura).
constexpr TPecaDANFe kMolduraFatura[] = {
    TituloQuadro("rllQuadroFatura", "FATURA"),
    dfe::Caixa("rliFaturaReal", 0, 13, 740, 31),
    dfe::Retangulo(dfe::TTipoPeca::Fundo, "rliFaturaRealFundo", 1, 14, 738, 11).ComFundo(kFundoLegendas),
    dfe::LinhaH("rliFaturaRealDivisao", 0, 25, 740),
};

// The grids: four cells to a row, 13 pixels from one row to the next, the first row 26
// pixels below the band's top, the box 13 pixels below it.
constexpr int kCelulasPorLinha = 4;
constexpr double kPassoGrade = 13;
constexpr double kTopoGrade = 26;
constexpr double kTopoCaixaGrade = 13;

// A column of a grid's cells: its caption over each of the four cells of a row, and the
// text of cell i of the grid. The caption is named nomeLegenda and the cell's column
// (from 1), the text nome and the cell's number.
struct TColunaGrade {
    const char *nomeLegenda;
    const char *legenda;
    const char *nome;
    double x[kCelulasPorLinha]; // in each cell of a row
    double largura;
    HAlign alinhamento;
    std::string (*valor)(const TNFe &, int);
};

// A grid: its title, box (the grey strip of the captions named after it) and dividers
// between the cells of a row, its columns, how many cells it has room for and the
// number of its first cell in the names.
struct TGrade {
    const char *nomeTitulo;
    const char *titulo;
    const char *nomeCaixa;
    double divisores[kCelulasPorLinha - 1];
    std::span<const TColunaGrade> colunas;
    int celulas;
    int primeira;
};

constexpr TColunaGrade kColunasDuplicatas[] = {
    {"rllFatTituloNum", "Nº DUPLICATA", "rllFatNum", {3, 188, 373, 558}, 66, HAlign::Left,
     [](const TNFe &n, int i) { return n.Cobr.Dup[i].nDup; }},
    {"rllFatTituloData", "VENC.", "rllFatData", {70, 255, 440, 625}, 53, HAlign::Right,
     [](const TNFe &n, int i) { return util::FormatDateBr(n.Cobr.Dup[i].dVenc); }},
    {"rllFatTituloValor", "VALOR", "rllFatValor", {125, 310, 495, 680}, 58, HAlign::Right,
     [](const TNFe &n, int i) { return util::FormatFloatBr(n.Cobr.Dup[i].vDup.ToDouble()); }},
};
// Room for 60 instalments; any further one does not print.
constexpr TGrade kDuplicatas = {"rllQuadroDuplicatas", "DUPLICATAS", "rliFatura", {185, 370, 555},
                                kColunasDuplicatas, 60, 1};

constexpr TColunaGrade kColunasPagamentos[] = {
    {"rllPagTituloDescricao", "DESCRIÇÃO", "RLPagDescricao", {5, 192, 377, 562}, 82, HAlign::Left,
     [](const TNFe &n, int i) { return dfe::FormaPagamentoToDescricao(n.pag[i].tPag); }},
    {"rllPagTituloValor", "VALOR", "RLPagValor", {106, 289, 475, 656}, 80, HAlign::Right,
     [](const TNFe &n, int i) { return util::FormatFloatBr(n.pag[i].vPag.ToDouble()); }},
};
// Room for 16 payments; any further one does not print.
constexpr TGrade kPagamentos = {"rllQuadroPagamento", "PAGAMENTO", "rliPagamentoReal", {189, 372, 558},
                                kColunasPagamentos, 16, 0};

// The box of a grid of rows of filled cells (at least one row), and its band.
struct TTamanhoGrade {
    double caixa;
    double banda;
};

TTamanhoGrade TamanhoGrade(int celulas)
{
    int linhas = celulas / kCelulasPorLinha;
    if (celulas % kCelulasPorLinha != 0)
        ++linhas;
    const double caixa = linhas <= 1 ? 27 : 27 + kPassoGrade * (linhas - 1);
    return {caixa, caixa + 17};
}

double TopoCelula(int indice)
{
    return kTopoGrade + kPassoGrade * static_cast<double>(indice / kCelulasPorLinha);
}

// Makes a grid's controls in its band: its title, box and grey strip, the captions of
// each cell of a row, the dividers, then the cells.
TfrlDANFeRLRetrato::TGradeCriada CriarGrade(report::Band &b, const TGrade &grade)
{
    TfrlDANFeRLRetrato::TGradeCriada criada;
    const auto peca = [&b](const dfe::TDadosPeca &p) -> report::Control & { return dfe::CriarPeca(b, p); };
    const auto nome = [](const char *prefixo, int numero) { return std::string(prefixo) + std::to_string(numero); };
    peca(TituloQuadro(grade.nomeTitulo, grade.titulo));
    criada.caixa = &static_cast<report::Box &>(peca(dfe::Caixa(grade.nomeCaixa, 0, kTopoCaixaGrade, 740, 27)));
    const std::string fundo = std::string(grade.nomeCaixa) + "Fundo";
    peca(dfe::Retangulo(dfe::TTipoPeca::Fundo, fundo.c_str(), 1, 14, 738, 11).ComFundo(kFundoLegendas));
    for (int c = 0; c < kCelulasPorLinha; ++c) {
        for (const TColunaGrade &coluna : grade.colunas) {
            const std::string legenda = nome(coluna.nomeLegenda, c + 1);
            peca(dfe::Rotulo(legenda.c_str(), coluna.x[c], 15, coluna.largura, 9, coluna.legenda, {7, true},
                             coluna.alinhamento, tagLegenda));
        }
    }
    for (int d = 0; d < kCelulasPorLinha - 1; ++d) {
        const std::string divisor = nome(grade.nomeCaixa, d + 1);
        criada.divisores.push_back(
            &static_cast<report::Line &>(peca(dfe::LinhaV(divisor.c_str(), grade.divisores[d], kTopoCaixaGrade, 27))));
    }
    criada.colunas.resize(grade.colunas.size());
    for (auto &coluna : criada.colunas)
        coluna.reserve(static_cast<std::size_t>(grade.celulas));
    for (int i = 0; i < grade.celulas; ++i) {
        for (std::size_t c = 0; c < grade.colunas.size(); ++c) {
            const TColunaGrade &coluna = grade.colunas[c];
            const std::string celula = nome(coluna.nome, i + grade.primeira);
            criada.colunas[c].push_back(&static_cast<report::Label &>(
                peca(dfe::Rotulo(celula.c_str(), coluna.x[i % kCelulasPorLinha], TopoCelula(i), coluna.largura, 12,
                                 "", {9}, coluna.alinhamento))));
        }
    }
    return criada;
}

// Fills the first cells of a grid with the document's quantidade items (those it has
// room for) and empties the others; the box and its band take the rows filled.
void PreencherGrade(const TfrlDANFeRLRetrato::TGradeCriada &criada, const TGrade &grade, const TNFe &nfe,
                    int quantidade, report::Band &banda)
{
    for (const auto &coluna : criada.colunas)
        for (report::Label *celula : coluna)
            celula->text.clear();
    const int n = std::min(grade.celulas, quantidade);
    for (int i = 0; i < n; ++i)
        for (std::size_t c = 0; c < grade.colunas.size(); ++c)
            criada.colunas[c][static_cast<std::size_t>(i)]->text = grade.colunas[c].valor(nfe, i);
    const TTamanhoGrade tamanho = TamanhoGrade(n);
    banda.height = tamanho.banda;
    criada.caixa->bounds.setHeight(tamanho.caixa);
    for (report::Line *divisor : criada.divisores)
        divisor->bounds = QRectF(divisor->bounds.left(), criada.caixa->bounds.top(), 1, tamanho.caixa);
}

using TCelula = TCelulaDANFe;

constexpr TCelula kDestinatario[] = {
    CampoDANFe(0, "rllLegDestNome", "NOME / RAZÃO SOCIAL", "rllDestNome", 0, 470,
               [](const TDadosDANFe &d) { return d.nfe.Dest.xNome; }),
    CampoDANFe(0, "rllLegDestCNPJ", "CNPJ / CPF", "rllDestCNPJ", 470, 620,
               [](const TDadosDANFe &d) {
                   return !d.nfe.Dest.idEstrangeiro.empty() ? d.nfe.Dest.idEstrangeiro
                                                            : util::FormatarCNPJouCPF(d.nfe.Dest.CNPJCPF);
               },
               HAlign::Center),
    CampoDANFe(0, "rllLegEmissao", "DATA DA EMISSÃO", "rllEmissao", 620, 740,
               [](const TDadosDANFe &d) { return util::FormatDateBr(d.nfe.Ide.dEmi); }),
    CampoDANFe(1, "rllLegDestEndereco", "ENDEREÇO", "rllDestEndereco", 0, 370,
               [](const TDadosDANFe &d) { return Endereco(d.nfe.Dest.EnderDest, " "); }),
    CampoDANFe(1, "rllLegDestBairro", "BAIRRO / DISTRITO", "rllDestBairro", 370, 530,
               [](const TDadosDANFe &d) { return d.nfe.Dest.EnderDest.xBairro; }),
    CampoDANFe(1, "rllLegDestCEP", "CEP", "rllDestCEP", 530, 620,
               [](const TDadosDANFe &d) { return CEP(d.nfe.Dest.EnderDest.CEP); }, HAlign::Center),
    CampoDANFe(1, "rllLegSaida", "DATA SAÍDA / ENTRADA", "rllSaida", 620, 740,
               [](const TDadosDANFe &d) {
                   return d.nfe.Ide.dSaiEnt == 0 ? std::string() : util::FormatDateBr(d.nfe.Ide.dSaiEnt);
               }),
    CampoDANFe(2, "rllLegDestCidade", "MUNICÍPIO", "rllDestCidade", 0, 290,
               [](const TDadosDANFe &d) { return d.nfe.Dest.EnderDest.xMun; }),
    CampoDANFe(2, "rllLegDestFone", "FONE / FAX", "rllDestFone", 290, 420,
               [](const TDadosDANFe &d) { return util::FormatarFone(d.nfe.Dest.EnderDest.fone); }),
    CampoDANFe(2, "rllLegDestUF", "UF", "rllDestUF", 420, 455,
               [](const TDadosDANFe &d) { return d.nfe.Dest.EnderDest.UF; }),
    CampoDANFe(2, "rllLegDestIE", "INSCRIÇÃO ESTADUAL", "rllDestIE", 455, 620,
               [](const TDadosDANFe &d) { return d.nfe.Dest.IE; }),
    CampoDANFe(2, "rllLegHoraSaida", "HORA DA SAÍDA", "rllHoraSaida", 620, 740, HoraSaida),
};
constexpr const char *kLinhasDestinatario[] = {"rliDestLinha2", "rliDestLinha3"};

// The pick-up and delivery places: '%' is the box's prefix.
using TCelulaLocal = dfe::TCelula<TLocalNFe>;
constexpr TCelulaLocal CampoLocal(int linha, const char *nomeLegenda, const char *legenda, const char *nome,
                                  double x0, double x1, dfe::TValorCelula<TLocalNFe> valor,
                                  HAlign alinhamento = HAlign::Left)
{
    return dfe::Campo<TLocalNFe>(linha, nomeLegenda, legenda, nome, x0, x1, valor, alinhamento);
}
constexpr TCelulaLocal kLocal[] = {
    CampoLocal(0, "rllLeg%Nome", "NOME / RAZÃO SOCIAL", "RLL%Nome", 0, 470,
               [](const TLocalNFe &l) { return l.xNome; }),
    CampoLocal(0, "rllLeg%Documento", "CNPJ / CPF", "RLL%Documento", 470, 620,
               [](const TLocalNFe &l) { return util::FormatarCNPJouCPF(l.CNPJCPF); }, HAlign::Center),
    CampoLocal(0, "rllLeg%IE", "INSCRIÇÃO ESTADUAL", "RLL%IE", 620, 740, [](const TLocalNFe &l) { return l.IE; }),
    CampoLocal(1, "rllLeg%Endereco", "ENDEREÇO", "RLL%Endereco", 0, 370,
               [](const TLocalNFe &l) { return Endereco(l, " - "); }),
    CampoLocal(1, "rllLeg%Bairro", "BAIRRO / DISTRITO", "RLL%Bairro", 370, 620,
               [](const TLocalNFe &l) { return l.xBairro; }),
    CampoLocal(1, "rllLeg%CEP", "CEP", "RLL%CEP", 620, 740, [](const TLocalNFe &l) { return CEP(l.CEP); }),
    CampoLocal(2, "rllLeg%Municipio", "MUNICÍPIO", "RLL%Municipio", 0, 420, [](const TLocalNFe &l) { return l.xMun; }),
    CampoLocal(2, "rllLeg%UF", "UF", "RLL%UF", 420, 470, [](const TLocalNFe &l) { return l.UF; }),
    CampoLocal(2, "rllLeg%Telefone", "TELEFONE / FAX", "RLL%Telefone", 470, 740,
               [](const TLocalNFe &l) { return util::FormatarFone(l.fone); }),
};
constexpr const char *kLinhasLocal[] = {"RLL%Linha2", "RLL%Linha3"};

// The invoice: one row of cells without dividers, the payment cell's caption narrower
// than its value. Without an invoice number the other cells stay empty.
constexpr TCelula CelulaFatura(const char *nomeLegenda, const char *legenda, const char *nome, double x,
                               double largura, dfe::TValorCelula<TDadosDANFe> valor)
{
    TCelula c;
    c.x0 = x;
    c.x1 = x + largura;
    c.nomeLegenda = nomeLegenda;
    c.legenda = legenda;
    c.xLegenda = x;
    c.larguraLegenda = largura;
    c.nome = nome;
    c.xValor = x;
    c.larguraValor = largura;
    c.valor = valor;
    return c;
}
std::string ValorFatura(const TDadosDANFe &d, const rtl::Currency &valor)
{
    return d.nfe.Cobr.Fat.nFat.empty() ? std::string() : util::FormatFloatBr(valor.ToDouble());
}
constexpr TCelula kFatura[] = {
    [] {
        TCelula c = CelulaFatura("RLLabelPag", "PAGAMENTO", "RlbDadoPagamento", 3, 255, nullptr);
        c.larguraLegenda = 250;
        return c;
    }(),
    CelulaFatura("RLLabelNUmero", "NÚMERO", "RlbDadoNumero", 264, 170,
                 [](const TDadosDANFe &d) { return d.nfe.Cobr.Fat.nFat; }),
    CelulaFatura("RLLabelValor", "VALOR ORIGINAL", "RlbDadoValorOriginal", 439, 98,
                 [](const TDadosDANFe &d) { return ValorFatura(d, d.nfe.Cobr.Fat.vOrig); }),
    CelulaFatura("RLLabelDupl", "VALOR DESCONTO", "RlbDadoValorDesconto", 541, 107,
                 [](const TDadosDANFe &d) { return ValorFatura(d, d.nfe.Cobr.Fat.vDesc); }),
    CelulaFatura("RLLabelLIQ", "VALOR LÍQUIDO", "RlbDadoValorLiquido", 652, 84,
                 [](const TDadosDANFe &d) { return ValorFatura(d, d.nfe.Cobr.Fat.vLiq); }),
};

} // namespace

// ---- Construction --------------------------------------------------------------------------

report::Label &TfrlDANFeRLRetrato::CriarTituloQuadro(report::Band &banda, const char *nome, const char *texto)
{
    return static_cast<report::Label &>(dfe::CriarPeca(banda, TituloQuadro(nome, texto)));
}

void TfrlDANFeRLRetrato::CriarDestinatario()
{
    // Recipient: the box starts 1 pixel below its title and its rows 1 pixel below its top.
    {
        report::Band &b = *rlbDestinatario;
        CriarTituloQuadro(b, "rllQuadroDestinatario", "DESTINATÁRIO / REMETENTE");
        dfe::TCaixaCampos &caixa = NovaCaixa(b, dfe::CriarCaixa(b, "rliDestinatario", QRectF(0, 13, 740, 92)));
        caixa.inicioLinhas = 1;
        caixa.bordaExtra = 2;
        dfe::CriarCelulas<TDadosDANFe>(caixa, EstiloCaixaDANFe(kLinhasDestinatario), kDestinatario);
        FCaixaDestinatario = &caixa;
    }

    FCaixaRetirada = &CriarQuadroLocal(*rlbRetirada, "INFORMAÇÕES DO LOCAL DE RETIRADA", "quadroRetirada",
                                       "RLLquadroRetiradaCEP");
    FCaixaEntrega = &CriarQuadroLocal(*rlbEntrega, "INFORMAÇÕES DO LOCAL DE ENTREGA", "quadroEntrega",
                                      "RLLquadroEntregaCep");

    // Invoice: one row of cells in its frame.
    {
        report::Band &b = *rlbFaturaReal;
        const dfe::TPecasCriadas moldura = dfe::CriarPecas<TDadosDANFe>(b, kMolduraFatura);
        rliFaturaReal = &moldura.De<report::Box>("rliFaturaReal");
        rliFaturaRealDivisao = &moldura.De<report::Line>("rliFaturaRealDivisao");
        dfe::TCaixaCampos &caixa = NovaCaixa(b, *rliFaturaReal);
        dfe::TEstiloCaixa estilo = EstiloCaixaDANFe();
        estilo.porTipo = true;
        dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kFatura);
        FCaixaFatura = &caixa;
        RLLabelPag = &caixa.LegendaDe("RLLabelPag");
        RlbDadoPagamento = &caixa.ValorDe("RlbDadoPagamento");
    }

    // Instalments: cells of number, due date and value; the first number as wide as it is.
    FDuplicatas = CriarGrade(*rlbFatura, kDuplicatas);
    FDuplicatas.colunas.front().front()->autoWidth = true;
    // Payments: cells of description and value.
    FPagamentos = CriarGrade(*rlbPagamentoReal, kPagamentos);
}

dfe::TCaixaCampos &TfrlDANFeRLRetrato::CriarQuadroLocal(report::Band &b, const char *titulo, const char *prefixo,
                                                       const char *nomeCEP)
{
    const std::string p = std::string("RLL") + prefixo;
    CriarTituloQuadro(b, (p + "Titulo").c_str(), titulo);
    dfe::TCaixaCampos &caixa = NovaCaixa(b, dfe::CriarCaixa(b, p + "Caixa", QRectF(0, 13, 740, 91)));
    dfe::CriarCelulas<TLocalNFe>(caixa, EstiloCaixaDANFe(kLinhasLocal), kLocal, prefixo);
    // The delivery box's CEP has a name of its own.
    const std::string cep = p + "CEP";
    if (cep != nomeCEP) {
        report::Line &divisor = caixa.DivisorDe("rliDiv_" + cep);
        caixa.ValorDe(cep).name = nomeCEP;
        divisor.name = std::string("rliDiv_") + nomeCEP;
    }
    return caixa;
}

// ---- Preparation ---------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararDestinatario()
{
    dfe::PreencherCelulas(*FCaixaDestinatario, kDestinatario, Dados());
}

void TfrlDANFeRLRetrato::PrepararLocais()
{
    const TNFe &nfe = NFe();
    rlbEntrega->visible = !nfe.Entrega.xLgr.empty();
    if (rlbEntrega->visible)
        dfe::PreencherCelulas<TLocalNFe>(*FCaixaEntrega, kLocal, nfe.Entrega);
    rlbRetirada->visible = !nfe.Retirada.xLgr.empty();
    if (rlbRetirada->visible)
        dfe::PreencherCelulas<TLocalNFe>(*FCaixaRetirada, kLocal, nfe.Retirada);
}

void TfrlDANFeRLRetrato::PrepararFaturaPagamentos()
{
    PrepararFatura();
    PrepararDuplicatas();
    PrepararPagamentos();
}

void TfrlDANFeRLRetrato::PrepararFatura()
{
    const TNFe &nfe = NFe();
    const TFat &fat = nfe.Cobr.Fat;
    const bool comNumero = !fat.nFat.empty();
    rlbFaturaReal->visible = DANFe().ExibeCampoFatura();
    if (nfe.infNFe.GetVersao() >= 4.0) {
        RLLabelPag->text.clear();
        RlbDadoPagamento->text = "DADOS DA FATURA";
        rlbFaturaReal->visible = rlbFaturaReal->visible && comNumero;
    } else {
        // Without a payment indicator the cell stays empty rather than show a placeholder.
        switch (nfe.Ide.indPag) {
        case dfe::ipVista: RlbDadoPagamento->text = "PAGAMENTO A VISTA"; break;
        case dfe::ipPrazo: RlbDadoPagamento->text = "PAGAMENTO A PRAZO"; break;
        case dfe::ipOutras:
            RlbDadoPagamento->text = "OUTROS";
            rlbFaturaReal->visible = rlbFaturaReal->visible && comNumero;
            break;
        case dfe::ipNenhum: RlbDadoPagamento->text.clear(); break;
        }
    }

    // Without an invoice number only the payment cell shows.
    for (std::size_t i = 1; i < std::size(kFatura); ++i)
        FCaixaFatura->celulas[i].legenda->text = comNumero ? kFatura[i].legenda : "";
    dfe::PreencherCelulas(*FCaixaFatura, kFatura, Dados());

    // The values sit on the row's bottom line, but never above the divider under the
    // captions (a low row would put them there).
    const double abaixoDivisao = rliFaturaRealDivisao->bounds.top() + 1;
    for (report::Control *valor : FCaixaFatura->linhas.front().valores)
        if (valor->bounds.top() < abaixoDivisao)
            valor->bounds.moveTop(abaixoDivisao);
    const double fundo = std::max(rliFaturaReal->bounds.bottom(), RlbDadoPagamento->bounds.bottom() + 1);
    rliFaturaReal->bounds.setBottom(fundo);
    rlbFaturaReal->height = std::max(rlbFaturaReal->height, fundo + 2);
}

void TfrlDANFeRLRetrato::PrepararDuplicatas()
{
    const int n = NFe().Cobr.Dup.Count();
    rlbFatura->visible = n > 0;
    PreencherGrade(FDuplicatas, kDuplicatas, NFe(), n, *rlbFatura);
}

void TfrlDANFeRLRetrato::PrepararPagamentos()
{
    const int n = NFe().pag.Count();
    rlbPagamentoReal->visible = DANFe().ExibeCampoDePagamento() == eipQuadro && n > 0;
    PreencherGrade(FPagamentos, kPagamentos, NFe(), n, *rlbPagamentoReal);
}

} // namespace nfe

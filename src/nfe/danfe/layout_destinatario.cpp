// The title bands of page 1 between the header and the tax totals: recipient, pick-up
// and delivery places, invoice, instalments grid and payments grid.

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "nfe/codes.h"

#include "dfe/codes.h"
#include "rtl/datetime.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace nfe {

namespace {

using report::HAlign;

const QColor kFundoLegendas(0xE0, 0xE0, 0xE0);

// The grids: four cells to a row, 13 pixels from one row to the next, the first row 26
// pixels below the band's top, the box 13 pixels below it.
constexpr int kCelulasPorLinha = 4;
constexpr double kPassoGrade = 13;
constexpr double kTopoGrade = 26;
constexpr double kTopoCaixaGrade = 13;
constexpr int kMaxDuplicatas = 60;
constexpr int kMaxPagamentos = 16;
constexpr double kEsquerdaDuplicata[kCelulasPorLinha] = {3, 188, 373, 558};
constexpr double kEsquerdaPagDescricao[kCelulasPorLinha] = {5, 192, 377, 562};
constexpr double kEsquerdaPagValor[kCelulasPorLinha] = {106, 289, 475, 656};

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
    return dfe::CriarRotulo(banda, nome, QRectF(1, 1, 400, 11), texto, dfe::CriarFonte(8, true), HAlign::Left, tagTituloCaixa);
}

void TfrlDANFeRLRetrato::CriarDestinatario()
{
    // A grid's frame: its title, its box and the grey strip of the column captions.
    const auto moldura = [this](report::Band &b, const char *nomeTitulo, const char *titulo,
                                const std::string &caixa) -> report::Box & {
        CriarTituloQuadro(b, nomeTitulo, titulo);
        report::Box &box = dfe::CriarCaixa(b, caixa, QRectF(0, kTopoCaixaGrade, 740, 27));
        report::Box &fundo = dfe::CriarCaixa(b, caixa + "Fundo", QRectF(1, 14, 738, 11));
        fundo.penWidth = 0;
        fundo.fill = kFundoLegendas;
        return box;
    };
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

    // Invoice: one row, its captions on a grey strip above a divider, the values under it.
    {
        report::Band &b = *rlbFaturaReal;
        CriarTituloQuadro(b, "rllQuadroFatura", "FATURA");
        rliFaturaReal = &dfe::CriarCaixa(b, "rliFaturaReal", QRectF(0, 13, 740, 31));
        report::Box &fundo = dfe::CriarCaixa(b, "rliFaturaRealFundo", QRectF(1, 14, 738, 11));
        fundo.penWidth = 0;
        fundo.fill = kFundoLegendas;
        rliFaturaRealDivisao = &dfe::CriarLinhaH(b, "rliFaturaRealDivisao", 0, 25, 740);
        dfe::TCaixaCampos &caixa = NovaCaixa(b, *rliFaturaReal);
        dfe::TEstiloCaixa estilo = EstiloCaixaDANFe();
        estilo.porTipo = true;
        dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kFatura);
        FCaixaFatura = &caixa;
        RLLabelPag = &caixa.LegendaDe("RLLabelPag");
        RlbDadoPagamento = &caixa.ValorDe("RlbDadoPagamento");
    }

    // Instalments: 60 cells of number, due date and value.
    {
        report::Band &b = *rlbFatura;
        rliFatura = &moldura(b, "rllQuadroDuplicatas", "DUPLICATAS", "rliFatura");
        const report::Font legenda = dfe::CriarFonte(7, true);
        for (int c = 0; c < kCelulasPorLinha; ++c) {
            const double x = kEsquerdaDuplicata[c];
            const std::string n = std::to_string(c + 1);
            dfe::CriarRotulo(b, "rllFatTituloNum" + n, QRectF(x, 15, 66, 9), "Nº DUPLICATA", legenda, HAlign::Left,
                        tagLegenda);
            dfe::CriarRotulo(b, "rllFatTituloData" + n, QRectF(x + 67, 15, 53, 9), "VENC.", legenda, HAlign::Right,
                        tagLegenda);
            dfe::CriarRotulo(b, "rllFatTituloValor" + n, QRectF(x + 122, 15, 58, 9), "VALOR", legenda, HAlign::Right,
                        tagLegenda);
        }
        rliFatura1 = &dfe::CriarLinhaV(b, "rliFatura1", 185, kTopoCaixaGrade, 27);
        rliFatura2 = &dfe::CriarLinhaV(b, "rliFatura2", 370, kTopoCaixaGrade, 27);
        rliFatura3 = &dfe::CriarLinhaV(b, "rliFatura3", 555, kTopoCaixaGrade, 27);
        const report::Font celula = dfe::CriarFonte(9);
        rllFatNum.reserve(kMaxDuplicatas);
        rllFatData.reserve(kMaxDuplicatas);
        rllFatValor.reserve(kMaxDuplicatas);
        for (int i = 0; i < kMaxDuplicatas; ++i) {
            const double x = kEsquerdaDuplicata[i % kCelulasPorLinha];
            const double y = TopoCelula(i);
            const std::string n = std::to_string(i + 1);
            rllFatNum.push_back(&dfe::CriarRotulo(b, "rllFatNum" + n, QRectF(x, y, 66, 12), "", celula));
            rllFatData.push_back(
                &dfe::CriarRotulo(b, "rllFatData" + n, QRectF(x + 67, y, 53, 12), "", celula, HAlign::Right));
            rllFatValor.push_back(
                &dfe::CriarRotulo(b, "rllFatValor" + n, QRectF(x + 122, y, 58, 12), "", celula, HAlign::Right));
        }
        rllFatNum.front()->autoWidth = true;
    }

    // Payments: 16 cells of description and value.
    {
        report::Band &b = *rlbPagamentoReal;
        rliPagamentoReal = &moldura(b, "rllQuadroPagamento", "PAGAMENTO", "rliPagamentoReal");
        const report::Font legenda = dfe::CriarFonte(7, true);
        for (int c = 0; c < kCelulasPorLinha; ++c) {
            const std::string n = std::to_string(c + 1);
            dfe::CriarRotulo(b, "rllPagTituloDescricao" + n, QRectF(kEsquerdaPagDescricao[c], 15, 82, 9), "DESCRIÇÃO",
                        legenda, HAlign::Left, tagLegenda);
            dfe::CriarRotulo(b, "rllPagTituloValor" + n, QRectF(kEsquerdaPagValor[c], 15, 80, 9), "VALOR", legenda,
                        HAlign::Right, tagLegenda);
        }
        rliPagamentoReal1 = &dfe::CriarLinhaV(b, "rliPagamentoReal1", 189, kTopoCaixaGrade, 27);
        rliPagamentoReal2 = &dfe::CriarLinhaV(b, "rliPagamentoReal2", 372, kTopoCaixaGrade, 27);
        rliPagamentoReal3 = &dfe::CriarLinhaV(b, "rliPagamentoReal3", 558, kTopoCaixaGrade, 27);
        const report::Font celula = dfe::CriarFonte(9);
        RLPagDescricao.reserve(kMaxPagamentos);
        RLPagValor.reserve(kMaxPagamentos);
        for (int i = 0; i < kMaxPagamentos; ++i) {
            const int c = i % kCelulasPorLinha;
            const double y = TopoCelula(i);
            const std::string n = std::to_string(i);
            RLPagDescricao.push_back(
                &dfe::CriarRotulo(b, "RLPagDescricao" + n, QRectF(kEsquerdaPagDescricao[c], y, 82, 12), "", celula));
            RLPagValor.push_back(&dfe::CriarRotulo(b, "RLPagValor" + n, QRectF(kEsquerdaPagValor[c], y, 80, 12), "",
                                              celula, HAlign::Right));
        }
    }
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
    const TDupCollection &duplicatas = NFe().Cobr.Dup;
    rlbFatura->visible = duplicatas.Count() > 0;
    for (int i = 0; i < kMaxDuplicatas; ++i) {
        rllFatNum[i]->text.clear();
        rllFatData[i]->text.clear();
        rllFatValor[i]->text.clear();
    }
    // The grid has room for 60; any further instalment does not print.
    const int n = std::min(kMaxDuplicatas, duplicatas.Count());
    for (int i = 0; i < n; ++i) {
        const TDupCollectionItem &dup = duplicatas[i];
        rllFatNum[i]->text = dup.nDup;
        rllFatData[i]->text = util::FormatDateBr(dup.dVenc);
        rllFatValor[i]->text = util::FormatFloatBr(dup.vDup.ToDouble());
    }
    const TTamanhoGrade tamanho = TamanhoGrade(n);
    rlbFatura->height = tamanho.banda;
    rliFatura->bounds.setHeight(tamanho.caixa);
    for (report::Line *divisor : {rliFatura1, rliFatura2, rliFatura3})
        divisor->bounds = QRectF(divisor->bounds.left(), rliFatura->bounds.top(), 1, tamanho.caixa);
}

void TfrlDANFeRLRetrato::PrepararPagamentos()
{
    const TpagCollection &pagamentos = NFe().pag;
    rlbPagamentoReal->visible = DANFe().ExibeCampoDePagamento() == eipQuadro && pagamentos.Count() > 0;
    for (int i = 0; i < kMaxPagamentos; ++i) {
        RLPagDescricao[i]->text.clear();
        RLPagValor[i]->text.clear();
    }
    // The grid has room for 16; any further payment does not print.
    const int n = std::min(kMaxPagamentos, pagamentos.Count());
    for (int i = 0; i < n; ++i) {
        RLPagDescricao[i]->text = dfe::FormaPagamentoToDescricao(pagamentos[i].tPag);
        RLPagValor[i]->text = util::FormatFloatBr(pagamentos[i].vPag.ToDouble());
    }
    const TTamanhoGrade tamanho = TamanhoGrade(n);
    rlbPagamentoReal->height = tamanho.banda;
    rliPagamentoReal->bounds.setHeight(tamanho.caixa);
    for (report::Line *divisor : {rliPagamentoReal1, rliPagamentoReal2, rliPagamentoReal3})
        divisor->bounds = QRectF(divisor->bounds.left(), rliPagamentoReal->bounds.top(), 1, tamanho.caixa);
}

} // namespace nfe

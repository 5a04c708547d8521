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

} // namespace

// ---- Construction --------------------------------------------------------------------------

report::Label &TfrlDANFeRLRetrato::CriarTituloQuadro(report::Band &banda, const char *nome, const char *texto)
{
    return dfe::CriarRotulo(banda, nome, QRectF(1, 1, 400, 11), texto, dfe::CriarFonte(8, true), HAlign::Left, tagTituloCaixa);
}

report::Label &TfrlDANFeRLRetrato::CriarCampo(report::Band &banda, TLinhaCampos &linha, const char *nomeLegenda,
                                              const char *legenda, const char *nomeValor, double x0, double x1,
                                              HAlign alinhamento, double alturaValor)
{
    const double largura = x1 - x0;
    report::Label &rotulo =
        dfe::CriarRotulo(banda, nomeLegenda, QRectF(x0 + 3, 0, largura - 6, 9), legenda, dfe::CriarFonte(7), HAlign::Left,
                    tagLegenda);
    linha.legendas.push_back(&rotulo);
    report::Label &valor = dfe::CriarRotulo(banda, nomeValor, QRectF(x0 + 5, 0, largura - 10, alturaValor), "",
                                       dfe::CriarFonte(11), alinhamento, tagValorCampo);
    valor.verticalAlign = report::VAlign::Bottom;
    linha.valores.push_back(&valor);
    if (x0 > 0)
        linha.divisores.push_back(&dfe::CriarLinhaV(banda, std::string("rliDiv_") + nomeValor, x0, 0, 31));
    return valor;
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
        rliDestinatario = &dfe::CriarCaixa(b, "rliDestinatario", QRectF(0, 13, 740, 92));
        TCaixaCampos &caixa = NovaCaixa(b, *rliDestinatario);
        caixa.inicioLinhas = 1;
        caixa.bordaExtra = 2;
        TLinhaCampos &l1 = caixa.linhas.emplace_back();
        rllDestNome = &CriarCampo(b, l1, "rllLegDestNome", "NOME / RAZÃO SOCIAL", "rllDestNome", 0, 470);
        rllDestCNPJ = &CriarCampo(b, l1, "rllLegDestCNPJ", "CNPJ / CPF", "rllDestCNPJ", 470, 620, HAlign::Center);
        rllEmissao = &CriarCampo(b, l1, "rllLegEmissao", "DATA DA EMISSÃO", "rllEmissao", 620, 740);
        TLinhaCampos &l2 = caixa.linhas.emplace_back();
        l2.linhaSuperior = &dfe::CriarLinhaH(b, "rliDestLinha2", 0, 0, 740);
        rllDestEndereco = &CriarCampo(b, l2, "rllLegDestEndereco", "ENDEREÇO", "rllDestEndereco", 0, 370);
        rllDestBairro = &CriarCampo(b, l2, "rllLegDestBairro", "BAIRRO / DISTRITO", "rllDestBairro", 370, 530);
        rllDestCEP = &CriarCampo(b, l2, "rllLegDestCEP", "CEP", "rllDestCEP", 530, 620, HAlign::Center);
        rllSaida = &CriarCampo(b, l2, "rllLegSaida", "DATA SAÍDA / ENTRADA", "rllSaida", 620, 740);
        TLinhaCampos &l3 = caixa.linhas.emplace_back();
        l3.linhaSuperior = &dfe::CriarLinhaH(b, "rliDestLinha3", 0, 0, 740);
        rllDestCidade = &CriarCampo(b, l3, "rllLegDestCidade", "MUNICÍPIO", "rllDestCidade", 0, 290);
        rllDestFone = &CriarCampo(b, l3, "rllLegDestFone", "FONE / FAX", "rllDestFone", 290, 420);
        rllDestUF = &CriarCampo(b, l3, "rllLegDestUF", "UF", "rllDestUF", 420, 455);
        rllDestIE = &CriarCampo(b, l3, "rllLegDestIE", "INSCRIÇÃO ESTADUAL", "rllDestIE", 455, 620);
        rllHoraSaida = &CriarCampo(b, l3, "rllLegHoraSaida", "HORA DA SAÍDA", "rllHoraSaida", 620, 740);
    }

    CriarQuadroLocal(*rlbRetirada, "INFORMAÇÕES DO LOCAL DE RETIRADA", "RLLquadroRetirada", "RLLquadroRetiradaCEP",
                     quadroRetirada);
    CriarQuadroLocal(*rlbEntrega, "INFORMAÇÕES DO LOCAL DE ENTREGA", "RLLquadroEntrega", "RLLquadroEntregaCep",
                     quadroEntrega);

    // Invoice: one row, its captions on a grey strip above a divider, the values under it.
    {
        report::Band &b = *rlbFaturaReal;
        CriarTituloQuadro(b, "rllQuadroFatura", "FATURA");
        rliFaturaReal = &dfe::CriarCaixa(b, "rliFaturaReal", QRectF(0, 13, 740, 31));
        rliFaturaRealFundo = &dfe::CriarCaixa(b, "rliFaturaRealFundo", QRectF(1, 14, 738, 11));
        rliFaturaRealFundo->penWidth = 0;
        rliFaturaRealFundo->fill = kFundoLegendas;
        rliFaturaRealDivisao = &dfe::CriarLinhaH(b, "rliFaturaRealDivisao", 0, 25, 740);
        TCaixaCampos &caixa = NovaCaixa(b, *rliFaturaReal);
        TLinhaCampos &linha = caixa.linhas.emplace_back();
        const auto legenda = [&](const char *nome, const char *texto, double x, double largura) {
            report::Label &r = dfe::CriarRotulo(b, nome, QRectF(x, 0, largura, 9), texto, dfe::CriarFonte(7), HAlign::Left,
                                           tagLegenda);
            linha.legendas.push_back(&r);
            return &r;
        };
        const auto valor = [&](const char *nome, double x, double largura) {
            report::Label &r = dfe::CriarRotulo(b, nome, QRectF(x, 0, largura, 13), "", dfe::CriarFonte(11), HAlign::Left,
                                           tagValorCampo);
            r.verticalAlign = report::VAlign::Bottom;
            linha.valores.push_back(&r);
            return &r;
        };
        RLLabelPag = legenda("RLLabelPag", "PAGAMENTO", 3, 250);
        RLLabelNUmero = legenda("RLLabelNUmero", "NÚMERO", 264, 170);
        RLLabelValor = legenda("RLLabelValor", "VALOR ORIGINAL", 439, 98);
        RLLabelDupl = legenda("RLLabelDupl", "VALOR DESCONTO", 541, 107);
        RLLabelLIQ = legenda("RLLabelLIQ", "VALOR LÍQUIDO", 652, 84);
        RlbDadoPagamento = valor("RlbDadoPagamento", 3, 255);
        RlbDadoNumero = valor("RlbDadoNumero", 264, 170);
        RlbDadoValorOriginal = valor("RlbDadoValorOriginal", 439, 98);
        RlbDadoValorDesconto = valor("RlbDadoValorDesconto", 541, 107);
        RlbDadoValorLiquido = valor("RlbDadoValorLiquido", 652, 84);
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

void TfrlDANFeRLRetrato::CriarQuadroLocal(report::Band &b, const char *titulo, const char *prefixo,
                                          const char *nomeCEP, TQuadroLocal &quadro)
{
    const std::string p = prefixo;
    const auto nome = [&p](const char *campo) { return p + campo; };
    const auto legenda = [&p](const char *campo) { return "rllLeg" + p.substr(3) + campo; };

    CriarTituloQuadro(b, nome("Titulo").c_str(), titulo);
    quadro.caixa = &dfe::CriarCaixa(b, nome("Caixa"), QRectF(0, 13, 740, 91));
    TCaixaCampos &caixa = NovaCaixa(b, *quadro.caixa);
    const auto campo = [&](TLinhaCampos &linha, const char *sufixo, const char *texto, const std::string &valor,
                           double x0, double x1, HAlign alinhamento = HAlign::Left) {
        return &CriarCampo(b, linha, legenda(sufixo).c_str(), texto, valor.c_str(), x0, x1, alinhamento);
    };
    TLinhaCampos &l1 = caixa.linhas.emplace_back();
    quadro.Nome = campo(l1, "Nome", "NOME / RAZÃO SOCIAL", nome("Nome"), 0, 470);
    quadro.Documento = campo(l1, "Documento", "CNPJ / CPF", nome("Documento"), 470, 620, HAlign::Center);
    quadro.IE = campo(l1, "IE", "INSCRIÇÃO ESTADUAL", nome("IE"), 620, 740);
    TLinhaCampos &l2 = caixa.linhas.emplace_back();
    l2.linhaSuperior = &dfe::CriarLinhaH(b, nome("Linha2"), 0, 0, 740);
    quadro.Endereco = campo(l2, "Endereco", "ENDEREÇO", nome("Endereco"), 0, 370);
    quadro.Bairro = campo(l2, "Bairro", "BAIRRO / DISTRITO", nome("Bairro"), 370, 620);
    quadro.CEP = campo(l2, "CEP", "CEP", nomeCEP, 620, 740);
    TLinhaCampos &l3 = caixa.linhas.emplace_back();
    l3.linhaSuperior = &dfe::CriarLinhaH(b, nome("Linha3"), 0, 0, 740);
    quadro.Municipio = campo(l3, "Municipio", "MUNICÍPIO", nome("Municipio"), 0, 420);
    quadro.UF = campo(l3, "UF", "UF", nome("UF"), 420, 470);
    quadro.Telefone = campo(l3, "Telefone", "TELEFONE / FAX", nome("Telefone"), 470, 740);
}

// ---- Preparation ---------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararDestinatario()
{
    const TNFe &nfe = NFe();
    const TDest &dest = nfe.Dest;
    const TenderDest &ender = dest.EnderDest;
    rllDestCNPJ->text = !dest.idEstrangeiro.empty() ? dest.idEstrangeiro : util::FormatarCNPJouCPF(dest.CNPJCPF);
    rllDestIE->text = dest.IE;
    rllDestNome->text = dest.xNome;
    rllDestEndereco->text = Endereco(ender, " ");
    rllDestBairro->text = ender.xBairro;
    rllDestCidade->text = ender.xMun;
    rllDestUF->text = ender.UF;
    rllDestCEP->text = CEP(ender.CEP);
    rllDestFone->text = util::FormatarFone(ender.fone);

    const TIde &ide = nfe.Ide;
    rllEmissao->text = util::FormatDateBr(ide.dEmi);
    rllSaida->text = ide.dSaiEnt == 0 ? std::string() : util::FormatDateBr(ide.dSaiEnt);
    // The exit time follows the user's own time format.
    bool ok = false;
    if (DblToVersaoDF(ok, nfe.infNFe.GetVersao()) == ve200)
        rllHoraSaida->text = ide.hSaiEnt == 0 ? std::string() : rtl::TimeToStr(ide.hSaiEnt);
    else
        rllHoraSaida->text = rtl::TimeOf(ide.dSaiEnt) == 0 ? std::string() : rtl::TimeToStr(ide.dSaiEnt);
}

void TfrlDANFeRLRetrato::PrepararLocais()
{
    const TNFe &nfe = NFe();
    rlbEntrega->visible = !nfe.Entrega.xLgr.empty();
    if (rlbEntrega->visible)
        PreencherQuadroLocal(nfe.Entrega, quadroEntrega);
    rlbRetirada->visible = !nfe.Retirada.xLgr.empty();
    if (rlbRetirada->visible)
        PreencherQuadroLocal(nfe.Retirada, quadroRetirada);
}

void TfrlDANFeRLRetrato::PreencherQuadroLocal(const TLocalNFe &local, TQuadroLocal &quadro)
{
    quadro.Nome->text = local.xNome;
    quadro.Documento->text = util::FormatarCNPJouCPF(local.CNPJCPF);
    quadro.IE->text = local.IE;
    quadro.Endereco->text = Endereco(local, " - ");
    quadro.Bairro->text = local.xBairro;
    quadro.CEP->text = CEP(local.CEP);
    quadro.Municipio->text = local.xMun;
    quadro.UF->text = local.UF;
    quadro.Telefone->text = util::FormatarFone(local.fone);
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

    report::Label *const legendas[] = {RLLabelNUmero, RLLabelValor, RLLabelDupl, RLLabelLIQ};
    report::Label *const valores[] = {RlbDadoNumero, RlbDadoValorOriginal, RlbDadoValorDesconto,
                                      RlbDadoValorLiquido};
    if (comNumero) {
        const char *const textos[] = {"NÚMERO", "VALOR ORIGINAL", "VALOR DESCONTO", "VALOR LÍQUIDO"};
        constexpr double esquerdas[] = {264, 439, 541, 652};
        for (int i = 0; i < 4; ++i) {
            legendas[i]->text = textos[i];
            legendas[i]->bounds.moveLeft(esquerdas[i]);
            valores[i]->bounds.moveLeft(esquerdas[i]);
        }
        RlbDadoNumero->text = fat.nFat;
        RlbDadoValorOriginal->text = util::FormatFloatBr(fat.vOrig.ToDouble());
        RlbDadoValorDesconto->text = util::FormatFloatBr(fat.vDesc.ToDouble());
        RlbDadoValorLiquido->text = util::FormatFloatBr(fat.vLiq.ToDouble());
    } else {
        for (int i = 0; i < 4; ++i) {
            legendas[i]->text.clear();
            valores[i]->text.clear();
        }
    }

    // The values sit on the row's bottom line, but never above the divider under the
    // captions (a low row would put them there).
    const double abaixoDivisao = rliFaturaRealDivisao->bounds.top() + 1;
    for (report::Label *valor : {RlbDadoPagamento, RlbDadoNumero, RlbDadoValorOriginal, RlbDadoValorDesconto,
                                 RlbDadoValorLiquido})
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

// What the service costs and its taxes, the complemented CT-e, dangerous goods, the
// CT-e OS service, new vehicles and the trip insurance.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/codes_tax.h"
#include "dfe/report/layout_construcao.h"
#include "util/toolbox.h"

#include <algorithm>
#include <array>
#include <string>

namespace cte {

namespace {

using report::HAlign;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

std::string Valor(util::TFormatMask mascara, const rtl::Currency &valor)
{
    return util::FormatFloatBr(mascara, valor.ToDouble());
}

void Acrescentar(report::Memo &memo, const std::string &linha)
{
    if (!memo.text.empty())
        memo.text += "\r\n";
    memo.text += linha;
}

int ContarLinhas(const report::Memo &memo)
{
    if (memo.text.empty())
        return 0;
    return 1 + static_cast<int>(std::count(memo.text.begin(), memo.text.end(), '\n'));
}

// A boxed column: its caption on the caption row, its memo under it.
report::Memo &Coluna(report::Band &banda, const char *legenda, const char *nome, double x, double largura,
                     double yLegenda, double yMemo, double alturaMemo, HAlign alinhamento = HAlign::Left)
{
    dfe::CriarRotulo(banda, std::string("rllTit_") + nome, QRectF(x + 2, yLegenda, largura - 4, 9), legenda, Times(7),
                     alinhamento == HAlign::Center ? HAlign::Center : HAlign::Left);
    return dfe::CriarMemo(banda, nome, QRectF(x + 2, yMemo, largura - 4, alturaMemo), Times(9), alinhamento);
}

void Titulo(report::Band &banda, const char *nome, const char *texto)
{
    dfe::CriarRotulo(banda, nome, QRectF(3, 2, 736, 10), texto, Times(8, true), HAlign::Center);
    dfe::CriarLinhaH(banda, std::string(nome) + "_Linha", 0, 13, 742);
}

// The ICMS columns of the values band: caption, value, and the line on their left.
struct TColunaICMS {
    const char *legenda;
    const char *nome;
    double x, largura;
};
constexpr TColunaICMS kICMS[] = {
    {"SITUAÇÃO TRIBUTÁRIA", "rllSitTrib", 0, 250},  {"BASE DE CÁLCULO", "rllBaseCalc", 250, 130},
    {"ALÍQ. ICMS", "rllAliqICMS", 380, 90},         {"VALOR ICMS", "rllVlrICMS", 470, 116},
    {"% RED.BC.CALC.", "rllRedBaseCalc", 586, 64},  {"ICMS ST", "rllICMS_ST", 650, 92},
};
constexpr double kTopoICMS = 89;

// The vehicles' memos as designed: room for two.
constexpr double kAlturaVeiculos = 27;

constexpr const char *kTributosFederais[][2] = {
    {"VALOR DO PIS", "rllPIS"},   {"VALOR COFINS", "rllCOFINS"}, {"VALOR DO IMPOSTO DE RENDA", "rllIR"},
    {"VALOR DO INSS", "rllINSS"}, {"VALOR DO CSLL", "rllCSLL"},
};

} // namespace

void TfrmDACTeRLRetrato::CriarValores()
{
    report::Band &b = *rlb_06_ValorPrestacao;
    Titulo(b, "rllTituloComponentes", "COMPONENTES DO VALOR DA PRESTAÇÃO DE SERVIÇO");
    // Three pairs of name and value; four lines each.
    for (int i = 0; i < 3; ++i) {
        const double x = i * 186;
        const std::string n = std::to_string(i + 1);
        if (i > 0)
            dfe::CriarLinhaV(b, "rlsLinhaV_Comp" + n, x, 13, 63);
        dfe::CriarRotulo(b, "rllTitCompNome" + n, QRectF(x + 3, 15, 110, 9), "NOME", Times(7));
        dfe::CriarRotulo(b, "rllTitCompValor" + n, QRectF(x + 115, 15, 68, 9), "VALOR", Times(7), HAlign::Right);
        dfe::CriarMemo(b, "rlmCompNome" + n, QRectF(x + 3, 24, 110, 52), Times(9));
        dfe::CriarMemo(b, "rlmCompValor" + n, QRectF(x + 115, 24, 68, 52), Times(9), HAlign::Right);
    }
    dfe::CriarLinhaV(b, "rlsLinhaV_Totais", 558, 13, 63);
    dfe::CriarRotulo(b, "rllTitVlrTotServico", QRectF(561, 15, 178, 9), "VALOR TOTAL DO SERVIÇO", Times(7));
    dfe::CriarRotulo(b, "rllVlrTotServico", QRectF(561, 24, 178, 14), "", Times(11, true), HAlign::Right);
    dfe::CriarLinhaH(b, "rlsLinhaH_Totais", 558, 39, 184);
    dfe::CriarRotulo(b, "rllTitVlrTotReceber", QRectF(561, 44, 178, 9), "VALOR A RECEBER", Times(7));
    dfe::CriarRotulo(b, "rllVlrTotReceber", QRectF(561, 55, 178, 14), "", Times(11, true), HAlign::Right);
    dfe::CriarLinhaH(b, "rlsLinhaH_Imposto", 0, 76, 742);
    dfe::CriarRotulo(b, "rllTituloImposto", QRectF(3, 77, 736, 10), "INFORMAÇÕES RELATIVAS AO IMPOSTO", Times(8, true),
                     HAlign::Center);
    dfe::CriarLinhaH(b, "rlsLinhaH_ImpostoTitulo", 0, 88, 742);
    for (const TColunaICMS &c : kICMS) {
        if (c.x > 0)
            dfe::CriarLinhaV(b, std::string("rlsLinhaV_") + c.nome, c.x, 88, 29);
        dfe::CriarRotulo(b, std::string("rllTit_") + c.nome, QRectF(c.x + 4, kTopoICMS, c.largura - 6, 9), c.legenda,
                         Times(7));
        // The situation's description is long: two lines in the captions' size.
        if (c.x == 0)
            dfe::CriarMemo(b, c.nome, QRectF(c.x + 4, kTopoICMS + 9, c.largura - 8, 18), Times(7));
        else
            dfe::CriarRotulo(b, c.nome, QRectF(c.x + 4, kTopoICMS + 12, c.largura - 8, 14), "", Times(9),
                             HAlign::Right);
    }
    // The federal taxes of a CT-e OS, at the foot of the taller band.
    report::Box &painel = dfe::CriarCaixa(b, "rliTributosFederais", QRectF(0, 117, 742, 25));
    painel.visible = false;
    for (int i = 0; i < 5; ++i) {
        const double x = i * 148.4;
        report::Label &legenda = dfe::CriarRotulo(b, std::string("rllTit_") + kTributosFederais[i][1],
                                                  QRectF(x + 3, 118, 142, 9), kTributosFederais[i][0], Times(7));
        report::Label &valor = dfe::CriarRotulo(b, kTributosFederais[i][1], QRectF(x + 3, 128, 142, 12), "", Times(9),
                                                HAlign::Right);
        legenda.visible = valor.visible = false;
    }
}

void TfrmDACTeRLRetrato::PreencherValores()
{
    const TCTe &cte = CTe();
    report::Band &b = *rlb_06_ValorPrestacao;
    const auto rotulo = [&b](const std::string &nome) -> report::Label & { return *b.find<report::Label>(nome); };

    std::array<report::Memo *, 3> nomes{}, valores{};
    for (std::size_t i = 0; i < 3; ++i) {
        nomes[i] = b.find<report::Memo>("rlmCompNome" + std::to_string(i + 1));
        valores[i] = b.find<report::Memo>("rlmCompValor" + std::to_string(i + 1));
        nomes[i]->text.clear();
        valores[i]->text.clear();
    }
    // Four rows of three: the grid has no room for more.
    const int componentes = std::min(cte.vPrest.Comp.Count(), 12);
    for (int i = 0; i < componentes; ++i) {
        const TCompCollectionItem &c = cte.vPrest.Comp[i];
        Acrescentar(*nomes[static_cast<std::size_t>(i % 3)], c.xNome);
        Acrescentar(*valores[static_cast<std::size_t>(i % 3)], Valor(util::msk10x2, c.vComp));
    }
    rotulo("rllVlrTotServico").text = Valor(util::msk13x2, cte.vPrest.vTPrest);
    rotulo("rllVlrTotReceber").text = Valor(util::msk13x2, cte.vPrest.vRec);

    // ICMS.
    const TICMS &icms = cte.imp.ICMS;
    report::Label &base = rotulo("rllBaseCalc"), &aliquota = rotulo("rllAliqICMS"), &valor = rotulo("rllVlrICMS"),
                  &reducao = rotulo("rllRedBaseCalc"), &st = rotulo("rllICMS_ST");
    for (report::Label *l : {&base, &aliquota, &valor, &reducao, &st})
        l->text.clear();
    b.find<report::Memo>("rllSitTrib")->text = dfe::CSTICMSToStrTagPosText(icms.SituTrib);
    const auto preencher = [&](const rtl::Currency &vBC, const rtl::Currency &pICMS, const std::string &vICMS,
                               const std::string &pRedBC) {
        base.text = Valor(util::msk9x2, vBC);
        aliquota.text = Valor(util::msk4x2, pICMS);
        valor.text = vICMS;
        reducao.text = pRedBC;
    };
    switch (icms.SituTrib) {
    case dfe::cst00:
        preencher(icms.ICMS00.vBC, icms.ICMS00.pICMS, Valor(util::msk4x2, icms.ICMS00.vICMS), "");
        break;
    case dfe::cst20:
        preencher(icms.ICMS20.vBC, icms.ICMS20.pICMS, Valor(util::msk4x2, icms.ICMS20.vICMS),
                  Valor(util::msk4x2, icms.ICMS20.pRedBC));
        break;
    case dfe::cst60: {
        // The retained ICMS goes to the ICMS column in the newer layouts, where there is no
        // ICMS ST column, or when the settings ask for it.
        const std::string retido = Valor(util::msk9x2, icms.ICMS60.vICMSSTRet);
        const bool naColunaICMS = cte.infCTe.versao >= 3.0 || DACTe().ExibeICMS();
        preencher(icms.ICMS60.vBCSTRet, icms.ICMS60.pICMSSTRet, naColunaICMS ? retido : "", "");
        if (!naColunaICMS)
            st.text = retido;
        break;
    }
    case dfe::cst90:
        preencher(icms.ICMS90.vBC, icms.ICMS90.pICMS, Valor(util::msk9x2, icms.ICMS90.vICMS),
                  Valor(util::msk4x2, icms.ICMS90.pRedBC));
        break;
    case dfe::cstICMSOutraUF:
        preencher(icms.ICMSOutraUF.vBCOutraUF, icms.ICMSOutraUF.pICMSOutraUF,
                  Valor(util::msk9x2, icms.ICMSOutraUF.vICMSOutraUF),
                  Valor(util::msk4x2, icms.ICMSOutraUF.pRedBCOutraUF));
        break;
    default: break;
    }

    // The newer layouts have no ICMS ST column: the reduction takes its place.
    const bool antigo = cte.infCTe.versao < 3.0;
    for (const char *nome : {"rllICMS_ST", "rllTit_rllICMS_ST", "rlsLinhaV_rllICMS_ST"})
        b.find(nome)->visible = antigo;
    const double xReducao = antigo ? 586 : 650;
    b.find("rlsLinhaV_rllRedBaseCalc")->bounds.moveLeft(xReducao);
    b.find("rllTit_rllRedBaseCalc")->bounds.moveLeft(xReducao + 4);
    reducao.bounds.moveLeft(xReducao + 4);

    const bool os = cte.ide.modelo == 67;
    b.find("rliTributosFederais")->visible = os;
    const TinfTribFed &fed = cte.imp.infTribFed;
    const rtl::Currency *tributos[] = {&fed.vPIS, &fed.vCOFINS, &fed.vIR, &fed.vINSS, &fed.vCSLL};
    for (int i = 0; i < 5; ++i) {
        report::Label &v = rotulo(kTributosFederais[i][1]);
        v.text = os ? Valor(util::msk13x2, *tributos[i]) : "";
        v.visible = os;
        rotulo(std::string("rllTit_") + kTributosFederais[i][1]).visible = os;
    }
}

// ---- The smaller bands ---------------------------------------------------------------------

void TfrmDACTeRLRetrato::CriarComplementares()
{
    // Complemented CT-e.
    report::Band &c = *rlb_05_Complemento;
    Titulo(c, "rllTituloComplemento", "CT-e COMPLEMENTADO");
    Coluna(c, "CHAVE DO CT-E COMPLEMENTADO", "rlmComplChave1", 0, 260, 15, 26, 52);
    dfe::CriarLinhaV(c, "rlsLinhaV_Compl1", 260, 13, 68);
    Coluna(c, "VALOR COMPLEMENTADO", "rlmComplValor1", 260, 111, 15, 26, 52, HAlign::Right);
    dfe::CriarLinhaV(c, "rlsLinhaV_Compl2", 371, 13, 68);
    Coluna(c, "CHAVE DO CT-E COMPLEMENTADO", "rlmComplChave2", 371, 260, 15, 26, 52);
    dfe::CriarLinhaV(c, "rlsLinhaV_Compl3", 631, 13, 68);
    Coluna(c, "VALOR COMPLEMENTADO", "rlmComplValor2", 631, 111, 15, 26, 52, HAlign::Right);

    // Dangerous goods.
    report::Band &p = *rlb_06_ProdutosPerigosos;
    Titulo(p, "rllTituloPerigosos", "INFORMAÇÕES SOBRE OS PRODUTOS PERIGOSOS");
    const struct {
        const char *legenda, *nome;
        double x, largura;
        HAlign alinhamento;
    } perigosos[] = {
        {"NRO. ONU", "rlmNumONU", 0, 70, HAlign::Center},
        {"NOME APROPRIADO", "rlmNomeApropriado", 70, 250, HAlign::Left},
        {"CLASSE/SUBCLASSE E RISCO SUBSIDIÁRIO", "rlmClasse", 320, 180, HAlign::Left},
        {"GRUPO DE EMBALAGEM", "rlmGrupoEmbalagem", 500, 110, HAlign::Left},
        {"QTDE TOTAL PRODUTO", "rlmQtdeProduto", 610, 132, HAlign::Left},
    };
    for (const auto &col : perigosos) {
        report::Memo &m = Coluna(p, col.legenda, col.nome, col.x, col.largura, 15, 27, 52, col.alinhamento);
        m.autoHeight = true;
        if (col.x > 0)
            dfe::CriarLinhaV(p, std::string("rlsLinhaV_") + col.nome, col.x, 13, 70);
    }

    // CT-e OS service.
    report::Band &s = *rlb_CTeOS_PrestacaoServico;
    Titulo(s, "rllTituloServicoOS", "INFORMAÇÕES DA PRESTAÇÃO DO SERVIÇO");
    dfe::CriarRotulo(s, "rllTitQtdServico", QRectF(4, 15, 120, 9), "QUANTIDADE", Times(7));
    dfe::CriarRotulo(s, "rllTitDescServico", QRectF(130, 15, 400, 9), "DESCRIÇÃO DOS SERVIÇOS PRESTADOS", Times(7));
    dfe::CriarMemo(s, "rlmDescServico", QRectF(4, 27, 734, 46), Times(9)).autoHeight = true;

    // New vehicles: the title on a 16-pixel row, the columns with their lines under it.
    report::Band &v = *rlb_06_VeiculosNovos;
    dfe::CriarRotulo(v, "rllTituloVeiculos", QRectF(3, 3, 736, 10), "INFORMAÇÕES SOBRE OS VEÍCULOS NOVOS TRANSPORTADOS",
                     Times(8, true), HAlign::Center);
    dfe::CriarLinhaH(v, "rllTituloVeiculos_Linha", 0, 16, 742);
    const struct {
        const char *legenda, *nome;
        double x, largura;
        HAlign alinhamento;
    } veiculos[] = {
        {"CHASSI", "rlmChassi", 0, 180, HAlign::Left},
        {"COR", "rlmCor", 180, 150, HAlign::Left},
        {"MARCA/MODELO", "rlmMarcaModelo", 330, 180, HAlign::Left},
        {"VR. UNIT. DO VEÍCULO", "rlmVlrUnitario", 510, 116, HAlign::Right},
        {"FRETE UNITARIO", "rlmVlrFrete", 626, 116, HAlign::Right},
    };
    for (const auto &col : veiculos) {
        Coluna(v, col.legenda, col.nome, col.x, col.largura, 18, 31, kAlturaVeiculos, col.alinhamento);
        if (col.x > 0)
            dfe::CriarLinhaV(v, std::string("rlsLinhaV_") + col.nome, col.x, 17, 46);
    }
    dfe::CriarLinhaH(v, "rlsLinhaH_Veiculos", 0, 28, 742);

    // Trip insurance.
    report::Band &g = *rlb_Dados_Seguradora;
    Titulo(g, "rllTituloSeguradora", "SEGURO DA VIAGEM");
    // One line per insurance as designed; more lines make the memos and the band grow.
    Coluna(g, "RESPONSÁVEL", "rlmRespSeguro", 0, 200, 15, 26, 16).autoHeight = true;
    dfe::CriarLinhaV(g, "rlsLinhaV_Seguradora1", 200, 13, 31);
    Coluna(g, "NOME DA SEGURADORA", "rlmSeguradora", 200, 300, 15, 26, 16).autoHeight = true;
    dfe::CriarLinhaV(g, "rlsLinhaV_Seguradora2", 500, 13, 31);
    Coluna(g, "NÚMERO DA APÓLICE", "rlmApolice", 500, 242, 15, 26, 16).autoHeight = true;
}

void TfrmDACTeRLRetrato::PreencherComplemento()
{
    const TCTe &cte = CTe();
    report::Band &c = *rlb_05_Complemento;
    for (const char *nome : {"rlmComplChave1", "rlmComplValor1", "rlmComplChave2", "rlmComplValor2"})
        c.find<report::Memo>(nome)->text.clear();
    c.find<report::Memo>("rlmComplChave1")->text = cte.infCteComp.chave;
    c.find<report::Memo>("rlmComplValor1")->text = Valor(util::msk10x2, cte.vPrest.vTPrest);
}

void TfrmDACTeRLRetrato::PreencherPerigosos()
{
    const TPeriCollection &peri = CTe().infCTeNorm.peri;
    report::Band &p = *rlb_06_ProdutosPerigosos;
    report::Memo *memos[] = {p.find<report::Memo>("rlmNumONU"), p.find<report::Memo>("rlmNomeApropriado"),
                             p.find<report::Memo>("rlmClasse"), p.find<report::Memo>("rlmGrupoEmbalagem"),
                             p.find<report::Memo>("rlmQtdeProduto")};
    for (report::Memo *m : memos)
        m->text.clear();
    for (int i = 0; i < peri.Count(); ++i) {
        Acrescentar(*memos[0], peri[i].nONU);
        Acrescentar(*memos[1], peri[i].xNomeAE);
        Acrescentar(*memos[2], peri[i].xClaRisco);
        Acrescentar(*memos[3], peri[i].grEmb);
        Acrescentar(*memos[4], peri[i].qTotProd);
    }
}

void TfrmDACTeRLRetrato::PreencherServicoOS()
{
    const TinfServico &servico = CTe().infCTeNorm.infServico;
    const std::string quantidade =
        servico.qCarga.ToDouble() == 0 ? std::string() : util::FormatFloatBr(util::msk6x4, servico.qCarga.ToDouble());
    rlb_CTeOS_PrestacaoServico->find<report::Memo>("rlmDescServico")->text =
        "  " + quantidade + std::string(25, ' ') + servico.xDescServ;
}

void TfrmDACTeRLRetrato::PreencherVeiculosNovos()
{
    const TVeicNovosCollection &veiculos = CTe().infCTeNorm.veicNovos;
    report::Band &v = *rlb_06_VeiculosNovos;
    const char *nomes[] = {"rlmChassi", "rlmCor", "rlmMarcaModelo", "rlmVlrUnitario", "rlmVlrFrete"};
    report::Memo *memos[5];
    for (int i = 0; i < 5; ++i) {
        memos[i] = v.find<report::Memo>(nomes[i]);
        memos[i]->text.clear();
    }
    for (int i = 0; i < veiculos.Count(); ++i) {
        const TVeicNovosCollectionItem &veiculo = veiculos[i];
        Acrescentar(*memos[0], veiculo.chassi);
        Acrescentar(*memos[1], veiculo.cCor + " - " + veiculo.xCor);
        Acrescentar(*memos[2], veiculo.cMod);
        Acrescentar(*memos[3], util::FloatToString(veiculo.vUnit.ToDouble(), ','));
        Acrescentar(*memos[4], util::FloatToString(veiculo.vFrete.ToDouble(), ','));
    }
    // The band as tall as its list (never shorter than designed), the column lines down
    // to its foot.
    constexpr double kAlturaLinha = 12;
    for (report::Memo *m : memos)
        m->bounds.setHeight(std::max(kAlturaVeiculos, ContarLinhas(*memos[0]) * kAlturaLinha));
    report::Band &b = *rlb_06_VeiculosNovos;
    b.height = memos[0]->bounds.top() + memos[0]->bounds.height() + 5;
    for (const char *nome : {"rlsLinhaV_rlmCor", "rlsLinhaV_rlmMarcaModelo", "rlsLinhaV_rlmVlrUnitario",
                             "rlsLinhaV_rlmVlrFrete"})
        b.find(nome)->bounds.setHeight(b.height - 17);
}

void TfrmDACTeRLRetrato::PreencherSeguradora()
{
    const TSegCollection &seg = CTe().infCTeNorm.seg;
    report::Band &g = *rlb_Dados_Seguradora;
    report::Memo *resp = g.find<report::Memo>("rlmRespSeguro"), *nome = g.find<report::Memo>("rlmSeguradora"),
                 *apolice = g.find<report::Memo>("rlmApolice");
    for (report::Memo *m : {resp, nome, apolice})
        m->text.clear();
    static const char *const kResponsavel[] = {"Remetente", "Expedidor", "Recebedor",
                                               "Destinatário", "Emitente", "Tomador"};
    for (int i = 0; i < seg.Count(); ++i) {
        const int r = static_cast<int>(seg[i].respSeg);
        Acrescentar(*resp, r >= 0 && r < 6 ? kResponsavel[r] : "");
        Acrescentar(*nome, seg[i].xSeg);
        Acrescentar(*apolice, seg[i].nApol);
    }
    // The column lines follow the list down.
    const double altura = 31 + 12.0 * std::max(0, seg.Count() - 1);
    g.autoSize = true;
    for (const char *linha : {"rlsLinhaV_Seguradora1", "rlsLinhaV_Seguradora2"})
        g.find(linha)->bounds.setHeight(altura);
}

} // namespace cte

// The parties of the transport (the CT-e's sender, recipient, dispatcher, receiver and
// taker; the CT-e OS's route and taker) and the cargo with its quantities and insurance.

#include "cte/dacte/layout.h"
#include "cte/dacte/layout_partes.h"

#include "dfe/codes_transport.h"
#include "dfe/report/layout_construcao.h"
#include "rtl/numbers.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <array>
#include <string>

namespace cte {

namespace {

using report::HAlign;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// One party as its block prints it, whatever group of the document it comes from.
struct TParteDACTe {
    std::string xNome, CNPJCPF, IE, fone;
    TEndereco ender;
};

template <class T> TParteDACTe Parte(const T &p, const TEndereco &ender)
{
    return TParteDACTe{p.xNome, p.CNPJCPF, p.IE, p.fone, ender};
}

using TCelulaParte = dfe::TCelula<TParteDACTe>;

std::string Municipio(const TParteDACTe &p)
{
    return p.ender.xMun + " - " + p.ender.UF;
}
std::string CEP(const TParteDACTe &p)
{
    return util::FormatarCEP(p.ender.CEP);
}
std::string Documento(const TParteDACTe &p)
{
    return util::FormatarCNPJouCPF(p.CNPJCPF);
}
std::string Fone(const TParteDACTe &p)
{
    return util::FormatarFone(p.fone);
}

// A caption and its value side by side on one row of a block.
constexpr TCelulaParte Linha(int linha, const char *nomeLegenda, const char *legenda, double xLegenda,
                             double larguraLegenda, const char *nome, double xValor, double larguraValor,
                             dfe::TValorCelula<TParteDACTe> valor)
{
    TCelulaParte c;
    c.linha = linha;
    c.x0 = xLegenda;
    c.x1 = xValor + larguraValor;
    c.nomeLegenda = nomeLegenda;
    c.legenda = legenda;
    c.xLegenda = xLegenda;
    c.larguraLegenda = larguraLegenda;
    c.nome = nome;
    c.xValor = xValor;
    c.larguraValor = larguraValor;
    c.alturaValor = 10;
    c.valor = valor;
    return c;
}

// The block of one party, x pixels from the band's left and 371 wide: its title before
// the name, then the address in two lines, the place, the registrations and the phone.
constexpr std::array<TCelulaParte, 9> Bloco(double x, const char *titulo, const char *pais)
{
    return {{
        Linha(0, "rllTit%", titulo, x + 3, 72, "rllRazao%", x + 75, 292, [](const TParteDACTe &p) { return p.xNome; }),
        Linha(1, "rllTitEndereco%", "ENDEREÇO", x + 3, 72, "rllEndereco%1", x + 75, 292,
              [](const TParteDACTe &p) { return p.ender.xLgr + ", " + p.ender.nro; }),
        // The second address line shares the caption of the first.
        Linha(2, nullptr, "", 0, 0, "rllEndereco%2", x + 75, 292,
              [](const TParteDACTe &p) { return p.ender.xCpl + " - " + p.ender.xBairro; }),
        Linha(3, "rllTitMun%", "MUNICÍPIO", x + 3, 72, "rllMun%", x + 75, 180, Municipio),
        Linha(3, "rllTitCEP%", "CEP", x + 258, 25, "rllCEP%", x + 285, 82, CEP),
        Linha(4, "rllTitCnpj%", "CNPJ/CPF", x + 3, 72, "rllCnpj%", x + 75, 128, Documento),
        Linha(4, "rllTitInscEst%", "INSCRIÇÃO ESTADUAL", x + 205, 80, "rllInscEst%", x + 285, 82,
              [](const TParteDACTe &p) { return p.IE; }),
        Linha(5, "rllTitPais%", pais, x + 3, 72, "rllPais%", x + 75, 150,
              [](const TParteDACTe &p) { return p.ender.xPais; }),
        Linha(5, "rllTitFone%", "FONE", x + 230, 30, "rllFone%", x + 260, 107, Fone),
    }};
}

constexpr auto kRemetente = Bloco(0, "REMETENTE", "PAÍS");
constexpr auto kDestinatario = Bloco(371, "DESTINATÁRIO", "PAIS");
constexpr auto kExpedidor = Bloco(0, "EXPEDIDOR", "PAIS");
constexpr auto kRecebedor = Bloco(371, "RECEBEDOR", "PAÍS");

// The taker on three rows across the band, the address in one line.
constexpr TCelulaParte kTomador[] = {
    Linha(0, "rllTit%", "TOMADOR DO SERVIÇO", 3, 95, "rllRazao%", 100, 380,
          [](const TParteDACTe &p) { return p.xNome; }),
    Linha(0, "rllTitMun%", "MUNICÍPIO", 483, 50, "rllMun%", 533, 120, Municipio),
    Linha(0, "rllTitCEP%", "CEP", 655, 22, "rllCEP%", 677, 62, CEP),
    Linha(1, "rllTitEndereco%", "ENDEREÇO", 3, 95, "rllEndereco%", 100, 440,
          [](const TParteDACTe &p) {
              return p.ender.xLgr + ", " + p.ender.nro + " - " + p.ender.xCpl + " - " + p.ender.xBairro;
          }),
    Linha(1, "rllTitPais%", "PAÍS", 545, 30, "rllPais%", 575, 164, [](const TParteDACTe &p) { return p.ender.xPais; }),
    Linha(2, "rllTitCnpj%", "CNPJ/CPF", 3, 95, "rllCnpj%", 100, 140, Documento),
    Linha(2, "rllTitInscEst%", "INSCRIÇÃO ESTADUAL", 245, 85, "rllInscEst%", 330, 150,
          [](const TParteDACTe &p) { return p.IE; }),
    Linha(2, "rllTitFone%", "FONE", 483, 30, "rllFone%", 513, 226, Fone),
};

enum TIndiceParte { ipRemetente, ipDestinatario, ipExpedidor, ipRecebedor, ipTomador, ipTomadorOS };

dfe::TEstiloCaixa EstiloParte(double alturaLinha)
{
    dfe::TEstiloCaixa estilo;
    estilo.fonteLegenda = Times(7);
    estilo.fonteValor = Times(9);
    estilo.alturaLegenda = 9;
    estilo.alturaLinha = alturaLinha;
    return estilo;
}

void Limpar(const dfe::TCaixaCampos &caixa)
{
    for (const dfe::TCelulaCriada &c : caixa.celulas)
        c.valor->text.clear();
}

// A caption over a value, the value's text filled by a rule.
report::Label &Campo(report::Band &banda, const char *legenda, const char *nome, QRectF lugar,
                     HAlign alinhamento = HAlign::Left)
{
    dfe::CriarRotulo(banda, std::string("rllTit_") + nome, QRectF(lugar.left(), lugar.top(), lugar.width(), 9), legenda,
                     Times(7));
    return dfe::CriarRotulo(banda, nome, QRectF(lugar.left(), lugar.top() + 10, lugar.width(), lugar.height() - 10), "",
                            Times(9), alinhamento);
}

std::string Percurso(const TIde &ide)
{
    std::string percurso;
    for (int i = 0; i < ide.infPercurso.Count(); ++i)
        percurso += (i > 0 ? " - " : "") + ide.infPercurso[i].UFPer;
    return percurso;
}

std::string Prestacao(const std::string &municipio, const std::string &uf, int codigo)
{
    // A seven-digit municipality code prints whole: "000" only pads shorter ones.
    return municipio + " - " + uf + " - " + rtl::FormatFloat("000", codigo);
}

} // namespace

void TfrmDACTeRLRetrato::CriarPartes()
{
    FPartes = std::make_unique<TCaixasPartes>();
    report::Band &b = *rlb_03_DadosDACTe;
    Campo(b, "CFOP - NATUREZA DA OPERAÇÃO", "rllNatOperacao", QRectF(3, 1, 736, 22));
    dfe::CriarLinhaH(b, "rlsLinhaH_Natureza", 0, 24, 742);
    Campo(b, "ORIGEM DA PRESTAÇÃO", "rllOrigPrestacao", QRectF(3, 25, 365, 22));
    dfe::CriarLinhaV(b, "rlsLinhaV_Prestacao", 371, 24, 24);
    Campo(b, "DESTINO DA PRESTAÇÃO", "rllDestPrestacao", QRectF(374, 25, 365, 22));

    const auto bloco = [&](TIndiceParte i, double x, double y, double largura, double alturaLinha, int linhas,
                           std::span<const TCelulaParte> tabela, const char *prefixo, report::Band &banda) {
        dfe::TCaixaCampos &caixa = FPartes->partes[i];
        caixa.banda = &banda;
        caixa.caixa = &dfe::CriarCaixa(banda, std::string("rliCaixa") + prefixo,
                                       QRectF(x, y, largura, alturaLinha * linhas + 2));
        caixa.inicioLinhas = 1;
        caixa.fixa = true;
        dfe::CriarCelulas<TParteDACTe>(caixa, EstiloParte(alturaLinha), tabela, prefixo);
    };
    bloco(ipRemetente, 0, 48, 371, 10, 6, kRemetente, "Remet", b);
    bloco(ipDestinatario, 371, 48, 371, 10, 6, kDestinatario, "Dest", b);
    bloco(ipExpedidor, 0, 110, 371, 10, 6, kExpedidor, "Exped", b);
    bloco(ipRecebedor, 371, 110, 371, 10, 6, kRecebedor, "Receb", b);
    bloco(ipTomador, 0, 170, 742, 10, 3, kTomador, "Toma", b);

    report::Band &os = *rlb_03_DadosDACTe_OS;
    Campo(os, "INÍCIO DA PRESTAÇÃO", "rllInicioPrestacaoOS", QRectF(3, 1, 240, 22));
    dfe::CriarLinhaV(os, "rlsLinhaV_InicioOS", 247, 0, 24);
    Campo(os, "TÉRMINO DA PRESTAÇÃO", "rllTerminoPrestacaoOS", QRectF(250, 1, 240, 22));
    dfe::CriarLinhaV(os, "rlsLinhaV_TerminoOS", 494, 0, 24);
    Campo(os, "PERCURSO DO VEÍCULO", "rllPercursoOS", QRectF(497, 1, 242, 22));
    bloco(ipTomadorOS, 0, 24, 742, 14, 3, kTomador, "TomaOS", os);

    CriarCarga();
}

void TfrmDACTeRLRetrato::PreencherPartes()
{
    const TCTe &cte = CTe();
    const TIde &ide = cte.ide;
    report::Band &b = *rlb_03_DadosDACTe;
    b.find<report::Label>("rllNatOperacao")->text = rtl::FormatFloat("0000", ide.CFOP) + " - " + ide.natOp;
    b.find<report::Label>("rllOrigPrestacao")->text = Prestacao(ide.xMunIni, ide.UFIni, ide.cMunIni);
    b.find<report::Label>("rllDestPrestacao")->text = Prestacao(ide.xMunFim, ide.UFFim, ide.cMunFim);

    TCaixasPartes &p = *FPartes;
    dfe::PreencherCelulas(p.partes[ipRemetente], std::span<const TCelulaParte>(kRemetente),
                          Parte(cte.rem, cte.rem.enderReme));
    dfe::PreencherCelulas(p.partes[ipDestinatario], std::span<const TCelulaParte>(kDestinatario),
                          Parte(cte.dest, cte.dest.enderDest));
    // A dispatcher or receiver without a name is no party: its block stays empty.
    Limpar(p.partes[ipExpedidor]);
    if (!cte.exped.xNome.empty())
        dfe::PreencherCelulas(p.partes[ipExpedidor], std::span<const TCelulaParte>(kExpedidor),
                              Parte(cte.exped, cte.exped.enderExped));
    Limpar(p.partes[ipRecebedor]);
    if (!cte.receb.xNome.empty())
        dfe::PreencherCelulas(p.partes[ipRecebedor], std::span<const TCelulaParte>(kRecebedor),
                              Parte(cte.receb, cte.receb.enderReceb));

    Limpar(p.partes[ipTomador]);
    bool temTomador = true;
    TParteDACTe tomador;
    if (!ide.toma4.xNome.empty()) {
        tomador = Parte(ide.toma4, ide.toma4.enderToma);
    } else {
        switch (ide.toma03.Toma) {
        case tmRemetente: tomador = Parte(cte.rem, cte.rem.enderReme); break;
        case tmExpedidor: tomador = Parte(cte.exped, cte.exped.enderExped); break;
        case tmRecebedor: tomador = Parte(cte.receb, cte.receb.enderReceb); break;
        case tmDestinatario: tomador = Parte(cte.dest, cte.dest.enderDest); break;
        default: temTomador = false; break;
        }
    }
    if (temTomador)
        dfe::PreencherCelulas(p.partes[ipTomador], std::span<const TCelulaParte>(kTomador), tomador);

    PreencherCarga();
    PreencherValores();
}

void TfrmDACTeRLRetrato::PreencherPartesOS()
{
    const TCTe &cte = CTe();
    const TIde &ide = cte.ide;
    report::Band &os = *rlb_03_DadosDACTe_OS;
    os.find<report::Label>("rllInicioPrestacaoOS")->text = Prestacao(ide.xMunIni, ide.UFIni, ide.cMunIni);
    os.find<report::Label>("rllTerminoPrestacaoOS")->text = Prestacao(ide.xMunFim, ide.UFFim, ide.cMunFim);
    os.find<report::Label>("rllPercursoOS")->text = Percurso(ide);
    dfe::PreencherCelulas(FPartes->partes[ipTomadorOS], std::span<const TCelulaParte>(kTomador),
                          Parte(cte.toma, cte.toma.enderToma));
}

// ---- Cargo ---------------------------------------------------------------------------------

namespace {

struct TColunaQuantidade {
    const char *legenda;
    const char *memo;
};
constexpr TColunaQuantidade kQuantidades[] = {
    {"PESO BRUTO (Kg)", "rlmQtdUnidMedida1"},      {"PESO BASE CÁLC. (Kg)", "rlmQtdUnidMedida2"},
    {"PESO AFERIDO (Kg)", "rlmQtdUnidMedida3"},    {"CUBAGEM (M3)", "rlmQtdUnidMedida4"},
    {"QTDE. VOLUMES (Unid)", "rlmQtdUnidMedida5"},
};
constexpr const char *kSeguroCarga[][2] = {
    {"NOME DA SEGURADORA", "rlmNomeSeguradora"},
    {"RESPONSÁVEL", "rlmRespSeguroMerc"},
    {"NÚMERO DA APÓLICE", "rlmNroApolice"},
    {"NÚMERO DA AVERBAÇÃO", "rlmNroAverbacao"},
};

// The quantity columns' left edges, and the lines between them in the newer layouts.
constexpr double kColunasAntigas[] = {5, 86, 166, 246, 328};
constexpr double kColunas[] = {5, 154, 304, 449, 600};
constexpr double kLinhas[] = {148, 296, 444, 592};

void Acrescentar(report::Memo &memo, const std::string &linha)
{
    if (!memo.text.empty())
        memo.text += "\r\n";
    memo.text += linha;
}

} // namespace

void TfrmDACTeRLRetrato::CriarCarga()
{
    report::Band &b = *rlb_04_DadosNotaFiscal;
    Campo(b, "PRODUTO PREDOMINANTE", "rllProdPredominante", QRectF(3, 1, 294, 22));
    dfe::CriarLinhaV(b, "rlsLinhaV_Produto", 300, 0, 24);
    Campo(b, "OUTRAS CARACTERÍSTICAS DA CARGA", "rllOutrasCaracCarga", QRectF(303, 1, 254, 22));
    dfe::CriarLinhaV(b, "rlsLinhaV_Caracteristicas", 560, 0, 24);
    Campo(b, "VALOR TOTAL DA MERCADORIA", "rllVlrTotalMerc", QRectF(563, 1, 176, 22), HAlign::Right);
    dfe::CriarLinhaH(b, "rlsLinhaH_Carga", 0, 24, 742);

    // The layout of the older documents; the before-print widens the columns for the
    // newer ones, which carry no insurance here.
    for (std::size_t i = 0; i < 5; ++i) {
        const double largura = i == 4 ? 84 : 76;
        const double x = kColunasAntigas[i];
        dfe::CriarRotulo(b, "rllTitQtd" + std::to_string(i + 1), QRectF(x, 26, largura, 9), kQuantidades[i].legenda,
                         Times(7));
        dfe::CriarMemo(b, kQuantidades[i].memo, QRectF(x, 36, largura, 52), Times(9), HAlign::Right);
        if (i > 0)
            dfe::CriarLinhaV(b, "rlsLinhaV_Qtd" + std::to_string(i), x - 3, 24, 66);
    }
    dfe::CriarLinhaV(b, "rlsLinhaV_Seguro", 416, 24, 66);
    for (int i = 0; i < 4; ++i) {
        const double x = 420 + (i % 2) * 161, y = 26 + (i / 2) * 32;
        dfe::CriarRotulo(b, std::string("rllTit_") + kSeguroCarga[i][1], QRectF(x, y, 157, 9), kSeguroCarga[i][0],
                         Times(7));
        dfe::CriarMemo(b, kSeguroCarga[i][1], QRectF(x, y + 10, 157, 20), Times(9));
    }
}

void TfrmDACTeRLRetrato::PreencherCarga()
{
    const TCTe &cte = CTe();
    const TInfCarga &carga = cte.infCTeNorm.infCarga;
    report::Band &b = *rlb_04_DadosNotaFiscal;
    b.find<report::Label>("rllProdPredominante")->text = carga.proPred;
    b.find<report::Label>("rllOutrasCaracCarga")->text = carga.xOutCat;
    b.find<report::Label>("rllVlrTotalMerc")->text = util::FormatFloatBr(util::msk15x2, carga.vCarga.ToDouble());

    std::array<report::Memo *, 5> qtd{};
    for (std::size_t i = 0; i < qtd.size(); ++i) {
        qtd[i] = b.find<report::Memo>(kQuantidades[i].memo);
        qtd[i]->text.clear();
    }
    std::array<report::Memo *, 4> seguro{};
    for (std::size_t i = 0; i < seguro.size(); ++i) {
        seguro[i] = b.find<report::Memo>(kSeguroCarga[i][1]);
        seguro[i]->text.clear();
    }

    const auto peso = [&](const std::string &tpMed) {
        const std::string medida = rtl::UpperCase(rtl::Trim(tpMed));
        if (medida == "PESO BRUTO")
            return qtd[0];
        if (medida == "PESO BASE DE CALCULO" || medida == "PESO BC")
            return qtd[1];
        return qtd[2];
    };
    for (int i = 0; i < carga.infQ.Count(); ++i) {
        const TInfQCollectionItem &q = carga.infQ[i];
        const double quantidade = q.qCarga.ToDouble();
        switch (q.cUnid) {
        case dfe::uM3: Acrescentar(*qtd[3], util::FormatFloatBr(util::msk6x4, quantidade)); break;
        case dfe::uKG: Acrescentar(*peso(q.tpMed), util::FormatFloatBr(util::msk6x4, quantidade)); break;
        // Tons print as kilograms.
        case dfe::uTON: Acrescentar(*peso(q.tpMed), util::FormatFloatBr(util::msk6x4, quantidade * 1000)); break;
        case dfe::uUNIDADE:
        case dfe::uLITROS:
        case dfe::uMMBTU:
            Acrescentar(*qtd[4], q.tpMed);
            Acrescentar(*qtd[4],
                        util::FormatFloatBr(util::msk6x4, quantidade) + " " + dfe::UnidMedToDescricaoStr(q.cUnid));
            break;
        default: break;
        }
    }

    const TSegCollection &seg = cte.infCTeNorm.seg;
    for (int i = 0; i < seg.Count(); ++i) {
        Acrescentar(*seguro[0], seg[i].xSeg);
        Acrescentar(*seguro[1], TpRspSeguroToStrText(seg[i].respSeg));
        Acrescentar(*seguro[2], seg[i].nApol);
        Acrescentar(*seguro[3], seg[i].nAver);
    }

    // The newer layouts carry the insurance in a band of their own: the quantities take
    // the whole width.
    const bool antigo = cte.infCTe.versao < 3.0;
    for (std::size_t i = 0; i < seguro.size(); ++i) {
        seguro[i]->visible = antigo;
        b.find<report::Label>(std::string("rllTit_") + kSeguroCarga[i][1])->visible = antigo;
    }
    b.find<report::Line>("rlsLinhaV_Seguro")->visible = antigo;
    for (std::size_t i = 0; i < qtd.size(); ++i) {
        const double x = antigo ? kColunasAntigas[i] : kColunas[i];
        const double largura = antigo ? (i == 4 ? 84 : 76) : 136;
        qtd[i]->bounds = QRectF(x, qtd[i]->bounds.top(), largura, qtd[i]->bounds.height());
        report::Label *titulo = b.find<report::Label>("rllTitQtd" + std::to_string(i + 1));
        titulo->bounds = QRectF(x, titulo->bounds.top(), largura, titulo->bounds.height());
        if (i > 0)
            b.find<report::Line>("rlsLinhaV_Qtd" + std::to_string(i))
                ->bounds.moveLeft(antigo ? kColunasAntigas[i] - 3 : kLinhas[i - 1]);
    }
}

} // namespace cte

// The bands of the mode of transport: road (and the road of a CT-e OS), the full load of
// the road below layout 3.00, air and waterway. Rail and pipeline print no modal data.

#include "cte/dacte/layout.h"

#include "dfe/report/layout_construcao.h"
#include "rtl/datetime.h"
#include "rtl/numbers.h"
#include "util/formatter.h"

#include <array>
#include <span>
#include <string>

namespace cte {

namespace {

using report::HAlign;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// The band's title over its box, whose top border underlines it.
report::Label &Titulo(report::Band &banda, const char *nome, const char *texto)
{
    return dfe::CriarRotulo(banda, nome, QRectF(3, 2, 736, 10), texto, Times(8, true), HAlign::Center);
}

dfe::TEstiloCaixa Estilo(double alturaLinha, std::span<const char *const> linhas = {})
{
    dfe::TEstiloCaixa estilo;
    estilo.fonteLegenda = Times(7);
    estilo.fonteValor = Times(9);
    estilo.alturaLegenda = 9;
    estilo.alturaLinha = alturaLinha;
    estilo.linhasSuperiores = linhas;
    return estilo;
}

// A box of rows under the band's 13-pixel title, as wide as the band.
void CriarCaixa(dfe::TCaixaCampos &caixa, report::Band &banda, const char *nome, double topo, double altura)
{
    caixa.banda = &banda;
    caixa.caixa = &dfe::CriarCaixa(banda, nome, QRectF(0, topo, 742, altura));
    caixa.inicioLinhas = 0;
    caixa.fixa = true;
}

// Dates follow the user's date separator.
std::string Data(rtl::TDateTime data)
{
    return rtl::FormatDateTime("dd/mm/yyyy", data);
}

// Amounts follow the user's separators.
std::string Valor(const rtl::Currency &valor)
{
    return rtl::FormatCurr(",0.00", valor);
}

// ---- Road ----------------------------------------------------------------------------------

template <class Contexto>
constexpr dfe::TCelula<Contexto> ComDivisor(dfe::TCelula<Contexto> c, const char *divisor)
{
    c.nomeDivisor = divisor;
    return c;
}

// The row of the road band as designed; the rules fill every value. The last box holds
// the legislation text under a caption that only the CT-e OS shows.
using TCelulaCTe = dfe::TCelula<TCTe>;
constexpr TCelulaCTe kRodoviario[] = {
    dfe::Campo<TCTe>(0, "rllTitRntrcEmpresa", "RNTRC DA EMPRESA", "rllRntrcEmpresa", 0, 80, nullptr),
    ComDivisor(dfe::Campo<TCTe>(0, "lblCIOT", "CIOT", "rllCIOT", 80, 150, nullptr), "rlsCIOT"),
    ComDivisor(dfe::Campo<TCTe>(0, "rllTitLotacao", "LOTAÇÃO", "rllLotacao", 150, 192, nullptr),
               "rlsLinhaV_Lotacao"),
    ComDivisor(dfe::Campo<TCTe>(0, "rllTitDtPrevEntrega", "DATA PREVISTA DE ENTREGA", "rllDtPrevEntrega", 192, 300,
                                nullptr),
               "rlsLinhaV_DtPrevEntrega"),
    [] {
        TCelulaCTe c = ComDivisor(dfe::Campo<TCTe>(0, "rllMsgModalRodoviario", "MSG MODAL RODOVIARIO",
                                                   "rllLegislacaoRodoviario", 300, 742, nullptr),
                                  "rlsLinhaV_MsgRodoviario");
        c.xLegenda = 302;
        return c;
    }(),
};
constexpr std::size_t kRntrc = 0, kCIOT = 1, kLotacao = 2, kDtPrev = 3, kMensagem = 4;

// The five boxes of a CT-e OS: the dividers, where each caption starts, and the captions.
constexpr double kDivisoresOS[] = {148, 296, 444, 592};
constexpr double kLegendasOS[] = {3, 154, 301, 449, 597};
constexpr const char *kTitulosOS[] = {"TERMO AUTORIZAÇÃO DE FRETAMENTO", "Nº DE REGISTRO ESTADUAL",
                                      "PLACA DO VEÍCULO", "RENAVAM DO VEÍCULO", "CNPJ/CPF"};
// The CNPJ/CPF's value is narrower than its box.
constexpr double kLarguraDocumentoOS = 70;

// ---- Road full load ------------------------------------------------------------------------

using TCelulaRodo = dfe::TCelula<TRodo>;
constexpr TCelulaRodo kMotorista[] = {
    dfe::Campo<TRodo>(0, "rllTitNomeMotorista", "NOME DO MOTORISTA", "rllNomeMotorista", 0, 300,
                      [](const TRodo &r) { return r.moto.Count() > 0 ? r.moto[0].xNome : std::string(); }),
    dfe::Campo<TRodo>(0, "rllTitCPFMotorista", "CPF DO MOTORISTA", "rllCPFMotorista", 300, 420,
                      [](const TRodo &r) {
                          return r.moto.Count() > 0 ? util::FormatarCPF(r.moto[0].CPF) : std::string();
                      }),
    dfe::Campo<TRodo>(0, "rllTitLacres", "IDENTIFICAÇÃO DOS LACRES EM TRÂNSITO", "rllLacres", 420, 742,
                      [](const TRodo &r) {
                          std::string lacres;
                          for (int i = 0; i < r.lacRodo.Count(); ++i)
                              lacres += r.lacRodo[i].nLacre + "/";
                          return lacres;
                      }),
};

// A column of the two lists: its caption and the memo with one line per item.
struct TColunaLotacao {
    const char *legenda;
    const char *memo;
    double x0, x1;
};
constexpr TColunaLotacao kVeiculos[] = {
    {"TIPO", "rlmTipoVeiculo", 0, 70},
    {"PLACA", "rlmPlacaVeiculo", 70, 160},
    {"UF", "rlmUFVeiculo", 160, 200},
    {"RNTRC", "rlmRNTRCVeiculo", 200, 371},
};
constexpr TColunaLotacao kValePedagio[] = {
    {"CNPJ FORNECEDOR", "rlmCNPJForn", 371, 495},
    {"NÚMERO COMPROVANTE", "rlmNumCompra", 495, 619},
    {"CNPJ RESPONSÁVEL", "rlmCNPJPg", 619, 742},
};
// The lists' box: its title row, the captions' row and the memos under them.
constexpr double kAlturaListas = 76;

// ---- Air -----------------------------------------------------------------------------------

constexpr TCelulaCTe kAereo[] = {
    dfe::Campo<TCTe>(0, "rllTitCaracAdServico", "CARACTERISTICAS ADICIONAIS DO SERVIÇO", "rllCaracAdServico", 0,
                     371, [](const TCTe &c) { return c.Compl.xCaracSer; }),
    dfe::Campo<TCTe>(0, "rllTitCaracAdTransporte", "CARACTERISTICAS ADICIONAIS DO TRANSPORTE",
                     "rllCaracAdTransporte", 371, 742, [](const TCTe &c) { return c.Compl.xCaracAd; }),
    dfe::Campo<TCTe>(1, "rllTitAWB", "NÚMERO OPERACIONAL", "rllAWB", 0, 186,
                     [](const TCTe &c) { return c.infCTeNorm.aereo.nOCA; }),
    dfe::Campo<TCTe>(1, "rllTitContaCorrente", "CONTA CORRENTE", "rllContaCorrente", 186, 371,
                     [](const TCTe &c) { return c.infCTeNorm.aereo.IdT; }),
    dfe::Campo<TCTe>(1, "rllTitMinuta", "NÚMERO DA MINUTA", "rllMinuta", 371, 557,
                     [](const TCTe &c) { return rtl::FormatFloat("0000000000", c.infCTeNorm.aereo.nMinu); }),
    // The leg is not in the document: the box stays empty.
    dfe::Campo<TCTe>(1, "rllTitTrecho", "TRECHO", "rllTrecho", 557, 742, nullptr),
    // The tariff's three boxes sit beside their group caption.
    dfe::Campo<TCTe>(2, "rllTitTarifaCL", "CL", "rllTarifaCL", 148, 220,
                     [](const TCTe &c) { return c.infCTeNorm.aereo.tarifa.CL; }),
    dfe::Campo<TCTe>(2, "rllTitTarifaCodigo", "CÓDIGO", "rllTarifaCodigo", 220, 300,
                     [](const TCTe &c) { return c.infCTeNorm.aereo.tarifa.cTar; }),
    dfe::Campo<TCTe>(2, "rllTitTarifaValor", "VALOR", "rllTarifaValor", 300, 400,
                     [](const TCTe &c) { return Valor(c.infCTeNorm.aereo.tarifa.vTar); }, HAlign::Right),
    dfe::Campo<TCTe>(2, "rllTitLojaAgenteEmissor", "LOJA OU AGENTE EMISSOR", "rllLojaAgenteEmissor", 400, 742,
                     [](const TCTe &c) { return c.infCTeNorm.aereo.xLAgEmi; }),
    dfe::Campo<TCTe>(3, "rllTitRetira", "RETIRA", "rllRetira", 0, 80,
                     [](const TCTe &c) { return std::string(c.ide.retira == rtNao ? "NÃO" : "SIM"); }),
    dfe::Campo<TCTe>(3, "rllTitDadosRetira", "DADOS RELATIVOS A RETIRADA DA CARGA", "rllDadosRetira", 80, 742,
                     [](const TCTe &c) { return c.ide.xDetRetira; }),
};
constexpr const char *kLinhasAereo[] = {"rlsLinhaH_Aereo1", "rlsLinhaH_Aereo2", "rlsLinhaH_Aereo3"};
constexpr double kLinhaAereo = 21;

// ---- Waterway ------------------------------------------------------------------------------

std::string TipoNavegacao(const TCTe &c)
{
    switch (c.infCTeNorm.aquav.tpNav) {
    case dfe::tnInterior: return "INTERIOR";
    case dfe::tnCabotagem: return "CABOTAGEM";
    }
    return {};
}

std::string Direcao(const TCTe &c)
{
    switch (c.infCTeNorm.aquav.direc) {
    case drNorte: return "NORTE";
    case drLeste: return "LESTE";
    case drSul: return "SUL";
    case drOeste: return "OESTE";
    }
    return {};
}

std::string Balsas(const TCTe &c)
{
    const TBalsaCollection &balsas = c.infCTeNorm.aquav.balsa;
    std::string texto;
    for (int i = 0; i < balsas.Count(); ++i)
        texto += (i > 0 ? "/" : "") + balsas[i].xBalsa;
    return texto;
}

constexpr TCelulaCTe kAquaviario[] = {
    dfe::Campo<TCTe>(0, "rllTitPortoEmbarque", "PORTO DE EMBARQUE", "rllPortoEmbarque", 0, 371,
                     [](const TCTe &c) { return c.infCTeNorm.aquav.prtEmb; }),
    dfe::Campo<TCTe>(0, "rllTitPortoDestino", "PORTO DE DESTINO", "rllPortoDestino", 371, 742,
                     [](const TCTe &c) { return c.infCTeNorm.aquav.prtDest; }),
    dfe::Campo<TCTe>(1, "rllTitIndNavioRebocador", "IDENTIFICAÇÃO DO NAVIO / REBOCADOR", "rllIndNavioRebocador", 0,
                     296, [](const TCTe &c) { return c.infCTeNorm.aquav.xNavio; }),
    dfe::Campo<TCTe>(1, "rllTitBCAFRMM", "VR DA B. DE CALC. AFRMM", "rllBCAFRMM", 296, 444,
                     [](const TCTe &c) { return Valor(c.infCTeNorm.aquav.vPrest); }, HAlign::Right),
    dfe::Campo<TCTe>(1, "rllTitValorAFRMM", "VLR DO AFRMM", "rllValorAFRMM", 444, 592,
                     [](const TCTe &c) { return Valor(c.infCTeNorm.aquav.vAFRMM); }, HAlign::Right),
    dfe::Campo<TCTe>(1, "rllTitTipoNav", "TIPO DE NAVEGAÇÃO", "rllTipoNav", 592, 742, TipoNavegacao),
    dfe::Campo<TCTe>(2, "rllTitIndBalsas", "IDENTIFICAÇÃO DA(S) BALSA(S)", "rllIndBalsas", 0, 296, Balsas),
    // The containers are not listed here: the box stays empty.
    dfe::Campo<TCTe>(2, "rllTitIndConteiners", "IDENTIFICAÇÃO DOS CONTEINERS", "rllIndConteiners", 296, 592,
                     nullptr),
    dfe::Campo<TCTe>(2, "rllTitDirecao", "DIREÇÃO", "rllDirecao", 592, 742, Direcao),
};
constexpr const char *kLinhasAquaviario[] = {"rlsLinhaH_Aquaviario1", "rlsLinhaH_Aquaviario2"};
constexpr double kLinhaAquaviario = 26;

} // namespace

void TfrmDACTeRLRetrato::CriarModais()
{
    // Road: the title and one row of boxes.
    {
        report::Band &b = *rlb_10_ModRodFracionado;
        Titulo(b, "rllTituloLotacao", "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - CARGA FRACIONADA");
        CriarCaixa(FCaixaRodoviario, b, "rliModalRodoviario", 13, 31);
        dfe::CriarCelulas<TCTe>(FCaixaRodoviario, Estilo(30), kRodoviario);
        FCaixaRodoviario.celulas[kMensagem].legenda->visible = false;
        // The legislation text fills its box in a smaller size.
        FCaixaRodoviario.celulas[kMensagem].valor->font = Times(8);
        FCaixaRodoviario.celulas[kMensagem].valor->text =
            "ESTE CONHECIMENTO DE TRANSPORTE ATENDE À LEGISLAÇÃO DE TRANSPORTE RODOVIÁRIO EM VIGOR";
    }

    // Full load: the vehicles and the toll vouchers side by side, the driver and the
    // seals under them.
    {
        report::Band &b = *rlb_11_ModRodLot104;
        const auto lista = [&b](const char *nome, const char *titulo, double x0, double x1,
                                std::span<const TColunaLotacao> colunas) {
            dfe::CriarCaixa(b, nome, QRectF(x0, 0, x1 - x0, kAlturaListas));
            dfe::CriarRotulo(b, std::string(nome) + "_Titulo", QRectF(x0 + 3, 1, x1 - x0 - 6, 10), titulo,
                             Times(7, true), HAlign::Center);
            dfe::CriarLinhaH(b, std::string(nome) + "_Linha", x0, 12, x1 - x0);
            for (const TColunaLotacao &c : colunas) {
                if (c.x0 > x0)
                    dfe::CriarLinhaV(b, std::string("rlsLinhaV_") + c.memo, c.x0, 12, kAlturaListas - 12);
                dfe::CriarRotulo(b, std::string("rllTit_") + c.memo, QRectF(c.x0 + 3, 13, c.x1 - c.x0 - 6, 9),
                                 c.legenda, Times(7));
                dfe::CriarMemo(b, c.memo, QRectF(c.x0 + 3, 23, c.x1 - c.x0 - 6, kAlturaListas - 24), Times(8));
            }
        };
        lista("rliVeiculos", "IDENTIFICAÇÃO DO CONJ. TRANSPORTADOR", 0, 371, kVeiculos);
        lista("rliValePedagio", "INFORMAÇÕES REFERENTES AO VALE-PEDÁGIO", 371, 742, kValePedagio);
        CriarCaixa(FCaixaMotorista, b, "rliMotorista", kAlturaListas, 31);
        dfe::CriarCelulas<TRodo>(FCaixaMotorista, Estilo(30), kMotorista);
    }

    // Air.
    {
        report::Band &b = *rlb_12_ModAereo;
        Titulo(b, "rllTituloAereo", "INFORMAÇÕES ESPECÍFICAS DO MODAL AÉREO");
        CriarCaixa(FCaixaAereo, b, "rliModalAereo", 13, 4 * kLinhaAereo);
        dfe::CriarCelulas<TCTe>(FCaixaAereo, Estilo(kLinhaAereo, kLinhasAereo), kAereo);
        dfe::CriarRotulo(b, "rllTitDadosTarifa", QRectF(3, 13 + 2 * kLinhaAereo + 6, 142, 9), "DADOS DA TARIFA",
                         Times(7));
    }

    // Waterway.
    {
        report::Band &b = *rlb_13_ModAquaviario;
        Titulo(b, "rllTituloAquaviario", "DADOS ESPECÍFICOS DO MODAL AQUAVIÁRIO");
        CriarCaixa(FCaixaAquaviario, b, "rliModalAquaviario", 13, 3 * kLinhaAquaviario + 1);
        dfe::CriarCelulas<TCTe>(FCaixaAquaviario, Estilo(kLinhaAquaviario, kLinhasAquaviario), kAquaviario);
    }
}

bool TfrmDACTeRLRetrato::ModRodFracionadoBeforePrint(report::Band &banda)
{
    const TCTe &cte = CTe();
    banda.enabled = cte.ide.tpCTe == tcNormal && cte.ide.modal == dfe::mdRodoviario;
    if (!banda.enabled)
        banda.height = 0;
    // Only this band decides whether the full-load band prints.
    rlb_11_ModRodLot104->enabled = false;

    const TRodo &rodo = cte.infCTeNorm.rodo;
    const std::vector<dfe::TCelulaCriada> &celulas = FCaixaRodoviario.celulas;
    celulas[kRntrc].valor->text = rodo.RNTRC;
    celulas[kCIOT].divisor->visible = true;
    celulas[kCIOT].legenda->visible = true;
    celulas[kCIOT].valor->visible = true;
    celulas[kCIOT].valor->text = rodo.CIOT;
    if (!banda.enabled)
        return true;

    if (cte.infCTe.versao >= 3.0) {
        ModalRodoviarioVersao30();
        return true;
    }
    report::Label &titulo = *banda.find<report::Label>("rllTituloLotacao");
    switch (rodo.lota) {
    case ltNao:
        titulo.text = "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - CARGA FRACIONADA";
        celulas[kLotacao].valor->text = "NÃO";
        break;
    case ltSim:
        titulo.text = "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO - LOTAÇÃO";
        celulas[kLotacao].valor->text = "SIM";
        rlb_11_ModRodLot104->enabled = true;
        break;
    }
    if (rodo.dPrev > 0)
        celulas[kDtPrev].valor->text = Data(rodo.dPrev);
    return true;
}

void TfrmDACTeRLRetrato::ModalRodoviarioVersao30()
{
    const TCTe &cte = CTe();
    rlb_10_ModRodFracionado->find<report::Label>("rllTituloLotacao")->text = "DADOS ESPECÍFICOS DO MODAL RODOVIÁRIO";
    // The newer layouts have neither CIOT nor full load here.
    const std::vector<dfe::TCelulaCriada> &celulas = FCaixaRodoviario.celulas;
    for (const std::size_t i : {kCIOT, kLotacao}) {
        celulas[i].legenda->text.clear();
        celulas[i].valor->text.clear();
    }
    celulas[kCIOT].divisor->visible = false;
    celulas[kDtPrev].divisor->visible = false;
    const rtl::TDateTime programada = cte.Compl.Entrega.comData.dProg;
    if (programada > 0)
        celulas[kDtPrev].valor->text = Data(programada);
    if (cte.ide.modelo == 67)
        ModalRodoviarioMod67();
}

void TfrmDACTeRLRetrato::ModalRodoviarioMod67()
{
    const TCTe &cte = CTe();
    const TRodoOS &rodoOS = cte.infCTeNorm.rodoOS;
    const TPropOS &proprietario = rodoOS.veic.prop;
    // A vehicle of someone else's prints its owner's registrations; the carrier's own
    // prints the carrier's.
    const bool doProprietario = !proprietario.TAF.empty() || !proprietario.NroRegEstadual.empty();
    const std::array<std::string, 5> valores = {
        doProprietario ? proprietario.TAF : rodoOS.TAF,
        doProprietario ? proprietario.NroRegEstadual : rodoOS.NroRegEstadual,
        rodoOS.veic.placa,
        rodoOS.veic.RENAVAM,
        doProprietario ? proprietario.CNPJCPF : cte.emit.CNPJ,
    };

    const std::vector<dfe::TCelulaCriada> &celulas = FCaixaRodoviario.celulas;
    for (std::size_t i = 0; i < celulas.size(); ++i) {
        const dfe::TCelulaCriada &c = celulas[i];
        const double fim = i + 1 < celulas.size() ? kDivisoresOS[i] : 742;
        if (c.divisor != nullptr) {
            c.divisor->bounds.moveLeft(kDivisoresOS[i - 1]);
            c.divisor->visible = true;
        }
        c.legenda->visible = true;
        c.legenda->text = kTitulosOS[i];
        c.legenda->bounds.moveLeft(kLegendasOS[i]);
        c.legenda->bounds.setWidth(fim - kLegendasOS[i] - 3);
        c.valor->visible = true;
        c.valor->text = valores[i];
        c.valor->bounds.moveLeft(kLegendasOS[i]);
        c.valor->bounds.setWidth(i == kMensagem ? kLarguraDocumentoOS : fim - kLegendasOS[i] - 3);
    }
}

void TfrmDACTeRLRetrato::PreencherLotacao()
{
    const TRodo &rodo = CTe().infCTeNorm.rodo;
    report::Band &b = *rlb_11_ModRodLot104;
    const auto memo = [&b](const TColunaLotacao &coluna) -> report::Memo & {
        report::Memo &m = *b.find<report::Memo>(coluna.memo);
        m.text.clear();
        return m;
    };
    const auto acrescentar = [](report::Memo &m, const std::string &linha) {
        if (!m.text.empty())
            m.text += "\r\n";
        m.text += linha;
    };

    report::Memo &tipo = memo(kVeiculos[0]), &placa = memo(kVeiculos[1]), &uf = memo(kVeiculos[2]),
                 &rntrc = memo(kVeiculos[3]);
    for (int i = 0; i < rodo.veic.Count(); ++i) {
        const TVeicCollectionItem &v = rodo.veic[i];
        acrescentar(tipo, v.tpVeic == tvReboque ? "Reboque" : "Tração");
        acrescentar(placa, v.placa);
        acrescentar(uf, v.UF);
        acrescentar(rntrc, v.Prop.RNTRC);
    }
    report::Memo &fornecedor = memo(kValePedagio[0]), &compra = memo(kValePedagio[1]),
                 &responsavel = memo(kValePedagio[2]);
    for (int i = 0; i < rodo.valePed.Count(); ++i) {
        const TValePedCollectionItem &vale = rodo.valePed[i];
        acrescentar(fornecedor, util::FormatarCNPJ(vale.CNPJForn));
        acrescentar(compra, vale.nCompra);
        acrescentar(responsavel, util::FormatarCNPJ(vale.CNPJPg));
    }
    dfe::PreencherCelulas(FCaixaMotorista, std::span<const TCelulaRodo>(kMotorista), rodo);
}

void TfrmDACTeRLRetrato::PreencherAereo()
{
    dfe::PreencherCelulas(FCaixaAereo, std::span<const TCelulaCTe>(kAereo), CTe());
}

void TfrmDACTeRLRetrato::PreencherAquaviario()
{
    dfe::PreencherCelulas(FCaixaAquaviario, std::span<const TCelulaCTe>(kAquaviario), CTe());
}

} // namespace cte

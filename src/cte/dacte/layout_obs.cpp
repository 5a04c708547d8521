// The observations band with the document's status over it, and the system line.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"
#include "cte/dacte/layout_texto.h"

#include "dfe/report/layout_construcao.h"
#include "rtl/datetime.h"
#include "rtl/text.h"

#include <algorithm>

namespace cte {

namespace {

using report::HAlign;

// The least size the status label shrinks to.
constexpr int kMenorFonteSituacao = 12;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

} // namespace

void TfrmDACTeRLRetrato::CriarObservacoes()
{
    report::Band &obs = *rlb_09_Obs;
    dfe::CriarRotulo(obs, "rllTituloObs", QRectF(3, 2, 736, 10), "OBSERVAÇÕES", Times(8, true), HAlign::Center);
    dfe::CriarLinhaH(obs, "rlsLinhaObs", 0, 13, 742);
    rlmObs = &dfe::CriarMemo(obs, "rlmObs", QRectF(4, 16, 734, 50), Times(8));
    rlmObs->autoHeight = true;
    rllMsgTeste = &dfe::CriarRotulo(obs, "rllMsgTeste", QRectF(0, 20, 742, 32),
                                    "AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL", Times(27, true), HAlign::Center);

    report::Band &sistema = *rlb_17_Sistema;
    rlsDataHoraImpressao =
        &dfe::CriarRotulo(sistema, "rlsDataHoraImpressao", QRectF(0, 2, 360, 12), "", Times(8));
    rllblSistema = &dfe::CriarRotulo(sistema, "rllblSistema", QRectF(362, 2, 380, 12), "", Times(8), HAlign::Right);
}

bool TfrmDACTeRLRetrato::ObsBeforePrint(report::PrintContext &contexto)
{
    const TCTe &cte = CTe();
    const TOvixCTeDACTeRL &dacte = DACTe();
    const int cStat = cte.procCTe.cStat;
    const dfe::TpcnTipoEmissao tpEmis = cte.ide.tpEmis;

    std::string texto = QuebrasDeLinha(cte.Compl.xObs);
    const auto linha = [&texto](const std::string &l) { texto += (texto.empty() ? "" : "\r\n") + l; };
    if ((tpEmis == dfe::teContingencia || tpEmis == dfe::teDPEC || tpEmis == dfe::teFSDA) && cStat != 100 &&
        cStat != 101 && cStat != 110)
        linha("DACTE em Contingência - Impresso em decorrência de problemas técnicos.");
    if (tpEmis == dfe::teDPEC && dacte.EPECEnviado())
        linha("EPEC regularmente recebida pela Receita Federal do Brasil");
    texto = rtl::StringReplace(texto, ";", "\r\n", rtl::rfReplaceAll);

    rllMsgTeste->visible = false;
    const bool naoEnviado = cStat <= 0;
    if (cte.ide.tpAmb == dfe::taHomologacao) {
        // Room for the status label over the memo.
        const int linhas = ContarLinhas(texto);
        if (linhas < 5) {
            for (int n = linhas; n < 6; ++n)
                texto += n == 0 ? " " : "\r\n";
        }
        rllMsgTeste->text = !cte.procCTe.nProt.empty() ? "CT-e SEM VALOR FISCAL - AMBIENTE DE HOMOLOGAÇÃO"
                                                       : "CT-e NÃO ENVIADO, SEM VALOR FISCAL - HOMOLOGAÇÃO";
        rllMsgTeste->visible = true;
    } else {
        // A production CT-e the authority never answered is not valid, protocol number
        // or not: it must not read as a test document.
        if (naoEnviado) {
            rllMsgTeste->text = "CT-e NÃO ENVIADO, SEM VALOR FISCAL";
            rllMsgTeste->visible = true;
        }
        if (cStat == 101 || dacte.Cancelada()) {
            rllMsgTeste->text = "CT-e CANCELADO";
            rllMsgTeste->visible = true;
        }
        if (cStat == 110) {
            rllMsgTeste->text = "CT-e DENEGADO";
            rllMsgTeste->visible = true;
        }
        if (cStat >= 1 && cStat != 100 && cStat != 101 && cStat != 110) {
            rllMsgTeste->text = cte.procCTe.xMotivo;
            rllMsgTeste->visible = true;
        }
    }
    rlmObs->text = std::move(texto);

    // The status must read whole: a long one takes a smaller font rather than lose its ends.
    report::Font fonte = Times(27, true);
    const report::TextMeasurer &medidor = contexto.measurer();
    while (fonte.pixelSize > kMenorFonteSituacao && medidor.width(rllMsgTeste->text, fonte) > rllMsgTeste->bounds.width())
        --fonte.pixelSize;
    rllMsgTeste->font = fonte;

    const double altura = rlmObs->neededHeight(contexto.measurer(), RLCTe.font) + 24;
    rlb_09_Obs->height = rllMsgTeste->visible ? std::max(altura, 68.0) : altura;
    return true;
}

bool TfrmDACTeRLRetrato::SistemaBeforePrint(report::PrintContext &contexto)
{
    const TOvixCTeDACTeRL &dacte = DACTe();
    rlsDataHoraImpressao->visible = dacte.ImprimirHoraSaida();
    rlsDataHoraImpressao->text = "DATA E HORA DA IMPRESSÃO: " + rtl::DateTimeToStr(contexto.now());
    rllblSistema->text = !dacte.Sistema().empty() || !dacte.Usuario().empty()
                             ? dacte.Sistema() + " - " + dacte.Usuario()
                             : std::string();
    return true;
}

} // namespace cte

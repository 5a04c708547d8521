// The annulled or substituted CT-e, the air cargo flow, and the notes of the issuer and of
// the tax authority.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"
#include "cte/dacte/layout_texto.h"

#include "dfe/accesskey.h"
#include "dfe/report/layout_construcao.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>

namespace cte {

namespace {

using report::HAlign;

// Where the key memos of the annulment band start, and its halves' left edges.
constexpr double kTopoChaves = 24;
constexpr double kMetades[] = {3, 374};
// The notes' memos start under their captions; the divider reaches past the taller one.
constexpr double kTopoNotas = 14;
constexpr double kFolgaDivisorNotas = 20;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// A caption over a key column: the number's column, then the key's with what the key is.
std::string LegendaChave(const std::string &documento, const char *papel)
{
    return util::PadRight("NÚMERO", 24) + "CHAVE  " + documento + "  " + papel;
}

// One listed CT-e: the number inside its key, then the key grouped.
std::string LinhaChave(const std::string &chave)
{
    return util::PadRight(rtl::Copy(chave, 26, 9), 17) + dfe::FormatarChaveAcesso(chave);
}

// The items of ObsCont or ObsFisco, one a line: field, colon, text.
void AcrescentarCampos(std::string &texto, const TObsContCollection &campos)
{
    for (int i = 0; i < campos.Count(); ++i) {
        const TObsContCollectionItem &c = campos.Items(i);
        if (!texto.empty())
            texto += "\r\n";
        texto += QuebrasDeLinha(c.xCampo) + ": " + QuebrasDeLinha(c.xTexto);
    }
}

std::string QuebrasNosPontoEVirgula(const std::string &texto)
{
    return rtl::StringReplace(texto, ";", "\r\n", rtl::rfReplaceAll);
}

} // namespace

void TfrmDACTeRLRetrato::CriarNotas()
{
    const report::Font legenda = Times(7);

    report::Band &anulado = *rlb_Cte_Anulado_Substituido;
    dfe::CriarRotulo(anulado, "rllTituloAnuladoSubstituido", QRectF(3, 1, 736, 10), "CT-e  ANULADO / SUBSTITUÍDO",
                     Times(8, true), HAlign::Center);
    dfe::CriarLinhaH(anulado, "rlsLinhaAnuladoSubstituido", 0, 12, 742);
    dfe::CriarLinhaV(anulado, "rldAnuladoSubstituido", 371, 12, 69);
    for (int metade = 0; metade < 2; ++metade) {
        const std::string n = std::to_string(metade + 1);
        const double x = kMetades[metade];
        report::Label &titulo = dfe::CriarRotulo(anulado, "rllTituloChave" + n, QRectF(x, 13, 365, 9), "", legenda);
        report::Memo &memo =
            dfe::CriarMemo(anulado, "rlmChave" + n, QRectF(x, kTopoChaves, 365, 12), Times(9));
        memo.wordWrap = false;
        memo.autoHeight = true;
        (metade == 0 ? rllTituloChave1 : rllTituloChave2) = &titulo;
        (metade == 0 ? rlmChave1 : rlmChave2) = &memo;
    }
    rllTituloChave2->visible = false;

    report::Band &fluxo = *rlb_Fluxo_Carga;
    dfe::CriarRotulo(fluxo, "rllTituloFluxo", QRectF(3, 1, 736, 10), "PREVISÃO DO FLUXO DA CARGA", Times(8, true),
                     HAlign::Center);
    dfe::CriarLinhaH(fluxo, "rlsLinhaFluxo", 0, 12, 742);
    constexpr double kColuna = 742.0 / 3;
    const char *const lugares[] = {"ORIGEM", "PASSAGEM", "DESTINO"};
    for (int i = 0; i < 3; ++i) {
        const double x = i * kColuna;
        if (i > 0)
            dfe::CriarLinhaV(fluxo, "rldFluxo" + std::to_string(i), x, 12, 32);
        dfe::CriarRotulo(fluxo, std::string("rllTituloSigla") + lugares[i], QRectF(x + 3, 13, kColuna - 6, 9),
                         std::string("SIGLA/CÓD. INT. DA FILIAL/PORTO/ESTAÇÃO/AEROPORTO DE ") + lugares[i], Times(6));
    }
    rllSiglaOrigem = &dfe::CriarRotulo(fluxo, "rllSiglaOrigem", QRectF(3, 24, kColuna - 6, 12), "", Times(9));
    rllSiglaPassagem = &dfe::CriarMemo(fluxo, "rllSiglaPassagem", QRectF(kColuna + 3, 23, kColuna - 6, 20), Times(8));
    rllSiglaDestino =
        &dfe::CriarRotulo(fluxo, "rllSiglaDestino", QRectF(2 * kColuna + 3, 24, kColuna - 6, 12), "", Times(9));

    report::Band &notas = *rlb_16_DadosExcEmitente;
    dfe::CriarRotulo(notas, "rllTituloExcEmitente", QRectF(3, 2, 492, 10), "USO EXCLUSIVO DO EMISSOR DO CT-E",
                     Times(8, true));
    dfe::CriarRotulo(notas, "rllTituloFisco", QRectF(506, 2, 228, 10), "RESERVADO AO FISCO", Times(8, true));
    rldDadosExcEmitente = &dfe::CriarLinhaV(notas, "rldDadosExcEmitente", 500, 0, 69);
    rlmObsExcEmitente = &dfe::CriarMemo(notas, "rlmObsExcEmitente", QRectF(4, kTopoNotas, 492, 12), Times(8));
    rlmObsFisco = &dfe::CriarMemo(notas, "rlmObsFisco", QRectF(506, kTopoNotas, 228, 12), Times(8));
    for (report::Memo *m : {rlmObsExcEmitente, rlmObsFisco})
        m->autoHeight = true;
}

bool TfrmDACTeRLRetrato::AnuladoSubstituidoBeforePrint()
{
    const TCTe &cte = CTe();
    rlmChave1->text.clear();
    rlmChave2->text.clear();
    rllTituloChave2->visible = false;
    const std::string documento = cte.ide.modelo == 67 ? "CT-E OS" : "CT-E";
    if (cte.ide.tpCTe == tcAnulacao) {
        // The caption's spelling is the form's own.
        rllTituloChave1->text = LegendaChave(documento, "ANUALADO");
        rlmChave1->text = LinhaChave(cte.infCteAnu.chCTe);
    } else {
        const TInfCteSub &sub = cte.infCTeNorm.infCteSub;
        rllTituloChave1->text = LegendaChave(documento, "SUBSTITUÍDO");
        rlmChave1->text = LinhaChave(sub.chCte);
        rllTituloChave2->text = LegendaChave(documento, "DE ANULAÇÃO");
        rllTituloChave2->visible = true;
        rlmChave2->text = LinhaChave(sub.refCteAnu);
    }
    return true;
}

bool TfrmDACTeRLRetrato::FluxoCargaBeforePrint()
{
    rllSiglaPassagem->text.clear();
    if (!rlb_Fluxo_Carga->enabled)
        return true;
    const TFluxo &fluxo = CTe().Compl.fluxo;
    rllSiglaOrigem->text = fluxo.xOrig;
    rllSiglaDestino->text = fluxo.xDest;
    for (int i = 0; i < fluxo.pass.Count(); ++i)
        rllSiglaPassagem->text += (i > 0 ? "\r\n" : "") + fluxo.pass.Items(i).xPass;
    return true;
}

bool TfrmDACTeRLRetrato::DadosExcEmitenteBeforePrint(report::PrintContext &contexto)
{
    const TCTe &cte = CTe();
    std::string emitente;
    AcrescentarCampos(emitente, cte.Compl.ObsCont);
    rlmObsExcEmitente->text = QuebrasNosPontoEVirgula(emitente);

    std::string fisco;
    if (!rtl::Trim(cte.imp.infAdFisco).empty())
        fisco = QuebrasDeLinha(cte.imp.infAdFisco);
    AcrescentarCampos(fisco, cte.Compl.ObsFisco);
    rlmObsFisco->text = QuebrasNosPontoEVirgula(fisco);

    if (rlmObsExcEmitente->text.empty() && rlmObsFisco->text.empty())
        return true;
    const double maior = std::max(rlmObsExcEmitente->neededHeight(contexto.measurer(), RLCTe.font),
                                  rlmObsFisco->neededHeight(contexto.measurer(), RLCTe.font));
    rldDadosExcEmitente->bounds.setHeight(maior + kFolgaDivisorNotas);
    return true;
}

} // namespace cte

// The receipt stubs the receiver signs and returns: at the top of page 1 (standard or,
// for an air CT-e, with the air transport terms), or at the foot of page 1.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/report/pecas.h"
#include "rtl/numbers.h"

#include <span>
#include <string_view>

namespace cte {

namespace {

using report::HAlign;

constexpr const char *kDeclaracao = "DECLARO QUE RECEBI OS VOLUMES DESTE CONHECIMENTO EM PERFEITO ESTADO PELO QUE DOU "
                                    "POR CUMPRIDO O PRESENTE CONTRATO DE TRANSPORTE";

constexpr const char *kTransporteAereo =
    "O Transporte coberto por este conhecimento se rege pelo código Brasileiro de Aeronáutica (Lei 7.565 de "
    "19/12/1986), especificamente pelas regras relativas a responsabilidade Civil prevista nos artigos 193, 241, 244, "
    "262 e 264, de cujo teor o Expedidor / Remetente declara concordar e ter plena ciência. O Expedidor / Remetente "
    "aceita como corretas todas as especificações impressas, manuscritas, datilografadas ou carimbadas neste "
    "conhecimento, certificando que os artigos perigosos descritos pela regulamentação da I.C.A.O. foram devidamente "
    "informados e acondicionados para transporte Aéreo.";

constexpr const char *kDataHora = "__/__/__    __:__";

constexpr dfe::TFontePeca Times(int pixels, bool negrito = false)
{
    return {pixels, negrito, "Times New Roman"};
}

constexpr dfe::TFontePeca kLegenda = Times(7);
constexpr dfe::TFontePeca kDeclaracaoFonte = Times(8);
using TPecaCanhoto = dfe::TPeca<TCTe>;

// The boxes of a stub, from the stub's top line: the receiver's name and identity,
// signature, arrival and departure, and the document's kind. '%' ends the names with the
// stub's suffix.
constexpr TPecaCanhoto kCaixasCanhoto[] = {
    dfe::LinhaH("rlsCanhotoTopo%", 0, 0, 742),
    dfe::LinhaH("rlsCanhotoBase%", 0, 62, 742),
    dfe::LinhaV("rlsCanhotoDiv1%", 203, 0, 62),
    dfe::LinhaV("rlsCanhotoDiv2%", 475, 0, 62),
    dfe::LinhaV("rlsCanhotoDiv3%", 595, 0, 62),

    dfe::Rotulo("rllNome%", 4, 3, 40, 9, "NOME", kLegenda),
    dfe::LinhaH("rlsNome%", 30, 24, 168),
    dfe::Rotulo("rllRG%", 4, 33, 40, 9, "RG", kLegenda),
    dfe::LinhaH("rlsRG%", 30, 54, 168),

    dfe::LinhaH("rlsAssinatura%", 215, 44, 248),
    dfe::Rotulo("rllAssinatura%", 206, 48, 266, 9, "ASSINATURA / CARIMBO", kLegenda, HAlign::Center),

    dfe::Rotulo("rllChegada%", 479, 3, 112, 9, "CHEGADA DATA/HORA", kLegenda),
    dfe::Rotulo("rllChegadaDataHora%", 479, 15, 112, 12, kDataHora, Times(9)),
    dfe::LinhaH("rlsChegada%", 475, 31, 120),
    dfe::Rotulo("rllSaida%", 479, 34, 112, 9, "SAÍDA DATA/HORA", kLegenda),
    dfe::Rotulo("rllSaidaDataHora%", 479, 46, 112, 12, kDataHora, Times(9)),

    dfe::Rotulo("rllCTe%", 599, 3, 139, 14, "CT-E", Times(11, true), HAlign::Center),
};

// The document's number and series under its kind, as each stub names them.
constexpr TPecaCanhoto kNumeroCanhotoTopo[] = {
    dfe::Rotulo("rllNumeroTitulo%", 599, 24, 24, 12, "N.", Times(9, true)),
    dfe::Rotulo("rllNumCTe2", 622, 22, 114, 14, "", Times(10, true)),
    dfe::Rotulo("rllSerieTitulo%", 599, 44, 40, 12, "SÉRIE:", Times(9, true)),
    dfe::Rotulo("rllSerie2", 640, 42, 96, 14, "", Times(10, true)),
};
constexpr TPecaCanhoto kNumeroCanhotoRodape[] = {
    dfe::Rotulo("rllNumeroTitulo%", 599, 24, 24, 12, "N. ", Times(9, true)),
    dfe::Rotulo("rllNumCTe3", 622, 22, 114, 14, "", Times(10, true)),
    dfe::Rotulo("rllSerieTitulo%", 599, 44, 40, 12, "SÉRIE:", Times(9, true)),
    dfe::Rotulo("rllSerie3", 640, 42, 96, 14, "", Times(10, true)),
};

// The top stub: the declaration (or the summary in its place) over the boxes, the cut
// line under them.
constexpr TPecaCanhoto kDeclaracaoTopo[] = {
    dfe::Rotulo("rllDeclaracao1", 2, 3, 738, 10, kDeclaracao, kDeclaracaoFonte, HAlign::Center),
    dfe::Rotulo("rllResumoCanhotoCTe", 2, 3, 738, 10, "", kDeclaracaoFonte, HAlign::Center).Oculta(),
};
constexpr TPecaCanhoto kCorteTopo[] = {
    dfe::LinhaH("rlsCorte1", 0, 78, 742).Pontilhada(),
};

// The air stub: the declaration and the air transport terms over two signature blocks.
constexpr TPecaCanhoto kCanhotoAereo[] = {
    dfe::Rotulo("rllDeclaracaoAereo", 2, 3, 738, 10, kDeclaracao, kDeclaracaoFonte, HAlign::Center),
    dfe::Memo("rlmTransporteAereo", 4, 15, 734, 46, kTransporteAereo, Times(7)),
    dfe::LinhaH("rlsAereoTopo", 0, 63, 742),
    dfe::LinhaV("rlsAereoDiv", 371, 63, 61),
};
constexpr TPecaCanhoto kTituloExpedidor[] = {
    dfe::Rotulo("rllTituloAereoExpedidor", 4, 66, 362, 10, "EXPEDIDOR / REMETENTE", Times(8, true), HAlign::Center),
};
constexpr TPecaCanhoto kTituloDestinatario[] = {
    dfe::Rotulo("rllTituloAereoDestinatario", 375, 66, 362, 10, "DESTINATÁRIO / RECEBEDOR", Times(8, true),
                HAlign::Center),
};
// A signature block's four lines to fill in, from the block's left side.
constexpr TPecaCanhoto kAssinaturaAerea[] = {
    dfe::Rotulo("rllAereo%1", 4, 80, 60, 9, "NOME", kLegenda),
    dfe::LinhaH("rlsAereo%1", 66, 89, 296),
    dfe::Rotulo("rllAereo%2", 4, 91, 60, 9, "RG", kLegenda),
    dfe::LinhaH("rlsAereo%2", 66, 100, 296),
    dfe::Rotulo("rllAereo%3", 4, 102, 60, 9, "DATA / HORA", kLegenda),
    dfe::LinhaH("rlsAereo%3", 66, 111, 296),
    dfe::Rotulo("rllAereo%4", 4, 113, 60, 9, "ASSINATURA", kLegenda),
    dfe::LinhaH("rlsAereo%4", 66, 122, 296),
};

// The bottom stub: no frame of its own, its boxes closed by the side lines.
constexpr TPecaCanhoto kDeclaracaoRodape[] = {
    dfe::Rotulo("rllResumoCanhotoCTe2", 2, 4, 738, 10, "", kDeclaracaoFonte, HAlign::Center),
    dfe::Rotulo("rllDeclaracao3", 2, 17, 738, 10, kDeclaracao, kDeclaracaoFonte, HAlign::Center),
};
constexpr TPecaCanhoto kLadosRodape[] = {
    dfe::LinhaV("rlsRodapeEsquerda", 0, 30, 62),
    dfe::LinhaV("rlsRodapeDireita", 741, 30, 62),
};

// A stub's boxes y pixels below the band's top, their names ended by sufixo, with the
// number and series as the stub names them.
dfe::TPecasCriadas CriarCaixasCanhoto(report::Band &b, double y, std::string_view sufixo,
                                      std::span<const TPecaCanhoto> numero)
{
    const dfe::TLugarPecas lugar{0, y, sufixo};
    dfe::TPecasCriadas criadas = dfe::CriarPecas<TCTe>(b, kCaixasCanhoto, lugar);
    const dfe::TPecasCriadas numeros = dfe::CriarPecas<TCTe>(b, numero, lugar);
    criadas.controles.insert(criadas.controles.end(), numeros.controles.begin(), numeros.controles.end());
    return criadas;
}

} // namespace

void TfrmDACTeRLRetrato::CriarCanhotos()
{
    // Top stub.
    report::Band &topo = *rlb_01_Recibo;
    const dfe::TPecasCriadas declaracao = dfe::CriarPecas<TCTe>(topo, kDeclaracaoTopo);
    rllDeclaracao1 = &declaracao.De<report::Label>("rllDeclaracao1");
    rllResumoCanhotoCTe = &declaracao.De<report::Label>("rllResumoCanhotoCTe");
    const dfe::TPecasCriadas caixasTopo = CriarCaixasCanhoto(topo, 14, "1", kNumeroCanhotoTopo);
    rllCTe2 = &caixasTopo.De<report::Label>("rllCTe1");
    rllNumCTe2 = &caixasTopo.De<report::Label>("rllNumCTe2");
    rllSerie2 = &caixasTopo.De<report::Label>("rllSerie2");
    dfe::CriarPecas<TCTe>(topo, kCorteTopo);

    // Air stub.
    report::Band &aereo = *rlb_01_Recibo_Aereo;
    rlmTransporteAereo = &dfe::CriarPecas<TCTe>(aereo, kCanhotoAereo).De<report::Memo>("rlmTransporteAereo");
    dfe::CriarPecas<TCTe>(aereo, kTituloExpedidor);
    dfe::CriarPecas<TCTe>(aereo, kAssinaturaAerea, {0, 0, "Expedidor"});
    dfe::CriarPecas<TCTe>(aereo, kTituloDestinatario);
    dfe::CriarPecas<TCTe>(aereo, kAssinaturaAerea, {371, 0, "Destinatario"});

    // Bottom stub.
    report::Band &rodape = *rlb_18_Recibo;
    rllResumoCanhotoCTe2 =
        &dfe::CriarPecas<TCTe>(rodape, kDeclaracaoRodape).De<report::Label>("rllResumoCanhotoCTe2");
    const dfe::TPecasCriadas caixasRodape = CriarCaixasCanhoto(rodape, 30, "3", kNumeroCanhotoRodape);
    rllNumCTe3 = &caixasRodape.De<report::Label>("rllNumCTe3");
    rllSerie3 = &caixasRodape.De<report::Label>("rllSerie3");
    dfe::CriarPecas<TCTe>(rodape, kLadosRodape);
}

bool TfrmDACTeRLRetrato::CanhotoBeforePrint(report::PrintContext &)
{
    const TCTe &cte = CTe();
    if (cte.ide.modal == dfe::mdAereo || DACTe().PosCanhoto() != dfe::prCabecalho)
        return false;
    // An annulment or substitute CT-e keeps the stub's room blank.
    rlb_01_Recibo->enabled = cte.ide.tpCTe == tcNormal || cte.ide.tpCTe == tcComplemento;
    rllNumCTe2->text = rtl::FormatFloat("000,000,000", cte.ide.nCT);
    rllSerie2->text = std::to_string(cte.ide.serie);
    rllCTe2->text = cte.ide.modelo == 67 ? "CT-E OS" : "CT-E";
    return true;
}

bool TfrmDACTeRLRetrato::CanhotoAereoBeforePrint(report::PrintContext &)
{
    const TCTe &cte = CTe();
    if (cte.ide.modal != dfe::mdAereo)
        return false;
    rlb_01_Recibo_Aereo->enabled = cte.ide.tpCTe == tcNormal || cte.ide.tpCTe == tcComplemento;
    return true;
}

bool TfrmDACTeRLRetrato::CanhotoRodapeBeforePrint(report::PrintContext &)
{
    const TCTe &cte = CTe();
    rllResumoCanhotoCTe2->text = DACTe().ExibeResumoCanhoto() ? GetTextoResumoCanhoto() : std::string();
    rllSerie3->text = std::to_string(cte.ide.serie);
    rllNumCTe3->text = rtl::FormatFloat("000,000,000", cte.ide.nCT);
    const bool habilitado = (cte.ide.tpCTe == tcNormal || cte.ide.tpCTe == tcComplemento) &&
                            cte.ide.modal != dfe::mdAereo && DACTe().PosCanhoto() == dfe::prRodape;
    rlb_18_Recibo->enabled = habilitado;
    rlb_18_Recibo->height = habilitado ? 97 : 0;
    return true;
}

} // namespace cte

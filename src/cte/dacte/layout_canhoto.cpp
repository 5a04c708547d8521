// The receipt stubs the receiver signs and returns: at the top of page 1 (standard or,
// for an air CT-e, with the air transport terms), or at the foot of page 1.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/report/layout_construcao.h"
#include "rtl/numbers.h"

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

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// The controls of a stub's boxes, y pixels below the band's top: the receiver's name and
// identity, signature, arrival and departure, and the document's number and series.
// sufixo ends the names of the fixed controls; the number and series labels are returned.
struct TCaixasCanhoto {
    report::Label *documento = nullptr;
    report::Label *numero = nullptr;
    report::Label *serie = nullptr;
};

TCaixasCanhoto CriarCaixasCanhoto(report::Band &b, double y, const std::string &sufixo, const char *rotuloNumero,
                                  const char *nomeNumero, const char *nomeSerie)
{
    const report::Font legenda = Times(7);
    const report::Font valor = Times(10, true);
    const auto nome = [&sufixo](const char *base) { return std::string(base) + sufixo; };

    dfe::CriarLinhaH(b, nome("rlsCanhotoTopo"), 0, y, 742);
    dfe::CriarLinhaH(b, nome("rlsCanhotoBase"), 0, y + 62, 742);
    dfe::CriarLinhaV(b, nome("rlsCanhotoDiv1"), 203, y, 62);
    dfe::CriarLinhaV(b, nome("rlsCanhotoDiv2"), 475, y, 62);
    dfe::CriarLinhaV(b, nome("rlsCanhotoDiv3"), 595, y, 62);

    dfe::CriarRotulo(b, nome("rllNome"), QRectF(4, y + 3, 40, 9), "NOME", legenda);
    dfe::CriarLinhaH(b, nome("rlsNome"), 30, y + 24, 168);
    dfe::CriarRotulo(b, nome("rllRG"), QRectF(4, y + 33, 40, 9), "RG", legenda);
    dfe::CriarLinhaH(b, nome("rlsRG"), 30, y + 54, 168);

    dfe::CriarLinhaH(b, nome("rlsAssinatura"), 215, y + 44, 248);
    dfe::CriarRotulo(b, nome("rllAssinatura"), QRectF(206, y + 48, 266, 9), "ASSINATURA / CARIMBO", legenda,
                     HAlign::Center);

    dfe::CriarRotulo(b, nome("rllChegada"), QRectF(479, y + 3, 112, 9), "CHEGADA DATA/HORA", legenda);
    dfe::CriarRotulo(b, nome("rllChegadaDataHora"), QRectF(479, y + 15, 112, 12), kDataHora, Times(9));
    dfe::CriarLinhaH(b, nome("rlsChegada"), 475, y + 31, 120);
    dfe::CriarRotulo(b, nome("rllSaida"), QRectF(479, y + 34, 112, 9), "SAÍDA DATA/HORA", legenda);
    dfe::CriarRotulo(b, nome("rllSaidaDataHora"), QRectF(479, y + 46, 112, 12), kDataHora, Times(9));

    TCaixasCanhoto c;
    c.documento = &dfe::CriarRotulo(b, nome("rllCTe"), QRectF(599, y + 3, 139, 14), "CT-E", Times(11, true),
                                    HAlign::Center);
    dfe::CriarRotulo(b, nome("rllNumeroTitulo"), QRectF(599, y + 24, 24, 12), rotuloNumero, Times(9, true));
    c.numero = &dfe::CriarRotulo(b, nomeNumero, QRectF(622, y + 22, 114, 14), "", valor);
    dfe::CriarRotulo(b, nome("rllSerieTitulo"), QRectF(599, y + 44, 40, 12), "SÉRIE:", Times(9, true));
    c.serie = &dfe::CriarRotulo(b, nomeSerie, QRectF(640, y + 42, 96, 14), "", valor);
    return c;
}

// A signature block of the air stub: its title and the four lines to fill in.
void CriarAssinaturaAerea(report::Band &b, double x, const char *titulo, const std::string &sufixo)
{
    const report::Font legenda = Times(7);
    const auto nome = [&sufixo](const char *base) { return std::string(base) + sufixo; };
    dfe::CriarRotulo(b, nome("rllTituloAereo"), QRectF(x + 4, 66, 362, 10), titulo, Times(8, true), HAlign::Center);
    const char *linhas[] = {"NOME", "RG", "DATA / HORA", "ASSINATURA"};
    for (int i = 0; i < 4; ++i) {
        const double y = 80 + i * 11;
        dfe::CriarRotulo(b, nome("rllAereo") + std::to_string(i + 1), QRectF(x + 4, y, 60, 9), linhas[i], legenda);
        dfe::CriarLinhaH(b, nome("rlsAereo") + std::to_string(i + 1), x + 66, y + 9, 296);
    }
}

} // namespace

void TfrmDACTeRLRetrato::CriarCanhotos()
{
    const report::Font declaracao = Times(8);

    // Top stub.
    report::Band &topo = *rlb_01_Recibo;
    rllDeclaracao1 =
        &dfe::CriarRotulo(topo, "rllDeclaracao1", QRectF(2, 3, 738, 10), kDeclaracao, declaracao, HAlign::Center);
    rllResumoCanhotoCTe = &dfe::CriarRotulo(topo, "rllResumoCanhotoCTe", QRectF(2, 3, 738, 10), "", declaracao,
                                            HAlign::Center);
    rllResumoCanhotoCTe->visible = false;
    const TCaixasCanhoto caixasTopo = CriarCaixasCanhoto(topo, 14, "1", "N.", "rllNumCTe2", "rllSerie2");
    rllCTe2 = caixasTopo.documento;
    rllNumCTe2 = caixasTopo.numero;
    rllSerie2 = caixasTopo.serie;
    report::Line &corte = dfe::CriarLinhaH(topo, "rlsCorte1", 0, 78, 742);
    corte.dotted = true;

    // Air stub.
    report::Band &aereo = *rlb_01_Recibo_Aereo;
    dfe::CriarRotulo(aereo, "rllDeclaracaoAereo", QRectF(2, 3, 738, 10), kDeclaracao, declaracao, HAlign::Center);
    rlmTransporteAereo = &dfe::CriarMemo(aereo, "rlmTransporteAereo", QRectF(4, 15, 734, 46), Times(7));
    rlmTransporteAereo->text = kTransporteAereo;
    dfe::CriarLinhaH(aereo, "rlsAereoTopo", 0, 63, 742);
    dfe::CriarLinhaV(aereo, "rlsAereoDiv", 371, 63, 61);
    CriarAssinaturaAerea(aereo, 0, "EXPEDIDOR / REMETENTE", "Expedidor");
    CriarAssinaturaAerea(aereo, 371, "DESTINATÁRIO / RECEBEDOR", "Destinatario");

    // Bottom stub: no frame of its own, its boxes drawn by their lines.
    report::Band &rodape = *rlb_18_Recibo;
    rllResumoCanhotoCTe2 =
        &dfe::CriarRotulo(rodape, "rllResumoCanhotoCTe2", QRectF(2, 4, 738, 10), "", declaracao, HAlign::Center);
    dfe::CriarRotulo(rodape, "rllDeclaracao3", QRectF(2, 17, 738, 10), kDeclaracao, declaracao, HAlign::Center);
    const TCaixasCanhoto caixasRodape = CriarCaixasCanhoto(rodape, 30, "3", "N. ", "rllNumCTe3", "rllSerie3");
    rllNumCTe3 = caixasRodape.numero;
    rllSerie3 = caixasRodape.serie;
    dfe::CriarLinhaV(rodape, "rlsRodapeEsquerda", 0, 30, 62);
    dfe::CriarLinhaV(rodape, "rlsRodapeDireita", 741, 30, 62);
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

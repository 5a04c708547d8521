// The header of every page: the issuer, the document's identification (modal, model,
// series, number, sheet, date), the access key and its barcode, the kind of CT-e and of
// service, the taker or the globalized indicator, the protocol or the contingency data,
// and the QR Code.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/accesskey.h"
#include "dfe/report/layout_construcao.h"
#include "dfe/report/routines.h"
#include "rtl/datetime.h"
#include "rtl/numbers.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

namespace cte {

namespace {

using report::HAlign;

// The national CT-e portal, where the key is looked up.
constexpr const char *kPortal = "Autorizadora, ou em http://www.cte.fazenda.gov.br/portal";

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// A caption and its value under it, in a cell of the header.
report::Label &Celula(report::Band &b, const char *nomeLegenda, const char *legenda, const char *nome, double x,
                      double y, double largura, HAlign alinhamento = HAlign::Center, int pixels = 10)
{
    dfe::CriarRotulo(b, nomeLegenda, QRectF(x, y + 2, largura, 9), legenda, Times(7), alinhamento);
    return dfe::CriarRotulo(b, nome, QRectF(x, y + 12, largura, 13), "", Times(pixels, true), alinhamento);
}

} // namespace

void TfrmDACTeRLRetrato::CriarCabecalho()
{
    report::Band &b = *rlb_02_Cabecalho;

    // Issuer: its name across the block, the logo and the address lines under it.
    rlmEmitente = &dfe::CriarMemo(b, "rlmEmitente", QRectF(3, 4, 307, 28), Times(11, true), HAlign::Center);
    rliLogo = &b.add<report::Image>("rliLogo", QRectF(4, 34, 90, 86));
    rliLogo->fit = report::Image::Proportional;
    rliLogo->center = true;
    rlmDadosEmitente = &dfe::CriarMemo(b, "rlmDadosEmitente", QRectF(98, 34, 212, 88), Times(8));
    dfe::CriarLinhaV(b, "rlsLinhaV10", 313, 0, 184);

    // Kind of CT-e and of service; taker and payment (or what takes their place).
    dfe::CriarLinhaH(b, "rlsLinhaH01", 0, 124, 313);
    dfe::CriarLinhaH(b, "rlsLinhaH02", 0, 154, 313);
    rlsLinhaV01 = &dfe::CriarLinhaV(b, "rlsLinhaV01", 156, 124, 60);
    rllTipoCte = &Celula(b, "rllTituloTipoCte", "TIPO DO CT-E", "rllTipoCte", 3, 125, 150);
    rllTipoServico = &Celula(b, "rllTituloTipoServico", "TIPO DO SERVIÇO", "rllTipoServico", 159, 125, 151);
    rllTituloTomaServico = &dfe::CriarRotulo(b, "rllTituloTomaServico", QRectF(3, 157, 150, 9),
                                             "TOMADOR DO SERVIÇO", Times(7), HAlign::Center);
    rllTomaServico = &dfe::CriarRotulo(b, "rllTomaServico", QRectF(3, 167, 150, 13), "", Times(10, true),
                                       HAlign::Center);
    rllTituloFormaPagamento = &dfe::CriarRotulo(b, "rllTituloFormaPagamento", QRectF(159, 157, 151, 9),
                                                "FORMA DE PAGAMENTO", Times(7), HAlign::Center);
    rllFormaPagamento = &dfe::CriarRotulo(b, "rllFormaPagamento", QRectF(159, 167, 151, 13), "", Times(10, true),
                                          HAlign::Center);

    // Title and modal.
    dfe::CriarRotulo(b, "rllDACTE", QRectF(316, 1, 299, 14), "DACTE", Times(13, true), HAlign::Center);
    dfe::CriarRotulo(b, "rllDocumentoAuxiliar", QRectF(316, 15, 299, 10),
                     "Documento Auxiliar do Conhecimento de Transporte Eletrônico", Times(8), HAlign::Center);
    rlsLinhaV07 = &dfe::CriarLinhaV(b, "rlsLinhaV07", 618, 0, 132);
    rllModal = &Celula(b, "rllTituloModal", "MODAL", "rllModal", 621, 0, 116);
    dfe::CriarLinhaH(b, "rlsLinhaH04", 313, 26, 427);

    // Model, series, number, sheet, date of issue.
    rllModelo = &Celula(b, "rllTituloModelo", "MODELO", "rllModelo", 314, 26, 36);
    dfe::CriarLinhaV(b, "rlsLinhaV02", 350, 26, 26);
    rllSerie = &Celula(b, "rllTituloSerie", "SÉRIE", "rllSerie", 351, 26, 34);
    dfe::CriarLinhaV(b, "rlsLinhaV03", 385, 26, 26);
    rllNumCte = &Celula(b, "rllTituloNumero", "NÚMERO", "rllNumCte", 386, 26, 69);
    dfe::CriarLinhaV(b, "rlsLinhaV04", 455, 26, 26);
    dfe::CriarRotulo(b, "rllTituloFolha", QRectF(456, 28, 39, 9), "FOLHA", Times(7), HAlign::Center);
    rllPageNumber = &b.add<report::SystemField>("rllPageNumber", QRectF(456, 38, 39, 13),
                                                report::SystemInfo::PageOfPages, "0#/0#");
    rllPageNumber->font = Times(10, true);
    rllPageNumber->align = HAlign::Center;
    dfe::CriarLinhaV(b, "rlsLinhaV05", 495, 26, 26);
    rllEmissao = &Celula(b, "rllTituloEmissao", "DATA E HORA DE EMISSÃO", "rllEmissao", 496, 26, 121, HAlign::Center, 9);
    RLDraw99 = &dfe::CriarLinhaH(b, "RLDraw99", 313, 52, 305);

    // The key and its barcode.
    rlbCodigoBarras = &b.add<report::Barcode>("rlbCodigoBarras", QRectF(317, 55, 298, 26));
    rlbCodigoBarras->moduleWidth = kModuloCodigoBarrasDACTe;
    dfe::CriarRotulo(b, "rllTituloChave", QRectF(317, 82, 150, 9), "Chave de acesso", Times(7));
    rllChave = &dfe::CriarRotulo(b, "rllChave", QRectF(317, 91, 298, 12), "", Times(10, true), HAlign::Center);
    rlsLinhaH03 = &dfe::CriarLinhaH(b, "rlsLinhaH03", 313, 104, 305);

    // Where to check the document, or the contingency barcode over the same place.
    rllVariavel1 = &dfe::CriarRotulo(b, "rllVariavel1", QRectF(317, 107, 298, 10),
                                     "Consulta de autenticidade no portal nacional do CT-e, no site da Sefaz", Times(8),
                                     HAlign::Center);
    rllVariavel2 = &dfe::CriarRotulo(b, "rllVariavel2", QRectF(317, 118, 298, 10), kPortal, Times(8), HAlign::Center);
    RLBarcode1 = &b.add<report::Barcode>("RLBarcode1", QRectF(317, 104, 298, 28));
    RLBarcode1->moduleWidth = kModuloCodigoBarrasDACTe;

    // The QR Code beside them, at the right edge.
    imgQRCode = &b.add<report::Image>("imgQRCode", QRectF(618, 30, 122, 94));
    imgQRCode->fit = report::Image::Proportional;
    imgQRCode->center = true;
    imgQRCode->smooth = false;

    // Protocol; the addressee's SUFRAMA registration.
    dfe::CriarLinhaH(b, "rlsLinhaH05", 313, 132, 427);
    rllDescricao = &dfe::CriarRotulo(b, "rllDescricao", QRectF(316, 134, 421, 9), "N. PROTOCOLO", Times(7),
                                     HAlign::Center);
    rllProtocolo = &dfe::CriarRotulo(b, "rllProtocolo", QRectF(316, 144, 421, 13), "", Times(10, true),
                                     HAlign::Center);
    dfe::CriarLinhaH(b, "rlsLinhaH06", 313, 158, 427);
    rllInscSuframa = &Celula(b, "rllTituloInscSuframa", "INSC. SUFRAMA DO DESTINATÁRIO", "rllInscSuframa", 316, 158,
                             421);
}

// Once per document, from the report's before-print.
void TfrmDACTeRLRetrato::PrepararEmitente()
{
    const TCTe &cte = CTe();
    const TOvixCTeDACTeRL &dacte = DACTe();

    if (!dfe::TDFeReportFortes::CarregarLogo(*rliLogo, dacte.Logo())) {
        rlmDadosEmitente->bounds.setLeft(rlmEmitente->bounds.left());
        rlmDadosEmitente->bounds.setWidth(rlmEmitente->bounds.width());
    }
    if (dacte.ExpandeLogoMarca()) {
        rlmEmitente->visible = false;
        rlmDadosEmitente->visible = false;
        rliLogo->bounds = QRectF(2, 3, 311, 121);
        dfe::TDFeReportFortes::AjustarLogo(*rliLogo, dacte.ExpandeLogoMarcaConfig());
    } else {
        rlmEmitente->visible = true;
        rlmDadosEmitente->visible = true;
        rlmEmitente->text = cte.emit.xNome;
        const TEnderEmit &e = cte.emit.enderEmit;
        std::string linhas = e.xLgr + (e.nro == "0" ? std::string() : ", " + e.nro);
        const auto linha = [&linhas](const std::string &texto) { linhas += "\r\n" + texto; };
        if (!e.xCpl.empty())
            linha(e.xCpl);
        if (!e.xBairro.empty())
            linha(e.xBairro);
        linha("CEP: " + util::FormatarCEP(e.CEP) + " - " + e.xMun + " - " + e.UF);
        linha("CNPJ: " + util::FormatarCNPJ(cte.emit.CNPJ));
        linha("INSCRIÇÃO ESTADUAL: " + cte.emit.IE);
        linha("TELEFONE: " + util::FormatarFone(e.fone));
        if (!rtl::Trim(dacte.Site()).empty())
            linha("SITE: " + dacte.Site());
        if (!rtl::Trim(dacte.Email()).empty())
            linha("E-MAIL: " + dacte.Email());
        rlmDadosEmitente->text = std::move(linhas);
    }

    rllModal->text = dfe::TpModalToStrText(cte.ide.modal);
    rllModelo->text = std::to_string(cte.ide.modelo);
    rllSerie->text = std::to_string(cte.ide.serie);
    rllNumCte->text = rtl::FormatFloat("000,000,000", cte.ide.nCT);
    rllEmissao->text = util::FormatDateTimeBr(cte.ide.dhEmi, "DD/MM/YYYY hh:nn:ss");

    const std::string chave = util::OnlyNumber(cte.infCTe.Id);
    rlbCodigoBarras->data = chave;
    rllChave->text = dfe::FormatarChaveAcesso(chave);

    rllTipoCte->text = tpCTToStrText(cte.ide.tpCTe);
    rllTipoServico->text = TpServToStrText(cte.ide.tpServ);

    if (cte.infCTe.versao >= 3.0) {
        PrepararVersao300();
    } else {
        rllTomaServico->text =
            TpTomadorToStrText(!cte.ide.toma4.xNome.empty() ? cte.ide.toma4.toma : cte.ide.toma03.Toma);
        rllFormaPagamento->text = tpforPagToStrText(cte.ide.forPag);
    }
    PrepararProtocolo();
    rllInscSuframa->text = cte.dest.ISUF;
}

void TfrmDACTeRLRetrato::PrepararVersao300()
{
    const TCTe &cte = CTe();
    if (cte.ide.modelo == 67) {
        rllTituloTomaServico->text = "CÓDIGO FISCAL DE OPERAÇÕES E PRESTAÇÕES - NATUREZA DA OPERAÇÃO";
        rllTituloFormaPagamento->text.clear();
        // The operation takes the whole row: the divider stops at the row above.
        rlsLinhaV01->bounds.setHeight(31);
        rllTituloTomaServico->bounds.setWidth(307);
        rllTomaServico->text = rtl::FormatFloat("0000", cte.ide.CFOP) + " - " + cte.ide.natOp;
        rllTomaServico->autoWidth = true;
        rllTomaServico->align = HAlign::Left;
        rllTomaServico->bounds.setWidth(307);
        rllFormaPagamento->text.clear();
        return;
    }
    rllTituloTomaServico->text = "INDICADOR DO CT-E GLOBALIZADO";
    rllTituloFormaPagamento->text = "INFORMAÇÕES DO CT-E GLOBALIZADO";
    if (cte.ide.indGlobalizado == dfe::tiNao) {
        rllTomaServico->text = "NÃO";
    } else {
        rllTomaServico->text = "SIM";
        if (!rtl::Trim(cte.infCTeNorm.infGlobalizado.xObs).empty())
            rllFormaPagamento->text = cte.infCTeNorm.infGlobalizado.xObs;
    }
}

void TfrmDACTeRLRetrato::PrepararProtocolo()
{
    const TCTe &cte = CTe();
    const int cStat = cte.procCTe.cStat;
    const auto autorizado = [&] {
        rllVariavel1->visible = true;
        rllVariavel2->visible = true;
        RLBarcode1->visible = false;
        switch (cStat) {
        case 100: rllDescricao->text = "PROTOCOLO DE AUTORIZAÇÃO DE USO"; break;
        case 101: rllDescricao->text = "PROTOCOLO DE HOMOLOGAÇÃO DE CANCELAMENTO"; break;
        case 110: rllDescricao->text = "PROTOCOLO DE DENEGAÇÃO DE USO"; break;
        default: rllDescricao->text = "N. PROTOCOLO"; break;
        }
        rllProtocolo->text = cte.procCTe.nProt + "   " +
                             (cte.procCTe.dhRecbto != 0 ? rtl::DateTimeToStr(cte.procCTe.dhRecbto) : std::string());
    };
    const auto contingencia = [&] {
        rllVariavel1->visible = false;
        rllVariavel2->visible = false;
        RLBarcode1->visible = true;
        const std::string chave = DACTe().ChaveContingencia(cte);
        RLBarcode1->data = chave;
        rllDescricao->text = "DADOS DO CT-E";
        rllProtocolo->text = dfe::FormatarChaveAcesso(chave);
    };

    switch (cte.ide.tpEmis) {
    case dfe::teNormal:
    case dfe::teSCAN:
    case dfe::teSVCRS:
    case dfe::teSVCSP: autorizado(); break;
    case dfe::teContingencia:
    case dfe::teFSDA:
        if (cStat == 100 || cStat == 101 || cStat == 110)
            autorizado();
        else
            contingencia();
        break;
    case dfe::teDPEC: contingencia(); break;
    case dfe::teSVCAN:
    case dfe::teOffLine:
        // The form as designed: portal lines and an empty contingency barcode.
        rllVariavel1->visible = true;
        rllVariavel2->visible = true;
        RLBarcode1->visible = true;
        RLBarcode1->data.clear();
        rllDescricao->text = "N. PROTOCOLO";
        rllProtocolo->text.clear();
        break;
    }
}

bool TfrmDACTeRLRetrato::CabecalhoBeforePrint(report::PrintContext &)
{
    return true;
}

} // namespace cte

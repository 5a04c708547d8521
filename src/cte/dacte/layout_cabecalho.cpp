// The header of every page: the issuer, the document's identification (modal, model,
// series, number, sheet, date), the access key and its barcode, the kind of CT-e and of
// service, the taker or the globalized indicator, the protocol or the contingency data,
// and the QR Code.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/accesskey.h"
#include "dfe/report/pecas.h"
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

constexpr dfe::TFontePeca Times(int pixels, bool negrito = false)
{
    return {pixels, negrito, "Times New Roman"};
}

// A cell of the header: its caption over its value, both y + 2 and y + 12 below the cell's
// top line.
constexpr dfe::TDadosPeca LegendaCelula(const char *nome, const char *texto, double x, double y, double largura,
                                        HAlign alinhamento = HAlign::Center)
{
    return dfe::Rotulo(nome, x, y + 2, largura, 9, texto, Times(7), alinhamento);
}

constexpr dfe::TDadosPeca ValorCelula(const char *nome, double x, double y, double largura, int pixels = 10)
{
    return dfe::Rotulo(nome, x, y + 12, largura, 13, "", Times(pixels, true), HAlign::Center);
}

// The header's controls; the rules of the preparation fill them.
constexpr dfe::TPeca<TCTe> kCabecalho[] = {
    // Issuer: its name across the block, the logo and the address lines under it.
    dfe::Memo("rlmEmitente", 3, 4, 307, 28, "", Times(11, true), HAlign::Center),
    dfe::Retangulo(dfe::TTipoPeca::Imagem, "rliLogo", 4, 34, 90, 86),
    dfe::Memo("rlmDadosEmitente", 98, 34, 212, 88, "", Times(8)),
    dfe::LinhaV("rlsLinhaV10", 313, 0, 184),

    // Kind of CT-e and of service; taker and payment (or what takes their place).
    dfe::LinhaH("rlsLinhaH01", 0, 124, 313),
    dfe::LinhaH("rlsLinhaH02", 0, 154, 313),
    dfe::LinhaV("rlsLinhaV01", 156, 124, 60),
    LegendaCelula("rllTituloTipoCte", "TIPO DO CT-E", 3, 125, 150),
    ValorCelula("rllTipoCte", 3, 125, 150),
    LegendaCelula("rllTituloTipoServico", "TIPO DO SERVIÇO", 159, 125, 151),
    ValorCelula("rllTipoServico", 159, 125, 151),
    LegendaCelula("rllTituloTomaServico", "TOMADOR DO SERVIÇO", 3, 155, 150),
    ValorCelula("rllTomaServico", 3, 155, 150),
    LegendaCelula("rllTituloFormaPagamento", "FORMA DE PAGAMENTO", 159, 155, 151),
    ValorCelula("rllFormaPagamento", 159, 155, 151),

    // Title and modal.
    dfe::Rotulo("rllDACTE", 316, 1, 299, 14, "DACTE", Times(13, true), HAlign::Center),
    dfe::Rotulo("rllDocumentoAuxiliar", 316, 15, 299, 10, "Documento Auxiliar do Conhecimento de Transporte Eletrônico",
                Times(8), HAlign::Center),
    dfe::LinhaV("rlsLinhaV07", 618, 0, 132),
    LegendaCelula("rllTituloModal", "MODAL", 621, 0, 116),
    ValorCelula("rllModal", 621, 0, 116),
    dfe::LinhaH("rlsLinhaH04", 313, 26, 427),

    // Model, series, number, sheet, date of issue.
    LegendaCelula("rllTituloModelo", "MODELO", 314, 26, 36),
    ValorCelula("rllModelo", 314, 26, 36),
    dfe::LinhaV("rlsLinhaV02", 350, 26, 26),
    LegendaCelula("rllTituloSerie", "SÉRIE", 351, 26, 34),
    ValorCelula("rllSerie", 351, 26, 34),
    dfe::LinhaV("rlsLinhaV03", 385, 26, 26),
    LegendaCelula("rllTituloNumero", "NÚMERO", 386, 26, 69),
    ValorCelula("rllNumCte", 386, 26, 69),
    dfe::LinhaV("rlsLinhaV04", 455, 26, 26),
    LegendaCelula("rllTituloFolha", "FOLHA", 456, 26, 39),
    dfe::CampoPagina(dfe::TTipoPeca::PaginaDeTotal, "rllPageNumber", 456, 38, 39, 13, "0#/0#", Times(10, true),
                     HAlign::Center),
    dfe::LinhaV("rlsLinhaV05", 495, 26, 26),
    LegendaCelula("rllTituloEmissao", "DATA E HORA DE EMISSÃO", 496, 26, 121),
    ValorCelula("rllEmissao", 496, 26, 121, 9),
    dfe::LinhaH("RLDraw99", 313, 52, 305),

    // The key and its barcode.
    dfe::CodigoBarras("rlbCodigoBarras", 317, 55, 298, 26, kModuloCodigoBarrasDACTe),
    dfe::Rotulo("rllTituloChave", 317, 82, 150, 9, "Chave de acesso", Times(7)),
    dfe::Rotulo("rllChave", 317, 91, 298, 12, "", Times(10, true), HAlign::Center),
    dfe::LinhaH("rlsLinhaH03", 313, 104, 305),

    // Where to check the document, or the contingency barcode over the same place.
    dfe::Rotulo("rllVariavel1", 317, 107, 298, 10,
                "Consulta de autenticidade no portal nacional do CT-e, no site da Sefaz", Times(8), HAlign::Center),
    dfe::Rotulo("rllVariavel2", 317, 118, 298, 10, kPortal, Times(8), HAlign::Center),
    dfe::CodigoBarras("RLBarcode1", 317, 104, 298, 28, kModuloCodigoBarrasDACTe),

    // The QR Code beside them, at the right edge.
    dfe::Retangulo(dfe::TTipoPeca::Imagem, "imgQRCode", 618, 30, 122, 94).Serrilhada(),

    // Protocol; the addressee's SUFRAMA registration.
    dfe::LinhaH("rlsLinhaH05", 313, 132, 427),
    LegendaCelula("rllDescricao", "N. PROTOCOLO", 316, 132, 421),
    ValorCelula("rllProtocolo", 316, 132, 421),
    dfe::LinhaH("rlsLinhaH06", 313, 158, 427),
    LegendaCelula("rllTituloInscSuframa", "INSC. SUFRAMA DO DESTINATÁRIO", 316, 158, 421),
    ValorCelula("rllInscSuframa", 316, 158, 421),
};

} // namespace

void TfrmDACTeRLRetrato::CriarCabecalho()
{
    const dfe::TPecasCriadas p = dfe::CriarPecas<TCTe>(*rlb_02_Cabecalho, kCabecalho);
    rlmEmitente = &p.De<report::Memo>("rlmEmitente");
    rliLogo = &p.De<report::Image>("rliLogo");
    rlmDadosEmitente = &p.De<report::Memo>("rlmDadosEmitente");
    rlsLinhaV01 = &p.De<report::Line>("rlsLinhaV01");
    rllTipoCte = &p.De<report::Label>("rllTipoCte");
    rllTipoServico = &p.De<report::Label>("rllTipoServico");
    rllTituloTomaServico = &p.De<report::Label>("rllTituloTomaServico");
    rllTomaServico = &p.De<report::Label>("rllTomaServico");
    rllTituloFormaPagamento = &p.De<report::Label>("rllTituloFormaPagamento");
    rllFormaPagamento = &p.De<report::Label>("rllFormaPagamento");
    rlsLinhaV07 = &p.De<report::Line>("rlsLinhaV07");
    rllModal = &p.De<report::Label>("rllModal");
    rllModelo = &p.De<report::Label>("rllModelo");
    rllSerie = &p.De<report::Label>("rllSerie");
    rllNumCte = &p.De<report::Label>("rllNumCte");
    rllPageNumber = &p.De<report::SystemField>("rllPageNumber");
    rllEmissao = &p.De<report::Label>("rllEmissao");
    RLDraw99 = &p.De<report::Line>("RLDraw99");
    rlbCodigoBarras = &p.De<report::Barcode>("rlbCodigoBarras");
    rllChave = &p.De<report::Label>("rllChave");
    rlsLinhaH03 = &p.De<report::Line>("rlsLinhaH03");
    rllVariavel1 = &p.De<report::Label>("rllVariavel1");
    rllVariavel2 = &p.De<report::Label>("rllVariavel2");
    RLBarcode1 = &p.De<report::Barcode>("RLBarcode1");
    imgQRCode = &p.De<report::Image>("imgQRCode");
    rllDescricao = &p.De<report::Label>("rllDescricao");
    rllProtocolo = &p.De<report::Label>("rllProtocolo");
    rllInscSuframa = &p.De<report::Label>("rllInscSuframa");
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

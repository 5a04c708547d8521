// The header of every page (issuer, document name, number and series, access key and
// its barcode, protocol or contingency data, operation nature, registrations) and the
// status marks: the status text in the key box, the banner of a cancelled or denied NF-e
// and the contingency notice above the items.

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "nfe/component.h"

#include "dfe/accesskey.h"
#include "dfe/codes.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <cmath>

namespace nfe {

namespace {

using report::HAlign;

constexpr std::string_view kProtocoloAutorizacao = "PROTOCOLO DE AUTORIZAÇÃO DE USO";
// The key label shrinks until the key fits its box, but not below this size (points):
// smaller than that it could no longer be read.
constexpr int kMenorFonteChave = 6;
const QColor kCinza(0xC0, 0xC0, 0xC0);

using TCelula = TCelulaDANFe;

// A cell of the header's lower box, its caption 240 pixels wide.
constexpr TCelula Inscricao(int linha, const char *nomeLegenda, const char *legenda, const char *nome, double x0,
                            double x1, const char *nomeDivisor, dfe::TValorCelula<TDadosDANFe> valor)
{
    TCelula c = CampoDANFe(linha, nomeLegenda, legenda, nome, x0, x1, valor);
    c.larguraLegenda = 240;
    c.nomeDivisor = nomeDivisor;
    return c;
}

// Operation nature and protocol; registrations.
constexpr TCelula kNatureza[] = {
    Inscricao(0, "RLLabel28", "NATUREZA DE OPERAÇÃO", "rllNatOperacao", 0, 429, nullptr,
              [](const TDadosDANFe &d) { return d.nfe.Ide.natOp; }),
    // The protocol, or what takes its place (PrepararProtocolo).
    [] {
        TCelula c = Inscricao(0, "rllDadosVariaveis3_Descricao", "", "rllDadosVariaveis3", 429, 740,
                              "rliDivNatureza", nullptr);
        c.larguraLegenda = 305;
        c.alinhamento = HAlign::Center;
        return c;
    }(),
    Inscricao(1, "RLLabel29", "INSCRIÇÃO ESTADUAL", "rllInscricaoEstadual", 0, 247, nullptr,
              [](const TDadosDANFe &d) { return d.nfe.Emit.IE; }),
    Inscricao(1, "RLLabel30", "INSCRIÇÃO ESTADUAL DO SUBST. TRIB.", "rllInscrEstSubst", 247, 493, "rliDivInscricao1",
              [](const TDadosDANFe &d) { return d.nfe.Emit.IEST; }),
    Inscricao(1, "RLLabel31", "CNPJ / CPF", "rllCNPJ", 493, 740, "rliDivInscricao2",
              [](const TDadosDANFe &d) { return util::FormatarCNPJouCPF(d.nfe.Emit.CNPJCPF); }),
};
constexpr const char *kLinhasNatureza[] = {"rliLinhaInscricao"};

} // namespace

std::string NumeroNF(const TDadosDANFe &d)
{
    return "Nº " + util::IntToStrZero(d.nfe.Ide.nNF, 9);
}

std::string SerieNF(const TDadosDANFe &d)
{
    return "SÉRIE " + util::IntToStrZero(d.nfe.Ide.serie, 3);
}

void TfrlDANFeRLRetrato::CriarCabecalho()
{
    report::Band &b = *rlbEmitente;
    const report::Font legenda = dfe::CriarFonte(7);

    // Issuer box.
    rliEmitente = &dfe::CriarCaixa(b, "rliEmitente", QRectF(0, 0, 273, 117));
    rllEmitente = &dfe::CriarRotulo(b, "rllEmitente", QRectF(4, 3, 265, 10), "IDENTIFICAÇAO DO EMITENTE", legenda,
                               HAlign::Left, tagTituloCaixa);
    rliLogo = &b.add<report::Image>("rliLogo", QRectF(8, 48, 67, 63));
    rliLogo->fit = report::Image::Proportional;
    rliLogo->center = true;
    rlmEmitente = &dfe::CriarMemo(b, "rlmEmitente", QRectF(8, 18, 258, 32), dfe::CriarFonte(11, true), HAlign::Center,
                             tagRazaoSocial);
    rlmEndereco = &dfe::CriarMemo(b, "rlmEndereco", QRectF(80, 48, 185, 33), dfe::CriarFonte(9, true));

    // Document name, direction, number, series and sheet.
    rllDANFE = &dfe::CriarRotulo(b, "rllDANFE", QRectF(276, 6, 150, 22), "DANFE", dfe::CriarFonte(19, true), HAlign::Center);
    rllDocumento1 = &dfe::CriarRotulo(b, "rllDocumento1", QRectF(276, 28, 150, 11), "DOCUMENTO AUXILIAR DA",
                                 dfe::CriarFonte(9, true), HAlign::Center);
    rllDocumento2 = &dfe::CriarRotulo(b, "rllDocumento2", QRectF(276, 40, 150, 11), "NOTA FISCAL ELETRÔNICA",
                                 dfe::CriarFonte(9, true), HAlign::Center);
    rllTipoEntrada = &dfe::CriarRotulo(b, "rllTipoEntrada", QRectF(292, 55, 84, 11), "0 - ENTRADA", dfe::CriarFonte(9));
    rllTipoSaida = &dfe::CriarRotulo(b, "rllTipoSaida", QRectF(292, 67, 84, 11), "1 - SAÍDA", dfe::CriarFonte(9));
    rliTipoEntrada = &dfe::CriarCaixa(b, "rliTipoEntrada", QRectF(378, 54, 25, 25));
    rllEntradaSaida = &dfe::CriarRotulo(b, "rllEntradaSaida", QRectF(378, 54, 25, 25), "", dfe::CriarFonte(16, true),
                                   HAlign::Center);
    rllEntradaSaida->verticalAlign = report::VAlign::Center;
    rllNumNF1 = &dfe::CriarRotulo(b, "rllNumNF1", QRectF(276, 82, 92, 15), "", dfe::CriarFonte(11, true));
    rllSERIE1 = &dfe::CriarRotulo(b, "rllSERIE1", QRectF(318, 98, 100, 15), "", dfe::CriarFonte(11, true));
    rllPageNumber = &b.add<report::SystemField>("rllPageNumber", QRectF(368, 82, 34, 15),
                                                report::SystemInfo::PageNumber, "fl. ");
    rllPageNumber->font = dfe::CriarFonte(11, true);
    rllPageNumber->align = HAlign::Right; // the sheet number runs on into its count
    rllLastPage = &b.add<report::SystemField>("rllLastPage", QRectF(402, 82, 24, 15), report::SystemInfo::PageCount,
                                              "/");
    rllLastPage->font = dfe::CriarFonte(11, true);

    // Key box.
    rliChave = &dfe::CriarCaixa(b, "rliChave", QRectF(429, 0, 311, 117));
    rliChave2 = &dfe::CriarLinhaH(b, "rliChave2", 429, 48, 311);
    rliChave3 = &dfe::CriarLinhaH(b, "rliChave3", 429, 78, 311);
    // The barcodes take the key box's width inside its borders, their modules centred in
    // it: the box's sides are far enough for the quiet zones.
    rlbCodigoBarras = &b.add<report::Barcode>("rlbCodigoBarras", QRectF(430, 5, 309, 40));
    rlbCodigoBarras->moduleWidth = kModuloCodigoBarras;
    rliFundoXmotivo = &dfe::CriarCaixa(b, "rliFundoXmotivo", QRectF(535, 5, 102, 16));
    rliFundoXmotivo->penWidth = 0;
    rliFundoXmotivo->fill = Qt::white;
    rliFundoXmotivo->visible = false;
    // Centred over the barcode, whatever the text's width, and over its upper part only:
    // the bars below stay whole for a scanner.
    rllXmotivo = &dfe::CriarRotulo(b, "rllXmotivo", QRectF(533.5, 6, 102, 16), "", dfe::CriarFonte(12, true),
                                   HAlign::Center);
    rllXmotivo->autoWidth = true;
    rllChaveAcesso = &dfe::CriarRotulo(b, "rllChaveAcesso", QRectF(432, 51, 150, 9), "CHAVE DE ACESSO", legenda,
                                  HAlign::Left, tagLegenda);
    rllChave = &dfe::CriarRotulo(b, "rllChave", QRectF(436, 61, 300, 15), "", dfe::CriarFonte(report::pointsToPixels(9), true),
                            HAlign::Center);
    rllChave->autoWidth = true;
    const report::Font portal = dfe::CriarFonte(9);
    rllDadosVariaveis1a = &dfe::CriarRotulo(b, "rllDadosVariaveis1a", QRectF(436, 80, 300, 11),
                                       "Consulta de autenticidade no portal nacional da NF-e", portal, HAlign::Center,
                                       tagPortal);
    rllDadosVariaveis1b = &dfe::CriarRotulo(b, "rllDadosVariaveis1b", QRectF(436, 91, 300, 11),
                                       "www.nfe.fazenda.gov.br/portal", portal, HAlign::Center, tagPortal);
    rllDadosVariaveis1c = &dfe::CriarRotulo(b, "rllDadosVariaveis1c", QRectF(436, 103, 300, 11),
                                       "ou no site da Sefaz Autorizadora", portal, HAlign::Center, tagPortal);
    rlbCodigoBarrasFS = &b.add<report::Barcode>("rlbCodigoBarrasFS", QRectF(430, 81, 309, 33));
    rlbCodigoBarrasFS->moduleWidth = kModuloCodigoBarras;
    rlbCodigoBarrasFS->visible = false;

    // Lower box: operation nature and protocol; registrations. Its lines are drawn before
    // its texts.
    RLDraw6 = &dfe::CriarCaixa(b, "RLDraw6", QRectF(0, 116, 740, 61));
    dfe::TCaixaCampos &caixa = NovaCaixa(b, *RLDraw6);
    dfe::TEstiloCaixa estilo = EstiloCaixaDANFe(kLinhasNatureza);
    estilo.linhasPrimeiro = true;
    dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kNatureza);
    FCaixaNatureza = &caixa;
    rllDadosVariaveis3_Descricao = &caixa.LegendaDe("rllDadosVariaveis3_Descricao");
    rllDadosVariaveis3 = &caixa.ValorDe("rllDadosVariaveis3");

    // Status bands above the items, on every page.
    RLLCanceladaDenegada = &dfe::CriarRotulo(*rlbCanceladaDenegada, "RLLCanceladaDenegada", QRectF(296, 3, 150, 24), "",
                                        dfe::CriarFonte(19, true), HAlign::Center);
    RLLCanceladaDenegada->autoWidth = true;
    RLLCanceladaDenegada->background = kCinza;
    rllAvisoContingencia = &dfe::CriarRotulo(*rlbAvisoContingencia, "rllAvisoContingencia", QRectF(0, 0, 742, 16), "",
                                        dfe::CriarFonte(11, true), HAlign::Center);
    rllAvisoContingencia->background = kCinza;
    rllAvisoContingencia->verticalAlign = report::VAlign::Center;
    rllContingencia = &dfe::CriarRotulo(*rlbAvisoContingencia, "rllContingencia", QRectF(0, 22, 742, 12), "",
                                   dfe::CriarFonte(9), HAlign::Center);
}

// ---- Status marks --------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararMarcasSituacao()
{
    const TNFe &nfe = NFe();
    const int cStat = nfe.procNFe.cStat;
    rllXmotivo->visible = true;
    rllXmotivo->text.clear();
    rlbCodigoBarras->visible = false;
    rllDadosVariaveis3_Descricao->visible = true;
    rllDadosVariaveis3->visible = true;

    const auto faixa = [this](const char *texto) {
        rlbCanceladaDenegada->visible = true;
        RLLCanceladaDenegada->text = texto;
    };
    const auto semProtocolo = [this] {
        rllDadosVariaveis3_Descricao->visible = false;
        rllDadosVariaveis3->visible = false;
    };

    if (DANFe().Cancelada()) {
        rllXmotivo->text = "NF-e CANCELADA";
        faixa("NF-e CANCELADA");
    } else {
        switch (cStat) {
        case 100:
            rllXmotivo->visible = false;
            break;
        case 101:
        case 135:
        case 151:
        case 155:
            rllXmotivo->text = "NF-e CANCELADA";
            break;
        case 110:
        case 205:
        case 301:
        case 302:
            rllXmotivo->text = "NF-e DENEGADA";
            faixa("NF-e DENEGADA");
            break;
        default:
            if (cStat > 0) {
                rllXmotivo->text = nfe.procNFe.xMotivo;
                semProtocolo();
            } else if (nfe.Ide.tpEmis == dfe::teNormal || nfe.Ide.tpEmis == dfe::teSCAN) {
                rllXmotivo->text = "NF-E NÃO ENVIADA PARA SEFAZ";
                semProtocolo();
            }
            break;
        }
    }
}

void TfrlDANFeRLRetrato::PosicionarMotivo(const report::TextMeasurer &medidor)
{
    const bool mostra = rllXmotivo->visible && !rllXmotivo->text.empty();
    rliFundoXmotivo->visible = mostra;
    if (!mostra)
        return;
    const report::Font fonte = rllXmotivo->fontOr(RLNFe.font);
    const double largura = medidor.width(rllXmotivo->text, fonte) + 8;
    const double altura = medidor.lineHeight(fonte) + 2;
    const double centro = rllXmotivo->bounds.center().x();
    rliFundoXmotivo->bounds = QRectF(centro - largura / 2, rllXmotivo->bounds.top() - 1, largura, altura);
    rlbEmitente->bringToFront(*rliFundoXmotivo);
    rlbEmitente->bringToFront(*rllXmotivo);
}

// ---- Document identification and protocol ------------------------------------------------

void TfrlDANFeRLRetrato::PrepararCabecalho()
{
    const TNFe &nfe = NFe();
    rllChave->text = dfe::FormatarChaveAcesso(nfe.infNFe.ID);
    AjustarFonteChave();
    rlbCodigoBarras->visible = true;
    rlbCodigoBarras->data = util::OnlyNumber(nfe.infNFe.ID);

    rllNumNF1->text = NumeroNF(Dados());
    rllSERIE1->text = SerieNF(Dados());
    PreencherCanhoto();
    rllEntradaSaida->text = dfe::tpNFToStr(nfe.Ide.tpNF);

    PrepararProtocolo();
}

void TfrlDANFeRLRetrato::AjustarFonteChave()
{
    // The label sizes itself around its centre; it must stay 10 pixels inside the key box.
    report::Font fonte = rllChave->fontOr(RLNFe.font);
    int pontos = static_cast<int>(std::lround(fonte.pixelSize * 72.0 / 96.0));
    const double centro = rllChave->bounds.center().x();
    const double limite = rliChave->bounds.width();
    for (;;) {
        const double largura = FMedidor->width(rllChave->text, fonte);
        const double esquerda = centro - largura / 2 - rliChave->bounds.left();
        if (esquerda + largura + 10 <= limite || pontos <= kMenorFonteChave)
            break;
        --pontos;
        fonte.pixelSize = report::pointsToPixels(pontos);
    }
    rllChave->font = fonte;
}

void TfrlDANFeRLRetrato::PrepararProtocolo()
{
    const TNFe &nfe = NFe();
    const TProcNFe &proc = nfe.procNFe;
    const dfe::TpcnTipoEmissao tpEmis = nfe.Ide.tpEmis;
    const auto protocolo = [&proc](bool semDataVazia) {
        std::string texto = proc.nProt + " ";
        if (!(semDataVazia && proc.dhRecbto == 0))
            texto += util::FormatDateTimeBr(proc.dhRecbto);
        return texto;
    };
    const auto linhasPortal = [this](bool a, bool b, bool c) {
        rllDadosVariaveis1a->visible = a;
        rllDadosVariaveis1b->visible = b;
        rllDadosVariaveis1c->visible = c;
    };

    rllDadosVariaveis3_Descricao->text = kProtocoloAutorizacao;
    rlbCodigoBarrasFS->visible = tpEmis == dfe::teContingencia || tpEmis == dfe::teFSDA;
    rlbAvisoContingencia->visible = tpEmis != dfe::teNormal;
    rllAvisoContingencia->text = "DANFE em Contingência - Impresso em decorrência de problemas técnicos";
    linhasPortal(false, false, false);

    switch (tpEmis) {
    case dfe::teNormal:
    case dfe::teSCAN:
    case dfe::teSVCAN:
    case dfe::teSVCRS:
    case dfe::teSVCSP: {
        const bool autorizada = proc.cStat > 0;
        linhasPortal(autorizada, autorizada, autorizada);
        rllDadosVariaveis3->text = DANFe().Protocolo().empty() ? protocolo(false) : DANFe().Protocolo();
        break;
    }
    case dfe::teContingencia:
    case dfe::teFSDA: {
        std::string chave;
        if (TOvixNFe *componente = DANFe().OvixNFe())
            chave = componente->GerarChaveContingencia(nfe);
        else
            chave = rtl::TComponent::CreateFree<TOvixNFe>()->GerarChaveContingencia(nfe);
        rllDadosVariaveis3_Descricao->text = "DADOS DA NF-E";
        rllDadosVariaveis3->text = dfe::FormatarChaveAcesso(chave);
        rlbCodigoBarrasFS->data = chave;
        break;
    }
    case dfe::teDPEC:
        linhasPortal(true, true, false);
        if (!proc.nProt.empty()) {
            rllDadosVariaveis3->text = protocolo(true);
        } else {
            rllDadosVariaveis3_Descricao->text = "NÚMERO DE REGISTRO DO EPEC";
            if (!DANFe().Protocolo().empty())
                rllDadosVariaveis3->text = DANFe().Protocolo();
        }
        rlbAvisoContingencia->visible = proc.nProt.empty();
        rllAvisoContingencia->text =
            "DANFE impresso em contingência - DPEC regularmente recebida pela Receita Federal do Brasil";
        break;
    case dfe::teOffLine:
        break;
    }

    if (nfe.Ide.dhCont > 0 && !nfe.Ide.xJust.empty())
        rllContingencia->text = "Data / Hora da entrada em contingência: " + util::FormatDateTimeBr(nfe.Ide.dhCont) +
                                " Motivo contingência: " + nfe.Ide.xJust;
}

// ---- Issuer --------------------------------------------------------------------------------

void TfrlDANFeRLRetrato::PrepararEmitente()
{
    const TEmit &emitente = NFe().Emit;
    const TenderEmit &ender = emitente.EnderEmit;
    dfe::PreencherCelulas(*FCaixaNatureza, kNatureza, Dados());
    rlmEmitente->text = DANFe().ManterNomeImpresso(emitente.xNome, emitente.xFant);
    rlmEmitente->autoHeight = false;
    rlmEndereco->autoHeight = false;

    rlmEndereco->bounds.moveTop(rlmEmitente->bounds.top() + rlmEmitente->bounds.height());
    std::string endereco = rtl::Trim(ender.xLgr);
    if (ender.nro != "0")
        endereco += ", " + ender.nro;
    endereco += " " + rtl::Trim(ender.xCpl) + " - " + rtl::Trim(ender.xBairro) + " - CEP:" +
                util::FormatarCEP(ender.CEP) + " - " + ender.xMun + " - " + ender.UF;
    endereco += "\r\nTEL: " + util::FormatarFone(ender.fone);
    if (!DANFe().Fax().empty())
        endereco += " - FAX: " + util::FormatarFone(DANFe().Fax());
    if (!DANFe().Site().empty())
        endereco += "\r\n" + DANFe().Site();
    if (!DANFe().Email().empty())
        endereco += "\r\n" + DANFe().Email();
    rlmEndereco->text = std::move(endereco);
    rlmEndereco->bounds.setHeight(rliEmitente->bounds.height() - rlmEndereco->bounds.top() - 15);

    PreencherRecebemosDe();
}

} // namespace nfe

// The header of every page (issuer, document name, number and series, access key and
// its barcode, protocol or contingency data, operation nature, registrations) and the
// status marks: the status text in the key box, the banner of a cancelled or denied NF-e
// and the contingency notice above the items.

#include "dfe/report/pecas.h"
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

using TPeca = TPecaDANFe;
using dfe::TFontePeca;

constexpr TFontePeca kFonteLegenda{7};
constexpr TFontePeca kFontePortal{9};
constexpr QRgb kCinza = 0xFFC0C0C0;

// The issuer's address lines, with the phone, fax, site and e-mail of the settings.
std::string EnderecoEmitente(const TDadosDANFe &d)
{
    const TenderEmit &ender = d.nfe.Emit.EnderEmit;
    std::string endereco = rtl::Trim(ender.xLgr);
    if (ender.nro != "0")
        endereco += ", " + ender.nro;
    endereco += " " + rtl::Trim(ender.xCpl) + " - " + rtl::Trim(ender.xBairro) + " - CEP:" +
                util::FormatarCEP(ender.CEP) + " - " + ender.xMun + " - " + ender.UF;
    endereco += "\r\nTEL: " + util::FormatarFone(ender.fone);
    if (!d.danfe.Fax().empty())
        endereco += " - FAX: " + util::FormatarFone(d.danfe.Fax());
    if (!d.danfe.Site().empty())
        endereco += "\r\n" + d.danfe.Site();
    if (!d.danfe.Email().empty())
        endereco += "\r\n" + d.danfe.Email();
    return endereco;
}

// The header: issuer box; document name, direction, number, series and sheet; key box.
// The lower box (kNatureza) follows RLDraw6, the last row.
constexpr TPeca kEmitente[] = {
    dfe::Caixa("rliEmitente", 0, 0, 273, 117),
    dfe::Rotulo("rllEmitente", 4, 3, 265, 10, "IDENTIFICAÇAO DO EMITENTE", kFonteLegenda, HAlign::Left,
                tagTituloCaixa),
    dfe::Retangulo(dfe::TTipoPeca::Imagem, "rliLogo", 8, 48, 67, 63),
    {dfe::Memo("rlmEmitente", 8, 18, 258, 32, "", {11, true}, HAlign::Center, tagRazaoSocial),
     [](const TDadosDANFe &d) { return d.danfe.ManterNomeImpresso(d.nfe.Emit.xNome, d.nfe.Emit.xFant); }},
    {dfe::Memo("rlmEndereco", 80, 48, 185, 33, "", {9, true}), EnderecoEmitente},

    dfe::Rotulo("rllDANFE", 276, 6, 150, 22, "DANFE", {19, true}, HAlign::Center),
    dfe::Rotulo("rllDocumento1", 276, 28, 150, 11, "DOCUMENTO AUXILIAR DA", {9, true}, HAlign::Center),
    dfe::Rotulo("rllDocumento2", 276, 40, 150, 11, "NOTA FISCAL ELETRÔNICA", {9, true}, HAlign::Center),
    dfe::Rotulo("rllTipoEntrada", 292, 55, 84, 11, "0 - ENTRADA", {9}),
    dfe::Rotulo("rllTipoSaida", 292, 67, 84, 11, "1 - SAÍDA", {9}),
    dfe::Caixa("rliTipoEntrada", 378, 54, 25, 25),
    {dfe::Rotulo("rllEntradaSaida", 378, 54, 25, 25, "", {16, true}, HAlign::Center).Centrada(),
     [](const TDadosDANFe &d) { return dfe::tpNFToStr(d.nfe.Ide.tpNF); }},
    {dfe::Rotulo("rllNumNF1", 276, 82, 92, 15, "", {11, true}), NumeroNF},
    {dfe::Rotulo("rllSERIE1", 318, 98, 100, 15, "", {11, true}), SerieNF},
    // The sheet number runs on into its count.
    dfe::CampoPagina(dfe::TTipoPeca::NumeroPagina, "rllPageNumber", 368, 82, 34, 15, "fl. ", {11, true},
                     HAlign::Right),
    dfe::CampoPagina(dfe::TTipoPeca::TotalPaginas, "rllLastPage", 402, 82, 24, 15, "/", {11, true}),

    dfe::Caixa("rliChave", 429, 0, 311, 117),
    dfe::LinhaH("rliChave2", 429, 48, 311),
    dfe::LinhaH("rliChave3", 429, 78, 311),
    // The barcodes take the key box's width inside its borders, their modules centred in
    // it: the box's sides are far enough for the quiet zones.
    {dfe::CodigoBarras("rlbCodigoBarras", 430, 5, 309, 40, kModuloCodigoBarras),
     [](const TDadosDANFe &d) { return util::OnlyNumber(d.nfe.infNFe.ID); }},
    // White ground under the status text, so the key barcode never shows through it.
    dfe::Retangulo(dfe::TTipoPeca::Fundo, "rliFundoXmotivo", 535, 5, 102, 16).ComFundo(0xFFFFFFFF).Oculta(),
    // Centred over the barcode, whatever the text's width, and over its upper part only:
    // the bars below stay whole for a scanner.
    dfe::Rotulo("rllXmotivo", 533.5, 6, 102, 16, "", {12, true}, HAlign::Center).AutoLargura(),
    dfe::Rotulo("rllChaveAcesso", 432, 51, 150, 9, "CHAVE DE ACESSO", kFonteLegenda, HAlign::Left, tagLegenda),
    // 9 points.
    {dfe::Rotulo("rllChave", 436, 61, 300, 15, "", {12, true}, HAlign::Center).AutoLargura(),
     [](const TDadosDANFe &d) { return dfe::FormatarChaveAcesso(d.nfe.infNFe.ID); }},
    dfe::Rotulo("rllDadosVariaveis1a", 436, 80, 300, 11, "Consulta de autenticidade no portal nacional da NF-e",
                kFontePortal, HAlign::Center, tagPortal),
    dfe::Rotulo("rllDadosVariaveis1b", 436, 91, 300, 11, "www.nfe.fazenda.gov.br/portal", kFontePortal,
                HAlign::Center, tagPortal),
    dfe::Rotulo("rllDadosVariaveis1c", 436, 103, 300, 11, "ou no site da Sefaz Autorizadora", kFontePortal,
                HAlign::Center, tagPortal),
    dfe::CodigoBarras("rlbCodigoBarrasFS", 430, 81, 309, 33, kModuloCodigoBarras).Oculta(),

    dfe::Caixa("RLDraw6", 0, 116, 740, 61),
};

// Status bands above the items, on every page.
constexpr TPeca kCanceladaDenegada[] = {
    dfe::Rotulo("RLLCanceladaDenegada", 296, 3, 150, 24, "", {19, true}, HAlign::Center).AutoLargura().ComFundo(kCinza),
};
constexpr TPeca kAvisoContingencia[] = {
    dfe::Rotulo("rllAvisoContingencia", 0, 0, 742, 16, "", {11, true}, HAlign::Center).ComFundo(kCinza).Centrada(),
    dfe::Rotulo("rllContingencia", 0, 22, 742, 12, "", {9}, HAlign::Center),
};


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
    FPecasEmitente = dfe::CriarPecas<TDadosDANFe>(b, kEmitente);
    const dfe::TPecasCriadas &p = FPecasEmitente;
    rliEmitente = &p.De<report::Box>("rliEmitente");
    rliLogo = &p.De<report::Image>("rliLogo");
    rlmEmitente = &p.De<report::Memo>("rlmEmitente");
    rlmEndereco = &p.De<report::Memo>("rlmEndereco");
    rllNumNF1 = &p.De<report::Label>("rllNumNF1");
    rliChave = &p.De<report::Box>("rliChave");
    rlbCodigoBarras = &p.De<report::Barcode>("rlbCodigoBarras");
    rliFundoXmotivo = &p.De<report::Box>("rliFundoXmotivo");
    rllXmotivo = &p.De<report::Label>("rllXmotivo");
    rllChave = &p.De<report::Label>("rllChave");
    rllDadosVariaveis1a = &p.De<report::Label>("rllDadosVariaveis1a");
    rllDadosVariaveis1b = &p.De<report::Label>("rllDadosVariaveis1b");
    rllDadosVariaveis1c = &p.De<report::Label>("rllDadosVariaveis1c");
    rlbCodigoBarrasFS = &p.De<report::Barcode>("rlbCodigoBarrasFS");
    RLDraw6 = &p.De<report::Box>("RLDraw6");

    // Lower box: operation nature and protocol; registrations. Its lines are drawn before
    // its texts.
    dfe::TCaixaCampos &caixa = NovaCaixa(b, *RLDraw6);
    dfe::TEstiloCaixa estilo = EstiloCaixaDANFe(kLinhasNatureza);
    estilo.linhasPrimeiro = true;
    dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kNatureza);
    FCaixaNatureza = &caixa;
    rllDadosVariaveis3_Descricao = &caixa.LegendaDe("rllDadosVariaveis3_Descricao");
    rllDadosVariaveis3 = &caixa.ValorDe("rllDadosVariaveis3");

    const dfe::TPecasCriadas cancelada = dfe::CriarPecas<TDadosDANFe>(*rlbCanceladaDenegada, kCanceladaDenegada);
    RLLCanceladaDenegada = &cancelada.De<report::Label>("RLLCanceladaDenegada");
    const dfe::TPecasCriadas aviso = dfe::CriarPecas<TDadosDANFe>(*rlbAvisoContingencia, kAvisoContingencia);
    rllAvisoContingencia = &aviso.De<report::Label>("rllAvisoContingencia");
    rllContingencia = &aviso.De<report::Label>("rllContingencia");
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
    dfe::PreencherPecas(FPecasEmitente, kEmitente, Dados());
    AjustarFonteChave();
    rlbCodigoBarras->visible = true;
    PreencherCanhoto();
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
    dfe::PreencherCelulas(*FCaixaNatureza, kNatureza, Dados());
    rlmEmitente->autoHeight = false;
    rlmEndereco->autoHeight = false;
    rlmEndereco->bounds.moveTop(rlmEmitente->bounds.top() + rlmEmitente->bounds.height());
    rlmEndereco->bounds.setHeight(rliEmitente->bounds.height() - rlmEndereco->bounds.top() - 15);

    PreencherRecebemosDe();
}

} // namespace nfe

// The tax totals and the transport with its volumes, the last title bands of page 1.

#include "dfe/report/layout_construcao.h"
#include "nfe/danfe/component.h"
#include "nfe/danfe/layout.h"

#include "nfe/codes.h"

#include "util/formatter.h"
#include "util/toolbox.h"

#include <string>

namespace nfe {

namespace {

using report::HAlign;

const QColor kFundoTotal(0xE0, 0xE0, 0xE0);

// The right edge of the tax box and of its last cell.
constexpr double kFimImposto = 740;
// The divider that opens the products total, in both layouts of the first row.
constexpr double kDivisorProdutos = 573;

// The volume text of one volume, in the order of the first line's labels: quantity,
// species, brand, numbering, gross weight, net weight.
std::vector<std::string> TextosVolume(const TVolCollectionItem &vol)
{
    const auto peso = [](const rtl::Currency &valor) {
        return valor > rtl::Currency() ? util::FormatFloatBr(valor.ToDouble(), ",0.000") : std::string();
    };
    return {vol.qVol > 0 ? std::to_string(vol.qVol) : std::string(), vol.esp, vol.marca, vol.nVol, peso(vol.pesoB),
            peso(vol.pesoL)};
}

} // namespace

void TfrlDANFeRLRetrato::CriarTotais()
{
    // Tax totals: two rows; the first one's dividers move with the approximate taxes.
    {
        report::Band &b = *rlbImposto;
        CriarTituloQuadro(b, "rllQuadroImposto", "CÁLCULO DO IMPOSTO");
        rliImposto = &dfe::CriarCaixa(b, "rliImposto", QRectF(0, 13, 740, 61));
        TCaixaCampos &caixa = NovaCaixa(b, *rliImposto);
        TLinhaCampos &l1 = caixa.linhas.emplace_back();
        const auto legenda = [&](TLinhaCampos &linha, const char *nome, const char *texto, double x0, double x1) {
            report::Label &r = dfe::CriarRotulo(b, nome, QRectF(x0 + 3, 0, x1 - x0 - 6, 9), texto, dfe::CriarFonte(7),
                                           HAlign::Left, tagLegenda);
            linha.legendas.push_back(&r);
            return &r;
        };
        const auto valor = [&](TLinhaCampos &linha, const char *nome, double x0, double x1) {
            report::Label &r = dfe::CriarRotulo(b, nome, QRectF(x0 + 7, 0, x1 - x0 - 10, 13), "", dfe::CriarFonte(11),
                                           HAlign::Right, tagValorCampo);
            r.verticalAlign = report::VAlign::Bottom;
            linha.valores.push_back(&r);
            return &r;
        };
        const auto divisor = [&](TLinhaCampos &linha, const char *nome, double x) {
            report::Line &d = dfe::CriarLinhaV(b, nome, x, 0, 31);
            linha.divisores.push_back(&d);
            return &d;
        };
        // Placed for the six cells; PrepararImposto places them for the document.
        constexpr double d1[] = {0, 112, 228, 344, 460, kDivisorProdutos, kFimImposto};
        rllTituloBaseICMS = legenda(l1, "rllTituloBaseICMS", "BASE DE CÁLCULO DO ICMS", d1[0], d1[1]);
        rllTituloValorICMS = legenda(l1, "rllTituloValorICMS", "VALOR DO ICMS", d1[1], d1[2]);
        rllTituloBaseICMSST = legenda(l1, "rllTituloBaseICMSST", "BASE CÁLC. ICMS SUBST.", d1[2], d1[3]);
        rllTituloValorICMSST = legenda(l1, "rllTituloValorICMSST", "VALOR DO ICMS SUBST.", d1[3], d1[4]);
        rllTituloTotalTributos = legenda(l1, "rllTituloTotalTributos", "VALOR APROX. DOS TRIBUTOS", d1[4], d1[5]);
        rllTituloTotalProdutos = legenda(l1, "rllTituloTotalProdutos", "VALOR TOTAL DOS PRODUTOS", d1[5], d1[6]);
        rllBaseICMS = valor(l1, "rllBaseICMS", d1[0], d1[1]);
        rllValorICMS = valor(l1, "rllValorICMS", d1[1], d1[2]);
        rllBaseICMSST = valor(l1, "rllBaseICMSST", d1[2], d1[3]);
        rllValorICMSST = valor(l1, "rllValorICMSST", d1[3], d1[4]);
        rllTotalTributos = valor(l1, "rllTotalTributos", d1[4], d1[5]);
        rllTotalProdutos = valor(l1, "rllTotalProdutos", d1[5], d1[6]);
        rliDivImposto1 = divisor(l1, "rliDivImposto1", d1[1]);
        rliDivImposto2 = divisor(l1, "rliDivImposto2", d1[2]);
        rliDivImposto3 = divisor(l1, "rliDivImposto3", d1[3]);
        rliDivImposto4 = divisor(l1, "rliDivImposto4", d1[4]);
        rliDivImposto5 = divisor(l1, "rliDivImposto5", d1[5]);

        TLinhaCampos &l2 = caixa.linhas.emplace_back();
        l2.linhaSuperior = &dfe::CriarLinhaH(b, "rliImpostoLinha2", 0, 0, 740);
        // The invoice total stands out on grey, under its caption and value.
        report::Box &fundo = dfe::CriarCaixa(b, "rliFundoTotalNF", QRectF(kDivisorProdutos + 1, 0, 165, 29));
        fundo.penWidth = 0;
        fundo.fill = kFundoTotal;
        l2.fundos.push_back(&fundo);
        constexpr double d2[] = {0, 112, 228, 344, 460, kDivisorProdutos, kFimImposto};
        legenda(l2, "rllTituloValorFrete", "VALOR DO FRETE", d2[0], d2[1]);
        legenda(l2, "rllTituloValorSeguro", "VALOR DO SEGURO", d2[1], d2[2]);
        legenda(l2, "rllTituloDescontos", "DESCONTO", d2[2], d2[3]);
        legenda(l2, "rllTituloAcessorias", "OUTRAS DESP. ACESS.", d2[3], d2[4]);
        legenda(l2, "rllTituloValorIPI", "VALOR DO IPI", d2[4], d2[5]);
        legenda(l2, "rllTituloTotalNF", "VALOR TOTAL DA NOTA", d2[5], d2[6]);
        rllValorFrete = valor(l2, "rllValorFrete", d2[0], d2[1]);
        rllValorSeguro = valor(l2, "rllValorSeguro", d2[1], d2[2]);
        rllDescontos = valor(l2, "rllDescontos", d2[2], d2[3]);
        rllAcessorias = valor(l2, "rllAcessorias", d2[3], d2[4]);
        rllValorIPI = valor(l2, "rllValorIPI", d2[4], d2[5]);
        rllTotalNF = valor(l2, "rllTotalNF", d2[5], d2[6]);
        for (int i = 1; i <= 5; ++i)
            divisor(l2, ("rliDivImpostoLinha2_" + std::to_string(i)).c_str(), d2[i]);
    }

    // Transport: carrier, its address and the volumes, one line per volume.
    {
        report::Band &b = *rlbTransp;
        CriarTituloQuadro(b, "rllQuadroTransporte", "TRANSPORTADOR / VOLUMES TRANSPORTADOS");
        rliTransp = &dfe::CriarCaixa(b, "rliTransp", QRectF(0, 13, 740, 91));
        TCaixaCampos &caixa = NovaCaixa(b, *rliTransp);
        FCaixaTransp = &caixa;
        TLinhaCampos &l1 = caixa.linhas.emplace_back();
        rllTransNome = &CriarCampo(b, l1, "rllLegTransNome", "RAZÃO SOCIAL", "rllTransNome", 0, 270);
        rllTransModFrete = &CriarCampo(b, l1, "rllLegTransModFrete", "FRETE POR CONTA", "rllTransModFrete", 270, 395);
        rllTransCodigoANTT = &CriarCampo(b, l1, "rllLegTransCodigoANTT", "CÓDIGO ANTT", "rllTransCodigoANTT", 395, 480);
        rllTransPlaca = &CriarCampo(b, l1, "rllLegTransPlaca", "PLACA DO VEÍCULO", "rllTransPlaca", 480, 565);
        rllTransUFPlaca = &CriarCampo(b, l1, "rllLegTransUFPlaca", "UF", "rllTransUFPlaca", 565, 595);
        rllTransCNPJ = &CriarCampo(b, l1, "rllLegTransCNPJ", "CNPJ / CPF", "rllTransCNPJ", 595, 740, HAlign::Center);
        TLinhaCampos &l2 = caixa.linhas.emplace_back();
        l2.linhaSuperior = &dfe::CriarLinhaH(b, "rliTranspLinha2", 0, 0, 740);
        rllTransEndereco = &CriarCampo(b, l2, "rllLegTransEndereco", "ENDEREÇO", "rllTransEndereco", 0, 370);
        rllTransCidade = &CriarCampo(b, l2, "rllLegTransCidade", "MUNICÍPIO", "rllTransCidade", 370, 565);
        rllTransUF = &CriarCampo(b, l2, "rllLegTransUF", "UF", "rllTransUF", 565, 595);
        rllTransIE = &CriarCampo(b, l2, "rllLegTransIE", "INSCRIÇÃO ESTADUAL", "rllTransIE", 595, 740);
        TLinhaCampos &l3 = caixa.linhas.emplace_back();
        l3.linhaSuperior = &dfe::CriarLinhaH(b, "rliTranspLinha3", 0, 0, 740);
        // Volume labels are 14 high: every further volume adds a line of that height.
        rllTransQTDE = &CriarCampo(b, l3, "rllLegTransQTDE", "QUANTIDADE", "rllTransQTDE", 0, 80, HAlign::Right, 14);
        rllTransEspecie = &CriarCampo(b, l3, "rllLegTransEspecie", "ESPÉCIE", "rllTransEspecie", 80, 210,
                                      HAlign::Left, 14);
        rllTransMarca = &CriarCampo(b, l3, "rllLegTransMarca", "MARCA", "rllTransMarca", 210, 340, HAlign::Left, 14);
        rllTransNumeracao = &CriarCampo(b, l3, "rllLegTransNumeracao", "NUMERAÇÃO", "rllTransNumeracao", 340, 470,
                                        HAlign::Left, 14);
        rllTransPesoBruto = &CriarCampo(b, l3, "rllLegTransPesoBruto", "PESO BRUTO", "rllTransPesoBruto", 470, 605,
                                        HAlign::Right, 14);
        rllTransPesoLiq = &CriarCampo(b, l3, "rllLegTransPesoLiq", "PESO LÍQUIDO", "rllTransPesoLiq", 605, 740,
                                      HAlign::Right, 14);
    }

    // A transport that does not fit the room left goes whole to the next page, where it
    // reads with its captions. Many volumes can make it taller than any page, though: it
    // is then cut between two volume lines, starting where it is (once its fixed rows and
    // first volume fit) and continuing on as many pages as it needs.
    rlbTransp->beforePrint = [this](report::Band &banda, report::PrintContext &contexto) {
        const report::Report &relatorio = contexto.report();
        const double h = DANFe().AltLinhaComun();
        const double fixo = rliTransp->bounds.top() + FCaixaTransp->inicioLinhas +
                            static_cast<double>(FCaixaTransp->linhas.size()) * h + FCaixaTransp->bordaExtra;
        // A later page holds the header and then the bands that flow.
        const double pagina = relatorio.pageHeight() - report::mmToPx(relatorio.margins.top) -
                              report::mmToPx(relatorio.margins.bottom) - rlbEmitente->height;
        banda.canSplit = banda.height > pagina && contexto.freeHeight() >= fixo;
        return true;
    };
}

void TfrlDANFeRLRetrato::PrepararImposto()
{
    const TICMSTot &tot = NFe().Total.ICMSTot;
    const auto valor = [](const rtl::Currency &v) { return util::FormatFloatBr(v.ToDouble()); };
    rllBaseICMS->text = valor(tot.vBC);
    rllValorICMS->text = valor(tot.vICMS);
    rllBaseICMSST->text = valor(tot.vBCST);
    rllValorICMSST->text = valor(tot.vST);
    rllTotalProdutos->text = valor(tot.vProd);
    rllValorFrete->text = valor(tot.vFrete);
    rllValorSeguro->text = valor(tot.vSeg);
    rllDescontos->text = valor(tot.vDesc);
    rllAcessorias->text = valor(tot.vOutro);
    rllValorIPI->text = valor(tot.vIPI);
    rllTotalNF->text = valor(tot.vNF);

    // With approximate taxes the first row has six cells; without, the other four share
    // the room of the fifth.
    const bool tributos = tot.vTotTrib > rtl::Currency();
    rllTotalTributos->text = tributos ? valor(tot.vTotTrib) : std::string();
    rllTituloTotalTributos->visible = tributos;
    rllTotalTributos->visible = tributos;
    rliDivImposto4->visible = tributos;

    struct TCelula {
        report::Label *legenda;
        report::Label *valor;
        report::Line *abertura; // none for the first cell
    };
    std::vector<TCelula> celulas = {{rllTituloBaseICMS, rllBaseICMS, nullptr},
                                    {rllTituloValorICMS, rllValorICMS, rliDivImposto1},
                                    {rllTituloBaseICMSST, rllBaseICMSST, rliDivImposto2},
                                    {rllTituloValorICMSST, rllValorICMSST, rliDivImposto3}};
    if (tributos) {
        celulas.push_back({rllTituloTotalTributos, rllTotalTributos, rliDivImposto4});
        rliDivImposto1->bounds.moveLeft(112);
        rliDivImposto2->bounds.moveLeft(228);
        rliDivImposto3->bounds.moveLeft(344);
        rliDivImposto4->bounds.moveLeft(460);
    } else {
        rliDivImposto1->bounds.moveLeft(141);
        rliDivImposto2->bounds.moveLeft(285);
        rliDivImposto3->bounds.moveLeft(429);
    }
    rliDivImposto5->bounds.moveLeft(kDivisorProdutos);
    celulas.push_back({rllTituloTotalProdutos, rllTotalProdutos, rliDivImposto5});

    for (std::size_t i = 0; i < celulas.size(); ++i) {
        const double inicio = celulas[i].abertura ? celulas[i].abertura->bounds.left() : 0;
        const double fim = i + 1 < celulas.size() ? celulas[i + 1].abertura->bounds.left() : kFimImposto;
        celulas[i].legenda->bounds.moveLeft(inicio + 3);
        celulas[i].valor->bounds.moveLeft(inicio + 7);
        celulas[i].valor->bounds.setWidth(fim - inicio - 10);
    }
}

void TfrlDANFeRLRetrato::PrepararTransporte()
{
    const TNFe &nfe = NFe();
    const TTransp &transp = nfe.Transp;
    bool ok = false;
    rllTransModFrete->text = modFreteToDesStr(transp.modFrete, DblToVersaoDF(ok, nfe.infNFe.GetVersao()));
    rllTransCNPJ->text = util::FormatarCNPJouCPF(transp.Transporta.CNPJCPF);
    rllTransNome->text = transp.Transporta.xNome;
    rllTransIE->text = transp.Transporta.IE;
    rllTransEndereco->text = transp.Transporta.xEnder;
    rllTransCidade->text = transp.Transporta.xMun;
    rllTransUF->text = transp.Transporta.UF;
    rllTransCodigoANTT->text = transp.veicTransp.RNTC;
    rllTransPlaca->text = transp.veicTransp.placa;
    rllTransUFPlaca->text = transp.veicTransp.UF;

    report::Label *const primeira[] = {rllTransQTDE,      rllTransEspecie,   rllTransMarca,
                                       rllTransNumeracao, rllTransPesoBruto, rllTransPesoLiq};
    const TVolCollection &volumes = transp.Vol;
    const int n = volumes.Count();
    if (n == 0) {
        for (report::Label *rotulo : primeira)
            rotulo->text.clear();
    } else {
        const std::vector<std::string> textos = TextosVolume(volumes[0]);
        for (std::size_t c = 0; c < textos.size(); ++c)
            primeira[c]->text = textos[c];
    }

    // Every further volume gets a line of its own under the first, copies of its labels.
    for (int i = 1; i < n; ++i) {
        if (static_cast<std::size_t>(i) > FLinhasVolumes.size()) {
            std::vector<report::Label *> &linha = FLinhasVolumes.emplace_back();
            for (report::Label *modelo : primeira) {
                report::Label &copia = rlbTransp->add<report::Label>(modelo->name + std::to_string(i), modelo->bounds);
                copia.align = modelo->align;
                copia.verticalAlign = modelo->verticalAlign;
                copia.autoWidth = modelo->autoWidth;
                copia.font = modelo->font;
                copia.tag = modelo->tag;
                linha.push_back(&copia);
            }
        }
        const std::vector<std::string> textos = TextosVolume(volumes[i]);
        std::vector<report::Label *> &linha = FLinhasVolumes[static_cast<std::size_t>(i) - 1];
        for (std::size_t c = 0; c < linha.size(); ++c) {
            const report::Label &modelo = *primeira[c];
            report::Label &rotulo = *linha[c];
            rotulo.bounds = QRectF(modelo.bounds.left(), modelo.bounds.top() + i * modelo.bounds.height(),
                                   modelo.bounds.width(), modelo.bounds.height());
            rotulo.text = textos[c];
            rotulo.visible = true;
        }
    }
    // Lines of an earlier preparation that this one does not use.
    for (std::size_t i = n > 1 ? static_cast<std::size_t>(n) - 1 : 0; i < FLinhasVolumes.size(); ++i)
        for (report::Label *rotulo : FLinhasVolumes[i])
            rotulo->visible = false;

    // The box and the band grow by a line for every volume after the first, and the
    // volume columns keep their dividers down to the box's bottom.
    if (n > 1) {
        const double extra = (n - 1) * rllTransQTDE->bounds.height();
        rliTransp->bounds.setHeight(rliTransp->bounds.height() + extra);
        rlbTransp->height += extra;
        for (report::Control *divisor : FCaixaTransp->linhas.back().divisores)
            divisor->bounds.setHeight(divisor->bounds.height() + extra);
    }
}

} // namespace nfe

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

// The right edge of the tax box and of its last cell.
constexpr double kFimImposto = 740;
// The divider that opens the products total, in both layouts of the first row.
constexpr double kDivisorProdutos = 573;

using TCelula = TCelulaDANFe;

std::string Valor(const rtl::Currency &valor)
{
    return util::FormatFloatBr(valor.ToDouble());
}

// A cell of the tax box: its value right-aligned 7 pixels in from the divider.
constexpr TCelula Imposto(int linha, const char *nomeLegenda, const char *legenda, const char *nome, double x0,
                          double x1, const char *nomeDivisor, dfe::TValorCelula<TDadosDANFe> valor)
{
    TCelula c = CampoDANFe(linha, nomeLegenda, legenda, nome, x0, x1, valor, HAlign::Right);
    c.xValor = x0 + 7;
    c.nomeDivisor = nomeDivisor;
    return c;
}

// Placed for the six cells of the first row; PrepararImposto places them for the document.
constexpr TCelula kImposto[] = {
    Imposto(0, "rllTituloBaseICMS", "BASE DE CÁLCULO DO ICMS", "rllBaseICMS", 0, 112, nullptr,
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vBC); }),
    Imposto(0, "rllTituloValorICMS", "VALOR DO ICMS", "rllValorICMS", 112, 228, "rliDivImposto1",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vICMS); }),
    Imposto(0, "rllTituloBaseICMSST", "BASE CÁLC. ICMS SUBST.", "rllBaseICMSST", 228, 344, "rliDivImposto2",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vBCST); }),
    Imposto(0, "rllTituloValorICMSST", "VALOR DO ICMS SUBST.", "rllValorICMSST", 344, 460, "rliDivImposto3",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vST); }),
    Imposto(0, "rllTituloTotalTributos", "VALOR APROX. DOS TRIBUTOS", "rllTotalTributos", 460, kDivisorProdutos,
            "rliDivImposto4",
            [](const TDadosDANFe &d) {
                const rtl::Currency &v = d.nfe.Total.ICMSTot.vTotTrib;
                return v > rtl::Currency() ? Valor(v) : std::string();
            }),
    Imposto(0, "rllTituloTotalProdutos", "VALOR TOTAL DOS PRODUTOS", "rllTotalProdutos", kDivisorProdutos,
            kFimImposto, "rliDivImposto5", [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vProd); }),
    Imposto(1, "rllTituloValorFrete", "VALOR DO FRETE", "rllValorFrete", 0, 112, nullptr,
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vFrete); }),
    Imposto(1, "rllTituloValorSeguro", "VALOR DO SEGURO", "rllValorSeguro", 112, 228, "rliDivImpostoLinha2_1",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vSeg); }),
    Imposto(1, "rllTituloDescontos", "DESCONTO", "rllDescontos", 228, 344, "rliDivImpostoLinha2_2",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vDesc); }),
    Imposto(1, "rllTituloAcessorias", "OUTRAS DESP. ACESS.", "rllAcessorias", 344, 460, "rliDivImpostoLinha2_3",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vOutro); }),
    Imposto(1, "rllTituloValorIPI", "VALOR DO IPI", "rllValorIPI", 460, kDivisorProdutos, "rliDivImpostoLinha2_4",
            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vIPI); }),
    // The invoice total stands out on grey, under its caption and value.
    [] {
        TCelula c = Imposto(1, "rllTituloTotalNF", "VALOR TOTAL DA NOTA", "rllTotalNF", kDivisorProdutos, kFimImposto,
                            "rliDivImpostoLinha2_5",
                            [](const TDadosDANFe &d) { return Valor(d.nfe.Total.ICMSTot.vNF); });
        c.nomeFundo = "rliFundoTotalNF";
        c.fundo = 0xE0E0E0;
        return c;
    }(),
};
constexpr const char *kLinhasImposto[] = {"rliImpostoLinha2"};

// The volume text of one volume, in the order of the first line's cells: quantity,
// species, brand, numbering, gross weight, net weight.
std::string QuantidadeVolume(const TVolCollectionItem &vol)
{
    return vol.qVol > 0 ? std::to_string(vol.qVol) : std::string();
}
std::string Peso(const rtl::Currency &valor)
{
    return valor > rtl::Currency() ? util::FormatFloatBr(valor.ToDouble(), ",0.000") : std::string();
}
std::vector<std::string> TextosVolume(const TVolCollectionItem &vol)
{
    return {QuantidadeVolume(vol), vol.esp, vol.marca, vol.nVol, Peso(vol.pesoB), Peso(vol.pesoL)};
}
// The first volume's text read by a cell; none without volumes.
template <std::string (*Texto)(const TVolCollectionItem &)> std::string PrimeiroVolume(const TDadosDANFe &d)
{
    const TVolCollection &volumes = d.nfe.Transp.Vol;
    return volumes.Count() > 0 ? Texto(volumes[0]) : std::string();
}
std::string Especie(const TVolCollectionItem &vol) { return vol.esp; }
std::string Marca(const TVolCollectionItem &vol) { return vol.marca; }
std::string Numeracao(const TVolCollectionItem &vol) { return vol.nVol; }
std::string PesoBruto(const TVolCollectionItem &vol) { return Peso(vol.pesoB); }
std::string PesoLiquido(const TVolCollectionItem &vol) { return Peso(vol.pesoL); }

// The row of the volumes is the box's third; its labels are 14 high, and every further
// volume adds a line of that height.
constexpr int kLinhaVolumes = 2;
constexpr double kAlturaVolume = 14;

constexpr TCelula kTransporte[] = {
    CampoDANFe(0, "rllLegTransNome", "RAZÃO SOCIAL", "rllTransNome", 0, 270,
               [](const TDadosDANFe &d) { return d.nfe.Transp.Transporta.xNome; }),
    CampoDANFe(0, "rllLegTransModFrete", "FRETE POR CONTA", "rllTransModFrete", 270, 395,
               [](const TDadosDANFe &d) {
                   bool ok = false;
                   return modFreteToDesStr(d.nfe.Transp.modFrete, DblToVersaoDF(ok, d.nfe.infNFe.GetVersao()));
               }),
    CampoDANFe(0, "rllLegTransCodigoANTT", "CÓDIGO ANTT", "rllTransCodigoANTT", 395, 480,
               [](const TDadosDANFe &d) { return d.nfe.Transp.veicTransp.RNTC; }),
    CampoDANFe(0, "rllLegTransPlaca", "PLACA DO VEÍCULO", "rllTransPlaca", 480, 565,
               [](const TDadosDANFe &d) { return d.nfe.Transp.veicTransp.placa; }),
    CampoDANFe(0, "rllLegTransUFPlaca", "UF", "rllTransUFPlaca", 565, 595,
               [](const TDadosDANFe &d) { return d.nfe.Transp.veicTransp.UF; }),
    CampoDANFe(0, "rllLegTransCNPJ", "CNPJ / CPF", "rllTransCNPJ", 595, 740,
               [](const TDadosDANFe &d) { return util::FormatarCNPJouCPF(d.nfe.Transp.Transporta.CNPJCPF); },
               HAlign::Center),
    CampoDANFe(1, "rllLegTransEndereco", "ENDEREÇO", "rllTransEndereco", 0, 370,
               [](const TDadosDANFe &d) { return d.nfe.Transp.Transporta.xEnder; }),
    CampoDANFe(1, "rllLegTransCidade", "MUNICÍPIO", "rllTransCidade", 370, 565,
               [](const TDadosDANFe &d) { return d.nfe.Transp.Transporta.xMun; }),
    CampoDANFe(1, "rllLegTransUF", "UF", "rllTransUF", 565, 595,
               [](const TDadosDANFe &d) { return d.nfe.Transp.Transporta.UF; }),
    CampoDANFe(1, "rllLegTransIE", "INSCRIÇÃO ESTADUAL", "rllTransIE", 595, 740,
               [](const TDadosDANFe &d) { return d.nfe.Transp.Transporta.IE; }),
    CampoDANFe(kLinhaVolumes, "rllLegTransQTDE", "QUANTIDADE", "rllTransQTDE", 0, 80,
               PrimeiroVolume<QuantidadeVolume>, HAlign::Right, kAlturaVolume),
    CampoDANFe(kLinhaVolumes, "rllLegTransEspecie", "ESPÉCIE", "rllTransEspecie", 80, 210, PrimeiroVolume<Especie>,
               HAlign::Left, kAlturaVolume),
    CampoDANFe(kLinhaVolumes, "rllLegTransMarca", "MARCA", "rllTransMarca", 210, 340, PrimeiroVolume<Marca>,
               HAlign::Left, kAlturaVolume),
    CampoDANFe(kLinhaVolumes, "rllLegTransNumeracao", "NUMERAÇÃO", "rllTransNumeracao", 340, 470,
               PrimeiroVolume<Numeracao>, HAlign::Left, kAlturaVolume),
    CampoDANFe(kLinhaVolumes, "rllLegTransPesoBruto", "PESO BRUTO", "rllTransPesoBruto", 470, 605,
               PrimeiroVolume<PesoBruto>, HAlign::Right, kAlturaVolume),
    CampoDANFe(kLinhaVolumes, "rllLegTransPesoLiq", "PESO LÍQUIDO", "rllTransPesoLiq", 605, 740,
               PrimeiroVolume<PesoLiquido>, HAlign::Right, kAlturaVolume),
};
constexpr const char *kLinhasTransporte[] = {"rliTranspLinha2", "rliTranspLinha3"};

} // namespace

void TfrlDANFeRLRetrato::CriarTotais()
{
    // Tax totals: two rows; the first one's dividers move with the approximate taxes.
    {
        report::Band &b = *rlbImposto;
        CriarTituloQuadro(b, "rllQuadroImposto", "CÁLCULO DO IMPOSTO");
        dfe::TCaixaCampos &caixa = NovaCaixa(b, dfe::CriarCaixa(b, "rliImposto", QRectF(0, 13, 740, 61)));
        dfe::TEstiloCaixa estilo = EstiloCaixaDANFe(kLinhasImposto);
        estilo.porTipo = true;
        dfe::CriarCelulas<TDadosDANFe>(caixa, estilo, kImposto);
        FCaixaImposto = &caixa;
        rllTituloTotalTributos = &caixa.LegendaDe("rllTituloTotalTributos");
        rllTotalTributos = &caixa.ValorDe("rllTotalTributos");
        rliDivImposto1 = &caixa.DivisorDe("rliDivImposto1");
        rliDivImposto2 = &caixa.DivisorDe("rliDivImposto2");
        rliDivImposto3 = &caixa.DivisorDe("rliDivImposto3");
        rliDivImposto4 = &caixa.DivisorDe("rliDivImposto4");
        rliDivImposto5 = &caixa.DivisorDe("rliDivImposto5");
    }

    // Transport: carrier, its address and the volumes, one line per volume.
    {
        report::Band &b = *rlbTransp;
        CriarTituloQuadro(b, "rllQuadroTransporte", "TRANSPORTADOR / VOLUMES TRANSPORTADOS");
        rliTransp = &dfe::CriarCaixa(b, "rliTransp", QRectF(0, 13, 740, 91));
        dfe::TCaixaCampos &caixa = NovaCaixa(b, *rliTransp);
        dfe::CriarCelulas<TDadosDANFe>(caixa, EstiloCaixaDANFe(kLinhasTransporte), kTransporte);
        FCaixaTransp = &caixa;
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
    dfe::PreencherCelulas(*FCaixaImposto, kImposto, Dados());

    // With approximate taxes the first row has six cells; without, the other four share
    // the room of the fifth.
    const bool tributos = NFe().Total.ICMSTot.vTotTrib > rtl::Currency();
    rllTituloTotalTributos->visible = tributos;
    rllTotalTributos->visible = tributos;
    rliDivImposto4->visible = tributos;
    if (tributos) {
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
    dfe::DistribuirCelulas(*FCaixaImposto, 0, kFimImposto);
}

void TfrlDANFeRLRetrato::PrepararTransporte()
{
    dfe::PreencherCelulas(*FCaixaTransp, kTransporte, Dados());

    // The first volume's labels, in the order of TextosVolume.
    std::vector<report::Label *> primeira;
    for (const dfe::TCelulaCriada &celula : FCaixaTransp->celulas)
        if (celula.linha == kLinhaVolumes)
            primeira.push_back(celula.valor);
    const TVolCollection &volumes = NFe().Transp.Vol;
    const int n = volumes.Count();

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
        const double extra = (n - 1) * primeira.front()->bounds.height();
        rliTransp->bounds.setHeight(rliTransp->bounds.height() + extra);
        rlbTransp->height += extra;
        for (report::Control *divisor : FCaixaTransp->linhas[kLinhaVolumes].divisores)
            divisor->bounds.setHeight(divisor->bounds.height() + extra);
    }
}

} // namespace nfe

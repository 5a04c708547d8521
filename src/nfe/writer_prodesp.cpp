// The specific product groups inside an item's prod: new vehicles, medicines, weapons and
// fuels. Each writer writes nothing when its own condition fails.

#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"

namespace nfe {

using namespace dfe::escrita;

namespace {

using dfe::TGerador;
using rtl::Currency;

// An ANVISA code of exactly six characters is only valid as "ISENTO"; other lengths are
// left to the field's length limits.
bool ValidacProdANVISA(std::string_view codigo)
{
    return rtl::Length(codigo) != 6 || codigo == "ISENTO";
}

// The LPG blend percentages: a whole 100 % is written with two decimals and may be left
// out; any other value takes four decimals and is required.
void PercentualGLP(TGerador &g, std::string_view id, std::string_view tag, Currency valor,
                   std::string_view descricao)
{
    if (valor == Currency(100))
        g.wCampo(dfe::tcDe2, id, tag, 1, 7, 0, valor, descricao);
    else
        g.wCampo(dfe::tcDe4, id, tag, 1, 7, 1, valor, descricao);
}

void UFConsumo(TGerador &g, const std::string &UF)
{
    g.wCampo(dfe::tcStr, "L120", "UFCons", 2, 2, 1, UF, "Sigla da UF de consumo");
    if (!dfe::ValidarUF(UF))
        g.wAlerta("L120", "UFcons", "Sigla da UF de consumo", "Conteúdo inválido");
}

constexpr int LPG = 210203001;

} // namespace

void TNFeW::GerarDetProdVeicProd(int i)
{
    const TveicProd &v = FNFe.Det[i].Prod.veicProd;
    if (rtl::Trim(v.chassi).empty())
        return;

    const bool desde200 = FNFe.infNFe.GetVersao() >= 2.0;
    TGerador &g = FGerador;
    g.wGrupo("veicProd", "J01");
    g.wCampo(dfe::tcStr, "J02", "tpOp", 1, 1, 1, tpOPToStr(v.tpOP), "Tipo da operação");
    g.wCampo(dfe::tcStr, "J03", "chassi", 17, 17, 1, v.chassi, "Número do chassi");
    g.wCampo(dfe::tcStr, "J04", "cCor", 4, 4, 1, v.cCor, "Cor do Veículo");
    g.wCampo(dfe::tcStr, "J05", "xCor", 1, 40, 1, v.xCor, "Descrição da Cor");
    g.wCampo(dfe::tcStr, "J06", "pot", 1, 4, 1, v.pot, "Potência Motor");
    g.wCampo(dfe::tcStr, "J07", desde200 ? "cilin" : "CM3", 4, 4, 1, v.Cilin, "Cilindradas");
    g.wCampo(dfe::tcStr, "J08", "pesoL", 0, 9, 1, v.pesoL, "Peso Líquido (em kg)");
    g.wCampo(dfe::tcStr, "J09", "pesoB", 0, 9, 1, v.pesoB, "Peso Bruto (em kg)");
    g.wCampo(dfe::tcStr, "J10", "nSerie", 0, 9, 1, v.nSerie, "Número de série");
    g.wCampo(dfe::tcStr, "J11", "tpComb", 2, 2, 1, v.tpComb, "Tipo de combustível");
    g.wCampo(dfe::tcStr, "J12", "nMotor", 0, 21, 1, v.nMotor, "Número de Motor");
    if (desde200)
        g.wCampo(dfe::tcStr, "J13", "CMT", 1, 9, 1, v.CMT, "Capacidade Máxima de Tração");
    else
        g.wCampo(dfe::tcStr, "J13", "CMKG", 9, 9, 1, v.CMT, "Capacidade Máxima de Tração");
    g.wCampo(dfe::tcStr, "J14", "dist", 0, 4, 1, v.dist, "Distância entre os eixos");
    g.wCampo(dfe::tcInt, "J16", "anoMod", 0, 4, 1, v.anoMod, "Ano do Modelo de Fabricação");
    g.wCampo(dfe::tcInt, "J17", "anoFab", 0, 4, 1, v.anoFab, "Ano de Fabricação");
    g.wCampo(dfe::tcStr, "J18", "tpPint", 0, 1, 1, v.tpPint, "Tipo de Pintura");
    g.wCampo(dfe::tcInt, "J19", "tpVeic", 0, 2, 1, v.tpVeic, "Tipo de Veículo");
    g.wCampo(dfe::tcInt, "J20", "espVeic", 0, 1, 1, v.espVeic, "Espécie de veículo");
    g.wCampo(dfe::tcStr, "J21", "VIN", 0, 1, 1, v.VIN, "Condição do VIN");
    g.wCampo(dfe::tcStr, "J22", "condVeic", 0, 1, 1, condVeicToStr(v.condVeic),
             "Condições do Veículo");
    g.wCampo(dfe::tcStr, "J23", "cMod", 0, 6, 1, v.cMod, "Modelo do Veículo");
    if (desde200) {
        g.wCampo(dfe::tcStr, "J24", "cCorDENATRAN", 0, 2, 1, v.cCorDENATRAN,
                 "Código da Cor DENATRAN");
        g.wCampo(dfe::tcInt, "J25", "lota", 1, 3, 1, v.lota, "Indicador de lotação");
        g.wCampo(dfe::tcInt, "J26", "tpRest", 1, 1, 1, v.tpRest, "Restrição");
    }
    g.wGrupo("/veicProd");
}

void TNFeW::GerarDetProdMed(int i)
{
    const TmedCollection &med = FNFe.Det[i].Prod.med;
    const bool desde400 = FNFe.infNFe.GetVersao() >= 4.0;
    TGerador &g = FGerador;
    for (int j = 0; j < med.Count(); ++j) {
        const TmedCollectionItem &m = med[j];
        g.wGrupo("med", "K01");
        if (desde400) {
            g.wCampo(dfe::tcStr, "K01a", "cProdANVISA", 6, 13, 1, m.cProdANVISA,
                     "Código de Produto da ANVISA");
            if (!ValidacProdANVISA(m.cProdANVISA))
                g.wAlerta("K01a", "cProdANVISA", "Código de Produto da ANVISA", "Valor inválido.");
            g.wCampo(dfe::tcStr, "K01b", "xMotivoIsencao", 1, 255, 0, m.xMotivoIsencao,
                     "Código de Produto da ANVISA");
        } else {
            g.wCampo(dfe::tcStr, "K02", "nLote", 1, 20, 1, m.nLote, "Número do Lote do medicamento");
            g.wCampo(dfe::tcDe3, "K03", "qLote", 0, 11, 1, m.qLote,
                     "Quantidade de produto no Lote do medicamento");
            g.wCampo(dfe::tcDat, "K04", "dFab", 10, 10, 1, rtl::Variant::FromDateTime(m.dFab),
                     "Data de fabricação");
            g.wCampo(dfe::tcDat, "K05", "dVal", 10, 10, 1, rtl::Variant::FromDateTime(m.dVal),
                     "Data de validade");
        }
        g.wCampo(dfe::tcDe2, "K06", "vPMC", 0, 15, 1, m.vPMC, "Preço Máximo ao Consumidor");
        g.wGrupo("/med");
    }
    const int limite = desde400 ? 1 : 500;
    if (med.Count() > limite)
        g.wAlerta("K01", "med", "Numero do item", MensagemLimiteOcorrencias(limite));
}

void TNFeW::GerarDetProdArma(int i)
{
    const TarmaCollection &arma = FNFe.Det[i].Prod.arma;
    TGerador &g = FGerador;
    for (int j = 0; j < arma.Count(); ++j) {
        const TarmaCollectionItem &a = arma[j];
        g.wGrupo("arma", "L01");
        g.wCampo(dfe::tcStr, "L02", "tpArma", 1, 1, 1, tpArmaToStr(a.tpArma),
                 "Indicador do tipo de arma de fogo");
        g.wCampo(dfe::tcStr, "L03", "nSerie", 1, 15, 1, a.nSerie, "Número de série");
        g.wCampo(dfe::tcStr, "L04", "nCano", 1, 15, 1, a.nCano, "Numero de série do cano");
        g.wCampo(dfe::tcStr, "L05", "descr", 1, 256, 1, a.descr, "Descrição completa");
        g.wGrupo("/arma");
    }
    if (arma.Count() > 500)
        g.wAlerta("L01", "arma", "Numero do item", MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarDetProdComb(int i)
{
    const TComb &comb = FNFe.Det[i].Prod.comb;
    if (comb.cProdANP <= 0)
        return;

    const double versao = FNFe.infNFe.GetVersao();
    TGerador &g = FGerador;
    g.wGrupo("comb", "L01");
    g.wCampo(dfe::tcInt, "L102", "cProdANP", 9, 9, 1, comb.cProdANP, "Código do produto ANP");
    if (versao < 4.0)
        g.wCampo(dfe::tcDe4, "L102a", "pMixGN", 0, 6, 0, comb.pMixGN, "Percentual de Gás Natural");
    if (versao >= 4.0) {
        g.wCampo(dfe::tcStr, "LA03", "descANP", 2, 95, 1, comb.descANP,
                 "Descrição do produto conforme ANP");
        if (comb.cProdANP == LPG) {
            PercentualGLP(g, "LA03a", "pGLP", comb.pGLP,
                          "Percentual do GLP derivado do petróleo no produto GLP");
            PercentualGLP(g, "LA03b", "pGNn", comb.pGNn,
                          "Percentual de Gás Natural Nacional – GLGNn para o produto GLP");
            PercentualGLP(g, "LA03c", "pGNi", comb.pGNi,
                          "Percentual de Gás Natural Importado – GLGNi para o produto GLP");
            g.wCampo(dfe::tcDe2, "LA03d", "vPart", 1, 15, 0, comb.vPart, "Valor de partida");
        }
    }
    if (!rtl::Trim(comb.CODIF).empty())
        g.wCampo(dfe::tcEsp, "L103", "CODIF", 0, 21, 1, comb.CODIF,
                 "Código de autorização / registro do CODIF");
    if (comb.qTemp != Currency())
        g.wCampo(dfe::tcDe4, "L104", "qTemp", 1, 16, 1, comb.qTemp,
                 "Quantidade de combustível faturada à temperatura ambiente.");

    // Layouts before 2.00 carried the fuel's ICMS in the group itself.
    const bool comICMS = Positivo(comb.ICMS.vBCICMS) || Positivo(comb.ICMS.vICMS) ||
                         Positivo(comb.ICMS.vBCICMSST) || Positivo(comb.ICMS.vICMSST) ||
                         Positivo(comb.ICMSInter.vBCICMSSTDest) ||
                         Positivo(comb.ICMSInter.vICMSSTDest) ||
                         Positivo(comb.ICMSCons.vBCICMSSTCons) ||
                         Positivo(comb.ICMSCons.vICMSSTCons);
    if (versao >= 2.0 || !comICMS) {
        UFConsumo(g, comb.UFcons);
        GerarDetProdCombCIDE(i);
        GerarDetProdCombencerrante(i);
    } else {
        GerarDetProdCombCIDE(i);
        GerarDetProdCombICMS(i);
        GerarDetProdCombICMSInter(i);
        GerarDetProdCombICMSCons(i);
    }
    g.wGrupo("/comb");
}

void TNFeW::GerarDetProdCombCIDE(int i)
{
    const TCIDE &cide = FNFe.Det[i].Prod.comb.CIDE;
    if (!Positivo(cide.qBCProd) && !Positivo(cide.vAliqProd) && !Positivo(cide.vCIDE))
        return;
    TGerador &g = FGerador;
    g.wGrupo("CIDE", "L105");
    g.wCampo(dfe::tcDe4, "L106", "qBCProd", 1, 16, 1, cide.qBCProd, "BC da CIDE");
    g.wCampo(dfe::tcDe4, "L107", "vAliqProd", 1, 15, 1, cide.vAliqProd,
             "Valor da alíquota (em reais)");
    g.wCampo(dfe::tcDe2, "L108", "vCIDE", 1, 15, 1, cide.vCIDE, "Valor da CIDE");
    g.wGrupo("/CIDE");
}

void TNFeW::GerarDetProdCombencerrante(int i)
{
    const Tencerrante &e = FNFe.Det[i].Prod.comb.encerrante;
    if (e.nBico <= 0)
        return;
    TGerador &g = FGerador;
    g.wGrupo("encerrante", "LA11");
    g.wCampo(dfe::tcInt, "LA12", "nBico", 1, 3, 1, e.nBico, "Número de identificação do bico");
    g.wCampo(dfe::tcInt, "LA13", "nBomba", 1, 3, 0, e.nBomba, "Número de identificação da bomba");
    g.wCampo(dfe::tcInt, "LA14", "nTanque", 1, 3, 1, e.nTanque,
             "Número de identificação do tanque");
    g.wCampo(dfe::tcDe3, "LA15", "vEncIni", 1, 15, 1, e.vEncIni,
             "Valor do Encerrante no início do abastecimento");
    g.wCampo(dfe::tcDe3, "LA16", "vEncFin", 1, 15, 1, e.vEncFin,
             "Valor do Encerrante no final do abastecimento");
    g.wGrupo("/encerrante");
}

void TNFeW::GerarDetProdCombICMS(int i)
{
    const TICMSComb &icms = FNFe.Det[i].Prod.comb.ICMS;
    TGerador &g = FGerador;
    g.wGrupo("ICMSComb", "L109");
    g.wCampo(dfe::tcDe2, "L110", "vBCICMS", 1, 15, 1, icms.vBCICMS, "BC do ICMS");
    g.wCampo(dfe::tcDe2, "L111", "vICMS", 1, 15, 1, icms.vICMS, "Valor do ICMS");
    g.wCampo(dfe::tcDe2, "L112", "vBCICMSST", 1, 15, 1, icms.vBCICMSST, "BC do ICMS ST retido");
    g.wCampo(dfe::tcDe2, "L113", "vICMSST", 1, 15, 1, icms.vICMSST,
             "Valor do ICMS Substituição Tributaria");
    g.wGrupo("/ICMSComb");
}

void TNFeW::GerarDetProdCombICMSInter(int i)
{
    const TICMSInter &inter = FNFe.Det[i].Prod.comb.ICMSInter;
    if (!Positivo(inter.vBCICMSSTDest) && !Positivo(inter.vICMSSTDest))
        return;
    TGerador &g = FGerador;
    g.wGrupo("ICMSInter", "L114");
    g.wCampo(dfe::tcDe2, "L115", "vBCICMSSTDest", 1, 15, 1, inter.vBCICMSSTDest,
             "BC do ICMS ST da UF de destino");
    g.wCampo(dfe::tcDe2, "L116", "vICMSSTDest", 1, 15, 1, inter.vICMSSTDest,
             "Valor do ICMS Substituição Tributaria da UF de Destino");
    g.wGrupo("/ICMSInter");
}

void TNFeW::GerarDetProdCombICMSCons(int i)
{
    const TICMSCons &cons = FNFe.Det[i].Prod.comb.ICMSCons;
    if (!Positivo(cons.vBCICMSSTCons) && !Positivo(cons.vICMSSTCons) &&
        rtl::Trim(cons.UFcons).empty())
        return;
    TGerador &g = FGerador;
    g.wGrupo("ICMSCons", "L117");
    g.wCampo(dfe::tcDe2, "L118", "vBCICMSSTCons", 1, 15, 1, cons.vBCICMSSTCons,
             "Valor do ICMS ST da UF de consumo");
    g.wCampo(dfe::tcDe2, "L119", "vICMSSTCons", 1, 15, 1, cons.vICMSSTCons,
             "Valor do ICMS Substituição Tributaria da UF de Consumo");
    UFConsumo(g, cons.UFcons);
    g.wGrupo("/ICMSCons");
}

} // namespace nfe

// The specific product groups inside an item's prod: new vehicles, medicines, weapons and
// fuels. Each group is a table of rows in the layout's order, and each writer writes
// nothing when its own condition fails.

#include "nfe/writer_linhas.h"

#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcDe3;
using dfe::tcDe4;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;
using rtl::Currency;

constexpr int LPG = 210203001;

// ---- veicProd ----------------------------------------------------------------------

using LveicProd = Linha<Ctx<TveicProd>>;
constexpr LveicProd kveicProd[] = {
    {"J02", "tpOp", tcStr, 1, 1, 1, CodigoDe<&TveicProd::tpOP, tpOPToStr>, Sempre,
     "Tipo da operação"},
    {"J03", "chassi", tcStr, 17, 17, 1, Membro<&TveicProd::chassi>, Sempre, "Número do chassi"},
    {"J04", "cCor", tcStr, 4, 4, 1, Membro<&TveicProd::cCor>, Sempre, "Cor do Veículo"},
    {"J05", "xCor", tcStr, 1, 40, 1, Membro<&TveicProd::xCor>, Sempre, "Descrição da Cor"},
    {"J06", "pot", tcStr, 1, 4, 1, Membro<&TveicProd::pot>, Sempre, "Potência Motor"},
    {"J07", "cilin", tcStr, 4, 4, 1, Membro<&TveicProd::Cilin>, De200, "Cilindradas"},
    {"J07", "CM3", tcStr, 4, 4, 1, Membro<&TveicProd::Cilin>, Antes200, "Cilindradas"},
    {"J08", "pesoL", tcStr, 0, 9, 1, Membro<&TveicProd::pesoL>, Sempre, "Peso Líquido (em kg)"},
    {"J09", "pesoB", tcStr, 0, 9, 1, Membro<&TveicProd::pesoB>, Sempre, "Peso Bruto (em kg)"},
    {"J10", "nSerie", tcStr, 0, 9, 1, Membro<&TveicProd::nSerie>, Sempre, "Número de série"},
    {"J11", "tpComb", tcStr, 2, 2, 1, Membro<&TveicProd::tpComb>, Sempre, "Tipo de combustível"},
    {"J12", "nMotor", tcStr, 0, 21, 1, Membro<&TveicProd::nMotor>, Sempre, "Número de Motor"},
    {"J13", "CMT", tcStr, 1, 9, 1, Membro<&TveicProd::CMT>, De200, "Capacidade Máxima de Tração"},
    {"J13", "CMKG", tcStr, 9, 9, 1, Membro<&TveicProd::CMT>, Antes200,
     "Capacidade Máxima de Tração"},
    {"J14", "dist", tcStr, 0, 4, 1, Membro<&TveicProd::dist>, Sempre, "Distância entre os eixos"},
    {"J16", "anoMod", tcInt, 0, 4, 1, Membro<&TveicProd::anoMod>, Sempre,
     "Ano do Modelo de Fabricação"},
    {"J17", "anoFab", tcInt, 0, 4, 1, Membro<&TveicProd::anoFab>, Sempre, "Ano de Fabricação"},
    {"J18", "tpPint", tcStr, 0, 1, 1, Membro<&TveicProd::tpPint>, Sempre, "Tipo de Pintura"},
    {"J19", "tpVeic", tcInt, 0, 2, 1, Membro<&TveicProd::tpVeic>, Sempre, "Tipo de Veículo"},
    {"J20", "espVeic", tcInt, 0, 1, 1, Membro<&TveicProd::espVeic>, Sempre, "Espécie de veículo"},
    {"J21", "VIN", tcStr, 0, 1, 1, Membro<&TveicProd::VIN>, Sempre, "Condição do VIN"},
    {"J22", "condVeic", tcStr, 0, 1, 1, CodigoDe<&TveicProd::condVeic, condVeicToStr>, Sempre,
     "Condições do Veículo"},
    {"J23", "cMod", tcStr, 0, 6, 1, Membro<&TveicProd::cMod>, Sempre, "Modelo do Veículo"},
    {"J24", "cCorDENATRAN", tcStr, 0, 2, 1, Membro<&TveicProd::cCorDENATRAN>, De200,
     "Código da Cor DENATRAN"},
    {"J25", "lota", tcInt, 1, 3, 1, Membro<&TveicProd::lota>, De200, "Indicador de lotação"},
    {"J26", "tpRest", tcInt, 1, 1, 1, Membro<&TveicProd::tpRest>, De200, "Restrição"},
};

// ---- med, arma ---------------------------------------------------------------------

// An ANVISA code of exactly six characters is only valid as "ISENTO"; other lengths are
// left to the field's length limits.
bool ValidacProdANVISA(std::string_view codigo)
{
    return rtl::Length(codigo) != 6 || codigo == "ISENTO";
}

using Lmed = Linha<Ctx<TmedCollectionItem>>;
constexpr Lmed kmed[] = {
    {"K01a", "cProdANVISA", tcStr, 6, 13, 1, Membro<&TmedCollectionItem::cProdANVISA>, De400,
     "Código de Produto da ANVISA"},
    Lmed::Alerta("K01a", "cProdANVISA", "Código de Produto da ANVISA",
                 [](const Ctx<TmedCollectionItem> &c) {
                     return c.versao >= 4.0 && !ValidacProdANVISA(c.m.cProdANVISA);
                 },
                 "Valor inválido."),
    {"K01b", "xMotivoIsencao", tcStr, 1, 255, 0, Membro<&TmedCollectionItem::xMotivoIsencao>, De400,
     "Código de Produto da ANVISA"},
    {"K02", "nLote", tcStr, 1, 20, 1, Membro<&TmedCollectionItem::nLote>, Antes400,
     "Número do Lote do medicamento"},
    {"K03", "qLote", tcDe3, 0, 11, 1, Membro<&TmedCollectionItem::qLote>, Antes400,
     "Quantidade de produto no Lote do medicamento"},
    {"K04", "dFab", tcDat, 10, 10, 1, DataDe<&TmedCollectionItem::dFab>, Antes400,
     "Data de fabricação"},
    {"K05", "dVal", tcDat, 10, 10, 1, DataDe<&TmedCollectionItem::dVal>, Antes400,
     "Data de validade"},
    {"K06", "vPMC", tcDe2, 0, 15, 1, Membro<&TmedCollectionItem::vPMC>, Sempre,
     "Preço Máximo ao Consumidor"},
};

using Larma = Linha<Ctx<TarmaCollectionItem>>;
constexpr Larma karma[] = {
    {"L02", "tpArma", tcStr, 1, 1, 1, CodigoDe<&TarmaCollectionItem::tpArma, tpArmaToStr>, Sempre,
     "Indicador do tipo de arma de fogo"},
    {"L03", "nSerie", tcStr, 1, 15, 1, Membro<&TarmaCollectionItem::nSerie>, Sempre,
     "Número de série"},
    {"L04", "nCano", tcStr, 1, 15, 1, Membro<&TarmaCollectionItem::nCano>, Sempre,
     "Numero de série do cano"},
    {"L05", "descr", tcStr, 1, 256, 1, Membro<&TarmaCollectionItem::descr>, Sempre,
     "Descrição completa"},
};

// ---- comb --------------------------------------------------------------------------

using LComb = Linha<Ctx<TComb>>;

// The LPG blend percentages: a whole 100 % is written with two decimals and may be left
// out; any other value takes four decimals and is required.
template <auto membro> constexpr auto GLP = [](const Ctx<TComb> &c) {
    return c.versao >= 4.0 && c.m.cProdANP == LPG && c.m.*membro == Currency(100);
};
template <auto membro> constexpr auto GLPFracao = [](const Ctx<TComb> &c) {
    return c.versao >= 4.0 && c.m.cProdANP == LPG && c.m.*membro != Currency(100);
};

// Layouts before 2.00 carried the fuel's ICMS in the group itself; every other document
// names the state of consumption instead.
bool ComICMSProprio(const Ctx<TComb> &c)
{
    const TComb &comb = c.m;
    const bool comICMS = Positivo(comb.ICMS.vBCICMS) || Positivo(comb.ICMS.vICMS) ||
                         Positivo(comb.ICMS.vBCICMSST) || Positivo(comb.ICMS.vICMSST) ||
                         Positivo(comb.ICMSInter.vBCICMSSTDest) ||
                         Positivo(comb.ICMSInter.vICMSSTDest) ||
                         Positivo(comb.ICMSCons.vBCICMSSTCons) ||
                         Positivo(comb.ICMSCons.vICMSSTCons);
    return c.versao < 2.0 && comICMS;
}

constexpr auto ComUFCons = [](const Ctx<TComb> &c) { return !ComICMSProprio(c); };

constexpr LComb kcomb[] = {
    {"L102", "cProdANP", tcInt, 9, 9, 1, Membro<&TComb::cProdANP>, Sempre, "Código do produto ANP"},
    {"L102a", "pMixGN", tcDe4, 0, 6, 0, Membro<&TComb::pMixGN>, Antes400,
     "Percentual de Gás Natural"},
    {"LA03", "descANP", tcStr, 2, 95, 1, Membro<&TComb::descANP>, De400,
     "Descrição do produto conforme ANP"},
    {"LA03a", "pGLP", tcDe2, 1, 7, 0, Membro<&TComb::pGLP>, GLP<&TComb::pGLP>,
     "Percentual do GLP derivado do petróleo no produto GLP"},
    {"LA03a", "pGLP", tcDe4, 1, 7, 1, Membro<&TComb::pGLP>, GLPFracao<&TComb::pGLP>,
     "Percentual do GLP derivado do petróleo no produto GLP"},
    {"LA03b", "pGNn", tcDe2, 1, 7, 0, Membro<&TComb::pGNn>, GLP<&TComb::pGNn>,
     "Percentual de Gás Natural Nacional – GLGNn para o produto GLP"},
    {"LA03b", "pGNn", tcDe4, 1, 7, 1, Membro<&TComb::pGNn>, GLPFracao<&TComb::pGNn>,
     "Percentual de Gás Natural Nacional – GLGNn para o produto GLP"},
    {"LA03c", "pGNi", tcDe2, 1, 7, 0, Membro<&TComb::pGNi>, GLP<&TComb::pGNi>,
     "Percentual de Gás Natural Importado – GLGNi para o produto GLP"},
    {"LA03c", "pGNi", tcDe4, 1, 7, 1, Membro<&TComb::pGNi>, GLPFracao<&TComb::pGNi>,
     "Percentual de Gás Natural Importado – GLGNi para o produto GLP"},
    {"LA03d", "vPart", tcDe2, 1, 15, 0, Membro<&TComb::vPart>,
     [](const Ctx<TComb> &c) { return c.versao >= 4.0 && c.m.cProdANP == LPG; }, "Valor de partida"},
    {"L103", "CODIF", tcEsp, 0, 21, 1, Membro<&TComb::CODIF>,
     [](const Ctx<TComb> &c) { return !rtl::Trim(c.m.CODIF).empty(); },
     "Código de autorização / registro do CODIF"},
    {"L104", "qTemp", tcDe4, 1, 16, 1, Membro<&TComb::qTemp>,
     [](const Ctx<TComb> &c) { return c.m.qTemp != Currency(); },
     "Quantidade de combustível faturada à temperatura ambiente."},
    {"L120", "UFCons", tcStr, 2, 2, 1, Membro<&TComb::UFcons>, ComUFCons, "Sigla da UF de consumo"},
    LComb::Alerta("L120", "UFcons", "Sigla da UF de consumo",
                  [](const Ctx<TComb> &c) { return ComUFCons(c) && !dfe::ValidarUF(c.m.UFcons); },
                  ConteudoInvalido),
    LComb::Codigo([](dfe::TGerador &, const Ctx<TComb> &c) { c.w.GerarDetProdCombCIDE(c.item); }),
    LComb::Codigo([](dfe::TGerador &, const Ctx<TComb> &c) { c.w.GerarDetProdCombencerrante(c.item); },
                  ComUFCons),
    LComb::Codigo(
        [](dfe::TGerador &, const Ctx<TComb> &c) {
            c.w.GerarDetProdCombICMS(c.item);
            c.w.GerarDetProdCombICMSInter(c.item);
            c.w.GerarDetProdCombICMSCons(c.item);
        },
        ComICMSProprio),
};

using LCIDE = Linha<Ctx<TCIDE>>;
constexpr LCIDE kCIDE[] = {
    {"L106", "qBCProd", tcDe4, 1, 16, 1, Membro<&TCIDE::qBCProd>, Sempre, "BC da CIDE"},
    {"L107", "vAliqProd", tcDe4, 1, 15, 1, Membro<&TCIDE::vAliqProd>, Sempre,
     "Valor da alíquota (em reais)"},
    {"L108", "vCIDE", tcDe2, 1, 15, 1, Membro<&TCIDE::vCIDE>, Sempre, "Valor da CIDE"},
};

using Lencerrante = Linha<Ctx<Tencerrante>>;
constexpr Lencerrante kencerrante[] = {
    {"LA12", "nBico", tcInt, 1, 3, 1, Membro<&Tencerrante::nBico>, Sempre,
     "Número de identificação do bico"},
    {"LA13", "nBomba", tcInt, 1, 3, 0, Membro<&Tencerrante::nBomba>, Sempre,
     "Número de identificação da bomba"},
    {"LA14", "nTanque", tcInt, 1, 3, 1, Membro<&Tencerrante::nTanque>, Sempre,
     "Número de identificação do tanque"},
    {"LA15", "vEncIni", tcDe3, 1, 15, 1, Membro<&Tencerrante::vEncIni>, Sempre,
     "Valor do Encerrante no início do abastecimento"},
    {"LA16", "vEncFin", tcDe3, 1, 15, 1, Membro<&Tencerrante::vEncFin>, Sempre,
     "Valor do Encerrante no final do abastecimento"},
};

using LICMSComb = Linha<Ctx<TICMSComb>>;
constexpr LICMSComb kICMSComb[] = {
    {"L110", "vBCICMS", tcDe2, 1, 15, 1, Membro<&TICMSComb::vBCICMS>, Sempre, "BC do ICMS"},
    {"L111", "vICMS", tcDe2, 1, 15, 1, Membro<&TICMSComb::vICMS>, Sempre, "Valor do ICMS"},
    {"L112", "vBCICMSST", tcDe2, 1, 15, 1, Membro<&TICMSComb::vBCICMSST>, Sempre,
     "BC do ICMS ST retido"},
    {"L113", "vICMSST", tcDe2, 1, 15, 1, Membro<&TICMSComb::vICMSST>, Sempre,
     "Valor do ICMS Substituição Tributaria"},
};

using LICMSInter = Linha<Ctx<TICMSInter>>;
constexpr LICMSInter kICMSInter[] = {
    {"L115", "vBCICMSSTDest", tcDe2, 1, 15, 1, Membro<&TICMSInter::vBCICMSSTDest>, Sempre,
     "BC do ICMS ST da UF de destino"},
    {"L116", "vICMSSTDest", tcDe2, 1, 15, 1, Membro<&TICMSInter::vICMSSTDest>, Sempre,
     "Valor do ICMS Substituição Tributaria da UF de Destino"},
};

using LICMSCons = Linha<Ctx<TICMSCons>>;
constexpr LICMSCons kICMSCons[] = {
    {"L118", "vBCICMSSTCons", tcDe2, 1, 15, 1, Membro<&TICMSCons::vBCICMSSTCons>, Sempre,
     "Valor do ICMS ST da UF de consumo"},
    {"L119", "vICMSSTCons", tcDe2, 1, 15, 1, Membro<&TICMSCons::vICMSSTCons>, Sempre,
     "Valor do ICMS Substituição Tributaria da UF de Consumo"},
    {"L120", "UFCons", tcStr, 2, 2, 1, Membro<&TICMSCons::UFcons>, Sempre,
     "Sigla da UF de consumo"},
    LICMSCons::Alerta("L120", "UFcons", "Sigla da UF de consumo",
                      [](const Ctx<TICMSCons> &c) { return !dfe::ValidarUF(c.m.UFcons); },
                      ConteudoInvalido),
};

} // namespace

void TNFeW::GerarDetProdVeicProd(int i)
{
    const TveicProd &v = FNFe.Det[i].Prod.veicProd;
    if (rtl::Trim(v.chassi).empty())
        return;
    EscreverGrupo(FGerador, "veicProd", "J01", kveicProd, Contexto(*this, v));
}

void TNFeW::GerarDetProdMed(int i)
{
    const TmedCollection &med = FNFe.Det[i].Prod.med;
    for (const TmedCollectionItem &m : med)
        EscreverGrupo(FGerador, "med", "K01", kmed, Contexto(*this, m));
    const int limite = FNFe.infNFe.GetVersao() >= 4.0 ? 1 : 500;
    if (med.Count() > limite)
        FGerador.wAlerta("K01", "med", "Numero do item", MensagemLimiteOcorrencias(limite));
}

void TNFeW::GerarDetProdArma(int i)
{
    const TarmaCollection &arma = FNFe.Det[i].Prod.arma;
    for (const TarmaCollectionItem &a : arma)
        EscreverGrupo(FGerador, "arma", "L01", karma, Contexto(*this, a));
    if (arma.Count() > 500)
        FGerador.wAlerta("L01", "arma", "Numero do item", MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarDetProdComb(int i)
{
    const TComb &comb = FNFe.Det[i].Prod.comb;
    if (comb.cProdANP <= 0)
        return;
    EscreverGrupo(FGerador, "comb", "L01", kcomb, Contexto(*this, comb, i));
}

void TNFeW::GerarDetProdCombCIDE(int i)
{
    const TCIDE &cide = FNFe.Det[i].Prod.comb.CIDE;
    if (!Positivo(cide.qBCProd) && !Positivo(cide.vAliqProd) && !Positivo(cide.vCIDE))
        return;
    EscreverGrupo(FGerador, "CIDE", "L105", kCIDE, Contexto(*this, cide));
}

void TNFeW::GerarDetProdCombencerrante(int i)
{
    const Tencerrante &e = FNFe.Det[i].Prod.comb.encerrante;
    if (e.nBico <= 0)
        return;
    EscreverGrupo(FGerador, "encerrante", "LA11", kencerrante, Contexto(*this, e));
}

void TNFeW::GerarDetProdCombICMS(int i)
{
    EscreverGrupo(FGerador, "ICMSComb", "L109", kICMSComb,
                  Contexto(*this, FNFe.Det[i].Prod.comb.ICMS));
}

void TNFeW::GerarDetProdCombICMSInter(int i)
{
    const TICMSInter &inter = FNFe.Det[i].Prod.comb.ICMSInter;
    if (!Positivo(inter.vBCICMSSTDest) && !Positivo(inter.vICMSSTDest))
        return;
    EscreverGrupo(FGerador, "ICMSInter", "L114", kICMSInter, Contexto(*this, inter));
}

void TNFeW::GerarDetProdCombICMSCons(int i)
{
    const TICMSCons &cons = FNFe.Det[i].Prod.comb.ICMSCons;
    if (!Positivo(cons.vBCICMSSTCons) && !Positivo(cons.vICMSSTCons) &&
        rtl::Trim(cons.UFcons).empty())
        return;
    EscreverGrupo(FGerador, "ICMSCons", "L117", kICMSCons, Contexto(*this, cons));
}

} // namespace nfe

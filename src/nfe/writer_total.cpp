// The totals, the transport and the billing. Each group is a table of rows in the layout's
// order; a group whose values are all absent is not written.

#include "nfe/writer_linhas.h"

#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcDe3;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;

constexpr std::string_view DscVServ =
    "Valor total dos Serviços sob não incidência ou não Tributados pelo ICMS  / Valor do Serviço";
constexpr std::string_view DscRNTC = "Registro Nacional de Transportador de Carga (ANTT)";

// ---- total -------------------------------------------------------------------------

using LICMSTot = Linha<Ctx<TICMSTot>>;
constexpr LICMSTot kICMSTot[] = {
    {"W03", "vBC", tcDe2, 1, 15, 1, Membro<&TICMSTot::vBC>, Sempre, "Valor da BC do ICMS"},
    {"W04", "vICMS", tcDe2, 1, 15, 1, Membro<&TICMSTot::vICMS>, Sempre, "Valor do ICMS"},
    {"W04a", "vICMSDeson", tcDe2, 1, 15, 1, Membro<&TICMSTot::vICMSDeson>, De310,
     "Valor do ICMS Desoneração"},
    {"W04c", "vFCPUFDest", tcDe2, 1, 15, 0, Membro<&TICMSTot::vFCPUFDest>, De310, "Valor do ICMS"},
    {"W04e", "vICMSUFDest", tcDe2, 1, 15, 0, Membro<&TICMSTot::vICMSUFDest>, De310,
     "Valor do ICMS"},
    {"W04g", "vICMSUFRemet", tcDe2, 1, 15, 0, Membro<&TICMSTot::vICMSUFRemet>, De310,
     "Valor do ICMS"},
    {"W04h", "vFCP", tcDe2, 1, 15, 1, Membro<&TICMSTot::vFCP>, De400,
     "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"},
    {"W05", "vBCST", tcDe2, 1, 15, 1, Membro<&TICMSTot::vBCST>, Sempre, "Valor da BC do ICMS ST"},
    {"W06", "vST", tcDe2, 1, 15, 1, Membro<&TICMSTot::vST>, Sempre,
     "Valor TOTAL Icms substituição Tributária"},
    {"W06a", "vFCPST", tcDe2, 1, 15, 1, Membro<&TICMSTot::vFCPST>, De400,
     "Valor do FCP retido por Substituição Tributária"},
    {"W06b", "vFCPSTRet", tcDe2, 1, 15, 1, Membro<&TICMSTot::vFCPSTRet>, De400,
     "Valor do FCP retido por Substituição Tributária"},
    {"W07", "vProd", tcDe2, 1, 15, 1, Membro<&TICMSTot::vProd>, Sempre,
     "Valor Total Bruto dos Produtos ou Serviços"},
    {"W08", "vFrete", tcDe2, 1, 15, 1, Membro<&TICMSTot::vFrete>, Sempre, "Valor Total do Frete"},
    {"W09", "vSeg", tcDe2, 1, 15, 1, Membro<&TICMSTot::vSeg>, Sempre, "Valor Total do Seguro"},
    {"W10", "vDesc", tcDe2, 1, 15, 1, Membro<&TICMSTot::vDesc>, Sempre, "Valor do desconto"},
    {"W11", "vII", tcDe2, 1, 15, 1, Membro<&TICMSTot::vII>, Sempre,
     "Valor do Imposto de Importação"},
    {"W12", "vIPI", tcDe2, 1, 15, 1, Membro<&TICMSTot::vIPI>, Sempre,
     "Valor do Imposto sobre Produtos Industrializados"},
    {"W12a", "vIPIDevol", tcDe2, 1, 15, 1, Membro<&TICMSTot::vIPIDevol>, De400,
     "Valor do IPI Devolvido"},
    {"W13", "vPIS", tcDe2, 1, 15, 1, Membro<&TICMSTot::vPIS>, Sempre, "Valor do PIS"},
    {"W14", "vCOFINS", tcDe2, 1, 15, 1, Membro<&TICMSTot::vCOFINS>, Sempre, "Valor do COFINS"},
    {"W15", "vOutro", tcDe2, 1, 15, 1, Membro<&TICMSTot::vOutro>, Sempre,
     "Outras Despesas Acessórias"},
    {"W16", "vNF", tcDe2, 1, 15, 1, Membro<&TICMSTot::vNF>, Sempre, "Valor Total do DF-e"},
    {"W16a", "vTotTrib", tcDe2, 1, 15, 0, Membro<&TICMSTot::vTotTrib>, Sempre,
     "Valor Aproximado Total de Tributos"},
};

using LISSQNtot = Linha<Ctx<TISSQNtot>>;
constexpr LISSQNtot kISSQNtot[] = {
    {"W18", "vServ", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vServ>, Sempre, DscVServ},
    {"W19", "vBC", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vBC>, Sempre, "Valor da BC do ICMS"},
    {"W20", "vISS", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vISS>, Sempre,
     "Valor do Imposto sobre Serviço"},
    {"W21", "vPIS", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vPIS>, Sempre, "Valor do PIS"},
    {"W22", "vCOFINS", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vCOFINS>, Sempre, "Valor do COFINS"},
    {"W22a", "dCompet", tcDat, 10, 10, 1, DataDe<&TISSQNtot::dCompet>, De310,
     "Data da Prestação do Serviço"},
    {"W22b", "vDeducao", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vDeducao>, De310, "Valor da Dedução"},
    {"W22c", "vOutro", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vOutro>, De310,
     "Valor Outras Deduções"},
    {"W22d", "vDescIncond", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vDescIncond>, De310,
     "Valor Desconto Incondicionado"},
    {"W22e", "vDescCond", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vDescCond>, De310,
     "Valor Desconto Condicionado"},
    {"W22f", "vISSRet", tcDe2, 1, 15, 0, Membro<&TISSQNtot::vISSRet>, De310, "Valor Retenção ISS"},
    {"W22g", "cRegTrib", tcStr, 1, 1, 0, CodigoDe<&TISSQNtot::cRegTrib, dfe::RegTribISSQNToStr>,
     [](const Ctx<TISSQNtot> &c) { return c.versao >= 3.1 && c.m.cRegTrib != dfe::RTISSNenhum; },
     "Código do Regime Especial de Tributação"},
};

using LretTrib = Linha<Ctx<TretTrib>>;
constexpr LretTrib kretTrib[] = {
    {"W24", "vRetPIS", tcDe2, 1, 15, 0, Membro<&TretTrib::vRetPIS>, Sempre, "Valor Retido do PIS"},
    {"W25", "vRetCOFINS", tcDe2, 1, 15, 0, Membro<&TretTrib::vRetCOFINS>, Sempre,
     "Valor Retido do COFINS"},
    {"W26", "vRetCSLL", tcDe2, 1, 15, 0, Membro<&TretTrib::vRetCSLL>, Sempre,
     "Valor Retido da CONTRIBUIÇÃO SOCIAL SOBRE O LUCRO LÍQUIDO"},
    {"W27", "vBCIRRF", tcDe2, 1, 15, 0, Membro<&TretTrib::vBCIRRF>, Sempre,
     "Base de Cálculo do IRRF"},
    {"W28", "vIRRF", tcDe2, 1, 15, 0, Membro<&TretTrib::vIRRF>, Sempre,
     "Valor do Imposto de Renda Retido na Fonte"},
    {"W29", "vBCRetPrev", tcDe2, 1, 15, 0, Membro<&TretTrib::vBCRetPrev>, Sempre,
     "Base de Cálculo da Retenção da Previdência Social"},
    {"W30", "vRetPrev", tcDe2, 1, 15, 0, Membro<&TretTrib::vRetPrev>, Sempre,
     "Valor da Retenção da Previdência Social"},
};

// ---- transp ------------------------------------------------------------------------

using LTransp = Linha<Ctx<TTransp>>;
constexpr LTransp kTransp[] = {
    {"X02", "modFrete", tcStr, 1, 1, 1, CodigoDe<&TTransp::modFrete, modFreteToStr>, Sempre,
     "Modalidade do Frete"},
    LTransp::Codigo([](dfe::TGerador &, const Ctx<TTransp> &c) {
        c.w.GerarTranspTransporta();
        c.w.GerarTranspRetTransp();
        c.w.GerarTranspVeicTransp();
        c.w.GerarTranspReboque();
    }),
    {"X25a", "vagao", tcStr, 1, 20, 0, Membro<&TTransp::vagao>, Sempre, "Identificação do vagão"},
    {"X25b", "balsa", tcStr, 1, 20, 0, Membro<&TTransp::balsa>, Sempre, "Identificação da balsa"},
    LTransp::Codigo([](dfe::TGerador &, const Ctx<TTransp> &c) { c.w.GerarTranspVol(); }),
};

using LTransporta = Linha<Ctx<TTransporta>>;
constexpr LTransporta kTransporta[] = {
    LTransporta::Codigo([](dfe::TGerador &g, const Ctx<TTransporta> &c) {
        g.wCampoCNPJCPF("X04", "X05", c.m.CNPJCPF);
    }, [](const Ctx<TTransporta> &c) { return Preenchido(c.m.CNPJCPF); }),
    {"X06", "xNome", tcStr, 1, 60, 0, Membro<&TTransporta::xNome>, Sempre, "Razão Social ou Nome"},
    // The word ISENTO stands for an exempt carrier; any other registration is digits.
    {"X07", "IE", tcStr, 2, 14, 0,
     [](const Ctx<TTransporta> &c) -> rtl::Variant {
         return rtl::Trim(c.m.IE) == "ISENTO" ? c.m.IE : util::OnlyNumber(c.m.IE);
     },
     Sempre, "Inscrição Estadual"},
    LTransporta::Alerta("X07", "IE", "Inscrição Estadual",
                        [](const Ctx<TTransporta> &c) {
                            return c.w.Opcoes().ValidarInscricoes && !c.m.IE.empty() &&
                                   !dfe::ValidarIE(c.m.IE, c.m.UF);
                        },
                        ConteudoInvalido),
    {"X08", "xEnder", tcStr, 1, 60, 0, Membro<&TTransporta::xEnder>, Sempre, "Endereço Completo"},
    {"X09", "xMun", tcStr, 1, 60, 0, Membro<&TTransporta::xMun>, Sempre, "Nome do Município"},
    {"X10", "UF", tcStr, 1, 2, 0, Membro<&TTransporta::UF>,
     [](const Ctx<TTransporta> &c) { return Preenchido(c.m.UF); }, "Sigla da UF"},
    LTransporta::Alerta("X10", "UF", "Sigla da UF",
                        [](const Ctx<TTransporta> &c) {
                            return Preenchido(c.m.UF) && !dfe::ValidarUF(c.m.UF);
                        },
                        ConteudoInvalido),
};

using LretTransp = Linha<Ctx<TretTransp>>;
constexpr LretTransp kretTransp[] = {
    {"X12", "vServ", tcDe2, 1, 15, 1, Membro<&TretTransp::vServ>, Sempre, DscVServ},
    {"X13", "vBCRet", tcDe2, 1, 15, 1, Membro<&TretTransp::vBCRet>, Sempre,
     "BC da Retenção do ICMS"},
    {"X14", "pICMSRet", tcDe2, 1, 5, 1, Membro<&TretTransp::pICMSRet>, Sempre,
     "Alíquota da Retenção"},
    {"X15", "vICMSRet", tcDe2, 1, 15, 1, Membro<&TretTransp::vICMSRet>, Sempre,
     "Valor do ICMS Retido"},
    {"X16", "CFOP", tcEsp, 4, 4, 1, DigitosDe<&TretTransp::CFOP>, Sempre, "CFOP"},
    {"X17", "cMunFG", tcStr, 7, 7, 1,
     [](const Ctx<TretTransp> &c) -> rtl::Variant { return rtl::IntToStr(c.m.cMunFG); }, Sempre,
     "Código do Município FG"},
    LretTransp::Alerta("X17", "cMunFG", "Código do Município FG",
                       [](const Ctx<TretTransp> &c) { return !dfe::ValidarMunicipio(c.m.cMunFG); },
                       ConteudoInvalido),
};

using LveicTransp = Linha<Ctx<TveicTransp>>;
constexpr LveicTransp kveicTransp[] = {
    {"X19", "placa", tcStr, 6, 7, 1, Membro<&TveicTransp::placa>, Sempre, "Placa do Veículo"},
    {"X20", "UF", tcStr, 2, 2, 1, Membro<&TveicTransp::UF>, Sempre, "Sigla da UF"},
    LveicTransp::Alerta("X20", "UF", "Sigla da UF",
                        [](const Ctx<TveicTransp> &c) { return !dfe::ValidarUF(c.m.UF); },
                        ConteudoInvalido),
    {"X21", "RNTC", tcStr, 1, 20, 0, Membro<&TveicTransp::RNTC>, Sempre, DscRNTC},
};

using Lreboque = Linha<Ctx<TreboqueCollectionItem>>;
constexpr Lreboque kreboque[] = {
    {"X23", "placa", tcStr, 6, 7, 1, Membro<&TreboqueCollectionItem::placa>, Sempre,
     "Placa do Veículo"},
    {"X24", "UF", tcStr, 2, 2, 1, Membro<&TreboqueCollectionItem::UF>, Sempre, "Sigla da UF"},
    Lreboque::Alerta("X24", "UF", "Sigla da UF",
                     [](const Ctx<TreboqueCollectionItem> &c) { return !dfe::ValidarUF(c.m.UF); },
                     ConteudoInvalido),
    {"X25", "RNTC", tcStr, 1, 20, 0, Membro<&TreboqueCollectionItem::RNTC>, Sempre, DscRNTC},
};

// The seals of a volume are written by the volume's own writer, which knows its index.
using Lvol = Linha<Ctx<TVolCollectionItem>>;
constexpr Lvol kvol[] = {
    {"X27", "qVol", tcInt, 1, 15, 1, Membro<&TVolCollectionItem::qVol>, Sempre,
     "Quantidade de volumes transportados"},
    {"X28", "esp", tcStr, 1, 60, 0, Membro<&TVolCollectionItem::esp>, Sempre,
     "Espécie dos volumes transportados"},
    {"X29", "marca", tcStr, 1, 60, 0, Membro<&TVolCollectionItem::marca>, Sempre,
     "Marca dos volumes transportados"},
    {"X30", "nVol", tcStr, 1, 60, 0, Membro<&TVolCollectionItem::nVol>, Sempre,
     "Numeração dos volumes transportados"},
    {"X31", "pesoL", tcDe3, 1, 15, 0, Membro<&TVolCollectionItem::pesoL>, Sempre,
     "Peso Líquido (em kg)"},
    {"X32", "pesoB", tcDe3, 1, 15, 0, Membro<&TVolCollectionItem::pesoB>, Sempre,
     "Peso Bruto (em kg)"},
};

using Llacres = Linha<Ctx<TLacresCollectionItem>>;
constexpr Llacres klacres[] = {
    {"X34", "nLacre", tcStr, 1, 60, 1, Membro<&TLacresCollectionItem::nLacre>, Sempre,
     "Número dos Lacres"},
};

// ---- cobr --------------------------------------------------------------------------

// The invoice's fields are required from layout 4.00 on when the option asks for them.
constexpr auto OcorrenciaFat = [](const Ctx<TFat> &c) {
    return (c.w.Opcoes().CamposFatObrigatorios && c.versao >= 4.0) ? 1 : 0;
};

using LFat = Linha<Ctx<TFat>>;
constexpr LFat kfat[] = {
    {"Y03", "nFat", tcStr, 1, 60, OcorrenciaFat, Membro<&TFat::nFat>, Sempre, "Número da fatura"},
    {"Y04", "vOrig", tcDe2, 1, 15, OcorrenciaFat, Membro<&TFat::vOrig>, Sempre,
     "Valor Original da Fatura"},
    {"Y05", "vDesc", tcDe2, 1, 15, OcorrenciaFat, Membro<&TFat::vDesc>, Sempre,
     "Valor do desconto"},
    {"Y06", "vLiq", tcDe2, 1, 15, OcorrenciaFat, Membro<&TFat::vLiq>, Sempre,
     "Valor Líquido da Fatura"},
};

constexpr auto OcorrenciaDup = [](const Ctx<TDupCollectionItem> &c) {
    return c.versao >= 4.0 ? 1 : 0;
};

using LDup = Linha<Ctx<TDupCollectionItem>>;
constexpr LDup kdup[] = {
    {"Y08", "nDup", tcStr, 1, 60, OcorrenciaDup, Membro<&TDupCollectionItem::nDup>, Sempre,
     "Número da duplicata"},
    {"Y09", "dVenc", tcDat, 10, 10, OcorrenciaDup, DataDe<&TDupCollectionItem::dVenc>, Sempre,
     "Data de vencimento"},
    {"Y10", "vDup", tcDe2, 1, 15, 1, Membro<&TDupCollectionItem::vDup>, Sempre,
     "Valor da duplicata"},
};

} // namespace

// ---- total -------------------------------------------------------------------------

void TNFeW::GerarTotal()
{
    FGerador.wGrupo("total", "W01");
    GerarTotalICMSTotal();
    GerarTotalISSQNtot();
    GerarTotalretTrib();
    FGerador.wGrupo("/total");
}

void TNFeW::GerarTotalICMSTotal()
{
    EscreverGrupo(FGerador, "ICMSTot", "W02", kICMSTot, Contexto(*this, FNFe.Total.ICMSTot));
}

void TNFeW::GerarTotalISSQNtot()
{
    const TISSQNtot &t = FNFe.Total.ISSQNtot;
    if (!(Positivo(t.vServ) || Positivo(t.vBC) || Positivo(t.vISS) || Positivo(t.vPIS) ||
          Positivo(t.vCOFINS)))
        return;
    EscreverGrupo(FGerador, "ISSQNtot", "W17", kISSQNtot, Contexto(*this, t));
}

void TNFeW::GerarTotalretTrib()
{
    const TretTrib &t = FNFe.Total.retTrib;
    if (!(Positivo(t.vRetPIS) || Positivo(t.vRetCOFINS) || Positivo(t.vRetCSLL) ||
          Positivo(t.vBCIRRF) || Positivo(t.vIRRF) || Positivo(t.vBCRetPrev) ||
          Positivo(t.vRetPrev)))
        return;
    EscreverGrupo(FGerador, "retTrib", "W23", kretTrib, Contexto(*this, t));
}

// ---- transp ------------------------------------------------------------------------

void TNFeW::GerarTransp()
{
    EscreverGrupo(FGerador, "transp", "X01", kTransp, Contexto(*this, FNFe.Transp));
}

void TNFeW::GerarTranspTransporta()
{
    const TTransporta &t = FNFe.Transp.Transporta;
    if (!(Preenchido(t.CNPJCPF) || Preenchido(t.xNome) || Preenchido(t.IE) ||
          Preenchido(t.xEnder) || Preenchido(t.xMun) || Preenchido(t.UF)))
        return;
    EscreverGrupo(FGerador, "transporta", "X03", kTransporta, Contexto(*this, t));
}

void TNFeW::GerarTranspRetTransp()
{
    const TretTransp &t = FNFe.Transp.retTransp;
    if (!(Positivo(t.vServ) || Positivo(t.vBCRet) || Positivo(t.pICMSRet) ||
          Positivo(t.vICMSRet) || Preenchido(t.CFOP) || t.cMunFG > 0))
        return;
    EscreverGrupo(FGerador, "retTransp", "X11", kretTransp, Contexto(*this, t));
}

void TNFeW::GerarTranspVeicTransp()
{
    const TveicTransp &t = FNFe.Transp.veicTransp;
    if (!(Preenchido(t.placa) || Preenchido(t.UF) || Preenchido(t.RNTC)))
        return;
    EscreverGrupo(FGerador, "veicTransp", "X18", kveicTransp, Contexto(*this, t));
}

void TNFeW::GerarTranspReboque()
{
    constexpr int Maximo = 5;
    const TreboqueCollection &lista = FNFe.Transp.Reboque;
    if (lista.Count() > Maximo)
        FGerador.wAlerta("X22", "reboque", "Reboque", MensagemLimiteOcorrencias(Maximo));
    for (const TreboqueCollectionItem &r : lista)
        EscreverGrupo(FGerador, "reboque", "X22", kreboque, Contexto(*this, r));
}

void TNFeW::GerarTranspVol()
{
    const TVolCollection &lista = FNFe.Transp.Vol;
    for (int i = 0; i < lista.Count(); ++i) {
        FGerador.wGrupo("vol", "X26");
        Escrever(FGerador, kvol, Contexto(*this, lista[i]));
        GerarTranspVolLacres(i);
        FGerador.wGrupo("/vol");
    }
}

void TNFeW::GerarTranspVolLacres(int i)
{
    for (const TLacresCollectionItem &l : FNFe.Transp.Vol[i].Lacres)
        EscreverGrupo(FGerador, "lacres", "X33", klacres, Contexto(*this, l));
}

// ---- cobr --------------------------------------------------------------------------

void TNFeW::GerarCobr()
{
    const TCobr &c = FNFe.Cobr;
    if (!(Preenchido(c.Fat.nFat) || Positivo(c.Fat.vOrig) || Positivo(c.Fat.vDesc) ||
          Positivo(c.Fat.vLiq) || c.Dup.Count() > 0))
        return;

    FGerador.wGrupo("cobr", "Y01");
    GerarCobrFat();
    GerarCobrDup();
    FGerador.wGrupo("/cobr");
}

void TNFeW::GerarCobrFat()
{
    const TFat &f = FNFe.Cobr.Fat;
    if (!(Preenchido(f.nFat) || Positivo(f.vOrig) || Positivo(f.vDesc) || Positivo(f.vLiq)))
        return;
    EscreverGrupo(FGerador, "fat", "Y02", kfat, Contexto(*this, f));
}

void TNFeW::GerarCobrDup()
{
    constexpr int Maximo = 120;
    const TDupCollection &lista = FNFe.Cobr.Dup;
    for (const TDupCollectionItem &d : lista)
        EscreverGrupo(FGerador, "dup", "Y07", kdup, Contexto(*this, d));
    if (lista.Count() > Maximo)
        FGerador.wAlerta("Y07", "dup", "Numero do item", MensagemLimiteOcorrencias(Maximo));
}

} // namespace nfe

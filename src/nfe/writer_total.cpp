#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/codes_tax.h"
#include "dfe/helpers.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace nfe {

using namespace dfe::escrita;

namespace {

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
    const TICMSTot &t = FNFe.Total.ICMSTot;
    const double versao = FNFe.infNFe.GetVersao();
    dfe::TGerador &g = FGerador;
    using dfe::tcDe2;

    g.wGrupo("ICMSTot", "W02");
    g.wCampo(tcDe2, "W03", "vBC", 1, 15, 1, t.vBC, "Valor da BC do ICMS");
    g.wCampo(tcDe2, "W04", "vICMS", 1, 15, 1, t.vICMS, "Valor do ICMS");
    if (versao >= 3.1) {
        g.wCampo(tcDe2, "W04a", "vICMSDeson", 1, 15, 1, t.vICMSDeson, "Valor do ICMS Desoneração");
        g.wCampo(tcDe2, "W04c", "vFCPUFDest", 1, 15, 0, t.vFCPUFDest, "Valor do ICMS");
        g.wCampo(tcDe2, "W04e", "vICMSUFDest", 1, 15, 0, t.vICMSUFDest, "Valor do ICMS");
        g.wCampo(tcDe2, "W04g", "vICMSUFRemet", 1, 15, 0, t.vICMSUFRemet, "Valor do ICMS");
    }
    if (versao >= 4.0)
        g.wCampo(tcDe2, "W04h", "vFCP", 1, 15, 1, t.vFCP,
                 "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)");
    g.wCampo(tcDe2, "W05", "vBCST", 1, 15, 1, t.vBCST, "Valor da BC do ICMS ST");
    g.wCampo(tcDe2, "W06", "vST", 1, 15, 1, t.vST, "Valor TOTAL Icms substituição Tributária");
    if (versao >= 4.0) {
        g.wCampo(tcDe2, "W06a", "vFCPST", 1, 15, 1, t.vFCPST,
                 "Valor do FCP retido por Substituição Tributária");
        g.wCampo(tcDe2, "W06b", "vFCPSTRet", 1, 15, 1, t.vFCPSTRet,
                 "Valor do FCP retido por Substituição Tributária");
    }
    g.wCampo(tcDe2, "W07", "vProd", 1, 15, 1, t.vProd, "Valor Total Bruto dos Produtos ou Serviços");
    g.wCampo(tcDe2, "W08", "vFrete", 1, 15, 1, t.vFrete, "Valor Total do Frete");
    g.wCampo(tcDe2, "W09", "vSeg", 1, 15, 1, t.vSeg, "Valor Total do Seguro");
    g.wCampo(tcDe2, "W10", "vDesc", 1, 15, 1, t.vDesc, "Valor do desconto");
    g.wCampo(tcDe2, "W11", "vII", 1, 15, 1, t.vII, "Valor do Imposto de Importação");
    g.wCampo(tcDe2, "W12", "vIPI", 1, 15, 1, t.vIPI,
             "Valor do Imposto sobre Produtos Industrializados");
    if (versao >= 4.0)
        g.wCampo(tcDe2, "W12a", "vIPIDevol", 1, 15, 1, t.vIPIDevol, "Valor do IPI Devolvido");
    g.wCampo(tcDe2, "W13", "vPIS", 1, 15, 1, t.vPIS, "Valor do PIS");
    g.wCampo(tcDe2, "W14", "vCOFINS", 1, 15, 1, t.vCOFINS, "Valor do COFINS");
    g.wCampo(tcDe2, "W15", "vOutro", 1, 15, 1, t.vOutro, "Outras Despesas Acessórias");
    g.wCampo(tcDe2, "W16", "vNF", 1, 15, 1, t.vNF, "Valor Total do DF-e");
    g.wCampo(tcDe2, "W16a", "vTotTrib", 1, 15, 0, t.vTotTrib, "Valor Aproximado Total de Tributos");
    g.wGrupo("/ICMSTot");
}

void TNFeW::GerarTotalISSQNtot()
{
    const TISSQNtot &t = FNFe.Total.ISSQNtot;
    if (!(Positivo(t.vServ) || Positivo(t.vBC) || Positivo(t.vISS) || Positivo(t.vPIS) ||
          Positivo(t.vCOFINS)))
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcDe2;

    g.wGrupo("ISSQNtot", "W17");
    g.wCampo(tcDe2, "W18", "vServ", 1, 15, 0, t.vServ,
             "Valor total dos Serviços sob não incidência ou não Tributados pelo ICMS  / Valor do Serviço");
    g.wCampo(tcDe2, "W19", "vBC", 1, 15, 0, t.vBC, "Valor da BC do ICMS");
    g.wCampo(tcDe2, "W20", "vISS", 1, 15, 0, t.vISS, "Valor do Imposto sobre Serviço");
    g.wCampo(tcDe2, "W21", "vPIS", 1, 15, 0, t.vPIS, "Valor do PIS");
    g.wCampo(tcDe2, "W22", "vCOFINS", 1, 15, 0, t.vCOFINS, "Valor do COFINS");
    if (FNFe.infNFe.GetVersao() >= 3.1) {
        g.wCampo(dfe::tcDat, "W22a", "dCompet", 10, 10, 1, Data(t.dCompet),
                 "Data da Prestação do Serviço");
        g.wCampo(tcDe2, "W22b", "vDeducao", 1, 15, 0, t.vDeducao, "Valor da Dedução");
        g.wCampo(tcDe2, "W22c", "vOutro", 1, 15, 0, t.vOutro, "Valor Outras Deduções");
        g.wCampo(tcDe2, "W22d", "vDescIncond", 1, 15, 0, t.vDescIncond,
                 "Valor Desconto Incondicionado");
        g.wCampo(tcDe2, "W22e", "vDescCond", 1, 15, 0, t.vDescCond, "Valor Desconto Condicionado");
        g.wCampo(tcDe2, "W22f", "vISSRet", 1, 15, 0, t.vISSRet, "Valor Retenção ISS");
        if (t.cRegTrib != dfe::RTISSNenhum)
            g.wCampo(dfe::tcStr, "W22g", "cRegTrib", 1, 1, 0, dfe::RegTribISSQNToStr(t.cRegTrib),
                     "Código do Regime Especial de Tributação");
    }
    g.wGrupo("/ISSQNtot");
}

void TNFeW::GerarTotalretTrib()
{
    const TretTrib &t = FNFe.Total.retTrib;
    if (!(Positivo(t.vRetPIS) || Positivo(t.vRetCOFINS) || Positivo(t.vRetCSLL) ||
          Positivo(t.vBCIRRF) || Positivo(t.vIRRF) || Positivo(t.vBCRetPrev) ||
          Positivo(t.vRetPrev)))
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcDe2;

    g.wGrupo("retTrib", "W23");
    g.wCampo(tcDe2, "W24", "vRetPIS", 1, 15, 0, t.vRetPIS, "Valor Retido do PIS");
    g.wCampo(tcDe2, "W25", "vRetCOFINS", 1, 15, 0, t.vRetCOFINS, "Valor Retido do COFINS");
    g.wCampo(tcDe2, "W26", "vRetCSLL", 1, 15, 0, t.vRetCSLL,
             "Valor Retido da CONTRIBUIÇÃO SOCIAL SOBRE O LUCRO LÍQUIDO");
    g.wCampo(tcDe2, "W27", "vBCIRRF", 1, 15, 0, t.vBCIRRF, "Base de Cálculo do IRRF");
    g.wCampo(tcDe2, "W28", "vIRRF", 1, 15, 0, t.vIRRF, "Valor do Imposto de Renda Retido na Fonte");
    g.wCampo(tcDe2, "W29", "vBCRetPrev", 1, 15, 0, t.vBCRetPrev,
             "Base de Cálculo da Retenção da Previdência Social");
    g.wCampo(tcDe2, "W30", "vRetPrev", 1, 15, 0, t.vRetPrev,
             "Valor da Retenção da Previdência Social");
    g.wGrupo("/retTrib");
}

// ---- transp ------------------------------------------------------------------------

void TNFeW::GerarTransp()
{
    const TTransp &t = FNFe.Transp;
    FGerador.wGrupo("transp", "X01");
    FGerador.wCampo(dfe::tcStr, "X02", "modFrete", 1, 1, 1, modFreteToStr(t.modFrete),
                    "Modalidade do Frete");
    GerarTranspTransporta();
    GerarTranspRetTransp();
    GerarTranspVeicTransp();
    GerarTranspReboque();
    FGerador.wCampo(dfe::tcStr, "X25a", "vagao", 1, 20, 0, t.vagao, "Identificação do vagão");
    FGerador.wCampo(dfe::tcStr, "X25b", "balsa", 1, 20, 0, t.balsa, "Identificação da balsa");
    GerarTranspVol();
    FGerador.wGrupo("/transp");
}

void TNFeW::GerarTranspTransporta()
{
    const TTransporta &t = FNFe.Transp.Transporta;
    if (!(Preenchido(t.CNPJCPF) || Preenchido(t.xNome) || Preenchido(t.IE) ||
          Preenchido(t.xEnder) || Preenchido(t.xMun) || Preenchido(t.UF)))
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcStr;

    g.wGrupo("transporta", "X03");
    if (Preenchido(t.CNPJCPF))
        g.wCampoCNPJCPF("X04", "X05", t.CNPJCPF);
    g.wCampo(tcStr, "X06", "xNome", 1, 60, 0, t.xNome, "Razão Social ou Nome");
    // The word ISENTO stands for an exempt carrier; any other registration is digits.
    g.wCampo(tcStr, "X07", "IE", 2, 14, 0,
             rtl::Trim(t.IE) == "ISENTO" ? t.IE : util::OnlyNumber(t.IE), "Inscrição Estadual");
    if (FOpcoes.ValidarInscricoes && !t.IE.empty() && !dfe::ValidarIE(t.IE, t.UF))
        g.wAlerta("X07", "IE", "Inscrição Estadual", ConteudoInvalido);
    g.wCampo(tcStr, "X08", "xEnder", 1, 60, 0, t.xEnder, "Endereço Completo");
    g.wCampo(tcStr, "X09", "xMun", 1, 60, 0, t.xMun, "Nome do Município");
    if (Preenchido(t.UF)) {
        g.wCampo(tcStr, "X10", "UF", 1, 2, 0, t.UF, "Sigla da UF");
        if (!dfe::ValidarUF(t.UF))
            g.wAlerta("X10", "UF", "Sigla da UF", ConteudoInvalido);
    }
    g.wGrupo("/transporta");
}

void TNFeW::GerarTranspRetTransp()
{
    const TretTransp &t = FNFe.Transp.retTransp;
    if (!(Positivo(t.vServ) || Positivo(t.vBCRet) || Positivo(t.pICMSRet) ||
          Positivo(t.vICMSRet) || Preenchido(t.CFOP) || t.cMunFG > 0))
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcDe2;

    g.wGrupo("retTransp", "X11");
    g.wCampo(tcDe2, "X12", "vServ", 1, 15, 1, t.vServ,
             "Valor total dos Serviços sob não incidência ou não Tributados pelo ICMS  / Valor do Serviço");
    g.wCampo(tcDe2, "X13", "vBCRet", 1, 15, 1, t.vBCRet, "BC da Retenção do ICMS");
    g.wCampo(tcDe2, "X14", "pICMSRet", 1, 5, 1, t.pICMSRet, "Alíquota da Retenção");
    g.wCampo(tcDe2, "X15", "vICMSRet", 1, 15, 1, t.vICMSRet, "Valor do ICMS Retido");
    g.wCampo(dfe::tcEsp, "X16", "CFOP", 4, 4, 1, util::OnlyNumber(t.CFOP), "CFOP");
    g.wCampo(dfe::tcStr, "X17", "cMunFG", 7, 7, 1, rtl::IntToStr(t.cMunFG),
             "Código do Município FG");
    if (!dfe::ValidarMunicipio(t.cMunFG))
        g.wAlerta("X17", "cMunFG", "Código do Município FG", ConteudoInvalido);
    g.wGrupo("/retTransp");
}

void TNFeW::GerarTranspVeicTransp()
{
    const TveicTransp &t = FNFe.Transp.veicTransp;
    if (!(Preenchido(t.placa) || Preenchido(t.UF) || Preenchido(t.RNTC)))
        return;

    dfe::TGerador &g = FGerador;
    g.wGrupo("veicTransp", "X18");
    g.wCampo(dfe::tcStr, "X19", "placa", 6, 7, 1, t.placa, "Placa do Veículo");
    g.wCampo(dfe::tcStr, "X20", "UF", 2, 2, 1, t.UF, "Sigla da UF");
    if (!dfe::ValidarUF(t.UF))
        g.wAlerta("X20", "UF", "Sigla da UF", ConteudoInvalido);
    g.wCampo(dfe::tcStr, "X21", "RNTC", 1, 20, 0, t.RNTC,
             "Registro Nacional de Transportador de Carga (ANTT)");
    g.wGrupo("/veicTransp");
}

void TNFeW::GerarTranspReboque()
{
    constexpr int Maximo = 5;
    const TreboqueCollection &lista = FNFe.Transp.Reboque;
    dfe::TGerador &g = FGerador;

    if (lista.Count() > Maximo)
        g.wAlerta("X22", "reboque", "Reboque", MensagemLimiteOcorrencias(Maximo));

    for (const TreboqueCollectionItem &r : lista) {
        g.wGrupo("reboque", "X22");
        g.wCampo(dfe::tcStr, "X23", "placa", 6, 7, 1, r.placa, "Placa do Veículo");
        g.wCampo(dfe::tcStr, "X24", "UF", 2, 2, 1, r.UF, "Sigla da UF");
        if (!dfe::ValidarUF(r.UF))
            g.wAlerta("X24", "UF", "Sigla da UF", ConteudoInvalido);
        g.wCampo(dfe::tcStr, "X25", "RNTC", 1, 20, 0, r.RNTC,
                 "Registro Nacional de Transportador de Carga (ANTT)");
        g.wGrupo("/reboque");
    }
}

void TNFeW::GerarTranspVol()
{
    const TVolCollection &lista = FNFe.Transp.Vol;
    dfe::TGerador &g = FGerador;
    using dfe::tcStr;

    for (int i = 0; i < lista.Count(); ++i) {
        const TVolCollectionItem &v = lista[i];
        g.wGrupo("vol", "X26");
        g.wCampo(dfe::tcInt, "X27", "qVol", 1, 15, 1, v.qVol, "Quantidade de volumes transportados");
        g.wCampo(tcStr, "X28", "esp", 1, 60, 0, v.esp, "Espécie dos volumes transportados");
        g.wCampo(tcStr, "X29", "marca", 1, 60, 0, v.marca, "Marca dos volumes transportados");
        g.wCampo(tcStr, "X30", "nVol", 1, 60, 0, v.nVol, "Numeração dos volumes transportados");
        g.wCampo(dfe::tcDe3, "X31", "pesoL", 1, 15, 0, v.pesoL, "Peso Líquido (em kg)");
        g.wCampo(dfe::tcDe3, "X32", "pesoB", 1, 15, 0, v.pesoB, "Peso Bruto (em kg)");
        GerarTranspVolLacres(i);
        g.wGrupo("/vol");
    }
}

void TNFeW::GerarTranspVolLacres(int i)
{
    dfe::TGerador &g = FGerador;
    for (const TLacresCollectionItem &l : FNFe.Transp.Vol[i].Lacres) {
        g.wGrupo("lacres", "X33");
        g.wCampo(dfe::tcStr, "X34", "nLacre", 1, 60, 1, l.nLacre, "Número dos Lacres");
        g.wGrupo("/lacres");
    }
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

    const int ocorrencias =
        (FOpcoes.CamposFatObrigatorios && FNFe.infNFe.GetVersao() >= 4.0) ? 1 : 0;
    dfe::TGerador &g = FGerador;
    using dfe::tcDe2;

    g.wGrupo("fat", "Y02");
    g.wCampo(dfe::tcStr, "Y03", "nFat", 1, 60, ocorrencias, f.nFat, "Número da fatura");
    g.wCampo(tcDe2, "Y04", "vOrig", 1, 15, ocorrencias, f.vOrig, "Valor Original da Fatura");
    g.wCampo(tcDe2, "Y05", "vDesc", 1, 15, ocorrencias, f.vDesc, "Valor do desconto");
    g.wCampo(tcDe2, "Y06", "vLiq", 1, 15, ocorrencias, f.vLiq, "Valor Líquido da Fatura");
    g.wGrupo("/fat");
}

void TNFeW::GerarCobrDup()
{
    constexpr int Maximo = 120;
    const TDupCollection &lista = FNFe.Cobr.Dup;
    const int ocorrencias = FNFe.infNFe.GetVersao() >= 4.0 ? 1 : 0;
    dfe::TGerador &g = FGerador;

    for (const TDupCollectionItem &d : lista) {
        g.wGrupo("dup", "Y07");
        g.wCampo(dfe::tcStr, "Y08", "nDup", 1, 60, ocorrencias, d.nDup, "Número da duplicata");
        g.wCampo(dfe::tcDat, "Y09", "dVenc", 10, 10, ocorrencias, Data(d.dVenc),
                 "Data de vencimento");
        g.wCampo(dfe::tcDe2, "Y10", "vDup", 1, 15, 1, d.vDup, "Valor da duplicata");
        g.wGrupo("/dup");
    }

    if (lista.Count() > Maximo)
        g.wAlerta("Y07", "dup", "Numero do item", MensagemLimiteOcorrencias(Maximo));
}

} // namespace nfe

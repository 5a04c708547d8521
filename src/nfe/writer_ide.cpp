// The head of the document: identification with its referenced documents, issuer, issuing
// tax office, recipient, pick-up and delivery places, and the parties allowed to fetch the
// XML. Values that break a rule are written all the same; the rule becomes an alert.

#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/codes_document.h"
#include "dfe/helpers.h"
#include "dfe/timezone.h"
#include "nfe/codes.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string>
#include <string_view>

namespace nfe {

using namespace dfe::escrita;

namespace {

constexpr std::string_view DscCUF = "Código do UF (Unidade da Federação)";
constexpr std::string_view DscModelo = "Modelo";
constexpr std::string_view DscSerie = "Série do Documento Fiscal";
constexpr std::string_view DscNNF = "Número do Documento Fiscal";
constexpr std::string_view DscAAMM = "Ano e Mês";
constexpr std::string_view DscDEmi = "Data de emissão";
constexpr std::string_view DscDSaiEnt = "Data de saída ou entrada da mercadoria/produto";
constexpr std::string_view DscDhCont = "Data e Hora de entrada em contingencia";
constexpr std::string_view DscXNome = "Razão Social ou Nome";
constexpr std::string_view DscXLgr = "Logradouro";
constexpr std::string_view DscNro = "Número";
constexpr std::string_view DscXCpl = "Complemento (Endereço)";
constexpr std::string_view DscXBairro = "Bairro";
constexpr std::string_view DscCMun = "Código do Município";
constexpr std::string_view DscXMun = "Nome do Município";
constexpr std::string_view DscUF = "Sigla da UF";
constexpr std::string_view DscCEP = "CEP";
constexpr std::string_view DscCPais = "Código do País";
constexpr std::string_view DscXPais = "Nome do País";
constexpr std::string_view DscFone = "Telefone";
constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscIM = "Inscrição Municipal";
constexpr std::string_view DscEmail = "Endereço de Email";

constexpr std::string_view ISENTO = "ISENTO";
constexpr int CodigoBrasil = 1058;
constexpr int MunicipioExterior = 9999999;

// The registration as written: the exact word "ISENTO" stays, anything else keeps only
// its digits.
std::string IEParaXml(const std::string &IE)
{
    return IE == ISENTO ? std::string(ISENTO) : util::OnlyNumber(IE);
}

} // namespace

// ---- ide -------------------------------------------------------------------------------

void TNFeW::GerarIde()
{
    const TIde &ide = FNFe.Ide;
    const double versao = FNFe.infNFe.GetVersao();

    FGerador.wGrupo("ide", "B01");
    FGerador.wCampo(dfe::tcInt, "B02", "cUF", 2, 2, 1, ide.cUF, DscCUF);
    if (!dfe::ValidarCodigoUF(ide.cUF))
        FGerador.wAlerta("B02", "cUF", DscCUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "B03", "cNF", 8, 8, 1,
                    dfe::IntToStrZero(dfe::ExtrairCodigoChaveAcesso(FNFe.infNFe.ID), 8),
                    "Número da Nota Fiscal Eletrônica");
    FGerador.wCampo(dfe::tcStr, "B04", "natOp", 1, 60, 1, ide.natOp,
                    "Descrição da Natureza da Operação");
    if (versao < 4.0)
        FGerador.wCampo(dfe::tcStr, "B05", "indPag", 1, 1, 1, dfe::IndpagToStr(ide.indPag),
                        "Indicador da forma de pagamento");
    FGerador.wCampo(dfe::tcInt, "B06", "mod", 2, 2, 1, ide.modelo, DscModelo);
    FGerador.wCampo(dfe::tcInt, "B07", "serie", 1, 3, 1, ide.serie, DscSerie);
    FGerador.wCampo(dfe::tcInt, "B08", "nNF", 1, 9, 1, ide.nNF, DscNNF);
    if (versao >= 3.0) {
        FGerador.wCampo(dfe::tcStr, "B09", "dhEmi", 25, 25, 1, DataHoraComFuso(ide.dEmi, ide.dEmiFuso, ide.cUF),
                        DscDEmi);
        if (ide.modelo == 55 && ide.dSaiEnt != 0)
            FGerador.wCampo(dfe::tcStr, "B10", "dhSaiEnt", 25, 25, 0,
                            DataHoraComFuso(ide.dSaiEnt, ide.dSaiEntFuso, ide.cUF), DscDSaiEnt);
    } else {
        FGerador.wCampo(dfe::tcDat, "B09", "dEmi", 10, 10, 1, Data(ide.dEmi), DscDEmi);
        FGerador.wCampo(dfe::tcDat, "B10", "dSaiEnt", 10, 10, 0, Data(ide.dSaiEnt), DscDSaiEnt);
        if (ide.dSaiEnt > 0)
            FGerador.wCampo(dfe::tcHor, "B10a", "hSaiEnt", 8, 8, 0, Data(ide.hSaiEnt),
                            "Hora de saída ou entrada da mercadoria/produto");
    }
    FGerador.wCampo(dfe::tcStr, "B11", "tpNF", 1, 1, 1, dfe::tpNFToStr(ide.tpNF),
                    "Tipo do Documento Fiscal");
    if (versao >= 3.0)
        FGerador.wCampo(dfe::tcStr, "B11a", "idDest", 1, 1, 1,
                        dfe::DestinoOperacaoToStr(ide.idDest), "Destino da Operação");
    FGerador.wCampo(dfe::tcInt, "B12", "cMunFG", 7, 7, 1, ide.cMunFG, "Código do Município FG");
    if (!dfe::ValidarMunicipio(ide.cMunFG))
        FGerador.wAlerta("B12", "cMunFG", "Código do Município FG", ConteudoInvalido);
    if (versao < 3.0)
        GerarIdeNFref();
    FGerador.wCampo(dfe::tcStr, "B21", "tpImp", 1, 1, 1, dfe::TpImpToStr(ide.tpImp),
                    "Formato de Impressão do Documento Auxiliar");
    FGerador.wCampo(dfe::tcStr, "B22", "tpEmis", 1, 1, 1, dfe::TpEmisToStr(ide.tpEmis),
                    "Forma de Emissão do DF-e");
    FGerador.wCampo(dfe::tcInt, "B23", "cDV", 1, 1, 1, ide.cDV, "Digito Verificador");
    FGerador.wCampo(dfe::tcStr, "B24", "tpAmb", 1, 1, 1, dfe::TpAmbToStr(ide.tpAmb),
                    "Identificação do Ambiente");
    FGerador.wCampo(dfe::tcStr, "B25", "finNFe", 1, 1, 1, FinNFeToStr(ide.finNFe),
                    "Finalidade de emissão da NFe");
    if (versao >= 3.0) {
        FGerador.wCampo(dfe::tcStr, "B25a", "indFinal", 1, 1, 1,
                        dfe::ConsumidorFinalToStr(ide.indFinal),
                        "Indicador de Operação com Consumidor Final");
        FGerador.wCampo(dfe::tcStr, "B25b", "indPres", 1, 1, 1,
                        dfe::PresencaCompradorToStr(ide.indPres),
                        "Indicador de Presença do Consumidor Final");
    }
    FGerador.wCampo(dfe::tcStr, "B26", "procEmi", 1, 1, 1, dfe::procEmiToStr(ide.procEmi),
                    "Processo de emissão do DF-e");
    FGerador.wCampo(dfe::tcStr, "B27", "verProc", 1, 20, 1, ide.verProc,
                    "Versão do Processo de emissão do DF-e");
    if (ide.dhCont > 0 || !ide.xJust.empty()) {
        // A justification without a date still writes the date: from 3.00 that is the
        // zero date with its zone, a full-length text, so only the layout notices.
        if (versao >= 3.0)
            FGerador.wCampo(dfe::tcStr, "B28", "dhCont", 25, 25, 1,
                            DataHoraComFuso(ide.dhCont, ide.dhContFuso, ide.cUF), DscDhCont);
        else
            FGerador.wCampo(dfe::tcStr, "B28", "dhCont", 19, 19, 1, dfe::DateTimeTodh(ide.dhCont),
                            DscDhCont);
        FGerador.wCampo(dfe::tcStr, "B29", "xJust", 1, 256, 1, ide.xJust,
                        "Justificativa de entrada em contingencia");
    }
    if (versao >= 3.0)
        GerarIdeNFref();
    FGerador.wGrupo("/ide");
}

void TNFeW::GerarIdeNFref()
{
    const TNFrefCollection &lista = FNFe.Ide.NFref;
    for (int i = 0; i < lista.Count(); ++i) {
        const TNFrefCollectionItem &ref = lista[i];
        FGerador.wGrupo("NFref", "B12a");
        if (!ref.refNFe.empty())
            GerarIdeNFrerefNFe(i);
        if (ref.RefNF.nNF > 0)
            GerarIdeNFrefRefNF(i);
        if (ref.RefNFP.nNF > 0)
            GerarRefNFP(i);
        if (!ref.refCTe.empty())
            GerarIdeNFrerefCTe(i);
        if (!ref.RefECF.nCOO.empty())
            GerarRefECF(i);
        FGerador.wGrupo("/NFref");
    }
    if (lista.Count() > 500)
        FGerador.wAlerta("B12a", "NFref", "Quantidade de Documento Fiscal",
                         MensagemLimiteOcorrencias(500));
}

void TNFeW::GerarIdeNFrerefNFe(int i)
{
    constexpr std::string_view dsc = "Chave de acesso das NF-e referenciadas";
    const std::string &chave = FNFe.Ide.NFref[i].refNFe;
    FGerador.wCampo(dfe::tcEsp, "B13", "refNFe", 44, 44, 1, util::OnlyNumber(chave), dsc);
    if (!dfe::ValidarChave(chave))
        FGerador.wAlerta("B13", "refNFe", dsc, ConteudoInvalido);
}

void TNFeW::GerarIdeNFrefRefNF(int i)
{
    const TRefNF &ref = FNFe.Ide.NFref[i].RefNF;
    FGerador.wGrupo("refNF", "B14");
    FGerador.wCampo(dfe::tcInt, "B15", "cUF", 2, 2, 1, ref.cUF, DscCUF);
    if (!dfe::ValidarCodigoUF(ref.cUF))
        FGerador.wAlerta("B15", "cUF", DscCUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcEsp, "B16", "AAMM", 4, 4, 1, ref.AAMM, DscAAMM);
    if (!dfe::ValidarAAMM(ref.AAMM))
        FGerador.wAlerta("B16", "AAMM", DscAAMM, "Periodo inválido");
    FGerador.wCampoCNPJCPF("B17", "B17", ref.CNPJ, true, true);
    FGerador.wCampo(dfe::tcInt, "B18", "mod", 2, 2, 1, ref.modelo, DscModelo);
    if (!dfe::ValidarMod(ref.modelo, FNFe.infNFe.GetVersao()))
        FGerador.wAlerta("B18", "mod", DscModelo, "Modelo de documento inválido");
    FGerador.wCampo(dfe::tcInt, "B19", "serie", 1, 3, 1, ref.serie, DscSerie);
    FGerador.wCampo(dfe::tcInt, "B20", "nNF", 1, 9, 1, ref.nNF, DscNNF);
    FGerador.wGrupo("/refNF");
}

void TNFeW::GerarRefNFP(int i)
{
    const TRefNFP &ref = FNFe.Ide.NFref[i].RefNFP;
    FGerador.wGrupo("refNFP", "B20a");
    FGerador.wCampo(dfe::tcInt, "B20b", "cUF", 2, 2, 1, ref.cUF, DscCUF);
    if (!dfe::ValidarCodigoUF(ref.cUF))
        FGerador.wAlerta("B20b", "cUF", DscCUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcEsp, "B20c", "AAMM", 4, 4, 1, ref.AAMM, DscAAMM);
    if (!dfe::ValidarAAMM(ref.AAMM))
        FGerador.wAlerta("B20c", "AAMM", DscAAMM, "Periodo inválido");
    FGerador.wCampoCNPJCPF("B20d", "B20e", ref.CNPJCPF, true, true);
    FGerador.wCampo(dfe::tcStr, "B20f", "IE", 1, 14, 1, ref.IE, DscIE);
    // The model is kept as read ("04"); as a number it is zero-filled back to two digits,
    // and a text that is no number gives 00.
    FGerador.wCampo(dfe::tcInt, "B20f", "mod", 2, 2, 1, ref.modelo, DscModelo);
    FGerador.wCampo(dfe::tcInt, "B20g", "serie", 1, 3, 1, ref.serie, DscSerie);
    FGerador.wCampo(dfe::tcInt, "B20h", "nNF", 1, 9, 1, ref.nNF, DscNNF);
    FGerador.wGrupo("/refNFP");
}

void TNFeW::GerarIdeNFrerefCTe(int i)
{
    constexpr std::string_view dsc = "Chave de acesso do CT-e referenciado";
    const std::string &chave = FNFe.Ide.NFref[i].refCTe;
    FGerador.wCampo(dfe::tcEsp, "B20i", "refCTe", 44, 44, 1, util::OnlyNumber(chave), dsc);
    if (!dfe::ValidarChave(chave))
        FGerador.wAlerta("B20i", "refCTe", dsc, ConteudoInvalido);
}

void TNFeW::GerarRefECF(int i)
{
    const TRefECF &ref = FNFe.Ide.NFref[i].RefECF;
    FGerador.wGrupo("refECF", "B20j");
    FGerador.wCampo(dfe::tcStr, "B20k", "mod", 2, 2, 1, dfe::ECFModRefToStr(ref.modelo),
                    DscModelo);
    FGerador.wCampo(dfe::tcInt, "B20l", "nECF", 3, 3, 1, ref.nECF,
                    "Número de ordem seqüencial do ECF");
    FGerador.wCampo(dfe::tcInt, "B20m", "nCOO", 6, 6, 1, ref.nCOO,
                    "Número do Contador de Ordem de Operação - COO");
    FGerador.wGrupo("/refECF");
}

// ---- emit ------------------------------------------------------------------------------

void TNFeW::GerarEmit()
{
    const TEmit &emit = FNFe.Emit;
    FGerador.wGrupo("emit", "C01");
    FGerador.wCampoCNPJCPF("C02", "C02a", emit.CNPJCPF, true, true);
    FGerador.wCampo(dfe::tcStr, "C03", "xNome", 2, 60, 1, emit.xNome, DscXNome);
    FGerador.wCampo(dfe::tcStr, "C04", "xFant", 1, 60, 0, emit.xFant, "Nome de Fantasia");
    GerarEmitEnderEmit();
    FGerador.wCampo(dfe::tcStr, "C17", "IE", 0, 14, 1, IEParaXml(emit.IE), DscIE);
    if (FOpcoes.ValidarInscricoes && FNFe.Ide.procEmi != dfe::peAvulsaFisco) {
        if (emit.IE.empty())
            FGerador.wAlerta("C17", "IE", DscIE, "Nenhum valor informado");
        else if (!dfe::ValidarIE(emit.IE, dfe::CodigoParaUF(FNFe.Ide.cUF)))
            FGerador.wAlerta("C17", "IE", DscIE, ConteudoInvalido);
    }
    FGerador.wCampo(dfe::tcStr, "C18", "IEST", 2, 14, 0, emit.IEST,
                    "Inscrição Estadual do Substituto tributário");
    FGerador.wCampo(dfe::tcStr, "C19", "IM", 1, 15, 0, emit.IM, DscIM);
    if (!emit.IM.empty())
        FGerador.wCampo(dfe::tcStr, "C20", "CNAE", 7, 7, 0, emit.CNAE,
                        "Classificação Nacional de Atividades Econômicas");
    if (FNFe.infNFe.GetVersao() >= 2.0)
        FGerador.wCampo(dfe::tcStr, "C21", "CRT", 1, 1, 1, dfe::CRTToStr(emit.CRT),
                        "Código de Regime Tributário");
    FGerador.wGrupo("/emit");
}

void TNFeW::GerarEmitEnderEmit()
{
    const TenderEmit &ender = FNFe.Emit.EnderEmit;
    std::string xUF;
    std::string xMun;
    int cMun = 0;
    // The issuer is always in Brazil, whatever country the model holds.
    AjustarMunicipioUF(xUF, xMun, cMun, CodigoBrasil, ender.UF, ender.xMun, ender.cMun);

    FGerador.wGrupo("enderEmit", "C05");
    FGerador.wCampo(dfe::tcStr, "C06", "xLgr", 2, 60, 1, ender.xLgr, DscXLgr);
    FGerador.wCampo(dfe::tcStr, "C07", "nro", 1, 60, 1, ender.nro, DscNro);
    FGerador.wCampo(dfe::tcStr, "C08", "xCpl", 1, 60, 0, ender.xCpl, DscXCpl);
    FGerador.wCampo(dfe::tcStr, "C09", "xBairro", 2, 60, 1, ender.xBairro, DscXBairro);
    FGerador.wCampo(dfe::tcInt, "C10", "cMun", 1, 7, 1, cMun, DscCMun);
    if (!dfe::ValidarMunicipio(cMun))
        FGerador.wAlerta("C10", "cMun", DscCMun, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "C11", "xMun", 2, 60, 1, xMun, DscXMun);
    FGerador.wCampo(dfe::tcStr, "C12", "UF", 2, 2, 1, xUF, DscUF);
    if (!dfe::ValidarUF(xUF))
        FGerador.wAlerta("C12", "UF", DscUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcInt, "C13", "CEP", 8, 8, 1, ender.CEP, DscCEP);
    FGerador.wCampo(dfe::tcInt, "C14", "cPais", 4, 4, 0, CodigoBrasil, DscCPais);
    FGerador.wCampo(dfe::tcStr, "C15", "xPais", 1, 60, 0, ender.xPais, DscXPais);
    FGerador.wCampo(dfe::tcStr, "C16", "fone", 6, 14, 0, util::OnlyNumber(ender.fone), DscFone);
    FGerador.wGrupo("/enderEmit");
}

// ---- avulsa ----------------------------------------------------------------------------

void TNFeW::GerarAvulsa()
{
    const TAvulsa &avulsa = FNFe.Avulsa;
    if (!Preenchido(avulsa.CNPJ))
        return;
    FGerador.wGrupo("avulsa", "D01");
    FGerador.wCampo(dfe::tcStr, "D02", "CNPJ", 14, 14, 1, avulsa.CNPJ, "CNPJ(MF)");
    FGerador.wCampo(dfe::tcStr, "D03", "xOrgao", 1, 60, 1, avulsa.xOrgao, "Orgão emitente");
    FGerador.wCampo(dfe::tcStr, "D04", "matr", 1, 60, 1, avulsa.matr, "Matrícula do agente");
    FGerador.wCampo(dfe::tcStr, "D05", "xAgente", 1, 60, 1, avulsa.xAgente, "Nome do agente");
    FGerador.wCampo(dfe::tcStr, "D06", "fone", 6, 14, 0, util::OnlyNumber(avulsa.fone), DscFone);
    FGerador.wCampo(dfe::tcStr, "D07", "UF", 2, 2, 1, avulsa.UF, DscUF);
    if (!dfe::ValidarUF(avulsa.UF))
        FGerador.wAlerta("D07", "UF", DscUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "D08", "nDAR", 1, 60, 0, avulsa.nDAR,
                    "Número do Documento Arrecadação de Receita");
    FGerador.wCampo(dfe::tcDat, "D09", "dEmi", 10, 10, 0, Data(avulsa.dEmi), DscDEmi);
    FGerador.wCampo(dfe::tcDe2, "D10", "vDAR", 1, 15, 0, avulsa.vDAR,
                    "Valor total constante no Documento de arrecadação de Receita");
    FGerador.wCampo(dfe::tcStr, "D11", "repEmi", 1, 60, 1, avulsa.repEmi,
                    "Repartição Fiscal emitente");
    FGerador.wCampo(dfe::tcDat, "D12", "dPag", 10, 10, 0, Data(avulsa.dPag),
                    "Data de pagamento do Documento de Arrecadação");
    FGerador.wGrupo("/avulsa");
}

// ---- dest ------------------------------------------------------------------------------

void TNFeW::GerarDest()
{
    TDest &dest = FNFe.Dest;
    const double versao = FNFe.infNFe.GetVersao();
    const bool ehNFe = FNFe.Ide.modelo == 55;

    FGerador.wGrupo("dest", "E01");
    const int cPais = dest.EnderDest.cPais;
    if (versao >= 3.0 &&
        (!dest.idEstrangeiro.empty() || (cPais != 0 && cPais != CodigoBrasil)))
        FGerador.wCampo(dfe::tcStr, "E03a", "idEstrangeiro", 0, 20, 1, dest.idEstrangeiro,
                        "Documento de Identificação do Estrangeiro");
    else
        FGerador.wCampoCNPJCPF("E02", "E03", dest.CNPJCPF, ehNFe, true);

    // The test environment's name goes into the XML only; the model keeps its own.
    if (FNFe.Ide.tpAmb == dfe::taHomologacao)
        FGerador.wCampo(dfe::tcStr, "E04", "xNome", 2, 60, ehNFe ? 1 : 0,
                        "NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL", DscXNome);
    else
        FGerador.wCampo(dfe::tcStr, "E04", "xNome", 2, 60, ehNFe ? 1 : 0, dest.xNome, DscXNome);

    std::string UFDest;
    if (ehNFe || !dest.EnderDest.xLgr.empty())
        GerarDestEnderDest(UFDest);

    if (versao >= 3.1)
        FGerador.wCampo(dfe::tcStr, "E16a", "indIEDest", 1, 1, 1,
                        dfe::indIEDestToStr(dest.indIEDest), "Indicador da IE do Destinatário");
    else
        // Older layouts have no indicator: the document is taken as a taxpayer's, and
        // the IE rule below sees it that way.
        dest.indIEDest = dfe::inContribuinte;

    const bool consideraIE =
        dest.indIEDest != dfe::inIsento && (!dest.IE.empty() || versao < 3.0);
    if (consideraIE) {
        if (dest.IE.empty() || dest.IE == ISENTO)
            FGerador.wCampo(dfe::tcStr, "E17", "IE", 0, 14, 1, dest.IE, DscIE);
        else if (!(!Preenchido(dest.IE) && FNFe.Ide.modelo == 65))
            FGerador.wCampo(dfe::tcStr, "E17", "IE", 0, 14, 1, util::OnlyNumber(dest.IE), DscIE);

        if (FOpcoes.ValidarInscricoes && !dest.IE.empty() && dest.IE != ISENTO &&
            !dfe::ValidarIE(dest.IE, UFDest))
            FGerador.wAlerta("E17", "IE", DscIE, ConteudoInvalido);
    }

    FGerador.wCampo(dfe::tcStr, "E18", "ISUF", 8, 9, 0, dest.ISUF, "Inscrição na SUFRAMA");
    if (FOpcoes.ValidarInscricoes && !dest.ISUF.empty() && !dfe::ValidarISUF(dest.ISUF))
        FGerador.wAlerta("E18", "ISUF", "Inscrição na SUFRAMA", ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "E18a", "IM", 1, 15, 0, dest.IM, DscIM);
    FGerador.wCampo(dfe::tcStr, "E19", "email", 1, 60, 0, dest.Email, DscEmail);
    FGerador.wGrupo("/dest");
}

void TNFeW::GerarDestEnderDest(std::string &UF)
{
    const TenderDest &ender = FNFe.Dest.EnderDest;
    std::string xMun;
    int cMun = 0;
    AjustarMunicipioUF(UF, xMun, cMun, ender.cPais, ender.UF, ender.xMun, ender.cMun);

    FGerador.wGrupo("enderDest", "E05");
    FGerador.wCampo(dfe::tcStr, "E06", "xLgr", 2, 60, 1, ender.xLgr, DscXLgr);
    FGerador.wCampo(dfe::tcStr, "E07", "nro", 1, 60, 1, ender.nro, DscNro);
    FGerador.wCampo(dfe::tcStr, "E08", "xCpl", 1, 60, 0, ender.xCpl, DscXCpl);
    FGerador.wCampo(dfe::tcStr, "E09", "xBairro", 1, 60, 1, ender.xBairro, DscXBairro);
    FGerador.wCampo(dfe::tcInt, "E10", "cMun", 1, 7, 1, cMun, DscCMun);
    if (!dfe::ValidarMunicipio(cMun))
        FGerador.wAlerta("E10", "cMun", DscCMun, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "E11", "xMun", 2, 60, 1, xMun, DscXMun);
    FGerador.wCampo(dfe::tcStr, "E12", "UF", 2, 2, 1, UF, DscUF);
    if (!dfe::ValidarUF(UF))
        FGerador.wAlerta("E12", "UF", DscUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcInt, "E13", "CEP", 8, 8, 0, ender.CEP, DscCEP);
    FGerador.wCampo(dfe::tcInt, "E14", "cPais", 2, 4, 0, ender.cPais, DscCPais);
    if (ender.cPais > 0 && dfe::ValidarCodigoPais(ender.cPais) != 1)
        FGerador.wAlerta("E14", "cPais", DscCPais, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, "E15", "xPais", 2, 60, 0, ender.xPais, DscXPais);
    FGerador.wCampo(dfe::tcStr, "E16", "fone", 6, 14, 0, util::OnlyNumber(ender.fone), DscFone);
    FGerador.wGrupo("/enderDest");
}

// ---- retirada, entrega -----------------------------------------------------------------

// The pick-up and delivery places share one layout; only their group name, the letter of
// their layout Ids and the place's written municipality differ.
void TNFeW::GerarLocal(std::string_view grupo, char letra, const TLocalNFe &local,
                       const std::string &xUF, const std::string &xMun, int cMun)
{
    const auto id = [letra](const char *numero) { return std::string(1, letra) + numero; };
    FGerador.wGrupo(grupo, id("01"));
    FGerador.wCampoCNPJCPF(id("02"), id("02a"), local.CNPJCPF, true, false);
    FGerador.wCampo(dfe::tcStr, id("02b"), "xNome", 2, 60, 0, local.xNome, DscXNome);
    FGerador.wCampo(dfe::tcStr, id("03"), "xLgr", 2, 60, 1, local.xLgr, DscXLgr);
    FGerador.wCampo(dfe::tcStr, id("04"), "nro", 1, 60, 1, local.nro, DscNro);
    FGerador.wCampo(dfe::tcStr, id("05"), "xCpl", 1, 60, 0, local.xCpl, DscXCpl);
    FGerador.wCampo(dfe::tcStr, id("06"), "xBairro", 1, 60, 1, local.xBairro, DscXBairro);
    FGerador.wCampo(dfe::tcInt, id("07"), "cMun", 1, 7, 1, cMun, DscCMun);
    if (!dfe::ValidarMunicipio(cMun))
        FGerador.wAlerta(id("07"), "cMun", DscCMun, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, id("08"), "xMun", 2, 60, 1, xMun, DscXMun);
    FGerador.wCampo(dfe::tcStr, id("09"), "UF", 2, 2, 1, xUF, DscUF);
    if (!dfe::ValidarUF(xUF))
        FGerador.wAlerta(id("09"), "UF", DscUF, ConteudoInvalido);
    FGerador.wCampo(dfe::tcInt, id("10"), "CEP", 8, 8, 0, local.CEP, DscCEP);
    FGerador.wCampo(dfe::tcInt, id("11"), "cPais", 2, 4, 0, local.cPais, DscCPais);
    if (local.cPais > 0 && dfe::ValidarCodigoPais(local.cPais) != 1)
        FGerador.wAlerta(id("11"), "cPais", DscCPais, ConteudoInvalido);
    FGerador.wCampo(dfe::tcStr, id("12"), "xPais", 2, 60, 0, local.xPais, DscXPais);
    FGerador.wCampo(dfe::tcStr, id("13"), "fone", 6, 14, 0, util::OnlyNumber(local.fone), DscFone);
    FGerador.wCampo(dfe::tcStr, id("14"), "email", 1, 60, 0, local.Email, DscEmail);
    if (local.IE == ISENTO)
        FGerador.wCampo(dfe::tcStr, id("15"), "IE", 0, 14, 1, std::string(ISENTO), DscIE);
    else
        FGerador.wCampo(dfe::tcStr, id("15"), "IE", 2, 14, 0, util::OnlyNumber(local.IE), DscIE);
    FGerador.wGrupo("/" + std::string(grupo));
}

void TNFeW::GerarRetirada()
{
    const TRetirada &local = FNFe.Retirada;
    if (!Preenchido(local.xLgr))
        return;
    std::string xUF;
    std::string xMun;
    int cMun = 0;
    // The place is tested against the issuer's country, not its own.
    AjustarMunicipioUF(xUF, xMun, cMun, FNFe.Emit.EnderEmit.cPais, local.UF, local.xMun,
                       local.cMun);
    GerarLocal("retirada", 'F', local, xUF, xMun, cMun);
}

void TNFeW::GerarEntrega()
{
    const TEntrega &local = FNFe.Entrega;
    if (!Preenchido(local.xLgr))
        return;
    GerarLocal("entrega", 'G', local, local.UF, local.xMun, local.cMun);
}

// ---- autXML ----------------------------------------------------------------------------

void TNFeW::GerarautXML()
{
    const TautXMLCollection &lista = FNFe.autXML;
    for (int i = 0; i < lista.Count(); ++i) {
        FGerador.wGrupo("autXML", "G50");
        FGerador.wCampoCNPJCPF("G51", "G52", lista[i].CNPJCPF, true, true);
        FGerador.wGrupo("/autXML");
    }
    if (lista.Count() > 10)
        FGerador.wAlerta("G50", "autXML", "", MensagemLimiteOcorrencias(10));
}

// ---- address adjustment ----------------------------------------------------------------

void TNFeW::AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                               const std::string &vxUF, const std::string &vxMun,
                               int vcMun) const
{
    const bool brasil = cPais == CodigoBrasil;
    cMun = brasil ? vcMun : MunicipioExterior;
    xMun = brasil ? vxMun : std::string("EXTERIOR");
    xUF = brasil ? vxUF : std::string("EX");

    // Normalising against a municipality table (filling a missing code from the name, or
    // a missing name from the code) needs a table this program does not ship: the options
    // NormatizarMunicipios and PathArquivoMunicipios are kept for the settings' sake, and
    // the values stay as the model holds them.
}

} // namespace nfe

// The items of the NF-e reader: cutting the det elements out of the document, and each
// item's product and tax groups.

#include "nfe/reader.h"

#include "dfe/codes.h"
#include "dfe/codes_tax.h"
#include "dfe/xmlreader_campos.h"
#include "dfe/xmlreader_itens.h"
#include "nfe/codes.h"
#include "rtl/text.h"

#include <string>
#include <string_view>

namespace nfe {

using dfe::leitura::Campos;
using dfe::itens::ProximoItem;
using dfe::itens::TrechoDosItens;

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The items' text with every CR LF pair removed (a lone CR or LF stays).
std::string SemCRLF(std::string_view itens)
{
    std::string limpo;
    limpo.reserve(itens.size());
    for (std::size_t i = 0; i < itens.size(); ++i) {
        if (itens[i] == '\r' && i + 1 < itens.size() && itens[i + 1] == '\n') {
            ++i;
            continue;
        }
        limpo += itens[i];
    }
    return limpo;
}

// The item number: the text after `nItem=` and its quote, up to the next quote
// character. The piece examined is no longer than the position of the first quote in the
// item, so an item quoted with the other character gives no number.
std::string NumeroDoItem(std::string_view item, char aspas)
{
    const std::size_t atributo = item.find("nItem=");
    const std::size_t primeiraAspa = item.find(aspas);
    if (atributo == npos || primeiraAspa == npos)
        return {};
    const std::size_t inicio = atributo + 7;
    if (inicio >= item.size())
        return {};
    const std::string_view trecho = item.substr(inicio, primeiraAspa + 1);
    const std::size_t corte = trecho.find(aspas);
    if (corte == npos)
        return {};
    return std::string(trecho.substr(0, corte));
}

} // namespace

void TNFeR::LerItens()
{
    // Each item becomes the leaf reader's whole document in turn, and the whole text goes
    // back to it when the items are done. The items are read without their CR LF pairs:
    // when they hold none, they are pieces of the document itself, and the reader searches
    // them through the document's index instead of indexing each one again; otherwise
    // they are pieces of one text of the items without the pairs. The copy of the reader
    // keeps the document, its text and its index, for the views below and for the end.
    const dfe::TLeitor inteiro = FLeitor;
    std::string_view itens = TrechoDosItens(inteiro.Arquivo());
    if (itens.find("\r\n") != npos) {
        FLeitor.SetArquivo(SemCRLF(itens));
        itens = FLeitor.Arquivo();
    }

    FNFe.Det.Clear();
    std::size_t cursor = 0;
    std::size_t depois = 0;
    // Each pass starts where the previous item ended, so the walk is linear.
    for (std::string_view item = ProximoItem(itens, cursor, depois); !item.empty();
         item = ProximoItem(itens, cursor, depois)) {
        cursor = depois;
        FLeitor.SetArquivoDeParte(item);
        // The number addresses nothing (the item's own text is the item group), but one
        // that is no number stops the read.
        (void)dfe::leitura::Inteiro(NumeroDoItem(item, FAspas),
                                    "no atributo nItem do item " + std::to_string(FNFe.Det.Count() + 1));
        TDetCollectionItem &Item = FNFe.Det.New();
        Item.Prod.nItem = FNFe.Det.Count();
        LerItem(Item);
    }
    FLeitor.SetArquivoDe(inteiro);
}

void TNFeR::LerItem(TDetCollectionItem &Item)
{
    // The item's own text is the item group, whatever its nItem attribute says, so no
    // group of the previous item is ever read again.
    FLeitor.rExtrai(1, "det");
    const Campos c(FLeitor);
    Item.infAdProd = c.Str("infAdProd");
    LerProduto(Item.Prod);
    LerImpostos(Item);
}

void TNFeR::LerProduto(TProd &Prod)
{
    const Campos c(FLeitor);
    const double V = Versao();
    // Without prod the product leaves read as empty, and the nested groups are skipped:
    // a level below would still hold the previous item's prod.
    const bool temProd = !FLeitor.rExtrai(2, "prod").empty();

    Prod.cProd = c.Str("cProd");
    Prod.cEAN = c.Str("cEAN");
    Prod.xProd = c.Str("xProd");
    Prod.NCM = c.Str("NCM");
    Prod.CEST = c.Str("CEST");
    if (V >= 4.0) {
        Prod.indEscala = Campos::Codigo(StrToIndEscala, c.Str("indEscala"));
        Prod.CNPJFab = c.Str("CNPJFab");
        Prod.cBenef = c.Str("cBenef");
    }
    Prod.EXTIPI = c.Str("EXTIPI");
    Prod.CFOP = c.Esp("CFOP");
    Prod.uCom = c.Str("uCom");
    Prod.qCom = c.Cur("qCom", dfe::tcDe4);
    Prod.vUnCom = c.Dbl("vUnCom", dfe::tcDe10);
    Prod.vProd = c.Cur("vProd");
    Prod.cEANTrib = c.Str("cEANTrib");
    Prod.uTrib = c.Str("uTrib");
    Prod.qTrib = c.Cur("qTrib", dfe::tcDe4);
    Prod.vUnTrib = c.Dbl("vUnTrib", dfe::tcDe10);
    Prod.vFrete = c.Cur("vFrete");
    Prod.vSeg = c.Cur("vSeg");
    Prod.vDesc = c.Cur("vDesc");
    Prod.vOutro = c.Cur("vOutro");
    Prod.IndTot = Campos::Codigo(dfe::StrToindTot, c.Texto("indTot", dfe::tcDe2));
    Prod.xPed = c.Str("xPed");
    Prod.nItemPed = c.Str("nItemPed");
    Prod.nRECOPI = c.Str("nRECOPI");
    Prod.nFCI = c.Str("nFCI");
    if (!temProd)
        return;

    // The occurrence of NVE is the leaf itself.
    for (int j = 1; !FLeitor.rExtrai(3, "NVE", "", j).empty(); ++j)
        Prod.NVE.New().NVE = c.Str("NVE");

    for (int j = 1; !FLeitor.rExtrai(3, "DI", "", j).empty(); ++j) {
        TDICollectionItem &di = Prod.DI.New();
        di.nDi = c.Str("nDI");
        di.dDi = c.Data("dDI");
        di.xLocDesemb = c.Str("xLocDesemb");
        di.UFDesemb = c.Str("UFDesemb");
        di.dDesemb = c.Data("dDesemb");
        di.tpViaTransp = Campos::Codigo(dfe::StrToTipoViaTransp, c.Texto("tpViaTransp", dfe::tcInt));
        di.vAFRMM = c.Cur("vAFRMM");
        di.tpIntermedio = Campos::Codigo(dfe::StrToTipoIntermedio, c.Texto("tpIntermedio", dfe::tcInt));
        di.CNPJ = c.CNPJCPF();
        di.UFTerceiro = c.Str("UFTerceiro");
        di.cExportador = c.Str("cExportador");
        for (int k = 1; !FLeitor.rExtrai(4, "adi", "", k).empty(); ++k) {
            TAdiCollectionItem &adi = di.adi.New();
            adi.nAdicao = c.Int("nAdicao");
            adi.nSeqAdi = c.Int("nSeqAdic");
            adi.cFabricante = c.Str("cFabricante");
            adi.vDescDI = c.Cur("vDescDI");
            adi.nDraw = c.Str("nDraw");
        }
    }

    for (int j = 1; !FLeitor.rExtrai(3, "detExport", "", j).empty(); ++j) {
        TdetExportCollectionItem &ex = Prod.detExport.New();
        ex.nDraw = c.Str("nDraw");
        // Not found leaves Grupo empty, so the three leaves read as empty.
        FLeitor.rExtrai(4, "exportInd");
        ex.nRE = c.Str("nRE");
        ex.chNFe = c.Str("chNFe");
        ex.qExport = c.Cur("qExport", dfe::tcDe4);
    }

    for (int j = 1; !FLeitor.rExtrai(3, "rastro", "", j).empty(); ++j) {
        TRastroCollectionItem &r = Prod.rastro.New();
        r.nLote = c.Str("nLote");
        r.qLote = c.Cur("qLote", dfe::tcDe3);
        r.dFab = c.Data("dFab");
        r.dVal = c.Data("dVal");
        r.cAgreg = c.Str("cAgreg");
    }

    if (!FLeitor.rExtrai(3, "veicProd").empty()) {
        TveicProd &v = Prod.veicProd;
        v.tpOP = Campos::Codigo(StrTotpOP, c.Str("tpOp"));
        v.chassi = c.Str("chassi");
        v.cCor = c.Str("cCor");
        v.xCor = c.Str("xCor");
        v.pot = c.Str("pot");
        v.Cilin = c.Str("cilin");
        v.pesoL = c.Str("pesoL");
        v.pesoB = c.Str("pesoB");
        v.nSerie = c.Str("nSerie");
        v.tpComb = c.Str("tpComb");
        v.nMotor = c.Str("nMotor");
        v.CMT = c.Str("CMT");
        v.dist = c.Str("dist");
        v.anoMod = c.Int("anoMod");
        v.anoFab = c.Int("anoFab");
        v.tpPint = c.Str("tpPint");
        v.tpVeic = c.Int("tpVeic");
        v.espVeic = c.Int("espVeic");
        v.VIN = c.Str("VIN");
        v.condVeic = Campos::Codigo(StrTocondVeic, c.Str("condVeic"));
        v.cMod = c.Str("cMod");
        v.cCorDENATRAN = c.Str("cCorDENATRAN");
        v.lota = c.Int("lota");
        v.tpRest = c.Int("tpRest");
    }

    for (int j = 1; !FLeitor.rExtrai(3, "med", "", j).empty(); ++j) {
        TmedCollectionItem &m = Prod.med.New();
        m.cProdANVISA = c.Str("cProdANVISA");
        m.xMotivoIsencao = c.Str("xMotivoIsencao");
        m.nLote = c.Str("nLote");
        m.qLote = c.Cur("qLote", dfe::tcDe3);
        m.dFab = c.Data("dFab");
        m.dVal = c.Data("dVal");
        m.vPMC = c.Cur("vPMC");
    }

    for (int j = 1; !FLeitor.rExtrai(3, "arma", "", j).empty(); ++j) {
        TarmaCollectionItem &a = Prod.arma.New();
        a.tpArma = Campos::Codigo(StrTotpArma, c.Str("tpArma"));
        a.nSerie = c.Str("nSerie");
        a.nCano = c.Str("nCano");
        a.descr = c.Str("descr");
    }

    if (FLeitor.rExtrai(3, "comb").empty())
        return;
    TComb &comb = Prod.comb;
    comb.cProdANP = c.Int("cProdANP");
    comb.pMixGN = c.Cur("pMixGN", dfe::tcDe4);
    comb.descANP = c.Str("descANP");
    comb.pGLP = c.Cur("pGLP", dfe::tcDe4);
    comb.pGNn = c.Cur("pGNn", dfe::tcDe4);
    comb.pGNi = c.Cur("pGNi", dfe::tcDe4);
    comb.vPart = c.Cur("vPart");
    comb.CODIF = c.Esp("CODIF");
    comb.qTemp = c.Cur("qTemp", dfe::tcDe4);
    // Both read the first UFCons of comb, its own; ICMSCons' own one replaces the second.
    comb.UFcons = c.Str("UFCons");
    comb.ICMSCons.UFcons = c.Str("UFCons");
    if (!FLeitor.rExtrai(4, "CIDE").empty()) {
        comb.CIDE.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
        comb.CIDE.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
        comb.CIDE.vCIDE = c.Cur("vCIDE");
    }
    if (!FLeitor.rExtrai(4, "encerrante").empty()) {
        comb.encerrante.nBico = c.Int("nBico");
        comb.encerrante.nBomba = c.Int("nBomba");
        comb.encerrante.nTanque = c.Int("nTanque");
        comb.encerrante.vEncIni = c.Cur("vEncIni", dfe::tcDe3);
        comb.encerrante.vEncFin = c.Cur("vEncFin", dfe::tcDe3);
    }
    if (!FLeitor.rExtrai(4, "ICMSComb").empty()) {
        comb.ICMS.vBCICMS = c.Cur("vBCICMS");
        comb.ICMS.vICMS = c.Cur("vICMS");
        comb.ICMS.vBCICMSST = c.Cur("vBCICMSST");
        comb.ICMS.vICMSST = c.Cur("vICMSST");
    }
    if (!FLeitor.rExtrai(4, "ICMSInter").empty()) {
        comb.ICMSInter.vBCICMSSTDest = c.Cur("vBCICMSSTDest");
        comb.ICMSInter.vICMSSTDest = c.Cur("vICMSSTDest");
    }
    if (!FLeitor.rExtrai(4, "ICMSCons").empty()) {
        comb.ICMSCons.vBCICMSSTCons = c.Cur("vBCICMSSTCons");
        comb.ICMSCons.vICMSSTCons = c.Cur("vICMSSTCons");
        comb.ICMSCons.UFcons = c.Str("UFCons");
    }
}

void TNFeR::LerImpostos(TDetCollectionItem &Item)
{
    const Campos c(FLeitor);
    TImposto &imp = Item.Imposto;
    // Without imposto the taxes keep the new item's defaults: a level below would still
    // hold the previous item's taxes.
    const bool temImposto = !FLeitor.rExtrai(2, "imposto").empty();
    imp.vTotTrib = c.Cur("vTotTrib");

    if (temImposto) {
        if (!FLeitor.rExtrai(3, "ICMS").empty()) {
            TICMS &i = imp.ICMS;
            i.orig = Campos::Codigo(dfe::StrToOrig, c.Str("orig"));
            i.CST = Campos::Codigo(dfe::StrToCSTICMS, c.Str("CST"));
            i.CSOSN = Campos::Codigo(dfe::StrToCSOSNIcms, c.Texto("CSOSN", dfe::tcInt));
            i.modBC = Campos::Codigo(dfe::StrTomodBC, c.Str("modBC"));
            i.pRedBC = c.Cur("pRedBC");
            i.vBC = c.Cur("vBC");
            i.pICMS = c.Cur("pICMS");
            i.vICMSOp = c.Cur("vICMSOp");
            i.pDif = c.Cur("pDif", dfe::tcDe4);
            i.vICMSDif = c.Cur("vICMSDif");
            i.vICMS = c.Cur("vICMS");
            i.vBCFCP = c.Cur("vBCFCP");
            i.pFCP = c.Cur("pFCP", dfe::tcDe4);
            i.vFCP = c.Cur("vFCP");
            i.modBCST = Campos::Codigo(dfe::StrTomodBCST, c.Str("modBCST"));
            i.pMVAST = c.Cur("pMVAST");
            i.pRedBCST = c.Cur("pRedBCST");
            i.vBCST = c.Cur("vBCST");
            i.pICMSST = c.Cur("pICMSST");
            i.vICMSST = c.Cur("vICMSST");
            i.vBCFCPST = c.Cur("vBCFCPST");
            i.pFCPST = c.Cur("pFCPST", dfe::tcDe4);
            i.vFCPST = c.Cur("vFCPST");
            i.UFST = c.Str("UFST");
            i.pBCOp = c.Cur("pBCOp");
            i.vBCSTRet = c.Cur("vBCSTRet");
            i.vICMSSTRet = c.Cur("vICMSSTRet");
            i.vICMSDeson = c.Cur("vICMSDeson");
            i.vBCFCPSTRet = c.Cur("vBCFCPSTRet");
            i.pFCPSTRet = c.Cur("pFCPSTRet", dfe::tcDe4);
            i.vFCPSTRet = c.Cur("vFCPSTRet");
            i.pST = c.Cur("pST", dfe::tcDe4);
            i.motDesICMS = Campos::Codigo(dfe::StrTomotDesICMS, c.Str("motDesICMS"));
            i.pCredSN = c.Cur("pCredSN");
            i.vCredICMSSN = c.Cur("vCredICMSSN");
            i.vBCSTDest = c.Cur("vBCSTDest");
            i.vICMSSTDest = c.Cur("vICMSSTDest");
            i.pRedBCEfet = c.Cur("pRedBCEfet", dfe::tcDe4);
            i.vBCEfet = c.Cur("vBCEfet");
            i.pICMSEfet = c.Cur("pICMSEfet", dfe::tcDe4);
            i.vICMSEfet = c.Cur("vICMSEfet");
            i.vICMSSubstituto = c.Cur("vICMSSubstituto");

            // The partition and the substitute retention share their CST codes with
            // ordinary groups; the model tells them apart.
            if (!FLeitor.rExtrai(4, "ICMSPart").empty()) {
                if (i.CST == dfe::cst10)
                    i.CST = dfe::cstPart10;
                else if (i.CST == dfe::cst90)
                    i.CST = dfe::cstPart90;
            } else if (!FLeitor.rExtrai(4, "ICMSST").empty()) {
                if (i.CST == dfe::cst41)
                    i.CST = dfe::cstRep41;
                else if (i.CST == dfe::cst60)
                    i.CST = dfe::cstRep60;
            }
        }

        if (!FLeitor.rExtrai(3, "ICMSUFDest").empty()) {
            TICMSUFDest &u = imp.ICMSUFDest;
            u.vBCUFDest = c.Cur("vBCUFDest");
            u.vBCFCPUFDest = c.Cur("vBCFCPUFDest");
            u.pFCPUFDest = c.Cur("pFCPUFDest");
            u.pICMSUFDest = c.Cur("pICMSUFDest");
            u.pICMSInter = c.Cur("pICMSInter");
            u.pICMSInterPart = c.Cur("pICMSInterPart");
            u.vFCPUFDest = c.Cur("vFCPUFDest");
            u.vICMSUFDest = c.Cur("vICMSUFDest");
            u.vICMSUFRemet = c.Cur("vICMSUFRemet");
        }

        if (!FLeitor.rExtrai(3, "IPI").empty()) {
            TIPI &ipi = imp.IPI;
            ipi.clEnq = c.Str("clEnq");
            ipi.CNPJProd = c.Str("CNPJProd");
            ipi.cSelo = c.Str("cSelo");
            ipi.qSelo = c.Int("qSelo");
            ipi.cEnq = c.Str("cEnq");
            // An IPI group with neither variant: not taxed, by the document's direction.
            if (FNFe.Ide.tpNF == dfe::tnEntrada)
                ipi.CST = dfe::ipi53;
            else if (FNFe.Ide.tpNF == dfe::tnSaida)
                ipi.CST = dfe::ipi03;
            if (!FLeitor.rExtrai(3, "IPITrib").empty()) {
                ipi.CST = Campos::Codigo(dfe::StrToCSTIPI, c.Str("CST"));
                ipi.vBC = c.Cur("vBC");
                ipi.qUnid = c.Cur("qUnid", dfe::tcDe4);
                ipi.vUnid = c.Cur("vUnid", dfe::tcDe4);
                ipi.pIPI = c.Cur("pIPI");
                ipi.vIPI = c.Cur("vIPI");
            }
            if (!FLeitor.rExtrai(3, "IPINT").empty())
                ipi.CST = Campos::Codigo(dfe::StrToCSTIPI, c.Str("CST"));
        }

        if (!FLeitor.rExtrai(3, "II").empty()) {
            imp.II.vBc = c.Cur("vBC");
            imp.II.vDespAdu = c.Cur("vDespAdu");
            imp.II.vII = c.Cur("vII");
            imp.II.vIOF = c.Cur("vIOF");
        }

        if (!FLeitor.rExtrai(3, "PIS").empty()) {
            TPIS &p = imp.PIS;
            p.CST = Campos::Codigo(dfe::StrToCSTPIS, c.Str("CST"));
            p.vBC = c.Cur("vBC");
            p.pPIS = c.Cur("pPIS");
            p.vPIS = c.Cur("vPIS");
            p.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
            p.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
        }
        if (!FLeitor.rExtrai(3, "PISST").empty()) {
            TPISST &p = imp.PISST;
            p.vBc = c.Cur("vBC");
            p.pPis = c.Cur("pPIS");
            p.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
            p.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
            p.vPIS = c.Cur("vPIS");
        }
        if (!FLeitor.rExtrai(3, "COFINS").empty()) {
            TCOFINS &p = imp.COFINS;
            p.CST = Campos::Codigo(dfe::StrToCSTCOFINS, c.Str("CST"));
            p.vBC = c.Cur("vBC");
            p.pCOFINS = c.Cur("pCOFINS");
            p.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
            p.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
            p.vCOFINS = c.Cur("vCOFINS");
        }
        if (!FLeitor.rExtrai(3, "COFINSST").empty()) {
            TCOFINSST &p = imp.COFINSST;
            p.vBC = c.Cur("vBC");
            p.pCOFINS = c.Cur("pCOFINS");
            p.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
            p.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
            p.vCOFINS = c.Cur("vCOFINS");
        }
        if (!FLeitor.rExtrai(3, "ISSQN").empty()) {
            TISSQN &s = imp.ISSQN;
            s.vBC = c.Cur("vBC");
            s.vAliq = c.Cur("vAliq");
            s.vISSQN = c.Cur("vISSQN");
            s.cMunFG = c.Int("cMunFG");
            s.cListServ = c.Str("cListServ");
            s.cSitTrib = Campos::Codigo(dfe::StrToISSQNcSitTrib, c.Str("cSitTrib"));
            s.vDeducao = c.Cur("vDeducao");
            s.vOutro = c.Cur("vOutro");
            s.vDescIncond = c.Cur("vDescIncond");
            s.vDescCond = c.Cur("vDescCond");
            s.vISSRet = c.Cur("vISSRet");
            s.indISS = Campos::Codigo(dfe::StrToindISS, c.Str("indISS"));
            s.cServico = c.Str("cServico");
            s.cMun = c.Int("cMun");
            s.cPais = c.Int("cPais");
            s.nProcesso = c.Str("nProcesso");
            s.indIncentivo = Campos::Codigo(dfe::StrToindIncentivo, c.Str("indIncentivo"));
        }
    }

    if (!FLeitor.rExtrai(2, "impostoDevol").empty()) {
        Item.pDevol = c.Cur("pDevol");
        if (!FLeitor.rExtrai(3, "IPI").empty())
            Item.vIPIDevol = c.Cur("vIPIDevol");
    }
}

} // namespace nfe

#include "nfe/reader.h"

#include "dfe/codes.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlreader_campos.h"
#include "nfe/codes.h"
#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "rtl/variant.h"
#include "util/toolbox.h"

#include <string>

namespace nfe {

using dfe::leitura::Campos;

namespace {

// The address leaves of enderEmit and enderDest; a document that names no country is in
// Brazil.
void LerEndereco(const Campos &c, TEnderecoNFe &e)
{
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.cMun = c.Int("cMun");
    e.xMun = c.Str("xMun");
    e.UF = c.Str("UF");
    e.CEP = c.Int("CEP");
    e.cPais = c.Int("cPais");
    if (e.cPais == 0)
        e.cPais = 1058;
    e.xPais = c.Str("xPais");
    if (e.xPais.empty())
        e.xPais = "BRASIL";
    e.fone = c.Str("fone");
}

void LerLocal(const Campos &c, TLocalNFe &l)
{
    l.CNPJCPF = c.CNPJCPF();
    l.xNome = c.Str("xNome");
    l.xLgr = c.Str("xLgr");
    l.nro = c.Str("nro");
    l.xCpl = c.Str("xCpl");
    l.xBairro = c.Str("xBairro");
    l.cMun = c.Int("cMun");
    l.xMun = c.Str("xMun");
    l.UF = c.Str("UF");
    l.CEP = c.Int("CEP");
    l.cPais = c.Int("cPais");
    l.xPais = c.Str("xPais");
    l.fone = c.Str("fone");
    l.Email = c.Str("email");
    l.IE = c.Str("IE");
}

// The run-time's conversion of a tagged text to an integer: an empty or non-numeric text
// raises its conversion error, its message naming the field (`onde`).
int InteiroDoTexto(const std::string &texto, std::string_view onde)
{
    try {
        return rtl::Variant(texto).AsInteger();
    } catch (rtl::Exception &e) {
        dfe::leitura::Explicar(e, "Conteúdo inválido", onde, texto);
        throw;
    }
}

} // namespace

TNFeR::TNFeR(TNFe &AOwner) : FNFe(AOwner) {}

TNFeR::~TNFeR() = default;

bool TNFeR::LerXml()
{
    FLeitor.SetGrupo(FLeitor.Arquivo());
    FAspas = FLeitor.Arquivo().find("versao=\"") != std::string::npos ? '"' : '\'';

    FNFe.infNFe.ID = FLeitor.rAtributo("Id=", "infNFe");
    if (util::OnlyNumber(FNFe.infNFe.ID).empty())
        throw rtl::Exception("Não encontrei o atributo: Id");

    const std::string versao = FLeitor.rAtributo("versao=", "infNFe");
    if (util::StringToFloatDef(versao, -1) == -1)
        throw rtl::Exception("Não encontrei o atributo: versao");
    FNFe.infNFe.Versao = util::StringToFloat(versao);

    LerIdentificacao();
    LerEmitente();
    LerAvulsa();
    LerDestinatario();
    LerLocais();
    LerAutXML();
    LerItens();
    LerTotal();
    LerTransporte();
    LerCobranca();
    LerPagamentos();
    LerInfAdic();
    LerExportaCompraCana();
    LerRespTecAssinaturaSuplemento();
    LerProtocolo();
    return true;
}

void TNFeR::LerIdentificacao()
{
    if (FLeitor.rExtrai(1, "ide").empty())
        return;
    const Campos c(FLeitor);
    const double V = Versao();
    TIde &ide = FNFe.Ide;

    ide.cUF = c.Int("cUF");
    ide.cNF = c.Int("cNF");
    // A zero code must survive a new access key: -2 asks the key routine for a zero code.
    if (ide.cNF == 0)
        ide.cNF = -2;
    ide.natOp = c.Str("natOp");
    ide.indPag = Campos::Codigo(dfe::StrToIndpag, c.Str("indPag"));
    ide.modelo = c.Int("mod");
    ide.serie = c.Int("serie");
    ide.nNF = c.Int("nNF");
    if (V >= 3.0) {
        ide.dEmi = c.DataHora("dhEmi", ide.dEmiFuso);
        ide.dSaiEnt = c.DataHora("dhSaiEnt", ide.dSaiEntFuso);
    } else {
        ide.dEmi = c.Data("dEmi");
        ide.dSaiEnt = c.Data("dSaiEnt");
        ide.hSaiEnt = c.Data("hSaiEnt", dfe::tcHor);
    }
    ide.tpNF = Campos::Codigo(dfe::StrToTpNF, c.Str("tpNF"));
    if (V >= 3.0)
        ide.idDest = Campos::Codigo(dfe::StrToDestinoOperacao, c.Str("idDest"));
    ide.cMunFG = c.Int("cMunFG");
    ide.tpImp = Campos::Codigo(dfe::StrToTpImp, c.Str("tpImp"));
    ide.tpEmis = Campos::Codigo(dfe::StrToTpEmis, c.Str("tpEmis"));
    ide.cDV = c.Int("cDV");
    ide.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    ide.finNFe = Campos::Codigo(StrToFinNFe, c.Str("finNFe"));
    if (V >= 3.0) {
        ide.indFinal = Campos::Codigo(dfe::StrToConsumidorFinal, c.Str("indFinal"));
        ide.indPres = Campos::Codigo(dfe::StrToPresencaComprador, c.Str("indPres"));
    }
    ide.procEmi = Campos::Codigo(dfe::StrToprocEmi, c.Str("procEmi"));
    ide.verProc = c.Str("verProc");
    ide.dhCont = c.DataHora("dhCont", ide.dhContFuso);
    ide.xJust = c.Str("xJust");

    // The referenced documents: every leaf from the whole occurrence.
    ide.NFref.Clear();
    FLeitor.rExtrai(1, "ide");
    for (int n = 1; !FLeitor.rExtrai(2, "NFref", "", n).empty(); ++n) {
        TNFrefCollectionItem &ref = ide.NFref.New();
        ref.refNFe = c.Esp("refNFe");
        if (!rtl::Trim(c.Esp("refNF")).empty()) {
            ref.RefNF.cUF = c.Int("cUF");
            ref.RefNF.AAMM = c.Esp("AAMM");
            ref.RefNF.CNPJ = c.Esp("CNPJ");
            ref.RefNF.modelo = c.Int("mod");
            ref.RefNF.serie = c.Int("serie");
            ref.RefNF.nNF = c.Int("nNF");
        }
        if (!rtl::Trim(c.Esp("refNFP")).empty()) {
            ref.RefNFP.cUF = c.Int("cUF");
            ref.RefNFP.AAMM = c.Esp("AAMM");
            ref.RefNFP.CNPJCPF = c.CNPJCPF();
            ref.RefNFP.IE = c.Esp("IE");
            ref.RefNFP.modelo = c.Texto("mod", dfe::tcInt);
            ref.RefNFP.serie = c.Int("serie");
            ref.RefNFP.nNF = c.Int("nNF");
        }
        ref.refCTe = c.Esp("refCTe");
        ref.RefECF.modelo = Campos::Codigo(dfe::StrToECFModRef, c.Str("mod"));
        ref.RefECF.nECF = c.Str("nECF");
        ref.RefECF.nCOO = c.Str("nCOO");
    }
}

void TNFeR::LerEmitente()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "emit").empty()) {
        TEmit &emit = FNFe.Emit;
        emit.CNPJCPF = c.CNPJCPF();
        emit.xNome = c.Str("xNome");
        emit.xFant = c.Str("xFant");
        emit.IE = c.Str("IE");
        emit.IEST = c.Str("IEST");
        emit.IM = c.Str("IM");
        emit.CNAE = c.Str("CNAE");
        emit.CRT = Campos::Codigo(dfe::StrToCRT, c.Str("CRT"));
    }
    if (!FLeitor.rExtrai(1, "emit").empty() && !FLeitor.rExtrai(2, "enderEmit").empty())
        LerEndereco(c, FNFe.Emit.EnderEmit);
}

void TNFeR::LerAvulsa()
{
    if (FLeitor.rExtrai(1, "avulsa").empty())
        return;
    const Campos c(FLeitor);
    TAvulsa &a = FNFe.Avulsa;
    a.CNPJ = c.Str("CNPJ");
    a.xOrgao = c.Str("xOrgao");
    a.matr = c.Str("matr");
    a.xAgente = c.Str("xAgente");
    a.fone = c.Str("fone");
    a.UF = c.Str("UF");
    a.nDAR = c.Str("nDAR");
    a.dEmi = c.Data("dEmi");
    a.vDAR = c.Cur("vDAR");
    a.repEmi = c.Str("repEmi");
    a.dPag = c.Data("dPag");
}

void TNFeR::LerDestinatario()
{
    const Campos c(FLeitor);
    const double V = Versao();
    TDest &dest = FNFe.Dest;
    if (!FLeitor.rExtrai(1, "dest").empty()) {
        dest.CNPJCPF = c.CNPJCPF();
        if (V >= 3.0)
            dest.idEstrangeiro = c.Str("idEstrangeiro");
        dest.xNome = c.Str("xNome");
        if (V >= 3.0)
            dest.indIEDest = Campos::Codigo(dfe::StrToindIEDest, c.Str("indIEDest"));
        dest.IE = c.Str("IE");
        dest.ISUF = c.Str("ISUF");
        if (V >= 3.0)
            dest.IM = c.Str("IM");
        dest.Email = c.Str("email");
    } else {
        dest.indIEDest = dfe::inNaoContribuinte;
    }
    if (!FLeitor.rExtrai(1, "dest").empty() && !FLeitor.rExtrai(2, "enderDest").empty())
        LerEndereco(c, dest.EnderDest);
}

void TNFeR::LerLocais()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "retirada").empty())
        LerLocal(c, FNFe.Retirada);
    if (!FLeitor.rExtrai(1, "entrega").empty())
        LerLocal(c, FNFe.Entrega);
}

void TNFeR::LerAutXML()
{
    const Campos c(FLeitor);
    FNFe.autXML.Clear();
    for (int n = 1; !FLeitor.rExtrai(1, "autXML", "", n).empty(); ++n)
        FNFe.autXML.New().CNPJCPF = c.CNPJCPF();
}

void TNFeR::LerTotal()
{
    if (FLeitor.rExtrai(1, "total").empty())
        return;
    const Campos c(FLeitor);
    const double V = Versao();

    if (!FLeitor.rExtrai(2, "ICMSTot").empty()) {
        TICMSTot &t = FNFe.Total.ICMSTot;
        t.vBC = c.Cur("vBC");
        t.vICMS = c.Cur("vICMS");
        t.vICMSDeson = c.Cur("vICMSDeson");
        t.vFCPUFDest = c.Cur("vFCPUFDest");
        t.vICMSUFDest = c.Cur("vICMSUFDest");
        t.vICMSUFRemet = c.Cur("vICMSUFRemet");
        t.vFCP = c.Cur("vFCP");
        t.vBCST = c.Cur("vBCST");
        t.vST = c.Cur("vST");
        t.vFCPST = c.Cur("vFCPST");
        t.vFCPSTRet = c.Cur("vFCPSTRet");
        t.vProd = c.Cur("vProd");
        t.vFrete = c.Cur("vFrete");
        t.vSeg = c.Cur("vSeg");
        t.vDesc = c.Cur("vDesc");
        t.vII = c.Cur("vII");
        t.vIPI = c.Cur("vIPI");
        t.vIPIDevol = c.Cur("vIPIDevol");
        t.vPIS = c.Cur("vPIS");
        t.vCOFINS = c.Cur("vCOFINS");
        t.vOutro = c.Cur("vOutro");
        t.vNF = c.Cur("vNF");
        t.vTotTrib = c.Cur("vTotTrib");
    }
    if (!FLeitor.rExtrai(2, "ISSQNtot").empty()) {
        TISSQNtot &t = FNFe.Total.ISSQNtot;
        t.vServ = c.Cur("vServ");
        t.vBC = c.Cur("vBC");
        t.vISS = c.Cur("vISS");
        t.vPIS = c.Cur("vPIS");
        t.vCOFINS = c.Cur("vCOFINS");
        if (V >= 3.0) {
            t.dCompet = c.Data("dCompet");
            t.vDeducao = c.Cur("vDeducao");
            t.vOutro = c.Cur("vOutro");
            t.vDescIncond = c.Cur("vDescIncond");
            t.vDescCond = c.Cur("vDescCond");
            t.vISSRet = c.Cur("vISSRet");
            t.cRegTrib = Campos::Codigo(dfe::StrToRegTribISSQN, c.Str("cRegTrib"));
        }
    }
    if (!FLeitor.rExtrai(2, "retTrib").empty()) {
        TretTrib &t = FNFe.Total.retTrib;
        t.vRetPIS = c.Cur("vRetPIS");
        t.vRetCOFINS = c.Cur("vRetCOFINS");
        t.vRetCSLL = c.Cur("vRetCSLL");
        t.vBCIRRF = c.Cur("vBCIRRF");
        t.vIRRF = c.Cur("vIRRF");
        t.vBCRetPrev = c.Cur("vBCRetPrev");
        t.vRetPrev = c.Cur("vRetPrev");
    }
}

void TNFeR::LerTransporte()
{
    if (FLeitor.rExtrai(1, "transp").empty())
        return;
    const Campos c(FLeitor);
    TTransp &t = FNFe.Transp;
    t.modFrete = Campos::Codigo(StrTomodFrete, c.Str("modFrete"));
    t.vagao = c.Str("vagao");
    t.balsa = c.Str("balsa");

    if (!FLeitor.rExtrai(2, "transporta").empty()) {
        t.Transporta.CNPJCPF = c.CNPJCPF();
        t.Transporta.xNome = c.Str("xNome");
        t.Transporta.IE = c.Str("IE");
        t.Transporta.xEnder = c.Str("xEnder");
        t.Transporta.xMun = c.Str("xMun");
        t.Transporta.UF = c.Str("UF");
    }
    if (!FLeitor.rExtrai(2, "retTransp").empty()) {
        t.retTransp.vServ = c.Cur("vServ");
        t.retTransp.vBCRet = c.Cur("vBCRet");
        t.retTransp.pICMSRet = c.Cur("pICMSRet");
        t.retTransp.vICMSRet = c.Cur("vICMSRet");
        t.retTransp.CFOP = c.Esp("CFOP");
        t.retTransp.cMunFG = InteiroDoTexto(c.Str("cMunFG"), "na tag <cMunFG>");
    }
    if (!FLeitor.rExtrai(2, "veicTransp").empty()) {
        t.veicTransp.placa = c.Str("placa");
        t.veicTransp.UF = c.Str("UF");
        t.veicTransp.RNTC = c.Str("RNTC");
    }

    t.Reboque.Clear();
    for (int n = 1; !FLeitor.rExtrai(2, "reboque", "", n).empty(); ++n) {
        TreboqueCollectionItem &r = t.Reboque.New();
        r.placa = c.Str("placa");
        r.UF = c.Str("UF");
        r.RNTC = c.Str("RNTC");
    }
    t.Vol.Clear();
    for (int n = 1; !FLeitor.rExtrai(2, "vol", "", n).empty(); ++n) {
        TVolCollectionItem &v = t.Vol.New();
        v.qVol = c.Int("qVol");
        v.esp = c.Str("esp");
        v.marca = c.Str("marca");
        v.nVol = c.Str("nVol");
        v.pesoL = c.Cur("pesoL", dfe::tcDe3);
        v.pesoB = c.Cur("pesoB", dfe::tcDe3);
        for (int m = 1; !FLeitor.rExtrai(3, "lacres", "", m).empty(); ++m)
            v.Lacres.New().nLacre = c.Str("nLacre");
    }
}

void TNFeR::LerCobranca()
{
    if (FLeitor.rExtrai(1, "cobr").empty())
        return;
    const Campos c(FLeitor);
    TCobr &cobr = FNFe.Cobr;
    // fat and dup are searched in the whole document, as the layout puts them only in cobr.
    if (!FLeitor.rExtrai(1, "fat").empty()) {
        cobr.Fat.nFat = c.Str("nFat");
        cobr.Fat.vOrig = c.Cur("vOrig");
        cobr.Fat.vDesc = c.Cur("vDesc");
        cobr.Fat.vLiq = c.Cur("vLiq");
    }
    cobr.Dup.Clear();
    for (int n = 1; !FLeitor.rExtrai(1, "dup", "", n).empty(); ++n) {
        TDupCollectionItem &d = cobr.Dup.New();
        d.nDup = c.Str("nDup");
        d.dVenc = c.Data("dVenc");
        d.vDup = c.Cur("vDup");
    }
}

void TNFeR::LerPagamentos()
{
    const double V = Versao();
    if (V < 3.0)
        return;
    const Campos c(FLeitor);
    FNFe.pag.Clear();
    // Layout 4.00 groups the payments (detPag) under one pag that carries the change;
    // 3.10 repeats pag itself.
    std::string_view tagPag = "pag";
    if (V >= 4.0) {
        if (!FLeitor.rExtrai(1, "pag").empty())
            FNFe.pag.vTroco = c.Cur("vTroco");
        tagPag = "detPag";
    }
    for (int n = 1; !FLeitor.rExtrai(1, tagPag, "", n).empty(); ++n) {
        TpagCollectionItem &p = FNFe.pag.New();
        p.indPag = Campos::Codigo(dfe::StrToIndpag, c.Str("indPag"));
        std::string tPag = c.Str("tPag");
        bool listado = false;
        p.tPag = dfe::StrToFormaPagamento(listado, tPag);
        if (!listado)
            p.tPagNaoListado = std::move(tPag);
        p.vPag = c.Cur("vPag");
        if (!FLeitor.rExtrai(2, "card").empty()) {
            p.tpIntegra = Campos::Codigo(dfe::StrTotpIntegra, c.Str("tpIntegra"));
            p.CNPJ = c.Str("CNPJ");
            p.tBand = Campos::Codigo(dfe::StrToBandeiraCartao, c.Str("tBand"));
            p.cAut = c.Str("cAut");
        }
    }
}

void TNFeR::LerInfAdic()
{
    if (FLeitor.rExtrai(1, "infAdic").empty())
        return;
    const Campos c(FLeitor);
    TInfAdic &inf = FNFe.InfAdic;
    inf.infAdFisco = c.Str("infAdFisco");
    inf.infCpl = c.Str("infCpl");

    inf.obsCont.Clear();
    for (int n = 1; !FLeitor.rExtrai(2, "obsCont", "", n).empty(); ++n) {
        TobsContCollectionItem &o = inf.obsCont.New();
        o.xCampo = FLeitor.rAtributo("xCampo");
        o.xTexto = c.Str("xTexto");
    }
    inf.obsFisco.Clear();
    for (int n = 1; !FLeitor.rExtrai(2, "obsFisco", "", n).empty(); ++n) {
        TobsFiscoCollectionItem &o = inf.obsFisco.New();
        o.xCampo = FLeitor.rAtributo("xCampo");
        o.xTexto = c.Str("xTexto");
    }
    inf.procRef.Clear();
    for (int n = 1; !FLeitor.rExtrai(2, "procRef", "", n).empty(); ++n) {
        TprocRefCollectionItem &p = inf.procRef.New();
        p.nProc = c.Str("nProc");
        p.indProc = Campos::Codigo(dfe::StrToindProc, c.Str("indProc"));
    }
}

void TNFeR::LerExportaCompraCana()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "exporta").empty()) {
        TExporta &e = FNFe.exporta;
        e.UFembarq = c.Str("UFEmbarq");
        e.xLocEmbarq = c.Str("xLocEmbarq");
        e.UFSaidaPais = c.Str("UFSaidaPais");
        e.xLocExporta = c.Str("xLocExporta");
        e.xLocDespacho = c.Str("xLocDespacho");
    }
    if (!FLeitor.rExtrai(1, "compra").empty()) {
        FNFe.compra.xNEmp = c.Str("xNEmp");
        FNFe.compra.xPed = c.Str("xPed");
        FNFe.compra.xCont = c.Str("xCont");
    }
    if (!FLeitor.rExtrai(1, "cana").empty()) {
        TCana &cana = FNFe.cana;
        cana.safra = c.Str("safra");
        cana.ref = c.Str("ref");
        cana.qTotMes = c.Dbl("qTotMes");
        cana.qTotAnt = c.Dbl("qTotAnt");
        cana.qTotGer = c.Dbl("qTotGer");
        cana.vFor = c.Cur("vFor");
        cana.vTotDed = c.Cur("vTotDed");
        cana.vLiqFor = c.Cur("vLiqFor");

        cana.fordia.Clear();
        for (int n = 1; !FLeitor.rExtrai(2, "forDia", "", n).empty(); ++n) {
            TForDiaCollectionItem &f = cana.fordia.New();
            f.dia = InteiroDoTexto(FLeitor.rAtributo("dia"), "no atributo dia");
            f.qtde = c.Cur("qtde", dfe::tcDe10);
        }
        cana.deduc.Clear();
        for (int n = 1; !FLeitor.rExtrai(2, "deduc", "", n).empty(); ++n) {
            TDeducCollectionItem &d = cana.deduc.New();
            d.xDed = c.Str("xDed");
            d.vDed = c.Cur("vDed");
        }
    }
}

void TNFeR::LerRespTecAssinaturaSuplemento()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "infRespTec").empty()) {
        TinfRespTec &r = FNFe.infRespTec;
        r.CNPJ = c.Str("CNPJ");
        r.xContato = c.Str("xContato");
        r.email = c.Str("email");
        r.fone = c.Str("fone");
        r.idCSRT = c.Int("idCSRT");
        r.hashCSRT = c.Str("hashCSRT");
    }

    // The first signature of the text: in an envelope, the document's own.
    FLeitor.SetGrupo(FLeitor.Arquivo());
    FNFe.signature.URI = FLeitor.rAtributo("Reference URI=");
    FNFe.signature.DigestValue = c.Str("DigestValue");
    FNFe.signature.SignatureValue = c.Str("SignatureValue");
    FNFe.signature.X509Certificate = c.Str("X509Certificate");

    if (!FLeitor.rExtrai(1, "infNFeSupl").empty()) {
        FNFe.infNFeSupl.qrCode = dfe::leitura::SemCDATA(c.Str("qrCode"));
        FNFe.infNFeSupl.urlChave = c.Str("urlChave");
    }
}

void TNFeR::LerProtocolo()
{
    if (FLeitor.rExtrai(1, "protNFe").empty())
        return;
    const Campos c(FLeitor);
    TProcNFe &p = FNFe.procNFe;
    p.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    p.verAplic = c.Str("verAplic");
    p.chNFe = c.Str("chNFe");
    p.dhRecbto = c.DataHora("dhRecbto", p.dhRecbtoFuso);
    p.nProt = c.Str("nProt");
    p.digVal = c.Str("digVal");
    p.cStat = c.Int("cStat");
    p.xMotivo = c.Str("xMotivo");
    p.cMsg = c.Int("cMsg");
    p.xMsg = c.Str("xMsg");
}

} // namespace nfe

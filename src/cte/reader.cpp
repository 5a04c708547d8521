#include "cte/reader.h"

#include "cte/codes.h"
#include "dfe/codes.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlreader_campos.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "util/toolbox.h"

#include <string>

namespace cte {

using dfe::leitura::Campos;

namespace {

// The address leaves of the taker, the sender, the dispatcher, the receiver and the
// addressee.
void LerEndereco(const Campos &c, TEndereco &e)
{
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.cMun = c.Int("cMun");
    e.xMun = c.Str("xMun");
    e.CEP = c.Int("CEP");
    e.UF = c.Str("UF");
    e.cPais = c.Int("cPais");
    e.xPais = c.Str("xPais");
}

// locColeta and locEnt have the same leaves.
template <class Local>
void LerLocal(const Campos &c, Local &l)
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
}

// A time of day in the process-wide format; the empty text is no time either.
rtl::TDateTime Hora(const Campos &c, std::string_view Tag)
{
    const std::string texto = c.Str(Tag);
    try {
        return rtl::StrToTime(texto);
    } catch (rtl::Exception &e) {
        dfe::leitura::Explicar(e, "Conteúdo inválido", "na tag <" + std::string(Tag) + ">", texto);
        throw;
    }
}

} // namespace

TCTeR::TCTeR(TCTe &AOwner) : FCTe(AOwner) {}

TCTeR::~TCTeR() = default;

bool TCTeR::LerXml()
{
    FLeitor.SetGrupo(FLeitor.Arquivo());

    FCTe.infCTe.Id = FLeitor.rAtributo("Id=", "infCte");
    if (util::OnlyNumber(FCTe.infCTe.Id).empty())
        throw rtl::Exception("Não encontrei o atributo: Id");

    FCTe.infCTe.versao = util::StringToFloatDef(FLeitor.rAtributo("versao=", "infCte"), -1);
    if (FCTe.infCTe.versao == -1)
        throw rtl::Exception("Não encontrei o atributo: versao");

    LerIde();
    LerTomadores();
    LerCompl();
    LerEmit();
    LerTomaRaiz();
    LerRem();
    LerExpedReceb();
    LerDest();
    LerVPrest();
    LerImp();
    LerInfCTeNorm();
    LerComplementoAnulacao();
    LerAutXMLRespTec();
    LerAssinaturaSuplemento();
    LerProtocolo();
    return true;
}

void TCTeR::LerIde()
{
    if (FLeitor.rExtrai(1, "ide").empty())
        return;
    const Campos c(FLeitor);
    const double V = Versao();
    TIde &ide = FCTe.ide;

    ide.cUF = c.Int("cUF");
    ide.cCT = dfe::leitura::InteiroDaTag(c, "cCT");
    ide.CFOP = dfe::leitura::InteiroDaTag(c, "CFOP");
    ide.natOp = c.Str("natOp");
    if (V < 3.0)
        ide.forPag = Campos::Codigo(StrTotpforPag, c.Str("forPag"));
    ide.modelo = dfe::leitura::InteiroDaTag(c, "mod");
    ide.serie = c.Int("serie");
    ide.nCT = c.Int("nCT");
    ide.dhEmi = c.Data("dhEmi", dfe::tcDatHor);
    ide.tpImp = Campos::Codigo(dfe::StrToTpImp, c.Str("tpImp"));
    ide.tpEmis = Campos::Codigo(dfe::StrToTpEmis, c.Str("tpEmis"));
    ide.cDV = c.Int("cDV");
    ide.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    ide.tpCTe = Campos::Codigo(StrTotpCTe, c.Str("tpCTe"));
    ide.procEmi = Campos::Codigo(dfe::StrToprocEmi, c.Str("procEmi"));
    ide.verProc = c.Str("verProc");
    if (V >= 3.0)
        ide.indGlobalizado = c.Str("indGlobalizado") == "1" ? dfe::tiSim : dfe::tiNao;
    ide.refCTe = c.Str("refCTE");
    ide.cMunEnv = c.Int("cMunEnv");
    ide.xMunEnv = c.Str("xMunEnv");
    ide.UFEnv = c.Str("UFEnv");
    ide.modal = Campos::Codigo(dfe::StrToTpModal, c.Str("modal"));
    ide.tpServ = Campos::Codigo(StrToTpServ, c.Str("tpServ"));
    ide.cMunIni = c.Int("cMunIni");
    ide.xMunIni = c.Str("xMunIni");
    ide.UFIni = c.Str("UFIni");
    ide.cMunFim = c.Int("cMunFim");
    ide.xMunFim = c.Str("xMunFim");
    ide.UFFim = c.Str("UFFim");
    ide.retira = Campos::Codigo(StrToTpRetira, c.Str("retira"));
    ide.xDetRetira = c.Str("xDetRetira");
    ide.dhCont = c.Data("dhCont", dfe::tcDatHor);
    ide.xJust = c.Str("xJust");
    if (V >= 3.0)
        ide.indIEToma = Campos::Codigo(dfe::StrToindIEDest, c.Str("indIEToma"));

    for (int n = 1; !FLeitor.rExtrai(2, "infPercurso", "", n).empty(); ++n)
        ide.infPercurso.New().UFPer = c.Str("UFPer");
}

void TCTeR::LerTomadores()
{
    const Campos c(FLeitor);
    TIde &ide = FCTe.ide;

    // The taker among the parties: toma03 of the older layouts, toma3 from 3.00.
    if (!FLeitor.rExtrai(1, "ide").empty() &&
        (!FLeitor.rExtrai(2, "toma03").empty() || !FLeitor.rExtrai(2, "toma3").empty()))
        ide.toma03.Toma = Campos::Codigo(StrToTpTomador, c.Str("toma"));

    if (FLeitor.rExtrai(1, "ide").empty() || FLeitor.rExtrai(2, "toma4").empty())
        return;
    TToma4 &t = ide.toma4;
    t.toma = Campos::Codigo(StrToTpTomador, c.Str("toma"));
    ide.toma03.Toma = t.toma;
    t.CNPJCPF = c.CNPJCPF();
    t.IE = c.Str("IE");
    t.xNome = c.Str("xNome");
    t.xFant = c.Str("xFant");
    t.fone = c.Str("fone");
    t.email = c.Str("email");
    if (!FLeitor.rExtrai(3, "enderToma").empty())
        LerEndereco(c, t.enderToma);
}

void TCTeR::LerCompl()
{
    if (FLeitor.rExtrai(1, "compl").empty())
        return;
    const Campos c(FLeitor);
    TCompl &compl_ = FCTe.Compl;
    compl_.xCaracAd = c.Str("xCaracAd");
    compl_.xCaracSer = c.Str("xCaracSer");
    compl_.xEmi = c.Str("xEmi");
    compl_.origCalc = c.Str("origCalc");
    compl_.destCalc = c.Str("destCalc");
    compl_.xObs = c.Str("xObs");

    if (!FLeitor.rExtrai(2, "fluxo").empty()) {
        TFluxo &f = compl_.fluxo;
        f.xOrig = c.Str("xOrig");
        f.xDest = c.Str("xDest");
        f.xRota = c.Str("xRota");
        for (int n = 1; !FLeitor.rExtrai(3, "pass", "", n).empty(); ++n)
            f.pass.New().xPass = c.Str("xPass");
    }

    LerEntrega();
    LerObservacoes("ObsCont", compl_.ObsCont);
    LerObservacoes("ObsFisco", compl_.ObsFisco);
}

void TCTeR::LerEntrega()
{
    const Campos c(FLeitor);
    TEntrega &e = FCTe.Compl.Entrega;
    // A compl that states no delivery forecast says so.
    e.TipoData = tdNaoInformado;
    e.TipoHora = thNaoInformado;
    if (FLeitor.rExtrai(2, "Entrega").empty())
        return;

    if (!FLeitor.rExtrai(3, "semData").empty()) {
        e.TipoData = tdSemData;
        e.semData.tpPer = Campos::Codigo(StrToTpDataPeriodo, c.Str("tpPer"));
    }
    if (!FLeitor.rExtrai(3, "comData").empty()) {
        e.TipoData = tdNaData;
        e.comData.tpPer = Campos::Codigo(StrToTpDataPeriodo, c.Str("tpPer"));
        e.comData.dProg = c.Data("dProg");
    }
    if (!FLeitor.rExtrai(3, "noPeriodo").empty()) {
        e.TipoData = tdNoPeriodo;
        e.noPeriodo.tpPer = Campos::Codigo(StrToTpDataPeriodo, c.Str("tpPer"));
        e.noPeriodo.dIni = c.Data("dIni");
        e.noPeriodo.dFim = c.Data("dFim");
    }
    if (!FLeitor.rExtrai(3, "semHora").empty()) {
        e.TipoHora = thSemHorario;
        e.semHora.tpHor = Campos::Codigo(StrToTpHorarioIntervalo, c.Str("tpHor"));
    }
    if (!FLeitor.rExtrai(3, "comHora").empty()) {
        e.TipoHora = thNoHorario;
        e.comHora.tpHor = Campos::Codigo(StrToTpHorarioIntervalo, c.Str("tpHor"));
        e.comHora.hProg = Hora(c, "hProg");
    }
    if (!FLeitor.rExtrai(3, "noInter").empty()) {
        e.TipoHora = thNoIntervalo;
        e.noInter.tpHor = Campos::Codigo(StrToTpHorarioIntervalo, c.Str("tpHor"));
        e.noInter.hIni = Hora(c, "hIni");
        e.noInter.hFim = Hora(c, "hFim");
    }
}

void TCTeR::LerObservacoes(std::string_view Tag, TObsContCollection &Lista)
{
    const Campos c(FLeitor);
    for (int n = 1;; ++n) {
        const std::string_view grupo = FLeitor.rExtrai(2, Tag, "", n);
        if (grupo.empty())
            break;
        TObsContCollectionItem &o = Lista.New();
        o.xTexto = c.Str("xTexto");
        // xCampo belongs to the group's own start tag: searched there, whatever quote it
        // uses, it can be neither another group's attribute nor a text inside xTexto.
        const std::size_t fim = grupo.find('>');
        FLeitor.SetGrupo(grupo.substr(0, fim == std::string_view::npos ? grupo.size() : fim));
        o.xCampo = FLeitor.rAtributo("xCampo");
    }
}

void TCTeR::LerEmit()
{
    if (FLeitor.rExtrai(1, "emit").empty())
        return;
    const Campos c(FLeitor);
    TEmit &emit = FCTe.emit;
    emit.CNPJ = c.Str("CNPJ");
    emit.IE = c.Str("IE");
    emit.IEST = c.Str("IEST");
    emit.xNome = c.Str("xNome");
    emit.xFant = c.Str("xFant");
    if (FLeitor.rExtrai(2, "enderEmit").empty())
        return;
    TEnderEmit &e = emit.enderEmit;
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.cMun = c.Int("cMun");
    e.xMun = c.Str("xMun");
    e.CEP = c.Int("CEP");
    e.UF = c.Str("UF");
    e.fone = c.Str("fone");
}

void TCTeR::LerTomaRaiz()
{
    // The taker of a CT-e OS. In a CT-e the first toma is the code inside toma3 or toma4,
    // which holds none of these leaves.
    if (Versao() < 3.0 || FLeitor.rExtrai(1, "toma").empty())
        return;
    const Campos c(FLeitor);
    TToma &t = FCTe.toma;
    t.CNPJCPF = c.CNPJCPF();
    t.IE = c.Str("IE");
    t.xNome = c.Str("xNome");
    t.xFant = c.Str("xFant");
    t.fone = c.Str("fone");
    t.email = c.Str("email");
    if (!FLeitor.rExtrai(2, "enderToma").empty())
        LerEndereco(c, t.enderToma);
}

void TCTeR::LerRem()
{
    if (FLeitor.rExtrai(1, "rem").empty())
        return;
    const Campos c(FLeitor);
    TRem &r = FCTe.rem;
    // The collection place holds a CNPJ and a name of its own.
    r.CNPJCPF = FLeitor.rCampoCNPJCPF("locColeta");
    r.IE = c.Str("IE");
    r.xNome = FLeitor.rCampo(dfe::tcStr, "xNome", "locColeta").AsString();
    r.xFant = c.Str("xFant");
    r.fone = c.Str("fone");
    r.email = c.Str("email");
    if (!FLeitor.rExtrai(2, "enderReme").empty())
        LerEndereco(c, r.enderReme);
    if (!FLeitor.rExtrai(2, "locColeta").empty())
        LerLocal(c, r.locColeta);
    if (Versao() < 2.0)
        LerDocumentosNoRem();
}

void TCTeR::LerExpedReceb()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "exped").empty()) {
        TExped &e = FCTe.exped;
        e.CNPJCPF = c.CNPJCPF();
        e.IE = c.Str("IE");
        e.xNome = c.Str("xNome");
        e.fone = c.Str("fone");
        e.email = c.Str("email");
        if (!FLeitor.rExtrai(2, "enderExped").empty())
            LerEndereco(c, e.enderExped);
    }
    if (!FLeitor.rExtrai(1, "receb").empty()) {
        TReceb &r = FCTe.receb;
        r.CNPJCPF = c.CNPJCPF();
        r.IE = c.Str("IE");
        r.xNome = c.Str("xNome");
        r.fone = c.Str("fone");
        r.email = c.Str("email");
        if (!FLeitor.rExtrai(2, "enderReceb").empty())
            LerEndereco(c, r.enderReceb);
    }
}

void TCTeR::LerDest()
{
    if (FLeitor.rExtrai(1, "dest").empty())
        return;
    const Campos c(FLeitor);
    TDest &d = FCTe.dest;
    d.CNPJCPF = FLeitor.rCampoCNPJCPF("locEnt");
    d.IE = c.Str("IE");
    d.xNome = FLeitor.rCampo(dfe::tcStr, "xNome", "locEnt").AsString();
    d.fone = c.Str("fone");
    d.ISUF = c.Str("ISUF");
    d.email = c.Str("email");
    if (!FLeitor.rExtrai(2, "enderDest").empty())
        LerEndereco(c, d.enderDest);
    if (!FLeitor.rExtrai(2, "locEnt").empty())
        LerLocal(c, d.locEnt);
}

void TCTeR::LerVPrest()
{
    if (FLeitor.rExtrai(1, "vPrest").empty())
        return;
    const Campos c(FLeitor);
    FCTe.vPrest.vTPrest = c.Cur("vTPrest");
    FCTe.vPrest.vRec = c.Cur("vRec");
    for (int n = 1; !FLeitor.rExtrai(2, "Comp", "", n).empty(); ++n) {
        TCompCollectionItem &comp = FCTe.vPrest.Comp.New();
        comp.xNome = c.Str("xNome");
        comp.vComp = c.Cur("vComp");
    }
}

void TCTeR::LerImp()
{
    if (FLeitor.rExtrai(1, "imp").empty())
        return;
    const Campos c(FLeitor);
    TImp &imp = FCTe.imp;
    imp.vTotTrib = c.Cur("vTotTrib");
    imp.infAdFisco = c.Str("infAdFisco");

    if (!FLeitor.rExtrai(2, "ICMS").empty()) {
        TICMS &icms = imp.ICMS;
        const auto cst = [&] { return c.Str("CST"); };
        const auto codigo = [&] { return Campos::Codigo(dfe::StrToCSTICMS, c.Str("CST")); };
        if (!FLeitor.rExtrai(3, "ICMS00").empty() && cst() == "00") {
            icms.SituTrib = dfe::cst00;
            icms.ICMS00.CST = codigo();
            icms.ICMS00.vBC = c.Cur("vBC");
            icms.ICMS00.pICMS = c.Cur("pICMS");
            icms.ICMS00.vICMS = c.Cur("vICMS");
        }
        if (!FLeitor.rExtrai(3, "ICMS20").empty() && cst() == "20") {
            icms.SituTrib = dfe::cst20;
            icms.ICMS20.CST = codigo();
            icms.ICMS20.pRedBC = c.Cur("pRedBC");
            icms.ICMS20.vBC = c.Cur("vBC");
            icms.ICMS20.pICMS = c.Cur("pICMS");
            icms.ICMS20.vICMS = c.Cur("vICMS");
        }
        if (!FLeitor.rExtrai(3, "ICMS45").empty()) {
            const std::string sCST = cst();
            if (sCST == "40" || sCST == "41" || sCST == "51") {
                icms.SituTrib = sCST == "40" ? dfe::cst40 : sCST == "41" ? dfe::cst41 : dfe::cst51;
                icms.ICMS45.CST = codigo();
            }
        }
        if (!FLeitor.rExtrai(3, "ICMS60").empty() && cst() == "60") {
            icms.SituTrib = dfe::cst60;
            icms.ICMS60.CST = codigo();
            icms.ICMS60.vBCSTRet = c.Cur("vBCSTRet");
            icms.ICMS60.vICMSSTRet = c.Cur("vICMSSTRet");
            icms.ICMS60.pICMSSTRet = c.Cur("pICMSSTRet");
            icms.ICMS60.vCred = c.Cur("vCred");
        }
        if (!FLeitor.rExtrai(3, "ICMS90").empty() && cst() == "90") {
            icms.SituTrib = dfe::cst90;
            icms.ICMS90.CST = codigo();
            icms.ICMS90.pRedBC = c.Cur("pRedBC");
            icms.ICMS90.vBC = c.Cur("vBC");
            icms.ICMS90.pICMS = c.Cur("pICMS");
            icms.ICMS90.vICMS = c.Cur("vICMS");
            icms.ICMS90.vCred = c.Cur("vCred");
        }
        if (!FLeitor.rExtrai(3, "ICMSOutraUF").empty() && cst() == "90") {
            icms.SituTrib = dfe::cstICMSOutraUF;
            icms.ICMSOutraUF.CST = codigo();
            icms.ICMSOutraUF.pRedBCOutraUF = c.Cur("pRedBCOutraUF");
            icms.ICMSOutraUF.vBCOutraUF = c.Cur("vBCOutraUF");
            icms.ICMSOutraUF.pICMSOutraUF = c.Cur("pICMSOutraUF");
            icms.ICMSOutraUF.vICMSOutraUF = c.Cur("vICMSOutraUF");
        }
        if (!FLeitor.rExtrai(3, "ICMSSN").empty()) {
            icms.SituTrib = dfe::cstICMSSN;
            icms.ICMSSN.indSN = c.Int("indSN");
        }
    }
    if (!FLeitor.rExtrai(2, "ICMSUFFim").empty()) {
        TICMSUFFim &u = imp.ICMSUFFim;
        u.vBCUFFim = c.Cur("vBCUFFim");
        u.pFCPUFFim = c.Cur("pFCPUFFim");
        u.pICMSUFFim = c.Cur("pICMSUFFim");
        u.pICMSInter = c.Cur("pICMSInter");
        u.pICMSInterPart = c.Cur("pICMSInterPart");
        u.vFCPUFFim = c.Cur("vFCPUFFim");
        u.vICMSUFFim = c.Cur("vICMSUFFim");
        u.vICMSUFIni = c.Cur("vICMSUFIni");
    }
    if (!FLeitor.rExtrai(2, "infTribFed").empty()) {
        TinfTribFed &t = imp.infTribFed;
        t.vPIS = c.Cur("vPIS");
        t.vCOFINS = c.Cur("vCOFINS");
        t.vIR = c.Cur("vIR");
        t.vINSS = c.Cur("vINSS");
        t.vCSLL = c.Cur("vCSLL");
    }
}

void TCTeR::LerComplementoAnulacao()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "infCteComp").empty())
        FCTe.infCteComp.chave = c.Str(Versao() >= 3.0 ? "chCTe" : "chave");
    if (!FLeitor.rExtrai(1, "infCteAnu").empty()) {
        FCTe.infCteAnu.chCTe = c.Str("chCte");
        FCTe.infCteAnu.dEmi = c.Data("dEmi");
    }
}

void TCTeR::LerAutXMLRespTec()
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(1, "autXML", "", n).empty(); ++n)
        FCTe.autXML.New().CNPJCPF = c.CNPJCPF();

    if (!FLeitor.rExtrai(1, "infRespTec").empty()) {
        TinfRespTec &r = FCTe.infRespTec;
        r.CNPJ = c.Str("CNPJ");
        r.xContato = c.Str("xContato");
        r.email = c.Str("email");
        r.fone = c.Str("fone");
        r.idCSRT = c.Int("idCSRT");
        r.hashCSRT = c.Str("hashCSRT");
    }
}

void TCTeR::LerAssinaturaSuplemento()
{
    const Campos c(FLeitor);
    // The first signature of the text: in an envelope, the document's own.
    FLeitor.SetGrupo(FLeitor.Arquivo());
    FCTe.signature.URI = FLeitor.rAtributo("URI=", "Reference");
    FCTe.signature.DigestValue = c.Str("DigestValue");
    FCTe.signature.SignatureValue = c.Str("SignatureValue");
    FCTe.signature.X509Certificate = c.Str("X509Certificate");

    if (!FLeitor.rExtrai(1, "infCTeSupl").empty()) {
        FCTe.infCTeSupl.qrCodCTe = dfe::leitura::SemCDATA(c.Str("qrCodCTe"));
    }
}

void TCTeR::LerProtocolo()
{
    if (FLeitor.rExtrai(1, "protCTe").empty())
        return;
    const Campos c(FLeitor);
    TProcCTe &p = FCTe.procCTe;
    p.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    p.verAplic = c.Str("verAplic");
    p.chCTe = c.Str("chCTe");
    p.dhRecbto = c.Data("dhRecbto", dfe::tcDatHor);
    p.nProt = c.Str("nProt");
    p.digVal = c.Str("digVal");
    p.cStat = c.Int("cStat");
    p.xMotivo = c.Str("xMotivo");
    p.cMsg = c.Int("cMsg");
    p.xMsg = c.Str("xMsg");
}

} // namespace cte

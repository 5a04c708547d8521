// The modal groups of infCTeNorm. Every one is looked for in every document, whatever
// ide.modal says: a document that carries two of them gets both read.
#include "cte/reader.h"

#include "cte/codes.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlreader_campos.h"

#include <string>

namespace cte {

using dfe::leitura::Campos;

namespace {

void LerEnderFerro(const Campos &c, TEnderFerro &e)
{
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.cMun = c.Int("cMun");
    e.xMun = c.Str("xMun");
    e.CEP = c.Int("CEP");
    e.UF = c.Str("UF");
}

void LerFerroEnv(const Campos &c, TFerroEnvCollectionItem &f)
{
    f.CNPJ = c.Str("CNPJ");
    f.cInt = c.Str("cInt");
    f.IE = c.Str("IE");
    f.xNome = c.Str("xNome");
}

} // namespace

void TCTeR::LerModais()
{
    // Level 1 is infCTeNorm.
    LerRodo();
    LerRodoOS();
    LerAereo();
    LerAquav();
    LerFerrov();
    LerDutoMultimodal();
}

void TCTeR::LerRodo()
{
    if (FLeitor.rExtrai(2, "rodo").empty())
        return;
    const Campos c(FLeitor);
    TRodo &rodo = FCTe.infCTeNorm.rodo;
    rodo.RNTRC = c.Str("RNTRC");
    rodo.dPrev = c.Data("dPrev");
    rodo.lota = Campos::Codigo(StrToTpLotacao, c.Str("lota"));
    rodo.CIOT = c.Str("CIOT");

    // The older layouts state the delivery forecast once, for every transported document.
    if (Versao() < 2.0) {
        TInfDoc &doc = FCTe.infCTeNorm.infDoc;
        for (int n = 0; n < doc.infNFe.Count(); ++n)
            doc.infNFe[n].dPrev = rodo.dPrev;
        for (int n = 0; n < doc.infNF.Count(); ++n)
            doc.infNF[n].dPrev = rodo.dPrev;
        for (int n = 0; n < doc.infOutros.Count(); ++n)
            doc.infOutros[n].dPrev = rodo.dPrev;
    }

    for (int n = 1; !FLeitor.rExtrai(3, "occ", "", n).empty(); ++n) {
        TOccCollectionItem &o = rodo.occ.New();
        o.serie = c.Str("serie");
        o.nOcc = c.Int("nOcc");
        o.dEmi = c.Data("dEmi");
        if (!FLeitor.rExtrai(4, "emiOcc").empty()) {
            o.emiOcc.CNPJ = c.Str("CNPJ");
            o.emiOcc.cInt = c.Str("cInt");
            o.emiOcc.IE = c.Str("IE");
            o.emiOcc.UF = c.Str("UF");
            o.emiOcc.fone = c.Str("fone");
        }
    }
    for (int n = 1; !FLeitor.rExtrai(3, "valePed", "", n).empty(); ++n) {
        TValePedCollectionItem &v = rodo.valePed.New();
        v.CNPJForn = c.Str("CNPJForn");
        v.nCompra = c.Str("nCompra");
        v.CNPJPg = c.Str("CNPJPg");
        v.vValePed = c.Cur("vValePed");
    }
    for (int n = 1; !FLeitor.rExtrai(3, "veic", "", n).empty(); ++n) {
        TVeicCollectionItem &v = rodo.veic.New();
        v.cInt = c.Str("cInt");
        v.RENAVAM = c.Str("RENAVAM");
        v.placa = c.Str("placa");
        v.tara = c.Int("tara");
        v.capKG = c.Int("capKG");
        v.capM3 = c.Int("capM3");
        v.tpProp = Campos::Codigo(StrToTpPropriedade, c.Str("tpProp"));
        v.tpVeic = Campos::Codigo(StrToTpVeiculo, c.Str("tpVeic"));
        v.tpRod = Campos::Codigo(dfe::StrToTpRodado, c.Str("tpRod"));
        v.tpCar = Campos::Codigo(dfe::StrToTpCarroceria, c.Str("tpCar"));
        v.UF = c.Str("UF");
        if (!FLeitor.rExtrai(4, "prop").empty()) {
            TProp &p = v.Prop;
            p.CNPJCPF = c.CNPJCPF();
            p.RNTRC = c.Str("RNTRC");
            p.xNome = c.Str("xNome");
            p.IE = c.Str("IE");
            p.UF = c.Str("UF");
            p.tpProp = Campos::Codigo(dfe::StrToTpProp, c.Str("tpProp"));
        }
    }
    for (int n = 1; !FLeitor.rExtrai(3, "lacRodo", "", n).empty(); ++n)
        rodo.lacRodo.New().nLacre = c.Str("nLacre");
    for (int n = 1; !FLeitor.rExtrai(3, "moto", "", n).empty(); ++n) {
        TMotoCollectionItem &m = rodo.moto.New();
        m.xNome = c.Str("xNome");
        m.CPF = c.Str("CPF");
    }
}

void TCTeR::LerRodoOS()
{
    if (FLeitor.rExtrai(2, "rodoOS").empty())
        return;
    const Campos c(FLeitor);
    TRodoOS &os = FCTe.infCTeNorm.rodoOS;
    os.TAF = c.Str("TAF");
    os.NroRegEstadual = c.Str("NroRegEstadual");
    if (!FLeitor.rExtrai(3, "veic").empty()) {
        os.veic.placa = c.Str("placa");
        os.veic.RENAVAM = c.Str("RENAVAM");
        os.veic.UF = c.Str("UF");
        if (!FLeitor.rExtrai(4, "prop").empty()) {
            TPropOS &p = os.veic.prop;
            p.CNPJCPF = c.CNPJCPF();
            p.TAF = c.Str("TAF");
            p.NroRegEstadual = c.Str("NroRegEstadual");
            p.xNome = c.Str("xNome");
            p.IE = c.Str("IE");
            p.UF = c.Str("UF");
            p.tpProp = Campos::Codigo(dfe::StrToTpProp, c.Str("tpProp"));
        }
    }
    if (!FLeitor.rExtrai(3, "infFretamento").empty()) {
        os.infFretamento.tpFretamento = Campos::Codigo(StrToTpFretamento, c.Str("tpFretamento"));
        os.infFretamento.dhViagem = c.Data("dhViagem", dfe::tcDatHor);
    }
}

void TCTeR::LerAereo()
{
    if (FLeitor.rExtrai(2, "aereo").empty())
        return;
    const Campos c(FLeitor);
    TAereo &a = FCTe.infCTeNorm.aereo;
    a.nMinu = c.Int("nMinu");
    a.nOCA = c.Str("nOCA");
    a.dPrevAereo = c.Data("dPrevAereo");
    a.xLAgEmi = c.Str("xLAgEmi");
    a.IdT = c.Str("IdT");
    if (!FLeitor.rExtrai(3, "tarifa").empty()) {
        a.tarifa.CL = c.Str("CL");
        a.tarifa.cTar = c.Str("cTar");
        a.tarifa.vTar = c.Cur("vTar");
    }
    if (FLeitor.rExtrai(3, "natCarga").empty())
        return;
    a.natCarga.xDime = c.Str("xDime");
    a.natCarga.cIMP = c.Str("cIMP");
    a.natCarga.cinfManu.Clear();
    const bool v3 = Versao() >= 3.0;
    for (int n = 1; !FLeitor.rExtrai(4, "cInfManu", "", n).empty(); ++n) {
        const std::string codigo = c.Str("cInfManu");
        a.natCarga.cinfManu.New().nInfManu = v3 ? Campos::Codigo(StrToTpInfManu, codigo)
                                                : Campos::Codigo(StrToTpInfManuV2, codigo);
    }
}

void TCTeR::LerAquav()
{
    if (FLeitor.rExtrai(2, "aquav").empty())
        return;
    const Campos c(FLeitor);
    TAquav &a = FCTe.infCTeNorm.aquav;
    a.vPrest = c.Cur("vPrest");
    a.vAFRMM = c.Cur("vAFRMM");
    a.nBooking = c.Str("nBooking");
    a.nCtrl = c.Str("nCtrl");
    a.xNavio = c.Str("xNavio");
    a.nViag = c.Str("nViag");
    a.direc = Campos::Codigo(StrToTpDirecao, c.Str("direc"));
    a.prtEmb = c.Str("prtEmb");
    a.prtTrans = c.Str("prtTrans");
    a.prtDest = c.Str("prtDest");
    a.tpNav = Campos::Codigo(dfe::StrToTpNavegacao, c.Str("tpNav"));
    a.irin = c.Str("irin");
    for (int n = 1; !FLeitor.rExtrai(3, "balsa", "", n).empty(); ++n)
        a.balsa.New().xBalsa = c.Str("xBalsa");
    for (int n = 1; !FLeitor.rExtrai(3, "detCont", "", n).empty(); ++n) {
        TdetContCollectionItem &d = a.detCont.New();
        d.nCont = c.Str("nCont");
        for (int m = 1; !FLeitor.rExtrai(4, "lacre", "", m).empty(); ++m)
            d.Lacre.New().nLacre = c.Str("nLacre");
        if (FLeitor.rExtrai(4, "infDoc").empty())
            continue;
        for (int m = 1; !FLeitor.rExtrai(5, "infNF", "", m).empty(); ++m) {
            TInfNFAquavCollectionItem &nf = d.infDoc.infNF.New();
            nf.serie = c.Str("Serie");
            nf.nDoc = c.Str("nDoc");
            nf.unidRat = c.Dbl("unidRat", dfe::tcDe2);
        }
        for (int m = 1; !FLeitor.rExtrai(5, "infNFe", "", m).empty(); ++m) {
            TInfNFeAquavCollectionItem &nfe = d.infDoc.infNFe.New();
            nfe.chave = c.Str("chave");
            nfe.unidRat = c.Dbl("unidRat", dfe::tcDe2);
        }
    }
}

void TCTeR::LerFerrov()
{
    if (FLeitor.rExtrai(2, "ferrov").empty())
        return;
    const Campos c(FLeitor);
    TFerrov &f = FCTe.infCTeNorm.ferrov;
    f.tpTraf = Campos::Codigo(StrToTpTrafego, c.Str("tpTraf"));
    f.fluxo = c.Str("fluxo");
    f.idTrem = c.Str("idTrem");

    if (Versao() >= 3.0) {
        // From 3.00 the freight and the railways involved belong to the mutual traffic.
        if (FLeitor.rExtrai(3, "trafMut").empty())
            return;
        f.trafMut.respFat = Campos::Codigo(StrToTrafegoMutuo, c.Str("respFat"));
        f.trafMut.ferrEmi = Campos::Codigo(StrToTrafegoMutuo, c.Str("ferrEmi"));
        f.vFrete = c.Cur("vFrete");
        f.trafMut.chCTeFerroOrigem = c.Str("chCTeFerroOrigem");
        for (int n = 1; !FLeitor.rExtrai(4, "ferroEnv", "", n).empty(); ++n) {
            TFerroEnvCollectionItem &e = f.ferroEnv.New();
            LerFerroEnv(c, e);
            if (!FLeitor.rExtrai(5, "enderFerro").empty())
                LerEnderFerro(c, e.enderFerro);
        }
        return;
    }

    f.vFrete = c.Cur("vFrete");
    if (!FLeitor.rExtrai(3, "trafMut").empty()) {
        f.trafMut.respFat = Campos::Codigo(StrToTrafegoMutuo, c.Str("respFat"));
        f.trafMut.ferrEmi = Campos::Codigo(StrToTrafegoMutuo, c.Str("ferrEmi"));
    }
    for (int n = 1; !FLeitor.rExtrai(3, "ferroEnv", "", n).empty(); ++n) {
        TFerroEnvCollectionItem &e = f.ferroEnv.New();
        LerFerroEnv(c, e);
        if (!FLeitor.rExtrai(4, "enderFerro").empty())
            LerEnderFerro(c, e.enderFerro);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "detVag", "", n).empty(); ++n) {
        TDetVagCollectionItem &v = f.detVag.New();
        v.nVag = c.Int("nVag");
        v.cap = c.Cur("cap");
        v.tpVag = c.Str("tpVag");
        v.pesoR = c.Cur("pesoR");
        v.pesoBC = c.Cur("pesoBC");
    }
}

void TCTeR::LerDutoMultimodal()
{
    const Campos c(FLeitor);
    TInfCTeNorm &norm = FCTe.infCTeNorm;
    if (!FLeitor.rExtrai(2, "duto").empty()) {
        norm.duto.vTar = c.Cur("vTar", dfe::tcDe6);
        norm.duto.dIni = c.Data("dIni");
        norm.duto.dFim = c.Data("dFim");
    }
    if (!FLeitor.rExtrai(2, "multimodal").empty()) {
        TMultimodal &m = norm.multimodal;
        m.COTM = c.Str("COTM");
        m.indNegociavel = Campos::Codigo(StrToindNegociavel, c.Str("indNegociavel"));
        m.xSeg = c.Str("xSeg");
        m.CNPJ = c.Str("CNPJ");
        m.nApol = c.Str("nApol");
        m.nAver = c.Str("nAver");
    }
}

} // namespace cte

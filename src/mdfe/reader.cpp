#include "mdfe/reader.h"

#include "dfe/codes.h"
#include "dfe/xmlreader_campos.h"
#include "mdfe/codes.h"
#include "rtl/currency.h"
#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string>
#include <string_view>

namespace mdfe {

using dfe::leitura::Campos;

namespace {

constexpr auto npos = std::string_view::npos;

// Exactly "1" says yes; anything else, an absent leaf included, says no.
dfe::TIndicador Indicador(const std::string &texto)
{
    return texto == "1" ? dfe::tiSim : dfe::tiNao;
}

// The strict integer of a leaf's text; an empty or non-integer text raises the run-time's
// conversion error naming the leaf.
// A transport unit's own share of the cargo: its qtdRat counts only when it is the unit's
// last one, after every cargo unit, since a cargo unit inside the transport unit holds a
// qtdRat of its own. Rounded to four decimals with ties to even; 0 when the unit states
// none or the text is no number.
double RateioDaUnidade(std::string_view unidade)
{
    constexpr std::string_view abre = "<qtdRat>";
    constexpr std::string_view fecha = "</qtdRat>";
    const std::size_t fim = unidade.rfind(fecha);
    const std::size_t fimCarga = unidade.rfind("</infUnidCarga>");
    if (fim == npos || (fimCarga != npos && fim < fimCarga))
        return 0;
    const std::size_t inicio = unidade.rfind(abre, fim);
    if (inicio == npos)
        return 0;
    const std::size_t valor = inicio + abre.size();
    const double numero = util::StringToFloatDef(rtl::TrimView(unidade.substr(valor, fim - valor)), 0);
    try {
        return rtl::Currency::FromDouble(numero).ToDouble();
    } catch (rtl::Exception &) {
        // Beyond four-place amounts a double has no fourth decimal left to round.
        return numero;
    }
}

// The fields a traction vehicle and a trailer share, read from the vehicle group.
template <class Veiculo>
void LerVeiculo(const Campos &c, Veiculo &v)
{
    v.cInt = c.Str("cInt");
    v.placa = c.Str("placa");
    v.RENAVAM = c.Str("RENAVAM");
    v.tara = c.Int("tara");
    v.capKG = c.Int("capKG");
    v.capM3 = c.Int("capM3");
    v.tpCar = Campos::Codigo(dfe::StrToTpCarroceria, c.Str("tpCar"));
}

} // namespace

TMDFeR::TMDFeR(TMDFe &AOwner) : FMDFe(AOwner) {}

TMDFeR::~TMDFeR() = default;

bool TMDFeR::LerXml()
{
    FLeitor.SetGrupo(FLeitor.Arquivo());

    FMDFe.infMDFe.Id = FLeitor.rAtributo("Id=", "infMDFe");
    if (util::OnlyNumber(FMDFe.infMDFe.Id).empty())
        throw rtl::Exception("Não encontrei o atributo: Id");

    // After the first infMDFe, so that an envelope's own versao is passed over.
    FMDFe.infMDFe.versao = util::StringToFloatDef(FLeitor.rAtributo("versao=", "infMDFe"), -1);
    if (FMDFe.infMDFe.versao == -1)
        throw rtl::Exception("Não encontrei o atributo: versao");

    LerIdentificacao();
    LerEmitente();
    LerModais();
    LerDocumentos();
    if (Layout300()) {
        LerSeguros();
        LerProdutoPredominante();
    }
    LerTotais();
    LerLacresAutXML();
    LerInfAdicRespTec();
    LerAssinatura();
    LerSuplemento();
    LerProtocolo();
    return true;
}

void TMDFeR::LerIdentificacao()
{
    if (FLeitor.rExtrai(1, "ide").empty())
        return;
    const Campos c(FLeitor);
    TIde &ide = FMDFe.Ide;

    ide.cUF = c.Int("cUF");
    ide.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    ide.tpEmit = Campos::Codigo(StrToTpEmitente, c.Str("tpEmit"));
    if (Layout300())
        ide.tpTransp = Campos::Codigo(StrToTTransportador, c.Str("tpTransp"));
    ide.modelo = c.Str("mod");
    ide.serie = c.Int("serie");
    ide.nMDF = c.Int("nMDF");
    ide.cMDF = dfe::leitura::InteiroDaTag(c, "cMDF");
    // A zero code is the document's own: -2 asks the key routine for a zero code instead
    // of drawing a new one, so the regenerated key stays this document's.
    if (ide.cMDF == 0)
        ide.cMDF = -2;
    ide.cDV = c.Int("cDV");
    ide.modal = Campos::Codigo(StrToModal, c.Str("modal"));
    ide.dhEmi = c.Data("dhEmi", dfe::tcDatHor);
    ide.tpEmis = Campos::Codigo(dfe::StrToTpEmis, c.Str("tpEmis"));
    ide.procEmi = Campos::Codigo(dfe::StrToprocEmi, c.Str("procEmi"));
    ide.verProc = c.Str("verProc");
    ide.UFIni = c.Str("UFIni");
    ide.UFFim = c.Str("UFFim");
    ide.dhIniViagem = c.Data("dhIniViagem", dfe::tcDatHor);
    if (Layout300()) {
        ide.indCanalVerde = Indicador(c.Str("indCanalVerde"));
        ide.indCarregaPosterior = Indicador(c.Str("indCarregaPosterior"));
    }

    for (int n = 1; !FLeitor.rExtrai(2, "infMunCarrega", "", n).empty(); ++n) {
        TinfMunCarregaCollectionItem &m = ide.infMunCarrega.New();
        m.cMunCarrega = c.Int("cMunCarrega");
        m.xMunCarrega = c.Str("xMunCarrega");
    }
    for (int n = 1; !FLeitor.rExtrai(2, "infPercurso", "", n).empty(); ++n)
        ide.infPercurso.New().UFPer = c.Str("UFPer");
}

void TMDFeR::LerEmitente()
{
    if (FLeitor.rExtrai(1, "emit").empty())
        return;
    const Campos c(FLeitor);
    Temit &emit = FMDFe.emit;
    emit.CNPJCPF = c.CNPJCPF();
    emit.IE = c.Str("IE");
    emit.xNome = c.Str("xNome");
    emit.xFant = c.Str("xFant");

    if (FLeitor.rExtrai(2, "enderEmit").empty())
        return;
    TenderEmit &e = emit.enderEmit;
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.cMun = c.Int("cMun");
    e.xMun = c.Str("xMun");
    e.CEP = c.Int("CEP");
    e.UF = c.Str("UF");
    e.fone = c.Str("fone");
    e.email = c.Str("email");
}

// Every modal group present is read, whatever ide's modal names.
void TMDFeR::LerModais()
{
    if (FLeitor.rExtrai(1, "infModal").empty())
        return;
    if (!FLeitor.rExtrai(2, "rodo").empty())
        LerRodoviario();
    if (!FLeitor.rExtrai(2, "aereo").empty())
        LerAereo();
    if (!FLeitor.rExtrai(2, "aquav").empty())
        LerAquaviario();
    if (!FLeitor.rExtrai(2, "ferrov").empty())
        LerFerroviario();
}

void TMDFeR::LerRodoviario()
{
    const Campos c(FLeitor);
    Trodo &rodo = FMDFe.rodo;
    // In 3.00 these leaves live in infANTT, where the first ones of rodo are found; the
    // registration of the vehicles' owners never counts as the carrier's.
    rodo.RNTRC = FLeitor.rCampo(dfe::tcStr, "RNTRC", "prop").AsString();
    rodo.CIOT = c.Str("CIOT");
    rodo.codAgPorto = c.Str("codAgPorto");

    if (Layout300() && !FLeitor.rExtrai(3, "infANTT").empty())
        LerANTT(rodo.infANTT);

    LerVeiculoTracao();
    LerReboques();

    if (!Layout300() && !FLeitor.rExtrai(3, "valePed").empty()) {
        for (int n = 1; !FLeitor.rExtrai(4, "disp", "", n).empty(); ++n) {
            TdispCollectionItem &d = rodo.valePed.disp.New();
            d.CNPJForn = c.Str("CNPJForn");
            d.CNPJPg = c.Str("CNPJPg");
            d.nCompra = c.Str("nCompra");
        }
    }
}

// infANTT, the group last cut at level 3.
void TMDFeR::LerANTT(TinfANTT &ANTT)
{
    const Campos c(FLeitor);
    ANTT.RNTRC = c.Str("RNTRC");

    for (int n = 1; !FLeitor.rExtrai(4, "infCIOT", "", n).empty(); ++n) {
        TinfCIOTCollectionItem &i = ANTT.infCIOT.New();
        i.CIOT = c.Str("CIOT");
        i.CNPJCPF = c.CNPJCPF();
    }

    if (!FLeitor.rExtrai(4, "valePed").empty()) {
        for (int n = 1; !FLeitor.rExtrai(5, "disp", "", n).empty(); ++n) {
            TdispCollectionItem &d = ANTT.valePed.disp.New();
            d.CNPJForn = c.Str("CNPJForn");
            d.CNPJPg = c.Str("CNPJPg");
            // A payer that is a person is a CPFPg; the model keeps either in CNPJPg.
            if (d.CNPJPg.empty())
                d.CNPJPg = c.Str("CPFPg");
            d.nCompra = c.Str("nCompra");
            d.vValePed = c.Dbl("vValePed", dfe::tcDe2);
        }
    }

    for (int n = 1; !FLeitor.rExtrai(4, "infContratante", "", n).empty(); ++n) {
        TinfContratanteCollectionItem &i = ANTT.infContratante.New();
        i.xNome = c.Str("xNome");
        i.idEstrangeiro = c.Str("idEstrangeiro");
        if (i.idEstrangeiro.empty())
            i.CNPJCPF = c.CNPJCPF();
    }

    LerPagamentos(ANTT.infPag);
}

// Each infPag of the infANTT last cut at level 3.
void TMDFeR::LerPagamentos(TinfPagCollection &Pagamentos)
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(4, "infPag", "", n).empty(); ++n) {
        TinfPagCollectionItem &p = Pagamentos.New();
        p.xNome = c.Str("xNome");
        p.idEstrangeiro = c.Str("idEstrangeiro");
        if (p.idEstrangeiro.empty())
            p.CNPJCPF = c.CNPJCPF();
        p.vContrato = c.Dbl("vContrato", dfe::tcDe2);
        p.indPag = Campos::Codigo(StrToTIndPag, c.Str("indPag"));

        for (int m = 1; !FLeitor.rExtrai(5, "Comp", "", m).empty(); ++m) {
            TCompCollectionItem &comp = p.Comp.New();
            comp.tpComp = Campos::Codigo(StrToTComp, c.Str("tpComp"));
            comp.vComp = c.Dbl("vComp", dfe::tcDe2);
            comp.xComp = c.Str("xComp");
        }
        if (p.indPag == ipPrazo) {
            for (int m = 1; !FLeitor.rExtrai(5, "infPrazo", "", m).empty(); ++m) {
                TInfPrazoCollectionItem &prazo = p.infPrazo.New();
                prazo.nParcela = c.Int("nParcela");
                prazo.dVenc = c.Data("dVenc");
                prazo.vParcela = c.Dbl("vParcela", dfe::tcDe2);
            }
        }
        if (!FLeitor.rExtrai(5, "infBanc").empty()) {
            p.infBanc.CNPJIPEF = c.Str("CNPJIPEF");
            // A payment institution stands in for the bank and its branch.
            if (p.infBanc.CNPJIPEF.empty()) {
                p.infBanc.codBanco = c.Str("codBanco");
                p.infBanc.codAgencia = c.Str("codAgencia");
            }
        }
    }
}

std::string TMDFeR::UFDoVeiculo(std::string_view Veiculo)
{
    const Campos c(FLeitor);
    const std::string_view dono = FLeitor.rExtrai(4, "prop");
    const bool dentro = !dono.empty() && dono.data() >= Veiculo.data() &&
                        dono.data() + dono.size() <= Veiculo.data() + Veiculo.size();
    if (!dentro) {
        FLeitor.SetGrupo(Veiculo);
        return c.Str("UF");
    }
    // The owner comes before the vehicle's UF and states the owner's UF: the vehicle's is
    // the UF leaf of what remains, wherever it stands and however the file is indented.
    const auto antes = static_cast<std::size_t>(dono.data() - Veiculo.data());
    std::string semDono;
    semDono.reserve(Veiculo.size() - dono.size());
    semDono.append(Veiculo.substr(0, antes)).append(Veiculo.substr(antes + dono.size()));
    FLeitor.SetGrupo(semDono);
    return c.Str("UF");
}

void TMDFeR::LerProprietario(Tprop &Prop)
{
    if (FLeitor.rExtrai(4, "prop").empty())
        return;
    const Campos c(FLeitor);
    Prop.CNPJCPF = c.CNPJCPF();
    Prop.RNTRC = c.Str("RNTRC");
    Prop.xNome = c.Str("xNome");
    Prop.IE = c.Str("IE");
    Prop.UF = c.Str("UF");
    Prop.tpProp = Campos::Codigo(dfe::StrToTpProp, c.Str("tpProp"));
}

void TMDFeR::LerVeiculoTracao()
{
    // Older files name the traction vehicle veicPrincipal.
    std::string_view veiculo = FLeitor.rExtrai(3, "veicTracao");
    if (veiculo.empty())
        veiculo = FLeitor.rExtrai(3, "veicPrincipal");
    if (veiculo.empty())
        return;
    const Campos c(FLeitor);
    TveicTracao &v = FMDFe.rodo.veicTracao;
    LerVeiculo(c, v);
    v.tpRod = Campos::Codigo(dfe::StrToTpRodado, c.Str("tpRod"));
    v.UF = UFDoVeiculo(veiculo);
    LerProprietario(v.prop);
    for (int n = 1; !FLeitor.rExtrai(4, "condutor", "", n).empty(); ++n) {
        TcondutorCollectionItem &condutor = v.condutor.New();
        condutor.xNome = c.Str("xNome");
        condutor.CPF = c.Str("CPF");
    }
}

void TMDFeR::LerReboques()
{
    const Campos c(FLeitor);
    for (int n = 1;; ++n) {
        const std::string_view veiculo = FLeitor.rExtrai(3, "veicReboque", "", n);
        if (veiculo.empty())
            break;
        TveicReboqueCollectionItem &r = FMDFe.rodo.veicReboque.New();
        LerVeiculo(c, r);
        r.UF = UFDoVeiculo(veiculo);
        LerProprietario(r.prop);
    }
}

void TMDFeR::LerAereo()
{
    const Campos c(FLeitor);
    Taereo &a = FMDFe.aereo;
    a.nac = c.Int("nac");
    a.matr = c.Int("matr");
    a.nVoo = c.Str("nVoo");
    a.cAerEmb = c.Str("cAerEmb");
    a.cAerDes = c.Str("cAerDes");
    a.dVoo = c.Data("dVoo");
}

void TMDFeR::LerAquaviario()
{
    const Campos c(FLeitor);
    Taquav &a = FMDFe.aquav;
    a.CNPJAgeNav = c.Str("CNPJAgeNav");
    a.irin = c.Str("irin");
    a.tpEmb = c.Str("tpEmb");
    a.cEmbar = c.Str("cEmbar");
    a.xEmbar = c.Str("xEmbar");
    a.nViagem = c.Str("nViag");
    a.cPrtEmb = c.Str("cPrtEmb");
    a.cPrtDest = c.Str("cPrtDest");
    a.prtTrans = c.Str("prtTrans");
    a.tpNav = Campos::Codigo(dfe::StrToTpNavegacao, c.Str("tpNav"));

    for (int n = 1; !FLeitor.rExtrai(3, "infTermCarreg", "", n).empty(); ++n) {
        TinfTermCarregCollectionItem &t = a.infTermCarreg.New();
        t.cTermCarreg = c.Str("cTermCarreg");
        t.xTermCarreg = c.Str("xTermCarreg");
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infTermDescarreg", "", n).empty(); ++n) {
        TinfTermDescarregCollectionItem &t = a.infTermDescarreg.New();
        t.cTermDescarreg = c.Str("cTermDescarreg");
        t.xTermDescarreg = c.Str("xTermDescarreg");
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infEmbComb", "", n).empty(); ++n) {
        TinfEmbCombCollectionItem &e = a.infEmbComb.New();
        e.cEmbComb = c.Str("cEmbComb");
        e.xBalsa = c.Str("xBalsa");
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infUnidCargaVazia", "", n).empty(); ++n) {
        TinfUnidCargaVaziaCollectionItem &u = a.infUnidCargaVazia.New();
        u.idUnidCargaVazia = c.Str("idUnidCargaVazia");
        u.tpUnidCargaVazia = Campos::Codigo(dfe::StrToUnidCarga, c.Str("tpUnidCargaVazia"));
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infUnidTranspVazia", "", n).empty(); ++n) {
        TinfUnidTranspVaziaCollectionItem &u = a.infUnidTranspVazia.New();
        u.idUnidTranspVazia = c.Str("idUnidTranspVazia");
        u.tpUnidTranspVazia = Campos::Codigo(dfe::StrToUnidTransp, c.Str("tpUnidTranspVazia"));
    }
}

void TMDFeR::LerFerroviario()
{
    const Campos c(FLeitor);
    Tferrov &f = FMDFe.ferrov;
    if (!FLeitor.rExtrai(3, "trem").empty()) {
        f.xPref = c.Str("xPref");
        f.dhTrem = c.Data("dhTrem", dfe::tcDatHor);
        f.xOri = c.Str("xOri");
        f.xDest = c.Str("xDest");
        f.qVag = c.Int("qVag");
    }
    for (int n = 1; !FLeitor.rExtrai(3, "vag", "", n).empty(); ++n) {
        TvagCollectionItem &v = f.vag.New();
        v.pesoBC = c.Dbl("pesoBC", dfe::tcDe3);
        v.pesoR = c.Dbl("pesoR", dfe::tcDe3);
        v.tpVag = c.Str("tpVag");
        v.serie = c.Str("serie");
        v.nVag = c.Int("nVag");
        v.nSeq = c.Int("nSeq");
        v.TU = c.Dbl("TU", dfe::tcDe3);
    }
}

void TMDFeR::LerDocumentos()
{
    if (FLeitor.rExtrai(1, "infDoc").empty())
        return;
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(2, "infMunDescarga", "", n).empty(); ++n) {
        TinfMunDescargaCollectionItem &m = FMDFe.infDoc.infMunDescarga.New();
        m.cMunDescarga = c.Int("cMunDescarga");
        m.xMunDescarga = c.Str("xMunDescarga");
        LerMunicipioDescarga(m);
    }
}

// The five document lists of the infMunDescarga last cut at level 2.
void TMDFeR::LerMunicipioDescarga(TinfMunDescargaCollectionItem &Municipio)
{
    const Campos c(FLeitor);
    const bool v300 = Layout300();

    for (int n = 1; !FLeitor.rExtrai(3, "infCTe", "", n).empty(); ++n) {
        TinfCTeCollectionItem &d = Municipio.infCTe.New();
        d.chCTe = c.Str("chCTe");
        d.SegCodBarra = c.Str("SegCodBarra");
        if (v300)
            d.indReentrega = c.Str("indReentrega");
        LerUnidadesTransporte(d.infUnidTransp);
        if (v300) {
            LerPerigosos(d.peri);
            if (!FLeitor.rExtrai(4, "infEntregaParcial").empty()) {
                d.infEntregaParcial.qtdTotal = c.Dbl("qtdTotal", dfe::tcDe4);
                d.infEntregaParcial.qtdParcial = c.Dbl("qtdParcial", dfe::tcDe4);
            }
        }
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infCT", "", n).empty(); ++n) {
        TinfCTCollectionItem &d = Municipio.infCT.New();
        d.nCT = c.Str("nCT");
        d.serie = c.Int("serie");
        d.subser = c.Int("subser");
        d.dEmi = c.Data("dEmi");
        d.vCarga = c.Dbl("vCarga", dfe::tcDe2);
        LerUnidadesTransporte(d.infUnidTransp);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infNFe", "", n).empty(); ++n) {
        TinfNFeCollectionItem &d = Municipio.infNFe.New();
        d.chNFe = c.Str("chNFe");
        d.SegCodBarra = c.Str("SegCodBarra");
        if (v300)
            d.indReentrega = c.Str("indReentrega");
        LerUnidadesTransporte(d.infUnidTransp);
        if (v300)
            LerPerigosos(d.peri);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infNF", "", n).empty(); ++n) {
        TinfNFCollectionItem &d = Municipio.infNF.New();
        d.CNPJ = c.Str("CNPJ");
        d.UF = c.Str("UF");
        d.nNF = dfe::leitura::InteiroDaTag(c, "nNF");
        d.serie = c.Int("serie");
        d.dEmi = c.Data("dEmi");
        d.vNF = c.Dbl("vNF", dfe::tcDe2);
        d.PIN = c.Int("PIN");
        LerUnidadesTransporte(d.infUnidTransp);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infMDFeTransp", "", n).empty(); ++n) {
        TinfMDFeTranspCollectionItem &d = Municipio.infMDFeTransp.New();
        d.chMDFe = c.Str("chMDFe");
        if (v300)
            d.indReentrega = c.Str("indReentrega");
        LerUnidadesTransporte(d.infUnidTransp);
        if (v300)
            LerPerigosos(d.peri);
    }
}

// Each infUnidTransp of the document last cut at level 3.
void TMDFeR::LerUnidadesTransporte(TinfUnidTranspCTeCollection &Unidades)
{
    const Campos c(FLeitor);
    for (int n = 1;; ++n) {
        const std::string_view grupo = FLeitor.rExtrai(4, "infUnidTransp", "", n);
        if (grupo.empty())
            break;
        TinfUnidTranspCollectionItem &u = Unidades.New();
        u.tpUnidTransp = Campos::Codigo(dfe::StrToUnidTransp, c.Str("tpUnidTransp"));
        u.idUnidTransp = c.Str("idUnidTransp");
        u.qtdRat = RateioDaUnidade(grupo);

        for (int m = 1; !FLeitor.rExtrai(5, "lacUnidTransp", "", m).empty(); ++m)
            u.lacUnidTransp.New().nLacre = c.Str("nLacre");
        for (int m = 1; !FLeitor.rExtrai(5, "infUnidCarga", "", m).empty(); ++m) {
            TinfUnidCargaCollectionItem &carga = u.infUnidCarga.New();
            carga.tpUnidCarga = Campos::Codigo(dfe::StrToUnidCarga, c.Str("tpUnidCarga"));
            carga.idUnidCarga = c.Str("idUnidCarga");
            carga.qtdRat = c.Dbl("qtdRat", dfe::tcDe2);
            for (int k = 1; !FLeitor.rExtrai(6, "lacUnidCarga", "", k).empty(); ++k)
                carga.lacUnidCarga.New().nLacre = c.Str("nLacre");
        }
    }
}

// Each peri of the document last cut at level 3.
void TMDFeR::LerPerigosos(TPeriCTeCollection &Perigosos)
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(4, "peri", "", n).empty(); ++n) {
        TPeriCollectionItem &p = Perigosos.New();
        p.nONU = c.Str("nONU");
        p.xNomeAE = c.Str("xNomeAE");
        p.xClaRisco = c.Str("xClaRisco");
        p.grEmb = c.Str("grEmb");
        p.qTotProd = c.Str("qTotProd");
        p.qVolTipo = c.Str("qVolTipo");
    }
}

void TMDFeR::LerSeguros()
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(1, "seg", "", n).empty(); ++n) {
        TSegCollectionItem &s = FMDFe.seg.New();
        s.nApol = c.Str("nApol");
        for (int m = 1; !FLeitor.rExtrai(2, "nAver", "", m).empty(); ++m)
            s.aver.New().nAver = c.Str("nAver");
        if (!FLeitor.rExtrai(2, "infResp").empty()) {
            s.respSeg = Campos::Codigo(StrToRspSeguroMDFe, c.Str("respSeg"));
            s.CNPJCPF = c.CNPJCPF();
        }
        if (!FLeitor.rExtrai(2, "infSeg").empty()) {
            s.xSeg = c.Str("xSeg");
            s.CNPJ = c.Str("CNPJ");
        }
    }
}

void TMDFeR::LerProdutoPredominante()
{
    if (FLeitor.rExtrai(1, "prodPred").empty())
        return;
    const Campos c(FLeitor);
    TprodPred &p = FMDFe.prodPred;
    p.tpCarga = Campos::Codigo(StrToTCarga, c.Str("tpCarga"));
    p.xProd = c.Str("xProd");
    p.cEAN = c.Str("cEAN");
    p.NCM = c.Str("NCM");

    if (FLeitor.rExtrai(2, "infLotacao").empty())
        return;
    const auto lerLocal = [&c](TinfLocal &local) {
        local.CEP = c.Int("CEP");
        local.latitude = c.Dbl("latitude", dfe::tcDe6);
        local.longitude = c.Dbl("longitude", dfe::tcDe6);
    };
    if (!FLeitor.rExtrai(3, "infLocalCarrega").empty())
        lerLocal(p.infLocalCarrega);
    if (!FLeitor.rExtrai(3, "infLocalDescarrega").empty())
        lerLocal(p.infLocalDescarrega);
}

void TMDFeR::LerTotais()
{
    if (FLeitor.rExtrai(1, "tot").empty())
        return;
    const Campos c(FLeitor);
    Ttot &t = FMDFe.tot;
    t.qCTe = c.Int("qCTe");
    t.qCT = c.Int("qCT");
    t.qNFe = c.Int("qNFe");
    t.qNF = c.Int("qNF");
    t.qMDFe = c.Int("qMDFe");
    t.vCarga = c.Dbl("vCarga", dfe::tcDe2);
    t.cUnid = Campos::Codigo(dfe::StrToUnidMed, c.Str("cUnid"));
    t.qCarga = c.Dbl("qCarga", dfe::tcDe4);
}

void TMDFeR::LerLacresAutXML()
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(1, "lacres", "", n).empty(); ++n)
        FMDFe.lacres.New().nLacre = c.Str("nLacre");
    for (int n = 1; !FLeitor.rExtrai(1, "autXML", "", n).empty(); ++n)
        FMDFe.autXML.New().CNPJCPF = c.CNPJCPF();
}

void TMDFeR::LerInfAdicRespTec()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "infAdic").empty()) {
        FMDFe.infAdic.infAdFisco = c.Str("infAdFisco");
        FMDFe.infAdic.infCpl = c.Str("infCpl");
    }
    if (!FLeitor.rExtrai(1, "infRespTec").empty()) {
        TinfRespTec &r = FMDFe.infRespTec;
        r.CNPJ = c.Str("CNPJ");
        r.xContato = c.Str("xContato");
        r.email = c.Str("email");
        r.fone = c.Str("fone");
        r.idCSRT = c.Int("idCSRT");
        r.hashCSRT = c.Str("hashCSRT");
    }
}

// The first signature of the text: in an envelope, the document's own.
void TMDFeR::LerAssinatura()
{
    const Campos c(FLeitor);
    FLeitor.SetGrupo(FLeitor.Arquivo());
    dfe::TSignature &s = FMDFe.signature;
    s.URI = FLeitor.rAtributo("URI=", "Reference");
    s.DigestValue = c.Str("DigestValue");
    s.SignatureValue = c.Str("SignatureValue");
    s.X509Certificate = c.Str("X509Certificate");
}

void TMDFeR::LerSuplemento()
{
    if (FLeitor.rExtrai(1, "infMDFeSupl").empty())
        return;
    const Campos c(FLeitor);
    FMDFe.infMDFeSupl.qrCodMDFe = dfe::leitura::SemCDATA(c.Str("qrCodMDFe"));
}

void TMDFeR::LerProtocolo()
{
    if (FLeitor.rExtrai(1, "protMDFe").empty())
        return;
    const Campos c(FLeitor);
    TProcMDFe &p = FMDFe.procMDFe;
    p.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    p.verAplic = c.Str("verAplic");
    p.chMDFe = c.Str("chMDFe");
    p.dhRecbto = c.Data("dhRecbto", dfe::tcDatHor);
    p.nProt = c.Str("nProt");
    p.digVal = c.Str("digVal");
    p.cStat = c.Int("cStat");
    p.xMotivo = c.Str("xMotivo");
    p.cMsg = c.Int("cMsg");
    p.xMsg = c.Str("xMsg");
}

} // namespace mdfe

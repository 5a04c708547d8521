#include "sat/reader.h"

#include "sat/exception.h"

#include "dfe/codes_document.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlreader_campos.h"
#include "dfe/xmlreader_itens.h"
#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string>
#include <string_view>

namespace sat {

using dfe::leitura::Campos;

namespace {

constexpr auto npos = std::string_view::npos;

// The layouts whose tax-authority notes live in different places, compared exactly.
const rtl::Currency Versao007 = rtl::Currency::FromRaw(700);
const rtl::Currency Versao008 = rtl::Currency::FromRaw(800);

// A decimal attribute ("." or "," accepted) into an amount; the current value when the
// text does not convert.
rtl::Currency VersaoDoTexto(const std::string &texto, rtl::Currency atual)
{
    const double valor = util::StringToFloatDef(texto, atual.ToDouble());
    try {
        return rtl::Currency::FromDouble(valor);
    } catch (rtl::Exception &) {
        return atual;
    }
}

// The item number of one det element: the text after "nItem=" and the quote that follows
// it, up to the next quote of the same kind. The quote is the item's own: a valid file may
// write one attribute with apostrophes and another with double quotes, and a quote chosen
// once for the whole document would make such a file unreadable. Empty when the attribute
// is unquoted or its quote is never closed.
std::string NumeroDoItem(std::string_view item)
{
    constexpr std::string_view atributo = "nItem=";
    const std::size_t p = item.find(atributo);
    if (p == npos || p + atributo.size() >= item.size())
        return {};
    const std::size_t inicio = p + atributo.size();
    const char aspa = item[inicio];
    if (aspa != '"' && aspa != '\'')
        return {};
    const std::size_t fim = item.find(aspa, inicio + 1);
    if (fim == npos)
        return {};
    return std::string(item.substr(inicio + 1, fim - inicio - 1));
}

bool Vazio(std::string_view texto)
{
    return rtl::TrimView(texto).empty();
}

} // namespace

TCFeR::TCFeR(TCFe &AOwner) : FCFe(AOwner) {}

TCFeR::~TCFeR() = default;

std::string TCFeR::Fonte() const
{
    return FOrigem.empty() ? std::string("O texto") : "O arquivo \"" + FOrigem + "\"";
}

void TCFeR::Recusar()
{
    const std::string &doc = FLeitor.Arquivo();
    // A cancellation carries an infCFe of its own and would print as a sale receipt of
    // zeros, which says something false about the sale.
    for (std::size_t p = doc.find("<CFeCanc"); p != npos; p = doc.find("<CFeCanc", p + 1)) {
        const std::size_t depois = p + 8;
        if (depois < doc.size() && (doc[depois] == '>' || doc[depois] == ' ' ||
                                    doc[depois] == ':' || doc[depois] == '\r' || doc[depois] == '\n'))
            throw EOvixSATErro(Fonte() + " é um CF-e de cancelamento (CFeCanc): somente extratos de venda são impressos.");
    }
    // Without infCFe there is no receipt to read: an empty, truncated or foreign file
    // would otherwise preview as a test receipt of zeros.
    FLeitor.SetGrupo(doc);
    if (FLeitor.rExtrai(1, "infCFe").empty())
        throw EOvixSATErro(Fonte() + " não contém um CF-e SAT completo: o grupo infCFe não foi encontrado.");
}

bool TCFeR::LerXml()
{
    Recusar();
    if (FLeitor.Arquivo().find("<nserieSAT>") != npos)
        FCFe.Clear();

    LerInfCFe();
    LerIdentificacao();
    LerEmitente();
    LerDestinatarioEntrega();
    LerItens();
    LerTotal();
    LerPagamentos();
    LerInfAdic();
    if (FCFe.infCFe.versao >= Versao008)
        LerObsFiscoDaRaiz();
    LerAssinatura();
    return true;
}

void TCFeR::LerInfCFe()
{
    if (FLeitor.rExtrai(1, "infCFe").empty())
        return;
    TInfCFe &inf = FCFe.infCFe;
    std::string id = rtl::UpperCase(FLeitor.rAtributo("Id="));
    inf.ID = rtl::StringReplace(id, "CFE", "", rtl::rfReplaceAll);
    inf.versao = VersaoDoTexto(FLeitor.rAtributo("versao="), inf.versao);
    inf.versaoSB = rtl::StrToIntDef(rtl::Trim(FLeitor.rAtributo("versaoSB=")), inf.versaoSB);
    inf.versaoDadosEnt = VersaoDoTexto(FLeitor.rAtributo("versaoDadosEnt="), inf.versaoDadosEnt);
}

void TCFeR::LerIdentificacao()
{
    if (FLeitor.rExtrai(1, "ide").empty())
        return;
    const Campos c(FLeitor);
    Tide &ide = FCFe.ide;
    ide.cUF = c.Int("cUF");
    ide.cNF = c.Int("cNF");
    ide.modelo = c.Int("mod");
    ide.nserieSAT = c.Int("nserieSAT");
    ide.nCFe = c.Int("nCFe");
    ide.SetdEmi(c.Data("dEmi", dfe::tcDatCFe));
    ide.SethEmi(c.Data("hEmi", dfe::tcHorCFe));
    ide.cDV = c.Int("cDV");
    ide.tpAmb = Campos::Codigo(dfe::StrToTpAmb, c.Str("tpAmb"));
    ide.CNPJ = c.Esp("CNPJ");
    ide.signAC = c.Str("signAC");
    ide.assinaturaQRCODE = c.Str("assinaturaQRCODE");
    ide.numeroCaixa = c.Int("numeroCaixa");
}

void TCFeR::LerEmitente()
{
    if (FLeitor.rExtrai(1, "emit").empty())
        return;
    const Campos c(FLeitor);
    TEmit &emit = FCFe.Emit;
    // An input form leaves the issuer's texts to the device: blank ones keep the model's.
    const auto texto = [](std::string &campo, std::string valor) {
        if (!Vazio(valor))
            campo = std::move(valor);
    };
    texto(emit.CNPJ, c.CNPJCPF());
    texto(emit.xNome, c.Str("xNome"));
    texto(emit.xFant, c.Str("xFant"));
    texto(emit.IE, c.Str("IE"));
    texto(emit.IM, c.Str("IM"));
    if (const std::string s = c.Str("cRegTrib"); !s.empty())
        emit.cRegTrib = Campos::Codigo(dfe::StrToRegTrib, s);
    if (const std::string s = c.Str("cRegTribISSQN"); !s.empty())
        emit.cRegTribISSQN = Campos::Codigo(dfe::StrToRegTribISSQN, s);
    if (const std::string s = c.Str("indRatISSQN"); !s.empty())
        emit.indRatISSQN = Campos::Codigo(dfe::StrToindRatISSQN, s);

    if (FLeitor.rExtrai(2, "enderEmit").empty())
        return;
    TenderEmit &e = emit.EnderEmit;
    e.xLgr = c.Str("xLgr");
    e.nro = c.Str("nro");
    e.xCpl = c.Str("xCpl");
    e.xBairro = c.Str("xBairro");
    e.xMun = c.Str("xMun");
    e.CEP = c.Int("CEP");
}

void TCFeR::LerDestinatarioEntrega()
{
    const Campos c(FLeitor);
    if (!FLeitor.rExtrai(1, "dest").empty()) {
        FCFe.Dest.CNPJCPF = c.CNPJCPF();
        FCFe.Dest.xNome = c.Str("xNome");
    }
    if (!FLeitor.rExtrai(1, "entrega").empty()) {
        TEntrega &e = FCFe.Entrega;
        e.xLgr = c.Str("xLgr");
        e.nro = c.Str("nro");
        e.xCpl = c.Str("xCpl");
        e.xBairro = c.Str("xBairro");
        e.xMun = c.Str("xMun");
        e.UF = c.Str("UF");
    }
}

void TCFeR::LerItens()
{
    // Each item becomes the leaf reader's whole document in turn: a piece of the
    // document, searched through the document's own index, so nothing is indexed or
    // scanned again per item. The copy keeps the whole document for the end.
    const dfe::TLeitor inteiro = FLeitor;
    const std::string_view itens = dfe::itens::TrechoDosItens(inteiro.Arquivo());
    std::size_t cursor = 0;
    std::size_t depois = 0;
    for (std::string_view item = dfe::itens::ProximoItem(itens, cursor, depois); !item.empty();
         item = dfe::itens::ProximoItem(itens, cursor, depois)) {
        cursor = depois;
        int numero = 0;
        try {
            numero = dfe::leitura::Inteiro(NumeroDoItem(item),
                                           "no atributo nItem do item " + std::to_string(FCFe.Det.Count() + 1));
        } catch (...) {
            FLeitor.SetArquivoDe(inteiro);
            throw;
        }
        // The item is read from its own element, never found again by its number: "01"
        // and "1" name the same item, and two items may share a number.
        FLeitor.SetArquivoDeParte(item);
        TDetCollectionItem &Item = FCFe.Det.New();
        Item.nItem = numero;
        try {
            LerItem(Item);
        } catch (...) {
            FLeitor.SetArquivoDe(inteiro);
            throw;
        }
    }
    FLeitor.SetArquivoDe(inteiro);
}

void TCFeR::LerItem(TDetCollectionItem &Item)
{
    const Campos c(FLeitor);
    FLeitor.rExtrai(1, "det");
    Item.infAdProd = c.Str("infAdProd");

    // prod and imposto are read even when absent: their leaves then read as empty.
    FLeitor.rExtrai(2, "prod");
    TProd &p = Item.Prod;
    p.cProd = c.Str("cProd");
    p.cEAN = c.Str("cEAN");
    p.xProd = c.Str("xProd");
    p.NCM = c.Str("NCM");
    // CEST entered the layout with 0.08.
    if (FCFe.infCFe.versao >= Versao008)
        p.CEST = c.Str("CEST");
    p.CFOP = c.Esp("CFOP");
    p.uCom = c.Str("uCom");
    p.qCom = c.Cur("qCom", dfe::tcDe4);
    p.vUnCom = c.Dbl("vUnCom", dfe::tcDe10);
    p.vProd = c.Cur("vProd");
    p.indRegra = Campos::Codigo(dfe::StrToindRegra, c.Str("indRegra"));
    p.vDesc = c.Cur("vDesc");
    p.vOutro = c.Cur("vOutro");
    p.vItem = c.Cur("vItem");
    p.vRatDesc = c.Cur("vRatDesc");
    p.vRatAcr = c.Cur("vRatAcr");
    p.EhCombustivel = p.indRegra == dfe::irTruncamento;
    for (int n = 1; !FLeitor.rExtrai(3, "obsFiscoDet", {}, n).empty(); ++n) {
        TobsFiscoDetCollectionItem &obs = p.obsFiscoDet.New();
        obs.xCampoDet = FLeitor.rAtributo("xCampoDet=");
        obs.xTextoDet = c.Str("xTextoDet");
    }

    FLeitor.rExtrai(2, "imposto");
    LerImpostos(Item.Imposto);
}

void TCFeR::LerImpostos(TImposto &Imposto)
{
    const Campos c(FLeitor);
    Imposto.vItem12741 = c.Cur("vItem12741");
    // Each tax group only under its exact name: PIS never takes the PISST group.
    if (!FLeitor.rExtrai(3, "ICMS").empty()) {
        TICMS &icms = Imposto.ICMS;
        icms.orig = Campos::Codigo(dfe::StrToOrig, c.Str("Orig"));
        icms.CST = Campos::Codigo(dfe::StrToCSTICMS, c.Str("CST"));
        icms.CSOSN = Campos::Codigo(dfe::StrToCSOSNIcms, c.Texto("CSOSN", dfe::tcInt));
        icms.pICMS = c.Cur("pICMS");
        icms.vICMS = c.Cur("vICMS");
    }
    if (!FLeitor.rExtrai(3, "PIS").empty()) {
        TPIS &pis = Imposto.PIS;
        pis.CST = Campos::Codigo(dfe::StrToCSTPIS, c.Str("CST"));
        pis.vBC = c.Cur("vBC");
        pis.pPIS = c.Cur("pPIS", dfe::tcDe4);
        pis.vPIS = c.Cur("vPIS");
        pis.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
        pis.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
    }
    if (!FLeitor.rExtrai(3, "PISST").empty()) {
        TPISST &st = Imposto.PISST;
        st.vBc = c.Cur("vBC");
        st.pPis = c.Cur("pPIS", dfe::tcDe4);
        st.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
        st.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
        st.vPIS = c.Cur("vPIS");
    }
    if (!FLeitor.rExtrai(3, "COFINS").empty()) {
        TCOFINS &cof = Imposto.COFINS;
        cof.CST = Campos::Codigo(dfe::StrToCSTCOFINS, c.Str("CST"));
        cof.vBC = c.Cur("vBC");
        cof.pCOFINS = c.Cur("pCOFINS", dfe::tcDe4);
        cof.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
        cof.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
        cof.vCOFINS = c.Cur("vCOFINS");
    }
    if (!FLeitor.rExtrai(3, "COFINSST").empty()) {
        TCOFINSST &st = Imposto.COFINSST;
        st.vBC = c.Cur("vBC");
        st.pCOFINS = c.Cur("pCOFINS", dfe::tcDe4);
        st.qBCProd = c.Cur("qBCProd", dfe::tcDe4);
        st.vAliqProd = c.Cur("vAliqProd", dfe::tcDe4);
        st.vCOFINS = c.Cur("vCOFINS");
    }
    if (!FLeitor.rExtrai(3, "ISSQN").empty()) {
        TISSQN &iss = Imposto.ISSQN;
        iss.vDeducISSQN = c.Cur("vDeducISSQN");
        iss.vBC = c.Cur("vBC");
        iss.vAliq = c.Cur("vAliq");
        iss.vISSQN = c.Cur("vISSQN");
        iss.cMunFG = c.Int("cMunFG");
        iss.cListServ = c.Str("cListServ");
        iss.cServTribMun = c.Str("cServTribMun");
        iss.cNatOp = c.Int("cNatOp");
        iss.indIncFisc = Campos::Codigo(dfe::StrToindIncentivo, c.Texto("indIncFisc", dfe::tcInt));
    }
}

void TCFeR::LerTotal()
{
    if (FLeitor.rExtrai(1, "total").empty())
        return;
    const Campos c(FLeitor);
    TTotal &t = FCFe.Total;
    t.vCFe = c.Cur("vCFe");
    t.vCFeLei12741 = c.Cur("vCFeLei12741");
    if (!FLeitor.rExtrai(2, "ICMSTot").empty()) {
        TICMSTot &i = t.ICMSTot;
        i.vICMS = c.Cur("vICMS");
        i.vProd = c.Cur("vProd");
        i.vDesc = c.Cur("vDesc");
        i.vPIS = c.Cur("vPIS");
        i.vCOFINS = c.Cur("vCOFINS");
        i.vPISST = c.Cur("vPISST");
        i.vCOFINSST = c.Cur("vCOFINSST");
        i.vOutro = c.Cur("vOutro");
    }
    if (!FLeitor.rExtrai(2, "ISSQNtot").empty()) {
        TISSQNtot &i = t.ISSQNtot;
        i.vBC = c.Cur("vBC");
        i.vISS = c.Cur("vISS");
        i.vPIS = c.Cur("vPIS");
        i.vCOFINS = c.Cur("vCOFINS");
        i.vPISST = c.Cur("vPISST");
        i.vCOFINSST = c.Cur("vCOFINSST");
    }
    if (!FLeitor.rExtrai(2, "DescAcrEntr").empty()) {
        t.DescAcrEntr.vDescSubtot = c.Cur("vDescSubtot");
        t.DescAcrEntr.vAcresSubtot = c.Cur("vAcresSubtot");
    }
}

void TCFeR::LerPagamentos()
{
    if (FLeitor.rExtrai(1, "pgto").empty())
        return;
    const Campos c(FLeitor);
    FCFe.Pagto.vTroco = c.Cur("vTroco");
    for (int n = 1; !FLeitor.rExtrai(2, "MP", {}, n).empty(); ++n) {
        TMPCollectionItem &mp = FCFe.Pagto.New();
        mp.cMP = Campos::Codigo(dfe::StrToCodigoMP, c.Str("cMP"));
        mp.vMP = c.Cur("vMP");
        mp.cAdmC = c.Int("cAdmC");
    }
}

void TCFeR::LerInfAdic()
{
    if (FLeitor.rExtrai(1, "infAdic").empty())
        return;
    const Campos c(FLeitor);
    FCFe.InfAdic.infCpl = c.Str("infCpl");
    // Up to 0.07 the notes lived inside infAdic, and the receipt prints the root list.
    if (FCFe.infCFe.versao > Versao007)
        return;
    for (int n = 1; !FLeitor.rExtrai(2, "obsFisco", {}, n).empty(); ++n) {
        TobsFiscoCollectionItem &adic = FCFe.InfAdic.obsFisco.New();
        adic.xCampo = FLeitor.rAtributo("xCampo=");
        adic.xTexto = c.Str("xTexto");
        FCFe.obsFisco.New() = adic;
    }
}

void TCFeR::LerObsFiscoDaRaiz()
{
    // From 0.08 on the notes stand beside infAdic; notes written inside infAdic belong to
    // the old layout and are not the document's, so the search starts after it.
    const dfe::TLeitor inteiro = FLeitor;
    const std::string_view doc = inteiro.Arquivo();
    const std::size_t fimAdic = doc.find("</infAdic>");
    if (fimAdic != npos)
        FLeitor.SetArquivoDeParte(doc.substr(fimAdic + 10));
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(1, "obsFisco", {}, n).empty(); ++n) {
        TobsFiscoCollectionItem &obs = FCFe.obsFisco.New();
        obs.xCampo = FLeitor.rAtributo("xCampo=");
        obs.xTexto = c.Str("xTexto");
    }
    FLeitor.SetArquivoDe(inteiro);
}

void TCFeR::LerAssinatura()
{
    const Campos c(FLeitor);
    FLeitor.SetGrupo(FLeitor.Arquivo());
    FCFe.signature.URI = FLeitor.rAtributo("Reference URI=");
    FCFe.signature.DigestValue = c.Str("DigestValue");
    FCFe.signature.SignatureValue = c.Str("SignatureValue");
    FCFe.signature.X509Certificate = c.Str("X509Certificate");
}

} // namespace sat

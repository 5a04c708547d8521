#include "nfe/model.h"

#include "nfe/reader.h"

#include "dfe/codetable.h"
#include "rtl/encoding.h"
#include "rtl/formatsettings.h"
#include "rtl/numbers.h"
#include "rtl/text.h"

#include <iterator>
#include <string_view>
#include <tuple>

namespace nfe {

namespace {

constexpr dfe::TKeyRow<int, std::string_view> kCombDescricao[] = {
    {1, "01 - ALCOOL"},
    {2, "02 - GASOLINA"},
    {3, "03 - DIESEL"},
    {4, "04 - GASOGENIO"},
    {5, "05 - GAS METANO"},
    {6, "06 - ELETRICO/FONTE INTERNA"},
    {7, "07 - ELETRICO/FONTE EXTERNA"},
    {8, "08 - GASOL/GAS NATURAL COMBUSTIVEL"},
    {9, "09 - ALCOOL/GAS NATURAL COMBUSTIVEL"},
    {10, "10 - DIESEL/GAS NATURAL COMBUSTIVEL"},
    {11, "11 - VIDE/CAMPO/OBSERVACAO"},
    {12, "12 - ALCOOL/GAS NATURAL VEICULAR"},
    {13, "13 - GASOLINA/GAS NATURAL VEICULAR"},
    {14, "14 - DIESEL/GAS NATURAL VEICULAR"},
    {15, "15 - GAS NATURAL VEICULAR"},
    {16, "16 - ALCOOL/GASOLINA"},
    {17, "17 - GASOLINA/ALCOOL/GAS NATURAL"},
    {18, "18 - GASOLINA/ELETRICO"},
};

bool SameSignature(const dfe::TSignature &a, const dfe::TSignature &b)
{
    return a.URI == b.URI && a.DigestValue == b.DigestValue && a.SignatureValue == b.SignatureValue &&
           a.X509Certificate == b.X509Certificate;
}

} // namespace

std::string TInfNFe::VersaoStr() const
{
    if (Versao <= 0)
        return "versao=\"2.00\"";
    // The attribute is XML, never the user's locale: '.' whatever the settings say.
    return "versao=\"" + rtl::FormatFloat("#0.00", Versao, rtl::TFormatSettings{}) + "\"";
}

std::string TveicProd::CombDescricao() const
{
    const std::string_view text = dfe::LookUp(rtl::StrToIntDef(tpComb, 0), kCombDescricao, std::string_view());
    return text.empty() ? tpComb : std::string(text);
}

void TProcNFe::Assign(const TProcNFe &Source)
{
    if (&Source == this)
        return;
    PathNFe = Source.PathNFe;
    PathRetConsReciNFe = Source.PathRetConsReciNFe;
    PathRetConsSitNFe = Source.PathRetConsSitNFe;
    tpAmb = Source.tpAmb;
    verAplic = Source.verAplic;
    chNFe = Source.chNFe;
    dhRecbto = Source.dhRecbto;
    dhRecbtoFuso = Source.dhRecbtoFuso;
    nProt = Source.nProt;
    digVal = Source.digVal;
    cStat = Source.cStat;
    xMotivo = Source.xMotivo;
    Versao = Source.Versao;
    cMsg = Source.cMsg;
    xMsg = Source.xMsg;
    XML_NFe = Source.XML_NFe;
    XML_prot = Source.XML_prot;
}

bool TProcNFe::operator==(const TProcNFe &o) const
{
    return std::tie(PathNFe, PathRetConsReciNFe, PathRetConsSitNFe, tpAmb, verAplic, chNFe, dhRecbto, dhRecbtoFuso,
                    nProt, digVal, cStat, xMotivo, Versao, cMsg, xMsg, XML_NFe, XML_prot) ==
           std::tie(o.PathNFe, o.PathRetConsReciNFe, o.PathRetConsSitNFe, o.tpAmb, o.verAplic, o.chNFe,
                    o.dhRecbto, o.dhRecbtoFuso, o.nProt, o.digVal, o.cStat, o.xMotivo, o.Versao, o.cMsg, o.xMsg,
                    o.XML_NFe, o.XML_prot);
}

TNFe::TNFe()
{
    Emit.EnderEmit.xPais = "BRASIL";
    Emit.EnderEmit.cPais = 1058;
    Dest.EnderDest.xPais = "BRASIL";
    Dest.EnderDest.cPais = 1058;
}

void TNFe::SetXMLString(std::string_view ansi)
{
    TNFeR leitor(*this);
    leitor.Leitor().SetArquivo(rtl::AnsiToUtf8(ansi));
    leitor.LerXml();
}

TNFe::TNFe(const TNFe &Source) : TNFe()
{
    Assign(Source);
}

TNFe &TNFe::operator=(const TNFe &Source)
{
    Assign(Source);
    return *this;
}

void TNFe::Assign(const TNFe &Source)
{
    if (&Source == this)
        return;
    infNFe.Assign(Source.infNFe);
    Ide = Source.Ide;
    Emit = Source.Emit;
    Avulsa = Source.Avulsa;
    Dest = Source.Dest;
    Retirada = Source.Retirada;
    Entrega = Source.Entrega;
    autXML = Source.autXML;
    Det = Source.Det;
    Total = Source.Total;
    Transp = Source.Transp;
    Cobr = Source.Cobr;
    pag.Assign(Source.pag);
    InfAdic = Source.InfAdic;
    exporta = Source.exporta;
    compra = Source.compra;
    cana = Source.cana;
    infNFeSupl = Source.infNFeSupl;
    signature.Assign(Source.signature);
    procNFe.Assign(Source.procNFe);
    infRespTec = Source.infRespTec;
}

bool TNFe::operator==(const TNFe &o) const
{
    return infNFe == o.infNFe && Ide == o.Ide && Emit == o.Emit && Avulsa == o.Avulsa && Dest == o.Dest &&
           Retirada == o.Retirada && Entrega == o.Entrega && Det == o.Det && Total == o.Total &&
           Transp == o.Transp && Cobr == o.Cobr && pag == o.pag && InfAdic == o.InfAdic && exporta == o.exporta &&
           compra == o.compra && cana == o.cana && SameSignature(signature, o.signature) &&
           procNFe == o.procNFe && autXML == o.autXML && infNFeSupl == o.infNFeSupl &&
           infRespTec == o.infRespTec;
}

} // namespace nfe

// The content of infCTeNorm apart from the modal groups, and the transported documents that
// the layouts below 2.00 keep inside rem.
#include "cte/reader.h"

#include "cte/codes.h"
#include "dfe/codes.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlreader_campos.h"
#include "rtl/currency.h"
#include "rtl/exceptions.h"
#include "util/toolbox.h"

#include <string>
#include <string_view>

namespace cte {

using dfe::leitura::Campos;

namespace {

void LerInfNF(const Campos &c, TInfNFCollectionItem &d)
{
    d.nRoma = c.Str("nRoma");
    d.nPed = c.Str("nPed");
    d.modelo = Campos::Codigo(dfe::StrToModeloNF, c.Str("mod"));
    d.serie = c.Str("serie");
    d.nDoc = c.Esp("nDoc");
    d.dEmi = c.Data("dEmi");
    d.vBC = c.Cur("vBC");
    d.vICMS = c.Cur("vICMS");
    d.vBCST = c.Cur("vBCST");
    d.vST = c.Cur("vST");
    d.vProd = c.Cur("vProd");
    d.vNF = c.Cur("vNF");
    d.nCFOP = c.Int("nCFOP");
    d.nPeso = c.Cur("nPeso", dfe::tcDe3);
    d.PIN = c.Str("PIN");
}

void LerInfNFe(const Campos &c, TInfNFeCollectionItem &d)
{
    d.chave = c.Str("chave");
    d.PIN = c.Str("PIN");
}

void LerInfOutros(const Campos &c, TInfOutrosCollectionItem &d)
{
    d.tpDoc = Campos::Codigo(StrToTpDocumento, c.Str("tpDoc"));
    d.descOutros = c.Str("descOutros");
    d.nDoc = c.Str("nDoc");
    d.dEmi = c.Data("dEmi");
    d.vDocFisc = c.Cur("vDocFisc");
}

// The part of s from the 1-based position `de`, `n` characters long, as the run-time cuts
// text: a start before the text or a count past its end is cut back, a count of zero or
// less gives nothing.
std::string_view Copiar(std::string_view s, long long de, long long n)
{
    if (de < 1) {
        n += de - 1;
        de = 1;
    }
    if (n <= 0 || de > static_cast<long long>(s.size()))
        return {};
    return s.substr(static_cast<std::size_t>(de - 1), static_cast<std::size_t>(n));
}

// The 1-based position of the last sub in s; 0 when absent.
long long Ultima(std::string_view s, std::string_view sub)
{
    const std::size_t p = s.rfind(sub);
    return p == std::string_view::npos ? 0 : static_cast<long long>(p) + 1;
}

// The qtdRat of a transport unit, whose group text is `unidade`. The unit's own qtdRat
// follows its cargo units, each of which may carry a qtdRat of its own: the last qtdRat of
// the group is the unit's only when it closes after the last cargo unit. Read with the
// decimal point or comma whatever the locale, rounded as money to four places.
double QtdRatDaUnidade(std::string_view unidade)
{
    constexpr std::string_view abre = "<qtdRat>";
    const long long pos1 = Ultima(unidade, "</infUnidCarga>");
    const long long pos2 = Ultima(unidade, abre);
    const long long pos3 = Ultima(unidade, "</qtdRat>");
    if (pos1 >= pos3)
        return 0;
    const long long tam = static_cast<long long>(abre.size());
    const double valor =
        util::StringToFloatDef(Copiar(unidade, pos2 + tam, pos3 - pos2 - tam), 0);
    return rtl::Currency::FromDouble(valor).ToDouble();
}

} // namespace

void TCTeR::LerInfCTeNorm()
{
    if (FLeitor.rExtrai(1, "infCTeNorm").empty())
        return;
    const Campos c(FLeitor);
    FCTe.infCTeNorm.refCTeCanc = c.Str("refCTeCanc");

    LerServicoDocRef();
    LerCarga();
    LerDocumentos();
    LerDocAnt();
    LerSeguros();
    LerModais();
    LerPerigososVeiculos();
    LerCobranca();
    LerSubstituicao();
    LerGlobalizadoServVinc();
}

void TCTeR::LerServicoDocRef()
{
    const Campos c(FLeitor);
    TInfCTeNorm &norm = FCTe.infCTeNorm;
    if (!FLeitor.rExtrai(2, "infServico").empty()) {
        norm.infServico.xDescServ = c.Str("xDescServ");
        norm.infServico.qCarga = c.Cur("qCarga", dfe::tcDe4);
    }
    for (int n = 1; !FLeitor.rExtrai(2, "infDocRef", "", n).empty(); ++n) {
        TinfDocRefCollectionItem &d = norm.infDocRef.New();
        d.nDoc = c.Esp("nDoc");
        d.serie = c.Str("serie");
        d.subserie = c.Str("subserie");
        d.dEmi = c.Data("dEmi");
        d.vDoc = c.Cur("vDoc");
    }
}

void TCTeR::LerCarga()
{
    if (FLeitor.rExtrai(2, "infCarga").empty())
        return;
    const Campos c(FLeitor);
    TInfCarga &carga = FCTe.infCTeNorm.infCarga;
    carga.vCarga = c.Cur("vCarga");
    carga.proPred = c.Str("proPred");
    carga.xOutCat = c.Str("xOutCat");
    carga.vCargaAverb = c.Cur("vCargaAverb");
    for (int n = 1; !FLeitor.rExtrai(3, "infQ", "", n).empty(); ++n) {
        TInfQCollectionItem &q = carga.infQ.New();
        const std::string cUnid = c.Str("cUnid");
        const int unidade = dfe::leitura::Inteiro(cUnid, "na tag <cUnid>");
        // The unit is an ordinal of the enumeration: one outside it would make every
        // later lookup of its text read past the table.
        if (unidade < dfe::uM3 || unidade > dfe::uMMBTU) {
            rtl::EConvertError erro("");
            dfe::leitura::Explicar(erro, "Unidade de medida inválida", "na tag <cUnid>", cUnid);
            throw erro;
        }
        q.cUnid = static_cast<dfe::TUnidMed>(unidade);
        q.tpMed = c.Str("tpMed");
        q.qCarga = c.Cur("qCarga", dfe::tcDe4);
    }
}

template <class Item>
void TCTeR::LerUnidades(Item &Doc)
{
    const Campos c(FLeitor);
    const auto lerCarga = [&](int nivel, TinfUnidCargaCollection &lista) {
        for (int n = 1; !FLeitor.rExtrai(nivel, "infUnidCarga", "", n).empty(); ++n) {
            TinfUnidCargaCollectionItem &u = lista.New();
            u.tpUnidCarga = Campos::Codigo(dfe::StrToUnidCarga, c.Str("tpUnidCarga"));
            u.idUnidCarga = c.Str("idUnidCarga");
            u.qtdRat = c.Dbl("qtdRat", dfe::tcDe2);
            for (int m = 1; !FLeitor.rExtrai(nivel + 1, "lacUnidCarga", "", m).empty(); ++m)
                u.lacUnidCarga.New().nLacre = c.Str("nLacre");
        }
    };

    int transp = 0;
    for (int n = 1;; ++n) {
        const std::string_view unidade = FLeitor.rExtrai(4, "infUnidTransp", "", n);
        if (unidade.empty())
            break;
        ++transp;
        auto &u = Doc.infUnidTransp.New();
        u.tpUnidTransp = Campos::Codigo(dfe::StrToUnidTransp, c.Str("tpUnidTransp"));
        u.idUnidTransp = c.Str("idUnidTransp");
        u.qtdRat = QtdRatDaUnidade(unidade);
        for (int m = 1; !FLeitor.rExtrai(5, "lacUnidTransp", "", m).empty(); ++m)
            u.lacUnidTransp.New().nLacre = c.Str("nLacre");
        lerCarga(5, u.infUnidCarga);
    }
    if (transp == 0)
        lerCarga(4, Doc.infUnidCarga);
}

void TCTeR::LerDocumentos()
{
    if (FLeitor.rExtrai(2, "infDoc").empty())
        return;
    const Campos c(FLeitor);
    TInfDoc &doc = FCTe.infCTeNorm.infDoc;
    for (int n = 1; !FLeitor.rExtrai(3, "infNF", "", n).empty(); ++n) {
        TInfNFCollectionItem &d = doc.infNF.New();
        LerInfNF(c, d);
        d.dPrev = c.Data("dPrev");
        LerUnidades(d);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infNFe", "", n).empty(); ++n) {
        TInfNFeCollectionItem &d = doc.infNFe.New();
        LerInfNFe(c, d);
        d.dPrev = c.Data("dPrev");
        LerUnidades(d);
    }
    for (int n = 1; !FLeitor.rExtrai(3, "infOutros", "", n).empty(); ++n) {
        TInfOutrosCollectionItem &d = doc.infOutros.New();
        LerInfOutros(c, d);
        d.dPrev = c.Data("dPrev");
        LerUnidades(d);
    }
}

void TCTeR::LerDocumentosNoRem()
{
    // Level 1 is rem.
    const Campos c(FLeitor);
    TInfDoc &doc = FCTe.infCTeNorm.infDoc;
    for (int n = 1; !FLeitor.rExtrai(2, "infNFe", "", n).empty(); ++n)
        LerInfNFe(c, doc.infNFe.New());
    for (int n = 1; !FLeitor.rExtrai(2, "infNF", "", n).empty(); ++n)
        LerInfNF(c, doc.infNF.New());
    for (int n = 1; !FLeitor.rExtrai(2, "infOutros", "", n).empty(); ++n)
        LerInfOutros(c, doc.infOutros.New());
}

void TCTeR::LerDocAnt()
{
    if (FLeitor.rExtrai(2, "docAnt").empty())
        return;
    const Campos c(FLeitor);
    const bool chCTe = Versao() >= 3.0;
    for (int i = 1; !FLeitor.rExtrai(3, "emiDocAnt", "", i).empty(); ++i) {
        TEmiDocAntCollectionItem &emi = FCTe.infCTeNorm.docAnt.emiDocAnt.New();
        emi.CNPJCPF = c.CNPJCPF();
        emi.IE = c.Str("IE");
        emi.UF = c.Str("UF");
        emi.xNome = c.Str("xNome");
        for (int j = 1; !FLeitor.rExtrai(4, "idDocAnt", "", j).empty(); ++j) {
            TIdDocAntCollectionItem &id = emi.idDocAnt.New();
            for (int k = 1; !FLeitor.rExtrai(5, "idDocAntPap", "", k).empty(); ++k) {
                TIdDocAntPapCollectionItem &p = id.idDocAntPap.New();
                p.tpDoc = Campos::Codigo(StrToTpDocumentoAnterior, c.Str("tpDoc"));
                p.serie = c.Str("serie");
                p.subser = c.Str("subser");
                p.nDoc = c.Str("nDoc");
                p.dEmi = c.Data("dEmi");
            }
            for (int k = 1; !FLeitor.rExtrai(5, "idDocAntEle", "", k).empty(); ++k) {
                TIdDocAntEleCollectionItem &e = id.idDocAntEle.New();
                if (chCTe)
                    e.chCTe = c.Str("chCTe");
                else
                    e.chave = c.Str("chave");
            }
        }
    }
}

void TCTeR::LerSeguros()
{
    const Campos c(FLeitor);
    for (int n = 1; !FLeitor.rExtrai(2, "seg", "", n).empty(); ++n) {
        TSegCollectionItem &s = FCTe.infCTeNorm.seg.New();
        s.respSeg = Campos::Codigo(StrToTpRspSeguro, c.Str("respSeg"));
        s.xSeg = c.Str("xSeg");
        s.nApol = c.Str("nApol");
        s.nAver = c.Str("nAver");
        s.vCarga = c.Cur("vCarga");
    }
}

void TCTeR::LerPerigososVeiculos()
{
    const Campos c(FLeitor);
    TInfCTeNorm &norm = FCTe.infCTeNorm;
    for (int n = 1; !FLeitor.rExtrai(2, "peri", "", n).empty(); ++n) {
        TPeriCollectionItem &p = norm.peri.New();
        p.nONU = c.Str("nONU");
        p.xNomeAE = c.Str("xNomeAE");
        p.xClaRisco = c.Str("xClaRisco");
        p.grEmb = c.Str("grEmb");
        p.qTotProd = c.Str("qTotProd");
        p.qVolTipo = c.Str("qVolTipo");
        p.pontoFulgor = c.Str("pontoFulgor");
        p.qTotEmb = c.Str("qTotEmb");
        p.uniAP = Campos::Codigo(StrToUniMed, c.Str("uniAP"));
    }
    for (int n = 1; !FLeitor.rExtrai(2, "veicNovos", "", n).empty(); ++n) {
        TVeicNovosCollectionItem &v = norm.veicNovos.New();
        v.chassi = c.Str("chassi");
        v.cCor = c.Str("cCor");
        v.xCor = c.Str("xCor");
        v.cMod = c.Str("cMod");
        v.vUnit = c.Cur("vUnit");
        v.vFrete = c.Cur("vFrete");
    }
}

void TCTeR::LerCobranca()
{
    if (FLeitor.rExtrai(2, "cobr").empty())
        return;
    const Campos c(FLeitor);
    TCobr &cobr = FCTe.infCTeNorm.cobr;
    cobr.fat.nFat = c.Str("nFat");
    cobr.fat.vOrig = c.Cur("vOrig");
    cobr.fat.vDesc = c.Cur("vDesc");
    cobr.fat.vLiq = c.Cur("vLiq");
    for (int n = 1; !FLeitor.rExtrai(3, "dup", "", n).empty(); ++n) {
        TDupCollectionItem &d = cobr.dup.New();
        d.nDup = c.Str("nDup");
        d.dVenc = c.Data("dVenc");
        d.vDup = c.Cur("vDup");
    }
}

void TCTeR::LerSubstituicao()
{
    if (FLeitor.rExtrai(2, "infCteSub").empty())
        return;
    const Campos c(FLeitor);
    TInfCteSub &sub = FCTe.infCTeNorm.infCteSub;
    sub.chCte = c.Str("chCte");
    if (Versao() >= 3.0)
        sub.refCteAnu = c.Str("refCteAnu");
    if (const std::string ind = c.Str("indAlteraToma"); !ind.empty())
        sub.indAlteraToma = Campos::Codigo(dfe::StrToTIndicador, ind);
    if (!FLeitor.rExtrai(3, "tomaICMS").empty()) {
        sub.tomaICMS.refNFe = c.Str("refNFe");
        sub.tomaICMS.refCte = c.Str("refCte");
        if (!FLeitor.rExtrai(4, "refNF").empty()) {
            TRefNF &r = sub.tomaICMS.refNF;
            r.CNPJCPF = c.CNPJCPF();
            r.modelo = c.Str("mod");
            r.serie = c.Int("serie");
            r.subserie = c.Int("subserie");
            r.nro = c.Int("nro");
            r.valor = c.Cur("valor");
            r.dEmi = c.Data("dEmi");
        }
    }
    if (!FLeitor.rExtrai(3, "tomaNaoICMS").empty())
        sub.tomaNaoICMS.refCteAnu = c.Str("refCteAnu");
}

void TCTeR::LerGlobalizadoServVinc()
{
    const Campos c(FLeitor);
    TInfCTeNorm &norm = FCTe.infCTeNorm;
    if (!FLeitor.rExtrai(2, "infGlobalizado").empty())
        norm.infGlobalizado.xObs = c.Str("xObs");
    if (FLeitor.rExtrai(2, "infServVinc").empty())
        return;
    for (int n = 1; !FLeitor.rExtrai(3, "infCTeMultimodal", "", n).empty(); ++n)
        norm.infServVinc.infCTeMultimodal.New().chCTeMultimodal = c.Str("chCTeMultimodal");
}

} // namespace cte

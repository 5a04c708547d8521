// The documents whose cargo the CT-e carries (paper invoices, NF-e and other documents, each
// with its units of transport, units of cargo and seals) and the previous transport
// documents.

#include "cte/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/codes_transport.h"
#include "dfe/helpers.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcDe3;
using dfe::tcEsp;
using dfe::tcInt;
using dfe::tcStr;


constexpr std::string_view DscPIN = "Inscrição na SUFRAMA";
constexpr std::string_view DscDPrev = "Data prevista de entrega";
constexpr std::string_view DscLacre = "Número dos Lacres";
constexpr std::string_view DscTpUnidCarga = "Tipo de Unidade de Carga";
constexpr std::string_view DscIdUnidCarga = "Identificação da Unidade de Carga";
constexpr std::string_view DscQtdRat = "Quantidade Rateada";

// The IDs of the units subtree; each document kind numbers it from its own base, in the
// order of the rows: infUnidTransp, tpUnidTransp, idUnidTransp, lacUnidTransp, nLacre,
// infUnidCarga, tpUnidCarga, idUnidCarga, lacUnidCarga, nLacre, qtdRat (cargo), qtdRat
// (transport), then the document's own infUnidCarga, tpUnidCarga, idUnidCarga,
// lacUnidCarga, nLacre, qtdRat.
struct IdsUnidades {
    int base;
    std::string operator()(int linha) const { return "#" + util::IntToStrZero(base + linha - 1, 3); }
};

void Lacres(dfe::TGerador &g, const TLacreCollection &lacres, std::string_view tag,
            const std::string &idGrupo, const std::string &idLacre)
{
    for (int i = 0; i < lacres.Count(); ++i) {
        g.wGrupo(tag, idGrupo);
        g.wCampo(tcStr, idLacre, "nLacre", 1, 20, 1, lacres.Items(i).nLacre, DscLacre);
        g.wGrupo("/" + std::string(tag));
    }
}

// One unit of cargo; `linha` is the row of its group (6 inside a unit of transport, 13 as a
// direct child of the document).
void UnidCarga(dfe::TGerador &g, const TinfUnidCargaCollectionItem &u, IdsUnidades id, int linha)
{
    const bool direta = linha == 13;
    g.wGrupo("infUnidCarga", id(linha));
    g.wCampo(tcStr, id(linha + 1), "tpUnidCarga", 1, 1, 1, dfe::UnidCargaToStr(u.tpUnidCarga),
             DscTpUnidCarga);
    g.wCampo(tcStr, id(linha + 2), "idUnidCarga", 1, 20, 1, u.idUnidCarga, DscIdUnidCarga);
    Lacres(g, u.lacUnidCarga, "lacUnidCarga", id(linha + 3), id(linha + 4));
    g.wCampo(tcDe2, id(direta ? 18 : 11), "qtdRat", 1, 5, 0, u.qtdRat, DscQtdRat);
    g.wGrupo("/infUnidCarga");
}

template <class TLista>
void Unidades(dfe::TGerador &g, const TLista &transp, const TinfUnidCargaCollection &carga,
              IdsUnidades id)
{
    for (int i = 0; i < transp.Count(); ++i) {
        const TinfUnidTranspCollectionItem &t = transp.Items(i);
        g.wGrupo("infUnidTransp", id(1));
        g.wCampo(tcStr, id(2), "tpUnidTransp", 1, 1, 1, dfe::UnidTranspToStr(t.tpUnidTransp),
                 "Tipo de Unidade de Transporte");
        g.wCampo(tcStr, id(3), "idUnidTransp", 1, 20, 1, t.idUnidTransp,
                 "Identificação da Unidade de Transporte");
        Lacres(g, t.lacUnidTransp, "lacUnidTransp", id(4), id(5));
        for (int j = 0; j < t.infUnidCarga.Count(); ++j)
            UnidCarga(g, t.infUnidCarga.Items(j), id, 6);
        g.wCampo(tcDe2, id(12), "qtdRat", 1, 5, 0, t.qtdRat, DscQtdRat);
        g.wGrupo("/infUnidTransp");
    }
    for (int i = 0; i < carga.Count(); ++i)
        UnidCarga(g, carga.Items(i), id, 13);
}

template <class C>
bool PINInvalido(const C &c)
{
    return c.w.Opcoes().ValidarInscricoes && !rtl::Trim(c.m.PIN).empty() &&
           !dfe::ValidarISUF(c.m.PIN);
}

// ---- infNF -------------------------------------------------------------------------------

using CNF = Ctx<TInfNFCollectionItem>;
using LNF = Linha<CNF>;
constexpr LNF kInfNF[] = {
    {"#263", "nRoma", tcStr, 1, 20, 0, Membro<&TInfNFCollectionItem::nRoma>, Sempre,
     "Numero do Romaneio"},
    {"#264", "nPed", tcStr, 1, 20, 0, Membro<&TInfNFCollectionItem::nPed>, Sempre,
     "Numero do Pedido"},
    {"#265", "mod", tcStr, 2, 2, 1, CodigoDe<&TInfNFCollectionItem::modelo, dfe::ModeloNFToStr>,
     Sempre, "Modelo"},
    {"#266", "serie", tcStr, 1, 3, 1, Membro<&TInfNFCollectionItem::serie>, Sempre,
     "Série do Documento Fiscal"},
    {"#267", "nDoc", tcEsp, 1, 20, 1, DigitosDe<&TInfNFCollectionItem::nDoc>, Sempre,
     "Número da Nota Fiscal"},
    {"#268", "dEmi", tcDat, 10, 10, 1, DataDe<&TInfNFCollectionItem::dEmi>, Sempre,
     "Data de emissão"},
    {"#269", "vBC", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vBC>, Sempre, "BC do ICMS"},
    {"#270", "vICMS", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vICMS>, Sempre,
     "Valor do ICMS"},
    {"#271", "vBCST", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vBCST>, Sempre,
     "Valor da BC do ICMS ST"},
    {"#272", "vST", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vST>, Sempre,
     "Valor TOTAL Icms substituição Tributária"},
    {"#273", "vProd", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vProd>, Sempre,
     "Valor Total Bruto dos Produtos ou Serviços"},
    {"#274", "vNF", tcDe2, 1, 15, 1, Membro<&TInfNFCollectionItem::vNF>, Sempre,
     "Valor Total do DF-e"},
    {"#275", "nCFOP", tcInt, 4, 4, 1, Membro<&TInfNFCollectionItem::nCFOP>, Sempre, "CFOP"},
    {"#276", "nPeso", tcDe3, 1, 15, 0, Membro<&TInfNFCollectionItem::nPeso>, Sempre, "Peso"},
    {"#277", "PIN", tcStr, 2, 9, 0, Membro<&TInfNFCollectionItem::PIN>, Sempre, DscPIN},
    LNF::Alerta("#277", "PIN", DscPIN, [](const CNF &c) { return PINInvalido(c); },
                ConteudoInvalido),
    {"#278", "dPrev", tcDat, 10, 10, 0, DataDe<&TInfNFCollectionItem::dPrev>, Sempre, DscDPrev},
    LNF::Codigo([](dfe::TGerador &g, const CNF &c) {
        Unidades(g, c.m.infUnidTransp, c.m.infUnidCarga, IdsUnidades{279});
    }),
};

// ---- infNFe ------------------------------------------------------------------------------

constexpr std::string_view DscChaveNFe = "Chave de acesso das NF-e referenciadas";

using CNFe = Ctx<TInfNFeCollectionItem>;
using LNFe = Linha<CNFe>;
constexpr LNFe kInfNFe[] = {
    {"#298", "chave", tcEsp, 44, 44, 1, DigitosDe<&TInfNFeCollectionItem::chave>, Sempre,
     DscChaveNFe},
    LNFe::Alerta("#298", "chave", DscChaveNFe,
                 [](const CNFe &c) {
                     return !util::OnlyNumber(c.m.chave).empty() && !dfe::ValidarChave(c.m.chave);
                 },
                 ConteudoInvalido),
    {"#299", "PIN", tcStr, 2, 9, 0, Membro<&TInfNFeCollectionItem::PIN>, Sempre, DscPIN},
    LNFe::Alerta("#299", "PIN", DscPIN, [](const CNFe &c) { return PINInvalido(c); },
                 ConteudoInvalido),
    {"#300", "dPrev", tcDat, 10, 10, 0, DataDe<&TInfNFeCollectionItem::dPrev>, Sempre, DscDPrev},
    LNFe::Codigo([](dfe::TGerador &g, const CNFe &c) {
        Unidades(g, c.m.infUnidTransp, c.m.infUnidCarga, IdsUnidades{301});
    }),
};

// ---- infOutros ---------------------------------------------------------------------------

using COutros = Ctx<TInfOutrosCollectionItem>;
using LOutros = Linha<COutros>;
constexpr LOutros kInfOutros[] = {
    {"#320", "tpDoc", tcStr, 2, 2, 1, CodigoDe<&TInfOutrosCollectionItem::tpDoc, TpDocumentoToStr>,
     Sempre, "Tipo de documento originário"},
    {"#321", "descOutros", tcStr, 1, 100, 0, Membro<&TInfOutrosCollectionItem::descOutros>,
     Sempre, "Descrição"},
    {"#322", "nDoc", tcStr, 1, 20, 0, Membro<&TInfOutrosCollectionItem::nDoc>, Sempre, "Número"},
    {"#323", "dEmi", tcDat, 10, 10, 0, DataDe<&TInfOutrosCollectionItem::dEmi>, Sempre,
     "Data de emissão"},
    {"#324", "vDocFisc", tcDe2, 1, 15, 0, Membro<&TInfOutrosCollectionItem::vDocFisc>, Sempre,
     "Valor do documento"},
    {"#325", "dPrev", tcDat, 10, 10, 0, DataDe<&TInfOutrosCollectionItem::dPrev>, Sempre,
     DscDPrev},
    LOutros::Codigo([](dfe::TGerador &g, const COutros &c) {
        Unidades(g, c.m.infUnidTransp, c.m.infUnidCarga, IdsUnidades{326});
    }),
};

// ---- docAnt -----------------------------------------------------------------------------

constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscUF = "Sigla da UF";
constexpr std::string_view DscChaveAnt = "Chave de acesso do CT-e referenciado";
constexpr int MaxIdDocAnt = 2;
// This limit's message states it with two digits.
constexpr std::string_view LimiteIdDocAnt =
    "Número de ocorrências maior que o máximo permitido - Máximo 02";

using CPap = Ctx<TIdDocAntPapCollectionItem>;
using LPap = Linha<CPap>;
constexpr LPap kIdDocAntPap[] = {
    {"#353", "tpDoc", tcStr, 2, 2, 1,
     CodigoDe<&TIdDocAntPapCollectionItem::tpDoc, TpDocumentoAnteriorToStr>, Sempre,
     "Tipo do Documento Fiscal"},
    {"#354", "serie", tcStr, 1, 3, 1, Membro<&TIdDocAntPapCollectionItem::serie>, Sempre,
     "Série do Documento Fiscal"},
    {"#355", "subser", tcStr, 1, 2, 0, Membro<&TIdDocAntPapCollectionItem::subser>, Sempre,
     "Série do Documento Fiscal"},
    {"#356", "nDoc", tcStr, 1, 30, 1, Membro<&TIdDocAntPapCollectionItem::nDoc>, Sempre,
     "Número do Documento Fiscal"},
    {"#357", "dEmi", tcDat, 10, 10, 1, DataDe<&TIdDocAntPapCollectionItem::dEmi>, Sempre,
     "Data de emissão"},
};

bool ChaveInvalida(const std::string &chave)
{
    return !util::OnlyNumber(chave).empty() && !dfe::ValidarChave(chave);
}

// The electronic document's key is chCTe from layout 3.00 on and chave before it.
using CEle = Ctx<TIdDocAntEleCollectionItem>;
using LEle = Linha<CEle>;
constexpr LEle kIdDocAntEle[] = {
    {"#359", "chCTe", tcStr, 44, 44, 1, DigitosDe<&TIdDocAntEleCollectionItem::chCTe>, De300,
     "Chave do CTe"},
    LEle::Alerta("#359", "chCTe", DscChaveAnt,
                 [](const CEle &c) {
                     return c.versao >= 3.0 && ChaveInvalida(c.m.chCTe);
                 },
                 ConteudoInvalido),
    {"#359", "chave", tcStr, 44, 44, 1, DigitosDe<&TIdDocAntEleCollectionItem::chave>, Antes300,
     "Chave do CTe"},
    LEle::Alerta("#359", "chave", DscChaveAnt,
                 [](const CEle &c) {
                     return c.versao < 3.0 && ChaveInvalida(c.m.chave);
                 },
                 ConteudoInvalido),
};

using CIdDocAnt = Ctx<TIdDocAntCollectionItem>;
using LIdDocAnt = Linha<CIdDocAnt>;
constexpr LIdDocAnt kIdDocAnt[] = {
    LIdDocAnt::Codigo([](dfe::TGerador &, const CIdDocAnt &c) {
        Repetir(c.w, c.m.idDocAntPap, "idDocAntPap", "#352", kIdDocAntPap,
              "Documentos de transporte anterior de Papel");
        Repetir(c.w, c.m.idDocAntEle, "idDocAntEle", "#358", kIdDocAntEle,
              "Documentos de transporte anterior eletrônicos");
    }),
};

// "ISENTO" is written as the document holds it; any other registration by its digits.
constexpr auto IEIsento = [](const auto &c) { return rtl::Trim(c.m.IE) == "ISENTO"; };

using CEmi = Ctx<TEmiDocAntCollectionItem>;
using LEmi = Linha<CEmi>;
constexpr LEmi kEmiDocAnt[] = {
    LEmi::Codigo([](dfe::TGerador &g, const CEmi &c) {
        g.wCampoCNPJCPF("#346", "#347", c.m.CNPJCPF);
    }),
    {"#348", "IE", tcStr, 0, 14, 1, Membro<&TEmiDocAntCollectionItem::IE>, IEIsento, DscIE},
    {"#348", "IE", tcStr, 2, 14, 1, DigitosDe<&TEmiDocAntCollectionItem::IE>,
     [](const CEmi &c) { return !IEIsento(c); }, DscIE},
    LEmi::Alerta("#348", "IE", DscIE,
                 [](const CEmi &c) {
                     return c.w.Opcoes().ValidarInscricoes && !dfe::ValidarIE(c.m.IE, c.m.UF);
                 },
                 ConteudoInvalido),
    {"#349", "UF", tcStr, 2, 2, 1, Membro<&TEmiDocAntCollectionItem::UF>, Sempre, DscUF},
    LEmi::Alerta("#349", "UF", DscUF, [](const CEmi &c) { return !dfe::ValidarUF(c.m.UF); },
                 ConteudoInvalido),
    {"#350", "xNome", tcStr, 2, 60, 1, Membro<&TEmiDocAntCollectionItem::xNome>, Sempre,
     "Razão Social ou Nome"},
    LEmi::Codigo([](dfe::TGerador &g, const CEmi &c) {
        for (int i = 0; i < c.m.idDocAnt.Count(); ++i)
            EscreverGrupo(g, "idDocAnt", "#351", kIdDocAnt, Contexto(c.w, c.m.idDocAnt.Items(i)));
        if (c.m.idDocAnt.Count() > MaxIdDocAnt)
            g.wAlerta("#351", "idDocAnt", "Documentos de transporte anterior",
                      LimiteIdDocAnt);
    }),
};

} // namespace

void TCTeW::GerarInfNF()
{
    Repetir(*this, FCTe.infCTeNorm.infDoc.infNF, "infNF", "#262", kInfNF,
          "Informações da Nota Fiscal");
}

void TCTeW::GerarInfNFe()
{
    Repetir(*this, FCTe.infCTeNorm.infDoc.infNFe, "infNFe", "#297", kInfNFe,
          "Informações da Nota Fiscal Eletrônica");
}

void TCTeW::GerarInfOutros()
{
    Repetir(*this, FCTe.infCTeNorm.infDoc.infOutros, "infOutros", "#319", kInfOutros,
          "informações dos demais documentos");
}

void TCTeW::GerarDocAnt()
{
    FGerador.wGrupo("docAnt", "#344");
    Repetir(*this, FCTe.infCTeNorm.docAnt.emiDocAnt, "emiDocAnt", "#345", kEmiDocAnt,
          "Emissor do documento anterior");
    FGerador.wGrupo("/docAnt");
}

} // namespace cte

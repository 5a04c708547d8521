// Payment, additional data, export, purchase, cane supply and the technical responsible.
// Each group is a table of rows in the layout's order; the repeated groups are written
// once per list item, and a list over its limit adds one alert after its last item.

#include "nfe/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/codes_transport.h"
#include "dfe/helpers.h"
#include "rtl/text.h"
#include "util/encoding.h"

namespace nfe {

using namespace linhas;

namespace {

using dfe::tcDe10;
using dfe::tcDe2;
using dfe::tcInt;
using dfe::tcStr;

// The opening of a group that carries its field name as the xCampo attribute. The name
// is escaped: an '&' or a '"' read from a valid file must give valid XML again.
std::string AberturaComCampo(std::string_view grupo, std::string_view xCampo)
{
    std::string abertura(grupo);
    abertura += " xCampo=\"";
    abertura += util::EscaparTextoXML(xCampo);
    abertura += '"';
    return abertura;
}

bool ECartao(dfe::TpcnFormaPagamento tPag)
{
    return tPag == dfe::fpCartaoCredito || tPag == dfe::fpCartaoDebito;
}

// ---- pag ---------------------------------------------------------------------------

using Lpag = Linha<Ctx<TpagCollectionItem>>;

constexpr Lpag kcard[] = {
    {"YA04a", "tpIntegra", tcStr, 1, 1, 1, CodigoDe<&TpagCollectionItem::tpIntegra, dfe::tpIntegraToStr>,
     Sempre, "Tipo de Integração para pagamento"},
    {"YA05", "CNPJ", tcStr, 14, 14, 0, Membro<&TpagCollectionItem::CNPJ>,
     [](const Ctx<TpagCollectionItem> &c) { return !c.m.CNPJ.empty(); }, "CNPJ(MF)"},
    {"YA06", "tBand", tcStr, 2, 2, 0, CodigoDe<&TpagCollectionItem::tBand, dfe::BandeiraCartaoToStr>,
     [](const Ctx<TpagCollectionItem> &c) { return !c.m.CNPJ.empty(); },
     "Bandeira da Operadora de Cartão"},
    {"YA07", "cAut", tcStr, 1, 20, 0, Membro<&TpagCollectionItem::cAut>,
     [](const Ctx<TpagCollectionItem> &c) { return !c.m.CNPJ.empty(); }, "Número da Autorização"},
};

// One payment: a detPag entry from layout 4.00 on, a pag group of its own before.
constexpr Lpag kpag[] = {
    {"YA01b", "indPag", tcStr, 1, 1, 0, CodigoDe<&TpagCollectionItem::indPag, dfe::IndpagToStr>,
     De400, "Indicador da forma de pagamento"},
    // The code the document was read with when the table did not know it ("77" read as
    // fpOutro): writing "99" instead would state another form of payment than the document did.
    {"YA02", "tPag", tcStr, 2, 2, 1,
     [](const Ctx<TpagCollectionItem> &c) -> rtl::Variant {
         if (c.m.tPag == dfe::fpOutro && !c.m.tPagNaoListado.empty())
             return c.m.tPagNaoListado;
         return dfe::FormaPagamentoToStr(c.m.tPag);
     },
     Sempre, "Forma de Pagamento"},
    {"YA03", "vPag", tcDe2, 1, 15, 1, Membro<&TpagCollectionItem::vPag>, Sempre,
     "Valor do Pagamento"},
    Lpag::Grupo("card", "YA04", kcard, [](const Ctx<TpagCollectionItem> &c) {
        return ECartao(c.m.tPag) && (!c.m.CNPJ.empty() || c.m.tpIntegra != dfe::tiNaoInformado);
    }),
};

// The change closes the pag group of layout 4.00.
using LpagFim = Linha<Ctx<TpagCollection>>;
constexpr LpagFim kpagFim[] = {
    {"YA09", "vTroco", tcDe2, 1, 15, 0, Membro<&TpagCollection::vTroco>, Sempre,
     "Valor do Pagamento"},
};

// ---- infAdic -----------------------------------------------------------------------

using LInfAdic = Linha<Ctx<TInfAdic>>;
constexpr LInfAdic kInfAdic[] = {
    {"Z02", "infAdFisco", tcStr, 1, 2000, 0, Membro<&TInfAdic::infAdFisco>, Sempre,
     "Informações adicionais de interesse do Fisco"},
    {"Z03", "infCpl", tcStr, 1, 5000, 0, Membro<&TInfAdic::infCpl>, Sempre,
     "Informações complementares de interesse do contribuinte"},
    LInfAdic::Codigo([](dfe::TGerador &, const Ctx<TInfAdic> &c) {
        c.w.GerarInfAdicObsCont();
        c.w.GerarInfAdicObsFisco();
        c.w.GerarInfAdicProcRef();
    }),
};

// The checks of an observation's field name (the attribute has no leaf of its own to
// raise them): at most 20 characters once trimmed, and not empty.
constexpr auto NomeLongo = [](const auto &c) { return rtl::Length(rtl::Trim(c.m.xCampo)) > 20; };
constexpr auto NomeVazio = [](const auto &c) { return rtl::Trim(c.m.xCampo).empty(); };

using LobsCont = Linha<Ctx<TobsContCollectionItem>>;
constexpr LobsCont kobsCont[] = {
    LobsCont::Alerta("Z05", "xCampo", "Identificação do Campo", NomeLongo,
                     "Tamanho maior que o máximo permitido"),
    LobsCont::Alerta("Z05", "xCampo", "Identificação do Campo", NomeVazio, "Nenhum valor informado"),
    {"Z06", "xTexto", tcStr, 1, 60, 1, Membro<&TobsContCollectionItem::xTexto>, Sempre,
     "Conteúdo do Campo"},
};

using LobsFisco = Linha<Ctx<TobsFiscoCollectionItem>>;
constexpr LobsFisco kobsFisco[] = {
    LobsFisco::Alerta("Z08", "xCampo", "Identificação do Campo", NomeLongo,
                      "Tamanho maior que o máximo permitido"),
    LobsFisco::Alerta("Z08", "xCampo", "Identificação do Campo", NomeVazio, "Nenhum valor informado"),
    {"Z09", "xTexto", tcStr, 1, 60, 1, Membro<&TobsFiscoCollectionItem::xTexto>, Sempre,
     "Conteúdo do Campo"},
};

using LprocRef = Linha<Ctx<TprocRefCollectionItem>>;
constexpr LprocRef kprocRef[] = {
    {"Z11", "nProc", tcStr, 1, 60, 1, Membro<&TprocRefCollectionItem::nProc>, Sempre,
     "Identificador do processo ou ato concessório"},
    {"Z12", "indProc", tcStr, 1, 1, 1, CodigoDe<&TprocRefCollectionItem::indProc, dfe::indProcToStr>,
     Sempre, "Indicador da origem do processo"},
};

// ---- exporta, compra ---------------------------------------------------------------

constexpr std::string_view DscUFEmbarque = "Sigla da UF onde ocorrerá o embarque dos produtos";
constexpr std::string_view DscLocalEmbarque = "Local onde ocorrerá o embarque dos produtos";

// Layout 3.10 renamed the fields; each layout writes only its own pair.
using LExporta = Linha<Ctx<TExporta>>;
constexpr LExporta kExporta[] = {
    {"ZA02", "UFSaidaPais", tcStr, 2, 2, 1, Membro<&TExporta::UFSaidaPais>, De310, DscUFEmbarque},
    LExporta::Alerta("ZA02", "UFSaidaPais", DscUFEmbarque,
                     [](const Ctx<TExporta> &c) {
                         return c.versao >= 3.1 && !dfe::ValidarUF(c.m.UFSaidaPais);
                     },
                     ConteudoInvalido),
    {"ZA03", "xLocExporta", tcStr, 1, 60, 1, Membro<&TExporta::xLocExporta>, De310,
     DscLocalEmbarque},
    {"ZA04", "xLocDespacho", tcStr, 1, 60, 0, Membro<&TExporta::xLocDespacho>, De310,
     "Local de Despacho"},
    {"ZA02", "UFEmbarq", tcStr, 2, 2, 1, Membro<&TExporta::UFembarq>, Antes310, DscUFEmbarque},
    LExporta::Alerta("ZA02", "UFEmbarq", DscUFEmbarque,
                     [](const Ctx<TExporta> &c) {
                         return c.versao < 3.1 && !dfe::ValidarUF(c.m.UFembarq);
                     },
                     ConteudoInvalido),
    {"ZA03", "xLocEmbarq", tcStr, 1, 60, 1, Membro<&TExporta::xLocEmbarq>, Antes310,
     DscLocalEmbarque},
};

using LCompra = Linha<Ctx<TCompra>>;
constexpr LCompra kCompra[] = {
    {"ZB02", "xNEmp", tcStr, 1, 22, 0, Membro<&TCompra::xNEmp>, Sempre, "Nota de Empenho"},
    {"ZB03", "xPed", tcStr, 1, 60, 0, Membro<&TCompra::xPed>, Sempre, "Pedido"},
    {"ZB04", "xCont", tcStr, 1, 60, 0, Membro<&TCompra::xCont>, Sempre, "Contrato"},
};

// ---- cana --------------------------------------------------------------------------

using LCana = Linha<Ctx<TCana>>;
constexpr LCana kCana[] = {
    {"ZC02", "safra", tcStr, 4, 9, 0, Membro<&TCana::safra>, Sempre, "Identificação da safra"},
    {"ZC03", "ref", tcStr, 4, 9, 0, Membro<&TCana::ref>, Sempre, "Mês e ano de referência"},
    LCana::Codigo([](dfe::TGerador &, const Ctx<TCana> &c) { c.w.GerarforDia(); }),
    {"ZC07", "qTotMes", tcDe10, 1, 21, 1, Membro<&TCana::qTotMes>, Sempre,
     "Quantidade Total do Mês"},
    {"ZC08", "qTotAnt", tcDe10, 1, 21, 1, Membro<&TCana::qTotAnt>, Sempre,
     "Quantidade Total Anterior"},
    {"ZC09", "qTotGer", tcDe10, 1, 21, 1, Membro<&TCana::qTotGer>, Sempre,
     "Quantidade Total Geral"},
    LCana::Codigo([](dfe::TGerador &, const Ctx<TCana> &c) { c.w.GerarDeduc(); }),
    {"ZC13", "vFor", tcDe2, 1, 15, 1, Membro<&TCana::vFor>, Sempre, "Valor dos Fornecimentos"},
    {"ZC14", "vTotDed", tcDe2, 1, 15, 1, Membro<&TCana::vTotDed>, Sempre, "Valor Total da Dedução"},
    {"ZC15", "vLiqFor", tcDe2, 1, 15, 1, Membro<&TCana::vLiqFor>, Sempre,
     "Valor Líquido dos Fornecimentos"},
};

using LforDia = Linha<Ctx<TForDiaCollectionItem>>;
constexpr LforDia kforDia[] = {
    {"ZC06", "qtde", tcDe10, 11, 21, 1, Membro<&TForDiaCollectionItem::qtde>, Sempre, "Quantidade"},
};

using Ldeduc = Linha<Ctx<TDeducCollectionItem>>;
constexpr Ldeduc kdeduc[] = {
    {"ZC11", "xDed", tcStr, 1, 60, 1, Membro<&TDeducCollectionItem::xDed>, Sempre,
     "Descrição da Dedução"},
    {"ZC12", "vDed", tcDe2, 1, 15, 1, Membro<&TDeducCollectionItem::vDed>, Sempre,
     "Valor da Dedução"},
};

// ---- infRespTec --------------------------------------------------------------------

// The security code comes from the writer's settings, never from the model: the hash
// binds it to this generation's key.
constexpr auto ComCSRT = [](const Ctx<TinfRespTec> &c) {
    return c.w.IdCSRT != 0 && !c.w.CSRT.empty();
};

using LinfRespTec = Linha<Ctx<TinfRespTec>>;
constexpr LinfRespTec kinfRespTec[] = {
    LinfRespTec::Codigo([](dfe::TGerador &g, const Ctx<TinfRespTec> &c) {
        g.wCampoCNPJ("#082", c.m.CNPJ, 1058, true);
    }),
    {"#083", "xContato", tcStr, 2, 60, 1, Membro<&TinfRespTec::xContato>, Sempre,
     "Nome do Contato"},
    {"#084", "email", tcStr, 6, 60, 1, Membro<&TinfRespTec::email>, Sempre, "Endereço de Email"},
    {"#085", "fone", tcStr, 7, 12, 1, Membro<&TinfRespTec::fone>, Sempre, "Telefone"},
    {"#086", "idCSRT", tcInt, 2, 2, 1,
     [](const Ctx<TinfRespTec> &c) -> rtl::Variant { return c.w.IdCSRT; }, ComCSRT,
     "Identificador CSRT - Código de Segurança do Responsável Técnico"},
    {"#087", "hashCSRT", tcStr, 28, 28, 1,
     [](const Ctx<TinfRespTec> &c) -> rtl::Variant {
         return dfe::CalcularHashCSRT(c.w.CSRT, c.w.ChaveNFe());
     },
     ComCSRT, "Hash do CSRT - Código de Segurança do Responsável Técnico"},
};

} // namespace

// ---- pag ---------------------------------------------------------------------------

void TNFeW::Gerarpag()
{
    constexpr int Maximo = 100;
    const TpagCollection &lista = FNFe.pag;
    // From layout 4.00 the payments are detPag entries of one pag group, which ends with
    // the change; before it each payment is a pag group of its own.
    const bool detalhado = FNFe.infNFe.GetVersao() >= 4.0;

    if (detalhado)
        FGerador.wGrupo("pag", "YA01");
    for (const TpagCollectionItem &p : lista) {
        if (detalhado)
            EscreverGrupo(FGerador, "detPag", "YA01a", kpag, Contexto(*this, p));
        else
            EscreverGrupo(FGerador, "pag", "YA01", kpag, Contexto(*this, p));
    }
    if (detalhado) {
        Escrever(FGerador, kpagFim, Contexto(*this, lista));
        FGerador.wGrupo("/pag");
    }

    if (lista.Count() > Maximo)
        FGerador.wAlerta("YA01", "pag", "", MensagemLimiteOcorrencias(Maximo));
}

// ---- infAdic -----------------------------------------------------------------------

void TNFeW::GerarInfAdic()
{
    const TInfAdic &a = FNFe.InfAdic;
    if (!(Preenchido(a.infAdFisco) || Preenchido(a.infCpl) || a.obsCont.Count() > 0 ||
          a.obsFisco.Count() > 0 || a.procRef.Count() > 0))
        return;
    EscreverGrupo(FGerador, "infAdic", "Z01", kInfAdic, Contexto(*this, a));
}

void TNFeW::GerarInfAdicObsCont()
{
    constexpr int Maximo = 10;
    const TobsContCollection &lista = FNFe.InfAdic.obsCont;
    if (lista.Count() > Maximo)
        FGerador.wAlerta("Z04", "obsCont", "Observações de interesse do contribuite",
                         MensagemLimiteOcorrencias(Maximo));

    for (const TobsContCollectionItem &o : lista) {
        // The taxpayer's field name keeps its blanks.
        FGerador.wGrupo(AberturaComCampo("obsCont", o.xCampo), "Z04");
        Escrever(FGerador, kobsCont, Contexto(*this, o));
        FGerador.wGrupo("/obsCont");
    }
}

void TNFeW::GerarInfAdicObsFisco()
{
    constexpr int Maximo = 10;
    const TobsFiscoCollection &lista = FNFe.InfAdic.obsFisco;
    if (lista.Count() > Maximo)
        FGerador.wAlerta("Z07", "obsFisco", "Observações de interesse do fisco",
                         MensagemLimiteOcorrencias(Maximo));

    for (const TobsFiscoCollectionItem &o : lista) {
        FGerador.wGrupo(AberturaComCampo("obsFisco", rtl::Trim(o.xCampo)), "Z07");
        Escrever(FGerador, kobsFisco, Contexto(*this, o));
        FGerador.wGrupo("/obsFisco");
    }
}

void TNFeW::GerarInfAdicProcRef()
{
    for (const TprocRefCollectionItem &p : FNFe.InfAdic.procRef)
        EscreverGrupo(FGerador, "procRef", "Z10", kprocRef, Contexto(*this, p));
}

// ---- exporta, compra ---------------------------------------------------------------

void TNFeW::GerarExporta()
{
    const TExporta &e = FNFe.exporta;
    const bool presente = FNFe.infNFe.GetVersao() >= 3.1
                              ? (Preenchido(e.UFSaidaPais) || Preenchido(e.xLocExporta))
                              : (!e.UFembarq.empty() || !e.xLocEmbarq.empty());
    if (presente)
        EscreverGrupo(FGerador, "exporta", "ZA01", kExporta, Contexto(*this, e));
}

void TNFeW::GerarCompra()
{
    const TCompra &c = FNFe.compra;
    if (!(Preenchido(c.xNEmp) || Preenchido(c.xPed) || Preenchido(c.xCont)))
        return;
    EscreverGrupo(FGerador, "compra", "ZB01", kCompra, Contexto(*this, c));
}

// ---- cana --------------------------------------------------------------------------

void TNFeW::GerarCana()
{
    const TCana &c = FNFe.cana;
    if (!(Preenchido(c.safra) || Preenchido(c.ref) || c.fordia.Count() > 0 ||
          c.deduc.Count() > 0))
        return;
    EscreverGrupo(FGerador, "cana", "ZC01", kCana, Contexto(*this, c));
}

void TNFeW::GerarforDia()
{
    constexpr int Maximo = 31;
    const TForDiaCollection &lista = FNFe.cana.fordia;
    if (lista.Count() > Maximo)
        FGerador.wAlerta("ZC04", "forDia", "Grupo de Fornecimento diário de cana",
                         MensagemLimiteOcorrencias(Maximo));

    for (const TForDiaCollectionItem &f : lista) {
        // The day is a number, so the attribute needs no escaping.
        FGerador.wGrupo("forDia dia=\"" + rtl::IntToStr(f.dia) + "\"", "ZC04");
        Escrever(FGerador, kforDia, Contexto(*this, f));
        FGerador.wGrupo("/forDia");
    }
}

void TNFeW::GerarDeduc()
{
    constexpr int Maximo = 10;
    const TDeducCollection &lista = FNFe.cana.deduc;
    if (lista.Count() > Maximo)
        FGerador.wAlerta("ZC10", "deduc", "Grupo de Deduções – Taxas e Contribuições",
                         MensagemLimiteOcorrencias(Maximo));

    for (const TDeducCollectionItem &d : lista)
        EscreverGrupo(FGerador, "deduc", "ZC10", kdeduc, Contexto(*this, d));
}

// ---- infRespTec --------------------------------------------------------------------

void TNFeW::GerarinfRespTec()
{
    const TinfRespTec &r = FNFe.infRespTec;
    if (r.CNPJ.empty())
        return;
    EscreverGrupo(FGerador, "infRespTec", "#081", kinfRespTec, Contexto(*this, r));
}

} // namespace nfe

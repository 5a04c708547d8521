#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/codes_transport.h"
#include "dfe/helpers.h"
#include "rtl/text.h"
#include "util/encoding.h"

namespace nfe {

using namespace dfe::escrita;

namespace {

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

// The checks of an observation's field name (the attribute has no leaf of its own to
// raise them): at most 20 characters once trimmed, and not empty.
void ValidarNomeCampo(dfe::TGerador &g, std::string_view id, std::string_view xCampo)
{
    const std::string nome = rtl::Trim(xCampo);
    if (rtl::Length(nome) > 20)
        g.wAlerta(id, "xCampo", "Identificação do Campo", "Tamanho maior que o máximo permitido");
    if (nome.empty())
        g.wAlerta(id, "xCampo", "Identificação do Campo", "Nenhum valor informado");
}

bool ECartao(dfe::TpcnFormaPagamento tPag)
{
    return tPag == dfe::fpCartaoCredito || tPag == dfe::fpCartaoDebito;
}

// The code the document was read with when the table did not know it ("77" read as
// fpOutro): writing "99" instead would state another form of payment than the document did.
std::string CodigoTPag(const TpagCollectionItem &p)
{
    if (p.tPag == dfe::fpOutro && !p.tPagNaoListado.empty())
        return p.tPagNaoListado;
    return dfe::FormaPagamentoToStr(p.tPag);
}

} // namespace

// ---- pag ---------------------------------------------------------------------------

void TNFeW::Gerarpag()
{
    constexpr int Maximo = 100;
    const TpagCollection &lista = FNFe.pag;
    // From layout 4.00 the payments are detPag entries of one pag group, which ends with
    // the change; before it each payment is a pag group of its own.
    const bool detalhado = FNFe.infNFe.GetVersao() >= 4.0;
    dfe::TGerador &g = FGerador;
    using dfe::tcStr;

    if (detalhado)
        g.wGrupo("pag", "YA01");

    for (const TpagCollectionItem &p : lista) {
        if (detalhado) {
            g.wGrupo("detPag", "YA01a");
            g.wCampo(tcStr, "YA01b", "indPag", 1, 1, 0, dfe::IndpagToStr(p.indPag),
                     "Indicador da forma de pagamento");
        } else {
            g.wGrupo("pag", "YA01");
        }
        g.wCampo(tcStr, "YA02", "tPag", 2, 2, 1, CodigoTPag(p),
                 "Forma de Pagamento");
        g.wCampo(dfe::tcDe2, "YA03", "vPag", 1, 15, 1, p.vPag, "Valor do Pagamento");
        if (ECartao(p.tPag) && (!p.CNPJ.empty() || p.tpIntegra != dfe::tiNaoInformado)) {
            g.wGrupo("card", "YA04");
            g.wCampo(tcStr, "YA04a", "tpIntegra", 1, 1, 1, dfe::tpIntegraToStr(p.tpIntegra),
                     "Tipo de Integração para pagamento");
            if (!p.CNPJ.empty()) {
                g.wCampo(tcStr, "YA05", "CNPJ", 14, 14, 0, p.CNPJ, "CNPJ(MF)");
                g.wCampo(tcStr, "YA06", "tBand", 2, 2, 0, dfe::BandeiraCartaoToStr(p.tBand),
                         "Bandeira da Operadora de Cartão");
                g.wCampo(tcStr, "YA07", "cAut", 1, 20, 0, p.cAut, "Número da Autorização");
            }
            g.wGrupo("/card");
        }
        g.wGrupo(detalhado ? "/detPag" : "/pag");
    }

    if (detalhado) {
        g.wCampo(dfe::tcDe2, "YA09", "vTroco", 1, 15, 0, lista.vTroco, "Valor do Pagamento");
        g.wGrupo("/pag");
    }

    if (lista.Count() > Maximo)
        g.wAlerta("YA01", "pag", "", MensagemLimiteOcorrencias(Maximo));
}

// ---- infAdic -----------------------------------------------------------------------

void TNFeW::GerarInfAdic()
{
    const TInfAdic &a = FNFe.InfAdic;
    if (!(Preenchido(a.infAdFisco) || Preenchido(a.infCpl) || a.obsCont.Count() > 0 ||
          a.obsFisco.Count() > 0 || a.procRef.Count() > 0))
        return;

    FGerador.wGrupo("infAdic", "Z01");
    FGerador.wCampo(dfe::tcStr, "Z02", "infAdFisco", 1, 2000, 0, a.infAdFisco,
                    "Informações adicionais de interesse do Fisco");
    FGerador.wCampo(dfe::tcStr, "Z03", "infCpl", 1, 5000, 0, a.infCpl,
                    "Informações complementares de interesse do contribuinte");
    GerarInfAdicObsCont();
    GerarInfAdicObsFisco();
    GerarInfAdicProcRef();
    FGerador.wGrupo("/infAdic");
}

void TNFeW::GerarInfAdicObsCont()
{
    constexpr int Maximo = 10;
    const TobsContCollection &lista = FNFe.InfAdic.obsCont;
    dfe::TGerador &g = FGerador;

    if (lista.Count() > Maximo)
        g.wAlerta("Z04", "obsCont", "Observações de interesse do contribuite",
                  MensagemLimiteOcorrencias(Maximo));

    for (const TobsContCollectionItem &o : lista) {
        // The taxpayer's field name keeps its blanks.
        g.wGrupo(AberturaComCampo("obsCont", o.xCampo), "Z04");
        ValidarNomeCampo(g, "Z05", o.xCampo);
        g.wCampo(dfe::tcStr, "Z06", "xTexto", 1, 60, 1, o.xTexto, "Conteúdo do Campo");
        g.wGrupo("/obsCont");
    }
}

void TNFeW::GerarInfAdicObsFisco()
{
    constexpr int Maximo = 10;
    const TobsFiscoCollection &lista = FNFe.InfAdic.obsFisco;
    dfe::TGerador &g = FGerador;

    if (lista.Count() > Maximo)
        g.wAlerta("Z07", "obsFisco", "Observações de interesse do fisco",
                  MensagemLimiteOcorrencias(Maximo));

    for (const TobsFiscoCollectionItem &o : lista) {
        g.wGrupo(AberturaComCampo("obsFisco", rtl::Trim(o.xCampo)), "Z07");
        ValidarNomeCampo(g, "Z08", o.xCampo);
        g.wCampo(dfe::tcStr, "Z09", "xTexto", 1, 60, 1, o.xTexto, "Conteúdo do Campo");
        g.wGrupo("/obsFisco");
    }
}

void TNFeW::GerarInfAdicProcRef()
{
    dfe::TGerador &g = FGerador;
    for (const TprocRefCollectionItem &p : FNFe.InfAdic.procRef) {
        g.wGrupo("procRef", "Z10");
        g.wCampo(dfe::tcStr, "Z11", "nProc", 1, 60, 1, p.nProc,
                 "Identificador do processo ou ato concessório");
        g.wCampo(dfe::tcStr, "Z12", "indProc", 1, 1, 1, dfe::indProcToStr(p.indProc),
                 "Indicador da origem do processo");
        g.wGrupo("/procRef");
    }
}

// ---- exporta, compra ---------------------------------------------------------------

void TNFeW::GerarExporta()
{
    static constexpr std::string_view DescricaoUF =
        "Sigla da UF onde ocorrerá o embarque dos produtos";
    static constexpr std::string_view DescricaoLocal =
        "Local onde ocorrerá o embarque dos produtos";
    const TExporta &e = FNFe.exporta;
    dfe::TGerador &g = FGerador;
    using dfe::tcStr;

    // Layout 3.10 renamed the fields; each layout writes only its own pair.
    if (FNFe.infNFe.GetVersao() >= 3.1) {
        if (!Preenchido(e.UFSaidaPais) && !Preenchido(e.xLocExporta))
            return;
        g.wGrupo("exporta", "ZA01");
        g.wCampo(tcStr, "ZA02", "UFSaidaPais", 2, 2, 1, e.UFSaidaPais, DescricaoUF);
        if (!dfe::ValidarUF(e.UFSaidaPais))
            g.wAlerta("ZA02", "UFSaidaPais", DescricaoUF, ConteudoInvalido);
        g.wCampo(tcStr, "ZA03", "xLocExporta", 1, 60, 1, e.xLocExporta, DescricaoLocal);
        g.wCampo(tcStr, "ZA04", "xLocDespacho", 1, 60, 0, e.xLocDespacho, "Local de Despacho");
    } else {
        if (e.UFembarq.empty() && e.xLocEmbarq.empty())
            return;
        g.wGrupo("exporta", "ZA01");
        g.wCampo(tcStr, "ZA02", "UFEmbarq", 2, 2, 1, e.UFembarq, DescricaoUF);
        if (!dfe::ValidarUF(e.UFembarq))
            g.wAlerta("ZA02", "UFEmbarq", DescricaoUF, ConteudoInvalido);
        g.wCampo(tcStr, "ZA03", "xLocEmbarq", 1, 60, 1, e.xLocEmbarq, DescricaoLocal);
    }
    g.wGrupo("/exporta");
}

void TNFeW::GerarCompra()
{
    const TCompra &c = FNFe.compra;
    if (!(Preenchido(c.xNEmp) || Preenchido(c.xPed) || Preenchido(c.xCont)))
        return;

    dfe::TGerador &g = FGerador;
    g.wGrupo("compra", "ZB01");
    g.wCampo(dfe::tcStr, "ZB02", "xNEmp", 1, 22, 0, c.xNEmp, "Nota de Empenho");
    g.wCampo(dfe::tcStr, "ZB03", "xPed", 1, 60, 0, c.xPed, "Pedido");
    g.wCampo(dfe::tcStr, "ZB04", "xCont", 1, 60, 0, c.xCont, "Contrato");
    g.wGrupo("/compra");
}

// ---- cana --------------------------------------------------------------------------

void TNFeW::GerarCana()
{
    const TCana &c = FNFe.cana;
    if (!(Preenchido(c.safra) || Preenchido(c.ref) || c.fordia.Count() > 0 ||
          c.deduc.Count() > 0))
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcDe10;
    using dfe::tcDe2;

    g.wGrupo("cana", "ZC01");
    g.wCampo(dfe::tcStr, "ZC02", "safra", 4, 9, 0, c.safra, "Identificação da safra");
    g.wCampo(dfe::tcStr, "ZC03", "ref", 4, 9, 0, c.ref, "Mês e ano de referência");
    GerarforDia();
    g.wCampo(tcDe10, "ZC07", "qTotMes", 1, 21, 1, c.qTotMes, "Quantidade Total do Mês");
    g.wCampo(tcDe10, "ZC08", "qTotAnt", 1, 21, 1, c.qTotAnt, "Quantidade Total Anterior");
    g.wCampo(tcDe10, "ZC09", "qTotGer", 1, 21, 1, c.qTotGer, "Quantidade Total Geral");
    GerarDeduc();
    g.wCampo(tcDe2, "ZC13", "vFor", 1, 15, 1, c.vFor, "Valor dos Fornecimentos");
    g.wCampo(tcDe2, "ZC14", "vTotDed", 1, 15, 1, c.vTotDed, "Valor Total da Dedução");
    g.wCampo(tcDe2, "ZC15", "vLiqFor", 1, 15, 1, c.vLiqFor, "Valor Líquido dos Fornecimentos");
    g.wGrupo("/cana");
}

void TNFeW::GerarforDia()
{
    constexpr int Maximo = 31;
    const TForDiaCollection &lista = FNFe.cana.fordia;
    dfe::TGerador &g = FGerador;

    if (lista.Count() > Maximo)
        g.wAlerta("ZC04", "forDia", "Grupo de Fornecimento diário de cana",
                  MensagemLimiteOcorrencias(Maximo));

    for (const TForDiaCollectionItem &f : lista) {
        // The day is a number, so the attribute needs no escaping.
        g.wGrupo("forDia dia=\"" + rtl::IntToStr(f.dia) + "\"", "ZC04");
        g.wCampo(dfe::tcDe10, "ZC06", "qtde", 11, 21, 1, f.qtde, "Quantidade");
        g.wGrupo("/forDia");
    }
}

void TNFeW::GerarDeduc()
{
    constexpr int Maximo = 10;
    const TDeducCollection &lista = FNFe.cana.deduc;
    dfe::TGerador &g = FGerador;

    if (lista.Count() > Maximo)
        g.wAlerta("ZC10", "deduc", "Grupo de Deduções – Taxas e Contribuições",
                  MensagemLimiteOcorrencias(Maximo));

    for (const TDeducCollectionItem &d : lista) {
        g.wGrupo("deduc", "ZC10");
        g.wCampo(dfe::tcStr, "ZC11", "xDed", 1, 60, 1, d.xDed, "Descrição da Dedução");
        g.wCampo(dfe::tcDe2, "ZC12", "vDed", 1, 15, 1, d.vDed, "Valor da Dedução");
        g.wGrupo("/deduc");
    }
}

// ---- infRespTec --------------------------------------------------------------------

void TNFeW::GerarinfRespTec()
{
    const TinfRespTec &r = FNFe.infRespTec;
    if (r.CNPJ.empty())
        return;

    dfe::TGerador &g = FGerador;
    using dfe::tcStr;

    g.wGrupo("infRespTec", "#081");
    g.wCampoCNPJ("#082", r.CNPJ, 1058, true);
    g.wCampo(tcStr, "#083", "xContato", 2, 60, 1, r.xContato, "Nome do Contato");
    g.wCampo(tcStr, "#084", "email", 6, 60, 1, r.email, "Endereço de Email");
    g.wCampo(tcStr, "#085", "fone", 7, 12, 1, r.fone, "Telefone");
    // The security code comes from the writer's settings, never from the model: the hash
    // binds it to this generation's key.
    if (IdCSRT != 0 && !CSRT.empty()) {
        g.wCampo(dfe::tcInt, "#086", "idCSRT", 2, 2, 1, IdCSRT,
                 "Identificador CSRT - Código de Segurança do Responsável Técnico");
        g.wCampo(tcStr, "#087", "hashCSRT", 28, 28, 1, dfe::CalcularHashCSRT(CSRT, FChaveNFe),
                 "Hash do CSRT - Código de Segurança do Responsável Técnico");
    }
    g.wGrupo("/infRespTec");
}

} // namespace nfe

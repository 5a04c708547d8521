// The complement, the issuer and the parties: compl with its route, delivery forecast and
// free-use fields, emit with its address, the takers (toma4 inside ide, toma of the CT-e
// OS), the sender, the dispatcher, the receiver and the addressee.

#include "cte/writer_linhas.h"

#include "dfe/helpers.h"
#include "dfe/municipios.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/datetime.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"

#include <array>
#include <cstdio>

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcInt;
using dfe::tcStr;

constexpr int MunicipioExterior = 9999999;
constexpr std::string_view Homologacao =
    "CT-E EMITIDO EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";
constexpr std::string_view DscIE = "Inscrição Estadual";
constexpr std::string_view DscTpPer = "Tipo de data/período programado para entrega";
constexpr std::string_view DscTpHor = "Tipo de hora para entrega";


// A time of the delivery forecast: hours, minutes and seconds, always with ':'.
rtl::Variant Hora(rtl::TDateTime t)
{
    int h = 0, n = 0, s = 0, ms = 0;
    rtl::DecodeTime(t, h, n, s, ms);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, n, s);
    return std::string(buf);
}

// ---- compl -------------------------------------------------------------------------------

using CCompl = Ctx<TCompl>;
using LCompl = Linha<CCompl>;

constexpr LCompl kCompl[] = {
    {"#060", "xCaracAd", tcStr, 1, 15, 0, Membro<&TCompl::xCaracAd>, Sempre,
     "Caracteristica adicional do transporte"},
    {"#061", "xCaracSer", tcStr, 1, 30, 0, Membro<&TCompl::xCaracSer>, Sempre,
     "Caracteristica adicional do serviço"},
    {"#062", "xEmi", tcStr, 1, 20, 0, Membro<&TCompl::xEmi>, Sempre, "Funcionário emissor do CTe"},
    LCompl::Codigo([](dfe::TGerador &, const CCompl &c) {
        c.w.GerarFluxo();
        c.w.GerarEntrega();
    }),
    {"#088", "origCalc", tcStr, 2, 40, 0, Membro<&TCompl::origCalc>, Modelo57,
     "Município origem para efeito de cálculo do frete"},
    {"#089", "destCalc", tcStr, 2, 40, 0, Membro<&TCompl::destCalc>, Modelo57,
     "Município destino para efeito de cálculo do frete"},
    {"#090", "xObs", tcStr, 1, 2000, 0, Membro<&TCompl::xObs>, Sempre, "Observações Gerais"},
    LCompl::Codigo([](dfe::TGerador &, const CCompl &c) {
        c.w.GerarObsCont();
        c.w.GerarObsFisco();
    }),
};

bool FluxoPreenchido(const TFluxo &f)
{
    return Preenchido(f.xOrig) || Preenchido(f.xDest) || Preenchido(f.xRota) || f.pass.Count() > 0;
}

using CFluxo = Ctx<TFluxo>;
using LFluxo = Linha<CFluxo>;
constexpr LFluxo kFluxo[] = {
    {"#064", "xOrig", tcStr, 1, 60, 0, Membro<&TFluxo::xOrig>, Sempre,
     "Sigla ou código interno de Origem"},
    LFluxo::Codigo([](dfe::TGerador &g, const CFluxo &c) {
        for (int i = 0; i < c.m.pass.Count(); ++i) {
            g.wGrupo("pass", "#065");
            g.wCampo(tcStr, "#066", "xPass", 1, 15, 1, c.m.pass.Items(i).xPass,
                     "Sigla ou código interno da Passagem");
            g.wGrupo("/pass");
        }
        if (c.m.pass.Count() > 990)
            g.wAlerta("#065", "pass", "Passagens", MensagemLimiteOcorrencias(990));
    }),
    {"#067", "xDest", tcStr, 1, 60, 0, Membro<&TFluxo::xDest>, Sempre,
     "Sigla ou código interno do Destino"},
    {"#068", "xRota", tcStr, 1, 10, 0, Membro<&TFluxo::xRota>, Sempre, "Código da Rota de Entrega"},
};

void ObsLista(dfe::TGerador &g, const TObsContCollection &lista, std::string_view tag,
              std::string_view idGrupo, std::string_view idTexto, int max,
              std::string_view idLimite, std::string_view descricao)
{
    for (int i = 0; i < lista.Count(); ++i) {
        const TObsContCollectionItem &obs = lista.Items(i);
        // The attribute is escaped so that a quote or an ampersand in the field's name
        // keeps the document well-formed.
        g.wGrupo(std::string(tag) + " xCampo=\"" + util::EscaparTextoXML(obs.xCampo) + "\"",
                 idGrupo);
        g.wCampo(tcStr, idTexto, "xTexto", 1, max, 1, obs.xTexto, descricao);
        g.wGrupo("/" + std::string(tag));
    }
    if (lista.Count() > 10)
        g.wAlerta(idLimite, tag, descricao, MensagemLimiteOcorrencias(10));
}

// ---- emit --------------------------------------------------------------------------------

using CEmit = Ctx<TEmit>;
using LEmit = Linha<CEmit>;
constexpr LEmit kEmit[] = {
    LEmit::Codigo([](dfe::TGerador &g, const CEmit &c) {
        g.wCampoCNPJ("#098", c.m.CNPJ, CodigoBrasil, true);
    }),
    {"#099", "IE", tcStr, 2, 14, 1, DigitosDe<&TEmit::IE>, Sempre, DscIE},
    LEmit::Alerta("#099", "IE", DscIE,
                  [](const CEmit &c) {
                      return c.w.Opcoes().ValidarInscricoes &&
                             !dfe::ValidarIE(c.m.IE, c.m.enderEmit.UF);
                  },
                  ConteudoInvalido),
    {"#100", "IEST", tcStr, 2, 14, 0, DigitosDe<&TEmit::IEST>,
     [](const CEmit &c) { return c.versao >= 3.0 && c.modelo == 57; },
     "Inscrição Estadual do Substituto tributário"},
    {"#101", "xNome", tcStr, 2, 60, 1, Membro<&TEmit::xNome>, Sempre, "Razão Social ou Nome"},
    {"#102", "xFant", tcStr, 2, 60, 0, Membro<&TEmit::xFant>, Sempre, "Nome de Fantasia"},
    LEmit::Codigo([](dfe::TGerador &, const CEmit &c) { c.w.GerarEnderEmit(); }),
};

// ---- the parties -------------------------------------------------------------------------

// The IDs of one party's rows, in the order the party is written; an empty ID means the
// party has no such element.
struct IdsParte {
    std::string_view grupo, idGrupo;
    std::string_view cnpj, cpf, ie, xNome, xFant, fone;
    std::string_view ender, idEnder;
    std::array<std::string_view, 10> enderIds;
    std::string_view email;
    bool homologacao; // the name is replaced in the test environment
};

constexpr IdsParte kToma4{"toma4", "#037", "#039", "#040", "#041", "#042", "#043", "#044",
                          "enderToma", "#045",
                          {"#046", "#047", "#048", "#049", "#050", "#051", "#052", "#053", "#054", "#055"},
                          "#056", false};
constexpr IdsParte kToma{"toma", "#063", "#064", "#065", "#067", "#068", "#069", "#070",
                         "enderToma", "#071",
                         {"#072", "#073", "#074", "#075", "#076", "#077", "#078", "#079", "#080", "#081"},
                         "#082", false};
constexpr IdsParte kRem{"rem", "#112", "#113", "#114", "#115", "#116", "#117", "#118",
                        "enderReme", "#119",
                        {"#120", "#121", "#122", "#123", "#124", "#125", "#126", "#127", "#128", "#129"},
                        "#130", true};
constexpr IdsParte kExped{"exped", "#142", "#143", "#144", "#145", "#146", "", "#147",
                          "enderExped", "#148",
                          {"#149", "#150", "#151", "#152", "#153", "#154", "#155", "#156", "#157", "#158"},
                          "#159", true};
constexpr IdsParte kReceb{"receb", "#160", "#161", "#162", "#163", "#164", "", "#165",
                          "enderReceb", "#166",
                          {"#167", "#168", "#169", "#170", "#171", "#172", "#173", "#174", "#175", "#176"},
                          "#177", true};
constexpr IdsParte kDest{"dest", "#178", "#179", "#180", "#181", "#182", "", "#183",
                         "enderDest", "#185",
                         {"#186", "#187", "#188", "#189", "#190", "#191", "#192", "#193", "#194", "#195"},
                         "#196", true};

// What a party writer reads of its model; pointers for the fields only some parties have.
struct Parte {
    const std::string &CNPJCPF;
    const std::string &IE;
    const std::string &xNome;
    const std::string *xFant;
    const std::string &fone;
    TEndereco &ender;
    const std::string &email;
    const std::string *ISUF;
    const TpcteTomador *toma;
};

void EscreverParte(TCTeW &w, const IdsParte &ids, const Parte &p)
{
    dfe::TGerador &g = w.Gerador();
    g.wGrupo(ids.grupo, ids.idGrupo);
    if (p.toma)
        g.wCampo(tcStr, "#038", "toma", 1, 1, 1, TpTomadorToStr(*p.toma), "Tomador do Serviço");
    // The model keeps Brazil for an address without a country, so the DACTE and a second
    // generation see the same country as this one.
    if (p.ender.cPais == 0)
        p.ender.cPais = CodigoBrasil;
    if (p.ender.cPais == CodigoBrasil)
        g.wCampoCNPJCPF(ids.cnpj, ids.cpf, p.CNPJCPF, true, true);
    else
        g.wCampo(tcStr, ids.cnpj, "CNPJ", 0, 14, 1, "00000000000000", "CNPJ(MF)");

    if (rtl::Trim(p.IE) == "ISENTO")
        g.wCampo(tcStr, ids.ie, "IE", 0, 14, 1, p.IE, DscIE);
    else
        g.wCampo(tcStr, ids.ie, "IE", 0, 14, 0, util::OnlyNumber(p.IE), DscIE);
    if (w.Opcoes().ValidarInscricoes && !dfe::ValidarIE(p.IE, p.ender.UF))
        g.wAlerta(ids.ie, "IE", DscIE, ConteudoInvalido);

    const bool homologacao = ids.homologacao && w.CTe().ide.tpAmb == dfe::taHomologacao;
    g.wCampo(tcStr, ids.xNome, "xNome", 2, 60, 1,
             homologacao ? std::string(Homologacao) : p.xNome, "Razão Social ou Nome");
    if (p.xFant)
        g.wCampo(tcStr, ids.xFant, "xFant", 2, 60, 0, *p.xFant, "Nome de Fantasia");
    g.wCampo(tcStr, ids.fone, "fone", 7, 12, 0, util::OnlyNumber(p.fone), "Telefone");
    if (p.ISUF) {
        g.wCampo(tcStr, "#184", "ISUF", 8, 9, 0, *p.ISUF, "Inscrição na SUFRAMA");
        if (w.Opcoes().ValidarInscricoes && Preenchido(*p.ISUF) && !dfe::ValidarISUF(*p.ISUF))
            g.wAlerta("#184", "ISUF", "Inscrição na SUFRAMA", ConteudoInvalido);
    }

    const TEndereco &e = p.ender;
    std::string xUF, xMun;
    int cMun = 0;
    w.AjustarMunicipioUF(xUF, xMun, cMun, e.cPais, e.UF, e.xMun, e.cMun);
    const auto &id = ids.enderIds;
    g.wGrupo(ids.ender, ids.idEnder);
    g.wCampo(tcStr, id[0], "xLgr", 2, 255, 1, e.xLgr, "Logradouro");
    g.wCampo(tcStr, id[1], "nro", 1, 60, 1, e.nro, "Número");
    g.wCampo(tcStr, id[2], "xCpl", 1, 60, 0, e.xCpl, "Complemento (Endereço)");
    g.wCampo(tcStr, id[3], "xBairro", 2, 60, 1, e.xBairro, "Bairro");
    g.wCampo(tcInt, id[4], "cMun", 7, 7, 1, cMun, "Código do Município");
    if (!dfe::ValidarMunicipio(e.cMun))
        g.wAlerta(id[4], "cMun", "Código do Município", ConteudoInvalido);
    g.wCampo(tcStr, id[5], "xMun", 2, 60, 1, xMun, "Nome do Município");
    g.wCampo(tcInt, id[6], "CEP", 8, 8, 0, e.CEP, "CEP");
    g.wCampo(tcStr, id[7], "UF", 2, 2, 1, xUF, "Sigla da UF");
    if (!dfe::ValidarUF(xUF))
        g.wAlerta(id[7], "UF", "Sigla da UF", ConteudoInvalido);
    g.wCampo(tcInt, id[8], "cPais", 4, 4, 0, e.cPais, "Código do País");
    g.wCampo(tcStr, id[9], "xPais", 2, 60, 0, e.xPais, "Nome do País");
    g.wGrupo("/" + std::string(ids.ender));

    g.wCampo(tcStr, ids.email, "email", 1, 60, 0, p.email, "Endereço de Email");
    g.wGrupo("/" + std::string(ids.grupo));
}

} // namespace

// ---- compl ---------------------------------------------------------------------------------

void TCTeW::GerarCompl()
{
    const TCompl &c = FCTe.Compl;
    bool escrever = Preenchido(c.xCaracAd) || Preenchido(c.xCaracSer) || Preenchido(c.xEmi) ||
                    Preenchido(c.fluxo.xOrig) || Preenchido(c.fluxo.xDest) ||
                    Preenchido(c.fluxo.xRota) || Preenchido(c.xObs) || c.fluxo.pass.Count() > 0 ||
                    c.ObsCont.Count() > 0 || c.ObsFisco.Count() > 0;
    if (FCTe.ide.modelo == 57)
        escrever = escrever || Preenchido(c.origCalc) || Preenchido(c.destCalc) ||
                   c.Entrega.TipoData != tdNaoInformado || c.Entrega.TipoHora != thNaoInformado;
    if (escrever)
        EscreverGrupo(FGerador, "compl", "#059", kCompl, Contexto(*this, c));
}

void TCTeW::GerarFluxo()
{
    if (FluxoPreenchido(FCTe.Compl.fluxo))
        EscreverGrupo(FGerador, "fluxo", "#063", kFluxo, Contexto(*this, FCTe.Compl.fluxo));
}

void TCTeW::GerarEntrega()
{
    const TEntrega &e = FCTe.Compl.Entrega;
    if (FCTe.ide.modelo != 57 || e.TipoData == tdNaoInformado || e.TipoHora == thNaoInformado)
        return;
    dfe::TGerador &g = FGerador;
    g.wGrupo("Entrega", "#069");
    switch (e.TipoData) {
    case tdSemData:
        g.wGrupo("semData", "#070");
        g.wCampo(tcStr, "#071", "tpPer", 1, 1, 1, TpDataPeriodoToStr(e.semData.tpPer), DscTpPer);
        g.wGrupo("/semData");
        break;
    case tdNaData:
    case tdAteData:
    case tdApartirData:
        g.wGrupo("comData", "#072");
        g.wCampo(tcStr, "#073", "tpPer", 1, 1, 1, TpDataPeriodoToStr(e.comData.tpPer), DscTpPer);
        g.wCampo(tcDat, "#074", "dProg", 10, 10, 1, Data(e.comData.dProg), "Data programada");
        g.wGrupo("/comData");
        break;
    case tdNoPeriodo:
        g.wGrupo("noPeriodo", "#075");
        g.wCampo(tcStr, "#076", "tpPer", 1, 1, 1, TpDataPeriodoToStr(e.noPeriodo.tpPer), DscTpPer);
        g.wCampo(tcDat, "#077", "dIni", 10, 10, 1, Data(e.noPeriodo.dIni), "Data inicial");
        g.wCampo(tcDat, "#078", "dFim", 10, 10, 1, Data(e.noPeriodo.dFim), "Data final");
        g.wGrupo("/noPeriodo");
        break;
    case tdNaoInformado:
        break;
    }
    switch (e.TipoHora) {
    case thSemHorario:
        g.wGrupo("semHora", "#079");
        g.wCampo(tcStr, "#080", "tpHor", 1, 1, 1, TpHorarioIntervaloToStr(e.semHora.tpHor), DscTpHor);
        g.wGrupo("/semHora");
        break;
    case thNoHorario:
    case thAteHorario:
    case thApartirHorario:
        g.wGrupo("comHora", "#081");
        g.wCampo(tcStr, "#082", "tpHor", 1, 1, 1, TpHorarioIntervaloToStr(e.comHora.tpHor), DscTpHor);
        g.wCampo(tcStr, "#083", "hProg", 8, 8, 1, Hora(e.comHora.hProg), "Hora programada");
        g.wGrupo("/comHora");
        break;
    case thNoIntervalo:
        g.wGrupo("noInter", "#084");
        g.wCampo(tcStr, "#085", "tpHor", 1, 1, 1, TpHorarioIntervaloToStr(e.noInter.tpHor), DscTpHor);
        g.wCampo(tcStr, "#086", "hIni", 8, 8, 1, Hora(e.noInter.hIni), "Hora inicial");
        g.wCampo(tcStr, "#087", "hFim", 8, 8, 1, Hora(e.noInter.hFim), "Hora final");
        g.wGrupo("/noInter");
        break;
    case thNaoInformado:
        break;
    }
    g.wGrupo("/Entrega");
}

void TCTeW::GerarObsCont()
{
    ObsLista(FGerador, FCTe.Compl.ObsCont, "ObsCont", "#092", "#093", 160, "#091",
             "Observações de interesse do contribuite");
}

void TCTeW::GerarObsFisco()
{
    ObsLista(FGerador, FCTe.Compl.ObsFisco, "ObsFisco", "#095", "#096", 60, "#094",
             "Observações de interesse do fisco");
}

// ---- emit ----------------------------------------------------------------------------------

void TCTeW::GerarEmit() { EscreverGrupo(FGerador, "emit", "#097", kEmit, Contexto(*this, FCTe.emit)); }

void TCTeW::GerarEnderEmit()
{
    const TEnderEmit &e = FCTe.emit.enderEmit;
    std::string xUF, xMun;
    int cMun = 0;
    AjustarMunicipioUF(xUF, xMun, cMun, CodigoBrasil, e.UF, e.xMun, e.cMun);
    dfe::TGerador &g = FGerador;
    g.wGrupo("enderEmit", "#102");
    g.wCampo(tcStr, "#103", "xLgr", 2, 60, 1, e.xLgr, "Logradouro");
    g.wCampo(tcStr, "#104", "nro", 1, 60, 1, e.nro, "Número");
    g.wCampo(tcStr, "#105", "xCpl", 1, 60, 0, e.xCpl, "Complemento (Endereço)");
    g.wCampo(tcStr, "#106", "xBairro", 2, 60, 1, e.xBairro, "Bairro");
    g.wCampo(tcInt, "#107", "cMun", 7, 7, 1, cMun, "Código do Município");
    if (!dfe::ValidarMunicipio(e.cMun))
        g.wAlerta("#107", "cMun", "Código do Município", ConteudoInvalido);
    g.wCampo(tcStr, "#108", "xMun", 2, 60, 1, xMun, "Nome do Município");
    g.wCampo(tcInt, "#109", "CEP", 8, 8, 0, e.CEP, "CEP");
    g.wCampo(tcStr, "#110", "UF", 2, 2, 1, xUF, "Sigla da UF");
    if (!dfe::ValidarUF(xUF))
        g.wAlerta("#110", "UF", "Sigla da UF", ConteudoInvalido);
    g.wCampo(tcStr, "#111", "fone", 7, 12, 0, util::OnlyNumber(e.fone), "Telefone");
    g.wGrupo("/enderEmit");
}

// ---- parties -------------------------------------------------------------------------------

void TCTeW::GerarToma4()
{
    TToma4 &t = FCTe.ide.toma4;
    if (!Preenchido(t.IE) && !Preenchido(t.xNome))
        return;
    EscreverParte(*this, kToma4,
                  {t.CNPJCPF, t.IE, t.xNome, &t.xFant, t.fone, t.enderToma, t.email, nullptr, &t.toma});
}

void TCTeW::GerarTomador()
{
    TToma &t = FCTe.toma;
    if (!Preenchido(t.IE) && !Preenchido(t.xNome))
        return;
    EscreverParte(*this, kToma,
                  {t.CNPJCPF, t.IE, t.xNome, &t.xFant, t.fone, t.enderToma, t.email, nullptr, nullptr});
}

void TCTeW::GerarRem()
{
    TRem &r = FCTe.rem;
    if (!Preenchido(r.CNPJCPF) && !Preenchido(r.xNome))
        return;
    EscreverParte(*this, kRem,
                  {r.CNPJCPF, r.IE, r.xNome, &r.xFant, r.fone, r.enderReme, r.email, nullptr, nullptr});
}

void TCTeW::GerarExped()
{
    TExped &r = FCTe.exped;
    if (!Preenchido(r.CNPJCPF) && !Preenchido(r.xNome))
        return;
    EscreverParte(*this, kExped,
                  {r.CNPJCPF, r.IE, r.xNome, nullptr, r.fone, r.enderExped, r.email, nullptr, nullptr});
}

void TCTeW::GerarReceb()
{
    TReceb &r = FCTe.receb;
    if (!Preenchido(r.CNPJCPF) && !Preenchido(r.xNome))
        return;
    EscreverParte(*this, kReceb,
                  {r.CNPJCPF, r.IE, r.xNome, nullptr, r.fone, r.enderReceb, r.email, nullptr, nullptr});
}

void TCTeW::GerarDest()
{
    TDest &r = FCTe.dest;
    if (!Preenchido(r.CNPJCPF) && !Preenchido(r.xNome))
        return;
    EscreverParte(*this, kDest,
                  {r.CNPJCPF, r.IE, r.xNome, nullptr, r.fone, r.enderDest, r.email, &r.ISUF, nullptr});
}

void TCTeW::AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                               const std::string &vxUF, const std::string &vxMun, int vcMun) const
{
    const bool brasil = cPais == CodigoBrasil || cPais == 0;
    cMun = brasil ? vcMun : MunicipioExterior;
    xMun = brasil ? vxMun : std::string("EXTERIOR");
    xUF = brasil ? vxUF : std::string("EX");
    if (!FOpcoes.NormatizarMunicipios)
        return;
    if (cMun == 0 && xMun != "EXTERIOR")
        cMun = dfe::ObterCodigoMunicipio(xMun, xUF, FOpcoes.PathArquivoMunicipios);
    else if (xMun.empty() && cMun != MunicipioExterior)
        xMun = dfe::ObterNomeMunicipio(xUF, cMun, FOpcoes.PathArquivoMunicipios);
}

} // namespace cte

// The frame of the manifest (envelope, infMDFe, the QR Code supplement, the signature and
// the protocol) and its first groups: identification and issuer. Each group is a table of
// rows in the layout's order; values that break a rule are written all the same and the
// rule becomes an alert.

#include "mdfe/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/helpers.h"
#include "dfe/municipios.h"
#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <string>
#include <string_view>

namespace mdfe {

using namespace linhas;

namespace {

std::string AtributoNameSpace()
{
    std::string result = "xmlns=\"";
    result.append(MDFeNameSpaceURI);
    result += '"';
    return result;
}

// The model as a number for the key. A text that is not a number (a file without mod)
// leaves no key to compute, so it stops the generation.
int ModeloNumerico(const std::string &modelo)
{
    int n = 0;
    if (!rtl::TryStrToInt(modelo, n))
        throw rtl::EConvertError("Modelo do MDF-e inválido: '" + modelo +
                                 "' não é um valor inteiro válido");
    return n;
}

// The receipt date-time: always ':' between the time's parts, whatever the locale.
std::string TextoProtocolo(const TMDFe &MDFe)
{
    const TProcMDFe &p = MDFe.procMDFe;
    const std::string versao = MDFe.infMDFe.VersaoStr();
    const std::string tpAmb = dfe::TpAmbToStr(p.tpAmb);
    const std::string dhRecbto = dfe::DateTimeTodh(p.dhRecbto);
    DadosProtocolo d;
    d.raiz = "protMDFe";
    d.versao = versao;
    d.tagChave = "chMDFe";
    d.tpAmb = tpAmb;
    d.verAplic = p.verAplic;
    d.chave = p.chMDFe;
    d.dhRecbto = dhRecbto;
    d.nProt = p.nProt;
    d.digVal = p.digVal;
    d.cStat = p.cStat;
    d.xMotivo = p.xMotivo;
    d.cMsg = p.cMsg;
    d.xMsg = p.xMsg;
    d.mensagem = MensagemFisco::GrupoInfFisco;
    return dfe::escrita::TextoProtocolo(d);
}

// ---- infMDFe ---------------------------------------------------------------------------

using CInf = Ctx<TMDFe>;
using LInf = Linha<CInf>;
constexpr LInf kinfMDFe[] = {
    LInf::Codigo([](dfe::TGerador &, const CInf &c) {
        c.w.GerarIde();
        c.w.GerarEmit();
        c.w.GerarInfModal();
        c.w.GerarInfDoc();
    }),
    LInf::Codigo([](dfe::TGerador &, const CInf &c) {
        c.w.GerarInfSeg();
        c.w.GerarProdPred();
    }, Layout300),
    LInf::Codigo([](dfe::TGerador &, const CInf &c) {
        c.w.GerarTot();
        c.w.GerarLacres();
        c.w.GerarautXML();
        c.w.GerarInfAdic();
    }),
    LInf::Codigo([](dfe::TGerador &, const CInf &c) { c.w.GerarinfRespTec(); }, Layout300),
};

// The QR text goes inside a CDATA section, written as it is; its limits count the markers.
using LSupl = Linha<Ctx<TinfMDFeSupl>>;
constexpr LSupl kinfMDFeSupl[] = {
    LSupl::Literal({"#196", "qrCodMDFe", tcStr, 50, 1000, 1,
                    [](const Ctx<TinfMDFeSupl> &c) -> rtl::Variant {
                        return "<![CDATA[" + c.m.qrCodMDFe + "]]>";
                    },
                    Sempre, "Texto com o QR-Code impresso no DAMDFE"}),
};

// ---- ide -------------------------------------------------------------------------------

constexpr std::string_view DscCUF = "Código do UF (Unidade da Federação)";
constexpr std::string_view DscUF = "Sigla da UF";
constexpr std::string_view DscDhEmi = "Data de emissão";
constexpr std::string_view DscDhIniViagem = "Data e Hora previstas de Inicio da Viagem";

using CIde = Ctx<TIde>;
using LIde = Linha<CIde>;
constexpr LIde kIde[] = {
    {"#005", "cUF", tcInt, 2, 2, 1, Membro<&TIde::cUF>, Sempre, DscCUF},
    LIde::Alerta("#005", "cUF", DscCUF, [](const CIde &c) { return !dfe::ValidarCodigoUF(c.m.cUF); },
                 ConteudoInvalido),
    {"#006", "tpAmb", tcStr, 1, 1, 1, CodigoDe<&TIde::tpAmb, dfe::TpAmbToStr>, Sempre,
     "Identificação do Ambiente"},
    {"#007", "tpEmit", tcStr, 1, 1, 1, CodigoDe<&TIde::tpEmit, TpEmitenteToStr>, Sempre,
     "Tipo do Emitente"},
    {"#007", "tpTransp", tcStr, 1, 1, 0, CodigoDe<&TIde::tpTransp, TTransportadorToStr>,
     [](const CIde &c) { return c.ve300 && c.m.tpTransp != ttNenhum; }, "Tipo de Transportador"},
    {"#008", "mod", tcInt, 2, 2, 1, Membro<&TIde::modelo>, Sempre, "Modelo"},
    {"#009", "serie", tcInt, 1, 3, 1, Membro<&TIde::serie>, Sempre, "Série do Documento Fiscal"},
    {"#010", "nMDF", tcInt, 1, 9, 1, Membro<&TIde::nMDF>, Sempre, "Número do Manifesto"},
    {"#011", "cMDF", tcStr, 8, 8, 1,
     [](const CIde &c) -> rtl::Variant {
         return dfe::IntToStrZero(dfe::ExtrairCodigoChaveAcesso(c.mdfe.infMDFe.Id), 8);
     },
     Sempre, "Código numérico que compõe a Chave de Acesso"},
    {"#012", "cDV", tcInt, 1, 1, 1, Membro<&TIde::cDV>, Sempre, "Digito Verificador"},
    {"#013", "modal", tcStr, 1, 1, 1, CodigoDe<&TIde::modal, ModalToStr>, Sempre, "Tipo de Modal"},
    {"#014", "dhEmi", tcDatHor, 19, 19, 1, DataDe<&TIde::dhEmi>, Layout100, DscDhEmi},
    {"#014", "dhEmi", tcStr, 25, 25, 1,
     [](const CIde &c) -> rtl::Variant { return DataHoraMDFe(c.m.dhEmi, c.m.cUF); }, Layout300,
     DscDhEmi},
    {"#015", "tpEmis", tcStr, 1, 1, 1, CodigoDe<&TIde::tpEmis, dfe::TpEmisToStr>, Sempre,
     "Forma de Emissão do DF-e"},
    {"#016", "procEmi", tcStr, 1, 1, 1, CodigoDe<&TIde::procEmi, dfe::procEmiToStr>, Sempre,
     "Processo de emissão do DF-e"},
    {"#017", "verProc", tcStr, 1, 20, 1, Membro<&TIde::verProc>, Sempre,
     "Versão do Processo de emissão do DF-e"},
    {"#018", "UFIni", tcStr, 2, 2, 1, Membro<&TIde::UFIni>, Sempre, DscUF},
    LIde::Alerta("#018", "UFIni", DscUF, [](const CIde &c) { return !dfe::ValidarUF(c.m.UFIni); },
                 ConteudoInvalido),
    {"#019", "UFFim", tcStr, 2, 2, 1, Membro<&TIde::UFFim>, Sempre, DscUF},
    LIde::Alerta("#019", "UFFim", DscUF, [](const CIde &c) { return !dfe::ValidarUF(c.m.UFFim); },
                 ConteudoInvalido),
    LIde::Codigo([](dfe::TGerador &, const CIde &c) {
        c.w.GerarinfMunCarrega();
        c.w.GerarinfPercurso();
    }),
    {"#024a", "dhIniViagem", tcDatHor, 19, 19, 0, DataDe<&TIde::dhIniViagem>,
     [](const CIde &c) { return c.m.dhIniViagem > 0 && !c.ve300; }, DscDhIniViagem},
    {"#024a", "dhIniViagem", tcStr, 25, 25, 0,
     [](const CIde &c) -> rtl::Variant { return DataHoraMDFe(c.m.dhIniViagem, c.m.cUF); },
     [](const CIde &c) { return c.m.dhIniViagem > 0 && c.ve300; }, DscDhIniViagem},
    {"#027", "indCanalVerde", tcStr, 1, 1, 0, CodigoDe<&TIde::indCanalVerde, dfe::TIndicadorToStr>,
     [](const CIde &c) { return c.versao >= 3.0 && c.m.indCanalVerde == dfe::tiSim; },
     "Indicador de Canal Verde"},
    {"#028", "indCarregaPosterior", tcStr, 1, 1, 0,
     CodigoDe<&TIde::indCarregaPosterior, dfe::TIndicadorToStr>,
     [](const CIde &c) { return c.versao >= 3.0 && c.m.indCarregaPosterior == dfe::tiSim; },
     "Indicador de Carregamento Posterior"},
};

using LMunCarrega = Linha<Ctx<TinfMunCarregaCollectionItem>>;
constexpr LMunCarrega kinfMunCarrega[] = {
    {"#021", "cMunCarrega", tcInt, 7, 7, 1, Membro<&TinfMunCarregaCollectionItem::cMunCarrega>,
     Sempre, "Código do Município de Carregamento"},
    {"#022", "xMunCarrega", tcStr, 2, 60, 1, Membro<&TinfMunCarregaCollectionItem::xMunCarrega>,
     Sempre, "Nome do Município de Carregamento"},
};

using LPercurso = Linha<Ctx<TinfPercursoCollectionItem>>;
constexpr LPercurso kinfPercurso[] = {
    {"#024", "UFPer", tcStr, 2, 2, 1, Membro<&TinfPercursoCollectionItem::UFPer>, Sempre,
     "Sigla da UF do percurso do veículo"},
};

// ---- emit ------------------------------------------------------------------------------

constexpr std::string_view DscIE = "Inscrição Estadual";

using CEmit = Ctx<Temit>;
using LEmit = Linha<CEmit>;
constexpr LEmit kEmit[] = {
    LEmit::Codigo([](dfe::TGerador &g, const CEmit &c) {
        g.wCampoCNPJCPF("#026", "026a", c.m.CNPJCPF);
    }),
    {"#027", "IE", tcStr, 2, 14, 1, DigitosDe<&Temit::IE>, Sempre, DscIE},
    LEmit::Alerta("#027", "IE", DscIE,
                  [](const CEmit &c) {
                      return c.w.Opcoes().ValidarInscricoes &&
                             !dfe::ValidarIE(c.m.IE, c.m.enderEmit.UF);
                  },
                  ConteudoInvalido),
    {"#028", "xNome", tcStr, 2, 60, 1, Membro<&Temit::xNome>, Sempre, "Razão Social ou Nome"},
    {"#029", "xFant", tcStr, 1, 60, 0, Membro<&Temit::xFant>, Sempre, "Nome de Fantasia"},
    LEmit::Codigo([](dfe::TGerador &, const CEmit &c) { c.w.GerarEnderEmit(); }),
};

// The address with the municipality and state as adjusted for the country.
struct CEnder : Ctx<TenderEmit> {
    std::string xUF;
    std::string xMun;
    int cMun = 0;
};
using LEnder = Linha<CEnder>;
constexpr LEnder kEnderEmit[] = {
    {"#031", "xLgr", tcStr, 2, 60, 1, Membro<&TenderEmit::xLgr>, Sempre, "Logradouro"},
    {"#032", "nro", tcStr, 1, 60, 1, Membro<&TenderEmit::nro>, Sempre, "Número"},
    {"#033", "xCpl", tcStr, 1, 60, 0, Membro<&TenderEmit::xCpl>, Sempre, "Complemento (Endereço)"},
    {"#034", "xBairro", tcStr, 2, 60, 1, Membro<&TenderEmit::xBairro>, Sempre, "Bairro"},
    {"#035", "cMun", tcInt, 7, 7, 1, [](const CEnder &c) -> rtl::Variant { return c.cMun; }, Sempre,
     "Código do Município"},
    LEnder::Alerta("#035", "cMun", "Código do Município",
                   [](const CEnder &c) { return !dfe::ValidarMunicipio(c.m.cMun); },
                   ConteudoInvalido),
    {"#036", "xMun", tcStr, 1, 60, 1, [](const CEnder &c) -> rtl::Variant { return c.xMun; },
     Sempre, "Nome do Município"},
    {"#037", "CEP", tcInt, 8, 8, 0, Membro<&TenderEmit::CEP>, Sempre, "CEP"},
    {"#038", "UF", tcStr, 2, 2, 1, [](const CEnder &c) -> rtl::Variant { return c.xUF; }, Sempre,
     DscUF},
    LEnder::Alerta("#038", "UF", DscUF, [](const CEnder &c) { return !dfe::ValidarUF(c.xUF); },
                   ConteudoInvalido),
    {"#039", "fone", tcStr, 7, 12, 0, DigitosDe<&TenderEmit::fone>, Sempre, "Telefone"},
    {"#040", "email", tcStr, 1, 60, 0, Membro<&TenderEmit::email>, Sempre, "Endereço de Email"},
};

} // namespace

TMDFeW::TMDFeW(TMDFe &AOwner) : FMDFe(AOwner)
{
    FGerador.SetIgnorarTagNivel("|?xml version|MDFe xmlns|infMDFe versao|");
    FGerador.Opcoes().QuebraLinha = ";";
}

TMDFeW::~TMDFeW() = default;

bool TMDFeW::GerarXml()
{
    FGerador.Iniciar();
    bool ok = false;
    VersaoDF = DblToVersaoMDFe(ok, FMDFe.infMDFe.versao);

    // The access key, written back so that the DAMDFE and a second generation see it.
    TIde &ide = FMDFe.Ide;
    FChaveMDFe = dfe::GerarChaveAcesso(ide.cUF, ide.dhEmi, FMDFe.emit.CNPJCPF, ide.serie, ide.nMDF,
                                       rtl::StrToIntDef(dfe::TpEmisToStr(ide.tpEmis), 0), ide.cMDF,
                                       ModeloNumerico(ide.modelo));
    FMDFe.infMDFe.Id = "MDFe" + FChaveMDFe;
    ide.cDV = dfe::ExtrairDigitoChaveAcesso(FMDFe.infMDFe.Id);
    const int codigo = dfe::ExtrairCodigoChaveAcesso(FMDFe.infMDFe.Id);
    // A document read with a zero code carries a code below -1, which the key keeps as
    // zeros. Writing 0 back would make the next generation draw a random code and change
    // the key, so such a code stays as it was.
    if (!(codigo == 0 && ide.cMDF < -1))
        ide.cMDF = codigo;

    const std::string versao = FMDFe.infMDFe.VersaoStr();
    const std::string xmlns = AtributoNameSpace();
    const bool comProtocolo = !FMDFe.procMDFe.nProt.empty();

    if (comProtocolo)
        FGerador.wGrupo("mdfeProc " + versao + " " + xmlns);
    FGerador.wGrupo("MDFe " + xmlns);
    FGerador.wGrupo("infMDFe " + versao + " Id=\"" + FMDFe.infMDFe.Id + "\"");
    GerarInfMDFe();
    FGerador.wGrupo("/infMDFe");

    if (!FMDFe.infMDFeSupl.qrCodMDFe.empty())
        EscreverGrupo(FGerador, "infMDFeSupl", "", kinfMDFeSupl, Contexto(*this, FMDFe.infMDFeSupl));

    if (AssinaturaDeveSerGerada(FOpcoes.GerarTagAssinatura, FMDFe.signature)) {
        FMDFe.signature.URI = "#MDFe" + util::OnlyNumber(FMDFe.infMDFe.Id);
        FMDFe.signature.Gerador().Opcoes().IdentarXML = FGerador.Opcoes().IdentarXML;
        FMDFe.signature.GerarXML();
        FGerador.wTexto(FMDFe.signature.Gerador().ArquivoFormatoXML());
    }

    FGerador.wGrupo("/MDFe");

    if (comProtocolo) {
        FGerador.wTexto(TextoProtocolo(FMDFe));
        FGerador.wGrupo("/mdfeProc");
    }

    FGerador.gtAjustarRegistros(FMDFe.infMDFe.Id);
    return FGerador.ListaDeAlertas().Count() == 0;
}

void TMDFeW::GerarInfMDFe()
{
    Escrever(FGerador, kinfMDFe, Contexto(*this, FMDFe));
}

void TMDFeW::GerarIde()
{
    EscreverGrupo(FGerador, "ide", "#004", kIde, Contexto(*this, FMDFe.Ide));
}

void TMDFeW::GerarinfMunCarrega()
{
    EscreverRepetido(*this, "infMunCarrega", "#020", FMDFe.Ide.infMunCarrega, kinfMunCarrega, 50,
                     "#020");
}

void TMDFeW::GerarinfPercurso()
{
    EscreverRepetido(*this, "infPercurso", "#023", FMDFe.Ide.infPercurso, kinfPercurso, 25, "#023");
}

void TMDFeW::GerarEmit()
{
    EscreverGrupo(FGerador, "emit", "#025", kEmit, Contexto(*this, FMDFe.emit));
}

void TMDFeW::GerarEnderEmit()
{
    const TenderEmit &e = FMDFe.emit.enderEmit;
    CEnder c{Contexto(*this, e), {}, {}, 0};
    AjustarMunicipioUF(c.xUF, c.xMun, c.cMun, 1058, e.UF, e.xMun, e.cMun);
    EscreverGrupo(FGerador, "enderEmit", "#030", kEnderEmit, c);
}

void TMDFeW::AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                                const std::string &vxUF, const std::string &vxMun, int vcMun) const
{
    if (cPais == 1058) {
        xUF = vxUF;
        xMun = vxMun;
        cMun = vcMun;
    } else {
        xUF = "EX";
        xMun = "EXTERIOR";
        cMun = 9999999;
    }
    if (!FOpcoes.NormatizarMunicipios)
        return;
    if (cMun == 0 && xMun != "EXTERIOR")
        cMun = dfe::ObterCodigoMunicipio(xMun, xUF, FOpcoes.PathArquivoMunicipios);
    else if (xMun.empty() && cMun != 9999999)
        xMun = dfe::ObterNomeMunicipio(xUF, cMun, FOpcoes.PathArquivoMunicipios);
}

} // namespace mdfe

// The frame of the document (envelope, root, infCte, supplementary data, signature and
// protocol) and the identification group.

#include "cte/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes.h"
#include "dfe/codes_document.h"
#include "dfe/codes_transport.h"
#include "dfe/helpers.h"
#include "dfe/timezone.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDatHor;
using dfe::tcInt;
using dfe::tcStr;

std::string AtributoNameSpace()
{
    std::string result = "xmlns=\"";
    result.append(CTeNameSpaceURI);
    result += '"';
    return result;
}

// The receipt date-time: always ':' between the time's parts, followed by the zone of the
// issuing state at that moment.
std::string TextoProtocolo(const TCTe &CTe)
{
    const TProcCTe &p = CTe.procCTe;
    const std::string versao = CTe.infCTe.VersaoStr();
    const std::string tpAmb = dfe::TpAmbToStr(p.tpAmb);
    const std::string dhRecbto = DataHoraComFuso(p.dhRecbto, "", CTe.ide.cUF);
    dfe::escrita::DadosProtocolo d;
    d.raiz = "protCTe";
    d.versao = versao;
    d.id = p.Id;
    d.tpAmb = tpAmb;
    d.verAplic = p.verAplic;
    d.tagChave = "chCTe";
    d.chave = p.chCTe;
    d.dhRecbto = dhRecbto;
    d.nProt = p.nProt;
    d.digVal = p.digVal;
    d.cStat = p.cStat;
    d.xMotivo = p.xMotivo;
    d.cMsg = p.cMsg;
    d.xMsg = p.xMsg;
    d.mensagem = dfe::escrita::MensagemFisco::GrupoInfFisco;
    return dfe::escrita::TextoProtocolo(d);
}

// ---- infCte: the groups in the layout's order --------------------------------------------

using CCTe = Ctx<TCTe>;
using LinfCte = Linha<CCTe>;
constexpr LinfCte kinfCte[] = {
    LinfCte::Codigo([](dfe::TGerador &, const CCTe &c) {
        c.w.GerarIde();
        c.w.GerarCompl();
        c.w.GerarEmit();
    }),
    LinfCte::Codigo([](dfe::TGerador &, const CCTe &c) { c.w.GerarTomador(); }, Modelo67),
    LinfCte::Codigo(
        [](dfe::TGerador &, const CCTe &c) {
            c.w.GerarRem();
            c.w.GerarExped();
            c.w.GerarReceb();
            c.w.GerarDest();
        },
        [](const CCTe &c) { return c.modelo != 67; }),
    LinfCte::Codigo([](dfe::TGerador &, const CCTe &c) {
        c.w.GerarVPrest();
        c.w.GerarImp();
        c.w.GerarInfCTeNorm();
        c.w.GerarInfCteComp();
        c.w.GerarInfCteAnu();
        c.w.GerarautXML();
    }),
    LinfCte::Codigo([](dfe::TGerador &, const CCTe &c) { c.w.GerarinfRespTec(); },
                    [](const CCTe &c) { return c.w.VersaoDF() == ve300; }),
};

// The QR Code goes inside a CDATA section, written as it is; its length counts the
// delimiters.
using LinfCTeSupl = Linha<Ctx<TinfCTeSupl>>;
constexpr LinfCTeSupl kinfCTeSupl[] = {
    LinfCTeSupl::Literal({"#196", "qrCodCTe", tcStr, 50, 1000, 1,
                          [](const Ctx<TinfCTeSupl> &c) -> rtl::Variant {
                              return "<![CDATA[" + c.m.qrCodCTe + "]]>";
                          },
                          Sempre, "Texto com o QR-Code impresso no DACTE"}),
};

// ---- ide ----------------------------------------------------------------------------------

using CIde = Ctx<TIde>;
using LIde = Linha<CIde>;

constexpr std::string_view DscMun = "Código do Município onde o CT-e está sendo emitido";
constexpr std::string_view DscXMun = "Nome do Município";
constexpr std::string_view DscUF = "Sigla da UF";
constexpr std::string_view DscDEmi = "Data de emissão";
constexpr std::string_view DscIndIEToma = "Indicador de I.E. do tomador";
constexpr std::string_view DscDhCont = "Data e Hora de entrada em contingencia";

constexpr auto OcorrModelo57 = [](const CIde &c) { return c.modelo == 57 ? 1 : 0; };
constexpr auto FSDA = [](const CIde &c) { return c.m.tpEmis == dfe::teFSDA; };

constexpr LIde kIde[] = {
    {"#005", "cUF", tcInt, 2, 2, 1, Membro<&TIde::cUF>, Sempre,
     "Código do UF (Unidade da Federação)"},
    LIde::Alerta("#005", "cUF", "Código do UF (Unidade da Federação)",
                 [](const CIde &c) { return !dfe::ValidarCodigoUF(c.m.cUF); }, ConteudoInvalido),
    {"#006", "cCT", tcStr, 8, 8, 1,
     [](const CIde &c) -> rtl::Variant {
         return util::IntToStrZero(dfe::ExtrairCodigoChaveAcesso(c.cte.infCTe.Id), 8);
     },
     Sempre, "Número da Nota Fiscal Eletrônica"},
    {"#007", "CFOP", tcInt, 4, 4, 1, Membro<&TIde::CFOP>, Sempre, "CFOP"},
    {"#008", "natOp", tcStr, 1, 60, 1, Membro<&TIde::natOp>, Sempre,
     "Descrição da Natureza da Operação"},
    {"#009", "forPag", tcStr, 1, 1, 1, CodigoDe<&TIde::forPag, tpforPagToStr>, Versao200,
     "Indicador da forma de pagamento"},
    {"#010", "mod", tcInt, 2, 2, 1, Membro<&TIde::modelo>, Sempre, "Modelo"},
    {"#011", "serie", tcInt, 1, 3, 1, Membro<&TIde::serie>, Sempre, "Série do Documento Fiscal"},
    {"#012", "nCT", tcInt, 1, 9, 1, Membro<&TIde::nCT>, Sempre, "Número do Documento Fiscal"},
    {"#013", "dhEmi", tcStr, 25, 25, 1,
     [](const CIde &c) -> rtl::Variant { return DataHoraComFuso(c.m.dhEmi, "", c.m.cUF); },
     De300, DscDEmi},
    {"#013", "dhEmi", tcDatHor, 19, 19, 1, DataDe<&TIde::dhEmi>, Antes300, DscDEmi},
    {"#014", "tpImp", tcStr, 1, 1, 1, CodigoDe<&TIde::tpImp, dfe::TpImpToStr>, Sempre,
     "Formato de Impressão do Documento Auxiliar"},
    {"#015", "tpEmis", tcStr, 1, 1, 1, CodigoDe<&TIde::tpEmis, dfe::TpEmisToStr>, Sempre,
     "Forma de Emissão do DF-e"},
    {"#016", "cDV", tcInt, 1, 1, 1, Membro<&TIde::cDV>, Sempre, "Digito Verificador"},
    {"#017", "tpAmb", tcStr, 1, 1, 1, CodigoDe<&TIde::tpAmb, dfe::TpAmbToStr>, Sempre,
     "Identificação do Ambiente"},
    {"#018", "tpCTe", tcStr, 1, 1, 1, CodigoDe<&TIde::tpCTe, tpCTePagToStr>, Sempre,
     "Tipo do Conhecimento"},
    {"#019", "procEmi", tcStr, 1, 1, 1, CodigoDe<&TIde::procEmi, dfe::procEmiToStr>, Sempre,
     "Processo de emissão do DF-e"},
    {"#020", "verProc", tcStr, 1, 20, 1, Membro<&TIde::verProc>, Sempre,
     "Versão do Processo de emissão do DF-e"},
    {"#020", "indGlobalizado", tcStr, 1, 1, 0,
     CodigoDe<&TIde::indGlobalizado, dfe::TIndicadorToStr>,
     [](const CIde &c) {
         return c.versao >= 3.0 && c.modelo == 57 && c.m.indGlobalizado == dfe::tiSim;
     },
     "Indicador de CT-e Globalizado"},
    {"#021", "refCTE", tcStr, 44, 44, 0, DigitosDe<&TIde::refCTe>, Antes300,
     "Chave de acesso do CT-e referenciado"},
    LIde::Alerta("#021", "refCTE", "Chave de acesso do CT-e referenciado",
                 [](const CIde &c) {
                     return c.versao < 3.0 && !util::OnlyNumber(c.m.refCTe).empty() &&
                            !dfe::ValidarChave(c.m.refCTe);
                 },
                 ConteudoInvalido),
    {"#022", "cMunEnv", tcInt, 7, 7, 1, Membro<&TIde::cMunEnv>, Sempre, DscMun},
    LIde::Alerta("#022", "cMunEnv", DscMun,
                 [](const CIde &c) { return !dfe::ValidarMunicipio(c.m.cMunEnv); },
                 ConteudoInvalido),
    {"#023", "xMunEnv", tcStr, 2, 60, 1, Membro<&TIde::xMunEnv>, Sempre, DscXMun},
    {"#024", "UFEnv", tcStr, 2, 2, 1, Membro<&TIde::UFEnv>, Sempre, DscUF},
    LIde::Alerta("#024", "UFEnv", DscUF, [](const CIde &c) { return !dfe::ValidarUF(c.m.UFEnv); },
                 ConteudoInvalido),
    {"#025", "modal", tcStr, 2, 2, 1, CodigoDe<&TIde::modal, dfe::TpModalToStr>, Sempre,
     "Tipo de Modal"},
    {"#026", "tpServ", tcStr, 1, 1, 1, CodigoDe<&TIde::tpServ, TpServPagToStr>, Sempre,
     "Tipo do Serviço"},
    {"#035", "indIEToma", tcStr, 1, 1, 1, CodigoDe<&TIde::indIEToma, dfe::indIEDestToStr>,
     [](const CIde &c) { return c.versao >= 3.0 && c.modelo == 67; }, DscIndIEToma},
    {"#027", "cMunIni", tcInt, 7, 7, OcorrModelo57, Membro<&TIde::cMunIni>, Sempre, DscMun},
    LIde::Alerta("#027", "cMunIni", DscMun,
                 [](const CIde &c) { return c.modelo == 57 && !dfe::ValidarMunicipio(c.m.cMunIni); },
                 ConteudoInvalido),
    {"#028", "xMunIni", tcStr, 2, 60, OcorrModelo57, Membro<&TIde::xMunIni>, Sempre, DscXMun},
    {"#029", "UFIni", tcStr, 2, 2, OcorrModelo57, Membro<&TIde::UFIni>, Sempre, DscUF},
    LIde::Alerta("#029", "UFIni", DscUF,
                 [](const CIde &c) { return c.modelo == 57 && !dfe::ValidarUF(c.m.UFIni); },
                 ConteudoInvalido),
    {"#030", "cMunFim", tcInt, 7, 7, OcorrModelo57, Membro<&TIde::cMunFim>, Sempre, DscMun},
    LIde::Alerta("#030", "cMunFim", DscMun,
                 [](const CIde &c) { return c.modelo == 57 && !dfe::ValidarMunicipio(c.m.cMunFim); },
                 ConteudoInvalido),
    {"#031", "xMunFim", tcStr, 2, 60, OcorrModelo57, Membro<&TIde::xMunFim>, Sempre, DscXMun},
    {"#032", "UFFim", tcStr, 2, 2, OcorrModelo57, Membro<&TIde::UFFim>, Sempre, DscUF},
    LIde::Alerta("#032", "UFFim", DscUF,
                 [](const CIde &c) { return c.modelo == 57 && !dfe::ValidarUF(c.m.UFFim); },
                 ConteudoInvalido),
    {"#033", "retira", tcStr, 1, 1, 1, CodigoDe<&TIde::retira, TpRetiraPagToStr>, Modelo57,
     "Recebedor retira na Filial?"},
    {"#034", "xDetRetira", tcStr, 1, 160, 0, Membro<&TIde::xDetRetira>, Modelo57,
     "Detalhes da Retirada"},
    {"#035", "indIEToma", tcStr, 1, 1, 1, CodigoDe<&TIde::indIEToma, dfe::indIEDestToStr>,
     [](const CIde &c) { return c.versao >= 3.0 && c.modelo == 57; }, DscIndIEToma},
    LIde::Codigo([](dfe::TGerador &, const CIde &c) { c.w.GerarToma03(); },
                 [](const CIde &c) { return c.modelo == 57 && !Preenchido(c.m.toma4.xNome); }),
    LIde::Codigo([](dfe::TGerador &, const CIde &c) { c.w.GerarToma4(); }, Modelo57),
    LIde::Codigo([](dfe::TGerador &, const CIde &c) { c.w.GerarInfPercurso(); }, Modelo67),
    {"#057", "dhCont", tcStr, 25, 25, 1,
     [](const CIde &c) -> rtl::Variant { return DataHoraComFuso(c.m.dhCont, "", c.m.cUF); },
     [](const CIde &c) { return FSDA(c) && c.versao >= 3.0; }, DscDhCont},
    {"#057", "dhCont", tcDatHor, 19, 19, 1, DataDe<&TIde::dhCont>,
     [](const CIde &c) { return FSDA(c) && c.versao < 3.0; }, DscDhCont},
    {"#058", "xJust", tcStr, 15, 256, 1, Membro<&TIde::xJust>, FSDA,
     "Justificativa de entrada em contingencia"},
};

using CToma03 = Ctx<TToma03>;
using LToma03 = Linha<CToma03>;
constexpr LToma03 kToma03[] = {
    {"#036", "toma", tcStr, 1, 1, 1, CodigoDe<&TToma03::Toma, TpTomadorToStr>, Sempre,
     "Tomador do Serviço"},
};

} // namespace

TCTeW::TCTeW(TCTe &AOwner) : FCTe(AOwner)
{
    FGerador.SetIgnorarTagNivel("|?xml version|CTe xmlns|infCte versao|ObsCont|ObsFisco|");
    FGerador.Opcoes().QuebraLinha = ";";
}

TCTeW::~TCTeW() = default;

bool TCTeW::GerarXml()
{
    FGerador.Iniciar();
    bool ok = false;
    FVersaoDF = DblToVersaoCTe(ok, FCTe.infCTe.versao);

    TIde &ide = FCTe.ide;
    FChaveCTe = dfe::GerarChaveAcesso(ide.cUF, ide.dhEmi, FCTe.emit.CNPJ, ide.serie, ide.nCT,
                                      rtl::StrToIntDef(dfe::TpEmisToStr(ide.tpEmis), 0),
                                      ide.cCT, ide.modelo);
    FCTe.infCTe.Id = "CTe" + FChaveCTe;
    ide.cDV = dfe::ExtrairDigitoChaveAcesso(FCTe.infCTe.Id);
    ide.cCT = dfe::ExtrairCodigoChaveAcesso(FCTe.infCTe.Id);

    const std::string versao = FCTe.infCTe.VersaoStr();
    const std::string xmlns = AtributoNameSpace();
    const bool comProtocolo = Preenchido(FCTe.procCTe.nProt);
    const bool os = ide.modelo == 67;
    const char *envelope = ide.modelo == 57 ? "cteProc" : "cteOSProc";

    if (comProtocolo)
        FGerador.wGrupo(std::string(envelope) + " " + versao + " " + xmlns);
    if (os)
        FGerador.wGrupo("CTeOS " + xmlns + " " + versao);
    else
        FGerador.wGrupo("CTe " + xmlns);
    FGerador.wGrupo("infCte " + versao + " Id=\"" + FCTe.infCTe.Id + "\"");
    GerarInfCTe();
    FGerador.wGrupo("/infCte");

    if (!FCTe.infCTeSupl.qrCodCTe.empty())
        EscreverGrupo(FGerador, "infCTeSupl", "", kinfCTeSupl, Contexto(*this, FCTe.infCTeSupl));

    if (AssinaturaDeveSerGerada(FOpcoes.GerarTagAssinatura, FCTe.signature, true)) {
        FCTe.signature.URI = "#CTe" + util::OnlyNumber(FCTe.infCTe.Id);
        FCTe.signature.Gerador().Opcoes().IdentarXML = FGerador.Opcoes().IdentarXML;
        FCTe.signature.GerarXML();
        FGerador.wTexto(FCTe.signature.Gerador().ArquivoFormatoXML());
    }

    FGerador.wGrupo(os ? "/CTeOS" : "/CTe");

    if (comProtocolo) {
        FGerador.wTexto(TextoProtocolo(FCTe));
        FGerador.wGrupo(std::string("/") + envelope);
    }

    FGerador.gtAjustarRegistros(FCTe.infCTe.Id);
    return FGerador.ListaDeAlertas().Count() == 0;
}

void TCTeW::GerarInfCTe() { Escrever(FGerador, kinfCte, Contexto(*this, FCTe)); }

void TCTeW::GerarIde() { EscreverGrupo(FGerador, "ide", "#004", kIde, Contexto(*this, FCTe.ide)); }

void TCTeW::GerarToma03()
{
    EscreverGrupo(FGerador, FCTe.infCTe.versao >= 3.0 ? "toma3" : "toma03", "#035", kToma03,
                  Contexto(*this, FCTe.ide.toma03));
}

} // namespace cte

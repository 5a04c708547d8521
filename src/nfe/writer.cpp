#include "nfe/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_document.h"
#include "dfe/helpers.h"
#include "dfe/timezone.h"
#include "dfe/xmlwriter_moldura.h"
#include "nfe/component.h"
#include "rtl/datetime.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"


namespace nfe {

namespace {

// 'xmlns="http://www.portalfiscal.inf.br/nfe"'.
std::string AtributoNameSpace()
{
    std::string result = "xmlns=\"";
    result.append(NFeNameSpaceURI);
    result += '"';
    return result;
}

// The receipt date-time of the protocol: always ':' between the time's parts, whatever
// the locale's time separator, and from layout 3.10 on a zone: the one it was read with,
// else the state's.
std::string DataHoraRecebimento(const TNFe &NFe)
{
    if (NFe.infNFe.GetVersao() >= 3.1)
        return dfe::escrita::DataHoraComFuso(NFe.procNFe.dhRecbto, NFe.procNFe.dhRecbtoFuso, NFe.Ide.cUF);
    return dfe::DateTimeTodh(NFe.procNFe.dhRecbto);
}

// The authorization protocol appended to an enveloped document.
std::string TextoProtocolo(const TNFe &NFe)
{
    const TProcNFe &p = NFe.procNFe;
    const std::string versao = NFe.infNFe.VersaoStr();
    const std::string tpAmb = dfe::TpAmbToStr(p.tpAmb);
    const std::string dhRecbto = DataHoraRecebimento(NFe);
    dfe::escrita::DadosProtocolo d;
    d.raiz = "protNFe";
    d.versao = versao;
    d.tagChave = "chNFe";
    d.tpAmb = tpAmb;
    d.verAplic = p.verAplic;
    d.chave = p.chNFe;
    d.dhRecbto = dhRecbto;
    d.nProt = p.nProt;
    d.digVal = p.digVal;
    d.cStat = p.cStat;
    d.xMotivo = p.xMotivo;
    d.cMsg = p.cMsg;
    d.xMsg = p.xMsg;
    return dfe::escrita::TextoProtocolo(d);
}

using namespace linhas;

// The groups of infNFe in the layout's order; each group writer decides for itself whether
// its group is written, except the recipient of an NFC-e and the payment before 4.00.
using LinfNFe = Linha<Ctx<TNFe>>;
constexpr LinfNFe kinfNFe[] = {
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) {
        c.w.GerarIde();
        c.w.GerarEmit();
        c.w.GerarAvulsa();
    }),
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) { c.w.GerarDest(); },
                    [](const Ctx<TNFe> &c) {
                        return !c.m.Dest.CNPJCPF.empty() || !c.m.Dest.idEstrangeiro.empty() ||
                               c.m.Dest.EnderDest.UF == "EX" || c.m.Ide.modelo != 65;
                    }),
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) {
        c.w.GerarRetirada();
        c.w.GerarEntrega();
        c.w.GerarautXML();
        c.w.GerarDet();
        c.w.GerarTotal();
        c.w.GerarTransp();
        c.w.GerarCobr();
    }),
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) { c.w.Gerarpag(); },
                    [](const Ctx<TNFe> &c) {
                        return (c.versao >= 3.0 && c.m.Ide.modelo != 55) || c.versao >= 4.0;
                    }),
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) {
        c.w.GerarInfAdic();
        c.w.GerarExporta();
        c.w.GerarCompra();
        c.w.GerarCana();
    }),
    LinfNFe::Codigo([](dfe::TGerador &, const Ctx<TNFe> &c) { c.w.GerarinfRespTec(); }, De400),
};

// The QR-Code goes inside a CDATA section, written as it is. The address is escaped like
// every other value: an '&' in it would otherwise make the document malformed.
using LinfNFeSupl = Linha<Ctx<TinfNFeSupl>>;
constexpr LinfNFeSupl kinfNFeSupl[] = {
    LinfNFeSupl::Literal({"ZX02", "qrCode", dfe::tcStr, 100, 600, 1,
                          [](const Ctx<TinfNFeSupl> &c) -> rtl::Variant {
                              return "<![CDATA[" + c.m.qrCode + "]]>";
                          },
                          Sempre, "Texto com o QR-Code impresso no DANFE NFC-e."}),
    {"ZX03", "urlChave", dfe::tcStr, 21, 85, 1, Membro<&TinfNFeSupl::urlChave>, De400,
     "URL de consulta por chave de acesso a ser impressa no DANFE NFC-e"},
};

} // namespace

TNFeW::TNFeW(TNFe &AOwner) : FNFe(AOwner)
{
    FGerador.SetIgnorarTagNivel("|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|");
    FGerador.Opcoes().QuebraLinha = ";";
}

TNFeW::~TNFeW() = default;

std::string TNFeW::ObterNomeArquivo() const
{
    return util::OnlyNumber(FNFe.infNFe.ID) + "-nfe.xml";
}

void TNFeW::Iniciar()
{
    // Iniciar also resets the group path and the indentation, so a second generation's
    // alerts never carry the first one's envelope.
    FGerador.Iniciar();
    FUsar_tcDe4 = FNFe.infNFe.GetVersao() >= 3.1;
    FVersao = rtl::Copy(FNFe.infNFe.VersaoStr(), 9, 4);
}

bool TNFeW::GerarXml()
{
    Iniciar();

    // The access key, written back so that the DANFE and a second generation see it.
    const std::string emitente =
        FNFe.Avulsa.CNPJ.empty() ? FNFe.Emit.CNPJCPF : FNFe.Avulsa.CNPJ;
    FChaveNFe = dfe::GerarChaveAcesso(FNFe.Ide.cUF, FNFe.Ide.dEmi, emitente, FNFe.Ide.serie,
                                      FNFe.Ide.nNF,
                                      rtl::StrToIntDef(dfe::TpEmisToStr(FNFe.Ide.tpEmis), 0),
                                      FNFe.Ide.cNF, FNFe.Ide.modelo);
    FNFe.infNFe.ID = "NFe" + FChaveNFe;
    FNFe.Ide.cDV = dfe::ExtrairDigitoChaveAcesso(FChaveNFe);
    const int codigo = dfe::ExtrairCodigoChaveAcesso(FChaveNFe);
    // A document read with a zero code carries a code below -1, which the key keeps as
    // zeros. Writing 0 back would make the next generation draw a random code and change
    // the key, so such a code stays as it was.
    if (!(codigo == 0 && FNFe.Ide.cNF < -1))
        FNFe.Ide.cNF = codigo;

    const std::string versao = FNFe.infNFe.VersaoStr();
    const std::string xmlns = AtributoNameSpace();
    const bool comProtocolo = !FNFe.procNFe.nProt.empty();

    if (comProtocolo)
        FGerador.wGrupo("nfeProc " + versao + " " + xmlns);
    FGerador.wGrupo("NFe " + xmlns);
    FGerador.wGrupo("infNFe " + versao + " Id=\"" + FNFe.infNFe.ID + "\"");
    GerarInfNFe();
    FGerador.wGrupo("/infNFe");

    if (!FNFe.infNFeSupl.qrCode.empty())
        linhas::EscreverGrupo(FGerador, "infNFeSupl", "", kinfNFeSupl,
                              linhas::Contexto(*this, FNFe.infNFeSupl));

    if (dfe::escrita::AssinaturaDeveSerGerada(FOpcoes.GerarTagAssinatura, FNFe.signature)) {
        FNFe.signature.URI = "#NFe" + util::OnlyNumber(FNFe.infNFe.ID);
        FNFe.signature.Gerador().Opcoes().IdentarXML = FGerador.Opcoes().IdentarXML;
        FNFe.signature.GerarXML();
        FGerador.wTexto(FNFe.signature.Gerador().ArquivoFormatoXML());
    }

    FGerador.wGrupo("/NFe");

    if (comProtocolo) {
        FGerador.wTexto(TextoProtocolo(FNFe));
        FGerador.wGrupo("/nfeProc");
    }

    FGerador.gtAjustarRegistros(FNFe.infNFe.ID);
    return FGerador.ListaDeAlertas().Count() == 0;
}

void TNFeW::GerarInfNFe()
{
    linhas::Escrever(FGerador, kinfNFe, linhas::Contexto(*this, FNFe));
}

} // namespace nfe

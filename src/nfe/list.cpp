#include "nfe/list.h"

#include "nfe/codes.h"
#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "dfe/loader.h"
#include "dfe/accesskey.h"
#include "rtl/encoding.h"
#include "rtl/files.h"
#include "dfe/timezone.h"
#include "rtl/datetime.h"
#include "util/toolbox.h"
#include "util/encoding.h"

#include <functional>

namespace nfe {

NotaFiscal::NotaFiscal(TNotasFiscais &Collection)
    : FColecao(&Collection), FNFeR(FNFe), FNFeW(FNFe), FConfiguracoes(&Collection.Configuracoes())
{
    // The component's defaults survive only where the document lacks the whole group.
    const TConfiguracoesNFe &conf = *FConfiguracoes;
    FNFe.Ide.modelo = conf.Geral().ModeloDF() == moNFCe ? 65 : 55;
    FNFe.infNFe.Versao = VersaoDFToDbl(conf.Geral().VersaoDF());
    FNFe.Ide.tpNF = dfe::tnSaida;
    FNFe.Ide.indPag = dfe::ipVista;
    FNFe.Ide.verProc = "OvixNFe";
    FNFe.Ide.tpAmb = conf.WebServices().Ambiente();
    FNFe.Ide.tpEmis = conf.Geral().FormaEmissao();
    if (const TDANFeLink *danfe = Collection.OvixNFe().DANFE())
        FNFe.Ide.tpImp = danfe->TipoDANFE();
    FNFe.Emit.EnderEmit.xPais = "BRASIL";
    FNFe.Emit.EnderEmit.cPais = 1058;
    FNFe.Emit.EnderEmit.nro = "SEM NUMERO";
    FNFe.Dest.EnderDest.xPais = "BRASIL";
    FNFe.Dest.EnderDest.cPais = 1058;
}

void NotaFiscal::SetXMLOriginal(std::string_view AXML)
{
    // A UTF-8 text is kept as it is. Assigned into the previous text's buffer, it spares
    // a regeneration a fresh document-sized block of memory.
    const std::less_equal<const char *> ate;
    const bool dentro = ate(FXMLOriginal.data(), AXML.data()) &&
                        ate(AXML.data(), FXMLOriginal.data() + FXMLOriginal.size());
    if (!dentro && util::XmlEhUTF8(AXML))
        FXMLOriginal.assign(AXML);
    else
        FXMLOriginal = util::ConverteXMLtoUTF8(AXML);
    if (dfe::XmlEstaAssinado(FXMLOriginal))
        FXMLAssinado = FXMLOriginal;
    else
        FXMLAssinado = std::string();
}

bool NotaFiscal::LerXML(std::string_view AXML)
{
    SetXMLOriginal(AXML);
    std::string documento = dfe::DecodificarEntidadesDocumento(AXML);
    documento = dfe::RemoverNameSpace(documento, NFeNameSpaceURI);
    FNFeR.Leitor().SetArquivo(std::move(documento));
    FNFeR.LerXml();
    return true;
}

std::string NotaFiscal::GerarXML()
{
    const std::string idAnterior = FNFe.infNFe.ID;
    const TConfiguracoesNFe &conf = *FConfiguracoes;

    dfe::TGeradorOpcoes &gerador = FNFeW.Gerador().Opcoes();
    gerador.FormatoAlerta = conf.Geral().FormatoAlerta();
    gerador.RetirarAcentos = conf.Geral().RetirarAcentos();
    gerador.RetirarEspacos = conf.Geral().RetirarEspacos();
    gerador.IdentarXML = conf.Geral().IdentarXML();
    TGeradorOpcoes &opcoes = FNFeW.Opcoes();
    opcoes.NormatizarMunicipios = conf.Arquivos().NormatizarMunicipios();
    opcoes.PathArquivoMunicipios = conf.Arquivos().PathArquivoMunicipios();
    opcoes.CamposFatObrigatorios = conf.Geral().CamposFatObrigatorios();
    opcoes.ForcarGerarTagRejeicao938 = conf.Geral().ForcarGerarTagRejeicao938();
    opcoes.GerarTXTSimultaneamente = false;
    dfe::TimeZoneConf().Assign(conf.WebServices().TimeZoneConf());
    FNFeW.IdCSRT = conf.RespTec().IdCSRT();
    FNFeW.CSRT = conf.RespTec().CSRT();

    // The regenerated text is about as long as the one read.
    FNFeW.Gerador().ReservarArquivoFormatoXML(FXMLOriginal.size() + FXMLOriginal.size() / 8);
    FNFeW.GerarXml();

    SetXMLOriginal(FNFeW.Gerador().ArquivoFormatoXML());
    if (!FNomeArq.empty() && FNFe.infNFe.ID != idAnterior)
        FNomeArq = CalcularNomeArquivoCompleto("", rtl::ExtractFilePath(FNomeArq));

    FAlertas = FNFeW.Gerador().ListaDeAlertas().Text();
    return FXMLOriginal;
}

std::string NotaFiscal::CalcularNomeArquivo() const
{
    const std::string digitos = util::OnlyNumber(FNFe.infNFe.ID);
    if (digitos.empty())
        throw EOvixNFeException("ID Inválido. Impossível Salvar XML");
    return digitos + "-nfe.xml";
}

std::string NotaFiscal::CalcularPathArquivo() const
{
    const TConfiguracoesNFe &conf = *FConfiguracoes;
    const rtl::TDateTime data =
        conf.Arquivos().EmissaoPathNFe() ? FNFe.Ide.dEmi : rtl::Now();
    return rtl::IncludeTrailingPathDelimiter(conf.Arquivos().GetPathNFe(
        data, FNFe.Emit.CNPJCPF, FNFe.Emit.IE, FNFe.Ide.modelo));
}

std::string NotaFiscal::CalcularNomeArquivoCompleto(std::string NomeArquivo,
                                                    std::string PathArquivo) const
{
    if (NomeArquivo.empty())
        NomeArquivo = CalcularNomeArquivo();
    if (!rtl::ExtractFilePath(NomeArquivo).empty())
        return NomeArquivo;
    const std::string pasta = PathArquivo.empty()
                                  ? CalcularPathArquivo()
                                  : rtl::IncludeTrailingPathDelimiter(PathArquivo);
    return pasta + NomeArquivo;
}

TDANFeLink &NotaFiscal::DANFE() const
{
    TDANFeLink *danfe = FColecao->OvixNFe().DANFE();
    if (danfe == nullptr)
        throw EOvixNFeException("Componente DA" + ModeloDFToPrefixo(FConfiguracoes->Geral().ModeloDF()) +
                                " não associado.");
    return *danfe;
}

void NotaFiscal::Imprimir()
{
    DANFE().ImprimirDANFE(&FNFe);
}

void NotaFiscal::ImprimirPDF()
{
    DANFE().ImprimirDANFEPDF(&FNFe);
}

TNotasFiscais::TNotasFiscais(rtl::TComponent *AOwner)
    : FOvixNFe(dynamic_cast<TOvixNFe *>(AOwner)), FConfiguracoes(nullptr)
{
    if (FOvixNFe == nullptr)
        throw EOvixNFeException("AOwner deve ser do tipo TOvixNFe");
    FConfiguracoes = &FOvixNFe->Configuracoes();
}

NotaFiscal &TNotasFiscais::Add()
{
    return FItems.New(*this);
}

void TNotasFiscais::VerificarDANFE() const
{
    if (FOvixNFe->DANFE() == nullptr)
        throw EOvixNFeException("Componente DANFE não associado.");
}

// The DANFE gets no document and takes every one of this list itself.
void TNotasFiscais::Imprimir()
{
    VerificarDANFE();
    FOvixNFe->DANFE()->ImprimirDANFE(nullptr);
}

void TNotasFiscais::ImprimirCancelado()
{
    VerificarDANFE();
    FOvixNFe->DANFE()->ImprimirDANFECancelado(nullptr);
}

void TNotasFiscais::ImprimirResumido()
{
    VerificarDANFE();
    FOvixNFe->DANFE()->ImprimirDANFEResumido(nullptr);
}

void TNotasFiscais::ImprimirPDF()
{
    VerificarDANFE();
    FOvixNFe->DANFE()->ImprimirDANFEPDF(nullptr);
}

void TNotasFiscais::ImprimirResumidoPDF()
{
    VerificarDANFE();
    FOvixNFe->DANFE()->ImprimirDANFEResumidoPDF(nullptr);
}

bool TNotasFiscais::LoadFromFile(const std::string &CaminhoArquivo, bool AGerarNFe)
{
    const std::string texto = dfe::DecodificarArquivoXML(rtl::ReadFileBytes(CaminhoArquivo));
    const int antes = Count();
    const bool carregou = CarregarTexto(texto, AGerarNFe);
    if (carregou)
        for (int i = antes; i < Count(); ++i)
            Items(i).SetNomeArq(CaminhoArquivo);
    return carregou;
}

bool TNotasFiscais::LoadFromString(std::string_view AXMLString, bool AGerarNFe)
{
    return CarregarTexto(rtl::HeldInAnsi(util::ConverteXMLtoNativeString(AXMLString)), AGerarNFe);
}

bool TNotasFiscais::CarregarTexto(std::string_view texto, bool AGerarNFe)
{
    for (const std::string_view peca : dfe::SepararDocumentos(texto, dfe::TagsNFe)) {
        NotaFiscal &nota = Add();
        nota.LerXML(peca);
        if (AGerarNFe)
            nota.GerarXML();
    }
    return Count() > 0;
}

} // namespace nfe

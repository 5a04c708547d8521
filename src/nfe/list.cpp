#include "nfe/list.h"

#include "nfe/codes.h"
#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "rtl/datetime.h"
#include "rtl/files.h"
#include "util/toolbox.h"

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

bool NotaFiscal::LerXML(std::string_view AXML)
{
    PrepararLeitura(AXML, NFeNameSpaceURI, FNFeR.Leitor());
    FNFeR.LerXml();
    return true;
}

std::string NotaFiscal::GerarXML()
{
    const std::string idAnterior = FNFe.infNFe.ID;
    const TConfiguracoesNFe &conf = *FConfiguracoes;

    PrepararGerador(FNFeW.Gerador(), conf);
    TGeradorOpcoes &opcoes = FNFeW.Opcoes();
    opcoes.NormatizarMunicipios = conf.Arquivos().NormatizarMunicipios();
    opcoes.PathArquivoMunicipios = conf.Arquivos().PathArquivoMunicipios();
    opcoes.CamposFatObrigatorios = conf.Geral().CamposFatObrigatorios();
    opcoes.ForcarGerarTagRejeicao938 = conf.Geral().ForcarGerarTagRejeicao938();
    opcoes.GerarTXTSimultaneamente = false;
    FNFeW.IdCSRT = conf.RespTec().IdCSRT();
    FNFeW.CSRT = conf.RespTec().CSRT();
    FNFeW.GerarXml();

    GuardarGerado(FNFeW.Gerador(), FNFe.infNFe.ID != idAnterior);
    return XMLOriginal();
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
    : TListaDocumentos(dfe::TagsNFe), FOvixNFe(dynamic_cast<TOvixNFe *>(AOwner)), FConfiguracoes(nullptr)
{
    if (FOvixNFe == nullptr)
        throw EOvixNFeException("AOwner deve ser do tipo TOvixNFe");
    FConfiguracoes = &FOvixNFe->Configuracoes();
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

} // namespace nfe

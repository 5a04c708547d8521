#include "mdfe/list.h"

#include "mdfe/codes.h"
#include "mdfe/component.h"
#include "mdfe/settings.h"

#include "rtl/datetime.h"
#include "rtl/files.h"
#include "util/toolbox.h"

namespace mdfe {

Manifesto::Manifesto(TManifestos &Collection)
    : FColecao(&Collection), FMDFeW(FMDFe), FMDFeR(FMDFe), FConfiguracoes(&Collection.Configuracoes())
{
    // The component's defaults survive only where the document lacks them.
    const TConfiguracoesMDFe &conf = *FConfiguracoes;
    FMDFe.Ide.modelo = "58";
    FMDFe.Ide.verProc = "OvixMDFe";
    FMDFe.Ide.tpAmb = conf.WebServices().Ambiente();
    FMDFe.Ide.tpEmis = conf.Geral().FormaEmissao();
    FMDFe.infMDFe.versao = VersaoMDFeToDbl(conf.Geral().VersaoDF());
}

bool Manifesto::LerXML(std::string_view AXML)
{
    PrepararLeitura(AXML, MDFeNameSpaceURI, FMDFeR.Leitor());
    FMDFeR.LerXml();
    return true;
}

std::string Manifesto::GerarXML()
{
    const std::string idAnterior = FMDFe.infMDFe.Id;
    const TConfiguracoesMDFe &conf = *FConfiguracoes;

    PrepararGerador(FMDFeW.Gerador(), conf);
    TGeradorOpcoes &opcoes = FMDFeW.Opcoes();
    opcoes.NormatizarMunicipios = conf.Arquivos().NormatizarMunicipios();
    opcoes.PathArquivoMunicipios = conf.Arquivos().PathArquivoMunicipios();
    FMDFeW.IdCSRT = conf.RespTec().IdCSRT();
    FMDFeW.CSRT = conf.RespTec().CSRT();
    FMDFeW.GerarXml();

    GuardarGerado(FMDFeW.Gerador(), FMDFe.infMDFe.Id != idAnterior);
    return XMLOriginal();
}

int Manifesto::cStat() const noexcept
{
    return FMDFe.procMDFe.cStat;
}

const std::string &Manifesto::Msg() const noexcept
{
    return FMDFe.procMDFe.xMotivo;
}

std::string Manifesto::NumID() const
{
    return util::OnlyNumber(FMDFe.infMDFe.Id);
}

bool Manifesto::Confirmado() const
{
    return FColecao->OvixMDFe().cStatConfirmado(cStat());
}

bool Manifesto::Processado() const
{
    return FColecao->OvixMDFe().cStatProcessado(cStat());
}

bool Manifesto::Cancelado() const
{
    return FColecao->OvixMDFe().cStatCancelado(cStat());
}

dfe::TOvixDFe &Manifesto::ComponenteDFe() const
{
    return FColecao->OvixMDFe();
}

std::string Manifesto::CalcularNomeArquivo() const
{
    const std::string digitos = NumID();
    if (digitos.empty())
        throw EOvixMDFeException("ID Inválido. Impossível Salvar XML");
    return digitos + "-mdfe.xml";
}

std::string Manifesto::CalcularPathArquivo() const
{
    const TConfiguracoesMDFe &conf = *FConfiguracoes;
    const rtl::TDateTime data = conf.Arquivos().EmissaoPathMDFe() ? FMDFe.Ide.dhEmi : rtl::Now();
    return rtl::IncludeTrailingPathDelimiter(
        conf.Arquivos().GetPathMDFe(data, FMDFe.emit.CNPJCPF, FMDFe.emit.IE));
}

TDAMDFeLink &Manifesto::DAMDFE() const
{
    FColecao->VerificarDAMDFE();
    return *FColecao->OvixMDFe().DAMDFE();
}

void Manifesto::Imprimir()
{
    DAMDFE().ImprimirDAMDFe(&FMDFe);
}

void Manifesto::ImprimirPDF()
{
    DAMDFE().ImprimirDAMDFePDF(&FMDFe);
}

TManifestos::TManifestos(rtl::TComponent *AOwner)
    : TListaDocumentos(dfe::TagsMDFe), FOvixMDFe(dynamic_cast<TOvixMDFe *>(AOwner)), FConfiguracoes(nullptr)
{
    if (FOvixMDFe == nullptr)
        throw EOvixMDFeException("AOwner deve ser do tipo TOvixMDFe");
    FConfiguracoes = &FOvixMDFe->Configuracoes();
}

void TManifestos::VerificarDAMDFE() const
{
    if (FOvixMDFe->DAMDFE() == nullptr)
        throw EOvixMDFeException("Componente DAMDFE não associado.");
}

// The DAMDFE gets no document and takes every one of this list itself.
void TManifestos::Imprimir()
{
    VerificarDAMDFE();
    FOvixMDFe->DAMDFE()->ImprimirDAMDFe(nullptr);
}

void TManifestos::ImprimirPDF()
{
    VerificarDAMDFE();
    FOvixMDFe->DAMDFE()->ImprimirDAMDFePDF(nullptr);
}

} // namespace mdfe

#include "nfe/list.h"

#include "nfe/codes.h"
#include "nfe/component.h"
#include "nfe/danfeclass.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "dfe/dfeloader.h"
#include "dfe/ovixdfeutil.h"
#include "rtl/encoding.h"
#include "rtl/files.h"
#include "util/ovixutil_encoding.h"

namespace nfe {

NotaFiscal::NotaFiscal(TNotasFiscais &Collection)
    : FColecao(&Collection), FNFeR(FNFe), FConfiguracoes(&Collection.Configuracoes())
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
    FNFe.Emit.EnderEmit.xPais = "BRASIL";
    FNFe.Emit.EnderEmit.cPais = 1058;
    FNFe.Emit.EnderEmit.nro = "SEM NUMERO";
    FNFe.Dest.EnderDest.xPais = "BRASIL";
    FNFe.Dest.EnderDest.cPais = 1058;
}

void NotaFiscal::SetXMLOriginal(std::string_view AXML)
{
    FXMLOriginal = util::ConverteXMLtoUTF8(AXML);
    FXMLAssinado = dfe::XmlEstaAssinado(FXMLOriginal) ? FXMLOriginal : std::string();
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

TOvixDFeDANFeReport &NotaFiscal::DANFE() const
{
    TOvixDFeDANFeReport *danfe = FColecao->OvixNFe().DANFE();
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
    // Regenerating the XML from the model belongs to the writer; until the list has one,
    // loading reads only, whatever AGerarNFe asks.
    (void)AGerarNFe;
    for (const std::string_view peca : dfe::SepararDocumentos(texto, dfe::TagsNFe))
        Add().LerXML(peca);
    return Count() > 0;
}

} // namespace nfe

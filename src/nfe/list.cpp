#include "nfe/list.h"

#include "nfe/codes.h"
#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "rtl/datetime.h"
#include "rtl/files.h"
#include "util/encoding.h"
#include "util/toolbox.h"

#include <cstdint>

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

int NotaFiscal::cStat() const noexcept
{
    return FNFe.procNFe.cStat;
}

const std::string &NotaFiscal::Msg() const noexcept
{
    return FNFe.procNFe.xMotivo;
}

std::string NotaFiscal::NumID() const
{
    return util::OnlyNumber(FNFe.infNFe.ID);
}

bool NotaFiscal::Confirmada() const
{
    return FColecao->OvixNFe().CstatConfirmada(cStat());
}

bool NotaFiscal::Processada() const
{
    return FColecao->OvixNFe().CstatProcessado(cStat());
}

bool NotaFiscal::Cancelada() const
{
    return FColecao->OvixNFe().CstatCancelada(cStat());
}

std::string NotaFiscal::ObterNFeXML(std::string_view AXML)
{
    std::string nfe;
    if (AXML.find("<NFe xmlns") != std::string_view::npos) {
        nfe = util::RetornarConteudoEntre(AXML, "<NFe xmlns", "</NFe>", true);
    } else {
        const std::string conteudo = util::LerTagXML(AXML, "NFe");
        if (!conteudo.empty())
            nfe = "<NFe>" + conteudo + "</NFe>";
    }
    if (nfe.empty())
        return nfe;
    return util::ObtemDeclaracaoXML(AXML) + nfe;
}

bool NotaFiscal::ValidarConcatChave() const
{
    // Each field as the key writes it; a value with more digits than its slot never agrees.
    const auto digitos = [](std::int64_t valor, int tamanho) {
        std::string texto = std::to_string(valor);
        if (static_cast<int>(texto.size()) < tamanho)
            texto.insert(0, static_cast<std::size_t>(tamanho) - texto.size(), '0');
        return texto;
    };
    const TIde &ide = FNFe.Ide;
    int ano = 0, mes = 0, dia = 0;
    rtl::DecodeDate(ide.dEmi, ano, mes, dia);
    const std::string cnpjcpf = util::OnlyNumber(FNFe.Emit.CNPJCPF);
    const std::string campos[] = {
        digitos(ide.cUF, 2),
        digitos(ano % 100, 2),
        digitos(mes, 2),
        cnpjcpf.size() < 14 ? std::string(14 - cnpjcpf.size(), '0') + cnpjcpf : cnpjcpf,
        digitos(ide.modelo, 2),
        digitos(ide.serie, 3),
        digitos(ide.nNF, 9),
        dfe::TpEmisToStr(ide.tpEmis),
        // -2 keeps a zero code through a new key.
        digitos(ide.cNF == -2 ? 0 : ide.cNF, 8),
    };
    const std::string chave = NumID();
    std::size_t posicao = 0;
    for (const std::string &campo : campos) {
        if (posicao + campo.size() > chave.size() || chave.compare(posicao, campo.size(), campo) != 0)
            return false;
        posicao += campo.size();
    }
    return true;
}

dfe::TOvixDFe &NotaFiscal::ComponenteDFe() const
{
    return FColecao->OvixNFe();
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

#include "cte/list.h"

#include "cte/codes.h"
#include "cte/component.h"
#include "cte/settings.h"

#include "dfe/loader.h"
#include "rtl/datetime.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <array>

namespace cte {

namespace {

// Where a CT-e OS (or its envelope) opens in a piece: the first of the three opening tags
// whose name ends there (a blank, '>' or '/' follows). npos when none does.
std::size_t InicioCTeOS(std::string_view peca)
{
    static constexpr std::array<std::string_view, 3> Aberturas = {"<cteOSProc", "<procCTeOS", "<CTeOS"};
    std::size_t melhor = std::string_view::npos;
    for (const std::string_view abertura : Aberturas) {
        for (std::size_t p = peca.find(abertura); p != std::string_view::npos && p < melhor;
             p = peca.find(abertura, p + 1)) {
            const std::size_t depois = p + abertura.size();
            const char c = depois < peca.size() ? peca[depois] : '\0';
            if (c == '>' || c == '/' || (c != '\0' && static_cast<unsigned char>(c) <= ' ')) {
                melhor = p;
                break;
            }
        }
    }
    return melhor;
}

} // namespace

Conhecimento::Conhecimento(TConhecimentos &Collection)
    : FColecao(&Collection), FCTeW(FCTe), FCTeR(FCTe), FConfiguracoes(&Collection.Configuracoes())
{
    // The component's defaults survive only where the document lacks them.
    const TConfiguracoesCTe &conf = *FConfiguracoes;
    FCTe.ide.modelo = rtl::StrToIntDef(ModeloCTeToStr(conf.Geral().ModeloDF()), 0);
    FCTe.infCTe.versao = VersaoCTeToDbl(conf.Geral().VersaoDF());
    FCTe.ide.tpCTe = tcNormal;
    FCTe.ide.verProc = "OvixCTe";
    FCTe.ide.tpAmb = conf.WebServices().Ambiente();
    FCTe.ide.tpEmis = conf.Geral().FormaEmissao();
    FCTe.ide.indGlobalizado = dfe::tiNao;
    FCTe.infCTeNorm.infCteSub.indAlteraToma = dfe::tiNao;
    if (const TDACTeLink *dacte = Collection.OvixCTe().DACTE())
        FCTe.ide.tpImp = dacte->TipoDACTE();
}

bool Conhecimento::LerXML(std::string_view AXML)
{
    // The reader finds its groups whatever namespace the document declares, so the
    // declaration stays in the text it gets.
    SetXMLOriginal(AXML);
    FCTeR.Leitor().SetArquivo(dfe::DecodificarEntidadesDocumento(AXML));
    FCTeR.LerXml();
    return true;
}

std::string Conhecimento::GerarXML()
{
    const std::string idAnterior = FCTe.infCTe.Id;
    const TConfiguracoesCTe &conf = *FConfiguracoes;

    PrepararGerador(FCTeW.Gerador(), conf);
    TGeradorOpcoes &opcoes = FCTeW.Opcoes();
    opcoes.NormatizarMunicipios = conf.Arquivos().NormatizarMunicipios();
    opcoes.PathArquivoMunicipios = conf.Arquivos().PathArquivoMunicipios();
    FCTeW.IdCSRT = conf.RespTec().IdCSRT();
    FCTeW.CSRT = conf.RespTec().CSRT();
    FCTeW.GerarXml();

    GuardarGerado(FCTeW.Gerador(), FCTe.infCTe.Id != idAnterior);
    return XMLOriginal();
}

int Conhecimento::cStat() const noexcept
{
    return FCTe.procCTe.cStat;
}

const std::string &Conhecimento::Msg() const noexcept
{
    return FCTe.procCTe.xMotivo;
}

std::string Conhecimento::NumID() const
{
    return rtl::Trim(util::OnlyNumber(FCTe.infCTe.Id));
}

bool Conhecimento::Confirmado() const
{
    return FColecao->OvixCTe().cStatConfirmado(cStat());
}

bool Conhecimento::Processado() const
{
    return FColecao->OvixCTe().cStatProcessado(cStat());
}

bool Conhecimento::Cancelado() const
{
    return FColecao->OvixCTe().cStatCancelado(cStat());
}

dfe::TOvixDFe &Conhecimento::ComponenteDFe() const
{
    return FColecao->OvixCTe();
}

std::string Conhecimento::CalcularNomeArquivo() const
{
    const std::string digitos = NumID();
    if (digitos.empty())
        throw EOvixCTeException("ID Inválido. Impossível Salvar XML");
    return digitos + "-cte.xml";
}

std::string Conhecimento::CalcularPathArquivo() const
{
    const TConfiguracoesCTe &conf = *FConfiguracoes;
    const rtl::TDateTime data = conf.Arquivos().EmissaoPathCTe() ? FCTe.ide.dhEmi : rtl::Now();
    return util::PathWithDelim(conf.Arquivos().GetPathCTe(data, FCTe.emit.CNPJ, FCTe.emit.IE, 0));
}

TDACTeLink &Conhecimento::DACTE() const
{
    FColecao->VerificarDACTE();
    return *FColecao->OvixCTe().DACTE();
}

void Conhecimento::Imprimir()
{
    DACTE().ImprimirDACTE(&FCTe);
}

void Conhecimento::ImprimirPDF()
{
    DACTE().ImprimirDACTEPDF(&FCTe);
}

TConhecimentos::TConhecimentos(rtl::TComponent *AOwner)
    : TListaDocumentos(dfe::TagsCTe), FOvixCTe(dynamic_cast<TOvixCTe *>(AOwner)), FConfiguracoes(nullptr)
{
    if (FOvixCTe == nullptr)
        throw EOvixCTeException("AOwner deve ser do tipo TOvixCTe");
    FConfiguracoes = &FOvixCTe->Configuracoes();
}

std::vector<std::string_view> TConhecimentos::Separar(std::string_view texto) const
{
    if (texto.find("</CTeOS>") == std::string_view::npos)
        return dfe::SepararDocumentos(texto, dfe::TagsCTe);
    std::vector<std::string_view> pecas = dfe::SepararDocumentos(texto, dfe::TagsCTeOS);
    for (std::string_view &peca : pecas) {
        const std::size_t inicio = InicioCTeOS(peca);
        if (inicio != std::string_view::npos)
            peca.remove_prefix(inicio);
    }
    return pecas;
}

void TConhecimentos::VerificarDACTE() const
{
    if (FOvixCTe->DACTE() == nullptr)
        throw EOvixCTeException("Componente DACTE não associado.");
}

// The DACTE gets no document and takes every one of this list itself.
void TConhecimentos::Imprimir(bool ExibeICMS)
{
    VerificarDACTE();
    FOvixCTe->DACTE()->SetExibeICMS(ExibeICMS);
    FOvixCTe->DACTE()->ImprimirDACTE(nullptr);
}

void TConhecimentos::ImprimirPDF()
{
    VerificarDACTE();
    FOvixCTe->DACTE()->ImprimirDACTEPDF(nullptr);
}

} // namespace cte

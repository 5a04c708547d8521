// The transported documents: the table of two documents a row, filled once per document,
// and the band that lists them, 10 rows on page 1 and the rest on continuation pages.

#include "cte/dacte/component.h"
#include "cte/dacte/layout.h"

#include "dfe/accesskey.h"
#include "dfe/report/layout_construcao.h"
#include "rtl/text.h"
#include "util/formatter.h"
#include "util/toolbox.h"

#include <algorithm>

namespace cte {

namespace {

using report::HAlign;
using TCampo = TDocumentosDACTe::TCampo;

// Rows of the table on page 1, and on each continuation page.
constexpr int kLinhasPrimeiraPagina = 10;
constexpr int kLinhasContinuacao = 71;
// The height of one listed document.
constexpr double kAlturaLinha = 12;
// The memos' and the divider's design heights.
constexpr double kAlturaMemos = 50;
constexpr double kAlturaDivisor = 69;
// The listed lines' size, and the least it shrinks to for a long line.
constexpr int kFonteDocumentos = 9;
constexpr int kMenorFonteDocumentos = 6;
// Below the last listed line, above the band's bottom border.
constexpr double kFolgaInferior = 1;

report::Font Times(int pixels, bool negrito = false)
{
    return dfe::CriarFonte(pixels, negrito, "Times New Roman");
}

// The number inside an access key.
std::string NumeroDaChave(std::string_view chave)
{
    return rtl::Copy(chave, 26, 9);
}

// Fills the table: each document takes the left half of a new row or the right half of
// the current one, by its running index.
class TPreenchimento {
public:
    explicit TPreenchimento(TDocumentosDACTe &tabela) : FTabela(tabela) {}

    // The cells of one document; an empty cell is not written.
    void Documento(const std::string &tipo, const std::string &cnpjcpf, const std::string &documento)
    {
        const bool esquerda = FIndice % 2 == 0;
        if (esquerda)
            FLinha = &FTabela.Append();
        const int base = esquerda ? TDocumentosDACTe::TIPO_1 : TDocumentosDACTe::TIPO_2;
        if (!tipo.empty())
            (*FLinha)[base] = tipo;
        if (!cnpjcpf.empty())
            (*FLinha)[base + 1] = cnpjcpf;
        if (!documento.empty())
            (*FLinha)[base + 2] = documento;
        ++FIndice;
    }
    // Whether the next document goes to the left half.
    bool Esquerda() const noexcept { return FIndice % 2 == 0; }

private:
    TDocumentosDACTe &FTabela;
    TDocumentosDACTe::TLinha *FLinha = nullptr;
    int FIndice = 0;
};

std::string TipoDocumentoAnterior(TpcteTipoDocumentoAnterior tpDoc)
{
    switch (tpDoc) {
    case daCTRC: return "CTRC";
    case daCTAC: return "CTAC";
    case daACT: return "ACT";
    case daNF7: return "NF M7";
    case daNF27: return "NF M27";
    case daCAN: return "CAN";
    case daCTMC: return "CTMC";
    case daATRE: return "ATRE";
    case daDTA: return "DTA";
    case daCAI: return "CAI";
    case daCCPI: return "CCPI";
    case daCA: return "CA";
    case daTIF: return "TIF";
    case daOutros: return "Outros";
    case daBL: break;
    }
    return {};
}

// Adds a listed line under the memo's others.
void AcrescentarLinha(report::Memo &memo, int &linhas, const std::string &linha)
{
    memo.text += (linhas > 0 ? "\r\n" : "") + linha;
    ++linhas;
}

// One listed line: type, issuer and document in their columns.
std::string LinhaDocumento(const std::string &tipo, const std::string &cnpjcpf, const std::string &documento)
{
    return util::PadRight(tipo, 33) + util::PadRight(cnpjcpf, 54) + documento;
}

// The size the memo's lines take, smaller when a line would not fit the column: the
// padding leaves a long document text (another kind's description and number) past the
// column's edge, and a number cut there would read as another.
int TamanhoQueCabe(const report::Memo &memo, const report::TextMeasurer &medidor)
{
    report::Font fonte = Times(kFonteDocumentos);
    double maisLarga = 0;
    std::string_view linha;
    const std::string_view texto = memo.text;
    for (std::size_t inicio = 0; inicio <= texto.size();) {
        const std::size_t fim = std::min(texto.find("\r\n", inicio), texto.size());
        const std::string_view esta = texto.substr(inicio, fim - inicio);
        if (const double w = medidor.width(esta, fonte); w > maisLarga) {
            maisLarga = w;
            linha = esta;
        }
        inicio = fim + 2;
    }
    while (fonte.pixelSize > kMenorFonteDocumentos && medidor.width(linha, fonte) > memo.bounds.width())
        --fonte.pixelSize;
    return fonte.pixelSize;
}

// The rows a continuation page has room for: what is left below the band's top, less its
// captions and the bands under it that print on every page, at most the page's 71 rows.
// Never fewer than one, so that every page takes rows and the pages come to an end.
int LinhasQueCabem(const TfrmDACTeRLRetrato &layout, const report::PrintContext &contexto)
{
    const report::Band &documentos = *layout.rlb_07_HeaderItens;
    double livre = contexto.freeHeight() - layout.rlDocOrig_tpDoc1->bounds.top() - kFolgaInferior;
    for (const auto &banda : layout.RLCTe.bands())
        if (banda->kind == report::BandKind::PageHeader && banda->order > documentos.order && banda->visible &&
            banda->pageRule == report::PageRule::Every)
            livre -= banda->preparedHeight(contexto.measurer(), layout.RLCTe.font);
    const int cabem = static_cast<int>(livre / kAlturaLinha + 0.01);
    return std::clamp(cabem, 1, kLinhasContinuacao);
}

} // namespace

void TfrmDACTeRLRetrato::CriarDocumentos()
{
    report::Band &b = *rlb_07_HeaderItens;
    dfe::CriarRotulo(b, "rllTituloDocumentos", QRectF(3, 1, 736, 10), "DOCUMENTOS ORIGINÁRIOS", Times(8, true),
                     HAlign::Center);
    dfe::CriarLinhaH(b, "rlsLinhaDocumentos", 0, 12, 742);
    rld_07_headerItens = &dfe::CriarLinhaV(b, "rld_07_headerItens", 371, 12, kAlturaDivisor);
    const report::Font legenda = Times(7);
    for (int metade = 0; metade < 2; ++metade) {
        const double x = metade == 0 ? 3 : 374;
        const std::string n = std::to_string(metade + 1);
        dfe::CriarRotulo(b, "rllTituloTpDoc" + n, QRectF(x, 13, 60, 9), "TP DOC.", legenda);
        report::Label &cnpj =
            dfe::CriarRotulo(b, "rllTituloCNPJ" + n, QRectF(x + 88, 13, 130, 9), "CNPJ/CPF EMITENTE", legenda);
        report::Label &serie =
            dfe::CriarRotulo(b, "rllTituloSerie" + n, QRectF(x + 250, 13, 115, 9), "SÉRIE/NRO. DOCUMENTO", legenda);
        report::Memo &memo =
            dfe::CriarMemo(b, "rlDocOrig_tpDoc" + n, QRectF(x, 23, 365, kAlturaMemos), Times(kFonteDocumentos));
        memo.wordWrap = false;
        if (metade == 0) {
            rllTituloCNPJ1 = &cnpj;
            rllTituloSerie1 = &serie;
            rlDocOrig_tpDoc1 = &memo;
        } else {
            rllTituloCNPJ2 = &cnpj;
            rllTituloSerie2 = &serie;
            rlDocOrig_tpDoc2 = &memo;
        }
    }
}

void TfrmDACTeRLRetrato::Itens()
{
    const TCTe &cte = CTe();
    const TInfDoc &doc = cte.infCTeNorm.infDoc;
    const TEmiDocAntCollection &anteriores = cte.infCTeNorm.docAnt.emiDocAnt;

    // Column titles: a later rule overrides an earlier one.
    const auto titulos = [this](const char *cnpj, const char *serie) {
        for (report::Label *l : {rllTituloCNPJ1, rllTituloCNPJ2})
            l->text = cnpj;
        for (report::Label *l : {rllTituloSerie1, rllTituloSerie2})
            l->text = serie;
    };
    if (doc.infNF.Count() > 0 || anteriores.Count() > 0)
        titulos("CNPJ/CPF EMITENTE", "SÉRIE/NRO. DOCUMENTO");
    if (doc.infNFe.Count() > 0 || anteriores.Count() > 0)
        titulos("CHAVE DO DF-e", "");
    if (doc.infOutros.Count() > 0)
        titulos("CNPJ/CPF EMITENTE", "");

    cdsDocumentos.Clear();
    TPreenchimento tabela(cdsDocumentos);
    const std::string remetente = util::FormatarCNPJouCPF(cte.rem.CNPJCPF);
    for (int i = 0; i < doc.infNF.Count(); ++i) {
        const TInfNFCollectionItem &nf = doc.infNF.Items(i);
        tabela.Documento("NF", remetente, nf.serie + "-" + nf.nDoc);
    }
    for (int i = 0; i < doc.infNFe.Count(); ++i) {
        const std::string &chave = doc.infNFe.Items(i).chave;
        tabela.Documento("NF-E " + NumeroDaChave(chave), dfe::FormatarChaveAcesso(chave), "");
    }
    for (int i = 0; i < doc.infOutros.Count(); ++i) {
        const TInfOutrosCollectionItem &o = doc.infOutros.Items(i);
        switch (o.tpDoc) {
        case tdDeclaracao: tabela.Documento("DECLAR", remetente, "N. Doc.: " + o.nDoc); break;
        case tdDutoviario: tabela.Documento("DUTO", remetente, "Dutoviário Doc.: " + o.nDoc); break;
        case tdCFeSAT: tabela.Documento("CF-e SAT ", remetente, "CF-e SAT.: " + o.nDoc); break;
        case tdNFCe: {
            const std::string chave = rtl::Trim(o.descOutros);
            tabela.Documento((tabela.Esquerda() ? "NFC-e " : "NFC-E ") + NumeroDaChave(chave),
                             dfe::FormatarChaveAcesso(chave), "");
            break;
        }
        case tdOutros:
            tabela.Documento("Outros", remetente, rtl::Copy(rtl::Trim(o.descOutros), 1, 20) + " Doc.: " + o.nDoc);
            break;
        }
    }
    // For each issuer its paper documents first, then its electronic ones.
    for (int i = 0; i < anteriores.Count(); ++i) {
        const TEmiDocAntCollectionItem &emissor = anteriores.Items(i);
        const std::string cnpjcpf = util::FormatarCNPJouCPF(emissor.CNPJCPF);
        for (int j = 0; j < emissor.idDocAnt.Count(); ++j) {
            const TIdDocAntPapCollection &papeis = emissor.idDocAnt.Items(j).idDocAntPap;
            for (int k = 0; k < papeis.Count(); ++k) {
                const TIdDocAntPapCollectionItem &p = papeis.Items(k);
                tabela.Documento(TipoDocumentoAnterior(p.tpDoc), cnpjcpf, p.serie + "-" + p.nDoc);
            }
        }
        for (int j = 0; j < emissor.idDocAnt.Count(); ++j) {
            const TIdDocAntEleCollection &eletronicos = emissor.idDocAnt.Items(j).idDocAntEle;
            for (int k = 0; k < eletronicos.Count(); ++k) {
                const TIdDocAntEleCollectionItem &e = eletronicos.Items(k);
                tabela.Documento("CT-E", dfe::FormatarChaveAcesso(cte.infCTe.versao >= 3.0 ? e.chCTe : e.chave), "");
            }
        }
    }
    cdsDocumentos.First();
}

bool TfrmDACTeRLRetrato::DocumentosBeforePrint(report::PrintContext &contexto)
{
    report::Band &b = *rlb_07_HeaderItens;
    // Disabled, it takes no room and stops growing.
    b.enabled = DocumentosHabilitados();
    b.autoSize = b.enabled;
    b.height = b.enabled ? 81 : 0;
    if (!b.enabled)
        return contexto.page() == 1;
    rlDocOrig_tpDoc1->text.clear();
    rlDocOrig_tpDoc2->text.clear();
    if (contexto.page() == 1) {
        cdsDocumentos.First();
    } else {
        if (cdsDocumentos.Eof())
            return false;
        // Each continuation page counts its own rows.
        Linhas = 0;
    }

    int esquerda = 0, direita = 0;
    const int limite = contexto.page() == 1 ? kLinhasPrimeiraPagina : LinhasQueCabem(*this, contexto);
    // A half is listed when any of its cells says something: a previous bill of lading
    // has no type of its own, yet its issuer and number are part of the cargo's papers.
    const auto metade = [this](report::Memo &memo, int &linhas, TCampo tipo, TCampo cnpjcpf, TCampo documento) {
        const std::string &t = cdsDocumentos.Campo(tipo), &c = cdsDocumentos.Campo(cnpjcpf),
                          &d = cdsDocumentos.Campo(documento);
        if (!t.empty() || !c.empty() || !d.empty())
            AcrescentarLinha(memo, linhas, LinhaDocumento(t, c, d));
    };
    int linhasPagina = 0;
    while (!cdsDocumentos.Eof() && linhasPagina < limite) {
        metade(*rlDocOrig_tpDoc1, esquerda, TCampo::TIPO_1, TCampo::CNPJCPF_1, TCampo::DOCUMENTO_1);
        metade(*rlDocOrig_tpDoc2, direita, TCampo::TIPO_2, TCampo::CNPJCPF_2, TCampo::DOCUMENTO_2);
        cdsDocumentos.Next();
        ++linhasPagina;
        if (contexto.page() > 1)
            ++Linhas;
    }
    // Both halves in one size, so that the rows still read across; the lines keep their
    // 12 pixels.
    const int tamanho = std::min(TamanhoQueCabe(*rlDocOrig_tpDoc1, contexto.measurer()),
                                 TamanhoQueCabe(*rlDocOrig_tpDoc2, contexto.measurer()));
    for (report::Memo *memo : {rlDocOrig_tpDoc1, rlDocOrig_tpDoc2})
        memo->font = Times(tamanho);
    rlDocOrig_tpDoc1->bounds.setHeight(esquerda * kAlturaLinha);
    rlDocOrig_tpDoc2->bounds.setHeight(direita * kAlturaLinha);
    const double fundo = rlDocOrig_tpDoc1->bounds.top() + std::max(esquerda, direita) * kAlturaLinha;
    b.height = std::max(81.0, fundo + kFolgaInferior);
    rld_07_headerItens->bounds.setHeight(b.height - 12);
    return true;
}

} // namespace cte

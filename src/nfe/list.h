#pragma once
// TNotasFiscais, the NF-e component's list of loaded documents, and its entry NotaFiscal,
// which owns one document model. Entries are kept in the order they were added.

#include "nfe/model.h"
#include "nfe/reader.h"
#include "nfe/writer.h"

#include "dfe/list.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace nfe {

class TConfiguracoesNFe;
class TNotasFiscais;
class TDANFeLink;
class TOvixNFe;

class NotaFiscal : public dfe::TDocumentoCarregado {
public:
    // An entry bound to the list's settings, with a document at the model's defaults.
    explicit NotaFiscal(TNotasFiscais &Collection);

    TNFe &NFe() noexcept { return FNFe; }
    const TNFe &NFe() const noexcept { return FNFe; }
    TNFeR &NFeR() noexcept { return FNFeR; }
    TNFeW &NFeW() noexcept { return FNFeW; }
    // The NF-e component's settings, not owned.
    TConfiguracoesNFe &Configuracoes() const noexcept { return *FConfiguracoes; }

    // Reads one document's text into the model: the named accented-letter entities are
    // decoded over the whole text, the NF-e namespace declaration removed, and the rest
    // left to the reader, whose leaf decoding takes the XML entities once. Always true;
    // reading errors escape and leave the entry partly filled.
    bool LerXML(std::string_view AXML) override;

    // Regenerates the XML from the model with the component's settings (the writer writes
    // the access key back into the model) and keeps its alert lines. Returns the new
    // XMLOriginal.
    std::string GerarXML() override;

    // The protocol's cStat and xMotivo.
    int cStat() const noexcept;
    const std::string &Msg() const noexcept;
    // The digits of infNFe.ID.
    std::string NumID() const;
    // The component's classification of cStat (TOvixNFe::CstatConfirmada, ...).
    bool Confirmada() const;
    bool Processada() const;
    bool Cancelada() const;

    // The NFe element of a text: from "<NFe xmlns" through the first "</NFe>" after it;
    // without "<NFe xmlns", the content of the first NFe element wrapped in "<NFe>" and
    // "</NFe>"; empty when neither is there. A result gets the text's XML declaration in
    // front.
    static std::string ObterNFeXML(std::string_view AXML);
    // Whether the access key in infNFe.ID agrees with the model, field by field: state,
    // year and month of issue, issuer's CNPJ/CPF, model, series, number, emission type and
    // numeric code. An Id too short to hold a field disagrees.
    bool ValidarConcatChave() const;

    // The digits of infNFe.ID followed by "-nfe.xml"; an Id without digits raises
    // EOvixNFeException "ID Inválido. Impossível Salvar XML".
    std::string CalcularNomeArquivo() const override;
    // The storage folder of the component's file settings, ending with a delimiter.
    std::string CalcularPathArquivo() const override;

    // This document alone through the linked DANFE: printed (or previewed), or written to
    // a PDF file. Without a DANFE, EOvixNFeException "Componente DANFe não associado." (or
    // "DANFCe" for an NFC-e component).
    void Imprimir();
    void ImprimirPDF();

protected:
    dfe::TOvixDFe &ComponenteDFe() const override;

private:
    // The linked DANFE; raises when there is none.
    TDANFeLink &DANFE() const;

    TNotasFiscais *FColecao;
    TNFe FNFe;
    TNFeR FNFeR;
    TNFeW FNFeW;
    TConfiguracoesNFe *FConfiguracoes;
};

// The list's load road (LoadFromFile, LoadFromString) and entries are the framework's.
class TNotasFiscais final : public dfe::TListaDocumentos<TNotasFiscais, NotaFiscal> {
public:
    // Only an NF-e component owns the list: any other owner raises EOvixNFeException
    // "AOwner deve ser do tipo TOvixNFe".
    explicit TNotasFiscais(rtl::TComponent *AOwner);

    // Every loaded document, in list order, through the linked DANFE component: printed or
    // previewed, the same with the cancelled marks, in the summary layout, or written to
    // PDF files. Without a DANFE, EOvixNFeException "Componente DANFE não associado.";
    // with no document nothing is printed.
    void Imprimir();
    void ImprimirCancelado();
    void ImprimirResumido();
    void ImprimirPDF();
    void ImprimirResumidoPDF();
    // Raises EOvixNFeException "Componente DANFE não associado." without a linked DANFE.
    void VerificarDANFE() const;

    // Every entry regenerated with its GerarXML, in list order.
    void GerarNFe() { GerarTodos(); }

    TOvixNFe &OvixNFe() const noexcept { return *FOvixNFe; }
    // The owner's settings, not owned.
    TConfiguracoesNFe &Configuracoes() const noexcept { return *FConfiguracoes; }

private:
    TOvixNFe *FOvixNFe;
    TConfiguracoesNFe *FConfiguracoes;
};

} // namespace nfe

#pragma once
// TNotasFiscais, the NF-e component's list of loaded documents, and its entry NotaFiscal,
// which owns one document model. Entries are kept in the order they were added.

#include "nfe/model.h"
#include "nfe/reader.h"
#include "nfe/writer.h"

#include "rtl/classes.h"
#include "util/base.h"

#include <string>
#include <string_view>

namespace nfe {

class TConfiguracoesNFe;
class TNotasFiscais;
class TDANFeLink;
class TOvixNFe;

class NotaFiscal {
public:
    // An entry bound to the list's settings, with a document at the model's defaults.
    explicit NotaFiscal(TNotasFiscais &Collection);
    NotaFiscal(const NotaFiscal &) = delete;
    NotaFiscal &operator=(const NotaFiscal &) = delete;

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
    bool LerXML(std::string_view AXML);

    // The text last loaded, in the UTF-8 byte form (declaration in front, one character
    // per byte), and that same text when it carries a signature.
    const std::string &XMLOriginal() const noexcept { return FXMLOriginal; }
    void SetXMLOriginal(std::string_view AXML);
    const std::string &XMLAssinado() const noexcept { return FXMLAssinado; }

    // Regenerates the XML from the model with the component's settings (the writer writes
    // the access key back into the model) and keeps its alert lines. Returns the new
    // XMLOriginal.
    std::string GerarXML();
    // The writer's alert lines of the last regeneration, each followed by CR LF.
    const std::string &Alertas() const noexcept { return FAlertas; }

    // The digits of infNFe.ID followed by "-nfe.xml"; an Id without digits raises
    // EOvixNFeException "ID Inválido. Impossível Salvar XML".
    std::string CalcularNomeArquivo() const;
    // The storage folder of the component's file settings, ending with a delimiter.
    std::string CalcularPathArquivo() const;
    // NomeArquivo (CalcularNomeArquivo when empty) in PathArquivo (CalcularPathArquivo
    // when empty); a NomeArquivo with a folder of its own is taken as it is.
    std::string CalcularNomeArquivoCompleto(std::string NomeArquivo = "",
                                            std::string PathArquivo = "") const;

    const std::string &NomeArq() const noexcept { return FNomeArq; }
    void SetNomeArq(std::string ANomeArq) { FNomeArq = std::move(ANomeArq); }

    // This document alone through the linked DANFE: printed (or previewed), or written to
    // a PDF file. Without a DANFE, EOvixNFeException "Componente DANFe não associado." (or
    // "DANFCe" for an NFC-e component).
    void Imprimir();
    void ImprimirPDF();

private:
    // The linked DANFE; raises when there is none.
    TDANFeLink &DANFE() const;

    TNotasFiscais *FColecao;
    TNFe FNFe;
    TNFeR FNFeR;
    TNFeW FNFeW;
    TConfiguracoesNFe *FConfiguracoes;
    std::string FXMLOriginal;
    std::string FXMLAssinado;
    std::string FNomeArq;
    std::string FAlertas;
};

class TNotasFiscais {
public:
    // Only an NF-e component owns the list: any other owner raises EOvixNFeException
    // "AOwner deve ser do tipo TOvixNFe".
    explicit TNotasFiscais(rtl::TComponent *AOwner);
    TNotasFiscais(const TNotasFiscais &) = delete;
    TNotasFiscais &operator=(const TNotasFiscais &) = delete;

    // Appends a new entry and returns it.
    NotaFiscal &Add();
    // Frees every entry with its document.
    void Clear() { FItems.Clear(); }
    int Count() const noexcept { return FItems.Count(); }
    // 0-based; outside 0..Count()-1 raises rtl::EListError.
    NotaFiscal &Items(int Index) { return FItems.Items(Index); }
    const NotaFiscal &Items(int Index) const { return FItems.Items(Index); }

    // Reads the file whole, decodes it and loads every NF-e in it; the entries it added get
    // the file's name. A file that cannot be opened raises the run-time's open error.
    bool LoadFromFile(const std::string &CaminhoArquivo, bool AGerarNFe = true);
    // Loads every NF-e of a text, one entry per document in text order. True when the list
    // holds any entry afterwards (earlier ones included).
    bool LoadFromString(std::string_view AXMLString, bool AGerarNFe = true);

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

    TOvixNFe &OvixNFe() const noexcept { return *FOvixNFe; }
    // The owner's settings, not owned.
    TConfiguracoesNFe &Configuracoes() const noexcept { return *FConfiguracoes; }

private:
    // Splits text already decoded and held in the ANSI code page.
    bool CarregarTexto(std::string_view texto, bool AGerarNFe);

    TOvixNFe *FOvixNFe;
    TConfiguracoesNFe *FConfiguracoes;
    util::TOvixObjectList<NotaFiscal> FItems;
};

} // namespace nfe

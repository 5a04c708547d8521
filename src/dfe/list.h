#pragma once
// The road every family's document list runs, written once: a file or text is decoded,
// split into one piece per document, and each piece read into a new entry's model and
// (on request) regenerated from it; entries loaded from a file are stamped with its name
// once the whole file is read. A family's list names its entry class and its document
// tags; its entry adds the model, the reader and the writer.
//
// TDocumentoCarregado is the family-independent part of an entry: the text last loaded,
// the file name, and the storage name rules. TListaDocumentos<TLista, TItem> keeps the
// entries of a list whose entries are TItem, built from the list TLista itself.

#include "dfe/loader.h"
#include "dfe/settings.h"
#include "dfe/xmlreader.h"
#include "dfe/xmlwriter.h"

#include "rtl/streams.h"
#include "util/base.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

class TOvixDFe;

class TDocumentoCarregado {
public:
    TDocumentoCarregado() = default;
    TDocumentoCarregado(const TDocumentoCarregado &) = delete;
    TDocumentoCarregado &operator=(const TDocumentoCarregado &) = delete;
    virtual ~TDocumentoCarregado() = default;

    // Reads one document's text into the model. Always true; reading errors escape and
    // leave the entry partly filled.
    virtual bool LerXML(std::string_view AXML) = 0;
    // Regenerates the XML from the model; returns the new XMLOriginal.
    virtual std::string GerarXML() = 0;
    // Assigning a text reads it into the document exactly as LerXML does.
    void SetXML(std::string_view AXML) { LerXML(AXML); }

    // The text last loaded, in the UTF-8 byte form (declaration in front, one character
    // per byte), and that same text when it carries a signature.
    const std::string &XMLOriginal() const noexcept { return FXMLOriginal; }
    void SetXMLOriginal(std::string_view AXML);
    const std::string &XMLAssinado() const noexcept { return FXMLAssinado; }

    // The writer's alert lines of the last regeneration, each followed by CR LF.
    const std::string &Alertas() const noexcept { return FAlertas; }

    // The file name under which the document is stored, from its Id.
    virtual std::string CalcularNomeArquivo() const = 0;
    // The storage folder of the component's file settings, ending with a delimiter.
    virtual std::string CalcularPathArquivo() const = 0;
    // NomeArquivo (CalcularNomeArquivo when empty) in PathArquivo (CalcularPathArquivo
    // when empty); a NomeArquivo with a folder of its own is taken as it is.
    std::string CalcularNomeArquivoCompleto(std::string NomeArquivo = "",
                                            std::string PathArquivo = "") const;

    const std::string &NomeArq() const noexcept { return FNomeArq; }
    void SetNomeArq(std::string ANomeArq) { FNomeArq = std::move(ANomeArq); }

    // Regenerates first when XMLOriginal is empty; NomeArq becomes
    // CalcularNomeArquivoCompleto(NomeArquivo, PathArquivo), and XMLOriginal is written
    // there as UTF-8 through the component's save operation, which replaces the file at
    // once and reports its errors (TOvixDFe::Gravar). Returns that operation's result.
    bool GravarXML(const std::string &NomeArquivo = "", const std::string &PathArquivo = "");
    // Regenerates first when XMLOriginal is empty; empties the stream and writes
    // XMLOriginal into it as UTF-8 bytes. Always true.
    bool GravarStream(rtl::TStream &AStream);

    // Schema and business-rule validation messages. The viewer validates nothing, so they
    // stay empty; they are kept for callers that fill them.
    std::string ErroValidacao;
    std::string ErroValidacaoCompleto;
    std::string ErroRegrasdeNegocios;

protected:
    // The document component whose save operation GravarXML uses.
    virtual TOvixDFe &ComponenteDFe() const = 0;

    // Keeps AXML as XMLOriginal and hands the reader the document: the named
    // accented-letter entities decoded over the whole text and the family's namespace
    // declaration removed; the reader's leaf decoding takes the XML entities once.
    void PrepararLeitura(std::string_view AXML, std::string_view ANameSpaceURI, TLeitor &ALeitor);

    // The generator set up by the component's settings for a regeneration of a document
    // about as long as the one read (alert format, accents, blanks, indentation, and the
    // process-wide zone the writers' date-times end with).
    void PrepararGerador(TGerador &AGerador, const TConfiguracoes &AConfiguracoes) const;

    // Keeps what the writer produced: the regenerated text, its alert lines, and a file
    // name that follows the document's new Id when the Id changed.
    void GuardarGerado(const TGerador &AGerador, bool AIdMudou);

private:
    std::string FXMLOriginal;
    std::string FXMLAssinado;
    std::string FNomeArq;
    std::string FAlertas;
};

// The family-independent load road over entries reached through the two hooks.
class TCarregadorDocumentos {
public:
    // Reads the file whole, decodes it and loads every document in it; the entries it
    // added get the file's name. A file that cannot be opened raises the run-time's open
    // error.
    bool LoadFromFile(const std::string &CaminhoArquivo, bool AGerar = true);
    // Reads the whole stream from its start and loads every document in it as
    // LoadFromFile does, without file names.
    bool LoadFromStream(rtl::TStream &AStream, bool AGerar = true);
    // Loads every document of a text, one entry per document in text order. True when the
    // list holds any entry afterwards (earlier ones included).
    bool LoadFromString(std::string_view AXMLString, bool AGerar = true);

    // Every entry written with its GravarXML, in list order, while the earlier ones
    // succeeded, under the file-name and folder parts of APathNomeArquivo; true when all
    // did. An empty name part names each file after its document. A fixed name given for
    // several documents would leave only the last one's file, so it is refused with
    // EOvixDFeException before anything is written.
    bool GravarXML(const std::string &APathNomeArquivo = "");

    virtual int Count() const noexcept = 0;

protected:
    TCarregadorDocumentos() = default;
    ~TCarregadorDocumentos() = default;

    // The documents of a text already decoded and held in the ANSI code page, as views
    // into it. A family whose files mix document kinds chooses here which it takes.
    virtual std::vector<std::string_view> Separar(std::string_view texto) const = 0;
    // Appends a new entry and returns it.
    virtual TDocumentoCarregado &NovoDocumento() = 0;
    virtual TDocumentoCarregado &Documento(int Index) = 0;

    // Every entry regenerated with its GerarXML, in list order.
    void GerarTodos();

private:
    bool CarregarTexto(std::string_view texto, bool AGerar);
};

// A list whose entries are TItem, each built as TItem(TLista &) from the list that owns
// it, split by one family's document tags. Entries are kept in the order they were added.
template <class TLista, class TItem>
class TListaDocumentos : public TCarregadorDocumentos {
public:
    TListaDocumentos(const TListaDocumentos &) = delete;
    TListaDocumentos &operator=(const TListaDocumentos &) = delete;

    // Appends a new entry and returns it.
    TItem &Add() { return FItems.New(static_cast<TLista &>(*this)); }
    // A new entry at Index (0..Count()); outside it raises rtl::EListError.
    TItem &Insert(int Index)
    {
        auto item = std::make_unique<TItem>(static_cast<TLista &>(*this));
        TItem &novo = *item;
        FItems.Insert(Index, std::move(item));
        return novo;
    }
    // Frees every entry with its document.
    void Clear() { FItems.Clear(); }
    int Count() const noexcept override { return FItems.Count(); }
    // 0-based; outside 0..Count()-1 raises rtl::EListError.
    TItem &Items(int Index) { return FItems.Items(Index); }
    const TItem &Items(int Index) const { return FItems.Items(Index); }

protected:
    explicit TListaDocumentos(const TTagsDocumento &ATags) : FTags(&ATags) {}
    ~TListaDocumentos() = default;

    std::vector<std::string_view> Separar(std::string_view texto) const override
    {
        return SepararDocumentos(texto, *FTags);
    }
    TDocumentoCarregado &NovoDocumento() override { return Add(); }
    TDocumentoCarregado &Documento(int Index) override { return Items(Index); }

private:
    const TTagsDocumento *FTags;
    util::TOvixObjectList<TItem> FItems;
};

} // namespace dfe

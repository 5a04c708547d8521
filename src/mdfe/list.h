#pragma once
// TManifestos, the MDF-e component's list of loaded documents, and its entry Manifesto,
// which owns one document model. Entries are kept in the order they were added.

#include "mdfe/model.h"
#include "mdfe/reader.h"
#include "mdfe/writer.h"

#include "dfe/list.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace mdfe {

class TConfiguracoesMDFe;
class TDAMDFeLink;
class TManifestos;
class TOvixMDFe;

class Manifesto : public dfe::TDocumentoCarregado {
public:
    // An entry bound to the list's settings, with a document at the settings' defaults.
    explicit Manifesto(TManifestos &Collection);

    TMDFe &MDFe() noexcept { return FMDFe; }
    const TMDFe &MDFe() const noexcept { return FMDFe; }
    TMDFeR &MDFeR() noexcept { return FMDFeR; }
    TMDFeW &MDFeW() noexcept { return FMDFeW; }
    // The MDF-e component's settings, not owned.
    TConfiguracoesMDFe &Configuracoes() const noexcept { return *FConfiguracoes; }

    // Reads one document's text into the model. Always true; reading errors escape and
    // leave the entry partly filled.
    bool LerXML(std::string_view AXML) override;
    // Regenerates the XML from the model with the component's settings (the writer writes
    // the access key back into the model) and keeps its alert lines. Returns the new
    // XMLOriginal.
    std::string GerarXML() override;

    // The protocol's cStat and xMotivo.
    int cStat() const noexcept;
    const std::string &Msg() const noexcept;
    // The digits of infMDFe.Id.
    std::string NumID() const;
    // The component's classification of cStat (TOvixMDFe::cStatConfirmado, ...).
    bool Confirmado() const;
    bool Processado() const;
    bool Cancelado() const;

    // The digits of infMDFe.Id followed by "-mdfe.xml"; an Id without digits raises
    // EOvixMDFeException "ID Inválido. Impossível Salvar XML".
    std::string CalcularNomeArquivo() const override;
    // The storage folder of the component's file settings, ending with a delimiter.
    std::string CalcularPathArquivo() const override;

    // This document alone through the linked DAMDFE, printed (or previewed) or written to
    // a PDF file. Without a DAMDFE, EOvixMDFeException "Componente DAMDFE não associado.".
    void Imprimir();
    void ImprimirPDF();

protected:
    dfe::TOvixDFe &ComponenteDFe() const override;

private:
    TDAMDFeLink &DAMDFE() const;

    TManifestos *FColecao;
    TMDFe FMDFe;
    TMDFeW FMDFeW;
    TMDFeR FMDFeR;
    TConfiguracoesMDFe *FConfiguracoes;
};

// The list's load road (LoadFromFile, LoadFromString) and entries are the framework's.
class TManifestos final : public dfe::TListaDocumentos<TManifestos, Manifesto> {
public:
    // Only an MDF-e component owns the list: any other owner raises EOvixMDFeException
    // "AOwner deve ser do tipo TOvixMDFe".
    explicit TManifestos(rtl::TComponent *AOwner);

    // Every loaded document, in list order, through the linked DAMDFE component, printed
    // or previewed, or written to PDF files. Without a DAMDFE, EOvixMDFeException
    // "Componente DAMDFE não associado.".
    void Imprimir();
    void ImprimirPDF();
    void VerificarDAMDFE() const;

    // Every entry regenerated with its GerarXML, in list order.
    void GerarMDFe() { GerarTodos(); }

    TOvixMDFe &OvixMDFe() const noexcept { return *FOvixMDFe; }
    TConfiguracoesMDFe &Configuracoes() const noexcept { return *FConfiguracoes; }

private:
    TOvixMDFe *FOvixMDFe;
    TConfiguracoesMDFe *FConfiguracoes;
};

} // namespace mdfe

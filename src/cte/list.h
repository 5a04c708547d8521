#pragma once
// TConhecimentos, the CT-e component's list of loaded documents, and its entry
// Conhecimento, which owns one CT-e or CT-e OS model. Entries are kept in the order they
// were added.

#include "cte/model.h"
#include "cte/reader.h"
#include "cte/writer.h"

#include "dfe/list.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>
#include <vector>

namespace cte {

class TConfiguracoesCTe;
class TDACTeLink;
class TConhecimentos;
class TOvixCTe;

class Conhecimento : public dfe::TDocumentoCarregado {
public:
    // An entry bound to the list's settings, with a document at the settings' defaults
    // and the linked DACTE's layout as its tpImp.
    explicit Conhecimento(TConhecimentos &Collection);

    TCTe &CTe() noexcept { return FCTe; }
    const TCTe &CTe() const noexcept { return FCTe; }
    TCTeR &CTeR() noexcept { return FCTeR; }
    TCTeW &CTeW() noexcept { return FCTeW; }
    // The CT-e component's settings, not owned.
    TConfiguracoesCTe &Configuracoes() const noexcept { return *FConfiguracoes; }

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
    // The digits of infCte.Id.
    std::string NumID() const;
    // The component's classification of cStat (TOvixCTe::cStatConfirmado, ...).
    bool Confirmado() const;
    bool Processado() const;
    bool Cancelado() const;

    // The digits of infCte.Id followed by "-cte.xml"; an Id without digits raises
    // EOvixCTeException "ID Inválido. Impossível Salvar XML".
    std::string CalcularNomeArquivo() const override;
    // The storage folder of the component's file settings, ending with a delimiter.
    std::string CalcularPathArquivo() const override;

    // The file of the document's PDF: kept here; the DACTE stores it when it writes the
    // PDF files of the whole list.
    const std::string &NomeArqPDF() const noexcept { return FNomeArqPDF; }
    void SetNomeArqPDF(std::string AValue) { FNomeArqPDF = std::move(AValue); }

    // This document alone through the linked DACTE, printed (or previewed) or written to a
    // PDF file. Without a DACTE, EOvixCTeException "Componente DACTE não associado.".
    void Imprimir();
    void ImprimirPDF();

protected:
    dfe::TOvixDFe &ComponenteDFe() const override;

private:
    TDACTeLink &DACTE() const;

    TConhecimentos *FColecao;
    TCTe FCTe;
    TCTeW FCTeW;
    TCTeR FCTeR;
    TConfiguracoesCTe *FConfiguracoes;
    std::string FNomeArqPDF;
};

// The list's load road (LoadFromFile, LoadFromString) and entries are the framework's. A
// text holds CT-e or CT-e OS documents, not both: when any CT-e OS closes in it, only the
// CT-e OS documents are taken, each from its own opening tag (or its envelope's), so a
// CT-e before it is never read in its place.
class TConhecimentos final : public dfe::TListaDocumentos<TConhecimentos, Conhecimento> {
public:
    // Only a CT-e component owns the list: any other owner raises EOvixCTeException
    // "AOwner deve ser do tipo TOvixCTe".
    explicit TConhecimentos(rtl::TComponent *AOwner);

    // Every loaded document, in list order, through the linked DACTE component, printed or
    // previewed with or without the ICMS values, or written to PDF files. Without a DACTE,
    // EOvixCTeException "Componente DACTE não associado." before the DACTE is touched.
    void Imprimir(bool ExibeICMS = false);
    void ImprimirPDF();
    void VerificarDACTE() const;

    // Every entry regenerated with its GerarXML, in list order.
    void GerarCTe() { GerarTodos(); }

    TOvixCTe &OvixCTe() const noexcept { return *FOvixCTe; }
    TConfiguracoesCTe &Configuracoes() const noexcept { return *FConfiguracoes; }

protected:
    std::vector<std::string_view> Separar(std::string_view texto) const override;

private:
    TOvixCTe *FOvixCTe;
    TConfiguracoesCTe *FConfiguracoes;
};

} // namespace cte

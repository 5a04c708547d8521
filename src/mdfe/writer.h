#pragma once
// TMDFeW turns one MDF-e model into the XML of layout 1.00 or 3.00, wrapped in the mdfeProc
// envelope when the document carries a protocol number. It recomputes the access key from
// the model's fields and writes it back (infMDFe.Id, Ide.cDV, Ide.cMDF, and the signature's
// URI when the signature is written), so the DAMDFE printed afterwards shows the new key.
// Problems with the content never stop it: every rule a value breaks becomes an alert line
// in Gerador().ListaDeAlertas(), and GerarXml answers False. The one error it raises is a
// model code that is not a number (rtl::EConvertError), which makes the key impossible.
//
// The group writers are public so each can be exercised on its own; GerarXml is the only
// entry point the program uses, and calls them in the layout's order.

#include "dfe/codes_settings.h"
#include "dfe/xmlwriter.h"
#include "mdfe/codes.h"
#include "mdfe/model.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace mdfe {

// The MDF-e namespace of the national standard.
inline constexpr std::string_view MDFeNameSpaceURI = "http://www.portalfiscal.inf.br/mdfe";

// The MDF-e writer's own options (distinct from the generator's options).
class TGeradorOpcoes : public rtl::TPersistent {
public:
    std::string ClassName() const override { return "TGeradorOpcoes"; }

    // Complete the issuer's municipality code or name from the municipality table; this
    // system has no table, so the values are written as held.
    bool NormatizarMunicipios = false;
    dfe::TpcnTagAssinatura GerarTagAssinatura = dfe::taSomenteSeAssinada;
    std::string PathArquivoMunicipios;
    // Alert on invalid state registrations.
    bool ValidarInscricoes = false;
    // Kept for the settings' sake; nothing here uses it.
    bool ValidarListaServicos = false;
};

class TMDFeW : public rtl::TPersistent {
public:
    // Binds the model to write; the writer never owns it.
    explicit TMDFeW(TMDFe &AOwner);
    ~TMDFeW() override;
    TMDFeW(const TMDFeW &) = delete;
    TMDFeW &operator=(const TMDFeW &) = delete;

    std::string ClassName() const override { return "TMDFeW"; }

    dfe::TGerador &Gerador() noexcept { return FGerador; }
    const dfe::TGerador &Gerador() const noexcept { return FGerador; }
    TMDFe &MDFe() noexcept { return FMDFe; }
    const TMDFe &MDFe() const noexcept { return FMDFe; }
    TGeradorOpcoes &Opcoes() noexcept { return FOpcoes; }
    const TGeradorOpcoes &Opcoes() const noexcept { return FOpcoes; }

    // The layout written, set by each GerarXml from the model's version: ve300 for exactly
    // 3.0, ve100 for anything else.
    TVersaoMDFe VersaoDF = ve300;
    // The technical responsible's security code and its identifier; 0 / empty when none.
    int IdCSRT = 0;
    std::string CSRT;

    // The 44-digit access key of the last generation.
    const std::string &ChaveMDFe() const noexcept { return FChaveMDFe; }

    // Writes the whole document into Gerador().ArquivoFormatoXML(), replacing what it held,
    // and fills the alert list. True when no alert was raised.
    bool GerarXml();

    // ---- frame, identification and issuer (writer.cpp)
    void GerarInfMDFe();
    void GerarIde();
    void GerarinfMunCarrega();
    void GerarinfPercurso();
    void GerarEmit();
    void GerarEnderEmit();
    // The state, name and code written for an address: the model's for Brazil (1058), the
    // foreign ones otherwise. The model is not changed.
    void AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                            const std::string &vxUF, const std::string &vxMun, int vcMun) const;

    // ---- modal groups (writer_modal.cpp)
    void GerarInfModal();
    void GerarRodo();
    void GerarVeiculoTracao();
    void GerarVeiculoReboq();
    void GerarValePedagio();
    void GerarInfCIOT();
    void GerarInfContratante();
    void GerarLacRodo();
    void GerarInfPag();
    void GerarAereo();
    void GerarAquav();
    void GerarFerrov();

    // ---- documents and closing groups (writer_doc.cpp)
    void GerarInfDoc();
    void GerarInfSeg();
    void GerarProdPred();
    void GerarTot();
    void GerarLacres();
    void GerarautXML();
    void GerarInfAdic();
    void GerarinfRespTec();

private:
    dfe::TGerador FGerador;
    TMDFe &FMDFe;
    TGeradorOpcoes FOpcoes;
    std::string FChaveMDFe;
};

} // namespace mdfe

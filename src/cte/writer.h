#pragma once
// TCTeW turns one CT-e model back into the XML of a CT-e (model 57) or CT-e OS (model 67),
// layouts 2.00 and 3.00. It recomputes the access key and writes it back into the model
// (the DACTE prints the model afterwards), writes the envelope, the root and infCte, and
// calls one group writer per group in the layout's order. Problems with the content never
// stop it: every rule a value breaks becomes an alert line in Gerador().ListaDeAlertas(),
// and GerarXml answers false.
//
// The group writers are public so each can be exercised on its own; GerarXml is the only
// entry point the program uses.

#include "cte/codes.h"
#include "cte/model.h"
#include "dfe/codes_settings.h"
#include "dfe/xmlwriter.h"
#include "rtl/classes.h"

#include <string>
#include <string_view>

namespace cte {

inline constexpr std::string_view CTeNameSpaceURI = "http://www.portalfiscal.inf.br/cte";

// The CT-e writer's own options (distinct from the generator's options).
class TGeradorOpcoes : public rtl::TPersistent {
public:
    std::string ClassName() const override { return "TGeradorOpcoes"; }

    bool NormatizarMunicipios = false;
    dfe::TpcnTagAssinatura GerarTagAssinatura = dfe::taSomenteSeAssinada;
    std::string PathArquivoMunicipios;
    bool ValidarInscricoes = false;
    bool ValidarListaServicos = false;
};

class TCTeW : public rtl::TPersistent {
public:
    // Binds the model to write; the writer never owns it.
    explicit TCTeW(TCTe &AOwner);
    ~TCTeW() override;
    TCTeW(const TCTeW &) = delete;
    TCTeW &operator=(const TCTeW &) = delete;

    std::string ClassName() const override { return "TCTeW"; }

    dfe::TGerador &Gerador() noexcept { return FGerador; }
    const dfe::TGerador &Gerador() const noexcept { return FGerador; }
    TCTe &CTe() noexcept { return FCTe; }
    const TCTe &CTe() const noexcept { return FCTe; }
    TGeradorOpcoes &Opcoes() noexcept { return FOpcoes; }
    const TGeradorOpcoes &Opcoes() const noexcept { return FOpcoes; }

    // Set by each generation from infCTe.versao (exactly 3 gives ve300, anything else ve200).
    TVersaoCTe VersaoDF() const noexcept { return FVersaoDF; }
    // The 44-digit access key of the last generation.
    const std::string &ChaveCTe() const noexcept { return FChaveCTe; }

    // The technical responsible's security code and its identifier; 0 / empty when none.
    int IdCSRT = 0;
    std::string CSRT;

    // Writes the whole document into Gerador().ArquivoFormatoXML(), replacing what it held,
    // and fills the alert list. Writes back infCTe.Id, ide.cDV and ide.cCT, the signature's
    // URI when the signature is written, and the country 1058 of a written party address
    // that held 0. True when no alert was raised.
    bool GerarXml();

    // ---- frame and identification (writer.cpp)
    void GerarInfCTe();
    void GerarIde();
    void GerarToma03();

    // ---- complement, issuer and parties (writer_partes.cpp)
    void GerarCompl();
    void GerarFluxo();
    void GerarEntrega();
    void GerarObsCont();
    void GerarObsFisco();
    void GerarEmit();
    void GerarEnderEmit();
    void GerarToma4();
    void GerarTomador();
    void GerarRem();
    void GerarExped();
    void GerarReceb();
    void GerarDest();
    // The municipality code, name and state letters an address writes: the stored ones
    // for Brazil (cPais 1058 or 0), 9999999 / "EXTERIOR" / "EX" for any other country;
    // with NormatizarMunicipios a missing code or name is looked up in the table.
    void AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                            const std::string &vxUF, const std::string &vxMun, int vcMun) const;

    // ---- values and taxes (writer_imp.cpp)
    void GerarVPrest();
    void GerarImp();
    void GerarICMS();
    void GerarICMSUFFim();
    void GerarinfTribFed();
    // Whether the CT-e OS must state the INSS: a company or foreign taker of a passenger or
    // excess-baggage service.
    bool InformarINSS() const;

    // ---- normal CT-e: cargo, documents wrapper, CT-e OS service, modal wrapper (writer_norm.cpp)
    void GerarInfCTeNorm();
    void GerarinfCarga();
    void GerarinfDoc();
    void GerarinfServico();
    void GerarinfDocRef();
    void GerarInfModal();

    // ---- transported and previous documents (writer_docs.cpp), insurance and the modal
    // groups (writer_modal.cpp), the closing groups (writer_fim.cpp)
    void GerarInfNF();
    void GerarInfNFe();
    void GerarInfOutros();
    void GerarDocAnt();
    void GerarSeg();
    void GerarRodo();
    void GerarRodoOS();
    void GerarAereo();
    void GerarAquav();
    void GerarFerrov();
    void GerarDuto();
    void GerarMultimodal();
    void GerarPeri();
    void GerarVeicNovos();
    void GerarCobr();
    void GerarInfCteSub();
    void GerarInfGlobalizado();
    void GerarInfServVinc();
    void GerarInfPercurso();
    void GerarInfCteComp();
    void GerarInfCteAnu();
    // Deletes from the model the autXML entries that repeat the CNPJ/CPF of the sender,
    // recipient, dispatcher, receiver or CT-e OS taker, and writes the others.
    void GerarautXML();
    void GerarinfRespTec();

private:
    TCTe &FCTe;
    dfe::TGerador FGerador;
    TGeradorOpcoes FOpcoes;
    TVersaoCTe FVersaoDF = ve200;
    std::string FChaveCTe;
};

} // namespace cte

#pragma once
// TNFeW turns one document model into the NF-e XML of its layout (2.00, 3.00, 3.10, 4.00),
// model 55 or 65. It computes the access key and writes it back into the model (the DANFE
// prints the model afterwards), writes the envelope and calls one group writer per layout
// group in the layout's order. Problems with the content never stop it: every rule a value
// breaks becomes an alert line in Gerador().ListaDeAlertas(), and GerarXml answers False.
//
// The group writers are public so each can be exercised on its own; GerarXml is the only
// entry point the program uses. Item-level writers take the 0-based index into NFe().Det.

#include "dfe/codes_settings.h"
#include "dfe/xmlwriter.h"
#include "dfe/xmlwriter_moldura.h"
#include "nfe/model.h"
#include "rtl/classes.h"

#include <string>

namespace nfe {

// The NF-e writer's own options (distinct from the generator's options).
class TGeradorOpcoes : public rtl::TPersistent {
public:
    std::string ClassName() const override { return "TGeradorOpcoes"; }

    bool GerarTagIPIparaNaoTributado = true;
    // Kept for the settings' sake; this system has no TXT layout, so it does nothing.
    bool GerarTXTSimultaneamente = false;
    bool NormatizarMunicipios = false;
    dfe::TpcnTagAssinatura GerarTagAssinatura = dfe::taSomenteSeAssinada;
    std::string PathArquivoMunicipios;
    bool ValidarInscricoes = false;
    bool ValidarListaServicos = false;
    bool CamposFatObrigatorios = true;
    dfe::TForcarGeracaoTag ForcarGerarTagRejeicao938 = dfe::fgtNunca;
};

class TNFeW : public rtl::TPersistent {
public:
    // Binds the model to write; the writer never owns it.
    explicit TNFeW(TNFe &AOwner);
    ~TNFeW() override;
    TNFeW(const TNFeW &) = delete;
    TNFeW &operator=(const TNFeW &) = delete;

    std::string ClassName() const override { return "TNFeW"; }

    dfe::TGerador &Gerador() noexcept { return FGerador; }
    const dfe::TGerador &Gerador() const noexcept { return FGerador; }
    TNFe &NFe() noexcept { return FNFe; }
    const TNFe &NFe() const noexcept { return FNFe; }
    TGeradorOpcoes &Opcoes() noexcept { return FOpcoes; }
    const TGeradorOpcoes &Opcoes() const noexcept { return FOpcoes; }

    // Set by each generation: rates take four decimals from layout 3.10 on.
    bool Usar_tcDe4() const noexcept { return FUsar_tcDe4; }
    // The version's four characters ("4.00"), set by each generation.
    const std::string &Versao() const noexcept { return FVersao; }
    // The 44-digit access key of the last generation.
    const std::string &ChaveNFe() const noexcept { return FChaveNFe; }

    // The technical responsible's security code and its identifier; 0 / empty when none.
    int IdCSRT = 0;
    std::string CSRT;

    // Writes the whole document into Gerador().ArquivoFormatoXML(), replacing what it held,
    // and fills the alert list. Writes back the key (infNFe.ID, Ide.cDV, Ide.cNF), the
    // signature's URI when the signature is written, and the few defaults the group writers
    // name. True when no alert was raised.
    bool GerarXml();

    // The digits of infNFe.ID followed by "-nfe.xml".
    std::string ObterNomeArquivo() const;

    // ---- frame
    // Starts a generation: empties the output, the alerts and the group path, and sets
    // Usar_tcDe4 and Versao from the model's version. GerarXml begins with it; a test of
    // one group writer calls it before the group writer.
    void Iniciar();
    void GerarInfNFe();

    // ---- identification and parties (writer_ide.cpp)
    void GerarIde();
    void GerarIdeNFref();
    void GerarIdeNFrerefNFe(int i);
    void GerarIdeNFrefRefNF(int i);
    void GerarRefNFP(int i);
    void GerarIdeNFrerefCTe(int i);
    void GerarRefECF(int i);
    void GerarEmit();
    void GerarEmitEnderEmit();
    void GerarAvulsa();
    void GerarDest();
    void GerarDestEnderDest(std::string &UF);
    void GerarRetirada();
    void GerarEntrega();
    void GerarLocal(std::string_view grupo, char letra, const TLocalNFe &local,
                    const std::string &xUF, const std::string &xMun, int cMun);
    void GerarautXML();
    void AjustarMunicipioUF(std::string &xUF, std::string &xMun, int &cMun, int cPais,
                            const std::string &vxUF, const std::string &vxMun, int vcMun) const;

    // ---- items and product data (writer_det.cpp)
    void GerarDet();
    void GerarDetProd(int i);
    void GerarDetProdNVE(int i);
    void GerarDetProdDI(int i);
    void GerarDetProdDIadi(int i, int j);
    void GerarDetProddetExport(int i);
    void GerarDetProdRastro(int i);
    void GerarDetImposto(int i);

    // ---- vehicle, medicine, weapon and fuel (writer_prodesp.cpp)
    void GerarDetProdVeicProd(int i);
    void GerarDetProdMed(int i);
    void GerarDetProdArma(int i);
    void GerarDetProdComb(int i);
    void GerarDetProdCombCIDE(int i);
    void GerarDetProdCombencerrante(int i);
    void GerarDetProdCombICMS(int i);
    void GerarDetProdCombICMSInter(int i);
    void GerarDetProdCombICMSCons(int i);

    // ---- ICMS (writer_icms.cpp)
    void GerarDetImpostoICMS(int i);

    // ---- IPI, II, PIS, COFINS (writer_tributos.cpp)
    void GerarDetImpostoIPI(int i);
    void GerarDetImpostoII(int i);
    void GerarDetImpostoPIS(int i);
    void GerarDetImpostoPISST(int i);
    void GerarDetImpostoCOFINS(int i);
    void GerarDetImpostoCOFINSST(int i);

    // ---- ISSQN, ICMSUFDest, impostoDevol (writer_tributos.cpp)
    void GerarDetImpostoISSQN(int i);
    void GerarDetImpostoICMSUFDest(int i);
    void GerarDetDevol(int i);

    // ---- totals, transport, billing (writer_total.cpp)
    void GerarTotal();
    void GerarTotalICMSTotal();
    void GerarTotalISSQNtot();
    void GerarTotalretTrib();
    void GerarTransp();
    void GerarTranspTransporta();
    void GerarTranspRetTransp();
    void GerarTranspVeicTransp();
    void GerarTranspReboque();
    void GerarTranspVol();
    void GerarTranspVolLacres(int i);
    void GerarCobr();
    void GerarCobrFat();
    void GerarCobrDup();

    // ---- payment, additional data, export, purchase, cane, technical responsible
    //      (writer_adic.cpp)
    void Gerarpag();
    void GerarInfAdic();
    void GerarInfAdicObsCont();
    void GerarInfAdicObsFisco();
    void GerarInfAdicProcRef();
    void GerarExporta();
    void GerarCompra();
    void GerarCana();
    void GerarforDia();
    void GerarDeduc();
    void GerarinfRespTec();

private:
    dfe::TGerador FGerador;
    TNFe &FNFe;
    TGeradorOpcoes FOpcoes;
    bool FUsar_tcDe4 = false;
    std::string FVersao;
    std::string FChaveNFe;
};

// The message of every repeated group that holds more entries than its layout allows.
using dfe::escrita::MensagemLimiteOcorrencias;

} // namespace nfe

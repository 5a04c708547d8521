#pragma once
// The NF-e model's items (det): the product data and its specific groups (import
// declarations, export details, batches, new vehicles, medicines, weapons, fuel, NVE codes),
// and the item's taxes.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "nfe/codes.h"
#include "nfe/model_imposto.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace nfe {

// adi: an addition of an import declaration.
class TAdiCollectionItem {
public:
    bool operator==(const TAdiCollectionItem &) const = default;

    int nAdicao = 0;
    int nSeqAdi = 0; // tag nSeqAdic
    std::string cFabricante;
    rtl::Currency vDescDI;
    std::string nDraw;
};

class TAdiCollection : public dfe::TDFeCollection<TAdiCollectionItem> {};

// DI: an import declaration.
class TDICollectionItem {
public:
    bool operator==(const TDICollectionItem &) const = default;

    std::string nDi;
    rtl::TDateTime dDi = 0;
    std::string xLocDesemb;
    std::string UFDesemb;
    rtl::TDateTime dDesemb = 0;
    dfe::TpcnTipoViaTransp tpViaTransp = dfe::tvMaritima;
    rtl::Currency vAFRMM;
    dfe::TpcnTipoIntermedio tpIntermedio = dfe::tiContaPropria;
    std::string CNPJ;
    std::string UFTerceiro;
    std::string cExportador;
    TAdiCollection adi;
};

class TDICollection : public dfe::TDFeCollection<TDICollectionItem> {};

// detExport.
class TdetExportCollectionItem {
public:
    bool operator==(const TdetExportCollectionItem &) const = default;

    std::string nDraw;
    std::string nRE;
    std::string chNFe;
    rtl::Currency qExport;
};

class TdetExportCollection : public dfe::TDFeCollection<TdetExportCollectionItem> {};

// rastro: a batch.
class TRastroCollectionItem {
public:
    bool operator==(const TRastroCollectionItem &) const = default;

    std::string nLote;
    rtl::Currency qLote;
    rtl::TDateTime dFab = 0;
    rtl::TDateTime dVal = 0;
    std::string cAgreg;
};

class TRastroCollection : public dfe::TDFeCollection<TRastroCollectionItem> {};

// veicProd: a new vehicle. Codes are kept as the XML gives them; the DANFE prints them
// through the vehicle texts of nfe/codes.h.
class TveicProd {
public:
    bool operator==(const TveicProd &) const = default;

    // The fuel as text: tpComb read as a whole number (0 when it is not one), 1 to 18 give
    // their names ("02 - GASOLINA"), any other gives tpComb unchanged. A shorter, unaccented
    // list than the DANFE's VeiculosCombustivelStr.
    std::string CombDescricao() const;

    TpcnTipoOperacao tpOP = toVendaConcessionaria;
    std::string chassi;
    std::string cCor;
    std::string xCor;
    std::string pot;
    std::string Cilin; // tag cilin
    std::string pesoL;
    std::string pesoB;
    std::string nSerie;
    std::string tpComb;
    std::string nMotor;
    std::string CMT;
    std::string dist;
    int anoMod = 0;
    int anoFab = 0;
    std::string tpPint;
    int tpVeic = 0;
    int espVeic = 0;
    std::string VIN;
    TpcnCondicaoVeiculo condVeic = cvAcabado;
    std::string cMod;
    std::string cCorDENATRAN;
    int lota = 0;
    int tpRest = 0;
};

// med: a medicine.
class TmedCollectionItem {
public:
    bool operator==(const TmedCollectionItem &) const = default;

    std::string cProdANVISA;
    std::string xMotivoIsencao;
    std::string nLote;
    rtl::Currency qLote;
    rtl::TDateTime dFab = 0;
    rtl::TDateTime dVal = 0;
    rtl::Currency vPMC;
};

class TmedCollection : public dfe::TDFeCollection<TmedCollectionItem> {};

// arma: a weapon.
class TarmaCollectionItem {
public:
    bool operator==(const TarmaCollectionItem &) const = default;

    TpcnTipoArma tpArma = taUsoPermitido;
    std::string nSerie;
    std::string nCano;
    std::string descr;
};

class TarmaCollection : public dfe::TDFeCollection<TarmaCollectionItem> {};

// CIDE of a fuel.
class TCIDE {
public:
    bool operator==(const TCIDE &) const = default;

    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
    rtl::Currency vCIDE;
};

// ICMSComb.
class TICMSComb {
public:
    bool operator==(const TICMSComb &) const = default;

    rtl::Currency vBCICMS;
    rtl::Currency vICMS;
    rtl::Currency vBCICMSST;
    rtl::Currency vICMSST;
};

// ICMSInter.
class TICMSInter {
public:
    bool operator==(const TICMSInter &) const = default;

    rtl::Currency vBCICMSSTDest;
    rtl::Currency vICMSSTDest;
};

// ICMSCons.
class TICMSCons {
public:
    bool operator==(const TICMSCons &) const = default;

    rtl::Currency vBCICMSSTCons;
    rtl::Currency vICMSSTCons;
    std::string UFcons;
};

// encerrante: the pump readings of a fuelling.
class Tencerrante {
public:
    bool operator==(const Tencerrante &) const = default;

    int nBico = 0;
    int nBomba = 0;
    int nTanque = 0;
    rtl::Currency vEncIni;
    rtl::Currency vEncFin;
};

// comb: fuel data.
class TComb {
public:
    bool operator==(const TComb &) const = default;

    int cProdANP = 0;
    rtl::Currency pMixGN;
    std::string descANP;
    rtl::Currency pGLP;
    rtl::Currency pGNn;
    rtl::Currency pGNi;
    rtl::Currency vPart;
    std::string CODIF;
    rtl::Currency qTemp;
    std::string UFcons;
    TCIDE CIDE;
    TICMSComb ICMS;
    TICMSInter ICMSInter;
    TICMSCons ICMSCons;
    Tencerrante encerrante;
};

// NVE: one code.
class TNVECollectionItem {
public:
    bool operator==(const TNVECollectionItem &) const = default;

    std::string NVE;
};

class TNVECollection : public dfe::TDFeCollection<TNVECollectionItem> {};

// prod.
class TProd {
public:
    bool operator==(const TProd &) const = default;

    std::string cProd;
    int nItem = 0; // the item's position in the list plus one
    std::string cEAN;
    std::string xProd;
    std::string NCM;
    std::string EXTIPI;
    std::string CFOP;
    std::string uCom;
    rtl::Currency qCom;
    double vUnCom = 0; // up to 10 decimals in the layout
    rtl::Currency vProd;
    std::string cEANTrib;
    std::string uTrib;
    rtl::Currency qTrib;
    double vUnTrib = 0;
    rtl::Currency vFrete;
    rtl::Currency vSeg;
    rtl::Currency vDesc;
    rtl::Currency vOutro;
    dfe::TpcnIndicadorTotal IndTot = dfe::itSomaTotalNFe; // tag indTot
    TDICollection DI;
    std::string xPed;
    std::string nItemPed;
    TdetExportCollection detExport;
    TRastroCollection rastro;
    TveicProd veicProd;
    TmedCollection med;
    TarmaCollection arma;
    TComb comb;
    std::string nRECOPI;
    std::string nFCI;
    TNVECollection NVE;
    std::string CEST;
    TpcnIndEscala indEscala = ieNenhum;
    std::string CNPJFab;
    std::string cBenef;
};

// det: one item.
class TDetCollectionItem {
public:
    bool operator==(const TDetCollectionItem &) const = default;

    TProd Prod;
    TImposto Imposto;
    rtl::Currency pDevol;
    rtl::Currency vIPIDevol;
    std::string infAdProd;
};

class TDetCollection : public dfe::TDFeCollection<TDetCollectionItem> {};

} // namespace nfe

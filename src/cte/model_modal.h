#pragma once
// The CT-e model's modal groups: road (and the road group of a CT-e OS), air, waterway, rail,
// pipeline and multimodal, with the seals that the transported units share with them. Every
// modal group is there in every document, whatever ide.modal says; the reader and the writer
// decide which one carries data. The rules of model_ide.h hold here.

#include "cte/codes.h"
#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace cte {

// A seal: of a transport or cargo unit, of the road modal, of a container.
class TLacreCollectionItem {
public:
    bool operator==(const TLacreCollectionItem &) const = default;

    std::string nLacre;
};

class TLacreCollection : public dfe::TDFeCollection<TLacreCollectionItem> {};

// ---- Road -------------------------------------------------------------------------------

// emiOcc: the issuer of a cargo-order slip.
class TEmiOCC {
public:
    bool operator==(const TEmiOCC &) const = default;

    std::string CNPJ;
    std::string cInt;
    std::string IE;
    std::string UF;
    std::string fone;
};

// occ: a cargo-order slip.
class TOccCollectionItem {
public:
    bool operator==(const TOccCollectionItem &) const = default;

    std::string serie;
    int nOcc = 0;
    rtl::TDateTime dEmi = 0;
    TEmiOCC emiOcc;
};

class TOccCollection : public dfe::TDFeCollection<TOccCollectionItem> {};

// valePed: a toll voucher.
class TValePedCollectionItem {
public:
    bool operator==(const TValePedCollectionItem &) const = default;

    std::string CNPJForn;
    std::string nCompra;
    std::string CNPJPg;
    rtl::Currency vValePed;
};

class TValePedCollection : public dfe::TDFeCollection<TValePedCollectionItem> {};

// prop: the owner of a vehicle the carrier does not own.
class TProp {
public:
    bool operator==(const TProp &) const = default;

    std::string CNPJCPF;
    std::string RNTRC;
    std::string xNome;
    std::string IE;
    std::string UF;
    dfe::TpcteProp tpProp = dfe::tpTACAgregado;
};

// veic: a vehicle of the road modal.
class TVeicCollectionItem {
public:
    bool operator==(const TVeicCollectionItem &) const = default;

    std::string cInt;
    std::string RENAVAM;
    std::string placa;
    int tara = 0;
    int capKG = 0;
    int capM3 = 0;
    TpcteTipoPropriedade tpProp = tpProprio;
    TpcteTipoVeiculo tpVeic = tvTracao;
    dfe::TpcteTipoRodado tpRod = dfe::trNaoAplicavel;
    dfe::TpcteTipoCarroceria tpCar = dfe::tcNaoAplicavel;
    std::string UF;
    TProp Prop;
};

class TVeicCollection : public dfe::TDFeCollection<TVeicCollectionItem> {};

// moto: a driver.
class TMotoCollectionItem {
public:
    bool operator==(const TMotoCollectionItem &) const = default;

    std::string xNome;
    std::string CPF;
};

class TMotoCollection : public dfe::TDFeCollection<TMotoCollectionItem> {};

// rodo.
class TRodo {
public:
    bool operator==(const TRodo &) const = default;

    std::string RNTRC;
    rtl::TDateTime dPrev = 0;
    TpcteLotacao lota = ltNao;
    std::string CIOT;
    TOccCollection occ;
    TValePedCollection valePed;
    TVeicCollection veic;
    TLacreCollection lacRodo;
    TMotoCollection moto;
};

// prop of the CT-e OS vehicle.
class TPropOS {
public:
    bool operator==(const TPropOS &) const = default;

    std::string CNPJCPF;
    std::string TAF;
    std::string NroRegEstadual;
    std::string xNome;
    std::string IE;
    std::string UF;
    dfe::TpcteProp tpProp = dfe::tpTACAgregado;
};

// veic of a CT-e OS.
class TVeicOS {
public:
    bool operator==(const TVeicOS &) const = default;

    std::string placa;
    std::string RENAVAM;
    std::string UF;
    TPropOS prop;
};

// infFretamento: the charter of a passenger transport.
class TinfFretamento {
public:
    bool operator==(const TinfFretamento &) const = default;

    TtpFretamento tpFretamento = tfNenhum;
    rtl::TDateTime dhViagem = 0;
};

// rodoOS: the road group of a CT-e OS.
class TRodoOS {
public:
    bool operator==(const TRodoOS &) const = default;

    std::string NroRegEstadual;
    std::string TAF;
    TVeicOS veic;
    TinfFretamento infFretamento;
};

// ---- Air --------------------------------------------------------------------------------

class TTarifa {
public:
    bool operator==(const TTarifa &) const = default;

    std::string CL;
    std::string cTar;
    rtl::Currency vTar;
};

// cInfManu: one piece of handling information.
class TpInfManuCollectionItem {
public:
    bool operator==(const TpInfManuCollectionItem &) const = default;

    TpInfManu nInfManu = imCEEAV;
};

class TpInfManuCollection : public dfe::TDFeCollection<TpInfManuCollectionItem> {};

// natCarga: the nature of the air cargo.
class TNatCarga {
public:
    bool operator==(const TNatCarga &) const = default;

    std::string xDime;
    TpInfManuCollection cinfManu;
    std::string cIMP;
};

// aereo.
class TAereo {
public:
    bool operator==(const TAereo &) const = default;

    int nMinu = 0;
    std::string nOCA;
    rtl::TDateTime dPrevAereo = 0;
    std::string xLAgEmi;
    std::string IdT;
    TTarifa tarifa;
    TNatCarga natCarga;
};

// ---- Waterway ---------------------------------------------------------------------------

// balsa: a barge.
class TBalsaCollectionItem {
public:
    bool operator==(const TBalsaCollectionItem &) const = default;

    std::string xBalsa;
};

class TBalsaCollection : public dfe::TDFeCollection<TBalsaCollectionItem> {};

// A paper invoice carried in a container.
class TInfNFAquavCollectionItem {
public:
    bool operator==(const TInfNFAquavCollectionItem &) const = default;

    std::string serie;
    std::string nDoc;
    double unidRat = 0;
};

class TInfNFAquavCollection : public dfe::TDFeCollection<TInfNFAquavCollectionItem> {};

// An NF-e carried in a container.
class TInfNFeAquavCollectionItem {
public:
    bool operator==(const TInfNFeAquavCollectionItem &) const = default;

    std::string chave;
    double unidRat = 0;
};

class TInfNFeAquavCollection : public dfe::TDFeCollection<TInfNFeAquavCollectionItem> {};

// infDoc of a container.
class TInfDocAquav {
public:
    bool operator==(const TInfDocAquav &) const = default;

    TInfNFAquavCollection infNF;
    TInfNFeAquavCollection infNFe;
};

// detCont: a container.
class TdetContCollectionItem {
public:
    bool operator==(const TdetContCollectionItem &) const = default;

    std::string nCont;
    TLacreCollection Lacre;
    TInfDocAquav infDoc;
};

class TdetContCollection : public dfe::TDFeCollection<TdetContCollectionItem> {};

// aquav.
class TAquav {
public:
    bool operator==(const TAquav &) const = default;

    rtl::Currency vPrest;
    rtl::Currency vAFRMM;
    std::string nBooking;
    std::string nCtrl;
    std::string xNavio;
    TBalsaCollection balsa;
    std::string nViag;
    TpcteDirecao direc = drNorte;
    std::string prtEmb;
    std::string prtTrans;
    std::string prtDest;
    dfe::TTipoNavegacao tpNav = dfe::tnInterior;
    std::string irin;
    TdetContCollection detCont;
};

// ---- Rail -------------------------------------------------------------------------------

// trafMut: the mutual traffic between railways.
class TTrafMut {
public:
    bool operator==(const TTrafMut &) const = default;

    TpcteTrafegoMutuo respFat = tmOrigem;
    TpcteTrafegoMutuo ferrEmi = tmOrigem;
    std::string chCTeFerroOrigem;
};

class TEnderFerro {
public:
    bool operator==(const TEnderFerro &) const = default;

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    int CEP = 0;
    std::string UF;
};

// ferroEnv: a railway involved.
class TFerroEnvCollectionItem {
public:
    bool operator==(const TFerroEnvCollectionItem &) const = default;

    std::string xNome;
    std::string IE;
    std::string CNPJ;
    std::string cInt;
    TEnderFerro enderFerro;
};

class TFerroEnvCollection : public dfe::TDFeCollection<TFerroEnvCollectionItem> {};

// detVag: a wagon.
class TDetVagCollectionItem {
public:
    bool operator==(const TDetVagCollectionItem &) const = default;

    int nVag = 0;
    rtl::Currency cap;
    std::string tpVag;
    rtl::Currency pesoR;
    rtl::Currency pesoBC;
};

class TDetVagCollection : public dfe::TDFeCollection<TDetVagCollectionItem> {};

// ferrov.
class TFerrov {
public:
    bool operator==(const TFerrov &) const = default;

    TpcteTipoTrafego tpTraf = ttProprio;
    TTrafMut trafMut;
    std::string fluxo;
    std::string idTrem;
    rtl::Currency vFrete;
    TFerroEnvCollection ferroEnv;
    TDetVagCollection detVag;
};

// ---- Pipeline and multimodal ------------------------------------------------------------

// duto. vTar has six decimals in the layout; held as money it keeps four.
class TDuto {
public:
    bool operator==(const TDuto &) const = default;

    rtl::Currency vTar;
    rtl::TDateTime dIni = 0;
    rtl::TDateTime dFim = 0;
};

// multimodal.
class TMultimodal {
public:
    bool operator==(const TMultimodal &) const = default;

    std::string COTM;
    TpcnindNegociavel indNegociavel = inNaoNegociavel;
    std::string xSeg;
    std::string CNPJ;
    std::string nApol;
    std::string nAver;
};

} // namespace cte

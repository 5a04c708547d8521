#pragma once
// The MDF-e model's four modal groups: road (rodo, with its vehicles, drivers, toll vouchers,
// contracts and freight payments), air (aereo), waterway (aquav) and rail (ferrov). Every
// document holds all four; ide's modal says which one it uses. Groups as in model_ide.h.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "mdfe/codes.h"
#include "mdfe/model_ide.h"
#include "rtl/datetime.h"

#include <string>

namespace mdfe {

// ---- Road ------------------------------------------------------------------------------

// infCIOT: a freight operation code with the party it was issued to.
class TinfCIOTCollectionItem {
public:
    bool operator==(const TinfCIOTCollectionItem &) const = default;

    std::string CIOT;
    std::string CNPJCPF;
};

class TinfCIOTCollection : public dfe::TDFeCollection<TinfCIOTCollectionItem> {};

// infContratante: a party that contracted the transport.
class TinfContratanteCollectionItem {
public:
    bool operator==(const TinfContratanteCollectionItem &) const = default;

    std::string xNome;
    std::string CNPJCPF;
    std::string idEstrangeiro;
};

class TinfContratanteCollection : public dfe::TDFeCollection<TinfContratanteCollectionItem> {};

// disp: a toll voucher.
class TdispCollectionItem {
public:
    bool operator==(const TdispCollectionItem &) const = default;

    std::string CNPJForn;
    std::string CNPJPg; // CNPJ or CPF of the payer
    std::string nCompra;
    double vValePed = 0;
};

class TdispCollection : public dfe::TDFeCollection<TdispCollectionItem> {};

// valePed: the toll vouchers (the road group's in layout 1.00, infANTT's in 3.00).
class TvalePed {
public:
    bool operator==(const TvalePed &) const = default;

    TdispCollection disp;
};

// Comp: a component of the freight value.
class TCompCollectionItem {
public:
    bool operator==(const TCompCollectionItem &) const = default;

    TComp tpComp = tcValePedagio;
    double vComp = 0;
    std::string xComp;
};

class TCompCollection : public dfe::TDFeCollection<TCompCollectionItem> {};

// infPrazo: an instalment of a freight paid in instalments.
class TInfPrazoCollectionItem {
public:
    bool operator==(const TInfPrazoCollectionItem &) const = default;

    int nParcela = 0;
    rtl::TDateTime dVenc = 0;
    double vParcela = 0;
};

class TInfPrazoCollection : public dfe::TDFeCollection<TInfPrazoCollectionItem> {};

// infBanc: where the freight is paid.
class TinfBanc {
public:
    bool operator==(const TinfBanc &) const = default;

    std::string codBanco;
    std::string codAgencia;
    std::string CNPJIPEF;
};

// infPag: a freight payment.
class TinfPagCollectionItem {
public:
    bool operator==(const TinfPagCollectionItem &) const = default;

    std::string xNome;
    std::string CNPJCPF;
    std::string idEstrangeiro;
    TCompCollection Comp;
    double vContrato = 0;
    TIndPag indPag = ipVista;
    TInfPrazoCollection infPrazo;
    TinfBanc infBanc;
};

class TinfPagCollection : public dfe::TDFeCollection<TinfPagCollectionItem> {};

// infANTT: the carrier's registration and contracts (layout 3.00).
class TinfANTT {
public:
    bool operator==(const TinfANTT &) const = default;

    std::string RNTRC;
    TinfCIOTCollection infCIOT;
    TinfContratanteCollection infContratante;
    TvalePed valePed;
    TinfPagCollection infPag;
};

// prop: a vehicle's owner when it is not the issuer.
class Tprop {
public:
    bool operator==(const Tprop &) const = default;

    std::string CNPJCPF;
    std::string RNTRC;
    std::string xNome;
    std::string IE;
    std::string UF;
    dfe::TpcteProp tpProp = dfe::tpTACAgregado;
};

// condutor: a driver.
class TcondutorCollectionItem {
public:
    bool operator==(const TcondutorCollectionItem &) const = default;

    std::string xNome;
    std::string CPF;
};

class TcondutorCollection : public dfe::TDFeCollection<TcondutorCollectionItem> {};

// veicTracao: the traction vehicle.
class TveicTracao {
public:
    bool operator==(const TveicTracao &) const = default;

    std::string cInt;
    std::string placa;
    std::string RENAVAM;
    int tara = 0;
    int capKG = 0;
    int capM3 = 0;
    Tprop prop;
    TcondutorCollection condutor;
    dfe::TpcteTipoRodado tpRod = dfe::trNaoAplicavel;
    dfe::TpcteTipoCarroceria tpCar = dfe::tcNaoAplicavel;
    std::string UF;
};

// veicReboque: a trailer; it has no wheel type and no drivers.
class TveicReboqueCollectionItem {
public:
    bool operator==(const TveicReboqueCollectionItem &) const = default;

    std::string cInt;
    std::string placa;
    std::string RENAVAM;
    int tara = 0;
    int capKG = 0;
    int capM3 = 0;
    Tprop prop;
    dfe::TpcteTipoCarroceria tpCar = dfe::tcNaoAplicavel;
    std::string UF;
};

class TveicReboqueCollection : public dfe::TDFeCollection<TveicReboqueCollectionItem> {};

// rodo.
class Trodo {
public:
    bool operator==(const Trodo &) const = default;

    std::string RNTRC; // layout 1.00
    std::string CIOT;  // layout 1.00
    TinfANTT infANTT;  // layout 3.00
    TveicTracao veicTracao;
    TveicReboqueCollection veicReboque;
    TvalePed valePed; // layout 1.00
    std::string codAgPorto;
    TlacresCollection lacRodo; // layout 3.00
};

// ---- Air -------------------------------------------------------------------------------

// aereo.
class Taereo {
public:
    bool operator==(const Taereo &) const = default;

    int nac = 0;
    int matr = 0;
    std::string nVoo;
    std::string cAerEmb;
    std::string cAerDes;
    rtl::TDateTime dVoo = 0;
};

// ---- Waterway --------------------------------------------------------------------------

// infTermCarreg: a loading terminal.
class TinfTermCarregCollectionItem {
public:
    bool operator==(const TinfTermCarregCollectionItem &) const = default;

    std::string cTermCarreg;
    std::string xTermCarreg;
};

class TinfTermCarregCollection : public dfe::TDFeCollection<TinfTermCarregCollectionItem> {};

// infTermDescarreg: an unloading terminal.
class TinfTermDescarregCollectionItem {
public:
    bool operator==(const TinfTermDescarregCollectionItem &) const = default;

    std::string cTermDescarreg;
    std::string xTermDescarreg;
};

class TinfTermDescarregCollection : public dfe::TDFeCollection<TinfTermDescarregCollectionItem> {};

// infEmbComb: a vessel of the convoy.
class TinfEmbCombCollectionItem {
public:
    bool operator==(const TinfEmbCombCollectionItem &) const = default;

    std::string cEmbComb;
    std::string xBalsa;
};

class TinfEmbCombCollection : public dfe::TDFeCollection<TinfEmbCombCollectionItem> {};

// infUnidCargaVazia: an empty cargo unit carried.
class TinfUnidCargaVaziaCollectionItem {
public:
    bool operator==(const TinfUnidCargaVaziaCollectionItem &) const = default;

    std::string idUnidCargaVazia;
    dfe::TpcnUnidCarga tpUnidCargaVazia = dfe::ucContainer;
};

class TinfUnidCargaVaziaCollection : public dfe::TDFeCollection<TinfUnidCargaVaziaCollectionItem> {};

// infUnidTranspVazia: an empty transport unit carried.
class TinfUnidTranspVaziaCollectionItem {
public:
    bool operator==(const TinfUnidTranspVaziaCollectionItem &) const = default;

    std::string idUnidTranspVazia;
    dfe::TpcnUnidTransp tpUnidTranspVazia = dfe::utRodoTracao;
};

class TinfUnidTranspVaziaCollection : public dfe::TDFeCollection<TinfUnidTranspVaziaCollectionItem> {};

// aquav.
class Taquav {
public:
    bool operator==(const Taquav &) const = default;

    std::string CNPJAgeNav;
    std::string irin;
    std::string tpEmb;
    std::string cEmbar;
    std::string xEmbar;
    std::string nViagem; // element nViag
    std::string cPrtEmb;
    std::string cPrtDest;
    std::string prtTrans;
    dfe::TTipoNavegacao tpNav = dfe::tnInterior;
    TinfTermCarregCollection infTermCarreg;
    TinfTermDescarregCollection infTermDescarreg;
    TinfEmbCombCollection infEmbComb;
    TinfUnidCargaVaziaCollection infUnidCargaVazia;
    TinfUnidTranspVaziaCollection infUnidTranspVazia;
};

// ---- Rail ------------------------------------------------------------------------------

// vag: a wagon.
class TvagCollectionItem {
public:
    bool operator==(const TvagCollectionItem &) const = default;

    double pesoBC = 0;
    double pesoR = 0;
    std::string tpVag;
    std::string serie;
    int nVag = 0;
    int nSeq = 0;
    double TU = 0;
};

class TvagCollection : public dfe::TDFeCollection<TvagCollectionItem> {};

// ferrov. The first five fields are written inside the element trem.
class Tferrov {
public:
    bool operator==(const Tferrov &) const = default;

    std::string xPref;
    rtl::TDateTime dhTrem = 0;
    std::string xOri;
    std::string xDest;
    int qVag = 0;
    TvagCollection vag;
};

} // namespace mdfe

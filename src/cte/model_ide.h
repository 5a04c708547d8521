#pragma once
// The CT-e model's identification, complement and party groups: the infCte attributes, ide
// with its takers and crossed states, compl with the delivery forecast and the free-use
// fields, the issuer, the taker of a CT-e OS, the sender, the dispatcher, the receiver and
// the addressee.
//
// What holds for every group of the model: a group is a plain value owned by its parent and
// exists for the document's whole life, whatever the modal, the kind of CT-e or the model,
// so an absent XML group is a group at its defaults: empty texts, zero numbers and dates,
// every enumeration at its first value (the two exceptions say so). Fields carry the
// layout's tag names. Money and measures are rtl::Currency; versao, qtdRat and unidRat are
// double. Copying a group copies every field and gives its lists copies of the source's
// items.

#include "cte/codes.h"
#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace cte {

// The attributes of infCte.
class TInfCTe {
public:
    // The attribute text for the opening tags, whatever the locale's decimal separator:
    // versao="3.00", versao="2.50"; versao="2.00" when versao is 0 or less.
    std::string VersaoStr() const;

    bool operator==(const TInfCTe &) const = default;

    std::string Id; // "CTe" followed by the 44-digit access key
    double versao = 0;
};

// toma03 (toma3 from layout 3.00): the taker is one of the document's parties.
class TToma03 {
public:
    bool operator==(const TToma03 &) const = default;

    TpcteTomador Toma = tmRemetente;
};

// The address of the taker, the sender, the dispatcher, the receiver and the addressee.
class TEndereco {
public:
    bool operator==(const TEndereco &) const = default;

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    int CEP = 0;
    std::string UF;
    int cPais = 0;
    std::string xPais;
};

// toma4: a taker outside the document's parties.
class TToma4 {
public:
    bool operator==(const TToma4 &) const = default;

    TpcteTomador toma = tmRemetente;
    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string xFant;
    std::string fone;
    TEndereco enderToma;
    std::string email;
};

// infPercurso: a state the transport crosses.
class TinfPercursoCollectionItem {
public:
    bool operator==(const TinfPercursoCollectionItem &) const = default;

    std::string UFPer;
};

class TinfPercursoCollection : public dfe::TDFeCollection<TinfPercursoCollectionItem> {};

// ide.
class TIde {
public:
    bool operator==(const TIde &) const = default;

    int cUF = 0;
    int cCT = 0;
    int CFOP = 0;
    std::string natOp;
    TpcteFormaPagamento forPag = fpPago;
    int modelo = 0;
    int serie = 0;
    int nCT = 0;
    rtl::TDateTime dhEmi = 0;
    dfe::TpcnTipoImpressao tpImp = dfe::tiSemGeracao;
    dfe::TpcnTipoEmissao tpEmis = dfe::teNormal;
    int cDV = 0;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    TpcteTipoCTe tpCTe = tcNormal;
    dfe::TpcnProcessoEmissao procEmi = dfe::peAplicativoContribuinte;
    std::string verProc;
    // Not globalized unless the document says so.
    dfe::TIndicador indGlobalizado = dfe::tiNao;
    std::string refCTe;
    int cMunEnv = 0;
    std::string xMunEnv;
    std::string UFEnv;
    dfe::TpcteModal modal = dfe::mdRodoviario;
    TpcteTipoServico tpServ = tsNormal;
    int cMunIni = 0;
    std::string xMunIni;
    std::string UFIni;
    int cMunFim = 0;
    std::string xMunFim;
    std::string UFFim;
    TpcteRetira retira = rtSim;
    std::string xDetRetira;
    dfe::TpcnindIEDest indIEToma = dfe::inContribuinte;
    TToma03 toma03;
    TToma4 toma4;
    TinfPercursoCollection infPercurso;
    rtl::TDateTime dhCont = 0;
    std::string xJust;
};

// pass: a place the cargo passes through.
class TPassCollectionItem {
public:
    bool operator==(const TPassCollectionItem &) const = default;

    std::string xPass;
};

class TPassCollection : public dfe::TDFeCollection<TPassCollectionItem> {};

// fluxo: the cargo's route.
class TFluxo {
public:
    bool operator==(const TFluxo &) const = default;

    std::string xOrig;
    TPassCollection pass;
    std::string xDest;
    std::string xRota;
};

// The six forms of the delivery forecast: three for the date, three for the time.
class TSemData {
public:
    bool operator==(const TSemData &) const = default;

    TpcteTipoDataPeriodo tpPer = tdSemData;
};

class TComData {
public:
    bool operator==(const TComData &) const = default;

    TpcteTipoDataPeriodo tpPer = tdSemData;
    rtl::TDateTime dProg = 0;
};

class TNoPeriodo {
public:
    bool operator==(const TNoPeriodo &) const = default;

    TpcteTipoDataPeriodo tpPer = tdSemData;
    rtl::TDateTime dIni = 0;
    rtl::TDateTime dFim = 0;
};

class TSemHora {
public:
    bool operator==(const TSemHora &) const = default;

    TpcteTipoHorarioIntervalo tpHor = thSemHorario;
};

class TComHora {
public:
    bool operator==(const TComHora &) const = default;

    TpcteTipoHorarioIntervalo tpHor = thSemHorario;
    rtl::TDateTime hProg = 0;
};

class TNoInter {
public:
    bool operator==(const TNoInter &) const = default;

    TpcteTipoHorarioIntervalo tpHor = thSemHorario;
    rtl::TDateTime hIni = 0;
    rtl::TDateTime hFim = 0;
};

// Entrega: the delivery forecast. TipoData and TipoHora say which date form and which time
// form the document uses; all six are always there.
class TEntrega {
public:
    bool operator==(const TEntrega &) const = default;

    TpcteTipoDataPeriodo TipoData = tdSemData;
    TpcteTipoHorarioIntervalo TipoHora = thSemHorario;
    TSemData semData;
    TComData comData;
    TNoPeriodo noPeriodo;
    TSemHora semHora;
    TComHora comHora;
    TNoInter noInter;
};

// ObsCont and ObsFisco: a free-use field, xCampo being the element's attribute.
class TObsContCollectionItem {
public:
    bool operator==(const TObsContCollectionItem &) const = default;

    std::string xCampo;
    std::string xTexto;
};

class TObsContCollection : public dfe::TDFeCollection<TObsContCollectionItem> {};

// compl.
class TCompl {
public:
    bool operator==(const TCompl &) const = default;

    std::string xCaracAd;
    std::string xCaracSer;
    std::string xEmi;
    TFluxo fluxo;
    TEntrega Entrega;
    std::string origCalc;
    std::string destCalc;
    std::string xObs;
    TObsContCollection ObsCont;
    TObsContCollection ObsFisco;
};

// enderEmit: the issuer's address, which has a telephone and no country.
class TEnderEmit {
public:
    bool operator==(const TEnderEmit &) const = default;

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    int CEP = 0;
    std::string UF;
    std::string fone;
};

// emit.
class TEmit {
public:
    bool operator==(const TEmit &) const = default;

    std::string CNPJ;
    std::string IE;
    std::string IEST;
    std::string xNome;
    std::string xFant;
    TEnderEmit enderEmit;
};

// The root-level toma: the taker of a CT-e OS from layout 3.00.
class TToma {
public:
    bool operator==(const TToma &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string xFant;
    std::string fone;
    TEndereco enderToma;
    std::string email;
};

// locColeta: where the cargo is picked up.
class TLocColeta {
public:
    bool operator==(const TLocColeta &) const = default;

    std::string CNPJCPF;
    std::string xNome;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
};

// rem: the sender.
class TRem {
public:
    bool operator==(const TRem &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string xFant;
    std::string fone;
    TEndereco enderReme;
    std::string email;
    TLocColeta locColeta;
};

// exped: the dispatcher.
class TExped {
public:
    bool operator==(const TExped &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string fone;
    TEndereco enderExped;
    std::string email;
};

// receb: the receiver.
class TReceb {
public:
    bool operator==(const TReceb &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string fone;
    TEndereco enderReceb;
    std::string email;
};

// locEnt: where the cargo is delivered; the same fields as locColeta.
class TLocEnt {
public:
    bool operator==(const TLocEnt &) const = default;

    std::string CNPJCPF;
    std::string xNome;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
};

// dest: the addressee.
class TDest {
public:
    bool operator==(const TDest &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string fone;
    std::string ISUF;
    TEndereco enderDest;
    std::string email;
    TLocEnt locEnt;
};

} // namespace cte

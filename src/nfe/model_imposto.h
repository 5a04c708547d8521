#pragma once
// The NF-e model's item taxes (imposto). TICMS holds the union of the fields of every ICMS
// group of the layout; CST or CSOSN tells the writer which of them apply. No tax group sets
// a default of its own: enumerations start at their first value, amounts at zero.

#include "dfe/codes.h"
#include "rtl/currency.h"

#include <string>

namespace nfe {

class TICMS {
public:
    bool operator==(const TICMS &) const = default;

    dfe::TpcnOrigemMercadoria orig = dfe::oeNacional;
    dfe::TpcnCSTIcms CST = dfe::cst00;
    dfe::TpcnCSOSNIcms CSOSN = dfe::csosnVazio;
    dfe::TpcnDeterminacaoBaseIcms modBC = dfe::dbiMargemValorAgregado;
    rtl::Currency pRedBC;
    rtl::Currency vBC;
    rtl::Currency pICMS;
    rtl::Currency vICMS;
    dfe::TpcnDeterminacaoBaseIcmsST modBCST = dfe::dbisPrecoTabelado;
    rtl::Currency pMVAST;
    rtl::Currency pRedBCST;
    rtl::Currency vBCST;
    rtl::Currency pICMSST;
    rtl::Currency vICMSST;
    std::string UFST;
    rtl::Currency pBCOp;
    rtl::Currency vBCSTRet;
    rtl::Currency vICMSSTRet;
    dfe::TpcnMotivoDesoneracaoICMS motDesICMS = dfe::mdiTaxi;
    rtl::Currency pCredSN;
    rtl::Currency vCredICMSSN;
    rtl::Currency vBCSTDest;
    rtl::Currency vICMSSTDest;
    rtl::Currency vICMSDeson;
    rtl::Currency vICMSOp;
    rtl::Currency pDif;
    rtl::Currency vICMSDif;
    rtl::Currency vBCFCP;
    rtl::Currency pFCP;
    rtl::Currency vFCP;
    rtl::Currency vBCFCPST;
    rtl::Currency pFCPST;
    rtl::Currency vFCPST;
    rtl::Currency vBCFCPSTRet;
    rtl::Currency pFCPSTRet;
    rtl::Currency vFCPSTRet;
    rtl::Currency pST;
    rtl::Currency pRedBCEfet;
    rtl::Currency vBCEfet;
    rtl::Currency pICMSEfet;
    rtl::Currency vICMSEfet;
    rtl::Currency vICMSSubstituto;
};

class TIPI {
public:
    bool operator==(const TIPI &) const = default;

    std::string clEnq;
    std::string CNPJProd;
    std::string cSelo;
    int qSelo = 0;
    std::string cEnq;
    dfe::TpcnCstIpi CST = dfe::ipi00;
    rtl::Currency vBC;
    rtl::Currency qUnid;
    rtl::Currency vUnid;
    rtl::Currency pIPI;
    rtl::Currency vIPI;
};

class TII {
public:
    bool operator==(const TII &) const = default;

    rtl::Currency vBc;
    rtl::Currency vDespAdu;
    rtl::Currency vII;
    rtl::Currency vIOF;
};

class TPIS {
public:
    bool operator==(const TPIS &) const = default;

    dfe::TpcnCstPis CST = dfe::pis01;
    rtl::Currency vBC;
    rtl::Currency pPIS;
    rtl::Currency vPIS;
    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
};

class TPISST {
public:
    bool operator==(const TPISST &) const = default;

    rtl::Currency vBc;
    rtl::Currency pPis;
    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
    rtl::Currency vPIS;
};

class TCOFINS {
public:
    bool operator==(const TCOFINS &) const = default;

    dfe::TpcnCstCofins CST = dfe::cof01;
    rtl::Currency vBC;
    rtl::Currency pCOFINS;
    rtl::Currency vCOFINS;
    rtl::Currency vBCProd; // no tag of the layout carries it
    rtl::Currency vAliqProd;
    rtl::Currency qBCProd;
};

class TCOFINSST {
public:
    bool operator==(const TCOFINSST &) const = default;

    rtl::Currency vBC;
    rtl::Currency pCOFINS;
    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
    rtl::Currency vCOFINS;
};

class TISSQN {
public:
    bool operator==(const TISSQN &) const = default;

    rtl::Currency vBC;
    rtl::Currency vAliq;
    rtl::Currency vISSQN;
    int cMunFG = 0;
    std::string cListServ;
    dfe::TpcnISSQNcSitTrib cSitTrib = dfe::ISSQNcSitTribVazio;
    rtl::Currency vDeducao;
    rtl::Currency vOutro;
    rtl::Currency vDescIncond;
    rtl::Currency vDescCond;
    dfe::TpcnindISSRet indISSRet = dfe::iirSim; // not in the item group: no tag carries it
    rtl::Currency vISSRet;
    dfe::TpcnindISS indISS = dfe::iiExigivel;
    std::string cServico;
    int cMun = 0;
    int cPais = 0;
    std::string nProcesso;
    dfe::TpcnindIncentivo indIncentivo = dfe::iiSim;
};

class TICMSUFDest {
public:
    bool operator==(const TICMSUFDest &) const = default;

    rtl::Currency vBCUFDest;
    rtl::Currency vBCFCPUFDest;
    rtl::Currency pFCPUFDest;
    rtl::Currency pICMSUFDest;
    rtl::Currency pICMSInter;
    rtl::Currency pICMSInterPart;
    rtl::Currency vFCPUFDest;
    rtl::Currency vICMSUFDest;
    rtl::Currency vICMSUFRemet;
};

class TImposto {
public:
    bool operator==(const TImposto &) const = default;

    rtl::Currency vTotTrib;
    TICMS ICMS;
    TIPI IPI;
    TII II;
    TPIS PIS;
    TPISST PISST;
    TCOFINS COFINS;
    TCOFINSST COFINSST;
    TISSQN ISSQN;
    TICMSUFDest ICMSUFDest;
};

} // namespace nfe

#pragma once
// The CT-e model's service values and taxes, the complemented and annulled CT-e, the parties
// allowed to obtain the XML, the technical responsible, the supplement and the authorization
// protocol. The rules of model_ide.h hold here.

#include "cte/codes.h"
#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "dfe/xmlwriter.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace cte {

// Comp: one component of the service's value.
class TCompCollectionItem {
public:
    bool operator==(const TCompCollectionItem &) const = default;

    std::string xNome;
    rtl::Currency vComp;
};

class TCompCollection : public dfe::TDFeCollection<TCompCollectionItem> {};

// vPrest.
class TVPrest {
public:
    bool operator==(const TVPrest &) const = default;

    rtl::Currency vTPrest;
    rtl::Currency vRec;
    TCompCollection Comp;
};

// The forms of the ICMS group. Each holds its own CST, which is what the writer writes.
class TCST00 {
public:
    bool operator==(const TCST00 &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
    rtl::Currency vBC;
    rtl::Currency pICMS;
    rtl::Currency vICMS;
};

class TCST20 {
public:
    bool operator==(const TCST20 &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
    rtl::Currency pRedBC;
    rtl::Currency vBC;
    rtl::Currency pICMS;
    rtl::Currency vICMS;
};

// ICMS45: the exempt and untaxed situations (40, 41, 51).
class TCST45 {
public:
    bool operator==(const TCST45 &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
};

class TCST60 {
public:
    bool operator==(const TCST60 &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
    rtl::Currency vBCSTRet;
    rtl::Currency vICMSSTRet;
    rtl::Currency pICMSSTRet;
    rtl::Currency vCred;
};

class TCST90 {
public:
    bool operator==(const TCST90 &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
    rtl::Currency pRedBC;
    rtl::Currency vBC;
    rtl::Currency pICMS;
    rtl::Currency vICMS;
    rtl::Currency vCred;
};

class TICMSOutraUF {
public:
    bool operator==(const TICMSOutraUF &) const = default;

    dfe::TpcnCSTIcms CST = dfe::cst00;
    rtl::Currency pRedBCOutraUF;
    rtl::Currency vBCOutraUF;
    rtl::Currency pICMSOutraUF;
    rtl::Currency vICMSOutraUF;
};

class TICMSSN {
public:
    bool operator==(const TICMSSN &) const = default;

    int indSN = 0;
};

// ICMS. SituTrib says which form the document carries; every form is always there.
class TICMS {
public:
    bool operator==(const TICMS &) const = default;

    dfe::TpcnCSTIcms SituTrib = dfe::cst00;
    TCST00 ICMS00;
    TCST20 ICMS20;
    TCST45 ICMS45;
    TCST60 ICMS60;
    TCST90 ICMS90;
    TICMSOutraUF ICMSOutraUF;
    TICMSSN ICMSSN;
};

// ICMSUFFim: the ICMS shared between the states of an interstate service.
class TICMSUFFim {
public:
    bool operator==(const TICMSUFFim &) const = default;

    rtl::Currency vBCUFFim;
    rtl::Currency pFCPUFFim;
    rtl::Currency pICMSUFFim;
    rtl::Currency pICMSInter;
    rtl::Currency pICMSInterPart;
    rtl::Currency vFCPUFFim;
    rtl::Currency vICMSUFFim;
    rtl::Currency vICMSUFIni;
};

// infTribFed: the federal taxes of a CT-e OS.
class TinfTribFed {
public:
    bool operator==(const TinfTribFed &) const = default;

    rtl::Currency vPIS;
    rtl::Currency vCOFINS;
    rtl::Currency vIR;
    rtl::Currency vINSS;
    rtl::Currency vCSLL;
};

// imp.
class TImp {
public:
    bool operator==(const TImp &) const = default;

    TICMS ICMS;
    rtl::Currency vTotTrib;
    std::string infAdFisco;
    TICMSUFFim ICMSUFFim;
    TinfTribFed infTribFed;
};

// infCteComp: the CT-e this one complements.
class TInfCteComp {
public:
    bool operator==(const TInfCteComp &) const = default;

    std::string chave;
};

// infCteAnu: the CT-e this one annuls.
class TInfCteAnu {
public:
    bool operator==(const TInfCteAnu &) const = default;

    std::string chCTe;
    rtl::TDateTime dEmi = 0;
};

// autXML: a party allowed to obtain the XML.
class TautXMLCollectionItem {
public:
    bool operator==(const TautXMLCollectionItem &) const = default;

    std::string CNPJCPF;
};

class TautXMLCollection : public dfe::TDFeCollection<TautXMLCollectionItem> {};

// infRespTec: the technical responsible.
class TinfRespTec {
public:
    bool operator==(const TinfRespTec &) const = default;

    std::string CNPJ;
    std::string xContato;
    std::string email;
    std::string fone;
    int idCSRT = 0;
    std::string hashCSRT;
};

// infCTeSupl.
class TinfCTeSupl {
public:
    bool operator==(const TinfCTeSupl &) const = default;

    std::string qrCodCTe; // the QR Code text the DACTE paints
};

// protCTe: the authorization protocol. The generator, the paths and the two XML texts serve
// an envelope writer of the web-service side, which the viewer never runs.
class TProcCTe {
public:
    // Every field but Gerador.
    bool operator==(const TProcCTe &other) const;

    dfe::TGerador Gerador;
    std::string PathCTe;
    std::string PathRetConsReciCTe;
    std::string PathRetConsSitCTe;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    std::string verAplic;
    std::string chCTe;
    rtl::TDateTime dhRecbto = 0;
    std::string nProt; // empty whenever the document carries no protocol
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Id;
    std::string Versao;
    int cMsg = 0;
    std::string xMsg;
    std::string XML_CTe;
    std::string XML_prot;
};

} // namespace cte

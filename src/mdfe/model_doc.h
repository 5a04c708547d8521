#pragma once
// The MDF-e model's documents and closing groups: the carried documents per unloading
// municipality with their transport units, cargo units and dangerous goods, the insurance,
// the totals, the additional information, the technical contact, the QR Code supplement,
// the predominant product and the authorization protocol. Groups as in model_ide.h.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "dfe/xmlwriter.h"
#include "mdfe/codes.h"
#include "mdfe/model_ide.h"
#include "rtl/datetime.h"

#include <string>

namespace mdfe {

// ---- Carried documents ------------------------------------------------------------------

// infUnidCarga: a cargo unit inside a transport unit.
class TinfUnidCargaCollectionItem {
public:
    bool operator==(const TinfUnidCargaCollectionItem &) const = default;

    dfe::TpcnUnidCarga tpUnidCarga = dfe::ucContainer;
    std::string idUnidCarga;
    TlacresCollection lacUnidCarga;
    double qtdRat = 0;
};

class TinfUnidCargaCollection : public dfe::TDFeCollection<TinfUnidCargaCollectionItem> {};

// infUnidTransp: a transport unit a document's cargo travels in.
class TinfUnidTranspCollectionItem {
public:
    bool operator==(const TinfUnidTranspCollectionItem &) const = default;

    dfe::TpcnUnidTransp tpUnidTransp = dfe::utRodoTracao;
    std::string idUnidTransp;
    TlacresCollection lacUnidTransp;
    TinfUnidCargaCollection infUnidCarga;
    double qtdRat = 0;
};

class TinfUnidTranspCTeCollection : public dfe::TDFeCollection<TinfUnidTranspCollectionItem> {};

// peri: dangerous goods of a document.
class TPeriCollectionItem {
public:
    bool operator==(const TPeriCollectionItem &) const = default;

    std::string nONU;
    std::string xNomeAE;
    std::string xClaRisco;
    std::string grEmb;
    std::string qTotProd;
    std::string qVolTipo;
};

class TPeriCTeCollection : public dfe::TDFeCollection<TPeriCollectionItem> {};

// infEntregaParcial: a CT-e's partial delivery.
class TinfEntregaParcial {
public:
    bool operator==(const TinfEntregaParcial &) const = default;

    double qtdTotal = 0;
    double qtdParcial = 0;
};

// infCTe: an electronic transport document carried.
class TinfCTeCollectionItem {
public:
    bool operator==(const TinfCTeCollectionItem &) const = default;

    std::string chCTe;
    std::string SegCodBarra;
    std::string indReentrega;
    TinfUnidTranspCTeCollection infUnidTransp;
    TPeriCTeCollection peri;
    TinfEntregaParcial infEntregaParcial;
};

class TinfCTeCollection : public dfe::TDFeCollection<TinfCTeCollectionItem> {};

// infCT: a paper transport document carried.
class TinfCTCollectionItem {
public:
    bool operator==(const TinfCTCollectionItem &) const = default;

    std::string nCT;
    int serie = 0;
    int subser = 0;
    rtl::TDateTime dEmi = 0;
    double vCarga = 0;
    TinfUnidTranspCTeCollection infUnidTransp;
};

class TinfCTCollection : public dfe::TDFeCollection<TinfCTCollectionItem> {};

// infNFe: an electronic invoice carried.
class TinfNFeCollectionItem {
public:
    bool operator==(const TinfNFeCollectionItem &) const = default;

    std::string chNFe;
    std::string SegCodBarra;
    std::string indReentrega;
    TinfUnidTranspCTeCollection infUnidTransp;
    TPeriCTeCollection peri;
};

class TinfNFeCollection : public dfe::TDFeCollection<TinfNFeCollectionItem> {};

// infNF: a paper invoice carried.
class TinfNFCollectionItem {
public:
    bool operator==(const TinfNFCollectionItem &) const = default;

    std::string CNPJ;
    std::string UF;
    int nNF = 0;
    int serie = 0;
    rtl::TDateTime dEmi = 0;
    double vNF = 0;
    int PIN = 0;
    TinfUnidTranspCTeCollection infUnidTransp;
};

class TinfNFCollection : public dfe::TDFeCollection<TinfNFCollectionItem> {};

// infMDFeTransp: another manifest carried.
class TinfMDFeTranspCollectionItem {
public:
    bool operator==(const TinfMDFeTranspCollectionItem &) const = default;

    std::string chMDFe;
    std::string indReentrega;
    TinfUnidTranspCTeCollection infUnidTransp;
    TPeriCTeCollection peri;
};

class TinfMDFeTranspCollection : public dfe::TDFeCollection<TinfMDFeTranspCollectionItem> {};

// infMunDescarga: an unloading municipality and the documents unloaded there.
class TinfMunDescargaCollectionItem {
public:
    bool operator==(const TinfMunDescargaCollectionItem &) const = default;

    int cMunDescarga = 0;
    std::string xMunDescarga;
    TinfCTeCollection infCTe;
    TinfCTCollection infCT;
    TinfNFeCollection infNFe;
    TinfNFCollection infNF;
    TinfMDFeTranspCollection infMDFeTransp;
};

class TinfMunDescargaCollection : public dfe::TDFeCollection<TinfMunDescargaCollectionItem> {};

// infDoc.
class TinfDoc {
public:
    bool operator==(const TinfDoc &) const = default;

    TinfMunDescargaCollection infMunDescarga;
};

// ---- Insurance and totals ---------------------------------------------------------------

// aver: an insurance endorsement number.
class TAverCollectionItem {
public:
    bool operator==(const TAverCollectionItem &) const = default;

    std::string nAver;
};

class TAverCollection : public dfe::TDFeCollection<TAverCollectionItem> {};

// seg: an insurance of the cargo.
class TSegCollectionItem {
public:
    bool operator==(const TSegCollectionItem &) const = default;

    TRspSegMDFe respSeg = rsEmitente;
    std::string CNPJCPF; // of the party responsible
    std::string xSeg;    // the insurer's name
    std::string CNPJ;    // the insurer's
    std::string nApol;
    TAverCollection aver;
};

class TSegCollection : public dfe::TDFeCollection<TSegCollectionItem> {};

// tot.
class Ttot {
public:
    bool operator==(const Ttot &) const = default;

    int qCTe = 0;
    int qCT = 0;
    int qNFe = 0;
    int qNF = 0;
    int qMDFe = 0;
    double vCarga = 0;
    dfe::TUnidMed cUnid = dfe::uM3;
    double qCarga = 0;
};

// ---- Closing groups ---------------------------------------------------------------------

// infAdic.
class TinfAdic {
public:
    bool operator==(const TinfAdic &) const = default;

    std::string infAdFisco;
    std::string infCpl;
};

// infRespTec: the technical contact of the issuing program.
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

// infMDFeSupl.
class TinfMDFeSupl {
public:
    bool operator==(const TinfMDFeSupl &) const = default;

    std::string qrCodMDFe; // without its CDATA markers
};

// infLocalCarrega / infLocalDescarrega of infLotacao.
class TinfLocal {
public:
    bool operator==(const TinfLocal &) const = default;

    int CEP = 0;
    double latitude = 0;
    double longitude = 0;
};

// prodPred: the predominant product (layout 3.00).
class TprodPred {
public:
    bool operator==(const TprodPred &) const = default;

    TCarga tpCarga = tcGranelSolido;
    std::string xProd;
    std::string cEAN;
    std::string NCM;
    TinfLocal infLocalCarrega;
    TinfLocal infLocalDescarrega;
};

// protMDFe: the authorization protocol. The generator, the paths and the two XML texts serve
// an envelope writer of the web-service side, which the viewer never runs; comparing two
// protocols leaves the generator out.
class TProcMDFe {
public:
    bool operator==(const TProcMDFe &other) const;

    dfe::TGerador Gerador;
    std::string PathMDFe;
    std::string PathRetConsReciMDFe;
    std::string PathRetConsSitMDFe;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    std::string verAplic;
    std::string chMDFe;
    rtl::TDateTime dhRecbto = 0;
    std::string nProt; // empty whenever the document carries no protocol
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Versao;
    int cMsg = 0;
    std::string xMsg;
    std::string XML_MDFe;
    std::string XML_Prot;
};

} // namespace mdfe

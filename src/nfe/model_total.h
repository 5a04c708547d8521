#pragma once
// The NF-e model's groups after the items: totals, transport, billing, payment, additional
// information, export, purchase, sugar-cane supply, responsible technician, the NFC-e
// supplement, and the authorization protocol an nfeProc envelope adds.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "dfe/xmlwriter.h"
#include "nfe/codes.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace nfe {

// ICMSTot.
class TICMSTot {
public:
    bool operator==(const TICMSTot &) const = default;

    rtl::Currency vBC;
    rtl::Currency vICMS;
    rtl::Currency vICMSDeson;
    rtl::Currency vFCPUFDest;
    rtl::Currency vICMSUFDest;
    rtl::Currency vICMSUFRemet;
    rtl::Currency vFCP;
    rtl::Currency vBCST;
    rtl::Currency vST;
    rtl::Currency vFCPST;
    rtl::Currency vFCPSTRet;
    rtl::Currency vProd;
    rtl::Currency vFrete;
    rtl::Currency vSeg;
    rtl::Currency vDesc;
    rtl::Currency vII;
    rtl::Currency vIPI;
    rtl::Currency vIPIDevol;
    rtl::Currency vPIS;
    rtl::Currency vCOFINS;
    rtl::Currency vOutro;
    rtl::Currency vNF;
    rtl::Currency vTotTrib;
};

// ISSQNtot.
class TISSQNtot {
public:
    bool operator==(const TISSQNtot &) const = default;

    rtl::Currency vServ;
    rtl::Currency vBC;
    rtl::Currency vISS;
    rtl::Currency vPIS;
    rtl::Currency vCOFINS;
    rtl::TDateTime dCompet = 0;
    rtl::Currency vDeducao;
    rtl::Currency vOutro;
    rtl::Currency vDescIncond;
    rtl::Currency vDescCond;
    rtl::Currency vISSRet;
    dfe::TpcnRegTribISSQN cRegTrib = dfe::RTISSMicroempresaMunicipal;
};

// retTrib: taxes withheld.
class TretTrib {
public:
    bool operator==(const TretTrib &) const = default;

    rtl::Currency vRetPIS;
    rtl::Currency vRetCOFINS;
    rtl::Currency vRetCSLL;
    rtl::Currency vBCIRRF;
    rtl::Currency vIRRF;
    rtl::Currency vBCRetPrev;
    rtl::Currency vRetPrev;
};

// total.
class TTotal {
public:
    bool operator==(const TTotal &) const = default;

    TICMSTot ICMSTot;
    TISSQNtot ISSQNtot;
    TretTrib retTrib;
};

// transporta: the carrier.
class TTransporta {
public:
    bool operator==(const TTransporta &) const = default;

    std::string CNPJCPF;
    std::string xNome;
    std::string IE;
    std::string xEnder;
    std::string xMun;
    std::string UF;
};

// retTransp: ICMS withheld on the transport.
class TretTransp {
public:
    bool operator==(const TretTransp &) const = default;

    rtl::Currency vServ;
    rtl::Currency vBCRet;
    rtl::Currency pICMSRet;
    rtl::Currency vICMSRet;
    std::string CFOP;
    int cMunFG = 0;
};

// veicTransp.
class TveicTransp {
public:
    bool operator==(const TveicTransp &) const = default;

    std::string placa;
    std::string UF;
    std::string RNTC;
};

// reboque: a trailer.
class TreboqueCollectionItem {
public:
    bool operator==(const TreboqueCollectionItem &) const = default;

    std::string placa;
    std::string UF;
    std::string RNTC;
};

class TreboqueCollection : public dfe::TDFeCollection<TreboqueCollectionItem> {};

// lacres: a seal.
class TLacresCollectionItem {
public:
    bool operator==(const TLacresCollectionItem &) const = default;

    std::string nLacre;
};

class TLacresCollection : public dfe::TDFeCollection<TLacresCollectionItem> {};

// vol: volumes.
class TVolCollectionItem {
public:
    bool operator==(const TVolCollectionItem &) const = default;

    int qVol = 0;
    std::string esp;
    std::string marca;
    std::string nVol;
    rtl::Currency pesoL;
    rtl::Currency pesoB;
    TLacresCollection Lacres;
};

class TVolCollection : public dfe::TDFeCollection<TVolCollectionItem> {};

// transp.
class TTransp {
public:
    bool operator==(const TTransp &) const = default;

    TpcnModalidadeFrete modFrete = mfContaEmitente;
    TTransporta Transporta;
    TretTransp retTransp;
    TveicTransp veicTransp;
    TVolCollection Vol;
    TreboqueCollection Reboque;
    std::string vagao;
    std::string balsa;
};

// fat: the invoice.
class TFat {
public:
    bool operator==(const TFat &) const = default;

    std::string nFat;
    rtl::Currency vOrig;
    rtl::Currency vDesc;
    rtl::Currency vLiq;
};

// dup: an instalment.
class TDupCollectionItem {
public:
    bool operator==(const TDupCollectionItem &) const = default;

    std::string nDup;
    rtl::TDateTime dVenc = 0;
    rtl::Currency vDup;
};

class TDupCollection : public dfe::TDFeCollection<TDupCollectionItem> {};

// cobr.
class TCobr {
public:
    bool operator==(const TCobr &) const = default;

    TFat Fat;
    TDupCollection Dup;
};

// One payment: a detPag of layout 4.00, a pag of layout 3.10.
class TpagCollectionItem {
public:
    bool operator==(const TpagCollectionItem &) const = default;

    dfe::TpcnFormaPagamento tPag = dfe::fpDinheiro;
    // The tPag text of a document whose code no row of the table lists (a form of payment
    // newer than this program); tPag is then fpOutro, so the DANFE prints "Outro". The
    // writer writes this text back while tPag is still fpOutro: regenerating a document
    // never changes a code it read, while a model whose tPag was set since writes its own.
    std::string tPagNaoListado;
    rtl::Currency vPag;
    dfe::TtpIntegra tpIntegra = dfe::tiNaoInformado;
    std::string CNPJ;
    dfe::TpcnBandeiraCartao tBand = dfe::bcVisa;
    std::string cAut;
    // Absent unless layout 4.00 gives it, so not the enumeration's first value.
    dfe::TpcnIndicadorPagamento indPag = dfe::ipNenhum;
};

// The document's payments, with the change given.
class TpagCollection : public dfe::TDFeCollection<TpagCollectionItem> {
public:
    // vTroco, then copies of the source's payments in place of this list's.
    void Assign(const TpagCollection &Source)
    {
        vTroco = Source.vTroco;
        TDFeCollection::Assign(Source);
    }

    bool operator==(const TpagCollection &) const = default;

    rtl::Currency vTroco;
};

// obsCont: an observation of the taxpayer; xCampo is the group's attribute.
class TobsContCollectionItem {
public:
    bool operator==(const TobsContCollectionItem &) const = default;

    std::string xCampo;
    std::string xTexto;
};

class TobsContCollection : public dfe::TDFeCollection<TobsContCollectionItem> {};

// obsFisco: an observation of the tax authority.
class TobsFiscoCollectionItem {
public:
    bool operator==(const TobsFiscoCollectionItem &) const = default;

    std::string xCampo;
    std::string xTexto;
};

class TobsFiscoCollection : public dfe::TDFeCollection<TobsFiscoCollectionItem> {};

// procRef: a process or concession.
class TprocRefCollectionItem {
public:
    bool operator==(const TprocRefCollectionItem &) const = default;

    std::string nProc;
    dfe::TpcnIndicadorProcesso indProc = dfe::ipSEFAZ;
};

class TprocRefCollection : public dfe::TDFeCollection<TprocRefCollectionItem> {};

// infAdic.
class TInfAdic {
public:
    bool operator==(const TInfAdic &) const = default;

    std::string infAdFisco;
    std::string infCpl;
    TobsContCollection obsCont;
    TobsFiscoCollection obsFisco;
    TprocRefCollection procRef;
};

// exporta. The first pair belongs to the older layouts, the other three to the newer ones.
class TExporta {
public:
    bool operator==(const TExporta &) const = default;

    std::string UFembarq; // tag UFEmbarq
    std::string xLocEmbarq;
    std::string UFSaidaPais;
    std::string xLocExporta;
    std::string xLocDespacho;
};

// compra.
class TCompra {
public:
    bool operator==(const TCompra &) const = default;

    std::string xNEmp;
    std::string xPed;
    std::string xCont;
};

// forDia: the supply of one day; dia is the group's attribute.
class TForDiaCollectionItem {
public:
    bool operator==(const TForDiaCollectionItem &) const = default;

    int dia = 0;
    rtl::Currency qtde;
};

class TForDiaCollection : public dfe::TDFeCollection<TForDiaCollectionItem> {};

// deduc: a deduction.
class TDeducCollectionItem {
public:
    bool operator==(const TDeducCollectionItem &) const = default;

    std::string xDed;
    rtl::Currency vDed;
};

class TDeducCollection : public dfe::TDFeCollection<TDeducCollectionItem> {};

// cana: sugar-cane supply.
class TCana {
public:
    bool operator==(const TCana &) const = default;

    std::string safra;
    std::string ref;
    TForDiaCollection fordia;
    double qTotMes = 0;
    double qTotAnt = 0;
    double qTotGer = 0;
    TDeducCollection deduc;
    rtl::Currency vFor;
    rtl::Currency vTotDed;
    rtl::Currency vLiqFor;
};

// infRespTec: the responsible technician.
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

// infNFeSupl: the NFC-e supplement.
class TinfNFeSupl {
public:
    bool operator==(const TinfNFeSupl &) const = default;

    std::string qrCode; // without its CDATA markers
    std::string urlChave;
};

// protNFe: the authorization protocol. The generator, the paths and the two XML texts serve
// an envelope writer of the web-service side, which the viewer never runs; a copy leaves
// the target's own generator in place.
class TProcNFe {
public:
    TProcNFe() = default;
    TProcNFe(const TProcNFe &Source) { Assign(Source); }
    TProcNFe &operator=(const TProcNFe &Source)
    {
        Assign(Source);
        return *this;
    }
    TProcNFe(TProcNFe &&) = default;
    TProcNFe &operator=(TProcNFe &&) = default;

    // Every field but Gerador.
    void Assign(const TProcNFe &Source);

    // Every field but Gerador.
    bool operator==(const TProcNFe &other) const;

    dfe::TGerador Gerador;
    std::string PathNFe;
    std::string PathRetConsReciNFe;
    std::string PathRetConsSitNFe;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    std::string verAplic;
    std::string chNFe;
    rtl::TDateTime dhRecbto = 0;
    std::string dhRecbtoFuso; // the zone dhRecbto was read with, as TIde::dEmiFuso
    std::string nProt; // empty whenever the document carries no protocol
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Versao;
    int cMsg = 0;
    std::string xMsg;
    std::string XML_NFe;
    std::string XML_prot;
};

} // namespace nfe

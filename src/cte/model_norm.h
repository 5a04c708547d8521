#pragma once
// The CT-e model's infCTeNorm: the group of a normal or substitute CT-e and of a CT-e OS,
// with the cargo, the transported and previous documents, the insurance, the modal groups,
// the dangerous goods, the new vehicles, the billing, the substitution data, the global and
// linked-service data, and the service of a CT-e OS with its referenced documents. The rules
// of model_ide.h hold here.

#include "cte/codes.h"
#include "cte/model_modal.h"
#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace cte {

// ---- Cargo ------------------------------------------------------------------------------

// infQ: one measured quantity of the cargo.
class TInfQCollectionItem {
public:
    bool operator==(const TInfQCollectionItem &) const = default;

    dfe::TUnidMed cUnid = dfe::uM3;
    std::string tpMed;
    rtl::Currency qCarga;
};

class TInfQCollection : public dfe::TDFeCollection<TInfQCollectionItem> {};

// infCarga.
class TInfCarga {
public:
    bool operator==(const TInfCarga &) const = default;

    rtl::Currency vCarga;
    std::string proPred;
    std::string xOutCat;
    TInfQCollection infQ;
    rtl::Currency vCargaAverb;
};

// ---- Transported documents --------------------------------------------------------------

// infUnidCarga: a cargo unit (container, ULD, pallet...).
class TinfUnidCargaCollectionItem {
public:
    bool operator==(const TinfUnidCargaCollectionItem &) const = default;

    dfe::TpcnUnidCarga tpUnidCarga = dfe::ucContainer;
    std::string idUnidCarga;
    TLacreCollection lacUnidCarga;
    double qtdRat = 0;
};

class TinfUnidCargaCollection : public dfe::TDFeCollection<TinfUnidCargaCollectionItem> {};

// infUnidTransp: a transport unit (tractor, trailer, ship...), with the cargo units it
// carries.
class TinfUnidTranspCollectionItem {
public:
    bool operator==(const TinfUnidTranspCollectionItem &) const = default;

    dfe::TpcnUnidTransp tpUnidTransp = dfe::utRodoTracao;
    std::string idUnidTransp;
    TLacreCollection lacUnidTransp;
    TinfUnidCargaCollection infUnidCarga;
    double qtdRat = 0;
};

// The transport units of a paper invoice or an NF-e, and those of another document: the
// same items in two lists.
class TinfUnidTranspNFCollection : public dfe::TDFeCollection<TinfUnidTranspCollectionItem> {};
class TinfUnidTranspOutrosCollection : public dfe::TDFeCollection<TinfUnidTranspCollectionItem> {};

// infNF: a paper invoice.
class TInfNFCollectionItem {
public:
    bool operator==(const TInfNFCollectionItem &) const = default;

    std::string nRoma;
    std::string nPed;
    dfe::TpcteModeloNF modelo = dfe::moNF011AAvulsa;
    std::string serie;
    std::string nDoc;
    rtl::TDateTime dEmi = 0;
    rtl::Currency vBC;
    rtl::Currency vICMS;
    rtl::Currency vBCST;
    rtl::Currency vST;
    rtl::Currency vProd;
    rtl::Currency vNF;
    int nCFOP = 0;
    rtl::Currency nPeso;
    std::string PIN;
    rtl::TDateTime dPrev = 0;
    TinfUnidTranspNFCollection infUnidTransp;
    TinfUnidCargaCollection infUnidCarga;
};

class TInfNFCollection : public dfe::TDFeCollection<TInfNFCollectionItem> {};

// infNFe.
class TInfNFeCollectionItem {
public:
    bool operator==(const TInfNFeCollectionItem &) const = default;

    std::string chave;
    std::string PIN;
    rtl::TDateTime dPrev = 0;
    TinfUnidTranspNFCollection infUnidTransp;
    TinfUnidCargaCollection infUnidCarga;
};

class TInfNFeCollection : public dfe::TDFeCollection<TInfNFeCollectionItem> {};

// infOutros: a document of another kind.
class TInfOutrosCollectionItem {
public:
    bool operator==(const TInfOutrosCollectionItem &) const = default;

    TpcteTipoDocumento tpDoc = tdDeclaracao;
    std::string descOutros;
    std::string nDoc;
    rtl::TDateTime dEmi = 0;
    rtl::Currency vDocFisc;
    rtl::TDateTime dPrev = 0;
    TinfUnidTranspOutrosCollection infUnidTransp;
    TinfUnidCargaCollection infUnidCarga;
};

class TInfOutrosCollection : public dfe::TDFeCollection<TInfOutrosCollectionItem> {};

// infDoc.
class TInfDoc {
public:
    bool operator==(const TInfDoc &) const = default;

    TInfNFCollection infNF;
    TInfNFeCollection infNFe;
    TInfOutrosCollection infOutros;
};

// ---- Previous documents -----------------------------------------------------------------

// idDocAntPap: a previous paper document.
class TIdDocAntPapCollectionItem {
public:
    bool operator==(const TIdDocAntPapCollectionItem &) const = default;

    TpcteTipoDocumentoAnterior tpDoc = daCTRC;
    std::string serie;
    std::string subser;
    std::string nDoc;
    rtl::TDateTime dEmi = 0;
};

class TIdDocAntPapCollection : public dfe::TDFeCollection<TIdDocAntPapCollectionItem> {};

// idDocAntEle: a previous electronic document.
class TIdDocAntEleCollectionItem {
public:
    bool operator==(const TIdDocAntEleCollectionItem &) const = default;

    std::string chave;
    std::string chCTe;
};

class TIdDocAntEleCollection : public dfe::TDFeCollection<TIdDocAntEleCollectionItem> {};

// idDocAnt.
class TIdDocAntCollectionItem {
public:
    bool operator==(const TIdDocAntCollectionItem &) const = default;

    TIdDocAntPapCollection idDocAntPap;
    TIdDocAntEleCollection idDocAntEle;
};

class TIdDocAntCollection : public dfe::TDFeCollection<TIdDocAntCollectionItem> {};

// emiDocAnt: the issuer of previous documents.
class TEmiDocAntCollectionItem {
public:
    bool operator==(const TEmiDocAntCollectionItem &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string UF;
    std::string xNome;
    TIdDocAntCollection idDocAnt;
};

class TEmiDocAntCollection : public dfe::TDFeCollection<TEmiDocAntCollectionItem> {};

// docAnt.
class TDocAnt {
public:
    bool operator==(const TDocAnt &) const = default;

    TEmiDocAntCollection emiDocAnt;
};

// ---- Insurance, dangerous goods, new vehicles -------------------------------------------

// seg.
class TSegCollectionItem {
public:
    bool operator==(const TSegCollectionItem &) const = default;

    TpcteRspSeg respSeg = rsRemetente;
    std::string xSeg;
    std::string nApol;
    std::string nAver;
    rtl::Currency vCarga;
};

class TSegCollection : public dfe::TDFeCollection<TSegCollectionItem> {};

// peri: dangerous goods. The quantities are kept as the document writes them.
class TPeriCollectionItem {
public:
    bool operator==(const TPeriCollectionItem &) const = default;

    std::string nONU;
    std::string xNomeAE;
    std::string xClaRisco;
    std::string grEmb;
    std::string qTotProd;
    std::string qVolTipo;
    std::string pontoFulgor;
    std::string qTotEmb;
    TpUniMed uniAP = umKG;
};

class TPeriCollection : public dfe::TDFeCollection<TPeriCollectionItem> {};

// veicNovos: a new vehicle carried.
class TVeicNovosCollectionItem {
public:
    bool operator==(const TVeicNovosCollectionItem &) const = default;

    std::string chassi;
    std::string cCor;
    std::string xCor;
    std::string cMod;
    rtl::Currency vUnit;
    rtl::Currency vFrete;
};

class TVeicNovosCollection : public dfe::TDFeCollection<TVeicNovosCollectionItem> {};

// ---- Billing ----------------------------------------------------------------------------

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

    TFat fat;
    TDupCollection dup;
};

// ---- Substitution -----------------------------------------------------------------------

// refNF: the taker's paper document of a substitution.
class TRefNF {
public:
    bool operator==(const TRefNF &) const = default;

    std::string CNPJCPF;
    std::string modelo; // the element mod
    int serie = 0;
    int subserie = 0;
    int nro = 0;
    rtl::Currency valor;
    rtl::TDateTime dEmi = 0;
};

// tomaICMS: the taker pays ICMS.
class TTomaICMS {
public:
    bool operator==(const TTomaICMS &) const = default;

    std::string refNFe;
    TRefNF refNF;
    std::string refCte;
};

// tomaNaoICMS: the taker does not pay ICMS.
class TTomaNaoICMS {
public:
    bool operator==(const TTomaNaoICMS &) const = default;

    std::string refCteAnu;
};

// infCteSub.
class TInfCteSub {
public:
    bool operator==(const TInfCteSub &) const = default;

    std::string chCte;
    std::string refCteAnu;
    TTomaICMS tomaICMS;
    TTomaNaoICMS tomaNaoICMS;
    // The taker stays unless the document says it changes.
    dfe::TIndicador indAlteraToma = dfe::tiNao;
};

// ---- Global, linked-service and service data --------------------------------------------

class TinfGlobalizado {
public:
    bool operator==(const TinfGlobalizado &) const = default;

    std::string xObs;
};

class TinfCTeMultimodalCollectionItem {
public:
    bool operator==(const TinfCTeMultimodalCollectionItem &) const = default;

    std::string chCTeMultimodal;
};

class TinfCTeMultimodalCollection : public dfe::TDFeCollection<TinfCTeMultimodalCollectionItem> {};

class TinfServVinc {
public:
    bool operator==(const TinfServVinc &) const = default;

    TinfCTeMultimodalCollection infCTeMultimodal;
};

// infServico: the service of a CT-e OS.
class TinfServico {
public:
    bool operator==(const TinfServico &) const = default;

    std::string xDescServ;
    rtl::Currency qCarga;
};

// infDocRef: a document a CT-e OS refers to.
class TinfDocRefCollectionItem {
public:
    bool operator==(const TinfDocRefCollectionItem &) const = default;

    std::string nDoc;
    std::string serie;
    std::string subserie;
    rtl::TDateTime dEmi = 0;
    rtl::Currency vDoc;
};

class TinfDocRefCollection : public dfe::TDFeCollection<TinfDocRefCollectionItem> {};

// infCTeNorm.
class TInfCTeNorm {
public:
    bool operator==(const TInfCTeNorm &) const = default;

    TInfCarga infCarga;
    TInfDoc infDoc;
    TDocAnt docAnt;
    TSegCollection seg;
    TRodo rodo;
    TRodoOS rodoOS;
    TAereo aereo;
    TAquav aquav;
    TFerrov ferrov;
    TDuto duto;
    TMultimodal multimodal;
    TPeriCollection peri;
    TVeicNovosCollection veicNovos;
    TCobr cobr;
    TInfCteSub infCteSub;
    TinfGlobalizado infGlobalizado;
    TinfServVinc infServVinc;
    TinfServico infServico;
    TinfDocRefCollection infDocRef;
    std::string refCTeCanc;
};

} // namespace cte

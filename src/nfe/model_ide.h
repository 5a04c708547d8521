#pragma once
// The NF-e model's identification and party groups: the infNFe attributes, ide with its
// referenced documents, the issuer, the issuing tax office, the recipient, the pick-up and
// delivery places and the parties authorised to obtain the XML.
//
// What holds for every group of the model: a group is a plain value owned by its parent and
// exists for the document's whole life, so an absent XML group is a group at its defaults.
// Fields carry the layout's tag names, with three systematic exceptions: ide's tag mod is
// the field modelo, a CNPJ or CPF is one text CNPJCPF, and dEmi/dSaiEnt also hold the
// date-times dhEmi/dhSaiEnt. Money is rtl::Currency; the few values the layout allows more
// decimals for are double. Copying a group copies every field and gives its lists copies of
// the source's items.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "nfe/codes.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>

namespace nfe {

// The attributes of infNFe.
class TInfNFe {
public:
    TInfNFe() = default;
    // A copy takes the source's effective version (GetVersao), so a copy of a document
    // whose version was never set is a 2.00 document.
    TInfNFe(const TInfNFe &Source) : ID(Source.ID), Versao(Source.GetVersao()) {}
    TInfNFe &operator=(const TInfNFe &Source)
    {
        Assign(Source);
        return *this;
    }
    // Moving hands the same document over: the version stays as it was.
    TInfNFe(TInfNFe &&) = default;
    TInfNFe &operator=(TInfNFe &&) = default;
    void Assign(const TInfNFe &Source)
    {
        ID = Source.ID;
        Versao = Source.GetVersao();
    }

    // The version every layout test uses: Versao when above 0, else 2.0.
    double GetVersao() const { return Versao > 0 ? Versao : 2.0; }
    // The attribute text for the opening tags, whatever the locale's decimal separator:
    // versao="4.00", versao="3.10"; versao="2.00" when Versao is 0 or less.
    std::string VersaoStr() const;

    bool operator==(const TInfNFe &) const = default;

    std::string ID; // "NFe" followed by the 44-digit access key
    double Versao = 0;
};

// refNF: a referenced paper invoice (model 1 or 2).
class TRefNF {
public:
    bool operator==(const TRefNF &) const = default;

    int cUF = 0;
    std::string AAMM;
    std::string CNPJ;
    int modelo = 0;
    int serie = 0;
    int nNF = 0;
};

// refNFP: a referenced rural producer's invoice. modelo is the code as written ("04").
class TRefNFP {
public:
    bool operator==(const TRefNFP &) const = default;

    int cUF = 0;
    std::string AAMM;
    std::string CNPJCPF;
    std::string IE;
    std::string modelo;
    int serie = 0;
    int nNF = 0;
};

// refECF: a referenced fiscal-printer coupon.
class TRefECF {
public:
    bool operator==(const TRefECF &) const = default;

    dfe::TpcnECFModRef modelo = dfe::ECFModRefVazio;
    std::string nECF;
    std::string nCOO;
};

// One referenced document; one of its kinds is filled.
class TNFrefCollectionItem {
public:
    bool operator==(const TNFrefCollectionItem &) const = default;

    std::string refNFe;
    std::string refCTe;
    TRefNF RefNF;
    TRefECF RefECF;
    TRefNFP RefNFP;
};

class TNFrefCollection : public dfe::TDFeCollection<TNFrefCollectionItem> {};

// ide.
class TIde {
public:
    bool operator==(const TIde &) const = default;

    int cUF = 0;
    int cNF = 0; // -2 stands for a zero code that must survive a new access key
    std::string natOp;
    dfe::TpcnIndicadorPagamento indPag = dfe::ipVista;
    int modelo = 0;
    int serie = 0;
    int nNF = 0;
    rtl::TDateTime dEmi = 0;
    rtl::TDateTime dSaiEnt = 0;
    rtl::TDateTime hSaiEnt = 0;
    // The zones the document stated for dhEmi, dhSaiEnt and dhCont ("-02:00"), which the
    // dates themselves do not hold. The writer writes them back so that a regenerated
    // document states the same instants; empty (a model filled by hand, a date-time read
    // without zone) leaves the zone to the time-zone setting. Whoever sets one of these
    // dates anew sets or clears its zone too.
    std::string dEmiFuso;
    std::string dSaiEntFuso;
    std::string dhContFuso;
    dfe::TpcnTipoNFe tpNF = dfe::tnEntrada;
    dfe::TpcnDestinoOperacao idDest = dfe::doInterna;
    int cMunFG = 0;
    TNFrefCollection NFref;
    dfe::TpcnTipoImpressao tpImp = dfe::tiSemGeracao;
    dfe::TpcnTipoEmissao tpEmis = dfe::teNormal;
    int cDV = 0;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    TpcnFinalidadeNFe finNFe = fnNormal;
    dfe::TpcnConsumidorFinal indFinal = dfe::cfNao;
    dfe::TpcnPresencaComprador indPres = dfe::pcNao;
    dfe::TpcnProcessoEmissao procEmi = dfe::peAplicativoContribuinte;
    std::string verProc;
    rtl::TDateTime dhCont = 0;
    std::string xJust;
};

// The address leaves shared by the issuer's, the recipient's and the two places' groups.
class TEnderecoNFe {
public:
    bool operator==(const TEnderecoNFe &) const = default;

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
    int CEP = 0;
    int cPais = 0;
    std::string xPais;
    std::string fone;
};

// enderEmit. The document, not the group, puts a new address in Brazil.
class TenderEmit : public TEnderecoNFe {
public:
    bool operator==(const TenderEmit &) const = default;
};

// emit.
class TEmit {
public:
    bool operator==(const TEmit &) const = default;

    std::string CNPJCPF;
    std::string xNome;
    std::string xFant;
    TenderEmit EnderEmit;
    std::string IE;
    std::string IEST;
    std::string IM;
    std::string CNAE;
    dfe::TpcnCRT CRT = dfe::crtRegimeNormal;
};

// avulsa: the tax office that issued the document.
class TAvulsa {
public:
    bool operator==(const TAvulsa &) const = default;

    std::string CNPJ;
    std::string xOrgao;
    std::string matr;
    std::string xAgente;
    std::string fone;
    std::string UF;
    std::string nDAR;
    rtl::TDateTime dEmi = 0;
    rtl::Currency vDAR;
    std::string repEmi;
    rtl::TDateTime dPag = 0;
};

// enderDest. The document, not the group, puts a new address in Brazil.
class TenderDest : public TEnderecoNFe {
public:
    bool operator==(const TenderDest &) const = default;
};

// dest.
class TDest {
public:
    bool operator==(const TDest &) const = default;

    std::string CNPJCPF;
    std::string idEstrangeiro;
    std::string xNome;
    TenderDest EnderDest;
    dfe::TpcnindIEDest indIEDest = dfe::inContribuinte;
    std::string IE;
    std::string ISUF;
    std::string IM;
    std::string Email;
};

// The leaves shared by the pick-up and the delivery places.
class TLocalNFe : public TEnderecoNFe {
public:
    bool operator==(const TLocalNFe &) const = default;

    std::string CNPJCPF;
    std::string xNome;
    std::string Email;
    std::string IE;
};

// retirada: the pick-up place.
class TRetirada : public TLocalNFe {
public:
    bool operator==(const TRetirada &) const = default;
};

// entrega: the delivery place.
class TEntrega : public TLocalNFe {
public:
    bool operator==(const TEntrega &) const = default;
};

// autXML: a party authorised to obtain the XML.
class TautXMLCollectionItem {
public:
    bool operator==(const TautXMLCollectionItem &) const = default;

    std::string CNPJCPF;
};

class TautXMLCollection : public dfe::TDFeCollection<TautXMLCollectionItem> {};

} // namespace nfe

#pragma once
// The MDF-e model's identification and issuer groups: the infMDFe attributes, ide with its
// loading municipalities and crossed states, the issuer, and the two lists several groups
// share: seals and the parties authorised to obtain the XML.
//
// What holds for every group of the model: a group is a plain value owned by its parent and
// exists for the document's whole life, so an absent XML group is a group at its defaults.
// Fields carry the layout's tag names, with two systematic exceptions: ide's tag mod is the
// field modelo, and a CNPJ or CPF is one text CNPJCPF. Texts are empty, numbers and dates 0
// and enumerations at their first value unless a field says otherwise. Copying a group
// copies every field and gives its lists copies of the source's items.

#include "dfe/codes.h"
#include "dfe/model_collection.h"
#include "mdfe/codes.h"
#include "rtl/datetime.h"

#include <string>

namespace mdfe {

// The attributes of infMDFe.
class TinfMDFe {
public:
    bool operator==(const TinfMDFe &) const = default;

    // The attribute text for the opening tags of infMDFe, mdfeProc and protMDFe, with '.'
    // whatever the locale: versao="3.00", versao="1.50"; versao="1.00" when versao is 0 or
    // less.
    std::string VersaoStr() const;

    std::string Id; // "MDFe" followed by the 44-digit access key
    double versao = 0;
};

// infMunCarrega: a municipality where cargo is loaded.
class TinfMunCarregaCollectionItem {
public:
    bool operator==(const TinfMunCarregaCollectionItem &) const = default;

    int cMunCarrega = 0;
    std::string xMunCarrega;
};

class TinfMunCarregaCollection : public dfe::TDFeCollection<TinfMunCarregaCollectionItem> {};

// infPercurso: a state the trip crosses.
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
    dfe::TpcnTipoAmbiente tpAmb = dfe::taProducao;
    TTpEmitenteMDFe tpEmit = teTransportadora;
    TTransportadorMDFe tpTransp = ttNenhum; // layout 3.00
    std::string modelo; // "58" for an MDF-e
    int serie = 0;
    int nMDF = 0;
    int cMDF = 0; // the numeric code of the access key
    int cDV = 0;  // the check digit of the access key
    TModalMDFe modal = moRodoviario;
    rtl::TDateTime dhEmi = 0;
    dfe::TpcnTipoEmissao tpEmis = dfe::teNormal;
    dfe::TpcnProcessoEmissao procEmi = dfe::peAplicativoContribuinte;
    std::string verProc;
    std::string UFIni;
    std::string UFFim;
    TinfMunCarregaCollection infMunCarrega;
    TinfPercursoCollection infPercurso;
    rtl::TDateTime dhIniViagem = 0;
    // Both indicators say no until a document says yes.
    dfe::TIndicador indCanalVerde = dfe::tiNao;
    dfe::TIndicador indCarregaPosterior = dfe::tiNao;
};

// enderEmit.
class TenderEmit {
public:
    bool operator==(const TenderEmit &) const = default;

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    int CEP = 0;
    std::string UF;
    std::string fone;
    std::string email;
};

// emit.
class Temit {
public:
    bool operator==(const Temit &) const = default;

    std::string CNPJCPF;
    std::string IE;
    std::string xNome;
    std::string xFant;
    TenderEmit enderEmit;
};

// A seal: the manifest's lacres, the road modal's lacRodo, and the seals of transport and
// cargo units all hold this item.
class TlacresCollectionItem {
public:
    bool operator==(const TlacresCollectionItem &) const = default;

    std::string nLacre;
};

class TlacresCollection : public dfe::TDFeCollection<TlacresCollectionItem> {};

// autXML: a party authorised to obtain the XML.
class TautXMLCollectionItem {
public:
    bool operator==(const TautXMLCollectionItem &) const = default;

    std::string CNPJCPF;
};

class TautXMLCollection : public dfe::TDFeCollection<TautXMLCollectionItem> {};

} // namespace mdfe

#pragma once
// TCFe, the in-memory form of one CF-e SAT: the electronic receipt of a retail sale issued
// through a SAT device. The reader fills it and the receipt prints it as read; the CF-e is
// never regenerated. One class per XML group, one owning list per repeated group; an absent
// group is a group at its Clear defaults.
//
// Amounts, rates and quantities are rtl::Currency (four exact decimals, so the layout
// versions 0.07 and 0.08 compare exactly); the unit value vUnCom alone stays a double.

#include "dfe/codes_document.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "dfe/model_collection.h"
#include "dfe/signature.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>
#include <string_view>

namespace sat {

// The attributes of infCFe.
class TInfCFe {
public:
    bool operator==(const TInfCFe &) const = default;

    void Clear() { *this = TInfCFe(); }

    rtl::Currency versao;
    rtl::Currency versaoDadosEnt;
    int versaoSB = 0;
    std::string ID; // the 44-digit access key, without its "CFe" prefix
};

// ide. dEmi and hEmi are views of dhEmi, its date and its time of day.
class Tide {
public:
    bool operator==(const Tide &) const = default;

    void Clear();
    // What changes from one sale to the next.
    void ClearSessao();

    // The whole part of dhEmi, truncated toward zero.
    double dEmi() const;
    // The fraction of dhEmi.
    double hEmi() const;
    // Each setter keeps the other part, so the two can be set in either order.
    void SetdEmi(double Value);
    void SethEmi(double Value);

    int cUF = 0;
    int cNF = 0;
    int modelo = 0;
    int nserieSAT = 0;
    int nCFe = 0;
    rtl::TDateTime dhEmi = 0;
    int cDV = 0;
    dfe::TpcnTipoAmbiente tpAmb = dfe::taHomologacao;
    std::string CNPJ; // of the software house
    std::string signAC;
    std::string assinaturaQRCODE;
    int numeroCaixa = 0;
};

// enderEmit.
class TenderEmit {
public:
    bool operator==(const TenderEmit &) const = default;

    void Clear() { *this = TenderEmit(); }

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    std::string xMun;
    int CEP = 0;
};

// emit. A cleared issuer is in the Simples Nacional regime.
class TEmit {
public:
    bool operator==(const TEmit &) const = default;

    void Clear() { *this = TEmit(); }

    std::string CNPJ;
    std::string xNome;
    std::string xFant;
    TenderEmit EnderEmit;
    std::string IE;
    std::string IM;
    dfe::TpcnRegTrib cRegTrib = dfe::RTSimplesNacional;
    dfe::TpcnRegTribISSQN cRegTribISSQN = dfe::RTISSNenhum;
    dfe::TpcnindRatISSQN indRatISSQN = dfe::irSim;
};

// dest: the consumer, by CNPJ or CPF, whichever the file holds.
class TDest {
public:
    bool operator==(const TDest &) const = default;

    void Clear() { *this = TDest(); }

    std::string CNPJCPF;
    std::string xNome;
};

// entrega: the delivery address.
class TEntrega {
public:
    bool operator==(const TEntrega &) const = default;

    void Clear() { *this = TEntrega(); }

    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    std::string xMun;
    std::string UF;
};

// obsFiscoDet of an item.
class TobsFiscoDetCollectionItem {
public:
    bool operator==(const TobsFiscoDetCollectionItem &) const = default;

    std::string xCampoDet;
    std::string xTextoDet;
};
class TobsFiscoDetCollection : public dfe::TDFeCollection<TobsFiscoDetCollectionItem> {};

// prod.
class TProd {
public:
    bool operator==(const TProd &) const = default;

    void Clear() { *this = TProd(); }

    std::string cProd;
    std::string cEAN;
    // Fuel (truncated, indRegra "T") prints its unit value with three decimals.
    bool EhCombustivel = false;
    std::string xProd;
    std::string NCM;
    std::string CEST;
    std::string CFOP;
    std::string uCom;
    rtl::Currency qCom;
    double vUnCom = 0;
    rtl::Currency vProd;
    dfe::TpcnindRegra indRegra = dfe::irArredondamento;
    rtl::Currency vDesc;
    rtl::Currency vOutro;
    rtl::Currency vItem;
    rtl::Currency vRatDesc;
    rtl::Currency vRatAcr;
    TobsFiscoDetCollection obsFiscoDet;
};

class TICMS {
public:
    bool operator==(const TICMS &) const = default;

    void Clear() { *this = TICMS(); }

    dfe::TpcnOrigemMercadoria orig = dfe::oeNacional;
    dfe::TpcnCSTIcms CST = dfe::cst00;
    dfe::TpcnCSOSNIcms CSOSN = dfe::csosnVazio;
    rtl::Currency pICMS;
    rtl::Currency vICMS;
};

class TPIS {
public:
    bool operator==(const TPIS &) const = default;

    void Clear() { *this = TPIS(); }

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

    void Clear() { *this = TPISST(); }

    rtl::Currency vBc;
    rtl::Currency pPis;
    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
    rtl::Currency vPIS;
};

class TCOFINS {
public:
    bool operator==(const TCOFINS &) const = default;

    void Clear() { *this = TCOFINS(); }

    dfe::TpcnCstCofins CST = dfe::cof01;
    rtl::Currency vBC;
    rtl::Currency pCOFINS;
    rtl::Currency vCOFINS;
    rtl::Currency vAliqProd;
    rtl::Currency qBCProd;
};

class TCOFINSST {
public:
    bool operator==(const TCOFINSST &) const = default;

    void Clear() { *this = TCOFINSST(); }

    rtl::Currency vBC;
    rtl::Currency pCOFINS;
    rtl::Currency qBCProd;
    rtl::Currency vAliqProd;
    rtl::Currency vCOFINS;
};

class TISSQN {
public:
    bool operator==(const TISSQN &) const = default;

    void Clear() { *this = TISSQN(); }

    rtl::Currency vDeducISSQN;
    rtl::Currency vBC;
    rtl::Currency vAliq;
    rtl::Currency vISSQN;
    int cMunFG = 0;
    std::string cListServ;
    std::string cServTribMun;
    int cNatOp = 0;
    dfe::TpcnindIncentivo indIncFisc = dfe::iiNao;
};

class TImposto {
public:
    bool operator==(const TImposto &) const = default;

    void Clear() { *this = TImposto(); }

    rtl::Currency vItem12741; // the item's approximate taxes
    TICMS ICMS;
    TPIS PIS;
    TPISST PISST;
    TCOFINS COFINS;
    TCOFINSST COFINSST;
    TISSQN ISSQN;
};

// det.
class TDetCollectionItem {
public:
    bool operator==(const TDetCollectionItem &) const = default;

    void Clear() { *this = TDetCollectionItem(); }

    int nItem = 0;
    TProd Prod;
    TImposto Imposto;
    std::string infAdProd;
};
class TDetCollection : public dfe::TDFeCollection<TDetCollectionItem> {};

class TICMSTot {
public:
    bool operator==(const TICMSTot &) const = default;

    void Clear() { *this = TICMSTot(); }

    rtl::Currency vICMS;
    rtl::Currency vProd;
    rtl::Currency vDesc;
    rtl::Currency vPIS;
    rtl::Currency vCOFINS;
    rtl::Currency vPISST;
    rtl::Currency vCOFINSST;
    rtl::Currency vOutro;
};

class TISSQNtot {
public:
    bool operator==(const TISSQNtot &) const = default;

    void Clear() { *this = TISSQNtot(); }

    rtl::Currency vBC;
    rtl::Currency vISS;
    rtl::Currency vPIS;
    rtl::Currency vCOFINS;
    rtl::Currency vPISST;
    rtl::Currency vCOFINSST;
};

class TDescAcrEntr {
public:
    bool operator==(const TDescAcrEntr &) const = default;

    void Clear() { *this = TDescAcrEntr(); }

    rtl::Currency vDescSubtot;
    rtl::Currency vAcresSubtot;
};

class TTotal {
public:
    bool operator==(const TTotal &) const = default;

    void Clear() { *this = TTotal(); }

    TICMSTot ICMSTot;
    rtl::Currency vCFe;
    TISSQNtot ISSQNtot;
    TDescAcrEntr DescAcrEntr;
    rtl::Currency vCFeLei12741;
};

// One means of payment of pgto.
class TMPCollectionItem {
public:
    bool operator==(const TMPCollectionItem &) const = default;

    dfe::TpcnCodigoMP cMP = dfe::mpDinheiro;
    rtl::Currency vMP;
    int cAdmC = 0;
};

// pgto: the payments and the change given.
class TMPCollection : public dfe::TDFeCollection<TMPCollectionItem> {
public:
    bool operator==(const TMPCollection &) const = default;

    void Clear()
    {
        dfe::TDFeCollection<TMPCollectionItem>::Clear();
        vTroco = rtl::Currency();
    }

    rtl::Currency vTroco;
};

class TobsFiscoCollectionItem {
public:
    bool operator==(const TobsFiscoCollectionItem &) const = default;

    std::string xCampo;
    std::string xTexto;
};
class TobsFiscoCollection : public dfe::TDFeCollection<TobsFiscoCollectionItem> {};

// infAdic.
class TInfAdic {
public:
    bool operator==(const TInfAdic &) const = default;

    void Clear() { *this = TInfAdic(); }

    std::string infCpl;
    TobsFiscoCollection obsFisco;
};

class TCFe {
public:
    // Every group at its Clear defaults.
    TCFe();
    TCFe(const TCFe &) = delete;
    TCFe &operator=(const TCFe &) = delete;

    // Every group at its defaults: a cleared CF-e is in the test environment and its
    // issuer in the Simples Nacional regime.
    void Clear();
    // What changes from one sale to the next: everything but infCFe, the issuer and the
    // fixed part of ide.
    void ClearSessao();

    // Reads the file into this CF-e and, after a successful read, keeps its text as
    // XMLOriginal and its name as NomeArquivo. The bytes are decoded as every document
    // file is (dfe::DecodificarArquivoXML). A file that cannot be opened raises the
    // run-time's open error, one too large to be a CF-e, one that holds no infCFe and a
    // cancellation CF-e raise EOvixSATErro naming the file; all of them before the
    // model changes. The reader's errors escape and leave what was read before them.
    bool LoadFromFile(const std::string &AFileName);
    // Reads an 8-bit text into this CF-e as a file's bytes are decoded; XMLOriginal
    // takes it after a successful read. Errors as LoadFromFile's.
    void SetXMLString(std::string_view AValue);

    // The largest file LoadFromFile reads. A CF-e holds at most 500 items; the biggest
    // real ones are a few hundred kilobytes.
    static constexpr long long TamanhoMaximoArquivo = 16LL * 1024 * 1024;

    bool IdentarXML = false;
    TInfCFe infCFe;
    Tide ide;
    TEmit Emit;
    TDest Dest;
    TEntrega Entrega;
    TDetCollection Det;
    std::string NomeArquivo;
    bool RetirarAcentos = true;
    bool RetirarEspacos = true;
    int TamanhoIdentacao = 3;
    TTotal Total;
    TMPCollection Pagto;
    TInfAdic InfAdic;
    TobsFiscoCollection obsFisco;
    dfe::TSignature signature;
    std::string XMLOriginal; // 8-bit text in the ANSI code page, CR LF line ends
    bool AjustarTagNro = true;

private:
    // Reads a decoded text (UTF-8, held in the ANSI code page); `origem` names where it
    // came from in error messages, and `original` becomes XMLOriginal after the read.
    void Ler(const std::string &texto, std::string_view origem, std::string original);
};

} // namespace sat

#include "dfe/xmlwriter_comum.h"
#include "nfe/writer.h"

#include "dfe/codes_tax.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The ICMS group of an item holds one inner group chosen by the issuer's regime and the
// item's situation code. Each inner group's content is described by a table of rows; a
// row names the field, its layout Id, when it is written (layout version and a condition
// on the values) and how (occurrence, kind exceptions). One loop writes every form, so a
// form reads as the layout lists it and a fix to the writing applies to all of them.

namespace nfe {

using namespace dfe::escrita;

namespace {

// ---- the fields -------------------------------------------------------------------------

enum class Campo : unsigned char {
    orig, CST, CSOSN, modBC, pRedBC, vBC, pICMS, vICMSOp, pDif, vICMSDif, vICMS,
    vBCFCP, pFCP, vFCP, modBCST, pMVAST, pRedBCST, vBCST, pICMSST, vICMSST,
    vBCFCPST, pFCPST, vFCPST, pBCOp, UFST, vBCSTRet, pST, vICMSSubstituto, vICMSSTRet,
    vBCFCPSTRet, pFCPSTRet, vFCPSTRet, vBCSTDest, vICMSSTDest, vICMSDeson, motDesICMS,
    pRedBCEfet, vBCEfet, pICMSEfet, vICMSEfet, pCredSN, vCredICMSSN,
    Total
};

enum class Tipo : unsigned char {
    Texto,    // tcStr with the catalogue's bounds; the value comes from `texto`
    Valor,    // tcDe2, 1-15
    Aliquota, // tcDe4 1-7 when the writer uses four decimals, else tcDe2 1-5
};

using TextoDe = std::string (*)(const TICMS &);

struct Definicao {
    Campo campo;
    std::string_view tag;
    Tipo tipo;
    int min;
    int max;
    rtl::Currency TICMS::*valor; // Valor and Aliquota
    TextoDe texto;               // Texto
    std::string_view descricao;
};

constexpr Definicao Codigo(Campo c, std::string_view tag, int min, int max, TextoDe texto,
                           std::string_view descricao)
{
    return {c, tag, Tipo::Texto, min, max, nullptr, texto, descricao};
}

constexpr Definicao Valor(Campo c, std::string_view tag, rtl::Currency TICMS::*valor,
                          std::string_view descricao)
{
    return {c, tag, Tipo::Valor, 1, 15, valor, nullptr, descricao};
}

constexpr Definicao Aliquota(Campo c, std::string_view tag, rtl::Currency TICMS::*valor,
                             std::string_view descricao)
{
    return {c, tag, Tipo::Aliquota, 1, 0, valor, nullptr, descricao};
}

// Indexed by Campo.
constexpr Definicao kCatalogo[] = {
    Codigo(Campo::orig, "orig", 1, 1, [](const TICMS &c) { return dfe::OrigToStr(c.orig); },
           "Origem da mercadoria"),
    Codigo(Campo::CST, "CST", 2, 2, [](const TICMS &c) { return dfe::CSTICMSToStr(c.CST); },
           "Código da situação tributária"),
    Codigo(Campo::CSOSN, "CSOSN", 3, 3, [](const TICMS &c) { return dfe::CSOSNIcmsToStr(c.CSOSN); },
           "Código de Situação da Operação – Simples Nacional"),
    Codigo(Campo::modBC, "modBC", 1, 1, [](const TICMS &c) { return dfe::modBCToStr(c.modBC); },
           "Modalidade de determinação da BC do ICMS"),
    Aliquota(Campo::pRedBC, "pRedBC", &TICMS::pRedBC, "Percentual da Redução de BC"),
    Valor(Campo::vBC, "vBC", &TICMS::vBC, "Valor da BC do ICMS"),
    Aliquota(Campo::pICMS, "pICMS", &TICMS::pICMS, "Alíquota do imposto"),
    Valor(Campo::vICMSOp, "vICMSOp", &TICMS::vICMSOp, "Valor do ICMS"),
    Aliquota(Campo::pDif, "pDif", &TICMS::pDif, "Alíquota do imposto"),
    Valor(Campo::vICMSDif, "vICMSDif", &TICMS::vICMSDif, "Valor do ICMS"),
    Valor(Campo::vICMS, "vICMS", &TICMS::vICMS, "Valor do ICMS"),
    Valor(Campo::vBCFCP, "vBCFCP", &TICMS::vBCFCP, "Valor da Base de Cálculo do FCP"),
    Aliquota(Campo::pFCP, "pFCP", &TICMS::pFCP,
             "Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    Valor(Campo::vFCP, "vFCP", &TICMS::vFCP,
          "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    Codigo(Campo::modBCST, "modBCST", 1, 1,
           [](const TICMS &c) { return dfe::modBCSTToStr(c.modBCST); },
           "Modalidade de determinação da BC do ICMS ST"),
    Aliquota(Campo::pMVAST, "pMVAST", &TICMS::pMVAST,
             "Percentual da margem de valor Adicionado do ICMS ST"),
    Aliquota(Campo::pRedBCST, "pRedBCST", &TICMS::pRedBCST, "Percentual da Redução de BC do ICMS ST"),
    Valor(Campo::vBCST, "vBCST", &TICMS::vBCST, "Valor da BC do ICMS ST"),
    Aliquota(Campo::pICMSST, "pICMSST", &TICMS::pICMSST, "Alíquota do imposto do ICMS ST"),
    Valor(Campo::vICMSST, "vICMSST", &TICMS::vICMSST, "Valor do ICMS Substituição Tributaria"),
    Valor(Campo::vBCFCPST, "vBCFCPST", &TICMS::vBCFCPST,
          "Valor da Base de Cálculo do FCP por Substituição Tributária"),
    Aliquota(Campo::pFCPST, "pFCPST", &TICMS::pFCPST,
             "Percentual do FCP retido por Substituição Tributária"),
    Valor(Campo::vFCPST, "vFCPST", &TICMS::vFCPST, "Valor do FCP retido por Substituição Tributária"),
    Aliquota(Campo::pBCOp, "pBCOp", &TICMS::pBCOp, "Percentual da BC operação própria"),
    Codigo(Campo::UFST, "UFST", 2, 2, [](const TICMS &c) { return c.UFST; },
           "UF para qual é devido o ICMS ST"),
    Valor(Campo::vBCSTRet, "vBCSTRet", &TICMS::vBCSTRet, "Valor da BC do ICMS ST Retido"),
    Aliquota(Campo::pST, "pST", &TICMS::pST, "Alíquota suportada pelo Consumidor Final"),
    Valor(Campo::vICMSSubstituto, "vICMSSubstituto", &TICMS::vICMSSubstituto,
          "Valor do ICMS Substituto"),
    Valor(Campo::vICMSSTRet, "vICMSSTRet", &TICMS::vICMSSTRet,
          "Valor do ICMS Substituição Tributaria Retido"),
    Valor(Campo::vBCFCPSTRet, "vBCFCPSTRet", &TICMS::vBCFCPSTRet,
          "Valor da Base de Cálculo do FCP por Substituição Tributária"),
    Aliquota(Campo::pFCPSTRet, "pFCPSTRet", &TICMS::pFCPSTRet,
             "Percentual do FCP retido anteriormente por Substituição Tributária"),
    Valor(Campo::vFCPSTRet, "vFCPSTRet", &TICMS::vFCPSTRet,
          "Valor do FCP retido por Substituição Tributária"),
    Valor(Campo::vBCSTDest, "vBCSTDest", &TICMS::vBCSTDest, "BC do ICMS ST da UF de destino"),
    Valor(Campo::vICMSSTDest, "vICMSSTDest", &TICMS::vICMSSTDest, "BC do ICMS ST da UF de destino"),
    Valor(Campo::vICMSDeson, "vICMSDeson", &TICMS::vICMSDeson, "Valor do ICMS Desoneração"),
    Codigo(Campo::motDesICMS, "motDesICMS", 1, 2,
           [](const TICMS &c) { return dfe::motDesICMSToStr(c.motDesICMS); },
           "Motivo da desoneração do ICMS"),
    Aliquota(Campo::pRedBCEfet, "pRedBCEfet", &TICMS::pRedBCEfet,
             "Percentual de redução da base de cálculo efetiva"),
    Valor(Campo::vBCEfet, "vBCEfet", &TICMS::vBCEfet, "Valor da base de cálculo efetiva"),
    Aliquota(Campo::pICMSEfet, "pICMSEfet", &TICMS::pICMSEfet, "Alíquota do ICMS efetiva"),
    Valor(Campo::vICMSEfet, "vICMSEfet", &TICMS::vICMSEfet, "Valor do ICMS efetivo"),
    Aliquota(Campo::pCredSN, "pCredSN", &TICMS::pCredSN,
             "Alíquota aplicável de cálculo do crédito (Simples Nacional)."),
    Valor(Campo::vCredICMSSN, "vCredICMSSN", &TICMS::vCredICMSSN,
          "Valor crédito do ICMS que pode ser aproveitado nos termos do art. 23 da LC 123 "
          "(Simples Nacional)"),
};

constexpr bool CatalogoEmOrdem()
{
    if (std::size(kCatalogo) != static_cast<std::size_t>(Campo::Total))
        return false;
    for (std::size_t i = 0; i < std::size(kCatalogo); ++i)
        if (static_cast<std::size_t>(kCatalogo[i].campo) != i)
            return false;
    return true;
}
static_assert(CatalogoEmOrdem(), "kCatalogo must list every Campo in the enum's order");

constexpr const Definicao &DefinicaoDe(Campo c) { return kCatalogo[static_cast<std::size_t>(c)]; }

// ---- the rows of a form -------------------------------------------------------------------

// Layout versions a row is written in.
enum class Versao : unsigned char { Todas, De200, Antes200, De300, De310, Antes310, De400 };

// Value conditions a row is written under; see Atende.
enum class Cond : unsigned char {
    Sempre,
    FCPProprio,     // pFCP or vFCP above zero
    FCP,            // vBCFCP, pFCP or vFCP above zero
    FCPST,          // vBCFCPST, pFCPST or vFCPST above zero
    FCPSTRetido,    // vBCFCPSTRet, pFCPSTRet or vFCPSTRet above zero
    Efetivo,        // pRedBCEfet, vBCEfet, pICMSEfet or vICMSEfet above zero
    Retido,         // a retained value above zero, or the forced occurrence
    Partilha,       // UFST or pBCOp given, or a partition CST
    Desonerado,     // vICMSDeson above zero
    DesoneradoCST90,// the same, for the plain cst90 only
    ComICMS,        // vICMS above zero
    ComModBC,       // modBC is not dbiNenhum
    ComBC,          // vBC or vICMS above zero
    ComBCST,        // vBCST or vICMSST above zero
    ComCredSN,      // pCredSN above zero
};

enum class Ocorr : unsigned char { Um, Zero, Forcada };

struct Linha {
    std::string_view id;
    Campo campo;
    Ocorr ocorr = Ocorr::Um;
    Versao versao = Versao::Todas;
    Cond cond = Cond::Sempre;
    // A rate written as tcDe2 with maximum 5 whatever the layout.
    bool aliquotaDe2 = false;
    // 0: the catalogue's maximum.
    int max = 0;
    // Empty: the catalogue's description.
    std::string_view descricao = {};
};

using Forma = std::span<const Linha>;

using C = Campo;
using V = Versao;
using K = Cond;
constexpr Ocorr O1 = Ocorr::Um;
constexpr Ocorr O0 = Ocorr::Zero;
constexpr Ocorr OF = Ocorr::Forcada;

constexpr Linha kICMS00[] = {
    {"N13", C::modBC},
    {"N15", C::vBC},
    {"N16", C::pICMS},
    {"N17", C::vICMS},
    {"N17b", C::pFCP, O1, V::De400, K::FCPProprio},
    {"N17c", C::vFCP, O1, V::De400, K::FCPProprio},
};

constexpr Linha kICMS10[] = {
    {"N13", C::modBC},
    {"N15", C::vBC},
    {"N14", C::pRedBC, O0, V::Todas, K::Partilha, true},
    {"N16", C::pICMS},
    {"N17", C::vICMS},
    {"N17a", C::vBCFCP, O1, V::De400, K::FCP},
    {"N17b", C::pFCP, O1, V::De400, K::FCP},
    {"N17c", C::vFCP, O1, V::De400, K::FCP},
    {"N18", C::modBCST},
    {"N19", C::pMVAST, O0},
    {"N20", C::pRedBCST, O0},
    {"N21", C::vBCST},
    {"N22", C::pICMSST},
    {"N23", C::vICMSST},
    {"N23a", C::vBCFCPST, O1, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O1, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O1, V::De400, K::FCPST},
    {"N25", C::pBCOp, O1, V::Todas, K::Partilha},
    {"N24", C::UFST, O1, V::Todas, K::Partilha},
};

constexpr Linha kICMS20[] = {
    {"N13", C::modBC},
    {"N14", C::pRedBC},
    {"N15", C::vBC},
    {"N16", C::pICMS},
    {"N17", C::vICMS},
    {"N17a", C::vBCFCP, O1, V::De400, K::FCP},
    {"N17b", C::pFCP, O1, V::De400, K::FCP},
    {"N17c", C::vFCP, O1, V::De400, K::FCP},
    {"N27a", C::vICMSDeson, O1, V::De310, K::Desonerado},
    {"N28", C::motDesICMS, O1, V::De310, K::Desonerado},
};

constexpr Linha kICMS30[] = {
    {"N18", C::modBCST},
    {"N19", C::pMVAST, O0},
    {"N20", C::pRedBCST, O0},
    {"N21", C::vBCST},
    {"N22", C::pICMSST},
    {"N23", C::vICMSST},
    {"N23a", C::vBCFCPST, O1, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O1, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O1, V::De400, K::FCPST},
    {"N27a", C::vICMSDeson, O1, V::De310, K::Desonerado},
    {"N28", C::motDesICMS, O1, V::De310, K::Desonerado},
};

constexpr Linha kICMS40[] = {
    {"N13a", C::vICMSDeson, O1, V::De310, K::Desonerado},
    {"N13b", C::motDesICMS, O1, V::De310, K::Desonerado},
    {"N17", C::vICMS, O0, V::Antes310},
    {"N28", C::motDesICMS, O0, V::Antes310, K::ComICMS, false, 1},
};

constexpr Linha kICMS51[] = {
    {"N13", C::modBC, O1, V::Todas, K::ComModBC},
    {"N14", C::pRedBC},
    {"N15", C::vBC},
    {"N16", C::pICMS},
    {"N16a", C::vICMSOp},
    {"N16b", C::pDif},
    {"N16c", C::vICMSDif},
    {"N17", C::vICMS},
    {"N17a", C::vBCFCP, O1, V::De400, K::FCP},
    {"N17b", C::pFCP, O1, V::De400, K::FCP},
    {"N17c", C::vFCP, O1, V::De400, K::FCP},
};

constexpr Linha kICMS60[] = {
    {"N26", C::vBCSTRet, O1, V::De200, K::Retido},
    {"N26a", C::pST, O1, V::De400, K::Retido},
    {"N26b", C::vICMSSubstituto, OF, V::De400, K::Retido},
    {"N27", C::vICMSSTRet, O1, V::De200, K::Retido},
    {"N23a", C::vBCFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N27b", C::pFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N27d", C::vFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N34", C::pRedBCEfet, O1, V::De400, K::Efetivo},
    {"N35", C::vBCEfet, O1, V::De400, K::Efetivo},
    {"N36", C::pICMSEfet, O1, V::De400, K::Efetivo},
    {"N37", C::vICMSEfet, O1, V::De400, K::Efetivo},
    {"N21", C::vBCST, O1, V::Antes200},
    {"N23", C::vICMSST, O1, V::Antes200},
};

constexpr Linha kICMS70[] = {
    {"N13", C::modBC},
    {"N14", C::pRedBC},
    {"N15", C::vBC},
    {"N16", C::pICMS},
    {"N17", C::vICMS},
    {"N23a", C::vBCFCP, O1, V::De400, K::FCP},
    {"N23b", C::pFCP, O1, V::De400, K::FCP},
    {"N23d", C::vFCP, O1, V::De400, K::FCP},
    {"N18", C::modBCST},
    {"N19", C::pMVAST, O0},
    {"N20", C::pRedBCST, O0},
    {"N21", C::vBCST},
    {"N22", C::pICMSST},
    {"N23", C::vICMSST},
    {"N23a", C::vBCFCPST, O1, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O1, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O1, V::De400, K::FCPST},
    // Unlike ICMS20 and ICMS30, the relief is written from layout 3.00 on.
    {"N27a", C::vICMSDeson, O1, V::De300, K::Desonerado},
    {"N28", C::motDesICMS, O1, V::De300, K::Desonerado},
};

constexpr Linha kICMS90[] = {
    {"N13", C::modBC, O1, V::Todas, K::ComBC},
    {"N15", C::vBC, O1, V::Todas, K::ComBC},
    {"N14", C::pRedBC, O0, V::Todas, K::ComBC},
    {"N16", C::pICMS, O1, V::Todas, K::ComBC},
    {"N17", C::vICMS, O1, V::Todas, K::ComBC},
    {"N17a", C::vBCFCP, O0, V::De400, K::FCP},
    {"N17b", C::pFCP, O0, V::De400, K::FCP},
    {"N17c", C::vFCP, O0, V::De400, K::FCP},
    {"N18", C::modBCST, O1, V::Todas, K::ComBCST},
    {"N19", C::pMVAST, O0, V::Todas, K::ComBCST, true},
    {"N20", C::pRedBCST, O0, V::Todas, K::ComBCST},
    {"N21", C::vBCST, O1, V::Todas, K::ComBCST},
    {"N22", C::pICMSST, O1, V::Todas, K::ComBCST},
    {"N23", C::vICMSST, O1, V::Todas, K::ComBCST},
    {"N23a", C::vBCFCPST, O0, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O0, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O0, V::De400, K::FCPST},
    {"N27a", C::vICMSDeson, O1, V::De310, K::DesoneradoCST90},
    {"N28", C::motDesICMS, O1, V::De310, K::DesoneradoCST90},
    {"N25", C::pBCOp, O1, V::Todas, K::Partilha},
    {"N24", C::UFST, O1, V::Todas, K::Partilha},
};

constexpr Linha kICMSST[] = {
    {"N26", C::vBCSTRet, O1, V::Todas, K::Sempre, false, 0, "BC do ICMS ST retido"},
    {"N26a", C::pST, OF, V::De400},
    {"N26b", C::vICMSSubstituto, OF, V::De400},
    {"N27", C::vICMSSTRet},
    {"N27a", C::vBCFCPSTRet, O0, V::Todas, K::FCPSTRetido, false, 0,
     "Valor da Base de Cálculo do FCP"},
    {"N27b", C::pFCPSTRet, O0, V::Todas, K::FCPSTRetido, false, 0,
     "Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"},
    {"N27c", C::vFCPSTRet, O0, V::Todas, K::FCPSTRetido, false, 0,
     "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"},
    {"N31", C::vBCSTDest},
    {"N32", C::vICMSSTDest},
    {"N34", C::pRedBCEfet, O1, V::Todas, K::Efetivo},
    {"N35", C::vBCEfet, O1, V::Todas, K::Efetivo},
    {"N36", C::pICMSEfet, O1, V::Todas, K::Efetivo},
    {"N37", C::vICMSEfet, O1, V::Todas, K::Efetivo},
};

constexpr Linha kICMSSN101[] = {
    {"N29", C::pCredSN},
    {"N30", C::vCredICMSSN},
};

constexpr Linha kICMSSN201[] = {
    {"N18", C::modBCST},
    {"N19", C::pMVAST, O0},
    {"N20", C::pRedBCST, O0},
    {"N21", C::vBCST},
    {"N22", C::pICMSST},
    {"N23", C::vICMSST},
    {"N23a", C::vBCFCPST, O0, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O0, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O0, V::De400, K::FCPST},
    {"N29", C::pCredSN},
    {"N30", C::vCredICMSSN},
};

constexpr Linha kICMSSN202[] = {
    {"N18", C::modBCST},
    {"N19", C::pMVAST, O0},
    {"N20", C::pRedBCST, O0},
    {"N21", C::vBCST},
    {"N22", C::pICMSST},
    {"N23", C::vICMSST},
    {"N23a", C::vBCFCPST, O1, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O1, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O1, V::De400, K::FCPST},
};

constexpr Linha kICMSSN500[] = {
    {"N26", C::vBCSTRet, O1, V::Todas, K::Retido},
    {"N26.1", C::pST, O1, V::De400, K::Retido},
    {"N26b", C::vICMSSubstituto, OF, V::De400, K::Retido},
    {"N27", C::vICMSSTRet, O1, V::Todas, K::Retido},
    {"N27a", C::vBCFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N27b", C::pFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N27d", C::vFCPSTRet, O1, V::De400, K::FCPSTRetido},
    {"N34", C::pRedBCEfet, O1, V::De400, K::Efetivo},
    {"N35", C::vBCEfet, O1, V::De400, K::Efetivo},
    {"N36", C::pICMSEfet, O1, V::De400, K::Efetivo},
    {"N37", C::vICMSEfet, O1, V::De400, K::Efetivo},
};

constexpr Linha kICMSSN900[] = {
    {"N13", C::modBC, O1, V::Todas, K::ComBC},
    {"N15", C::vBC, O1, V::Todas, K::ComBC},
    {"N14", C::pRedBC, O0, V::Todas, K::ComBC},
    {"N16", C::pICMS, O1, V::Todas, K::ComBC},
    {"N17", C::vICMS, O1, V::Todas, K::ComBC},
    {"N18", C::modBCST, O1, V::Todas, K::ComBCST},
    {"N19", C::pMVAST, O0, V::Todas, K::ComBCST},
    {"N20", C::pRedBCST, O0, V::Todas, K::ComBCST},
    {"N21", C::vBCST, O1, V::Todas, K::ComBCST},
    {"N22", C::pICMSST, O1, V::Todas, K::ComBCST},
    {"N23", C::vICMSST, O1, V::Todas, K::ComBCST},
    {"N23a", C::vBCFCPST, O1, V::De400, K::FCPST},
    {"N23b", C::pFCPST, O1, V::De400, K::FCPST},
    {"N23d", C::vFCPST, O1, V::De400, K::FCPST},
    {"N29", C::pCredSN, O1, V::Todas, K::ComCredSN},
    {"N30", C::vCredICMSSN, O1, V::Todas, K::ComCredSN},
};

// The situations without a form of their own write the origin and the code only.
constexpr Forma kSomenteCodigo{};

Forma FormaCST(dfe::TpcnCSTIcms cst)
{
    switch (cst) {
    case dfe::cst00: return kICMS00;
    case dfe::cst10:
    case dfe::cstPart10: return kICMS10;
    case dfe::cst20: return kICMS20;
    case dfe::cst30: return kICMS30;
    case dfe::cst40:
    case dfe::cst41:
    case dfe::cst50: return kICMS40;
    case dfe::cst51: return kICMS51;
    case dfe::cst60: return kICMS60;
    case dfe::cst70: return kICMS70;
    case dfe::cst90:
    case dfe::cstPart90: return kICMS90;
    case dfe::cstRep41:
    case dfe::cstRep60: return kICMSST;
    case dfe::cst45:
    case dfe::cst80:
    case dfe::cst81:
    case dfe::cstVazio:
    case dfe::cstICMSOutraUF:
    case dfe::cstICMSSN: return kSomenteCodigo;
    }
    return kSomenteCodigo;
}

Forma FormaCSOSN(dfe::TpcnCSOSNIcms csosn)
{
    switch (csosn) {
    case dfe::csosn101: return kICMSSN101;
    case dfe::csosn201: return kICMSSN201;
    case dfe::csosn202:
    case dfe::csosn203: return kICMSSN202;
    case dfe::csosn500: return kICMSSN500;
    case dfe::csosn900: return kICMSSN900;
    case dfe::csosnVazio:
    case dfe::csosn102:
    case dfe::csosn103:
    case dfe::csosn300:
    case dfe::csosn400: return kSomenteCodigo;
    }
    return kSomenteCodigo;
}

// The suffix of the inner group's name under the normal regimes ("ICMS" + suffix). The
// repass of a 60 has its own group only from layout 4.00 on; before, it takes ICMS60's
// name while keeping the repass fields.
std::string_view BuscaTag(dfe::TpcnCSTIcms t, double versao)
{
    switch (t) {
    case dfe::cst00: return "00";
    case dfe::cst10: return "10";
    case dfe::cst20: return "20";
    case dfe::cst30: return "30";
    case dfe::cst40:
    case dfe::cst41:
    case dfe::cst50: return "40";
    case dfe::cst51: return "51";
    case dfe::cst60: return "60";
    case dfe::cst70: return "70";
    case dfe::cst80: return "80";
    case dfe::cst81: return "81";
    case dfe::cst90: return "90";
    case dfe::cstPart10:
    case dfe::cstPart90: return "Part";
    case dfe::cstRep41: return "ST";
    case dfe::cstRep60: return versao >= 4.0 ? "ST" : "60";
    case dfe::cst45:
    case dfe::cstVazio:
    case dfe::cstICMSOutraUF:
    case dfe::cstICMSSN: return "";
    }
    return "";
}

// 1 when the writer option asks for vICMSSubstituto (and its neighbours) even when zero in
// this document's environment, which the authority's rejection 938 demands; else 0.
int OcorrenciasVICMSSubstituto(dfe::TForcarGeracaoTag opcao, dfe::TpcnTipoAmbiente tpAmb)
{
    switch (opcao) {
    case dfe::fgtSempre: return 1;
    case dfe::fgtSomenteProducao: return tpAmb == dfe::taProducao ? 1 : 0;
    case dfe::fgtSomenteHomologacao: return tpAmb == dfe::taHomologacao ? 1 : 0;
    case dfe::fgtNunca: return 0;
    }
    return 0;
}

// ---- writing a form ---------------------------------------------------------------------

struct Contexto {
    const TICMS &icms;
    double versao;
    bool usarDe4;
    int forcada; // OcorrenciasVICMSSubstituto
};

bool NaVersao(Versao v, double versao)
{
    switch (v) {
    case Versao::Todas: return true;
    case Versao::De200: return versao >= 2.0;
    case Versao::Antes200: return versao < 2.0;
    case Versao::De300: return versao >= 3.0;
    case Versao::De310: return versao >= 3.1;
    case Versao::Antes310: return versao < 3.1;
    case Versao::De400: return versao >= 4.0;
    }
    return false;
}

bool Atende(Cond cond, const Contexto &ctx)
{
    const TICMS &c = ctx.icms;
    switch (cond) {
    case Cond::Sempre: return true;
    case Cond::FCPProprio: return Positivo(c.pFCP) || Positivo(c.vFCP);
    case Cond::FCP: return Positivo(c.vBCFCP) || Positivo(c.pFCP) || Positivo(c.vFCP);
    case Cond::FCPST: return Positivo(c.vBCFCPST) || Positivo(c.pFCPST) || Positivo(c.vFCPST);
    case Cond::FCPSTRetido:
        return Positivo(c.vBCFCPSTRet) || Positivo(c.pFCPSTRet) || Positivo(c.vFCPSTRet);
    case Cond::Efetivo:
        return Positivo(c.pRedBCEfet) || Positivo(c.vBCEfet) || Positivo(c.pICMSEfet) ||
               Positivo(c.vICMSEfet);
    case Cond::Retido:
        return Positivo(c.vBCSTRet) || Positivo(c.pST) || Positivo(c.vICMSSubstituto) ||
               Positivo(c.vICMSSTRet) || ctx.forcada == 1;
    case Cond::Partilha:
        return !c.UFST.empty() || c.pBCOp.Raw() != 0 || c.CST == dfe::cstPart10 ||
               c.CST == dfe::cstPart90;
    case Cond::Desonerado: return Positivo(c.vICMSDeson);
    case Cond::DesoneradoCST90: return c.CST == dfe::cst90 && Positivo(c.vICMSDeson);
    case Cond::ComICMS: return Positivo(c.vICMS);
    case Cond::ComModBC: return c.modBC != dfe::dbiNenhum;
    case Cond::ComBC: return Positivo(c.vBC) || Positivo(c.vICMS);
    case Cond::ComBCST: return Positivo(c.vBCST) || Positivo(c.vICMSST);
    case Cond::ComCredSN: return Positivo(c.pCredSN);
    }
    return false;
}

void EscreverCampo(dfe::TGerador &g, const Contexto &ctx, std::string_view id, Campo campo,
                   int ocorrencias, bool aliquotaDe2 = false, int maxEspecial = 0,
                   std::string_view descricaoEspecial = {})
{
    const Definicao &d = DefinicaoDe(campo);
    const std::string_view descricao = descricaoEspecial.empty() ? d.descricao : descricaoEspecial;
    switch (d.tipo) {
    case Tipo::Texto:
        g.wCampo(dfe::tcStr, id, d.tag, d.min, maxEspecial > 0 ? maxEspecial : d.max,
                 ocorrencias, d.texto(ctx.icms), descricao);
        break;
    case Tipo::Valor:
        g.wCampo(dfe::tcDe2, id, d.tag, d.min, d.max, ocorrencias, ctx.icms.*d.valor, descricao);
        break;
    case Tipo::Aliquota: {
        const bool de4 = ctx.usarDe4 && !aliquotaDe2;
        g.wCampo(de4 ? dfe::tcDe4 : dfe::tcDe2, id, d.tag, d.min, de4 ? 7 : 5, ocorrencias,
                 ctx.icms.*d.valor, descricao);
        break;
    }
    }
}

void EscreverForma(dfe::TGerador &g, const Contexto &ctx, Forma forma)
{
    for (const Linha &l : forma) {
        if (!NaVersao(l.versao, ctx.versao) || !Atende(l.cond, ctx))
            continue;
        const int ocorrencias = l.ocorr == Ocorr::Um     ? 1
                                : l.ocorr == Ocorr::Zero ? 0
                                                         : ctx.forcada;
        EscreverCampo(g, ctx, l.id, l.campo, ocorrencias, l.aliquotaDe2, l.max, l.descricao);
    }
}

} // namespace

void TNFeW::GerarDetImpostoICMS(int i)
{
    const TICMS &icms = FNFe.Det[i].Imposto.ICMS;
    const Contexto ctx{icms, FNFe.infNFe.GetVersao(), FUsar_tcDe4,
                       OcorrenciasVICMSSubstituto(FOpcoes.ForcarGerarTagRejeicao938,
                                                  FNFe.Ide.tpAmb)};

    FGerador.wGrupo("ICMS", "N01");
    std::string grupo;
    if (FNFe.Emit.CRT == dfe::crtSimplesNacional) {
        grupo = "ICMSSN" + dfe::CSOSNToStrTagPos(icms.CSOSN);
        FGerador.wGrupo(grupo, "N" + dfe::CSOSNToStrID(icms.CSOSN));
        EscreverCampo(FGerador, ctx, "N11", Campo::orig, 1);
        EscreverCampo(FGerador, ctx, "N12a", Campo::CSOSN, 1);
        EscreverForma(FGerador, ctx, FormaCSOSN(icms.CSOSN));
    } else {
        grupo = "ICMS";
        grupo += BuscaTag(icms.CST, ctx.versao);
        FGerador.wGrupo(grupo, "N" + dfe::CSTICMSToStrTagPos(icms.CST));
        EscreverCampo(FGerador, ctx, "N11", Campo::orig, 1);
        EscreverCampo(FGerador, ctx, "N12", Campo::CST, 1);
        EscreverForma(FGerador, ctx, FormaCST(icms.CST));
    }
    FGerador.wGrupo("/" + grupo);
    FGerador.wGrupo("/ICMS");
}

} // namespace nfe

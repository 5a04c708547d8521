#include "nfe/writer_linhas.h"

#include "dfe/codes_tax.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The ICMS group of an item holds one inner group chosen by the issuer's regime and the
// item's situation code. Every field the inner groups use is described once in a catalogue
// (tag, kind, lengths, value, description); each inner group is a table of rows that names
// the catalogue's fields with their layout Id, occurrence and condition (layout version and
// a condition on the values). The shared row routine writes every form, so a form reads as
// the layout lists it and a fix to the writing applies to all of them.

namespace nfe {

using namespace linhas;

namespace {

// The context of the ICMS rows: the item's ICMS and the occurrence the writer option gives
// the values the authority's rejection 938 demands (OcorrenciasVICMSSubstituto).
struct CICMS : Ctx<TICMS> {
    int forcada;
};
using L = Linha<CICMS>;

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
    Texto,    // tcStr with the catalogue's bounds
    Valor,    // tcDe2, 1-15
    Aliquota, // a rate: tcDe4 1-7 when the writer uses four decimals, else tcDe2 1-5
};

struct Definicao {
    Campo campo;
    std::string_view tag;
    Tipo tipo;
    int min;
    int max;
    L::Valor valor;
    std::string_view descricao;
};

constexpr Definicao Codigo(Campo c, std::string_view tag, int min, int max, L::Valor valor,
                           std::string_view descricao)
{
    return {c, tag, Tipo::Texto, min, max, valor, descricao};
}

constexpr Definicao Valor(Campo c, std::string_view tag, L::Valor valor, std::string_view descricao)
{
    return {c, tag, Tipo::Valor, 1, 15, valor, descricao};
}

constexpr Definicao Aliquota(Campo c, std::string_view tag, L::Valor valor,
                             std::string_view descricao)
{
    return {c, tag, Tipo::Aliquota, 1, 0, valor, descricao};
}

// Indexed by Campo.
constexpr Definicao kCatalogo[] = {
    Codigo(Campo::orig, "orig", 1, 1, CodigoDe<&TICMS::orig, dfe::OrigToStr>,
           "Origem da mercadoria"),
    Codigo(Campo::CST, "CST", 2, 2, CodigoDe<&TICMS::CST, dfe::CSTICMSToStr>,
           "Código da situação tributária"),
    Codigo(Campo::CSOSN, "CSOSN", 3, 3, CodigoDe<&TICMS::CSOSN, dfe::CSOSNIcmsToStr>,
           "Código de Situação da Operação – Simples Nacional"),
    Codigo(Campo::modBC, "modBC", 1, 1, CodigoDe<&TICMS::modBC, dfe::modBCToStr>,
           "Modalidade de determinação da BC do ICMS"),
    Aliquota(Campo::pRedBC, "pRedBC", Membro<&TICMS::pRedBC>, "Percentual da Redução de BC"),
    Valor(Campo::vBC, "vBC", Membro<&TICMS::vBC>, "Valor da BC do ICMS"),
    Aliquota(Campo::pICMS, "pICMS", Membro<&TICMS::pICMS>, "Alíquota do imposto"),
    Valor(Campo::vICMSOp, "vICMSOp", Membro<&TICMS::vICMSOp>, "Valor do ICMS"),
    Aliquota(Campo::pDif, "pDif", Membro<&TICMS::pDif>, "Alíquota do imposto"),
    Valor(Campo::vICMSDif, "vICMSDif", Membro<&TICMS::vICMSDif>, "Valor do ICMS"),
    Valor(Campo::vICMS, "vICMS", Membro<&TICMS::vICMS>, "Valor do ICMS"),
    Valor(Campo::vBCFCP, "vBCFCP", Membro<&TICMS::vBCFCP>, "Valor da Base de Cálculo do FCP"),
    Aliquota(Campo::pFCP, "pFCP", Membro<&TICMS::pFCP>,
             "Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    Valor(Campo::vFCP, "vFCP", Membro<&TICMS::vFCP>,
          "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    Codigo(Campo::modBCST, "modBCST", 1, 1,
           CodigoDe<&TICMS::modBCST, dfe::modBCSTToStr>,
           "Modalidade de determinação da BC do ICMS ST"),
    Aliquota(Campo::pMVAST, "pMVAST", Membro<&TICMS::pMVAST>,
             "Percentual da margem de valor Adicionado do ICMS ST"),
    Aliquota(Campo::pRedBCST, "pRedBCST", Membro<&TICMS::pRedBCST>,
             "Percentual da Redução de BC do ICMS ST"),
    Valor(Campo::vBCST, "vBCST", Membro<&TICMS::vBCST>, "Valor da BC do ICMS ST"),
    Aliquota(Campo::pICMSST, "pICMSST", Membro<&TICMS::pICMSST>, "Alíquota do imposto do ICMS ST"),
    Valor(Campo::vICMSST, "vICMSST", Membro<&TICMS::vICMSST>,
          "Valor do ICMS Substituição Tributaria"),
    Valor(Campo::vBCFCPST, "vBCFCPST", Membro<&TICMS::vBCFCPST>,
          "Valor da Base de Cálculo do FCP por Substituição Tributária"),
    Aliquota(Campo::pFCPST, "pFCPST", Membro<&TICMS::pFCPST>,
             "Percentual do FCP retido por Substituição Tributária"),
    Valor(Campo::vFCPST, "vFCPST", Membro<&TICMS::vFCPST>,
          "Valor do FCP retido por Substituição Tributária"),
    Aliquota(Campo::pBCOp, "pBCOp", Membro<&TICMS::pBCOp>, "Percentual da BC operação própria"),
    Codigo(Campo::UFST, "UFST", 2, 2, Membro<&TICMS::UFST>,
           "UF para qual é devido o ICMS ST"),
    Valor(Campo::vBCSTRet, "vBCSTRet", Membro<&TICMS::vBCSTRet>, "Valor da BC do ICMS ST Retido"),
    Aliquota(Campo::pST, "pST", Membro<&TICMS::pST>, "Alíquota suportada pelo Consumidor Final"),
    Valor(Campo::vICMSSubstituto, "vICMSSubstituto", Membro<&TICMS::vICMSSubstituto>,
          "Valor do ICMS Substituto"),
    Valor(Campo::vICMSSTRet, "vICMSSTRet", Membro<&TICMS::vICMSSTRet>,
          "Valor do ICMS Substituição Tributaria Retido"),
    Valor(Campo::vBCFCPSTRet, "vBCFCPSTRet", Membro<&TICMS::vBCFCPSTRet>,
          "Valor da Base de Cálculo do FCP por Substituição Tributária"),
    Aliquota(Campo::pFCPSTRet, "pFCPSTRet", Membro<&TICMS::pFCPSTRet>,
             "Percentual do FCP retido anteriormente por Substituição Tributária"),
    Valor(Campo::vFCPSTRet, "vFCPSTRet", Membro<&TICMS::vFCPSTRet>,
          "Valor do FCP retido por Substituição Tributária"),
    Valor(Campo::vBCSTDest, "vBCSTDest", Membro<&TICMS::vBCSTDest>,
          "BC do ICMS ST da UF de destino"),
    Valor(Campo::vICMSSTDest, "vICMSSTDest", Membro<&TICMS::vICMSSTDest>,
          "BC do ICMS ST da UF de destino"),
    Valor(Campo::vICMSDeson, "vICMSDeson", Membro<&TICMS::vICMSDeson>, "Valor do ICMS Desoneração"),
    Codigo(Campo::motDesICMS, "motDesICMS", 1, 2,
           CodigoDe<&TICMS::motDesICMS, dfe::motDesICMSToStr>,
           "Motivo da desoneração do ICMS"),
    Aliquota(Campo::pRedBCEfet, "pRedBCEfet", Membro<&TICMS::pRedBCEfet>,
             "Percentual de redução da base de cálculo efetiva"),
    Valor(Campo::vBCEfet, "vBCEfet", Membro<&TICMS::vBCEfet>, "Valor da base de cálculo efetiva"),
    Aliquota(Campo::pICMSEfet, "pICMSEfet", Membro<&TICMS::pICMSEfet>, "Alíquota do ICMS efetiva"),
    Valor(Campo::vICMSEfet, "vICMSEfet", Membro<&TICMS::vICMSEfet>, "Valor do ICMS efetivo"),
    Aliquota(Campo::pCredSN, "pCredSN", Membro<&TICMS::pCredSN>,
             "Alíquota aplicável de cálculo do crédito (Simples Nacional)."),
    Valor(Campo::vCredICMSSN, "vCredICMSSN", Membro<&TICMS::vCredICMSSN>,
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

bool Atende(Cond cond, const CICMS &ctx)
{
    const TICMS &c = ctx.m;
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

// The condition column of a form's row: the layout versions and the value condition.
template <Versao v, Cond k>
constexpr auto Se = [](const CICMS &c) { return NaVersao(v, c.versao) && Atende(k, c); };

// The occurrence column: 1, 0, or the one the rejection-938 option gives.
enum class Ocorr : unsigned char { Um, Zero, Forcada };
constexpr Ocorr O1 = Ocorr::Um;
constexpr Ocorr O0 = Ocorr::Zero;
constexpr Ocorr OF = Ocorr::Forcada;

constexpr Ocorrencia<CICMS> OcorrenciaDe(Ocorr o)
{
    switch (o) {
    case Ocorr::Um: return 1;
    case Ocorr::Zero: return 0;
    case Ocorr::Forcada: return [](const CICMS &c) { return c.forcada; };
    }
    return 1;
}

// A form's row: the catalogue's field under the form's Id, occurrence and condition;
// `max` (when above 0) and `descricao` (when not empty) replace the catalogue's.
constexpr L R(std::string_view id, Campo campo, Ocorr o = O1, L::Condicao cond = Sempre,
              int max = 0, std::string_view descricao = {})
{
    const Definicao &d = DefinicaoDe(campo);
    const std::string_view dsc = descricao.empty() ? d.descricao : descricao;
    switch (d.tipo) {
    case Tipo::Texto:
        return {id, d.tag, dfe::tcStr, d.min, max > 0 ? max : d.max, OcorrenciaDe(o), d.valor,
                cond, dsc};
    case Tipo::Valor:
        return {id, d.tag, dfe::tcDe2, d.min, d.max, OcorrenciaDe(o), d.valor, cond, dsc};
    case Tipo::Aliquota:
        break;
    }
    return L::ComMedida(id, d.tag, linhas::Aliquota, OcorrenciaDe(o), d.valor, cond, dsc);
}

// A rate written as tcDe2 with maximum 5 whatever the layout.
constexpr L RDe2(std::string_view id, Campo campo, Ocorr o = O1, L::Condicao cond = Sempre)
{
    const Definicao &d = DefinicaoDe(campo);
    return {id, d.tag, dfe::tcDe2, d.min, 5, OcorrenciaDe(o), d.valor, cond, d.descricao};
}

using Forma = std::span<const L>;

using C = Campo;
using V = Versao;
using K = Cond;

constexpr L kICMS00[] = {
    R("N13", C::modBC),
    R("N15", C::vBC),
    R("N16", C::pICMS),
    R("N17", C::vICMS),
    R("N17b", C::pFCP, O1, Se<V::De400, K::FCPProprio>),
    R("N17c", C::vFCP, O1, Se<V::De400, K::FCPProprio>),
};

constexpr L kICMS10[] = {
    R("N13", C::modBC),
    R("N15", C::vBC),
    RDe2("N14", C::pRedBC, O0, Se<V::Todas, K::Partilha>),
    R("N16", C::pICMS),
    R("N17", C::vICMS),
    R("N17a", C::vBCFCP, O1, Se<V::De400, K::FCP>),
    R("N17b", C::pFCP, O1, Se<V::De400, K::FCP>),
    R("N17c", C::vFCP, O1, Se<V::De400, K::FCP>),
    R("N18", C::modBCST),
    R("N19", C::pMVAST, O0),
    R("N20", C::pRedBCST, O0),
    R("N21", C::vBCST),
    R("N22", C::pICMSST),
    R("N23", C::vICMSST),
    R("N23a", C::vBCFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O1, Se<V::De400, K::FCPST>),
    R("N25", C::pBCOp, O1, Se<V::Todas, K::Partilha>),
    R("N24", C::UFST, O1, Se<V::Todas, K::Partilha>),
};

constexpr L kICMS20[] = {
    R("N13", C::modBC),
    R("N14", C::pRedBC),
    R("N15", C::vBC),
    R("N16", C::pICMS),
    R("N17", C::vICMS),
    R("N17a", C::vBCFCP, O1, Se<V::De400, K::FCP>),
    R("N17b", C::pFCP, O1, Se<V::De400, K::FCP>),
    R("N17c", C::vFCP, O1, Se<V::De400, K::FCP>),
    R("N27a", C::vICMSDeson, O1, Se<V::De310, K::Desonerado>),
    R("N28", C::motDesICMS, O1, Se<V::De310, K::Desonerado>),
};

constexpr L kICMS30[] = {
    R("N18", C::modBCST),
    R("N19", C::pMVAST, O0),
    R("N20", C::pRedBCST, O0),
    R("N21", C::vBCST),
    R("N22", C::pICMSST),
    R("N23", C::vICMSST),
    R("N23a", C::vBCFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O1, Se<V::De400, K::FCPST>),
    R("N27a", C::vICMSDeson, O1, Se<V::De310, K::Desonerado>),
    R("N28", C::motDesICMS, O1, Se<V::De310, K::Desonerado>),
};

constexpr L kICMS40[] = {
    R("N13a", C::vICMSDeson, O1, Se<V::De310, K::Desonerado>),
    R("N13b", C::motDesICMS, O1, Se<V::De310, K::Desonerado>),
    R("N17", C::vICMS, O0, Se<V::Antes310, K::Sempre>),
    R("N28", C::motDesICMS, O0, Se<V::Antes310, K::ComICMS>, 1),
};

constexpr L kICMS51[] = {
    R("N13", C::modBC, O1, Se<V::Todas, K::ComModBC>),
    R("N14", C::pRedBC),
    R("N15", C::vBC),
    R("N16", C::pICMS),
    R("N16a", C::vICMSOp),
    R("N16b", C::pDif),
    R("N16c", C::vICMSDif),
    R("N17", C::vICMS),
    R("N17a", C::vBCFCP, O1, Se<V::De400, K::FCP>),
    R("N17b", C::pFCP, O1, Se<V::De400, K::FCP>),
    R("N17c", C::vFCP, O1, Se<V::De400, K::FCP>),
};

constexpr L kICMS60[] = {
    R("N26", C::vBCSTRet, O1, Se<V::De200, K::Retido>),
    R("N26a", C::pST, O1, Se<V::De400, K::Retido>),
    R("N26b", C::vICMSSubstituto, OF, Se<V::De400, K::Retido>),
    R("N27", C::vICMSSTRet, O1, Se<V::De200, K::Retido>),
    R("N23a", C::vBCFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N27b", C::pFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N27d", C::vFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N34", C::pRedBCEfet, O1, Se<V::De400, K::Efetivo>),
    R("N35", C::vBCEfet, O1, Se<V::De400, K::Efetivo>),
    R("N36", C::pICMSEfet, O1, Se<V::De400, K::Efetivo>),
    R("N37", C::vICMSEfet, O1, Se<V::De400, K::Efetivo>),
    R("N21", C::vBCST, O1, Se<V::Antes200, K::Sempre>),
    R("N23", C::vICMSST, O1, Se<V::Antes200, K::Sempre>),
};

constexpr L kICMS70[] = {
    R("N13", C::modBC),
    R("N14", C::pRedBC),
    R("N15", C::vBC),
    R("N16", C::pICMS),
    R("N17", C::vICMS),
    R("N23a", C::vBCFCP, O1, Se<V::De400, K::FCP>),
    R("N23b", C::pFCP, O1, Se<V::De400, K::FCP>),
    R("N23d", C::vFCP, O1, Se<V::De400, K::FCP>),
    R("N18", C::modBCST),
    R("N19", C::pMVAST, O0),
    R("N20", C::pRedBCST, O0),
    R("N21", C::vBCST),
    R("N22", C::pICMSST),
    R("N23", C::vICMSST),
    R("N23a", C::vBCFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O1, Se<V::De400, K::FCPST>),
    // Unlike ICMS20 and ICMS30, the relief is written from layout 3.00 on.
    R("N27a", C::vICMSDeson, O1, Se<V::De300, K::Desonerado>),
    R("N28", C::motDesICMS, O1, Se<V::De300, K::Desonerado>),
};

constexpr L kICMS90[] = {
    R("N13", C::modBC, O1, Se<V::Todas, K::ComBC>),
    R("N15", C::vBC, O1, Se<V::Todas, K::ComBC>),
    R("N14", C::pRedBC, O0, Se<V::Todas, K::ComBC>),
    R("N16", C::pICMS, O1, Se<V::Todas, K::ComBC>),
    R("N17", C::vICMS, O1, Se<V::Todas, K::ComBC>),
    R("N17a", C::vBCFCP, O0, Se<V::De400, K::FCP>),
    R("N17b", C::pFCP, O0, Se<V::De400, K::FCP>),
    R("N17c", C::vFCP, O0, Se<V::De400, K::FCP>),
    R("N18", C::modBCST, O1, Se<V::Todas, K::ComBCST>),
    RDe2("N19", C::pMVAST, O0, Se<V::Todas, K::ComBCST>),
    R("N20", C::pRedBCST, O0, Se<V::Todas, K::ComBCST>),
    R("N21", C::vBCST, O1, Se<V::Todas, K::ComBCST>),
    R("N22", C::pICMSST, O1, Se<V::Todas, K::ComBCST>),
    R("N23", C::vICMSST, O1, Se<V::Todas, K::ComBCST>),
    R("N23a", C::vBCFCPST, O0, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O0, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O0, Se<V::De400, K::FCPST>),
    R("N27a", C::vICMSDeson, O1, Se<V::De310, K::DesoneradoCST90>),
    R("N28", C::motDesICMS, O1, Se<V::De310, K::DesoneradoCST90>),
    R("N25", C::pBCOp, O1, Se<V::Todas, K::Partilha>),
    R("N24", C::UFST, O1, Se<V::Todas, K::Partilha>),
};

constexpr L kICMSST[] = {
    R("N26", C::vBCSTRet, O1, Sempre, 0, "BC do ICMS ST retido"),
    R("N26a", C::pST, OF, Se<V::De400, K::Sempre>),
    R("N26b", C::vICMSSubstituto, OF, Se<V::De400, K::Sempre>),
    R("N27", C::vICMSSTRet),
    R("N27a", C::vBCFCPSTRet, O0, Se<V::Todas, K::FCPSTRetido>, 0,
      "Valor da Base de Cálculo do FCP"),
    R("N27b", C::pFCPSTRet, O0, Se<V::Todas, K::FCPSTRetido>, 0,
      "Percentual do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    R("N27c", C::vFCPSTRet, O0, Se<V::Todas, K::FCPSTRetido>, 0,
      "Valor do ICMS relativo ao Fundo de Combate à Pobreza (FCP)"),
    R("N31", C::vBCSTDest),
    R("N32", C::vICMSSTDest),
    R("N34", C::pRedBCEfet, O1, Se<V::Todas, K::Efetivo>),
    R("N35", C::vBCEfet, O1, Se<V::Todas, K::Efetivo>),
    R("N36", C::pICMSEfet, O1, Se<V::Todas, K::Efetivo>),
    R("N37", C::vICMSEfet, O1, Se<V::Todas, K::Efetivo>),
};

constexpr L kICMSSN101[] = {
    R("N29", C::pCredSN),
    R("N30", C::vCredICMSSN),
};

constexpr L kICMSSN201[] = {
    R("N18", C::modBCST),
    R("N19", C::pMVAST, O0),
    R("N20", C::pRedBCST, O0),
    R("N21", C::vBCST),
    R("N22", C::pICMSST),
    R("N23", C::vICMSST),
    R("N23a", C::vBCFCPST, O0, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O0, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O0, Se<V::De400, K::FCPST>),
    R("N29", C::pCredSN),
    R("N30", C::vCredICMSSN),
};

constexpr L kICMSSN202[] = {
    R("N18", C::modBCST),
    R("N19", C::pMVAST, O0),
    R("N20", C::pRedBCST, O0),
    R("N21", C::vBCST),
    R("N22", C::pICMSST),
    R("N23", C::vICMSST),
    R("N23a", C::vBCFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O1, Se<V::De400, K::FCPST>),
};

constexpr L kICMSSN500[] = {
    R("N26", C::vBCSTRet, O1, Se<V::Todas, K::Retido>),
    R("N26.1", C::pST, O1, Se<V::De400, K::Retido>),
    R("N26b", C::vICMSSubstituto, OF, Se<V::De400, K::Retido>),
    R("N27", C::vICMSSTRet, O1, Se<V::Todas, K::Retido>),
    R("N27a", C::vBCFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N27b", C::pFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N27d", C::vFCPSTRet, O1, Se<V::De400, K::FCPSTRetido>),
    R("N34", C::pRedBCEfet, O1, Se<V::De400, K::Efetivo>),
    R("N35", C::vBCEfet, O1, Se<V::De400, K::Efetivo>),
    R("N36", C::pICMSEfet, O1, Se<V::De400, K::Efetivo>),
    R("N37", C::vICMSEfet, O1, Se<V::De400, K::Efetivo>),
};

constexpr L kICMSSN900[] = {
    R("N13", C::modBC, O1, Se<V::Todas, K::ComBC>),
    R("N15", C::vBC, O1, Se<V::Todas, K::ComBC>),
    R("N14", C::pRedBC, O0, Se<V::Todas, K::ComBC>),
    R("N16", C::pICMS, O1, Se<V::Todas, K::ComBC>),
    R("N17", C::vICMS, O1, Se<V::Todas, K::ComBC>),
    R("N18", C::modBCST, O1, Se<V::Todas, K::ComBCST>),
    R("N19", C::pMVAST, O0, Se<V::Todas, K::ComBCST>),
    R("N20", C::pRedBCST, O0, Se<V::Todas, K::ComBCST>),
    R("N21", C::vBCST, O1, Se<V::Todas, K::ComBCST>),
    R("N22", C::pICMSST, O1, Se<V::Todas, K::ComBCST>),
    R("N23", C::vICMSST, O1, Se<V::Todas, K::ComBCST>),
    R("N23a", C::vBCFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23b", C::pFCPST, O1, Se<V::De400, K::FCPST>),
    R("N23d", C::vFCPST, O1, Se<V::De400, K::FCPST>),
    R("N29", C::pCredSN, O1, Se<V::Todas, K::ComCredSN>),
    R("N30", C::vCredICMSSN, O1, Se<V::Todas, K::ComCredSN>),
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

// The origin and the situation code open every form.
constexpr L kOrigemCST[] = {
    R("N11", C::orig),
    R("N12", C::CST),
};

constexpr L kOrigemCSOSN[] = {
    R("N11", C::orig),
    R("N12a", C::CSOSN),
};

} // namespace

void TNFeW::GerarDetImpostoICMS(int i)
{
    const TICMS &icms = FNFe.Det[i].Imposto.ICMS;
    const CICMS ctx{Contexto(*this, icms, i),
                    OcorrenciasVICMSSubstituto(FOpcoes.ForcarGerarTagRejeicao938, FNFe.Ide.tpAmb)};

    FGerador.wGrupo("ICMS", "N01");
    std::string grupo;
    if (FNFe.Emit.CRT == dfe::crtSimplesNacional) {
        grupo = "ICMSSN" + dfe::CSOSNToStrTagPos(icms.CSOSN);
        FGerador.wGrupo(grupo, "N" + dfe::CSOSNToStrID(icms.CSOSN));
        Escrever(FGerador, kOrigemCSOSN, ctx);
        Escrever(FGerador, FormaCSOSN(icms.CSOSN), ctx);
    } else {
        grupo = "ICMS";
        grupo += BuscaTag(icms.CST, ctx.versao);
        FGerador.wGrupo(grupo, "N" + dfe::CSTICMSToStrTagPos(icms.CST));
        Escrever(FGerador, kOrigemCST, ctx);
        Escrever(FGerador, FormaCST(icms.CST), ctx);
    }
    FGerador.wGrupo("/" + grupo);
    FGerador.wGrupo("/ICMS");
}

} // namespace nfe

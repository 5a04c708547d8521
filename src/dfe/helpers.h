#pragma once
// The small helpers the XML reader, the generator and the document writers share: the
// text filter that prepares a value for XML and its reverse, the date-time text of the
// documents, zero-filled numbers, state codes and abbreviations, Boolean checks of the
// identifiers and codes the fiscal layouts carry, and the pieces of an access key.
//
// None of the checks raises for bad input: the writers turn a False into an alert.
// Texts are UTF-8; positions count code points from 1.

#include "rtl/datetime.h"
#include "rtl/variant.h"

#include <string>
#include <string_view>

namespace dfe {

// The valid state abbreviations, "EX" (abroad) included, each between dots.
inline constexpr std::string_view UFS =
    ".AC.AL.AP.AM.BA.CE.DF.ES.GO.MA.MT.MS.MG.PA.PB.PR.PE.PI.RJ.RN.RS.RO.RR.SC.SP.SE.TO.EX.";

// The number of digits of a municipality code.
inline constexpr int TAMANHO = 7;

// ---- Text and dates ----------------------------------------------------------------

// Prepares a value for XML, in this order: accents removed (TiraAcentos, which also turns
// every character other than backspace, LF, CR and printable ASCII into a blank) when
// RetirarAcentos; the text held in the ANSI code page and the five XML characters
// escaped (& < > " '); runs of blanks made one blank when RetirarEspacos; every line
// break (CR LF, CR, LF) replaced by QuebraLinha when SubstituirQuebrasLinha; trimmed.
std::string FiltrarTextoXML(bool RetirarEspacos, std::string_view aTexto, bool RetirarAcentos,
                            bool SubstituirQuebrasLinha, std::string_view QuebraLinha);
// FiltrarTextoXML's result appended to `destino`; a text the steps leave as it is goes
// straight in, without a copy of its own.
void AcrescentarTextoXML(std::string &destino, bool RetirarEspacos, std::string_view aTexto,
                         bool RetirarAcentos, bool SubstituirQuebrasLinha,
                         std::string_view QuebraLinha);

// The reader's unescaping, trimmed. A text holding "<![CDATA[" loses that opener (the
// first one) and the first "]]>" after it, and nothing is decoded. Otherwise one
// left-to-right pass decodes &amp; &lt; &gt; &quot; &#39; and hexadecimal references
// (&#xE9;); what a decoding produces is not looked at again ("&amp;lt;" gives "&lt;").
// A hexadecimal reference gives its one character as held in the ANSI code page ('?'
// for what the code page lacks); a malformed one ("&#xZZ;", "&#x;", no ';') stays as
// written. Any other '&' stays too.
std::string ReverterFiltroTextoXML(std::string_view aTexto);

// "YYYY-MM-DDThh:nn:ss", without zone; the milliseconds are dropped, not rounded.
std::string DateTimeTodh(rtl::TDateTime DataHora);

// The decimal text of Numero zero-filled on the left to tamanho characters, keeping the
// LAST tamanho characters of a longer one (2019 with 2 gives '19'). util::IntToStrZero
// keeps the first ones instead.
std::string IntToStrZero(int Numero, int tamanho);

// The trimmed text; with Corrigir, a text of one or two digits is zero-filled to three
// ('5' -> '005', '12' -> '012'). Longer or non-numeric texts stay as they are.
std::string ExecutarAjusteTagNro(bool Corrigir, std::string_view Nro);

rtl::Variant IIf(bool condicao, const rtl::Variant &Verdadeiro, const rtl::Variant &Falso);

// True when SubStr1 begins with one of the items of SubStr2, a list written as
// "|item|item|": only texts between two '|' count as items, empty ones are ignored.
bool SubStrEmSubStr(std::string_view SubStr1, std::string_view SubStr2);

// Position of the first SubStr in S at or after Offset; 0 when absent or SubStr is empty.
int RetornarPosEx(std::string_view SubStr, std::string_view S, int Offset = 1);

// ---- State codes -------------------------------------------------------------------

// The abbreviation of a state code (90 and 91 read as "DF"); empty for an unknown code.
std::string CodigoParaUF(int codigo);
// The code of an abbreviation, case-sensitively ("DF" gives 53); 0 for an unknown
// abbreviation and for "EX".
int UFparaCodigo(std::string_view UF);
// The 27 state codes, 90 and 91.
bool ValidarCodigoUF(int Codigo);
// One of the 27 abbreviations or "EX", case-sensitively.
bool ValidarUF(std::string_view UF);

// ---- Identifier and code checks ----------------------------------------------------

// The digits of chave (anything else is ignored) form an access key: 44 digits, the
// check digit right, a state code, a year-month, and a valid CNPJ at digits 7 to 20 -
// or, for the series 920 to 969, a valid CPF at digits 10 to 20.
bool ValidarChave(std::string_view chave);
// The modulo-11 check digit of the first 43 digits of chave (0 when there are fewer).
// True only when chave holds exactly 43 digits.
bool GerarDigito(int &Digito, std::string_view chave);
// Four digits whose last two are a month 01 to 12.
bool ValidarAAMM(std::string_view AAMM);

// The utilities' validators of the same name find nothing wrong.
bool ValidarCNPJ(std::string_view numero);
bool ValidarCPF(std::string_view numero);
bool ValidarGTIN(std::string_view numero);
bool ValidarPrefixoGTIN(std::string_view numero);
bool ValidarCNPJouCPF(std::string_view numero);
// The state registration for the state UF; see the definition for how far it checks.
bool ValidarIE(std::string_view IE, std::string_view UF);

// Not empty and only ASCII digits.
bool ValidarNumeros(std::string_view s);
// Model 1; from layout version 4.00 on, model 1 or 2.
bool ValidarMod(int modelo, double versao);
// 1 for a listed country code, 0 for an unlisted one whose check digit (fourth digit)
// is right, -1 otherwise (negative numbers included). The code is read as four digits,
// its last four when longer.
int ValidarCodigoPais(int iPais);
// One of the accepted service-list item codes (101 = item 1.01).
bool ValidarCListServ(int cListServ);
// A seven-digit municipality code of a known state with a right check digit; 9999999
// and the few official codes that break the check-digit rule are valid too.
bool ValidarMunicipio(int Municipio);
// The check digit of a SUFRAMA registration (its digits; at least nine) is right.
bool ValidarISUF(std::string_view ISUF);

// ---- Pieces of an access key (on its digits) -----------------------------------------

// Digits 21 to 22 when the key is valid, else empty.
std::string ExtrairModeloChaveAcesso(std::string_view AChave);
// Digits 1 to 2; 0 when absent.
int ExtrairUFChaveAcesso(std::string_view AChave);
// Digits 7 to 20.
std::string ExtrairCNPJChaveAcesso(std::string_view AChave);
// Digits 23 to 25; for a valid key of model 59 (whose series is the equipment's serial
// number), digits 23 to 31. 0 when absent.
int ExtrairSerieChaveAcesso(std::string_view AChave);
// Digits 36 to 43; for a valid key of model 59, digits 38 to 43. 0 when absent.
int ExtrairCodigoChaveAcesso(std::string_view AChave);
// Digit 35; 0 for a valid key of model 59 (which has no emission type).
int ExtrairTipoEmissaoChaveAcesso(std::string_view AChave);
// The last digit; 0 for a key without digits.
int ExtrairDigitoChaveAcesso(std::string_view AChave);

} // namespace dfe

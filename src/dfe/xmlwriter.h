#pragma once
// The XML writer every document writer stands on. The document is built by appending to
// one string: wGrupo opens and closes groups, wCampo writes one leaf from a value, its
// field kind, its length limits and whether it is required. A value that breaks a rule
// never raises: it becomes a line in ListaDeAlertas, worded by the options' template, and
// a writer reports success when that list stays empty. The generator also keeps the path
// of the open groups, which the alert lines show.
//
// Lengths and positions count characters (code points), not bytes.

#include "dfe/codes_settings.h"
#include "rtl/classes.h"
#include "rtl/stringlist.h"
#include "rtl/variant.h"

#include <bitset>
#include <string>
#include <string_view>

namespace dfe {

class TGeradorOpcoes : public rtl::TPersistent {
public:
    TGeradorOpcoes() = default;
    TGeradorOpcoes(const TGeradorOpcoes &) = default;
    TGeradorOpcoes &operator=(const TGeradorOpcoes &) = default;

    std::string ClassName() const override;

    // The separator written in decimal fields.
    char32_t DecimalChar = U'.';
    // Check and alert only: leaves are not written.
    bool SomenteValidar = false;
    // Each tag on its own line, indented by TamanhoIdentacao blanks per level.
    bool IdentarXML = false;
    // Runs of blanks in text values become one blank.
    bool RetirarEspacos = true;
    // Accents are removed from text values.
    bool RetirarAcentos = true;
    // The current indentation depth; wGrupo moves it.
    int NivelIdentacao = 0;
    int TamanhoIdentacao = 3;
    // A whole decimal value is written without decimals.
    bool SuprimirDecimais = false;
    // A required empty leaf is written "<x/>" rather than "<x></x>".
    bool TagVaziaNoFormatoResumido = true;
    // The template of an alert line; see wAlerta for its placeholders.
    std::string FormatoAlerta = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";
    // Replaces each line break inside a text value; empty removes the breaks.
    std::string QuebraLinha;
};

class TGerador : public rtl::TPersistent {
public:
    TGerador() = default;
    TGerador(const TGerador &) = default;
    TGerador &operator=(const TGerador &) = default;
    TGerador(TGerador &&) = default;
    TGerador &operator=(TGerador &&) = default;

    std::string ClassName() const override;

    // Starts a document: empties the XML and TXT texts and the alerts, and resets the
    // group path, IDNivel and the indentation level. Prefixo, the ignore lists and the
    // other options stay as they are; the text's buffer is kept for the next document.
    void Iniciar();

    const std::string &ArquivoFormatoXML() const noexcept { return FArquivoFormatoXML; }
    // Makes room for a document of about `tamanho` bytes, so that the text is not moved
    // to a larger block again and again as the document grows.
    void ReservarArquivoFormatoXML(std::size_t tamanho) { FArquivoFormatoXML.reserve(tamanho); }
    // Replaces the XML written so far. Emptying it also empties the group path, so the
    // next document's alerts do not show the previous document's groups.
    void SetArquivoFormatoXML(std::string value);
    // The TXT image of the document. This system has no TXT layout, so it stays empty.
    const std::string &ArquivoFormatoTXT() const noexcept { return FArquivoFormatoTXT; }

    rtl::TStringList &ListaDeAlertas() noexcept { return FListaDeAlertas; }
    const rtl::TStringList &ListaDeAlertas() const noexcept { return FListaDeAlertas; }

    TGeradorOpcoes &Opcoes() noexcept { return FOpcoes; }
    const TGeradorOpcoes &Opcoes() const noexcept { return FOpcoes; }

    // Put in front of every tag name.
    const std::string &Prefixo() const noexcept { return FPrefixo; }
    void SetPrefixo(std::string value) { FPrefixo = std::move(value); }

    // The path of the open groups, each as "<" + its opening text + ">".
    const std::string &TagNivel() const noexcept { return FTagNivel; }
    void SetTagNivel(std::string value) { FTagNivel = std::move(value); }

    // "|a|b|" lists of tag beginnings: groups whose tag begins with an item stay out of
    // the path (IgnorarTagNivel), or move the indentation one level back
    // (IgnorarTagIdentacao). Openings that carry attributes belong in IgnorarTagNivel:
    // their closing cannot find them in the path.
    const std::string &IgnorarTagNivel() const noexcept { return FIgnorarTagNivel; }
    void SetIgnorarTagNivel(std::string value);
    const std::string &IgnorarTagIdentacao() const noexcept { return FIgnorarTagIdentacao; }
    void SetIgnorarTagIdentacao(std::string value);

    // The upper-cased identifier last given to wGrupo.
    const std::string &IDNivel() const noexcept { return FIDNivel; }

    // Opens a group, or closes it when TAG begins with '/'. TAG is written as given, so
    // it may carry attributes ('infNFe versao="4.00"'), be a declaration ('?xml ...?') or
    // end in '/' for an empty element.
    void wGrupo(std::string_view TAG, std::string_view ID = "", bool Identar = true);

    // Writes one leaf. A negative ocorrencias does nothing; 1 makes the leaf required
    // (written even when empty); 0 leaves an empty value out. ID identifies the field in
    // the layout and appears only in alerts. Dates, times and Booleans that cannot be
    // converted raise rtl::EVariantTypeCastError; every other problem is an alert.
    void wCampo(TpcnTipoCampo Tipo, std::string_view ID, std::string_view TAG, int min, int max,
                int ocorrencias, const rtl::Variant &valor, std::string_view Descricao = "",
                bool ParseTextoXML = true, std::string_view Atributo = "");

    // wCampo for a value that is a text, read where it lies instead of copied into a
    // Variant: the same leaf and the same alerts.
    void wCampoTexto(TpcnTipoCampo Tipo, std::string_view ID, std::string_view TAG, int min,
                     int max, int ocorrencias, std::string_view texto,
                     std::string_view Descricao = "", bool ParseTextoXML = true);

    // A CPF (up to 11 digits) or CNPJ leaf from the digits of the value, with its checks.
    // PreencheZeros fills a CPF to 11 digits and a CNPJ to 14.
    void wCampoCNPJCPF(std::string_view ID1, std::string_view ID2, std::string_view CNPJCPF,
                       bool obrigatorio = true, bool PreencheZeros = true);
    // A CNPJ (CPF) leaf checked when cPais is Brazil (1058); for any other country an
    // empty leaf is written.
    void wCampoCNPJ(std::string_view ID, std::string_view CNPJ, int cPais, bool obrigatorio);
    void wCampoCPF(std::string_view ID, std::string_view CPF, int cPais, bool obrigatorio);

    // Adds an alert line from FormatoAlerta: %TAGNIVEL% becomes the group path, then
    // %TAG%, %ID%, %MSG% and %DESCRICAO% (trimmed) are replaced in that order. A blank
    // Alerta adds nothing.
    void wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                 std::string_view Alerta);

    // Appends text unchanged: envelopes and blocks another generator wrote.
    void wTexto(std::string_view Texto) { addStringArquivoXML(Texto); }
    void addStringArquivoXML(std::string_view Value) { FArquivoFormatoXML.append(Value); }

    // Writes the XML (fgXML) or TXT (fgTXT) text to the file as one line followed by CR LF,
    // in the ANSI code page. File errors escape; otherwise returns true.
    bool SalvarArquivo(const std::string &CaminhoArquivo, TpcnFormatoGravacao FormatoGravacao = fgXML);

    // Finishes the TXT image; without a layout there is nothing to finish.
    void gtAjustarRegistros(std::string_view ID);

private:
    // The leaf's tag with the prefix in front; `comPrefixo` holds it when there is one.
    std::string_view NomeDaFolha(std::string_view TAG, std::string &comPrefixo) const;
    // The content of a text kind (tcStr, tcStrOrig, tcNumStr, tcEsp) and whether it is
    // empty, with tcEsp's alert for a text that is no number.
    void ConteudoDeTexto(TpcnTipoCampo Tipo, std::string_view id, std::string_view nome, int min,
                         std::string_view texto, std::string_view Descricao,
                         std::string &conteudo, bool &vazio);
    // The size alerts and the leaf itself. The alert shows the value as given: `valor`
    // when there is one, else `texto`.
    void EscreverFolha(std::string_view id, std::string_view nome, int min, int max,
                       int ocorrencias, std::string_view conteudo, bool vazio,
                       const rtl::Variant *valor, std::string_view texto,
                       std::string_view Descricao, bool ParseTextoXML, std::string_view Atributo);
    void gtNivel(std::string_view ID);
    void AtualizarTagNivel(std::string_view nome);
    void EscreverIdentacao();

    std::string FArquivoFormatoXML;
    std::string FArquivoFormatoTXT;
    rtl::TStringList FListaDeAlertas;
    std::string FTagNivel;
    std::string FIDNivel;
    TGeradorOpcoes FOpcoes;
    std::string FPrefixo;
    std::string FIgnorarTagNivel;
    std::string FIgnorarTagIdentacao;
    // The first bytes of the two lists' items (see Iniciais in the source).
    std::bitset<256> FIniciaisIgnorarTagNivel;
    std::bitset<256> FIniciaisIgnorarTagIdentacao;
};

} // namespace dfe

#pragma once
// The XML leaf reader every document reader stands on. It builds no tree: it keeps the
// whole document as one text and finds groups and leaves by searching for the texts of
// their opening and closing tags. A reader extracts a group into a numbered level, then
// reads the leaves and attributes of the current group, converting each leaf by a field
// kind. Which tag lives under which group is the document reader's knowledge, not ours.
//
// The document is held once. Levels and the current group are views into it (or into a
// text a caller assigned to Grupo), so extracting a group and reading its leaves copies
// nothing but the values handed back. The buffers are immutable and shared: replacing
// Arquivo leaves the levels pointing at the text they were cut from, as they would if
// each kept its own copy. Each buffer gets, on its first search, an index of where its
// tags open (dfe/xmlreader_index.h); groups and leaves are then found by lookups in it
// instead of scans, with the same answers.

#include "dfe/codes_settings.h"
#include "rtl/classes.h"
#include "rtl/variant.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {
class TStream;
}

namespace dfe {

class IndiceDeTags;

class TLeitor : public rtl::TPersistent {
public:
    TLeitor();
    ~TLeitor() override;
    // A copy shares the immutable texts and has its own levels and current group.
    TLeitor(const TLeitor &) = default;
    TLeitor &operator=(const TLeitor &) = default;
    TLeitor(TLeitor &&) noexcept = default;
    TLeitor &operator=(TLeitor &&) noexcept = default;

    std::string ClassName() const override { return "TLeitor"; }

    // The whole document. The reader never changes it; a new one replaces it.
    const std::string &Arquivo() const;
    void SetArquivo(std::string Arquivo);
    // Makes Parte the whole document, as SetArquivo(std::string(Parte)) does. A Parte lying
    // inside Arquivo, or inside the text Arquivo was itself cut from this way, is searched
    // through the index of that text, which the new document keeps alive: cutting the
    // pieces of one document one after the other, and then the whole again, indexes the
    // document once.
    void SetArquivoDeParte(std::string_view Parte);
    // Makes Outro's document this reader's document, sharing its text and its index.
    void SetArquivoDe(const TLeitor &Outro) { FArquivo = Outro.FArquivo; }

    // The group rCampo, rCampoCNPJCPF and rAtributo search. The view stays valid until
    // the next rExtrai, SetGrupo or SetArquivo call.
    std::string_view Grupo() const { return FGrupo.texto; }
    // A text lying inside Arquivo (Grupo := Arquivo, or a piece of it) becomes a view of
    // the document; any other text is copied once.
    void SetGrupo(std::string_view Grupo);

    // Loads the file through a string list: a UTF-8 or UTF-16 signature selects that
    // encoding, otherwise the ANSI code page; the lines are joined with CR LF, the last
    // one included. The run-time's file errors escape. Always True.
    bool CarregarArquivo(const std::string &CaminhoArquivo);
    // The whole stream's bytes, decoded by the same signature rule (lines untouched).
    bool CarregarArquivo(rtl::TStream &Stream);

    // Cuts the item-th group closed by TagFim (TagInicio when TagFim is blank) out of
    // the group last extracted at level nivel - 1 (level 0 is the whole document), makes
    // it level nivel and Grupo, and returns it. Tags match case-sensitively; the opening
    // is "<TagInicio" followed by '>', else ' ', else ':', and must lie before the first
    // closing after the skipped groups. Not found: an empty result, an empty Grupo, and
    // level nivel keeps its previous group. A level outside 1..10 raises
    // rtl::EListError. The view stays valid as long as Grupo's does.
    std::string_view rExtrai(int nivel, std::string_view TagInicio, std::string_view TagFim = {},
                             int item = 1);

    // Reads the leaf TAG of Grupo (case-insensitive for ASCII letters) and converts it by
    // Tipo. A stop tag that opens before TAG makes the leaf absent: TAG then belongs to
    // the later subgroup the stop tag opens. Absent or empty: "" for the text kinds, the
    // integer 0 for the numeric and date kinds. Text kinds give text; tcInt a 32-bit
    // integer; the decimal kinds, tcDatHor and tcDatHorCFe a double (the date-time's
    // number); tcDat, tcHor, tcDatCFe, tcHorCFe and tcDatVcto a date-time. tcBoolStr,
    // tcStrOrig and tcNumStr always raise rtl::Exception; a date or time part that is not
    // a number, or a date or time that does not exist, raises rtl::EConvertError.
    rtl::Variant rCampo(TpcnTipoCampo Tipo, std::string_view TAG,
                        std::string_view TAGparada = {}) const;

    // The CNPJ leaf as text, or the CPF leaf when the CNPJ is blank.
    std::string rCampoCNPJCPF(std::string_view TAGparada = {}) const;

    // The unescaped value of the attribute Atributo in Grupo, searched case-sensitively;
    // when Tag occurs after the first match, the first match from Tag on. Empty when
    // absent or unquoted. Never raises.
    std::string rAtributo(std::string_view Atributo, std::string_view Tag = {}) const;

    // 1-based code-point position of the last SubStr in S; 0 when absent or SubStr is
    // empty. The general toolbox's util::PosLast, offered where readers look for it.
    static int PosLast(std::string_view SubStr, std::string_view S);

private:
    // An immutable text and the index of its tags, built on the first search.
    struct Texto;

    // A piece of an immutable text, with the text kept alive as long as the piece.
    struct Trecho {
        std::shared_ptr<const Texto> dono;
        std::string_view texto;
    };

    // Where the last item walk at a level stopped: after `pulados` closings `fecha` of
    // the parent text `pai`, at byte `posicao`. The next item of the same walk starts
    // from there instead of counting the closings again from the parent's start, which
    // keeps reading n repeated groups linear when a tag cannot be looked up in the index.
    // The parent is immutable and kept alive here, so a match on its address and size
    // is a match on its text.
    struct Salto {
        std::shared_ptr<const Texto> dono;
        std::string_view pai;
        std::string fecha;
        int pulados = 0;
        std::size_t posicao = 0;
    };

    static constexpr int NiveisMaximos = 10;

    // A group as offsets [comeco, fim) in its parent's text; comeco is npos when absent.
    struct Limites {
        std::size_t comeco;
        std::size_t fim;
    };
    Limites GrupoPorBusca(int nivel, const Trecho &pai, std::string_view inicio,
                          std::string_view fim, int item);
    // Offsets in the whole buffer; nullopt when the index cannot answer for the tags.
    static std::optional<Limites> GrupoPeloIndice(const IndiceDeTags &indice, std::size_t de,
                                                  std::size_t ate, std::string_view inicio,
                                                  std::string_view fim, int item);

    // The offset in pai.texto after its (item - 1)-th closing `fecha`; npos when the
    // parent holds fewer.
    std::size_t Saltar(int nivel, const Trecho &pai, const std::string &fecha, int item);

    std::shared_ptr<const Texto> FArquivo;
    Trecho FGrupo;
    std::array<Trecho, NiveisMaximos + 1> FNivel;
    std::array<Salto, NiveisMaximos + 1> FSaltos;
};

// The zone a date-time leaf states after its time, which the tcDatHor conversion drops
// (the number keeps the clock time the document shows): "-02:00" of
// "2018-11-05T10:00:00-02:00", a fraction of a second before it skipped, and "+00:00" for a
// final "Z". "" when the leaf states none, or something that is no zone (a sign, hours 00
// to 14, ':', minutes 00 to 59).
std::string FusoDaDataHora(std::string_view valor);

} // namespace dfe

#pragma once
// The document readers' leaf accessors: one short call per leaf of the current group,
// typed by the model field that receives it, and the messages of conversion errors that
// name the field and its value.

#include "dfe/codes_settings.h"
#include "dfe/xmlreader.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"

#include <string>
#include <string_view>

namespace dfe::leitura {

// A value as an error message quotes it: between quotes, and cut after a few dozen
// characters so that a huge value still makes a message one can read.
std::string Citar(std::string_view valor);

// Gives a conversion error a message that names the field (`onde`, "na tag <dhEmi>") and
// its value, keeping the error's class: the run-time's own text ("Invalid argument to date
// encode") tells the user neither which field nor which value is wrong.
void Explicar(rtl::Exception &erro, std::string_view motivo, std::string_view onde,
              std::string_view valor);

// The text as an integer by the run-time's strict conversion: an empty text, or one that
// is not an integer, raises rtl::EConvertError with a message naming the field (`onde`,
// "no atributo nItem do item 3") and the text.
int Inteiro(std::string_view texto, std::string_view onde);

// The QR Code text of a document's supplement as its leaf reads: the CDATA opener and
// closer go, the first of each only, so a section left inside the content stays text.
std::string SemCDATA(std::string texto);

class Campos {
public:
    explicit Campos(const dfe::TLeitor &Leitor) : L(Leitor) {}

    // Unescaped text.
    std::string Str(std::string_view Tag) const { return L.rCampo(dfe::tcStr, Tag).AsString(); }
    // Raw text, as written.
    std::string Esp(std::string_view Tag) const { return L.rCampo(dfe::tcEsp, Tag).AsString(); }
    // The leaf's digits as an integer.
    int Int(std::string_view Tag) const { return L.rCampo(dfe::tcInt, Tag).AsInteger(); }
    // A decimal leaf into a four-place amount; a number beyond the amount's range raises
    // rtl::EVariantTypeCastError.
    rtl::Currency Cur(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDe2) const
    {
        try {
            return L.rCampo(Tipo, Tag).AsCurrency();
        } catch (rtl::Exception &e) {
            Explicar(e, "Valor fora do limite", Tag);
            throw;
        }
    }
    double Dbl(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDe10) const
    {
        return L.rCampo(Tipo, Tag).AsDouble();
    }
    // A date, date-time or time leaf; the zero date when absent. A malformed or
    // impossible one raises rtl::EConvertError.
    rtl::TDateTime Data(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDat) const
    {
        try {
            return L.rCampo(Tipo, Tag).AsDateTime();
        } catch (rtl::Exception &e) {
            Explicar(e, "Conteúdo inválido", Tag);
            throw;
        }
    }
    // A date-time leaf (tcDatHor) as Data reads it, and into Fuso the zone it states
    // ("-02:00"; "" when it states none). A model keeps that zone next to the date-time, so
    // that its writer states the instant the document stated instead of the clock time
    // with whatever zone the machine or the settings give.
    rtl::TDateTime DataHora(std::string_view Tag, std::string &Fuso) const
    {
        const rtl::TDateTime valor = Data(Tag, dfe::tcDatHor);
        Fuso = dfe::FusoDaDataHora(Esp(Tag));
        return valor;
    }
    // The leaf read by kind Tipo and turned into its text, for a code table that is keyed
    // by the number's decimal text ("04" read as an integer is "4").
    std::string Texto(std::string_view Tag, dfe::TpcnTipoCampo Tipo) const
    {
        return L.rCampo(Tipo, Tag).AsString();
    }
    std::string CNPJCPF() const { return L.rCampoCNPJCPF(); }

    // A code-table conversion whose ok flag nobody reads.
    template <class F>
    static auto Codigo(F Conversao, std::string_view Texto)
    {
        bool ok = false;
        return Conversao(ok, Texto);
    }

private:
    void Explicar(rtl::Exception &e, std::string_view motivo, std::string_view Tag) const
    {
        leitura::Explicar(e, motivo, "na tag <" + std::string(Tag) + ">", Esp(Tag));
    }

    const dfe::TLeitor &L;
};

// The leaf Tag of the current group as an integer, by Inteiro, naming the tag in its error.
inline int InteiroDaTag(const Campos &c, std::string_view Tag)
{
    return Inteiro(c.Str(Tag), "na tag <" + std::string(Tag) + ">");
}

} // namespace dfe::leitura

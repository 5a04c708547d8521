#pragma once
// The reader's leaf accessors: one short call per leaf of the current group, typed by the
// model field that receives it. Internal to the NF-e reader.

#include "dfe/pcnconversao_settings.h"
#include "dfe/pcnleitor.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <string>
#include <string_view>

namespace nfe::leitura {

class Campos {
public:
    explicit Campos(const dfe::TLeitor &Leitor) : L(Leitor) {}

    // Unescaped text.
    std::string Str(std::string_view Tag) const { return L.rCampo(dfe::tcStr, Tag).AsString(); }
    // Raw text, as written.
    std::string Esp(std::string_view Tag) const { return L.rCampo(dfe::tcEsp, Tag).AsString(); }
    // The leaf's digits as an integer.
    int Int(std::string_view Tag) const { return L.rCampo(dfe::tcInt, Tag).AsInteger(); }
    // A decimal leaf into a four-place amount.
    rtl::Currency Cur(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDe2) const
    {
        return L.rCampo(Tipo, Tag).AsCurrency();
    }
    double Dbl(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDe10) const
    {
        return L.rCampo(Tipo, Tag).AsDouble();
    }
    // A date, date-time or time leaf; the zero date when absent.
    rtl::TDateTime Data(std::string_view Tag, dfe::TpcnTipoCampo Tipo = dfe::tcDat) const
    {
        return L.rCampo(Tipo, Tag).AsDateTime();
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
    const dfe::TLeitor &L;
};

} // namespace nfe::leitura

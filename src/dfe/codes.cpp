#include "dfe/codes.h"

#include "rtl/text.h"

#include <algorithm>

namespace dfe {

namespace {

bool HoldsInteger(const rtl::Variant &v)
{
    return v.VarType() == rtl::Variant::varInteger || v.VarType() == rtl::Variant::varInt64;
}

bool SameOrdinal(const rtl::Variant &a, const rtl::Variant &b)
{
    if (HoldsInteger(a) && HoldsInteger(b))
        return a.AsInt64() == b.AsInt64();
    return a == b;
}

std::vector<TStrToTpEventoDFe> &Registry()
{
    static std::vector<TStrToTpEventoDFe> registry;
    return registry;
}

} // namespace

rtl::Variant StrToEnumerado(bool &ok, std::string_view s, std::span<const std::string_view> AString,
                            std::span<const rtl::Variant> AEnumerados)
{
    const std::size_t n = std::min(AString.size(), AEnumerados.size());
    const auto i = LastMatchingEntry(n, [&](std::size_t k) { return rtl::SameText(s, AString[k]); });
    ok = i >= 0;
    if (ok)
        return AEnumerados[i];
    return AEnumerados.empty() ? rtl::Variant() : AEnumerados[0];
}

rtl::Variant EnumeradoToStr(const rtl::Variant &t, std::span<const std::string_view> AString,
                            std::span<const rtl::Variant> AEnumerados)
{
    const std::size_t n = std::min(AString.size(), AEnumerados.size());
    const auto i = LastMatchingEntry(n, [&](std::size_t k) { return SameOrdinal(t, AEnumerados[k]); });
    return rtl::Variant(i < 0 ? std::string() : std::string(AString[i]));
}

rtl::Variant EnumeradoToStr2(const rtl::Variant &t, std::span<const std::string_view> AString)
{
    const long long ordinal = t.AsInt64();
    if (ordinal < 0 || static_cast<unsigned long long>(ordinal) >= AString.size())
        return rtl::Variant(std::string());
    return rtl::Variant(std::string(AString[static_cast<std::size_t>(ordinal)]));
}

const std::array<std::string_view, 27> DFeUF = {
    "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
    "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO",
};

const std::array<int, 27> DFeUFCodigo = {
    12, 27, 16, 13, 29, 23, 53, 32, 52, 21, 51, 50, 31, 15,
    25, 41, 26, 22, 33, 24, 43, 11, 14, 42, 35, 28, 17,
};

std::string CUFtoUF(int CUF)
{
    const auto it = std::find(DFeUFCodigo.begin(), DFeUFCodigo.end(), CUF);
    if (it == DFeUFCodigo.end())
        return {};
    return std::string(DFeUF[static_cast<std::size_t>(it - DFeUFCodigo.begin())]);
}

void RegisterStrToTpEventoDFe(TStrToTpEvento AConvertProcedure, std::string_view ADFe)
{
    if (AConvertProcedure == nullptr)
        return;
    std::string name = rtl::UpperCase(ADFe);
    auto &registry = Registry();
    const bool known = std::any_of(registry.begin(), registry.end(),
                                   [&](const TStrToTpEventoDFe &entry) { return entry.NomeDFe == name; });
    if (!known)
        registry.push_back({AConvertProcedure, std::move(name)});
}

TpcnTpEvento StrToTpEventoDFe(bool &ok, std::string_view s, std::string_view aDFe)
{
    const std::string name = rtl::UpperCase(aDFe);
    TpcnTpEvento result = teNaoMapeado;
    for (const auto &entry : Registry())
        if (entry.NomeDFe == name)
            result = entry.StrToTpEventoMethod(ok, s);
    return result;
}

const std::vector<TStrToTpEventoDFe> &StrToTpEventoDFeList() { return Registry(); }

} // namespace dfe

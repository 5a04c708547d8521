#pragma once
// Cutting the items of a document (its det elements) out of its text, shared by the
// readers whose items are read one element at a time: the piece of the text that holds
// the items, and the items of that piece one after the other, each pass starting where
// the previous one ended so that reading n items stays linear.

#include <cstddef>
#include <string_view>

namespace dfe::itens {

inline constexpr std::string_view AberturaItem = "<det nItem=";
inline constexpr std::string_view FechamentoItem = "</det>";

// The piece of the document that holds the items: from the first item's opening to the
// totals. Empty when the document has no totals, or the totals come first.
inline std::string_view TrechoDosItens(std::string_view documento)
{
    constexpr auto npos = std::string_view::npos;
    const std::size_t inicio = documento.find(AberturaItem);
    const std::size_t fim = documento.find("<total");
    if (inicio == npos || fim == npos || fim <= inicio)
        return {};
    return documento.substr(inicio, fim - inicio);
}

// The next item of itens from offset `de`: its opening through the end of its first
// closing. Sets `depois` past the item. Empty when no complete item is left.
inline std::string_view ProximoItem(std::string_view itens, std::size_t de, std::size_t &depois)
{
    constexpr auto npos = std::string_view::npos;
    const std::size_t inicio = itens.find(AberturaItem, de);
    if (inicio == npos)
        return {};
    const std::size_t fecha = itens.find(FechamentoItem, inicio);
    if (fecha == npos)
        return {};
    depois = fecha + FechamentoItem.size();
    return itens.substr(inicio, depois - inicio);
}

} // namespace dfe::itens

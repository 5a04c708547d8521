#include "cte/dacte/layout_texto.h"

#include <cctype>

namespace cte {

std::string QuebrasDeLinha(std::string_view texto)
{
    std::string saida;
    saida.reserve(texto.size());
    const auto marcador = [&texto](std::size_t pos, std::string_view m) {
        if (texto.size() - pos < m.size())
            return false;
        for (std::size_t i = 0; i < m.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(texto[pos + i])) != m[i])
                return false;
        return true;
    };
    std::size_t pos = 0;
    while (pos < texto.size()) {
        if (marcador(pos, "&LT;BR&GT;")) {
            saida += "\r\n";
            pos += 10;
        } else if (marcador(pos, "<BR>")) {
            saida += "\r\n";
            pos += 4;
        } else {
            saida += texto[pos++];
        }
    }
    return saida;
}

int ContarLinhas(std::string_view texto)
{
    if (texto.empty())
        return 0;
    int linhas = 1;
    for (std::size_t pos = texto.find("\r\n"); pos != std::string_view::npos; pos = texto.find("\r\n", pos + 2))
        ++linhas;
    return linhas;
}

} // namespace cte

#include "dfe/municipios.h"

#include "rtl/files.h"
#include "rtl/text.h"
#include "util/encoding.h"

#include <functional>

namespace dfe {

namespace {

struct Municipio {
    int codigo = 0;
    std::string_view uf;
    std::string_view nome;
};

// Calls achou for each well-formed line until it answers true. False when the table
// cannot be read or no line answered true.
bool Percorrer(std::string_view Pasta, const std::function<bool(const Municipio &)> &achou)
{
    std::string bytes;
    try {
        std::string caminho = rtl::Trim(Pasta);
        if (!caminho.empty())
            caminho = rtl::IncludeTrailingPathDelimiter(caminho);
        bytes = rtl::ReadFileBytes(caminho + std::string(ArquivoMunicipios));
    } catch (...) {
        // A missing or unreadable table means "not found", as the writers expect.
        return false;
    }
    std::string_view resto = bytes;
    while (!resto.empty()) {
        const std::size_t fim = resto.find('\n');
        std::string_view linha = resto.substr(0, fim);
        resto = fim == std::string_view::npos ? std::string_view() : resto.substr(fim + 1);
        const std::size_t a = linha.find(';');
        const std::size_t b = a == std::string_view::npos ? a : linha.find(';', a + 1);
        if (b == std::string_view::npos)
            continue;
        Municipio m;
        if (!rtl::TryStrToInt(rtl::TrimView(linha.substr(0, a)), m.codigo))
            continue;
        m.uf = rtl::TrimView(linha.substr(a + 1, b - a - 1));
        m.nome = rtl::TrimView(linha.substr(b + 1));
        if (achou(m))
            return true;
    }
    return false;
}

std::string Chave(std::string_view nome)
{
    return rtl::UpperCase(rtl::Trim(util::TiraAcentos(nome)));
}

} // namespace

int ObterCodigoMunicipio(std::string_view xMun, std::string_view xUF, std::string_view Pasta)
{
    const std::string procurado = Chave(xMun);
    if (procurado.empty())
        return 0;
    int codigo = 0;
    Percorrer(Pasta, [&](const Municipio &m) {
        if (!rtl::SameText(m.uf, rtl::TrimView(xUF)) || Chave(m.nome) != procurado)
            return false;
        codigo = m.codigo;
        return true;
    });
    return codigo;
}

std::string ObterNomeMunicipio(std::string_view xUF, int cMun, std::string_view Pasta)
{
    std::string nome;
    Percorrer(Pasta, [&](const Municipio &m) {
        if (m.codigo != cMun || !rtl::SameText(m.uf, rtl::TrimView(xUF)))
            return false;
        nome = std::string(m.nome);
        return true;
    });
    return nome;
}

} // namespace dfe

#include "dfe/xmlreader_campos.h"

#include "rtl/text.h"

namespace dfe::leitura {

std::string Citar(std::string_view valor)
{
    constexpr int Maximo = 40;
    if (rtl::Length(valor) <= Maximo)
        return "\"" + std::string(valor) + "\"";
    return "\"" + rtl::Copy(valor, 1, Maximo) + "...\"";
}

void Explicar(rtl::Exception &erro, std::string_view motivo, std::string_view onde,
              std::string_view valor)
{
    std::string mensagem(motivo);
    mensagem.append(" ").append(onde).append(": ").append(Citar(valor));
    erro.SetMessage(std::move(mensagem));
}

int Inteiro(std::string_view texto, std::string_view onde)
{
    try {
        return rtl::StrToInt(texto);
    } catch (rtl::Exception &e) {
        Explicar(e, "Conteúdo inválido", onde, texto);
        throw;
    }
}

std::string SemCDATA(std::string texto)
{
    for (const std::string_view marca : {std::string_view("<![CDATA["), std::string_view("]]>")})
        if (const std::size_t p = texto.find(marca); p != std::string::npos)
            texto.erase(p, marca.size());
    return texto;
}

} // namespace dfe::leitura

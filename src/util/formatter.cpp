#include "util/formatter.h"

#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>

namespace util {

std::string FormatarCPF(std::string_view AValue)
{
    const std::string d = PadLeft(OnlyNumber(AValue), 11, '0');
    std::string result;
    result.reserve(14);
    result.append(d, 0, 3).append(1, '.').append(d, 3, 3).append(1, '.');
    result.append(d, 6, 3).append(1, '-').append(d, 9, 2);
    return result;
}

std::string FormatarCNPJ(std::string_view AValue)
{
    const std::string d = PadLeft(OnlyNumber(AValue), 14, '0');
    std::string result;
    result.reserve(18);
    result.append(d, 0, 2).append(1, '.').append(d, 2, 3).append(1, '.');
    result.append(d, 5, 3).append(1, '/').append(d, 8, 4).append(1, '-').append(d, 12, 2);
    return result;
}

std::string FormatarCNPJouCPF(std::string_view AValue)
{
    const std::string digitos = OnlyNumber(AValue);
    if (digitos.empty())
        return {};
    if (digitos.size() == 14)
        return FormatarCNPJ(digitos);
    return FormatarCPF(digitos);
}

std::string FormatarCEP(std::string_view AValue)
{
    std::string d = OnlyNumber(AValue);
    if (d.size() < 5)
        d = PadLeft(d, 5, '0');
    if (d.size() == 5)
        d += "000";
    else
        d = PadLeft(d, 8, '0');
    std::string result;
    result.reserve(9);
    result.append(d, 0, 5).append(1, '-').append(d, 5, 3);
    return result;
}

std::string FormatarCEP(int AValue)
{
    return FormatarCEP(rtl::IntToStr(AValue));
}

std::string FormatarPlaca(std::string_view AValue)
{
    const std::string placa = rtl::AnsiUpperCase(rtl::Trim(AValue));
    return rtl::Copy(placa, 1, 3) + "-" + rtl::Copy(placa, 4, 4);
}

std::string FormatarFone(std::string_view AValue, std::string_view DDDPadrao)
{
    std::string digitos = OnlyNumber(AValue);
    const bool comecaComZero = !digitos.empty() && digitos.front() == '0';
    digitos = RemoveZerosEsquerda(digitos);
    if (digitos.empty() || digitos == "0")
        return {};

    if (digitos.size() <= 9 && !DDDPadrao.empty())
        digitos.insert(0, rtl::Copy(DDDPadrao, 1, 2));

    if (digitos.size() > 12) {
        const std::size_t primeiro = digitos.find_first_not_of('0', 2);
        digitos.erase(2, (primeiro == std::string::npos ? digitos.size() : primeiro) - 2);
    }

    std::string_view mascara;
    switch (digitos.size()) {
    case 9:
        mascara = "*****-****";
        break;
    case 10:
        // A free-call number (0800, 0300...) keeps its own grouping.
        if (comecaComZero && digitos.compare(1, 2, "00") == 0)
            mascara = "****-***-****";
        else
            mascara = "(**)****-****";
        break;
    case 11:
        mascara = "(**)*****-****";
        break;
    case 12:
        mascara = "+**(**)****-****";
        break;
    default:
        mascara = digitos.size() > 12 ? "+**(**)*****-****" : "****-****";
        break;
    }
    return FormatarMascaraNumerica(digitos, mascara);
}

std::string FormatarMascaraNumerica(std::string_view ANumValue, std::string_view Mascara)
{
    const std::u32string valor = rtl::ToUcs4(rtl::Trim(ANumValue));
    const std::u32string mascara = rtl::ToUcs4(Mascara);
    std::u32string result(mascara.size(), U'0');

    auto proximo = valor.rbegin();
    auto saida = result.rbegin();
    for (auto it = mascara.rbegin(); it != mascara.rend(); ++it, ++saida) {
        if (*it != U'*')
            *saida = *it;
        else if (proximo != valor.rend())
            *saida = *proximo++;
    }
    return rtl::FromUcs4(result);
}

} // namespace util

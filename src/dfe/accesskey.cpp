#include "dfe/accesskey.h"

#include "rtl/codecs.h"
#include "rtl/encoding.h"
#include "rtl/random.h"
#include "rtl/text.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <algorithm>
#include <cstdlib>

namespace dfe {

namespace {

// Codes are drawn from 0 to 99999998: the range the authorities accept, less the
// all-nines code which is forbidden anyway.
constexpr int FaixaCodigoDFe = 99999999;

int AnoAtualDoisDigitos()
{
    return rtl::YearOf(rtl::Date()) % 100;
}

// The digits at 1-based position `inicio`, `quantos` of them, as a number; the caller has
// checked they are digits.
int NumeroEm(std::string_view digitos, std::size_t inicio, std::size_t quantos)
{
    int valor = 0;
    for (char c : digitos.substr(inicio - 1, quantos))
        valor = valor * 10 + (c - '0');
    return valor;
}

bool AnoProximo(std::string_view digitos, int tolerancia)
{
    return std::abs(NumeroEm(digitos, 1, 2) - AnoAtualDoisDigitos()) <= tolerancia;
}

bool SoDigitos(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The check digit `digito` equals the modulo-11 digit of `corpo`.
bool DigitoConfere(char digito, std::string_view corpo, int peso, int base)
{
    return util::Modulo11(corpo, peso, base) == std::string_view(&digito, 1);
}

} // namespace

bool ValidarCodigoDFe(int AcDF, int AnDF)
{
    if (AcDF == AnDF)
        return false;
    return std::find(CCodigosDFeInvalidos.begin(), CCodigosDFeInvalidos.end(), AcDF) ==
           CCodigosDFeInvalidos.end();
}

int GerarCodigoDFe(int AnDF)
{
    int codigo = 0;
    do {
        codigo = rtl::Random(FaixaCodigoDFe);
    } while (!ValidarCodigoDFe(codigo, AnDF));
    return codigo;
}

std::string GerarChaveAcesso(int AUF, rtl::TDateTime ADataEmissao, std::string_view ACNPJ,
                             int ASerie, int ANumero, int AtpEmi, int ACodigo, int AModelo)
{
    if (ACodigo == -1 || ACodigo == 0)
        ACodigo = GerarCodigoDFe(ANumero);
    else if (ACodigo < -1)
        ACodigo = 0;

    std::string chave;
    chave.reserve(44);
    chave += util::IntToStrZero(AUF, 2);
    chave += rtl::FormatDateTime("YYMM", ADataEmissao);
    chave += util::PadLeft(util::OnlyNumber(ACNPJ), 14, '0');
    chave += util::IntToStrZero(AModelo, 2);
    chave += util::IntToStrZero(ASerie, 3);
    chave += util::IntToStrZero(ANumero, 9);
    chave += util::IntToStrZero(AtpEmi, 1);
    chave += util::IntToStrZero(ACodigo, 8);
    chave += util::Modulo11(chave, 2, 9);
    return chave;
}

std::string FormatarChaveAcesso(std::string_view AValue)
{
    const std::string digitos = util::OnlyNumber(AValue);
    std::string texto;
    texto.reserve(digitos.size() + digitos.size() / 4);
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            texto += ' ';
        texto += digitos[i];
    }
    return texto;
}

std::string FormatarNumeroDocumentoFiscal(std::string_view AValue)
{
    const std::string numero = util::Poem_Zeros(AValue, 9);
    return rtl::Copy(numero, 1, 3) + '.' + rtl::Copy(numero, 4, 3) + '.' + rtl::Copy(numero, 7, 3);
}

bool ValidaDIDSI(std::string_view AValue)
{
    const std::string digitos = util::OnlyNumber(AValue);
    if (digitos.size() != 11 && digitos.size() != 12)
        return false;
    if (digitos[0] != '2' && digitos[0] != '4')
        return false;
    if (!AnoProximo(std::string_view(digitos).substr(1), 1))
        return false;
    const std::string_view corpo = std::string_view(digitos).substr(0, digitos.size() - 1);
    return DigitoConfere(digitos.back(), corpo, 2, 9);
}

bool ValidaDIRE(std::string_view AValue)
{
    return AValue.size() == 12 && SoDigitos(AValue) && AnoProximo(AValue, 1);
}

bool ValidaRE(std::string_view AValue)
{
    if (AValue.empty() || AValue == "000000000000")
        return true;
    if (AValue.size() != 12 || !SoDigitos(AValue) || !AnoProximo(AValue, 1))
        return false;
    const int sequencia = NumeroEm(AValue, 10, 3);
    return sequencia >= 1 && sequencia <= 999;
}

bool ValidaDrawback(std::string_view AValue)
{
    std::string digitos = util::OnlyNumber(AValue);
    if (digitos.size() == 11)
        digitos.erase(0, 2);
    if (digitos.size() != 9)
        return false;
    if (!AnoProximo(digitos, 2))
        return false;
    return DigitoConfere(digitos[8], std::string_view(digitos).substr(0, 8), 2, 9);
}

bool ValidaRECOPI(std::string_view AValue)
{
    const std::string digitos = util::OnlyNumber(AValue);
    if (digitos.size() != 20)
        return false;
    const std::string_view d(digitos);
    return DigitoConfere(d[18], d.substr(0, 18), 1, 18) &&
           DigitoConfere(d[19], d.substr(0, 19), 1, 19);
}

bool ValidaNVE(std::string_view AValue)
{
    if (AValue.size() != 6)
        return false;
    return util::CharIsAlpha(static_cast<unsigned char>(AValue[0])) &&
           util::CharIsAlpha(static_cast<unsigned char>(AValue[1])) && SoDigitos(AValue.substr(2));
}

bool XmlEstaAssinado(std::string_view AXML)
{
    // Only ASCII letters matter for the tag, so an ASCII lower-casing is enough.
    // The '<' are found by the library's fast byte search; only the name after each one is
    // compared.
    constexpr std::string_view marca = "signature";
    for (std::size_t i = AXML.find('<'); i != std::string_view::npos; i = AXML.find('<', i + 1)) {
        if (AXML.size() - i - 1 < marca.size())
            return false;
        std::size_t k = 0;
        while (k < marca.size()) {
            char c = AXML[i + 1 + k];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != marca[k])
                break;
            ++k;
        }
        if (k == marca.size())
            return true;
    }
    return false;
}

std::string CalcularHashCSRT(std::string_view ACSRT, std::string_view AChave)
{
    std::string texto;
    texto.reserve(ACSRT.size() + AChave.size());
    texto.append(ACSRT).append(AChave);
    return rtl::EncodeBase64(rtl::SHA1(rtl::Utf8ToAnsi(texto)));
}

} // namespace dfe

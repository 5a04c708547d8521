#include "util/validator.h"

#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"

#include <algorithm>
#include <array>

namespace util {

namespace {

// The name each kind goes by in the "não pode ser vazio." message, in enumeration order.
constexpr std::array<std::string_view, docPlacaMercosul + 1> NomesTipoDocto = {
    "CPF",
    "CNPJ",
    "UF",
    "Inscrição Estadual",
    "Número de Cheque",
    "PIS",
    "CEP",
    "Número de Cartão",
    "SUFRAMA",
    "GTIN",
    "Renavam",
    "E-Mail",
    "Carteira Nacional de Habilitação",
    "Prefixo do Código GTIN",
    "CAEPF",
    "Placa",
};

bool TipoDoctoConhecido(TOvixValTipoDocto tipo) noexcept
{
    return static_cast<unsigned>(tipo) < NomesTipoDocto.size();
}

[[noreturn]] void RaiseTipoDoctoInvalido()
{
    throw rtl::Exception(OvixStr("Tipo de documento informado inválido!"));
}

// Ten identical digits repeated make every check digit come out right, so those numbers
// are refused outright.
bool DigitoRepetido(std::string_view digitos) noexcept
{
    return digitos.find_first_not_of(digitos.front()) == std::string_view::npos;
}

char DigitoChar(int digito) noexcept
{
    return static_cast<char>('0' + digito);
}

// The two check digits of a CPF or CNPJ body: the first is weighed over the body, the
// second over the body followed by the first.
std::string DoisDigitos(TOvixCalcDigito &modulo, std::string corpo)
{
    std::string digitos;
    for (int i = 0; i < 2; ++i) {
        modulo.SetDocumento(corpo);
        modulo.Calcular();
        const char digito = DigitoChar(modulo.DigitoFinal());
        corpo += digito;
        digitos += digito;
    }
    return digitos;
}

} // namespace

// ---- TOvixCalcDigito ---------------------------------------------------------------

void TOvixCalcDigito::CalculoPadrao()
{
    FMultIni = 2;
    FMultFim = 9;
    FMultAtu = 0;
    FFormulaDigito = frModulo11;
}

void TOvixCalcDigito::Calcular()
{
    FSomaDigitos = 0;
    FDigitoFinal = 0;
    FModuloFinal = 0;

    const bool crescente = FMultFim >= FMultIni;
    const int menor = crescente ? FMultIni : FMultFim;
    const int maior = crescente ? FMultFim : FMultIni;
    int peso = (FMultAtu >= menor && FMultAtu <= maior) ? FMultAtu : FMultIni;

    const std::u32string docto = rtl::ToUcs4(FDocto);
    for (auto it = docto.rbegin(); it != docto.rend(); ++it) {
        const int digito = rtl::IsAsciiDigit(*it) ? static_cast<int>(*it - '0') : 0;
        int produto = digito * peso;
        if (FFormulaDigito == frModulo10 && produto > 9) {
            // The product's first two digits are added instead (weights up to 9 never
            // give more than two).
            const std::string texto = rtl::IntToStr(produto);
            produto = (texto[0] - '0') + (texto[1] - '0');
        }
        FSomaDigitos += produto;

        if (crescente) {
            if (++peso > FMultFim)
                peso = FMultIni;
        } else {
            if (--peso < FMultFim)
                peso = FMultIni;
        }
    }

    switch (FFormulaDigito) {
    case frModulo11:
        FModuloFinal = FSomaDigitos % 11;
        FDigitoFinal = (FModuloFinal == 0 || FModuloFinal == 1) ? 0 : 11 - FModuloFinal;
        break;
    case frModulo10PIS:
        FModuloFinal = FSomaDigitos % 11;
        FDigitoFinal = 11 - FModuloFinal;
        if (FDigitoFinal > 9)
            FDigitoFinal = 0;
        break;
    case frModulo10:
        FModuloFinal = FSomaDigitos % 10;
        FDigitoFinal = 10 - FModuloFinal;
        if (FDigitoFinal > 9)
            FDigitoFinal = 0;
        break;
    }
}

// ---- TOvixValidador ----------------------------------------------------------------

TOvixValidador::TOvixValidador(rtl::TComponent *AOwner)
    : TOvixComponent(AOwner), FModulo(std::make_unique<TOvixCalcDigito>())
{
}

TOvixValidador::~TOvixValidador() = default;

std::string TOvixValidador::ClassName() const
{
    return "TOvixValidador";
}

void TOvixValidador::SetDocumento(std::string_view value)
{
    if (value == FDocumento)
        return;
    FDocumento = value;
    FMsgErro = "Função Validar não foi chamada";
    FDigitoCalculado.clear();
    FDocto = LimpaDocto(FDocumento);
}

std::string TOvixValidador::MsgErro() const
{
    return OvixStr(FMsgErro);
}

std::string TOvixValidador::LimpaDocto(std::string_view AString) const
{
    if (FTipoDocto == docEmail)
        return rtl::Trim(AString);

    // Kept characters are copied byte for byte, so bytes that are not UTF-8 survive.
    const std::u32string ignorar = rtl::ToUcs4(FIgnorarChar);
    std::string mantidos;
    mantidos.reserve(AString.size());
    std::size_t pos = 0;
    while (pos < AString.size()) {
        const std::size_t inicio = pos;
        const char32_t c = rtl::NextCodePoint(AString, pos);
        if (ignorar.find(c) == std::u32string::npos)
            mantidos.append(AString.substr(inicio, pos - inicio));
    }
    return rtl::Trim(rtl::AnsiUpperCase(mantidos));
}

bool TOvixValidador::Validar()
{
    FMsgErro.clear();
    FDocto = LimpaDocto(FDocumento);
    FDigitoCalculado.clear();

    if (FDocto.empty()) {
        if (!FPermiteVazio) {
            if (!TipoDoctoConhecido(FTipoDocto))
                RaiseTipoDoctoInvalido();
            FMsgErro = std::string(NomesTipoDocto[FTipoDocto]) + " não pode ser vazio.";
        }
    } else {
        switch (FTipoDocto) {
        case docCPF:
            ValidarCPF();
            break;
        case docCNPJ:
            ValidarCNPJ();
            break;
        case docGTIN:
            ValidarGTIN();
            break;
        // These kinds carry no rules in this system: nothing on its way checks them, so
        // any non-empty document of theirs is accepted.
        case docUF:
        case docInscEst:
        case docNumCheque:
        case docPIS:
        case docCEP:
        case docCartaoCredito:
        case docSuframa:
        case docRenavam:
        case docEmail:
        case docCNH:
        case docPrefixoGTIN:
        case docCAEPF:
        case docPlacaMercosul:
            break;
        default:
            RaiseTipoDoctoInvalido();
        }
    }

    if (FMsgErro.empty())
        return true;
    if (FOnMsgErro)
        FOnMsgErro(FMsgErro);
    if (FRaiseExcept)
        throw rtl::Exception(OvixStr(FMsgErro));
    return false;
}

void TOvixValidador::ValidarCPF()
{
    if (FAjustarTamanho)
        FDocto = PadLeft(FDocto, 11, '0');

    if (FDocto.size() != 11 || !StrIsNumber(FDocto)) {
        FMsgErro = "CPF deve ter 11 dígitos. (Apenas números)";
        return;
    }
    if (DigitoRepetido(FDocto)) {
        FMsgErro = "CPF inválido !";
        return;
    }

    TOvixCalcDigito &modulo = *FModulo;
    modulo.SetMultiplicadorInicial(2);
    modulo.SetMultiplicadorFinal(11);
    modulo.SetMultiplicadorAtual(0);
    modulo.SetFormulaDigito(frModulo11);

    FDigitoCalculado = DoisDigitos(modulo, FDocto.substr(0, 9));
    if (FDigitoCalculado != std::string_view(FDocto).substr(9, 2)) {
        FMsgErro = "CPF inválido.";
        if (FExibeDigitoCorreto)
            FMsgErro += ".. Dígito calculado: " + FDigitoCalculado;
    }
}

void TOvixValidador::ValidarCNPJ()
{
    if (FAjustarTamanho)
        FDocto = PadLeft(FDocto, 14, '0');

    if (FDocto.size() != 14 || !StrIsNumber(FDocto)) {
        FMsgErro = "CNPJ deve ter 14 dígitos. (Apenas números)";
        return;
    }
    if (FDocto == "00000000000000") {
        FMsgErro = "CNPJ inválido.";
        return;
    }

    TOvixCalcDigito &modulo = *FModulo;
    modulo.CalculoPadrao();

    FDigitoCalculado = DoisDigitos(modulo, FDocto.substr(0, 12));
    if (FDigitoCalculado != std::string_view(FDocto).substr(12, 2)) {
        FMsgErro = "CNPJ inválido.";
        if (FExibeDigitoCorreto)
            FMsgErro += ".. Digito calculado: " + FDigitoCalculado;
    }
}

void TOvixValidador::ValidarGTIN()
{
    if (!StrIsNumber(FDocto)) {
        FMsgErro = "Código GTIN inválido, o código GTIN deve conter somente números.";
        return;
    }
    const std::size_t tamanho = FDocto.size();
    if (tamanho != 8 && tamanho != 12 && tamanho != 13 && tamanho != 14) {
        FMsgErro = "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres.";
        return;
    }

    // Every length is weighed as a 13-digit body, so the digit next to the check digit
    // always weighs 3.
    const std::string corpo = PadLeft(std::string_view(FDocto).substr(0, tamanho - 1), 13, '0');
    int soma = 0;
    for (std::size_t i = 0; i < corpo.size(); ++i)
        soma += (corpo[i] - '0') * (i % 2 == 0 ? 3 : 1);
    const int digito = (10 - soma % 10) % 10;

    FDigitoCalculado = std::string(1, DigitoChar(digito));
    if (FDocto.back() != FDigitoCalculado.front()) {
        FMsgErro = "Código GTIN inválido.";
        if (FExibeDigitoCorreto)
            FMsgErro += " Dígito calculado: " + FDigitoCalculado;
    }
}

// ---- Free functions ----------------------------------------------------------------

std::string ValidarDocumento(TOvixValTipoDocto TipoDocto, std::string_view Documento,
                             std::string_view Complemento)
{
    auto validador = rtl::TComponent::CreateFree<TOvixValidador>();
    validador->SetRaiseExcept(false);
    validador->SetPermiteVazio(false);
    validador->SetTipoDocto(TipoDocto);
    validador->SetDocumento(Documento);
    validador->SetComplemento(std::string(Complemento));
    return validador->Validar() ? std::string() : validador->MsgErro();
}

std::string ValidarCPF(std::string_view Documento)
{
    return ValidarDocumento(docCPF, Documento);
}

std::string ValidarCNPJ(std::string_view Documento)
{
    return ValidarDocumento(docCNPJ, Documento);
}

std::string ValidarGTIN(std::string_view Documento)
{
    return ValidarDocumento(docGTIN, Documento);
}

std::string ValidarIE(std::string_view AIE, std::string_view AUF)
{
    return ValidarDocumento(docInscEst, AIE, AUF);
}

std::string ValidarPrefixoGTIN(std::string_view Documento)
{
    return ValidarDocumento(docPrefixoGTIN, Documento);
}

std::string ValidarCNPJouCPF(std::string_view Documento)
{
    const auto digitos = std::count_if(Documento.begin(), Documento.end(), [](char c) {
        return CharIsNum(static_cast<unsigned char>(c));
    });
    if (digitos > 11)
        return ValidarCNPJ(Documento);
    return ValidarCPF(Documento);
}

std::string Modulo11(std::string_view Documento, int Peso, int Base)
{
    TOvixCalcDigito modulo;
    modulo.SetMultiplicadorInicial(Peso);
    modulo.SetMultiplicadorFinal(Base);
    modulo.SetMultiplicadorAtual(0);
    modulo.SetFormulaDigito(frModulo11);
    modulo.SetDocumento(std::string(Documento));
    modulo.Calcular();
    return rtl::IntToStr(modulo.DigitoFinal());
}

} // namespace util

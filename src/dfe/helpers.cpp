#include "dfe/helpers.h"

#include "rtl/encoding.h"
#include "rtl/text.h"
#include "util/encoding.h"
#include "util/toolbox.h"
#include "util/validator.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace dfe {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// ---- Data --------------------------------------------------------------------------

struct TUFCodigo {
    int codigo;
    std::string_view uf;
};

// The 27 states. 90 and 91 are read as "DF" as well (CodigoParaUF) but never written.
constexpr std::array<TUFCodigo, 27> Estados{{
    {12, "AC"}, {27, "AL"}, {16, "AP"}, {13, "AM"}, {29, "BA"}, {23, "CE"}, {53, "DF"},
    {32, "ES"}, {52, "GO"}, {21, "MA"}, {51, "MT"}, {50, "MS"}, {31, "MG"}, {15, "PA"},
    {25, "PB"}, {41, "PR"}, {26, "PE"}, {22, "PI"}, {33, "RJ"}, {24, "RN"}, {43, "RS"},
    {11, "RO"}, {14, "RR"}, {42, "SC"}, {35, "SP"}, {28, "SE"}, {17, "TO"},
}};
constexpr std::array<TUFCodigo, 2> CodigosExtrasDF{{{90, "DF"}, {91, "DF"}}};

// Country codes accepted as they are, whether or not their last digit checks.
constexpr std::array<int, 240> PaisesListados{
    132, 7560, 175, 230, 370, 400, 418, 434, 477, 531, 590, 639, 647, 655,
    698, 728, 736, 779, 809, 817, 833, 850, 876, 884, 2291, 906, 973, 981,
    1015, 1058, 1082, 1112, 310, 1155, 1198, 1279, 1457, 1414, 1490, 1511, 1546, 1376,
    1538, 7889, 1589, 1600, 1635, 5118, 7412, 1651, 1694, 1732, 1775, 8885, 1830, 1872,
    1902, 1937, 1961, 1988, 1953, 1996, 2321, 7838, 2356, 2402, 6874, 2445, 2399, 2437,
    2470, 2461, 2453, 2496, 2518, 2534, 2550, 2593, 8702, 2674, 2712, 1619, 2755, 2810,
    2852, 2895, 2917, 2933, 2976, 3018, 3050, 3093, 3131, 3174, 1504, 3379, 3255, 3298,
    3344, 3310, 3417, 3450, 3514, 3557, 3573, 3611, 3654, 3727, 3697, 3751, 3794, 3832,
    3867, 3913, 3999, 1508, 3964, 4030, 4111, 4200, 4235, 4260, 4278, 4316, 4340, 4383,
    4405, 4421, 4456, 4472, 4499, 4502, 4525, 4553, 4588, 4618, 4642, 4677, 3595, 4723,
    4740, 4766, 4774, 4855, 4880, 4936, 930, 4995, 4901, 5053, 4944, 4952, 4979, 4985,
    5010, 5070, 5088, 5177, 5215, 5258, 5282, 5312, 5355, 5380, 5428, 5487, 5568, 5665,
    5738, 5754, 5800, 5452, 5762, 5860, 5894, 5932, 5991, 6033, 6114, 6076, 6238, 6254,
    6289, 6408, 6475, 6602, 6700, 6750, 6769, 6858, 6781, 6777, 6904, 6912, 6971, 7102,
    7153, 6955, 7005, 7056, 7285, 7358, 7370, 7315, 7447, 7480, 7501, 7544, 7595, 7641,
    7676, 7706, 7722, 7765, 7803, 7919, 7820, 7951, 8001, 8109, 8052, 8150, 8206, 8230,
    8249, 8273, 8281, 8311, 8338, 8451, 8478, 5517, 8486, 8508, 8583, 8630, 8664, 8737,
    8907, 6653,
};

// Items of the service list, as item x 100 + subitem.
constexpr std::array<int, 193> ItensListaServico{
    101, 102, 103, 104, 105, 106, 107, 108, 201, 302, 303, 304, 305, 401, 402, 403,
    404, 405, 406, 407, 408, 409, 410, 411, 412, 413, 414, 415, 416, 417, 418, 419,
    420, 421, 422, 423, 501, 502, 503, 504, 505, 506, 507, 508, 509, 601, 602, 603,
    604, 605, 701, 702, 703, 704, 705, 706, 707, 708, 709, 710, 711, 712, 713, 716,
    717, 718, 719, 720, 721, 722, 801, 802, 901, 902, 903, 1001, 1002, 1003, 1004, 1005,
    1006, 1007, 1008, 1009, 1010, 1101, 1102, 1103, 1104, 1201, 1202, 1203, 1204, 1205, 1206, 1207,
    1208, 1209, 1210, 1211, 1212, 1213, 1214, 1215, 1216, 1217, 1302, 1303, 1304, 1305, 1401, 1402,
    1403, 1404, 1405, 1406, 1407, 1408, 1409, 1410, 1411, 1412, 1413, 1501, 1502, 1503, 1504, 1505,
    1506, 1507, 1508, 1509, 1510, 1511, 1512, 1513, 1514, 1515, 1516, 1517, 1518, 1601, 1701, 1702,
    1703, 1704, 1705, 1706, 1708, 1709, 1710, 1711, 1712, 1713, 1714, 1715, 1716, 1717, 1718, 1719,
    1720, 1721, 1722, 1723, 1724, 1801, 1901, 2001, 2002, 2003, 2101, 2201, 2301, 2401, 2501, 2502,
    2503, 2504, 2601, 2701, 2801, 2901, 3001, 3101, 3201, 3301, 3401, 3501, 3601, 3701, 3801, 3901,
    4001,
};

// Official municipality codes whose last digit does not follow the check-digit rule.
constexpr std::array<std::string_view, 9> MunicipiosExcecao{
    "2201919", "2202251", "2201988", "2611533", "3117836",
    "3152131", "4305871", "5203939", "5203962",
};

template <std::size_t N>
constexpr std::array<int, N> Ordenado(std::array<int, N> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

template <std::size_t N>
constexpr bool SemRepeticao(const std::array<int, N> &sorted)
{
    return std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
}

constexpr auto PaisesOrdenados = Ordenado(PaisesListados);
constexpr auto ServicosOrdenados = Ordenado(ItensListaServico);
static_assert(SemRepeticao(PaisesOrdenados) && SemRepeticao(ServicosOrdenados));

// The access key's check-digit weights, one per digit of the first 43.
constexpr std::string_view PesosChave = "4329876543298765432987654329876543298765432";
static_assert(PesosChave.size() == 43);

// ---- Helpers -----------------------------------------------------------------------

int ValorDigito(char c)
{
    return c - '0';
}

// Characters first..last (1-based) of an ASCII text; shorter when the text ends first.
std::string_view Trecho(std::string_view ascii, std::size_t first, std::size_t last)
{
    if (first > ascii.size())
        return {};
    return ascii.substr(first - 1, last - first + 1);
}

// The number a text of ASCII digits stands for (at most nine of them); 0 when empty.
int ValorDecimal(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + ValorDigito(c);
    return value;
}

bool EhModelo59(std::string_view AChave)
{
    return ExtrairModeloChaveAcesso(AChave) == "59";
}

constexpr bool EhHexa(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr int ValorHexa(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Decodes a hexadecimal reference "&#x...;" starting at text[at] into out; returns its
// length in bytes, or 0 (and leaves out alone) when it is not a well-formed reference to
// a character.
std::size_t DecodificarReferenciaHexa(std::string_view text, std::size_t at, std::string &out)
{
    constexpr std::string_view Inicio = "&#x";
    if (text.substr(at, Inicio.size()) != Inicio)
        return 0;
    std::size_t pos = at + Inicio.size();
    char32_t cp = 0;
    const std::size_t firstDigit = pos;
    while (pos < text.size() && EhHexa(text[pos])) {
        cp = cp * 16 + ValorHexa(text[pos]);
        if (cp > 0x10FFFF)
            return 0;
        ++pos;
    }
    if (pos == firstDigit || pos >= text.size() || text[pos] != ';')
        return 0;
    if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    std::string character;
    rtl::AppendUtf8(character, cp);
    out += rtl::HeldInAnsi(character);
    return pos + 1 - at;
}

// Length of the named or numeric escape at text[at] (a '&'), with its character appended
// to out; 0 when there is none there.
std::size_t DecodificarEntidade(std::string_view text, std::size_t at, std::string &out)
{
    struct TEntidade {
        std::string_view codigo;
        char caractere;
    };
    // All five predefined XML entities: the whole-document decoding at load time leaves
    // them for this one, so none of them may survive into a value.
    static constexpr TEntidade Entidades[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&apos;", '\''},
    };
    const std::string_view rest = text.substr(at);
    for (const auto &entidade : Entidades)
        if (rest.starts_with(entidade.codigo)) {
            out += entidade.caractere;
            return entidade.codigo.size();
        }
    return DecodificarReferenciaHexa(text, at, out);
}

// Every run of blanks made one blank, in place.
void UnirBrancos(std::string &text)
{
    const auto end = std::unique(text.begin(), text.end(),
                                 [](char a, char b) { return a == ' ' && b == ' '; });
    text.erase(end, text.end());
}

// ---- Text and dates ----------------------------------------------------------------

// True when no step of FiltrarTextoXML changes the text: printable ASCII that needs no
// escape, no blank at either end, and no run of blanks to join. Most values written are
// such plain text, and the steps would copy each of them five times.
bool FiltroNaoMuda(std::string_view texto, bool RetirarEspacos)
{
    if (!texto.empty() && (texto.front() == ' ' || texto.back() == ' '))
        return false;
    char anterior = 0;
    for (const char c : texto) {
        if (c < ' ' || c > '~' || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'')
            return false;
        if (RetirarEspacos && c == ' ' && anterior == ' ')
            return false;
        anterior = c;
    }
    return true;
}

} // namespace

std::string FiltrarTextoXML(bool RetirarEspacos, std::string_view aTexto, bool RetirarAcentos,
                            bool SubstituirQuebrasLinha, std::string_view QuebraLinha)
{
    if (FiltroNaoMuda(aTexto, RetirarEspacos))
        return std::string(aTexto);
    // TiraAcentos already yields ASCII, which reads the same in the ANSI code page.
    const std::string ansi =
        RetirarAcentos ? util::TiraAcentos(aTexto) : rtl::Utf8ToAnsi(aTexto);
    std::string text = util::ParseText(ansi, false);
    if (RetirarEspacos)
        UnirBrancos(text);
    if (SubstituirQuebrasLinha)
        text = util::ChangeLineBreak(text, QuebraLinha);
    return rtl::Trim(text);
}

void AcrescentarTextoXML(std::string &destino, bool RetirarEspacos, std::string_view aTexto,
                         bool RetirarAcentos, bool SubstituirQuebrasLinha,
                         std::string_view QuebraLinha)
{
    if (FiltroNaoMuda(aTexto, RetirarEspacos))
        destino.append(aTexto);
    else
        destino += FiltrarTextoXML(RetirarEspacos, aTexto, RetirarAcentos, SubstituirQuebrasLinha,
                                   QuebraLinha);
}

std::string ReverterFiltroTextoXML(std::string_view aTexto)
{
    constexpr std::string_view AbreCDATA = "<![CDATA[";
    constexpr std::string_view FechaCDATA = "]]>";

    std::string text;
    text.reserve(aTexto.size());
    if (const std::size_t abre = aTexto.find(AbreCDATA); abre != npos) {
        // The section's content is taken literally: nothing in it is an escape.
        text.append(aTexto.substr(0, abre));
        const std::string_view rest = aTexto.substr(abre + AbreCDATA.size());
        const std::size_t fecha = rest.find(FechaCDATA);
        if (fecha == npos) {
            text.append(rest);
        } else {
            text.append(rest.substr(0, fecha));
            text.append(rest.substr(fecha + FechaCDATA.size()));
        }
        return rtl::Trim(text);
    }

    // One pass from left to right: what a decoding produces is never read again, so an
    // escaped escape stays an escape and escaped markup never turns into markup.
    std::size_t pos = 0;
    while (pos < aTexto.size()) {
        const std::size_t amp = aTexto.find('&', pos);
        if (amp == npos) {
            text.append(aTexto.substr(pos));
            break;
        }
        text.append(aTexto.substr(pos, amp - pos));
        if (const std::size_t length = DecodificarEntidade(aTexto, amp, text); length > 0) {
            pos = amp + length;
        } else {
            text += '&';
            pos = amp + 1;
        }
    }
    return rtl::Trim(text);
}

std::string DateTimeTodh(rtl::TDateTime DataHora)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    rtl::DecodeDateTime(DataHora, year, month, day, hour, minute, second, msec);
    std::string text;
    text.reserve(19);
    text += IntToStrZero(year, 4);
    text += '-';
    text += IntToStrZero(month, 2);
    text += '-';
    text += IntToStrZero(day, 2);
    text += 'T';
    text += IntToStrZero(hour, 2);
    text += ':';
    text += IntToStrZero(minute, 2);
    text += ':';
    text += IntToStrZero(second, 2);
    return text;
}

std::string IntToStrZero(int Numero, int tamanho)
{
    if (tamanho <= 0)
        return {};
    std::string text(static_cast<std::size_t>(tamanho), '0');
    text += rtl::IntToStr(Numero);
    return text.substr(text.size() - static_cast<std::size_t>(tamanho));
}

std::string ExecutarAjusteTagNro(bool Corrigir, std::string_view Nro)
{
    std::string text = rtl::Trim(Nro);
    if (Corrigir && util::StrIsNumber(text) && text.size() < 3)
        text.insert(0, 3 - text.size(), '0');
    return text;
}

rtl::Variant IIf(bool condicao, const rtl::Variant &Verdadeiro, const rtl::Variant &Falso)
{
    return condicao ? Verdadeiro : Falso;
}

bool SubStrEmSubStr(std::string_view SubStr1, std::string_view SubStr2)
{
    std::size_t open = SubStr2.find('|');
    while (open != npos) {
        const std::size_t close = SubStr2.find('|', open + 1);
        if (close == npos)
            break;
        const std::string_view item = SubStr2.substr(open + 1, close - open - 1);
        if (!item.empty() && SubStr1.starts_with(item))
            return true;
        open = close;
    }
    return false;
}

int RetornarPosEx(std::string_view SubStr, std::string_view S, int Offset)
{
    return rtl::PosEx(SubStr, S, Offset);
}

// ---- State codes -------------------------------------------------------------------

std::string CodigoParaUF(int codigo)
{
    for (const auto &estado : Estados)
        if (estado.codigo == codigo)
            return std::string(estado.uf);
    for (const auto &extra : CodigosExtrasDF)
        if (extra.codigo == codigo)
            return std::string(extra.uf);
    return {};
}

int UFparaCodigo(std::string_view UF)
{
    for (const auto &estado : Estados)
        if (estado.uf == UF)
            return estado.codigo;
    return 0; // unknown, or "EX", which has no code
}

bool ValidarCodigoUF(int Codigo)
{
    return !CodigoParaUF(Codigo).empty();
}

bool ValidarUF(std::string_view UF)
{
    // Each abbreviation is two letters; matching a whole item (rather than any dotted
    // stretch of the list) keeps "AC.AL" from passing.
    return UF == "EX" || UFparaCodigo(UF) != 0;
}

// ---- Identifier and code checks ----------------------------------------------------

bool GerarDigito(int &Digito, std::string_view chave)
{
    const std::string digits = util::OnlyNumber(chave);
    Digito = 0;
    if (digits.size() < PesosChave.size())
        return false;
    int soma = 0;
    for (std::size_t i = 0; i < PesosChave.size(); ++i)
        soma += ValorDigito(digits[i]) * ValorDigito(PesosChave[i]);
    const int resto = soma % 11;
    Digito = resto <= 1 ? 0 : 11 - resto;
    return digits.size() == PesosChave.size();
}

bool ValidarChave(std::string_view chave)
{
    const std::string digits = util::OnlyNumber(chave);
    if (digits.size() != 44)
        return false;
    int digito = 0;
    if (!GerarDigito(digito, std::string_view(digits).substr(0, 43)) ||
        digito != ValorDigito(digits[43]))
        return false;
    if (!ValidarCodigoUF(ValorDecimal(Trecho(digits, 1, 2))) ||
        !ValidarAAMM(Trecho(digits, 3, 6)))
        return false;
    // Series 920 to 969 are issued by individuals: the key carries a CPF, zero-filled.
    const int serie = ValorDecimal(Trecho(digits, 23, 25));
    if (serie >= 920 && serie <= 969)
        return ValidarCPF(Trecho(digits, 10, 20));
    return ValidarCNPJ(Trecho(digits, 7, 20));
}

bool ValidarAAMM(std::string_view AAMM)
{
    if (AAMM.size() != 4 || !util::StrIsNumber(AAMM))
        return false;
    const int mes = ValorDecimal(AAMM.substr(2, 2));
    return mes >= 1 && mes <= 12;
}

bool ValidarCNPJ(std::string_view numero)
{
    return util::ValidarCNPJ(numero).empty();
}

bool ValidarCPF(std::string_view numero)
{
    return util::ValidarCPF(numero).empty();
}

bool ValidarGTIN(std::string_view numero)
{
    return util::ValidarGTIN(numero).empty();
}

bool ValidarPrefixoGTIN(std::string_view numero)
{
    return util::ValidarPrefixoGTIN(numero).empty();
}

bool ValidarCNPJouCPF(std::string_view numero)
{
    return util::ValidarCNPJouCPF(numero).empty();
}

bool ValidarIE(std::string_view IE, std::string_view UF)
{
    // The per-state registration rules are outside this system: the utilities' validator
    // accepts any registration that is not empty, and the writers only ask under an
    // option the viewer never sets.
    return util::ValidarIE(IE, UF).empty();
}

bool ValidarNumeros(std::string_view s)
{
    return util::StrIsNumber(s);
}

bool ValidarMod(int modelo, double versao)
{
    return modelo == 1 || (versao >= 4.00 && modelo == 2);
}

int ValidarCodigoPais(int iPais)
{
    // A negative number is no code, even when its last four characters are digits.
    if (iPais < 0)
        return -1;
    const std::string codigo = IntToStrZero(iPais, 4);
    if (std::ranges::binary_search(PaisesOrdenados, ValorDecimal(codigo)))
        return 1;
    const int soma =
        ValorDigito(codigo[0]) * 4 + ValorDigito(codigo[1]) * 3 + ValorDigito(codigo[2]) * 2;
    const int resto = soma % 11;
    const int esperado = resto <= 1 ? 0 : 11 - resto;
    return esperado == ValorDigito(codigo[3]) ? 0 : -1;
}

bool ValidarCListServ(int cListServ)
{
    return std::ranges::binary_search(ServicosOrdenados, cListServ);
}

bool ValidarMunicipio(int Municipio)
{
    if (Municipio == 9999999)
        return true;
    const std::string codigo = rtl::IntToStr(Municipio);

    // A code that starts like one of the exceptions is judged by the list alone.
    const std::string_view prefixo = std::string_view(codigo).substr(0, 6);
    const auto comecaIgual = [&](std::string_view excecao) {
        return excecao.starts_with(prefixo);
    };
    if (std::any_of(MunicipiosExcecao.begin(), MunicipiosExcecao.end(), comecaIgual))
        return std::find(MunicipiosExcecao.begin(), MunicipiosExcecao.end(), codigo) !=
               MunicipiosExcecao.end();

    if (codigo.size() != static_cast<std::size_t>(TAMANHO) || !util::StrIsNumber(codigo))
        return false;
    if (!ValidarCodigoUF(ValorDecimal(Trecho(codigo, 1, 2))) || Trecho(codigo, 3, 6) == "0000")
        return false;

    static constexpr int Pesos[TAMANHO] = {1, 2, 1, 2, 1, 2, 0};
    int soma = 0;
    for (int i = 0; i < TAMANHO; ++i) {
        const int produto = ValorDigito(codigo[static_cast<std::size_t>(i)]) * Pesos[i];
        soma += produto >= 10 ? produto / 10 + produto % 10 : produto;
    }
    const int resto = soma % 10;
    const int esperado = resto == 0 ? 0 : 10 - resto;
    return esperado == ValorDigito(codigo[TAMANHO - 1]);
}

bool ValidarISUF(std::string_view ISUF)
{
    const std::string digits = util::OnlyNumber(ISUF);
    if (digits.size() < 9)
        return false;
    int soma = 0;
    for (int i = 1; i <= 9; ++i)
        soma += ValorDigito(digits[static_cast<std::size_t>(i - 1)]) * (10 - i);
    int esperado = 11 - soma % 11;
    if (esperado > 9)
        esperado = 0;
    return esperado == ValorDigito(digits[8]);
}

// ---- Pieces of an access key -------------------------------------------------------

std::string ExtrairModeloChaveAcesso(std::string_view AChave)
{
    if (!ValidarChave(AChave))
        return {};
    return std::string(Trecho(util::OnlyNumber(AChave), 21, 22));
}

int ExtrairUFChaveAcesso(std::string_view AChave)
{
    return ValorDecimal(Trecho(util::OnlyNumber(AChave), 1, 2));
}

std::string ExtrairCNPJChaveAcesso(std::string_view AChave)
{
    return std::string(Trecho(util::OnlyNumber(AChave), 7, 20));
}

int ExtrairSerieChaveAcesso(std::string_view AChave)
{
    const std::string digits = util::OnlyNumber(AChave);
    return ValorDecimal(EhModelo59(AChave) ? Trecho(digits, 23, 31) : Trecho(digits, 23, 25));
}

int ExtrairCodigoChaveAcesso(std::string_view AChave)
{
    const std::string digits = util::OnlyNumber(AChave);
    return ValorDecimal(EhModelo59(AChave) ? Trecho(digits, 38, 43) : Trecho(digits, 36, 43));
}

int ExtrairTipoEmissaoChaveAcesso(std::string_view AChave)
{
    if (EhModelo59(AChave))
        return 0;
    return ValorDecimal(Trecho(util::OnlyNumber(AChave), 35, 35));
}

int ExtrairDigitoChaveAcesso(std::string_view AChave)
{
    const std::string digits = util::OnlyNumber(AChave);
    return digits.empty() ? 0 : ValorDigito(digits.back());
}

} // namespace dfe

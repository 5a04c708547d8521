#include "dfe/xmlwriter.h"

#include "dfe/helpers.h"
#include "rtl/datetime.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdio>

namespace dfe {

namespace {

constexpr std::string_view ConteudoInvalido = "Conteúdo inválido";

bool Ascii(std::string_view s) noexcept
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length in characters; an ASCII text's is its size.
int Tamanho(std::string_view s)
{
    return Ascii(s) ? static_cast<int>(s.size()) : rtl::Length(s);
}

// The text zero-filled on the left to `tamanho` characters; a number keeps its minus sign
// in front of the zeros.
std::string PreencherZeros(std::string texto, int tamanho)
{
    const int falta = tamanho - Tamanho(texto);
    if (falta <= 0)
        return texto;
    const std::size_t inicio = (!texto.empty() && texto[0] == '-') ? 1 : 0;
    texto.insert(inicio, static_cast<std::size_t>(falta), '0');
    return texto;
}

void AcrescentarDigitos(std::string &out, int valor, int largura)
{
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%0*d", largura, valor);
    out.append(buffer, static_cast<std::size_t>(n));
}

int CasasDecimais(TpcnTipoCampo tipo)
{
    switch (tipo) {
    case tcDe2: return 2;
    case tcDe3: return 3;
    case tcDe4: return 4;
    case tcDe6: return 6;
    case tcDe8: return 8;
    case tcDe10: return 10;
    default: return 0;
    }
}

// util::FloatMask(casas, false) for the decimal kinds (at most ten places), without
// building the mask again for every leaf.
std::string_view MascaraDecimal(int casas)
{
    constexpr std::string_view Zeros = "0.0000000000";
    return Zeros.substr(0, 2 + static_cast<std::size_t>(casas));
}

std::string Utf8Of(char32_t c)
{
    std::string text;
    rtl::AppendUtf8(text, c);
    return text;
}


// The (up to ten) characters of a formatted number after its first `casas` decimals:
// rtl::Copy(conteudo, Pos(separador, conteudo) + casas + 1, 10). For ASCII, characters
// are bytes, which spares counting them.
std::string CasasAlem(std::string_view conteudo, char32_t separador, int casas)
{
    if (separador < 0x80 && Ascii(conteudo)) {
        const std::size_t achado = conteudo.find(static_cast<char>(separador));
        const std::size_t depois = (achado == std::string_view::npos ? 0 : achado + 1) +
                                   static_cast<std::size_t>(casas);
        if (depois >= conteudo.size())
            return {};
        return std::string(conteudo.substr(depois, 10));
    }
    const int posicao = rtl::Pos(Utf8Of(separador), conteudo);
    return rtl::Copy(conteudo, posicao + casas + 1, 10);
}

// The first bytes of the items of a "|a|b|" list, so that a tag no item can begin is
// passed over without reading the list.
std::bitset<256> Iniciais(std::string_view lista)
{
    std::bitset<256> iniciais;
    for (std::size_t abre = lista.find('|'); abre != std::string_view::npos;) {
        const std::size_t fecha = lista.find('|', abre + 1);
        if (fecha == std::string_view::npos)
            break;
        if (fecha > abre + 1)
            iniciais.set(static_cast<unsigned char>(lista[abre + 1]));
        abre = fecha;
    }
    return iniciais;
}

bool Ignorado(std::string_view nome, std::string_view lista, const std::bitset<256> &iniciais)
{
    return !nome.empty() && iniciais.test(static_cast<unsigned char>(nome.front())) &&
           SubStrEmSubStr(nome, lista);
}

} // namespace

void TGerador::SetIgnorarTagNivel(std::string value)
{
    FIniciaisIgnorarTagNivel = Iniciais(value);
    FIgnorarTagNivel = std::move(value);
}

void TGerador::SetIgnorarTagIdentacao(std::string value)
{
    FIniciaisIgnorarTagIdentacao = Iniciais(value);
    FIgnorarTagIdentacao = std::move(value);
}

std::string TGeradorOpcoes::ClassName() const
{
    return "TGeradorOpcoes";
}

std::string TGerador::ClassName() const
{
    return "TGerador";
}

void TGerador::Iniciar()
{
    FArquivoFormatoXML.clear();
    FArquivoFormatoTXT.clear();
    FListaDeAlertas.Clear();
    FTagNivel.clear();
    FIDNivel.clear();
    FOpcoes.NivelIdentacao = 0;
}

void TGerador::SetArquivoFormatoXML(std::string value)
{
    if (value.empty()) {
        // clear() keeps the buffer, so the next document grows into it again.
        FArquivoFormatoXML.clear();
        FTagNivel.clear();
        return;
    }
    FArquivoFormatoXML = std::move(value);
}

void TGerador::EscreverIdentacao()
{
    const int blanks = FOpcoes.TamanhoIdentacao * FOpcoes.NivelIdentacao;
    if (blanks > 0)
        FArquivoFormatoXML.append(static_cast<std::size_t>(blanks), ' ');
}

void TGerador::gtNivel(std::string_view ID)
{
    // In place: the identifier changes with every group, and its buffer can be kept.
    FIDNivel.assign(ID);
    for (char &c : FIDNivel)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

void TGerador::gtAjustarRegistros(std::string_view)
{
}

void TGerador::AtualizarTagNivel(std::string_view nome)
{
    if (nome.empty() || nome.front() != '/') {
        FTagNivel += '<';
        FTagNivel += nome;
        FTagNivel += '>';
        return;
    }
    const std::string_view fechado = nome.substr(1);
    if (fechado.starts_with("det")) {
        // The item group's opening carries its number as an attribute, so it cannot be
        // found by name: cut it away together with whatever is still open inside it.
        const std::size_t pos = FTagNivel.find("<det");
        if (pos != std::string::npos)
            FTagNivel.resize(pos);
        return;
    }
    std::string abertura;
    abertura.reserve(fechado.size() + 2);
    abertura += '<';
    abertura += fechado;
    abertura += '>';
    const std::size_t pos = FTagNivel.find(abertura);
    if (pos != std::string::npos)
        FTagNivel.erase(pos, abertura.size());
}

void TGerador::wGrupo(std::string_view TAG, std::string_view ID, bool Identar)
{
    const bool fechamento = !TAG.empty() && TAG.front() == '/';
    std::string nome;
    nome.reserve(FPrefixo.size() + TAG.size());
    if (fechamento) {
        nome += '/';
        nome += FPrefixo;
        nome.append(TAG.substr(1));
    } else {
        nome += FPrefixo;
        nome.append(TAG);
    }

    gtNivel(ID);

    if (!Ignorado(nome, FIgnorarTagNivel, FIniciaisIgnorarTagNivel))
        AtualizarTagNivel(nome);

    if (fechamento && Identar)
        --FOpcoes.NivelIdentacao;
    if (Ignorado(nome, FIgnorarTagIdentacao, FIniciaisIgnorarTagIdentacao))
        --FOpcoes.NivelIdentacao;

    if (FOpcoes.IdentarXML)
        EscreverIdentacao();
    FArquivoFormatoXML += '<';
    FArquivoFormatoXML += nome;
    FArquivoFormatoXML += '>';
    if (FOpcoes.IdentarXML)
        FArquivoFormatoXML += "\r\n";

    if (!fechamento && Identar)
        ++FOpcoes.NivelIdentacao;
}

void TGerador::wCampo(TpcnTipoCampo Tipo, std::string_view ID, std::string_view TAG, int min,
                      int max, int ocorrencias, const rtl::Variant &valor,
                      std::string_view Descricao, bool ParseTextoXML, std::string_view Atributo)
{
    if (ocorrencias < 0)
        return;

    const std::string_view id = rtl::TrimView(ID);
    std::string comPrefixo;
    const std::string_view nome = NomeDaFolha(TAG, comPrefixo);

    std::string conteudo;
    bool vazio = false;

    switch (Tipo) {
    case tcStr:
    case tcStrOrig:
    case tcNumStr:
    case tcEsp:
        ConteudoDeTexto(Tipo, id, nome, min, valor.AsString(), Descricao, conteudo, vazio);
        break;

    case tcInt: {
        int numero = 0;
        try {
            numero = valor.AsInteger();
        } catch (const rtl::Exception &) {
            numero = 0;
        }
        conteudo = PreencherZeros(rtl::IntToStr(numero), min);
        vazio = numero == 0 && ocorrencias == 0;
        break;
    }

    case tcDe2:
    case tcDe3:
    case tcDe4:
    case tcDe6:
    case tcDe8:
    case tcDe10: {
        const int casas = CasasDecimais(Tipo);
        double numero = 0;
        bool convertido = true;
        try {
            numero = valor.AsDouble();
        } catch (const rtl::Exception &) {
            numero = 0;
            convertido = false;
        }
        conteudo = convertido
                       ? util::FloatToString(numero, FOpcoes.DecimalChar, MascaraDecimal(casas))
                       : std::string("0.00");
        vazio = numero == 0 && ocorrencias == 0;

        if (!FOpcoes.SuprimirDecimais) {
            // Room for the separator.
            ++min;
            ++max;
        }
        long long excedente = 0;
        if (rtl::TryStrToInt64(CasasAlem(conteudo, FOpcoes.DecimalChar, casas), excedente) &&
            excedente > 0)
            wAlerta(id, nome, Descricao,
                    "Numero máximo de casas decimais permitidas " + rtl::IntToStr(casas));
        if (FOpcoes.SuprimirDecimais && std::isfinite(numero) && std::trunc(numero) == numero)
            conteudo = util::FloatToString(numero, FOpcoes.DecimalChar, "0");
        conteudo = PreencherZeros(std::move(conteudo), min);
        break;
    }

    case tcDat:
    case tcDatCFe:
    case tcDatVcto:
    case tcDatHor:
    case tcDatHorCFe:
    case tcHor:
    case tcHorCFe: {
        const rtl::TDateTime dataHora = valor.AsDateTime();
        int ano = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0, ms = 0;
        rtl::DecodeDateTime(dataHora, ano, mes, dia, hora, minuto, segundo, ms);
        const bool dataVazia = ano == 1899 && mes == 12 && dia == 30;
        const bool horaVazia = hora == 0 && minuto == 0 && segundo == 0;
        conteudo.reserve(19);
        switch (Tipo) {
        case tcDat:
        case tcDatHor:
            AcrescentarDigitos(conteudo, ano, 4);
            conteudo += '-';
            AcrescentarDigitos(conteudo, mes, 2);
            conteudo += '-';
            AcrescentarDigitos(conteudo, dia, 2);
            if (Tipo == tcDatHor) {
                conteudo += 'T';
                AcrescentarDigitos(conteudo, hora, 2);
                conteudo += ':';
                AcrescentarDigitos(conteudo, minuto, 2);
                conteudo += ':';
                AcrescentarDigitos(conteudo, segundo, 2);
            }
            vazio = dataVazia;
            break;
        case tcDatCFe:
        case tcDatHorCFe:
            AcrescentarDigitos(conteudo, ano, 4);
            AcrescentarDigitos(conteudo, mes, 2);
            AcrescentarDigitos(conteudo, dia, 2);
            if (Tipo == tcDatHorCFe) {
                AcrescentarDigitos(conteudo, hora, 2);
                AcrescentarDigitos(conteudo, minuto, 2);
                AcrescentarDigitos(conteudo, segundo, 2);
            }
            vazio = dataVazia;
            break;
        case tcDatVcto:
            AcrescentarDigitos(conteudo, dia, 2);
            conteudo += '/';
            AcrescentarDigitos(conteudo, mes, 2);
            conteudo += '/';
            AcrescentarDigitos(conteudo, ano, 4);
            vazio = dataVazia;
            break;
        case tcHor:
        case tcHorCFe: {
            const char *separador = Tipo == tcHor ? ":" : "";
            AcrescentarDigitos(conteudo, hora, 2);
            conteudo += separador;
            AcrescentarDigitos(conteudo, minuto, 2);
            conteudo += separador;
            AcrescentarDigitos(conteudo, segundo, 2);
            vazio = horaVazia;
            break;
        }
        default:
            break;
        }
        break;
    }

    case tcBoolStr:
        conteudo = valor.AsBoolean() ? "true" : "false";
        break;
    }

    EscreverFolha(id, nome, min, max, ocorrencias, conteudo, vazio, &valor, {}, Descricao,
                  ParseTextoXML, Atributo);
}

std::string_view TGerador::NomeDaFolha(std::string_view TAG, std::string &comPrefixo) const
{
    const std::string_view nome = rtl::TrimView(TAG);
    if (FPrefixo.empty())
        return nome;
    comPrefixo = FPrefixo + std::string(nome);
    return comPrefixo;
}

void TGerador::ConteudoDeTexto(TpcnTipoCampo Tipo, std::string_view id, std::string_view nome,
                               int min, std::string_view texto, std::string_view Descricao,
                               std::string &conteudo, bool &vazio)
{
    switch (Tipo) {
    case tcStrOrig:
        conteudo = texto;
        vazio = conteudo.empty();
        break;
    case tcNumStr:
        conteudo = rtl::TrimView(texto);
        vazio = conteudo.empty();
        if (rtl::Length(conteudo) < min)
            conteudo = util::PadLeft(conteudo, min, '0');
        break;
    case tcEsp:
        vazio = texto.empty();
        conteudo = rtl::TrimView(texto);
        if (!util::StrIsNumber(conteudo))
            wAlerta(id, nome, Descricao, ConteudoInvalido);
        break;
    default: // tcStr
        conteudo = rtl::TrimView(texto);
        vazio = conteudo.empty();
        break;
    }
}

void TGerador::wCampoTexto(TpcnTipoCampo Tipo, std::string_view ID, std::string_view TAG, int min,
                           int max, int ocorrencias, std::string_view texto,
                           std::string_view Descricao, bool ParseTextoXML)
{
    if (Tipo != tcStr && Tipo != tcStrOrig && Tipo != tcNumStr && Tipo != tcEsp) {
        wCampo(Tipo, ID, TAG, min, max, ocorrencias, std::string(texto), Descricao, ParseTextoXML);
        return;
    }
    if (ocorrencias < 0)
        return;
    const std::string_view id = rtl::TrimView(ID);
    std::string comPrefixo;
    const std::string_view nome = NomeDaFolha(TAG, comPrefixo);
    std::string conteudo;
    bool vazio = false;
    ConteudoDeTexto(Tipo, id, nome, min, texto, Descricao, conteudo, vazio);
    EscreverFolha(id, nome, min, max, ocorrencias, conteudo, vazio, nullptr, texto, Descricao,
                  ParseTextoXML, {});
}

void TGerador::EscreverFolha(std::string_view id, std::string_view nome, int min, int max,
                             int ocorrencias, std::string_view conteudo, bool vazio,
                             const rtl::Variant *valor, std::string_view texto,
                             std::string_view Descricao, bool ParseTextoXML,
                             std::string_view Atributo)
{
    // At most one size alert; a value too long wins over the others.
    std::string alerta;
    const int tamanho = Tamanho(conteudo);
    if (ocorrencias == 1 && vazio && min > 0)
        alerta = "Nenhum valor informado";
    else if (!conteudo.empty() && tamanho < min)
        alerta = "Tamanho menor que o mínimo permitido";
    if (tamanho > max)
        alerta = "Tamanho maior que o máximo permitido";
    if (!alerta.empty()) {
        if (alerta != "Nenhum valor informado" && !vazio) {
            alerta += " [";
            if (valor)
                alerta += valor->AsString();
            else
                alerta += texto;
            alerta += ']';
        }
        wAlerta(id, nome, Descricao, alerta);
    }

    if (FOpcoes.SomenteValidar)
        return;

    const bool obrigatorio = ocorrencias == 1;
    if (!obrigatorio && vazio)
        return;

    if (FOpcoes.IdentarXML)
        EscreverIdentacao();
    FArquivoFormatoXML += '<';
    FArquivoFormatoXML += nome;
    const std::string_view atributo = rtl::TrimView(Atributo);
    if (!atributo.empty()) {
        FArquivoFormatoXML += ' ';
        FArquivoFormatoXML += atributo;
    }
    if (vazio) {
        if (FOpcoes.TagVaziaNoFormatoResumido) {
            FArquivoFormatoXML += "/>";
        } else {
            FArquivoFormatoXML += "></";
            FArquivoFormatoXML += nome;
            FArquivoFormatoXML += '>';
        }
    } else {
        FArquivoFormatoXML += '>';
        if (ParseTextoXML)
            AcrescentarTextoXML(FArquivoFormatoXML, FOpcoes.RetirarEspacos, conteudo,
                                FOpcoes.RetirarAcentos, true, FOpcoes.QuebraLinha);
        else
            FArquivoFormatoXML += conteudo;
        FArquivoFormatoXML += "</";
        FArquivoFormatoXML += nome;
        FArquivoFormatoXML += '>';
    }
    if (FOpcoes.IdentarXML)
        FArquivoFormatoXML += "\r\n";
}

void TGerador::wCampoCNPJCPF(std::string_view ID1, std::string_view ID2,
                             std::string_view CNPJCPF, bool obrigatorio, bool PreencheZeros)
{
    std::string digitos = util::OnlyNumber(rtl::Trim(CNPJCPF));
    int n = rtl::Length(digitos);
    const int ocorrencias = obrigatorio ? 1 : 0;

    if (n >= 1 && n <= 11) {
        if (PreencheZeros && n != 11) {
            digitos = util::PadLeft(digitos, 11, '0');
            n = 11;
        }
        wCampo(tcStr, ID2, "CPF", 0, 11, ocorrencias, digitos);
        if (!ValidarCPF(digitos))
            wAlerta(ID2, "CPF", "CPF", ConteudoInvalido);
    } else {
        if (PreencheZeros && n != 14 && (obrigatorio || n > 0)) {
            digitos = util::PadLeft(digitos, 14, '0');
            n = 14;
        }
        wCampo(tcStr, ID1, "CNPJ", 0, 14, ocorrencias, digitos);
        if (n > 0 && !ValidarCNPJ(digitos))
            wAlerta(ID1, "CNPJ", "CNPJ", ConteudoInvalido);
    }

    if (n != 0 && n != 11 && n != 14) {
        std::string ids(ID1);
        ids += '-';
        ids += ID2;
        wAlerta(ids, "CNPJ-CPF", "CNPJ/CPF", ConteudoInvalido);
    }
}

void TGerador::wCampoCNPJ(std::string_view ID, std::string_view CNPJ, int cPais, bool obrigatorio)
{
    if (cPais != 1058) {
        wCampo(tcStr, ID, "CNPJ", 0, 0, 1, "");
        return;
    }
    const std::string digitos = util::OnlyNumber(rtl::Trim(CNPJ));
    wCampo(tcEsp, ID, "CNPJ", 14, 14, obrigatorio ? 1 : 0, digitos, "CNPJ(MF)");
    if (!ValidarCNPJ(digitos))
        wAlerta(ID, "CNPJ", "CNPJ(MF)", ConteudoInvalido);
}

void TGerador::wCampoCPF(std::string_view ID, std::string_view CPF, int cPais, bool obrigatorio)
{
    if (cPais != 1058) {
        wCampo(tcStr, ID, "CPF", 0, 0, 1, "");
        return;
    }
    const std::string digitos = util::OnlyNumber(rtl::Trim(CPF));
    wCampo(tcEsp, ID, "CPF", 11, 11, obrigatorio ? 1 : 0, digitos, "CPF");
    if (!ValidarCPF(digitos))
        wAlerta(ID, "CPF", "CPF", ConteudoInvalido);
}

void TGerador::wAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                       std::string_view Alerta)
{
    if (rtl::Trim(Alerta).empty())
        return;
    std::string linha =
        rtl::StringReplace(FOpcoes.FormatoAlerta, "%TAGNIVEL%", FTagNivel, rtl::rfReplaceAll);
    linha = rtl::StringReplace(linha, "%TAG%", TAG, rtl::rfReplaceAll);
    linha = rtl::StringReplace(linha, "%ID%", ID, rtl::rfReplaceAll);
    linha = rtl::StringReplace(linha, "%MSG%", Alerta, rtl::rfReplaceAll);
    linha = rtl::StringReplace(linha, "%DESCRICAO%", rtl::Trim(Descricao), rtl::rfReplaceAll);
    FListaDeAlertas.Add(std::move(linha));
}

bool TGerador::SalvarArquivo(const std::string &CaminhoArquivo, TpcnFormatoGravacao FormatoGravacao)
{
    std::string bytes =
        rtl::Utf8ToAnsi(FormatoGravacao == fgTXT ? FArquivoFormatoTXT : FArquivoFormatoXML);
    bytes += "\r\n";
    rtl::WriteFileBytes(CaminhoArquivo, bytes);
    return true;
}

} // namespace dfe

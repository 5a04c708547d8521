#include "dfe/xmlreader.h"

#include "dfe/helpers.h"
#include "dfe/xmlreader_index.h"
#include "rtl/datetime.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/streams.h"
#include "rtl/stringlist.h"
#include "rtl/text.h"
#include "util/toolbox.h"

#include <climits>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>

namespace dfe {

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr char Maiuscula(char c) noexcept
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// True when texto holds, at byte i, the name `nome` (already upper case; ASCII letters
// compared without regard to case, every other byte exactly) followed by '>'.
bool NomeEm(std::string_view texto, std::size_t i, std::string_view nome)
{
    if (texto.size() - i <= nome.size())
        return false;
    for (std::size_t k = 0; k < nome.size(); ++k)
        if (Maiuscula(texto[i + k]) != nome[k])
            return false;
    return texto[i + nome.size()] == '>';
}

// The first "<TAG>", "</TAG>" and "<PARADA>" of a group, as an upper-cased copy of the
// group would show them, found in one pass over the group itself. The index answers the
// same question for the names it files; this scan is for the others (a name holding a
// blank or a colon, or a very long one).
struct Marcas {
    std::size_t abre = npos;
    std::size_t fecha = npos;
    std::size_t parada = npos;
};

Marcas Localizar(std::string_view grupo, std::string_view tag, std::string_view parada)
{
    Marcas m;
    for (std::size_t i = grupo.find('<'); i != npos; i = grupo.find('<', i + 1)) {
        if (m.abre == npos && NomeEm(grupo, i + 1, tag))
            m.abre = i;
        if (m.fecha == npos && i + 1 < grupo.size() && grupo[i + 1] == '/' &&
            NomeEm(grupo, i + 2, tag))
            m.fecha = i;
        if (m.parada == npos && !parada.empty() && NomeEm(grupo, i + 1, parada))
            m.parada = i;
        // With both the opening and the closing found, a later stop tag changes nothing:
        // it would open after the leaf, as an absent one would.
        if (m.abre != npos && m.fecha != npos)
            break;
    }
    return m;
}

// 1-based position with 0 for "absent", so the comparisons between the positions of the
// opening, the closing and the stop tag read as their rules are stated.
constexpr std::size_t Posicao(std::size_t offset) noexcept
{
    return offset == npos ? 0 : offset + 1;
}

std::string Concatenar(std::string_view a, std::string_view b, std::string_view c)
{
    std::string s;
    s.reserve(a.size() + b.size() + c.size());
    s.append(a).append(b).append(c);
    return s;
}

// A part of a date or time: characters indice..indice+tamanho-1, converted strictly.
int Parte(std::string_view valor, int indice, int tamanho)
{
    return rtl::StrToInt(rtl::Copy(valor, indice, tamanho));
}

// Digits only: a sign or a decimal point is dropped, not read ('-12' is 12, '1.5' is 15).
int SomenteDigitos(std::string_view valor)
{
    long long numero = 0;
    for (const char c : valor) {
        if (c < '0' || c > '9')
            continue;
        numero = numero * 10 + (c - '0');
        if (numero > INT_MAX)
            return 0;
    }
    return static_cast<int>(numero);
}

// The parts are converted year first, then month, day, hour, minute and second, so the
// error of a malformed text names the same part whatever the compiler does with the
// order of a call's arguments. A date that exists is checked before the time.
rtl::TDateTime Data(std::string_view valor, int ano, int mes, int dia)
{
    const int a = Parte(valor, ano, 4);
    const int m = Parte(valor, mes, 2);
    const int d = Parte(valor, dia, 2);
    return rtl::EncodeDate(a, m, d);
}

rtl::TDateTime Hora(std::string_view valor, int hora, int minuto, int segundo)
{
    const int h = Parte(valor, hora, 2);
    const int n = Parte(valor, minuto, 2);
    const int s = Parte(valor, segundo, 2);
    return rtl::EncodeTime(h, n, s, 0);
}

rtl::TDateTime DataHora(std::string_view valor, int ano, int mes, int dia, int hora,
                        int minuto, int segundo)
{
    const int a = Parte(valor, ano, 4);
    const int m = Parte(valor, mes, 2);
    const int d = Parte(valor, dia, 2);
    const int h = Parte(valor, hora, 2);
    const int n = Parte(valor, minuto, 2);
    const int s = Parte(valor, segundo, 2);
    rtl::EncodeDate(a, m, d);
    return rtl::EncodeDateTime(a, m, d, h, n, s, 0);
}

// Where the zone of a tcDatHor leaf begins: after the 19 characters of
// "YYYY-MM-DDThh:nn:ss" (or "DD/MM/YYYY hh:nn:ss"), whose parts Converter reads.
constexpr std::size_t FimDaHora = 19;

bool DoisDigitos(std::string_view texto, std::size_t i, int maximo)
{
    const auto digito = [](char c) { return c >= '0' && c <= '9'; };
    return digito(texto[i]) && digito(texto[i + 1]) && (texto[i] - '0') * 10 + (texto[i + 1] - '0') <= maximo;
}

rtl::Variant Converter(TpcnTipoCampo Tipo, std::string_view valor)
{
    switch (Tipo) {
    case tcStr:
        return rtl::Variant(ReverterFiltroTextoXML(valor));
    case tcEsp:
        return rtl::Variant(std::string(valor));
    default:
        break;
    }

    // An empty numeric or date leaf is the integer 0, which every assignment takes as
    // 0, 0.0 or the zero date.
    if (valor.empty())
        return rtl::Variant(0);

    switch (Tipo) {
    case tcInt:
        return rtl::Variant(SomenteDigitos(valor));
    case tcDe2:
    case tcDe3:
    case tcDe4:
    case tcDe6:
    case tcDe8:
    case tcDe10:
        return rtl::Variant(util::StringToFloatDef(valor, 0));
    case tcDat:
        return rtl::Variant::FromDateTime(Data(valor, 1, 6, 9));
    case tcDatHor:
        // The Brazilian order "DD/MM/YYYY hh:nn:ss" is told apart by any '/'.
        if (valor.find('/') != npos)
            return rtl::Variant(DataHora(valor, 7, 4, 1, 12, 15, 18));
        return rtl::Variant(DataHora(valor, 1, 6, 9, 12, 15, 18));
    case tcHor:
        return rtl::Variant::FromDateTime(Hora(valor, 1, 4, 7));
    case tcDatCFe:
        return rtl::Variant::FromDateTime(Data(valor, 1, 5, 7));
    case tcHorCFe:
        return rtl::Variant::FromDateTime(Hora(valor, 1, 3, 5));
    case tcDatVcto:
        return rtl::Variant::FromDateTime(Data(valor, 7, 4, 1));
    case tcDatHorCFe:
        return rtl::Variant(DataHora(valor, 1, 5, 7, 9, 11, 13));
    default:
        // The refused kinds never get here.
        return rtl::Variant(0);
    }
}

bool Dentro(std::string_view parte, const std::string &todo)
{
    const std::less_equal<const char *> ate;
    return ate(todo.data(), parte.data()) && ate(parte.data() + parte.size(), todo.data() + todo.size());
}

} // namespace

std::string FusoDaDataHora(std::string_view valor)
{
    if (valor.size() <= FimDaHora)
        return {};
    std::string_view fuso = valor.substr(FimDaHora);
    if (fuso.front() == '.') {
        std::size_t i = 1;
        while (i < fuso.size() && fuso[i] >= '0' && fuso[i] <= '9')
            ++i;
        fuso.remove_prefix(i);
    }
    if (fuso == "Z")
        return "+00:00";
    if (fuso.size() != 6 || (fuso[0] != '+' && fuso[0] != '-') || fuso[3] != ':' || !DoisDigitos(fuso, 1, 14) ||
        !DoisDigitos(fuso, 4, 59))
        return {};
    return std::string(fuso);
}

// A text cut from another one by SetArquivoDeParte holds the same bytes as a piece of it,
// starting at `deslocamento` in `raiz`, and is searched through raiz's index: a lookup
// clipped to a piece of the copy is the same lookup clipped to that piece of raiz.
struct TLeitor::Texto {
    explicit Texto(std::string Conteudo, std::shared_ptr<const Texto> Raiz = nullptr,
                   std::size_t Deslocamento = 0)
        : conteudo(std::move(Conteudo)), raiz(std::move(Raiz)), deslocamento(Deslocamento)
    {
    }

    const IndiceDeTags &Indice() const
    {
        if (raiz)
            return raiz->Indice();
        // Copies of a reader share their texts, so the index is built once for all of them.
        std::call_once(feito, [this] { indice.emplace(conteudo); });
        return *indice;
    }

    // Where `parte`, a view into the text, begins in the text the index was built on.
    std::size_t Offset(std::string_view parte) const
    {
        return static_cast<std::size_t>(parte.data() - conteudo.data()) + deslocamento;
    }

    const std::string conteudo;
    const std::shared_ptr<const Texto> raiz;
    const std::size_t deslocamento;
    mutable std::once_flag feito;
    mutable std::optional<IndiceDeTags> indice;
};

TLeitor::TLeitor() : FArquivo(std::make_shared<const Texto>(std::string())) {}

TLeitor::~TLeitor() = default;

const std::string &TLeitor::Arquivo() const
{
    return FArquivo->conteudo;
}

void TLeitor::SetArquivo(std::string Arquivo)
{
    FArquivo = std::make_shared<const Texto>(std::move(Arquivo));
}

void TLeitor::SetArquivoDeParte(std::string_view Parte)
{
    const std::shared_ptr<const Texto> raiz = FArquivo->raiz ? FArquivo->raiz : FArquivo;
    std::size_t deslocamento = 0;
    if (Parte.empty()) {
        SetArquivo(std::string());
        return;
    }
    // The whole text it was cut from is that text itself: no copy.
    if (Parte.data() == raiz->conteudo.data() && Parte.size() == raiz->conteudo.size()) {
        FArquivo = raiz;
        return;
    }
    if (Dentro(Parte, raiz->conteudo))
        deslocamento = static_cast<std::size_t>(Parte.data() - raiz->conteudo.data());
    else if (Dentro(Parte, FArquivo->conteudo))
        deslocamento = FArquivo->Offset(Parte);
    else {
        SetArquivo(std::string(Parte));
        return;
    }
    // The copy is made before FArquivo lets go of the text Parte may lie in.
    FArquivo = std::make_shared<const Texto>(std::string(Parte), raiz, deslocamento);
}

void TLeitor::SetGrupo(std::string_view Grupo)
{
    if (Grupo.empty()) {
        FGrupo = {};
    } else if (Dentro(Grupo, FArquivo->conteudo)) {
        FGrupo = {FArquivo, Grupo};
    } else if (FGrupo.dono && Dentro(Grupo, FGrupo.dono->conteudo)) {
        FGrupo.texto = Grupo;
    } else {
        auto dono = std::make_shared<const Texto>(std::string(Grupo));
        FGrupo = {dono, dono->conteudo};
    }
}

bool TLeitor::CarregarArquivo(const std::string &CaminhoArquivo)
{
    rtl::TStringList linhas;
    linhas.LoadFromFile(CaminhoArquivo);
    SetArquivo(linhas.Text());
    return true;
}

bool TLeitor::CarregarArquivo(rtl::TStream &Stream)
{
    SetArquivo(rtl::DecodeWithBom(rtl::StreamToBytes(Stream)));
    return true;
}

std::size_t TLeitor::Saltar(int nivel, const Trecho &pai, const std::string &fecha, int item)
{
    const std::string_view texto = pai.texto;
    const int saltos = item > 1 ? item - 1 : 0; // item 0 or below reads as item 1
    int pulados = 0;
    std::size_t posicao = 0;
    Salto &salto = FSaltos[static_cast<std::size_t>(nivel)];
    if (salto.dono == pai.dono && salto.pai.data() == texto.data() &&
        salto.pai.size() == texto.size() && salto.fecha == fecha && salto.pulados <= saltos) {
        pulados = salto.pulados;
        posicao = salto.posicao;
    }
    for (; pulados < saltos; ++pulados) {
        const std::size_t achado = texto.find(fecha, posicao);
        if (achado == npos)
            return npos;
        posicao = achado + fecha.size();
    }
    if (pulados > 0)
        salto = {pai.dono, texto, fecha, pulados, posicao};
    return posicao;
}

std::string_view TLeitor::rExtrai(int nivel, std::string_view TagInicio, std::string_view TagFim,
                                  int item)
{
    if (nivel < 1 || nivel > NiveisMaximos)
        throw rtl::EListError("TLeitor.rExtrai: level " + std::to_string(nivel) +
                              " is outside 1 to " + std::to_string(NiveisMaximos));

    FNivel[0] = {FArquivo, FArquivo->conteudo};
    const Trecho &pai = FNivel[static_cast<std::size_t>(nivel - 1)];
    FGrupo = {};

    const std::string_view inicio = rtl::TrimView(TagInicio);
    std::string_view fim = rtl::TrimView(TagFim);
    if (fim.empty())
        fim = inicio;

    // The group as offsets in the parent's text: looked up in the index of the buffer
    // the parent lies in, or found by scanning when the index cannot answer for the tags.
    std::optional<Limites> limites;
    if (pai.dono) {
        const std::size_t de = pai.dono->Offset(pai.texto);
        limites = GrupoPeloIndice(pai.dono->Indice(), de, de + pai.texto.size(), inicio, fim, item);
        if (limites && limites->comeco != npos) {
            limites->comeco -= de;
            limites->fim -= de;
        }
    }
    if (!limites)
        limites = GrupoPorBusca(nivel, pai, inicio, fim, item);
    if (limites->comeco == npos)
        return {};

    Trecho &grupo = FNivel[static_cast<std::size_t>(nivel)];
    grupo = {pai.dono,
             rtl::TrimRightView(pai.texto.substr(limites->comeco, limites->fim - limites->comeco))};
    FGrupo = grupo;
    return FGrupo.texto;
}

TLeitor::Limites TLeitor::GrupoPorBusca(int nivel, const Trecho &pai, std::string_view inicio,
                                        std::string_view fim, int item)
{
    constexpr Limites ausente{npos, npos};
    std::string fecha = Concatenar("</", fim, ">");
    const std::size_t desde = Saltar(nivel, pai, fecha, item);
    if (desde == npos)
        return ausente;
    std::string_view texto = pai.texto.substr(desde);

    // The group ends at the first closing; a prefixed closing ("</det:") only when there
    // is no plain one.
    std::size_t final = texto.find(fecha);
    if (final == npos) {
        fecha.back() = ':';
        final = texto.find(fecha);
        if (final == npos)
            return ausente;
    }
    texto = texto.substr(0, final + fecha.size());

    std::string abre = Concatenar("<", inicio, ">");
    std::size_t comeco = texto.find(abre);
    for (const char depois : {' ', ':'}) {
        if (comeco != npos)
            break;
        abre.back() = depois;
        comeco = texto.find(abre);
    }
    if (comeco == npos)
        return ausente;
    return {desde + comeco, desde + texto.size()};
}

// The same group GrupoPorBusca finds in texto[de, ate), from the offsets of the tags in
// the whole buffer. A closing or an opening counts only when it lies wholly inside the
// parent; within a parent those are a run of consecutive entries of their list. Matches
// of one tag never overlap (the byte that ends a name cannot be part of the name), so the
// n-th closing the scan counts is the n-th entry of that run.
std::optional<TLeitor::Limites> TLeitor::GrupoPeloIndice(const IndiceDeTags &indice,
                                                         std::size_t de, std::size_t ate,
                                                         std::string_view inicio,
                                                         std::string_view fim, int item)
{
    constexpr Limites ausente{npos, npos};
    const std::string nomeFecha = Concatenar("/", fim, "");
    const std::optional<IndiceDeTags::Ocorrencias> fechas = indice.Exatas(nomeFecha, '>');
    const std::optional<IndiceDeTags::Ocorrencias> abertas = indice.Exatas(inicio, '>');
    if (!fechas || !abertas)
        return std::nullopt;
    const std::size_t tamanhoFecha = fim.size() + 3;

    const std::size_t saltos = item > 1 ? static_cast<std::size_t>(item) - 1 : 0;
    const std::size_t primeira = static_cast<std::size_t>(
        std::lower_bound(fechas->begin(), fechas->end(), de,
                         [](std::uint32_t p, std::size_t d) { return p < d; }) -
        fechas->begin());
    const auto dentro = [&](std::size_t n) {
        return n < fechas->size() && (*fechas)[n] + tamanhoFecha <= ate;
    };

    std::size_t desde = de;
    if (saltos > 0) {
        if (saltos > fechas->size() || !dentro(primeira + saltos - 1))
            return ausente;
        desde = (*fechas)[primeira + saltos - 1] + tamanhoFecha;
    }
    std::size_t final = npos;
    if (dentro(primeira + saltos))
        final = (*fechas)[primeira + saltos];
    else
        final = IndiceDeTags::Primeira(*indice.Exatas(nomeFecha, ':'), desde, ate, tamanhoFecha);
    if (final == npos)
        return ausente;
    const std::size_t fimGrupo = final + tamanhoFecha;

    const std::size_t tamanhoAbre = inicio.size() + 2;
    std::size_t comeco = IndiceDeTags::Primeira(*abertas, desde, fimGrupo, tamanhoAbre);
    for (const char depois : {' ', ':'}) {
        if (comeco != npos)
            break;
        comeco = IndiceDeTags::Primeira(*indice.Exatas(inicio, depois), desde, fimGrupo, tamanhoAbre);
    }
    if (comeco == npos)
        return ausente;
    return Limites{comeco, fimGrupo};
}

namespace {

// A name upper-cased as rCampo compares it, kept behind a '/': the name of its closing.
// The names of the layouts fit in the buffer, so a leaf read allocates nothing for them.
class NomeMaiusculo {
public:
    explicit NomeMaiusculo(std::string_view nome)
    {
        if (nome.size() < sizeof FCurto) {
            FCurto[0] = '/';
            for (std::size_t k = 0; k < nome.size(); ++k)
                FCurto[k + 1] = Maiuscula(nome[k]);
            FTexto = std::string_view(FCurto, nome.size() + 1);
        } else {
            FLongo = "/" + rtl::UpperCase(nome);
            FTexto = FLongo;
        }
    }
    NomeMaiusculo(const NomeMaiusculo &) = delete;
    NomeMaiusculo &operator=(const NomeMaiusculo &) = delete;

    std::string_view Nome() const { return FTexto.substr(1); }
    std::string_view Fechamento() const { return FTexto; }

private:
    char FCurto[80];
    std::string FLongo;
    std::string_view FTexto;
};

// The first "<TAG>", "</TAG>" and "<PARADA>" of the group texto[de, ate), as Localizar
// finds them, from the buffer's index. False when the index cannot answer for the tags.
// The stop tag's first position anywhere in the group will do: found after both marks it
// changes nothing in rCampo's rules.
bool MarcasPeloIndice(const IndiceDeTags &indice, std::size_t de, std::size_t ate,
                      const NomeMaiusculo &tag, std::string_view parada, Marcas &marcas)
{
    const auto par = indice.SemCaixaComFechamento(tag.Nome());
    std::optional<IndiceDeTags::Ocorrencias> paradas;
    if (!parada.empty()) {
        paradas = indice.SemCaixa(parada);
        if (!paradas)
            return false;
    }
    if (!par)
        return false;
    const auto relativa = [de](std::size_t p) { return p == npos ? npos : p - de; };
    marcas.abre = relativa(IndiceDeTags::Primeira(par->aberturas, de, ate, tag.Nome().size() + 2));
    marcas.fecha =
        relativa(IndiceDeTags::Primeira(par->fechamentos, de, ate, tag.Fechamento().size() + 2));
    if (paradas)
        marcas.parada = relativa(IndiceDeTags::Primeira(*paradas, de, ate, parada.size() + 2));
    return true;
}

} // namespace

rtl::Variant TLeitor::rCampo(TpcnTipoCampo Tipo, std::string_view TAG,
                             std::string_view TAGparada) const
{
    const std::string_view grupo = FGrupo.texto;
    const NomeMaiusculo nomeTag(rtl::TrimView(TAG));
    const NomeMaiusculo nomeParada(rtl::TrimView(TAGparada));
    const std::string_view tag = nomeTag.Nome();
    const std::string_view parada = nomeParada.Nome();
    Marcas marcas;
    bool respondido = false;
    if (FGrupo.dono) {
        const std::size_t de = FGrupo.dono->Offset(grupo);
        respondido =
            MarcasPeloIndice(FGrupo.dono->Indice(), de, de + grupo.size(), nomeTag, parada, marcas);
    }
    if (!respondido)
        marcas = Localizar(grupo, tag, parada);
    const std::size_t a = Posicao(marcas.abre);
    const std::size_t c = Posicao(marcas.fecha);
    const std::size_t p = Posicao(marcas.parada);

    std::string_view valor;
    std::size_t inicio = 0; // 1-based; 0 while the leaf counts as absent
    if (a > 0) {
        const std::size_t b = parada.empty() ? c : (p > 0 ? p : a);
        if (b >= a)
            inicio = a + tag.size() + 2;
    } else if (c > 0 && (p == 0 || p > c)) {
        // Only an opening with attributes, or none at all: the value follows the last '>'
        // before the closing. With a stop tag the same holds, unless the stop tag opens
        // first - then the leaf belongs to the subgroup it opens, as for a plain opening.
        const std::size_t maior = c >= 2 ? grupo.rfind('>', c - 2) : npos;
        inicio = maior == npos ? 1 : maior + 2;
    }
    if (inicio > 0 && c >= inicio)
        valor = rtl::TrimView(grupo.substr(inicio - 1, c - inicio));

    if (Tipo == tcBoolStr || Tipo == tcStrOrig || Tipo == tcNumStr)
        throw rtl::Exception("Tag <" + std::string(tag) + "> com conteúdo inválido. " +
                             std::string(valor));

    return Converter(Tipo, valor);
}

std::string TLeitor::rCampoCNPJCPF(std::string_view TAGparada) const
{
    std::string numero = rCampo(tcStr, "CNPJ", TAGparada).AsString();
    if (rtl::TrimView(numero).empty())
        numero = rCampo(tcStr, "CPF", TAGparada).AsString();
    return numero;
}

std::string TLeitor::rAtributo(std::string_view Atributo, std::string_view Tag) const
{
    const std::string_view nome = rtl::TrimView(Atributo);
    if (nome.empty())
        return {};
    const std::string_view tag = rtl::TrimView(Tag);
    const std::string_view grupo = FGrupo.texto;

    // "versao" is looked up as "versao=", or as "versao " when the document puts a blank
    // before the '='; a name given with its '=' is taken as it is.
    std::string busca(nome);
    if (busca.back() != '=') {
        busca += '=';
        if (grupo.find(busca) == npos)
            busca.back() = ' ';
    }

    std::size_t achado = grupo.find(busca);
    if (!tag.empty()) {
        // An earlier element may carry an attribute of the same name: the one wanted is
        // the first from the named element on.
        const std::size_t onde = grupo.find(tag);
        if (onde != npos && (achado == npos || onde > achado))
            achado = grupo.find(busca, onde);
    }
    if (achado == npos)
        return {};

    const std::string_view resto = grupo.substr(achado + busca.size());
    const std::size_t aspa = resto.find_first_of("\"'");
    if (aspa == npos)
        return {};
    const std::size_t fecha = resto.find(resto[aspa], aspa + 1);
    if (fecha == npos)
        return {};
    const std::string_view valor = rtl::TrimLeftView(resto.substr(aspa + 1, fecha - aspa - 1));
    if (valor.empty())
        return {};
    return ReverterFiltroTextoXML(valor);
}

int TLeitor::PosLast(std::string_view SubStr, std::string_view S)
{
    return util::PosLast(SubStr, S);
}

} // namespace dfe

#include "dfe/timezone.h"

#include "rtl/exceptions.h"
#include "rtl/text.h"
#include "rtl/timezone.h"

#include <array>

namespace dfe {

namespace {

// The states whose clocks moved forward in summer, each between dots.
constexpr std::string_view UFsComHorarioDeVerao = ".MT.MS.GO.MG.ES.RJ.SP.PR.SC.RS.DF.";

struct TZonaUF {
    std::string_view UF;
    std::string_view Padrao;
    std::string_view Verao; // empty: the state never had summer time
};

constexpr std::array<TZonaUF, 27> ZonasUF{{
    {"AM", "-04:00", ""},       {"RR", "-04:00", ""},       {"RO", "-04:00", ""},
    {"MT", "-04:00", "-03:00"}, {"MS", "-04:00", "-03:00"},
    {"GO", "-03:00", "-02:00"}, {"MG", "-03:00", "-02:00"}, {"ES", "-03:00", "-02:00"},
    {"RJ", "-03:00", "-02:00"}, {"SP", "-03:00", "-02:00"}, {"PR", "-03:00", "-02:00"},
    {"SC", "-03:00", "-02:00"}, {"RS", "-03:00", "-02:00"}, {"DF", "-03:00", "-02:00"},
    {"AP", "-03:00", ""},       {"PA", "-03:00", ""},       {"MA", "-03:00", ""},
    {"PI", "-03:00", ""},       {"TO", "-03:00", ""},       {"CE", "-03:00", ""},
    {"RN", "-03:00", ""},       {"PB", "-03:00", ""},       {"PE", "-03:00", ""},
    {"AL", "-03:00", ""},       {"SE", "-03:00", ""},       {"BA", "-03:00", ""},
    {"AC", "-05:00", ""},
}};

// Abroad ("EX") and any text that is no state.
constexpr TZonaUF ZonaOutras{"", "-03:00", ""};

// The federal district appears as "90"/"91" in some state-code fields and as nothing at
// all when the issuer's state is unknown.
std::string_view NormalizarUF(std::string_view UF)
{
    if (UF.empty() || UF == "90" || UF == "91")
        return "DF";
    return UF;
}

const TZonaUF &ZonaDaUF(std::string_view UF)
{
    for (const auto &zona : ZonasUF)
        if (zona.UF == UF)
            return zona;
    return ZonaOutras;
}

[[noreturn]] void ErroTimeZone(const char *mensagem)
{
    throw rtl::Exception(mensagem);
}

// Two ASCII digits read as a number, or -1.
int DoisDigitos(char32_t a, char32_t b)
{
    if (!rtl::IsAsciiDigit(a) || !rtl::IsAsciiDigit(b))
        return -1;
    return static_cast<int>(a - '0') * 10 + static_cast<int>(b - '0');
}

void ValidarTimeZoneStr(std::string_view AValue)
{
    const std::u32string texto = rtl::ToUcs4(AValue);
    if (texto.size() != 6)
        ErroTimeZone("Tamanho de TimeZone deve ser 6. Ex: -03:00");
    if (texto[0] != U'+' && texto[0] != U'-')
        ErroTimeZone("Primeiro caractere deve ser \"+,-\". Ex: -03:00");
    if (texto[3] != U':')
        ErroTimeZone("Quarto caractere deve ser \":\". Ex: -03:00");

    int hora = DoisDigitos(texto[1], texto[2]);
    if (hora >= 0 && texto[0] == U'-')
        hora = -hora;
    if (DoisDigitos(texto[1], texto[2]) < 0 || hora < -11 || hora > 14)
        ErroTimeZone("Hora deve estar entre -11 a +14. Ex: -03:00");

    const int minuto = DoisDigitos(texto[4], texto[5]);
    if (minuto < 0 || minuto > 59)
        ErroTimeZone("Minuto deve estar entre 0 a 59. Ex: -03:00");
}

} // namespace

// ---- TTimeZoneConf -----------------------------------------------------------------

void TTimeZoneConf::Assign(const rtl::TPersistent &Source)
{
    if (const auto *origem = dynamic_cast<const TTimeZoneConf *>(&Source)) {
        FModoDeteccao = origem->FModoDeteccao;
        FTimeZoneStr = origem->FTimeZoneStr;
    }
}

std::string TTimeZoneConf::ClassName() const
{
    return "TTimeZoneConf";
}

void TTimeZoneConf::SetModoDeteccao(TTimeZoneModoDeteccao AValue)
{
    if (AValue == FModoDeteccao)
        return;
    FModoDeteccao = AValue;
    if (FModoDeteccao != tzManual)
        FTimeZoneStr.clear();
    else if (FTimeZoneStr.empty())
        FTimeZoneStr = GetUTCSistema();
}

void TTimeZoneConf::SetTimeZoneStr(std::string_view AValue)
{
    if (AValue == FTimeZoneStr)
        return;
    if (FModoDeteccao != tzManual) {
        FTimeZoneStr.clear();
        return;
    }
    if (rtl::Trim(AValue).empty()) {
        FTimeZoneStr = GetUTCSistema();
        return;
    }
    ValidarTimeZoneStr(AValue);
    FTimeZoneStr = AValue;
}

TTimeZoneConf &TimeZoneConf()
{
    static TTimeZoneConf instancia;
    return instancia;
}

// ---- Zone of a date-time -------------------------------------------------------------

std::string GetUTCSistema()
{
    // "-0300" from the run-time; the documents want "-03:00".
    std::string texto = rtl::TimeZoneOffsetText();
    texto.insert(3, 1, ':');
    return texto;
}

std::string GetUTC(std::string_view UF, rtl::TDateTime dataHora)
{
    const TTimeZoneConf &conf = TimeZoneConf();
    switch (conf.ModoDeteccao()) {
    case tzManual:
        return conf.TimeZoneStr();
    case tzPCN: {
        const std::string_view uf = NormalizarUF(UF);
        const TZonaUF &zona = ZonaDaUF(uf);
        if (!zona.Verao.empty() && IsHorarioDeVerao(uf, dataHora))
            return std::string(zona.Verao);
        return std::string(zona.Padrao);
    }
    case tzSistema:
        break;
    }
    return GetUTCSistema();
}

bool IsHorarioDeVerao(std::string_view UF, rtl::TDateTime dataHora)
{
    if (UFsComHorarioDeVerao.find(NormalizarUF(UF)) == std::string_view::npos)
        return false;

    int ano = 0, mes = 0, dia = 0;
    rtl::DecodeDate(dataHora, ano, mes, dia);
    // A season starts in October or November and ends in February of the next year.
    const int anoInicio = mes < 10 ? ano - 1 : ano;
    const rtl::TDateTime inicio = GetInicioDoHorarioDeVerao(anoInicio);
    const rtl::TDateTime fim = GetFimDoHorarioDeVerao(anoInicio + 1);
    return inicio <= dataHora && dataHora <= fim;
}

rtl::TDateTime GetInicioDoHorarioDeVerao(int ano)
{
    if (ano < 2018)
        return GetTerceiroDomingoDoMes(ano, 10);
    if (ano == 2018)
        return GetPrimeiroDomingoDoMes(ano, 11);
    return 0;
}

rtl::TDateTime GetFimDoHorarioDeVerao(int ano)
{
    if (ano >= 2020)
        return 0;
    const rtl::TDateTime terceiroDomingo = GetTerceiroDomingoDoMes(ano, 2);
    const rtl::TDateTime domingoDeCarnaval = GetDataDoCarnaval(ano) - 2;
    // The clocks are not put back on Carnival Sunday: the season lasts one more week.
    if (domingoDeCarnaval == terceiroDomingo)
        return terceiroDomingo + 7;
    return terceiroDomingo;
}

rtl::TDateTime GetPrimeiroDomingoDoMes(int ano, int mes)
{
    rtl::TDateTime dia = rtl::EncodeDate(ano, mes, 1);
    while (rtl::DayOfWeek(dia) != 1)
        dia += 1;
    return dia;
}

rtl::TDateTime GetTerceiroDomingoDoMes(int ano, int mes)
{
    return GetPrimeiroDomingoDoMes(ano, mes) + 14;
}

rtl::TDateTime GetDataDoCarnaval(int ano)
{
    return GetDataDaPascoa(ano) - 47;
}

rtl::TDateTime GetDataDaPascoa(int ano)
{
    const int a = (19 * (ano % 19) + 24) % 30;
    const int b = (2 * (ano % 4) + 4 * (ano % 7) + 6 * a + 5) % 7;
    if (a + b < 10)
        return rtl::EncodeDate(ano, 3, 22 + a + b);
    return rtl::EncodeDate(ano, 4, a + b - 9);
}

} // namespace dfe

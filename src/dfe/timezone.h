#pragma once
// The zone text ("-03:00") that ends every date-time a document writer produces. One
// process-wide setting decides where it comes from: the machine's current offset, a fixed
// table of Brazilian states with the Brazilian summer-time rules, or a zone typed by the
// user. Each document component keeps its own TTimeZoneConf and copies it into the
// process-wide one before regenerating a document.

#include "rtl/classes.h"
#include "rtl/datetime.h"

#include <string>
#include <string_view>

namespace dfe {

enum TTimeZoneModoDeteccao {
    tzSistema, // the machine's offset in force now
    tzPCN,     // by state, fixed table with the summer-time rules
    tzManual   // TimeZoneStr as typed
};

class TTimeZoneConf : public rtl::TPersistent {
public:
    TTimeZoneConf() = default;

    // Copies mode and text of another TTimeZoneConf as they are (no check); any other
    // source is ignored.
    void Assign(const rtl::TPersistent &Source) override;
    std::string ClassName() const override;

    TTimeZoneModoDeteccao ModoDeteccao() const noexcept { return FModoDeteccao; }
    // Leaving tzManual empties TimeZoneStr; entering it with an empty TimeZoneStr fills
    // it with the machine's offset, so a manual zone is never blank.
    void SetModoDeteccao(TTimeZoneModoDeteccao AValue);

    const std::string &TimeZoneStr() const noexcept { return FTimeZoneStr; }
    // Outside tzManual the text is emptied whatever the value. In tzManual a blank value
    // takes the machine's offset; any other must read sign, two digits of hours from -11
    // to +14, ':' and two digits of minutes, else rtl::Exception is raised with the
    // reason and the previous text is kept.
    void SetTimeZoneStr(std::string_view AValue);

private:
    TTimeZoneModoDeteccao FModoDeteccao = tzSistema;
    std::string FTimeZoneStr;
};

// The process-wide setting, created with the defaults on the first call and alive until
// the process ends.
TTimeZoneConf &TimeZoneConf();

// The zone for a state at a date-time, by the process-wide mode: tzSistema ignores both
// and gives the machine's offset now; tzManual gives TimeZoneStr (even empty); tzPCN
// reads the state table, in summer time when IsHorarioDeVerao holds. The state texts
// "90", "91" and "" stand for "DF"; an unknown text is "-03:00".
std::string GetUTC(std::string_view UF, rtl::TDateTime dataHora);

// The machine's offset in force now, "-03:00" form.
std::string GetUTCSistema();

// True when the state text occurs in ".MT.MS.GO.MG.ES.RJ.SP.PR.SC.RS.DF." (a plain
// search, so a fragment such as "S" is found too; "90", "91" and "" count as "DF") and
// the date-time lies within the summer-time season that contains it, both ends included.
// The season ends at 00:00 of its last Sunday.
bool IsHorarioDeVerao(std::string_view UF, rtl::TDateTime dataHora);

// 00:00 of the first day of summer time that starts in the year: the third Sunday of
// October up to 2017, the first Sunday of November in 2018, 0 (no season) afterwards.
rtl::TDateTime GetInicioDoHorarioDeVerao(int ano);
// 00:00 of the day summer time ends in the year: the third Sunday of February, one week
// later when that Sunday is Carnival Sunday; 0 (before every date) from 2020 on.
rtl::TDateTime GetFimDoHorarioDeVerao(int ano);
// The first Sunday among days 1 to 7 of the month, and that Sunday plus two weeks.
rtl::TDateTime GetPrimeiroDomingoDoMes(int ano, int mes);
rtl::TDateTime GetTerceiroDomingoDoMes(int ano, int mes);
// Carnival Tuesday: Easter minus 47 days.
rtl::TDateTime GetDataDoCarnaval(int ano);
// Easter Sunday by Gauss's rule with the constants of 1900 to 2099, without the two
// late-April corrections: 1954, 1981, 2049 and 2076 come out one week late, which no
// summer-time season of the table is affected by.
rtl::TDateTime GetDataDaPascoa(int ano);

} // namespace dfe

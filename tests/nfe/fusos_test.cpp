// Date-times through the program's road (loading regenerates each document): every one keeps
// the zone its document stated, whatever zone the machine is in and whatever the time-zone
// setting says, so the regenerated XML states the same instants. The setting gives the zone
// only of a date-time the document wrote without one.

#include "nfe/component.h"
#include "nfe/list.h"
#include "nfe/settings.h"

#include "dfe/timezone.h"
#include "rtl/datetime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

// Two authorized NF-e back to back: one from São Paulo in the 2018 summer time ("-02:00",
// its protocol date without zone), one from Amazonas ("-04:00") in contingency, authorized
// by the national service in Brasília time ("-03:00").
const std::string kFusos = std::string(TEST_SOURCE_DIR) + "/fixtures/nfe400_fusos.xml";

// The machine's zone (TZ) for a scope.
class ZonaDaMaquina {
public:
    explicit ZonaDaMaquina(const char *tz)
    {
        if (const char *antes = std::getenv("TZ"))
            FAntes = antes;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZonaDaMaquina()
    {
        if (FAntes)
            setenv("TZ", FAntes->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ZonaDaMaquina(const ZonaDaMaquina &) = delete;
    ZonaDaMaquina &operator=(const ZonaDaMaquina &) = delete;

private:
    std::optional<std::string> FAntes;
};

// The process-wide setting, which every regeneration overwrites with its component's, put
// back after the test.
class ConfiguracaoDoProcesso {
public:
    ConfiguracaoDoProcesso() { FAntes.Assign(dfe::TimeZoneConf()); }
    ~ConfiguracaoDoProcesso() { dfe::TimeZoneConf().Assign(FAntes); }
    ConfiguracaoDoProcesso(const ConfiguracaoDoProcesso &) = delete;
    ConfiguracaoDoProcesso &operator=(const ConfiguracaoDoProcesso &) = delete;

private:
    dfe::TTimeZoneConf FAntes;
};

using Folhas = std::vector<std::pair<std::string, std::string>>;

// Every date-time leaf (dh...) of a text, in order.
Folhas DatasHoras(const std::string &xml)
{
    static const std::regex folha("<(dh[A-Za-z]+)>([^<]*)</\\1>");
    Folhas out;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), folha); it != std::sregex_iterator(); ++it)
        out.emplace_back((*it)[1], (*it)[2]);
    return out;
}

std::vector<std::string> Regenerados(nfe::TNotasFiscais &notas)
{
    std::vector<std::string> out;
    for (int i = 0; i < notas.Count(); ++i)
        out.push_back(notas.Items(i).NFeW().Gerador().ArquivoFormatoXML());
    return out;
}

TEST(NFeDateTimeZones, RegeneratedDocumentsKeepTheZonesTheyStated)
{
    struct Row {
        const char *name;
        const char *tz;
        dfe::TTimeZoneModoDeteccao modo;
        const char *digitado;
        std::string semFuso; // the zone the protocol date written without one gets
    } rows[] = {
        {"machine in UTC, the machine's zone", "UTC", dfe::tzSistema, "", "+00:00"},
        {"machine in São Paulo in summer time, the machine's zone", "America/Sao_Paulo", dfe::tzSistema, "",
         "-02:00"},
        {"machine in São Paulo, a typed zone", "America/Sao_Paulo", dfe::tzManual, "-05:00", "-05:00"},
        {"machine in UTC, zones by state", "UTC", dfe::tzPCN, "", "-02:00"},
    };
    const ConfiguracaoDoProcesso restaurar;
    // "Now" for the machine's zone: a day of the 2018 summer time, whatever day the test runs.
    const rtl::ScopedClock relogio(rtl::EncodeDateTime(2018, 12, 15, 12, 0, 0, 0));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ZonaDaMaquina zona(row.tz);
        auto comp = rtl::TComponent::CreateFree<nfe::TOvixNFe>();
        dfe::TTimeZoneConf &conf = comp->Configuracoes().WebServices().TimeZoneConf();
        conf.SetModoDeteccao(row.modo);
        conf.SetTimeZoneStr(row.digitado);

        nfe::TNotasFiscais &notas = comp->NotasFiscais();
        notas.LoadFromFile(kFusos);
        ASSERT_EQ(notas.Count(), 2);
        const std::vector<std::string> primeiros = Regenerados(notas);
        EXPECT_EQ(DatasHoras(primeiros[0]), (Folhas{{"dhEmi", "2018-12-10T09:30:00-02:00"},
                                                    {"dhSaiEnt", "2018-12-10T14:00:00-02:00"},
                                                    {"dhRecbto", "2018-12-10T09:31:02" + row.semFuso}}));
        EXPECT_EQ(DatasHoras(primeiros[1]), (Folhas{{"dhEmi", "2019-06-03T10:15:00-04:00"},
                                                    {"dhCont", "2019-06-03T09:58:00-04:00"},
                                                    {"dhRecbto", "2019-06-03T11:15:30-03:00"}}));

        // Read back, the regenerated texts regenerate unchanged: the zone the setting gave
        // is now the document's own.
        for (const std::string &texto : primeiros) {
            notas.Clear();
            notas.LoadFromString(texto);
            ASSERT_EQ(notas.Count(), 1);
            EXPECT_EQ(Regenerados(notas)[0], texto);
        }
    }
}

} // namespace

// Whole documents through the program's road: each fixture is loaded by the document list,
// which reads and regenerates it. The regenerated XML must be well formed, equal the
// expected file (checked by hand when it was written), and be a fixed point: reading it
// back and regenerating gives the same text and the same alerts.
//
// VIEWER_UPDATE_GOLDEN=1 rewrites the expected files from the current output; review the
// difference before committing it.

#include "nfe/component.h"
#include "nfe/list.h"
#include "nfe/settings.h"

#include "dfe/timezone.h"
#include "rtl/files.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using nfe::TOvixNFe;

namespace {

std::string Caminho(const std::string &nome) { return std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome; }

std::string Ler(const std::string &caminho)
{
    return rtl::FileExists(caminho) ? rtl::ReadFileBytes(caminho) : std::string();
}

// A component whose regenerations use a fixed zone, as a user in Brasília would have.
rtl::TComponentPtr<TOvixNFe> Componente()
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    dfe::TTimeZoneConf &zona = comp->Configuracoes().WebServices().TimeZoneConf();
    zona.SetModoDeteccao(dfe::tzManual);
    zona.SetTimeZoneStr("-03:00");
    return comp;
}

struct Gerado {
    std::string xml;
    std::string alertas;
};

Gerado Regenerar(TOvixNFe &comp, const std::string &texto, bool arquivo)
{
    nfe::TNotasFiscais &lista = comp.NotasFiscais();
    lista.Clear();
    if (arquivo)
        lista.LoadFromFile(texto, true);
    else
        lista.LoadFromString(texto, true);
    EXPECT_EQ(lista.Count(), 1);
    if (lista.Count() == 0)
        return {};
    nfe::NotaFiscal &nota = lista.Items(0);
    return {nota.NFeW().Gerador().ArquivoFormatoXML(), nota.Alertas()};
}

std::string ErroDeXml(const std::string &xml)
{
    QXmlStreamReader leitor(QByteArray::fromStdString(xml));
    while (!leitor.atEnd())
        leitor.readNext();
    return leitor.hasError() ? leitor.errorString().toStdString() + " at " +
                                   std::to_string(leitor.characterOffset())
                             : std::string();
}

} // namespace

TEST(NFeWriterGolden, FixturesRegenerateAsExpectedAndAreFixedPoints)
{
    const bool atualizar = std::getenv("VIEWER_UPDATE_GOLDEN") != nullptr;
    const char *fixtures[] = {"nfe400_proc", "nfce400_qr", "nfe310_iso", "nfe200_apos"};
    auto comp = Componente();
    for (const char *nome : fixtures) {
        SCOPED_TRACE(nome);
        const Gerado primeiro = Regenerar(*comp, Caminho(std::string(nome) + ".xml"), true);
        ASSERT_FALSE(primeiro.xml.empty());
        EXPECT_EQ(ErroDeXml(primeiro.xml), "");

        const std::string esperadoXml = Caminho("expected/" + std::string(nome) + ".xml");
        const std::string esperadoAlertas = Caminho("expected/" + std::string(nome) + ".alertas.txt");
        if (atualizar) {
            rtl::WriteFileBytes(esperadoXml, primeiro.xml + "\n");
            rtl::WriteFileBytes(esperadoAlertas, primeiro.alertas);
        }
        EXPECT_EQ(primeiro.xml + "\n", Ler(esperadoXml));
        EXPECT_EQ(primeiro.alertas, Ler(esperadoAlertas));

        const Gerado segundo = Regenerar(*comp, primeiro.xml, false);
        EXPECT_EQ(segundo.xml, primeiro.xml) << "regenerating the regenerated text changes it";
        EXPECT_EQ(segundo.alertas, primeiro.alertas);
    }
}

// Every alert line has the generator's form with the path, Id, tag and description filled.
TEST(NFeWriterGolden, AlertLinesHaveTheConfiguredForm)
{
    auto comp = Componente();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    lista.LoadFromString("<NFe><infNFe versao=\"4.00\" Id=\"NFe35190111222333000181550010000001231123456781\">"
                         "<ide><cUF>35</cUF><mod>55</mod></ide><emit><CNPJ>11222333000181</CNPJ></emit>"
                         "</infNFe></NFe>",
                         true);
    ASSERT_EQ(lista.Count(), 1);
    const std::string &alertas = lista.Items(0).Alertas();
    EXPECT_NE(alertas.find("TAG:<emit> ID:C03/xNome(Razão Social ou Nome) - Nenhum valor informado.\r\n"),
              std::string::npos)
        << alertas;
}

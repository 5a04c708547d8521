// Regeneration is a fixed point: the XML written from a read manifest, read back and
// written again, gives the same bytes and the same alerts, so nothing read is lost or
// changed by a round through the model.

#include "mdfe/reader.h"
#include "mdfe/writer.h"

#include "dfe/loader.h"
#include "rtl/files.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mdfe;

constexpr std::string_view NameSpaceMDFe = "http://www.portalfiscal.inf.br/mdfe";

// The text as the program loads it, one model per manifest.
std::vector<TMDFe> Lidos(std::string_view bytes)
{
    const std::string texto = dfe::DecodificarArquivoXML(bytes);
    std::vector<TMDFe> lidos;
    for (const std::string_view peca : dfe::SepararDocumentos(texto, dfe::TagsMDFe)) {
        TMDFe &mdfe = lidos.emplace_back();
        TMDFeR leitor(mdfe);
        leitor.Leitor().SetArquivo(
            dfe::RemoverNameSpace(dfe::DecodificarEntidadesDocumento(peca), NameSpaceMDFe));
        leitor.LerXml();
    }
    return lidos;
}

struct Escrito {
    std::string xml;
    std::string alertas;
};

Escrito Escrever(TMDFe &mdfe)
{
    TMDFeW w(mdfe);
    w.GerarXml();
    return {w.Gerador().ArquivoFormatoXML(), w.Gerador().ListaDeAlertas().Text()};
}

bool BemFormado(const std::string &xml)
{
    QXmlStreamReader r(QByteArray::fromStdString(xml));
    while (!r.atEnd())
        r.readNext();
    return !r.hasError();
}

struct Caso {
    const char *arquivo;
    // Whether the file's Id was made from its own fields; the air manifest's issuer is a
    // person (CPF) under a company's key, so its key is rebuilt from the CPF.
    bool chaveDosCampos;
};

class Regeneracao : public testing::TestWithParam<Caso> {};

TEST_P(Regeneracao, WritingWhatWasReadBackGivesTheSameBytesAndAlerts)
{
    const std::string bytes =
        rtl::ReadFileBytes(std::string(TEST_SOURCE_DIR) + "/fixtures/" + GetParam().arquivo);
    std::vector<TMDFe> lidos = Lidos(bytes);
    ASSERT_EQ(lidos.size(), 1u);
    const std::string idLido = lidos.front().infMDFe.Id;
    const Escrito primeiro = Escrever(lidos.front());
    EXPECT_TRUE(BemFormado(primeiro.xml)) << primeiro.xml;
    // The key is rebuilt from the manifest's own fields, code included.
    if (GetParam().chaveDosCampos) {
        EXPECT_EQ(lidos.front().infMDFe.Id, idLido);
    }

    std::vector<TMDFe> relidos = Lidos(primeiro.xml);
    ASSERT_EQ(relidos.size(), 1u);
    const Escrito segundo = Escrever(relidos.front());
    EXPECT_EQ(segundo.xml, primeiro.xml);
    EXPECT_EQ(segundo.alertas, primeiro.alertas);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Regeneracao,
                         testing::Values(Caso{"mdfe100-rodo.xml", true},
                                         Caso{"mdfe300-aereo.xml", false},
                                         Caso{"mdfe300-aquav.xml", true},
                                         Caso{"mdfe300-rodo-proc.xml", true},
                                         Caso{"mdfe310-ferrov.xml", true}),
                         [](const testing::TestParamInfo<Caso> &i) { return "F" + std::to_string(i.index); });

} // namespace

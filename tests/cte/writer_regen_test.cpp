// The hand-written fixtures read and written back: each group below must come out as the
// file has it, or, where reading or writing changes it on purpose, as the rules make it.
// A group that comes back different shows a reader and writer that disagree on a field,
// its order or its form.

#include "cte/reader.h"
#include "cte/writer.h"

#include "dfe/timezone.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace {

using namespace cte;

std::string Fixture(const std::string &nome)
{
    std::ifstream in(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every occurrence of the group, one after the other, without the fixture's line breaks.
std::string Grupos(const std::string &xml, const std::string &tag)
{
    const std::string abre = "<" + tag + ">";
    const std::string fecha = "</" + tag + ">";
    std::string result;
    for (size_t p = xml.find(abre); p != std::string::npos; p = xml.find(abre, p)) {
        const size_t fim = xml.find(fecha, p);
        if (fim == std::string::npos)
            break;
        result += xml.substr(p, fim + fecha.size() - p);
        p = fim;
    }
    std::erase(result, '\n');
    std::erase(result, '\r');
    return result;
}

class CTeRegeneration : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSaved.Assign(dfe::TimeZoneConf());
        dfe::TimeZoneConf().SetModoDeteccao(dfe::tzManual);
        dfe::TimeZoneConf().SetTimeZoneStr("-03:00");
    }
    void TearDown() override { dfe::TimeZoneConf().Assign(FSaved); }

    static std::string Regenerar(const std::string &origem)
    {
        TCTe c;
        TCTeR leitor(c);
        leitor.Leitor().SetArquivo(origem);
        EXPECT_TRUE(leitor.LerXml());
        TCTeW w(c);
        w.GerarXml();
        return w.Gerador().ArquivoFormatoXML();
    }

    dfe::TTimeZoneConf FSaved;
};

TEST_F(CTeRegeneration, GroupsComeBackAsTheFileHasThem)
{
    struct Caso {
        const char *fixture;
        const char *grupo;
    };
    const Caso casos[] = {
        {"F1-cte300-rodo-proc.xml", "infCarga"},
        {"F1-cte300-rodo-proc.xml", "infDoc"},
        {"F1-cte300-rodo-proc.xml", "docAnt"},
        {"F1-cte300-rodo-proc.xml", "cobr"},
        {"F1-cte300-rodo-proc.xml", "infRespTec"},
        {"F2-cteos300-proc.xml", "infServico"},
        {"F2-cteos300-proc.xml", "infDocRef"},
        {"F2-cteos300-proc.xml", "infPercurso"},
        {"F3-cte300-aereo-aquav.xml", "infCarga"},
        {"F4-cte300-ferrov.xml", "infCarga"},
        {"F5-cte300-duto-multimodal-sub.xml", "infCarga"},
        {"F5-cte300-duto-multimodal-sub.xml", "veicNovos"},
        {"F5-cte300-duto-multimodal-sub.xml", "infGlobalizado"},
        {"F5-cte300-duto-multimodal-sub.xml", "infServVinc"},
        {"F6-cte200-rodo-lotacao.xml", "infCarga"},
        {"F6-cte200-rodo-lotacao.xml", "peri"},
    };
    for (const Caso &k : casos) {
        SCOPED_TRACE(std::string(k.fixture) + " " + k.grupo);
        const std::string origem = Fixture(k.fixture);
        const std::string esperado = Grupos(origem, k.grupo);
        ASSERT_FALSE(esperado.empty());
        EXPECT_EQ(Grupos(Regenerar(origem), k.grupo), esperado);
    }
}

TEST_F(CTeRegeneration, GroupsTheRulesChange)
{
    struct Caso {
        const char *nome;
        const char *fixture;
        const char *grupo;
        const char *esperado;
    };
    const Caso casos[] = {
        {"the authorisation repeating the sender's CPF is dropped", "F1-cte300-rodo-proc.xml",
         "autXML",
         "<autXML><CNPJ>12312312000100</CNPJ></autXML><autXML><CNPJ>32132132000199</CNPJ></autXML>"},
        {"a 3.00 substitute with an annulment key states no tomaICMS",
         "F5-cte300-duto-multimodal-sub.xml", "infCteSub",
         "<infCteSub><chCte>35190411222333000181570010000002991299299299</chCte>"
         "<refCteAnu>35190411222333000181570010000002981298298298</refCteAnu>"
         "<indAlteraToma>1</indAlteraToma></infCteSub>"},
        {"2.00 previous document: registration and state required, the key as chave",
         "F6-cte200-rodo-lotacao.xml", "docAnt",
         "<docAnt><emiDocAnt><CPF>12345678909</CPF><IE/><UF/><xNome>Anterior</xNome><idDocAnt>"
         "<idDocAntEle><chave>35120411222333000181570010000049981498498498</chave></idDocAntEle>"
         "</idDocAnt></emiDocAnt></docAnt>"},
        {"without its own infDoc a CT-e takes its container's, with every required leaf",
         "F3-cte300-aereo-aquav.xml", "infDoc",
         "<infDoc><infNF><mod>01</mod><serie>1</serie><nDoc>55</nDoc><dEmi/><vBC>0.00</vBC>"
         "<vICMS>0.00</vICMS><vBCST>0.00</vBCST><vST>0.00</vST><vProd>0.00</vProd>"
         "<vNF>0.00</vNF><nCFOP>0000</nCFOP></infNF>"
         "<infNFe><chave>35190511222333000181550010000000021000000027</chave></infNFe>"
         "<infNFe><chave>35190511222333000181550010000000031000000032</chave></infNFe></infDoc>"},
        {"1.04 documents move from rem to infDoc, the paper one first, with the road dPrev",
         "F7-cte104-rem-docs.xml", "infDoc",
         "<infDoc><infNF><mod>04</mod><serie>1</serie><nDoc>88</nDoc><dEmi>2009-03-01</dEmi>"
         "<vBC>0.00</vBC><vICMS>0.00</vICMS><vBCST>0.00</vBCST><vST>0.00</vST>"
         "<vProd>0.00</vProd><vNF>500.00</vNF><nCFOP>5101</nCFOP><nPeso>12.500</nPeso>"
         "<dPrev>2009-03-15</dPrev></infNF>"
         "<infNFe><chave>35090355666777000104550010000000011000000013</chave>"
         "<dPrev>2009-03-15</dPrev></infNFe>"
         "<infNFe><chave>35090355666777000104550010000000021000000029</chave><PIN>77</PIN>"
         "<dPrev>2009-03-15</dPrev></infNFe></infDoc>"},
        {"a normal CT-e of 1.04 writes no infCteComp", "F7-cte104-rem-docs.xml", "infCteComp",
         ""},
    };
    for (const Caso &k : casos) {
        SCOPED_TRACE(k.nome);
        EXPECT_EQ(Grupos(Regenerar(Fixture(k.fixture)), k.grupo), k.esperado);
    }
}

// Writing what was read, reading it back and writing it again gives the same bytes and the
// same alerts: nothing read is lost or changed by a round through the model. The key is
// rebuilt from the document's own fields, so it is the file's.
TEST_F(CTeRegeneration, RegenerationIsAFixedPoint)
{
    for (const char *nome : {"F1-cte300-rodo-proc.xml", "F2-cteos300-proc.xml",
                             "F3-cte300-aereo-aquav.xml", "F4-cte300-ferrov.xml",
                             "F5-cte300-duto-multimodal-sub.xml", "F6-cte200-rodo-lotacao.xml",
                             "F7-cte104-rem-docs.xml"}) {
        SCOPED_TRACE(nome);
        const auto escrever = [](const std::string &texto, std::string &id) {
            TCTe c;
            TCTeR leitor(c);
            leitor.Leitor().SetArquivo(texto);
            EXPECT_TRUE(leitor.LerXml());
            id = c.infCTe.Id;
            TCTeW w(c);
            w.GerarXml();
            return std::pair(w.Gerador().ArquivoFormatoXML(),
                             w.Gerador().ListaDeAlertas().Text());
        };
        std::string idLido, idRelido;
        const auto primeiro = escrever(Fixture(nome), idLido);
        const auto segundo = escrever(primeiro.first, idRelido);
        EXPECT_EQ(idRelido, idLido);
        EXPECT_EQ(segundo.first, primeiro.first);
        EXPECT_EQ(segundo.second, primeiro.second);
    }
}

} // namespace

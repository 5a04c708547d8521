#include "mdfe/list.h"

#include "mdfe/component.h"
#include "mdfe/settings.h"

#include "dfe/exception.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mdfe::TOvixMDFe;

// A small manifest the reader accepts: Id, versao, number and issuer's name.
std::string Documento(const std::string &nMDF, const std::string &xNome)
{
    return "<MDFe xmlns=\"http://www.portalfiscal.inf.br/mdfe\">"
           "<infMDFe Id=\"MDFe3520031122233300018158001000000" + nMDF + "1123456781\" versao=\"3.00\">"
           "<ide><cUF>35</cUF><mod>58</mod><serie>1</serie><nMDF>" + nMDF + "</nMDF><cMDF>12345678</cMDF><modal>1</modal></ide>"
           "<emit><CNPJ>11222333000181</CNPJ><IE>123</IE><xNome>" + xNome + "</xNome></emit>"
           "</infMDFe></MDFe>";
}

std::string Envelope(const std::string &doc, const std::string &nProt, const std::string &tag = "mdfeProc")
{
    return "<" + tag + " versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/mdfe\">" + doc +
           "<protMDFe versao=\"3.00\"><infProt><nProt>" + nProt + "</nProt><cStat>100</cStat></infProt></protMDFe>"
           "</" + tag + ">";
}

struct Esperado {
    std::string xNome;
    std::string nProt;
};

// Every way a text may hold manifests, loaded into a fresh list: the entries in order,
// each with its issuer and protocol, and each regenerated into well-formed XML.
TEST(Manifestos, SplitsEveryDocumentOfATextIntoOneEntry)
{
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const struct Row {
        const char *name;
        std::string texto;
        bool resultado;
        std::vector<Esperado> esperados;
    } rows[] = {
        {"one bare", decl + Documento("001", "Um"), true, {{"Um", ""}}},
        {"one enveloped", decl + Envelope(Documento("001", "Um"), "135200000000001"), true,
         {{"Um", "135200000000001"}}},
        {"several enveloped with blanks between", decl + Envelope(Documento("001", "Um"), "1") + "\r\n\t " +
                                                      Envelope(Documento("002", "Dois"), "2") + "\n" +
                                                      Envelope(Documento("003", "Tres"), "3"),
         true, {{"Um", "1"}, {"Dois", "2"}, {"Tres", "3"}}},
        {"bare then enveloped", Documento("001", "Um") + Envelope(Documento("002", "Dois"), "2"), true,
         {{"Um", ""}, {"Dois", "2"}}},
        {"enveloped then bare", Envelope(Documento("001", "Um"), "1") + Documento("002", "Dois"), true,
         {{"Um", "1"}, {"Dois", ""}}},
        {"the other envelope name", Envelope(Documento("001", "Um"), "7", "procMDFe"), true, {{"Um", "7"}}},
        {"both envelope names mixed",
         Envelope(Documento("001", "Um"), "1", "procMDFe") + Envelope(Documento("002", "Dois"), "2"), true,
         {{"Um", "1"}, {"Dois", "2"}}},
        {"lower-case document tags are no manifest", "<mdfe><infMDFe versao=\"3.00\" Id=\"MDFe1\"/></mdfe>",
         false, {}},
        {"a lower-case envelope leaves the document and drops what follows it",
         Envelope(Documento("001", "Um"), "1", "mdfeproc"), true, {{"Um", ""}}},
        {"no manifest at all", decl + "<CTe><infCte/></CTe>", false, {}},
        {"empty text", "", false, {}},
    };
    for (const Row &row : rows) {
        auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
        mdfe::TManifestos &lista = comp->Manifestos();
        EXPECT_EQ(lista.LoadFromString(row.texto), row.resultado) << row.name;
        ASSERT_EQ(lista.Count(), static_cast<int>(row.esperados.size())) << row.name;
        for (int i = 0; i < lista.Count(); ++i) {
            const mdfe::Manifesto &item = lista.Items(i);
            EXPECT_EQ(item.MDFe().emit.xNome, row.esperados[i].xNome) << row.name << " #" << i;
            EXPECT_EQ(item.MDFe().procMDFe.nProt, row.esperados[i].nProt) << row.name << " #" << i;
            QXmlStreamReader xml(QByteArray::fromStdString(item.XMLOriginal()));
            while (!xml.atEnd())
                xml.readNext();
            EXPECT_FALSE(xml.hasError()) << row.name << " #" << i << ": " << xml.errorString().toStdString();
        }
    }
}

// A document that fails to read stops the load: the entries before it are complete, the
// failing one stays partly filled, later ones are not read and no entry is named after
// the file.
TEST(Manifestos, AFailureMidFileStopsTheLoadAndNamesNoEntry)
{
    QTemporaryDir tmp;
    const std::string nome = tmp.path().toStdString() + "/lote.xml";
    rtl::WriteFileBytes(nome, Envelope(Documento("001", "Um"), "1") +
                                  "<MDFe><infMDFe versao=\"3.00\" Id=\"MDFe\"></infMDFe></MDFe>" +
                                  Documento("003", "Tres"));
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    mdfe::TManifestos &lista = comp->Manifestos();
    try {
        lista.LoadFromFile(nome);
        FAIL() << "no error";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), "Não encontrei o atributo: Id");
    }
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista.Items(0).MDFe().emit.xNome, "Um");
    EXPECT_FALSE(lista.Items(0).XMLOriginal().empty());
    EXPECT_EQ(lista.Items(0).NomeArq(), "");
    EXPECT_EQ(lista.Items(1).NomeArq(), "");

    EXPECT_THROW(lista.LoadFromFile(tmp.path().toStdString() + "/nao-existe.xml"), rtl::EFOpenError);
    EXPECT_EQ(lista.Count(), 2);
}

TEST(Manifestos, FileNamesAreStampedOnTheEntriesOfTheLoadedFileOnly)
{
    QTemporaryDir tmp;
    const std::string nome = tmp.path().toStdString() + "/dois.xml";
    rtl::WriteFileBytes(nome, Documento("001", "Um") + Envelope(Documento("002", "Dois"), "2"));
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    mdfe::TManifestos &lista = comp->Manifestos();
    lista.Add();
    ASSERT_TRUE(lista.LoadFromFile(nome));
    ASSERT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.Items(0).NomeArq(), "");
    EXPECT_EQ(lista.Items(1).NomeArq(), nome);
    EXPECT_EQ(lista.Items(2).NomeArq(), nome);
    EXPECT_EQ(lista.Items(2).CalcularNomeArquivo(), lista.Items(2).NumID() + "-mdfe.xml");
}

TEST(Manifestos, NewEntriesTakeTheSettingsAndMissingPartsRaise)
{
    auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
    comp->Configuracoes().Geral().SetVersaoDF(mdfe::ve100);
    mdfe::Manifesto &novo = comp->Manifestos().Add();
    EXPECT_EQ(novo.MDFe().Ide.modelo, "58");
    EXPECT_EQ(novo.MDFe().Ide.verProc, "OvixMDFe");
    EXPECT_DOUBLE_EQ(novo.MDFe().infMDFe.versao, 1.0);

    const auto mensagem = [](auto &&acao) {
        try {
            acao();
        } catch (const mdfe::EOvixMDFeException &e) {
            return e.Message();
        }
        return std::string("no error");
    };
    EXPECT_EQ(mensagem([&] { (void)novo.CalcularNomeArquivo(); }), "ID Inválido. Impossível Salvar XML");
    EXPECT_EQ(mensagem([&] { novo.Imprimir(); }), "Componente DAMDFE não associado.");
    EXPECT_EQ(mensagem([&] { comp->Manifestos().ImprimirPDF(); }), "Componente DAMDFE não associado.");
    auto outro = rtl::TComponent::CreateFree<rtl::TComponent>();
    EXPECT_EQ(mensagem([&] { mdfe::TManifestos lista(outro.get()); }), "AOwner deve ser do tipo TOvixMDFe");
}

// Every manifest file loads and regenerates into well-formed XML: the fixtures here, and
// the files of the folder MDFE_CORPUS_DIR names when it is set.
TEST(Manifestos, EveryManifestFileLoadsAndRegeneratesWellFormed)
{
    QStringList pastas{QString(TEST_SOURCE_DIR) + "/fixtures"};
    if (qEnvironmentVariableIsSet("MDFE_CORPUS_DIR"))
        pastas << qEnvironmentVariable("MDFE_CORPUS_DIR");
    int arquivos = 0;
    for (const QString &pasta : pastas) {
        for (const QFileInfo &info : QDir(pasta).entryInfoList({"*.xml"}, QDir::Files, QDir::Name)) {
            const std::string arquivo = info.absoluteFilePath().toStdString();
            ++arquivos;
            auto comp = rtl::TComponent::CreateFree<TOvixMDFe>();
            mdfe::TManifestos &lista = comp->Manifestos();
            ASSERT_TRUE(lista.LoadFromFile(arquivo)) << arquivo;
            for (int i = 0; i < lista.Count(); ++i) {
                EXPECT_EQ(lista.Items(i).NomeArq(), arquivo);
                QXmlStreamReader xml(QByteArray::fromStdString(lista.Items(i).XMLOriginal()));
                while (!xml.atEnd())
                    xml.readNext();
                EXPECT_FALSE(xml.hasError()) << arquivo << ": " << xml.errorString().toStdString();
            }
        }
    }
    EXPECT_GT(arquivos, 0);
}

} // namespace

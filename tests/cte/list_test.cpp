// The CT-e component's document list: how a text is cut into documents, the CT-e OS rule,
// file names, failures, the entries' defaults, saving and printing through the DACTE.
#include "cte/list.h"

#include "cte/component.h"
#include "cte/settings.h"

#include "dacte_falso.h"

#include "dfe/exception.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using cte::TOvixCTe;
using cte_teste::TDACTeFalso;

const std::string Decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// A small document the reader takes: Id, versao, the integer leaves of ide, the number,
// the model and the issuer's name.
std::string Documento(const std::string &raiz, const std::string &mod, const std::string &nCT,
                      const std::string &xNome)
{
    const std::string abre = raiz == "CTeOS" ? "<CTeOS versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">"
                                             : "<CTe xmlns=\"http://www.portalfiscal.inf.br/cte\">";
    return abre + "<infCte versao=\"3.00\" Id=\"CTe35190511222333000181" + mod + "001000000" + nCT +
           "1102030400\"><ide><cUF>35</cUF><cCT>10203040</cCT><CFOP>5353</CFOP><natOp>FRETE</natOp>"
           "<mod>" + mod + "</mod><serie>1</serie><nCT>" + nCT + "</nCT><dhEmi>2019-05-10T10:00:00-03:00</dhEmi>"
           "<tpImp>1</tpImp><tpEmis>1</tpEmis><tpAmb>2</tpAmb><tpCTe>0</tpCTe><modal>01</modal></ide>"
           "<emit><CNPJ>11222333000181</CNPJ><IE>123</IE><xNome>" + xNome + "</xNome></emit>"
           "<vPrest><vTPrest>10.00</vTPrest></vPrest></infCte></" + raiz + ">";
}

std::string CTe(const std::string &nCT, const std::string &xNome) { return Documento("CTe", "57", nCT, xNome); }
std::string CTeOS(const std::string &nCT, const std::string &xNome) { return Documento("CTeOS", "67", nCT, xNome); }

std::string Envelope(const std::string &doc, const std::string &nProt, const std::string &tag = "cteProc")
{
    return "<" + tag + " versao=\"3.00\" xmlns=\"http://www.portalfiscal.inf.br/cte\">" + doc +
           "<protCTe versao=\"3.00\"><infProt><nProt>" + nProt + "</nProt><cStat>100</cStat></infProt></protCTe>"
           "</" + tag + ">";
}

std::string ErroDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const rtl::Exception &e) {
        return e.Message();
    }
    return "no error";
}

bool BemFormado(const std::string &xml, std::string &erro)
{
    QXmlStreamReader leitor(QByteArray::fromStdString(xml));
    while (!leitor.atEnd())
        leitor.readNext();
    erro = leitor.errorString().toStdString();
    return !leitor.hasError();
}

int Ocorrencias(std::string_view texto, std::string_view alvo)
{
    int n = 0;
    for (std::size_t p = texto.find(alvo); p != std::string_view::npos; p = texto.find(alvo, p + 1))
        ++n;
    return n;
}

struct Esperado {
    std::string xNome;
    std::string nProt;
    int modelo;
};

// Every way a text may hold documents, loaded into a fresh list: the entries in order,
// each read from a piece holding that one document, with its issuer, protocol and model,
// and each regenerated into well-formed XML.
TEST(Conhecimentos, SplitsEveryDocumentOfATextIntoOneEntry)
{
    const struct Row {
        const char *name;
        std::string texto;
        bool resultado;
        std::vector<Esperado> esperados;
    } rows[] = {
        {"one bare followed by a line break", Decl + CTe("001", "Um") + "\r\n", true, {{"Um", "", 57}}},
        {"two enveloped with blanks between",
         Decl + Envelope(CTe("001", "Um"), "1") + " \r\n\t" + Envelope(CTe("002", "Dois"), "2"), true,
         {{"Um", "1", 57}, {"Dois", "2", 57}}},
        {"the other envelope name", Envelope(CTe("001", "Um"), "7", "procCTe"), true, {{"Um", "7", 57}}},
        {"bare then enveloped", CTe("001", "Um") + Envelope(CTe("002", "Dois"), "2"), true,
         {{"Um", "", 57}, {"Dois", "2", 57}}},
        {"enveloped then bare", Envelope(CTe("001", "Um"), "1") + "\n" + CTe("002", "Dois"), true,
         {{"Um", "1", 57}, {"Dois", "", 57}}},
        {"a CT-e OS in its envelope", Decl + Envelope(CTeOS("045", "OS"), "45", "cteOSProc"), true,
         {{"OS", "45", 67}}},
        {"a CT-e OS in the other envelope name", Envelope(CTeOS("045", "OS"), "46", "procCTeOS"), true,
         {{"OS", "46", 67}}},
        {"a bare CT-e then a bare CT-e OS: only the CT-e OS", CTe("001", "Um") + CTeOS("045", "OS"), true,
         {{"OS", "", 67}}},
        {"an enveloped CT-e, a bare CT-e OS and a bare CT-e: only the CT-e OS",
         Decl + Envelope(CTe("001", "Um"), "1") + "\n" + CTeOS("045", "OS") + "\n" + CTe("002", "Dois"), true,
         {{"OS", "", 67}}},
        {"an enveloped CT-e then an enveloped CT-e OS",
         Envelope(CTe("001", "Um"), "1") + Envelope(CTeOS("045", "OS"), "45", "cteOSProc"), true,
         {{"OS", "45", 67}}},
        {"CT-e OS documents around a CT-e",
         CTeOS("045", "OS1") + CTe("001", "Um") + Envelope(CTeOS("046", "OS2"), "2", "cteOSProc"), true,
         {{"OS1", "", 67}, {"OS2", "2", 67}}},
        {"an NF-e is no CT-e", Decl + "<NFe><infNFe versao=\"4.00\" Id=\"NFe1\"></infNFe></NFe>", false, {}},
        {"a CT-e without its closing tag", Envelope(CTe("001", "Um"), "1").substr(0, 400), false, {}},
        {"empty text", "", false, {}},
        {"accents of the ANSI code page survive, other characters do not",
         Decl + CTe("001", "Ação \xC5\x91"), true, {{"Ação ?", "", 57}}},
    };
    for (const Row &row : rows) {
        // The pieces as cut, before any regeneration: one document each.
        auto cortado = rtl::TComponent::CreateFree<TOvixCTe>();
        EXPECT_EQ(cortado->Conhecimentos().LoadFromString(row.texto, false), row.resultado) << row.name;
        ASSERT_EQ(cortado->Conhecimentos().Count(), static_cast<int>(row.esperados.size())) << row.name;
        for (int i = 0; i < cortado->Conhecimentos().Count(); ++i) {
            const std::string &peca = cortado->Conhecimentos().Items(i).XMLOriginal();
            EXPECT_EQ(Ocorrencias(peca, "</CTe>") + Ocorrencias(peca, "</CTeOS>"), 1) << row.name << " #" << i;
        }

        auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
        cte::TConhecimentos &lista = comp->Conhecimentos();
        EXPECT_EQ(lista.LoadFromString(row.texto), row.resultado) << row.name;
        ASSERT_EQ(lista.Count(), static_cast<int>(row.esperados.size())) << row.name;
        for (int i = 0; i < lista.Count(); ++i) {
            const cte::Conhecimento &item = lista.Items(i);
            EXPECT_EQ(item.CTe().emit.xNome, row.esperados[i].xNome) << row.name << " #" << i;
            EXPECT_EQ(item.CTe().procCTe.nProt, row.esperados[i].nProt) << row.name << " #" << i;
            EXPECT_EQ(item.CTe().ide.modelo, row.esperados[i].modelo) << row.name << " #" << i;
            std::string erro;
            EXPECT_TRUE(BemFormado(item.XMLOriginal(), erro)) << row.name << " #" << i << ": " << erro;
        }
    }
}

// A document that fails to read stops the load: the entries before it are complete, the
// failing one stays partly filled, later ones are not read and no entry is named after
// the file. A missing file changes nothing.
TEST(Conhecimentos, AFailureMidFileStopsTheLoadAndNamesNoEntry)
{
    QTemporaryDir tmp;
    const std::string nome = tmp.path().toStdString() + "/lote.xml";
    rtl::WriteFileBytes(nome, Envelope(CTe("001", "Um"), "1") +
                                  "<CTe><infCte versao=\"3.00\" Id=\"CTe\"><emit><xNome>Dois</xNome></emit>"
                                  "</infCte></CTe>" +
                                  CTe("003", "Tres"));
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::TConhecimentos &lista = comp->Conhecimentos();
    EXPECT_EQ(ErroDe([&] { lista.LoadFromFile(nome); }), "Não encontrei o atributo: Id");
    ASSERT_EQ(lista.Count(), 2);
    EXPECT_EQ(lista.Items(0).CTe().emit.xNome, "Um");
    EXPECT_FALSE(lista.Items(0).XMLOriginal().empty());
    EXPECT_EQ(lista.Items(1).CTe().infCTe.Id, "CTe");
    EXPECT_EQ(lista.Items(0).NomeArq(), "");
    EXPECT_EQ(lista.Items(1).NomeArq(), "");

    EXPECT_THROW(lista.LoadFromFile(tmp.path().toStdString() + "/nao-existe.xml"), rtl::EFOpenError);
    EXPECT_EQ(lista.Count(), 2);
}

// A second file loaded without clearing: only its own entries take its name, and a list
// that already holds entries answers true even when the new file held no CT-e.
TEST(Conhecimentos, FileNamesAreStampedOnTheEntriesOfTheLoadedFileOnly)
{
    QTemporaryDir tmp;
    const std::string dois = tmp.path().toStdString() + "/dois.xml";
    const std::string vazio = tmp.path().toStdString() + "/vazio.xml";
    rtl::WriteFileBytes(dois, CTe("001", "Um") + Envelope(CTe("002", "Dois"), "2"));
    rtl::WriteFileBytes(vazio, Decl + "<NFe/>");
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::TConhecimentos &lista = comp->Conhecimentos();

    EXPECT_FALSE(lista.LoadFromFile(vazio));
    lista.Add();
    ASSERT_TRUE(lista.LoadFromFile(dois));
    ASSERT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.Items(0).NomeArq(), "");
    EXPECT_EQ(lista.Items(1).NomeArq(), dois);
    EXPECT_EQ(lista.Items(2).NomeArq(), dois);
    EXPECT_EQ(lista.Items(2).CalcularNomeArquivo(), lista.Items(2).NumID() + "-cte.xml");
    EXPECT_EQ(lista.Items(2).NumID().size(), 44u);

    EXPECT_TRUE(lista.LoadFromFile(vazio));
    EXPECT_EQ(lista.Count(), 3);
    EXPECT_EQ(lista.Items(2).NomeArq(), dois);
}

TEST(Conhecimentos, NewEntriesTakeTheSettingsAndTheDACTEsLayout)
{
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    const cte::Conhecimento &padrao = comp->Conhecimentos().Add();
    EXPECT_EQ(padrao.CTe().ide.modelo, 57);
    EXPECT_DOUBLE_EQ(padrao.CTe().infCTe.versao, 3.0);
    EXPECT_EQ(padrao.CTe().ide.tpCTe, cte::tcNormal);
    EXPECT_EQ(padrao.CTe().ide.verProc, "OvixCTe");
    EXPECT_EQ(padrao.CTe().ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(padrao.CTe().ide.tpEmis, dfe::teNormal);
    EXPECT_EQ(padrao.CTe().ide.tpImp, dfe::tiSemGeracao);

    auto dacte = rtl::TComponent::CreateFree<TDACTeFalso>(dfe::tiPaisagem);
    comp->SetDACTE(dacte.get());
    comp->Configuracoes().Geral().SetModeloDF(cte::moCTeOS);
    comp->Configuracoes().Geral().SetVersaoDF(cte::ve200);
    comp->Configuracoes().Geral().SetFormaEmissao(dfe::teFSDA);
    const cte::Conhecimento &novo = comp->Conhecimentos().Add();
    EXPECT_EQ(novo.CTe().ide.modelo, 67);
    EXPECT_DOUBLE_EQ(novo.CTe().infCTe.versao, 2.0);
    EXPECT_EQ(novo.CTe().ide.tpEmis, dfe::teFSDA);
    EXPECT_EQ(novo.CTe().ide.tpImp, dfe::tiPaisagem);
}

// The list's and the entries' own errors, each before anything else happens.
TEST(Conhecimentos, MissingPartsRaiseTheirMessages)
{
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::Conhecimento &novo = comp->Conhecimentos().Add();
    auto outro = rtl::TComponent::CreateFree<rtl::TComponent>();
    const struct Row {
        const char *name;
        std::function<void()> acao;
        const char *mensagem;
    } rows[] = {
        {"a file name without Id", [&] { (void)novo.CalcularNomeArquivo(); }, "ID Inválido. Impossível Salvar XML"},
        {"an entry printed without DACTE", [&] { novo.Imprimir(); }, "Componente DACTE não associado."},
        {"an entry exported without DACTE", [&] { novo.ImprimirPDF(); }, "Componente DACTE não associado."},
        {"the list printed without DACTE", [&] { comp->Conhecimentos().Imprimir(true); },
         "Componente DACTE não associado."},
        {"the list exported without DACTE", [&] { comp->Conhecimentos().ImprimirPDF(); },
         "Componente DACTE não associado."},
        {"a list owned by another component", [&] { cte::TConhecimentos lista(outro.get()); },
         "AOwner deve ser do tipo TOvixCTe"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ErroDe(row.acao), row.mensagem) << row.name;
}

// The whole list goes to the DACTE as no document (the DACTE takes the list itself), with
// the ICMS choice set first; an entry goes as its own document.
TEST(Conhecimentos, PrintsGoThroughTheLinkedDACTE)
{
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    auto dacte = rtl::TComponent::CreateFree<TDACTeFalso>();
    comp->SetDACTE(dacte.get());
    ASSERT_TRUE(comp->Conhecimentos().LoadFromString(CTe("001", "Um") + CTe("002", "Dois")));

    comp->Conhecimentos().Imprimir(true);
    comp->Conhecimentos().Imprimir();
    comp->Conhecimentos().Items(1).Imprimir();
    comp->Conhecimentos().ImprimirPDF();
    comp->Conhecimentos().Items(0).ImprimirPDF();
    EXPECT_EQ(dacte->ExibeICMS, (std::vector<bool>{true, false}));
    EXPECT_EQ(dacte->Impressos,
              (std::vector<const cte::TCTe *>{nullptr, nullptr, &comp->Conhecimentos().Items(1).CTe()}));
    EXPECT_EQ(dacte->PDFs, (std::vector<const cte::TCTe *>{nullptr, &comp->Conhecimentos().Items(0).CTe()}));
}

// One fixed file name for several documents would leave only the last one on disk, so it
// is refused before anything is written; without a name each document gets its own file.
TEST(Conhecimentos, SavingSeveralDocumentsUnderOneNameIsRefused)
{
    QTemporaryDir tmp;
    const std::string pasta = tmp.path().toStdString() + "/";
    auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
    cte::TConhecimentos &lista = comp->Conhecimentos();
    ASSERT_TRUE(lista.LoadFromString(CTe("001", "Um") + CTe("002", "Dois")));

    EXPECT_THROW(lista.GravarXML(pasta + "lote.xml"), dfe::EOvixDFeException);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pasta + "lote.xml")));

    ASSERT_TRUE(lista.GravarXML(pasta));
    for (int i = 0; i < lista.Count(); ++i) {
        EXPECT_EQ(lista.Items(i).NomeArq(), pasta + lista.Items(i).NumID() + "-cte.xml");
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(lista.Items(i).NomeArq()))) << i;
    }
    EXPECT_NE(lista.Items(0).NomeArq(), lista.Items(1).NomeArq());
}

// Every CT-e and CT-e OS file loads and regenerates into well-formed XML, each entry named
// after its file: the fixtures here, and the files of the cte/ and cteos/ folders under
// CTE_CORPUS_DIR when it is set.
TEST(Conhecimentos, EveryCTeFileLoadsAndRegeneratesWellFormed)
{
    QStringList pastas{QString(TEST_SOURCE_DIR) + "/fixtures"};
    if (qEnvironmentVariableIsSet("CTE_CORPUS_DIR")) {
        const QString corpus = qEnvironmentVariable("CTE_CORPUS_DIR");
        pastas << corpus + "/cte" << corpus + "/cteos";
    }
    int arquivos = 0;
    for (const QString &pasta : pastas) {
        for (const QFileInfo &info : QDir(pasta).entryInfoList({"*.xml"}, QDir::Files, QDir::Name)) {
            const std::string arquivo = info.absoluteFilePath().toStdString();
            SCOPED_TRACE(arquivo);
            ++arquivos;
            auto comp = rtl::TComponent::CreateFree<TOvixCTe>();
            cte::TConhecimentos &lista = comp->Conhecimentos();
            ASSERT_TRUE(lista.LoadFromFile(arquivo));
            for (int i = 0; i < lista.Count(); ++i) {
                const cte::Conhecimento &item = lista.Items(i);
                EXPECT_EQ(item.NomeArq(), arquivo);
                EXPECT_EQ(item.NumID().size(), 44u) << "#" << i;
                std::string erro;
                EXPECT_TRUE(BemFormado(item.XMLOriginal(), erro)) << "#" << i << ": " << erro;
            }
        }
    }
    EXPECT_GT(arquivos, 0);
}

} // namespace

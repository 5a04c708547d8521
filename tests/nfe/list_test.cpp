#include "nfe/list.h"

#include "nfe/component.h"
#include "nfe/exception.h"
#include "nfe/settings.h"

#include "dfe/exception.h"
#include "dfe/loader.h"
#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"
#include "rtl/streams.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QFileInfo>

#include <functional>
#include <string>

namespace {

using nfe::TOvixNFe;

// A small document the reader accepts: Id, versao, one item, free text in infCpl.
std::string Documento(const std::string &nNF, const std::string &xNome, const std::string &infCpl)
{
    return "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
           "<infNFe versao=\"4.00\" Id=\"NFe3519011122233300018155001000000" + nNF + "1000000010\">"
           "<ide><cUF>35</cUF><nNF>" + nNF + "</nNF><mod>55</mod></ide>"
           "<emit><CNPJ>11222333000181</CNPJ><xNome>" + xNome + "</xNome></emit>"
           "<det nItem=\"1\"><prod><cProd>1</cProd><xProd>Item</xProd></prod><imposto/></det>"
           "<total><ICMSTot><vNF>10.00</vNF></ICMSTot></total>"
           "<infAdic><infCpl>" + infCpl + "</infCpl></infAdic>"
           "</infNFe></NFe>";
}

std::string Envelope(const std::string &doc, const std::string &nProt)
{
    return "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">" + doc +
           "<protNFe versao=\"4.00\"><infProt><nProt>" + nProt + "</nProt><cStat>100</cStat></infProt></protNFe>"
           "</nfeProc>";
}

TEST(NotasFiscais, EveryDocumentOfATextBecomesOneEntryInOrder)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    const std::string texto = Documento("001", "Primeira", "a") + "\r\n" +
                              Envelope(Documento("002", "Segunda", "b"), "135190000000002") + " " +
                              Envelope(Documento("003", "Terceira", "c"), "135190000000003");
    ASSERT_TRUE(lista.LoadFromString(texto));
    ASSERT_EQ(lista.Count(), 3) << "a bare document followed by an enveloped one is two documents";
    EXPECT_EQ(lista.Items(0).NFe().Emit.xNome, "Primeira");
    EXPECT_EQ(lista.Items(0).NFe().procNFe.nProt, "") << "the next document's protocol is not the first one's";
    EXPECT_EQ(lista.Items(1).NFe().Emit.xNome, "Segunda");
    EXPECT_EQ(lista.Items(1).NFe().procNFe.nProt, "135190000000002");
    EXPECT_EQ(lista.Items(2).NFe().procNFe.nProt, "135190000000003");
    EXPECT_EQ(lista.Items(1).XMLOriginal().rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
}

// The text is stored in the UTF-8 byte form whatever held it before, including a text
// that is the entry's own stored text or a piece of it.
TEST(NotasFiscais, XMLOriginalKeepsAUtf8TextAndDeclaresAnyOther)
{
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string assinado = decl + "<NFe><Signature>s</Signature></NFe>";
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::NotaFiscal &nota = comp->NotasFiscais().Add();
    struct Row {
        const char *name;
        std::string antes;  // stored first
        bool proprio;       // then the stored text itself is given, from `de` on
        std::size_t de;
        std::string texto;  // or this text
        std::string esperado;
        bool temAssinatura;
    } rows[] = {
        {"UTF-8 kept as is", "", false, 0, decl + "<NFe>ç</NFe>", decl + "<NFe>ç</NFe>", false},
        {"undeclared is declared and read as ANSI", "", false, 0, "<NFe>\xE7</NFe>",
         decl + "<NFe>ç</NFe>", false},
        {"a longer text after a shorter one", decl + "<a/>", false, 0,
         decl + "<NFe>" + std::string(300, 'x') + "</NFe>", decl + "<NFe>" + std::string(300, 'x') + "</NFe>",
         false},
        {"signed", "", false, 0, assinado, assinado, true},
        {"signature gone", assinado, false, 0, decl + "<NFe/>", decl + "<NFe/>", false},
        {"its own text", decl + "<NFe>abc</NFe>", true, 0, "", decl + "<NFe>abc</NFe>", false},
        {"a piece of its own text", decl + "<NFe>abc</NFe>", true, decl.size(), "",
         decl + "<NFe>abc</NFe>", false},
    };
    for (const auto &row : rows) {
        if (!row.antes.empty())
            nota.SetXMLOriginal(row.antes);
        if (row.proprio)
            nota.SetXMLOriginal(std::string_view(nota.XMLOriginal()).substr(row.de));
        else
            nota.SetXMLOriginal(row.texto);
        EXPECT_EQ(nota.XMLOriginal(), row.esperado) << row.name;
        EXPECT_EQ(nota.XMLAssinado(), row.temAssinatura ? row.esperado : "") << row.name;
    }
}

TEST(NotasFiscais, EscapedMarkupInAValueStaysTextAndEntitiesDecodeOnce)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromString(
        Documento("001", "A &amp; B &ccedil;", "fim &lt;/det&gt;&lt;det nItem=&quot;2&quot;&gt; x &amp;lt;")));
    ASSERT_EQ(lista.Count(), 1);
    const nfe::TNFe &nota = lista.Items(0).NFe();
    EXPECT_EQ(nota.Emit.xNome, "A & B ç");
    EXPECT_EQ(nota.InfAdic.infCpl, "fim </det><det nItem=\"2\"> x &lt;");
    EXPECT_EQ(nota.Det.Count(), 1);
}

TEST(NotasFiscais, FilesAreDecodedByTheirEncodingAndNamedOnTheirEntries)
{
    QTemporaryDir tmp;
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    struct Row {
        const char *name;
        std::string bytes;
    } rows[] = {
        {"declared ISO-8859-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + rtl::Utf8ToAnsi(Documento("001", "São João", ""))},
        {"undeclared UTF-8", Documento("001", "São João", "")},
        {"declared UTF-8 with a BOM", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + Documento("001", "São João", "")},
    };
    for (const auto &row : rows) {
        const std::string nome = tmp.path().toStdString() + "/nota.xml";
        rtl::WriteFileBytes(nome, row.bytes);
        lista.Clear();
        ASSERT_TRUE(lista.LoadFromFile(nome)) << row.name;
        ASSERT_EQ(lista.Count(), 1) << row.name;
        EXPECT_EQ(lista.Items(0).NFe().Emit.xNome, "São João") << row.name;
        EXPECT_EQ(lista.Items(0).NomeArq(), nome) << row.name;
    }
}

TEST(NotasFiscais, TextsWithoutDocumentsAndUnreadableFiles)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    EXPECT_FALSE(lista.LoadFromString("<CTe><infCte/></CTe>"));
    EXPECT_EQ(lista.Count(), 0);
    EXPECT_THROW(lista.LoadFromFile("/nao/existe.xml"), rtl::EFOpenError);
    try {
        lista.LoadFromString("<NFe><infNFe versao=\"4.00\" Id=\"NFe\"></infNFe></NFe>");
        FAIL() << "no error";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), "Não encontrei o atributo: Id");
    }
    EXPECT_EQ(lista.Count(), 1) << "the entry that failed stays, partly filled";
}

TEST(NotasFiscais, NewEntriesTakeTheComponentsDefaults)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    const nfe::TNFe &nova = comp->NotasFiscais().Add().NFe();
    EXPECT_EQ(nova.Ide.modelo, 55);
    EXPECT_DOUBLE_EQ(nova.infNFe.Versao, 4.0);
    EXPECT_EQ(nova.Ide.verProc, "OvixNFe");
    EXPECT_EQ(nova.Emit.EnderEmit.nro, "SEM NUMERO");
    EXPECT_EQ(nova.Dest.EnderDest.cPais, 1058);
}

// ---- Saving, streams, positions ---------------------------------------------------------

TEST(NotasFiscais, SavingNamesEachFileAfterItsDocumentAndRefusesOneNameForSeveral)
{
    QTemporaryDir tmp;
    const std::string pasta = tmp.path().toStdString() + "/";
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromString(Documento("001", "Primeira", "a") + Documento("002", "Segunda", "b")));

    // One name for two documents would leave only the last one's file: nothing is written.
    EXPECT_THROW(lista.GravarXML(pasta + "fixo.xml"), dfe::EOvixDFeException);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pasta + "fixo.xml")));

    ASSERT_TRUE(lista.GravarXML(pasta));
    for (int i = 0; i < 2; ++i) {
        const nfe::NotaFiscal &nota = lista.Items(i);
        EXPECT_EQ(nota.NomeArq(), pasta + nota.NumID() + "-nfe.xml");
        const std::string bytes = rtl::ReadFileBytes(nota.NomeArq());
        EXPECT_EQ(bytes, dfe::BytesUTF8(nota.XMLOriginal()));
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    }

    // The same bytes go into a stream, whatever it held before.
    rtl::TStringStream fluxo(std::string(100000, 'x'));
    EXPECT_TRUE(lista.Items(1).GravarStream(fluxo));
    EXPECT_EQ(fluxo.DataString(), rtl::ReadFileBytes(lista.Items(1).NomeArq()));

    // A fixed name is fine for a single document; its own folder wins over the list's.
    lista.Clear();
    ASSERT_TRUE(lista.LoadFromString(Documento("003", "Terceira", "c")));
    ASSERT_TRUE(lista.GravarXML(pasta + "fixo.xml"));
    EXPECT_EQ(lista.Items(0).NomeArq(), pasta + "fixo.xml");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(pasta + "fixo.xml")));
}

TEST(NotasFiscais, StreamsInsertionsAssignmentAndRegeneratingEveryEntry)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();

    // The stream is read from its start wherever its position stands; no file name.
    rtl::TStringStream fluxo(rtl::Utf8ToAnsi("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                                             Documento("001", "São João", "")));
    fluxo.Seek(0, rtl::soEnd);
    ASSERT_TRUE(lista.LoadFromStream(fluxo, false));
    ASSERT_EQ(lista.Count(), 1);
    EXPECT_EQ(lista.Items(0).NFe().Emit.xNome, "São João");
    EXPECT_EQ(lista.Items(0).NomeArq(), "");
    EXPECT_NE(lista.Items(0).XMLOriginal().find("ISO-8859-1"), std::string::npos) << "as read";

    nfe::NotaFiscal &inserida = lista.Insert(0);
    EXPECT_EQ(&lista.Items(0), &inserida);
    EXPECT_EQ(lista.Items(1).NFe().Emit.xNome, "São João");
    EXPECT_THROW(lista.Insert(3), rtl::EListError);

    // Assigning a text reads it as loading does.
    inserida.SetXML(Envelope(Documento("007", "Sétima", ""), "135190000000007"));
    EXPECT_EQ(inserida.NFe().Ide.nNF, 7);
    EXPECT_EQ(inserida.NFe().procNFe.nProt, "135190000000007");
    const std::string lido = inserida.XMLOriginal();

    lista.GerarNFe();
    EXPECT_NE(inserida.XMLOriginal(), lido);
    EXPECT_NE(inserida.XMLOriginal().find("<nProt>135190000000007</nProt>"), std::string::npos);
    EXPECT_EQ(lista.Items(1).XMLOriginal().find("ISO-8859-1"), std::string::npos) << "regenerated too";
}

TEST(NotasFiscais, StatusOfTheProtocolAndTheNumberOfTheKey)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromString(Envelope(Documento("001", "Primeira", ""), "135190000000001")));
    nfe::NotaFiscal &nota = lista.Items(0);
    struct Row {
        int cStat;
        bool confirmada, processada, cancelada;
    } rows[] = {{100, true, true, false}, {150, true, true, false}, {135, false, false, true},
                {204, false, false, false}};
    for (const Row &row : rows) {
        nota.NFe().procNFe.cStat = row.cStat;
        nota.NFe().procNFe.xMotivo = "motivo " + std::to_string(row.cStat);
        EXPECT_EQ(nota.cStat(), row.cStat);
        EXPECT_EQ(nota.Msg(), "motivo " + std::to_string(row.cStat));
        EXPECT_EQ(nota.Confirmada(), row.confirmada) << row.cStat;
        EXPECT_EQ(nota.Processada(), row.processada) << row.cStat;
        EXPECT_EQ(nota.Cancelada(), row.cancelada) << row.cStat;
    }
    nota.NFe().infNFe.ID = "NFe 35-19";
    EXPECT_EQ(nota.NumID(), "3519");
}

// The regenerated key is built from the model, so it agrees; each field the key carries
// then disagrees on its own.
TEST(NotasFiscais, TheKeyIsCheckedAgainstTheModelFieldByField)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromFile(std::string(TEST_SOURCE_DIR) + "/fixtures/nfe400_proc.xml"));
    const nfe::TNFe original = lista.Items(0).NFe();
    EXPECT_TRUE(lista.Items(0).ValidarConcatChave());

    using Mudanca = std::function<void(nfe::TNFe &)>;
    const struct Row {
        const char *name;
        Mudanca mudar;
    } rows[] = {
        {"state", [](nfe::TNFe &n) { n.Ide.cUF = 41; }},
        {"year", [](nfe::TNFe &n) { n.Ide.dEmi += 366; }},
        {"month", [](nfe::TNFe &n) { n.Ide.dEmi -= 40; }},
        {"issuer", [](nfe::TNFe &n) { n.Emit.CNPJCPF = "11222333000181"; }},
        {"model", [](nfe::TNFe &n) { n.Ide.modelo = 65; }},
        {"series", [](nfe::TNFe &n) { n.Ide.serie = 2; }},
        {"number", [](nfe::TNFe &n) { n.Ide.nNF = 1235; }},
        {"number wider than its slot", [](nfe::TNFe &n) { n.Ide.nNF = 1000001234; }},
        {"emission type", [](nfe::TNFe &n) { n.Ide.tpEmis = dfe::teContingencia; }},
        {"numeric code", [](nfe::TNFe &n) { n.Ide.cNF += 1; }},
        {"a key cut short", [](nfe::TNFe &n) { n.infNFe.ID.resize(30); }},
    };
    for (const Row &row : rows) {
        lista.Items(0).NFe() = original;
        row.mudar(lista.Items(0).NFe());
        EXPECT_FALSE(lista.Items(0).ValidarConcatChave()) << row.name;
    }
}

TEST(NotasFiscais, FileNamesComeFromTheKeyAndTheStorageSettings)
{
    QTemporaryDir tmp;
    const std::string raiz = tmp.path().toStdString();
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TArquivosConfNFe &arquivos = comp->Configuracoes().Arquivos();
    arquivos.SetPathNFe(raiz);
    arquivos.SetSepararPorCNPJ(true);
    arquivos.SetSepararPorMes(true);
    arquivos.SetEmissaoPathNFe(true);
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromFile(std::string(TEST_SOURCE_DIR) + "/fixtures/nfe400_proc.xml"));
    const nfe::NotaFiscal &nota = lista.Items(0);
    const std::string nome = nota.NumID() + "-nfe.xml";
    // The issuer's CNPJ, then the year and month of issue (1 December 2020).
    const std::string pasta = raiz + "/12345678000195/202012/";

    EXPECT_EQ(nota.CalcularNomeArquivo(), nome);
    EXPECT_EQ(nota.CalcularPathArquivo(), pasta);
    const struct Row {
        const char *name;
        std::string nomeArquivo, pathArquivo, esperado;
    } rows[] = {
        {"both computed", "", "", pasta + nome},
        {"a folder given, without delimiter", "", "/outra", "/outra/" + nome},
        {"a bare name in the computed folder", "a.xml", "", pasta + "a.xml"},
        {"a bare name in the folder given", "a.xml", "/outra/", "/outra/a.xml"},
        {"a name with its own folder wins", "/minha/a.xml", "/outra", "/minha/a.xml"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(nota.CalcularNomeArquivoCompleto(row.nomeArquivo, row.pathArquivo), row.esperado) << row.name;

    lista.Items(0).NFe().infNFe.ID = "NFe";
    try {
        (void)lista.Items(0).CalcularNomeArquivo();
        FAIL() << "no error";
    } catch (const nfe::EOvixNFeException &e) {
        EXPECT_EQ(e.Message(), "ID Inválido. Impossível Salvar XML");
    }
}

TEST(NotasFiscais, TheNFeElementOfAText)
{
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const struct Row {
        const char *name;
        std::string texto, esperado;
    } rows[] = {
        {"with its namespace, inside an envelope",
         decl + "<nfeProc><NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe/></NFe><protNFe/></nfeProc>",
         decl + "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe/></NFe>"},
        {"without a namespace or declaration", "<nfeProc><NFe><infNFe/></NFe></nfeProc>", "<NFe><infNFe/></NFe>"},
        {"a namespace but no closing", decl + "<NFe xmlns=\"x\"><infNFe/>", ""},
        {"no NFe at all", decl + "<CTe><infCte/></CTe>", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(nfe::NotaFiscal::ObterNFeXML(row.texto), row.esperado) << row.name;
}

} // namespace

// A 3.10 NF-e saved in ISO-8859-1 with its declaration, as older issuers published them:
// every accented value reads as written, and the 3.10 groups land in the model.
TEST(NotasFiscais, AnIso88591File310ReadsWithItsAccentsAndGroups)
{
    auto comp = rtl::TComponent::CreateFree<TOvixNFe>();
    nfe::TNotasFiscais &lista = comp->NotasFiscais();
    ASSERT_TRUE(lista.LoadFromFile(std::string(TEST_SOURCE_DIR) + "/fixtures/nfe310_iso.xml", false));
    ASSERT_EQ(lista.Count(), 1);
    const nfe::TNFe &n = lista.Items(0).NFe();
    EXPECT_DOUBLE_EQ(n.infNFe.Versao, 3.1);
    EXPECT_EQ(n.infNFe.ID, "NFe35150422333444000155550010000004561000004568");
    EXPECT_EQ(n.Ide.natOp, "VENDA DE MERCADORIA E SERVIÇO");
    EXPECT_EQ(n.Ide.indPag, dfe::ipOutras);
    EXPECT_EQ(n.Emit.xNome, "AÇÚCAR & CAFÉ LTDA");
    EXPECT_EQ(n.Emit.EnderEmit.xMun, "São Paulo");
    EXPECT_EQ(n.Dest.xNome, "Comércio Irmãos Araújo");
    ASSERT_EQ(n.Det.Count(), 4);
    EXPECT_EQ(n.Det.Items(0).Prod.xProd, "Açúcar cristal 5 kg");
    EXPECT_EQ(n.Det.Items(0).Imposto.ICMS.CST, dfe::cst40);
    EXPECT_EQ(n.Det.Items(0).Imposto.ICMS.vICMSDeson, rtl::Currency::FromDouble(15));
    EXPECT_EQ(n.Det.Items(1).Imposto.ICMS.CST, dfe::cstPart10);
    EXPECT_EQ(n.Det.Items(1).Imposto.ICMS.pICMS, rtl::Currency::FromDouble(12));
    EXPECT_EQ(n.Det.Items(2).Imposto.ICMS.CST, dfe::cst60);
    EXPECT_EQ(n.Det.Items(2).Imposto.ICMS.vICMSSTRet, rtl::Currency::FromDouble(9.6));
    EXPECT_EQ(n.Det.Items(3).Imposto.ISSQN.cListServ, "14.01");
    EXPECT_EQ(n.Det.Items(3).infAdProd, "Serviço prestado no local");
    EXPECT_EQ(n.Total.ISSQNtot.cRegTrib, dfe::RTISSMEEPP);
    EXPECT_EQ(n.Transp.Transporta.xMun, "Jundiaí");
    ASSERT_EQ(n.Cobr.Dup.Count(), 2);
    EXPECT_EQ(n.Cobr.Dup.Items(1).vDup, rtl::Currency::FromDouble(186.6));
    EXPECT_EQ(n.InfAdic.infCpl, "Pedido nº 77; entrega à tarde");
    EXPECT_EQ(n.exporta.xLocExporta, "Porto de Santos");
    EXPECT_EQ(n.procNFe.nProt, "") << "a bare document has no protocol";
}

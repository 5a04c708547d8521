#include "nfe/list.h"

#include "nfe/component.h"

#include "rtl/encoding.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// Reading MDF-e files into the model: each layout and mode read as a person reading the
// XML would read it, the layout gates, the errors, and the rules that keep a value where
// it belongs (the vehicle's UF, a zero numeric code, escaped markup inside a value).

#include "mdfe/model.h"
#include "mdfe/reader.h"

#include "dfe/accesskey.h"
#include "dfe/loader.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace mdfe;

constexpr std::string_view NameSpaceMDFe = "http://www.portalfiscal.inf.br/mdfe";

std::string Fixture(const std::string &nome)
{
    return rtl::ReadFileBytes(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome);
}

// Reads the text as it stands into a fresh model.
TMDFe Lido(std::string texto)
{
    TMDFe mdfe;
    TMDFeR leitor(mdfe);
    leitor.Leitor().SetArquivo(std::move(texto));
    leitor.LerXml();
    return mdfe;
}

// The file's bytes as the program loads them: decoded, cut into documents, each with the
// accented-letter entities decoded over the whole text and the namespace removed, read
// into a fresh model.
std::vector<TMDFe> PelaEstrada(std::string_view bytes)
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

TMDFe DoArquivo(const std::string &nome)
{
    std::vector<TMDFe> lidos = PelaEstrada(Fixture(nome));
    EXPECT_EQ(lidos.size(), 1u) << nome;
    return lidos.empty() ? TMDFe() : std::move(lidos.front());
}

// A bare 3.00 manifest whose infMDFe holds corpo.
std::string Documento(const std::string &corpo, const std::string &versao = "3.00")
{
    return "<MDFe><infMDFe Id=\"MDFe35200311222333000181580010000001231123456781\" versao=\"" + versao + "\">" +
           corpo + "</infMDFe></MDFe>";
}

// An ide with the given leaves after a valid cMDF.
std::string Ide(const std::string &folhas)
{
    return "<ide><cUF>35</cUF><cMDF>12345678</cMDF>" + folhas + "</ide>";
}

std::string Rodo(const std::string &conteudo)
{
    return Ide("") + "<infModal><rodo>" + conteudo + "</rodo></infModal>";
}

rtl::TDateTime Dia(int a, int m, int d)
{
    return rtl::EncodeDate(a, m, d);
}

rtl::TDateTime Momento(int a, int m, int d, int h, int n, int s)
{
    return rtl::EncodeDateTime(a, m, d, h, n, s, 0);
}

const TMDFe &Rodoviario()
{
    static const TMDFe mdfe = DoArquivo("mdfe300-rodo-proc.xml");
    return mdfe;
}

// ---- Layout 3.00, road, with protocol --------------------------------------------------

TEST(MDFeReader, RoadManifestIdentificationAndIssuer)
{
    const TMDFe &m = Rodoviario();
    EXPECT_EQ(m.infMDFe.Id, "MDFe35200311222333000181580010000001231123456781");
    EXPECT_DOUBLE_EQ(m.infMDFe.versao, 3.0);

    const TIde &ide = m.Ide;
    EXPECT_EQ(ide.cUF, 35);
    EXPECT_EQ(ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(ide.tpEmit, teTransportadora);
    EXPECT_EQ(ide.tpTransp, ttETC);
    EXPECT_EQ(ide.modelo, "58");
    EXPECT_EQ(ide.serie, 1);
    EXPECT_EQ(ide.nMDF, 123);
    EXPECT_EQ(ide.cMDF, 12345678);
    EXPECT_EQ(ide.cDV, 1);
    EXPECT_EQ(ide.modal, moRodoviario);
    EXPECT_DOUBLE_EQ(ide.dhEmi, Momento(2020, 3, 10, 8, 15, 30));
    EXPECT_EQ(ide.tpEmis, dfe::teNormal);
    EXPECT_EQ(ide.procEmi, dfe::peAplicativoContribuinte);
    EXPECT_EQ(ide.verProc, "Emissor 2.1");
    EXPECT_EQ(ide.UFIni, "SP");
    EXPECT_EQ(ide.UFFim, "RJ");
    ASSERT_EQ(ide.infMunCarrega.Count(), 2);
    EXPECT_EQ(ide.infMunCarrega[0].cMunCarrega, 3550308);
    EXPECT_EQ(ide.infMunCarrega[0].xMunCarrega, "São Paulo");
    EXPECT_EQ(ide.infMunCarrega[1].xMunCarrega, "Campinas");
    ASSERT_EQ(ide.infPercurso.Count(), 1);
    EXPECT_EQ(ide.infPercurso[0].UFPer, "MG");
    EXPECT_DOUBLE_EQ(ide.dhIniViagem, Momento(2020, 3, 10, 9, 0, 0));
    EXPECT_EQ(ide.indCanalVerde, dfe::tiSim);
    EXPECT_EQ(ide.indCarregaPosterior, dfe::tiNao);

    const Temit &emit = m.emit;
    EXPECT_EQ(emit.CNPJCPF, "11222333000181");
    EXPECT_EQ(emit.IE, "111222333444");
    EXPECT_EQ(emit.xNome, "Transportes Exemplo Ação Ltda");
    EXPECT_EQ(emit.xFant, "Expresso São João");
    EXPECT_EQ(emit.enderEmit.xLgr, "Rua das Flores");
    EXPECT_EQ(emit.enderEmit.nro, "100");
    EXPECT_EQ(emit.enderEmit.xCpl, "Galpão 2");
    EXPECT_EQ(emit.enderEmit.xBairro, "Centro");
    EXPECT_EQ(emit.enderEmit.cMun, 3550308);
    EXPECT_EQ(emit.enderEmit.xMun, "São Paulo");
    EXPECT_EQ(emit.enderEmit.CEP, 1001000);
    EXPECT_EQ(emit.enderEmit.UF, "SP");
    EXPECT_EQ(emit.enderEmit.fone, "1133334444");
    EXPECT_EQ(emit.enderEmit.email, "fiscal@exemplo.com.br");
}

TEST(MDFeReader, RoadManifestContractsAndPayments)
{
    const Trodo &rodo = Rodoviario().rodo;
    // Layout 3.00 keeps both in infANTT; rodo's own leaves take the first ones inside it.
    EXPECT_EQ(rodo.RNTRC, "12345678");
    EXPECT_EQ(rodo.CIOT, "123456789012");
    EXPECT_EQ(rodo.codAgPorto, "AGP-77");

    const TinfANTT &antt = rodo.infANTT;
    EXPECT_EQ(antt.RNTRC, "12345678");
    ASSERT_EQ(antt.infCIOT.Count(), 1);
    EXPECT_EQ(antt.infCIOT[0].CIOT, "123456789012");
    EXPECT_EQ(antt.infCIOT[0].CNPJCPF, "44555666000181");

    ASSERT_EQ(antt.valePed.disp.Count(), 2);
    EXPECT_EQ(antt.valePed.disp[0].CNPJForn, "77888999000181");
    EXPECT_EQ(antt.valePed.disp[0].CNPJPg, "11222333000181");
    EXPECT_EQ(antt.valePed.disp[0].nCompra, "500001");
    EXPECT_DOUBLE_EQ(antt.valePed.disp[0].vValePed, 35.70);
    EXPECT_EQ(antt.valePed.disp[1].CNPJPg, "11144477735"); // the payer's CPFPg
    EXPECT_DOUBLE_EQ(antt.valePed.disp[1].vValePed, 12.40);
    EXPECT_EQ(rodo.valePed.disp.Count(), 0);

    ASSERT_EQ(antt.infContratante.Count(), 2);
    EXPECT_EQ(antt.infContratante[0].xNome, "Contratante Nacional");
    EXPECT_EQ(antt.infContratante[0].CNPJCPF, "22233344405");
    EXPECT_EQ(antt.infContratante[1].idEstrangeiro, "EX-4411");
    EXPECT_EQ(antt.infContratante[1].CNPJCPF, "");

    ASSERT_EQ(antt.infPag.Count(), 2);
    const TinfPagCollectionItem &prazo = antt.infPag[0];
    EXPECT_EQ(prazo.xNome, "Pagador a Prazo");
    EXPECT_EQ(prazo.CNPJCPF, "44555666000181");
    EXPECT_DOUBLE_EQ(prazo.vContrato, 1000.0);
    EXPECT_EQ(prazo.indPag, ipPrazo);
    ASSERT_EQ(prazo.Comp.Count(), 2);
    EXPECT_EQ(prazo.Comp[0].tpComp, tcValePedagio);
    EXPECT_DOUBLE_EQ(prazo.Comp[0].vComp, 48.10);
    EXPECT_EQ(prazo.Comp[1].tpComp, tcOutros);
    EXPECT_EQ(prazo.Comp[1].xComp, "Frete peso");
    ASSERT_EQ(prazo.infPrazo.Count(), 2);
    EXPECT_EQ(prazo.infPrazo[1].nParcela, 2);
    EXPECT_DOUBLE_EQ(prazo.infPrazo[1].dVenc, Dia(2020, 5, 10));
    EXPECT_DOUBLE_EQ(prazo.infPrazo[1].vParcela, 500.0);
    EXPECT_EQ(prazo.infBanc.CNPJIPEF, "12345678000195");

    // Paid at once: its instalments are not read, and a bank stands where no payment
    // institution is named.
    const TinfPagCollectionItem &vista = antt.infPag[1];
    EXPECT_EQ(vista.xNome, "Pagador à Vista");
    EXPECT_EQ(vista.CNPJCPF, "55566677720");
    EXPECT_EQ(vista.indPag, ipVista);
    EXPECT_EQ(vista.infPrazo.Count(), 0);
    EXPECT_EQ(vista.infBanc.CNPJIPEF, "");
    EXPECT_EQ(vista.infBanc.codBanco, "001");
    EXPECT_EQ(vista.infBanc.codAgencia, "1234-5");
}

TEST(MDFeReader, RoadManifestVehiclesKeepTheirOwnStateApartFromTheOwners)
{
    const Trodo &rodo = Rodoviario().rodo;
    const TveicTracao &t = rodo.veicTracao;
    EXPECT_EQ(t.cInt, "T-01");
    EXPECT_EQ(t.placa, "ABC1D23");
    EXPECT_EQ(t.RENAVAM, "12345678901");
    EXPECT_EQ(t.tara, 8500);
    EXPECT_EQ(t.capKG, 25000);
    EXPECT_EQ(t.capM3, 80);
    EXPECT_EQ(t.tpRod, dfe::trCavaloMecanico);
    EXPECT_EQ(t.tpCar, dfe::tcFechada);
    // The file is indented: the vehicle's UF follows a line break, the owner's comes first.
    EXPECT_EQ(t.UF, "SP");
    EXPECT_EQ(t.prop.CNPJCPF, "98765432100");
    EXPECT_EQ(t.prop.RNTRC, "87654321");
    EXPECT_EQ(t.prop.xNome, "José Proprietário");
    EXPECT_EQ(t.prop.IE, "ISENTO");
    EXPECT_EQ(t.prop.UF, "MG");
    EXPECT_EQ(t.prop.tpProp, dfe::tpTACIndependente);
    ASSERT_EQ(t.condutor.Count(), 2);
    EXPECT_EQ(t.condutor[0].xNome, "Motorista Um");
    EXPECT_EQ(t.condutor[1].CPF, "22233344405");

    ASSERT_EQ(rodo.veicReboque.Count(), 1);
    const TveicReboqueCollectionItem &r = rodo.veicReboque[0];
    EXPECT_EQ(r.cInt, "R-01");
    EXPECT_EQ(r.placa, "XYZ9K87");
    EXPECT_EQ(r.capM3, 90);
    EXPECT_EQ(r.tpCar, dfe::tcSider);
    EXPECT_EQ(r.UF, "RJ");
    EXPECT_EQ(r.prop.CNPJCPF, "44555666000181");
    EXPECT_EQ(r.prop.UF, "PR");
    EXPECT_EQ(r.prop.tpProp, dfe::tpOutros);
}

TEST(MDFeReader, RoadManifestDocumentsAndUnits)
{
    const TinfDoc &doc = Rodoviario().infDoc;
    ASSERT_EQ(doc.infMunDescarga.Count(), 2);

    const TinfMunDescargaCollectionItem &rio = doc.infMunDescarga[0];
    EXPECT_EQ(rio.cMunDescarga, 3304557);
    EXPECT_EQ(rio.xMunDescarga, "Rio de Janeiro");
    ASSERT_EQ(rio.infCTe.Count(), 2);
    EXPECT_EQ(rio.infNFe.Count(), 0);
    const TinfCTeCollectionItem &cte = rio.infCTe[0];
    EXPECT_EQ(cte.chCTe, "35200311222333000181570010000010011100000011");
    ASSERT_EQ(cte.infUnidTransp.Count(), 1);
    const TinfUnidTranspCollectionItem &ut = cte.infUnidTransp[0];
    EXPECT_EQ(ut.tpUnidTransp, dfe::utRodoTracao);
    EXPECT_EQ(ut.idUnidTransp, "ABC1D23");
    ASSERT_EQ(ut.lacUnidTransp.Count(), 2);
    EXPECT_EQ(ut.lacUnidTransp[1].nLacre, "UT-2");
    ASSERT_EQ(ut.infUnidCarga.Count(), 1);
    EXPECT_EQ(ut.infUnidCarga[0].tpUnidCarga, dfe::ucContainer);
    EXPECT_EQ(ut.infUnidCarga[0].idUnidCarga, "CONT1234567");
    ASSERT_EQ(ut.infUnidCarga[0].lacUnidCarga.Count(), 1);
    EXPECT_EQ(ut.infUnidCarga[0].lacUnidCarga[0].nLacre, "UC-1");
    EXPECT_DOUBLE_EQ(ut.infUnidCarga[0].qtdRat, 2.0);
    EXPECT_DOUBLE_EQ(ut.qtdRat, 1.5);

    const TinfCTeCollectionItem &perigoso = rio.infCTe[1];
    EXPECT_EQ(perigoso.SegCodBarra, "123456789012345678901234567890123456");
    EXPECT_EQ(perigoso.indReentrega, "1");
    EXPECT_EQ(perigoso.infUnidTransp.Count(), 0);
    ASSERT_EQ(perigoso.peri.Count(), 1);
    EXPECT_EQ(perigoso.peri[0].nONU, "1203");
    EXPECT_EQ(perigoso.peri[0].xNomeAE, "GASOLINA");
    EXPECT_EQ(perigoso.peri[0].xClaRisco, "3");
    EXPECT_EQ(perigoso.peri[0].grEmb, "II");
    EXPECT_EQ(perigoso.peri[0].qTotProd, "5000 L");
    EXPECT_EQ(perigoso.peri[0].qVolTipo, "1 tanque");

    const TinfMunDescargaCollectionItem &niteroi = doc.infMunDescarga[1];
    EXPECT_EQ(niteroi.xMunDescarga, "Niterói");
    EXPECT_EQ(niteroi.infCTe.Count(), 0);
    ASSERT_EQ(niteroi.infNFe.Count(), 2);
    EXPECT_EQ(niteroi.infNFe[1].chNFe, "35200311222333000181550010000050021200000020");
    ASSERT_EQ(niteroi.infNFe[0].infUnidTransp.Count(), 1);
    // The only qtdRat is the cargo unit's.
    EXPECT_DOUBLE_EQ(niteroi.infNFe[0].infUnidTransp[0].qtdRat, 0);
    EXPECT_DOUBLE_EQ(niteroi.infNFe[0].infUnidTransp[0].infUnidCarga[0].qtdRat, 3.25);
    EXPECT_EQ(niteroi.infNFe[0].infUnidTransp[0].infUnidCarga[0].tpUnidCarga, dfe::ucPallet);
}

TEST(MDFeReader, RoadManifestClosingGroupsSignatureAndProtocol)
{
    const TMDFe &m = Rodoviario();
    ASSERT_EQ(m.seg.Count(), 1);
    const TSegCollectionItem &seg = m.seg[0];
    EXPECT_EQ(seg.respSeg, rsTomadorServico);
    EXPECT_EQ(seg.CNPJCPF, "44555666000181");
    EXPECT_EQ(seg.xSeg, "Seguradora Confiança");
    EXPECT_EQ(seg.CNPJ, "77888999000181");
    EXPECT_EQ(seg.nApol, "APOL-2020-01");
    ASSERT_EQ(seg.aver.Count(), 2);
    EXPECT_EQ(seg.aver[1].nAver, "AV-0002");

    const TprodPred &p = m.prodPred;
    EXPECT_EQ(p.tpCarga, tcCargaGeral);
    EXPECT_EQ(p.xProd, "Peças automotivas");
    EXPECT_EQ(p.cEAN, "7891234567895");
    EXPECT_EQ(p.NCM, "87089990");
    EXPECT_EQ(p.infLocalCarrega.CEP, 13010000);
    EXPECT_DOUBLE_EQ(p.infLocalDescarrega.latitude, -22.906847);
    EXPECT_DOUBLE_EQ(p.infLocalDescarrega.longitude, -43.172897);

    EXPECT_EQ(m.tot.qCTe, 2);
    EXPECT_EQ(m.tot.qNFe, 2);
    EXPECT_EQ(m.tot.qCT, 0);
    EXPECT_DOUBLE_EQ(m.tot.vCarga, 15000.50);
    EXPECT_EQ(m.tot.cUnid, dfe::uKG);
    EXPECT_DOUBLE_EQ(m.tot.qCarga, 1250.5);

    ASSERT_EQ(m.lacres.Count(), 2);
    EXPECT_EQ(m.lacres[1].nLacre, "L-101");
    ASSERT_EQ(m.autXML.Count(), 2);
    EXPECT_EQ(m.autXML[0].CNPJCPF, "44555666000181");
    EXPECT_EQ(m.autXML[1].CNPJCPF, "11144477735");

    EXPECT_EQ(m.infAdic.infAdFisco, "Regime especial 123/2019");
    EXPECT_EQ(m.infAdic.infCpl, "Linha 1;Linha 2 & cia");
    EXPECT_EQ(m.infRespTec.CNPJ, "12345678000195");
    EXPECT_EQ(m.infRespTec.xContato, "Suporte Técnico");
    EXPECT_EQ(m.infRespTec.email, "suporte@exemplo.com.br");
    EXPECT_EQ(m.infRespTec.fone, "1140041234");
    EXPECT_EQ(m.infRespTec.idCSRT, 1);
    EXPECT_EQ(m.infRespTec.hashCSRT, "aGFzaGNzcnRkZWV4ZW1wbG8wMTIzNDU=");

    EXPECT_EQ(m.signature.URI, "#MDFe35200311222333000181580010000001231123456781");
    EXPECT_EQ(m.signature.DigestValue, "ZGlnZXN0ZGVleGVtcGxvMDEyMzQ1Njc=");
    EXPECT_EQ(m.signature.SignatureValue, "c2lnbmF0dXJlZGVleGVtcGxvLW5hby1lLXVtYS1hc3NpbmF0dXJhLXJlYWw=");
    EXPECT_EQ(m.signature.X509Certificate, "Y2VydGlmaWNhZG9kZWV4ZW1wbG8=");

    EXPECT_EQ(m.infMDFeSupl.qrCodMDFe,
              "https://mdfe.exemplo.gov.br/qrCode?chMDFe=35200311222333000181580010000001231123456781&tpAmb=2");

    const TProcMDFe &prot = m.procMDFe;
    EXPECT_EQ(prot.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(prot.verAplic, "SVRS202003");
    EXPECT_EQ(prot.chMDFe, "35200311222333000181580010000001231123456781");
    EXPECT_DOUBLE_EQ(prot.dhRecbto, Momento(2020, 3, 10, 8, 16, 2));
    EXPECT_EQ(prot.nProt, "935200000012345");
    EXPECT_EQ(prot.digVal, "ZGlnZXN0ZGVleGVtcGxvMDEyMzQ1Njc=");
    EXPECT_EQ(prot.cStat, 100);
    EXPECT_EQ(prot.xMotivo, "Autorizado o uso do MDF-e");
    EXPECT_EQ(prot.cMsg, 0);
}

// ---- Layout 1.00 ------------------------------------------------------------------------

TEST(MDFeReader, Layout100ReadsItsOwnGroupsAndPassesOverThe300Ones)
{
    const TMDFe m = DoArquivo("mdfe100-rodo.xml");
    EXPECT_DOUBLE_EQ(m.infMDFe.versao, 1.0);
    EXPECT_EQ(m.infMDFe.Id, "MDFe35141011222333000181580010000000551876543214");
    EXPECT_EQ(m.Ide.tpEmit, teTranspCargaPropria);
    EXPECT_EQ(m.Ide.cMDF, 87654321);
    EXPECT_DOUBLE_EQ(m.Ide.dhEmi, Momento(2014, 10, 20, 14, 30, 0));
    // Present in the file, but not in this layout.
    EXPECT_EQ(m.Ide.tpTransp, ttNenhum);
    EXPECT_EQ(m.Ide.indCanalVerde, dfe::tiNao);
    EXPECT_EQ(m.Ide.indCarregaPosterior, dfe::tiNao);
    EXPECT_EQ(m.emit.xNome, "Comércio de Grãos Irmãos Assunção");
    EXPECT_EQ(m.emit.xFant, "");
    EXPECT_EQ(m.emit.enderEmit.xBairro, "Jardim Paraíso");
    EXPECT_EQ(m.emit.enderEmit.CEP, 0);

    const Trodo &rodo = m.rodo;
    EXPECT_EQ(rodo.RNTRC, "00112233");
    EXPECT_EQ(rodo.CIOT, "998877665544");
    EXPECT_EQ(rodo.infANTT, TinfANTT());
    // Compact: the vehicle's UF right after tpCar.
    EXPECT_EQ(rodo.veicTracao.UF, "SP");
    EXPECT_EQ(rodo.veicTracao.prop.UF, "MG");
    EXPECT_EQ(rodo.veicTracao.prop.xNome, "Frota Parceira");
    ASSERT_EQ(rodo.veicTracao.condutor.Count(), 1);
    EXPECT_EQ(rodo.veicTracao.condutor[0].xNome, "Condutor Único");
    ASSERT_EQ(rodo.veicReboque.Count(), 1);
    EXPECT_EQ(rodo.veicReboque[0].UF, "GO");
    EXPECT_EQ(rodo.veicReboque[0].tpCar, dfe::tcGraneleira);
    EXPECT_EQ(rodo.veicReboque[0].prop, Tprop());
    // The 1.00 vouchers: neither a CPF payer nor a value.
    ASSERT_EQ(rodo.valePed.disp.Count(), 2);
    EXPECT_EQ(rodo.valePed.disp[0].CNPJPg, "11222333000181");
    EXPECT_EQ(rodo.valePed.disp[0].nCompra, "700001");
    EXPECT_DOUBLE_EQ(rodo.valePed.disp[0].vValePed, 0);
    EXPECT_EQ(rodo.valePed.disp[1].CNPJForn, "44555666000181");
    EXPECT_EQ(rodo.valePed.disp[1].CNPJPg, "");

    ASSERT_EQ(m.infDoc.infMunDescarga.Count(), 1);
    const TinfMunDescargaCollectionItem &mun = m.infDoc.infMunDescarga[0];
    EXPECT_EQ(mun.xMunDescarga, "São Paulo");
    ASSERT_EQ(mun.infCTe.Count(), 1);
    EXPECT_EQ(mun.infCTe[0].indReentrega, "");
    EXPECT_EQ(mun.infCTe[0].peri.Count(), 0);
    EXPECT_EQ(mun.infCTe[0].infEntregaParcial, TinfEntregaParcial());
    ASSERT_EQ(mun.infCT.Count(), 1);
    EXPECT_EQ(mun.infCT[0].nCT, "4521");
    EXPECT_EQ(mun.infCT[0].serie, 3);
    EXPECT_EQ(mun.infCT[0].subser, 1);
    EXPECT_DOUBLE_EQ(mun.infCT[0].dEmi, Dia(2014, 10, 19));
    EXPECT_DOUBLE_EQ(mun.infCT[0].vCarga, 850.75);
    ASSERT_EQ(mun.infNF.Count(), 1);
    EXPECT_EQ(mun.infNF[0].CNPJ, "77888999000181");
    EXPECT_EQ(mun.infNF[0].UF, "MG");
    EXPECT_EQ(mun.infNF[0].nNF, 3021);
    EXPECT_EQ(mun.infNF[0].serie, 2);
    EXPECT_DOUBLE_EQ(mun.infNF[0].dEmi, Dia(2014, 10, 18));
    EXPECT_DOUBLE_EQ(mun.infNF[0].vNF, 1999.90);
    EXPECT_EQ(mun.infNF[0].PIN, 123456);

    EXPECT_EQ(m.seg.Count(), 0);
    EXPECT_EQ(m.prodPred, TprodPred());
    EXPECT_EQ(m.tot.qCT, 1);
    EXPECT_EQ(m.tot.cUnid, dfe::uTON);
    EXPECT_DOUBLE_EQ(m.tot.qCarga, 12.3456);
    EXPECT_EQ(m.infAdic.infCpl, "Carga de grãos – safra 2014");
    EXPECT_EQ(m.signature.URI, "#MDFe35141011222333000181580010000000551876543214");
    EXPECT_EQ(m.signature.X509Certificate, "Y2VydC0xMDA=");
    // No protocol: the protocol stays as created.
    EXPECT_EQ(m.procMDFe, TProcMDFe());
}

// ---- The other modes --------------------------------------------------------------------

TEST(MDFeReader, AirManifestWithAbsentOptionalGroups)
{
    const TMDFe m = DoArquivo("mdfe300-aereo.xml");
    EXPECT_EQ(m.Ide.modal, moAereo);
    EXPECT_EQ(m.Ide.tpAmb, dfe::taProducao);
    EXPECT_EQ(m.Ide.tpEmis, dfe::teContingencia);
    EXPECT_EQ(m.Ide.procEmi, dfe::peContribuinteAplicativoFisco);
    EXPECT_EQ(m.Ide.tpTransp, ttNenhum);
    EXPECT_EQ(m.Ide.indCarregaPosterior, dfe::tiSim);
    EXPECT_EQ(m.Ide.infPercurso.Count(), 0);
    EXPECT_DOUBLE_EQ(m.Ide.dhIniViagem, 0);
    EXPECT_EQ(m.emit.CNPJCPF, "11144477735");
    EXPECT_EQ(m.emit.enderEmit.xLgr, "Rodovia Hélio Smidt");

    EXPECT_EQ(m.aereo.nac, 1234);
    EXPECT_EQ(m.aereo.matr, 5678);
    EXPECT_EQ(m.aereo.nVoo, "AB1234");
    EXPECT_EQ(m.aereo.cAerEmb, "SBGR");
    EXPECT_EQ(m.aereo.cAerDes, "SBEG");
    EXPECT_DOUBLE_EQ(m.aereo.dVoo, Dia(2021, 4, 6));
    EXPECT_EQ(m.rodo, Trodo());
    EXPECT_EQ(m.aquav, Taquav());
    EXPECT_EQ(m.ferrov, Tferrov());

    ASSERT_EQ(m.infDoc.infMunDescarga.Count(), 1);
    ASSERT_EQ(m.infDoc.infMunDescarga[0].infCTe.Count(), 1);
    const TinfEntregaParcial &parcial = m.infDoc.infMunDescarga[0].infCTe[0].infEntregaParcial;
    EXPECT_DOUBLE_EQ(parcial.qtdTotal, 120.5);
    EXPECT_DOUBLE_EQ(parcial.qtdParcial, 60.25);

    EXPECT_EQ(m.seg.Count(), 0);
    EXPECT_EQ(m.prodPred, TprodPred());
    EXPECT_EQ(m.lacres.Count(), 0);
    EXPECT_EQ(m.autXML.Count(), 0);
    EXPECT_EQ(m.infAdic, TinfAdic());
    EXPECT_EQ(m.infRespTec, TinfRespTec());
    EXPECT_EQ(m.signature.URI, "");
    EXPECT_EQ(m.signature.DigestValue, "");
    EXPECT_EQ(m.infMDFeSupl.qrCodMDFe,
              "https://mdfe.exemplo.gov.br/qrCode?chMDFe=35210411222333000181580020000000071112233444&tpAmb=1&sign=abc");
    EXPECT_EQ(m.procMDFe.cStat, 0);
    EXPECT_EQ(m.procMDFe.nProt, "");
}

TEST(MDFeReader, WaterwayManifestWithEveryListAndCarriedManifest)
{
    const TMDFe m = DoArquivo("mdfe300-aquav.xml");
    EXPECT_EQ(m.Ide.cUF, 33);
    EXPECT_EQ(m.Ide.tpEmit, teTranspCargaPropria);
    EXPECT_EQ(m.Ide.modal, moAquaviario);
    ASSERT_EQ(m.Ide.infPercurso.Count(), 3);
    EXPECT_EQ(m.Ide.infPercurso[2].UFPer, "PA");
    EXPECT_EQ(m.emit.xNome, "Navegação Costeira S.A.");

    const Taquav &a = m.aquav;
    EXPECT_EQ(a.CNPJAgeNav, "44555666000181");
    EXPECT_EQ(a.irin, "PP1234");
    EXPECT_EQ(a.tpEmb, "02");
    EXPECT_EQ(a.cEmbar, "EMB001");
    EXPECT_EQ(a.xEmbar, "Navio Estrela do Mar");
    EXPECT_EQ(a.nViagem, "2021051");
    EXPECT_EQ(a.cPrtEmb, "BRRIO");
    EXPECT_EQ(a.cPrtDest, "BRMAO");
    EXPECT_EQ(a.prtTrans, "BRSSA");
    EXPECT_EQ(a.tpNav, dfe::tnCabotagem);
    ASSERT_EQ(a.infTermCarreg.Count(), 2);
    EXPECT_EQ(a.infTermCarreg[1].cTermCarreg, "T2");
    EXPECT_EQ(a.infTermCarreg[1].xTermCarreg, "Terminal Dois");
    ASSERT_EQ(a.infTermDescarreg.Count(), 1);
    EXPECT_EQ(a.infTermDescarreg[0].xTermDescarreg, "Terminal Manaus");
    ASSERT_EQ(a.infEmbComb.Count(), 1);
    EXPECT_EQ(a.infEmbComb[0].cEmbComb, "BAL01");
    EXPECT_EQ(a.infEmbComb[0].xBalsa, "Balsa Norte");
    ASSERT_EQ(a.infUnidCargaVazia.Count(), 1);
    EXPECT_EQ(a.infUnidCargaVazia[0].idUnidCargaVazia, "CONTV001");
    EXPECT_EQ(a.infUnidCargaVazia[0].tpUnidCargaVazia, dfe::ucULD);
    ASSERT_EQ(a.infUnidTranspVazia.Count(), 2);
    EXPECT_EQ(a.infUnidTranspVazia[0].tpUnidTranspVazia, dfe::utBalsa);
    EXPECT_EQ(a.infUnidTranspVazia[1].idUnidTranspVazia, "CARRETA02");
    EXPECT_EQ(a.infUnidTranspVazia[1].tpUnidTranspVazia, dfe::utOutros);

    ASSERT_EQ(m.infDoc.infMunDescarga.Count(), 1);
    const TinfMunDescargaCollectionItem &mun = m.infDoc.infMunDescarga[0];
    ASSERT_EQ(mun.infNFe.Count(), 1);
    EXPECT_EQ(mun.infNFe[0].SegCodBarra, "000111222333444555666777888999000111");
    EXPECT_EQ(mun.infNFe[0].indReentrega, "1");
    ASSERT_EQ(mun.infNFe[0].peri.Count(), 1);
    EXPECT_EQ(mun.infNFe[0].peri[0].xNomeAE, "LÍQUIDO INFLAMÁVEL");
    EXPECT_EQ(mun.infNFe[0].peri[0].qVolTipo, "");
    ASSERT_EQ(mun.infNF.Count(), 1);
    EXPECT_EQ(mun.infNF[0].nNF, 77);
    EXPECT_EQ(mun.infNF[0].PIN, 0);
    ASSERT_EQ(mun.infMDFeTransp.Count(), 1);
    const TinfMDFeTranspCollectionItem &outro = mun.infMDFeTransp[0];
    EXPECT_EQ(outro.chMDFe, "35210411222333000181580010000002001300000013");
    EXPECT_EQ(outro.indReentrega, "1");
    ASSERT_EQ(outro.infUnidTransp.Count(), 1);
    EXPECT_EQ(outro.infUnidTransp[0].tpUnidTransp, dfe::utBalsa);
    // 0.03125 lies halfway between two fourth decimals: ties go to the even one.
    EXPECT_DOUBLE_EQ(outro.infUnidTransp[0].qtdRat, 0.0312);
    ASSERT_EQ(outro.peri.Count(), 1);
    EXPECT_EQ(outro.peri[0].nONU, "3082");

    EXPECT_EQ(m.tot.qMDFe, 1);
    EXPECT_EQ(m.tot.qNF, 1);
    EXPECT_DOUBLE_EQ(m.tot.qCarga, 40.25);
}

TEST(MDFeReader, RailManifestOfALaterVersionPassesThe300Gates)
{
    const TMDFe m = DoArquivo("mdfe310-ferrov.xml");
    EXPECT_DOUBLE_EQ(m.infMDFe.versao, 3.1);
    EXPECT_EQ(m.Ide.tpTransp, ttCTC);
    EXPECT_EQ(m.Ide.modal, moFerroviario);
    EXPECT_EQ(m.emit.enderEmit, TenderEmit());

    const Tferrov &f = m.ferrov;
    EXPECT_EQ(f.xPref, "1A23");
    EXPECT_DOUBLE_EQ(f.dhTrem, Momento(2021, 6, 1, 22, 30, 0));
    EXPECT_EQ(f.xOri, "ZUM");
    EXPECT_EQ(f.xDest, "CGR");
    EXPECT_EQ(f.qVag, 2);
    ASSERT_EQ(f.vag.Count(), 2);
    EXPECT_DOUBLE_EQ(f.vag[0].pesoBC, 60.125);
    EXPECT_DOUBLE_EQ(f.vag[0].pesoR, 58.5);
    EXPECT_EQ(f.vag[0].tpVag, "HFE");
    EXPECT_EQ(f.vag[0].serie, "ABC");
    EXPECT_EQ(f.vag[0].nVag, 1234567);
    EXPECT_EQ(f.vag[0].nSeq, 1);
    EXPECT_DOUBLE_EQ(f.vag[0].TU, 45.75);
    EXPECT_EQ(f.vag[1].nSeq, 2);
    EXPECT_DOUBLE_EQ(f.vag[1].pesoR, 59.25);
}

TEST(MDFeReader, WagonsAreReadWithoutATrainGroup)
{
    const TMDFe m = Lido(Documento(Ide("") + "<infModal><ferrov><vag><nVag>5</nVag></vag><vag><nVag>6</nVag></vag>"
                                            "</ferrov></infModal>"));
    EXPECT_EQ(m.ferrov.xPref, "");
    ASSERT_EQ(m.ferrov.vag.Count(), 2);
    EXPECT_EQ(m.ferrov.vag[1].nVag, 6);
}

TEST(MDFeReader, EveryModalGroupPresentIsReadWhateverIdeSays)
{
    const TMDFe m = Lido(Documento(Ide("<modal>1</modal>") +
                                   "<infModal><aereo><nVoo>X1</nVoo></aereo><ferrov><trem><xPref>P9</xPref></trem>"
                                   "</ferrov></infModal>"));
    EXPECT_EQ(m.Ide.modal, moRodoviario);
    EXPECT_EQ(m.aereo.nVoo, "X1");
    EXPECT_EQ(m.ferrov.xPref, "P9");
    // Without infModal no mode group is looked for, even one written outside it.
    const TMDFe sem = Lido(Documento(Ide("") + "<aereo><nVoo>X1</nVoo></aereo>"));
    EXPECT_EQ(sem.aereo.nVoo, "");
}

// ---- Leaf rules -------------------------------------------------------------------------

// The vehicle's UF is its own UF leaf, wherever the owner group stands and however the
// file is laid out; the owner's UF stays with the owner.
struct CasoUF {
    const char *nome;
    const char *veiculo;
    const char *uf;
    const char *ufDono;
};

class VehicleState : public testing::TestWithParam<CasoUF> {};

TEST_P(VehicleState, IsTheVehiclesOwnLeaf)
{
    const CasoUF &caso = GetParam();
    const std::string veiculo = caso.veiculo;
    const TMDFe tracao = Lido(Documento(Rodo("<veicTracao>" + veiculo + "</veicTracao>")));
    EXPECT_EQ(tracao.rodo.veicTracao.UF, caso.uf);
    EXPECT_EQ(tracao.rodo.veicTracao.prop.UF, caso.ufDono);

    const TMDFe reboque = Lido(Documento(Rodo("<veicReboque>" + veiculo + "</veicReboque>")));
    ASSERT_EQ(reboque.rodo.veicReboque.Count(), 1);
    EXPECT_EQ(reboque.rodo.veicReboque[0].UF, caso.uf);
    EXPECT_EQ(reboque.rodo.veicReboque[0].prop.UF, caso.ufDono);
}

INSTANTIATE_TEST_SUITE_P(
    MDFeReader, VehicleState,
    testing::Values(
        CasoUF{"compacto", "<placa>A</placa><prop><UF>MG</UF></prop><tpCar>01</tpCar><UF>SP</UF>", "SP", "MG"},
        CasoUF{"quebra_de_linha", "<placa>A</placa><prop><UF>MG</UF></prop><tpCar>01</tpCar>\r\n      <UF>SP</UF>",
               "SP", "MG"},
        CasoUF{"espaco_na_abertura", "<prop >\n<UF>MG</UF>\n</prop>\n<tpCar>01</tpCar>\n<UF>SP</UF>\n", "SP", "MG"},
        CasoUF{"sem_tpCar", "<prop><UF>MG</UF></prop><UF>SP</UF>", "SP", "MG"},
        CasoUF{"sem_UF_proprio", "<prop><UF>MG</UF></prop><tpCar>01</tpCar>", "", "MG"},
        CasoUF{"sem_dono", "<placa>A</placa><tpCar>01</tpCar>\n<UF>BA</UF>", "BA", ""},
        CasoUF{"uf_antes_do_dono", "<UF>PE</UF><prop><UF>MG</UF></prop>", "PE", "MG"}),
    [](const testing::TestParamInfo<CasoUF> &info) { return std::string(info.param.nome); });

TEST(MDFeReader, PrincipalVehicleStandsInForAMissingTractionVehicle)
{
    const TMDFe m = Lido(Documento(Rodo("<veicPrincipal><placa>OLD1234</placa><tara>100</tara><prop><UF>MG</UF></prop>"
                                        "<condutor><xNome>A</xNome></condutor><UF>SP</UF></veicPrincipal>")));
    EXPECT_EQ(m.rodo.veicTracao.placa, "OLD1234");
    EXPECT_EQ(m.rodo.veicTracao.tara, 100);
    EXPECT_EQ(m.rodo.veicTracao.UF, "SP");
    EXPECT_EQ(m.rodo.veicTracao.prop.UF, "MG");
    EXPECT_EQ(m.rodo.veicTracao.condutor.Count(), 1);
    // With both, the traction vehicle wins.
    const TMDFe ambos = Lido(Documento(Rodo("<veicPrincipal><placa>OLD1234</placa></veicPrincipal>"
                                            "<veicTracao><placa>NEW5678</placa></veicTracao>")));
    EXPECT_EQ(ambos.rodo.veicTracao.placa, "NEW5678");
}

TEST(MDFeReader, RoadRegistrationBeforeTheOwnersIsTheCarriers)
{
    // rodo's own RNTRC is not an owner's, even when rodo has none of its own.
    const TMDFe m = Lido(Documento(Rodo("<veicTracao><prop><RNTRC>87654321</RNTRC></prop></veicTracao>"), "1.00"));
    EXPECT_EQ(m.rodo.RNTRC, "");
    EXPECT_EQ(m.rodo.veicTracao.prop.RNTRC, "87654321");
}

// A transport unit's own share: the qtdRat after its last cargo unit.
struct CasoRateio {
    const char *nome;
    const char *unidade;
    double qtdRat;
};

class TransportUnitShare : public testing::TestWithParam<CasoRateio> {};

TEST_P(TransportUnitShare, IsItsLastQtdRatAfterTheCargoUnits)
{
    const std::string doc = Documento(Ide("") + "<infDoc><infMunDescarga><infNFe><chNFe>1</chNFe><infUnidTransp>" +
                                      GetParam().unidade + "</infUnidTransp></infNFe></infMunDescarga></infDoc>");
    const TMDFe m = Lido(doc);
    const TinfNFeCollection &nfe = m.infDoc.infMunDescarga[0].infNFe;
    ASSERT_EQ(nfe[0].infUnidTransp.Count(), 1);
    EXPECT_DOUBLE_EQ(nfe[0].infUnidTransp[0].qtdRat, GetParam().qtdRat);
}

INSTANTIATE_TEST_SUITE_P(
    MDFeReader, TransportUnitShare,
    testing::Values(
        CasoRateio{"proprio", "<idUnidTransp>A</idUnidTransp><qtdRat>1.50</qtdRat>", 1.5},
        CasoRateio{"depois_da_carga",
                   "<infUnidCarga><qtdRat>2.00</qtdRat></infUnidCarga><infUnidCarga><qtdRat>4</qtdRat>"
                   "</infUnidCarga>\n<qtdRat> 1.25 </qtdRat>",
                   1.25},
        CasoRateio{"so_da_carga", "<infUnidCarga><qtdRat>2.00</qtdRat></infUnidCarga>", 0},
        CasoRateio{"antes_da_carga", "<qtdRat>1.00</qtdRat><infUnidCarga><idUnidCarga>C</idUnidCarga></infUnidCarga>",
                   0},
        CasoRateio{"nenhum", "<idUnidTransp>A</idUnidTransp>", 0},
        CasoRateio{"nao_numero", "<qtdRat>muito</qtdRat>", 0},
        CasoRateio{"arredondado", "<qtdRat>2.12346</qtdRat>", 2.1235},
        CasoRateio{"empate_par", "<qtdRat>0.09375</qtdRat>", 0.0938}),
    [](const testing::TestParamInfo<CasoRateio> &info) { return std::string(info.param.nome); });

// Indicators say yes for exactly "1".
TEST(MDFeReader, IndicatorsAreYesOnlyForOne)
{
    const std::vector<std::pair<std::string, dfe::TIndicador>> casos = {
        {"<indCanalVerde>1</indCanalVerde>", dfe::tiSim},
        {"<indCanalVerde> 1 </indCanalVerde>", dfe::tiSim},
        {"<indCanalVerde>0</indCanalVerde>", dfe::tiNao},
        {"<indCanalVerde>01</indCanalVerde>", dfe::tiNao},
        {"<indCanalVerde></indCanalVerde>", dfe::tiNao},
        {"", dfe::tiNao},
    };
    for (const auto &[folha, esperado] : casos) {
        const TMDFe m = Lido(Documento(Ide(folha)));
        EXPECT_EQ(m.Ide.indCanalVerde, esperado) << folha;
    }
}

TEST(MDFeReader, PresentIdeWithoutSomeLeavesAndAbsentGroups)
{
    // A missing leaf of a present ide is empty or the table's first code.
    TMDFe m;
    m.Ide.modelo = "58";
    m.Ide.tpAmb = dfe::taHomologacao;
    {
        TMDFeR leitor(m);
        leitor.Leitor().SetArquivo(Documento(Ide("<nMDF>1</nMDF>")));
        leitor.LerXml();
    }
    EXPECT_EQ(m.Ide.modelo, "");
    EXPECT_EQ(m.Ide.tpAmb, dfe::taProducao);
    EXPECT_EQ(m.Ide.nMDF, 1);

    // An absent group keeps what the model held.
    TMDFe sem;
    sem.Ide.modelo = "58";
    sem.Ide.verProc = "OvixMDFe";
    sem.Ide.tpAmb = dfe::taHomologacao;
    sem.emit.xNome = "mantido";
    TMDFeR leitor(sem);
    leitor.Leitor().SetArquivo(Documento("<tot><qNFe>3</qNFe></tot>"));
    EXPECT_TRUE(leitor.LerXml());
    EXPECT_EQ(sem.Ide.modelo, "58");
    EXPECT_EQ(sem.Ide.verProc, "OvixMDFe");
    EXPECT_EQ(sem.Ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(sem.emit.xNome, "mantido");
    EXPECT_EQ(sem.tot.qNFe, 3);
}

TEST(MDFeReader, ZeroNumericCodeIsKeptAsTheDocumentsOwn)
{
    const TMDFe m = Lido(
        "<MDFe><infMDFe Id=\"MDFe35200311222333000181580010000001241000000000\" versao=\"3.00\"><ide><cUF>35</cUF>"
        "<mod>58</mod><serie>1</serie><nMDF>124</nMDF><cMDF>00000000</cMDF><cDV>0</cDV>"
        "<dhEmi>2020-03-10T08:15:30-03:00</dhEmi><tpEmis>1</tpEmis></ide><emit><CNPJ>11222333000181</CNPJ></emit>"
        "</infMDFe></MDFe>");
    // A zero would make the key routine draw a new code: the key, and the barcode printed
    // from it, would no longer be this document's.
    EXPECT_LT(m.Ide.cMDF, -1);
    const std::string chave = dfe::GerarChaveAcesso(m.Ide.cUF, m.Ide.dhEmi, m.emit.CNPJCPF, m.Ide.serie, m.Ide.nMDF,
                                                    1, m.Ide.cMDF, 58);
    EXPECT_EQ("MDFe" + chave, m.infMDFe.Id);
}

// ---- Entity decoding --------------------------------------------------------------------

TEST(MDFeReader, EscapedMarkupInAValueStaysText)
{
    // A note that spells out a protocol must not give the manifest one.
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><MDFe xmlns=\"http://www.portalfiscal.inf.br/mdfe\">"
        "<infMDFe Id=\"MDFe35200311222333000181580010000001231123456781\" versao=\"3.00\">" +
        Ide("") +
        "<infAdic><infCpl>&lt;protMDFe&gt;&lt;nProt&gt;1&lt;/nProt&gt;&lt;cStat&gt;100&lt;/cStat&gt;&lt;/protMDFe&gt;"
        "</infCpl><infAdFisco>A &amp;lt; B, a&ccedil;&atilde;o &#xE9; &#xE7;</infAdFisco></infAdic></infMDFe></MDFe>";
    const std::vector<TMDFe> lidos = PelaEstrada(xml);
    ASSERT_EQ(lidos.size(), 1u);
    const TMDFe &m = lidos[0];
    EXPECT_EQ(m.procMDFe.cStat, 0);
    EXPECT_EQ(m.procMDFe.nProt, "");
    EXPECT_EQ(m.infAdic.infCpl, "<protMDFe><nProt>1</nProt><cStat>100</cStat></protMDFe>");
    // Each escape undone once; the accented-letter names and numeric references decoded.
    EXPECT_EQ(m.infAdic.infAdFisco, "A &lt; B, ação é ç");
}

// ---- Errors -----------------------------------------------------------------------------

struct CasoAtributo {
    const char *nome;
    const char *abertura;
    const char *mensagem;
    const char *id;
    double versao;
};

class MissingAttribute : public testing::TestWithParam<CasoAtributo> {};

TEST_P(MissingAttribute, RaisesThePlainExceptionBeforeAnyGroup)
{
    const CasoAtributo &caso = GetParam();
    TMDFe m;
    TMDFeR leitor(m);
    leitor.Leitor().SetArquivo(std::string("<mdfeProc versao=\"3.00\"><MDFe>") + caso.abertura + Ide("<nMDF>9</nMDF>") +
                               "</infMDFe></MDFe></mdfeProc>");
    try {
        leitor.LerXml();
        FAIL() << "no error";
    } catch (const rtl::EConvertError &) {
        FAIL() << "a conversion error";
    } catch (const rtl::Exception &e) {
        EXPECT_EQ(e.Message(), caso.mensagem);
    }
    EXPECT_EQ(m.infMDFe.Id, caso.id);
    EXPECT_DOUBLE_EQ(m.infMDFe.versao, caso.versao);
    EXPECT_EQ(m.Ide.nMDF, 0);
}

INSTANTIATE_TEST_SUITE_P(
    MDFeReader, MissingAttribute,
    testing::Values(
        CasoAtributo{"sem_id", "<infMDFe versao=\"3.00\">", "Não encontrei o atributo: Id", "", 0},
        CasoAtributo{"id_sem_digito", "<infMDFe Id=\"MDFe\" versao=\"3.00\">", "Não encontrei o atributo: Id", "MDFe", 0},
        CasoAtributo{"sem_versao", "<infMDFe Id=\"MDFe3520\">", "Não encontrei o atributo: versao", "MDFe3520", -1},
        CasoAtributo{"versao_vazia", "<infMDFe Id='MDFe3520' versao=''>", "Não encontrei o atributo: versao",
                     "MDFe3520", -1},
        CasoAtributo{"versao_texto", "<infMDFe Id=\"MDFe3520\" versao=\"tres\">", "Não encontrei o atributo: versao",
                     "MDFe3520", -1}),
    [](const testing::TestParamInfo<CasoAtributo> &info) { return std::string(info.param.nome); });

struct CasoConversao {
    const char *nome;
    const char *corpo;
    const char *mensagem;
};

class ConversionError : public testing::TestWithParam<CasoConversao> {};

TEST_P(ConversionError, NamesTheLeafAndItsValue)
{
    TMDFe m;
    TMDFeR leitor(m);
    leitor.Leitor().SetArquivo(Documento(std::string("<ide><nMDF>9</nMDF>") + GetParam().corpo));
    try {
        leitor.LerXml();
        FAIL() << "no error";
    } catch (const rtl::EConvertError &e) {
        EXPECT_EQ(e.Message(), GetParam().mensagem);
    }
    // What was read before the error stays.
    EXPECT_EQ(m.Ide.nMDF, 9);
}

INSTANTIATE_TEST_SUITE_P(
    MDFeReader, ConversionError,
    testing::Values(
        CasoConversao{"sem_cMDF", "</ide>", "Conteúdo inválido na tag <cMDF>: \"\""},
        CasoConversao{"cMDF_vazio", "<cMDF> </cMDF></ide>", "Conteúdo inválido na tag <cMDF>: \"\""},
        CasoConversao{"cMDF_letras", "<cMDF>1234A678</cMDF></ide>", "Conteúdo inválido na tag <cMDF>: \"1234A678\""},
        CasoConversao{"cMDF_decimal", "<cMDF>12.5</cMDF></ide>", "Conteúdo inválido na tag <cMDF>: \"12.5\""},
        CasoConversao{"nNF_texto",
                      "<cMDF>1</cMDF></ide><infDoc><infMunDescarga><infNF><nNF>S/N</nNF></infNF>"
                      "</infMunDescarga></infDoc>",
                      "Conteúdo inválido na tag <nNF>: \"S/N\""},
        CasoConversao{"sem_nNF", "<cMDF>1</cMDF></ide><infDoc><infMunDescarga><infNF><serie>1</serie></infNF>"
                                 "</infMunDescarga></infDoc>",
                      "Conteúdo inválido na tag <nNF>: \"\""},
        CasoConversao{"dhEmi", "<cMDF>1</cMDF><dhEmi>2020-13-01T10:00:00</dhEmi></ide>",
                      "Conteúdo inválido na tag <dhEmi>: \"2020-13-01T10:00:00\""}),
    [](const testing::TestParamInfo<CasoConversao> &info) { return std::string(info.param.nome); });

// ---- Real files -------------------------------------------------------------------------

// Every MDF-e of a folder named by MDFE_CORPUS_DIR reads; skipped when it is not set.
TEST(MDFeReader, CorpusFilesRead)
{
    const char *pasta = std::getenv("MDFE_CORPUS_DIR");
    if (!pasta)
        GTEST_SKIP() << "MDFE_CORPUS_DIR not set";
    int lidos = 0;
    for (const auto &entrada : std::filesystem::directory_iterator(pasta)) {
        if (entrada.path().extension() != ".xml")
            continue;
        std::vector<TMDFe> documentos;
        EXPECT_NO_THROW(documentos = PelaEstrada(rtl::ReadFileBytes(entrada.path().string()))) << entrada.path();
        ASSERT_EQ(documentos.size(), 1u) << entrada.path();
        const TMDFe &m = documentos[0];
        EXPECT_EQ(m.infMDFe.Id.size(), 48u) << entrada.path();
        EXPECT_EQ(m.Ide.modelo, "58") << entrada.path();
        EXPECT_FALSE(m.emit.xNome.empty()) << entrada.path();
        EXPECT_GT(m.infDoc.infMunDescarga.Count(), 0) << entrada.path();
        EXPECT_FALSE(m.rodo.veicTracao.placa.empty()) << entrada.path();
        EXPECT_EQ(m.rodo.veicTracao.UF.size(), 2u) << entrada.path();
        ++lidos;
    }
    EXPECT_GT(lidos, 0);
}

} // namespace

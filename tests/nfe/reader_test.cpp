#include "nfe/reader.h"

#include "reader_support.h"

#include <gtest/gtest.h>

namespace {

using namespace nfe;
using nfe_test::Fixture;
using nfe_test::Lido;
using nfe_test::Valor;
using rtl::EncodeDate;
using rtl::EncodeDateTime;

class NFe400Proc : public ::testing::Test {
protected:
    static void SetUpTestSuite() { nfe = new TNFe(Lido(Fixture("nfe400_proc.xml"))); }
    static void TearDownTestSuite()
    {
        delete nfe;
        nfe = nullptr;
    }
    static TNFe *nfe;
};
TNFe *NFe400Proc::nfe = nullptr;

TEST_F(NFe400Proc, FrameAndIdentification)
{
    const TNFe &n = *nfe;
    EXPECT_EQ(n.infNFe.ID, "NFe35201212345678000195550010000012341000012347");
    EXPECT_DOUBLE_EQ(n.infNFe.Versao, 4.0);
    const TIde &ide = n.Ide;
    EXPECT_EQ(ide.cUF, 35);
    EXPECT_EQ(ide.cNF, 1234);
    EXPECT_EQ(ide.natOp, "VENDA DE MERCADORIA & SERVIÇO");
    EXPECT_EQ(ide.modelo, 55);
    EXPECT_EQ(ide.serie, 1);
    EXPECT_EQ(ide.nNF, 1234);
    EXPECT_DOUBLE_EQ(ide.dEmi, EncodeDateTime(2020, 12, 1, 10, 20, 30, 0));
    EXPECT_DOUBLE_EQ(ide.dSaiEnt, EncodeDateTime(2020, 12, 2, 8, 0, 0, 0));
    EXPECT_EQ(ide.tpNF, dfe::tnSaida);
    EXPECT_EQ(ide.idDest, dfe::doInterestadual);
    EXPECT_EQ(ide.cMunFG, 3550308);
    EXPECT_EQ(ide.cDV, 7);
    EXPECT_EQ(ide.indFinal, dfe::cfConsumidorFinal);
    EXPECT_EQ(ide.indPres, dfe::pcPresencial);
    EXPECT_EQ(ide.verProc, "Gerador 1.0");

    ASSERT_EQ(ide.NFref.Count(), 4);
    EXPECT_EQ(ide.NFref[0].refNFe, "35201112345678000195550010000011111000011112");
    EXPECT_EQ(ide.NFref[1].RefNF.cUF, 35);
    EXPECT_EQ(ide.NFref[1].RefNF.CNPJ, "11222333000181");
    EXPECT_EQ(ide.NFref[1].RefNF.modelo, 1);
    EXPECT_EQ(ide.NFref[1].RefNF.nNF, 777);
    EXPECT_EQ(ide.NFref[1].RefNFP, TRefNFP{});
    EXPECT_EQ(ide.NFref[1].RefECF.modelo, dfe::ECFModRefVazio);
    EXPECT_EQ(ide.NFref[2].RefNFP.CNPJCPF, "12345678909");
    EXPECT_EQ(ide.NFref[2].RefNFP.IE, "ISENTO");
    EXPECT_EQ(ide.NFref[2].RefNFP.modelo, "4");
    EXPECT_EQ(ide.NFref[2].RefNF, TRefNF{});
    EXPECT_EQ(ide.NFref[3].RefECF.modelo, dfe::ECFModRef2D);
    EXPECT_EQ(ide.NFref[3].RefECF.nECF, "012");
    EXPECT_EQ(ide.NFref[3].RefECF.nCOO, "004567");
}

TEST_F(NFe400Proc, Parties)
{
    const TNFe &n = *nfe;
    EXPECT_EQ(n.Emit.CNPJCPF, "12345678000195");
    EXPECT_EQ(n.Emit.xFant, "EXEMPLO");
    EXPECT_EQ(n.Emit.IEST, "999888777");
    EXPECT_EQ(n.Emit.CRT, dfe::crtRegimeNormal);
    EXPECT_EQ(n.Emit.EnderEmit.xCpl, "SALA 2");
    EXPECT_EQ(n.Emit.EnderEmit.CEP, 1001000);
    // No country in the issuer's address: Brazil.
    EXPECT_EQ(n.Emit.EnderEmit.cPais, 1058);
    EXPECT_EQ(n.Emit.EnderEmit.xPais, "BRASIL");
    EXPECT_EQ(n.Dest.CNPJCPF, "99888777000166");
    EXPECT_EQ(n.Dest.indIEDest, dfe::inContribuinte);
    EXPECT_EQ(n.Dest.IM, "998");
    EXPECT_EQ(n.Dest.Email, "compras@cliente.example");
    EXPECT_EQ(n.Dest.EnderDest.xMun, "RIO DE JANEIRO");
    // The places get no country replacement.
    EXPECT_EQ(n.Retirada.CNPJCPF, "12345678000276");
    EXPECT_EQ(n.Retirada.cPais, 0);
    EXPECT_EQ(n.Retirada.xPais, "");
    EXPECT_EQ(n.Entrega.CNPJCPF, "12345678909");
    EXPECT_EQ(n.Entrega.Email, "r@e.example");
    ASSERT_EQ(n.autXML.Count(), 2);
    EXPECT_EQ(n.autXML[0].CNPJCPF, "11111111000191");
    EXPECT_EQ(n.autXML[1].CNPJCPF, "98765432100");
}

TEST_F(NFe400Proc, ItemsAndProductGroups)
{
    const TNFe &n = *nfe;
    ASSERT_EQ(n.Det.Count(), 3);
    const TProd &p1 = n.Det[0].Prod;
    EXPECT_EQ(p1.nItem, 1);
    EXPECT_EQ(p1.cProd, "P001");
    EXPECT_EQ(p1.CEST, "1000100");
    EXPECT_EQ(p1.indEscala, ieRelevante);
    EXPECT_EQ(p1.cBenef, "SP123456");
    EXPECT_EQ(p1.CFOP, "6102");
    EXPECT_EQ(p1.qCom, Valor(10.5));
    EXPECT_DOUBLE_EQ(p1.vUnCom, 2.123456789);
    EXPECT_EQ(p1.vProd, Valor(22.30));
    EXPECT_EQ(p1.vFrete, Valor(1.50));
    EXPECT_EQ(p1.IndTot, dfe::itSomaTotalNFe);
    EXPECT_EQ(p1.xPed, "PED-77");
    ASSERT_EQ(p1.NVE.Count(), 2);
    EXPECT_EQ(p1.NVE[1].NVE, "AB0002");
    ASSERT_EQ(p1.DI.Count(), 2);
    EXPECT_EQ(p1.DI[0].nDi, "2012345678");
    EXPECT_DOUBLE_EQ(p1.DI[0].dDi, EncodeDate(2020, 11, 5));
    EXPECT_EQ(p1.DI[0].tpViaTransp, dfe::tvMaritima);
    EXPECT_EQ(p1.DI[0].tpIntermedio, dfe::tiContaOrdem);
    EXPECT_EQ(p1.DI[0].CNPJ, "55444333000122");
    ASSERT_EQ(p1.DI[0].adi.Count(), 2);
    EXPECT_EQ(p1.DI[0].adi[0].vDescDI, Valor(0.5));
    EXPECT_EQ(p1.DI[0].adi[1].nSeqAdi, 2);
    ASSERT_EQ(p1.DI[1].adi.Count(), 1);
    EXPECT_EQ(p1.DI[1].adi[0].cFabricante, "FAB3");
    ASSERT_EQ(p1.rastro.Count(), 1);
    EXPECT_EQ(p1.rastro[0].qLote, Valor(5.125));
    EXPECT_DOUBLE_EQ(p1.rastro[0].dVal, EncodeDate(2022, 1, 10));
    // The CR LF pair inside the leaf is gone.
    EXPECT_EQ(n.Det[0].infAdProd, "LINHA UMLINHA DOIS");

    const TProd &p2 = n.Det[1].Prod;
    EXPECT_EQ(p2.nItem, 2);
    EXPECT_EQ(p2.cEAN, "");
    EXPECT_EQ(p2.indEscala, ieNenhum);
    EXPECT_EQ(p2.NVE.Count(), 0);
    ASSERT_EQ(p2.detExport.Count(), 2);
    EXPECT_EQ(p2.detExport[0].nRE, "123456789012");
    EXPECT_EQ(p2.detExport[0].qExport, Valor(2));
    EXPECT_EQ(p2.detExport[1].nDraw, "20200002");
    EXPECT_EQ(p2.detExport[1].nRE, "");
    EXPECT_EQ(p2.detExport[1].qExport, Valor(0));

    const TComb &comb = n.Det[2].Prod.comb;
    EXPECT_EQ(comb.cProdANP, 210203001);
    EXPECT_EQ(comb.pGLP, Valor(100));
    EXPECT_EQ(comb.pGNn, Valor(60.5));
    EXPECT_EQ(comb.UFcons, "SP");
    EXPECT_EQ(comb.ICMSCons.UFcons, "SP");
    EXPECT_EQ(comb.CIDE.vCIDE, Valor(1.30));
    EXPECT_EQ(comb.encerrante.nBico, 3);
    EXPECT_EQ(comb.encerrante.vEncFin, Valor(1013.125));
}

TEST_F(NFe400Proc, ItemTaxes)
{
    const TImposto &i1 = nfe->Det[0].Imposto;
    EXPECT_EQ(i1.vTotTrib, Valor(3.21));
    EXPECT_EQ(i1.ICMS.CST, dfe::cst00);
    EXPECT_EQ(i1.ICMS.CSOSN, dfe::csosnVazio);
    EXPECT_EQ(i1.ICMS.vICMS, Valor(2.68));
    EXPECT_EQ(i1.ICMS.pFCP, Valor(2));
    EXPECT_EQ(i1.ICMS.vFCP, Valor(0.45));
    EXPECT_EQ(i1.IPI.cEnq, "999");
    EXPECT_EQ(i1.IPI.CST, dfe::ipi50);
    EXPECT_EQ(i1.IPI.vIPI, Valor(12.34));
    EXPECT_EQ(i1.PIS.CST, dfe::pis01);
    EXPECT_EQ(i1.PIS.vPIS, Valor(0.37));
    EXPECT_EQ(i1.COFINS.pCOFINS, Valor(7.60));

    const TImposto &i2 = nfe->Det[1].Imposto;
    EXPECT_EQ(i2.ICMS.orig, dfe::oeEstrangeiraImportacaoDireta);
    EXPECT_EQ(i2.ICMS.CST, dfe::cst10);
    EXPECT_EQ(i2.ICMS.vFCPST, Valor(0.84));
    EXPECT_EQ(i2.IPI.CST, dfe::ipi53);
    EXPECT_EQ(i2.IPI.vIPI, Valor(0));
    EXPECT_EQ(i2.PIS.CST, dfe::pis07);
    EXPECT_EQ(i2.PIS.vPIS, Valor(0));

    const TDetCollectionItem &d3 = nfe->Det[2];
    EXPECT_EQ(d3.Imposto.ICMS.CST, dfe::cstRep60);
    EXPECT_EQ(d3.Imposto.ICMS.vICMSSTRet, Valor(12.60));
    EXPECT_EQ(d3.Imposto.ICMS.vICMSEfet, Valor(14.04));
    EXPECT_EQ(d3.Imposto.ICMSUFDest.vICMSUFDest, Valor(4.68));
    EXPECT_EQ(d3.Imposto.ICMSUFDest.pICMSInterPart, Valor(100));
    EXPECT_EQ(d3.Imposto.PIS.CST, dfe::pis99);
    EXPECT_EQ(d3.Imposto.PIS.vAliqProd, Valor(0.1));
    EXPECT_EQ(d3.pDevol, Valor(50));
    EXPECT_EQ(d3.vIPIDevol, Valor(4.20));
}

TEST_F(NFe400Proc, TotalsToProtocol)
{
    const TNFe &n = *nfe;
    EXPECT_EQ(n.Total.ICMSTot.vNF, Valor(150.09));
    EXPECT_EQ(n.Total.ICMSTot.vIPIDevol, Valor(4.20));
    EXPECT_EQ(n.Total.retTrib.vRetPrev, Valor(5.50));

    EXPECT_EQ(n.Transp.modFrete, mfContaEmitente);
    EXPECT_EQ(n.Transp.Transporta.IE, "ISENTO");
    EXPECT_EQ(n.Transp.Transporta.xEnder, "ROD BR 116 KM 10");
    EXPECT_EQ(n.Transp.retTransp.cMunFG, 3518800);
    EXPECT_EQ(n.Transp.retTransp.CFOP, "5353");
    EXPECT_EQ(n.Transp.veicTransp.placa, "ABC1D23");
    ASSERT_EQ(n.Transp.Reboque.Count(), 2);
    EXPECT_EQ(n.Transp.Reboque[1].RNTC, "87654321");
    ASSERT_EQ(n.Transp.Vol.Count(), 2);
    EXPECT_EQ(n.Transp.Vol[0].pesoB, Valor(11.25));
    EXPECT_EQ(n.Transp.Vol[0].Lacres.Count(), 2);
    EXPECT_EQ(n.Transp.Vol[0].Lacres[1].nLacre, "LAC2");
    EXPECT_EQ(n.Transp.Vol[1].Lacres.Count(), 0);

    EXPECT_EQ(n.Cobr.Fat.nFat, "FAT-1234");
    ASSERT_EQ(n.Cobr.Dup.Count(), 3);
    EXPECT_EQ(n.Cobr.Dup[2].nDup, "003");
    EXPECT_DOUBLE_EQ(n.Cobr.Dup[2].dVenc, EncodeDate(2021, 3, 1));

    ASSERT_EQ(n.pag.Count(), 2);
    EXPECT_EQ(n.pag.vTroco, Valor(5));
    EXPECT_EQ(n.pag[0].indPag, dfe::ipPrazo);
    EXPECT_EQ(n.pag[0].vPag, Valor(100.09));
    EXPECT_EQ(n.pag[1].tPag, dfe::fpCartaoCredito);
    EXPECT_EQ(n.pag[1].tpIntegra, dfe::tiPagIntegrado);
    EXPECT_EQ(n.pag[1].tBand, dfe::bcMasterCard);
    EXPECT_EQ(n.pag[1].cAut, "AUT998877");

    EXPECT_EQ(n.InfAdic.infCpl, "PEDIDO 77 <URGENTE>");
    ASSERT_EQ(n.InfAdic.obsCont.Count(), 2);
    EXPECT_EQ(n.InfAdic.obsCont[1].xCampo, "Rota & Turno");
    EXPECT_EQ(n.InfAdic.obsCont[1].xTexto, "R2");
    ASSERT_EQ(n.InfAdic.obsFisco.Count(), 1);
    EXPECT_EQ(n.InfAdic.obsFisco[0].xCampo, "Processo");
    ASSERT_EQ(n.InfAdic.procRef.Count(), 1);
    EXPECT_EQ(n.InfAdic.procRef[0].indProc, dfe::ipJusticaFederal);

    EXPECT_EQ(n.exporta.xLocExporta, "PORTO DE SANTOS");
    EXPECT_EQ(n.compra.xCont, "CT-9");
    EXPECT_EQ(n.infRespTec.xContato, "FULANO");

    EXPECT_EQ(n.signature.URI, "#NFe35201212345678000195550010000012341000012347");
    EXPECT_EQ(n.signature.DigestValue, "ZGlnZXN0MQ==");
    EXPECT_EQ(n.signature.X509Certificate, "Y2VydA==");

    EXPECT_EQ(n.procNFe.nProt, "135200000012345");
    EXPECT_EQ(n.procNFe.cStat, 100);
    EXPECT_EQ(n.procNFe.verAplic, "SP_NFE_PL009");
    EXPECT_DOUBLE_EQ(n.procNFe.dhRecbto, EncodeDateTime(2020, 12, 1, 10, 25, 0, 0));
    EXPECT_EQ(n.procNFe.cMsg, 200);
    EXPECT_EQ(n.procNFe.xMsg, "Aviso & teste");
}

TEST(NFeReader, NFCeWithQrCodeSupplement)
{
    const TNFe n = Lido(Fixture("nfce400_qr.xml"));
    EXPECT_EQ(n.Ide.modelo, 65);
    EXPECT_EQ(n.Ide.cNF, -2);
    EXPECT_EQ(n.Ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(n.Emit.CRT, dfe::crtSimplesNacional);
    EXPECT_EQ(n.Emit.EnderEmit.cPais, 1058);
    EXPECT_EQ(n.Dest.indIEDest, dfe::inNaoContribuinte);
    ASSERT_EQ(n.Det.Count(), 2);
    EXPECT_EQ(n.Det[0].Imposto.ICMS.CSOSN, dfe::csosn102);
    EXPECT_EQ(n.Det[0].Imposto.ICMS.CST, dfe::cstVazio);
    EXPECT_EQ(n.Det[1].Imposto.ICMS.CSOSN, dfe::csosn500);
    ASSERT_EQ(n.pag.Count(), 1);
    EXPECT_EQ(n.pag[0].tpIntegra, dfe::tiPagNaoIntegrado);
    EXPECT_EQ(n.infNFeSupl.qrCode,
              "https://www.example.gov.br/nfce/qrcode?p="
              "41201298765432000110650020000000421000000420|2|2|1|ABCDEF&x=1");
    EXPECT_EQ(n.infNFeSupl.urlChave, "https://www.example.gov.br/nfce/consulta");
    // A bare NFe carries no protocol.
    EXPECT_EQ(n.procNFe.nProt, "");
}

TEST(NFeReader, Layout200InApostrophes)
{
    const TNFe n = Lido(Fixture("nfe200_apos.xml"));
    EXPECT_DOUBLE_EQ(n.infNFe.Versao, 2.0);
    EXPECT_EQ(n.Ide.indPag, dfe::ipPrazo);
    EXPECT_DOUBLE_EQ(n.Ide.dEmi, EncodeDate(2010, 11, 15));
    EXPECT_DOUBLE_EQ(n.Ide.dSaiEnt, EncodeDate(2010, 11, 16));
    EXPECT_DOUBLE_EQ(n.Ide.hSaiEnt, rtl::EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(n.Ide.tpNF, dfe::tnEntrada);
    // The 3.00 leaves are not read below 3.00.
    EXPECT_EQ(n.Ide.idDest, TIde{}.idDest);
    EXPECT_EQ(n.Ide.indFinal, TIde{}.indFinal);
    EXPECT_EQ(n.Dest.idEstrangeiro, "");
    EXPECT_EQ(n.Dest.indIEDest, TDest{}.indIEDest);
    EXPECT_EQ(n.Dest.IM, "");
    EXPECT_EQ(n.Dest.CNPJCPF, "12345678909");
    ASSERT_EQ(n.Ide.NFref.Count(), 1);
    EXPECT_EQ(n.Ide.NFref[0].RefNF.nNF, 12);

    ASSERT_EQ(n.Det.Count(), 2);
    const TveicProd &v = n.Det[0].Prod.veicProd;
    EXPECT_EQ(v.tpOP, toFaturamentoDireto);
    EXPECT_EQ(v.chassi, "9BWZZZ377VT004251");
    EXPECT_EQ(v.Cilin, "1600");
    EXPECT_EQ(v.anoMod, 2011);
    EXPECT_EQ(v.condVeic, cvAcabado);
    EXPECT_EQ(v.lota, 5);
    EXPECT_EQ(n.Det[0].Imposto.ICMS.CST, dfe::cst20);
    EXPECT_EQ(n.Det[0].Imposto.ICMS.pRedBC, Valor(10));
    // An IPI group with neither variant in an incoming document.
    EXPECT_EQ(n.Det[0].Imposto.IPI.CST, dfe::ipi53);
    ASSERT_EQ(n.Det[1].Prod.med.Count(), 1);
    EXPECT_EQ(n.Det[1].Prod.med[0].vPMC, Valor(12.5));
    EXPECT_EQ(n.Det[1].Imposto.ISSQN.cListServ, "1401");
    EXPECT_EQ(n.Det[1].Imposto.ISSQN.cSitTrib, dfe::ISSQNcSitTribNORMAL);
    EXPECT_EQ(n.Det[1].Imposto.ISSQN.cMunFG, 3304557);

    // Below 3.00 only the first five ISSQN totals are read and payments are untouched.
    EXPECT_EQ(n.Total.ISSQNtot.vISS, Valor(1.5));
    EXPECT_DOUBLE_EQ(n.Total.ISSQNtot.dCompet, 0);
    EXPECT_EQ(n.pag.Count(), 0);

    ASSERT_EQ(n.cana.fordia.Count(), 2);
    EXPECT_EQ(n.cana.fordia[1].dia, 2);
    EXPECT_EQ(n.cana.fordia[0].qtde, Valor(10.5));
    EXPECT_DOUBLE_EQ(n.cana.qTotGer, 121.5);
    ASSERT_EQ(n.cana.deduc.Count(), 1);
    EXPECT_EQ(n.procNFe.nProt, "333100000000987");
}

} // namespace

// The CT-e reader: hand-written documents of every layout, kind and modal read into the
// values a person reading them would expect, and the failures name what is wrong.

#include "cte/codes.h"
#include "cte/model.h"
#include "cte/reader.h"
#include "dfe/codes.h"
#include "dfe/codes_tax.h"
#include "dfe/codes_transport.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/exceptions.h"
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using rtl::Currency;

std::string Arquivo(const std::string &caminho)
{
    std::ifstream in(caminho, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string Fixture(const std::string &nome)
{
    return Arquivo(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome);
}

void Ler(cte::TCTe &cte, std::string texto)
{
    cte::TCTeR leitor(cte);
    leitor.Leitor().SetArquivo(std::move(texto));
    EXPECT_TRUE(leitor.LerXml());
}

cte::TCTe Lido(std::string texto)
{
    cte::TCTe cte;
    Ler(cte, std::move(texto));
    return cte;
}

Currency Valor(double v) { return Currency::FromDouble(v); }

rtl::TDateTime Data(int a, int m, int d) { return rtl::EncodeDate(a, m, d); }
rtl::TDateTime Hora(int h, int m, int s) { return rtl::EncodeTime(h, m, s, 0); }
rtl::TDateTime DataHora(int a, int m, int d, int h, int n, int s)
{
    return rtl::EncodeDateTime(a, m, d, h, n, s, 0);
}

// A bare CT-e of the given version whose infCte holds corpo.
std::string Documento(const std::string &versao, const std::string &corpo)
{
    return "<CTe><infCte versao=\"" + versao +
           "\" Id=\"CTe35190511222333000181570010000001231102030400\">" + corpo + "</infCte></CTe>";
}

const std::string IdeMinima = "<ide><cCT>1</cCT><CFOP>5353</CFOP><mod>57</mod></ide>";

// Every test reads under the Brazilian settings, whose decimal separator is the comma.
class CTeReader : public ::testing::Test {
protected:
    rtl::ScopedFormatSettings FFormato{rtl::TFormatSettings::Brazil()};
};

TEST_F(CTeReader, RoadDocumentWithProtocolFrameAndParties)
{
    const cte::TCTe c = Lido(Fixture("F1-cte300-rodo-proc.xml"));

    EXPECT_EQ(c.infCTe.Id, "CTe35190511222333000181570010000001231102030400");
    EXPECT_DOUBLE_EQ(c.infCTe.versao, 3.0);

    const cte::TIde &ide = c.ide;
    EXPECT_EQ(ide.cUF, 35);
    EXPECT_EQ(ide.cCT, 10203040);
    EXPECT_EQ(ide.CFOP, 5353);
    EXPECT_EQ(ide.natOp, "PRESTACAO DE SERVICO DE TRANSPORTE");
    EXPECT_EQ(ide.modelo, 57);
    EXPECT_EQ(ide.serie, 1);
    EXPECT_EQ(ide.nCT, 123);
    EXPECT_DOUBLE_EQ(ide.dhEmi, DataHora(2019, 5, 14, 9, 30, 15));
    EXPECT_EQ(ide.tpImp, dfe::tiRetrato);
    EXPECT_EQ(ide.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(ide.tpCTe, cte::tcNormal);
    EXPECT_EQ(ide.verProc, "Emissor 1.0");
    EXPECT_EQ(ide.indGlobalizado, dfe::tiSim);
    EXPECT_EQ(ide.cMunEnv, 3550308);
    EXPECT_EQ(ide.modal, dfe::mdRodoviario);
    EXPECT_EQ(ide.UFFim, "RJ");
    EXPECT_EQ(ide.retira, cte::rtNao);
    EXPECT_EQ(ide.xDetRetira, "Retirar na doca 3");
    EXPECT_EQ(ide.indIEToma, dfe::inContribuinte);

    // toma4 wins over the code among the parties.
    EXPECT_EQ(ide.toma4.toma, cte::tmOutros);
    EXPECT_EQ(ide.toma03.Toma, cte::tmOutros);
    EXPECT_EQ(ide.toma4.CNPJCPF, "44555666000172");
    EXPECT_EQ(ide.toma4.xNome, "Tomadora & Filhos Ltda");
    EXPECT_EQ(ide.toma4.email, "toma@example.com");
    EXPECT_EQ(ide.toma4.enderToma.xLgr, "Rua do Tomador");
    EXPECT_EQ(ide.toma4.enderToma.CEP, 1001000);
    EXPECT_EQ(ide.toma4.enderToma.cPais, 1058);
    // A CT-e has no root taker: the first toma is the code inside toma4.
    EXPECT_EQ(c.toma, cte::TToma{});

    EXPECT_EQ(c.emit.CNPJ, "11222333000181");
    EXPECT_EQ(c.emit.xFant, "Modelo");
    EXPECT_EQ(c.emit.enderEmit.fone, "1122223333");
    EXPECT_EQ(c.emit.enderEmit.CEP, 4001000);

    // The collection place's CNPJ and name are not the sender's.
    EXPECT_EQ(c.rem.CNPJCPF, "12345678909");
    EXPECT_EQ(c.rem.xNome, "Remetente Pessoa");
    EXPECT_EQ(c.rem.IE, "ISENTO");
    EXPECT_EQ(c.rem.email, "rem@example.com");
    EXPECT_EQ(c.rem.enderReme.xLgr, "Rua A");
    EXPECT_EQ(c.rem.locColeta.CNPJCPF, "55666777000104");
    EXPECT_EQ(c.rem.locColeta.xNome, "Deposito Coleta");
    EXPECT_EQ(c.rem.locColeta.cMun, 3509502);
    EXPECT_EQ(c.exped.xNome, "Expedidor SA");
    EXPECT_EQ(c.exped.enderExped.xLgr, "Rua E");
    EXPECT_EQ(c.receb.CNPJCPF, "77888999000159");
    EXPECT_EQ(c.receb.enderReceb.UF, "RJ");
    EXPECT_EQ(c.dest.CNPJCPF, "88999000000120");
    EXPECT_EQ(c.dest.xNome, "Destinatario <Final>");
    EXPECT_EQ(c.dest.ISUF, "123456789");
    EXPECT_EQ(c.dest.enderDest.cPais, 0);
    EXPECT_EQ(c.dest.locEnt.CNPJCPF, "98765432100");
    EXPECT_EQ(c.dest.locEnt.xMun, "NITEROI");
}

TEST_F(CTeReader, RoadDocumentComplementValuesTaxesAndTail)
{
    const cte::TCTe c = Lido(Fixture("F1-cte300-rodo-proc.xml"));

    const cte::TCompl &compl_ = c.Compl;
    EXPECT_EQ(compl_.xCaracAd, "Entrega expressa");
    EXPECT_EQ(compl_.xObs, "Fragil");
    EXPECT_EQ(compl_.fluxo.xOrig, "GRU");
    ASSERT_EQ(compl_.fluxo.pass.Count(), 2);
    EXPECT_EQ(compl_.fluxo.pass[1].xPass, "SJK");
    EXPECT_EQ(compl_.fluxo.xRota, "R1");
    EXPECT_EQ(compl_.Entrega.TipoData, cte::tdNaData);
    EXPECT_EQ(compl_.Entrega.comData.tpPer, cte::tdAteData);
    EXPECT_DOUBLE_EQ(compl_.Entrega.comData.dProg, Data(2019, 5, 20));
    EXPECT_EQ(compl_.Entrega.TipoHora, cte::thNoIntervalo);
    EXPECT_DOUBLE_EQ(compl_.Entrega.noInter.hIni, Hora(8, 0, 0));
    EXPECT_DOUBLE_EQ(compl_.Entrega.noInter.hFim, Hora(12, 30, 0));
    // Each observation takes xCampo from its own start tag, either quote, unescaped.
    ASSERT_EQ(compl_.ObsCont.Count(), 2);
    EXPECT_EQ(compl_.ObsCont[0].xCampo, "Pedido");
    EXPECT_EQ(compl_.ObsCont[0].xTexto, "P-77");
    EXPECT_EQ(compl_.ObsCont[1].xCampo, "Lote & caixa");
    EXPECT_EQ(compl_.ObsCont[1].xTexto, "L-9");
    ASSERT_EQ(compl_.ObsFisco.Count(), 1);
    EXPECT_EQ(compl_.ObsFisco[0].xCampo, "Regime");
    EXPECT_EQ(compl_.ObsFisco[0].xTexto, "Normal");

    EXPECT_EQ(c.vPrest.vTPrest, Valor(1500.50));
    EXPECT_EQ(c.vPrest.vRec, Valor(1400));
    ASSERT_EQ(c.vPrest.Comp.Count(), 3);
    EXPECT_EQ(c.vPrest.Comp[1].xNome, "PEDAGIO");
    EXPECT_EQ(c.vPrest.Comp[2].vComp, Valor(500.50));

    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cst00);
    EXPECT_EQ(c.imp.ICMS.ICMS00.vBC, Valor(1500.50));
    EXPECT_EQ(c.imp.ICMS.ICMS00.pICMS, Valor(12));
    EXPECT_EQ(c.imp.ICMS.ICMS00.vICMS, Valor(180.06));
    EXPECT_EQ(c.imp.vTotTrib, Valor(250.10));
    EXPECT_EQ(c.imp.infAdFisco, "Info do fisco");
    EXPECT_EQ(c.imp.ICMSUFFim.pFCPUFFim, Valor(2));
    EXPECT_EQ(c.imp.ICMSUFFim.vICMSUFFim, Valor(90.03));

    ASSERT_EQ(c.autXML.Count(), 3);
    EXPECT_EQ(c.autXML[1].CNPJCPF, "12345678909");
    EXPECT_EQ(c.infRespTec.CNPJ, "10999888000177");
    EXPECT_EQ(c.infRespTec.fone, "1130304040");

    EXPECT_EQ(c.signature.URI, "#CTe35190511222333000181570010000001231102030400");
    EXPECT_EQ(c.signature.DigestValue, "ZGlnZXN0");
    EXPECT_EQ(c.signature.SignatureValue, "c2lnbmF0dXJl");
    EXPECT_EQ(c.signature.X509Certificate, "Y2VydA==");
    EXPECT_EQ(c.infCTeSupl.qrCodCTe, "https://nfe.fazenda.sp.gov.br/CTeConsulta/qrCode?chCTe="
                                      "35190511222333000181570010000001231102030400&tpAmb=2");

    const cte::TProcCTe &p = c.procCTe;
    EXPECT_EQ(p.tpAmb, dfe::taHomologacao);
    EXPECT_EQ(p.verAplic, "SP-CTe-2019");
    EXPECT_EQ(p.chCTe, "35190511222333000181570010000001231102030400");
    EXPECT_DOUBLE_EQ(p.dhRecbto, DataHora(2019, 5, 14, 9, 31, 2));
    EXPECT_EQ(p.nProt, "135190000012345");
    EXPECT_EQ(p.cStat, 100);
    EXPECT_EQ(p.xMotivo, "Autorizado o uso do CT-e & registrado");
    EXPECT_EQ(p.cMsg, 7);
    EXPECT_EQ(p.xMsg, "Mensagem do fisco");
}


TEST_F(CTeReader, RoadDocumentNormalContent)
{
    const cte::TCTe c = Lido(Fixture("F1-cte300-rodo-proc.xml"));
    const cte::TInfCTeNorm &n = c.infCTeNorm;

    EXPECT_EQ(n.infCarga.vCarga, Valor(25000));
    EXPECT_EQ(n.infCarga.proPred, "Eletronicos");
    EXPECT_EQ(n.infCarga.vCargaAverb, Valor(24000));
    ASSERT_EQ(n.infCarga.infQ.Count(), 2);
    EXPECT_EQ(n.infCarga.infQ[0].cUnid, dfe::uKG);
    EXPECT_EQ(n.infCarga.infQ[0].qCarga, Valor(1200.5));
    EXPECT_EQ(n.infCarga.infQ[1].cUnid, dfe::uUNIDADE);
    EXPECT_EQ(n.infCarga.infQ[1].tpMed, "VOLUMES");

    ASSERT_EQ(n.infDoc.infNF.Count(), 1);
    const cte::TInfNFCollectionItem &nf = n.infDoc.infNF[0];
    EXPECT_EQ(nf.nRoma, "R1");
    EXPECT_EQ(nf.modelo, dfe::moNF011AAvulsa);
    EXPECT_EQ(nf.nDoc, "000123");
    EXPECT_DOUBLE_EQ(nf.dEmi, Data(2019, 5, 10));
    EXPECT_EQ(nf.vNF, Valor(1018));
    EXPECT_EQ(nf.nCFOP, 5102);
    EXPECT_EQ(nf.nPeso, Valor(150.125));
    EXPECT_EQ(nf.PIN, "PIN1");
    EXPECT_DOUBLE_EQ(nf.dPrev, Data(2019, 5, 20));
    ASSERT_EQ(nf.infUnidTransp.Count(), 1);
    const cte::TinfUnidTranspCollectionItem &u = nf.infUnidTransp[0];
    EXPECT_EQ(u.tpUnidTransp, dfe::utRodoTracao);
    EXPECT_EQ(u.idUnidTransp, "ABC1D23");
    // The unit's own qtdRat, written with a point, under a comma locale.
    EXPECT_DOUBLE_EQ(u.qtdRat, 1.5);
    ASSERT_EQ(u.lacUnidTransp.Count(), 2);
    EXPECT_EQ(u.lacUnidTransp[1].nLacre, "LT-2");
    ASSERT_EQ(u.infUnidCarga.Count(), 1);
    EXPECT_EQ(u.infUnidCarga[0].idUnidCarga, "CONT1");
    EXPECT_DOUBLE_EQ(u.infUnidCarga[0].qtdRat, 3.25);
    ASSERT_EQ(u.infUnidCarga[0].lacUnidCarga.Count(), 1);
    EXPECT_EQ(u.infUnidCarga[0].lacUnidCarga[0].nLacre, "LC-1");
    EXPECT_EQ(nf.infUnidCarga.Count(), 0);

    ASSERT_EQ(n.infDoc.infNFe.Count(), 1);
    EXPECT_EQ(n.infDoc.infNFe[0].chave, "35190511222333000181550010000000011000000012");
    EXPECT_DOUBLE_EQ(n.infDoc.infNFe[0].dPrev, Data(2019, 5, 21));
    // Cargo units with no transport unit belong to the document itself.
    ASSERT_EQ(n.infDoc.infNFe[0].infUnidCarga.Count(), 1);
    EXPECT_EQ(n.infDoc.infNFe[0].infUnidCarga[0].tpUnidCarga, dfe::ucULD);
    EXPECT_DOUBLE_EQ(n.infDoc.infNFe[0].infUnidCarga[0].qtdRat, 7.5);
    ASSERT_EQ(n.infDoc.infOutros.Count(), 1);
    EXPECT_EQ(n.infDoc.infOutros[0].tpDoc, cte::tdOutros);
    EXPECT_EQ(n.infDoc.infOutros[0].descOutros, "Declaracao & outros");
    EXPECT_EQ(n.infDoc.infOutros[0].vDocFisc, Valor(300));

    ASSERT_EQ(n.docAnt.emiDocAnt.Count(), 1);
    const cte::TEmiDocAntCollectionItem &emi = n.docAnt.emiDocAnt[0];
    EXPECT_EQ(emi.CNPJCPF, "99000111000108");
    EXPECT_EQ(emi.UF, "MG");
    ASSERT_EQ(emi.idDocAnt.Count(), 1);
    ASSERT_EQ(emi.idDocAnt[0].idDocAntPap.Count(), 1);
    EXPECT_EQ(emi.idDocAnt[0].idDocAntPap[0].nDoc, "4455");
    EXPECT_EQ(emi.idDocAnt[0].idDocAntPap[0].subser, "A");
    ASSERT_EQ(emi.idDocAnt[0].idDocAntEle.Count(), 1);
    EXPECT_EQ(emi.idDocAnt[0].idDocAntEle[0].chCTe, "31190599000111000108570010000000011000000010");

    EXPECT_EQ(n.rodo.RNTRC, "12345678");
    ASSERT_EQ(n.rodo.occ.Count(), 1);
    EXPECT_EQ(n.rodo.occ[0].nOcc, 55);
    EXPECT_EQ(n.rodo.occ[0].emiOcc.cInt, "C1");
    ASSERT_EQ(n.rodo.moto.Count(), 1);
    EXPECT_EQ(n.rodo.moto[0].CPF, "11144477735");

    EXPECT_EQ(n.cobr.fat.nFat, "FAT-1");
    EXPECT_EQ(n.cobr.fat.vDesc, Valor(0.5));
    ASSERT_EQ(n.cobr.dup.Count(), 2);
    EXPECT_DOUBLE_EQ(n.cobr.dup[1].dVenc, Data(2019, 7, 14));
}

TEST_F(CTeReader, TransportServiceDocument)
{
    const cte::TCTe c = Lido(Fixture("F2-cteos300-proc.xml"));

    EXPECT_DOUBLE_EQ(c.infCTe.versao, 3.0);
    EXPECT_EQ(c.ide.modelo, 67);
    EXPECT_EQ(c.ide.tpServ, cte::tsTranspPessoas);
    EXPECT_EQ(c.ide.indIEToma, dfe::inNaoContribuinte);
    ASSERT_EQ(c.ide.infPercurso.Count(), 2);
    EXPECT_EQ(c.ide.infPercurso[1].UFPer, "PR");

    EXPECT_EQ(c.toma.CNPJCPF, "22333444000165");
    EXPECT_EQ(c.toma.IE, "ISENTO");
    EXPECT_EQ(c.toma.xFant, "Turismo");
    EXPECT_EQ(c.toma.email, "tur@example.com");
    EXPECT_EQ(c.toma.enderToma.xLgr, "Rua do Turismo");
    EXPECT_EQ(c.toma.enderToma.CEP, 1010000);

    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cst41);
    EXPECT_EQ(c.imp.ICMS.ICMS45.CST, dfe::cst41);

    const cte::TInfCTeNorm &n = c.infCTeNorm;
    EXPECT_EQ(n.infServico.xDescServ, "Fretamento eventual");
    EXPECT_EQ(n.infServico.qCarga, Valor(44));
    ASSERT_EQ(n.infDocRef.Count(), 2);
    EXPECT_EQ(n.infDocRef[0].nDoc, "100");
    EXPECT_EQ(n.infDocRef[1].subserie, "2");
    EXPECT_EQ(n.infDocRef[1].vDoc, Valor(20));
    ASSERT_EQ(n.seg.Count(), 1);
    EXPECT_EQ(n.seg[0].respSeg, cte::rsEmitenteCTe);
    EXPECT_EQ(n.seg[0].nAver, "AV-1");

    EXPECT_EQ(n.rodoOS.TAF, "123456789012");
    EXPECT_EQ(n.rodoOS.veic.placa, "BUS1A23");
    EXPECT_EQ(n.rodoOS.veic.RENAVAM, "12345678901");
    // The vehicle's UF is the first UF inside veic, here the owner's.
    EXPECT_EQ(n.rodoOS.veic.UF, "MG");
    EXPECT_EQ(n.rodoOS.veic.prop.CNPJCPF, "33444555000100");
    EXPECT_EQ(n.rodoOS.veic.prop.TAF, "998877665544");
    EXPECT_EQ(n.rodoOS.veic.prop.tpProp, dfe::tpTACIndependente);
    EXPECT_EQ(n.rodoOS.infFretamento.tpFretamento, cte::tfEventual);
    EXPECT_DOUBLE_EQ(n.rodoOS.infFretamento.dhViagem, DataHora(2019, 5, 3, 6, 30, 0));

    ASSERT_EQ(c.autXML.Count(), 1);
    EXPECT_EQ(c.infCTeSupl.qrCodCTe,
              "https://example.com/qr?chCTe=35190511222333000181670010000000451876543211&tpAmb=2");
    EXPECT_EQ(c.procCTe.nProt, "135190000099999");
}

TEST_F(CTeReader, AirAndWaterwayBothRead)
{
    const cte::TCTe c = Lido(Fixture("F3-cte300-aereo-aquav.xml"));

    EXPECT_EQ(c.ide.toma03.Toma, cte::tmDestinatario);
    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cst20);
    EXPECT_EQ(c.imp.ICMS.ICMS20.pRedBC, Valor(10));
    EXPECT_EQ(c.imp.ICMS.ICMS20.vICMS, Valor(86.4));
    EXPECT_EQ(c.infCTeNorm.infCarga.infQ[0].cUnid, dfe::uM3);
    EXPECT_EQ(c.infCTeNorm.infCarga.infQ[0].qCarga, Valor(2.3456));

    const cte::TAereo &a = c.infCTeNorm.aereo;
    EXPECT_EQ(a.nMinu, 123456789);
    EXPECT_EQ(a.nOCA, "12345678901");
    EXPECT_DOUBLE_EQ(a.dPrevAereo, Data(2019, 5, 17));
    EXPECT_EQ(a.tarifa.CL, "G");
    EXPECT_EQ(a.tarifa.vTar, Valor(45.5));
    EXPECT_EQ(a.natCarga.xDime, "100X50X30");
    ASSERT_EQ(a.natCarga.cinfManu.Count(), 2);
    EXPECT_EQ(cte::TpInfManuToStr(a.natCarga.cinfManu[0].nInfManu), "01");
    EXPECT_EQ(cte::TpInfManuToStr(a.natCarga.cinfManu[1].nInfManu), "99");

    const cte::TAquav &w = c.infCTeNorm.aquav;
    EXPECT_EQ(w.vPrest, Valor(800));
    EXPECT_EQ(w.vAFRMM, Valor(25));
    EXPECT_EQ(w.xNavio, "Navio Azul");
    ASSERT_EQ(w.balsa.Count(), 2);
    EXPECT_EQ(w.balsa[1].xBalsa, "Balsa 2");
    EXPECT_EQ(w.nViag, "V12");
    EXPECT_EQ(w.direc, cte::drSul);
    EXPECT_EQ(w.irin, "IRIN01");
    EXPECT_EQ(w.tpNav, dfe::tnCabotagem);
    ASSERT_EQ(w.detCont.Count(), 2);
    const cte::TdetContCollectionItem &cont = w.detCont[0];
    EXPECT_EQ(cont.nCont, "CONT-A");
    ASSERT_EQ(cont.Lacre.Count(), 2);
    EXPECT_EQ(cont.Lacre[1].nLacre, "S2");
    ASSERT_EQ(cont.infDoc.infNF.Count(), 1);
    EXPECT_EQ(cont.infDoc.infNF[0].serie, "1");
    EXPECT_EQ(cont.infDoc.infNF[0].nDoc, "55");
    EXPECT_DOUBLE_EQ(cont.infDoc.infNF[0].unidRat, 1.25);
    ASSERT_EQ(cont.infDoc.infNFe.Count(), 2);
    EXPECT_DOUBLE_EQ(cont.infDoc.infNFe[0].unidRat, 0.75);
    EXPECT_EQ(cont.infDoc.infNFe[1].chave, "35190511222333000181550010000000031000000032");
    EXPECT_EQ(w.detCont[1].nCont, "CONT-B");
    EXPECT_EQ(w.detCont[1].Lacre.Count(), 0);
    EXPECT_EQ(w.detCont[1].infDoc.infNFe.Count(), 0);

    // No signature and no protocol: both stay as created.
    EXPECT_EQ(c.signature.URI, "");
    EXPECT_EQ(c.procCTe, cte::TProcCTe{});
}

TEST_F(CTeReader, RailOfLayout300ReadsMutualTraffic)
{
    const cte::TCTe c = Lido(Fixture("F4-cte300-ferrov.xml"));

    // Both forms present: both filled, the later one names the situation.
    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cst90);
    EXPECT_EQ(c.imp.ICMS.ICMS60.vICMSSTRet, Valor(12));
    EXPECT_EQ(c.imp.ICMS.ICMS90.vCred, Valor(0.5));

    const cte::TFerrov &f = c.infCTeNorm.ferrov;
    EXPECT_EQ(f.tpTraf, cte::ttMutuo);
    EXPECT_EQ(f.fluxo, "FLX-9");
    EXPECT_EQ(f.idTrem, "TR-1");
    EXPECT_EQ(f.trafMut.respFat, cte::tmDestino);
    EXPECT_EQ(f.trafMut.ferrEmi, cte::tmDestino);
    EXPECT_EQ(f.vFrete, Valor(9876.54));
    EXPECT_EQ(f.trafMut.chCTeFerroOrigem, "35190511222333000181570010000003001300300300");
    ASSERT_EQ(f.ferroEnv.Count(), 1);
    EXPECT_EQ(f.ferroEnv[0].CNPJ, "44000111000155");
    EXPECT_EQ(f.ferroEnv[0].cInt, "F1");
    EXPECT_EQ(f.ferroEnv[0].enderFerro.xMun, "CAMPINAS");
    EXPECT_EQ(f.ferroEnv[0].enderFerro.CEP, 13000000);
    // The 3.00 layout has no wagons here.
    EXPECT_EQ(f.detVag.Count(), 0);
}

TEST_F(CTeReader, PipelineSubstituteWithMultimodal)
{
    const cte::TCTe c = Lido(Fixture("F5-cte300-duto-multimodal-sub.xml"));

    EXPECT_EQ(c.ide.tpCTe, cte::tcSubstituto);
    EXPECT_EQ(c.ide.modal, dfe::mdDutoviario);
    EXPECT_EQ(c.ide.toma03.Toma, cte::tmExpedidor);
    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cstICMSOutraUF);
    EXPECT_EQ(c.imp.ICMS.ICMSOutraUF.CST, dfe::cst90);
    EXPECT_EQ(c.imp.ICMS.ICMSOutraUF.vICMSOutraUF, Valor(6.93));

    const cte::TInfCTeNorm &n = c.infCTeNorm;
    EXPECT_EQ(n.infCarga.infQ[0].cUnid, dfe::uMMBTU);
    // Six decimals kept as money: four.
    EXPECT_EQ(n.duto.vTar, Valor(0.1235));
    EXPECT_DOUBLE_EQ(n.duto.dIni, Data(2019, 5, 1));
    EXPECT_DOUBLE_EQ(n.duto.dFim, Data(2019, 5, 31));
    EXPECT_EQ(n.multimodal.COTM, "COTM-1");
    EXPECT_EQ(n.multimodal.indNegociavel, cte::inNegociavel);
    ASSERT_EQ(n.veicNovos.Count(), 1);
    EXPECT_EQ(n.veicNovos[0].chassi, "9BWZZZ377VT004251");
    EXPECT_EQ(n.veicNovos[0].vUnit, Valor(50000));

    const cte::TInfCteSub &s = n.infCteSub;
    EXPECT_EQ(s.chCte, "35190411222333000181570010000002991299299299");
    EXPECT_EQ(s.refCteAnu, "35190411222333000181570010000002981298298298");
    EXPECT_EQ(s.indAlteraToma, dfe::tiSim);
    EXPECT_EQ(s.tomaICMS.refNF.CNPJCPF, "55444333000122");
    EXPECT_EQ(s.tomaICMS.refNF.modelo, "01");
    EXPECT_EQ(s.tomaICMS.refNF.serie, 3);
    EXPECT_EQ(s.tomaICMS.refNF.subserie, 1);
    EXPECT_EQ(s.tomaICMS.refNF.nro, 4567);
    EXPECT_EQ(s.tomaICMS.refNF.valor, Valor(1234.56));
    EXPECT_DOUBLE_EQ(s.tomaICMS.refNF.dEmi, Data(2019, 4, 20));
    EXPECT_EQ(n.infGlobalizado.xObs, "Documento globalizado do mes");
    ASSERT_EQ(n.infServVinc.infCTeMultimodal.Count(), 2);
    EXPECT_EQ(n.infServVinc.infCTeMultimodal[1].chCTeMultimodal,
              "35190511222333000181570010000003041304304300");
}

TEST_F(CTeReader, Layout200ReadsTheOlderForms)
{
    const cte::TCTe c = Lido(Fixture("F6-cte200-rodo-lotacao.xml"));

    EXPECT_DOUBLE_EQ(c.infCTe.versao, 2.0);
    EXPECT_EQ(c.ide.forPag, cte::fpAPagar);
    EXPECT_EQ(c.ide.tpAmb, dfe::taProducao);
    EXPECT_DOUBLE_EQ(c.ide.dhEmi, DataHora(2012, 5, 8, 16, 45, 0));
    EXPECT_EQ(c.ide.refCTe, "35120411222333000181570010000049991499499490");
    // Fields of 3.00 stay at their defaults; toma03 wins over toma3.
    EXPECT_EQ(c.ide.indGlobalizado, dfe::tiNao);
    EXPECT_EQ(c.ide.indIEToma, dfe::inContribuinte);
    EXPECT_EQ(c.ide.toma03.Toma, cte::tmRemetente);
    EXPECT_EQ(c.toma, cte::TToma{});
    // compl without Entrega.
    EXPECT_EQ(c.Compl.Entrega.TipoData, cte::tdNaoInformado);
    EXPECT_EQ(c.Compl.Entrega.TipoHora, cte::thNaoInformado);
    // ICMS45 with a CST it does not carry is not read.
    EXPECT_EQ(c.imp.ICMS.SituTrib, dfe::cst00);
    EXPECT_EQ(c.imp.ICMS.ICMS45.CST, dfe::cst00);

    const cte::TInfCTeNorm &n = c.infCTeNorm;
    EXPECT_EQ(n.infCarga.infQ[0].cUnid, dfe::uTON);
    const cte::TIdDocAntEleCollectionItem &ele = n.docAnt.emiDocAnt[0].idDocAnt[0].idDocAntEle[0];
    EXPECT_EQ(ele.chave, "35120411222333000181570010000049981498498498");
    EXPECT_EQ(ele.chCTe, "");
    EXPECT_EQ(n.docAnt.emiDocAnt[0].CNPJCPF, "12345678909");
    ASSERT_EQ(n.seg.Count(), 1);
    EXPECT_EQ(n.seg[0].vCarga, Valor(100));

    const cte::TRodo &r = n.rodo;
    EXPECT_DOUBLE_EQ(r.dPrev, Data(2012, 5, 10));
    EXPECT_EQ(r.lota, cte::ltSim);
    EXPECT_EQ(r.CIOT, "123456789012");
    ASSERT_EQ(r.valePed.Count(), 1);
    EXPECT_EQ(r.valePed[0].vValePed, Valor(35.7));
    ASSERT_EQ(r.veic.Count(), 2);
    EXPECT_EQ(r.veic[0].placa, "AAA1111");
    EXPECT_EQ(r.veic[0].tara, 8000);
    EXPECT_EQ(r.veic[0].capM3, 80);
    EXPECT_EQ(r.veic[0].tpProp, cte::tpTerceiro);
    EXPECT_EQ(dfe::TpRodadoToStr(r.veic[0].tpRod), "03");
    EXPECT_EQ(dfe::TpCarroceriaToStr(r.veic[0].tpCar), "02");
    EXPECT_EQ(r.veic[0].UF, "SP");
    EXPECT_EQ(r.veic[0].Prop.CNPJCPF, "98765432100");
    EXPECT_EQ(r.veic[0].Prop.RNTRC, "ISENTO");
    EXPECT_EQ(r.veic[0].Prop.UF, "MG");
    EXPECT_EQ(r.veic[1].tpVeic, cte::tvReboque);
    EXPECT_EQ(r.veic[1].Prop.CNPJCPF, "");
    ASSERT_EQ(r.lacRodo.Count(), 1);
    ASSERT_EQ(r.moto.Count(), 1);

    ASSERT_EQ(n.peri.Count(), 1);
    EXPECT_EQ(n.peri[0].nONU, "1203");
    EXPECT_EQ(n.peri[0].qTotProd, "1000 L");
    EXPECT_EQ(n.peri[0].pontoFulgor, "-43");

    // The older rail form: freight, railways and wagons straight in ferrov.
    EXPECT_EQ(n.ferrov.vFrete, Valor(10));
    ASSERT_EQ(n.ferrov.ferroEnv.Count(), 1);
    EXPECT_EQ(n.ferrov.ferroEnv[0].enderFerro.xMun, "BAURU");
    ASSERT_EQ(n.ferrov.detVag.Count(), 1);
    EXPECT_EQ(n.ferrov.detVag[0].nVag, 77);
    EXPECT_EQ(n.ferrov.detVag[0].tpVag, "HFE");
    EXPECT_EQ(n.ferrov.detVag[0].pesoR, Valor(55.5));

    ASSERT_EQ(n.aereo.natCarga.cinfManu.Count(), 2);
    EXPECT_EQ(cte::TpInfManuToStrV2(n.aereo.natCarga.cinfManu[0].nInfManu), "1");
    EXPECT_EQ(cte::TpInfManuToStrV2(n.aereo.natCarga.cinfManu[1].nInfManu), "99");

    // refCteAnu of infCteSub is a 3.00 leaf; tomaNaoICMS is read without tomaICMS.
    EXPECT_EQ(n.infCteSub.refCteAnu, "");
    EXPECT_EQ(n.infCteSub.tomaNaoICMS.refCteAnu, "35120411222333000181570010000049951495495495");
    EXPECT_EQ(n.infCteSub.indAlteraToma, dfe::tiNao);
}

TEST_F(CTeReader, Layout104KeepsDocumentsInsideTheSender)
{
    const cte::TCTe c = Lido(Fixture("F7-cte104-rem-docs.xml"));

    EXPECT_DOUBLE_EQ(c.infCTe.versao, 1.04);
    EXPECT_EQ(c.ide.forPag, cte::fpOutros);
    EXPECT_EQ(c.ide.toma03.Toma, cte::tmDestinatario);
    ASSERT_EQ(c.Compl.ObsCont.Count(), 2);
    EXPECT_EQ(c.Compl.ObsCont[0].xCampo, "Nota");
    EXPECT_EQ(c.Compl.ObsCont[0].xTexto, "Texto um");
    EXPECT_EQ(c.Compl.ObsCont[1].xCampo, "Outra");
    EXPECT_EQ(c.rem.xNome, "Remetente Antigo");
    EXPECT_EQ(c.rem.enderReme.cMun, 3550308);

    const cte::TInfDoc &d = c.infCTeNorm.infDoc;
    ASSERT_EQ(d.infNFe.Count(), 2);
    EXPECT_EQ(d.infNFe[0].chave, "35090355666777000104550010000000011000000013");
    EXPECT_EQ(d.infNFe[1].PIN, "77");
    ASSERT_EQ(d.infNF.Count(), 1);
    EXPECT_EQ(d.infNF[0].modelo, dfe::moNFProdutor);
    EXPECT_EQ(d.infNF[0].nDoc, "88");
    EXPECT_EQ(d.infNF[0].vNF, Valor(500));
    EXPECT_EQ(d.infNF[0].nPeso, Valor(12.5));
    // Every transported document gets the road delivery forecast.
    const rtl::TDateTime previsao = Data(2009, 3, 15);
    EXPECT_DOUBLE_EQ(d.infNFe[0].dPrev, previsao);
    EXPECT_DOUBLE_EQ(d.infNFe[1].dPrev, previsao);
    EXPECT_DOUBLE_EQ(d.infNF[0].dPrev, previsao);
    EXPECT_EQ(c.infCteComp.chave, "35090311222333000181570010000059991599599590");
}


// The failures: the message the reading stops with, and the class of the error.
TEST_F(CTeReader, FailuresCarryTheirMessages)
{
    struct Caso {
        const char *nome;
        std::string texto;
        const char *mensagem; // the whole message for the frame errors, a part otherwise
        bool conversao;       // rtl::EConvertError rather than the base class
    };
    const std::string semId = "<CTe><infCte versao=\"3.00\">" + IdeMinima + "</infCte></CTe>";
    const std::string idSemDigito = "<CTe><infCte versao=\"3.00\" Id=\"CTe\"></infCte></CTe>";
    const std::string semVersao =
        "<CTe><infCte Id=\"CTe35190511222333000181570010000001231102030400\"></infCte></CTe>";
    const std::string versaoTexto = "<CTe><infCte versao=\"x\" Id=\"CTe1\"></infCte></CTe>";
    const auto ide = [](const std::string &cCT, const std::string &CFOP, const std::string &mod) {
        return Documento("3.00", "<ide><cCT>" + cCT + "</cCT><CFOP>" + CFOP + "</CFOP><mod>" + mod +
                                     "</mod></ide>");
    };
    const auto comHora = [](const std::string &corpo) {
        return Documento("3.00", IdeMinima + "<compl><Entrega>" + corpo + "</Entrega></compl>");
    };
    const auto infQ = [](const std::string &cUnid) {
        return Documento("3.00", IdeMinima + "<infCTeNorm><infCarga><infQ><cUnid>" + cUnid +
                                     "</cUnid></infQ></infCarga></infCTeNorm>");
    };
    const Caso casos[] = {
        {"sem Id", semId, "Não encontrei o atributo: Id", false},
        {"Id sem dígito", idSemDigito, "Não encontrei o atributo: Id", false},
        {"sem versao", semVersao, "Não encontrei o atributo: versao", false},
        {"versao não numérica", versaoTexto, "Não encontrei o atributo: versao", false},
        {"cCT vazio", ide("", "5353", "57"), "<cCT>", true},
        {"cCT não inteiro", ide("12a", "5353", "57"), "<cCT>", true},
        {"CFOP vazio", ide("1", "", "57"), "<CFOP>", true},
        {"mod não inteiro", ide("1", "5353", "5x"), "<mod>", true},
        {"hProg vazio", comHora("<comHora><tpHor>1</tpHor><hProg></hProg></comHora>"), "<hProg>", true},
        {"hIni inválido", comHora("<noInter><hIni>25:99:00</hIni><hFim>10:00:00</hFim></noInter>"),
         "<hIni>", true},
        {"dProg inválido", comHora("<comData><dProg>2019-13-45</dProg></comData>"), "<dProg>", true},
        {"cUnid vazio", infQ(""), "<cUnid>", true},
        {"cUnid fora da tabela", infQ("09"), "<cUnid>", true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        cte::TCTe c;
        cte::TCTeR leitor(c);
        leitor.Leitor().SetArquivo(caso.texto);
        try {
            leitor.LerXml();
            ADD_FAILURE() << "no error";
        } catch (const rtl::EConvertError &e) {
            EXPECT_TRUE(caso.conversao) << e.Message();
            EXPECT_NE(e.Message().find(caso.mensagem), std::string::npos) << e.Message();
        } catch (const rtl::Exception &e) {
            EXPECT_FALSE(caso.conversao) << e.Message();
            EXPECT_EQ(e.Message(), caso.mensagem);
        }
    }
}

TEST_F(CTeReader, IdAndVersionFoundPastTheirGroup)
{
    // An infCte without Id takes the next one, the protocol's; the Id is kept before the test.
    const cte::TCTe c = Lido("<cteProc versao=\"3.00\"><CTe><infCte versao='4.00'>" + IdeMinima +
                             "</infCte></CTe><protCTe><infProt Id=\"ID135\"/></protCTe></cteProc>");
    EXPECT_EQ(c.infCTe.Id, "ID135");
    EXPECT_DOUBLE_EQ(c.infCTe.versao, 4.0);

    cte::TCTe falho;
    cte::TCTeR leitor(falho);
    leitor.Leitor().SetArquivo("<CTe><infCte Id=\"CTe-x\"></infCte></CTe>");
    EXPECT_THROW(leitor.LerXml(), rtl::Exception);
    EXPECT_EQ(falho.infCTe.Id, "CTe-x");
}

TEST_F(CTeReader, VersionGatesOfIdentification)
{
    const std::string ide = "<ide><cCT>1</cCT><CFOP>1</CFOP><mod>67</mod><forPag>1</forPag>"
                            "<indGlobalizado>1</indGlobalizado><indIEToma>2</indIEToma></ide>"
                            "<toma><CNPJ>22333444000165</CNPJ></toma>";
    struct Caso {
        const char *versao;
        bool tres;
    };
    for (const Caso caso : {Caso{"1.04", false}, Caso{"2.00", false}, Caso{"3.00", true},
                            Caso{"4.00", true}}) {
        SCOPED_TRACE(caso.versao);
        const cte::TCTe c = Lido(Documento(caso.versao, ide));
        EXPECT_EQ(c.ide.forPag, caso.tres ? cte::fpPago : cte::fpAPagar);
        EXPECT_EQ(c.ide.indGlobalizado, caso.tres ? dfe::tiSim : dfe::tiNao);
        EXPECT_EQ(c.ide.indIEToma, caso.tres ? dfe::inIsento : dfe::inContribuinte);
        EXPECT_EQ(c.toma.CNPJCPF, caso.tres ? "22333444000165" : "");
    }
}

TEST_F(CTeReader, TransportUnitQuantity)
{
    struct Caso {
        const char *nome;
        std::string unidade; // the content of infUnidTransp after idUnidTransp
        double esperado;
    };
    const Caso casos[] = {
        {"sem qtdRat", "", 0},
        {"só a da unidade de carga", "<infUnidCarga><idUnidCarga>C</idUnidCarga><qtdRat>4</qtdRat></infUnidCarga>", 0},
        {"inteira", "<qtdRat>2</qtdRat>", 2},
        {"ponto sob vírgula", "<qtdRat>1.50</qtdRat>", 1.5},
        {"vírgula", "<qtdRat>1,50</qtdRat>", 1.5},
        {"arredondada", "<qtdRat>1.23456</qtdRat>", 1.2346},
        {"depois da carga", "<infUnidCarga><qtdRat>4</qtdRat></infUnidCarga><qtdRat>0.25</qtdRat>", 0.25},
        {"não numérica", "<qtdRat>abc</qtdRat>", 0},
        {"fechamento sem abertura", "5</qtdRat>", 0},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const cte::TCTe c = Lido(Documento(
            "3.00", IdeMinima + "<infCTeNorm><infDoc><infNFe><chave>1</chave><infUnidTransp>"
                                "<tpUnidTransp>2</tpUnidTransp><idUnidTransp>U</idUnidTransp>" +
                        caso.unidade + "</infUnidTransp></infNFe></infDoc></infCTeNorm>"));
        ASSERT_EQ(c.infCTeNorm.infDoc.infNFe[0].infUnidTransp.Count(), 1);
        const cte::TinfUnidTranspCollectionItem &u = c.infCTeNorm.infDoc.infNFe[0].infUnidTransp[0];
        EXPECT_EQ(u.tpUnidTransp, dfe::utRodoReboque);
        EXPECT_DOUBLE_EQ(u.qtdRat, caso.esperado);
    }

    // With a transport unit, cargo units written straight in the document are not read.
    const cte::TCTe c = Lido(Documento(
        "3.00", IdeMinima + "<infCTeNorm><infDoc><infOutros><infUnidTransp><idUnidTransp>U"
                            "</idUnidTransp></infUnidTransp><infUnidCarga><idUnidCarga>D"
                            "</idUnidCarga></infUnidCarga></infOutros></infDoc></infCTeNorm>"));
    EXPECT_EQ(c.infCTeNorm.infDoc.infOutros[0].infUnidTransp.Count(), 1);
    EXPECT_EQ(c.infCTeNorm.infDoc.infOutros[0].infUnidTransp[0].infUnidCarga.Count(), 0);
    EXPECT_EQ(c.infCTeNorm.infDoc.infOutros[0].infUnidCarga.Count(), 0);
}

TEST_F(CTeReader, ObservationsTakeTheirOwnAttribute)
{
    // Odd spellings that a document-wide search of `ObsCont xCampo="` would pair wrongly.
    const cte::TCTe c = Lido(Documento(
        "3.00", IdeMinima + "<compl><ObsCont  xCampo=\"A &quot;1&quot;\"><xTexto>um</xTexto></ObsCont>"
                            "<ObsCont xCampo='B'><xTexto>ObsCont xCampo=\"falso\"</xTexto></ObsCont>"
                            "<ObsCont><xTexto>sem campo</xTexto></ObsCont>"
                            "<ObsFisco xCampo=\"F\"><xTexto>f</xTexto></ObsFisco></compl>"));
    ASSERT_EQ(c.Compl.ObsCont.Count(), 3);
    EXPECT_EQ(c.Compl.ObsCont[0].xCampo, "A \"1\"");
    EXPECT_EQ(c.Compl.ObsCont[1].xCampo, "B");
    EXPECT_EQ(c.Compl.ObsCont[1].xTexto, "ObsCont xCampo=\"falso\"");
    EXPECT_EQ(c.Compl.ObsCont[2].xCampo, "");
    ASSERT_EQ(c.Compl.ObsFisco.Count(), 1);
    EXPECT_EQ(c.Compl.ObsFisco[0].xCampo, "F");
}

TEST_F(CTeReader, DeliveryKindsLastOneWins)
{
    const cte::TCTe c = Lido(Documento(
        "3.00", IdeMinima + "<compl><Entrega><semData><tpPer>0</tpPer></semData>"
                            "<noPeriodo><tpPer>4</tpPer><dIni>2019-01-02</dIni><dFim>2019-01-05</dFim></noPeriodo>"
                            "<semHora><tpHor>0</tpHor></semHora><comHora><tpHor>1</tpHor><hProg>07:15:00</hProg></comHora>"
                            "</Entrega></compl>"));
    const cte::TEntrega &e = c.Compl.Entrega;
    EXPECT_EQ(e.TipoData, cte::tdNoPeriodo);
    EXPECT_EQ(e.noPeriodo.tpPer, cte::tdNoPeriodo);
    EXPECT_DOUBLE_EQ(e.noPeriodo.dFim, Data(2019, 1, 5));
    EXPECT_EQ(e.TipoHora, cte::thNoHorario);
    EXPECT_DOUBLE_EQ(e.comHora.hProg, Hora(7, 15, 0));

    // Without compl the kinds keep the model's defaults.
    const cte::TCTe semCompl = Lido(Documento("3.00", IdeMinima));
    EXPECT_EQ(semCompl.Compl.Entrega.TipoData, cte::tdSemData);
    EXPECT_EQ(semCompl.Compl.Entrega.TipoHora, cte::thSemHorario);
}

TEST_F(CTeReader, IcmsVariantNeedsItsCst)
{
    struct Caso {
        const char *grupo;
        dfe::TpcnCSTIcms situacao;
    };
    const Caso casos[] = {
        {"<ICMS00><CST>20</CST></ICMS00>", dfe::cst00},
        {"<ICMS45><CST>40</CST></ICMS45>", dfe::cst40},
        {"<ICMS45><CST>51</CST></ICMS45>", dfe::cst51},
        {"<ICMS60><CST>60</CST></ICMS60>", dfe::cst60},
        {"<ICMSOutraUF><CST>91</CST></ICMSOutraUF>", dfe::cst00},
        {"<ICMSSN><indSN>1</indSN></ICMSSN>", dfe::cstICMSSN},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.grupo);
        const cte::TCTe c =
            Lido(Documento("3.00", IdeMinima + "<imp><ICMS>" + std::string(caso.grupo) + "</ICMS></imp>"));
        EXPECT_EQ(c.imp.ICMS.SituTrib, caso.situacao);
    }
    EXPECT_EQ(Lido(Documento("3.00", IdeMinima + "<imp><ICMS><ICMSSN><indSN>1</indSN></ICMSSN></ICMS></imp>"))
                  .imp.ICMS.ICMSSN.indSN,
              1);
}

// Every CT-e and CT-e OS of the folders named by CTE_CORPUS_DIR (the folder holding cte/
// and cteos/) reads; skipped when it is not set.
TEST_F(CTeReader, CorpusFilesRead)
{
    const char *pasta = std::getenv("CTE_CORPUS_DIR");
    if (!pasta)
        GTEST_SKIP() << "CTE_CORPUS_DIR not set";
    int lidos = 0;
    for (const char *sub : {"cte", "cteos"}) {
        const std::filesystem::path dir = std::filesystem::path(pasta) / sub;
        if (!std::filesystem::is_directory(dir))
            continue;
        for (const auto &entrada : std::filesystem::directory_iterator(dir)) {
            SCOPED_TRACE(entrada.path().string());
            cte::TCTe c;
            cte::TCTeR leitor(c);
            leitor.Leitor().SetArquivo(Arquivo(entrada.path().string()));
            EXPECT_NO_THROW(leitor.LerXml());
            EXPECT_EQ(c.infCTe.Id.size(), 47u);
            EXPECT_FALSE(c.procCTe.nProt.empty());
            EXPECT_EQ(c.ide.modelo, std::string(sub) == "cte" ? 57 : 67);
            EXPECT_FALSE(c.emit.CNPJ.empty());
            EXPECT_GT(c.vPrest.vTPrest, Currency());
            // Each repeated group of the file is one item of its list.
            const std::string texto = Arquivo(entrada.path().string());
            const auto vezes = [&](std::string_view tag) {
                int n = 0;
                for (std::size_t p = texto.find(tag); p != std::string::npos; p = texto.find(tag, p + 1))
                    ++n;
                return n;
            };
            EXPECT_EQ(c.infCTeNorm.infDoc.infNFe.Count(), vezes("<infNFe>"));
            // The service of a CT-e OS states its quantity in infServico's own leaf.
            if (c.ide.modelo == 57)
                EXPECT_EQ(c.infCTeNorm.infCarga.infQ.Count(), vezes("<infQ>"));
            else
                EXPECT_GT(c.infCTeNorm.infServico.qCarga, Currency());
            EXPECT_EQ(c.vPrest.Comp.Count(), vezes("<Comp>"));
            EXPECT_EQ(c.Compl.ObsCont.Count(), vezes("<ObsCont "));
            for (int i = 0; i < c.Compl.ObsCont.Count(); ++i)
                EXPECT_FALSE(c.Compl.ObsCont[i].xCampo.empty());
            ++lidos;
        }
    }
    EXPECT_GT(lidos, 0);
}

} // namespace

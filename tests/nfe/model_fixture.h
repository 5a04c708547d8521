#pragma once
// A whole NF-e built in code, with a value in every group (the fields of every layout at
// once), for the model's copy tests and for later tests that need a full document.

#include "nfe/model.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <cstdint>
#include <string>

namespace nfe_test {

// An amount from its value times 10,000: Money(12345) is 1.2345.
inline rtl::Currency Money(std::int64_t raw) { return rtl::Currency::FromRaw(raw); }

inline void FillDocument(nfe::TNFe &nfe)
{
    using namespace nfe;

    nfe.infNFe.ID = "NFe35240512345678000195550010000012341123456786";
    nfe.infNFe.Versao = 4.0;

    TIde &ide = nfe.Ide;
    ide.cUF = 35;
    ide.cNF = 12345678;
    ide.natOp = "VENDA DE MERCADORIA";
    ide.indPag = dfe::ipPrazo;
    ide.modelo = 55;
    ide.serie = 1;
    ide.nNF = 1234;
    ide.dEmi = rtl::EncodeDateTime(2024, 5, 17, 10, 30, 0, 0);
    ide.dSaiEnt = rtl::EncodeDateTime(2024, 5, 17, 14, 0, 0, 0);
    ide.hSaiEnt = rtl::EncodeTime(14, 0, 0, 0);
    ide.dEmiFuso = "-03:00";
    ide.dSaiEntFuso = "-02:00";
    ide.dhContFuso = "-04:00";
    ide.tpNF = dfe::tnSaida;
    ide.idDest = dfe::doInterestadual;
    ide.cMunFG = 3550308;
    {
        TNFrefCollectionItem &nfe1 = ide.NFref.New();
        nfe1.refNFe = "35240412345678000195550010000011111000011112";
        TNFrefCollectionItem &nf = ide.NFref.New();
        nf.RefNF.cUF = 35;
        nf.RefNF.AAMM = "2401";
        nf.RefNF.CNPJ = "12345678000195";
        nf.RefNF.modelo = 1;
        nf.RefNF.serie = 2;
        nf.RefNF.nNF = 321;
        TNFrefCollectionItem &nfp = ide.NFref.Add();
        nfp.RefNFP.cUF = 31;
        nfp.RefNFP.AAMM = "2312";
        nfp.RefNFP.CNPJCPF = "12345678909";
        nfp.RefNFP.IE = "0620012345678";
        nfp.RefNFP.modelo = "04";
        nfp.RefNFP.serie = 3;
        nfp.RefNFP.nNF = 77;
        TNFrefCollectionItem &ecf = ide.NFref.New();
        ecf.RefECF.modelo = dfe::ECFModRef2D;
        ecf.RefECF.nECF = "005";
        ecf.RefECF.nCOO = "001234";
        ecf.refCTe = "35240412345678000195570010000000011000000017";
    }
    ide.tpImp = dfe::tiRetrato;
    ide.tpEmis = dfe::teSVCAN;
    ide.cDV = 6;
    ide.tpAmb = dfe::taHomologacao;
    ide.finNFe = fnDevolucao;
    ide.indFinal = dfe::cfConsumidorFinal;
    ide.indPres = dfe::pcInternet;
    ide.procEmi = dfe::peAvulsaFisco;
    ide.verProc = "Emissor 1.0";
    ide.dhCont = rtl::EncodeDateTime(2024, 5, 17, 9, 0, 0, 0);
    ide.xJust = "Falha de comunicação com a SEFAZ";

    TEmit &emit = nfe.Emit;
    emit.CNPJCPF = "12345678000195";
    emit.xNome = "Empresa Emitente Ltda";
    emit.xFant = "Emitente";
    emit.EnderEmit.xLgr = "Rua das Flores";
    emit.EnderEmit.nro = "100";
    emit.EnderEmit.xCpl = "Sala 2";
    emit.EnderEmit.xBairro = "Centro";
    emit.EnderEmit.cMun = 3550308;
    emit.EnderEmit.xMun = "São Paulo";
    emit.EnderEmit.UF = "SP";
    emit.EnderEmit.CEP = 1001000;
    emit.EnderEmit.cPais = 1058;
    emit.EnderEmit.xPais = "Brasil";
    emit.EnderEmit.fone = "1133334444";
    emit.IE = "111222333444";
    emit.IEST = "555666777888";
    emit.IM = "12345";
    emit.CNAE = "4711302";
    emit.CRT = dfe::crtSimplesNacional;

    TAvulsa &avulsa = nfe.Avulsa;
    avulsa.CNPJ = "98765432000198";
    avulsa.xOrgao = "Posto Fiscal";
    avulsa.matr = "4321";
    avulsa.xAgente = "Fulano";
    avulsa.fone = "1122223333";
    avulsa.UF = "SP";
    avulsa.nDAR = "DAR-9";
    avulsa.dEmi = rtl::EncodeDate(2024, 5, 16);
    avulsa.vDAR = Money(1500000);
    avulsa.repEmi = "Repartição";
    avulsa.dPag = rtl::EncodeDate(2024, 5, 18);

    TDest &dest = nfe.Dest;
    dest.CNPJCPF = "11222333000181";
    dest.idEstrangeiro = "X-1";
    dest.xNome = "Cliente Destinatário S.A.";
    dest.EnderDest.xLgr = "Avenida Brasil";
    dest.EnderDest.nro = "2000";
    dest.EnderDest.xCpl = "Bloco B";
    dest.EnderDest.xBairro = "Jardins";
    dest.EnderDest.cMun = 3304557;
    dest.EnderDest.xMun = "Rio de Janeiro";
    dest.EnderDest.UF = "RJ";
    dest.EnderDest.CEP = 20040002;
    dest.EnderDest.cPais = 1058;
    dest.EnderDest.xPais = "BRASIL";
    dest.EnderDest.fone = "2144445555";
    dest.indIEDest = dfe::inNaoContribuinte;
    dest.IE = "77889900";
    dest.ISUF = "123456789";
    dest.IM = "999";
    dest.Email = "compras@cliente.com.br";

    TRetirada &ret = nfe.Retirada;
    ret.CNPJCPF = "12345678000195";
    ret.xNome = "Depósito";
    ret.xLgr = "Rua A";
    ret.nro = "1";
    ret.xCpl = "Galpão 3";
    ret.xBairro = "Industrial";
    ret.cMun = 3509502;
    ret.xMun = "Campinas";
    ret.UF = "SP";
    ret.CEP = 13010000;
    ret.cPais = 1058;
    ret.xPais = "BRASIL";
    ret.fone = "1933332222";
    ret.Email = "deposito@emitente.com.br";
    ret.IE = "244555666777";

    TEntrega &ent = nfe.Entrega;
    ent.CNPJCPF = "11222333000181";
    ent.xNome = "Loja Centro";
    ent.xLgr = "Rua B";
    ent.nro = "2";
    ent.xCpl = "Loja 5";
    ent.xBairro = "Centro";
    ent.cMun = 3304557;
    ent.xMun = "Rio de Janeiro";
    ent.UF = "RJ";
    ent.CEP = 20010000;
    ent.cPais = 1058;
    ent.xPais = "BRASIL";
    ent.fone = "2133331111";
    ent.Email = "loja@cliente.com.br";
    ent.IE = "11223344";

    for (int i = 1; i <= 3; ++i) {
        TDetCollectionItem &det = nfe.Det.New();
        TProd &prod = det.Prod;
        prod.cProd = "P" + std::to_string(i);
        prod.nItem = i;
        prod.cEAN = "7891234567895";
        prod.xProd = "Produto número " + std::to_string(i);
        prod.NCM = "22030000";
        prod.EXTIPI = "01";
        prod.CFOP = "6102";
        prod.uCom = "UN";
        prod.qCom = Money(20000 * i);
        prod.vUnCom = 10.1234567891;
        prod.vProd = Money(202469 * i);
        prod.cEANTrib = "7891234567895";
        prod.uTrib = "CX";
        prod.qTrib = Money(1000 * i);
        prod.vUnTrib = 202.469135782;
        prod.vFrete = Money(5000);
        prod.vSeg = Money(1000);
        prod.vDesc = Money(2000);
        prod.vOutro = Money(300);
        prod.IndTot = dfe::itNaoSomaTotalNFe;
        TDICollectionItem &di = prod.DI.New();
        di.nDi = "2412345678";
        di.dDi = rtl::EncodeDate(2024, 4, 1);
        di.xLocDesemb = "Porto de Santos";
        di.UFDesemb = "SP";
        di.dDesemb = rtl::EncodeDate(2024, 4, 3);
        di.tpViaTransp = dfe::tvMaritima;
        di.vAFRMM = Money(123400);
        di.tpIntermedio = dfe::tiContaOrdem;
        di.CNPJ = "33444555000166";
        di.UFTerceiro = "PR";
        di.cExportador = "EXP-7";
        for (int a = 1; a <= 2; ++a) {
            TAdiCollectionItem &adi = di.adi.New();
            adi.nAdicao = a;
            adi.nSeqAdi = 10 + a;
            adi.cFabricante = "FAB" + std::to_string(a);
            adi.vDescDI = Money(100 * a);
            adi.nDraw = "2024000000" + std::to_string(a);
        }
        prod.xPed = "PED-55";
        prod.nItemPed = "000001";
        TdetExportCollectionItem &exp = prod.detExport.New();
        exp.nDraw = "20240000001";
        exp.nRE = "240000000001";
        exp.chNFe = "35240412345678000195550010000011111000011112";
        exp.qExport = Money(15000);
        TRastroCollectionItem &lote = prod.rastro.New();
        lote.nLote = "L-01";
        lote.qLote = Money(12500);
        lote.dFab = rtl::EncodeDate(2024, 1, 10);
        lote.dVal = rtl::EncodeDate(2026, 1, 10);
        lote.cAgreg = "AG1";
        TveicProd &veic = prod.veicProd;
        veic.tpOP = toVendaDireta;
        veic.chassi = "9BWZZZ377VT004251";
        veic.cCor = "A1";
        veic.xCor = "Azul Metálico";
        veic.pot = "110";
        veic.Cilin = "1600";
        veic.pesoL = "1100";
        veic.pesoB = "1300";
        veic.nSerie = "S123";
        veic.tpComb = "16";
        veic.nMotor = "M987";
        veic.CMT = "1800";
        veic.dist = "2500";
        veic.anoMod = 2025;
        veic.anoFab = 2024;
        veic.tpPint = "M";
        veic.tpVeic = 6;
        veic.espVeic = 1;
        veic.VIN = "N";
        veic.condVeic = cvSemiAcabado;
        veic.cMod = "123456";
        veic.cCorDENATRAN = "02";
        veic.lota = 5;
        veic.tpRest = 1;
        TmedCollectionItem &med = prod.med.New();
        med.cProdANVISA = "1234567890123";
        med.xMotivoIsencao = "Isento";
        med.nLote = "M-9";
        med.qLote = Money(30000);
        med.dFab = rtl::EncodeDate(2024, 2, 2);
        med.dVal = rtl::EncodeDate(2025, 2, 2);
        med.vPMC = Money(459900);
        TarmaCollectionItem &arma = prod.arma.New();
        arma.tpArma = taUsoRestrito;
        arma.nSerie = "AR-1";
        arma.nCano = "CN-1";
        arma.descr = "Pistola";
        TComb &comb = prod.comb;
        comb.cProdANP = 210203001;
        comb.pMixGN = Money(12345);
        comb.descANP = "GLP";
        comb.pGLP = Money(1000000);
        comb.pGNn = Money(605000);
        comb.pGNi = Money(395000);
        comb.vPart = Money(11111);
        comb.CODIF = "CODIF-1";
        comb.qTemp = Money(22222);
        comb.UFcons = "SP";
        comb.CIDE.qBCProd = Money(1);
        comb.CIDE.vAliqProd = Money(2);
        comb.CIDE.vCIDE = Money(3);
        comb.ICMS.vBCICMS = Money(4);
        comb.ICMS.vICMS = Money(5);
        comb.ICMS.vBCICMSST = Money(6);
        comb.ICMS.vICMSST = Money(7);
        comb.ICMSInter.vBCICMSSTDest = Money(8);
        comb.ICMSInter.vICMSSTDest = Money(9);
        comb.ICMSCons.vBCICMSSTCons = Money(10);
        comb.ICMSCons.vICMSSTCons = Money(11);
        comb.ICMSCons.UFcons = "MG";
        comb.encerrante.nBico = 1;
        comb.encerrante.nBomba = 2;
        comb.encerrante.nTanque = 3;
        comb.encerrante.vEncIni = Money(1000);
        comb.encerrante.vEncFin = Money(2000);
        prod.nRECOPI = "20240517123456789012";
        prod.nFCI = "12345678-ABCD-1234-ABCD-123456789012";
        prod.NVE.New().NVE = "AA0001";
        prod.NVE.New().NVE = "BB0002";
        prod.CEST = "0300100";
        prod.indEscala = ieNaoRelevante;
        prod.CNPJFab = "44555666000177";
        prod.cBenef = "SP123456";

        TImposto &imp = det.Imposto;
        imp.vTotTrib = Money(45678);
        TICMS &icms = imp.ICMS;
        icms.orig = dfe::oeEstrangeiraImportacaoDireta;
        icms.CST = dfe::cstPart90;
        icms.CSOSN = dfe::csosn900;
        icms.modBC = dfe::dbiValorOperacao;
        icms.pRedBC = Money(1);
        icms.vBC = Money(2);
        icms.pICMS = Money(3);
        icms.vICMS = Money(4);
        icms.modBCST = dfe::dbisMargemValorAgregado;
        icms.pMVAST = Money(5);
        icms.pRedBCST = Money(6);
        icms.vBCST = Money(7);
        icms.pICMSST = Money(8);
        icms.vICMSST = Money(9);
        icms.UFST = "RJ";
        icms.pBCOp = Money(10);
        icms.vBCSTRet = Money(11);
        icms.vICMSSTRet = Money(12);
        icms.motDesICMS = dfe::mdiSuframa;
        icms.pCredSN = Money(13);
        icms.vCredICMSSN = Money(14);
        icms.vBCSTDest = Money(15);
        icms.vICMSSTDest = Money(16);
        icms.vICMSDeson = Money(17);
        icms.vICMSOp = Money(18);
        icms.pDif = Money(19);
        icms.vICMSDif = Money(20);
        icms.vBCFCP = Money(21);
        icms.pFCP = Money(22);
        icms.vFCP = Money(23);
        icms.vBCFCPST = Money(24);
        icms.pFCPST = Money(25);
        icms.vFCPST = Money(26);
        icms.vBCFCPSTRet = Money(27);
        icms.pFCPSTRet = Money(28);
        icms.vFCPSTRet = Money(29);
        icms.pST = Money(30);
        icms.pRedBCEfet = Money(31);
        icms.vBCEfet = Money(32);
        icms.pICMSEfet = Money(33);
        icms.vICMSEfet = Money(34);
        icms.vICMSSubstituto = Money(35);
        imp.IPI.clEnq = "C1";
        imp.IPI.CNPJProd = "55666777000188";
        imp.IPI.cSelo = "SELO";
        imp.IPI.qSelo = 4;
        imp.IPI.cEnq = "999";
        imp.IPI.CST = dfe::ipi50;
        imp.IPI.vBC = Money(36);
        imp.IPI.qUnid = Money(37);
        imp.IPI.vUnid = Money(38);
        imp.IPI.pIPI = Money(39);
        imp.IPI.vIPI = Money(40);
        imp.II.vBc = Money(41);
        imp.II.vDespAdu = Money(42);
        imp.II.vII = Money(43);
        imp.II.vIOF = Money(44);
        imp.PIS.CST = dfe::pis99;
        imp.PIS.vBC = Money(45);
        imp.PIS.pPIS = Money(46);
        imp.PIS.vPIS = Money(47);
        imp.PIS.qBCProd = Money(48);
        imp.PIS.vAliqProd = Money(49);
        imp.PISST.vBc = Money(50);
        imp.PISST.pPis = Money(51);
        imp.PISST.qBCProd = Money(52);
        imp.PISST.vAliqProd = Money(53);
        imp.PISST.vPIS = Money(54);
        imp.COFINS.CST = dfe::cof98;
        imp.COFINS.vBC = Money(55);
        imp.COFINS.pCOFINS = Money(56);
        imp.COFINS.vCOFINS = Money(57);
        imp.COFINS.vBCProd = Money(58);
        imp.COFINS.vAliqProd = Money(59);
        imp.COFINS.qBCProd = Money(60);
        imp.COFINSST.vBC = Money(61);
        imp.COFINSST.pCOFINS = Money(62);
        imp.COFINSST.qBCProd = Money(63);
        imp.COFINSST.vAliqProd = Money(64);
        imp.COFINSST.vCOFINS = Money(65);
        TISSQN &iss = imp.ISSQN;
        iss.vBC = Money(66);
        iss.vAliq = Money(67);
        iss.vISSQN = Money(68);
        iss.cMunFG = 3550308;
        iss.cListServ = "14.01";
        iss.cSitTrib = dfe::ISSQNcSitTribRETIDA;
        iss.vDeducao = Money(69);
        iss.vOutro = Money(70);
        iss.vDescIncond = Money(71);
        iss.vDescCond = Money(72);
        iss.indISSRet = dfe::iirNao;
        iss.vISSRet = Money(73);
        iss.indISS = dfe::iiExportacao;
        iss.cServico = "SRV";
        iss.cMun = 3304557;
        iss.cPais = 1058;
        iss.nProcesso = "PROC-1";
        iss.indIncentivo = dfe::iiNao;
        TICMSUFDest &uf = imp.ICMSUFDest;
        uf.vBCUFDest = Money(74);
        uf.vBCFCPUFDest = Money(75);
        uf.pFCPUFDest = Money(76);
        uf.pICMSUFDest = Money(77);
        uf.pICMSInter = Money(78);
        uf.pICMSInterPart = Money(79);
        uf.vFCPUFDest = Money(80);
        uf.vICMSUFDest = Money(81);
        uf.vICMSUFRemet = Money(82);

        det.pDevol = Money(500000);
        det.vIPIDevol = Money(12300);
        det.infAdProd = "Informação do item " + std::to_string(i);
    }

    TICMSTot &tot = nfe.Total.ICMSTot;
    tot.vBC = Money(101);
    tot.vICMS = Money(102);
    tot.vICMSDeson = Money(103);
    tot.vFCPUFDest = Money(104);
    tot.vICMSUFDest = Money(105);
    tot.vICMSUFRemet = Money(106);
    tot.vFCP = Money(107);
    tot.vBCST = Money(108);
    tot.vST = Money(109);
    tot.vFCPST = Money(110);
    tot.vFCPSTRet = Money(111);
    tot.vProd = Money(112);
    tot.vFrete = Money(113);
    tot.vSeg = Money(114);
    tot.vDesc = Money(115);
    tot.vII = Money(116);
    tot.vIPI = Money(117);
    tot.vIPIDevol = Money(118);
    tot.vPIS = Money(119);
    tot.vCOFINS = Money(120);
    tot.vOutro = Money(121);
    tot.vNF = Money(122);
    tot.vTotTrib = Money(123);
    TISSQNtot &isstot = nfe.Total.ISSQNtot;
    isstot.vServ = Money(124);
    isstot.vBC = Money(125);
    isstot.vISS = Money(126);
    isstot.vPIS = Money(127);
    isstot.vCOFINS = Money(128);
    isstot.dCompet = rtl::EncodeDate(2024, 5, 1);
    isstot.vDeducao = Money(129);
    isstot.vOutro = Money(130);
    isstot.vDescIncond = Money(131);
    isstot.vDescCond = Money(132);
    isstot.vISSRet = Money(133);
    isstot.cRegTrib = dfe::RTISSMEEPP;
    TretTrib &rt = nfe.Total.retTrib;
    rt.vRetPIS = Money(134);
    rt.vRetCOFINS = Money(135);
    rt.vRetCSLL = Money(136);
    rt.vBCIRRF = Money(137);
    rt.vIRRF = Money(138);
    rt.vBCRetPrev = Money(139);
    rt.vRetPrev = Money(140);

    TTransp &transp = nfe.Transp;
    transp.modFrete = mfContaDestinatario;
    transp.Transporta.CNPJCPF = "66777888000199";
    transp.Transporta.xNome = "Transportadora Rápida";
    transp.Transporta.IE = "ISENTO";
    transp.Transporta.xEnder = "Rodovia 1, km 2";
    transp.Transporta.xMun = "Jundiaí";
    transp.Transporta.UF = "SP";
    transp.retTransp.vServ = Money(141);
    transp.retTransp.vBCRet = Money(142);
    transp.retTransp.pICMSRet = Money(143);
    transp.retTransp.vICMSRet = Money(144);
    transp.retTransp.CFOP = "5353";
    transp.retTransp.cMunFG = 3525904;
    transp.veicTransp.placa = "ABC1D23";
    transp.veicTransp.UF = "SP";
    transp.veicTransp.RNTC = "RNTC1";
    for (int r = 1; r <= 2; ++r) {
        TreboqueCollectionItem &reboque = transp.Reboque.New();
        reboque.placa = "REB000" + std::to_string(r);
        reboque.UF = "PR";
        reboque.RNTC = "RNTC-R" + std::to_string(r);
    }
    for (int v = 1; v <= 2; ++v) {
        TVolCollectionItem &vol = transp.Vol.New();
        vol.qVol = 10 * v;
        vol.esp = "CAIXA";
        vol.marca = "MARCA";
        vol.nVol = "V" + std::to_string(v);
        vol.pesoL = Money(1234567);
        vol.pesoB = Money(1334567);
        vol.Lacres.New().nLacre = "LAC-" + std::to_string(v) + "a";
        vol.Lacres.New().nLacre = "LAC-" + std::to_string(v) + "b";
    }
    transp.vagao = "VAG-1";
    transp.balsa = "BAL-1";

    nfe.Cobr.Fat.nFat = "FAT-1";
    nfe.Cobr.Fat.vOrig = Money(1000000);
    nfe.Cobr.Fat.vDesc = Money(100000);
    nfe.Cobr.Fat.vLiq = Money(900000);
    for (int d = 1; d <= 3; ++d) {
        TDupCollectionItem &dup = nfe.Cobr.Dup.New();
        dup.nDup = "00" + std::to_string(d);
        dup.dVenc = rtl::EncodeDate(2024, 5 + d, 17);
        dup.vDup = Money(300000);
    }

    nfe.pag.vTroco = Money(55000);
    TpagCollectionItem &dinheiro = nfe.pag.New();
    dinheiro.tPag = dfe::fpDinheiro;
    dinheiro.vPag = Money(500000);
    dinheiro.indPag = dfe::ipVista;
    TpagCollectionItem &cartao = nfe.pag.New();
    cartao.tPag = dfe::fpCartaoCredito;
    cartao.vPag = Money(455000);
    cartao.tpIntegra = dfe::tiPagIntegrado;
    cartao.CNPJ = "01027058000191";
    cartao.tBand = dfe::bcMasterCard;
    cartao.cAut = "AUT123";
    cartao.indPag = dfe::ipPrazo;

    TInfAdic &adic = nfe.InfAdic;
    adic.infAdFisco = "Informação ao fisco";
    adic.infCpl = "Informação complementar; pedido 55";
    TobsContCollectionItem &cont = adic.obsCont.New();
    cont.xCampo = "Vendedor";
    cont.xTexto = "João";
    TobsFiscoCollectionItem &fisco = adic.obsFisco.New();
    fisco.xCampo = "Regime";
    fisco.xTexto = "Especial";
    TprocRefCollectionItem &proc = adic.procRef.New();
    proc.nProc = "PROC-2024-1";
    proc.indProc = dfe::ipJusticaFederal;

    nfe.exporta.UFembarq = "SP";
    nfe.exporta.xLocEmbarq = "Santos";
    nfe.exporta.UFSaidaPais = "SP";
    nfe.exporta.xLocExporta = "Porto de Santos";
    nfe.exporta.xLocDespacho = "Recinto 1";

    nfe.compra.xNEmp = "NE-1";
    nfe.compra.xPed = "PC-1";
    nfe.compra.xCont = "CT-1";

    TCana &cana = nfe.cana;
    cana.safra = "2023/2024";
    cana.ref = "05/2024";
    for (int dia = 1; dia <= 2; ++dia) {
        TForDiaCollectionItem &forDia = cana.fordia.New();
        forDia.dia = dia;
        forDia.qtde = Money(1000000 * dia);
    }
    cana.qTotMes = 3000.1234567891;
    cana.qTotAnt = 1500.5;
    cana.qTotGer = 4500.6234567891;
    for (int d = 1; d <= 2; ++d) {
        TDeducCollectionItem &deduc = cana.deduc.New();
        deduc.xDed = "Dedução " + std::to_string(d);
        deduc.vDed = Money(10000 * d);
    }
    cana.vFor = Money(141);
    cana.vTotDed = Money(142);
    cana.vLiqFor = Money(143);

    nfe.signature.URI = "#NFe35240512345678000195550010000012341123456786";
    nfe.signature.DigestValue = "ZGlnZXN0";
    nfe.signature.SignatureValue = "c2lnbmF0dXJl";
    nfe.signature.X509Certificate = "Y2VydGlmaWNhdGU=";

    TProcNFe &prot = nfe.procNFe;
    prot.PathNFe = "/tmp/nfe.xml";
    prot.PathRetConsReciNFe = "/tmp/reci.xml";
    prot.PathRetConsSitNFe = "/tmp/sit.xml";
    prot.tpAmb = dfe::taHomologacao;
    prot.verAplic = "SP_NFE_PL009_V4";
    prot.chNFe = "35240512345678000195550010000012341123456786";
    prot.dhRecbto = rtl::EncodeDateTime(2024, 5, 17, 10, 31, 5, 0);
    prot.dhRecbtoFuso = "+01:00";
    prot.nProt = "135240000012345";
    prot.digVal = "ZGlnZXN0";
    prot.cStat = 100;
    prot.xMotivo = "Autorizado o uso da NF-e";
    prot.Versao = "4.00";
    prot.cMsg = 200;
    prot.xMsg = "Mensagem da SEFAZ";
    prot.XML_NFe = "<NFe/>";
    prot.XML_prot = "<protNFe/>";

    nfe.autXML.New().CNPJCPF = "12345678000195";
    nfe.autXML.New().CNPJCPF = "12345678909";

    nfe.infNFeSupl.qrCode = "https://www.example.com/qrcode?p=1|2|3";
    nfe.infNFeSupl.urlChave = "https://www.example.com/consulta";

    nfe.infRespTec.CNPJ = "99888777000166";
    nfe.infRespTec.xContato = "Suporte";
    nfe.infRespTec.email = "suporte@software.com.br";
    nfe.infRespTec.fone = "1140041234";
    nfe.infRespTec.idCSRT = 1;
    nfe.infRespTec.hashCSRT = "aGFzaA==";
}

} // namespace nfe_test

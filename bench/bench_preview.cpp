// From the press of "Visualizar" to the preview painted, as a user meets it: the window
// loads the file, the family prints it into the modal preview, and the clock stops when the
// page's view has been painted for the first time; the preview is then closed. Measured for
// a 41-item NF-e and for each family's typical document (a CT-e with 30 NF-e keys, an MDF-e
// with 35 documents, a 31-item CF-e), warm (repeated in one process) and the first time in a
// process (each run in a fresh copy of this program, which prints its own time).
//
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_preview

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/startup.h"

#include "report/preview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// ---- the documents ----------------------------------------------------------------------

std::string Digits(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

std::string NFeItem(int n)
{
    const std::string i = std::to_string(n);
    return "<det nItem=\"" + i + "\"><prod><cProd>" + Digits(n, 6) + "</cProd><cEAN>SEM GTIN</cEAN>"
           "<xProd>PARAFUSO SEXTAVADO ACO INOX M8 X 40 MM CAIXA COM 50 UNIDADES LOTE " + i + "</xProd>"
           "<NCM>73181500</NCM><CEST>0100100</CEST><CFOP>6102</CFOP><uCom>CX</uCom><qCom>3.0000</qCom>"
           "<vUnCom>41.9000000000</vUnCom><vProd>125.70</vProd><cEANTrib>SEM GTIN</cEANTrib>"
           "<uTrib>CX</uTrib><qTrib>3.0000</qTrib><vUnTrib>41.9000000000</vUnTrib><vDesc>2.50</vDesc>"
           "<indTot>1</indTot><xPed>PED-" + i + "</xPed><nItemPed>" + i + "</nItemPed></prod>"
           "<imposto><vTotTrib>38.12</vTotTrib><ICMS><ICMS10><orig>0</orig><CST>10</CST><modBC>3</modBC>"
           "<vBC>123.20</vBC><pICMS>12.0000</pICMS><vICMS>14.78</vICMS><modBCST>4</modBCST>"
           "<pMVAST>40.0000</pMVAST><vBCST>172.48</vBCST><pICMSST>18.0000</pICMSST><vICMSST>16.27</vICMSST>"
           "</ICMS10></ICMS><IPI><cEnq>999</cEnq><IPITrib><CST>50</CST><vBC>123.20</vBC>"
           "<pIPI>6.5000</pIPI><vIPI>8.01</vIPI></IPITrib></IPI><PIS><PISAliq><CST>01</CST>"
           "<vBC>123.20</vBC><pPIS>1.6500</pPIS><vPIS>2.03</vPIS></PISAliq></PIS><COFINS><COFINSAliq>"
           "<CST>01</CST><vBC>123.20</vBC><pCOFINS>7.6000</pCOFINS><vCOFINS>9.36</vCOFINS></COFINSAliq>"
           "</COFINS></imposto><infAdProd>Item conferido na expedicao " + i + "</infAdProd></det>\n";
}

std::string NFe(int itens)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<infNFe versao=\"4.00\" Id=\"NFe41200598765432000110550010000456781876543210\">"
        "<ide><cUF>41</cUF><cNF>87654321</cNF><natOp>VENDA DE MERCADORIA</natOp><mod>55</mod>"
        "<serie>1</serie><nNF>45678</nNF><dhEmi>2020-05-12T14:20:00-03:00</dhEmi>"
        "<dhSaiEnt>2020-05-12T15:00:00-03:00</dhSaiEnt><tpNF>1</tpNF><idDest>2</idDest>"
        "<cMunFG>4106902</cMunFG><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>0</cDV><tpAmb>1</tpAmb>"
        "<finNFe>1</finNFe><indFinal>0</indFinal><indPres>9</indPres><procEmi>0</procEmi>"
        "<verProc>ERP 7.2</verProc></ide>"
        "<emit><CNPJ>98765432000110</CNPJ><xNome>Ferragens Paraná Comércio Ltda</xNome>"
        "<xFant>Ferragens PR</xFant><enderEmit><xLgr>Rua XV de Novembro</xLgr><nro>1500</nro>"
        "<xBairro>Centro</xBairro><cMun>4106902</cMun><xMun>Curitiba</xMun><UF>PR</UF>"
        "<CEP>80020310</CEP><cPais>1058</cPais><xPais>BRASIL</xPais><fone>4133221100</fone>"
        "</enderEmit><IE>9012345678</IE><CRT>3</CRT></emit>"
        "<dest><CNPJ>11222333000181</CNPJ><xNome>Construtora Horizonte S.A.</xNome><enderDest>"
        "<xLgr>Avenida Paulista</xLgr><nro>900</nro><xCpl>Andar 12</xCpl><xBairro>Bela Vista</xBairro>"
        "<cMun>3550308</cMun><xMun>São Paulo</xMun><UF>SP</UF><CEP>01310100</CEP><cPais>1058</cPais>"
        "<xPais>BRASIL</xPais><fone>1130304050</fone></enderDest><indIEDest>1</indIEDest>"
        "<IE>111222333444</IE><email>compras@horizonte.example</email></dest>\n";
    for (int n = 1; n <= itens; ++n)
        doc += NFeItem(n);
    doc += "<total><ICMSTot><vBC>5051.20</vBC><vICMS>605.98</vICMS><vICMSDeson>0.00</vICMSDeson>"
           "<vFCP>0.00</vFCP><vBCST>7071.68</vBCST><vST>667.07</vST><vFCPST>0.00</vFCPST>"
           "<vFCPSTRet>0.00</vFCPSTRet><vProd>5153.70</vProd><vFrete>0.00</vFrete><vSeg>0.00</vSeg>"
           "<vDesc>102.50</vDesc><vII>0.00</vII><vIPI>328.41</vIPI><vIPIDevol>0.00</vIPIDevol>"
           "<vPIS>83.23</vPIS><vCOFINS>383.76</vCOFINS><vOutro>0.00</vOutro><vNF>6046.68</vNF>"
           "<vTotTrib>1562.92</vTotTrib></ICMSTot></total>"
           "<transp><modFrete>0</modFrete><transporta><CNPJ>44555666000172</CNPJ>"
           "<xNome>Transportadora Rápida Ltda</xNome><IE>4455667788</IE><xEnder>Rodovia BR 116 km 10</xEnder>"
           "<xMun>Curitiba</xMun><UF>PR</UF></transporta><vol><qVol>41</qVol><esp>CAIXA</esp>"
           "<pesoL>205.000</pesoL><pesoB>215.500</pesoB></vol></transp>"
           "<cobr><fat><nFat>45678</nFat><vOrig>6149.18</vOrig><vDesc>102.50</vDesc><vLiq>6046.68</vLiq></fat>"
           "<dup><nDup>001</nDup><dVenc>2020-06-12</dVenc><vDup>3023.34</vDup></dup>"
           "<dup><nDup>002</nDup><dVenc>2020-07-12</dVenc><vDup>3023.34</vDup></dup></cobr>"
           "<pag><detPag><indPag>1</indPag><tPag>15</tPag><vPag>6046.68</vPag></detPag></pag>"
           "<infAdic><infCpl>Pedido 8899; entrega em horario comercial; conferir volumes no ato.</infCpl>"
           "</infAdic></infNFe></NFe><protNFe versao=\"4.00\"><infProt><tpAmb>1</tpAmb>"
           "<verAplic>PR-v4_3_1</verAplic><chNFe>41200598765432000110550010000456781876543210</chNFe>"
           "<dhRecbto>2020-05-12T14:21:10-03:00</dhRecbto><nProt>141200000456789</nProt>"
           "<digVal>cXVhbHF1ZXI=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo>"
           "</infProt></protNFe></nfeProc>";
    return doc;
}

std::string Chave(const char *prefixo, int n)
{
    return prefixo + Digits(n, 9) + "1" + Digits(10000000 + n, 8) + "0";
}

std::string CTe(int chaves)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<cteProc xmlns=\"http://www.portalfiscal.inf.br/cte\" versao=\"3.00\">"
        "<CTe xmlns=\"http://www.portalfiscal.inf.br/cte\">"
        "<infCte versao=\"3.00\" Id=\"CTe42200644555666000172570010000078901333444550\">"
        "<ide><cUF>42</cUF><cCT>33344455</cCT><CFOP>6353</CFOP><natOp>PRESTACAO DE SERVICO DE TRANSPORTE</natOp>"
        "<mod>57</mod><serie>1</serie><nCT>7890</nCT><dhEmi>2020-06-03T16:45:00-03:00</dhEmi>"
        "<tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>0</cDV><tpAmb>1</tpAmb><tpCTe>0</tpCTe><procEmi>0</procEmi>"
        "<verProc>TMS 3.1</verProc><cMunEnv>4205407</cMunEnv><xMunEnv>FLORIANOPOLIS</xMunEnv><UFEnv>SC</UFEnv>"
        "<modal>01</modal><tpServ>0</tpServ><cMunIni>4205407</cMunIni><xMunIni>FLORIANOPOLIS</xMunIni>"
        "<UFIni>SC</UFIni><cMunFim>3550308</cMunFim><xMunFim>SAO PAULO</xMunFim><UFFim>SP</UFFim>"
        "<retira>1</retira><indIEToma>1</indIEToma><toma3><toma>0</toma></toma3></ide>"
        "<compl><xObs>Carga paletizada; agendar descarga.</xObs></compl>"
        "<emit><CNPJ>44555666000172</CNPJ><IE>255667788</IE><xNome>Transportes Ilha Ltda</xNome>"
        "<enderEmit><xLgr>Rodovia SC 401</xLgr><nro>3000</nro><xBairro>Saco Grande</xBairro>"
        "<cMun>4205407</cMun><xMun>FLORIANOPOLIS</xMun><CEP>88032005</CEP><UF>SC</UF>"
        "<fone>4832324545</fone></enderEmit></emit>"
        "<rem><CNPJ>55666777000104</CNPJ><IE>256789012</IE><xNome>Indústria Catarinense SA</xNome>"
        "<enderReme><xLgr>Rua das Indústrias</xLgr><nro>10</nro><xBairro>Distrito</xBairro>"
        "<cMun>4205407</cMun><xMun>FLORIANOPOLIS</xMun><CEP>88000000</CEP><UF>SC</UF></enderReme></rem>"
        "<dest><CNPJ>11222333000181</CNPJ><IE>111222333444</IE><xNome>Distribuidora Paulista Ltda</xNome>"
        "<enderDest><xLgr>Avenida do Estado</xLgr><nro>5000</nro><xBairro>Cambuci</xBairro>"
        "<cMun>3550308</cMun><xMun>SAO PAULO</xMun><CEP>01516000</CEP><UF>SP</UF></enderDest></dest>"
        "<vPrest><vTPrest>4850.00</vTPrest><vRec>4850.00</vRec><Comp><xNome>FRETE PESO</xNome>"
        "<vComp>4200.00</vComp></Comp><Comp><xNome>PEDAGIO</xNome><vComp>150.00</vComp></Comp>"
        "<Comp><xNome>GRIS</xNome><vComp>500.00</vComp></Comp></vPrest>"
        "<imp><ICMS><ICMS00><CST>00</CST><vBC>4850.00</vBC><pICMS>12.00</pICMS><vICMS>582.00</vICMS>"
        "</ICMS00></ICMS><vTotTrib>800.00</vTotTrib></imp>"
        "<infCTeNorm><infCarga><vCarga>185000.00</vCarga><proPred>ELETRODOMESTICOS</proPred>"
        "<infQ><cUnid>01</cUnid><tpMed>PESO BRUTO</tpMed><qCarga>11800.0000</qCarga></infQ>"
        "<infQ><cUnid>03</cUnid><tpMed>VOLUMES</tpMed><qCarga>300.0000</qCarga></infQ></infCarga><infDoc>";
    for (int n = 1; n <= chaves; ++n)
        doc += "<infNFe><chave>" + Chave("42200655666777000104550010", n) + "</chave></infNFe>";
    doc += "</infDoc><infModal versaoModal=\"3.00\"><rodo><RNTRC>44556677</RNTRC></rodo></infModal>"
           "</infCTeNorm></infCte></CTe><protCTe versao=\"3.00\"><infProt><tpAmb>1</tpAmb>"
           "<verAplic>SVRS-CTe</verAplic><chCTe>42200644555666000172570010000078901333444550</chCTe>"
           "<dhRecbto>2020-06-03T16:46:12-03:00</dhRecbto><nProt>342200000078901</nProt>"
           "<digVal>cXVhbHF1ZXI=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso do CT-e</xMotivo>"
           "</infProt></protCTe></cteProc>";
    return doc;
}

std::string MDFe(int documentos)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<mdfeProc xmlns=\"http://www.portalfiscal.inf.br/mdfe\" versao=\"3.00\">"
        "<MDFe xmlns=\"http://www.portalfiscal.inf.br/mdfe\">"
        "<infMDFe Id=\"MDFe43200744555666000172580010000012341556677880\" versao=\"3.00\">"
        "<ide><cUF>43</cUF><tpAmb>1</tpAmb><tpEmit>1</tpEmit><mod>58</mod><serie>1</serie>"
        "<nMDF>1234</nMDF><cMDF>55667788</cMDF><cDV>0</cDV><modal>1</modal>"
        "<dhEmi>2020-07-20T07:00:00-03:00</dhEmi><tpEmis>1</tpEmis><procEmi>0</procEmi>"
        "<verProc>TMS 3.1</verProc><UFIni>RS</UFIni><UFFim>SP</UFFim>"
        "<infMunCarrega><cMunCarrega>4314902</cMunCarrega><xMunCarrega>Porto Alegre</xMunCarrega>"
        "</infMunCarrega><infPercurso><UFPer>SC</UFPer></infPercurso><infPercurso><UFPer>PR</UFPer>"
        "</infPercurso></ide>"
        "<emit><CNPJ>44555666000172</CNPJ><IE>0961234567</IE><xNome>Transportes Gaúcha Ltda</xNome>"
        "<enderEmit><xLgr>Avenida Sertório</xLgr><nro>6600</nro><xBairro>Sarandi</xBairro>"
        "<cMun>4314902</cMun><xMun>Porto Alegre</xMun><CEP>91110580</CEP><UF>RS</UF></enderEmit></emit>"
        "<infModal versaoModal=\"3.00\"><rodo><infANTT><RNTRC>44556677</RNTRC></infANTT>"
        "<veicTracao><placa>IXA1B23</placa><tara>8000</tara><capKG>27000</capKG>"
        "<condutor><xNome>Carlos Motorista</xNome><CPF>11144477735</CPF></condutor>"
        "<tpRod>03</tpRod><tpCar>02</tpCar><UF>RS</UF></veicTracao></rodo></infModal>"
        "<infDoc><infMunDescarga><cMunDescarga>3550308</cMunDescarga><xMunDescarga>São Paulo</xMunDescarga>";
    for (int n = 1; n <= documentos; ++n)
        doc += "<infNFe><chNFe>" + Chave("43200755666777000104550010", n) + "</chNFe></infNFe>";
    doc += "</infMunDescarga></infDoc><tot><qNFe>" + std::to_string(documentos) + "</qNFe>"
           "<vCarga>350000.00</vCarga><cUnid>01</cUnid><qCarga>24000.0000</qCarga></tot>"
           "<infAdic><infCpl>Viagem direta; sem transbordo.</infCpl></infAdic></infMDFe>"
           "<infMDFeSupl><qrCodMDFe><![CDATA[https://dfe-portal.svrs.rs.gov.br/mdfe/qrCode?"
           "chMDFe=43200744555666000172580010000012341556677880&tpAmb=1]]></qrCodMDFe></infMDFeSupl>"
           "</MDFe><protMDFe versao=\"3.00\"><infProt><tpAmb>1</tpAmb><verAplic>RS20200720</verAplic>"
           "<chMDFe>43200744555666000172580010000012341556677880</chMDFe>"
           "<dhRecbto>2020-07-20T07:01:00-03:00</dhRecbto><nProt>943200000012345</nProt>"
           "<digVal>cXVhbHF1ZXI=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso do MDF-e</xMotivo>"
           "</infProt></protMDFe></mdfeProc>";
    return doc;
}

std::string CFe(int itens)
{
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe>"
        "<infCFe Id=\"CFe35200811222333000181590000123450004567890123\" versao=\"0.08\" "
        "versaoDadosEnt=\"0.08\" versaoSB=\"010000\"><ide><cUF>35</cUF><cNF>456789</cNF><mod>59</mod>"
        "<nserieSAT>000123450</nserieSAT><nCFe>004567</nCFe><dEmi>20200815</dEmi><hEmi>101530</hEmi>"
        "<cDV>3</cDV><tpAmb>1</tpAmb><CNPJ>16716114000172</CNPJ>"
        "<signAC>SGR-SAT SISTEMA DE GESTAO E RETAGUARDA DO SAT</signAC>"
        "<assinaturaQRCODE>QUFBQUFBQUE=</assinaturaQRCODE><numeroCaixa>002</numeroCaixa></ide>"
        "<emit><CNPJ>11222333000181</CNPJ><xNome>Mercado Bom Preço Ltda</xNome><xFant>Bom Preço</xFant>"
        "<enderEmit><xLgr>Rua Augusta</xLgr><nro>250</nro><xBairro>Consolação</xBairro>"
        "<xMun>São Paulo</xMun><CEP>01305000</CEP></enderEmit><IE>111111111111</IE>"
        "<cRegTrib>3</cRegTrib><indRatISSQN>N</indRatISSQN></emit><dest><CPF>11144477735</CPF></dest>";
    for (int n = 1; n <= itens; ++n) {
        const std::string i = std::to_string(n);
        doc += "<det nItem=\"" + i + "\"><prod><cProd>" + Digits(n, 5) + "</cProd>"
               "<cEAN>7891000100103</cEAN><xProd>ARROZ TIPO 1 PACOTE 5KG MARCA " + i + "</xProd>"
               "<NCM>10063021</NCM><CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom>"
               "<vUnCom>22.90</vUnCom><vProd>45.80</vProd><indRegra>A</indRegra><vItem>45.80</vItem></prod>"
               "<imposto><vItem12741>6.87</vItem12741><ICMS><ICMS00><Orig>0</Orig><CST>00</CST>"
               "<pICMS>7.00</pICMS><vICMS>3.21</vICMS></ICMS00></ICMS><PIS><PISAliq><CST>01</CST>"
               "<vBC>45.80</vBC><pPIS>0.0165</pPIS><vPIS>0.76</vPIS></PISAliq></PIS><COFINS><COFINSAliq>"
               "<CST>01</CST><vBC>45.80</vBC><pCOFINS>0.0760</pCOFINS><vCOFINS>3.48</vCOFINS>"
               "</COFINSAliq></COFINS></imposto></det>";
    }
    doc += "<total><ICMSTot><vICMS>99.51</vICMS><vProd>1419.80</vProd><vDesc>0.00</vDesc>"
           "<vPIS>23.56</vPIS><vCOFINS>107.88</vCOFINS><vPISST>0.00</vPISST><vCOFINSST>0.00</vCOFINSST>"
           "<vOutro>0.00</vOutro></ICMSTot><vCFe>1419.80</vCFe><vCFeLei12741>212.97</vCFeLei12741></total>"
           "<pgto><MP><cMP>03</cMP><vMP>1419.80</vMP><cAdmC>999</cAdmC></MP><vTroco>0.00</vTroco></pgto>"
           "<infAdic><infCpl>Obrigado pela preferência</infCpl></infAdic></infCFe>"
           "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo><Reference "
           "URI=\"#CFe35200811222333000181590000123450004567890123\"><DigestValue>ZGln</DigestValue>"
           "</Reference></SignedInfo><SignatureValue>c2ln</SignatureValue><KeyInfo><X509Data>"
           "<X509Certificate>Y2VydA==</X509Certificate></X509Data></KeyInfo></Signature></CFe>";
    return doc;
}

// The window's kinds, in the order of its radio group, with the typical document of each.
struct Kind {
    const char *name;
    int index;
    std::string (*document)(int);
    int entries;
};

constexpr Kind Kinds[] = {
    {"nfe", 0, NFe, 41},
    {"cte", 1, CTe, 30},
    {"mdfe", 2, MDFe, 35},
    {"sat", 3, CFe, 31},
};

// ---- the press --------------------------------------------------------------------------

// Stops the clock once the preview's page view has been painted (and the window flushed),
// and closes the preview.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen && watched->parent() &&
            qobject_cast<QScrollArea *>(watched->parent()->parent()) &&
            qobject_cast<report::PreviewDialog *>(QApplication::activeModalWidget())) {
            seen = true;
            // Runs after this paint and the flush that ends it.
            QTimer::singleShot(0, [this] {
                elapsed = timer.nsecsElapsed();
                painted = true;
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
            });
        }
        return false;
    }
    QElapsedTimer timer;
    qint64 elapsed = 0;
    bool seen = false;
    bool painted = false;
};

std::string WriteDocument(const QTemporaryDir &folder, const Kind &kind)
{
    const std::string path = folder.filePath(QString::fromLatin1(kind.name) + ".xml").toStdString();
    std::ofstream(path, std::ios::binary) << kind.document(kind.entries);
    return path;
}

// Presses "Visualizar" on the window for the file; returns the nanoseconds until the page
// was painted, or -1 when no preview was painted.
qint64 PressAndPaint(app::TForm1 &window, const Kind &kind, const std::string &file)
{
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    window.rgTipoDoc.SetItemIndex(kind.index);
    window.edNomeArquivo.setText(QString::fromStdString(file));
    // A preview that never paints must not hang the measurement.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(10000);
    watch.timer.start();
    window.btVisualiza.click();
    qApp->removeEventFilter(&watch);
    return watch.painted ? watch.elapsed : -1;
}

void BM_VisualizarQuente(benchmark::State &state, const Kind &kind)
{
    QTemporaryDir folder;
    const std::string file = WriteDocument(folder, kind);
    app::TForm1 window;
    window.show();
    // The first press of the process is measured by BM_VisualizarPrimeiraVez.
    if (PressAndPaint(window, kind, file) < 0) {
        state.SkipWithError("no preview painted");
        return;
    }
    for (auto _ : state) {
        const qint64 ns = PressAndPaint(window, kind, file);
        if (ns < 0) {
            state.SkipWithError("no preview painted");
            return;
        }
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
}

// The first press in a fresh process, where fonts, styles and the platform are met for the
// first time: each iteration runs this program again with --primeira=<kind>.
void BM_VisualizarPrimeiraVez(benchmark::State &state, const Kind &kind, const QString &program)
{
    for (auto _ : state) {
        QProcess child;
        child.start(program, {QStringLiteral("--primeira=%1").arg(QLatin1String(kind.name))});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        bool ok = false;
        const double ns = child.readAllStandardOutput().trimmed().toDouble(&ok);
        if (!ok) {
            state.SkipWithError("the measuring process printed no time");
            return;
        }
        state.SetIterationTime(ns / 1e9);
    }
}

// The machine is shared: the least of the repetitions is the one least disturbed.
double Least(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

int MeasureFirst(const char *name)
{
    for (const Kind &kind : Kinds) {
        if (std::strcmp(kind.name, name) != 0)
            continue;
        QTemporaryDir folder;
        const std::string file = WriteDocument(folder, kind);
        app::TForm1 window;
        window.show();
        const qint64 ns = PressAndPaint(window, kind, file);
        if (ns < 0)
            return 1;
        std::printf("%lld\n", static_cast<long long>(ns));
        return 0;
    }
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // As the program starts: its application object, then the families' registrations.
    app::TApplication application(argc, argv);
    app::RegistrarConversoes();
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--primeira=", 11) == 0)
            return MeasureFirst(argv[i] + 11);

    const QString program = QCoreApplication::applicationFilePath();
    for (const Kind &kind : Kinds) {
        benchmark::RegisterBenchmark((std::string("BM_VisualizarQuente/") + kind.name).c_str(),
                                     [&kind](benchmark::State &state) { BM_VisualizarQuente(state, kind); })
            ->UseManualTime()
            ->ComputeStatistics("min", Least)
            ->Unit(benchmark::kMillisecond);
    }
    for (const Kind &kind : Kinds) {
        benchmark::RegisterBenchmark((std::string("BM_VisualizarPrimeiraVez/") + kind.name).c_str(),
                                     [&kind, program](benchmark::State &state) {
                                         BM_VisualizarPrimeiraVez(state, kind, program);
                                     })
            ->UseManualTime()
            ->ComputeStatistics("min", Least)
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

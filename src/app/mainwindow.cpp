#include "app/mainwindow.h"

#include "app/application.h"
#include "app/artwork.h"
#include "app/exceptionhandler.h"

#include "cte/component.h"
#include "cte/dacte/component.h"

#include "dfe/settings.h"
#include "mdfe/component.h"
#include "mdfe/damdfe/component.h"
#include "nfe/component.h"
#include "nfe/danfe/component.h"
#include "rtl/exceptions.h"
#include "sat/component.h"
#include "sat/extrato/component.h"

#include <QFont>
#include <QPalette>
#include <QResizeEvent>

#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace app {

namespace {

constexpr int ClientWidth = 742;
constexpr int ClientHeight = 239;

// Height in pixels as the window was designed (96 pixels per inch): 11 is 8 points.
QFont Tahoma(int pixelHeight)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelHeight);
    return font;
}

// The settings every document component of the window gets: no crypto, HTTP or signing
// library (the viewer signs and sends nothing), the standard alert format, no explicit
// storage-folder order, and the state and web-service defaults.
void ConfigurarDocumento(dfe::TConfiguracoes &config)
{
    config.Geral().SetSSLLib(dfe::libNone);
    config.Geral().SetSSLCryptLib(dfe::cryNone);
    config.Geral().SetSSLHttpLib(dfe::httpNone);
    config.Geral().SetSSLXmlSignLib(dfe::xsNone);
    config.Geral().SetFormatoAlerta(std::string(dfe::FormatoAlertaPadrao));
    config.Arquivos().OrdenacaoPath().Clear();
    config.WebServices().SetUF("SP");
    config.WebServices().SetAguardarConsultaRet(0);
    config.WebServices().SetQuebradeLinha("|");
    config.RespTec().SetIdCSRT(0);
}

// The settings the window stores for every auxiliary-document component.
void ConfigurarRelatorio(dfe::TOvixDFeReport &relatorio)
{
    relatorio.SetSistema("Visualizador Vexa XML - Vexa Software");
    relatorio.SetMargemInferior(8.0);
    relatorio.SetMargemSuperior(8.0);
    relatorio.SetMargemEsquerda(6.0);
    relatorio.SetMargemDireita(5.1);
    dfe::TExpandeLogoMarcaConfig &logo = relatorio.ExpandeLogoMarcaConfig();
    logo.SetAltura(0);
    logo.SetEsquerda(0);
    logo.SetTopo(0);
    logo.SetLargura(0);
    logo.SetDimensionar(false);
    logo.SetEsticar(true);
    dfe::TCasasDecimais &casas = relatorio.CasasDecimais();
    casas.SetFormato(dfe::tdetInteger);
    casas.SetqCom(2);
    casas.SetvUnCom(2);
    casas.SetMaskqCom(",0.00");
    casas.SetMaskvUnCom(",0.00");
}

// The document kinds the window offers, in the order of the radio group: the caption and
// what "Visualizar" does for that kind. A family is offered by adding its row.
struct TTipoDocumento {
    std::string_view Legenda;
    void (TForm1::*Monta)();
};

constexpr TTipoDocumento TiposDocumento[] = {
    {"NF-e", &TForm1::montaNFe},
    {"CT-e", &TForm1::montaCTe},
    {"MDF-e", &TForm1::montaMDFe},
    {"SAT", &TForm1::montaSAT},
};

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent), Panel1(this), rgTipoDoc(&Panel1), Label1(&Panel1), edNomeArquivo(&Panel1),
      sbLocaliza(&Panel1), btVisualiza(&Panel1), Image1(&Panel1), Label2(&Panel1),
      FComponentes(rtl::TComponent::CreateFree<rtl::TComponent>())
{
    setWindowTitle(QString::fromUtf8(ProgramTitle));
    setFont(Tahoma(11));
    // The face colour of buttons, as dialog-like windows of the desktop use.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(ClientWidth, ClientHeight);
    CreateControls();
    CreateComponents();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    Panel1.setFont(Tahoma(13));
    Panel1.setGeometry(rect());

    rgTipoDoc.setGeometry(16, 8, 185, 89);
    rgTipoDoc.setTitle(QStringLiteral("Tipo de Documento"));
    std::vector<std::string> legendas;
    for (const TTipoDocumento &tipo : TiposDocumento)
        legendas.emplace_back(tipo.Legenda);
    rgTipoDoc.SetItems(legendas);
    rgTipoDoc.SetColumns(2);
    rgTipoDoc.SetItemIndex(0);

    Label1.setGeometry(24, 112, 136, 16);
    Label1.setText(QStringLiteral("Localizar o Arquivo XML"));
    // Labels size themselves to their text from their top-left corner, so a wider
    // substitute for the designed font does not cut the caption.
    Label1.adjustSize();

    edNomeArquivo.setGeometry(25, 131, 448, 24);
    // The root folder: the one folder every system has.
    edNomeArquivo.setText(QStringLiteral("/"));

    sbLocaliza.setGeometry(474, 121, 37, 36);
    sbLocaliza.setAutoRaise(true);
    sbLocaliza.setFocusPolicy(Qt::NoFocus);
    sbLocaliza.setIcon(GlyphLocalizar());
    sbLocaliza.setIconSize(QSize(GlyphSize, GlyphSize));

    btVisualiza.setGeometry(24, 168, 121, 33);
    btVisualiza.setText(QStringLiteral("Visualizar"));
    btVisualiza.setIcon(GlyphVisualizar());
    btVisualiza.setIconSize(QSize(GlyphSize, GlyphSize));

    Image1.setGeometry(536, 8, 193, 201);
    Image1.setScaledContents(true);
    Image1.setPixmap(Logo());

    Label2.setGeometry(553, 216, 155, 16);
    Label2.setText(QStringLiteral("Visualizador de XML"));
    Label2.adjustSize();

    // Keyboard order within the panel: kind, file, button (the speed button takes no focus).
    QWidget::setTabOrder(&rgTipoDoc, &edNomeArquivo);
    QWidget::setTabOrder(&edNomeArquivo, &btVisualiza);

    connect(&sbLocaliza, &QToolButton::clicked, this,
            [this] { Guarded(this, [this] { sbLocalizaClick(&sbLocaliza); }); });
    connect(&btVisualiza, &QPushButton::clicked, this,
            [this] { Guarded(this, [this] { btVisualizaClick(&btVisualiza); }); });
}

void TForm1::CreateComponents()
{
    FComponentes->SetName("Form1");

    Nfe = rtl::TComponent::Create<nfe::TOvixNFe>(FComponentes.get());
    Nfe->SetName("Nfe");
    ConfigurarDocumento(Nfe->Configuracoes());
    Danfe = rtl::TComponent::Create<nfe::TOvixNFeDANFeRL>(FComponentes.get());
    Danfe->SetName("Danfe");
    ConfigurarRelatorio(*Danfe);
    // Linking one side links both.
    Nfe->SetDANFE(Danfe);

    MDFe = rtl::TComponent::Create<mdfe::TOvixMDFe>(FComponentes.get());
    MDFe->SetName("MDFe");
    ConfigurarDocumento(MDFe->Configuracoes());
    DaMDFe = rtl::TComponent::Create<mdfe::TOvixMDFeDAMDFeRL>(FComponentes.get());
    DaMDFe->SetName("DaMDFe");
    ConfigurarRelatorio(*DaMDFe);
    MDFe->SetDAMDFE(DaMDFe);

    DaCTe = rtl::TComponent::Create<cte::TOvixCTeDACTeRL>(FComponentes.get());
    DaCTe->SetName("DaCTe");
    ConfigurarRelatorio(*DaCTe);
    CTe = rtl::TComponent::Create<cte::TOvixCTe>(FComponentes.get());
    CTe->SetName("CTe");
    ConfigurarDocumento(CTe->Configuracoes());
    DaCTe->SetOvixCTe(CTe);

    Sat = rtl::TComponent::Create<sat::TOvixSAT>(FComponentes.get());
    Sat->SetName("Sat");
    sat::TOvixSATConfig &satConfig = Sat->Config();
    satConfig.SetinfCFe_versaoDadosEnt(0.07);
    satConfig.Setide_numeroCaixa(0);
    satConfig.Setide_tpAmb(dfe::taHomologacao);
    satConfig.Setemit_cRegTrib(dfe::RTSimplesNacional);
    satConfig.Setemit_cRegTribISSQN(dfe::RTISSMicroempresaMunicipal);
    satConfig.Setemit_indRatISSQN(dfe::irSim);
    satConfig.SetEhUTF8(false);
    satConfig.SetPaginaDeCodigo(0);
    Sat->ConfigArquivos().SetPrefixoArqCFe("AD");
    Sat->ConfigArquivos().SetPrefixoArqCFeCanc("ADC");
    ExtratoSAT = rtl::TComponent::Create<sat::TOvixSATExtratoFortes>(FComponentes.get());
    ExtratoSAT->SetName("ExtratoSAT");
    ConfigurarRelatorio(*ExtratoSAT);
    // A roll: narrow margins, one page as long as the receipt.
    ExtratoSAT->SetMargemInferior(4.0);
    ExtratoSAT->SetMargemSuperior(2.0);
    ExtratoSAT->SetMargemEsquerda(2.0);
    ExtratoSAT->SetMargemDireita(2.0);
    ExtratoSAT->SetFormularioContinuo(true);
    ExtratoSAT->SetOvixSAT(Sat);

    odArquivo.DefaultExt = "*.xml";
    odArquivo.Filter = "(Todos XMLs)|*.xml|NFe|*-nfe.xml|CTe|*-cte.xml|MDFe|*-mdfe.xml|SAT|AD*.xml";
    odArquivo.FilterIndex = 1;
    odArquivo.InitialDir = "/";
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    // The panel fills the whole client area.
    Panel1.setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}

void TForm1::sbLocalizaClick(QObject * /*Sender*/)
{
    const QString texto = edNomeArquivo.text();
    // The folder is the box's text as typed, even when it names a file.
    if (!texto.trimmed().isEmpty())
        odArquivo.InitialDir = texto.toStdString();
    if (odArquivo.Execute(this))
        edNomeArquivo.setText(QString::fromStdString(odArquivo.FileName));
}

void TForm1::btVisualizaClick(QObject * /*Sender*/)
{
    const int indice = rgTipoDoc.ItemIndex();
    // With no kind checked the button does nothing.
    if (indice < 0 || indice >= std::ssize(TiposDocumento))
        return;
    std::invoke(TiposDocumento[indice].Monta, this);
}

void TForm1::montaNFe()
{
    Nfe->NotasFiscais().Clear();
    // The text goes as typed: the load reports a name that is no readable file.
    const std::string arquivo = edNomeArquivo.text().toStdString();
    // A file without a whole NF-e (truncated, another kind of file) would otherwise show
    // nothing at all, as if the button had not been pressed.
    if (!Nfe->NotasFiscais().LoadFromFile(arquivo, true))
        throw rtl::Exception("Nenhuma NF-e encontrada no arquivo \"" + arquivo + "\"");
    Nfe->NotasFiscais().Imprimir();
}

void TForm1::montaCTe()
{
    CTe->Conhecimentos().Clear();
    // The text goes as typed: the load reports a name that is no readable file.
    const std::string arquivo = edNomeArquivo.text().toStdString();
    // The DACTE's own message for an empty list names no file and says nothing of why.
    if (!CTe->Conhecimentos().LoadFromFile(arquivo, true))
        throw rtl::Exception("Nenhum CT-e encontrado no arquivo \"" + arquivo + "\"");
    CTe->Conhecimentos().Imprimir(false);
}

void TForm1::montaMDFe()
{
    MDFe->Manifestos().Clear();
    // The text goes as typed: the load reports a name that is no readable file.
    const std::string arquivo = edNomeArquivo.text().toStdString();
    // A file without a whole MDF-e would otherwise show nothing at all.
    if (!MDFe->Manifestos().LoadFromFile(arquivo, true))
        throw rtl::Exception("Nenhum MDF-e encontrado no arquivo \"" + arquivo + "\"");
    MDFe->Manifestos().Imprimir();
}

void TForm1::montaSAT()
{
    Sat->CFe().Clear();
    // The text goes as typed: the load reports a name that is no readable file.
    Sat->CFe().LoadFromFile(edNomeArquivo.text().toStdString());
    Sat->Extrato()->ImprimirExtrato(nullptr);
}

} // namespace app

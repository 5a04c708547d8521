#pragma once
// TForm1, the viewer's only window: the document kind, the XML file box with its browse
// button, and "Visualizar", which hands the file to the chosen document family. The kinds
// and their handlers are one table in mainwindow.cpp, a row per family. It also
// owns the families' components and the file-open dialog, configured as the window is
// built. The window holds no logic of its own beyond that choice and that hand-over.
//
// The fields are public as the window's published parts: tests drive the window through
// them as a user would (choose the kind, type the file, press the button).

#include "app/opendialog.h"
#include "app/radiogroup.h"

#include "rtl/classes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace nfe {
class TOvixNFe;
class TOvixNFeDANFeRL;
}
namespace mdfe {
class TOvixMDFe;
class TOvixMDFeDAMDFeRL;
}
namespace cte {
class TOvixCTe;
class TOvixCTeDACTeRL;
}
namespace sat {
class TOvixSAT;
class TOvixSATExtratoFortes;
}

class QResizeEvent;

namespace app {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Widgets, in declaration order; each later one is a child of Panel1 and goes before it.
    QWidget Panel1;
    TRadioGroup rgTipoDoc;
    QLabel Label1;
    QLineEdit edNomeArquivo;
    QToolButton sbLocaliza;
    QPushButton btVisualiza;
    QLabel Image1;
    QLabel Label2;

    // The NF-e document component, owned by the window's component holder.
    nfe::TOvixNFe *Nfe = nullptr;
    nfe::TOvixNFeDANFeRL *Danfe = nullptr;
    // The MDF-e document component and its DAMDFE, linked both ways.
    mdfe::TOvixMDFe *MDFe = nullptr;
    mdfe::TOvixMDFeDAMDFeRL *DaMDFe = nullptr;
    // The CT-e document component and its DACTE, linked both ways.
    cte::TOvixCTeDACTeRL *DaCTe = nullptr;
    cte::TOvixCTe *CTe = nullptr;
    // The CF-e SAT component and its receipt, linked both ways.
    sat::TOvixSAT *Sat = nullptr;
    sat::TOvixSATExtratoFortes *ExtratoSAT = nullptr;
    TOpenDialog odArquivo;

    // Event handlers. The buttons reach them through Guarded, so their errors go to the
    // default exception handler; called directly they raise.
    void sbLocalizaClick(QObject *Sender);
    void btVisualizaClick(QObject *Sender);

    // Each clears its family's loaded documents, loads the file box's text into them and
    // shows them; a file holding no whole NF-e raises rtl::Exception "Nenhuma NF-e
    // encontrada no arquivo "<file>"", one holding no whole CT-e or CT-e OS "Nenhum CT-e
    // encontrado no arquivo "<file>"", one holding no MDF-e "Nenhum MDF-e encontrado no
    // arquivo "<file>"". SAT loads the file into the SAT component's CF-e (the reader's
    // errors go through) and previews its receipt.
    void montaNFe();
    void montaCTe();
    void montaMDFe();
    void montaSAT();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void CreateComponents();

    // Owns the non-visual components as the window would, freeing them in the reverse
    // order of their creation when the window goes.
    rtl::TComponentPtr<rtl::TComponent> FComponentes;
};

} // namespace app

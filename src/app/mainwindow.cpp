#include "app/mainwindow.h"

namespace app {

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Visualizador de XML"));
    resize(742, 239);
}

} // namespace app

#include "app/mainwindow.h"
#include "rtl/formatsettings.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    // The number and date settings come from the user's locale once, before any window.
    rtl::FormatSettings();
    app::TForm1 window;
    window.show();
    return application.exec();
}

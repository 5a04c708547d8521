#include "app/exceptionhandler.h"
#include "app/mainwindow.h"
#include "rtl/formatsettings.h"

int main(int argc, char **argv)
{
    app::TApplication application(argc, argv);
    // The number and date settings, Brazilian whatever the machine's locale, before any window.
    rtl::InitFormatSettings();
    app::TForm1 Form1;
    Form1.show();
    return application.exec();
}

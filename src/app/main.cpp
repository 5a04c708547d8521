#include "app/exceptionhandler.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "rtl/formatsettings.h"

int main(int argc, char **argv)
{
    app::TApplication application(argc, argv);
    // The number and date settings come from the user's locale once, before any window.
    rtl::FormatSettings();
    app::RegistrarConversoes();
    app::TForm1 Form1;
    Form1.show();
    return application.exec();
}

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/startup.h"

int main(int argc, char **argv)
{
    // Sets the process up (formats, translations, title) before any window.
    app::TApplication application(argc, argv);
    app::RegistrarConversoes();
    app::TForm1 Form1;
    Form1.show();
    return application.exec();
}

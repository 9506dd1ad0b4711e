#include <QApplication>
#include "app/Main.h"

int main(int argc, char* argv[])
{
    PrepareProcess();
    QApplication app(argc, argv);
    Main();
    if (MainHasExited())
        return 0;
    return app.exec();
}

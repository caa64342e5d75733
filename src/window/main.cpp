#include "window/application.h"
#include "window/velmora.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (!velmora::DisplayAvailable())
        return 1;
    QApplication app(argc, argv);
    velmora::PrepareApplication(app);
    Velmora window;
    window.show();
    return app.exec();
}

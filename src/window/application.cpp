#include "window/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace velmora {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt ends the program with a fatal message (and a core dump) when the display it was
// pointed at cannot be reached. Turn that into one line and a plain failure status.
// The platform plugins' own complaints on the way there are left out: the one line
// says it all.
void ReportFatalStartup(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "velmora: cannot open the window: %s\n",
                     qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
        _exit(EXIT_FAILURE);
    }
    const bool platformNoise = context.category && qstrncmp(context.category, "qt.qpa", 6) == 0;
    if (type != QtDebugMsg && type != QtInfoMsg && !platformNoise)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

bool DisplayAvailable() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        qInstallMessageHandler(ReportFatalStartup);
        return true;
    }
    std::fputs("velmora: no display to open the window on (neither DISPLAY nor "
               "WAYLAND_DISPLAY is set)\n",
               stderr);
    return false;
}

void PrepareApplication(QApplication& app) {
    qInstallMessageHandler(nullptr);
    // One look on every desktop: the colours of the layout depend on it.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/velmora-32.png")));
    app.setApplicationName(QStringLiteral("velmora"));
    app.setApplicationDisplayName(QStringLiteral("Велмора от числа"));
}

} // namespace velmora

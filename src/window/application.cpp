// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application.h"

#include "window/language.h"
#include "window/zoom_style.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QStyleFactory>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace velmora {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

void ExitWithDisplayLine(const std::string& what) {
    const auto value = [](const char* name) { return qEnvironmentVariable(name); };
    std::fprintf(stderr, "velmora: %s (DISPLAY=%s, WAYLAND_DISPLAY=%s, QT_QPA_PLATFORM=%s)\n",
                 what.c_str(), qPrintable(value("DISPLAY")), qPrintable(value("WAYLAND_DISPLAY")),
                 qPrintable(value("QT_QPA_PLATFORM")));
    _exit(EXIT_FAILURE);
}

// Qt ends the program with a fatal message (and a core dump) when the display it was
// pointed at cannot be reached, and with an English warning when the connection to it
// breaks. Both become one line in the pupil's language and a plain failure status. The platform
// plugins' own complaints on the way there are left out: the one line says it all.
void ReportDisplayTrouble(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    // Qt's own wording advises reinstalling, which never helps here.
    if (type == QtFatalMsg)
        ExitWithDisplayLine(Tr("прозорецът не може да се отвори: няма връзка с екрана"));
    if (message.contains(QLatin1String("connection broke")))
        ExitWithDisplayLine(Tr("връзката с екрана се прекъсна; програмата спира"));
    const bool platformNoise = (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0) ||
                               message.startsWith(QLatin1String("Failed to create wl_display"));
    if (type != QtDebugMsg && type != QtInfoMsg && !platformNoise)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A dialog that closes hands the keyboard back to the window it was opened over. A window
// manager does that on a desktop; an X server without one (a kiosk, a classroom's
// projector) leaves the keys with no window at all, and nothing answers them until the
// pupil clicks the window. A dialog closed while the pupil is in another program leaves
// the keys there.
void ReturnKeysWhenDialogsClose(QApplication& app) {
    auto focused = std::make_shared<QPointer<QWindow>>();
    QObject::connect(
        &app, &QGuiApplication::focusWindowChanged, &app, [&app, focused](QWindow* now) {
            *focused = now;
            if (!now || !now->transientParent() || now->property("velmoraReturnsKeys").isValid())
                return;
            now->setProperty("velmoraReturnsKeys", true);
            QObject::connect(now, &QWindow::visibleChanged, &app,
                             [focused, window = QPointer<QWindow>(now)](bool visible) {
                                 QWindow* over = window ? window->transientParent() : nullptr;
                                 if (!visible && over && over->isVisible() && *focused == window)
                                     over->requestActivate();
                             });
        });
}

} // namespace

bool DisplayAvailable() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        qInstallMessageHandler(ReportDisplayTrouble);
        return true;
    }
    std::fprintf(stderr, "velmora: %s\n",
                 Tr("няма екран, на който да се отвори прозорецът "
                    "(не е зададен нито DISPLAY, нито WAYLAND_DISPLAY)")
                     .c_str());
    return false;
}

void PrepareApplication(QApplication& app, Icon icon) {
    // One look on every desktop: the colours of the layout depend on it.
    app.setStyle(new ZoomStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    // The window's font for everything, so no second family is looked up.
    QFont font(QStringLiteral("Times New Roman"), 12);
    app.setFont(font);
    app.setApplicationName(QStringLiteral("velmora"));
    // The settings, where a pupil's progress is kept: ~/.config/velmora/velmora.conf.
    app.setOrganizationName(QStringLiteral("velmora"));
    app.setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    if (icon == Icon::Now)
        SetWindowIcon(app);
    // Wayland shells find the icon and the name through the desktop entry.
    app.setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    InstallQtTranslations();
    ReturnKeysWhenDialogsClose(app);
}

void SetWindowIcon(QApplication& app) {
    // Read as PNG outright: asking the image plugins to guess costs more than the rest
    // of the start-up work together.
    QIcon icon;
    for (const char* file : {":/icons/velmora-32.png", ":/icons/velmora-48.png"})
        icon.addPixmap(QPixmap::fromImage(QImage(QString::fromLatin1(file), "PNG")));
    app.setWindowIcon(icon);
}

void InstallQtTranslations() {
    UseLanguage(CurrentLanguage());
}

} // namespace velmora

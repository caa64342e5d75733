// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application.h"
#include "window/command_line.h"
#include "window/first_frame.h"
#include "window/main_window.h"
#include "window/velmora.h"
#include "worksheet/worksheet_pdf.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout), err(stderr);
    const velmora::CommandLine commandLine = velmora::ParseCommandLine(arguments, out, err);
    if (!commandLine.openWindow)
        return commandLine.exitCode;
    if (!commandLine.worksheetPath.isEmpty()) {
        // Paper needs no display: drawn offscreen, whatever the desktop.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return velmora::WriteWorksheetCommand(commandLine.worksheet, commandLine.worksheetPath,
                                              err);
    }

    if (!velmora::DisplayAvailable())
        return 1;
    QApplication app(argc, argv);
    velmora::PrepareApplication(app, velmora::Icon::AfterFirstFrame);
    MainWindow window;
    // The pupil goes on where they stopped; what the command line asks for wins.
    window.RememberProgress();
    const bool zoomAsked =
        std::any_of(arguments.begin() + 1, arguments.end(), [](const QString& a) {
            return a.section(QLatin1Char('='), 0, 0) == QLatin1String("--zoom") ||
                   a.section(QLatin1Char('='), 0, 0) == QLatin1String("-zoom");
        });
    if (zoomAsked)
        window.SetZoom(commandLine.zoomPercent);
    if (commandLine.practice)
        window.SetPlayMode(velmora::PlayMode::Practice);
    // The icon one turn of the event loop after the first frame, so the frame (and the
    // start-up benchmark's report of it) never waits for it.
    velmora::AfterFirstFrame(
        window, [&app] { QTimer::singleShot(0, &app, [&app] { velmora::SetWindowIcon(app); }); });
    // Watched last, so it is told of the first paint first.
    velmora::ReportFirstFrameIfAsked(window);
    if (commandLine.fullScreen)
        window.SetPresenting(true);
    else
        window.show();
    // Shown, the window knows its screen and frame: a zoom too large for them is lowered.
    if (const int zoom = window.form().zoom();
        zoomAsked && !commandLine.fullScreen && zoom != commandLine.zoomPercent)
        err << "velmora: мащаб " << commandLine.zoomPercent << " % не се побира на екрана; "
            << "прозорецът е в " << zoom << " %.\n";
    err.flush();
    return app.exec();
}

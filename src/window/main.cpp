// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/application.h"
#include "window/command_line.h"
#include "window/first_frame.h"
#include "window/language.h"
#include "window/main_window.h"
#include "window/texts.h"
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
    // The desktop's language, until the command line or the settings say otherwise.
    velmora::SetLanguage(velmora::DesktopLanguage());
    const velmora::CommandLine commandLine = velmora::ParseCommandLine(arguments, out, err);
    if (!commandLine.openWindow)
        return commandLine.exitCode;
    if (commandLine.language)
        velmora::SetLanguage(*commandLine.language);
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
    // The pupil's choice from the menu «Език», unless the command line asks for another.
    if (const velmora::Language language = velmora::StartLanguage(commandLine.language);
        language != velmora::CurrentLanguage())
        velmora::UseLanguage(language);
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
        err << "velmora: "
            << velmora::Q(velmora::Format(
                   // TRANSLATORS: --zoom asked for {asked} %, the window fits at {zoom} %.
                   velmora::Tr("мащаб {asked} % не се побира на екрана; прозорецът е в {zoom} %."),
                   {{"asked", commandLine.zoomPercent}, {"zoom", zoom}}))
            << '\n';
    err.flush();
    return app.exec();
}

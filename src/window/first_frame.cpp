// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace velmora {
namespace {

class FirstFrameWatch : public QObject {
  public:
    FirstFrameWatch(QWidget& window, std::function<void()> work)
        : QObject(&window)
        , work_(std::move(work)) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so it runs once this paint has reached the screen.
            QTimer::singleShot(0, watched, std::move(work_));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> work_;
};

} // namespace

void AfterFirstFrame(QWidget& window, std::function<void()> work) {
    new FirstFrameWatch(window, std::move(work));
}

void ReportFirstFrameIfAsked(QWidget& window) {
    if (!qEnvironmentVariableIsSet("VELMORA_REPORT_FIRST_FRAME"))
        return;
    AfterFirstFrame(window, [&window] {
        std::printf("first-frame %dx%d\n", window.width(), window.height());
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}

} // namespace velmora

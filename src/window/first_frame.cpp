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
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so it runs once this paint has reached the screen.
            const auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, [size = window->size()] {
                std::printf("first-frame %dx%d\n", size.width(), size.height());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

} // namespace

void ReportFirstFrameIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("VELMORA_REPORT_FIRST_FRAME"))
        window.installEventFilter(new FirstFrameWatch(&window));
}

} // namespace velmora

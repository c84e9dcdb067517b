#include "ShowProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace halvorn::bench {
namespace {

class ShowProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!fired_ && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                fired_ = true;
                // Queued behind the expose, so the first paint is included.
                QTimer::singleShot(0, this, [] {
                    timespec now{};
                    ::clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    QCoreApplication::exit(0); // ends the modal loop too
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool fired_ = false;
};

} // namespace

void installShowProbe() {
    auto* app = QCoreApplication::instance();
    if (app == nullptr) return;
    app->installEventFilter(new ShowProbe(app));
}

} // namespace halvorn::bench

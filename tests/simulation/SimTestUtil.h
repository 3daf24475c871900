#pragma once
// Helpers of the simulated-window tests: waiting with the event loop running, acting
// on a modal window once it is shown, and fake window classes standing in for the
// simulated dialogs that other parts of the program provide.
#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "simulation/desktop/SimWindows.h"

namespace simtest {

inline void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Runs `fn` on the window `get()` as soon as it exists and is visible (polling from
// the event loop, so it works while a modal loop runs). Gives up after 3 s.
inline void whenVisible(std::function<QWidget*()> get, std::function<void(QWidget*)> fn)
{
    auto* timer = new QTimer;
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, get, fn] {
        QWidget* w = get();
        if (w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            fn(w);
        } else if (elapsed->elapsed() > 3000) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            if (w)
                w->close();
        }
    });
    timer->start(20);
}

// Fake simulated windows registered under the class names of dialogs that are not
// part of this test: each opening is recorded.
struct FakeWindows {
    QStringList opened; // class names, one per opening
    QList<sim::OpenOptions> options;
    QMap<QString, QPointer<QWidget>> current;
    QStringList names;

    void add(const QString& name, bool keepOld = false)
    {
        names << name;
        sim::WindowClass c;
        c.name = name;
        c.current = [this, name] { return current.value(name).data(); };
        c.open = [this, name, keepOld](const sim::OpenOptions& o) -> QWidget* {
            if (!keepOld)
                delete current.value(name).data();
            auto* w = new QWidget(sim::WindowParent());
            w->setWindowFlag(Qt::Window, true);
            w->setObjectName(name);
            w->resize(200, 120);
            current[name] = w;
            opened << name;
            options << o;
            if (!o.modal)
                w->show();
            return w;
        };
        sim::RegisterWindowClass(c);
    }
    ~FakeWindows()
    {
        for (const QString& n : names) {
            sim::UnregisterWindowClass(n);
            delete current.value(n).data();
        }
    }
};

} // namespace simtest

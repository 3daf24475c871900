#include "AppTestSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

namespace apptest {

TempLog::TempLog(const QString& name)
{
    m_host = pravik::test::TestEnv::freshDir(QStringLiteral("log-") + name)
        + QStringLiteral("/zovovozuz.log");
    m_log = std::make_shared<TLogCtrl>(win::fromHost(m_host));
    SetProcessLogger(m_log);
}

TempLog::~TempLog()
{
    SetProcessLogger(nullptr);
    SetUnhandledExceptionLogger(nullptr);
}

QStringList TempLog::lines() const
{
    QFile f(m_host);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = win::fromAnsi(f.readAll());
    QStringList out = text.split(QStringLiteral("\r\n"));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

void OnNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(5000);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, deadline] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(w);
            return;
        }
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

bool WaitFor(const std::function<bool()>& pred, int timeoutMs)
{
    QDeadlineTimer d(timeoutMs);
    while (!pred()) {
        if (d.hasExpired())
            return pred();
        QTest::qWait(10);
    }
    return true;
}

} // namespace apptest

#pragma once
// Helpers of the app tests: a log on a temporary file, answering the next modal
// window, and waiting with a bound.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "log/unLogCtrl.h"

class QWidget;

namespace apptest {

// A log writer on a fresh file, installed as the process-wide logger and as the
// handler of unhandled exceptions for the life of the object.
class TempLog {
public:
    explicit TempLog(const QString& name);
    ~TempLog();
    // The lines of the file, decoded from GBK, without their CR LF.
    QStringList lines() const;
    QString hostPath() const { return m_host; }

private:
    QString m_host;
    std::shared_ptr<TLogCtrl> m_log;
};

// Calls action with the next modal window as soon as it shows (within 5 s).
void OnNextModal(std::function<void(QWidget*)> action);

// Processes events until pred is true or timeoutMs passed; returns pred().
bool WaitFor(const std::function<bool()>& pred, int timeoutMs);

} // namespace apptest

#pragma once
// A logger that keeps every line in memory, installed as the process-wide logger for
// the life of the guard.
#include <QStringList>
#include <memory>
#include <mutex>

#include "log/unLogCtrl.h"
#include "log/RunLog.h"

namespace pravik::test {

class MemoryLog : public ILogCtrl {
public:
    QStringList lines;
    QList<TLogType> levels;
    void SetLevel(TLogType) override { }
    void Debug(const QString& t) override { Write(MSG_DEBUG, nullptr, t); }
    void Info(const QString& t) override { Write(MSG_INFO, nullptr, t); }
    void Warn(const QString& t) override { Write(MSG_WARN, nullptr, t); }
    void Error(const QString& t) override { Write(MSG_ERROR, nullptr, t); }
    void Fatal(const QString& t) override { Write(MSG_FATAL, nullptr, t); }
    void Debug(const QObject* s, const QString& t) override { Write(MSG_DEBUG, s, t); }
    void Info(const QObject* s, const QString& t) override { Write(MSG_INFO, s, t); }
    void Warn(const QObject* s, const QString& t) override { Write(MSG_WARN, s, t); }
    void Error(const QObject* s, const QString& t) override { Write(MSG_ERROR, s, t); }
    void Fatal(const QObject* s, const QString& t) override { Write(MSG_FATAL, s, t); }
    void GetText(QString& t) override { t = lines.join(QStringLiteral("\n")); }
    void Write(TLogType level, const QObject*, const QString& t) override
    {
        std::lock_guard<std::mutex> g(m_lock);
        lines << t;
        levels << level;
    }
    bool has(const QString& line) const { return lines.contains(line); }

private:
    std::mutex m_lock;
};

class ScopedMemoryLog {
public:
    ScopedMemoryLog() : log(std::make_shared<MemoryLog>()) { SetRunLogger(log); }
    ~ScopedMemoryLog() { SetRunLogger(nullptr); }
    MemoryLog* operator->() { return log.get(); }
    std::shared_ptr<MemoryLog> log;
};

} // namespace pravik::test

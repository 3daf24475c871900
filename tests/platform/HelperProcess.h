#pragma once
// Starts the platform helper program as a second process and talks to it by lines.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace pravik::test {

class HelperProcess {
public:
    explicit HelperProcess(const QStringList& args)
    {
        m_process.setProgram(QStringLiteral(PLATFORM_HELPER));
        m_process.setArguments(args);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        m_process.waitForStarted(5000);
    }
    ~HelperProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    // The next line the helper printed ("" after 5 s without one).
    QString readLine(int timeoutMs = 5000)
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(timeoutMs))
                return {};
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    void writeLine(const QString& line)
    {
        m_process.write(line.toUtf8() + '\n');
        m_process.waitForBytesWritten(2000);
    }
    // Waits for the end and gives the exit code (-1 when it did not end in time).
    int finish(int timeoutMs = 5000)
    {
        if (!m_process.waitForFinished(timeoutMs))
            return -1;
        return m_process.exitCode();
    }
    qint64 pid() const { return m_process.processId(); }
    QProcess& process() { return m_process; }

    // Runs the helper to its end and gives everything it printed, trimmed.
    static QString run(const QStringList& args)
    {
        HelperProcess h(args);
        h.finish();
        return QString::fromUtf8(h.m_process.readAllStandardOutput()).trimmed();
    }

private:
    QProcess m_process;
};

} // namespace pravik::test

#pragma once
// The practice site as a child process on 127.0.0.1 with a free port.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace pravik::test {

class SiteProcess {
public:
    // Starts practice-site with --port 0 and the extra arguments; waits (at most 10 s)
    // for its "PRACTICE_SITE_URL=" line.
    explicit SiteProcess(const QStringList& extraArgs = {})
    {
        const QString bin = qEnvironmentVariable("PRAVIK_BIN_DIR") + QStringLiteral("/practice-site");
        m_proc.setProgram(bin);
        m_proc.setArguments(QStringList{QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
                                        QStringLiteral("--port"), QStringLiteral("0")}
                            + extraArgs);
        m_proc.setProcessChannelMode(QProcess::SeparateChannels);
        m_proc.start();
        if (!m_proc.waitForStarted(5000))
            return;
        QByteArray out;
        for (int i = 0; i < 100 && !out.contains('\n'); ++i) {
            m_proc.waitForReadyRead(100);
            out += m_proc.readAllStandardOutput();
        }
        const QString line = QString::fromUtf8(out).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (line.startsWith(QStringLiteral("PRACTICE_SITE_URL=")))
            m_url = line.mid(18);
    }
    ~SiteProcess()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.kill();
            m_proc.waitForFinished(3000);
        }
    }
    // "http://127.0.0.1:PORT", empty when the site did not start.
    QString url() const { return m_url; }

private:
    QProcess m_proc;
    QString m_url;
};

} // namespace pravik::test

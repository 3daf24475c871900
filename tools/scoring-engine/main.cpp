// The substitute scoring engine. Started by the client in its program folder with one
// argument, the MD5 of pf.ini; writes the result file and answers the client's
// toolbar with a window message. See README.md for the rule and the test switches.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include "ScoringRule.h"
#include "common/IniFile.h"
#include "platform/Ansi.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"

namespace {

constexpr unsigned WM_PFOK = win::WM_USER + 101;
constexpr unsigned WM_PFFAIL = win::WM_USER + 102;

QString xmlEscape(const QString& s) { return s.toHtmlEscaped(); }

int fail(TIniFile& ini, win::HWND target, const QString& message)
{
    if (message != QLatin1String("-"))
        ini.WriteString(QStringLiteral("PfPara"), QStringLiteral("ErrMsg"), message);
    if (target)
        win::PostMessage(target, WM_PFFAIL, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();

    // pf.ini lies in the working folder the client gave us (its program folder).
    QString iniHost = QDir::currentPath() + QStringLiteral("/pf.ini");
    if (!QFile::exists(iniHost))
        iniHost = win::toHost(win::ProgramDir() + QStringLiteral("pf.ini"));
    QFile raw(iniHost);
    if (!raw.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = raw.readAll();
    raw.close();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toUpper());

    TIniFile ini(win::fromHost(iniHost));
    const QString sec = QStringLiteral("PfPara");
    const auto target = static_cast<win::HWND>(
        ini.ReadString(sec, QStringLiteral("msgHandle")).trimmed().toUInt());

    // For tests: what the engine was given (its argument, pf.ini and the answer archive).
    const QString record = qEnvironmentVariable("PRAVIK_ENGINE_RECORD");
    if (!record.isEmpty()) {
        QFile r(record);
        if (r.open(QIODevice::WriteOnly | QIODevice::Append))
            r.write("argument=" + (args.size() > 1 ? args.at(1).toUtf8() : QByteArray()) + "\n");
        QFile::remove(record + QStringLiteral(".pf.ini"));
        QFile::copy(iniHost, record + QStringLiteral(".pf.ini"));
        const QString ans = win::toHost(TIniFile(win::fromHost(iniHost))
                                            .ReadString(QStringLiteral("PfPara"), QStringLiteral("AnsFile"))
                                            .trimmed());
        QFile::remove(record + QStringLiteral(".ans.zt"));
        if (!ans.isEmpty())
            QFile::copy(ans, record + QStringLiteral(".ans.zt"));
    }

    const int delay = qEnvironmentVariableIntValue("PRAVIK_ENGINE_DELAY_MS");
    if (delay > 0)
        QThread::msleep(static_cast<unsigned long>(delay));

    if (args.size() < 2 || args.at(1).trimmed() != digest)
        return fail(ini, target, QStringLiteral("评分参数校验失败"));
    if (qEnvironmentVariableIsSet("PRAVIK_ENGINE_FAIL"))
        return fail(ini, target, qEnvironmentVariable("PRAVIK_ENGINE_FAIL"));

    ScoringInput in;
    in.paperFile = ini.ReadString(sec, QStringLiteral("PaperFile")).trimmed();
    in.stepFile = ini.ReadString(sec, QStringLiteral("StepFile")).trimmed();
    in.ansFile = ini.ReadString(sec, QStringLiteral("AnsFile")).trimmed();
    in.ansPath = ini.ReadString(sec, QStringLiteral("AnsPath")).trimmed();
    in.questId = ini.ReadString(sec, QStringLiteral("questId")).trimmed().toInt();
    const QString resultFile = ini.ReadString(sec, QStringLiteral("ResultFile")).trimmed();

    const ScoringOutcome out = ScoreExercise(in);
    if (!out.ok)
        return fail(ini, target, out.error);

    int questId = out.questId;
    if (qEnvironmentVariableIsSet("PRAVIK_ENGINE_QUESTID"))
        questId = qEnvironmentVariableIntValue("PRAVIK_ENGINE_QUESTID");

    const QString px = QStringLiteral("完成%1/%2步").arg(out.passedSteps).arg(out.scoredSteps);
    QString xml;
    xml += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<result>\n");
    xml += QStringLiteral("  <questid>%1</questid>\n").arg(questId);
    xml += QStringLiteral("  <pfresult>0</pfresult>\n");
    xml += QStringLiteral("  <pftime>%1</pftime>\n")
               .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    xml += QStringLiteral("  <score>%1</score>\n").arg(out.score, 0, 'f', 2);
    xml += QStringLiteral("  <px>%1</px>\n").arg(xmlEscape(px));
    xml += QStringLiteral("  <fail></fail>\n");
    xml += QStringLiteral("  <detail>%1</detail>\n").arg(xmlEscape(out.remarks.join(QLatin1Char('\n'))));
    xml += QStringLiteral("</result>\n");

    const QString resultHost = win::toHost(resultFile);
    if (resultHost.isEmpty())
        return fail(ini, target, QStringLiteral("无法写入评分结果 ") + resultFile);
    QDir().mkpath(QFileInfo(resultHost).absolutePath());
    QSaveFile f(resultHost);
    if (!f.open(QIODevice::WriteOnly) || f.write(xml.toUtf8()) < 0 || !f.commit())
        return fail(ini, target, QStringLiteral("无法写入评分结果 ") + resultFile);

    if (target)
        win::PostMessage(target, WM_PFOK, 0, 0);
    return 0;
}

#include "ScoringRule.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "common/Base64.h"
#include "common/IniFile.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"

namespace {

bool loadXml(const QString& winPath, QDomDocument& doc, QString& error)
{
    QFile f(win::toHost(winPath));
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("无法打开文件 ") + winPath;
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.contains("<!DOCTYPE")) {
        error = QStringLiteral("文件格式错误 ") + winPath;
        return false;
    }
    if (!doc.setContent(bytes)) {
        error = QStringLiteral("文件格式错误 ") + winPath;
        return false;
    }
    return true;
}

QString childText(const QDomElement& e, const QString& name) { return e.firstChildElement(name).text(); }

// A step parameter naming a file: Base64 of the name, which has an extension.
QString decodedFileName(const QString& para)
{
    bool ok = false;
    const QByteArray raw = base64::Decode(para.trimmed().toLatin1(), &ok);
    if (!ok || raw.isEmpty())
        return {};
    QString name = QString::fromUtf8(raw);
    if (name.contains(QChar::ReplacementCharacter))
        name = win::fromAnsi(raw);
    if (QFileInfo(name).suffix().isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    // A plain name, or a path relative to the question folder ("DownLoad\\a.doc"):
    // no drive, no leading backslash, no "..".
    const QStringList parts = name.split(QLatin1Char('\\'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String(".")
            || part.contains(QLatin1Char(':')))
            return {};
    return name;
}

// An expected text in a step: Base64 of UTF-8 text when it decodes cleanly, else as is.
QString expectedText(const QString& para)
{
    const QString t = para.trimmed();
    if (t.isEmpty())
        return {};
    bool ok = false;
    const QByteArray raw = base64::Decode(t.toLatin1(), &ok);
    if (ok && !raw.isEmpty()) {
        QStringDecoder dec(QStringDecoder::Utf8);
        const QString s = dec.decode(raw);
        if (!dec.hasError())
            return s;
    }
    return t;
}

bool fileContains(const QString& hostPath, const QString& text)
{
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.read(64 * 1024 * 1024);
    return bytes.contains(text.toUtf8()) || bytes.contains(win::toAnsi(text));
}

} // namespace

ScoringOutcome ScoreExercise(const ScoringInput& in)
{
    ScoringOutcome out;
    out.questId = in.questId;

    QDomDocument paper;
    if (!loadXml(in.paperFile, paper, out.error))
        return out;
    const QDomElement quest = paper.documentElement()
                                  .firstChildElement(QStringLiteral("questions"))
                                  .firstChildElement(QStringLiteral("quest"));
    out.paperScore = childText(quest, QStringLiteral("score")).trimmed().toDouble();

    QDomDocument steps;
    if (!loadXml(in.stepFile, steps, out.error))
        return out;

    // The answer text of the question in the archive.
    TIniFile ans(in.ansFile);
    QString answer;
    for (const QString& line : ans.ReadSectionValues(QStringLiteral("strOpsList")))
        answer += line + QLatin1Char('\n');

    const QString practice = win::toHost(in.ansPath);
    const QString questionFolder = practice + QLatin1Char('/') + QString::number(in.questId);

    for (QDomElement s = steps.documentElement().firstChildElement(); !s.isNull();
         s = s.nextSiblingElement()) {
        if (s.tagName() == QLatin1String("tOperationStepGroups"))
            continue;
        if (childText(s, QStringLiteral("isscore")).trimmed() == QLatin1String("0"))
            continue;
        ++out.scoredSteps;
        const QString knowledge = childText(s, QStringLiteral("knowledge")).trimmed();
        QString file = decodedFileName(childText(s, QStringLiteral("para1")));
        if (file.isEmpty())
            file = decodedFileName(childText(s, QStringLiteral("para2")));
        bool passed = false;
        QString what;
        if (!file.isEmpty()) {
            QString found;
            for (const QString& dir : {questionFolder, practice}) {
                const QString resolved = win::toHost(win::fromHost(dir) + QLatin1Char('\\') + file);
                if (!resolved.isEmpty() && QFileInfo(resolved).isFile()) {
                    found = resolved;
                    break;
                }
            }
            const QString expect = expectedText(childText(s, QStringLiteral("para3")));
            passed = !found.isEmpty() && (expect.isEmpty() || fileContains(found, expect));
            what = expect.isEmpty() ? file : file + QStringLiteral(" 含 “") + expect + QStringLiteral("”");
        } else {
            const QString expect = expectedText(childText(s, QStringLiteral("para1")));
            passed = !expect.isEmpty() && answer.contains(expect);
            what = QStringLiteral("答案含 “") + expect + QStringLiteral("”");
        }
        if (passed)
            ++out.passedSteps;
        out.remarks << QStringLiteral("步骤%1(%2) %3：%4")
                           .arg(out.scoredSteps)
                           .arg(knowledge, what, passed ? QStringLiteral("正确") : QStringLiteral("错误"));
    }
    if (out.scoredSteps > 0)
        out.score = out.paperScore * out.passedSteps / out.scoredSteps;
    out.ok = true;
    return out;
}

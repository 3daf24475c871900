#include "question/StepTable.h"

#include <QStringDecoder>

#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "platform/WinPaths.h"
#include "log/RunLog.h"
#include "question/SafeXml.h"

namespace {

int knowledgeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

bool readTable(TTamryQuestionStepInfos& steps, const QString& fileName)
{
    XmlNode root;
    QString why;
    if (!LoadXmlFile(fileName, root, &why))
        throw XmlError{why};
    if (root.name != QLatin1String("questionsteps"))
        throw XmlError{QStringLiteral("Node \"questionsteps\" not found")};
    TTamryQuestionStepInfos out;
    for (const XmlNode& row : root.children) {
        if (row.name == QLatin1String("tOperationStepGroups"))
            continue;
        TTamryQuestionStepInfo s;
        s.questionid = row.need(QStringLiteral("questionid")).text;
        s.autoid = row.need(QStringLiteral("autoid")).text;
        s.knowledge = row.need(QStringLiteral("knowledge")).text;
        QString* paras[] = {&s.para1, &s.para2, &s.para3, &s.para4, &s.para5,
                            &s.para6, &s.para7, &s.para8, &s.para9};
        for (int i = 0; i < 9; ++i)
            *paras[i] = row.need(QStringLiteral("para%1").arg(i + 1)).text;
        s.isscore = row.need(QStringLiteral("isscore")).text;
        s.scoregene = row.need(QStringLiteral("scoregene")).text;
        s.rightcount = row.need(QStringLiteral("rightcount")).text;
        s.wrongcount = row.need(QStringLiteral("wrongcount")).text;
        out.append(s);
    }
    steps = out;
    return true;
}

QString decodeName(const QString& b64)
{
    const QString t = b64.trimmed();
    if (t.isEmpty())
        return {};
    // The names are Base64 (MIME alphabet) of the ANSI (GBK) bytes of the file name.
    const auto r = QByteArray::fromBase64Encoding(t.toLatin1());
    if (!r)
        return {};
    QStringDecoder gbk("GB18030");
    return gbk.decode(*r);
}

} // namespace

bool GetPaperQuestionStep(TTamryQuestionStepInfos& steps, const QString& fileName)
{
    if (!steps.isEmpty())
        return true;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        try {
            steps.clear();
            if (readTable(steps, fileName))
                return true;
        } catch (const XmlError& e) {
            RunLog(QStringLiteral("TDM.GetPaperQuestionStep ERROR: %1").arg(e.message));
        }
        if (attempt < 3)
            TKelPubLib::Delay(100, true);
    }
    return false;
}

bool FindStepByKnowledge(const TTamryQuestionStepInfos& steps, const QString& knowledge,
                         TTamryQuestionStepInfo& current)
{
    for (const auto& s : steps) {
        if (s.knowledge == knowledge) {
            current = s;
            return true;
        }
    }
    return false;
}

bool HasKnowledgeGroup(const TTamryQuestionStepInfos& steps, int group)
{
    for (const auto& s : steps)
        if (knowledgeNumber(s.knowledge) / 1000 == group)
            return true;
    return false;
}

bool ExpectedSaveFiles(const TTamryQuestionStepInfos& steps, int questId, QStringList& list)
{
    for (const auto& s : steps) {
        const int k = knowledgeNumber(s.knowledge);
        QString para;
        if (k == 6002 || k == 7002 || k == 13002)
            para = s.para1;
        else if (k == 8002 || k == 14002)
            para = s.para2;
        else
            continue;
        const QString name = decodeName(para);
        if (!name.isEmpty())
            list.append(QString::number(questId) + QLatin1Char('|') + name);
    }
    return !list.isEmpty();
}

void MatchSavedFiles(const TTamryQuestionStepInfos& steps, int questId, const QStringList& savedFiles,
                     QString& answer, const QStringList& values, const QString& base)
{
    const QString key = QString::number(questId) + QLatin1Char('=');
    answer.clear();
    for (const QString& v : values) {
        if (v.startsWith(key, Qt::CaseInsensitive)) {
            answer = v.mid(key.size());
            break;
        }
    }
    if (savedFiles.isEmpty())
        return;
    const QString previous = answer;
    QStringList expected;
    if (!ExpectedSaveFiles(steps, questId, expected))
        return;
    for (const QString& line : expected) {
        if (previous.contains(line))
            continue;
        const QString name = line.mid(line.indexOf(QLatin1Char('|')) + 1);
        if (name.isEmpty())
            continue;
        for (const QString& saved : savedFiles) {
            if (QString::compare(base + name, saved, Qt::CaseInsensitive) == 0) {
                if (!answer.isEmpty())
                    answer += QStringLiteral("<>");
                answer += line;
                break;
            }
        }
    }
}

int IpStepLevel(const QString& stepXmlPath)
{
    try {
        if (!pathutil::FileExists(stepXmlPath))
            return 0;
        XmlNode root;
        if (!LoadXmlFile(stepXmlPath, root))
            return 0;
        const XmlNode& k = root.need(QStringLiteral("queststep")).need(QStringLiteral("knowledge"));
        return knowledgeNumber(k.text) > 19005 ? 1 : 0;
    } catch (const XmlError&) {
        return 0;
    } catch (const EConvertError&) {
        return 0;
    }
}

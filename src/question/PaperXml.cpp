#include "question/PaperXml.h"

#include "common/PathUtils.h"
#include "log/RunLog.h"
#include "question/SafeXml.h"

namespace {

qint32 toInt(const XmlNode& n)
{
    bool ok = false;
    const qint32 v = n.text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw XmlError{QStringLiteral("'%1' is not a valid integer value").arg(n.text)};
    return v;
}

double toFloat(const XmlNode& n)
{
    bool ok = false;
    const double v = n.text.trimmed().toDouble(&ok);
    if (!ok)
        throw XmlError{QStringLiteral("'%1' is not a valid floating point value").arg(n.text)};
    return v;
}

} // namespace

bool ReadPaperXml(const QString& fileName, TPaperInfo& info)
{
    RunLog(QStringLiteral("TwebServer.ReadPaperXml In"));
    if (!pathutil::FileExists(fileName))
        return false;
    try {
        XmlNode root;
        if (!LoadXmlFile(fileName, root))
            return false;
        TPaperInfo out = info;
        const qint32 moduleid = toInt(
            root.need(QStringLiteral("paperinfo")).need(QStringLiteral("moduleid")));
        if (moduleid == 0)
            return false;
        out.moduleid = moduleid;
        const XmlNode& quest = root.need(QStringLiteral("questions")).need(QStringLiteral("quest"));
        if (!quest.children.isEmpty()) {
            out.questionid = toInt(quest.need(QStringLiteral("questionid")));
            if (out.questionid == 0)
                return false;
            out.score = toFloat(quest.need(QStringLiteral("score")));
            out.questiondescription = quest.need(QStringLiteral("questiondescription")).text;
            out.questiontype = toInt(quest.need(QStringLiteral("questiontype")));
            if (out.questiontype == 0)
                return false;
            out.knowledgep = quest.need(QStringLiteral("knowledgep")).text;
            out.operationtype = toInt(quest.need(QStringLiteral("operationtype")));
            if (out.operationtype == 0)
                return false;
        }
        info = out;
    } catch (const XmlError&) {
        return false;
    }
    RunLog(QStringLiteral("TwebServer.ReadPaperXml Out"));
    return true;
}

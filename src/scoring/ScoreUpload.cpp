#include "scoring/ScoreUpload.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/Ansi.h"

QString EscapeU(const QString& text)
{
    QString out;
    out.reserve(text.size() * 6);
    for (const QChar c : text)
        out += QStringLiteral("\\u")
            + QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return out;
}

qint64 TimeSpent(const QString& begintime, const QString& committime)
{
    const QString fmt = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    const QDateTime b = QDateTime::fromString(begintime.trimmed(), fmt);
    const QDateTime c = QDateTime::fromString(committime.trimmed(), fmt);
    if (!b.isValid() || !c.isValid())
        return 60;
    return b.msecsTo(c) / 1000;
}

QByteArray BuildUploadBody(const UploadFields& f, const QString& evaluation)
{
    // Members in the order the website documents them; QJsonObject would sort them,
    // so the object is written by hand with each value as a JSON string.
    const auto str = [](const QString& v) {
        return QString::fromUtf8(
                   QJsonDocument(QJsonObject{{QStringLiteral("v"), v}}).toJson(QJsonDocument::Compact))
            .mid(5)
            .chopped(1);
    };
    const QList<QPair<QString, QString>> members = {
        {QStringLiteral("moduleid"), f.moduleid},
        {QStringLiteral("knowledgep"), f.knowledgep},
        {QStringLiteral("questionid"), QString::number(f.questionid)},
        {QStringLiteral("questiontype"), QString::number(f.questiontype)},
        {QStringLiteral("operationtype"), QString::number(f.operationtype)},
        {QStringLiteral("score"), QString::asprintf("%.2f", f.paperScore)},
        {QStringLiteral("testscore"), QString::asprintf("%.2f", f.testScore)},
        {QStringLiteral("begintime"), f.begintime},
        {QStringLiteral("committime"), f.committime},
        {QStringLiteral("timespent"), QString::number(TimeSpent(f.begintime, f.committime))},
        {QStringLiteral("answerevaluation"), EscapeU(evaluation)},
    };
    QString json = QStringLiteral("{");
    for (int i = 0; i < members.size(); ++i) {
        if (i)
            json += QLatin1Char(',');
        json += str(members[i].first) + QLatin1Char(':') + str(members[i].second);
    }
    json += QLatin1Char('}');
    QByteArray bytes = win::toAnsi(json);
    // The JSON writer doubles the backslash of each "\u"; undo that so that the
    // evaluation text arrives as \u escapes.
    bytes.replace("\\\\u", "\\u");
    return bytes;
}

bool ReadUploadAnswer(const QByteArray& response, bool productionFormat, QString* analysisUrl)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(response.trimmed(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    const auto text = [](const QJsonValue& v) {
        if (v.isString())
            return v.toString();
        if (v.isDouble())
            return QString::number(v.toDouble());
        return QString();
    };
    if (productionFormat) {
        if (!o.value(QStringLiteral("data")).isObject())
            return false;
        if (analysisUrl)
            *analysisUrl = text(o.value(QStringLiteral("data")).toObject().value(QStringLiteral("callback")));
        return text(o.value(QStringLiteral("flag"))) == QLatin1String("1");
    }
    if (analysisUrl)
        *analysisUrl = text(o.value(QStringLiteral("callback")));
    return text(o.value(QStringLiteral("result"))) == QLatin1String("0");
}

// The score upload body and the reading of the website's answer.
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "scoring/ScoreUpload.h"

TEST(ScoreUpload, EscapesEveryCodeUnit)
{
    EXPECT_EQ(EscapeU(QStringLiteral("正确")), QStringLiteral("\\u6B63\\u786E"));
    EXPECT_EQ(EscapeU(QStringLiteral("a")), QStringLiteral("\\u0061"));
    EXPECT_EQ(EscapeU(QString()), QString());
}

TEST(ScoreUpload, TimeSpentInWholeSeconds)
{
    EXPECT_EQ(TimeSpent(QStringLiteral("2026-12-11 10:00:00"), QStringLiteral("2026-12-11 10:01:30")), 90);
    EXPECT_EQ(TimeSpent(QStringLiteral("2026-12-11 23:59:59"), QStringLiteral("2026-12-12 00:00:01")), 2);
    EXPECT_EQ(TimeSpent(QStringLiteral("garbage"), QStringLiteral("2026-12-11 10:01:30")), 60);
    EXPECT_EQ(TimeSpent(QStringLiteral("2026-12-11 10:00:00"), QString()), 60);
}

TEST(ScoreUpload, BodyCarriesEveryMember)
{
    UploadFields f;
    f.moduleid = QStringLiteral("M7");
    f.knowledgep = QStringLiteral("文字处理");
    f.questionid = 1234;
    f.questiontype = 5;
    f.operationtype = 6;
    f.paperScore = 10;
    f.testScore = 7.5;
    f.begintime = QStringLiteral("2026-12-11 10:00:00");
    f.committime = QStringLiteral("2026-12-11 10:01:30");
    const QByteArray body = BuildUploadBody(f, QStringLiteral("正确"));
    EXPECT_TRUE(body.contains("\"answerevaluation\":\"\\u6B63\\u786E\"")) << body.constData();
    EXPECT_TRUE(body.startsWith("{\"moduleid\":\"M7\",\"knowledgep\":")) << body.constData();

    const QJsonObject o = QJsonDocument::fromJson(QString::fromLocal8Bit(body).toUtf8()).object();
    EXPECT_EQ(o.value("score").toString(), QStringLiteral("10.00"));
    EXPECT_EQ(o.value("testscore").toString(), QStringLiteral("7.50"));
    EXPECT_EQ(o.value("timespent").toString(), QStringLiteral("90"));
    EXPECT_EQ(o.value("questionid").toString(), QStringLiteral("1234"));
    EXPECT_EQ(o.value("questiontype").toString(), QStringLiteral("5"));
    EXPECT_EQ(o.value("operationtype").toString(), QStringLiteral("6"));
    EXPECT_EQ(o.value("answerevaluation").toString(), QStringLiteral("正确"));
    EXPECT_EQ(o.size(), 11);
}

TEST(ScoreUpload, ReadsBothAnswerFormats)
{
    struct Case {
        const char* response;
        bool production;
        bool accepted;
        QString url;
    };
    const Case cases[] = {
        {R"({"flag":"1","data":{"callback":"http://h/a"}})", true, true, QStringLiteral("http://h/a")},
        {R"({"flag":"1"})", true, false, QString()},
        {R"({"flag":"0","data":{"callback":"http://h/a"}})", true, false, QStringLiteral("http://h/a")},
        {R"({"result":"0","callback":"http://h/b"})", false, true, QStringLiteral("http://h/b")},
        {R"({"result":"1","callback":"http://h/b"})", false, false, QStringLiteral("http://h/b")},
        {"<html>error</html>", true, false, QString()},
        {"", false, false, QString()},
    };
    for (const auto& c : cases) {
        QString url;
        EXPECT_EQ(ReadUploadAnswer(c.response, c.production, &url), c.accepted) << c.response;
        EXPECT_EQ(url, c.url) << c.response;
    }
}

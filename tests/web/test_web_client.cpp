// The launch data, its validation and the version comparison.
#include <gtest/gtest.h>

#include "../question/CaptureLog.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"
#include "web/HttpTransfer.h"
#include "web/webServer.h"

using pravik::test::ScopedMemoryLog;
using pravik::test::ScopedPrompts;

namespace {

QString launch(const QString& question, const QString& data = {})
{
    const QString d = data.isEmpty()
        ? QStringLiteral(
              "{\"callback\":\"http://h/cb\",\"version\":\" 1.0 \",\"ownerid\":440100,\"k12stage\":\"3\","
              "\"module\":\"101\",\"question\":%1}")
              .arg(question)
        : data;
    return QStringLiteral("{\"flag\":\"1\",\"msg\":\"\",\"data\":%1}").arg(d);
}

QString question(const QString& questid, const QString& qtype = QStringLiteral("\"5\""),
                 const QString& optype = QStringLiteral("6"))
{
    return QStringLiteral(
               "{\"questid\":%1,\"knowledgep\":\"字处理\",\"questiontype\":%2,\"operationtype\":%3,"
               "\"url2\":\"http://h/p.png\",\"stepurl\":\"http://h/s.xml\",\"maturl\":\"\","
               "\"paperurl\":\"http://h/Paper.xml\"}")
        .arg(questid, qtype, optype);
}

} // namespace

TEST(AnalysisQuest, Cases)
{
    const QString q1234 = question(QStringLiteral("\"1234\""));
    const struct {
        const char* what;
        QString response;
        bool ok;
        const char* logLine; // a conversion log line that must (or must not) appear
        qint32 questionid;
    } cases[] = {
        {"number", launch(question(QStringLiteral("1234"))), true, nullptr, 1234},
        {"text", launch(q1234), true, nullptr, 1234},
        {"text with blanks", launch(question(QStringLiteral("\" 1234 \""))), true, nullptr, 1234},
        {"12a", launch(question(QStringLiteral("\"12a\""))), false, "无法将试题编号字符型转换成数值型", 0},
        {"question type x", launch(question(QStringLiteral("1"), QStringLiteral("\"x\""))), false,
         "无法将试题类型字符型转换成数值型", 1},
        {"operation type empty",
         launch(question(QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("\"\""))), false,
         "无法将试题操作类型字符型转换成数值型", 1},
        {"html page", QStringLiteral("<html><body>500 Internal Server Error</body></html>"), false, nullptr,
         0},
        {"no data", QStringLiteral("{\"flag\":\"1\",\"msg\":\"\"}"), false, nullptr, 0},
        {"no question", launch({}, QStringLiteral("{\"callback\":\"x\"}")), false, nullptr, 0},
        {"data and question as texts",
         QStringLiteral("{\"flag\":1,\"data\":\"%1\"}")
             .arg(QString(launch(q1234).mid(launch(q1234).indexOf(QStringLiteral("\"data\":")) + 7))
                      .chopped(1)
                      .replace(QLatin1Char('"'), QStringLiteral("\\\""))),
         true, nullptr, 1234},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedMemoryLog log;
        TwebServer web;
        SetRunLogger(log.log);
        log->lines.clear();
        EXPECT_EQ(web.AnalysisQuest(c.response), c.ok);
        EXPECT_EQ(web.PaperInfo.questionid, c.questionid);
        ASSERT_GE(log->lines.size(), 2);
        EXPECT_EQ(log->lines[0], QStringLiteral("TwebServer.AnalysisQuest In "));
        EXPECT_EQ(log->lines[1], c.response);
        EXPECT_EQ(log->has(QStringLiteral("TwebServer.AnalysisQuest Out ")), c.ok);
        for (const char* conv : {"无法将试题编号字符型转换成数值型", "无法将试题类型字符型转换成数值型",
                                 "无法将试题操作类型字符型转换成数值型"})
            EXPECT_EQ(log->has(QString::fromUtf8(conv)), c.logLine && QByteArray(c.logLine) == conv) << conv;
    }
}

TEST(AnalysisQuest, ReadsEveryMemberTrimmed)
{
    TwebServer web;
    ASSERT_TRUE(web.AnalysisQuest(
        launch(question(QStringLiteral("\"77\""), QStringLiteral("5"), QStringLiteral("\" 23 \"")))));
    const TPaperInfo& p = web.PaperInfo;
    EXPECT_EQ(p.urls.flag, QStringLiteral("1"));
    EXPECT_EQ(p.urls.version, QStringLiteral("1.0"));
    EXPECT_EQ(p.ownerid, QStringLiteral("440100")); // a JSON number as its decimal text
    EXPECT_EQ(p.k12stage, QStringLiteral("3"));
    EXPECT_EQ(p.module, QStringLiteral("101"));
    EXPECT_EQ(p.urls.callback, QStringLiteral("http://h/cb"));
    EXPECT_EQ(p.urls.questid, QStringLiteral("77"));
    EXPECT_EQ(p.knowledgep, QStringLiteral("字处理"));
    EXPECT_EQ(p.questiontype, 5);
    EXPECT_EQ(p.operationtype, 23);
    EXPECT_EQ(p.urls.url2, QStringLiteral("http://h/p.png"));
    EXPECT_EQ(p.urls.stepurl, QStringLiteral("http://h/s.xml"));
    EXPECT_EQ(p.urls.maturl, QString());
    EXPECT_EQ(p.urls.paperurl, QStringLiteral("http://h/Paper.xml"));
}

TEST(VerifyValue, ChecksInOrder)
{
    const struct {
        const char* what;
        void (*change)(TPaperUrlInfo&);
        const char* message;
    } cases[] = {
        {"valid", [](TPaperUrlInfo&) {}, nullptr},
        {"no material is valid", [](TPaperUrlInfo& u) { u.maturl.clear(); }, nullptr},
        {"refused",
         [](TPaperUrlInfo& u) {
             u.flag = QStringLiteral("0");
             u.msg = QStringLiteral("题目已下线");
         },
         "下载失败,错误原因:题目已下线"},
        {"flag 1.0 is not 1", [](TPaperUrlInfo& u) { u.flag = QStringLiteral("1.0"); }, "下载失败,错误原因:"},
        {"paper",
         [](TPaperUrlInfo& u) {
             u.paperurl.clear();
             u.url2.clear();
         },
         "试卷地址为空"},
        {"picture",
         [](TPaperUrlInfo& u) {
             u.url2.clear();
             u.stepurl.clear();
         },
         "试卷描述地址为空"},
        {"step", [](TPaperUrlInfo& u) { u.stepurl.clear(); }, "操作步骤表地址为空"},
        {"questid", [](TPaperUrlInfo& u) { u.questid.clear(); }, "试题编号为空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedPrompts prompts;
        ScopedMemoryLog log;
        TwebServer web;
        SetRunLogger(log.log);
        log->lines.clear();
        TPaperUrlInfo& u = web.PaperInfo.urls;
        u.flag = QStringLiteral("1");
        u.paperurl = QStringLiteral("http://h/P");
        u.url2 = QStringLiteral("http://h/p");
        u.stepurl = QStringLiteral("http://h/s");
        u.maturl = QStringLiteral("http://h/m");
        u.questid = QStringLiteral("5");
        c.change(u);
        EXPECT_EQ(web.VerifyValue(), c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(prompts->records.size(), 1);
            EXPECT_EQ(prompts->records[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(prompts->records[0].style, 1);
            EXPECT_EQ(prompts->records[0].title, QStringLiteral("提示信息"));
            EXPECT_EQ(log->lines, QStringList{QStringLiteral("TwebServer.VerifyValue In")});
        } else {
            EXPECT_TRUE(prompts->records.isEmpty());
            EXPECT_EQ(log->lines,
                      (QStringList{QStringLiteral("TwebServer.VerifyValue In"),
                                   QStringLiteral("TwebServer.VerifyValue Out")}));
        }
    }
}

TEST(VersionCheck, PlainTextComparison)
{
    const struct {
        const char* required;
        const char* local;
        bool newer;
    } cases[] = {
        {"10.0", "2.0", false}, {"1.9", "1.10", true}, {"1.0", "1.0", false},   {"1.0", "", true},
        {"", "9.9", true},      {"2.1", "2.0", true},  {"2.0", "2.0.1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewerClientRequired(QString::fromUtf8(c.required), QString::fromUtf8(c.local)), c.newer)
            << c.required << " vs " << c.local;
}

TEST(HttpTransfer, RefusesOtherSchemesWithoutFetching)
{
    for (const char* url :
         {"file:///etc/passwd", "ftp://127.0.0.1/x", "qrc:/x", "127.0.0.1:80/launch", "http://", ""}) {
        SCOPED_TRACE(url);
        const webhttp::Result r = webhttp::Post(QString::fromUtf8(url), {},
                                                "application/x-www-form-urlencoded");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.body.isEmpty());
        EXPECT_FALSE(r.error.isEmpty());
    }
    const QString target = pravik::test::TestEnv::freshDir(QStringLiteral("scheme")) + QStringLiteral("/x");
    EXPECT_FALSE(webhttp::GetToFile(QStringLiteral("file:///etc/hostname"), target).ok);
    EXPECT_FALSE(QFile::exists(target));
}

// A website that closes the connection without answering: every attempt of the
// launch post, the score post and a download is exactly one request on the wire,
// and it ends as a failed attempt.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "../question/CaptureLog.h"
#include "DroppingServer.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"
#include "web/HttpTransfer.h"
#include "web/uWebTamryApi.h"
#include "web/webServer.h"

using namespace pravik::test;

TEST(DroppedConnection, EachPostIsOneRequestAndFails)
{
    const struct {
        const char* what;
        QString (*post)(TWebTamry&, const QString& url);
        QByteArray body;
    } cases[] = {
        {"launch post", [](TWebTamry& t, const QString& url) { return t.PostForm(url); }, QByteArray()},
        {"score post",
         [](TWebTamry& t, const QString& url) {
             return t.PostScores(QStringLiteral("{\"score\":\"7.50\"}"), url);
         },
         QByteArrayLiteral("scores=%7B%22score%22%3A%227.50%22%7D")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DroppingServer site;
        ASSERT_TRUE(site.listening());
        auto log = std::make_shared<MemoryLog>();
        TWebTamry web;
        web.Logger = log;
        EXPECT_EQ(c.post(web, site.url(QStringLiteral("/exercise"))), QString());
        EXPECT_EQ(site.requestLines, QStringList{QStringLiteral("POST /exercise HTTP/1.1")});
        EXPECT_EQ(site.bodies, QStringList{QString::fromLatin1(c.body)});
        // The failure is one error line with the transport's message.
        ASSERT_EQ(log->lines.size(), 1) << log->lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(log->levels[0], MSG_ERROR);
        EXPECT_FALSE(log->lines[0].isEmpty());
    }
}

TEST(DroppedConnection, TransportReportsNoAnswer)
{
    DroppingServer site;
    ASSERT_TRUE(site.listening());
    const webhttp::Result r = webhttp::Post(site.url(QStringLiteral("/p")), "a=1",
                                            "application/x-www-form-urlencoded");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(site.requestLines.size(), 1);
}

TEST(DroppedConnection, DownloadIsOneRequestAndLeavesNoFile)
{
    DroppingServer site;
    ASSERT_TRUE(site.listening());
    TwebServer web;
    ScopedMemoryLog log;
    const QString dir = TestEnv::freshDir(QStringLiteral("dropped-download"));
    const QString target = win::fromHost(dir) + QStringLiteral("\\Paper.xml");
    const QString url = site.url(QStringLiteral("/q/Paper.xml"));
    log->lines.clear();
    EXPECT_FALSE(web.DownloadToFile(url, target));
    EXPECT_EQ(site.requestLines, QStringList{QStringLiteral("GET /q/Paper.xml HTTP/1.1")});
    ASSERT_EQ(log->lines.size(), 1) << log->lines.join(QLatin1Char('\n')).toStdString();
    const QString prefix = QStringLiteral("TwebServer.DownloadToFile ERROR: ") + url + QStringLiteral("\r\n");
    EXPECT_TRUE(log->lines[0].startsWith(prefix)) << log->lines[0].toStdString();
    EXPECT_GT(log->lines[0].size(), prefix.size());
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <thread>

#include "log/unLogCtrl.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"
#include "support/TestFiles.h"

using pravik::test::ReadHostFile;
using pravik::test::TestEnv;

namespace {

// The GBK bytes of the fixed parts of a line, written out so that the test does not
// depend on the converter it checks.
const QByteArray kTypeGbk("\xc0\xe0\xd0\xcd\xa3\xba"); // 类型：
const QByteArray kTimeGbk("\xa3\xac\x09\xbc\xc7\xc2\xbc\xca\xb1\xbc\xe4\xa3\xba"); // ，\t记录时间：
const QByteArray kCommaGbk("\xa3\xac"); // ，
const QByteArray kSenderGbk("\xb6\xd4\xcf\xf3:"); // 对象:
const QByteArray kMessageGbk("\xa3\xac\x09\xd0\xc5\xcf\xa2:"); // ，\t信息:

struct LogDir {
    QString host; // folder (host path)
    QString win; // log file as a Windows path
    QString hostLog;
};

LogDir freshLog(const QString& name)
{
    LogDir d;
    d.host = TestEnv::freshDir(name);
    d.hostLog = d.host + "/zovovozuz.log";
    QString w = win::fromHost(d.host);
    if (!w.endsWith('\\'))
        w += '\\';
    d.win = w + "zovovozuz.log";
    return d;
}

QList<QByteArray> lines(const QByteArray& all)
{
    QList<QByteArray> out = all.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// One line without its LF: the fixed parts, the level, a time stamp and the text.
void expectLine(const QByteArray& line, const char* level, const QByteArray& textGbk)
{
    const QByteArray head = kTypeGbk + level + kTimeGbk;
    ASSERT_TRUE(line.startsWith(head)) << line.toHex(' ').toStdString();
    const QByteArray stamp = line.mid(head.size(), 23);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}$)")
                    .match(QString::fromLatin1(stamp))
                    .hasMatch())
        << stamp.toStdString();
    EXPECT_EQ(line.mid(head.size() + 23), kCommaGbk + textGbk + "\r");
}

TEST(LogCtrl, ExactBytesOfOneLineAtEachLevel)
{
    const LogDir d = freshLog("log-levels");
    TLogCtrl log(d.win);
    log.Debug(QString::fromUtf8("中文 d"));
    log.Info("i");
    log.Warn("w");
    log.Error("e");
    log.Fatal("f");
    const QByteArray all = ReadHostFile(d.hostLog);
    EXPECT_TRUE(all.endsWith("\r\n"));
    EXPECT_FALSE(all.contains('\0'));
    const auto ls = lines(all);
    ASSERT_EQ(ls.size(), 5);
    expectLine(ls[0], "MSG_DEBUG", QByteArray("\xd6\xd0\xce\xc4 d"));
    expectLine(ls[1], "MSG_INFO", "i");
    expectLine(ls[2], "MSG_WARN", "w");
    expectLine(ls[3], "MSG_ERROR", "e");
    expectLine(ls[4], "MSG_FATAL", "f");

    QString text;
    log.GetText(text);
    EXPECT_EQ(text, win::fromAnsi(all));
}

TEST(LogCtrl, SenderFormAndLevelFilter)
{
    const LogDir d = freshLog("log-sender");
    TLogCtrl log(d.win);
    QObject form;
    form.setObjectName("frmTool");
    QObject button(&form);
    button.setObjectName("btnSubmit");

    log.Error(&button, "x");
    log.Write(MSG_INFO, nullptr, "plain");
    log.Warn(nullptr, "nobody");
    log.SetLevel(MSG_WARN);
    log.Info("dropped");
    log.Debug(&button, "dropped");
    log.Write(MSG_INFO, &button, "dropped");
    log.Warn("kept");

    const auto ls = lines(ReadHostFile(d.hostLog));
    ASSERT_EQ(ls.size(), 4);
    expectLine(ls[0], "MSG_ERROR", kSenderGbk + "btnSubmit->frmTool" + kMessageGbk + "x");
    expectLine(ls[1], "MSG_INFO", "plain");
    expectLine(ls[2], "MSG_WARN", kSenderGbk + kMessageGbk + "nobody");
    expectLine(ls[3], "MSG_WARN", "kept");
}

TEST(LogCtrl, RollOverAtConstruction)
{
    struct Case {
        qint64 size;
        bool rolls;
    } cases[] = {{5120001, true}, {5120000, false}};
    for (const Case& c : cases) {
        const LogDir d = freshLog(QString("log-roll-%1").arg(c.size));
        {
            QFile f(d.hostLog);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_TRUE(f.resize(c.size));
        }
        {
            TLogCtrl log(d.win);
            log.Info("after");
        }
        const QStringList copies = QDir(d.host).entryList({"zovovozuz.log*.txt"}, QDir::Files);
        const QByteArray all = ReadHostFile(d.hostLog);
        QByteArray tail = all;
        if (c.rolls) {
            ASSERT_EQ(copies.size(), 1) << c.size;
            EXPECT_TRUE(QRegularExpression(R"(^zovovozuz\.log\d{14}\.txt$)").match(copies[0]).hasMatch())
                << copies[0].toStdString();
            EXPECT_EQ(QFileInfo(d.host + "/" + copies[0]).size(), c.size);
        } else {
            EXPECT_TRUE(copies.isEmpty());
            ASSERT_GT(all.size(), c.size);
            EXPECT_TRUE(all.left(c.size) == QByteArray(c.size, '\0')); // the old content stays
            tail = all.mid(c.size);
        }
        const auto ls = lines(tail);
        ASSERT_EQ(ls.size(), 1) << c.size;
        expectLine(ls[0], "MSG_INFO", "after");
    }
}

TEST(LogCtrl, ThreadsNeverInterleaveInsideALine)
{
    const LogDir d = freshLog("log-threads");
    TLogCtrl log(d.win);
    const int perThread = 1500;
    const QString a(200, QLatin1Char('a'));
    const QString b = QString::fromUtf8("中").repeated(150);
    auto writer = [&](const QString& text) {
        for (int i = 0; i < perThread; ++i)
            log.Error(text);
    };
    std::thread t1(writer, a), t2(writer, b);
    t1.join();
    t2.join();

    const QString lineRx = QString::fromUtf8(
        R"(^类型：MSG_ERROR，\t记录时间：\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}，(a{200}|(中){150})\r$)");
    const QRegularExpression rx(lineRx);
    int na = 0, nb = 0;
    for (const QByteArray& l : lines(ReadHostFile(d.hostLog))) {
        const auto m = rx.match(win::fromAnsi(l));
        ASSERT_TRUE(m.hasMatch()) << l.left(80).toHex(' ').toStdString();
        (m.captured(1).startsWith('a') ? na : nb)++;
    }
    EXPECT_EQ(na, perThread);
    EXPECT_EQ(nb, perThread);
}

TEST(LogCtrl, SenderDescription)
{
    QWidget form;
    form.setObjectName("frmTool");
    QWidget panel(&form);
    panel.setObjectName("pnlTop");
    QPushButton button(&panel);
    button.setObjectName("btnSubmit");
    QPushButton unnamed(&panel);
    QWidget unnamedParent;
    QPushButton namedInUnnamed(&unnamedParent);
    namedInUnnamed.setObjectName("btnX");
    QTimer timer;
    QObject plain;

    struct {
        const QObject* obj;
        const char* expected;
    } cases[] = {
        {&button, "btnSubmit->pnlTop->frmTool"},
        {&form, "frmTool"},
        {&namedInUnnamed, "btnX->"},
        {&unnamed, "QPushButton<-QAbstractButton<-QWidget<-QObject"},
        {&timer, "QTimer<-QObject"},
        {&plain, "QObject"},
        {nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SenderDescription(c.obj), QString(c.expected)) << c.expected;
}

TEST(LogCtrl, UnhandledExceptionInAButtonHandlerIsOneFatalLine)
{
    const LogDir d = freshLog("log-unhandled");
    auto log = std::make_shared<TLogCtrl>(d.win);
    QWidget form;
    form.setObjectName("frmTool");
    QPushButton button(&form);
    button.setObjectName("btnSubmit");
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::runtime_error("boom"); });

    // What the application object's notify does with an exception that escapes a handler.
    try {
        button.click();
        FAIL() << "the handler did not throw";
    } catch (const std::exception& e) {
        ReportUnhandledException(&button, QString::fromUtf8(e.what()));
    }
    const auto ls = lines(ReadHostFile(d.hostLog));
    ASSERT_EQ(ls.size(), 1);
    expectLine(ls[0], "MSG_FATAL", kSenderGbk + "btnSubmit->frmTool" + kMessageGbk + "boom");

    // Without a logger the report goes nowhere and does no harm.
    log.reset();
    ReportUnhandledException(&button, "after");
    EXPECT_EQ(lines(ReadHostFile(d.hostLog)).size(), 1);
}

TEST(LogCtrl, UnmappedPathThrows)
{
    EXPECT_THROW(TLogCtrl("Q:\\nowhere\\zovovozuz.log"), std::runtime_error);
}

} // namespace

// The toolbar's caption as the window system sees it: exactly "Pravik" in both the
// old and the EWMH title property, also with the application title set, since
// other programs find the toolbar by that caption.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include "app/AppEntry.h"
#include "app/TApplication.h"
#include "app/ufrmTool.h"
#include "environment/unDMDB.h"

namespace {

const char kOnXVariable[] = "PRAVIK_TITLE_TEST_ON_X";

class QuietTool : public TfrmTool {
public:
    bool StartExercise() override { return true; }
};

// A bounded wait for a process and its whole output.
QString runProgram(const QString& program, const QStringList& args, int ms = 5000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(1000);
    }
    return QString::fromUtf8(p.readAll());
}

} // namespace

// Runs inside the process that WindowTitle.IsPravikToTheWindowSystem starts on a
// display of its own; in the ordinary run there is no such display.
TEST(WindowTitleOnX, ToolbarProperties)
{
    if (qEnvironmentVariableIsEmpty(kOnXVariable))
        GTEST_SKIP() << "runs on the display of WindowTitle.IsPravikToTheWindowSystem";
    std::unique_ptr<TDM> dm;
    if (!DM)
        dm = std::make_unique<TDM>();
    TApplication::SetTitle(kApplicationTitle);
    QuietTool tool;
    tool.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tool, 5000));
    ASSERT_NE(tool.windowHandle(), nullptr);
    EXPECT_EQ(tool.windowHandle()->title(), QStringLiteral("Pravik"));
    QCoreApplication::processEvents();
    const QString props = runProgram(QStringLiteral("xprop"),
                                     {QStringLiteral("-id"), QString::number(tool.winId()),
                                      QStringLiteral("-notype"), QStringLiteral("_NET_WM_NAME"),
                                      QStringLiteral("WM_NAME")});
    EXPECT_EQ(props.trimmed().toStdString(), "_NET_WM_NAME = \"Pravik\"\nWM_NAME = \"Pravik\"");
}

TEST(WindowTitle, IsPravikToTheWindowSystem)
{
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1024x768x24")});
    ASSERT_TRUE(xvfb.waitForStarted(5000)) << "Xvfb is needed (package xvfb)";
    QByteArray number;
    for (int i = 0; i < 50 && !number.contains('\n'); ++i) {
        xvfb.waitForReadyRead(100);
        number += xvfb.readAllStandardOutput();
    }
    const QString display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    ASSERT_GT(display.size(), 1) << "Xvfb gave no display";

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QString::fromLatin1(kOnXVariable), QStringLiteral("1"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WindowTitleOnX.*")});
    const bool ended = child.waitForFinished(30000);
    if (!ended)
        child.kill();
    const QString out = QString::fromUtf8(child.readAll());
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    ASSERT_TRUE(ended) << out.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("SKIPPED"))) << out.toStdString();
}

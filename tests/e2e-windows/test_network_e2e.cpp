// Whole IIS, IP and FTP exercises: from the launch address the simulated desktop opens,
// the student script (NetworkScenarios.cpp) works the sample in the desktop's windows,
// leaves the desktop and submits; the substitute engine grades the answer line of
// ans.zt (and, for FTP, the files on disk) and the upload carries the full score.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonObject>

#include "WindowsExercise.h"
#include "e2e/E2eSupport.h"

using namespace pravik::test;

namespace {

QString archiveLine(const QString& archive, const QString& id)
{
    const QString head = QStringLiteral("[strOpsList]\r\n") + id + QLatin1Char('=');
    if (!archive.startsWith(head) || !archive.endsWith(QStringLiteral(")True\r\n")))
        return QStringLiteral("<unexpected archive> ") + archive;
    return archive.mid(head.size()).chopped(7);
}

TEST_F(WindowsExercise, IISQuestionRecordsTheManagersSettings)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("iis")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("iis")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();
    EXPECT_EQ(r.seen.value(QStringLiteral("wizard.last")), QStringLiteral("完成"));
    EXPECT_EQ(r.seen.value(QStringLiteral("node")), QStringLiteral("web"));
    EXPECT_EQ(r.seen.value(QStringLiteral("property.path")), QStringLiteral("D:\\web"));
    EXPECT_EQ(r.seen.value(QStringLiteral("input.title")), QStringLiteral("添加内容页"));
    const QString expected = QStringLiteral(
        "web,D:\\web,True,True,False,True,False,脚本和可执行文件,index.htm,True,True,True,True,True");
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.saved")), expected);
    EXPECT_EQ(archiveLine(engineArchive(), QStringLiteral("4001")), expected);
    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("4001"));
    EXPECT_EQ(uploadsReceived().value(0).value(QStringLiteral("testscore")).toString(),
              QStringLiteral("10.00"));
}

TEST_F(WindowsExercise, IPQuestionRecordsTheFiveAddresses)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ip")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ip")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();
    EXPECT_EQ(r.seen.value(QStringLiteral("trayEnabled")), QStringLiteral("1"));
    // The mode comes from the program folder's subjects\Step.xml, which is written only
    // when a question is submitted: on this first run there is none, so the mode is 0
    // and the fields start empty (the sample's 19006 step shows "0.0.0.0" only after).
    EXPECT_EQ(r.seen.value(QStringLiteral("shown.ip")), QStringLiteral("..."));
    const QString expected = QStringLiteral("192.168.1.20,255.255.255.0,192.168.1.1,202.96.128.86,...");
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.saved")), expected);
    EXPECT_EQ(archiveLine(engineArchive(), QStringLiteral("19001")), expected);
    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("19001"));
    EXPECT_EQ(uploadsReceived().value(0).value(QStringLiteral("testscore")).toString(),
              QStringLiteral("10.00"));
}

TEST_F(WindowsExercise, FTPQuestionUploadsAndDownloadsRealFiles)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ftp")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ftp")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();
    const QString drive = r.seen.value(QStringLiteral("drive"));
    ASSERT_FALSE(drive.isEmpty());
    EXPECT_EQ(r.seen.value(QStringLiteral("browsed")), drive + QStringLiteral(":\\22001"));
    EXPECT_EQ(r.seen.value(QStringLiteral("homework")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("server")), drive + QStringLiteral(":\\22001\\DownLoad"));
    EXPECT_EQ(r.seen.value(QStringLiteral("uploaded")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("notice")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("downloaded")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.saved")), QStringLiteral("True"));
    EXPECT_EQ(archiveLine(engineArchive(), QStringLiteral("22001")), QStringLiteral("True"));
    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("22001"));
    EXPECT_EQ(uploadsReceived().value(0).value(QStringLiteral("testscore")).toString(),
              QStringLiteral("10.00"));
}

} // namespace

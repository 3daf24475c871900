// The Windows Virtual samples worked in the control panel, the system dialogs, the
// add-printer wizard and the security suite: from the launch address through the
// windows to the slot entries in ans.zt that the scoring engine reads, and the upload.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <QMap>

#include "WindowsExercise.h"

using namespace pravik::test;

namespace {

// The answer line of a type-26 question as the final save writes it: the slots 0 to
// 28 with their entry numbers, the given slots set, the others empty.
QString flattened(const QString& questionId, const QMap<int, QString>& values)
{
    QStringList entries;
    for (int slot = 0; slot <= 28; ++slot)
        entries << QString::number(slot <= 12 ? 26020 + slot : 26021 + slot) + QStringLiteral("==>")
                + values.value(slot);
    return QStringLiteral("[strOpsList]\r\n") + questionId + QLatin1Char('=')
        + entries.join(QStringLiteral("<++>")) + QStringLiteral(")True\r\n");
}

TEST_F(WindowsExercise, ControlPanelAndSystemDialogsRecordTheirSlots)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-controlpanel")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("controlpanel")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("mouse.opened")), QStringLiteral("0|0|0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("mouse.speed")), QStringLiteral("7"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot21")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("date.picked")), QStringLiteral("2012-03-05 19:09:00"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot1")), QStringLiteral("2012-03-05 19:09:00"));
    EXPECT_EQ(r.seen.value(QStringLiteral("clock")), QStringLiteral("19:09"));
    const QString props = QStringLiteral(
        "常规=1,计算机名=0,硬件=1,高级=0,系统还原=0,自动更新=0,远程=0,设备管理器=1");
    EXPECT_EQ(r.seen.value(QStringLiteral("slot18")), props);
    EXPECT_EQ(r.seen.value(QStringLiteral("slot19.memory")), QStringLiteral("内存=1,磁盘=0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot19")), QStringLiteral("内存=1,磁盘=1"));

    // The final save carries the mouse slots 21 to 28 too.
    EXPECT_EQ(engineArchive(),
              flattened(QStringLiteral("26002"),
                        {{1, QStringLiteral("2012-03-05 19:09:00")},
                         {18, props},
                         {19, QStringLiteral("内存=1,磁盘=1")},
                         {21, QStringLiteral("1")},
                         {22, QStringLiteral("0")},
                         {23, QStringLiteral("0")},
                         {24, QStringLiteral("0")},
                         {25, QStringLiteral("0")},
                         {28, QStringLiteral("0")}}));
    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("26002"));
    const QList<QJsonObject> up = uploadsReceived();
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.first().value(QStringLiteral("score")).toString(), QStringLiteral("10.00"));
}

TEST_F(WindowsExercise, PrinterWizardAndSecuritySuiteRecordTheirSlots)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-printer")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("printer")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("controlpanel.closed")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("printer.name")),
              QStringLiteral("\\\\192.168.0.189\\Canon iP2700 series"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot26")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("printers.closed")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot20.started")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("btn1")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot20")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot27.started")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("sd2.minimised")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot27")), QStringLiteral("1"));

    EXPECT_EQ(engineArchive(),
              flattened(QStringLiteral("26003"),
                        {{20, QStringLiteral("1")}, {26, QStringLiteral("1")}, {27, QStringLiteral("1")}}));
    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("26003"));
    const QList<QJsonObject> up = uploadsReceived();
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.first().value(QStringLiteral("score")).toString(), QStringLiteral("10.00"));
}

} // namespace

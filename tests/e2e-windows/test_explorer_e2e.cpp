// The Windows Virtual file windows from the launch address to the upload (sample
// windows-explorer): the student works in My Computer, the Explorer, the Recycle Bin
// and its property sheet (ExplorerScenarios.cpp); the engine reads the flattened
// slots in ans.zt and grades every step; the score is uploaded.
#include <gtest/gtest.h>

#include <QJsonObject>

#include "e2e/E2eSupport.h"
#include "WindowsExercise.h"

using namespace pravik::test;

namespace {

TEST_F(WindowsExercise, ExplorerAndRecycleBinRecordTheirSlotsToTheUpload)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-explorer")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("explorer")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("mycp.taskButton")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("mycp.first")),
              QStringLiteral("录像文件.exe")); // after the two folders
    EXPECT_EQ(r.seen.value(QStringLiteral("property.title")), QStringLiteral("本地磁盘 (C:) 属性"));
    EXPECT_EQ(r.seen.value(QStringLiteral("mycp.taskButtonAfterClose")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("explorer.myDocuments")), QStringLiteral("1"));
    // The material's recycle folder, in the order of the file search.
    EXPECT_EQ(r.seen.value(QStringLiteral("recycle.rows")),
              QStringLiteral("文件.txt,旧文件.txt,照片.bmp,草稿.doc"));
    EXPECT_EQ(r.seen.value(QStringLiteral("recycle.type")), QStringLiteral("文本文档"));
    EXPECT_EQ(r.seen.value(QStringLiteral("recycle.after")), QStringLiteral("文件.txt,照片.bmp"));
    // "文件.txt" is part of "旧文件.txt" and stays listed.
    EXPECT_EQ(r.seen.value(QStringLiteral("recycle.reopened")), QStringLiteral("文件.txt,照片.bmp"));
    EXPECT_EQ(r.seen.value(QStringLiteral("recy.label")), QStringLiteral("10%"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slots")),
              QStringLiteral("6=C|10=|11=旧文件.txt|12=10#0#0|14=D:5|15=D:2|16=1|17=草稿.doc"));

    // The final save: the flattened slots 0 to 20 (a later slot may follow).
    QMap<int, QString> values{{6, QStringLiteral("C")},        {11, QStringLiteral("旧文件.txt")},
                              {12, QStringLiteral("10#0#0")},  {14, QStringLiteral("D:5")},
                              {15, QStringLiteral("D:2")},     {16, QStringLiteral("1")},
                              {17, QStringLiteral("草稿.doc")}};
    QStringList entries;
    for (int slot = 0; slot <= 20; ++slot)
        entries << QString::number(slot <= 12 ? 26020 + slot : 26021 + slot) + QStringLiteral("==>")
                + values.value(slot);
    const QString ans = engineArchive();
    const QString head = QStringLiteral("[strOpsList]\r\n26004=") + entries.join(QStringLiteral("<++>"));
    ASSERT_TRUE(ans.startsWith(head)) << ans.toStdString();
    const QString rest = ans.mid(head.size());
    EXPECT_TRUE(rest == QStringLiteral(")True\r\n") || rest.startsWith(QStringLiteral("<++>26042==>")))
        << rest.toStdString();

    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("26004"));
    const QList<QJsonObject> up = uploadsReceived();
    ASSERT_EQ(up.size(), 1);
    EXPECT_EQ(up.first().value(QStringLiteral("score")).toString(), QStringLiteral("14.00"));
}

} // namespace

// An exception that escapes a click handler: one MSG_FATAL line in the sender form,
// no dialog, the program goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

#include "AppTestSupport.h"

TEST(UnhandledException, ButtonHandlerGivesOneFatalLineWithButtonAndForm)
{
    apptest::TempLog log(QStringLiteral("exception"));
    QWidget form;
    form.setObjectName(QStringLiteral("frmSample"));
    auto* button = new QPushButton(QStringLiteral("提交"), &form);
    button->setObjectName(QStringLiteral("btnBoom"));
    button->setGeometry(10, 10, 80, 30);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] {
        ++clicks;
        throw std::runtime_error("试题文件不存在");
    });
    form.show();

    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(clicks, 1);
    const QStringList lines = log.lines();
    ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
    static const QRegularExpression re(
        QStringLiteral("^类型：MSG_FATAL，\\t记录时间：\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}，"
                       "对象:btnBoom->frmSample，\\t信息:试题文件不存在$"));
    EXPECT_TRUE(re.match(lines[0]).hasMatch()) << lines[0].toStdString();
    // No dialog came up.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w != &form && w->isVisible() && w->inherits("QDialog")) << w->metaObject()->className();

    // The program goes on: the button still works (and logs again).
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(log.lines().size(), 2);
}

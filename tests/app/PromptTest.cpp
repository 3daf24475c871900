// The prompt windows through the prompt interface as the GUI installs it: button
// places, results, the close button's log line, the styles, the notice.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "AppTestSupport.h"
#include "app/GuiPrompts.h"
#include "app/ufrmMessage.h"
#include "app/ufrmTamryShowMessage.h"
#include "environment/unDMDB.h"
#include "support/TestEnv.h"

using apptest::OnNextModal;
using pravik::test::TestEnv;

namespace {

class PromptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetPrompts(std::make_unique<TGuiPrompts>());
        if (!DM)
            m_dm = std::make_unique<TDM>();
    }
    void TearDown() override { SetPrompts(std::move(m_previous)); }

    std::unique_ptr<IPrompts> m_previous;
    std::unique_ptr<TDM> m_dm;
};

enum class Fn { ShowPrompt, AskPrompt, ShowPrompt2, AskPrompt2 };
enum class Press { OK, Second, Close };

struct ButtonCase {
    const char* name;
    Fn fn;
    Press press;
    bool result;
    int okLeft; // where OK stands
    bool secondVisible; // Cancel / second button shown
    bool downloadOpened; // the software download page was opened
    bool closeLogLine; // "TfrmTamryExamHandPaperConfirm.btnExitClick" written
};

const ButtonCase kButtonCases[] = {
    {"ShowPrompt_OK", Fn::ShowPrompt, Press::OK, true, 183, false, false, false},
    {"ShowPrompt_Close", Fn::ShowPrompt, Press::Close, false, 183, false, false, true},
    {"AskPrompt_OK", Fn::AskPrompt, Press::OK, true, 107, true, false, false},
    {"AskPrompt_Cancel", Fn::AskPrompt, Press::Second, false, 107, true, false, false},
    {"AskPrompt_Close", Fn::AskPrompt, Press::Close, false, 107, true, false, true},
    {"ShowPrompt2_OK", Fn::ShowPrompt2, Press::OK, false, 183, false, true, false},
    {"ShowPrompt2_Close", Fn::ShowPrompt2, Press::Close, false, 183, false, false, true},
    {"AskPrompt2_OK", Fn::AskPrompt2, Press::OK, false, 107, true, true, false},
    {"AskPrompt2_Second", Fn::AskPrompt2, Press::Second, true, 107, true, false, false},
    {"AskPrompt2_Close", Fn::AskPrompt2, Press::Close, false, 107, true, false, true},
};

class PromptButtons : public PromptTest, public ::testing::WithParamInterface<ButtonCase> { };

TEST_P(PromptButtons, PlaceAndResult)
{
    const ButtonCase& c = GetParam();
    apptest::TempLog log(QString::fromLatin1(c.name));
    DM->SoftDownloadUrl = QStringLiteral("http://127.0.0.1/download/soft");
    TestEnv::clearShellOpens();

    int okLeft = -1, okTop = -1, secondLeft = -1;
    bool secondVisible = false;
    QString seenName;
    OnNextModal([&](QWidget* w) {
        auto* frm = qobject_cast<TfrmTamryShowMessage*>(w);
        ASSERT_NE(frm, nullptr);
        seenName = frm->objectName();
        okLeft = frm->btnOK->x();
        okTop = frm->btnOK->y();
        secondVisible = frm->btnCancel->isVisible();
        secondLeft = frm->btnCancel->x();
        QAbstractButton* b = c.press == Press::OK ? frm->btnOK
            : c.press == Press::Second            ? frm->btnCancel
                                                  : frm->btnExit;
        QTest::mouseClick(b, Qt::LeftButton);
    });

    const QString text = QStringLiteral("当前电脑没有安装以下版本的软件");
    bool r = false;
    switch (c.fn) {
    case Fn::ShowPrompt:
        r = ShowPrompt(text, 1, QStringLiteral("提示信息"));
        break;
    case Fn::AskPrompt:
        r = AskPrompt(text, 1, QStringLiteral("提示信息"));
        break;
    case Fn::ShowPrompt2:
        r = ShowPrompt2(text, 4, QStringLiteral("提示信息"));
        break;
    case Fn::AskPrompt2:
        r = AskPrompt2(text, 4, QStringLiteral("提示信息"));
        break;
    }

    EXPECT_EQ(r, c.result);
    const bool second = c.fn == Fn::ShowPrompt2 || c.fn == Fn::AskPrompt2;
    EXPECT_EQ(seenName,
              second ? QStringLiteral("frmTamryShowMessage2") : QStringLiteral("frmTamryShowMessage"));
    EXPECT_EQ(okLeft, c.okLeft);
    EXPECT_EQ(okTop, 225);
    EXPECT_EQ(secondVisible, c.secondVisible);
    if (c.secondVisible) {
        EXPECT_EQ(secondLeft, 259);
    }

    const QStringList opened = TestEnv::shellOpens();
    EXPECT_EQ(opened.join('\n').contains(QStringLiteral("download/soft")), c.downloadOpened)
        << opened.join('\n').toStdString();

    const QStringList lines = log.lines();
    int closeLines = 0;
    for (const QString& l : lines)
        if (l.startsWith(QStringLiteral("类型：MSG_ERROR，\t记录时间："))
            && l.endsWith(QStringLiteral("，TfrmTamryExamHandPaperConfirm.btnExitClick")))
            ++closeLines;
    EXPECT_EQ(closeLines, c.closeLogLine ? 1 : 0) << lines.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, PromptButtons, ::testing::ValuesIn(kButtonCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StyleCase {
    int style;
    const char* shown;
};

const StyleCase kStyleCases[] = {{1, "lblInfo1"}, {2, "lblInfo2"}, {3, "lblInfo3"}, {4, "edtInfo"},
                                 {0, "edtInfo"},  {5, "edtInfo"},  {-1, "edtInfo"}};

class PromptStyles : public PromptTest, public ::testing::WithParamInterface<StyleCase> { };

TEST_P(PromptStyles, OneTextWidgetShowsTheText)
{
    const StyleCase& c = GetParam();
    const QString text = QStringLiteral("创建系统目录失败: \r\nD:\\StuExamData\\");
    QStringList visible;
    QString shownText, title;
    bool scrollBarOn = false;
    OnNextModal([&](QWidget* w) {
        auto* frm = qobject_cast<TfrmTamryShowMessage*>(w);
        ASSERT_NE(frm, nullptr);
        for (QWidget* x : {static_cast<QWidget*>(frm->lblInfo1), static_cast<QWidget*>(frm->lblInfo2),
                           static_cast<QWidget*>(frm->lblInfo3), static_cast<QWidget*>(frm->edtInfo)})
            if (x->isVisible())
                visible << x->objectName();
        if (auto* l = frm->findChild<QLabel*>(QString::fromLatin1(c.shown)))
            shownText = l->text();
        else {
            shownText = frm->edtInfo->toPlainText();
            scrollBarOn = frm->edtInfo->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                && frm->edtInfo->isReadOnly();
        }
        title = frm->lblTitle->text();
        QTest::mouseClick(frm->btnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(ShowPrompt(text, c.style, QStringLiteral("提示信息")));
    EXPECT_EQ(visible, QStringList{QString::fromLatin1(c.shown)});
    EXPECT_EQ(title, QStringLiteral("提示信息"));
    // The text box shows the line break as a new line.
    EXPECT_EQ(shownText,
              c.shown == std::string("edtInfo")
                  ? QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                  : text);
    if (c.shown == std::string("edtInfo")) {
        EXPECT_TRUE(scrollBarOn);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PromptStyles, ::testing::ValuesIn(kStyleCases), [](const auto& info) {
    const int s = info.param.style;
    return s < 0 ? std::string("style_minus_1") : "style_" + std::to_string(s);
});

TEST_F(PromptTest, ReusedWindowKeepsNothingOfTheLastPrompt)
{
    // A scrolling-box prompt with Cancel, then a label prompt without: the box is
    // empty and hidden, Cancel hidden, OK centred again.
    OnNextModal([](QWidget* w) {
        QTest::mouseClick(static_cast<TfrmTamryShowMessage*>(w)->btnCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(AskPrompt(QStringLiteral("第一条"), 4, QStringLiteral("提示信息")));
    bool boxEmpty = false, cancelHidden = false;
    int okLeft = -1;
    OnNextModal([&](QWidget* w) {
        auto* frm = static_cast<TfrmTamryShowMessage*>(w);
        boxEmpty = frm->edtInfo->toPlainText().isEmpty() && !frm->edtInfo->isVisible();
        cancelHidden = !frm->btnCancel->isVisible();
        okLeft = frm->btnOK->x();
        QTest::keyClick(frm, Qt::Key_Return);
    });
    EXPECT_TRUE(ShowPrompt(QStringLiteral("第二条"), 1, QStringLiteral("提示信息")));
    EXPECT_TRUE(boxEmpty);
    EXPECT_TRUE(cancelHidden);
    EXPECT_EQ(okLeft, 183);
}

TEST_F(PromptTest, PromptInsideAPromptGetsItsOwnWindow)
{
    // A message that arrives while a prompt waits (a timer or window message) shows
    // its own prompt; both answer.
    bool inner = false;
    OnNextModal([&](QWidget* outer) {
        OnNextModal([](QWidget* w) {
            QTest::mouseClick(static_cast<TfrmTamryShowMessage*>(w)->btnOK, Qt::LeftButton);
        });
        inner = ShowPrompt(QStringLiteral("评分失败"), 1, QStringLiteral("提示信息"));
        QTest::mouseClick(static_cast<TfrmTamryShowMessage*>(outer)->btnCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(AskPrompt(QStringLiteral("正在练习，确定要退出吗？"), 1, QStringLiteral("提示信息")));
    EXPECT_TRUE(inner);
}

TEST_F(PromptTest, NoticeClosesAfterCountTimesHalfASecond)
{
    QElapsedTimer t;
    t.start();
    ShowNotice(QStringLiteral("答案已保存"), 3);
    ASSERT_TRUE(frmMessage);
    EXPECT_TRUE(frmMessage->isVisible()); // returns at once, window shown
    EXPECT_LT(t.elapsed(), 400);
    EXPECT_EQ(frmMessage->lblMsg->text(), QStringLiteral("答案已保存"));
    EXPECT_TRUE(frmMessage->lblMsg->alignment() & Qt::AlignHCenter); // short text centred
    ASSERT_TRUE(apptest::WaitFor([] { return !frmMessage->isVisible(); }, 4000));
    const qint64 ms = t.elapsed();
    EXPECT_GE(ms, 1400);
    EXPECT_LE(ms, 2300);
}

TEST_F(PromptTest, NoticeClosesAtOnceOnEnter)
{
    ShowNotice(QStringLiteral("正在保存答案，请稍候。正在保存答案，请稍候。正在保存答案"), 100);
    ASSERT_TRUE(frmMessage && frmMessage->isVisible());
    EXPECT_TRUE(frmMessage->lblMsg->alignment() & Qt::AlignLeft); // long text left-aligned
    QTest::keyClick(frmMessage, Qt::Key_Return);
    EXPECT_FALSE(frmMessage->isVisible());
    EXPECT_FALSE(frmMessage->Timer1->isActive());
}

TEST_F(PromptTest, NoticeLayout)
{
    ShowNotice(QStringLiteral("提示"), 100);
    ASSERT_TRUE(frmMessage);
    EXPECT_EQ(frmMessage->size(), QSize(309, 215));
    EXPECT_EQ(frmMessage->lblMsg->geometry(), QRect(25, 67, 259, 94));
    EXPECT_EQ(frmMessage->btnClose->geometry(), QRect(122, 162, 63, 23));
    EXPECT_EQ(frmMessage->btnClose->text(), QStringLiteral("关闭"));
    EXPECT_TRUE(frmMessage->windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::mouseClick(frmMessage->btnClose, Qt::LeftButton);
    EXPECT_FALSE(frmMessage->isVisible());
}

} // namespace

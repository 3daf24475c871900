// The typing window: layout, colouring, counters, line navigation, the typing result
// and reopening.
#include <gtest/gtest.h>

#include "TypeWordFixtures.h"
#include "question/TQuestion.h"
#include "typing/TypeWordModel.h"
#include "typing/UfrmTypeWord.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using typetest::gbk;
using typetest::rtfOf;

namespace {

const QString kSep = QStringLiteral("!@#$%^&*");

// Three lines: 80 one-byte characters, 80 bytes of Chinese, and a short mixed line.
QString threeLineText()
{
    QString line1;
    for (int i = 0; i < 80; ++i) {
        line1 += QChar(u'a' + i % 26);
    }
    const QString line2 = QString::fromUtf8(
        "春眠不觉晓处处闻啼鸟夜来风雨声花落知多少白日依山尽黄河入海流欲穷千里目更上一层楼");
    const QString line3 = QString::fromUtf8("望明月, low head.");
    return line1 + u'\n' + line2 + u'\n' + line3 + u'\n';
}

class TypeWordWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.QuestionId = 42;
        q.QuestionType = 5;
        q.OperationType = 11;
        q.RemainingTime = 3600;
    }
    void TearDown() override
    {
        if (frmTypeWord) {
            frmTypeWord->close();
        }
        flushDeletes();
        ASSERT_TRUE(frmTypeWord.isNull());
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    TfrmTypeWord* open(const QString& typingText)
    {
        q.TypingText = typingText;
        TfrmTypeWord* w = ShowTypingWindow(&q);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }

    // Types a text key by key into the focused widget.
    static void type(const QString& text)
    {
        for (const QChar ch : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    static void key(Qt::Key k)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, k);
    }

    TQuestion q;
};

TEST_F(TypeWordWindow, LayoutNamesAndFirstTick)
{
    TfrmTypeWord* w = open(rtfOf(threeLineText()));
    ASSERT_EQ(w->LineCount(), 3);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("打字题"));
    EXPECT_EQ(w->size(), QSize(705, 400));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w->Close_btn->text(), QString::fromUtf8("退出"));
    EXPECT_EQ(w->Close_btn->geometry(), QRect(313, 334, 75, 25));
    EXPECT_EQ(w->stat1->height(), 24);
    EXPECT_EQ(w->Panel_Top->height(), 26);
    const QList<QByteArray>& refs = TypeWordReferenceLines();
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        auto* lbl = w->findChild<TTypeLineLabel*>(QStringLiteral("lbl%1").arg(n));
        auto* edt = w->findChild<QLineEdit*>(QStringLiteral("edtredtin%1").arg(n));
        ASSERT_TRUE(lbl && edt);
        EXPECT_EQ(lbl->geometry(), QRect(9, 50 * n - 40, 655, 16));
        EXPECT_EQ(edt->geometry(), QRect(6, 50 * n - 20, 655, 20));
        EXPECT_EQ(lbl->property("tag").toInt(), n);
        EXPECT_EQ(edt->property("tag").toInt(), n);
        EXPECT_EQ(gbk(lbl->text()), refs.at(n - 1));
        EXPECT_TRUE(edt->isEnabled());
    }
    EXPECT_EQ(refs.at(0).size(), 80);
    EXPECT_EQ(refs.at(1).size(), 80);
    EXPECT_EQ(w->pnl1->geometry(), QRect(0, 0, 680, 50 * 3 - 20 + 50));
    const int total = 80 + 40 + 14;
    EXPECT_EQ(w->TotalCount(), total);
    EXPECT_EQ(w->stat1->PanelText(0), QString());
    EXPECT_EQ(w->stat1->PanelText(1), QString::fromUtf8("共有文字134个"));
    EXPECT_EQ(w->stat1->PanelText(2), QString::fromUtf8("输入0个"));
    EXPECT_TRUE(w->tmrChangColor->isActive());
    EXPECT_EQ(w->tmrChangColor->interval(), 1000);

    // Nothing is stored before the first tick; the tick stores the total, three zero
    // counts and one separator per line.
    EXPECT_TRUE(q.GetAnswer().isEmpty());
    QTest::qWait(1150);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("134$#$0$#$0$#$0$#$") + kSep + kSep + kSep);
    EXPECT_FALSE(q.Answered);

    // The context menu of the edits offers copy, cut and paste, all disabled.
    QStringList items;
    for (QAction* a : w->pm1->actions()) {
        items << a->text();
        EXPECT_FALSE(a->isEnabled());
    }
    EXPECT_EQ(items, QString::fromUtf8("复制 剪切 粘贴").split(u' '));
}

TEST_F(TypeWordWindow, WrongCharacterTurnsRedThenCorrectionGreen)
{
    TfrmTypeWord* w = open(rtfOf(QString::fromUtf8("中文abc\n")));
    ASSERT_EQ(w->LineCount(), 1);
    QLineEdit* edt = w->LineEdit(1);
    TTypeLineLabel* lbl = w->LineLabel(1);
    edt->setFocus();
    ASSERT_TRUE(edt->hasFocus());

    const QColor red(255, 0, 0), green(0, 128, 0), black(0, 0, 0);
    type(QString::fromUtf8("申"));
    EXPECT_EQ(lbl->CharColor(0), red);
    EXPECT_EQ(lbl->CharColor(1), black);
    EXPECT_EQ(w->stat1->PanelText(2), QString::fromUtf8("输入1个"));
    EXPECT_EQ(w->stat1->PanelText(3), QString::fromUtf8("正确0个"));
    EXPECT_EQ(w->stat1->PanelText(4), QString::fromUtf8("错误1个"));
    EXPECT_TRUE(q.Answered);

    key(Qt::Key_Backspace);
    EXPECT_EQ(lbl->CharColor(0), black);
    type(QString::fromUtf8("中"));
    EXPECT_EQ(lbl->CharColor(0), green);
    EXPECT_EQ(w->stat1->PanelText(3), QString::fromUtf8("正确1个"));
    EXPECT_EQ(w->stat1->PanelText(4), QString::fromUtf8("错误0个"));
    EXPECT_EQ(q.GetAnswer(), QString::fromUtf8("5$#$1$#$1$#$0$#$中") + kSep);

    // The edit holds at most the byte length of its reference line (7 bytes).
    type(QString::fromUtf8("文abcde"));
    EXPECT_EQ(edt->text(), QString::fromUtf8("中文abc"));
    EXPECT_EQ(q.GetAnswer(), QString::fromUtf8("5$#$5$#$5$#$0$#$中文abc") + kSep);
}

TEST_F(TypeWordWindow, EnterAndBackspaceMoveBetweenLines)
{
    TfrmTypeWord* w = open(rtfOf(threeLineText()));
    ASSERT_EQ(w->LineCount(), 3);
    QLineEdit* e1 = w->LineEdit(1);
    QLineEdit* e2 = w->LineEdit(2);
    QLineEdit* e3 = w->LineEdit(3);
    e1->setFocus();

    type(QStringLiteral("abc"));
    key(Qt::Key_Return); // Enter moves on from a line that is not full
    EXPECT_TRUE(e2->hasFocus());
    EXPECT_EQ(e2->cursorPosition(), 0);
    EXPECT_EQ(e1->text(), QStringLiteral("abc"));

    // Filling line 2 (80 bytes), then one key more: the caret goes to the start of
    // line 3; the key stays with the full line 2.
    const QString line2 = typeword::FromGbk(TypeWordReferenceLines().at(1));
    type(line2);
    EXPECT_TRUE(e2->hasFocus());
    type(QStringLiteral("x"));
    EXPECT_TRUE(e3->hasFocus());
    EXPECT_EQ(e3->cursorPosition(), 0);
    EXPECT_EQ(e2->text(), line2);
    EXPECT_TRUE(e3->text().isEmpty());

    // Backspace at the start of line 3: back to the end of line 2, nothing deleted.
    key(Qt::Key_Backspace);
    EXPECT_TRUE(e2->hasFocus());
    EXPECT_EQ(e2->cursorPosition(), line2.size());
    EXPECT_EQ(e2->text(), line2);

    // Backspace at the start of line 1 and Enter in the last line go nowhere.
    e1->setFocus();
    e1->setCursorPosition(0);
    key(Qt::Key_Backspace);
    EXPECT_TRUE(e1->hasFocus());
    e3->setFocus();
    type(QString::fromUtf8("望"));
    key(Qt::Key_Return);
    EXPECT_TRUE(e3->hasFocus());
    EXPECT_EQ(e3->text(), QString::fromUtf8("望"));
}

TEST_F(TypeWordWindow, BlankReferenceLineIsNeverCounted)
{
    const QString text = QString(80, u'a') + QString(80, u' ') + QStringLiteral("xyz");
    TfrmTypeWord* w = open(text); // not RTF: taken as it is
    ASSERT_EQ(w->LineCount(), 3);
    w->LineEdit(2)->setFocus();
    type(QStringLiteral("zz  zz"));
    EXPECT_EQ(w->stat1->PanelText(2), QString::fromUtf8("输入0个"));
    w->LineEdit(3)->setFocus();
    type(QStringLiteral("xy"));
    w->tmrChangColorTimer();
    EXPECT_EQ(w->stat1->PanelText(2), QString::fromUtf8("输入2个"));
    EXPECT_EQ(q.GetAnswer(),
              QStringLiteral("163$#$2$#$2$#$0$#$") + kSep + QStringLiteral("zz  zz") + kSep
                  + QStringLiteral("xy") + kSep);
}

TEST_F(TypeWordWindow, ClosingAndReopeningKeepsInputAndResult)
{
    TfrmTypeWord* w = open(rtfOf(threeLineText()));
    w->LineEdit(1)->setFocus();
    type(QStringLiteral("abX"));
    w->LineEdit(2)->setFocus();
    type(QString::fromUtf8("春眠不知"));
    w->tmrChangColorTimer();
    const QString result = q.GetAnswer();
    const QStringList panels = {w->stat1->PanelText(1), w->stat1->PanelText(2), w->stat1->PanelText(3),
                                w->stat1->PanelText(4)};
    EXPECT_EQ(result,
              QStringLiteral("134$#$7$#$5$#$2$#$abX") + kSep + QString::fromUtf8("春眠不知") + kSep + kSep);

    QTest::mouseClick(w->Close_btn, Qt::LeftButton);
    EXPECT_FALSE(w->tmrChangColor->isActive());
    EXPECT_TRUE(frmTypeWord.isNull()); // the next start creates a new window
    const QPointer<TfrmTypeWord> closed(w);
    flushDeletes();
    EXPECT_TRUE(closed.isNull()); // freed on close

    TfrmTypeWord* again = open(rtfOf(threeLineText()));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->LineEdit(1)->text(), QStringLiteral("abX"));
    EXPECT_EQ(again->LineEdit(2)->text(), QString::fromUtf8("春眠不知"));
    EXPECT_TRUE(again->LineEdit(3)->text().isEmpty());
    // The caret stands after the last input.
    EXPECT_TRUE(again->LineEdit(2)->hasFocus());
    EXPECT_EQ(again->LineEdit(2)->cursorPosition(), 4);
    again->tmrChangColorTimer();
    EXPECT_EQ(q.GetAnswer(), result);
    EXPECT_EQ(QStringList({again->stat1->PanelText(1), again->stat1->PanelText(2), again->stat1->PanelText(3),
                           again->stat1->PanelText(4)}),
              panels);
    // The focused line is coloured again at the tick.
    EXPECT_EQ(again->LineLabel(2)->Marks(), (QList<bool>{true, true, true, false}));

    // A second start while the window exists keeps the one window.
    EXPECT_EQ(ShowTypingWindow(&q), again);
}

TEST_F(TypeWordWindow, EarlierAnswerWithMorePiecesThanLines)
{
    q.SetAnswer(QStringLiteral("9$#$3$#$3$#$0$#$ab") + kSep + QStringLiteral("cd") + kSep
                + QStringLiteral("ef") + kSep);
    TfrmTypeWord* w = open(QStringLiteral("abc"));
    ASSERT_EQ(w->LineCount(), 1);
    EXPECT_EQ(w->LineEdit(1)->text(), QStringLiteral("ab"));
    w->tmrChangColorTimer();
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("3$#$2$#$2$#$0$#$ab") + kSep);
}

TEST_F(TypeWordWindow, EmptyOrBrokenTypingText)
{
    const struct {
        const char* name;
        QString typingText;
        int lines;
    } cases[] = {
        {"empty", QString(), 0},
        {"rtf_without_text", QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\par}"), 0},
        {"unbalanced_rtf", QStringLiteral("{\\rtf1 {{{\\b abc"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        q.SetAnswer(QString());
        TfrmTypeWord* w = open(c.typingText);
        EXPECT_EQ(w->LineCount(), c.lines);
        if (c.lines == 0) {
            auto* msg = w->findChild<QLabel*>(QStringLiteral("lblNoText"));
            ASSERT_NE(msg, nullptr);
            EXPECT_TRUE(msg->isVisible());
            EXPECT_EQ(q.GetAnswer(), QStringLiteral("0$#$0$#$0$#$0$#$"));
            w->tmrChangColorTimer(); // nothing to do, nothing breaks
            EXPECT_EQ(q.GetAnswer(), QStringLiteral("0$#$0$#$0$#$0$#$"));
        } else {
            EXPECT_EQ(w->LineLabel(1)->text(), QStringLiteral("abc"));
        }
        w->close();
        flushDeletes();
    }
}

// A picture of the window with Chinese text partly typed, some of it wrong. Written
// when TYPEWORD_SHOT_DIR names a folder.
TEST_F(TypeWordWindow, Picture)
{
    const QString dir = qEnvironmentVariable("TYPEWORD_SHOT_DIR");
    if (dir.isEmpty()) {
        GTEST_SKIP() << "TYPEWORD_SHOT_DIR not set";
    }
    TfrmTypeWord* w = open(rtfOf(threeLineText() + QString::fromUtf8("空行之后还有一行。\n")));
    w->LineEdit(1)->setFocus();
    type(QStringLiteral("abcdefgxijklmn"));
    w->LineEdit(2)->setFocus();
    type(QString::fromUtf8("春眠不觉晓处处闻啼鸟夜来风语声花"));
    w->tmrChangColorTimer();
    QDir().mkpath(dir);
    ASSERT_TRUE(w->grab().save(dir + QStringLiteral("/typeword.png")));
    w->close();
    flushDeletes();

    // A long text scrolls; an empty one says so.
    QString longText;
    for (int i = 0; i < 8; ++i) {
        longText += threeLineText();
    }
    q.SetAnswer(QString());
    w = open(rtfOf(longText));
    w->ScrollBox1->verticalScrollBar()->setValue(w->ScrollBox1->verticalScrollBar()->maximum());
    ASSERT_TRUE(w->grab().save(dir + QStringLiteral("/typeword_long.png")));
    w->close();
    flushDeletes();
    w = open(QString());
    ASSERT_TRUE(w->grab().save(dir + QStringLiteral("/typeword_empty.png")));
}

} // namespace

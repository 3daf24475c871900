// The Internet options dialog: the recorded answer text and what the dialog shows.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "common/DelimitedText.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmAddSafeWeb.h"
#include "simulation/ieset/ufrmAddUnSafeWeb.h"
#include "simulation/ieset/ufrmIESet.h"
#include "simulation/ieset/ufrmLanSet.h"
#include "support/ScriptedPrompts.h"

using namespace simtest;

namespace {

const QString kDefaults = QString::fromUtf8(
    ",中,,,,,14,0,0,1,0,0,1,0,0,1,1,1,1,1,1,0,0,0,0,1,1,0,0,0,1,0,1,1,1,1,1,1,0,1,0,0,2,0,1,1,1,1,0,1,"
    "1,0,1,1,0,1,1,0,1,0,1,1,1,1,1,1");

class IESetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 23;
        sim::SetCurrentQuestion(&q);
    }
    void TearDown() override
    {
        delete sim::Ref<TfrmIESet>().data();
        sim::SetCurrentQuestion(nullptr);
    }

    TfrmIESet* open()
    {
        auto* w = qobject_cast<TfrmIESet*>(sim::OpenWindow("TfrmIESet"));
        EXPECT_TRUE(w);
        EXPECT_TRUE(w && w->isVisible());
        return w;
    }
    // Value n (1-based) of the recorded answer text.
    QString value(int n) const { return delimited::Split(q.GetAnswer()).value(n - 1); }

    void studentCheck(TfrmIESet* w, int item, bool checked)
    {
        w->ckHighSet->item(item)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    static bool checked(TfrmIESet* w, int item)
    {
        return w->ckHighSet->item(item)->checkState() == Qt::Checked;
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    TQuestion q;
};

TEST_F(IESetTest, FirstOpenRecordsTheDefaultsEvenWhenCancelled)
{
    TfrmIESet* w = open();
    EXPECT_EQ(q.GetAnswer(), kDefaults);
    EXPECT_EQ(delimited::Split(q.GetAnswer()).size(), 66);
    EXPECT_EQ(w->windowTitle(), QString("Internet 属性"));
    EXPECT_EQ(w->pgIE->currentIndex(), 0);
    EXPECT_FALSE(w->Button3->isEnabled());
    // The Advanced list shows the defaults: "始终 " checked, "从不 "/"悬停 " not.
    EXPECT_TRUE(checked(w, 1));
    EXPECT_FALSE(checked(w, 2));
    EXPECT_TRUE(checked(w, 41));
    EXPECT_FALSE(checked(w, 40));
    EXPECT_FALSE(checked(w, 42));
    w->btClose->click();
    EXPECT_EQ(q.GetAnswer(), kDefaults);
}

TEST_F(IESetTest, SecuritySliderRecordsTheLevel)
{
    const struct {
        int position;
        const char* level;
    } cases[] = {{0, "高"}, {1, "中"}, {2, "中低"}, {3, "低"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        q.SetAnswer(QString());
        TfrmIESet* w = open();
        w->pgIE->setCurrentIndex(1);
        w->TrackBar1->setValue(c.position == 1 ? 0 : c.position);
        w->TrackBar1->setValue(c.position);
        EXPECT_EQ(w->lblStep->text(), QString("安全级 - ") + QString::fromUtf8(c.level));
        w->btOK->click();
        EXPECT_EQ(value(2), QString::fromUtf8(c.level));
    }
}

TEST_F(IESetTest, SliderAtTheBottomWithKeyboardRecordsLow)
{
    TfrmIESet* w = open();
    w->pgIE->setCurrentIndex(1);
    w->TrackBar1->setFocus();
    QTest::keyClick(w->TrackBar1, Qt::Key_End);
    w->btOK->click();
    EXPECT_EQ(value(2), QString("低"));
}

TEST_F(IESetTest, UnderlineChoicesBehaveAsOneGroup)
{
    const struct {
        int item;
        bool check;
        const char* recorded;
        bool c40, c41, c42;
    } cases[] = {
        {42, true, "3", false, false, true}, // "悬停 "
        {40, true, "1", true, false, false}, // "从不 "
        {41, false, "2", false, false, false}, // clearing the checked one leaves none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        q.SetAnswer(QString());
        TfrmIESet* w = open();
        studentCheck(w, c.item, c.check);
        EXPECT_EQ(checked(w, 40), c.c40);
        EXPECT_EQ(checked(w, 41), c.c41);
        EXPECT_EQ(checked(w, 42), c.c42);
        w->btOK->click();
        EXPECT_EQ(value(43), QString(c.recorded));
    }
}

TEST_F(IESetTest, AdvancedOptionRecordsItsSetting)
{
    TfrmIESet* w = open();
    studentCheck(w, 4, true); // 不将加密的页面存入硬盘: setting 13 = value 12
    studentCheck(w, 66, false); // 总是以 UTF-8 发送 URL: setting 67 = value 66
    w->Button3->setEnabled(true);
    w->Button3->click();
    EXPECT_FALSE(w->Button3->isEnabled());
    EXPECT_EQ(value(12), QString("1"));
    EXPECT_EQ(value(66), QString("0"));
}

TEST_F(IESetTest, SitesAreJoinedWithHash)
{
    const struct {
        bool trusted;
        int value;
    } cases[] = {{true, 4}, {false, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        q.SetAnswer(QString());
        TfrmIESet* w = open();
        w->pgIE->setCurrentIndex(1);
        if (!c.trusted)
            click(w->lblUnSafeIE);
        EXPECT_EQ(w->TrustedZoneSelected, c.trusted);
        whenVisible(
            [&]() -> QWidget* {
                return c.trusted ? static_cast<QWidget*>(sim::Ref<TfrmAddSafeWeb>().data())
                                 : static_cast<QWidget*>(sim::Ref<TfrmAddUnSafeWeb>().data());
            },
            [](QWidget* dlg) {
                auto* s = static_cast<TWebZoneSites*>(dlg);
                for (const char* site : {"alpha", "  ", "beta", "ALPHA"}) {
                    s->txtWeb->setText(site);
                    s->btAdd->click();
                }
                s->btOK->click();
            });
        w->btSetWeb->click();
        w->btOK->click();
        EXPECT_EQ(value(c.value), QString("alpha#beta"));
    }
}

TEST_F(IESetTest, LocalAddressBoxRecordsAtOnceEvenWhenLanDialogIsCancelled)
{
    TfrmIESet* w = open();
    whenVisible([] { return static_cast<QWidget*>(sim::Ref<TfrmLanSet>().data()); },
                [](QWidget* dlg) {
                    auto* lan = static_cast<TfrmLanSet*>(dlg);
                    lan->txtIP->setText("10.0.0.1");
                    click(lan->ckDL);
                    lan->btCancel->click();
                });
    w->btLanSet->click();
    EXPECT_TRUE(sim::Ref<TfrmLanSet>().isNull());
    w->btOK->click();
    EXPECT_EQ(value(11), QString("True"));
    EXPECT_EQ(value(3), QString()); // the address needs "确定"
}

TEST_F(IESetTest, CancelKeepsTheLastSavedText)
{
    TfrmIESet* w = open();
    w->txtAddDefault->setText("http://first.example/");
    w->pgIE->setCurrentIndex(2);
    ASSERT_TRUE(w->Button3->isEnabled());
    w->Button3->click();
    const QString saved = q.GetAnswer();
    EXPECT_EQ(value(1), QString("http://first.example/"));
    w->txtAddDefault->setText("http://second.example/");
    w->TrackBar1->setValue(3);
    w->btClose->click();
    EXPECT_EQ(q.GetAnswer(), saved);
}

TEST_F(IESetTest, ReopeningShowsEverythingAsSaved)
{
    TfrmIESet* w = open();
    w->txtAddDefault->setText("  http://home.example/ ");
    w->txtHistoryDay->setValue(20);
    w->TrackBar1->setValue(0);
    studentCheck(w, 2, true);
    studentCheck(w, 1, false);
    studentCheck(w, 40, true);
    whenVisible([] { return static_cast<QWidget*>(sim::Ref<TfrmLanSet>().data()); },
                [](QWidget* dlg) {
                    auto* lan = static_cast<TfrmLanSet*>(dlg);
                    lan->txtIP->setText(" 192.168.0.9 ");
                    lan->txtPort->setText("8080");
                    lan->btOK->click();
                });
    w->btLanSet->click();
    whenVisible([] { return static_cast<QWidget*>(sim::Ref<TfrmAddSafeWeb>().data()); },
                [](QWidget* dlg) {
                    auto* s = static_cast<TWebZoneSites*>(dlg);
                    s->txtWeb->setText("a b");
                    s->btAdd->click();
                    s->txtWeb->setText("c");
                    s->btAdd->click();
                    s->btOK->click();
                });
    w->btSetWeb->click();
    w->btOK->click();
    EXPECT_EQ(value(1), QString("http://home.example/"));
    EXPECT_EQ(value(4), QString("\"a b\"#c"));
    EXPECT_EQ(value(8), QString("20"));

    w = open();
    EXPECT_EQ(w->txtAddDefault->text(), QString("http://home.example/"));
    EXPECT_EQ(w->txtHistoryDay->value(), 20);
    EXPECT_EQ(w->TrackBar1->value(), 0);
    EXPECT_EQ(w->lblStep->text(), QString("安全级 - 高"));
    EXPECT_TRUE(checked(w, 2));
    EXPECT_FALSE(checked(w, 1));
    EXPECT_TRUE(checked(w, 40));
    EXPECT_FALSE(checked(w, 41));
    EXPECT_TRUE(checked(w, 66));
    QStringList shownSites;
    whenVisible([] { return static_cast<QWidget*>(sim::Ref<TfrmAddSafeWeb>().data()); },
                [&](QWidget* dlg) {
                    auto* s = static_cast<TWebZoneSites*>(dlg);
                    for (int i = 0; i < s->lbWebList->count(); ++i)
                        shownSites << s->lbWebList->item(i)->text();
                    s->btCancel->click();
                });
    w->btSetWeb->click();
    EXPECT_EQ(shownSites, (QStringList{"a b", "c"}));
    QString ip, port;
    whenVisible([] { return static_cast<QWidget*>(sim::Ref<TfrmLanSet>().data()); },
                [&](QWidget* dlg) {
                    auto* lan = static_cast<TfrmLanSet*>(dlg);
                    ip = lan->txtIP->text();
                    port = lan->txtPort->text();
                    lan->btCancel->click();
                });
    w->btLanSet->click();
    EXPECT_EQ(ip, QString("192.168.0.9"));
    EXPECT_EQ(port, QString("8080"));
}

TEST_F(IESetTest, ShortOrOddSavedTextIsCompletedWithEmptyValues)
{
    q.SetAnswer("x,自定义,,,,,14,abc");
    TfrmIESet* w = open();
    EXPECT_EQ(w->txtHistoryDay->value(), 0);
    EXPECT_EQ(w->lblStep->text(), QString());
    w->btOK->click();
    const QStringList v = delimited::Split(q.GetAnswer());
    ASSERT_EQ(v.size(), 66);
    EXPECT_EQ(v[0], QString("x"));
    EXPECT_EQ(v[1], QString("自定义"));
    EXPECT_EQ(v[7], QString("abc"));
    EXPECT_EQ(v[65], QString());
}

TEST_F(IESetTest, HomePageButtons)
{
    pravik::test::ScopedPrompts prompts;
    TfrmIESet* w = open();
    w->btCurrently->click();
    EXPECT_FALSE(w->btCurrently->isEnabled());
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].text, QString("设置成功!"));
    w->btBlank->click();
    EXPECT_TRUE(w->btCurrently->isEnabled());
    EXPECT_EQ(w->txtAddDefault->text(), QString("about:blank"));
    w->btOK->click();
    EXPECT_EQ(value(1), QString("about:blank"));
}

// In a desktop of another type the dialog leaves that question's answer text alone.
TEST_F(IESetTest, OtherQuestionTypesKeepTheirAnswerText)
{
    for (int type : {4, 19, 22, 26}) {
        SCOPED_TRACE(type);
        q.OperationType = type;
        q.SetAnswer("192.168.0.20,255.255.255.0,192.168.0.1,...,...");
        TfrmIESet* w = open();
        ASSERT_TRUE(w);
        click(w->btOK);
        delete sim::Ref<TfrmIESet>().data();
        EXPECT_EQ(q.GetAnswer(), QStringLiteral("192.168.0.20,255.255.255.0,192.168.0.1,...,..."));
    }
}

} // namespace

// The network connection windows: the IP address edit, the protocol dialog's answer
// text and what it shows, and the openers that keep older windows.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/network/TIPAddressEdit.h"
#include "simulation/network/ufrmIP.h"
#include "simulation/network/ufrmIPProperty.h"
#include "simulation/network/ufrmIPSet.h"

using namespace simtest;

namespace {

int g_beeps = 0;

void clickRadio(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

TEST(IPAddressEdit, SetTextTakesThePartsInTurn)
{
    struct Row {
        const char* name;
        const char* in;
        const char* shown;
    };
    const Row rows[] = {
        {"empty part kept", "1.2..4", "1.2..4"},
        {"four characters show 0", "1234", "0..."},
        {"above 255", "300", "255..."},
        {"design text", "...", "..."},
        {"empty", "", "..."},
        {"more parts than four", "1.2.3.4.5", "1.2.3.4"},
        {"non-digits", "a.1.b.2", ".1..2"},
        {"full", "192.168.0.20", "192.168.0.20"},
    };
    TIPAddressEdit e;
    for (const Row& r : rows) {
        e.SetText(QString::fromLatin1(r.in));
        EXPECT_EQ(e.Text(), QString::fromLatin1(r.shown)) << r.name;
    }
}

TEST(IPAddressEdit, TypingAcceptsDigitsOnlyAndClampsWithABeep)
{
    g_beeps = 0;
    auto saved = TIPAddressEdit::Beep;
    TIPAddressEdit::Beep = [] { ++g_beeps; };
    TIPAddressEdit e;
    e.show();
    e.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
    e.Part(0)->setFocus();
    // Typed into whichever part has the focus: three digits or "." move on.
    for (QChar c : QStringLiteral("1x92168.0.300"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    EXPECT_EQ(e.Text(), QStringLiteral("192.168.0.255"));
    EXPECT_EQ(g_beeps, 1);
    TIPAddressEdit::Beep = saved;
}

class IPTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 19;
        sim::SetCurrentQuestion(&q);
        sim::SetOpType(0);
    }
    void TearDown() override
    {
        for (QWidget* w : created)
            delete w;
        delete sim::Ref<TfrmIP>().data();
        sim::SetCurrentQuestion(nullptr);
        sim::SetOpType(0);
    }
    TfrmIPSet* openSet()
    {
        auto* w = qobject_cast<TfrmIPSet*>(sim::OpenWindow("TfrmIPSet"));
        EXPECT_TRUE(w && w->isVisible());
        created << w;
        return w;
    }
    static void type(TIPAddressEdit* f, const QString& text)
    {
        f->SetText(QString());
        // Part by part as typed; the edit moves on after three digits or ".".
        const QStringList parts = text.split('.');
        for (int i = 0; i < 4; ++i)
            QTest::keyClicks(f->Part(i), parts.value(i));
    }
    TQuestion q;
    QList<QPointer<QWidget>> created;
};

TEST_F(IPTest, OkRecordsTheFiveAddressesAndReopeningShowsThem)
{
    TfrmIPSet* w = openSet();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w->Field(i)->Text(), QStringLiteral("..."));
    type(w->edtIP, "192.168.0.20");
    type(w->edtMask, "255.255.255.0");
    type(w->edtGateway, "192.168.0.1");
    type(w->edtDNS, "192.168.0.1");
    EXPECT_EQ(q.GetAnswer(), QString()); // only "确定" records
    QTest::mouseClick(w->btOK, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("192.168.0.20,255.255.255.0,192.168.0.1,192.168.0.1,..."));

    TfrmIPSet* again = openSet();
    EXPECT_NE(again, w);
    EXPECT_EQ(again->edtGateway->Text(), QStringLiteral("192.168.0.1"));
    EXPECT_TRUE(again->rbManualIP->isChecked());
    EXPECT_TRUE(again->rbManualDNS->isChecked());
    // Cancel records nothing.
    type(again->edtIP, "10.0.0.1");
    QTest::mouseClick(again->btCancel, Qt::LeftButton);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("192.168.0.20,255.255.255.0,192.168.0.1,192.168.0.1,..."));
}

TEST_F(IPTest, AutomaticAddressRecordsEmptiedFields)
{
    q.SetAnswer("1.1.1.1,2.2.2.2,3.3.3.3,4.4.4.4,5.5.5.5");
    TfrmIPSet* w = openSet();
    EXPECT_EQ(w->edtIP->Text(), QStringLiteral("1.1.1.1"));
    clickRadio(w->rbAutoIP);
    EXPECT_FALSE(w->edtIP->isEnabled());
    EXPECT_FALSE(w->rbManualIP->isChecked());
    EXPECT_FALSE(w->rbAutoDNS->isEnabled());
    clickRadio(w->rbManualIP); // enabled again, texts not restored
    EXPECT_TRUE(w->edtMask->isEnabled());
    EXPECT_EQ(w->edtMask->Text(), QStringLiteral("..."));
    clickRadio(w->rbAutoIP);
    QTest::keyClick(w, Qt::Key_Return); // "确定" is the default button
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("...,...,...,4.4.4.4,5.5.5.5"));
}

TEST_F(IPTest, RestoreNeedsExactlyFiveValuesAndModeOneShowsZeros)
{
    struct Row {
        const char* name;
        int opType;
        const char* answer;
        const char* ipShown;
    };
    const Row rows[] = {
        {"mode 0, no answer", 0, "", "..."},
        {"mode 1, no answer", 1, "", "0.0.0.0"},
        {"IIS answer ignored", 1, ",,True,,,True,,x,,True,True,True,True,True", "0.0.0.0"},
        {"four values ignored", 0, "1.1.1.1,2.2.2.2,3.3.3.3,4.4.4.4", "..."},
        {"five values", 1, "9.9.9.9,,,,", "9.9.9.9"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        sim::SetOpType(r.opType);
        q.SetAnswer(QString::fromUtf8(r.answer));
        TfrmIPSet* w = openSet();
        EXPECT_EQ(w->edtIP->Text(), QString::fromLatin1(r.ipShown));
        if (r.opType == 1 && QString::fromUtf8(r.answer).isEmpty()) {
            EXPECT_EQ(w->edtDNS2->Text(), QStringLiteral("0.0.0.0"));
        }
        w->close();
    }
}

TEST_F(IPTest, OtherQuestionTypesKeepTheirAnswerText)
{
    q.OperationType = 4;
    q.SetAnswer(",,True,,,True,,纯脚本,,True,True,True,True,True");
    TfrmIPSet* w = openSet();
    EXPECT_EQ(w->edtIP->Text(), QStringLiteral("..."));
    type(w->edtIP, "1.2.3.4");
    QTest::mouseClick(w->btOK, Qt::LeftButton);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral(",,True,,,True,,纯脚本,,True,True,True,True,True"));
}

TEST_F(IPTest, PropertiesOpenTheProtocolOnlyForTheThirdEntry)
{
    auto* ip = qobject_cast<TfrmIP*>(sim::OpenWindow("TfrmIP"));
    ASSERT_TRUE(ip);
    EXPECT_EQ(ip->lblLocalConnection->geometry(), QRect(216, 80, 217, 57));
    QTest::mouseDClick(ip->lblLocalConnection, Qt::LeftButton);
    auto* prop = sim::Ref<TfrmIPProperty>().data();
    ASSERT_TRUE(prop && prop->isVisible());
    created << prop;
    // A second opening keeps the first window and makes the new one current.
    ip->lblLocalConnectionDblClick();
    auto* prop2 = sim::Ref<TfrmIPProperty>().data();
    created << prop2;
    EXPECT_NE(prop2, prop);
    EXPECT_TRUE(prop->isVisible());

    prop2->lvComponents->setCurrentItem(prop2->lvComponents->topLevelItem(0));
    QTest::mouseClick(prop2->btProperty, Qt::LeftButton);
    EXPECT_TRUE(sim::Ref<TfrmIPSet>().isNull());
    prop2->lvComponents->setCurrentItem(prop2->lvComponents->topLevelItem(2));
    QTest::mouseClick(prop2->btProperty, Qt::LeftButton);
    ASSERT_TRUE(sim::Ref<TfrmIPSet>());
    created << sim::Ref<TfrmIPSet>().data();
    // Escape closes nothing; "确定" only hides.
    QTest::keyClick(prop2, Qt::Key_Escape);
    EXPECT_TRUE(prop2->isVisible());
    QTest::mouseClick(prop2->btOK, Qt::LeftButton);
    EXPECT_FALSE(prop2->isVisible());
    EXPECT_TRUE(sim::Ref<TfrmIPProperty>());
    // A new connections window replaces the old one.
    QPointer<TfrmIP> old = ip;
    sim::OpenWindow("TfrmIP");
    EXPECT_TRUE(old.isNull());
}

// The desktop destroys every properties window with it.
TEST_F(IPTest, DesktopOwnsThePropertiesWindows)
{
    auto* desk = new TfrmOperationMain;
    sim::Ref<TfrmOperationMain>() = desk;
    desk->SetOperation(0);
    desk->show();
    desk->OpenNetworkConnections();
    QPointer<QWidget> ip = sim::Ref<TfrmIP>().data();
    ASSERT_TRUE(ip);
    QPointer<QWidget> p1 = sim::OpenWindow("TfrmIPProperty");
    QPointer<QWidget> s1 = sim::OpenWindow("TfrmIPSet");
    EXPECT_EQ(desk->OwnedWindows.size(), 2);
    desk->tmrRefreshTimer();
    EXPECT_FALSE(desk->btClose->isEnabled());
    ip->close();
    p1->close();
    s1->close();
    desk->tmrRefreshTimer();
    EXPECT_TRUE(desk->btClose->isEnabled());
    delete desk;
    EXPECT_TRUE(p1.isNull());
    EXPECT_TRUE(s1.isNull());
}

} // namespace

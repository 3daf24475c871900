// The add-printer wizard: the hot spots of its pages where the pictures show their
// buttons, the two validation messages, and slot 26 recorded by the printers-and-faxes
// window from the printer chosen in the process.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/controlpanel/ufrmAddPrint.h"
#include "simulation/desktop/SimWindows.h"

using namespace simtest;

namespace {

class PrinterWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = 26;
        sim::SetCurrentQuestion(&q);
        addprint::ChosenPrinter().clear(); // as in a fresh process
    }
    void TearDown() override
    {
        sim::CloseOperationWindows();
        sim::SetCurrentQuestion(nullptr);
    }

    template <class T> static T* page()
    {
        T* w = sim::Ref<T>().data();
        return (w && w->isVisible()) ? w : nullptr;
    }
    static void click(QWidget* spot) { QTest::mouseClick(spot, Qt::LeftButton); }

    // Clicks `spot`, answers the message box that it brings up and returns its text.
    static QString clickForMessage(QWidget* spot)
    {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenVisible([] { return QApplication::activeModalWidget(); },
                    [&](QWidget* w) {
                        if (auto* box = qobject_cast<QMessageBox*>(w)) {
                            text = box->text();
                            title = box->windowTitle();
                            icon = box->icon();
                        }
                        w->close();
                    });
        click(spot);
        EXPECT_EQ(title, QStringLiteral("添加打印机向导"));
        EXPECT_EQ(icon, QMessageBox::Critical);
        return text;
    }

    static QTreeWidgetItem* node(QTreeWidget* tree, const QString& text)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->text(0) == text)
                return *it;
        return nullptr;
    }

    // From the printers window to the browse page by the network option.
    TfrmRegPrint5* toBrowsePage()
    {
        auto* printers = qobject_cast<TfrmAddPrint*>(sim::OpenWindow(QStringLiteral("TfrmAddPrint")));
        EXPECT_TRUE(printers);
        click(printers->lblAddPrinter);
        EXPECT_TRUE(printers->isVisible());
        click(page<TfrmNewRegPrint>()->lblNext);
        EXPECT_FALSE(page<TfrmNewRegPrint>());
        TfrmRegPrint2* type = page<TfrmRegPrint2>();
        click(type->lblNetwork);
        EXPECT_TRUE(type->img1->isVisible());
        EXPECT_FALSE(type->img2->isVisible());
        click(type->lblNext);
        TfrmRegPrint4* specify = page<TfrmRegPrint4>();
        EXPECT_TRUE(specify);
        click(specify->lblNext);
        return page<TfrmRegPrint5>();
    }

    void finish(TfrmRegPrint5* browse)
    {
        click(browse->lblNext);
        TfrmRegPrint6* confirm = page<TfrmRegPrint6>();
        ASSERT_TRUE(confirm);
        EXPECT_EQ(confirm->size(), QSize(785, 117));
        click(confirm->lblYes);
        TfrmRegPrintSuccess* done = page<TfrmRegPrintSuccess>();
        ASSERT_TRUE(done);
        click(done->lblFinish);
        EXPECT_FALSE(page<TfrmRegPrintSuccess>());
        EXPECT_FALSE(page<TfrmAddPrint>());
        EXPECT_TRUE(page<TfrmRegPrintOK>());
    }

    TQuestion q;
};

TEST_F(PrinterWizardTest, NetworkPrinterChosenInTheTreeRecordsOne)
{
    TfrmRegPrint5* browse = toBrowsePage();
    ASSERT_TRUE(browse);
    EXPECT_EQ(browse->size(), QSize(501, 366));
    EXPECT_TRUE(browse->windowFlags() & Qt::FramelessWindowHint);
    // The tree is fully expanded: the network, its two computers, the printer.
    QTreeWidgetItem* printer = node(browse->tv1, QStringLiteral("Canon iP2700 series"));
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->parent()->text(0), QStringLiteral("192.168.0.189"));
    EXPECT_EQ(printer->parent()->parent()->text(0), QStringLiteral("Microsoft Windows Network"));
    EXPECT_EQ(printer->parent()->parent()->childCount(), 2);
    EXPECT_TRUE(printer->parent()->isExpanded());
    browse->tv1->setCurrentItem(printer);
    EXPECT_EQ(browse->edt1->text(), QStringLiteral("\\\\192.168.0.189\\Canon iP2700 series"));
    EXPECT_EQ(addprint::ChosenPrinter(), browse->edt1->text());
    finish(browse);
    EXPECT_EQ(q.OpAnswer(26), QStringLiteral("1"));
}

TEST_F(PrinterWizardTest, TypedNameCompletesButRecordsZero)
{
    TfrmRegPrint5* browse = toBrowsePage();
    ASSERT_TRUE(browse);
    browse->tv1->setCurrentItem(browse->tv1->topLevelItem(0)->child(0)); // the computer
    EXPECT_TRUE(browse->edt1->text().isEmpty());
    EXPECT_EQ(clickForMessage(browse->lblNext), QStringLiteral("您需要指定一个有效的网络打印机名"));
    EXPECT_TRUE(page<TfrmRegPrint5>());
    QTest::keyClicks(browse->edt1, QStringLiteral("\\\\server\\printer"));
    finish(browse);
    EXPECT_EQ(q.OpAnswer(26), QStringLiteral("0"));
}

// Once chosen, the printer stays chosen for the process, also after another node was
// selected and in a later question.
TEST_F(PrinterWizardTest, ChosenPrinterSticksAfterAReselection)
{
    TfrmRegPrint5* browse = toBrowsePage();
    ASSERT_TRUE(browse);
    browse->tv1->setCurrentItem(node(browse->tv1, QStringLiteral("Canon iP2700 series")));
    browse->tv1->setCurrentItem(node(browse->tv1, QStringLiteral("192.168.0.189")));
    EXPECT_TRUE(browse->edt1->text().isEmpty());
    click(browse->lblCancel);
    EXPECT_FALSE(page<TfrmRegPrint5>());

    TQuestion later;
    sim::SetCurrentQuestion(&later);
    sim::DestroyWindow(QStringLiteral("TfrmAddPrint"));
    browse = toBrowsePage();
    ASSERT_TRUE(browse);
    QTest::keyClicks(browse->edt1, QStringLiteral("x"));
    finish(browse);
    EXPECT_EQ(later.OpAnswer(26), QStringLiteral("1"));
    sim::SetCurrentQuestion(&q);
}

TEST_F(PrinterWizardTest, LocalOptionLeadsToThePageWithoutAWayForward)
{
    auto* printers = qobject_cast<TfrmAddPrint*>(sim::OpenWindow(QStringLiteral("TfrmAddPrint")));
    ASSERT_TRUE(printers);
    EXPECT_EQ(printers->windowTitle(), QStringLiteral("打印机"));
    EXPECT_EQ(printers->lblAddPrinter->geometry(), QRect(16, 120, 185, 33));
    click(printers->lblAddPrinter);
    click(page<TfrmNewRegPrint>()->lblNext);
    TfrmRegPrint2* type = page<TfrmRegPrint2>();
    ASSERT_TRUE(type);
    EXPECT_TRUE(type->img2->isVisible()); // the local option at first
    click(type->lblNext);
    TfrmRegPrint3* local = page<TfrmRegPrint3>();
    ASSERT_TRUE(local);
    click(local->lblBack);
    type = page<TfrmRegPrint2>();
    ASSERT_TRUE(type);
    click(type->lblNetwork);
    click(type->lblLocal);
    click(type->lblNext);
    ASSERT_TRUE(page<TfrmRegPrint3>());
    click(page<TfrmRegPrint3>()->lblCancel);
    EXPECT_FALSE(page<TfrmRegPrint3>());
    EXPECT_TRUE(printers->isVisible());
    EXPECT_TRUE(q.OpAnswer(26).isEmpty());
}

TEST_F(PrinterWizardTest, SpecifyPageEnablesItsEditsAndRefusesTheAddressOption)
{
    auto* printers = qobject_cast<TfrmAddPrint*>(sim::OpenWindow(QStringLiteral("TfrmAddPrint")));
    click(printers->lblAddPrinter);
    click(page<TfrmNewRegPrint>()->lblNext);
    click(page<TfrmRegPrint2>()->lblNetwork);
    click(page<TfrmRegPrint2>()->lblNext);
    TfrmRegPrint4* w = page<TfrmRegPrint4>();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->rb1->isChecked());
    EXPECT_EQ(w->rb1->pos(), QPoint(46, 120));
    EXPECT_EQ(w->rb3->pos(), QPoint(46, 211));
    EXPECT_EQ(w->edt1->geometry(), QRect(100, 168, 203, 21));
    EXPECT_EQ(w->edt2->geometry(), QRect(100, 237, 203, 21));
    struct Case {
        QRadioButton* rb;
        bool name, address;
    };
    const Case cases[] = {{w->rb2, true, false}, {w->rb3, false, true}, {w->rb1, false, false}};
    for (const Case& c : cases) {
        QTest::mouseClick(c.rb, Qt::LeftButton, {}, QPoint(6, 9));
        EXPECT_TRUE(c.rb->isChecked());
        EXPECT_EQ(w->edt1->isEnabled(), c.name);
        EXPECT_EQ(w->edt2->isEnabled(), c.address);
    }
    QTest::mouseClick(w->rb3, Qt::LeftButton, {}, QPoint(6, 9));
    EXPECT_EQ(clickForMessage(w->lblNext), QStringLiteral("需要指定一个有效的打印机地址(URL)"));
    EXPECT_TRUE(page<TfrmRegPrint4>());
    EXPECT_FALSE(page<TfrmRegPrint5>());
    click(w->lblBack);
    EXPECT_TRUE(page<TfrmRegPrint2>());
    EXPECT_FALSE(page<TfrmRegPrint4>());
}

TEST_F(PrinterWizardTest, HotSpotsLieOverThePictureButtons)
{
    struct Case {
        const char* cls;
        const char* spot;
        QRect rect;
    };
    const Case cases[] = {
        {"TfrmNewRegPrint", "lblNext", QRect(328, 328, 81, 33)},
        {"TfrmNewRegPrint", "lblCancel", QRect(412, 328, 81, 33)},
        {"TfrmRegPrint2", "lblLocal", QRect(32, 112, 33, 25)},
        {"TfrmRegPrint2", "lblNetwork", QRect(40, 144, 265, 33)},
        {"TfrmRegPrint2", "lblNext", QRect(328, 328, 81, 37)},
        {"TfrmRegPrint2", "lblCancel", QRect(414, 329, 81, 37)},
        {"TfrmRegPrint2", "lblBack", QRect(246, 329, 81, 37)},
        {"TfrmRegPrint3", "lblCancel", QRect(408, 328, 89, 33)},
        {"TfrmRegPrint3", "lblBack", QRect(244, 329, 89, 33)},
        {"TfrmRegPrint4", "lblNext", QRect(328, 328, 81, 33)},
        {"TfrmRegPrint4", "lblCancel", QRect(413, 330, 81, 33)},
        {"TfrmRegPrint4", "lblBack", QRect(249, 330, 81, 33)},
        {"TfrmRegPrint5", "lblNext", QRect(328, 328, 81, 33)},
        {"TfrmRegPrint5", "lblBack", QRect(248, 330, 81, 33)},
        {"TfrmRegPrint5", "lblCancel", QRect(412, 329, 81, 33)},
        {"TfrmRegPrint6", "lblYes", QRect(312, 77, 81, 33)},
        {"TfrmRegPrint6", "lblNo", QRect(395, 76, 81, 33)},
        {"TfrmRegPrintSuccess", "lblFinish", QRect(328, 328, 81, 33)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cls) + "." + c.spot);
        QWidget* w = sim::OpenWindow(QString::fromLatin1(c.cls));
        ASSERT_TRUE(w);
        auto* spot = w->findChild<QWidget*>(QString::fromLatin1(c.spot));
        ASSERT_TRUE(spot);
        EXPECT_EQ(spot->geometry(), c.rect);
    }
}

TEST_F(PrinterWizardTest, ConfirmationNoAndWelcomeCancelCloseOnlyThemselves)
{
    auto* confirm = qobject_cast<TfrmRegPrint6*>(sim::OpenWindow(QStringLiteral("TfrmRegPrint6")));
    ASSERT_TRUE(confirm);
    click(confirm->lblNo);
    EXPECT_FALSE(confirm->isVisible());
    EXPECT_FALSE(page<TfrmRegPrintSuccess>());
    auto* welcome = qobject_cast<TfrmNewRegPrint*>(sim::OpenWindow(QStringLiteral("TfrmNewRegPrint")));
    click(welcome->lblCancel);
    EXPECT_FALSE(welcome->isVisible());
    EXPECT_FALSE(page<TfrmRegPrint2>());
}

} // namespace

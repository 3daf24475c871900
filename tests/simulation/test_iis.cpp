// The IIS manager: the answer text it records, the wizard, the properties dialog and
// its sub-dialogs, and the type guard of the answer text.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "scoring/AnswerArchive.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/iis/IISSettings.h"
#include "simulation/iis/ufrmIIS.h"
#include "simulation/iis/ufrmIISAppConfig.h"
#include "simulation/iis/ufrmIISGuide.h"
#include "simulation/iis/ufrmIISProperty.h"
#include "simulation/iis/ufrmIdentityValidate.h"
#include "support/ScriptedPrompts.h"

using namespace simtest;

namespace {

const QString kDefaults = QString::fromUtf8(",,True,,,True,,纯脚本,,True,True,True,True,True");

class IISTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        q.OperationType = iis::OperationType;
        sim::SetCurrentQuestion(&q);
    }
    void TearDown() override
    {
        delete sim::Ref<TfrmIIS>().data();
        sim::SetCurrentQuestion(nullptr);
    }

    TfrmIIS* open()
    {
        auto* w = qobject_cast<TfrmIIS*>(sim::OpenWindow("TfrmIIS"));
        EXPECT_TRUE(w && w->isVisible());
        return w;
    }
    void closeManager(TfrmIIS* w)
    {
        w->close();
        EXPECT_TRUE(QTest::qWaitFor([] { return sim::Ref<TfrmIIS>().isNull(); }));
    }
    static void click(QPushButton* b)
    {
        ASSERT_TRUE(b->isEnabled()) << b->text().toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // Runs the wizard as a student: alias, path, rights, then "完成" (or "取消" on
    // page `cancelOnPage`).
    void runWizard(TfrmIIS* w, const QString& alias, const QString& path, bool read, bool write, bool browse,
                   int cancelOnPage = 0)
    {
        w->tvIIS->setCurrentItem(w->DefaultWebNode());
        bool ran = false;
        whenVisible([] { return sim::Ref<TfrmIISGuide>().data(); },
                    [&](QWidget* g) {
                        auto* guide = static_cast<TfrmIISGuide*>(g);
                        ran = true;
                        auto step = [&](int page) {
                            if (cancelOnPage == page) {
                                click(guide->btCancel);
                                return false;
                            }
                            return true;
                        };
                        EXPECT_EQ(guide->Page(), 1);
                        if (!step(1))
                            return;
                        click(guide->btNext);
                        EXPECT_FALSE(guide->btNext->isEnabled()); // no alias yet
                        QTest::keyClicks(guide->txtAlias, alias);
                        if (!step(2))
                            return;
                        click(guide->btNext);
                        QTest::keyClicks(guide->txtPath, path);
                        if (!step(3))
                            return;
                        click(guide->btNext);
                        guide->ckRead->setChecked(read);
                        guide->ckWrite->setChecked(write);
                        guide->ckBrowse->setChecked(browse);
                        if (!step(4))
                            return;
                        click(guide->btNext);
                        EXPECT_EQ(guide->Page(), 5);
                        EXPECT_FALSE(guide->btCancel->isEnabled());
                        EXPECT_FALSE(guide->btBack->isEnabled());
                        EXPECT_EQ(guide->btNext->text(), QStringLiteral("完成"));
                        click(guide->btNext);
                    });
        w->NewVirtualDirectoryClick();
        EXPECT_TRUE(ran);
        EXPECT_TRUE(sim::Ref<TfrmIISGuide>().isNull());
    }

    // Opens the properties dialog and runs `fn` on it while it is shown.
    void withProperties(TfrmIIS* w, const std::function<void(TfrmIISProperty*)>& fn)
    {
        w->tvIIS->setCurrentItem(w->VirtualDirectoryNode());
        bool ran = false;
        whenVisible([] { return sim::Ref<TfrmIISProperty>().data(); },
                    [&](QWidget* p) {
                        ran = true;
                        fn(static_cast<TfrmIISProperty*>(p));
                        if (sim::Ref<TfrmIISProperty>())
                            p->close();
                    });
        w->PropertyClick();
        EXPECT_TRUE(ran);
    }

    QString value(int n) const { return iis::ParseAnswerText(q.GetAnswer()).value(n); }

    TQuestion q;
    pravik::test::ScopedPrompts prompts;
};

TEST_F(IISTest, UntouchedManagerRecordsTheDefaults)
{
    closeManager(open());
    EXPECT_EQ(q.GetAnswer(), kDefaults);
    // The same text again after a second round.
    closeManager(open());
    EXPECT_EQ(q.GetAnswer(), kDefaults);
}

TEST_F(IISTest, WizardCreatesTheDirectoryAndRecordsIt)
{
    TfrmIIS* w = open();
    runWizard(w, "test", "D:\\web", true, false, true);
    ASSERT_TRUE(w->VirtualDirectoryNode());
    EXPECT_EQ(w->VirtualDirectoryNode()->text(0), QStringLiteral("test"));
    EXPECT_EQ(TfrmIIS::Level(w->VirtualDirectoryNode()), 4);
    EXPECT_EQ(q.GetAnswer(), QString()); // recorded only when the manager closes
    closeManager(w);
    EXPECT_TRUE(q.GetAnswer().startsWith(QString::fromUtf8("test,D:\\web,True,False,,True,True,纯脚本")))
        << q.GetAnswer().toStdString();

    // Reopened: the node is back; a second directory is refused.
    w = open();
    ASSERT_TRUE(w->VirtualDirectoryNode());
    w->tvIIS->setCurrentItem(w->DefaultWebNode());
    w->NewVirtualDirectoryClick();
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].text, QStringLiteral("已存在一个虚拟目录，请先删除再新建。"));
    EXPECT_EQ(prompts->records[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(sim::Ref<TfrmIISGuide>().isNull());
}

TEST_F(IISTest, CancelledWizardChangesNothing)
{
    for (int page : {2, 3, 4}) {
        SCOPED_TRACE(page);
        q.SetAnswer(QString());
        TfrmIIS* w = open();
        runWizard(w, "half", "D:\\half", false, true, true, page);
        EXPECT_FALSE(w->VirtualDirectoryNode());
        closeManager(w);
        EXPECT_EQ(q.GetAnswer(), kDefaults);
    }
}

TEST_F(IISTest, BlankAliasCannotLeavePageTwo)
{
    TfrmIIS* w = open();
    auto* guide = new TfrmIISGuide(w);
    guide->show();
    QTest::mouseClick(guide->btNext, Qt::LeftButton);
    QTest::keyClicks(guide->txtAlias, "   ");
    EXPECT_FALSE(guide->btNext->isEnabled());
    QTest::keyClicks(guide->txtAlias, "a");
    EXPECT_TRUE(guide->btNext->isEnabled());
    // Escape and Return do not close the wizard.
    QTest::keyClick(guide, Qt::Key_Escape);
    QTest::keyClick(guide->txtAlias, Qt::Key_Return);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->Page(), 2);
    guide->close();
}

TEST_F(IISTest, EscapedPathRoundTripsThroughTheProperties)
{
    EXPECT_EQ(ReplaceStr("a b,c#13#10"), QStringLiteral("a@%@b@&@c@#@@$@"));
    EXPECT_EQ(RevertStr(ReplaceStr("a b,c#13#10")), QStringLiteral("a b,c#13#10"));

    TfrmIIS* w = open();
    runWizard(w, "my site", "D:\\my web", true, false, false);
    closeManager(w);
    EXPECT_TRUE(q.GetAnswer().startsWith("my@%@site,D:\\my@%@web,")) << q.GetAnswer().toStdString();

    w = open();
    ASSERT_TRUE(w->VirtualDirectoryNode());
    EXPECT_EQ(w->VirtualDirectoryNode()->text(0), QStringLiteral("my site"));
    withProperties(w, [](TfrmIISProperty* p) {
        EXPECT_EQ(p->txtLocalPath->text(), QStringLiteral("D:\\my web"));
        EXPECT_EQ(p->txtAppName->text(), QStringLiteral("my site"));
        EXPECT_EQ(p->lblStartPos->text(), QStringLiteral("<默认网站>\\my site"));
        EXPECT_TRUE(p->ckRead->isChecked());
        EXPECT_FALSE(p->ckWrite->isChecked());
        EXPECT_TRUE(p->ckIndex->isChecked());
        EXPECT_EQ(p->cbExecute->currentText(), QStringLiteral("纯脚本"));
    });
}

TEST_F(IISTest, PropertiesAndSubDialogsStoreTheirSettings)
{
    TfrmIIS* w = open();
    runWizard(w, "site", "D:\\web", true, false, false);
    withProperties(w, [&](TfrmIISProperty* p) {
        p->ckWrite->setChecked(true);
        p->ckLog->setChecked(true);
        p->ckIndex->setChecked(false);
        p->cbExecute->setCurrentIndex(2);
        // Default documents: a cancelled box and an empty text add nothing, a
        // duplicate is not added twice.
        QStringList answers{"index.htm", "", "default.asp", "index.htm"};
        QList<bool> ok{true, false, true, true};
        int call = 0;
        static std::function<bool(QString&)> script;
        script = [&](QString& v) {
            v = answers.value(call);
            return ok.value(call++);
        };
        auto saved = TfrmIISProperty::InputBox;
        TfrmIISProperty::InputBox = [](QWidget*, const QString& caption, const QString& prompt, QString& v) {
            EXPECT_EQ(caption, QStringLiteral("添加内容页"));
            EXPECT_EQ(prompt, QStringLiteral("默认内容页"));
            return script(v);
        };
        for (int i = 0; i < 4; ++i)
            click(p->btAddDoc);
        TfrmIISProperty::InputBox = saved;
        ASSERT_EQ(p->ltbDefaultIndex->count(), 2);
        p->ltbDefaultIndex->setCurrentRow(1);
        click(p->btUp);
        EXPECT_EQ(p->ltbDefaultIndex->item(0)->text(), QStringLiteral("default.asp"));
        click(p->btUp); // at the top: stays
        EXPECT_EQ(p->ltbDefaultIndex->item(0)->text(), QStringLiteral("default.asp"));

        whenVisible([] { return sim::Ref<TfrmIISAppConfig>().data(); },
                    [](QWidget* d) {
                        auto* c = static_cast<TfrmIISAppConfig*>(d);
                        EXPECT_TRUE(c->ckSession->isChecked());
                        c->ckBuffer->setChecked(false);
                        QTest::mouseClick(c->btOK, Qt::LeftButton);
                    });
        click(p->btConfig);
        whenVisible([] { return sim::Ref<TfrmIdentityValidate>().data(); },
                    [](QWidget* d) {
                        auto* c = static_cast<TfrmIdentityValidate*>(d);
                        EXPECT_TRUE(c->ckAnonymous->isChecked());
                        c->ckAnonymous->setChecked(false);
                        QTest::mouseClick(c->btCancel, Qt::LeftButton); // cancelled: stays "True"
                    });
        click(p->btEditAuth);
        click(p->btOK);
    });
    closeManager(w);
    EXPECT_EQ(q.GetAnswer(),
              QString::fromUtf8("site,D:\\web,False,True,True,True,False,脚本和可执行文件,default.asp#index."
                                "htm,True,True,True,False,True"));
}

TEST_F(IISTest, DeleteClearsTheAnswerAtOnce)
{
    TfrmIIS* w = open();
    runWizard(w, "site", "D:\\web", true, true, true);
    closeManager(w);
    w = open();
    w->tvIIS->setCurrentItem(w->VirtualDirectoryNode());
    w->DeleteClick();
    EXPECT_EQ(q.GetAnswer(), QString());
    EXPECT_FALSE(w->VirtualDirectoryNode());
    closeManager(w);
    EXPECT_EQ(q.GetAnswer(), kDefaults);
}

TEST_F(IISTest, ShortAnswerTextReadsMissingValuesAsEmpty)
{
    q.SetAnswer("a,D:\\x");
    TfrmIIS* w = open();
    EXPECT_TRUE(w->VirtualDirectoryNode());
    EXPECT_EQ(IISSettings().value(iis::Read), QString());
    closeManager(w);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("a,D:\\x,,,,,,,,,,,,"));
}

// In a desktop of another type the manager works but never touches that question's
// answer text.
TEST_F(IISTest, OtherQuestionTypesKeepTheirAnswerText)
{
    for (int type : {19, 22, 23}) {
        SCOPED_TRACE(type);
        q.OperationType = type;
        q.SetAnswer("192.168.0.20,255.255.255.0,192.168.0.1,...,...");
        TfrmIIS* w = open();
        EXPECT_FALSE(w->VirtualDirectoryNode());
        runWizard(w, "site", "D:\\web", true, false, false);
        w->tvIIS->setCurrentItem(w->VirtualDirectoryNode());
        w->DeleteClick();
        closeManager(w);
        EXPECT_EQ(q.GetAnswer(), QStringLiteral("192.168.0.20,255.255.255.0,192.168.0.1,...,..."));
    }
}

TEST_F(IISTest, RightButtonMenusByNodeLevel)
{
    TfrmIIS* w = open();
    QStringList shown;
    QObject::connect(w->menuDefaultWeb, &QMenu::aboutToShow, [&] { shown << "web"; });
    QObject::connect(w->menuProperty, &QMenu::aboutToShow, [&] { shown << "dir"; });
    w->tvIIS->setCurrentItem(w->DefaultWebNode());
    w->tvIISMouseUp({});
    w->menuDefaultWeb->hide();
    w->tvIIS->setCurrentItem(w->DefaultWebNode()->parent()); // "网站": no menu
    w->tvIISMouseUp({});
    w->AddVirtualDirectory(w->DefaultWebNode(), "d");
    w->tvIIS->setCurrentItem(w->VirtualDirectoryNode());
    w->tvIISMouseUp({});
    w->menuProperty->hide();
    EXPECT_EQ(shown, QStringList({"web", "dir"}));
}

} // namespace

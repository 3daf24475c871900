// The FTP window: the address check and its answer text (the last attempt counts),
// the download folder on the exercise drive, the stay-inside rule at a folder
// boundary, and real file operations for upload and download.
#include <QDir>
#include <QStackedWidget>
#include <QTabWidget>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

#include "SimTestUtil.h"
#include "environment/unDMDB.h"
#include "platform/WinFileClipboard.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/iis/ufrmIIS.h"
#include "simulation/iis/ufrmIISAppConfig.h"
#include "simulation/iis/ufrmIISGuide.h"
#include "simulation/iis/ufrmIISProperty.h"
#include "simulation/iis/ufrmIdentityValidate.h"
#include "simulation/network/TShellListView.h"
#include "simulation/network/ufrmIP.h"
#include "simulation/network/ufrmIPProperty.h"
#include "simulation/network/ufrmIPSet.h"
#include "simulation/network/ufrmFTP.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"

using namespace simtest;
using pravik::test::TestEnv;

namespace {

void put(const QString& winPath, const QByteArray& data = "x")
{
    const QString h = win::toHost(winPath);
    QDir().mkpath(QFileInfo(h).absolutePath());
    QFile f(h);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray bytes(const QString& winPath)
{
    QFile f(win::toHost(winPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QString kDownload = QStringLiteral("Y:\\1234\\DownLoad");

class FTPTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::resetPrefix();
        QDir().mkpath(win::toHost("C:\\vdisk"));
        ASSERT_TRUE(win::DefineDrive('Y', "C:\\vdisk"));
        strCurDisk = "Y";
        put(kDownload + "\\a.txt", "server file");
        put(kDownload + "\\pub\\b.txt", "b");
        put("Y:\\1234\\DownLoadOld\\answers.txt", "secret");
        put("C:\\home\\upload.txt", "student file");
        win::ClearFileClipboard();
        q.OperationType = 22;
        q.QuestionId = 1234;
        sim::SetCurrentQuestion(&q);
        w = qobject_cast<TfrmFTP*>(sim::OpenWindow("TfrmFTP"));
        ASSERT_TRUE(w && w->isVisible());
    }
    void TearDown() override
    {
        delete w.data();
        strCurDisk.clear();
        sim::SetCurrentQuestion(nullptr);
    }
    void goTo(const QString& address, bool enter)
    {
        w->txtAddress->clear();
        QTest::keyClicks(w->txtAddress, address);
        if (enter)
            QTest::keyClick(w->txtAddress, Qt::Key_Return);
        else
            QTest::mouseClick(w->btGoTo, Qt::LeftButton);
    }
    QString shown() const { return w->RzShellList1->Folder(); }
    void select(const QString& name)
    {
        QListWidgetItem* item = w->RzShellList1->ItemNamed(name);
        ASSERT_TRUE(item) << name.toStdString();
        w->RzShellList1->clearSelection();
        item->setSelected(true);
    }
    void menu(const QString& caption)
    {
        for (QAction* a : w->ppWindows->actions())
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        FAIL() << caption.toStdString();
    }

    TQuestion q;
    QPointer<TfrmFTP> w;
    pravik::test::ScopedPrompts prompts;
};

TEST_F(FTPTest, EveryAttemptRecordsAndTheLastCounts)
{
    EXPECT_TRUE(w->RzShellList1->Shell().IsMyComputer());
    struct Row {
        const char* address;
        bool enter;
        bool correct;
    };
    const Row rows[] = {
        {"  FTP://192.168.0.1  ", true, true}, {"ftp://192.168.0.1/", false, false},
        {"ftp://192.168.0.10", true, false},   {"ftp://192.168.0.1", false, true},
        {"ftp://192.168.0.8", true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.address);
        prompts->records.clear();
        goTo(QString::fromLatin1(r.address), r.enter);
        EXPECT_EQ(q.GetAnswer(), r.correct ? QStringLiteral("True") : QStringLiteral("False"));
        if (r.correct) {
            EXPECT_EQ(shown(), kDownload);
            EXPECT_TRUE(prompts->records.isEmpty());
        } else {
            EXPECT_TRUE(w->RzShellList1->Shell().IsMyComputer());
            ASSERT_EQ(prompts->records.size(), 1);
            EXPECT_EQ(prompts->records[0].kind, QStringLiteral("ShowNotice"));
            EXPECT_EQ(prompts->records[0].text, QStringLiteral("输入的FTP地址不正确！"));
            EXPECT_EQ(prompts->records[0].style, 10);
        }
        EXPECT_TRUE(w->isVisible());
    }
}

TEST_F(FTPTest, TheListStaysInsideTheDownloadFolder)
{
    // Before the first correct address any folder of the exercise drive may be shown.
    w->RzShellList1->SetFolder("Y:\\1234");
    EXPECT_EQ(shown(), QStringLiteral("Y:\\1234"));
    w->RzShellList1->SetFolder("C:\\home"); // another drive
    EXPECT_TRUE(w->RzShellList1->Shell().IsMyComputer());

    goTo("ftp://192.168.0.1", true);
    EXPECT_EQ(w->RzShellList1->count(), 2);
    QTest::mouseClick(static_cast<QToolButton*>(w->btUp), Qt::LeftButton);
    EXPECT_EQ(shown(), kDownload);
    QTest::mouseClick(static_cast<QToolButton*>(w->btBack), Qt::LeftButton);
    EXPECT_EQ(shown(), kDownload);
    // A sibling whose name starts with the download folder's is outside it.
    w->RzShellList1->SetFolder("Y:\\1234\\DownLoadOld");
    EXPECT_EQ(shown(), kDownload);
    // A sub-folder is inside; double-click opens it.
    QListWidgetItem* pub = w->RzShellList1->ItemNamed("pub");
    ASSERT_TRUE(pub);
    emit w->RzShellList1->itemDoubleClicked(pub);
    EXPECT_EQ(shown(), kDownload + "\\pub");
    w->RzShellList1->SetFolder("C:\\home");
    EXPECT_TRUE(w->RzShellList1->Shell().IsMyComputer());
    // My Computer never lists the host's root drive.
    EXPECT_FALSE(w->RzShellList1->ItemNamed(QStringLiteral("本地磁盘 (Z:)")));
    EXPECT_TRUE(w->RzShellList1->ItemNamed(QStringLiteral("本地磁盘 (Y:)")));
}

TEST_F(FTPTest, UploadAndDownloadAreRealFileOperations)
{
    goTo("ftp://192.168.0.1", false);
    // Upload: copied elsewhere, pasted here.
    win::SetFileClipboard({"C:\\home\\upload.txt"}, win::FileClipMode::Copy);
    menu(QStringLiteral("粘贴(&P)"));
    EXPECT_EQ(bytes(kDownload + "\\upload.txt"), "student file");
    EXPECT_TRUE(w->RzShellList1->ItemNamed("upload.txt"));
    // The same again collides: refused with a message, the source stays.
    put("C:\\home\\upload.txt", "second version");
    win::SetFileClipboard({"C:\\home\\upload.txt"}, win::FileClipMode::Cut);
    menu(QStringLiteral("粘贴(&P)"));
    EXPECT_EQ(bytes(kDownload + "\\upload.txt"), "student file");
    EXPECT_EQ(bytes("C:\\home\\upload.txt"), "second version");
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].kind, QStringLiteral("MessageBox"));

    // Download: copy from the server folder, paste elsewhere.
    select("a.txt");
    menu(QStringLiteral("复制"));
    EXPECT_EQ(win::FileClipboardPaths(), QStringList({kDownload + "\\a.txt"}));
    EXPECT_TRUE(win::PasteFileClipboard("C:\\home").ok());
    EXPECT_EQ(bytes("C:\\home\\a.txt"), "server file");
    EXPECT_EQ(bytes(kDownload + "\\a.txt"), "server file");

    // Cut in the window, paste into a sub-folder of it.
    select("a.txt");
    menu(QStringLiteral("剪切"));
    w->RzShellList1->SetFolder(kDownload + "\\pub");
    menu(QStringLiteral("粘贴(&P)"));
    EXPECT_EQ(bytes(kDownload + "\\pub\\a.txt"), "server file");
    EXPECT_FALSE(win::PathIsFile(kDownload + "\\a.txt"));
}

// Qt delivers drag events only while a real drag runs, so the drop is handed to the
// list's drop step with the payload a drag carries.
TEST_F(FTPTest, DropCopiesFromAnotherDriveAndMovesOnTheSameDrive)
{
    goTo("ftp://192.168.0.1", true);
    std::unique_ptr<QMimeData> data(win::MakeFileDragData({"C:\\home\\upload.txt"}));
    EXPECT_TRUE(w->RzShellList1->DropPaths(win::FileDragPaths(data.get()), shown()).ok());
    EXPECT_EQ(bytes(kDownload + "\\upload.txt"), "student file");
    EXPECT_EQ(bytes("C:\\home\\upload.txt"), "student file") << "a drop from another drive copies";
    EXPECT_TRUE(w->RzShellList1->ItemNamed("upload.txt"));

    put("Y:\\1234\\other.txt", "o");
    EXPECT_TRUE(w->RzShellList1->DropPaths({"Y:\\1234\\other.txt"}, kDownload + "\\pub").ok());
    EXPECT_EQ(bytes(kDownload + "\\pub\\other.txt"), "o");
    EXPECT_FALSE(win::PathIsFile("Y:\\1234\\other.txt")) << "a drop on the same drive moves";
}

TEST_F(FTPTest, WithoutADriveTheWindowSaysSo)
{
    strCurDisk.clear();
    goTo("ftp://192.168.0.1", true);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("True"));
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].kind, QStringLiteral("MessageBox"));
    EXPECT_TRUE(prompts->records[0].text.contains(QStringLiteral("虚拟盘")));
    EXPECT_TRUE(w->RzShellList1->Shell().IsMyComputer());
}

TEST_F(FTPTest, OtherQuestionTypesKeepTheirAnswerText)
{
    q.OperationType = 19;
    q.SetAnswer("1.1.1.1,,,,");
    goTo("ftp://192.168.0.1", true);
    goTo("wrong", true);
    EXPECT_EQ(q.GetAnswer(), QStringLiteral("1.1.1.1,,,,"));
}

TEST_F(FTPTest, EachDesktopDoubleClickOpensOneMoreWindow)
{
    auto* desk = new TfrmOperationMain;
    sim::Ref<TfrmOperationMain>() = desk;
    desk->SetOperation(22);
    desk->show();
    desk->lblOperationIEDblClick();
    QPointer<QWidget> first = sim::Ref<TfrmFTP>().data();
    desk->lblOperationIEDblClick();
    QPointer<QWidget> second = sim::Ref<TfrmFTP>().data();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    auto* a = static_cast<TfrmFTP*>(first.data());
    auto* b = static_cast<TfrmFTP*>(second.data());
    a->txtAddress->setText("ftp://192.168.0.1");
    a->btGoToClick();
    EXPECT_EQ(a->RzShellList1->Folder(), kDownload);
    EXPECT_TRUE(b->RzShellList1->Shell().IsMyComputer());
    QTest::keyClick(b, Qt::Key_Escape);
    EXPECT_TRUE(b->isVisible());
    EXPECT_TRUE(desk->isVisible());
    b->close(); // hides only
    EXPECT_TRUE(second);
    delete desk;
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

// Pictures of every window of the IIS, network and FTP questions, for looking at:
// written to $PRAVIK_SHOTS_DIR (default: the temporary folder's pravik-shots).
TEST_F(FTPTest, Pictures)
{
    QString dir = qEnvironmentVariable("PRAVIK_SHOTS_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath() + "/pravik-shots";
    QDir().mkpath(dir);
    auto shot = [&](QWidget* widget, const QString& name) {
        widget->show();
        pump(30);
        const QImage img = widget->grab().toImage();
        ASSERT_FALSE(img.isNull());
        EXPECT_TRUE(img.save(dir + "/" + name + ".png"));
    };
    goTo("ftp://192.168.0.1", true);
    shot(w, "ftp");

    auto* iis = new TfrmIIS;
    iis->AddVirtualDirectory(iis->DefaultWebNode(), "test");
    shot(iis, "iis");
    auto* guide = new TfrmIISGuide(iis);
    guide->setWindowFlag(Qt::Window, true);
    for (int page = 1; page <= 5; ++page) {
        guide->pages->setCurrentIndex(page - 1);
        shot(guide, QStringLiteral("iis_guide%1").arg(page));
    }
    auto* prop = new TfrmIISProperty(iis);
    prop->setWindowFlag(Qt::Window, true);
    for (int i = 0; i < 3; ++i) {
        prop->show();
        prop->pcProperty->setCurrentIndex(i);
        shot(prop, QStringLiteral("iis_property%1").arg(i));
    }
    auto* app = new TfrmIISAppConfig(iis);
    app->setWindowFlag(Qt::Window, true);
    shot(app, "iis_appconfig");
    auto* ident = new TfrmIdentityValidate(iis);
    ident->setWindowFlag(Qt::Window, true);
    shot(ident, "iis_identity");
    iis->hide();
    delete iis;

    auto* ip = new TfrmIP;
    shot(ip, "ip");
    auto* ipProp = new TfrmIPProperty;
    shot(ipProp, "ip_property");
    auto* ipSet = new TfrmIPSet;
    shot(ipSet, "ip_set");
    delete ip;
    delete ipProp;
    delete ipSet;
}

} // namespace

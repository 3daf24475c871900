// The student scenarios of the IIS, IP and FTP questions: each works the sample in
// the windows of the simulated desktop with clicks and keys, then leaves the desktop.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/iis/ufrmIIS.h"
#include "simulation/iis/ufrmIISGuide.h"
#include "simulation/iis/ufrmIISProperty.h"
#include "simulation/network/TIPAddressEdit.h"
#include "simulation/network/TShellListView.h"
#include "simulation/network/ufrmFTP.h"
#include "simulation/network/ufrmIP.h"
#include "simulation/network/ufrmIPProperty.h"
#include "simulation/network/ufrmIPSet.h"
#include "StudentScript.h"
#include "environment/unDMDB.h"
#include <QPointer>
#include <memory>

namespace pravik::test {
namespace {

QString strCurDiskText() { return strCurDisk.trimmed().toUpper(); }

QString answerOf(TfrmTool* tool) { return question(tool) ? question(tool)->GetAnswer() : QString(); }

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

// Double-clicks the item of a list as a student does.
bool openItem(QListWidget* list, const QString& name)
{
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->text().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return true;
    }
    return false;
}

bool selectItem(QListWidget* list, const QString& name)
{
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->text() == name) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            return item->isSelected();
        }
    }
    return false;
}

void trigger(QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions())
        if (a->text() == caption)
            a->trigger();
}

void typeAddress(TIPAddressEdit* f, const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        f->Part(i)->selectAll();
        QTest::keyClicks(f->Part(i), parts.value(i));
    }
}

template <class T> T* visible()
{
    T* w = sim::Ref<T>().data();
    return w && w->isVisible() ? w : nullptr;
}

QList<Step> iisScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("open the IIS manager"),
         [] {
             TfrmOperationMain* d = desktop();
             later([d] {
                 if (d)
                     QTest::mouseDClick(d->lblOperationIIS, Qt::LeftButton);
             });
             return true;
         }},
        {QStringLiteral("new virtual directory"),
         [] {
             TfrmIIS* m = visible<TfrmIIS>();
             if (!m)
                 return false;
             m->tvIIS->setCurrentItem(m->DefaultWebNode());
             shot(m, QStringLiteral("iis"));
             later([m] {
                 for (QAction* a : m->menuDefaultWeb->actions())
                     if (a->menu() && a->text() == QStringLiteral("新建(&N)"))
                         trigger(a->menu(), QStringLiteral("虚拟目录(&V)..."));
             });
             return true;
         }},
        {QStringLiteral("wizard"),
         [] {
             TfrmIISGuide* g = visible<TfrmIISGuide>();
             if (!g)
                 return false;
             QTest::mouseClick(g->btNext, Qt::LeftButton);
             QTest::keyClicks(g->txtAlias, QStringLiteral("web"));
             QTest::mouseClick(g->btNext, Qt::LeftButton);
             QTest::keyClicks(g->txtPath, QStringLiteral("D:\\web"));
             QTest::mouseClick(g->btNext, Qt::LeftButton);
             click(g->ckWrite);
             QTest::mouseClick(g->btNext, Qt::LeftButton);
             seen(QStringLiteral("wizard.last"), g->btNext->text());
             QTest::mouseClick(g->btNext, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("properties"),
         [] {
             TfrmIIS* m = visible<TfrmIIS>();
             if (!m || sim::Ref<TfrmIISGuide>() || !m->VirtualDirectoryNode())
                 return false;
             seen(QStringLiteral("node"), m->VirtualDirectoryNode()->text(0));
             m->tvIIS->setCurrentItem(m->VirtualDirectoryNode());
             later([m] { trigger(m->menuProperty, QStringLiteral("属性(&R)")); });
             return true;
         }},
        {QStringLiteral("execute permission and a default document"),
         [] {
             TfrmIISProperty* p = visible<TfrmIISProperty>();
             if (!p)
                 return false;
             seen(QStringLiteral("property.path"), p->txtLocalPath->text());
             p->cbExecute->setCurrentIndex(p->cbExecute->findText(QStringLiteral("脚本和可执行文件")));
             later([p] { QTest::mouseClick(p->btAddDoc, Qt::LeftButton); });
             return true;
         }},
        {QStringLiteral("input box"),
         [] {
             auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
             if (!box)
                 return false;
             seen(QStringLiteral("input.title"), box->windowTitle());
             if (auto* edit = box->findChild<QLineEdit*>())
                 QTest::keyClicks(edit, QStringLiteral("index.htm"));
             later([box] { box->accept(); });
             return true;
         }},
        {QStringLiteral("confirm the properties"),
         [] {
             TfrmIISProperty* p = visible<TfrmIISProperty>();
             if (!p || QApplication::activeModalWidget() != p)
                 return false;
             shot(p, QStringLiteral("iis-property"));
             QTest::mouseClick(p->btOK, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("close the manager"),
         [] {
             TfrmIIS* m = visible<TfrmIIS>();
             if (!m || sim::Ref<TfrmIISProperty>())
                 return false;
             later([m] { m->close(); });
             return true;
         }},
        {QStringLiteral("leave the desktop"),
         [tool] {
             if (sim::Ref<TfrmIIS>())
                 return false;
             seen(QStringLiteral("answer.saved"), answerOf(tool));
             return leaveDesktop();
         }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

QList<Step> ipScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("tray icon"),
         [] {
             TfrmOperationMain* d = desktop();
             if (!d)
                 return false;
             seen(QStringLiteral("trayEnabled"), d->ToolBtnNet2->isEnabled() ? "1" : "0");
             QTest::mouseClick(d->ToolBtnNet2, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("connections"),
         [] {
             TfrmIP* ip = visible<TfrmIP>();
             if (!ip)
                 return false;
             shot(ip, QStringLiteral("ip"));
             QTest::mouseDClick(ip->lblLocalConnection, Qt::LeftButton, {}, QPoint(40, 20));
             return true;
         }},
        {QStringLiteral("connection properties"),
         [] {
             TfrmIPProperty* p = visible<TfrmIPProperty>();
             if (!p)
                 return false;
             QTreeWidgetItem* tcp = p->lvComponents->topLevelItem(2);
             QTest::mouseClick(p->lvComponents->viewport(), Qt::LeftButton, {},
                               p->lvComponents->visualItemRect(tcp).center());
             QTest::mouseClick(p->btProperty, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("protocol properties"),
         [] {
             TfrmIPSet* s = visible<TfrmIPSet>();
             if (!s)
                 return false;
             seen(QStringLiteral("shown.ip"), s->edtIP->Text());
             typeAddress(s->edtIP, QStringLiteral("192.168.1.20"));
             typeAddress(s->edtMask, QStringLiteral("255.255.255.0"));
             typeAddress(s->edtGateway, QStringLiteral("192.168.1.1"));
             typeAddress(s->edtDNS, QStringLiteral("202.96.128.86"));
             for (int i = 0; i < 4; ++i) { // the alternate server emptied
                 s->edtDNS2->Part(i)->selectAll();
                 QTest::keyClick(s->edtDNS2->Part(i), Qt::Key_Delete);
             }
             shot(s, QStringLiteral("ip-set"));
             QTest::mouseClick(s->btOK, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("close the windows"),
         [tool] {
             if (visible<TfrmIPSet>())
                 return false;
             seen(QStringLiteral("answer.saved"), answerOf(tool));
             if (TfrmIPProperty* p = visible<TfrmIPProperty>())
                 QTest::mouseClick(p->btOK, Qt::LeftButton);
             if (TfrmIP* ip = visible<TfrmIP>())
                 ip->close();
             return true;
         }},
        {QStringLiteral("leave the desktop"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

QList<Step> ftpScript(TfrmTool* tool)
{
    auto first = std::make_shared<QPointer<TfrmFTP>>();
    auto second = std::make_shared<QPointer<TfrmFTP>>();
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("open the FTP window"),
         [] {
             TfrmOperationMain* d = desktop();
             if (!d)
                 return false;
             QTest::mouseDClick(d->lblOperationIE, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("find the homework on the exercise drive"),
         [tool, first] {
             TfrmFTP* w = visible<TfrmFTP>();
             if (!w)
                 return false;
             *first = w;
             TShellListView* list = w->RzShellList1;
             seen(QStringLiteral("drive"), strCurDiskText());
             openItem(list, QStringLiteral("本地磁盘 (%1:)").arg(strCurDiskText()));
             openItem(list, QString::number(question(tool) ? question(tool)->QuestionId : 0));
             seen(QStringLiteral("browsed"), list->Folder());
             seen(QStringLiteral("homework"), selectItem(list, QStringLiteral("作业.doc")) ? "1" : "0");
             trigger(w->ppWindows, QStringLiteral("复制"));
             return true;
         }},
        {QStringLiteral("go to the server and upload"),
         [first] {
             TfrmFTP* w = first->data();
             if (!w)
                 return false;
             QTest::keyClicks(w->txtAddress, QStringLiteral("ftp://192.168.0.1"));
             QTest::keyClick(w->txtAddress, Qt::Key_Return);
             seen(QStringLiteral("server"), w->RzShellList1->Folder());
             trigger(w->ppWindows, QStringLiteral("粘贴(&P)"));
             seen(QStringLiteral("uploaded"),
                  w->RzShellList1->ItemNamed(QStringLiteral("作业.doc")) ? "1" : "0");
             seen(QStringLiteral("notice"),
                  selectItem(w->RzShellList1, QStringLiteral("通知.txt")) ? "1" : "0");
             trigger(w->ppWindows, QStringLiteral("复制"));
             shot(w, QStringLiteral("ftp"));
             return true;
         }},
        {QStringLiteral("a second window for the download"),
         [first, second] {
             TfrmOperationMain* d = desktop();
             if (!d)
                 return false;
             QTest::mouseDClick(d->lblOperationIE, Qt::LeftButton);
             *second = sim::Ref<TfrmFTP>().data();
             return !second->isNull() && second->data() != first->data();
         }},
        {QStringLiteral("download into the question folder"),
         [tool, second] {
             TfrmFTP* w = second->data();
             if (!w || !w->isVisible())
                 return false;
             TShellListView* list = w->RzShellList1;
             openItem(list, QStringLiteral("本地磁盘 (%1:)").arg(strCurDiskText()));
             openItem(list, QString::number(question(tool) ? question(tool)->QuestionId : 0));
             trigger(w->ppWindows, QStringLiteral("粘贴(&P)"));
             seen(QStringLiteral("downloaded"), list->ItemNamed(QStringLiteral("通知.txt")) ? "1" : "0");
             return true;
         }},
        {QStringLiteral("close the windows"),
         [tool, first, second] {
             seen(QStringLiteral("answer.saved"), answerOf(tool));
             for (auto* p : {first.get(), second.get()})
                 if (*p)
                     (*p)->close();
             return true;
         }},
        {QStringLiteral("leave the desktop"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

PRAVIK_STUDENT_SCENARIO("iis", iisScript);
PRAVIK_STUDENT_SCENARIO("ip", ipScript);
PRAVIK_STUDENT_SCENARIO("ftp", ftpScript);

} // namespace
} // namespace pravik::test

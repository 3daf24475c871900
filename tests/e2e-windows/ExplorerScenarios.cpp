// The student scenario of the Windows Virtual file windows (sample windows-explorer):
// My Computer (drive D: in details sorted by size, the properties of drive C:), the
// Explorer (the properties of My Documents, page "常规"), the Recycle Bin (restore
// "旧文件.txt", delete "草稿.doc", reopen) and its property sheet (10 %).
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/ufrmTool.h"
#include "e2e/E2eChild.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/explorer/ufrmMyCP.h"
#include "simulation/explorer/ufrmMydocumentProperty.h"
#include "simulation/explorer/ufrmRcyEandC.h"
#include "simulation/explorer/ufrmRecy.h"
#include "simulation/explorer/ufrmproperty.h"
#include "StudentScript.h"

using namespace pravik::test;

namespace {

bool visible(QWidget* w) { return w && w->isVisible(); }

// A right click on a widget: its context menu opens; `item` of the menu is chosen.
void rightClickChoose(QWidget* w, QPoint at, QMenu* menu, const QString& item)
{
    QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
    for (QAction* a : menu->actions())
        if (a->text() == item) {
            menu->close();
            a->trigger();
            return;
        }
    menu->close();
}

QStringList rowNames(QTreeWidget* list)
{
    QStringList l;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        l << list->topLevelItem(i)->text(0);
    return l;
}

void clickRow(QTreeWidget* list, const QString& name)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == name)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->topLevelItem(i)).center());
}

QAction* itemOf(QMenu* menu, const QString& caption)
{
    return TfrmOperationMain::FindAction(menu, {caption});
}

QList<Step> explorerScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("open My Computer"),
         [] {
             TfrmOperationMain* d = desktop();
             later([d] { QTest::mouseDClick(d->lblOperation, Qt::LeftButton, {}, QPoint(20, 20)); });
             return true;
         }},
        {QStringLiteral("drive D: in details by size"),
         [] {
             TfrmMyCP* w = sim::Ref<TfrmMyCP>().data();
             if (!visible(w))
                 return false;
             QTest::mouseDClick(w->DiskD, Qt::LeftButton, {}, QPoint(20, 20));
             seen(QStringLiteral("mycp.taskButton"), Flag(desktop()->btnDiskD->isVisible()));
             // 查看(&V) → 详细信息(&D) in the main menu, 排列图标(&I) → 大小(&S) in the list's menu.
             QMenu* view = nullptr;
             for (QAction* a : w->MainMenu1->actions())
                 if (a->text() == QStringLiteral("查看(&V)"))
                     view = a->menu();
             if (QAction* a = itemOf(view, QStringLiteral("详细信息(&D)")))
                 a->trigger();
             if (QAction* a = TfrmOperationMain::FindAction(
                     w->PPIocArrary, {QStringLiteral("排列图标(&I)"), QStringLiteral("大小(&S)")}))
                 a->trigger();
             seen(QStringLiteral("mycp.first"), w->LvDiskContern->Names().value(2));
             shot(w, QStringLiteral("mycp-d"));
             // The overview again, then the properties of drive C:.
             QTest::mouseClick(w->ToolButton3, Qt::LeftButton);
             rightClickChoose(w->DiskC, QPoint(20, 20), w->PPDisk, QStringLiteral("属性(&R)"));
             return true;
         }},
        {QStringLiteral("drive C: properties"),
         [] {
             Tfrmproperty* p = sim::Ref<Tfrmproperty>().data();
             if (!visible(p))
                 return false;
             seen(QStringLiteral("property.title"), p->windowTitle());
             shot(p, QStringLiteral("drive-c"));
             QTest::mouseClick(p->btnOK, Qt::LeftButton);
             if (TfrmMyCP* w = sim::Ref<TfrmMyCP>().data())
                 w->close();
             return true;
         }},
        {QStringLiteral("open the Explorer"),
         [] {
             TfrmOperationMain* d = desktop();
             if (!d || sim::Ref<Tfrmproperty>())
                 return false;
             seen(QStringLiteral("mycp.taskButtonAfterClose"), Flag(d->btnDiskD->isVisible()));
             if (QAction* a = itemOf(d->ppMyCompter, QStringLiteral("资源管理器(&X)")))
                 a->trigger();
             return true;
         }},
        {QStringLiteral("My Documents properties"),
         [] {
             TfrmExplorer* e = sim::Ref<TfrmExplorer>().data();
             if (!visible(e))
                 return false;
             const auto docs = e->TreeExplorer->findItems(QStringLiteral("我的文档"), Qt::MatchExactly);
             if (docs.isEmpty())
                 return true;
             QTest::mouseClick(e->TreeExplorer->viewport(), Qt::LeftButton, {},
                               e->TreeExplorer->visualItemRect(docs.first()).center());
             seen(QStringLiteral("explorer.myDocuments"), Flag(e->ImgMyDocExplorer->isVisible()));
             shot(e, QStringLiteral("explorer"));
             rightClickChoose(e->TreeExplorer->viewport(),
                              e->TreeExplorer->visualItemRect(docs.first()).center(), e->PPMyDocument,
                              QStringLiteral("属性(&R)"));
             return true;
         }},
        {QStringLiteral("page 常规"),
         [] {
             TfrmMydocumentProperty* p = sim::Ref<TfrmMydocumentProperty>().data();
             if (!visible(p))
                 return false;
             QTabBar* bar = p->PageControl1->tabBar();
             QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
             shot(p, QStringLiteral("mydocuments"));
             QTest::mouseClick(p->btnOK, Qt::LeftButton);
             if (TfrmExplorer* e = sim::Ref<TfrmExplorer>().data())
                 e->close();
             return true;
         }},
        {QStringLiteral("open the Recycle Bin"),
         [] {
             TfrmOperationMain* d = desktop();
             if (!d || sim::Ref<TfrmMydocumentProperty>())
                 return false;
             QTest::mouseDClick(d->lbRecy, Qt::LeftButton, {}, QPoint(10, 10));
             return true;
         }},
        {QStringLiteral("restore and delete"),
         [] {
             TfrmRcyEandC* r = sim::Ref<TfrmRcyEandC>().data();
             if (!visible(r))
                 return false;
             seen(QStringLiteral("recycle.rows"), rowNames(r->ListView1).join(QLatin1Char(',')));
             seen(QStringLiteral("recycle.type"),
                  r->ListView1->topLevelItemCount() ? r->ListView1->topLevelItem(0)->text(4) : QString());
             shot(r, QStringLiteral("recycle"));
             clickRow(r->ListView1, QStringLiteral("旧文件.txt"));
             rightClickChoose(r->ListView1->viewport(), QPoint(20, 10), r->PopupMenu1,
                              QStringLiteral("还原(&E)"));
             clickRow(r->ListView1, QStringLiteral("草稿.doc"));
             rightClickChoose(r->ListView1->viewport(), QPoint(20, 10), r->PopupMenu1,
                              QStringLiteral("删除(&D)"));
             seen(QStringLiteral("recycle.after"), rowNames(r->ListView1).join(QLatin1Char(',')));
             r->mnuClose->trigger();
             return true;
         }},
        {QStringLiteral("reopen the Recycle Bin"),
         [] {
             TfrmOperationMain* d = desktop();
             if (!d || sim::Ref<TfrmRcyEandC>())
                 return false;
             if (QAction* a = itemOf(d->PPRecy, QStringLiteral("打开(&O)")))
                 a->trigger();
             TfrmRcyEandC* r = sim::Ref<TfrmRcyEandC>().data();
             seen(QStringLiteral("recycle.reopened"),
                  r ? rowNames(r->ListView1).join(QLatin1Char(',')) : QString());
             if (r)
                 r->close();
             if (QAction* a = itemOf(d->PPRecy, QStringLiteral("属性(&R)")))
                 a->trigger();
             return true;
         }},
        {QStringLiteral("bin size 10 %"),
         [] {
             TfrmRecy* p = sim::Ref<TfrmRecy>().data();
             if (!visible(p))
                 return false;
             p->TB_all->setFocus();
             QTest::keyClick(p->TB_all, Qt::Key_PageUp);
             seen(QStringLiteral("recy.label"), p->lblAll->text());
             shot(p, QStringLiteral("recycle-properties"));
             QTest::mouseClick(p->btnOK, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("leave the desktop"),
         [tool] {
             if (sim::Ref<TfrmRecy>() || !leaveDesktop())
                 return false;
             TQuestion* q = question(tool);
             QStringList recorded;
             for (int i : {6, 10, 11, 12, 14, 15, 16, 17})
                 recorded << QStringLiteral("%1=%2").arg(i).arg(q ? q->OpAnswer(i) : QString());
             seen(QStringLiteral("slots"), recorded.join(QLatin1Char('|')));
             return true;
         }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

PRAVIK_STUDENT_SCENARIO("explorer", explorerScript);

} // namespace

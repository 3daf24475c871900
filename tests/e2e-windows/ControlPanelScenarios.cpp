// Student scenarios of the Windows Virtual samples that need the control panel, the
// system dialogs, the add-printer wizard and the security suite ("controlpanel",
// "printer"). Each works in the real windows with clicks and keys, as a student would,
// and records what it saw.
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/ufrmTool.h"
#include "e2e/E2eChild.h"
#include "question/TQuestion.h"
#include "simulation/controlpanel/ufrmAddPrint.h"
#include "simulation/controlpanel/ufrmControlForm.h"
#include "simulation/controlpanel/ufrmMouseSet.h"
#include "simulation/controlpanel/ufrmTimeandDate.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/security/ufrm360safe.h"
#include "simulation/system/ufrmSystemInfo.h"
#include "simulation/system/ufrmSystemProperty.h"
#include "StudentScript.h"

using namespace pravik::test;

namespace {

// The window of class T while it is shown, else nullptr.
template <class T> T* shown()
{
    T* w = sim::Ref<T>().data();
    return (w && w->isVisible()) ? w : nullptr;
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void clickTab(QTabWidget* tabs, const QString& caption)
{
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == caption)
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
    QApplication::processEvents();
}

// A menu item of the desktop, chosen as the student picks it from the open menu.
void choose(QMenu* menu, const QStringList& path)
{
    if (QAction* a = TfrmOperationMain::FindAction(menu, path))
        later([a] { a->trigger(); });
}

QString slot(TfrmTool* tool, int index)
{
    return question(tool) ? question(tool)->OpAnswer(index) : QString();
}

// Clicks the day `day` of the month that the calendar shows.
void clickDay(QCalendarWidget* cal, int day)
{
    auto* view = cal->findChild<QTableView*>();
    if (!view)
        return;
    QAbstractItemModel* m = view->model();
    bool inMonth = false;
    for (int r = 0; r < m->rowCount(); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            const int d = m->index(r, c).data().toInt();
            if (d == 1)
                inMonth = true; // the first day of the shown month
            if (inMonth && d == day) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(m->index(r, c)).center());
                return;
            }
        }
    }
}

void clickNode(QTreeWidget* tree, QTreeWidgetItem* node)
{
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        p->setExpanded(true); // the student opens the branches first
    tree->scrollToItem(node);
    QApplication::processEvents();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

QList<Step> controlPanelScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("open the control panel"),
         [] {
             choose(desktop()->PpStartMenu, {QStringLiteral("设置(&S)"), QStringLiteral("控制面板(&C)")});
             return true;
         }},
        {QStringLiteral("open the mouse"),
         [] {
             TfrmControlForm* cp = shown<TfrmControlForm>();
             if (!cp)
                 return false;
             shot(cp, QStringLiteral("controlpanel"));
             QTest::mouseDClick(cp->Label3, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("faster double-click"),
         [tool] {
             TfrmMouseSet* m = shown<TfrmMouseSet>();
             if (!m)
                 return false;
             seen(QStringLiteral("mouse.opened"),
                  QStringList{slot(tool, 21), slot(tool, 22), slot(tool, 28)}.join('|'));
             clickTab(m->pgMouse, QStringLiteral("鼠标键"));
             m->TrackBar1->setFocus();
             QTest::keyClick(m->TrackBar1, Qt::Key_Right);
             QTest::keyClick(m->TrackBar1, Qt::Key_Right);
             seen(QStringLiteral("mouse.speed"), QString::number(m->TrackBar1->value()));
             shot(m, QStringLiteral("mouse"));
             click(m->btOK);
             if (TfrmControlForm* cp = shown<TfrmControlForm>())
                 cp->close();
             return true;
         }},
        {QStringLiteral("open the date and time"),
         [tool] {
             if (shown<TfrmMouseSet>())
                 return false;
             seen(QStringLiteral("slot21"), slot(tool, 21));
             QTest::mouseDClick(desktop()->lbTime, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("set the date and time"),
         [] {
             TfrmTimeandDate* t = shown<TfrmTimeandDate>();
             if (!t)
                 return false;
             t->seYear->setFocus();
             t->seYear->selectAll();
             QTest::keyClicks(t->seYear, QStringLiteral("2012"));
             t->cbxMonth->setFocus();
             QTest::keyClick(t->cbxMonth, Qt::Key_Home);
             QTest::keyClick(t->cbxMonth, Qt::Key_Down);
             QTest::keyClick(t->cbxMonth, Qt::Key_Down);
             QApplication::processEvents();
             clickDay(t->calDate, 5);
             // Each part of the time selected and typed over.
             t->dtpTime->setFocus();
             const std::pair<QDateTimeEdit::Section, const char*> parts[] = {
                 {QDateTimeEdit::HourSection, "19"},
                 {QDateTimeEdit::MinuteSection, "09"},
                 {QDateTimeEdit::SecondSection, "00"}};
             for (const auto& [section, digits] : parts) {
                 t->dtpTime->setSelectedSection(section);
                 QTest::keyClicks(t->dtpTime, QString::fromLatin1(digits));
             }
             seen(QStringLiteral("date.picked"),
                  t->calDate->selectedDate().toString(QStringLiteral("yyyy-MM-dd")) + ' '
                      + t->dtpTime->time().toString(QStringLiteral("HH:mm:ss")));
             shot(t, QStringLiteral("timeanddate"));
             click(t->btOK);
             return true;
         }},
        {QStringLiteral("open the system properties"),
         [tool] {
             if (shown<TfrmTimeandDate>())
                 return false;
             seen(QStringLiteral("slot1"), slot(tool, 1));
             seen(QStringLiteral("clock"), desktop()->lbTime->text());
             choose(desktop()->ppMyCompter, {QStringLiteral("属性(&R)")});
             return true;
         }},
        {QStringLiteral("open the device manager"),
         [] {
             TfrmSystemProperty* s = shown<TfrmSystemProperty>();
             if (!s)
                 return false;
             clickTab(s->pgSystem, QStringLiteral("硬件"));
             shot(s, QStringLiteral("systemproperty-hardware"));
             click(s->lblDeviceManager);
             return true;
         }},
        {QStringLiteral("close the device manager and confirm"),
         [] {
             QWidget* console = sim::CurrentWindow(QStringLiteral("TfrmManagementConsole"));
             if (!console || !console->isVisible())
                 return false;
             shot(console, QStringLiteral("devicemanager"));
             console->close(); // its close box
             click(shown<TfrmSystemProperty>()->btOK);
             return true;
         }},
        {QStringLiteral("open the system information"),
         [tool] {
             if (shown<TfrmSystemProperty>())
                 return false;
             seen(QStringLiteral("slot18"), slot(tool, 18));
             choose(desktop()->PpStartMenu,
                    {QStringLiteral("程序(&P)"), QStringLiteral("附件"), QStringLiteral("系统工具"),
                     QStringLiteral("系统信息")});
             return true;
         }},
        {QStringLiteral("look at memory and disks"),
         [tool] {
             TfrmSystemInfo* i = shown<TfrmSystemInfo>();
             if (!i)
                 return false;
             clickNode(i->tvCategory, i->FindNode(QStringLiteral("内存")));
             seen(QStringLiteral("slot19.memory"), slot(tool, 19));
             clickNode(i->tvCategory, i->FindNode(QStringLiteral("磁盘")));
             seen(QStringLiteral("slot19"), slot(tool, 19));
             shot(i, QStringLiteral("systeminfo"));
             i->close(); // its close box
             return true;
         }},
        {QStringLiteral("leave the desktop"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

QList<Step> printerScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"),
         [tool] {
             if (!desktopShown(tool, QStringLiteral("desktop")))
                 return false;
             secsuite::SetScanInterval(150); // the scans run in 150 ms instead of 5 s
             choose(desktop()->PpStartMenu, {QStringLiteral("设置(&S)"), QStringLiteral("控制面板(&C)")});
             return true;
         }},
        {QStringLiteral("open the printers"),
         [] {
             TfrmControlForm* cp = shown<TfrmControlForm>();
             if (!cp)
                 return false;
             QTest::mouseDClick(cp->Label4, Qt::LeftButton);
             return true;
         }},
        {QStringLiteral("add a printer"),
         [] {
             TfrmAddPrint* p = shown<TfrmAddPrint>();
             if (!p)
                 return false;
             seen(QStringLiteral("controlpanel.closed"), Flag(!shown<TfrmControlForm>()));
             shot(p, QStringLiteral("printers"));
             click(p->lblAddPrinter);
             click(shown<TfrmNewRegPrint>()->lblNext);
             TfrmRegPrint2* type = shown<TfrmRegPrint2>();
             click(type->lblNetwork);
             shot(type, QStringLiteral("printer-type"));
             click(type->lblNext);
             click(shown<TfrmRegPrint4>()->lblNext);
             return true;
         }},
        {QStringLiteral("choose the printer"),
         [] {
             TfrmRegPrint5* b = shown<TfrmRegPrint5>();
             if (!b)
                 return false;
             QTreeWidgetItem* printer = nullptr;
             for (QTreeWidgetItemIterator it(b->tv1); *it; ++it)
                 if ((*it)->text(0) == QStringLiteral("Canon iP2700 series"))
                     printer = *it;
             if (printer)
                 clickNode(b->tv1, printer);
             seen(QStringLiteral("printer.name"), b->edt1->text());
             shot(b, QStringLiteral("printer-browse"));
             click(b->lblNext);
             click(shown<TfrmRegPrint6>()->lblYes);
             click(shown<TfrmRegPrintSuccess>()->lblFinish);
             return true;
         }},
        {QStringLiteral("printer added"),
         [tool] {
             TfrmRegPrintOK* ok = shown<TfrmRegPrintOK>();
             if (!ok)
                 return false;
             seen(QStringLiteral("slot26"), slot(tool, 26));
             seen(QStringLiteral("printers.closed"), Flag(!shown<TfrmAddPrint>()));
             shot(ok, QStringLiteral("printers-after"));
             ok->close();
             choose(
                 desktop()->PpStartMenu,
                 {QStringLiteral("程序(&P)"), QStringLiteral("360安全中心"), QStringLiteral("360安全卫士")});
             return true;
         }},
        {QStringLiteral("start the system check"),
         [tool] {
             Tfrm360safe1* s = shown<Tfrm360safe1>();
             if (!s)
                 return false;
             seen(QStringLiteral("slot20.started"), slot(tool, 20));
             seen(QStringLiteral("btn1"), Flag(desktop()->btn1->isVisible()));
             click(s->lblStart);
             return true;
         }},
        {QStringLiteral("repair what the check found"),
         [] {
             Tfrm360safe4* s = shown<Tfrm360safe4>();
             if (!s)
                 return false;
             shot(s, QStringLiteral("360safe-result"));
             click(s->lblRepair);
             return true;
         }},
        {QStringLiteral("check done"),
         [tool] {
             Tfrm360safe7* s = shown<Tfrm360safe7>();
             if (!s)
                 return false;
             seen(QStringLiteral("slot20"), slot(tool, 20));
             click(s->lblClose);
             choose(desktop()->PpStartMenu,
                    {QStringLiteral("程序(&P)"), QStringLiteral("360安全中心"), QStringLiteral("360杀毒")});
             return true;
         }},
        {QStringLiteral("scan for viruses"),
         [tool] {
             Tfrm360sd1* s = shown<Tfrm360sd1>();
             if (!s)
                 return false;
             seen(QStringLiteral("slot27.started"), slot(tool, 27));
             click(s->lblStart);
             Tfrm360sd2* found = shown<Tfrm360sd2>();
             click(found->lblMin); // minimised, then back from the taskbar
             seen(QStringLiteral("sd2.minimised"), Flag(!found->isVisible()));
             click(desktop()->btn360sd);
             click(found->lblProcess);
             return true;
         }},
        {QStringLiteral("scan done"),
         [tool] {
             Tfrm360sd3* s = shown<Tfrm360sd3>();
             if (!s)
                 return false;
             seen(QStringLiteral("slot27"), slot(tool, 27));
             shot(s, QStringLiteral("360sd-done"));
             click(s->lblClose);
             return true;
         }},
        {QStringLiteral("leave the desktop"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

PRAVIK_STUDENT_SCENARIO("controlpanel", controlPanelScript);
PRAVIK_STUDENT_SCENARIO("printer", printerScript);

} // namespace

#include "simulation/desktop/SimWindows.h"

#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSet>
#include <QVector>

#include "question/OperationTypes.h"
#include "question/TQuestion.h"

namespace sim {

namespace {

TQuestion* g_question = nullptr;
int g_opType = 0;

QVector<WindowClass>& registry()
{
    static QVector<WindowClass> r;
    return r;
}

// The windows whose visibility keeps the desktop's exit button disabled.
const QStringList& timerList()
{
    static const QStringList l = [] {
        QStringList r{
            "TfrmIIS",      "TfrmIP",          "TfrmIESet",          "TfrmFTP",        "Tfrmmain",
            "Tfrmtoolbar",  "TfrmTimeandDate", "TfrmWindowsmenu",    "TfrmRecy",       "TfrmMyCP",
            "TfrmRcyEandC", "TfrmExplorer",    "TfrmSystemProperty", "TfrmSystemInfo", "TfrmControlForm"};
        for (int i = 1; i <= 7; ++i)
            r << QStringLiteral("Tfrm360safe%1").arg(i);
        for (int i = 1; i <= 3; ++i)
            r << QStringLiteral("Tfrm360sd%1").arg(i);
        r << "TfrmMouseSet"
          << "TfrmAddPrint"
          << "TfrmNewRegPrint"
          << "TfrmRegPrint";
        for (int i = 2; i <= 6; ++i)
            r << QStringLiteral("TfrmRegPrint%1").arg(i);
        r << "TfrmRegPrintOK"
          << "TfrmRegPrintSuccess"
          << "TfrmIPSet"
          << "TfrmIPProperty";
        return r;
    }();
    return l;
}

// Known classes that the timer does not look at: the desktop itself and the modal
// sub-dialogs of other simulated windows.
const QSet<QString>& notChecked()
{
    static const QSet<QString> s{"TfrmOperationMain", "TfrmLanSet", "TfrmAddSafeWeb", "TfrmAddUnSafeWeb",
                                 "TfrmMydocumentProperty"};
    return s;
}

// CloseOperationWindows: these are only closed (their owners destroy them later).
const QStringList& closeOnlyList()
{
    static const QStringList l{"TfrmIP", "TfrmIPProperty", "TfrmIPSet"};
    return l;
}

// CloseOperationWindows: closed, destroyed and cleared, in this order.
const QStringList& destroyList()
{
    static const QStringList l = [] {
        QStringList r{"TfrmRcyEandC",    "TfrmMyCP",     "TfrmRecy",       "TfrmWindowsmenu",
                      "TfrmTimeandDate", "Tfrmtoolbar",  "TfrmSystemInfo", "TfrmSystemProperty",
                      "TfrmControlForm", "TfrmMouseSet", "TfrmAddPrint",   "TfrmRegPrint"};
        for (int i = 2; i <= 6; ++i)
            r << QStringLiteral("TfrmRegPrint%1").arg(i);
        r << "TfrmRegPrintOK"
          << "TfrmRegPrintSuccess"
          << "TfrmNewRegPrint";
        for (int i = 1; i <= 7; ++i)
            r << QStringLiteral("Tfrm360safe%1").arg(i);
        for (int i = 1; i <= 3; ++i)
            r << QStringLiteral("Tfrm360sd%1").arg(i);
        return r;
    }();
    return l;
}

const WindowClass* find(const QString& name)
{
    for (const WindowClass& c : registry())
        if (c.name == name)
            return &c;
    return nullptr;
}

bool checkedByTimer(const QString& name)
{
    if (timerList().contains(name))
        return true;
    return !notChecked().contains(name);
}

} // namespace

TQuestion* CurrentQuestion() { return g_question; }
void SetCurrentQuestion(TQuestion* question) { g_question = question; }
int OpType() { return g_opType; }
void SetOpType(int opType) { g_opType = opType; }

QString Slot(int index) { return g_question ? g_question->OpAnswer(index) : QString(); }
void SetSlot(int index, const QString& value)
{
    if (g_question)
        g_question->SetOpAnswer(index, value);
}

bool AnswerTextIsFor(int dialogType)
{
    return g_question && g_question->OperationType == dialogType
        && OperationStartMode(dialogType) == TStartMode::SimulatedDesktop;
}

QWidget* WindowParent() { return CurrentWindow(QStringLiteral("TfrmOperationMain")); }

void ShowWindow(QWidget* w, const OpenOptions& options, bool centre)
{
    if (!w)
        return;
    if (options.stayOnTop)
        w->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (centre) {
        w->adjustSize();
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect avail = screen->availableGeometry();
            const QSize size = w->size();
            w->move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
        }
    }
    if (!options.modal) {
        w->show();
        w->raise();
        w->activateWindow();
        return;
    }
    if (auto* dlg = qobject_cast<QDialog*>(w)) {
        dlg->exec();
        return;
    }
    QPointer<QWidget> guard(w);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    QEventLoop loop;
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void RegisterWindowClass(const WindowClass& cls)
{
    for (WindowClass& c : registry()) {
        if (c.name == cls.name) {
            c = cls;
            return;
        }
    }
    registry().append(cls);
}

void UnregisterWindowClass(const QString& name)
{
    auto& r = registry();
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r[i].name == name) {
            r.removeAt(i);
            return;
        }
    }
}

bool IsRegistered(const QString& name) { return find(name) != nullptr; }

QStringList RegisteredClasses()
{
    QStringList l;
    for (const WindowClass& c : registry())
        l << c.name;
    return l;
}

QWidget* CurrentWindow(const QString& name)
{
    const WindowClass* c = find(name);
    return (c && c->current) ? c->current() : nullptr;
}

QWidget* OpenWindow(const QString& name, const OpenOptions& options)
{
    const WindowClass* c = find(name);
    if (!c || !c->open)
        return nullptr;
    // The opener may register further classes; work on a copy.
    const auto open = c->open;
    return open(options);
}

bool AnySimulatedWindowVisible()
{
    const QVector<WindowClass> classes = registry();
    for (const WindowClass& c : classes) {
        if (!checkedByTimer(c.name) || !c.current)
            continue;
        QWidget* w = c.current();
        if (w && w->isVisible())
            return true;
    }
    return false;
}

void DestroyWindow(const QString& name)
{
    QPointer<QWidget> w = CurrentWindow(name);
    if (!w)
        return;
    w->close();
    delete w.data(); // the class's QPointer empties itself
}

void CloseOperationWindows()
{
    for (const QString& name : closeOnlyList())
        if (QWidget* w = CurrentWindow(name))
            w->close();
    for (const QString& name : destroyList())
        DestroyWindow(name);
}

void ShowMnemonics(QWidget* root)
{
    for (QLabel* l : root->findChildren<QLabel*>())
        if (!l->buddy() && l->text().contains(QLatin1Char('&')))
            l->setBuddy(root);
}

QFont SongFont(int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

bool SwallowsDialogKey(const QKeyEvent* e, bool returnToo)
{
    if (e->modifiers() & ~Qt::KeypadModifier)
        return false;
    if (e->key() == Qt::Key_Escape)
        return true;
    return returnToo && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter);
}

} // namespace sim

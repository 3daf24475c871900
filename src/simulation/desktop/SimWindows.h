#pragma once
// What every simulated window shares: the current question, the desktop's operation
// type, one process-wide reference per window class (empty while no window of the
// class exists), "open" = destroy the old window, create a new one, show it, and the
// list of window classes that the desktop's refresh timer checks and that
// CloseOperationWindows closes.
//
// A simulated window class joins by registering itself once, from its own .cpp:
//
//     static sim::Registrar<TfrmRecy> regRecy("TfrmRecy");
//
// The desktop then finds it by class name: its refresh timer sees it when visible,
// CloseOperationWindows closes it in its turn, and the desktop's actions open it
// (sim::OpenWindow("TfrmRecy", ...)). Nothing in the desktop needs to change.
//
// How each known class is treated by the timer and by CloseOperationWindows is kept
// in one table in SimWindows.cpp (the classes the desktop lists). A class that is not
// in that table is checked by the timer and not closed by CloseOperationWindows.
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class TQuestion;

class QKeyEvent;

namespace sim {

// ---- the current question and the desktop mode ---------------------------------

TQuestion* CurrentQuestion();
void SetCurrentQuestion(TQuestion* question);

// The desktop's operation type (0, 1, 4, 22, 23, 26), set by SetOperation.
int OpType();
void SetOpType(int opType);

// Slot access on the current question; reads "" and ignores writes without one.
QString Slot(int index);
void SetSlot(int index, const QString& value);

// True when a dialog that records the question's answer text for operation type
// `dialogType` (4 IIS, 19 IP, 22 FTP, 23 Internet options) may read and write it: the
// current question is of that type, which is one of the simulated-desktop types. In
// a desktop of another type the dialog can be used but leaves the answer text alone.
bool AnswerTextIsFor(int dialogType);

// ---- one reference per window class ----------------------------------------------

// The process-wide reference of window class T. QPointer: it empties itself when
// the window is destroyed, however that happens.
template <class T> QPointer<T>& Ref()
{
    static QPointer<T> ref;
    return ref;
}

// How a window is shown by its opener.
struct OpenOptions {
    bool stayOnTop = false; // stay-on-top window
    bool modal = false; // shown modally: OpenWindow returns after it closed
    QString verb; // class-specific request, e.g. "DriveD", "FolderPanel"
};

// The parent that simulated windows get: the desktop while one exists (so that they
// take input while the desktop runs modally), else none.
QWidget* WindowParent();

// Shows a freshly created window as asked: stay-on-top, centred on the screen when
// `centre`, modal or not. For a modal window this returns once it has closed.
void ShowWindow(QWidget* w, const OpenOptions& options, bool centre = false);

// Destroy-create-show for class T: destroys the window of the class if any, creates
// a new one (parent: WindowParent(), then flagged as a top-level window), stores it
// in Ref<T>() and returns it without showing it.
template <class T> T* Recreate()
{
    QPointer<T>& ref = Ref<T>();
    delete ref.data();
    T* w = new T(WindowParent());
    w->setWindowFlag(Qt::Window, true);
    ref = w;
    return w;
}

// Destroy-create-show for class T in one call.
template <class T> T* Open(const OpenOptions& options = {})
{
    T* w = Recreate<T>();
    ShowWindow(w, options);
    return Ref<T>().data(); // a modal window may be gone already
}

// ---- the registry of window classes ----------------------------------------------

struct WindowClass {
    QString name; // e.g. "TfrmIESet"
    std::function<QWidget*()> current; // the class's reference
    std::function<QWidget*(const OpenOptions&)> open; // may be empty
};

void RegisterWindowClass(const WindowClass& cls);
void UnregisterWindowClass(const QString& name);
bool IsRegistered(const QString& name);
QStringList RegisteredClasses();

// The existing window of a registered class, or nullptr.
QWidget* CurrentWindow(const QString& name);
// Opens a window of a registered class; nullptr when the class is not registered
// (its dialog does not exist yet) or it has no opener.
QWidget* OpenWindow(const QString& name, const OpenOptions& options = {});

// True when any window checked by the desktop's refresh timer exists and is visible.
bool AnySimulatedWindowVisible();

// Closes the windows of the desktop's list in its order (see SimWindows.cpp):
// the network-connection windows are only closed, the others closed, destroyed and
// their references cleared.
void CloseOperationWindows();

// Refers to every simulated window class of the program (SimWindowClasses.cpp) so
// that their registrations are linked in; the desktop calls it.
void LinkWindowClasses();

// Closes and destroys one registered class's window (if any).
void DestroyWindow(const QString& name);

// Registers class T at static-initialisation time with a destroy-create-show opener.
// A class with a different opener passes its own. Use it through
// SIM_REGISTER_WINDOW(T) / SIM_REGISTER_WINDOW_WITH(T, opener), which also define the
// anchor that SimWindowClasses.cpp uses to keep the class's object file in the link
// of a static library.
template <class T> struct Registrar {
    explicit Registrar(const char* name, std::function<QWidget*(const OpenOptions&)> open = nullptr)
    {
        WindowClass c;
        c.name = QString::fromLatin1(name);
        c.current = [] { return static_cast<QWidget*>(Ref<T>().data()); };
        c.open = open ? std::move(open)
                      : std::function<QWidget*(const OpenOptions&)>(
                          [](const OpenOptions& o) { return static_cast<QWidget*>(Open<T>(o)); });
        RegisterWindowClass(c);
    }
};

// Makes the labels under `root` whose caption has an "&" draw it as the underlined
// access key (as the original labels do) instead of a literal "&".
void ShowMnemonics(QWidget* root);

// Escape closes no simulated window, and where `returnToo` is set Return and Enter do
// nothing either (a Qt dialog would reject on Escape and press a default button on
// Return). True when the event is such a key: the caller swallows it.
bool SwallowsDialogKey(const QKeyEvent* e, bool returnToo = false);

// The font of the simulated windows: "宋体" 13 px, falling back to a CJK font here.
QFont SongFont(int pixelSize = 13, bool bold = false);

} // namespace sim

#define SIM_REGISTER_WINDOW(T)                                                                               \
    static sim::Registrar<T> sim_registrar_##T(#T);                                                          \
    void sim_anchor_##T() { }
#define SIM_REGISTER_WINDOW_WITH(T, opener)                                                                  \
    static sim::Registrar<T> sim_registrar_##T(#T, opener);                                                  \
    void sim_anchor_##T() { }

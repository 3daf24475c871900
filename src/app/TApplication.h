#pragma once
// The application object of the client. An exception that escapes an event handler
// is written to the log as one MSG_FATAL line in the sender form (the receiver of the
// event is the sender) and no dialog is shown; the program goes on.
#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The application title: it names the program, never a window. Qt appends a
    // display name to every window's caption (so the toolbar would read "Pravik —
    // <title>" to the window system); the display name therefore stays unset.
    static void SetTitle(const QString& title);
};

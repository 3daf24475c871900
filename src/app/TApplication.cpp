#include "app/TApplication.h"

#include <exception>

#include "log/unLogCtrl.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) { }

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportUnhandledException(receiver, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ReportUnhandledException(receiver, QStringLiteral("unknown exception"));
    }
    return false;
}

void TApplication::SetTitle(const QString& title) { QCoreApplication::setApplicationName(title); }

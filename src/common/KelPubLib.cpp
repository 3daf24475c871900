#include "common/KelPubLib.h"

#include <QCoreApplication>
#include <QThread>

void TKelPubLib::Delay(unsigned ms, bool processMessages)
{
    const win::DWORD start = TickCount();
    // Unsigned difference: correct across a wrap of the tick counter.
    while (win::DWORD(TickCount() - start) <= ms) {
        QThread::msleep(5);
        if (processMessages && QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

win::DWORD TKelPubLib::TickCount() { return win::GetTickCount(); }

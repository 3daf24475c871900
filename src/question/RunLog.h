#pragma once
// Logging of the question readers, the operation-type tables and the website client:
// one line through the process-wide logger of the data module (the reference that
// TDM::WriteLog uses). Before a logger is attached every line is dropped, as the log
// does not exist yet.
#include <QString>

#include "log/unLogCtrl.h"

void SetRunLogger(ILogCtrlPtr logger);
ILogCtrlPtr RunLogger();
// One line at a level (trace lines use MSG_ERROR, as everywhere in the client).
void RunLog(const QString& text, TLogType level = MSG_ERROR);

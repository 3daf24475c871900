#pragma once
// The process-wide logger reference: one line through the log of the run from
// anywhere in the core (the question readers, the operation-type tables, the website
// client, TDM::WriteLog). The website client attaches the log once it has created it;
// before that, and after an empty pointer detaches it, every line is dropped.
#include <QString>

#include "log/unLogCtrl.h"

void SetProcessLogger(ILogCtrlPtr logger);
ILogCtrlPtr ProcessLogger();
// The same reference under the names the website client uses.
inline void SetRunLogger(ILogCtrlPtr logger) { SetProcessLogger(std::move(logger)); }
inline ILogCtrlPtr RunLogger() { return ProcessLogger(); }
// One line at a level (trace lines use MSG_ERROR, as everywhere in the client).
void RunLog(const QString& text, TLogType level = MSG_ERROR);

#pragma once
// The process-wide logger reference of the run. The website client object creates
// the log writer and installs it here (and in the data module); the question readers,
// the operation-type tables and the website client write through it. Before a logger
// is installed every line is dropped, as the log does not exist yet.
#include <QString>

#include "log/unLogCtrl.h"

void SetRunLogger(ILogCtrlPtr logger);
ILogCtrlPtr RunLogger();
// One line at a level (trace lines use MSG_ERROR, as everywhere in the client).
void RunLog(const QString& text, TLogType level = MSG_ERROR);

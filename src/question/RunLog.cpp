#include "question/RunLog.h"

#include "environment/unDMDB.h"

void SetRunLogger(ILogCtrlPtr logger)
{
    SetProcessLogger(std::move(logger));
}

ILogCtrlPtr RunLogger()
{
    return ProcessLogger();
}

void RunLog(const QString& text, TLogType level)
{
    const ILogCtrlPtr logger = ProcessLogger();
    if (logger)
        logger->Write(level, nullptr, text);
}

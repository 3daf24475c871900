#include "question/RunLog.h"

#include <mutex>

namespace {
std::mutex g_lock;
ILogCtrlPtr g_logger;
}

void SetRunLogger(ILogCtrlPtr logger)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_logger = std::move(logger);
}

ILogCtrlPtr RunLogger()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_logger;
}

void RunLog(const QString& text, TLogType level)
{
    const ILogCtrlPtr logger = RunLogger();
    if (logger)
        logger->Write(level, nullptr, text);
}

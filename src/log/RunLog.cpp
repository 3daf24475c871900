#include "log/RunLog.h"

#include <mutex>

namespace {

std::mutex g_loggerLock;
ILogCtrlPtr g_logger;

} // namespace

void SetProcessLogger(ILogCtrlPtr logger)
{
    std::lock_guard<std::mutex> g(g_loggerLock);
    g_logger = std::move(logger);
}

ILogCtrlPtr ProcessLogger()
{
    std::lock_guard<std::mutex> g(g_loggerLock);
    return g_logger;
}

void RunLog(const QString& text, TLogType level)
{
    const ILogCtrlPtr logger = ProcessLogger();
    if (logger)
        logger->Write(level, nullptr, text);
}

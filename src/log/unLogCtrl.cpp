#include "log/unLogCtrl.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMetaObject>
#include <atomic>
#include <stdexcept>

#include "platform/Ansi.h"
#include "platform/WinPaths.h"

namespace {

// Pieces of the line "类型：%s，\t记录时间：%s，%s%s" and of the sender form.
const QString kLinePrefix = QStringLiteral("类型：");
const QString kTimePrefix = QStringLiteral("，\t记录时间：");
const QString kTextPrefix = QStringLiteral("，");
const QString kSenderPrefix = QStringLiteral("对象:");
const QString kMessagePrefix = QStringLiteral("，\t信息:");

// A log bigger than this is copied away when the writer starts (size / 1024 > 5000).
constexpr qint64 kRollOverBytes = 5000 * 1024;

std::atomic<ILogCtrl*> g_exceptionLogger{nullptr};

QString senderForm(const QObject* sender, const QString& text)
{
    return kSenderPrefix + SenderDescription(sender) + kMessagePrefix + text;
}

bool openShared(QFile& file)
{
    // Unbuffered: every line reaches the file at once, so other processes reading
    // the log (and a crash) see every line written so far.
    return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

} // namespace

QString LogTypeName(TLogType level)
{
    switch (level) {
    case MSG_DEBUG:
        return QStringLiteral("MSG_DEBUG");
    case MSG_INFO:
        return QStringLiteral("MSG_INFO");
    case MSG_WARN:
        return QStringLiteral("MSG_WARN");
    case MSG_ERROR:
        return QStringLiteral("MSG_ERROR");
    case MSG_FATAL:
        return QStringLiteral("MSG_FATAL");
    }
    return QString::number(int(level));
}

QString SenderDescription(const QObject* sender)
{
    if (!sender)
        return QString();
    try {
        QString out;
        if (!sender->objectName().isEmpty()) {
            out = sender->objectName();
            for (const QObject* p = sender->parent(); p; p = p->parent())
                out += QStringLiteral("->") + p->objectName();
            return out;
        }
        const QMetaObject* mo = sender->metaObject();
        out = QString::fromLatin1(mo->className());
        for (mo = mo->superClass(); mo; mo = mo->superClass())
            out += QStringLiteral("<-") + QString::fromLatin1(mo->className());
        return out;
    } catch (...) {
        return QString();
    }
}

TLogCtrl::TLogCtrl(const QString& winPath) : m_fileName(winPath)
{
    const QString host = win::toHost(winPath);
    if (host.isEmpty())
        throw std::runtime_error("log file path cannot be mapped: " + winPath.toStdString());
    m_file.setFileName(host);
    if (!openShared(m_file))
        throw std::runtime_error("log file cannot be opened: " + winPath.toStdString());

    if (m_file.size() > kRollOverBytes) {
        m_file.close();
        const QString copyWin = winPath
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"))
            + QStringLiteral(".txt");
        const QString copyHost = win::toHost(copyWin);
        bool copied = false;
        if (!copyHost.isEmpty()) {
            if (QFileInfo::exists(copyHost))
                QFile::remove(copyHost);
            copied = QFile::copy(host, copyHost);
        }
        // The old log is only deleted once its copy exists; otherwise it is kept and
        // appended to rather than lost.
        if (copied)
            QFile::remove(host);
        if (!openShared(m_file))
            throw std::runtime_error("log file cannot be opened: " + winPath.toStdString());
    }
    SetUnhandledExceptionLogger(this);
}

TLogCtrl::~TLogCtrl()
{
    ILogCtrl* self = this;
    g_exceptionLogger.compare_exchange_strong(self, nullptr);
    std::lock_guard<std::mutex> guard(m_lock);
    m_file.close();
}

void TLogCtrl::SetLevel(TLogType level)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_level = level;
}

void TLogCtrl::Debug(const QString& text) { writeLine(MSG_DEBUG, text); }
void TLogCtrl::Info(const QString& text) { writeLine(MSG_INFO, text); }
void TLogCtrl::Warn(const QString& text) { writeLine(MSG_WARN, text); }
void TLogCtrl::Error(const QString& text) { writeLine(MSG_ERROR, text); }
void TLogCtrl::Fatal(const QString& text) { writeLine(MSG_FATAL, text); }

void TLogCtrl::Debug(const QObject* sender, const QString& text)
{
    writeLine(MSG_DEBUG, senderForm(sender, text));
}
void TLogCtrl::Info(const QObject* sender, const QString& text)
{
    writeLine(MSG_INFO, senderForm(sender, text));
}
void TLogCtrl::Warn(const QObject* sender, const QString& text)
{
    writeLine(MSG_WARN, senderForm(sender, text));
}
void TLogCtrl::Error(const QObject* sender, const QString& text)
{
    writeLine(MSG_ERROR, senderForm(sender, text));
}
void TLogCtrl::Fatal(const QObject* sender, const QString& text)
{
    writeLine(MSG_FATAL, senderForm(sender, text));
}

void TLogCtrl::Write(TLogType level, const QObject* sender, const QString& text)
{
    writeLine(level, sender ? senderForm(sender, text) : text);
}

void TLogCtrl::GetText(QString& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    QByteArray bytes;
    if (m_file.seek(0))
        bytes = m_file.readAll();
    text = win::fromAnsi(bytes);
}

void TLogCtrl::writeLine(TLogType level, const QString& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (level < m_level || !m_file.isOpen())
        return;
    const QString line = kLinePrefix + LogTypeName(level) + kTimePrefix
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")) + kTextPrefix
        + text + QStringLiteral("\r\n");
    const QByteArray bytes = win::toAnsi(line);
    m_file.seek(m_file.size());
    m_file.write(bytes);
}

void SetUnhandledExceptionLogger(ILogCtrl* logger) { g_exceptionLogger.store(logger); }

void ReportUnhandledException(const QObject* receiver, const QString& message)
{
    ILogCtrl* logger = g_exceptionLogger.load();
    if (!logger)
        return;
    try {
        logger->Fatal(receiver, message);
    } catch (...) {
        // Logging never stops the program.
    }
}

#pragma once
// The log writer: one text file "zovovozuz.log" next to the program, lines in GBK
// with CR LF, written under a lock so that threads never interleave inside a line.
#include <QObject>
#include <QString>
#include <QFile>
#include <memory>
#include <mutex>

enum TLogType : quint8 { MSG_DEBUG = 0, MSG_INFO = 1, MSG_WARN = 2, MSG_ERROR = 3, MSG_FATAL = 4 };

// Name of a level as written into the file ("MSG_DEBUG" ...).
QString LogTypeName(TLogType level);

class ILogCtrl {
public:
    virtual ~ILogCtrl() = default;
    virtual void SetLevel(TLogType level) = 0;
    virtual void Debug(const QString& text) = 0;
    virtual void Info(const QString& text) = 0;
    virtual void Warn(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    virtual void Fatal(const QString& text) = 0;
    virtual void Debug(const QObject* sender, const QString& text) = 0;
    virtual void Info(const QObject* sender, const QString& text) = 0;
    virtual void Warn(const QObject* sender, const QString& text) = 0;
    virtual void Error(const QObject* sender, const QString& text) = 0;
    virtual void Fatal(const QObject* sender, const QString& text) = 0;
    virtual void GetText(QString& text) = 0;
    // Writes one line at a level, with the sender form when sender is given.
    virtual void Write(TLogType level, const QObject* sender, const QString& text) = 0;
};

using ILogCtrlPtr = std::shared_ptr<ILogCtrl>;

// Builds the sender description: for a named object its name and "->" + the names of
// its parents; otherwise its class name and "<-" + its ancestor classes.
QString SenderDescription(const QObject* sender);

class TLogCtrl : public ILogCtrl {
public:
    // Opens (creating) the file given as a Windows path, applies the size roll-over and
    // becomes the handler of unhandled exceptions (see InstallExceptionHandler).
    // Throws std::runtime_error when the file cannot be opened.
    explicit TLogCtrl(const QString& winPath);
    ~TLogCtrl() override;

    void SetLevel(TLogType level) override;
    void Debug(const QString& text) override;
    void Info(const QString& text) override;
    void Warn(const QString& text) override;
    void Error(const QString& text) override;
    void Fatal(const QString& text) override;
    void Debug(const QObject* sender, const QString& text) override;
    void Info(const QObject* sender, const QString& text) override;
    void Warn(const QObject* sender, const QString& text) override;
    void Error(const QObject* sender, const QString& text) override;
    void Fatal(const QObject* sender, const QString& text) override;
    void GetText(QString& text) override;
    void Write(TLogType level, const QObject* sender, const QString& text) override;

    const QString& FileName() const { return m_fileName; }

private:
    void writeLine(TLogType level, const QString& text);
    QString m_fileName; // Windows path
    TLogType m_level = MSG_DEBUG;
    QFile m_file;
    std::mutex m_lock;
};

// The application-wide handler of unhandled exceptions: the application object calls
// it from notify() with the receiver and the exception's message; it writes one
// MSG_FATAL line in the sender form through the installed logger (none: ignored).
void ReportUnhandledException(const QObject* receiver, const QString& message);
// The logger that ReportUnhandledException writes to (set by TLogCtrl's construction).
void SetUnhandledExceptionLogger(ILogCtrl* logger);

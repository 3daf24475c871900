// Window messages. Every registered window has a record file <handle>.win in the
// session folder (see SessionDir: "windows") with the lines pid, process start time,
// class name, caption and the name of its local socket, and it listens on that
// socket. A request is one byte ('S' send, 'P' post), the message (32 bits), wParam
// and lParam (64 bits each, little endian); the answer to 'S' is the result (64
// bits). Records of processes that no longer run are ignored and removed.
#include "platform/WinMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMutex>
#include <QPointer>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/PlatformInternal.h"
#include "platform/WinProcess.h"

namespace win {

namespace {

constexpr int kRequestSize = 1 + 4 + 8 + 8;

struct Request {
    char kind = 0;
    quint32 msg = 0;
    quint64 wParam = 0;
    qint64 lParam = 0;
};

QByteArray encode(const Request& r)
{
    QByteArray b(kRequestSize, '\0');
    b[0] = r.kind;
    qToLittleEndian<quint32>(r.msg, b.data() + 1);
    qToLittleEndian<quint64>(r.wParam, b.data() + 5);
    qToLittleEndian<qint64>(r.lParam, b.data() + 13);
    return b;
}

Request decode(const char* p)
{
    Request r;
    r.kind = p[0];
    r.msg = qFromLittleEndian<quint32>(p + 1);
    r.wParam = qFromLittleEndian<quint64>(p + 5);
    r.lParam = qFromLittleEndian<qint64>(p + 13);
    return r;
}

struct Record {
    HWND hwnd = 0;
    qint64 pid = 0;
    quint64 start = 0;
    QString className;
    QString caption;
    QString socket;
};

QString windowsDir() { return detail::SessionDir(QStringLiteral("windows")); }

QString recordPath(HWND h) { return windowsDir() + "/" + QString::number(h) + ".win"; }

QString oneLine(QString s)
{
    s.replace('\n', ' ');
    s.replace('\r', ' ');
    return s;
}

bool writeRecord(const Record& r)
{
    const QByteArray data = QByteArray::number(r.pid) + '\n' + QByteArray::number(r.start) + '\n'
        + oneLine(r.className).toUtf8() + '\n' + oneLine(r.caption).toUtf8() + '\n' + r.socket.toUtf8()
        + '\n';
    return detail::WriteFileAtomically(recordPath(r.hwnd), data);
}

void removeRecord(HWND h, const QString& socket)
{
    QFile::remove(recordPath(h));
    if (socket.startsWith('/'))
        QFile::remove(socket);
}

// The record of a live window of another (or this) process; false when missing,
// unreadable or left by a process that ended (then it is removed).
bool readRecord(HWND h, Record& r)
{
    QFile f(recordPath(h));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    if (lines.size() < 5)
        return false; // a handle being reserved, or damaged
    r.hwnd = h;
    r.pid = lines[0].toLongLong();
    r.start = lines[1].toULongLong();
    r.className = QString::fromUtf8(lines[2]);
    r.caption = QString::fromUtf8(lines[3]);
    r.socket = QString::fromUtf8(lines[4]);
    if (r.pid <= 0 || r.start == 0 || detail::ProcessStartTime(r.pid) != r.start || !IsProcessAlive(r.pid)) {
        removeRecord(h, r.socket);
        return false;
    }
    return true;
}

bool sameText(const QString& want, const QString& have)
{
    return want.isEmpty() || want.compare(have, Qt::CaseInsensitive) == 0;
}

// ---- windows of this process -------------------------------------------------

class WindowObject : public QObject {
public:
    Record record;
    MessageHandler handler;
    QLocalServer* server = nullptr;

    LRESULT call(const Request& r)
    {
        MessageHandler h = handler; // the handler may unregister the window
        return h ? h(r.msg, WPARAM(r.wParam), LPARAM(r.lParam)) : 0;
    }

    void onConnection()
    {
        while (QLocalSocket* s = server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] { serve(s); });
            connect(s, &QLocalSocket::disconnected, this, [this, s] {
                serve(s);
                s->deleteLater();
            });
            serve(s);
        }
    }

    void serve(QLocalSocket* socket)
    {
        QPointer<QLocalSocket> s(socket);
        if (s->property("busy").toBool())
            return; // a handler of this connection is running; it continues afterwards
        s->setProperty("busy", true);
        QByteArray buffer = s->property("buffer").toByteArray() + s->readAll();
        while (buffer.size() >= kRequestSize) {
            const Request r = decode(buffer.constData());
            buffer.remove(0, kRequestSize);
            if (r.kind == 'P') {
                QPointer<WindowObject> self(this);
                QTimer::singleShot(0, this, [self, r] {
                    if (self)
                        self->call(r);
                });
                continue;
            }
            s->setProperty("buffer", buffer);
            const LRESULT result = call(r);
            if (!s)
                return;
            buffer = s->property("buffer").toByteArray() + s->readAll();
            QByteArray answer(8, '\0');
            qToLittleEndian<qint64>(qint64(result), answer.data());
            // Written and flushed before anything else can end this process.
            s->write(answer);
            s->flush();
            if (s->state() == QLocalSocket::ConnectedState && s->bytesToWrite() > 0)
                s->waitForBytesWritten(1000);
        }
        s->setProperty("buffer", buffer);
        s->setProperty("busy", false);
    }
};

QMutex g_mutex;
QHash<HWND, QPointer<WindowObject>> g_windows;
QList<HWND> g_order;

void removeAllRecords()
{
    QMutexLocker lock(&g_mutex);
    for (HWND h : std::as_const(g_order)) {
        if (WindowObject* w = g_windows.value(h))
            removeRecord(h, w->record.socket);
    }
}

WindowObject* localWindow(HWND h)
{
    QMutexLocker lock(&g_mutex);
    return g_windows.value(h).data();
}

// Reserves a new handle: a record file created exclusively.
HWND reserveHandle()
{
    const QString dir = windowsDir();
    if (dir.isEmpty())
        return 0;
    for (int attempt = 0; attempt < 200; ++attempt) {
        const HWND h = HWND(QRandomGenerator::global()->bounded(0x10000u, 0x7FFFFFFFu));
        const int fd = ::open(QFile::encodeName(recordPath(h)).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return h;
        }
        if (errno != EEXIST)
            return 0;
    }
    return 0;
}

// Sends or posts a request to a window of another process.
LRESULT remoteRequest(const Record& rec, const Request& req, bool* delivered)
{
    *delivered = false;
    QLocalSocket s;
    s.connectToServer(rec.socket);
    if (!s.waitForConnected(2000))
        return 0;
    s.write(encode(req));
    if (!s.waitForBytesWritten(2000) && s.bytesToWrite() > 0)
        return 0;
    *delivered = true;
    if (req.kind == 'P') {
        s.disconnectFromServer();
        if (s.state() != QLocalSocket::UnconnectedState)
            s.waitForDisconnected(500);
        return 0;
    }
    QByteArray answer;
    while (answer.size() < 8) {
        if (s.bytesAvailable() > 0) {
            answer += s.readAll();
            continue;
        }
        if (s.state() != QLocalSocket::ConnectedState)
            return 0; // the window's process ended (or closed) without answering
        if (!s.waitForReadyRead(250) && !IsProcessAlive(rec.pid))
            return 0;
    }
    return LRESULT(qFromLittleEndian<qint64>(answer.constData()));
}

} // namespace

HWND RegisterWindow(const QString& className, const QString& caption, MessageHandler handler)
{
    const HWND h = reserveHandle();
    if (h == 0)
        return 0;
    auto* w = new WindowObject;
    w->handler = std::move(handler);
    w->record.hwnd = h;
    w->record.pid = QCoreApplication::applicationPid();
    w->record.start = detail::ProcessStartTime(w->record.pid);
    w->record.className = className;
    w->record.caption = caption;
    QString socket = windowsDir() + "/" + QString::number(h) + ".sock";
    if (QFile::encodeName(socket).size() > 100)
        socket = QDir::tempPath() + QStringLiteral("/pravik-%1-%2.sock").arg(::getuid()).arg(h);
    w->record.socket = socket;
    w->server = new QLocalServer(w);
    w->server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socket);
    if (!w->server->listen(socket) || !writeRecord(w->record)) {
        QFile::remove(recordPath(h));
        delete w;
        return 0;
    }
    QObject::connect(w->server, &QLocalServer::newConnection, w, [w] { w->onConnection(); });
    {
        QMutexLocker lock(&g_mutex);
        static bool cleanupInstalled = false;
        if (!cleanupInstalled && QCoreApplication::instance()) {
            qAddPostRoutine(removeAllRecords);
            cleanupInstalled = true;
        }
        g_windows.insert(h, w);
        g_order.append(h);
    }
    return h;
}

void UnregisterWindow(HWND hwnd)
{
    QPointer<WindowObject> w;
    {
        QMutexLocker lock(&g_mutex);
        w = g_windows.take(hwnd);
        g_order.removeAll(hwnd);
    }
    if (!w)
        return;
    w->server->close();
    removeRecord(hwnd, w->record.socket);
    w->handler = nullptr;
    w->deleteLater();
}

void SetWindowCaption(HWND hwnd, const QString& caption)
{
    QMutexLocker lock(&g_mutex);
    WindowObject* w = g_windows.value(hwnd);
    if (!w)
        return;
    w->record.caption = caption;
    writeRecord(w->record);
}

bool IsWindow(HWND hwnd)
{
    if (hwnd == 0)
        return false;
    if (localWindow(hwnd))
        return true;
    Record r;
    return readRecord(hwnd, r);
}

HWND FindWindow(const QString& className, const QString& caption)
{
    {
        QMutexLocker lock(&g_mutex);
        for (HWND h : std::as_const(g_order)) {
            const WindowObject* w = g_windows.value(h);
            if (w && sameText(className, w->record.className) && sameText(caption, w->record.caption))
                return h;
        }
    }
    const QString dir = windowsDir();
    if (dir.isEmpty())
        return 0;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.win")}, QDir::Files,
                                                  QDir::Time | QDir::Reversed);
    for (const QString& f : files) {
        bool ok = false;
        const HWND h = HWND(f.chopped(4).toUInt(&ok));
        if (!ok || h == 0)
            continue;
        Record r;
        if (!readRecord(h, r) || r.pid == self)
            continue;
        if (sameText(className, r.className) && sameText(caption, r.caption))
            return h;
    }
    return 0;
}

LRESULT SendMessage(HWND hwnd, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == 0)
        return 0;
    const Request req{'S', msg, quint64(wParam), qint64(lParam)};
    if (QPointer<WindowObject> w = localWindow(hwnd)) {
        if (w->thread() == QThread::currentThread())
            return w->call(req);
        LRESULT result = 0;
        QMetaObject::invokeMethod(
            w.data(), [w, req, &result] { result = w ? w->call(req) : 0; }, Qt::BlockingQueuedConnection);
        return result;
    }
    Record r;
    if (!readRecord(hwnd, r) || r.pid == QCoreApplication::applicationPid())
        return 0;
    bool delivered = false;
    return remoteRequest(r, req, &delivered);
}

bool PostMessage(HWND hwnd, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == 0)
        return false;
    const Request req{'P', msg, quint64(wParam), qint64(lParam)};
    if (QPointer<WindowObject> w = localWindow(hwnd)) {
        QMetaObject::invokeMethod(
            w.data(),
            [w, req] {
                if (w)
                    w->call(req);
            },
            Qt::QueuedConnection);
        return true;
    }
    Record r;
    if (!readRecord(hwnd, r) || r.pid == QCoreApplication::applicationPid())
        return false;
    bool delivered = false;
    remoteRequest(r, req, &delivered);
    return delivered;
}

} // namespace win

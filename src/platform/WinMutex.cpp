// Named mutex as a lock file. Every handle holds a shared flock on the file; the
// mutex exists while any process holds one. A new handle first tries an exclusive
// lock without waiting: if that succeeds nobody else holds the file, so the mutex is
// new and the lock is turned into a shared one; if it fails the mutex exists and a
// shared lock is taken. A second lock file, held exclusively around this test and
// the conversion, keeps two openers from both seeing a free file in the moment a
// lock is being converted (flock converts by unlocking and locking again).
#include "platform/WinMutex.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"

namespace win {

namespace {

class LockFileMutex : public NamedMutex {
public:
    explicit LockFileMutex(int fd) : m_fd(fd) { }
    ~LockFileMutex() override { ::close(m_fd); }

private:
    int m_fd;
};

int flockRetry(int fd, int op)
{
    int r;
    do {
        r = ::flock(fd, op);
    } while (r != 0 && errno == EINTR);
    return r;
}

} // namespace

std::unique_ptr<NamedMutex> CreateMutex(const QString& name, bool initialOwner, DWORD* lastError)
{
    Q_UNUSED(initialOwner); // ownership beyond existence is not used by the callers
    if (lastError)
        *lastError = ERROR_ACCESS_DENIED;
    const QString dir = detail::SessionDir(QStringLiteral("mutex"));
    if (dir.isEmpty())
        return nullptr;
    const QString base = dir + "/"
        + QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex());
    const int guard = ::open(QFile::encodeName(base + ".guard").constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                             0600);
    if (guard < 0)
        return nullptr;
    const int fd = ::open(QFile::encodeName(base + ".lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        ::close(guard);
        return nullptr;
    }
    bool created = false;
    bool ok = flockRetry(guard, LOCK_EX) == 0;
    if (ok) {
        if (flockRetry(fd, LOCK_EX | LOCK_NB) == 0) {
            created = true;
            ok = flockRetry(fd, LOCK_SH) == 0;
        } else {
            ok = flockRetry(fd, LOCK_SH) == 0;
        }
    }
    ::close(guard); // releases the guard
    if (!ok) {
        ::close(fd);
        return nullptr;
    }
    if (lastError)
        *lastError = created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    return std::make_unique<LockFileMutex>(fd);
}

namespace detail {

QString SessionDir(const QString& what)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString dir;
    if (!runtime.isEmpty() && QDir(runtime).exists())
        dir = runtime + "/pravik-" + what;
    else
        dir = PrefixDir() + "/" + what;
    if (!QDir().mkpath(dir))
        return {};
    return dir;
}

} // namespace detail

} // namespace win

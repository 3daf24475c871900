// The registry store. Each hive is one UTF-8 text file prefix/registry/<hive>.reg:
//
//   PRAVIK REGISTRY 1
//   [Software\Microsoft\Windows\CurrentVersion\App Paths\WINWORD.EXE]
//   @="Z:\\usr\\bin\\lowriter"
//   "Count"=int:42
//   "Path"="C:\\Program Files\\x"
//
// A line "[key]" starts a key (the path with its letter case, components joined by
// one backslash); the lines after it are its values until the next key line: @ is
// the default value, "name" a named value; a string is written in double quotes with
// \\, \", \n, \r and \t escaped, an integer as int:<decimal>. Empty lines and lines
// starting with ';' are ignored. A file without the first line, or with lines that
// cannot be read, is treated as damaged: the lines that can be read still count, and
// the next write keeps a copy of the damaged file as <hive>.reg.damaged.
//
// Writers take an exclusive flock on <hive>.lock, read the file afresh, change it and
// replace it with a rename, so readers (which do not lock) always see a whole file.
// Readers re-read the file whenever its identity or time stamp changed.
#include "platform/WinRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"

namespace win {

namespace {

const QByteArray kHeader = "PRAVIK REGISTRY 1";

struct Value {
    QString name;
    bool isInt = false;
    QString text;
    qint64 number = 0;
};

struct Key {
    QString name;
    QList<Value> values;
    std::map<QString, Key> subkeys; // by lower-case name

    Value* findValue(const QString& n)
    {
        for (Value& v : values)
            if (v.name.compare(n, Qt::CaseInsensitive) == 0)
                return &v;
        return nullptr;
    }
    Key* findSub(const QString& n)
    {
        auto it = subkeys.find(n.toLower());
        return it == subkeys.end() ? nullptr : &it->second;
    }
    Key& sub(const QString& n)
    {
        Key& k = subkeys[n.toLower()];
        if (k.name.isEmpty())
            k.name = n;
        return k;
    }
};

struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = -1;
    qint64 mtimeNs = -1;
    bool operator==(const FileStamp&) const = default;
};

struct HiveCache {
    QString path;
    FileStamp stamp;
    Key root;
    bool valid = false;
};

QMutex g_mutex;
HiveCache g_cache[3];

const char* hiveFileName(Hive h)
{
    switch (h) {
    case Hive::HKCU:
        return "HKEY_CURRENT_USER";
    case Hive::HKLM:
        return "HKEY_LOCAL_MACHINE";
    case Hive::HKCR:
        return "HKEY_CLASSES_ROOT";
    }
    return "HKEY_CURRENT_USER";
}

QString hivePath(Hive h) { return PrefixDir() + "/registry/" + hiveFileName(h) + ".reg"; }

FileStamp stampOf(const QString& path)
{
    FileStamp s;
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}

// Splits a key path into components; false for a path with control characters.
bool splitKey(const QString& key, QStringList& parts)
{
    for (const QChar c : key)
        if (c.unicode() < 32)
            return false;
    parts = key.split('\\', Qt::SkipEmptyParts);
    for (QString& p : parts)
        p = p.trimmed();
    parts.removeAll(QString());
    return true;
}

QString escape(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += '"';
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

// Reads a quoted string starting at pos (at the opening quote); pos ends after the
// closing quote. false when it is not well formed.
bool unescape(const QString& line, int& pos, QString& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    ++pos;
    out.clear();
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        const QChar e = line[pos++];
        switch (e.unicode()) {
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            return false;
        }
    }
    return false;
}

// Parses one value line into key; false when the line cannot be read.
bool parseValueLine(const QString& line, Key& key)
{
    int pos = 0;
    QString name;
    if (line.startsWith('@')) {
        pos = 1;
    } else if (!unescape(line, pos, name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    Value v;
    v.name = name;
    if (line.mid(pos).startsWith(QLatin1String("int:"))) {
        bool ok = false;
        v.number = line.mid(pos + 4).trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        v.isInt = true;
    } else {
        if (!unescape(line, pos, v.text) || pos != line.size())
            return false;
    }
    if (Value* old = key.findValue(name))
        *old = v;
    else
        key.values.append(v);
    return true;
}

// Parses a whole file; damaged tells whether anything could not be read.
Key parse(const QByteArray& data, bool& damaged)
{
    Key root;
    damaged = false;
    const QList<QByteArray> lines = data.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kHeader) {
        damaged = !data.isEmpty();
    }
    Key* current = nullptr;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = QString::fromUtf8(lines[i]);
        if (line.endsWith('\r'))
            line.chop(1);
        if (i == 0 && line.trimmed() == QLatin1String(kHeader))
            continue;
        if (line.trimmed().isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            QStringList parts;
            if (!splitKey(line.mid(1, line.size() - 2), parts)) {
                damaged = true;
                current = nullptr;
                continue;
            }
            current = &root;
            for (const QString& p : parts)
                current = &current->sub(p);
            continue;
        }
        if (!current || !parseValueLine(line, *current))
            damaged = true;
    }
    return root;
}

void serialise(const Key& key, const QString& path, QString& out)
{
    if (!path.isEmpty()) {
        out += '[' + path + "]\n";
        for (const Value& v : key.values) {
            out += v.name.isEmpty() ? QStringLiteral("@") : escape(v.name);
            out += '=';
            out += v.isInt ? QStringLiteral("int:") + QString::number(v.number) : escape(v.text);
            out += '\n';
        }
    }
    for (const auto& [lower, sub] : key.subkeys)
        serialise(sub, path.isEmpty() ? sub.name : path + '\\' + sub.name, out);
}

// The current state of a hive (under g_mutex).
Key& load(Hive h, const QString& path)
{
    HiveCache& c = g_cache[int(h)];
    const FileStamp stamp = stampOf(path);
    if (c.valid && c.path == path && c.stamp == stamp)
        return c.root;
    QByteArray data;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        data = f.readAll();
    bool damaged = false;
    c.root = parse(data, damaged);
    c.path = path;
    c.stamp = stamp;
    c.valid = true;
    return c.root;
}

// Runs change on the hive under the file lock and saves it when change returns true.
template <typename F> bool modify(Hive h, F change)
{
    // The path first: creating a prefix writes registry values itself.
    const QString path = hivePath(h);
    QMutexLocker lock(&g_mutex);
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    const QByteArray lockName = QFile::encodeName(dir + "/" + hiveFileName(h) + ".lock");
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) { }
    QByteArray data;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        data = f.readAll();
        f.close();
    }
    bool damaged = false;
    Key root = parse(data, damaged);
    bool ok = change(root);
    if (ok) {
        if (damaged) {
            QFile::remove(path + ".damaged");
            QFile::copy(path, path + ".damaged");
        }
        QString text = QString::fromLatin1(kHeader) + '\n';
        serialise(root, QString(), text);
        ok = detail::WriteFileAtomically(path, text.toUtf8());
    }
    HiveCache& c = g_cache[int(h)];
    c.valid = false;
    ::flock(fd, LOCK_UN);
    ::close(fd);
    return ok;
}

Key* findKey(Key& root, const QString& key)
{
    QStringList parts;
    if (!splitKey(key, parts))
        return nullptr;
    Key* k = &root;
    for (const QString& p : parts) {
        k = k->findSub(p);
        if (!k)
            return nullptr;
    }
    return k;
}

Key* createKey(Key& root, const QString& key)
{
    QStringList parts;
    if (!splitKey(key, parts))
        return nullptr;
    Key* k = &root;
    for (const QString& p : parts)
        k = &k->sub(p);
    return k;
}

template <typename R, typename F> R withKey(Hive h, const QString& key, R missing, F f)
{
    const QString path = hivePath(h);
    QMutexLocker lock(&g_mutex);
    Key* k = findKey(load(h, path), key);
    if (!k)
        return missing;
    return f(*k);
}

} // namespace

bool RegKeyExists(Hive hive, const QString& key)
{
    return withKey(hive, key, false, [](Key&) { return true; });
}

bool RegCreateKey(Hive hive, const QString& key)
{
    return modify(hive, [&](Key& root) { return createKey(root, key) != nullptr; });
}

bool RegDeleteKey(Hive hive, const QString& key)
{
    QStringList parts;
    if (!splitKey(key, parts) || parts.isEmpty())
        return false;
    return modify(hive, [&](Key& root) {
        Key* parent = &root;
        for (int i = 0; i + 1 < parts.size(); ++i) {
            parent = parent->findSub(parts[i]);
            if (!parent)
                return false;
        }
        return parent->subkeys.erase(parts.last().toLower()) > 0;
    });
}

bool RegValueExists(Hive hive, const QString& key, const QString& name)
{
    return withKey(hive, key, false, [&](Key& k) { return k.findValue(name) != nullptr; });
}

bool RegDeleteValue(Hive hive, const QString& key, const QString& name)
{
    return modify(hive, [&](Key& root) {
        Key* k = findKey(root, key);
        if (!k)
            return false;
        for (int i = 0; i < k->values.size(); ++i) {
            if (k->values[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                k->values.removeAt(i);
                return true;
            }
        }
        return false;
    });
}

std::optional<QString> RegReadString(Hive hive, const QString& key, const QString& name)
{
    return withKey(hive, key, std::optional<QString>(), [&](Key& k) -> std::optional<QString> {
        const Value* v = k.findValue(name);
        if (!v)
            return std::nullopt;
        return v->isInt ? QString::number(v->number) : v->text;
    });
}

std::optional<qint64> RegReadInteger(Hive hive, const QString& key, const QString& name)
{
    return withKey(hive, key, std::optional<qint64>(), [&](Key& k) -> std::optional<qint64> {
        const Value* v = k.findValue(name);
        if (!v)
            return std::nullopt;
        if (v->isInt)
            return v->number;
        bool ok = false;
        const qint64 n = v->text.trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    });
}

namespace {
bool writeValue(Hive hive, const QString& key, const Value& value)
{
    return modify(hive, [&](Key& root) {
        Key* k = createKey(root, key);
        if (!k)
            return false;
        if (Value* old = k->findValue(value.name)) {
            const QString keptName = old->name;
            *old = value;
            old->name = keptName;
        } else {
            k->values.append(value);
        }
        return true;
    });
}
} // namespace

bool RegWriteString(Hive hive, const QString& key, const QString& name, const QString& value)
{
    Value v;
    v.name = name;
    v.text = value;
    return writeValue(hive, key, v);
}

bool RegWriteInteger(Hive hive, const QString& key, const QString& name, qint64 value)
{
    Value v;
    v.name = name;
    v.isInt = true;
    v.number = value;
    return writeValue(hive, key, v);
}

QStringList RegValueNames(Hive hive, const QString& key)
{
    return withKey(hive, key, QStringList(), [](Key& k) {
        QStringList names;
        for (const Value& v : k.values)
            names << v.name;
        return names;
    });
}

QStringList RegSubKeys(Hive hive, const QString& key)
{
    return withKey(hive, key, QStringList(), [](Key& k) {
        QStringList names;
        for (const auto& [lower, sub] : k.subkeys)
            names << sub.name;
        return names;
    });
}

} // namespace win

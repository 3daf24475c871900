#include "common/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>
#include <vector>

#include "platform/WinFiles.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"

// The file is kept as its lines. A line that is not rewritten keeps its bytes exactly
// (even bytes that are not valid GBK), so a write changes only the line it touches.
namespace {

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    QByteArray raw; // the bytes on disk, without the line end
    QString name; // section name or key name (trimmed)
    QString value; // key value (trimmed, surrounding quotes removed)
};

struct Doc {
    std::vector<Line> lines;
};

bool equalNames(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isIniBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString trimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isIniBlank(s.at(b)))
        ++b;
    while (e > b && isIniBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

// A value in matching single or double quotes is read without them.
QString unquote(const QString& v)
{
    if (v.size() >= 2) {
        const QChar q = v.front();
        if ((q == QLatin1Char('"') || q == QLatin1Char('\'')) && v.back() == q)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

Line parseLine(const QByteArray& raw)
{
    Line l;
    l.raw = raw;
    const QString text = trimBlanks(win::fromAnsi(raw));
    if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
        return l;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            l.kind = Line::Section;
            l.name = trimBlanks(text.mid(1, close - 1));
        }
        return l;
    }
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return l;
    l.kind = Line::Key;
    l.name = trimBlanks(text.left(eq));
    l.value = unquote(trimBlanks(text.mid(eq + 1)));
    return l;
}

Doc load(const QString& winPath)
{
    Doc d;
    const QString host = win::toHost(winPath);
    if (host.isEmpty())
        return d;
    QFile f(host);
    if (!f.open(QIODevice::ReadOnly))
        return d;
    const QByteArray all = f.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = start;
        while (end < all.size() && all.at(end) != '\n' && all.at(end) != '\r')
            ++end;
        d.lines.push_back(parseLine(all.mid(start, end - start)));
        if (end < all.size() && all.at(end) == '\r')
            ++end;
        if (end < all.size() && all.at(end) == '\n')
            ++end;
        start = end;
    }
    return d;
}

// Range [begin, end) of the first section of that name: begin is the header's index.
std::optional<std::pair<size_t, size_t>> findSection(const Doc& d, const QString& section)
{
    const QString want = section.trimmed();
    for (size_t i = 0; i < d.lines.size(); ++i) {
        if (d.lines[i].kind == Line::Section && equalNames(d.lines[i].name, want)) {
            size_t e = i + 1;
            while (e < d.lines.size() && d.lines[e].kind != Line::Section)
                ++e;
            return std::make_pair(i, e);
        }
    }
    return std::nullopt;
}

const Line* findKey(const Doc& d, const QString& section, const QString& key)
{
    const auto range = findSection(d, section);
    if (!range)
        return nullptr;
    const QString want = key.trimmed();
    for (size_t i = range->first + 1; i < range->second; ++i)
        if (d.lines[i].kind == Line::Key && equalNames(d.lines[i].name, want))
            return &d.lines[i];
    return nullptr;
}

// Writes the whole file through a temporary file and a rename: a crash leaves either
// the old or the new file, never half of one. A read-only file is not written.
bool save(const QString& winPath, const Doc& d)
{
    const QString host = win::toHost(winPath);
    if (host.isEmpty())
        return false;
    QFileInfo fi(host);
    if (fi.isDir())
        return false;
    if (fi.exists() && !(QFile::permissions(host) & QFileDevice::WriteOwner))
        return false;
    QByteArray out;
    for (const Line& l : d.lines) {
        out += l.raw;
        out += "\r\n";
    }
    return win::WriteFileAtomic(winPath, out);
}

// A key or value never spans lines: the text from the first line break on would turn
// into lines of its own (even sections) on the next read, so it is not written.
QString singleLine(const QString& s)
{
    qsizetype cut = s.size();
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('\r') || s.at(i) == QLatin1Char('\n')) {
            cut = i;
            break;
        }
    }
    return s.left(cut);
}

Line makeKeyLine(const QString& key, const QString& value)
{
    return parseLine(win::toAnsi(key + QLatin1Char('=') + value));
}

// Parses an integer as Delphi's StrToInt does: optional sign and decimal digits, or
// hexadecimal after "0x"/"0X"/"$" (up to 32 bits, taken as a signed value).
std::optional<int> parseInteger(const QString& s)
{
    QString t = s;
    bool neg = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        neg = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || t.startsWith(QLatin1Char('$'))) {
        const QString digits = t.mid(t.startsWith(QLatin1Char('$')) ? 1 : 2);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        for (QChar c : digits)
            if (!c.isDigit() && !QStringLiteral("abcdefABCDEF").contains(c))
                return std::nullopt;
        v = qint64(digits.toUInt(&ok, 16));
        if (!ok)
            return std::nullopt;
        const qint64 r = neg ? -v : v;
        return int(quint32(r));
    }
    if (t.isEmpty())
        return std::nullopt;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    v = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    if (neg)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}

} // namespace

TIniFile::TIniFile(const QString& winPath) : m_path(winPath) { }

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const Doc d = load(m_path);
    const Line* l = findKey(d, section, key);
    return l ? l->value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const QString s = ReadString(section, key, QString());
    return parseInteger(s).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString sec = singleLine(section).trimmed();
    const QString k = singleLine(key).trimmed();
    const QString v = singleLine(value);
    Doc d = load(m_path);
    const auto range = findSection(d, sec);
    if (!range) {
        d.lines.push_back(parseLine(win::toAnsi(QLatin1Char('[') + sec + QLatin1Char(']'))));
        d.lines.push_back(makeKeyLine(k, v));
        return save(m_path, d);
    }
    size_t lastKey = range->first;
    for (size_t i = range->first + 1; i < range->second; ++i) {
        Line& l = d.lines[i];
        if (l.kind != Line::Key)
            continue;
        if (equalNames(l.name, k)) {
            // Keep the spelling of the existing key name.
            l = makeKeyLine(l.name, v);
            return save(m_path, d);
        }
        lastKey = i;
    }
    d.lines.insert(d.lines.begin() + std::ptrdiff_t(lastKey + 1), makeKeyLine(k, v));
    return save(m_path, d);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

// A section counts as existing when it holds at least one key, as in the VCL.
bool TIniFile::SectionExists(const QString& section) const { return !ReadSection(section).isEmpty(); }

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    const Doc d = load(m_path);
    return findKey(d, section, key) != nullptr;
}

QStringList TIniFile::ReadSections() const
{
    const Doc d = load(m_path);
    QStringList out;
    for (const Line& l : d.lines) {
        if (l.kind != Line::Section)
            continue;
        bool seen = false;
        for (const QString& s : out)
            seen = seen || equalNames(s, l.name);
        if (!seen)
            out.append(l.name);
    }
    return out;
}

QStringList TIniFile::ReadSection(const QString& section) const
{
    const Doc d = load(m_path);
    QStringList out;
    const auto range = findSection(d, section);
    if (!range)
        return out;
    for (size_t i = range->first + 1; i < range->second; ++i)
        if (d.lines[i].kind == Line::Key)
            out.append(d.lines[i].name);
    return out;
}

QStringList TIniFile::ReadSectionValues(const QString& section) const
{
    const Doc d = load(m_path);
    QStringList out;
    const auto range = findSection(d, section);
    if (!range)
        return out;
    for (size_t i = range->first + 1; i < range->second; ++i) {
        const Line& l = d.lines[i];
        if (l.kind != Line::Key)
            continue;
        // The value of a repeated key is that of its first line, as a lookup gives it.
        out.append(l.name + QLatin1Char('=') + findKey(d, section, l.name)->value);
    }
    return out;
}

bool TIniFile::EraseSection(const QString& section)
{
    Doc d = load(m_path);
    bool changed = false;
    while (const auto range = findSection(d, section)) {
        d.lines.erase(d.lines.begin() + std::ptrdiff_t(range->first),
                      d.lines.begin() + std::ptrdiff_t(range->second));
        changed = true;
    }
    return changed ? save(m_path, d) : true;
}

bool TIniFile::DeleteKey(const QString& section, const QString& key)
{
    Doc d = load(m_path);
    const auto range = findSection(d, section);
    if (!range)
        return true;
    const QString want = key.trimmed();
    bool changed = false;
    for (size_t i = range->second; i-- > range->first + 1;) {
        if (d.lines[i].kind == Line::Key && equalNames(d.lines[i].name, want)) {
            d.lines.erase(d.lines.begin() + std::ptrdiff_t(i));
            changed = true;
        }
    }
    return changed ? save(m_path, d) : true;
}

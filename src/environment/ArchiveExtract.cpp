#include "environment/ArchiveExtract.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <zip.h>

#include <memory>

#include "common/PathUtils.h"
#include "platform/Ansi.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"

namespace {

// Limits of what an archive may unpack to: far above any material package, far below
// what would fill a disk or hang the start.
constexpr zip_int64_t kMaxEntries = 20000;
constexpr zip_uint64_t kMaxTotalBytes = 2ull * 1024 * 1024 * 1024; // 2 GiB
// Deflate itself cannot pass about 1032 : 1 (a blank bitmap of the material comes
// close); only other methods reach absurd ratios.
constexpr zip_uint64_t kMaxRatio = 2000; // unpacked : packed
constexpr zip_uint64_t kRatioFloor = 1024 * 1024; // ratio checked above 1 MiB

// The components of a safe relative entry name, or an empty list when the name is
// unsafe (absolute, drive prefix, "." or ".." component, control character, colon).
QStringList safeComponents(const QString& name, QString* why)
{
    QString n = name;
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (n.isEmpty()) {
        *why = QStringLiteral("empty name");
        return {};
    }
    if (n.startsWith(QLatin1Char('/'))) {
        *why = QStringLiteral("absolute path");
        return {};
    }
    for (const QChar c : n) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            *why = QStringLiteral("control character");
            return {};
        }
        if (c == QLatin1Char(':')) {
            *why = QStringLiteral("drive prefix or stream name");
            return {};
        }
    }
    QStringList parts;
    for (const QString& p : n.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (p == QStringLiteral(".") || p == QStringLiteral("..")) {
            *why = QStringLiteral("relative component");
            return {};
        }
        parts << p;
    }
    if (parts.isEmpty())
        *why = QStringLiteral("empty name");
    return parts;
}

bool isSymlinkEntry(zip_t* za, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &opsys, &attributes) != 0)
        return false;
    if (opsys != ZIP_OPSYS_UNIX)
        return false;
    // The Unix file type in the upper half of the external attributes.
    constexpr zip_uint32_t kUnixFileTypeMask = 0170000;
    constexpr zip_uint32_t kUnixSymbolicLink = 0120000;
    return ((attributes >> 16) & kUnixFileTypeMask) == kUnixSymbolicLink;
}

struct ZipCloser {
    void operator()(zip_t* za) const { zip_discard(za); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* zf) const { zip_fclose(zf); }
};

// True when the archive marks the entry's name as UTF-8: the general-purpose UTF-8
// bit, or an Info-ZIP Unicode path field (which libzip puts in place of the name).
// libzip's strict reading gives the stored bytes unchanged for such a name and
// converts any other name from code page 437, so a name with bytes above 0x7f reads
// the same both ways exactly when it is marked as UTF-8.
bool nameMarkedUtf8(zip_t* za, zip_uint64_t index, const QByteArray& raw)
{
    const char* strict = zip_get_name(za, index, ZIP_FL_ENC_STRICT);
    return strict && QByteArray(strict) == raw;
}

} // namespace

QString DecodeZipEntryName(const QByteArray& raw, bool markedUtf8)
{
    if (markedUtf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(raw);
        if (!utf8.hasError())
            return text;
    }
    return win::fromAnsi(raw);
}

bool ExtractZipArchive(const QString& archiveFile, const QString& targetDir, const QString& password,
                       QString* error)
{
    try {
        const auto fail = [error](const QString& detail) {
            *error = detail;
            return false;
        };
        if (!pathutil::DirectoryExists(targetDir) && !pathutil::ForceDirectories(targetDir))
            return false;
        const QString hostArchive = win::toHost(archiveFile);
        if (hostArchive.isEmpty() || win::toHost(targetDir).isEmpty())
            return false;
        const QString target = pathutil::IncludeTrailingBackslash(targetDir);

        int err = 0;
        std::unique_ptr<zip_t, ZipCloser> za(
            zip_open(QFile::encodeName(hostArchive).constData(), ZIP_RDONLY, &err));
        if (!za)
            return fail(archiveFile + QStringLiteral(" cannot be opened"));

        // Listing: every entry is checked before anything is written.
        const zip_int64_t count = zip_get_num_entries(za.get(), 0);
        if (count < 0 || count > kMaxEntries)
            return fail(archiveFile + QStringLiteral(": too many entries"));
        struct Entry {
            zip_uint64_t index;
            QString winPath; // target + relative name, backslashes
            bool isDir;
            zip_uint64_t size;
            bool encrypted;
        };
        QList<Entry> entries;
        zip_uint64_t total = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto idx = static_cast<zip_uint64_t>(i);
            const char* raw = zip_get_name(za.get(), idx, ZIP_FL_ENC_RAW);
            if (!raw)
                return fail(archiveFile + QStringLiteral(": unreadable entry name"));
            const QByteArray rawName(raw);
            const QString name = DecodeZipEntryName(rawName, nameMarkedUtf8(za.get(), idx, rawName));
            QString why;
            const QStringList parts = safeComponents(name, &why);
            if (parts.isEmpty())
                return fail(archiveFile + QStringLiteral(": unsafe entry \"") + name + QStringLiteral("\" (")
                            + why + QStringLiteral(")"));
            if (isSymlinkEntry(za.get(), idx))
                return fail(archiveFile + QStringLiteral(": symbolic link entry \"") + name
                            + QStringLiteral("\""));
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(za.get(), idx, 0, &st) != 0)
                return fail(archiveFile + QStringLiteral(": unreadable entry \"") + name
                            + QStringLiteral("\""));
            const bool isDir = rawName.endsWith('/') || rawName.endsWith('\\');
            const zip_uint64_t size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
            const zip_uint64_t packed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
            if (size > kMaxTotalBytes || total + size > kMaxTotalBytes)
                return fail(archiveFile + QStringLiteral(": unpacked size above the limit"));
            if (size > kRatioFloor && size / qMax<zip_uint64_t>(packed, 1) > kMaxRatio)
                return fail(archiveFile + QStringLiteral(": compression ratio of \"") + name
                            + QStringLiteral("\" above the limit"));
            total += size;
            const bool encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD)
                && st.encryption_method != ZIP_EM_NONE;
            entries.append({idx, target + parts.join(QLatin1Char('\\')), isDir, size, encrypted});
        }

        const QByteArray pw = password.toUtf8();
        for (const Entry& e : entries) {
            // A folder of the target that is a link elsewhere must not redirect writes:
            // checked before and after the folders are made.
            const QString folder = e.isDir ? e.winPath : pathutil::ExtractFilePath(e.winPath);
            if (!win::IsInsideFolder(folder, target))
                return fail(e.winPath + QStringLiteral(" leaves the target folder"));
            if (!pathutil::ForceDirectories(folder))
                return fail(folder + QStringLiteral(" cannot be created"));
            if (!win::IsInsideFolder(folder, target))
                return fail(e.winPath + QStringLiteral(" leaves the target folder"));
            if (e.isDir)
                continue;
            const QString hostFile = win::toHost(e.winPath);
            if (hostFile.isEmpty())
                return fail(e.winPath + QStringLiteral(" has no host path"));
            if (win::IsLink(e.winPath) || win::PathIsDir(e.winPath))
                return fail(e.winPath + QStringLiteral(" is a link or a folder"));

            std::unique_ptr<zip_file_t, ZipFileCloser> zf(
                e.encrypted ? zip_fopen_index_encrypted(za.get(), e.index, 0, pw.constData())
                            : zip_fopen_index(za.get(), e.index, 0));
            if (!zf)
                return fail(e.winPath + QStringLiteral(": ")
                            + QString::fromLocal8Bit(zip_strerror(za.get())));

            // Written beside the final file and renamed only when the entry was read
            // completely with a matching checksum.
            QSaveFile out(hostFile);
            out.setDirectWriteFallback(false);
            if (!out.open(QIODevice::WriteOnly))
                return fail(e.winPath + QStringLiteral(" cannot be written"));
            char buffer[64 * 1024];
            zip_uint64_t written = 0;
            for (;;) {
                const zip_int64_t n = zip_fread(zf.get(), buffer, sizeof buffer);
                if (n < 0) {
                    const QString detail = QString::fromLocal8Bit(zip_file_strerror(zf.get()));
                    out.cancelWriting();
                    return fail(e.winPath + QStringLiteral(": ") + detail);
                }
                if (n == 0)
                    break;
                written += static_cast<zip_uint64_t>(n);
                if (written > e.size || out.write(buffer, n) != n) {
                    out.cancelWriting();
                    return fail(e.winPath + QStringLiteral(": size does not match the listing"));
                }
            }
            if (written != e.size) {
                out.cancelWriting();
                return fail(e.winPath + QStringLiteral(": size does not match the listing"));
            }
            if (!out.commit())
                return fail(e.winPath + QStringLiteral(" cannot be written"));
        }
        return true;
    } catch (...) {
        return false;
    }
}

// pack-material <folder> <archive> <password>
// Packs a sample's material folder the way the website's question authors do on
// Windows: entry names in the ANSI code page (GBK) without the UTF-8 mark, every file
// encrypted with the traditional ZIP password method. The archive's entries are in
// name order, folders before their contents.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringEncoder>

#include <zip.h>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: pack-material <folder> <archive> <password>\n");
        return 2;
    }
    const QDir folder(args.at(1));
    const QByteArray password = args.at(3).toUtf8();
    QFile::remove(args.at(2));
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(args.at(2)).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!za) {
        std::fprintf(stderr, "pack-material: cannot create %s\n", qPrintable(args.at(2)));
        return 1;
    }
    QStringList paths;
    QDirIterator it(folder.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << folder.relativeFilePath(it.next());
    paths.sort();
    QStringEncoder gbk("GBK");
    // libzip marks every name that is valid UTF-8 as UTF-8 and refuses to store such
    // bytes unmarked, so each entry is added under an ASCII placeholder of the same
    // length, and the placeholders are replaced by the GBK names in the written file
    // (local headers and central directory).
    QList<QPair<QByteArray, QByteArray>> names;
    for (const QString& rel : paths) {
        const QFileInfo fi(folder.filePath(rel));
        const QByteArray gbkName = gbk.encode(fi.isDir() ? rel + QLatin1Char('/') : rel);
        QByteArray name = QByteArray::number(names.size()).rightJustified(8, '0').prepend("~PKM");
        name = name.leftJustified(gbkName.size() - (fi.isDir() ? 1 : 0), '_', true);
        if (fi.isDir())
            name += '/';
        if (gbkName.size() < 12 + (fi.isDir() ? 1 : 0))
            name = gbkName; // too short for a placeholder: stored as ASCII or as libzip sees fit
        names.append({name, gbkName});
        zip_int64_t idx;
        if (fi.isDir()) {
            idx = zip_dir_add(za, name.constData(), ZIP_FL_ENC_GUESS);
        } else {
            zip_source_t* src = zip_source_file(za, QFile::encodeName(fi.filePath()).constData(), 0, -1);
            idx = src ? zip_file_add(za, name.constData(), src, ZIP_FL_ENC_GUESS) : -1;
            if (idx >= 0
                && zip_file_set_encryption(za, zip_uint64_t(idx), ZIP_EM_TRAD_PKWARE, password.constData())
                    != 0)
                idx = -1;
        }
        if (idx < 0) {
            std::fprintf(stderr, "pack-material: %s: %s\n", qPrintable(rel), zip_strerror(za));
            zip_discard(za);
            return 1;
        }
    }
    if (zip_close(za) != 0) {
        std::fprintf(stderr, "pack-material: %s\n", zip_strerror(za));
        zip_discard(za);
        return 1;
    }
    QFile out(args.at(2));
    if (!out.open(QIODevice::ReadOnly))
        return 1;
    QByteArray bytes = out.readAll();
    out.close();
    for (const auto& n : names)
        if (n.first != n.second)
            bytes.replace(n.first, n.second);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "pack-material: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}

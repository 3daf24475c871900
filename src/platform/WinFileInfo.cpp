#include "platform/WinFileInfo.h"

#include <QFileInfo>

#include "platform/WinPaths.h"

namespace win {

namespace {

struct TypeEntry {
    const char* ext; // lower case, without the dot
    const char* name;
    FileIconKind icon;
};

// The registered types of a Chinese Windows XP with Office, WinRAR and a PDF reader.
const TypeEntry kTypes[] = {
    {"txt", "文本文档", FileIconKind::Text},
    {"log", "文本文档", FileIconKind::Text},
    {"ini", "配置设置", FileIconKind::Text},
    {"bmp", "BMP 图像", FileIconKind::Image},
    {"jpg", "JPEG 图像", FileIconKind::Image},
    {"jpeg", "JPEG 图像", FileIconKind::Image},
    {"gif", "GIF 图像", FileIconKind::Image},
    {"png", "PNG 图像", FileIconKind::Image},
    {"doc", "Microsoft Word 文档", FileIconKind::Word},
    {"rtf", "RTF 格式", FileIconKind::Word},
    {"xls", "Microsoft Excel 工作表", FileIconKind::Excel},
    {"ppt", "Microsoft PowerPoint 演示文稿", FileIconKind::PowerPoint},
    {"mdb", "Microsoft Office Access 应用程序", FileIconKind::Access},
    {"pdf", "PDF Document", FileIconKind::Pdf},
    {"rar", "WinRAR 压缩文件", FileIconKind::Archive},
    {"zip", "WinRAR ZIP 压缩文件", FileIconKind::Archive},
    {"wav", "媒体文件(.wav)", FileIconKind::Audio},
    {"mp3", "MP3 格式声音", FileIconKind::Audio},
    {"mid", "MIDI 序列", FileIconKind::Audio},
    {"avi", "视频剪辑", FileIconKind::Video},
    {"wmv", "Windows Media 音频/视频文件", FileIconKind::Video},
    {"chm", "已编译的 HTML 帮助文件", FileIconKind::Help},
    {"htm", "HTML Document", FileIconKind::Web},
    {"html", "HTML Document", FileIconKind::Web},
    {"exe", "应用程序", FileIconKind::Application},
    {"lnk", "快捷方式", FileIconKind::Link},
};

const TypeEntry* entryOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == fileName.size() - 1)
        return nullptr;
    const QString ext = fileName.mid(dot + 1).toLower();
    for (const TypeEntry& e : kTypes)
        if (ext == QLatin1String(e.ext))
            return &e;
    return nullptr;
}

} // namespace

QString ShellTypeName(const QString& fileName, bool isDir)
{
    if (isDir)
        return QStringLiteral("文件夹");
    if (const TypeEntry* e = entryOf(fileName))
        return QString::fromUtf8(e->name);
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == fileName.size() - 1)
        return QStringLiteral("文件");
    // An unregistered extension: its letters in upper case and " 文件".
    return fileName.mid(dot + 1).toUpper() + QStringLiteral(" 文件");
}

FileIconKind ShellIconKind(const QString& fileName, bool isDir)
{
    if (isDir)
        return FileIconKind::Folder;
    const TypeEntry* e = entryOf(fileName);
    return e ? e->icon : FileIconKind::Generic;
}

ShellFileInfo GetShellFileInfo(const QString& winPath)
{
    ShellFileInfo info;
    QString p = winPath.trimmed();
    while (p.size() > 3 && (p.endsWith(QLatin1Char('\\')) || p.endsWith(QLatin1Char('/'))))
        p.chop(1);
    const QString host = toHost(p);
    if (host.isEmpty())
        return info;
    const QFileInfo fi(host);
    const bool link = fi.isSymLink();
    if (!link && !fi.exists())
        return info;
    info.exists = true;
    const int slash = qMax(p.lastIndexOf(QLatin1Char('\\')), p.lastIndexOf(QLatin1Char('/')));
    info.displayName = slash >= 0 ? p.mid(slash + 1) : p;
    if (link) {
        // Described as itself: the link is never followed.
        info.icon = FileIconKind::Link;
        info.typeName = QStringLiteral("快捷方式");
        return info;
    }
    info.isDir = fi.isDir();
    info.icon = ShellIconKind(info.displayName, info.isDir);
    info.typeName = ShellTypeName(info.displayName, info.isDir);
    info.size = info.isDir ? -1 : fi.size();
    info.lastWrite = fi.lastModified();
    return info;
}

} // namespace win

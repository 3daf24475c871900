#pragma once
// Pictures of the file windows and the Recycle Bin, drawn for this program in the
// flat style of the desktop: the file icons by the kind the shell reports, the drive
// pictures, the left-hand strips, the My Documents folder view and the pages of the
// property sheets that are shown as pictures.
#include <QPixmap>
#include <QSize>
#include <QString>

#include "platform/WinFileInfo.h"

namespace explorerart {

// A file icon of the given kind, square.
QPixmap FileIcon(win::FileIconKind kind, int size);

// The buttons of the file windows' tool bar.
enum class Tool { Back, Forward, Up, Search, Folders, Views };
QPixmap ToolIcon(Tool tool, int size);

// A local hard disk (the drive overview), size x size; greyed when disabled.
QPixmap DiskPicture(int size, bool disabled = false);

// The blue task strip on the left of My Computer (210 wide), with its captions.
QPixmap TaskStrip(QSize size);

// The property page of drive C or D: used and free space with the pie.
QPixmap DrivePropertyPage(QChar drive, QSize size);

// The My Documents folder as the Explorer shows it.
QPixmap MyDocumentsView(QSize size);

// One page of "我的文档 属性": 0 目标文件夹, 1 常规, 2 共享.
QPixmap MyDocumentsPage(int page, QSize size);

// The task pane of the Recycle Bin (Image2) and the pane below it (Image3).
QPixmap RecycleTaskPane(QSize size);
QPixmap RecycleDetailsPane(QSize size);

} // namespace explorerart

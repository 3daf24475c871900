#pragma once
// Texts of the typing window, exactly as the website and the scoring engine expect them.
#include <QString>

namespace typeword::texts {

inline const QString kCaption = QStringLiteral("打字题");
inline const QString kCloseCaption = QStringLiteral("退出");
inline const QString kFontSong = QStringLiteral("宋体");
inline const QString kTotalPrefix = QStringLiteral("共有文字");
inline const QString kCountSuffix = QStringLiteral("个");
inline const QString kTypedPrefix = QStringLiteral("输入");
inline const QString kCorrectPrefix = QStringLiteral("正确");
inline const QString kWrongPrefix = QStringLiteral("错误");
inline const QString kMenuCopy = QStringLiteral("复制");
inline const QString kMenuCut = QStringLiteral("剪切");
inline const QString kMenuPaste = QStringLiteral("粘贴");
inline const QString kFieldSep = QStringLiteral("$#$");
inline const QString kLineSep = QStringLiteral("!@#$%^&*");
inline const QString kLabelPrefix = QStringLiteral("lbl");
inline const QString kEditPrefix = QStringLiteral("edtredtin");

} // namespace typeword::texts

#include "SaveBench.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <vector>

#include "BenchUtil.h"
#include "environment/unDMDB.h"
#include "log/unLogCtrl.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "scoring/AnswerArchive.h"

namespace bench {

namespace {

// What the simulated Windows dialogs record: display, desktop, taskbar, mouse,
// keyboard, region, user and network settings. The texts hold spaces, commas and line
// breaks, so the save escapes them as it does in a real exercise.
const char* const kSettings[] = {
    "1024×768",
    "32位真彩色",
    "60 赫兹",
    "C:\\Windows\\Web\\Wallpaper\\风景\\img13.jpg",
    "居中",
    "屏幕保护程序: 彩带, 等待 10 分钟, 在恢复时显示登录屏幕",
    "Windows 标准",
    "自动隐藏任务栏, 锁定任务栏",
    "显示快速启动, 分组相似任务栏按钮",
    "鼠标: 双击速度 5, 指针速度 7\r\n启用指针阴影",
    "键盘: 重复延迟 短, 重复速度 快",
    "中文(简体, 中国)",
    "yyyy-MM-dd, HH:mm:ss",
    "¥, 小数位数 2",
    "Administrator",
    "学生 张三, 标准用户",
    "192.168.1.25",
    "255.255.255.0",
    "192.168.1.1",
    "202.96.128.86, 202.96.134.133",
    "工作组: WORKGROUP",
    "计算机名: PC-LAB3-07",
    "电源计划: 平衡, 关闭显示器 15 分钟",
    "声音方案: Windows 默认",
    "音量 65%, 静音 否",
    "打印机: HP LaserJet P1007 (默认)",
    "字体: 宋体 12, 微软雅黑 10.5",
    "开始菜单: 显示最近打开的程序 10 个",
    "文件夹选项: 显示隐藏的文件, 隐藏已知文件类型的扩展名 否",
    "回收站: 最大空间 10%\r\n显示删除确认对话框",
};

QString slotText(int slot)
{
    constexpr int n = int(sizeof(kSettings) / sizeof(kSettings[0]));
    QString text = QString::fromUtf8(kSettings[slot % n]);
    // Every slot differs from the others, as each records another setting.
    return text + QStringLiteral(" (项 %1)").arg(slot);
}

} // namespace

SaveFigures MeasureSaves(const QString& workDir, int saves)
{
    SaveFigures f;
    qputenv("PRAVIK_PREFIX", QFile::encodeName(workDir + QStringLiteral("/prefix")));
    const QString examineeHost = workDir + QStringLiteral("/StuExamData/20240612101530");
    if (!QDir().mkpath(examineeHost)) {
        f.error = QStringLiteral("cannot create ") + examineeHost;
        return f;
    }
    const QString examineeDir = win::fromHost(examineeHost) + QLatin1Char('\\');

    // The running client logs each save; so does the benchmark, into its own log.
    const ILogCtrlPtr previous = ProcessLogger();
    try {
        SetProcessLogger(
            std::make_shared<TLogCtrl>(win::fromHost(workDir + QStringLiteral("/zovovozuz.log"))));
    } catch (const std::exception& e) {
        f.error = QStringLiteral("cannot open the log: ") + QString::fromLocal8Bit(e.what());
        return f;
    }

    TQuestion q;
    q.QuestionId = 26001;
    q.QuestionType = 5;
    q.OperationType = 26;
    for (int i = 0; i < TQuestion::OpAnswerCount; ++i)
        q.SetOpAnswer(i, slotText(i));

    bool saving = false;
    // Warm-up: the first saves create the archive and fill the caches.
    for (int i = 0; i < 3; ++i) {
        if (!SaveAnswerArchive(q, examineeDir, saving)) {
            f.error = QStringLiteral("SaveAnswerArchive failed in ") + examineeDir;
            SetProcessLogger(previous);
            return f;
        }
    }
    std::vector<double> ms;
    ms.reserve(size_t(saves));
    QElapsedTimer t;
    for (int i = 0; i < saves; ++i) {
        // A student changes a setting between two saves.
        q.SetOpAnswer(i % TQuestion::OpAnswerCount,
                      slotText(i % TQuestion::OpAnswerCount) + QStringLiteral(" 已改 %1").arg(i));
        t.start();
        const bool ok = SaveAnswerArchive(q, examineeDir, saving);
        const qint64 ns = t.nsecsElapsed();
        if (!ok) {
            f.error = QStringLiteral("SaveAnswerArchive failed at save %1").arg(i + 1);
            break;
        }
        ms.push_back(double(ns) / 1e6);
    }
    // The archive part alone, as SaveAnswerArchive builds and writes it.
    std::vector<double> writeMs;
    const QString archive = examineeDir + QStringLiteral("ans.zt");
    for (int i = 0; i < saves && f.error.isEmpty(); ++i) {
        t.start();
        q.SetAnswer(FlattenOpAnswers(q, TQuestion::OpAnswerCount - 1));
        const bool ok = WriteArchiveFile(archive, {QStringLiteral("[strOpsList]"), AnswerLine(q)});
        const qint64 ns = t.nsecsElapsed();
        if (!ok) {
            f.error = QStringLiteral("WriteArchiveFile failed");
            break;
        }
        writeMs.push_back(double(ns) / 1e6);
    }
    f.writeMedianMs = Median(writeMs);
    SetProcessLogger(previous);
    f.saves = int(ms.size());
    if (!ms.empty()) {
        f.meanMs = Mean(ms);
        f.medianMs = Median(ms);
        f.minMs = *std::min_element(ms.begin(), ms.end());
        f.maxMs = *std::max_element(ms.begin(), ms.end());
    }
    f.archiveBytes = QFileInfo(examineeHost + QStringLiteral("/ans.zt")).size();
    return f;
}

} // namespace bench

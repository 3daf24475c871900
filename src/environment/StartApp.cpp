// Starting the operation software and its recorder consoles, the environment check,
// and closing programs again.
#include "environment/StartApp.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QMutex>
#include <QNetworkInterface>
#include <QSet>

#include <exception>

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/unDMDB.h"
#include "platform/WinMessages.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "platform/WinShell.h"
#include "question/OperationTypes.h"
#include "question/TQuestion.h"

namespace {

const QString kChecker = QStringLiteral("EnvironCheckClient.exe");
const QString kCheckResultFile = QStringLiteral("checksoftresult.ini");
const QString kInternetSettings = QStringLiteral(
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings");
constexpr unsigned kWmCommand = 0x0111;

void Log(const QString& text) { TDM::WriteLog(text, nullptr, MSG_ERROR); }

QString ExceptionText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

void Report(const QString& text, bool showBox, bool writeLog, bool quit)
{
    if (DM) {
        DM->ReportAndExit(text, showBox, writeLog, quit);
        return;
    }
    if (showBox)
        ShowPrompt(text, 1, kPromptTitle);
    if (writeLog)
        Log(text);
}

// The browser proxy setting of the current user (the Internet Settings values).
void SetProxy(const QString& host, const QString& port, bool enable)
{
    const QString proxy = host + QLatin1Char(':') + port;
    win::RegWriteString(win::Hive::HKCU, kInternetSettings, QStringLiteral("ProxyServer"), proxy);
    win::RegWriteInteger(win::Hive::HKCU, kInternetSettings, QStringLiteral("ProxyEnable"), enable ? 1 : 0);
    const auto back = win::RegReadInteger(win::Hive::HKCU, kInternetSettings, QStringLiteral("ProxyEnable"));
    if (!back || *back != (enable ? 1 : 0))
        win::RegWriteInteger(win::Hive::HKCU, kInternetSettings, QStringLiteral("ProxyEnable"),
                             enable ? 1 : 0);
}

// The address of the local web site: Aws.ini [config] Aws_LocalIp, else the
// machine's own address.
QString LocalSiteUrl()
{
    const TIniFile aws(win::GetWindowsDirectory() + QStringLiteral("\\Aws.ini"));
    const QString configured = aws.ReadString(QStringLiteral("config"), QStringLiteral("Aws_LocalIp"));
    if (!configured.isEmpty())
        return configured;
    QString ip = QStringLiteral("127.0.0.1");
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
            ip = a.toString();
            break;
        }
    }
    return QStringLiteral("http://") + ip;
}

// The running TStartApp threads (for the wait at the end of the application).
QMutex g_threadsLock;
QSet<TStartApp*> g_threads;

} // namespace

TLaunchLimits& LaunchLimits()
{
    static TLaunchLimits limits;
    return limits;
}

// ---------------------------------------------------------------------------
// Starting programs

qintptr ShellExecuteProgram(const QString& verb, const QString& file, const QString& parameters, int show,
                            qint64* pid)
{
    // The platform's ShellExecute finds a bare program name through App Paths and
    // knows the started process under that name.
    if (pid) {
        *pid = 0;
        qint64 started = 0;
        if (!win::ShellExecuteEx(verb, file, parameters, QString(), show, &started))
            return win::ERROR_FILE_NOT_FOUND;
        *pid = started;
        return 42;
    }
    return win::ShellExecute(verb, file, parameters, QString(), show);
}

TStartApp::TStartApp(const QString& path) : m_path(path)
{
    // The name of the program to close is known before the thread runs, so a clean-up
    // that follows at once never misses it.
    if (DM)
        DM->ProgramToClose = pathutil::ExtractFileName(path.trimmed());
    {
        QMutexLocker g(&g_threadsLock);
        g_threads.insert(this);
    }
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    if (QCoreApplication* app = QCoreApplication::instance()) {
        connect(
            app, &QCoreApplication::aboutToQuit, this, [this] { wait(5000); }, Qt::DirectConnection);
        // Deleted on the GUI thread's loop after it finished.
        moveToThread(app->thread());
    }
}

void TStartApp::Start(const QString& path) { (new TStartApp(path))->start(); }

TStartApp::~TStartApp()
{
    wait();
    QMutexLocker g(&g_threadsLock);
    g_threads.remove(this);
}

bool TStartApp::WaitForAll(int timeoutMs)
{
    const win::DWORD start = TKelPubLib::TickCount();
    for (;;) {
        bool running = false;
        {
            QMutexLocker g(&g_threadsLock);
            for (TStartApp* t : std::as_const(g_threads))
                running = running || !t->isFinished();
        }
        if (!running)
            return true;
        if (static_cast<int>(TKelPubLib::TickCount() - start) > timeoutMs)
            return false;
        TKelPubLib::Delay(10, QThread::currentThread() == qApp->thread());
    }
}

void TStartApp::run()
{
    try {
        const QString path = m_path.trimmed();
        const QString name = pathutil::ExtractFileName(path);
        if (name.toUpper() == QStringLiteral("WINWORD.EXE")) {
            ShellExecuteProgram(QStringLiteral("Open"), path, QString(), win::SW_SHOWNORMAL);
        } else if (name.compare(QStringLiteral("ASPServer.exe"), Qt::CaseInsensitive) == 0) {
            SetProxy(QString(), QString(), false);
            ShellExecuteProgram(QStringLiteral("Open"), path, QString(), win::SW_SHOWMAXIMIZED);
            QThread::msleep(200);
            ShellExecuteProgram(QStringLiteral("Open"), QStringLiteral("iexplore.exe"), LocalSiteUrl(),
                                win::SW_SHOWMAXIMIZED);
        } else {
            if (name.compare(QStringLiteral("iexplore.exe"), Qt::CaseInsensitive) == 0)
                SetProxy(QStringLiteral("127.0.0.1"), QStringLiteral("8080"), true);
            ShellExecuteProgram(QStringLiteral("Open"), path, QString(), win::SW_SHOWMAXIMIZED);
        }
    } catch (const std::exception& e) {
        Log(QStringLiteral("TStartApp.Execute ERROR: ") + ExceptionText(e));
    }
}

bool StartAndWait(win::HWND owner, const QString& file, const QString& parameters, bool waitIdle)
{
    Q_UNUSED(owner);
    qint64 pid = 0;
    if (ShellExecuteProgram(QStringLiteral("open"), file, parameters, win::SW_SHOWNORMAL, &pid) <= 32)
        return false;
    if (!waitIdle || pid == 0)
        return true;
    // Without input queues, a program counts as ready for input once it has run for
    // a moment; one that ends at once failed, as a failed wait does.
    const unsigned w = win::WaitForProcess(pid, 200);
    return w == win::WAIT_TIMEOUT;
}

bool ShellOpenAndWait(const QString& file, const QString& parameters, int seconds)
{
    if (ShellExecuteProgram(QStringLiteral("open"), file, parameters, win::SW_SHOWNORMAL) < 32)
        return false;
    const QString name = pathutil::ExtractFileName(file);
    const int checks = seconds * 10 + 1;
    for (int i = 0; i < checks; ++i) {
        if (win::IsProcessRunning(name))
            return true;
        if (i + 1 < checks)
            TKelPubLib::Delay(100, true);
    }
    return false;
}

// ---------------------------------------------------------------------------
// Recorder consoles

namespace {

struct TRecorderRow {
    int type;
    const char16_t* program;
    const char16_t* console;
    const char16_t* title;
    const char16_t* logFile;
    const char16_t* wakeWindowClass = nullptr; // told to show its menu command 621
};

const TRecorderRow kRecorders[] = {
    {27, u"mspaint.exe", u"ConsoleTest.exe", u"画图", u"Mspaint.kel", u"MSPaintApp"},
    {29, u"wordpad.exe", u"WordPadConsole.exe", u"写字板", u"wordpad.kel"},
    {31, u"FotoCanvas2.exe", u"ACDconsole.exe", u"ACDSee", u"ACDSee.kel"},
    {32, u"sndrec32.exe", u"SndRecConsole.exe", u"录音", u"sndrec.kel"},
    {34, u"FotoCanvas3.exe", u"FotoCanvas3Console.exe", u"ACDSee6", u"ACDSee6.kel"},
};

const TRecorderRow* RecorderRow(int type)
{
    for (const TRecorderRow& r : kRecorders) {
        if (r.type == type)
            return &r;
    }
    return nullptr;
}

} // namespace

void LaunchRecorder(const QString& programPath, const QString& folder, TQuestion* question)
{
    if (!question)
        return;
    const TRecorderRow* row = RecorderRow(question->OperationType);
    if (!row)
        return;
    const QString program = QString::fromUtf16(row->program);
    const QString console = QString::fromUtf16(row->console);
    const QString title = QString::fromUtf16(row->title);
    const QString logFile = QString::fromUtf16(row->logFile);
    // The recorded program is started by its name (found as the shell finds it), so
    // the given path only stands in for that name.
    Q_UNUSED(programPath);

    if (DM)
        DM->RecorderToClose = console;
    if (!pathutil::DirectoryExists(folder))
        pathutil::ForceDirectories(folder);

    if (win::IsProcessRunning(program)) {
        // The running program is the student's own, not one this exercise started:
        // the exit below must not close it (and lose its unsaved work).
        if (DM && DM->ProgramToClose.compare(program, Qt::CaseInsensitive) == 0)
            DM->ProgramToClose.clear();
        Report(title + QStringLiteral("软件正在运行，请先将其关闭，") + QStringLiteral("\r\n")
                   + QStringLiteral("然后通过点击考试软件图标打开!"),
               true, true, true);
        return;
    }
    win::KillProcessByName(console);

    if (!StartAndWait(0, program, QString(), true))
        return;
    TKelPubLib::Delay(100, true);
    TKelPubLib::Delay(500, true);

    const int checks = LaunchLimits().recorderChecks;
    bool running = false;
    for (int i = 0; i < checks; ++i) {
        if (win::IsProcessRunning(program)) {
            running = true;
            break;
        }
        Log(title + QStringLiteral("不存在，等待"));
        TKelPubLib::Delay(500, true);
    }
    if (!running) {
        Report(title + QStringLiteral("打开失败，请点击重做本题后重新打开！"), true, true, true);
        return;
    }
    Log(title + QStringLiteral("存在，唤醒日志记录程序"));

    if (row->wakeWindowClass) {
        Log(QStringLiteral("发送消息给画图程序！"));
        const win::HWND program = win::FindWindow(QString::fromUtf16(row->wakeWindowClass), QString());
        if (program)
            win::PostMessage(program, kWmCommand, 621, 0);
    }

    const QString parameter = QStringLiteral("-password:vq;path:") + folder + QStringLiteral("\\") + logFile
        + QStringLiteral(";");
    const qintptr r = win::ShellExecute(QStringLiteral("open"), win::ProgramDir() + console, parameter,
                                        QString(), win::SW_HIDE);
    if (r >= 33)
        Log(title + QStringLiteral("日志记录程序已经唤醒！"));
}

// ---------------------------------------------------------------------------
// Environment check

QString FormatMissingNames()
{
    QString text;
    if (!DM)
        return text;
    for (int i = 0; i < DM->MissingNames.size(); ++i)
        text += QString::asprintf("%d. %s", i + 1, DM->MissingNames.at(i).toUtf8().constData())
            + QStringLiteral("\r\n");
    return text;
}

bool ChecksoftResult(const QString& resultFile)
{
    if (!DM)
        return false;
    DM->MissingNames.clear();
    DM->MissingCodes.clear();
    try {
        const TIniFile ini(resultFile);
        const QStringList keys = ini.ReadSection(QStringLiteral("CheckResult"));
        for (const QString& rawKey : keys) {
            const QString key = rawKey.trimmed();
            if (key.isEmpty() || key.compare(QStringLiteral("CheckTime"), Qt::CaseInsensitive) == 0)
                continue;
            const QString value = ini.ReadString(QStringLiteral("CheckResult"), key).trimmed();
            bool keyOk = false;
            bool valueOk = false;
            const int code = key.toInt(&keyOk);
            const int installed = value.toInt(&valueOk);
            if (!keyOk || !valueOk)
                continue;
            const QString name = GetSoftVersionName(code);
            if (name.isEmpty())
                continue;
            if (installed == 0) {
                DM->MissingNames.append(name);
                DM->MissingCodes.append(QString::number(code));
            }
        }
    } catch (const std::exception& e) {
        Log(QStringLiteral("CheckEnv ChecksoftResult ERROR: ") + ExceptionText(e));
        return false;
    }
    return DM->MissingNames.isEmpty();
}

int CheckEnv(const QString& ownerId, const QString& stage, const QString& module, int type)
{
    const QString programDir = win::ProgramDir();
    const QString key = ownerId + stage + module;
    QString required;
    try {
        const TIniFile ini(programDir + QStringLiteral("checksoft.ini"));
        required = ini.ReadString(QStringLiteral("env"), key).trimmed();
        const QString download = ini.ReadString(QStringLiteral("download"), ownerId);
        if (DM)
            DM->SoftDownloadUrl = download;
    } catch (const std::exception& e) {
        Log(QStringLiteral("CheckEnv readEnvString ERROR: ") + ExceptionText(e));
        required.clear();
    }
    if (required.isEmpty())
        return CHECKENV_NOT_REQUIRED;

    const QString code = CheckEnvResult(type, required);
    if (DM)
        DM->VersionCode = code;
    if (code.isEmpty())
        return CHECKENV_NOT_REQUIRED;

    int result = CHECKENV_NOT_REQUIRED;
    try {
        const QString resultFile = programDir + kCheckResultFile;
        const QString resultHost = win::toHost(resultFile);
        if (QFile::exists(resultHost) && !QFile::remove(resultHost))
            return result = CHECKENV_INIT_FAILED;

        const qintptr started = win::ShellExecute(QStringLiteral("open"), programDir + kChecker,
                                                  QStringLiteral("Tamry_CheckEnv ") + code, QString(),
                                                  win::SW_SHOWNORMAL);
        if (started < 32)
            return result = CHECKENV_START_FAILED;

        const int polls = LaunchLimits().checkEnvPolls;
        int waits = 0;
        while (win::IsProcessRunning(kChecker)) {
            if (waits >= polls)
                return result = CHECKENV_TIMEOUT;
            TKelPubLib::Delay(100, true);
            ++waits;
        }

        TKelPubLib::Delay(100, true);
        if (!QFile::exists(resultHost))
            return result = CHECKENV_NO_RESULT;

        result = ChecksoftResult(resultFile) ? CHECKENV_PASSED : CHECKENV_MISSING;
    } catch (const std::exception& e) {
        Log(QStringLiteral("CheckEnv ERROR: ") + ExceptionText(e));
    }
    return result;
}

bool RunEnvCheckStep(const QString& ownerId, const QString& stage, const QString& module, int type,
                     QString& envCheckResult, const std::function<void(bool)>& setToolbarEnabled)
{
    const int r = CheckEnv(ownerId, stage, module, type);
    envCheckResult = r >= 0 ? QStringLiteral("1") : QStringLiteral("0");
    switch (r) {
    case CHECKENV_START_FAILED:
        Report(QStringLiteral("启动环境检查失败！"), true, false, false);
        return false;
    case CHECKENV_MISSING: {
        if (setToolbarEnabled)
            setToolbarEnabled(false);
        const QString text = QStringLiteral("当前电脑没有安装以下版本的软件：") + QStringLiteral("\r\n")
            + FormatMissingNames() + QStringLiteral("\r\n")
            + QStringLiteral("没有正确安装该版本软件将会影响本次练习的作答与评分哦~");
        if (AskPrompt2(text, 4, kPromptTitle)) {
            if (setToolbarEnabled)
                setToolbarEnabled(true);
            return true;
        }
        TKelPubLib::Delay(100, true);
        if (setToolbarEnabled)
            setToolbarEnabled(true);
        return false;
    }
    case CHECKENV_INIT_FAILED:
        ShowPrompt(QStringLiteral("环境检查初始化失败！"), 1, kPromptTitle);
        return false;
    case CHECKENV_NO_RESULT:
        ShowPrompt(QStringLiteral("环境检查失败！"), 1, kPromptTitle);
        return false;
    case CHECKENV_TIMEOUT:
        ShowPrompt(QStringLiteral("环境检查超时失败！"), 1, kPromptTitle);
        return false;
    default:
        return r >= 0;
    }
}

// ---------------------------------------------------------------------------
// Web pages

qintptr OpenUrl(const QString& url)
{
    try {
        QString target = url;
        if (target.isEmpty() && DM)
            target = DM->WebUrl;
        const QString t = target.trimmed();
        if (!t.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)
            && !t.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
            Log(QStringLiteral("OpenUrl ERROR: not a web address: ") + target);
            return win::ERROR_FILE_NOT_FOUND;
        }
        qintptr r = win::ShellExecute(QStringLiteral("open"), t, QString(), QString(), win::SW_SHOWNORMAL);
        if (r <= 32)
            r = ShellExecuteProgram(QStringLiteral("open"), QStringLiteral("iexplore.exe"), t,
                                    win::SW_SHOWNORMAL);
        return r;
    } catch (const std::exception&) {
        return -1;
    }
}

bool OpenDownloadPage()
{
    const QString url = DM ? DM->SoftDownloadUrl : QString();
    try {
        const qintptr r = OpenUrl(url);
        if (r <= 31) {
            ShowPrompt(QStringLiteral("打开软件下载地址失败：") + url, 1, kPromptTitle);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Report(QStringLiteral("打开软件下载地址失败：") + ExceptionText(e), true, true, true);
        return false;
    }
}

// ---------------------------------------------------------------------------
// Closing programs

namespace {

// One pass of KillTask: terminates every process of the name; last is set to whether
// the last termination succeeded (unchanged when no process matched).
void TerminateAllNamed(const QString& exeName, bool& last)
{
    const QString wanted = exeName.trimmed().toUpper();
    const qint64 self = QCoreApplication::applicationPid();
    for (const win::ProcessEntry& p : win::ProcessSnapshot()) {
        if (p.pid == self)
            continue;
        // A process that ended meanwhile counts as terminated.
        if (p.exeName.toUpper() == wanted)
            last = win::TerminateProcess(p.pid, 0) || !win::IsProcessAlive(p.pid);
    }
}

bool NameListed(const QString& exeName)
{
    const qint64 self = QCoreApplication::applicationPid();
    for (const win::ProcessEntry& p : win::ProcessSnapshot()) {
        if (p.pid != self && p.exeName.compare(exeName.trimmed(), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool KillTask(const QString& exeName)
{
    Log(QStringLiteral("udmdb.KillTask ") + exeName + QStringLiteral("  in "));
    bool result = false;
    try {
        TerminateAllNamed(exeName, result);
        // A process that is still listed is terminated again; one that outlives every
        // attempt (a protected process, or one that is started again at once) is
        // given up after a bounded number of re-checks.
        int rechecks = 0;
        while (NameListed(exeName)) {
            if (rechecks >= LaunchLimits().killTaskRechecks) {
                Log(QStringLiteral("udmdb.KillTask ERROR: ") + exeName
                    + QStringLiteral(" still running after ") + QString::number(rechecks)
                    + QStringLiteral(" attempts"));
                break;
            }
            TerminateAllNamed(exeName, result);
            TKelPubLib::Delay(200, false);
            ++rechecks;
        }
        TKelPubLib::Delay(1, false);
        Log(QStringLiteral("udmdb.KillTask") + exeName + QStringLiteral("   out "));
    } catch (...) {
    }
    return result;
}

int KillTask2(const QString& exeName)
{
    Log(QStringLiteral("udmdb.KillTask2") + exeName + QStringLiteral("   in "));
    const qint64 self = QCoreApplication::applicationPid();
    const QList<win::ProcessEntry> snapshot = win::ProcessSnapshot();
    int examined = 0;
    for (const win::ProcessEntry& p : snapshot) {
        if (examined++ >= 201)
            break;
        if (p.pid == self || p.exeName.compare(exeName, Qt::CaseInsensitive) != 0)
            continue;
        const bool ok = win::TerminateProcess(p.pid, 0xFFFFFFFFu);
        Log(QStringLiteral("udmdb.KillTask2") + exeName + QStringLiteral("   out "));
        return ok ? 0 : 1;
    }
    return -1;
}

bool KillUntilGone(const QString& exeName)
{
    if (exeName.isEmpty() || pathutil::ExtractFileExt(exeName).toUpper() != QStringLiteral(".EXE"))
        return false;
    const win::DWORD start = TKelPubLib::TickCount();
    int rounds = 0;
    for (;;) {
        if (!win::IsProcessRunning(exeName))
            return true;
        TKelPubLib::Delay(10, true);
        try {
            KillTask(exeName);
            KillTask2(exeName);
        } catch (...) {
        }
        ++rounds;
        const bool tooLong = static_cast<int>(TKelPubLib::TickCount() - start)
            > LaunchLimits().killUntilGoneMs;
        if (rounds > LaunchLimits().killUntilGoneRounds || tooLong) {
            Report(QStringLiteral("关闭进程失败: %1").arg(exeName), false, true, false);
            return false;
        }
    }
}

void CloseOfficeApps()
{
    static const char16_t* const office[] = {u"winword.exe", u"Excel.exe", u"POWERPNT.exe", u"MSAccess.exe",
                                             u"FRONTPAGE.exe"};
    for (const char16_t* n : office) {
        const QString name = QString::fromUtf16(n);
        if (win::IsProcessRunning(name)) {
            KillTask(name);
            KillTask2(name);
        }
    }
}

void CloseOperationSoftware()
{
    if (!DM)
        return;
    KillUntilGone(DM->RecorderToClose);
    if (!(DM->ProgramToClose.toUpper() == QStringLiteral("IEXPLORE.EXE") && !DM->IEEnvironment))
        KillUntilGone(DM->ProgramToClose);
}

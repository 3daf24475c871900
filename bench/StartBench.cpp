#include "StartBench.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include "BenchUtil.h"
#include "platform/WinMessages.h"
#include "platform/WinTypes.h"

namespace bench {

namespace {

// The message a second start sends to the running toolbar; the toolbar ends the
// exercise the way it ends it for a second start (WM_USER + 111 in the toolbar).
constexpr unsigned kWmUserShow = win::WM_USER + 111;

void say(const QString& s)
{
    std::printf("   %s\n", s.toLocal8Bit().constData());
    std::fflush(stdout);
}

qint64 treeBytes(const QString& dir)
{
    qint64 n = 0;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        n += it.fileInfo().size();
    }
    return n;
}

// Text that deflate packs well, but not trivially: numbered lines from a small
// vocabulary, like a long document or log.
QByteArray compressibleText(qint64 bytes, quint32 seed)
{
    static const char* const words[] = {"文件",     "文件夹",   "复制",    "移动",     "删除",       "重命名",
                                        "属性",     "只读",     "隐藏",    "快捷方式", "资源管理器", "回收站",
                                        "桌面",     "素材",     "练习",    "the",      "folder",     "copy",
                                        "material", "exercise", "student", "lesson"};
    constexpr int nWords = int(sizeof(words) / sizeof(words[0]));
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(bytes + 256);
    qint64 line = 0;
    while (out.size() < bytes) {
        out += QByteArray::number(++line);
        out += ". ";
        const int n = 6 + int(rng.bounded(10));
        for (int i = 0; i < n; ++i) {
            out += words[rng.bounded(nWords)];
            out += ' ';
        }
        out += QByteArray::number(rng.bounded(100000));
        out += "\r\n";
    }
    out.truncate(bytes);
    return out;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray randomBytes(qint64 bytes)
{
    QByteArray b(bytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(b.data()),
                                         reinterpret_cast<quint32*>(b.data()) + bytes / 4);
    return b;
}

// Replaces the material of a question folder by the original material plus a bulk
// folder (random bytes and text) so that the zip is about targetBytes long.
bool makeMaterial(const QString& questionDir, qint64 targetBytes, StartFigures& fig)
{
    const QString zipPath = questionDir + QStringLiteral("/material.zip");
    const QString unpack = questionDir + QStringLiteral("/../material-src");
    QDir().mkpath(unpack);
    QString err;
    if (QFile::exists(zipPath)) {
        if (!Run(Which(QStringLiteral("unzip")),
                 {QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("morvane"), zipPath,
                  QStringLiteral("-d"), unpack},
                 &err)) {
            fig.error = err;
            return false;
        }
        QFile::remove(zipPath);
    }
    const QString bulk = unpack + QStringLiteral("/bulk");
    QDir().mkpath(bulk);
    // About 85 % of the zip is random (stored as it is), the rest text that packs to
    // roughly a fifth of its size.
    const qint64 randomPart = targetBytes * 85 / 100;
    const qint64 textPacked = targetBytes - randomPart;
    qint64 written = 0;
    for (int i = 1; written < randomPart; ++i) {
        const qint64 n = std::min<qint64>(4 * 1000 * 1000, randomPart - written);
        if (!writeFile(bulk + QStringLiteral("/photo-%1.bin").arg(i), randomBytes(n)))
            return false;
        written += n;
    }
    auto zipNow = [&]() {
        QFile::remove(zipPath);
        return Run(Which(QStringLiteral("zip")),
                   {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-X"), QStringLiteral("-P"),
                    QStringLiteral("morvane"), QFileInfo(zipPath).absoluteFilePath(), QStringLiteral(".")},
                   &err, 300000, unpack);
    };
    // The text: sized once from a first estimate, then corrected by the measured ratio.
    qint64 textBytes = textPacked * 5;
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int i = 1; i <= 4; ++i)
            if (!writeFile(bulk + QStringLiteral("/notes-%1.txt").arg(i),
                           compressibleText(textBytes / 4, quint32(i))))
                return false;
        if (!zipNow()) {
            fig.error = err;
            return false;
        }
        const qint64 size = QFileInfo(zipPath).size();
        const qint64 packedText = size - randomPart;
        if (attempt == 0 && packedText > 0 && std::llabs(size - targetBytes) > targetBytes / 50)
            textBytes = qint64(double(textBytes) * double(textPacked) / double(packedText));
        else
            break;
    }
    fig.materialZipBytes = QFileInfo(zipPath).size();
    fig.materialUnpackedBytes = treeBytes(unpack);
    QDir(unpack).removeRecursively();
    return true;
}

QString launchName(const StartOptions& o) { return o.sample; }

// The four addresses of the launch data, in the order paper, step file, material,
// picture.
bool launchUrls(const QString& siteUrl, const QString& name, const QString& dir, QStringList& urls,
                QString& err)
{
    const QString json = dir + QStringLiteral("/launch.json");
    if (!Run(Which(QStringLiteral("curl")),
             {QStringLiteral("-s"), QStringLiteral("-f"), QStringLiteral("-d"), QString(),
              QStringLiteral("-o"), json, siteUrl + QStringLiteral("/launch/") + name},
             &err))
        return false;
    QFile f(json);
    f.open(QIODevice::ReadOnly);
    const QJsonObject q = QJsonDocument::fromJson(f.readAll())
                              .object()[QStringLiteral("data")]
                              .toObject()[QStringLiteral("question")]
                              .toObject();
    urls = {q[QStringLiteral("paperurl")].toString(), q[QStringLiteral("stepurl")].toString(),
            q[QStringLiteral("maturl")].toString(), q[QStringLiteral("url2")].toString()};
    for (const QString& u : urls)
        if (u.isEmpty()) {
            err = QStringLiteral("the launch data lacks an address: ")
                + QString::fromUtf8(QJsonDocument(q).toJson(QJsonDocument::Compact));
            return false;
        }
    return true;
}

// One curl process fetches the four files (one connection, as a download tool
// would), then unzip unpacks the material.
bool curlUnzip(const QStringList& urls, const QString& dir, double& ms, double& curlMs, QString& err)
{
    QDir(dir).removeRecursively();
    QDir().mkpath(dir + QStringLiteral("/out"));
    QStringList args{QStringLiteral("-s"), QStringLiteral("-f")};
    const QStringList names{QStringLiteral("Paper.xml"), QStringLiteral("step.xml"),
                            QStringLiteral("material.zip"), QStringLiteral("picture.png")};
    for (int i = 0; i < 4; ++i)
        args << QStringLiteral("-o") << dir + QLatin1Char('/') + names[i] << urls[i];
    const QString curl = Which(QStringLiteral("curl"));
    const QString unzip = Which(QStringLiteral("unzip"));
    const qint64 t0 = MonotonicNs();
    if (!Run(curl, args, &err))
        return false;
    curlMs = double(MonotonicNs() - t0) / 1e6;
    if (!Run(unzip,
             {QStringLiteral("-q"), QStringLiteral("-o"), QStringLiteral("-P"), QStringLiteral("morvane"),
              dir + QStringLiteral("/material.zip"), QStringLiteral("-d"), dir + QStringLiteral("/out")},
             &err))
        return false;
    ms = double(MonotonicNs() - t0) / 1e6;
    return true;
}

// The first stamp the shell-open recorder wrote (nanoseconds of CLOCK_REALTIME), or -1.
qint64 recorderStamp(const QString& file, QString* what)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = f.readLine().trimmed();
    const int sp = line.indexOf(' ');
    if (sp <= 0)
        return -1;
    bool ok = false;
    const qint64 ns = line.left(sp).toLongLong(&ok);
    if (what)
        *what = QString::fromLocal8Bit(line.mid(sp + 1));
    return ok ? ns : -1;
}

void setWindowEnv(const QString& prefix, const QString& runtime)
{
    qputenv("PRAVIK_PREFIX", QFile::encodeName(prefix));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
}

ClientRun runClient(const StartOptions& o, const QString& url, const QString& programCopy,
                    const QString& runDir, bool measureIdle)
{
    ClientRun r;
    const QString prefix = runDir + QStringLiteral("/prefix");
    const QString runtime = runDir + QStringLiteral("/runtime");
    const QString opened = runDir + QStringLiteral("/opened.txt");
    const QString recorder = runDir + QStringLiteral("/shell-open.sh");
    QDir().mkpath(prefix);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The recorder stamps the moment the client opens the question folder in
    // "Explorer" (the last act of the start before the timers run).
    writeFile(recorder,
              QStringLiteral("#!/bin/sh\nprintf '%s %s\\n' \"$(date +%s%N)\" \"$*\" >> '%1'\n")
                  .arg(opened)
                  .toLocal8Bit());
    QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A fresh program folder without the logs of the previous run.
    QFile::remove(programCopy + QStringLiteral("/zovovozuz.log"));
    QFile::remove(programCopy + QStringLiteral("/output.log"));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PRAVIK_PREFIX"), prefix);
    env.insert(QStringLiteral("PRAVIK_PROGRAM_DIR"), programCopy);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("PRAVIK_SHELL_OPEN"), recorder);
    p.setProcessEnvironment(env);
    p.setProgram(o.buildDir + QStringLiteral("/bin/prjPractice"));
    p.setArguments({url});
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(runDir + QStringLiteral("/client.out"));
    p.setStandardErrorFile(runDir + QStringLiteral("/client.out"), QIODevice::Append);

    const qint64 startReal = RealtimeNs();
    const qint64 startMono = MonotonicNs();
    p.start();
    if (!p.waitForStarted(10000)) {
        r.error = QStringLiteral("prjPractice did not start");
        return r;
    }
    const qint64 deadline = startMono + 120LL * 1000000000LL;
    qint64 stamp = -1;
    QString what;
    while (MonotonicNs() < deadline) {
        stamp = recorderStamp(opened, &what);
        if (stamp > 0)
            break;
        if (p.state() == QProcess::NotRunning)
            break;
        QThread::msleep(5);
    }
    r.observedMs = double(MonotonicNs() - startMono) / 1e6;
    if (stamp <= 0) {
        r.error = p.state() == QProcess::NotRunning
            ? QStringLiteral("prjPractice ended before the exercise ran (see %1/client.out and the log)")
                  .arg(runDir)
            : QStringLiteral("no running state within 120 s");
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.readyMs = double(stamp - startReal) / 1e6;

    // The toolbar must be there and the process alive, or the stamp means nothing.
    setWindowEnv(prefix, runtime);
    QThread::msleep(50);
    const win::HWND tool = win::FindWindow(QStringLiteral("TfrmTool"), QStringLiteral("Pravik"));
    if (!tool || p.state() == QProcess::NotRunning) {
        r.error = QStringLiteral("the toolbar is not running after the start (window %1)").arg(tool);
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.ok = true;

    if (measureIdle && o.idleSeconds > 0) {
        QThread::msleep(o.settleMs);
        const qint64 pid = p.processId();
        const auto before = ProcessCpuSeconds(pid);
        const auto schedBefore = ProcessSchedSeconds(pid);
        const qint64 w0 = MonotonicNs();
        QThread::msleep(ulong(o.idleSeconds) * 1000);
        const auto after = ProcessCpuSeconds(pid);
        const auto schedAfter = ProcessSchedSeconds(pid);
        if (schedBefore && schedAfter)
            r.idleSchedSeconds = *schedAfter - *schedBefore;
        r.idleWallSeconds = double(MonotonicNs() - w0) / 1e9;
        if (before && after) {
            r.idleCpuSeconds = *after - *before;
            r.startCpuSeconds = *before;
        }
    }

    // The end: the message a second start sends; the toolbar cleans up and quits.
    if (win::PostMessage(tool, kWmUserShow) && p.waitForFinished(20000)) {
        r.ending = QStringLiteral("ended by WM_USER_SHOW");
    } else {
        p.kill();
        p.waitForFinished(5000);
        r.ending = QStringLiteral("killed (did not end on WM_USER_SHOW within 20 s)");
    }
    return r;
}

} // namespace

StartFigures MeasureStart(const StartOptions& o)
{
    StartFigures fig;
    for (const char* tool : {"curl", "unzip", "zip"})
        if (Which(QString::fromLatin1(tool)).isEmpty()) {
            fig.error = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
            return fig;
        }
    const QString bin = o.buildDir + QStringLiteral("/bin");
    const QString source = o.buildDir + QStringLiteral("/practice-questions/") + o.sample;
    for (const QString& need :
         {bin + QStringLiteral("/prjPractice"), bin + QStringLiteral("/practice-site"), source})
        if (!QFileInfo::exists(need)) {
            fig.error = need + QStringLiteral(" is missing: build first");
            return fig;
        }

    // The questions folder: one question, its material made large.
    const QString questions = o.workDir + QStringLiteral("/questions");
    const QString qdir = questions + QLatin1Char('/') + launchName(o);
    if (!CopyTree(source, qdir)) {
        fig.error = QStringLiteral("cannot copy ") + source;
        return fig;
    }
    say(QStringLiteral("making the %1 MB material ...").arg(o.materialMb));
    if (!makeMaterial(qdir, qint64(o.materialMb) * 1000 * 1000, fig)) {
        if (fig.error.isEmpty())
            fig.error = QStringLiteral("cannot write the material");
        return fig;
    }
    QDir(o.workDir + QStringLiteral("/material-src")).removeRecursively();
    say(QStringLiteral("material.zip: %1 bytes (%2 bytes unpacked)")
            .arg(fig.materialZipBytes)
            .arg(fig.materialUnpackedBytes));

    // The site on a free loopback port.
    QProcess site;
    site.setProgram(bin + QStringLiteral("/practice-site"));
    site.setArguments({QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                       QStringLiteral("0"), QStringLiteral("--questions"), questions});
    site.setStandardInputFile(QProcess::nullDevice());
    site.setProcessChannelMode(QProcess::SeparateChannels);
    site.start();
    if (!site.waitForStarted(10000)) {
        fig.error = QStringLiteral("practice-site did not start");
        return fig;
    }
    const qint64 siteDeadline = MonotonicNs() + 10LL * 1000000000LL;
    while (MonotonicNs() < siteDeadline && !site.canReadLine())
        site.waitForReadyRead(200);
    const QString first = QString::fromLocal8Bit(site.readLine()).trimmed();
    if (!first.startsWith(QStringLiteral("PRACTICE_SITE_URL="))) {
        fig.error = QStringLiteral("practice-site did not report its address: ") + first;
        site.kill();
        site.waitForFinished(3000);
        return fig;
    }
    fig.siteUrl = first.mid(int(qstrlen("PRACTICE_SITE_URL=")));
    say(QStringLiteral("practice-site at %1").arg(fig.siteUrl));
    auto stopSite = [&]() {
        site.kill();
        site.waitForFinished(3000);
    };

    QStringList urls;
    QString err;
    if (!launchUrls(fig.siteUrl, launchName(o), o.workDir, urls, err)) {
        fig.error = err;
        stopSite();
        return fig;
    }

    // The same four files by curl + unzip.
    for (int i = 0; i < o.runs; ++i) {
        double ms = 0, curlMs = 0;
        if (!curlUnzip(urls, o.workDir + QStringLiteral("/curl"), ms, curlMs, err)) {
            fig.error = err;
            stopSite();
            return fig;
        }
        fig.curlUnzipMs.push_back(ms);
        fig.curlMs.push_back(curlMs);
        say(QStringLiteral("curl + unzip run %1: %2 ms (curl %3 ms)")
                .arg(i + 1)
                .arg(Fixed(ms), Fixed(curlMs)));
    }
    QDir(o.workDir + QStringLiteral("/curl")).removeRecursively();

    // The client, from a copy of the program folder.
    const QString programCopy = o.workDir + QStringLiteral("/program");
    if (!CopyTree(bin, programCopy)) {
        fig.error = QStringLiteral("cannot copy the program folder ") + bin;
        stopSite();
        return fig;
    }
    const QString url = QStringLiteral("KelTamry-EXERCISE://%1/launch/%2").arg(fig.siteUrl, launchName(o));
    const QByteArray oldPrefix = qgetenv("PRAVIK_PREFIX");
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    for (int i = 0; i < o.runs; ++i) {
        const QString runDir = o.workDir + QStringLiteral("/client-%1").arg(i + 1);
        const bool idle = i == 0;
        if (idle && o.idleSeconds > 0)
            say(QStringLiteral("client run %1 (then %2 s idle) ...").arg(i + 1).arg(o.idleSeconds));
        ClientRun r = runClient(o, url, programCopy, runDir, idle);
        if (r.ok)
            say(QStringLiteral("client run %1: %2 ms to the running state (seen after %3 ms), %4")
                    .arg(i + 1)
                    .arg(Fixed(r.readyMs))
                    .arg(Fixed(r.observedMs))
                    .arg(r.ending));
        else
            say(QStringLiteral("client run %1 failed: %2").arg(i + 1).arg(r.error));
        fig.client.push_back(r);
        QDir(runDir + QStringLiteral("/prefix")).removeRecursively();
    }
    qputenv("PRAVIK_PREFIX", oldPrefix);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    stopSite();
    return fig;
}

} // namespace bench

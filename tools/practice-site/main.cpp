// practice-site: a small local website for development and tests. It serves the
// questions of a folder (one subfolder per question, as built from samples/): the
// launch data, the paper, the step file, the password-protected material and the
// description picture; it takes score uploads, records them, and shows an analysis
// page with the score.
//
//   practice-site [--host H] [--port N] [--questions DIR] [--record FILE] [--debug]
//                 [--version V]
//
// On start it prints one line "PRACTICE_SITE_URL=http://H:PORT" (port 0 picks a free
// port). See README.md for the addresses and the test switches.
#include <httplib.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QUrl>
#include <QXmlStreamReader>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "common/SiteDefaults.h"

namespace {

struct Question {
    QString name; // folder name
    QString dir;
    QString id; // question id
    QString questionType;
    QString operationType;
    QString knowledge;
    QString moduleId;
    QJsonObject launchExtra; // launch.json of the folder
    bool hasMaterial = false;
};

struct Site {
    QString host = QStringLiteral("127.0.0.1");
    int port = PRAVIK_DEFAULT_SITE_PORT;
    QString questionsDir;
    QString recordFile;
    bool debugFormat = false;
    QString version = QStringLiteral("1.0");
    QMap<QString, Question> questions;
    std::mutex lock;
    QList<QJsonObject> uploads; // decoded uploads in order
    QString base() const { return QStringLiteral("http://%1:%2").arg(host).arg(port); }
};

QString fromStd(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string toStd(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), size_t(b.size()));
}

// The few values the launch data needs, read from the paper file.
bool readPaper(const QString& path, Question& q)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader r(&f);
    QString current;
    bool inQuest = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isDTD())
            return false;
        if (r.isStartElement()) {
            current = r.name().toString();
            if (current == QLatin1String("quest"))
                inQuest = true;
        } else if (r.isEndElement()) {
            if (r.name() == QLatin1String("quest"))
                break; // only the first question counts
            current.clear();
        } else if (r.isCharacters() && !r.isWhitespace()) {
            const QString t = r.text().toString().trimmed();
            if (current == QLatin1String("moduleid"))
                q.moduleId = t;
            else if (inQuest && current == QLatin1String("questionid"))
                q.id = t;
            else if (inQuest && current == QLatin1String("questiontype"))
                q.questionType = t;
            else if (inQuest && current == QLatin1String("operationtype"))
                q.operationType = t;
            else if (inQuest && current == QLatin1String("knowledgep"))
                q.knowledge = t;
        }
    }
    return !r.hasError() && !q.id.isEmpty();
}

void loadQuestions(Site& site)
{
    QDir root(site.questionsDir);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        Question q;
        q.name = name;
        q.dir = root.filePath(name);
        if (!readPaper(q.dir + QStringLiteral("/Paper.xml"), q)) {
            std::fprintf(stderr, "practice-site: skipping %s (no readable Paper.xml)\n", qPrintable(name));
            continue;
        }
        q.hasMaterial = QFile::exists(q.dir + QStringLiteral("/material.zip"));
        QFile extra(q.dir + QStringLiteral("/launch.json"));
        if (extra.open(QIODevice::ReadOnly))
            q.launchExtra = QJsonDocument::fromJson(extra.readAll()).object();
        site.questions.insert(name, q);
    }
}

void sendJson(httplib::Response& res, const QJsonObject& o)
{
    res.set_content(QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(),
                    "application/json; charset=utf-8");
}

QString param(const httplib::Request& req, const char* name)
{
    return req.has_param(name) ? fromStd(req.get_param_value(name)) : QString();
}

void maybeDelay(const httplib::Request& req)
{
    const int ms = param(req, "delay").toInt();
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(qMin(ms, 600000)));
}

QString htmlPage(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                          "<style>body{font-family:'WenQuanYi Micro Hei',sans-serif;margin:2em;}"
                          "td,th{padding:4px 10px;border-bottom:1px solid #ddd;text-align:left}"
                          ".score{font-size:2.5em;color:#1f4e8c}</style></head><body>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

void handleLaunch(Site& site, const httplib::Request& req, httplib::Response& res)
{
    maybeDelay(req);
    const QString name = fromStd(req.matches[1]);
    const QString mode = param(req, "mode");
    if (mode == QLatin1String("empty")) {
        res.set_content("", "text/plain");
        return;
    }
    if (mode == QLatin1String("html")) {
        res.set_content(toStd(htmlPage(QStringLiteral("Error"), QStringLiteral("<h1>服务器内部错误</h1>"))),
                        "text/html; charset=utf-8");
        return;
    }
    auto it = site.questions.constFind(name);
    if (it == site.questions.constEnd()) {
        res.status = 404;
        res.set_content(toStd(htmlPage(QStringLiteral("404"), QStringLiteral("<h1>没有这道题</h1>"))),
                        "text/html; charset=utf-8");
        return;
    }
    const Question& q = *it;
    const QString files = QStringLiteral("%1/files/%2/").arg(site.base(), q.name);
    const QString missing = param(req, "missing");
    auto fileUrl = [&](const QString& kind, const QString& file) {
        QString url = files + (missing == kind ? QStringLiteral("missing-") + file : file);
        if (param(req, "truncate") == kind)
            url += QStringLiteral("?truncate=1");
        return url;
    };
    QJsonObject question{
        {QStringLiteral("questid"), param(req, "questid").isEmpty() ? q.id : param(req, "questid")},
        {QStringLiteral("knowledgep"), q.knowledge},
        {QStringLiteral("questiontype"), q.questionType},
        {QStringLiteral("operationtype"), q.operationType},
        {QStringLiteral("url2"), fileUrl(QStringLiteral("picture"), q.id + QStringLiteral(".png"))},
        {QStringLiteral("stepurl"), fileUrl(QStringLiteral("step"), q.id + QStringLiteral(".xml"))},
        {QStringLiteral("maturl"),
         q.hasMaterial && param(req, "nomaterial").isEmpty()
             ? fileUrl(QStringLiteral("material"), q.id + QStringLiteral(".zip"))
             : QString()},
        {QStringLiteral("paperurl"), fileUrl(QStringLiteral("paper"), QStringLiteral("Paper.xml"))},
    };
    QString callback = QStringLiteral("%1/callback/%2").arg(site.base(), q.name);
    if (!param(req, "callbackmode").isEmpty())
        callback += QStringLiteral("?mode=")
            + QString::fromLatin1(QUrl::toPercentEncoding(param(req, "callbackmode")));
    QJsonObject data{
        {QStringLiteral("callback"), callback},
        {QStringLiteral("version"), req.has_param("version") ? param(req, "version") : site.version},
        {QStringLiteral("ownerid"),
         q.launchExtra.value(QStringLiteral("ownerid")).toString(QStringLiteral("440100"))},
        {QStringLiteral("k12stage"),
         q.launchExtra.value(QStringLiteral("k12stage")).toString(QStringLiteral("3"))},
        {QStringLiteral("module"), q.launchExtra.value(QStringLiteral("module")).toString(q.moduleId)},
        {QStringLiteral("question"), question},
    };
    QJsonObject top{{QStringLiteral("flag"), QStringLiteral("1")},
                    {QStringLiteral("msg"), QString()},
                    {QStringLiteral("data"), data}};
    if (mode == QLatin1String("refused")) {
        top[QStringLiteral("flag")] = QStringLiteral("0");
        top[QStringLiteral("msg")] = param(req, "msg").isEmpty() ? QStringLiteral("本题暂时不能练习")
                                                                 : param(req, "msg");
    }
    sendJson(res, top);
}

void handleFile(Site& site, const httplib::Request& req, httplib::Response& res)
{
    maybeDelay(req);
    const QString name = fromStd(req.matches[1]);
    const QString file = fromStd(req.matches[2]);
    auto it = site.questions.constFind(name);
    QString path;
    if (it != site.questions.constEnd()) {
        const Question& q = *it;
        if (file == QLatin1String("Paper.xml"))
            path = q.dir + QStringLiteral("/Paper.xml");
        else if (file == q.id + QStringLiteral(".xml"))
            path = q.dir + QStringLiteral("/Step.xml");
        else if (file == q.id + QStringLiteral(".zip") && q.hasMaterial)
            path = q.dir + QStringLiteral("/material.zip");
        else if (file == q.id + QStringLiteral(".png"))
            path = q.dir + QStringLiteral("/description.png");
    }
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        res.status = 404;
        res.set_content("Not Found", "text/plain");
        return;
    }
    const QByteArray bytes = f.readAll();
    const char* type = file.endsWith(QLatin1String(".png")) ? "image/png"
        : file.endsWith(QLatin1String(".zip"))              ? "application/zip"
                                                            : "text/xml";
    if (param(req, "truncate") == QLatin1String("1")) {
        res.set_content(std::string(bytes.constData(), size_t(bytes.size() / 2)), type);
        return;
    }
    res.set_content(std::string(bytes.constData(), size_t(bytes.size())), type);
}

void handleCallback(Site& site, const httplib::Request& req, httplib::Response& res)
{
    maybeDelay(req);
    const QString name = fromStd(req.matches[1]);
    const QString mode = param(req, "mode");
    // The form body "scores=" + JSON; httplib has decoded the entry already.
    const QString scores = req.has_param("scores") ? fromStd(req.get_param_value("scores")) : QString();
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(scores.toUtf8(), &err);
    QJsonObject upload = doc.isObject() ? doc.object() : QJsonObject{{QStringLiteral("unparsed"), scores}};
    int number = 0;
    {
        std::lock_guard<std::mutex> guard(site.lock);
        site.uploads.append(upload);
        number = int(site.uploads.size());
        if (!site.recordFile.isEmpty()) {
            QFile rec(site.recordFile);
            if (rec.open(QIODevice::Append)) {
                QJsonObject line = upload;
                rec.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
            }
        }
    }
    const QString analysis = QStringLiteral("%1/analysis/%2/%3").arg(site.base(), name).arg(number);
    if (mode == QLatin1String("html")) {
        res.set_content(toStd(htmlPage(QStringLiteral("Error"), QStringLiteral("<h1>服务器内部错误</h1>"))),
                        "text/html; charset=utf-8");
        return;
    }
    if (mode == QLatin1String("refused")) {
        sendJson(res,
                 {{QStringLiteral("flag"), QStringLiteral("0")},
                  {QStringLiteral("result"), QStringLiteral("1")},
                  {QStringLiteral("msg"), QStringLiteral("成绩上传失败")}});
        return;
    }
    if (mode == QLatin1String("nodata")) {
        sendJson(res, {{QStringLiteral("flag"), QStringLiteral("1")}, {QStringLiteral("msg"), QString()}});
        return;
    }
    if (site.debugFormat)
        sendJson(res,
                 {{QStringLiteral("result"), QStringLiteral("0")},
                  {QStringLiteral("msg"), QString()},
                  {QStringLiteral("callback"), analysis}});
    else
        sendJson(res,
                 {{QStringLiteral("flag"), QStringLiteral("1")},
                  {QStringLiteral("msg"), QString()},
                  {QStringLiteral("data"), QJsonObject{{QStringLiteral("callback"), analysis}}}});
}

void handleAnalysis(Site& site, const httplib::Request& req, httplib::Response& res)
{
    const int number = fromStd(req.matches[2]).toInt();
    QJsonObject u;
    {
        std::lock_guard<std::mutex> guard(site.lock);
        if (number >= 1 && number <= site.uploads.size())
            u = site.uploads.at(number - 1);
    }
    if (u.isEmpty()) {
        res.status = 404;
        res.set_content(toStd(htmlPage(QStringLiteral("404"), QStringLiteral("<h1>没有这次练习的成绩</h1>"))),
                        "text/html; charset=utf-8");
        return;
    }
    auto v = [&](const char* key) { return u.value(QLatin1String(key)).toString().toHtmlEscaped(); };
    const QString body =
        QStringLiteral("<h1>练习评析</h1><p>试题 %1（%2）</p><p class=\"score\">%3 / %4 分</p>"
                       "<table><tr><th>开始时间</th><td>%5</td></tr><tr><th>交卷时间</th><td>%6</td></tr>"
                       "<tr><th>用时（秒）</th><td>%7</td></tr><tr><th>评析</th><td>%8</td></tr></table>")
            .arg(v("questionid"), v("knowledgep"), v("testscore"), v("score"), v("begintime"),
                 v("committime"), v("timespent"), v("answerevaluation"));
    res.set_content(toStd(htmlPage(QStringLiteral("练习评析"), body)), "text/html; charset=utf-8");
}

void handleIndex(Site& site, const httplib::Request&, httplib::Response& res)
{
    QString rows;
    for (const Question& q : site.questions)
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td><code>KelTamry-EXERCISE://%4/launch/"
                               "%1</code></td></tr>")
                    .arg(q.name.toHtmlEscaped(), q.id, q.operationType, site.base());
    res.set_content(toStd(htmlPage(QStringLiteral("practice-site"),
                                   QStringLiteral("<h1>练习题</h1><table><tr><th>名称</th><th>试题编号</th>"
                                                  "<th>操作类型</th><th>启动地址</th></tr>%1</table>")
                                       .arg(rows))),
                    "text/html; charset=utf-8");
}

int usage()
{
    std::fprintf(stderr,
                 "usage: practice-site [--host H] [--port N] [--questions DIR] [--record FILE] [--debug] "
                 "[--version V]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    Site site;
    site.questionsDir = QStringLiteral(PRACTICE_QUESTIONS_DIR);
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        auto next = [&]() -> QString { return i + 1 < argc ? QString::fromLocal8Bit(argv[++i]) : QString(); };
        if (a == QLatin1String("--host"))
            site.host = next();
        else if (a == QLatin1String("--port"))
            site.port = next().toInt();
        else if (a == QLatin1String("--questions"))
            site.questionsDir = next();
        else if (a == QLatin1String("--record"))
            site.recordFile = next();
        else if (a == QLatin1String("--debug"))
            site.debugFormat = true;
        else if (a == QLatin1String("--version"))
            site.version = next();
        else
            return usage();
    }
    if (site.host.isEmpty() || site.port < 0 || site.port > 65535)
        return usage();
    loadQuestions(site);

    httplib::Server server;
    server.Post(R"(/launch/([^/]+))",
                [&](const httplib::Request& q, httplib::Response& r) { handleLaunch(site, q, r); });
    server.Get(R"(/launch/([^/]+))",
               [&](const httplib::Request& q, httplib::Response& r) { handleLaunch(site, q, r); });
    server.Get(R"(/files/([^/]+)/([^/]+))",
               [&](const httplib::Request& q, httplib::Response& r) { handleFile(site, q, r); });
    server.Post(R"(/callback/([^/]+))",
                [&](const httplib::Request& q, httplib::Response& r) { handleCallback(site, q, r); });
    server.Get(R"(/analysis/([^/]+)/(\d+))",
               [&](const httplib::Request& q, httplib::Response& r) { handleAnalysis(site, q, r); });
    server.Get("/", [&](const httplib::Request& q, httplib::Response& r) { handleIndex(site, q, r); });

    const std::string host = toStd(site.host);
    if (site.port == 0) {
        site.port = server.bind_to_any_port(host);
        if (site.port <= 0) {
            std::fprintf(stderr, "practice-site: cannot listen on %s\n", host.c_str());
            return 1;
        }
    } else if (!server.bind_to_port(host, site.port)) {
        std::fprintf(stderr, "practice-site: cannot listen on %s:%d\n", host.c_str(), site.port);
        return 1;
    }
    std::printf("PRACTICE_SITE_URL=%s\n", qPrintable(site.base()));
    std::printf("practice-site: %d questions from %s\n", int(site.questions.size()),
                qPrintable(site.questionsDir));
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}

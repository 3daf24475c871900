#include "web/HttpTransfer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <curl/curl.h>
#include <functional>
#include <memory>

// The transfers run on libcurl: every request goes out on a connection of its own
// and is sent exactly once. A connection that the website closes before its answer
// is a failed request, never a reason to send the request again by ourselves (the
// score post would arrive twice, and the student would not be asked whether to
// retry). libcurl only repeats a request on a reused connection, and no connection
// is ever reused here.

namespace webhttp {

namespace {
std::atomic<int> g_timeout{60000};
std::atomic<qint64> g_maxBytes{qint64(1) << 30};

void initCurlOnce()
{
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(done);
}

struct CurlDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using EasyPtr = std::unique_ptr<CURL, CurlDeleter>;
using HeaderListPtr = std::unique_ptr<curl_slist, CurlDeleter>;

// One request: the easy handle with the settings every request shares, and what
// arrives while it runs.
struct Request {
    EasyPtr easy{curl_easy_init()};
    HeaderListPtr headers;
    char errorText[CURL_ERROR_SIZE] = {};
    int status = 0; // of the last status line
    QByteArray reason; // its reason phrase
    std::function<bool(const char*, size_t)> sink; // false stops the transfer
};

size_t onHeader(char* data, size_t size, size_t count, void* user)
{
    auto* req = static_cast<Request*>(user);
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    if (line.startsWith("HTTP/")) {
        // "HTTP/1.1 404 Not Found": a later status line (after "100 Continue") wins.
        const QList<QByteArray> parts = line.split(' ');
        req->status = parts.size() > 1 ? parts[1].toInt() : 0;
        const qsizetype at = line.indexOf(' ', line.indexOf(' ') + 1);
        req->reason = at > 0 ? line.mid(at + 1) : QByteArray();
    }
    return size * count;
}

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* req = static_cast<Request*>(user);
    return req->sink(data, size * count) ? size * count : 0;
}

bool accepted(int status) { return status >= 200 && status <= 299; }

std::unique_ptr<Request> makeRequest(const QString& url)
{
    initCurlOnce();
    auto req = std::make_unique<Request>();
    CURL* h = req->easy.get();
    if (!h)
        return req;
    curl_easy_setopt(h, CURLOPT_URL, QUrl(url.trimmed()).toEncoded().constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_PROXY, ""); // no proxy, also not from the environment
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L); // redirects are not followed
    curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/5.0");
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, ""); // every encoding libcurl decodes
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, req->errorText);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, req.get());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, req.get());
    return req;
}

struct Outcome {
    CURLcode code = CURLE_FAILED_INIT; // until libcurl reports the end
    bool timedOut = false;
};

// Runs the request to its end. A request during which nothing moves for the
// transfer time-out is stopped.
Outcome runToEnd(Request& req)
{
    Outcome out;
    CURL* easy = req.easy.get();
    CURLM* multi = curl_multi_init();
    curl_multi_add_handle(multi, easy);
    const qint64 idleLimit = g_timeout.load();
    QElapsedTimer quiet;
    quiet.start();
    curl_off_t moved = -1;
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            break;
        curl_off_t up = 0, down = 0;
        long head = 0;
        curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &up);
        curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &down);
        curl_easy_getinfo(easy, CURLINFO_HEADER_SIZE, &head);
        if (up + down + head != moved) {
            moved = up + down + head;
            quiet.restart();
        }
        if (!running)
            break;
        const qint64 left = idleLimit - quiet.elapsed();
        if (left <= 0) {
            out.timedOut = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, int(qMin<qint64>(left, 100)), nullptr);
    }
    int queued = 0;
    while (CURLMsg* m = curl_multi_info_read(multi, &queued))
        if (m->msg == CURLMSG_DONE && m->easy_handle == easy)
            out.code = m->data.result;
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return out;
}

// The caller waits while a local event loop runs (window messages keep flowing);
// the request runs on a thread of its own meanwhile.
Outcome runWaiting(Request& req)
{
    if (!QCoreApplication::instance())
        return runToEnd(req);
    Outcome out;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&]() { out = runToEnd(req); }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    worker->start();
    loop.exec();
    worker->wait();
    return out;
}

// Runs the request and fills status, content type and error; true when the server
// accepted (2xx). An error set by the body sink is kept.
bool perform(Request& req, Result& r)
{
    if (!req.easy) {
        r.error = QStringLiteral("HTTP client could not be created");
        return false;
    }
    const Outcome out = runWaiting(req);
    long status = 0;
    curl_easy_getinfo(req.easy.get(), CURLINFO_RESPONSE_CODE, &status);
    r.status = int(status);
    char* type = nullptr;
    curl_easy_getinfo(req.easy.get(), CURLINFO_CONTENT_TYPE, &type);
    r.contentType = type ? QString::fromLatin1(type) : QString();
    if (out.timedOut && r.error.isEmpty())
        r.error = QStringLiteral("Read timed out.");
    if (!r.error.isEmpty())
        return false;
    if (r.status != 0 && !accepted(r.status)) {
        r.error =
            QStringLiteral("HTTP/1.1 %1 %2").arg(r.status).arg(QString::fromLatin1(req.reason)).trimmed();
        return false;
    }
    if (out.code != CURLE_OK) {
        r.error = req.errorText[0] ? QString::fromLocal8Bit(req.errorText).trimmed()
                                   : QString::fromLatin1(curl_easy_strerror(out.code));
        return false;
    }
    return true;
}

} // namespace

void SetTransferTimeout(int ms) { g_timeout = ms > 0 ? ms : 60000; }
int TransferTimeout() { return g_timeout.load(); }
void SetMaxDownloadBytes(qint64 bytes) { g_maxBytes = bytes > 0 ? bytes : (qint64(1) << 30); }
qint64 MaxDownloadBytes() { return g_maxBytes.load(); }

bool IsHttpUrl(const QString& url, QString* error)
{
    const QUrl u(url.trimmed(), QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || u.host().isEmpty()) {
        if (error)
            *error = QStringLiteral("不支持的网址: ") + url;
        return false;
    }
    return true;
}

Result Post(const QString& url, const QByteArray& body, const QByteArray& contentType)
{
    Result r;
    if (!IsHttpUrl(url, &r.error))
        return r;
    auto req = makeRequest(url);
    if (CURL* h = req->easy.get()) {
        req->headers.reset(curl_slist_append(nullptr, ("Content-Type: " + contentType).constData()));
        // The body goes out with the request, without waiting for a "100 Continue".
        curl_slist_append(req->headers.get(), "Expect:");
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, req->headers.get());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.constData());
    }
    req->sink = [&r](const char* data, size_t n) {
        r.body.append(data, qsizetype(n));
        return true;
    };
    r.ok = perform(*req, r);
    return r;
}

Result GetToFile(const QString& url, const QString& hostPath)
{
    Result r;
    if (!IsHttpUrl(url, &r.error))
        return r;
    QSaveFile out(hostPath);
    if (!out.open(QIODevice::WriteOnly)) {
        r.error = QStringLiteral("Cannot create file \"%1\". %2").arg(hostPath, out.errorString());
        return r;
    }
    auto req = makeRequest(url);
    if (CURL* h = req->easy.get())
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    const qint64 cap = g_maxBytes.load();
    qint64 written = 0;
    Request* live = req.get();
    req->sink = [&, live](const char* data, size_t n) {
        if (!accepted(live->status))
            return true; // an error page is not the file
        written += qint64(n);
        if (written > cap) {
            r.error = QStringLiteral("下载的文件超过 %1 字节").arg(cap);
            return false;
        }
        if (out.write(data, qint64(n)) != qint64(n)) {
            r.error = out.errorString();
            return false;
        }
        return true;
    };
    r.ok = perform(*req, r);
    if (r.ok && !out.commit()) {
        r.ok = false;
        r.error = QStringLiteral("Cannot write file \"%1\". %2").arg(hostPath, out.errorString());
    }
    if (!r.ok)
        out.cancelWriting();
    return r;
}

QString BodyText(const Result& r)
{
    const int at = r.contentType.indexOf(QStringLiteral("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString cs = r.contentType.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
        cs.remove(QLatin1Char('"'));
        QStringDecoder dec(cs.toLatin1().constData());
        if (dec.isValid())
            return dec.decode(r.body);
    }
    return QString::fromUtf8(r.body);
}

} // namespace webhttp

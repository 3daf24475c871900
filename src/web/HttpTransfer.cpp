#include "web/HttpTransfer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>
#include <atomic>
#include <memory>

namespace webhttp {

namespace {
std::atomic<int> g_timeout{60000};
std::atomic<qint64> g_maxBytes{qint64(1) << 30};

QNetworkRequest makeRequest(const QUrl& url)
{
    QNetworkRequest req(url);
    req.setTransferTimeout(g_timeout.load());
    // Like the HTTP client of the original: redirects are not followed.
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    return req;
}

std::unique_ptr<QNetworkAccessManager> makeManager()
{
    auto nam = std::make_unique<QNetworkAccessManager>();
    nam->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    return nam;
}

// Status and error of a finished reply; true when the server accepted (2xx).
bool finish(QNetworkReply* reply, Result& r)
{
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (reply->error() == QNetworkReply::OperationCanceledError && r.error.isEmpty())
        r.error = QStringLiteral("Read timed out.");
    if (!r.error.isEmpty())
        return false;
    if (r.status != 0 && (r.status < 200 || r.status > 299)) {
        const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        r.error = QStringLiteral("HTTP/1.1 %1 %2").arg(r.status).arg(reason).trimmed();
        return false;
    }
    if (reply->error() != QNetworkReply::NoError) {
        r.error = reply->errorString();
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
    auto nam = makeManager();
    QNetworkRequest req = makeRequest(QUrl(url.trimmed()));
    req.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    QNetworkReply* reply = nam->post(req, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    r.body = reply->readAll();
    r.ok = finish(reply, r);
    reply->deleteLater();
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
    auto nam = makeManager();
    QNetworkReply* reply = nam->get(makeRequest(QUrl(url.trimmed())));
    const qint64 cap = g_maxBytes.load();
    qint64 written = 0;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&]() {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 0 && (status < 200 || status > 299))
            return;   // an error page is not the file
        const QByteArray chunk = reply->readAll();
        written += chunk.size();
        if (written > cap) {
            r.error = QStringLiteral("下载的文件超过 %1 字节").arg(cap);
            reply->abort();
            return;
        }
        if (out.write(chunk) != chunk.size()) {
            r.error = out.errorString();
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (r.error.isEmpty() && reply->bytesAvailable() > 0) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 200 && status <= 299) {
            const QByteArray rest = reply->readAll();
            written += rest.size();
            if (written > cap)
                r.error = QStringLiteral("下载的文件超过 %1 字节").arg(cap);
            else if (out.write(rest) != rest.size())
                r.error = out.errorString();
        }
    }
    r.ok = finish(reply, r);
    reply->deleteLater();
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

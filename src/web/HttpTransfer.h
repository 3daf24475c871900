#pragma once
// Blocking HTTP for the website client: the caller waits while a local event loop
// runs (window messages keep flowing). Every call is exactly one request on a fresh
// connection, never sent again by the transport; a connection closed before the
// answer is a failure. No proxy is used, redirects are not followed, only http and
// https addresses are fetched, and a transfer that moves no data for the transfer
// time-out ends as a failure.
#include <QByteArray>
#include <QString>

namespace webhttp {

struct Result {
    bool ok = false;
    int status = 0; // HTTP status (0 when no answer arrived)
    QByteArray body;
    QString contentType;
    QString error; // message of the failure
};

// Transfer time-out in ms (default 60000): no data for this long ends a request.
void SetTransferTimeout(int ms);
int TransferTimeout();
// Largest accepted download in bytes (default 1 GiB).
void SetMaxDownloadBytes(qint64 bytes);
qint64 MaxDownloadBytes();

// True for an absolute http:// or https:// address with a host.
bool IsHttpUrl(const QString& url, QString* error = nullptr);

// POST of a form body with the given content type.
Result Post(const QString& url, const QByteArray& body, const QByteArray& contentType);
// GET streamed into a file (host path): the file appears whole or not at all.
Result GetToFile(const QString& url, const QString& hostPath);

// The response body decoded by the charset of its content type (UTF-8 by default).
QString BodyText(const Result& r);

} // namespace webhttp

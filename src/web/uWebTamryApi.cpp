#include "web/uWebTamryApi.h"

#include <QUrl>

#include "web/HttpTransfer.h"

namespace {
const QByteArray kFormType = QByteArrayLiteral("application/x-www-form-urlencoded");
}

TWebTamry::TWebTamry() = default;
TWebTamry::~TWebTamry() = default;

void TWebTamry::SetBaseURL(const QString& url) { m_baseUrl = url; }

QString TWebTamry::PostForm(const QString& url)
{
    // A form of one empty entry encodes as an empty body.
    const webhttp::Result r = webhttp::Post(url, QByteArray(), kFormType);
    QString text;
    if (r.ok)
        text = webhttp::BodyText(r);
    else if (Logger)
        Logger->Error(r.error);
    if (r.ok && Logger)
        Logger->Debug(text);
    return text;
}

QString TWebTamry::PostScores(const QString& json, const QString& url)
{
    const QByteArray body = QByteArrayLiteral("scores=") + QUrl::toPercentEncoding(json);
    const webhttp::Result r = webhttp::Post(url, body, kFormType);
    if (!r.ok) {
        if (Logger)
            Logger->Error(r.error);
        return {};
    }
    return webhttp::BodyText(r);
}

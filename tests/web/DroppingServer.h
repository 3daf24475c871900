#pragma once
// A loopback HTTP server of the tests' own: it reads each request whole and then
// closes the connection without answering, the way a website that breaks down in
// the middle of a request does. It counts what arrived on the wire.
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

namespace pravik::test {

class DroppingServer : public QObject {
public:
    DroppingServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this]() {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s]() { read(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    bool listening() const { return m_server.isListening(); }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    // The request lines ("POST /x HTTP/1.1") and bodies of the whole requests received.
    QStringList requestLines;
    QStringList bodies;

private:
    void read(QTcpSocket* s)
    {
        QByteArray& buf = m_pending[s];
        buf += s->readAll();
        const qsizetype headEnd = buf.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : buf.left(headEnd).split('\n'))
            if (line.trimmed().toLower().startsWith("content-length:"))
                length = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        if (buf.size() < headEnd + 4 + length)
            return;
        requestLines << QString::fromLatin1(buf.left(buf.indexOf("\r\n")));
        bodies << QString::fromLatin1(buf.mid(headEnd + 4, length));
        m_pending.remove(s);
        s->disconnectFromHost(); // no answer at all
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

} // namespace pravik::test

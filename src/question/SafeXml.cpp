#include "question/SafeXml.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include "platform/WinPaths.h"

const XmlNode* XmlNode::child(const QString& childName) const
{
    for (const XmlNode& c : children)
        if (c.name == childName)
            return &c;
    return nullptr;
}

const XmlNode& XmlNode::need(const QString& childName) const
{
    const XmlNode* c = child(childName);
    if (!c)
        throw XmlError{QStringLiteral("Node \"%1\" not found").arg(childName)};
    return *c;
}

namespace {

// The declared encoding of the document ("" when none is declared).
QString declaredEncoding(const QByteArray& data)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*<\\?xml[^>]*encoding\\s*=\\s*[\"']([A-Za-z0-9_.:-]+)[\"']"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(data.left(200)));
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

} // namespace

bool ParseXml(const QByteArray& data, XmlNode& root, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };

    QXmlStreamReader reader;
    // Chinese documents of the website may declare a GB encoding: decode those here
    // (the reader itself knows only the Unicode encodings and Latin-1).
    const QString enc = declaredEncoding(data);
    QString decoded;
    if (enc == QLatin1String("gb2312") || enc == QLatin1String("gbk") || enc == QLatin1String("gb18030")) {
        QStringDecoder dec("GB18030");
        decoded = dec.decode(data);
        // Drop the declaration so that the reader does not apply it a second time.
        static const QRegularExpression decl(QStringLiteral("^\\s*<\\?xml[^>]*\\?>"));
        decoded.remove(decl);
        reader.addData(decoded);
    } else {
        reader.addData(data);
    }

    QList<XmlNode> stack;
    bool haveRoot = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        switch (token) {
        case QXmlStreamReader::DTD:
            return fail(QStringLiteral("document type declarations are not accepted"));
        case QXmlStreamReader::EntityReference:
            return fail(QStringLiteral("entity references are not accepted"));
        case QXmlStreamReader::StartElement:
            if (stack.isEmpty() && haveRoot)
                return fail(QStringLiteral("more than one root element"));
            stack.append(XmlNode{reader.name().toString(), {}, {}});
            break;
        case QXmlStreamReader::Characters:
            for (XmlNode& n : stack)
                n.text += reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            XmlNode done = stack.takeLast();
            if (stack.isEmpty()) {
                root = std::move(done);
                haveRoot = true;
            } else {
                stack.last().children.append(std::move(done));
            }
            break;
        }
        default:
            break;
        }
    }
    if (reader.hasError())
        return fail(reader.errorString());
    if (!haveRoot)
        return fail(QStringLiteral("the document has no root element"));
    return true;
}

bool LoadXmlFile(const QString& winPath, XmlNode& root, QString* error)
{
    const QString host = win::toHost(winPath);
    QFile f(host);
    if (host.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open ") + winPath;
        return false;
    }
    return ParseXml(f.readAll(), root, error);
}

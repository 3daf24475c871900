#pragma once
// A small read-only XML tree for the files that come from the website (paper, step
// table). A document that carries a document type declaration is refused, so no
// entity of a downloaded file is ever expanded.
#include <QByteArray>
#include <QList>
#include <QString>

struct XmlNode {
    QString name;
    QString text; // all character data below the element, in order
    QList<XmlNode> children; // child elements in document order

    // First child element with this exact name, nullptr when none.
    const XmlNode* child(const QString& childName) const;
    // As child(), but throws XmlError naming the missing element.
    const XmlNode& need(const QString& childName) const;
};

struct XmlError {
    QString message;
};

// Parses a document; false with the reason in error on malformed input or a DTD.
bool ParseXml(const QByteArray& data, XmlNode& root, QString* error = nullptr);
// Loads a file given as a Windows path.
bool LoadXmlFile(const QString& winPath, XmlNode& root, QString* error = nullptr);

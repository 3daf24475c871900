#pragma once
// A Windows INI file: sections and keys case-insensitive, GBK on disk, CR LF line
// ends. Every write goes to disk at once and keeps the rest of the file, its order
// and its comments. A missing file reads as empty.
#include <QString>
#include <QStringList>

class TIniFile {
public:
    explicit TIniFile(const QString& winPath); // a Windows path (through win::toHost)
    const QString& FileName() const { return m_path; }

    QString ReadString(const QString& section, const QString& key, const QString& def = {}) const;
    int ReadInteger(const QString& section, const QString& key, int def = 0) const;
    bool ReadBool(const QString& section, const QString& key, bool def = false) const;
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSections() const;
    QStringList ReadSection(const QString& section) const; // key names in order
    QStringList ReadSectionValues(const QString& section) const; // "key=value" lines
    bool EraseSection(const QString& section);
    bool DeleteKey(const QString& section, const QString& key);

private:
    QString m_path;
};

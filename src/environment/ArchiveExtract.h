#pragma once
// Unpacking of the question's material archive (a ZIP file, optionally with a
// password). Every entry is checked before anything is written: no absolute name, no
// drive prefix, no "." or ".." component, no link entry, no folder of the target that
// leads elsewhere, limits on the number of entries, the unpacked size and the
// compression ratio. Each file is written beside its final name and renamed only
// when it was read completely with a matching checksum.
//
// Entry names follow the archive's own flag: the UTF-8 bit of an entry (or its
// Unicode path field) means UTF-8, anything else is the ANSI code page (GBK); the
// bytes are never guessed at.
#include <QByteArray>
#include <QString>

// Unpacks archiveFile into targetDir (created as needed). On failure *error says why
// (empty when there is nothing to report).
bool ExtractZipArchive(const QString& archiveFile, const QString& targetDir, const QString& password,
                       QString* error);

// The name of an entry from its raw bytes: UTF-8 when the archive marks the name as
// UTF-8, else the ANSI code page.
QString DecodeZipEntryName(const QByteArray& raw, bool markedUtf8);

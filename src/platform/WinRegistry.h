#pragma once
// The emulated registry: hives as text files prefix/registry/<hive>.reg. Keys are
// case-insensitive paths without leading backslash ("Software\Microsoft\..."; a
// leading backslash is ignored). Value names are case-insensitive; "" is the
// default value. Every write is saved atomically under a file lock, and every read
// sees the latest saved state, so several processes share one registry.
#include <QString>
#include <QStringList>
#include <optional>

namespace win {

enum class Hive { HKCU, HKLM, HKCR };

bool RegKeyExists(Hive hive, const QString& key);
bool RegCreateKey(Hive hive, const QString& key);
// Deletes the key with all its subkeys and values.
bool RegDeleteKey(Hive hive, const QString& key);
bool RegValueExists(Hive hive, const QString& key, const QString& name);
bool RegDeleteValue(Hive hive, const QString& key, const QString& name);

// A string value; std::nullopt when the key or value is missing. An integer value
// is returned as its decimal text.
std::optional<QString> RegReadString(Hive hive, const QString& key, const QString& name);
// An integer value; std::nullopt when missing or not convertible.
std::optional<qint64> RegReadInteger(Hive hive, const QString& key, const QString& name);
// Writes create the key with all missing parents.
bool RegWriteString(Hive hive, const QString& key, const QString& name, const QString& value);
bool RegWriteInteger(Hive hive, const QString& key, const QString& name, qint64 value);

QStringList RegValueNames(Hive hive, const QString& key);
QStringList RegSubKeys(Hive hive, const QString& key);

} // namespace win

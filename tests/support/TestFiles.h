#pragma once
// The file helpers of the tests, on host paths.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

namespace pravik::test {

// Writes a file, making its folders first; fails the test when it cannot.
inline void WriteHostFile(const QString& hostPath, const QByteArray& data = "x")
{
    QDir().mkpath(QFileInfo(hostPath).absolutePath());
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << hostPath.toStdString();
    f.write(data);
}

// The file's bytes, empty when it cannot be read.
inline QByteArray ReadHostFile(const QString& hostPath)
{
    QFile f(hostPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace pravik::test

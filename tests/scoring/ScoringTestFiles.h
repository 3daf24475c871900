#pragma once
// Small file helpers of the scoring tests (host paths).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

inline void writeFile(const QString& hostPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(hostPath).absolutePath());
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

inline QByteArray readFile(const QString& hostPath)
{
    QFile f(hostPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

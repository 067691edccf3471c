// SPDX-License-Identifier: MIT
// Whole-file reads and writes for tests that prepare or inspect files byte for byte.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// The file's bytes, or empty when it cannot be read.
inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file's content; fails the running test when that is not possible.
inline void WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

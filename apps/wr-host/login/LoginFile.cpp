// SPDX-License-Identifier: MIT
#include "login/LoginFile.h"
#include "platform/OwnerOnlyFile.h"
#include <QStringList>

namespace {
// A log-in file holds two short lines; anything larger is not one.
constexpr qint64 kMaxLoginFileBytes = 64 * 1024;
} // namespace

bool ReadLoginFile(const QString& path, TLoginFile* out, QString* error)
{
    *out = TLoginFile{};
    QByteArray bytes;
    if (!ReadOwnerOnlyFile(path, QStringLiteral("login file"), kMaxLoginFileBytes, &bytes, error)) return false;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    bytes.fill('\0');
    bool haveUser = false, havePassword = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // The line may hold a password: say where it is, never what it says.
        if (eq < 0) {
            *error = QStringLiteral("%1:%2: not a 'key=value' line (keys: user, password)").arg(path).arg(i + 1);
            return false;
        }
        const QString key = line.left(eq).trimmed();
        if (key == QLatin1String("user")) {
            out->userCode = line.mid(eq + 1).trimmed();
            haveUser = true;
        } else if (key == QLatin1String("password")) {
            out->password = line.mid(eq + 1);
            havePassword = true;
        } else {
            *error = QStringLiteral("%1:%2: unknown key (keys: user, password)").arg(path).arg(i + 1);
            return false;
        }
    }
    if (!haveUser || out->userCode.isEmpty()) {
        *error = QStringLiteral("the login file %1 names no user (a line user=CODE)").arg(path);
        return false;
    }
    if (!havePassword || out->password.isEmpty()) {
        *error = QStringLiteral("the login file %1 holds no password (a line password=TEXT)").arg(path);
        out->userCode.clear();
        return false;
    }
    return true;
}

// SPDX-License-Identifier: MIT
#include "HeadlessDialogs.h"
#include <QGuiApplication>
#include <cstdio>

THeadlessDialogService::THeadlessDialogService(TPrintFn print) : m_print(std::move(print)) {}

QString THeadlessDialogService::Describe(const TMessageRequest& r)
{
    QString text = r.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("message box \"%1\": %2").arg(r.caption, text);
}

bool THeadlessDialogService::PlatformIsHeadless()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal");
}

TMsgResult THeadlessDialogService::MessageBox(const TMessageRequest& r)
{
    ++m_boxes;
    const QString line = Describe(r);
    if (m_print) {
        m_print(line);
    } else {
        const QByteArray b = (line + QLatin1Char('\n')).toUtf8();
        std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
        std::fflush(stderr);
    }
    if (r.buttons == TMsgButtons::Ok) return TMsgResult::Ok;
    ++m_questions;
    return TMsgResult::Closed;
}

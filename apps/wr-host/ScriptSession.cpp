// SPDX-License-Identifier: MIT
#include "ScriptSession.h"

QString TScriptDialogService::ResultName(TMsgResult r)
{
    switch (r) {
    case TMsgResult::Ok: return QStringLiteral("ok");
    case TMsgResult::Cancel: return QStringLiteral("cancel");
    case TMsgResult::Yes: return QStringLiteral("yes");
    case TMsgResult::No: return QStringLiteral("no");
    case TMsgResult::Closed: return QStringLiteral("close");
    }
    return {};
}

TMsgResult TScriptDialogService::MessageBox(const TMessageRequest& r)
{
    QString text = r.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    m_session.Print(QStringLiteral("message box \"%1\": %2").arg(r.caption, text));
    if (r.buttons == TMsgButtons::Ok) return TMsgResult::Ok;

    if (m_session.answers.isEmpty()) {
        m_session.errors << QStringLiteral("a question box \"%1\" appeared but no 'answer' was queued").arg(r.caption);
        return TMsgResult::Closed;
    }
    const TMsgResult a = m_session.answers.takeFirst();
    const bool fits = a == TMsgResult::Closed
        || (r.buttons == TMsgButtons::YesNo && (a == TMsgResult::Yes || a == TMsgResult::No))
        || (r.buttons == TMsgButtons::OkCancel && (a == TMsgResult::Ok || a == TMsgResult::Cancel));
    if (!fits) {
        m_session.errors << QStringLiteral("the answer '%1' does not fit the question box \"%2\"").arg(ResultName(a), r.caption);
        return TMsgResult::Closed;
    }
    m_session.Print(QStringLiteral("  answered %1").arg(ResultName(a)));
    return a;
}

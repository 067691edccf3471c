// SPDX-License-Identifier: MIT
#include "script/ScriptSession.h"

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

namespace {
QString OneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

TMsgResult ResultFromName(const QString& name)
{
    if (name == QLatin1String("yes")) return TMsgResult::Yes;
    if (name == QLatin1String("no")) return TMsgResult::No;
    if (name == QLatin1String("ok")) return TMsgResult::Ok;
    if (name == QLatin1String("cancel")) return TMsgResult::Cancel;
    return TMsgResult::Closed;
}
} // namespace

int TScriptDialogService::Choose(const TChoiceRequest& r)
{
    m_session.Print(QStringLiteral("choice \"%1\": %2 [%3]").arg(r.caption, OneLine(r.text), r.choiceIds.join(QLatin1Char('|'))));
    for (const QStringList& row : r.rows) m_session.Print(QStringLiteral("  | ") + OneLine(row.join(QLatin1String(" | "))));
    if (m_session.answers.isEmpty()) {
        m_session.errors << QStringLiteral("a choice \"%1\" appeared but no 'answer' was queued").arg(r.caption);
        return r.escapeChoice;
    }
    QString a = m_session.answers.takeFirst();
    if (a == QLatin1String("close")) {
        m_session.Print(QStringLiteral("  answered close"));
        return r.escapeChoice;
    }
    int index = int(r.choiceIds.indexOf(a));
    // Scripts written for the old Yes/No save question keep working.
    if (index < 0 && a == QLatin1String("yes")) index = int(r.choiceIds.indexOf(QStringLiteral("save")));
    if (index < 0 && a == QLatin1String("no")) index = int(r.choiceIds.indexOf(QStringLiteral("discard")));
    if (index < 0) {
        m_session.errors << QStringLiteral("the answer '%1' does not fit the choice \"%2\" (choices: %3)")
                                .arg(a, r.caption, r.choiceIds.join(QLatin1String(", ")));
        return r.escapeChoice;
    }
    m_session.Print(QStringLiteral("  answered %1").arg(r.choiceIds.at(index)));
    return index;
}

TMsgResult TScriptDialogService::MessageBox(const TMessageRequest& r)
{
    m_session.Print(QStringLiteral("message box \"%1\": %2").arg(r.caption, OneLine(r.text)));
    if (r.buttons == TMsgButtons::Ok) return TMsgResult::Ok;

    if (m_session.answers.isEmpty()) {
        m_session.errors << QStringLiteral("a question box \"%1\" appeared but no 'answer' was queued").arg(r.caption);
        return TMsgResult::Closed;
    }
    const QString name = m_session.answers.takeFirst();
    const TMsgResult a = ResultFromName(name);
    if (a == TMsgResult::Closed && name != QLatin1String("close")) {
        m_session.errors << QStringLiteral("the answer '%1' does not fit the question box \"%2\"").arg(name, r.caption);
        return TMsgResult::Closed;
    }
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

std::optional<QString> TScriptDialogService::AskPassword(const TPasswordRequest& r)
{
    m_session.Print(QStringLiteral("password question \"%1\": %2").arg(r.caption, OneLine(r.text)));
    if (m_session.answers.isEmpty()) {
        m_session.errors << QStringLiteral("a password question \"%1\" appeared but no 'answer password' was queued").arg(r.caption);
        return std::nullopt;
    }
    const QString a = m_session.answers.takeFirst();
    if (a == QLatin1String("cancel") || a == QLatin1String("close")) {
        m_session.Print(QStringLiteral("  answered %1").arg(a));
        return std::nullopt;
    }
    if (a == QLatin1String("wrong-password")) {
        m_session.Print(QStringLiteral("  answered a wrong password"));
        // A text no one chooses as a password: refused and counted, as a mistyped one is.
        return QStringLiteral("wrong password \t");
    }
    if (a != QLatin1String("password")) {
        m_session.errors << QStringLiteral("the answer '%1' does not fit the password question \"%2\"").arg(a, r.caption);
        return std::nullopt;
    }
    std::optional<QString> password = m_session.loginPassword ? m_session.loginPassword() : std::nullopt;
    if (!password) {
        m_session.errors << QStringLiteral("'answer password' needs a log-in from --login-file or the demo database");
        return std::nullopt;
    }
    m_session.Print(QStringLiteral("  answered the log-in's password"));
    return password;
}

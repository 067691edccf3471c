// SPDX-License-Identifier: MIT
// The system keyring through qtkeychain (Secret Service or KWallet on Linux, the Credential
// Manager on Windows). Its jobs are asynchronous; the host waits for one in a local event
// loop with a time limit, so a keyring that never answers costs seconds, not the start.
#include "database/DbPasswordLookup.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <functional>

#if __has_include(<qt6keychain/keychain.h>) && defined(WR_HAVE_KEYCHAIN)
#include <qt6keychain/keychain.h>
#define WR_KEYCHAIN 1
#endif

namespace {
const QString kService = QStringLiteral("WriteReport");
constexpr int kKeyringWaitMs = 5000;

#ifdef WR_KEYCHAIN
// Runs a job and waits for it (or the time limit). False and `error` when it failed or did
// not answer; `missing` is set when the keyring answered that it holds no such entry.
bool RunJob(QKeychain::Job* job, QString* error, bool* missing, bool* available,
            const std::function<void(QKeychain::Job*)>& onDone = {})
{
    if (!QCoreApplication::instance()) {
        delete job;
        if (error) *error = QStringLiteral("no application object");
        return false;
    }
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    QEventLoop loop;
    bool done = false;
    QKeychain::Error code = QKeychain::OtherError;
    QString text;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job* j) {
        done = true;
        code = j->error();
        if (onDone && code == QKeychain::NoError) onDone(j);
        text = j->errorString();
        loop.quit();
    });
    QTimer::singleShot(kKeyringWaitMs, &loop, &QEventLoop::quit);
    job->start();
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!done) {
        // The job deletes itself when it finally ends; nothing here refers to it any more.
        QObject::disconnect(job, nullptr, &loop, nullptr);
        if (error) *error = QStringLiteral("the keyring did not answer within %1 s").arg(kKeyringWaitMs / 1000);
        if (available) *available = false;
        return false;
    }
    if (code == QKeychain::NoError) {
        if (available) *available = true;
        return true;
    }
    if (missing) *missing = code == QKeychain::EntryNotFound;
    if (available)
        *available = code == QKeychain::EntryNotFound || code == QKeychain::AccessDenied
            || code == QKeychain::AccessDeniedByUser;
    if (error) *error = text;
    return false;
}
#endif
} // namespace

bool KeyringServiceLikelyPresent()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QLatin1String("/bus"));
#else
    return true;
#endif
}

bool ReadKeyringPassword(const QString& key, QString* password, bool* available, QString* error)
{
    if (available) *available = false;
#ifdef WR_KEYCHAIN
    if (!KeyringServiceLikelyPresent()) {
        if (error) *error = QStringLiteral("no D-Bus session, so no keyring service");
        return false;
    }
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    bool missing = false;
    // The text is read while the job still lives: it deletes itself after its signal.
    QString secret;
    const auto take = [&secret](QKeychain::Job* j) { secret = static_cast<QKeychain::ReadPasswordJob*>(j)->textData(); };
    if (!RunJob(job, error, &missing, available, take)) {
        if (missing && error) error->clear();
        return false;
    }
    if (password) *password = secret;
    return !secret.isEmpty();
#else
    Q_UNUSED(key);
    Q_UNUSED(password);
    if (error) *error = QStringLiteral("built without keyring support");
    return false;
#endif
}

bool StoreKeyringPassword(const QString& key, const QString& password, QString* error)
{
#ifdef WR_KEYCHAIN
    if (!KeyringServiceLikelyPresent()) {
        if (error) *error = QStringLiteral("no D-Bus session, so no keyring service");
        return false;
    }
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(password);
    bool available = false;
    return RunJob(job, error, nullptr, &available);
#else
    Q_UNUSED(key);
    Q_UNUSED(password);
    if (error) *error = QStringLiteral("built without keyring support");
    return false;
#endif
}

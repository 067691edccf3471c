// SPDX-License-Identifier: MIT
#include "DbWait.h"
#include "SqliteDatabase.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <sqlite3.h>

namespace {

TDbWaitHandler& Handler()
{
    static TDbWaitHandler handler;
    return handler;
}

// SQLite calls this each time a statement finds the database locked: `attempt` counts the
// calls of this one wait (0 on the first). Answering 0 ends the wait with SQLITE_BUSY.
int OnBusy(void*, int attempt)
{
    thread_local QElapsedTimer waited;
    if (attempt == 0) waited.start();
    const qint64 ms = waited.elapsed();
    if (DbWaitHandled()) {
        if (!AskDbWaitHandler(int(qMin<qint64>(ms, INT_MAX)))) return 0;
    } else if (ms >= TSqliteConnection::kBusyTimeoutMs) {
        return 0;
    }
    sqlite3_sleep(20);
    return 1;
}

} // namespace

TDbWaitHandler SetDbWaitHandler(TDbWaitHandler handler)
{
    TDbWaitHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

bool DbWaitHandled()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return Handler() && app && QThread::currentThread() == app->thread();
}

bool AskDbWaitHandler(int waitedMs)
{
    if (!DbWaitHandled()) return false;
    // A copy: the handler may replace itself while it runs (a prompt that closes).
    const TDbWaitHandler handler = Handler();
    return handler(waitedMs);
}

void InstallSqliteWaitHandler(sqlite3* handle)
{
    if (handle) sqlite3_busy_handler(handle, &OnBusy, nullptr);
}

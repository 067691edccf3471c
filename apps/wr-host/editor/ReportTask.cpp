// SPDX-License-Identifier: MIT
#include "editor/ReportTask.h"
#include "app/HostContext.h"
#include "app/HostMessages.h"
#include "editor/EditorSession.h"
#include "platform/InputComposition.h"
#include <QWidget>

bool TaskFail(IHostContext& host, const QString& what, const QString& message, QString* error)
{
    *error = message;
    host.Notify(QStringLiteral("%1失败：%2").arg(what, message));
    Tell(host.Window(), what, message, TMsgIcon::Warning);
    return false;
}

bool TaskRefused(IHostContext& host, THostOperation op, QString* error)
{
    if (host.Rights().Allowed(op)) return false;
    TaskFail(host, OperationName(op), QStringLiteral("没有“%1”的权限。").arg(OperationName(op)), error);
    return true;
}

bool TaskOpenRuid(IHostContext& host, QString* ruid, QString* error)
{
    // Printing and signing act on what the doctor sees: a word being composed is part of it.
    CommitPendingComposition();
    *ruid = host.Session().CurrentRuid();
    if (!ruid->isEmpty()) return true;
    *error = QStringLiteral("no report is open");
    host.Notify(QStringLiteral("没有打开的报告。"));
    return false;
}

TSigner TaskSigner(IHostContext& host) { return TSigner{host.User().userName, host.User().userCode}; }

bool TaskLoadRecord(IHostContext& host, const QString& ruid, TPrintRecord* record, QString* error)
{
    try {
        *record = LoadPrintRecord(host.Db(), ruid);
        return true;
    } catch (const Exception& e) {
        return TaskFail(host, QStringLiteral("读取报告"), e.Message(), error);
    }
}

// SPDX-License-Identifier: MIT
#include "app/HostSafety.h"
#include "login/HostUser.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

void IgnoreFileSizeLimitSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool InstallQtChineseTranslation(QCoreApplication& app)
{
    // Owned by the application, which outlives every window.
    auto* qt = new QTranslator(&app);
    if (!qt->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    return QCoreApplication::installTranslator(qt);
}

QString ControlCharacterIn(const QString& value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c < 0x20 || c == 0x7F)
            return QStringLiteral("U+%1 at position %2").arg(int(c), 4, 16, QLatin1Char('0')).arg(i + 1).toUpper();
    }
    return {};
}

int RejectUnsafeLoginValues(THostLogin& login, const std::function<void(const QString&)>& report)
{
    int rejected = 0;
    const struct {
        const char* key;
        QString* value;
    } values[] = {{"UserName", &login.userName}, {"UserCode", &login.userCode}, {"DeptCode", &login.deptCode}};
    for (const auto& v : values) {
        const QString where = ControlCharacterIn(*v.value);
        if (where.isEmpty()) continue;
        ++rejected;
        v.value->clear();
        if (report)
            report(QStringLiteral("the logged-in user's %1 holds a control character (%2) and was ignored; "
                                  "correct it in the database's doctor list csdoctor (登录用户的 %1 含有控制字符，已忽略)")
                       .arg(QLatin1String(v.key), where));
    }
    return rejected;
}

// SPDX-License-Identifier: MIT
// The window's action table: the rows the shell and the rooms add (app/HostContext.h), each
// made a QAction named by its id, placed in the tool bar and its menu, and enabled by its
// rule whenever the editor session reports a change.
#include "shell/HostMainForm.h"
#include <QAction>
#include <QHash>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

void THostMainForm::AddMenu(const char* objectName, const QString& title)
{
    const QString name = QLatin1String(objectName);
    for (QMenu* m : std::as_const(m_menus))
        if (m->objectName() == name) return;
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(name);
    connect(menu, &QMenu::aboutToShow, this, &THostMainForm::UpdateActions);
    m_menus << menu;
}

namespace {
// Icons that say what the action does, by their freedesktop names; the style's icon where
// no theme offers one.
QIcon ActionIcon(const char* id, const QIcon& fallback)
{
    static const QHash<QByteArray, QString> names{
        {"actionOpen", QStringLiteral("document-open")},      {"actionSave", QStringLiteral("document-save")},
        {"actionPrint", QStringLiteral("document-print")},    {"actionPrintPreview", QStringLiteral("document-print-preview")},
        {"actionLock", QStringLiteral("changes-prevent")},    {"actionUnlock", QStringLiteral("changes-allow")},
        {"actionLockScreen", QStringLiteral("system-lock-screen")}, {"actionRefresh", QStringLiteral("view-refresh")},
        {"actionHistory", QStringLiteral("document-open-recent")},
    };
    // Without a desktop the platform names no theme; the one Debian installs draws these.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    const QString name = names.value(QByteArray(id));
    if (name.isEmpty()) return fallback;
    for (const QString& candidate : {name, name + QStringLiteral("-symbolic")})
        if (QIcon::hasThemeIcon(candidate)) return QIcon::fromTheme(candidate);
    return fallback;
}
} // namespace

void THostMainForm::AddActions(const QList<THostActionSpec>& rows)
{
    for (const THostActionSpec& row : rows) {
        auto* a = new QAction(ActionIcon(row.id, style()->standardIcon(row.icon)), row.text, this);
        a->setObjectName(QLatin1String(row.id));
        a->setShortcut(row.shortcut);
        a->setToolTip(row.shortcut.isEmpty() ? row.text : QStringLiteral("%1 (%2)").arg(row.text, row.shortcut.toString()));
        if (row.separatorInToolBar) m_toolBar->addSeparator();
        m_toolBar->addAction(a);
        if (row.menu) {
            for (QMenu* m : std::as_const(m_menus)) {
                if (m->objectName() != QLatin1String(row.menu)) continue;
                if (row.separatorInMenu) m->addSeparator();
                m->addAction(a);
            }
        }
        if (row.trigger) connect(a, &QAction::triggered, this, row.trigger);
        m_actions << TRegisteredAction{a, row.enabled};
    }
    UpdateActions();
}

void THostMainForm::UpdateActions()
{
    for (const TRegisteredAction& r : std::as_const(m_actions))
        if (r.enabled) r.action->setEnabled(r.enabled());
}

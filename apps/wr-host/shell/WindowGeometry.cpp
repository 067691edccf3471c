// SPDX-License-Identifier: MIT
#include "shell/WindowGeometry.h"
#include "app/ConfigStore.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

namespace {
const QString kSection = QStringLiteral("Window");
const QString kGeometry = QStringLiteral("Geometry");
// Below this the editor's rows and the work list no longer fit side by side.
constexpr QSize kMinimum(1024, 700);

QString SplitterKey(const QSplitter* s) { return QStringLiteral("Splitter_") + s->objectName(); }
} // namespace

TWindowGeometry::TWindowGeometry(QMainWindow* window, TConfigStore& config)
    : QObject(window), m_window(window), m_config(config)
{
    window->installEventFilter(this);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TWindowGeometry::Save);
}

QRect TWindowGeometry::InitialGeometry(const QRect& available, const QSize& minimum)
{
    if (!available.isValid()) return QRect(QPoint(0, 0), minimum);
    return QRect(available.topLeft(), available.size().expandedTo(minimum));
}

QRect TWindowGeometry::FitInside(const QRect& frame, const QRect& client, const QRect& available, const QSize& minimum)
{
    if (!available.isValid() || available.contains(frame)) return client;
    const QMargins border(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                          frame.bottom() - client.bottom());
    const QSize size = client.size().boundedTo(available.size().shrunkBy(border)).expandedTo(minimum);
    QRect placed(frame.topLeft(), size.grownBy(border));
    if (placed.right() > available.right()) placed.moveRight(available.right());
    if (placed.bottom() > available.bottom()) placed.moveBottom(available.bottom());
    if (placed.left() < available.left()) placed.moveLeft(available.left());
    if (placed.top() < available.top()) placed.moveTop(available.top());
    return placed.marginsRemoved(border);
}

void TWindowGeometry::FitOnScreen()
{
    if (!m_window->isVisible() || m_window->isMaximized() || m_window->isFullScreen() || !m_window->screen()) return;
    const QRect fitted =
        FitInside(m_window->frameGeometry(), m_window->geometry(), m_window->screen()->availableGeometry(), kMinimum);
    if (fitted != m_window->geometry()) m_window->setGeometry(fitted);
}

void TWindowGeometry::Restore()
{
    QScreen* screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QByteArray stored = QByteArray::fromBase64(m_config.ReadString(kSection, kGeometry).toLatin1());
    // restoreGeometry keeps a window that was on a screen no longer there inside this one.
    if (stored.isEmpty() || !m_window->restoreGeometry(stored)) m_window->setGeometry(InitialGeometry(available, kMinimum));
    for (QSplitter* s : m_window->findChildren<QSplitter*>()) {
        if (s->objectName().isEmpty()) continue;
        const QByteArray state = QByteArray::fromBase64(m_config.ReadString(kSection, SplitterKey(s)).toLatin1());
        if (!state.isEmpty()) s->restoreState(state);
    }
}

void TWindowGeometry::Save()
{
    m_config.WriteString(kSection, kGeometry, QString::fromLatin1(m_window->saveGeometry().toBase64()));
    for (QSplitter* s : m_window->findChildren<QSplitter*>())
        if (!s->objectName().isEmpty())
            m_config.WriteString(kSection, SplitterKey(s), QString::fromLatin1(s->saveState().toBase64()));
}

bool TWindowGeometry::eventFilter(QObject* watched, QEvent* event)
{
    // Saved when the close is accepted (the window hides); a refused close keeps nothing.
    if (watched == m_window && event->type() == QEvent::Hide && m_window->isVisible() == false) Save();
    // The window manager adds the frame after the window is shown; measure it then.
    if (watched == m_window && event->type() == QEvent::Show) QTimer::singleShot(300, this, [this] { FitOnScreen(); });
    return QObject::eventFilter(watched, event);
}

// SPDX-License-Identifier: MIT
// The main window's size and splitter positions, per user. The first start fills the
// screen's available area (set by the program, so it holds without a window manager too);
// later starts restore what the user left; either way the window, frame included, is kept
// inside the screen's available area once it is shown. Stored in the user's
// configuration, section [Window]: "Geometry" and one "Splitter_<objectName>" per named
// splitter of the window, as Qt's own state in Base64. UI thread only.
#pragma once
#include <QObject>
#include <QRect>

class QMainWindow;
class TConfigStore;

class TWindowGeometry final : public QObject {
public:
    // Saves when the window closes and when the application quits.
    TWindowGeometry(QMainWindow* window, TConfigStore& config);

    // Applies the stored geometry and splitter states, or the screen's available area.
    void Restore();
    void Save();

    // The first geometry of a window on a screen whose free area is `available`: all of it,
    // but never smaller than `minimum` (a very small screen scrolls rather than squeezes).
    static QRect InitialGeometry(const QRect& available, const QSize& minimum);
    // The client geometry that puts a window, whose frame is `frame` around `client`, inside
    // `available` frame included: no larger than the area less the frame (nor smaller than
    // `minimum`), moved as little as possible. A window that fits is left as it is; one that
    // cannot fit even at `minimum` is put at the area's top-left corner.
    static QRect FitInside(const QRect& frame, const QRect& client, const QRect& available, const QSize& minimum);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Once the window is shown and its frame is known: keeps it, frame included, on its screen.
    void FitOnScreen();

    QMainWindow* m_window;
    TConfigStore& m_config;
};

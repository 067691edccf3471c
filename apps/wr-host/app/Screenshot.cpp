// SPDX-License-Identifier: MIT
#include "app/Screenshot.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QWidget>

bool SaveWindowPng(QWidget* window, const QString& fileName, QString* error)
{
    // Pending layout and paint events first, so the picture shows what a person would see.
    QApplication::processEvents();
    const QPixmap pixmap = window->grab();
    if (pixmap.isNull()) {
        *error = QStringLiteral("the window could not be rendered");
        return false;
    }
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!pixmap.save(path, "PNG")) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

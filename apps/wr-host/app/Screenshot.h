// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

class QWidget;

// Lays out and paints the window, then saves it as a PNG (creating the folder). False with
// a message when the image cannot be written.
bool SaveWindowPng(QWidget* window, const QString& fileName, QString* error);

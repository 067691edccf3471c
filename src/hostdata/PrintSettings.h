// SPDX-License-Identifier: MIT
// The printed report's page and header, read from the host's configuration, section
// [Print]. Defaults in one place (TPrintSettings' initialisers); a value that cannot be used
// keeps the default and says why in `warnings`. Pure values, any thread.
//
//   HospitalName  first header line (default: empty, the line is left out)
//   Department    the department under it (default 超声科)
//   Title         the sheet's title (default 超声检查报告单)
//   Logo          an image file drawn left of the header (default: none)
//   PageSize      A4, A5, B5, Letter or Legal (default A4)
//   FontFamily    the font of the sheet's own texts (default 宋体, mapped to an installed
//                 CJK font); the findings and impression keep the fonts they were written in
//   FontSize      points, 6 to 24 (default 10.5)
//   MarginMm      page margin in millimetres, 5 to 40 (default 15)
#pragma once
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>

struct TPrintSettings {
    QString hospitalName;
    QString department = QStringLiteral("超声科");
    QString title = QStringLiteral("超声检查报告单");
    QString logoFile;
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QString fontFamily = QStringLiteral("宋体");
    double fontSize = 10.5;
    double marginMm = 15.0;
};

// `read(key)` answers the [Print] value of a key, empty when absent.
TPrintSettings PrintSettingsFrom(const std::function<QString(const QString& key)>& read, QStringList* warnings = nullptr);

// SPDX-License-Identifier: MIT
// Chinese personal names as DICOM person names: the alphabetic group in Hanyu Pinyin and the
// ideographic group in characters, "Wang^Jianguo=王^建国". Pure functions, any thread.
//
// The reading of each character is its customary one (Unihan kMandarin, in PinyinTable.cpp);
// the surname is read from a table where surnames differ (单 Shan, 曾 Zeng, 解 Xie ...), and
// the common two-character surnames (欧阳, 尉迟 ...) are kept together. u-umlaut is written
// "yu" (吕 Lyu) as passports do, and a syllable starting with a, o or e after another gets an
// apostrophe (西安 Xi'an).
#pragma once
#include <QString>
#include <QStringList>

namespace wr::imaging {

// The toneless lower-case reading of one ideograph, or empty when it has none.
QString PinyinSyllable(char32_t ch);

struct TChineseName {
    QString familyIdeographic, givenIdeographic;
    QString familyAlphabetic, givenAlphabetic;
    // Characters of the name that have no reading (left out of the alphabetic group).
    QStringList unreadable;
};

// Whether the text holds a CJK ideograph.
bool HasIdeographs(const QString& text);
// Splits a name written in characters into surname and given name and reads both.
TChineseName ReadChineseName(const QString& name);

// The DICOM person name of a name as the work list stores it: a Chinese name becomes
// "Family^Given=姓^名" (only the alphabetic group when pinyinOnly); a name already in DICOM
// form (holding '^' or '=') or without ideographs is returned unchanged.
QString DicomPersonName(const QString& storedName, bool pinyinOnly, QStringList* unreadable = nullptr);

}  // namespace wr::imaging

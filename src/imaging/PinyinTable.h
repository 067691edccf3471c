// SPDX-License-Identifier: MIT
// The generated reading table behind Pinyin.h (PinyinTable.cpp, made by PinyinTableGen.py).
#pragma once

namespace wr::imaging::pinyin_table {

constexpr char32_t kFirst = 0x3400;
constexpr char32_t kLast = 0x9FFF;
// Toneless syllables, lower case, "v" for u-umlaut; index 0 is "no reading".
extern const char* const kSyllables[];
extern const int kSyllableCount;
// Syllable index of each code point kFirst..kLast.
extern const unsigned short kReadings[];

}  // namespace wr::imaging::pinyin_table

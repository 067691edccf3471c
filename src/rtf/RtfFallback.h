// SPDX-License-Identifier: MIT
// The code-page fallback the writer puts after each \uN: the character's GBK bytes, so that
// readers without Unicode support (and RichEdit with \ansicpg936) show Chinese correctly.
#pragma once
#include <cstdint>

namespace rtf {

struct Fallback {
    uint8_t size = 1;          // 1 or 2
    uint8_t bytes[2] = {'?', 0}; // '?' when GBK has no such character
};

// Thread-safe; each character is looked up in the converter once per process.
Fallback gbkFallback(char16_t c);

} // namespace rtf

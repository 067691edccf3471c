// SPDX-License-Identifier: MIT
#include "RtfFallback.h"

#include <QStringEncoder>
#include <atomic>
#include <memory>

namespace rtf {
namespace {

// One entry per UTF-16 code unit: 0 = not looked up yet, else 0x1000000 | size << 16 | bytes.
std::atomic<uint32_t> g_table[0x10000];

uint32_t lookUp(char16_t c)
{
    thread_local std::unique_ptr<QStringEncoder> encoder;
    if (!encoder)
        encoder.reset(new QStringEncoder("GBK"));
    uint32_t entry = 0x1000000 | 1u << 16 | '?';
    if (encoder->isValid() && (c < 0xD800 || c > 0xDFFF)) {
        encoder->resetState();
        char out[8];
        const QChar ch(c);
        const char* end = encoder->appendToBuffer(out, QStringView(&ch, 1));
        const auto n = end - out;
        // The converter substitutes '?' (or SUB) for characters GBK lacks.
        if (n == 2)
            entry = 0x1000000 | 2u << 16 | uint8_t(out[0]) << 8 | uint8_t(out[1]);
        else if (n == 1 && uint8_t(out[0]) >= 0x80)
            entry = 0x1000000 | 1u << 16 | uint8_t(out[0]);
    }
    return entry;
}

} // namespace

Fallback gbkFallback(char16_t c)
{
    uint32_t e = g_table[c].load(std::memory_order_relaxed);
    if (!e) {
        e = lookUp(c);
        g_table[c].store(e, std::memory_order_relaxed);
    }
    Fallback f;
    f.size = uint8_t((e >> 16) & 0xFF);
    if (f.size == 2) {
        f.bytes[0] = uint8_t(e >> 8);
        f.bytes[1] = uint8_t(e);
    } else {
        f.bytes[0] = uint8_t(e);
    }
    return f;
}

} // namespace rtf

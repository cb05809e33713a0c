// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Character arrays hold UTF-16 code units, as in MATLAB; modules read them as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mexhost {

// The UTF-16 units of UTF-8 text. A byte that does not start a well-formed sequence stands
// for itself, so that any bytes make some text.
inline std::vector<unsigned short> utf16FromUtf8(const std::string& text) {
    std::vector<unsigned short> units;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0xC2 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 0;
        std::uint32_t point = extra == 3 ? lead & 0x07u : extra == 2 ? lead & 0x0Fu : lead & 0x1Fu;
        bool wellFormed = extra > 0 && i + extra < text.size();
        for (int k = 1; wellFormed && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0u) == 0x80u;
            point = (point << 6) | (next & 0x3Fu);
        }
        // No overlong forms, no encoded surrogates, nothing past the last code point.
        const std::uint32_t least = extra == 3 ? 0x10000 : extra == 2 ? 0x800 : 0x80;
        wellFormed = wellFormed && point >= least && point <= 0x10FFFF &&
                     !(point >= 0xD800 && point < 0xE000);
        if (!wellFormed) {
            units.push_back(lead);
            ++i;
            continue;
        }
        if (point >= 0x10000) {
            point -= 0x10000;
            units.push_back(static_cast<unsigned short>(0xD800 + (point >> 10)));
            units.push_back(static_cast<unsigned short>(0xDC00 + (point & 0x3FF)));
        } else {
            units.push_back(static_cast<unsigned short>(point));
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return units;
}

// The UTF-8 text of UTF-16 units; an unpaired surrogate becomes '?'.
inline std::string utf8FromUtf16(const unsigned short* units, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t point = units[i];
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            point = 0x10000 + ((point - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (point >= 0xD800 && point < 0xE000) {
            point = '?';
        }
        if (point < 0x80) {
            text += static_cast<char>(point);
        } else if (point < 0x800) {
            text += static_cast<char>(0xC0 | (point >> 6));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            text += static_cast<char>(0xE0 | (point >> 12));
            text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (point >> 18));
            text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return text;
}

}  // namespace mexhost

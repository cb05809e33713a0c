// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Opening a file named in UTF-8, which is how MATLAB and Octave hand text to a module.
//
// POSIX systems take the bytes as they are. Windows reads a narrow path in the ANSI code page,
// which cannot name every file: there the name is widened and opened with the wide API.
#pragma once

#include <cstdio>
#include <string>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace utf8 {

#if defined(_WIN32)
// The UTF-16 form of a UTF-8 string; empty when the bytes are not UTF-8.
inline std::wstring widen(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length) - 1);  // without the terminating NUL
    return wide;
}
#endif

// std::fopen for a UTF-8 file name.
inline std::FILE* open(const char* path, const char* mode) {
#if defined(_WIN32)
    const std::wstring widePath = widen(path), wideMode = widen(mode);
    if (widePath.empty()) return nullptr;
    return _wfopen(widePath.c_str(), wideMode.c_str());
#else
    return std::fopen(path, mode);
#endif
}

}  // namespace utf8

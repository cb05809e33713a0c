// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Opening a data file named in UTF-8 for reading, refusing anything but a regular file.
//
// Opening a FIFO that has no writer, or reading a terminal, waits until someone writes, which
// may be never. So the file is opened without waiting and what it is checked before a byte is
// read: on POSIX systems, opened non-blocking and examined through its descriptor (the same
// object is checked and read, so nothing can be swapped in between); on Windows, examined by
// name first and by handle once opened (a pipe or a console). A folder is not opened: it
// counts as a file that cannot be opened, as it always has.
#pragma once

#include <cstdio>

#include "support/utf8_file.hpp"

#if defined(_WIN32)
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace utf8 {

struct OpenedFile {
    std::FILE* file;  // open in text mode, or null
    bool notRegular;  // null because the path names a FIFO, a device or a socket
};

inline OpenedFile openRegularFile(const char* path) {
#if defined(_WIN32)
    const std::wstring widePath = widen(path);
    if (widePath.empty()) return OpenedFile{nullptr, false};
    struct _stat64 info;
    if (_wstat64(widePath.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) != _S_IFREG)
        return OpenedFile{nullptr, (info.st_mode & _S_IFMT) != _S_IFDIR};
    std::FILE* file = _wfopen(widePath.c_str(), L"r");
    if (file == nullptr) return OpenedFile{nullptr, false};
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        std::fclose(file);
        return OpenedFile{nullptr, true};
    }
    return OpenedFile{file, false};
#else
    const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK);
    if (descriptor < 0) return OpenedFile{nullptr, false};
    struct stat info;
    const bool examined = ::fstat(descriptor, &info) == 0;
    if (!examined || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return OpenedFile{nullptr, examined && !S_ISDIR(info.st_mode)};
    }
    // A regular file never makes a read wait; reads go on as the C library does them.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags != -1) ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, "r");
    if (file == nullptr) ::close(descriptor);
    return OpenedFile{file, false};
#endif
}

}  // namespace utf8

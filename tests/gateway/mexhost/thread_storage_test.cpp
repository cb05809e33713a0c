// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// No module carries thread-local storage. A loaded module's is allocated on a thread's first
// use of it, and where memory is short the failure of that allocation ends the host's process
// (a threaded call after an earlier one did so in Octave). Checked in the program headers of
// the built modules, where the ELF format has them (Linux).
#include <gtest/gtest.h>

#if defined(__linux__)

#include <elf.h>

#include <cstring>
#include <fstream>
#include <string>

#include "tests/gateway/support/modules.hpp"

namespace {

// Whether the 64-bit ELF file at `path` has a thread-local storage segment; `valid` says
// whether it could be read as one.
bool hasThreadLocalSegment(const std::string& path, bool& valid) {
    valid = false;
    std::ifstream file(path, std::ios::binary);
    Elf64_Ehdr header;
    if (!file.read(reinterpret_cast<char*>(&header), sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return false;
    for (int k = 0; k < header.e_phnum; ++k) {
        Elf64_Phdr segment;
        file.seekg(static_cast<std::streamoff>(header.e_phoff + k * header.e_phentsize));
        if (!file.read(reinterpret_cast<char*>(&segment), sizeof segment)) return false;
        if (segment.p_type == PT_TLS) {
            valid = true;
            return true;
        }
    }
    valid = true;
    return false;
}

TEST(ModuleThreads, NoModuleCarriesThreadLocalStorage) {
    const std::vector<std::string> names = modules::all();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        bool valid = false;
        EXPECT_FALSE(hasThreadLocalSegment(
            std::string(SPARSEMEX_EMBEDDED_MODULES) + "/" + name + SPARSEMEX_EMBEDDED_SUFFIX,
            valid))
            << name;
        EXPECT_TRUE(valid) << name << " is not a 64-bit ELF file";
    }
}

}  // namespace

#endif

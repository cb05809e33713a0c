// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Tree description files for the tests and benchmarks: the text of a child table, written to
// a temporary file that is removed again.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace testdata {

// One line per node with children: the 1-based node number, the child count, the children.
inline std::string descriptionText(const std::vector<std::vector<int>>& children) {
    std::string text;
    for (std::size_t k = 0; k < children.size(); ++k) {
        if (children[k].empty()) continue;
        text += std::to_string(k + 1) + " " + std::to_string(children[k].size());
        for (int child : children[k]) text += " " + std::to_string(child + 1);
        text += "\n";
    }
    return text;
}

// A file in the temporary folder holding `contents`, removed when this goes. `stem` begins
// its name and may hold spaces and any UTF-8 characters.
class TempFile {
public:
    explicit TempFile(const std::string& contents, const std::string& stem = "sparsemex_tree") {
        static int count = 0;
        static const unsigned tag = std::random_device{}();
        file_ = std::filesystem::temp_directory_path() /
                std::filesystem::u8path(stem + "_" + std::to_string(tag) + "_" +
                                        std::to_string(count++) + ".txt");
        path_ = file_.u8string();
        std::ofstream out(file_, std::ios::binary);
        out << contents;
        if (!out.flush()) throw std::runtime_error("cannot write " + path_);
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The file's name in UTF-8, as a module reads it.
    const char* path() const { return path_.c_str(); }

private:
    std::filesystem::path file_;
    std::string path_;
};

}  // namespace testdata

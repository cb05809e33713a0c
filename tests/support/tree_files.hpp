// Tree description files for the tests and benchmarks: the text of a child table, written to
// a temporary file that is removed again.
#pragma once

#include <unistd.h>

#include <cstdio>
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

// A file in the temporary folder holding `contents`, removed when this goes.
class TempFile {
public:
    explicit TempFile(const std::string& contents) {
        static int count = 0;
        path_ = "/tmp/sparsemex_tree_" + std::to_string(getpid()) + "_" + std::to_string(count++) +
                ".txt";
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr) throw std::runtime_error("cannot write " + path_);
        std::fwrite(contents.data(), 1, contents.size(), file);
        std::fclose(file);
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

}  // namespace testdata

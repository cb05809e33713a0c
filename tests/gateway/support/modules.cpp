// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/gateway/support/modules.hpp"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

namespace modules {

const mexhost::Module& get(const std::string& name) {
    static std::map<std::string, std::unique_ptr<mexhost::Module>> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end()) {
        const std::string path =
            std::string(SPARSEMEX_EMBEDDED_MODULES) + "/" + name + SPARSEMEX_EMBEDDED_SUFFIX;
        found = loaded.emplace(name, std::make_unique<mexhost::Module>(path)).first;
    }
    return *found->second;
}

std::vector<std::string> all() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(SPARSEMEX_EMBEDDED_MODULES, error))
        if (entry.path().extension() == SPARSEMEX_EMBEDDED_SUFFIX)
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

mexhost::HostError expectError(const mexhost::Module& module, int nlhs,
                               const std::vector<const mexhost::Array*>& inputs,
                               const std::string& identifier) {
    try {
        module.call(nlhs, inputs);
    } catch (const mexhost::HostError& error) {
        EXPECT_EQ(error.identifier(), identifier) << error.what();
        return error;
    }
    ADD_FAILURE() << "expected the error " << identifier << " from " << module.path();
    return mexhost::HostError("", "");
}

}  // namespace modules

#include "tests/gateway/support/modules.hpp"

#include <dirent.h>

#include <algorithm>
#include <map>
#include <memory>

namespace modules {

const mexhost::Module& get(const std::string& name) {
    static std::map<std::string, std::unique_ptr<mexhost::Module>> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end()) {
        const std::string path = std::string(SPARSEMEX_EMBEDDED_MODULES) + "/" + name + ".so";
        found = loaded.emplace(name, std::make_unique<mexhost::Module>(path)).first;
    }
    return *found->second;
}

std::vector<std::string> all() {
    std::vector<std::string> names;
    if (DIR* folder = opendir(SPARSEMEX_EMBEDDED_MODULES)) {
        while (const dirent* entry = readdir(folder)) {
            const std::string file = entry->d_name;
            if (file.size() > 3 && file.compare(file.size() - 3, 3, ".so") == 0)
                names.push_back(file.substr(0, file.size() - 3));
        }
        closedir(folder);
    }
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

// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Built modules for the gateway tests, loaded once each through the embedded host.
#pragma once

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "tests/mexhost/loader.hpp"

namespace modules {

// The module of that name from the build's embedded-host folder.
const mexhost::Module& get(const std::string& name);

// The names of every built module.
std::vector<std::string> all();

// Calls the module and expects it to raise the error `identifier`; returns the error.
mexhost::HostError expectError(const mexhost::Module& module, int nlhs,
                               const std::vector<const mexhost::Array*>& inputs,
                               const std::string& identifier);

// Special values that the tests pass as arguments.
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A module under test and the identifiers "<module>:<reason>" of its errors.
class Named {
public:
    explicit Named(std::string name) : name_(std::move(name)) {}
    const mexhost::Module& module() const { return get(name_); }
    std::string id(const char* reason) const { return name_ + ":" + reason; }

private:
    std::string name_;
};

// A suite run once for each module of a list (modules that share one gateway).
class EachModule : public testing::TestWithParam<std::string> {
protected:
    const mexhost::Module& module() const { return get(GetParam()); }
    std::string id(const char* reason) const { return GetParam() + ":" + reason; }
};

// The module's name as the name of its instance of an EachModule suite.
inline std::string moduleName(const testing::TestParamInfo<std::string>& info) {
    return info.param;
}

}  // namespace modules

// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Built modules for the gateway tests, loaded once each through the embedded host.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/embedded/loader.hpp"

namespace modules {

// The module of that name from the build's embedded-host folder.
const mexhost::Module& get(const std::string& name);

// The names of every built module.
std::vector<std::string> all();

// Calls the module and expects it to raise the error `identifier`; returns the error.
mexhost::HostError expectError(const mexhost::Module& module, int nlhs,
                               const std::vector<const mexhost::Array*>& inputs,
                               const std::string& identifier);

}  // namespace modules

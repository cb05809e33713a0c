// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Module calls that also check that no input array changed: whether the call returns or
// raises an error for a module that only reads its inputs, and for any module that rejects
// its call (nothing is written then).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"

namespace unchanged {

class Snapshot {
public:
    explicit Snapshot(const std::vector<const mexhost::Array*>& inputs) : inputs_(inputs) {
        for (const mexhost::Array* input : inputs) copies_.push_back(input->copy());
    }
    ~Snapshot() {
        for (std::size_t k = 0; k < inputs_.size(); ++k)
            EXPECT_TRUE(inputs_[k]->sameAs(copies_[k])) << "input " << k + 1 << " changed";
    }

private:
    std::vector<const mexhost::Array*> inputs_;
    std::vector<mexhost::Array> copies_;
};

inline mexhost::CallResult call(const mexhost::Module& module, int nlhs,
                                const std::vector<const mexhost::Array*>& inputs) {
    const Snapshot snapshot(inputs);
    return module.call(nlhs, inputs);
}

inline mexhost::HostError expectError(const mexhost::Module& module, int nlhs,
                                      const std::vector<const mexhost::Array*>& inputs,
                                      const std::string& identifier) {
    const Snapshot snapshot(inputs);
    return modules::expectError(module, nlhs, inputs, identifier);
}

}  // namespace unchanged

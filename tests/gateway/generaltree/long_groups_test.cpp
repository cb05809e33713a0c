// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/gateway/support/long_groups.hpp"

namespace {

TEST(GeneralTreeModules, GroupsLongerThanTheLargestDoubleGiveFiniteAnswers) {
    treemodules::expectLongGroupAnswers(treemodules::generalTree());
}

}  // namespace

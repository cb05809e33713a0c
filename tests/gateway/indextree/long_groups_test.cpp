// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include "tests/gateway/support/long_groups.hpp"

namespace {

TEST(IndexTreeModules, GroupsLongerThanTheLargestDoubleGiveFiniteAnswers) {
    treemodules::expectLongGroupAnswers(treemodules::indexTree());
}

}  // namespace

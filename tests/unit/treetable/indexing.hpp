// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The two indexings of the tree routines, as type parameters of one typed suite: each turns a
// tree description (groups as lists of positions with weights) into its family's arguments
// and calls its family's routines with them.
//
//   Ranges     groups are ranges of consecutive positions: the node table `ind` alone.
//   IndexList  groups are slices of the index list G: G and a table of slices of it.
//
// A table of ranges reads the same as a table of slices of G = 1..n, so tests written with
// literal range tables (edge cases that no description can state, such as a node 0 that
// starts at -1 and ends elsewhere) run on both indexings through fromRanges.
#pragma once

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "generaltree/generaltree.hpp"
#include "indextree/indextree.hpp"
#include "tests/support/tree_penalty.hpp"
#include "treetable/node_order.hpp"

namespace treeindexing {

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

// One call's tree arguments in a family's form (G stays empty for ranges).
struct Table {
    std::vector<double> G;
    std::vector<double> ind;
    int nodes = 0;
};

struct Ranges {
    // Groups must be runs of consecutive positions, each listed once.
    static constexpr bool kAnyLists = false;

    static Table tableOf(const testtrees::TreePenalty& tree) {
        return {{}, tree.rangeTable(), tree.nodes()};
    }
    static Table fromRanges(const std::vector<double>& ind, int nodes, int /*n*/) {
        return {{}, ind, nodes};
    }

    static void prox(double* x, const double* v, int n, const Table& t) {
        treeprox(x, v, n, t.ind.data(), t.nodes);
    }
    static void proxRows(double* X, const double* V, int rows, int cols, const Table& t) {
        treeprox_mt(X, V, rows, cols, t.ind.data(), t.nodes);
    }
    static void penalty(double* value, const double* x, int n, const Table& t) {
        penaltyValue(value, x, n, t.ind.data(), t.nodes);
    }
    static void ratio(double* value, const double* x, int n, const Table& t) {
        groupRatioCeiling(value, x, n, t.ind.data(), t.nodes);
    }
    static void critical(double* value, const double* v, int n, const Table& t) {
        criticalWeight(value, v, n, t.ind.data(), t.nodes);
    }
    static void criticalRows(double* value, const double* V, int rows, int cols, const Table& t) {
        criticalWeight_mt(value, V, rows, cols, t.ind.data(), t.nodes);
    }
    // The order check of the gateways: a node listed after one that strictly contains it.
    static treetable::MisorderedPair misordered(const Table& t, int n) {
        return treetable::firstRangeAfterItsContainer(t.ind.data(), t.nodes, n);
    }
};

struct IndexList {
    // Groups may be scattered, in any order, and may list a position twice.
    static constexpr bool kAnyLists = true;

    static Table tableOf(const testtrees::TreePenalty& tree) {
        Table t;
        t.ind = tree.listTable(&t.G);
        t.nodes = tree.nodes();
        return t;
    }
    static Table fromRanges(const std::vector<double>& ind, int nodes, int n) {
        Table t{{}, ind, nodes};
        for (int p = 1; p <= n; ++p) t.G.push_back(p);
        return t;
    }

    static void prox(double* x, const double* v, int n, const Table& t) {
        general_treeprox(x, v, n, t.G.data(), t.ind.data(), t.nodes);
    }
    static void proxRows(double* X, const double* V, int rows, int cols, const Table& t) {
        general_treeprox_mt(X, V, rows, cols, t.G.data(), t.ind.data(), t.nodes);
    }
    static void penalty(double* value, const double* x, int n, const Table& t) {
        general_penaltyValue(value, x, n, t.G.data(), t.ind.data(), t.nodes);
    }
    static void ratio(double* value, const double* x, int n, const Table& t) {
        general_groupRatioCeiling(value, x, n, t.G.data(), t.ind.data(), t.nodes);
    }
    static void critical(double* value, const double* v, int n, const Table& t) {
        general_criticalWeight(value, v, n, t.G.data(), t.ind.data(), t.nodes);
    }
    static void criticalRows(double* value, const double* V, int rows, int cols, const Table& t) {
        general_criticalWeight_mt(value, V, rows, cols, t.G.data(), t.ind.data(), t.nodes);
    }
    static treetable::MisorderedPair misordered(const Table& t, int n) {
        return treetable::firstSliceAfterItsContainer(t.ind.data(), t.nodes, t.G.data(), n);
    }
};

using Indexings = ::testing::Types<Ranges, IndexList>;

// Names the typed tests after their indexing.
struct IndexingName {
    template <class Indexing>
    static std::string GetName(int) {
        return Indexing::kAnyLists ? "IndexList" : "Ranges";
    }
};

// The routines of one indexing over vectors: results returned, outputs first set to -7 so
// that an entry left unwritten shows.
template <class Indexing>
struct Calls {
    static std::vector<double> prox(const std::vector<double>& v, const Table& t) {
        std::vector<double> x(v.size(), -7.0);
        Indexing::prox(x.data(), v.data(), static_cast<int>(v.size()), t);
        return x;
    }
    static std::vector<double> proxOf(const testtrees::TreePenalty& tree,
                                      const std::vector<double>& v) {
        return prox(v, Indexing::tableOf(tree));
    }
    static std::vector<double> proxRows(const std::vector<double>& V, int rows, int cols,
                                        const Table& t) {
        std::vector<double> X(V.size(), -7.0);
        Indexing::proxRows(X.data(), V.data(), rows, cols, t);
        return X;
    }
    static double penalty(const std::vector<double>& x, const Table& t) {
        return valueOf(Indexing::penalty, x, t);
    }
    static double ratio(const std::vector<double>& x, const Table& t) {
        return valueOf(Indexing::ratio, x, t);
    }
    static double critical(const std::vector<double>& v, const Table& t) {
        return valueOf(Indexing::critical, v, t);
    }
    static double criticalRows(const std::vector<double>& V, int rows, int cols, const Table& t) {
        double value = -7;
        Indexing::criticalRows(&value, V.data(), rows, cols, t);
        return value;
    }

    // The same routines given a literal table of ranges over the vector's (or the rows')
    // positions, in this indexing's form.
    using Ind = std::vector<double>;
    static std::vector<double> prox(const std::vector<double>& v, const Ind& ind, int nodes) {
        return prox(v, ranges(ind, nodes, v.size()));
    }
    static std::vector<double> proxRows(const std::vector<double>& V, int rows, int cols,
                                        const Ind& ind, int nodes) {
        return proxRows(V, rows, cols, ranges(ind, nodes, cols));
    }
    static double penalty(const std::vector<double>& x, const Ind& ind, int nodes) {
        return penalty(x, ranges(ind, nodes, x.size()));
    }
    static double ratio(const std::vector<double>& x, const Ind& ind, int nodes) {
        return ratio(x, ranges(ind, nodes, x.size()));
    }
    static double critical(const std::vector<double>& v, const Ind& ind, int nodes) {
        return critical(v, ranges(ind, nodes, v.size()));
    }
    static double criticalRows(const std::vector<double>& V, int rows, int cols, const Ind& ind,
                               int nodes) {
        return criticalRows(V, rows, cols, ranges(ind, nodes, cols));
    }
    static Table ranges(const Ind& ind, int nodes, std::size_t n) {
        return Indexing::fromRanges(ind, nodes, static_cast<int>(n));
    }

private:
    template <class Routine>
    static double valueOf(Routine routine, const std::vector<double>& x, const Table& t) {
        double value = -7;
        routine(&value, x.data(), static_cast<int>(x.size()), t);
        return value;
    }
};

}  // namespace treeindexing

// Declares the typed suite `name`, whose tests run once per indexing (TypeParam).
#define TREE_INDEXING_SUITE(name)           \
    template <class Indexing>               \
    class name : public ::testing::Test {}; \
    TYPED_TEST_SUITE(name, treeindexing::Indexings, treeindexing::IndexingName)

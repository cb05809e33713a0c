// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// The extension module sparsemex._core: the core routines under their own names, and the
// checks that the argument checker makes in compiled loops. See routine_call.hpp for how a
// routine is called.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "chain/chain.hpp"
#include "cone/cone.hpp"
#include "cone/groups.hpp"
#include "generaltree/generaltree.hpp"
#include "indextree/indextree.hpp"
#include "monotone/monotone.hpp"
#include "precision/covariance_symmetry.hpp"
#include "precision/precision.hpp"
#include "projection/group_table.hpp"
#include "projection/projection.hpp"
#include "fast_calls.hpp"
#include "routine_call.hpp"
#include "support/argument_failures.hpp"
#include "support/truncate.hpp"
#include "support/value_checks.hpp"
#include "treetable/node_order.hpp"
#include "treetable/node_table_checks.hpp"

namespace py = pybind11;
using pyhost::bindRoutine;

namespace {

// The node table checks of the tree modules, in the routine form that bindRoutine calls.
void checkNodeRanges(const double* ind, int nodes, bool readsNodeZero, int length,
                     const char* unit, const char* name) {
    treetable::requireRangesWithin(ind, nodes, readsNodeZero,
                                   treetable::Extent{length, unit, name});
}

void checkNodeSlices(const double* ind, int nodes, bool readsNodeZero, const double* G,
                     long long listLength, int length, const char* unit, const char* name) {
    treetable::requireSlicesWithin(ind, nodes, readsNodeZero, G,
                                   static_cast<std::size_t>(listLength),
                                   treetable::Extent{length, unit, name});
}

// The checks of the node order that the routines whose result depends on it require: every
// group listed after the groups nested inside it.
void checkNodeRangesInOrder(const double* ind, int nodes, int length, const char* unit,
                            const char* name) {
    treetable::requireRangesInOrder(ind, nodes, treetable::Extent{length, unit, name});
}

void checkNodeSlicesInOrder(const double* ind, int nodes, const double* G, int length,
                            const char* unit, const char* name) {
    treetable::requireSlicesInOrder(ind, nodes, G, treetable::Extent{length, unit, name});
}

// A failure of the value checks as Python takes it: (reason, message).
py::tuple failureTuple(const valuecheck::ValueFailure& failure) {
    return py::make_tuple(failure.reason, failure.message);
}

// An array's data for the scans, which read it in place.
const double* doublesOf(const py::handle& array) { return pyhost::arrayData<double>(array, false); }

}  // namespace

PYBIND11_MODULE(_core, module) {
    module.doc() = "The core routines of sparsemex; use sparsemex or sparsemex.mex instead.";
    pyhost::rememberMainThread();

    bindRoutine(module, "simplexShadow", simplexShadow);
    bindRoutine(module, "powerShadow", powerShadow);
    bindRoutine(module, "powerShadowVector", powerShadowVector);
    bindRoutine(module, "powerShadowMatrix", powerShadowMatrix);
    bindRoutine(module, "mixedShadow", mixedShadow);
    bindRoutine(module, "mixedShadowRowNorms", mixedShadowRowNorms);
    bindRoutine(module, "mixedShadowThreshold", mixedShadowThreshold);
    bindRoutine(module, "mixedShadowShrink", mixedShadowShrink);
    bindRoutine(module, "mixedShadowPlainThreshold", mixedShadowPlainThreshold);
    bindRoutine(module, "mixedShadowLongRowNorms", mixedShadowLongRowNorms);
    bindRoutine(module, "mixedShadowLongThreshold", mixedShadowLongThreshold);
    bindRoutine(module, "twoLevelShadow", twoLevelShadow);
    bindRoutine(module, "elementCone", elementCone);
    bindRoutine(module, "rowCone", rowCone);
    bindRoutine(module, "powerShadowVectorR", powerShadowVectorR);
    bindRoutine(module, "treeprox", treeprox);
    bindRoutine(module, "treeprox_mt", treeprox_mt);
    bindRoutine(module, "penaltyValue", penaltyValue);
    bindRoutine(module, "groupRatioCeiling", groupRatioCeiling);
    bindRoutine(module, "criticalWeight", criticalWeight);
    bindRoutine(module, "criticalWeight_mt", criticalWeight_mt);
    bindRoutine(module, "general_treeprox", general_treeprox);
    bindRoutine(module, "general_treeprox_mt", general_treeprox_mt);
    bindRoutine(module, "general_penaltyValue", general_penaltyValue);
    bindRoutine(module, "general_groupRatioCeiling", general_groupRatioCeiling);
    bindRoutine(module, "general_criticalWeight", general_criticalWeight);
    bindRoutine(module, "general_criticalWeight_mt", general_criticalWeight_mt);
    bindRoutine(module, "isoHier", isoHier);
    bindRoutine(module, "isoHier_without_nonnegative", isoHier_without_nonnegative);
    bindRoutine(module, "isoHierParents", isoHierParents);
    bindRoutine(module, "isoHierParents_without_nonnegative", isoHierParents_without_nonnegative);
    bindRoutine(module, "isoHierBinary", isoHierBinary);
    bindRoutine(module, "isoHierDepth1", isoHierDepth1);
    bindRoutine(module, "precisionSweep", precisionSweep);
    bindRoutine(module, "chainAscend", chainAscend);
    bindRoutine(module, "chainDescend", chainDescend);
    bindRoutine(module, "checkNodeRanges", checkNodeRanges);
    bindRoutine(module, "checkNodeSlices", checkNodeSlices);
    bindRoutine(module, "checkNodeRangesInOrder", checkNodeRangesInOrder);
    bindRoutine(module, "checkNodeSlicesInOrder", checkNodeSlicesInOrder);
    bindRoutine(module, "checkSymmetricCovariance", requireSymmetricCovariance);

    module.def("first_nan", [](py::handle a, long long offset, long long count, long long stride) {
        return valuecheck::firstNaN(doublesOf(a) + offset, count, stride);
    });
    module.def("first_nonfinite", [](py::handle a, long long offset, long long count,
                                     long long stride) {
        return valuecheck::firstNonFinite(doublesOf(a) + offset, count, stride);
    });
    module.def("finite_sum_check", [](py::handle a, long long offset, long long count,
                                      long long stride) {
        return valuecheck::finiteSumCheck(doublesOf(a) + offset, count, stride);
    });
    // The failures of those scans' findings, with the text every host shows.
    module.def("nan_failure", [](const std::string& name, long long found) {
        return failureTuple(valuecheck::nanFailure(name.c_str(), found));
    });
    module.def("nonfinite_failure", [](const std::string& name, long long found, double value) {
        return failureTuple(valuecheck::nonFiniteFailure(name.c_str(), found, value));
    });
    module.def("finite_sum_failure", [](const std::string& name, long long found, double value) {
        return failureTuple(valuecheck::finiteSumFailure(name.c_str(), found, value));
    });
    // The failures of the argument checks every module makes (position counted from 0), and
    // the conversion of integer parameters.
    module.def("not_real_double_failure", [](const std::string& name, int position) {
        return failureTuple(argcheck::notRealDoubleFailure(name.c_str(), position));
    });
    module.def("too_few_elements_failure", [](const std::string& name, int position,
                                              long long have, long long needed) {
        return failureTuple(argcheck::tooFewElementsFailure(name.c_str(), position, have, needed));
    });
    module.def("not_scalar_failure", [](const std::string& name, int position) {
        return failureTuple(argcheck::notScalarFailure(name.c_str(), position));
    });
    module.def("negative_size_failure", [](const std::string& name, int position, double value) {
        return failureTuple(argcheck::negativeSizeFailure(name.c_str(), position, value));
    });
    module.def("not_string_failure", [](const std::string& name, int position) {
        return failureTuple(argcheck::notStringFailure(name.c_str(), position));
    });
    module.def("nul_in_string_failure", [](const std::string& name, int position) {
        return failureTuple(argcheck::nulInStringFailure(name.c_str(), position));
    });
    module.def("truncate_to_int", [](double value) { return truncateToInt(value); });
    // The first row of a column-major m-by-n matrix, or group of a boundary table (groups
    // already known to fit), failing finiteSumCheck, as (piece, finding), or (-1, -1).
    module.def("searchable_rows", [](py::handle a, long long m, long long n) {
        const valuecheck::PieceFinding bad =
            valuecheck::firstRowWithoutFiniteSum(doublesOf(a), m, n);
        return py::make_tuple(bad.piece, bad.found);
    });
    module.def("searchable_groups", [](py::handle v, py::handle b, int g) {
        const valuecheck::PieceFinding bad =
            firstGroupWithoutFiniteSum(doublesOf(v), doublesOf(b), g);
        return py::make_tuple(bad.piece, bad.found);
    });
    module.def("first_misplaced_group", [](py::handle b, int g, int n) {
        return firstGroupOutsideByLength(doublesOf(b), g, n);
    });
    module.def("first_group_outside", [](py::handle b, int n, int g) {
        return firstGroupOutsideByEnds(doublesOf(b), g, n);
    });
    pyhost::bindFastCalls(module);
    module.def("hardware_threads", [] { return parallel::hardwareThreads(); });
    module.def("configured_threads", [] { return parallel::configuredThreads(); });
}

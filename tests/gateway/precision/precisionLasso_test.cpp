// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"
#include "tests/support/graphical_model.hpp"

namespace {

using mexhost::Array;
using testdata::Matrix;

const mexhost::Module& module() { return modules::get("precisionLasso"); }
std::string id(const char* reason) { return std::string("precisionLasso:") + reason; }

const int kOrder = 6;
const double kLambda = 0.1;

// The eleven inputs of a call, tight enough for the optimality conditions to hold.
struct Arguments {
    Array x, w, s;
    Array lambda = Array::scalar(kLambda), spare = Array::scalar(0), n = Array::scalar(kOrder),
          maxIter = Array::scalar(1000), tolFun = Array::scalar(-1), tolX = Array::scalar(1e-13),
          maxOuter = Array::scalar(200), tolOuter = Array::scalar(1e-12);

    explicit Arguments(const Matrix& covariance, std::size_t rows = kOrder,
                       std::size_t cols = kOrder)
        : x(Array::matrix(rows, cols, std::vector<double>(rows * cols, 3.5))),
          w(Array::matrix(rows, cols, std::vector<double>(rows * cols, -2.5))),
          s(Array::matrix(kOrder, kOrder, covariance)) {}

    std::vector<const Array*> all() const {
        return {&x, &w, &s, &lambda, &spare, &n, &maxIter, &tolFun, &tolX, &maxOuter, &tolOuter};
    }
};

const Matrix kS = testdata::sparseModelCovariance(21, kOrder);

Matrix firstElements(const Array& array, std::size_t count) {
    const std::vector<double> values = array.values();
    return Matrix(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST(PrecisionLassoModule, WritesTheEstimateIntoXAndWAndReturnsCopies) {
    Arguments a(kS);
    const Array sBefore = a.s.copy();
    const mexhost::CallResult result = module().call(2, a.all());

    ASSERT_EQ(result.outputs.size(), 2u);
    for (const Array& output : result.outputs) {
        EXPECT_EQ(output.rows(), static_cast<std::size_t>(kOrder));
        EXPECT_EQ(output.cols(), static_cast<std::size_t>(kOrder));
    }
    EXPECT_TRUE(result.outputs[0].sameAs(a.x));
    EXPECT_TRUE(result.outputs[1].sameAs(a.w));
    EXPECT_TRUE(a.s.sameAs(sBefore));
    EXPECT_EQ(result.printed.rfind("\n Outer Loop: 0, gap ", 0), 0u);

    const testdata::Optimality o = testdata::optimality(kS, a.w.values(), a.x.values(), kOrder,
                                                        kLambda);
    EXPECT_LE(o.worst(), 1e-9);
}

TEST(PrecisionLassoModule, ReturnsOnlyTheCopiesAskedForAndComputesTheSameEitherWay) {
    Arguments quiet(kS), one(kS), two(kS);
    EXPECT_EQ(module().call(0, quiet.all()).outputs.size(), 0u);
    const mexhost::CallResult first = module().call(1, one.all());
    ASSERT_EQ(first.outputs.size(), 1u);
    EXPECT_TRUE(first.outputs[0].sameAs(one.x));
    module().call(2, two.all());
    EXPECT_TRUE(quiet.x.sameAs(two.x) && quiet.w.sameAs(two.w));
    EXPECT_TRUE(one.x.sameAs(two.x) && one.w.sameAs(two.w));
}

TEST(PrecisionLassoModule, UsesTheFirstNByNElementsOfLargerArrays) {
    Arguments wide(kS, kOrder + 1, kOrder + 2), exact(kS);
    const std::size_t count = kOrder * kOrder;
    const mexhost::CallResult result = module().call(2, wide.all());
    module().call(0, exact.all());
    EXPECT_EQ(firstElements(wide.x, count), exact.x.values());
    EXPECT_EQ(firstElements(wide.w, count), exact.w.values());
    const std::vector<double> x = wide.x.values();
    for (std::size_t k = count; k < x.size(); ++k) EXPECT_EQ(x[k], 3.5);
    EXPECT_TRUE(result.outputs[0].sameAs(exact.x));
    EXPECT_TRUE(result.outputs[1].sameAs(exact.w));
}

TEST(PrecisionLassoModule, TruncatesIntegerParametersTowardZero) {
    // maxOuter -0.9 is 0: one outer iteration, no inverse; -1.5 is -1: none at all.
    Arguments one(kS), none(kS);
    one.maxOuter = Array::scalar(-0.9);
    one.n = Array::scalar(kOrder + 0.99);
    none.maxOuter = Array::scalar(-1.5);
    none.spare = Array::scalar(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(module().call(0, one.all()).printed.find("Outer Loop", 10), std::string::npos);
    EXPECT_EQ(module().call(0, none.all()).printed, "");
    EXPECT_EQ(none.x.values(), Matrix(kS.size(), 0.0));
    Matrix shifted = kS;
    for (int i = 0; i < kOrder; ++i) shifted[i + i * kOrder] += kLambda;
    EXPECT_EQ(none.w.values(), shifted);
}

TEST(PrecisionLassoModule, ProgressWarningTurnedOffSilencesTheOuterLoopOnly) {
    Arguments loud(kS), quiet(kS), other(kS);
    const mexhost::CallResult printed = module().call(2, loud.all());
    mexhost::setWarningEnabled("precisionLasso:progress", false);
    const mexhost::CallResult silenced = module().call(2, quiet.all());
    mexhost::setWarningEnabled("precisionLasso:progress", true);
    mexhost::setWarningEnabled("precisionLasso:otherWarning", false);
    const mexhost::CallResult unaffected = module().call(2, other.all());
    mexhost::setWarningEnabled("precisionLasso:otherWarning", true);

    EXPECT_NE(printed.printed.find("\n Outer Loop: 1, gap "), std::string::npos);
    EXPECT_EQ(silenced.printed, "");
    EXPECT_EQ(unaffected.printed, printed.printed);
    for (int k = 0; k < 2; ++k) EXPECT_TRUE(silenced.outputs[k].sameAs(printed.outputs[k]));
    EXPECT_EQ(module().call(0, Arguments(kS).all()).printed, printed.printed);
}

TEST(PrecisionLassoModule, NoVariables) {
    Arguments a(Matrix(kS.size(), 0.0), 0, 0);
    a.n = Array::scalar(0);
    const mexhost::CallResult result = module().call(2, a.all());
    EXPECT_EQ(result.outputs[0].rows(), 0u);
    EXPECT_EQ(result.outputs[1].cols(), 0u);
}

// Every rejection leaves X and W as they were.
class Rejection : public testing::Test {
protected:
    void expectRejected(const Arguments& a, const char* reason, int nlhs = 0) {
        const Array x = a.x.copy(), w = a.w.copy();
        modules::expectError(module(), nlhs, a.all(), id(reason));
        EXPECT_TRUE(a.x.sameAs(x)) << reason;
        EXPECT_TRUE(a.w.sameAs(w)) << reason;
    }
};

TEST_F(Rejection, ArraysSmallerThanN) {
    for (Array Arguments::*matrix : {&Arguments::x, &Arguments::w, &Arguments::s}) {
        Arguments small(kS);
        small.*matrix = Array::matrix(kOrder, kOrder - 1);
        expectRejected(small, "tooFewElements");
    }
}

TEST_F(Rejection, NLargerThanTheArrays) {
    Arguments larger(kS);
    larger.n = Array::scalar(kOrder + 1);
    expectRejected(larger, "tooFewElements");
}

TEST_F(Rejection, NonFiniteDataAndNegativePenalty) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {std::nan(""), inf, -inf}) {
        Matrix s = kS;
        s[kOrder + 2] = bad;
        expectRejected(Arguments(s), "notFinite");
        Arguments a(kS);
        a.lambda = Array::scalar(bad);
        expectRejected(a, "notFinite");
    }
    Arguments negative(kS);
    negative.lambda = Array::scalar(-0.01);
    expectRejected(negative, "negativePenalty");
}

// No penalty on a singular covariance: the lasso steps divide by zero.
TEST_F(Rejection, CovarianceThatCannotBeInverted) {
    Arguments a(Matrix(kS.size(), 0.0));
    a.lambda = Array::scalar(0);
    a.maxOuter = Array::scalar(50);
    a.tolX = Array::scalar(1e-10);
    a.tolOuter = Array::scalar(1e-8);
    expectRejected(a, "notInvertible");
    expectRejected(a, "notInvertible", 2);
}

// Both triangles of S are read: one that differs from its transpose is refused, naming the
// pair; zeros whose signs differ across the diagonal are equal, and accepted.
TEST_F(Rejection, CovarianceThatIsNotSymmetric) {
    Matrix s = kS;
    s[3 + kOrder] = std::nextafter(s[3 + kOrder], 10.0);
    expectRejected(Arguments(s), "notSymmetric");
    const std::string message =
        modules::expectError(module(), 2, Arguments(s).all(), id("notSymmetric")).what();
    EXPECT_NE(message.find("S(4,2) = "), std::string::npos) << message;
    EXPECT_NE(message.find("S(2,4) = "), std::string::npos) << message;

    Matrix signedZeros = kS;
    signedZeros[1] = 0.0;
    signedZeros[kOrder] = -0.0;
    EXPECT_NO_THROW(module().call(2, Arguments(signedZeros).all()));
}

TEST_F(Rejection, ArraysSharingTheirData) {
    Arguments a(kS);
    // W is X, S is X, S is W.
    for (const auto& [from, to] : {std::pair<int, int>{0, 1}, {0, 2}, {1, 2}}) {
        std::vector<const Array*> inputs = a.all();
        inputs[to] = inputs[from];
        const Array x = a.x.copy(), w = a.w.copy();
        modules::expectError(module(), 2, inputs, id("sharedData"));
        EXPECT_TRUE(a.x.sameAs(x) && a.w.sameAs(w));
    }
}

}  // namespace

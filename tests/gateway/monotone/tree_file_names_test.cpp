// Copyright 2026 The sparsemex authors. SPDX-License-Identifier: BSD-3-Clause
// Tree description files as Windows users have them: saved with CRLF line endings, in folders
// whose names hold spaces and characters beyond ASCII. Both file-tree modules read them as
// they read a plain file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gateway/support/modules.hpp"
#include "tests/support/tree_files.hpp"

namespace {

using mexhost::Array;
using testdata::TempFile;

// "tree file é 木 🌲" in UTF-8: spaces, a Latin-1 letter, a CJK character and one that UTF-16
// writes as a surrogate pair.
const std::string unusualName = "tree file \xC3\xA9 \xE6\x9C\xA8 \xF0\x9F\x8C\xB2";

class TreeFileName : public testing::TestWithParam<std::string> {
protected:
    const mexhost::Module& module() const { return modules::get(GetParam()); }

    std::vector<double> fit(const char* path) const {
        const Array name = Array::text(path), v = Array::column({1, 3, 0, 2, -1}),
                    root = Array::scalar(1), n = Array::scalar(5);
        const mexhost::CallResult result = module().call(1, {&name, &v, &root, &n});
        EXPECT_EQ(result.printed, "");
        return result.outputs.at(0).values();
    }
    std::vector<double> expected() const {
        return {2, 2, 0, 2, GetParam() == "isoHier" ? 0.0 : -1.0};
    }
};

TEST_P(TreeFileName, ReadsCrlfLineEndingsAsLineEnds) {
    const TempFile crlf("1 2 2 3\r\n2 2 4 5\r\n");
    EXPECT_EQ(fit(crlf.path()), expected());
    // A carriage return anywhere separates numbers as any white space does.
    const TempFile scattered("1\r2\r2\r3\r\n2 2\r\n4 5\r\n\r\n");
    EXPECT_EQ(fit(scattered.path()), expected());
}

TEST_P(TreeFileName, OpensANameWithSpacesAndCharactersBeyondAscii) {
    const TempFile file("1 2 2 3\n2 2 4 5\n", unusualName);
    ASSERT_NE(std::string(file.path()).find(unusualName), std::string::npos);
    EXPECT_EQ(fit(file.path()), expected());
}

TEST_P(TreeFileName, NamesAMissingFileAsTheCallerWroteIt) {
    std::string missing;
    {
        const TempFile gone("", unusualName);
        missing = gone.path();
    }
    const Array name = Array::text(missing), v = Array::column({1, 2}), root = Array::scalar(1),
                n = Array::scalar(2);
    const mexhost::HostError error =
        modules::expectError(module(), 1, {&name, &v, &root, &n}, GetParam() + ":unreadableFile");
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    EXPECT_NE(error.printed().find(missing), std::string::npos) << error.printed();
}

INSTANTIATE_TEST_SUITE_P(Modules, TreeFileName,
                         testing::Values("isoHier", "isoHier_without_nonnegative"));

// The host hands text to modules as MATLAB does: one UTF-16 unit per character, two for a
// character past U+FFFF.
TEST(HostText, HoldsUtf16UnitsOfUtf8Text) {
    const Array text = Array::text("a\xC3\xA9\xE6\x9C\xA8\xF0\x9F\x8C\xB2");
    ASSERT_EQ(text.cols(), 5u);
    const mxChar* units = mxGetChars(text.get());
    EXPECT_EQ(std::vector<unsigned>(units, units + 5),
              (std::vector<unsigned>{0x61, 0xE9, 0x6728, 0xD83C, 0xDF32}));
}

std::string readBack(const Array& text) {
    std::vector<char> buffer(4 * text.cols() + 1);
    EXPECT_EQ(mxGetString(text.get(), buffer.data(), buffer.size()), 0);
    return buffer.data();
}

// Characters at the edges of each UTF-8 length come back from mxGetString byte for byte.
TEST(HostText, GivesUtf8BackAsItCame) {
    const std::string edges = "\x7F \xC2\x80 \xDF\xBF \xE0\xA0\x80 \xEF\xBF\xBF "
                              "\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF";
    const Array text = Array::text(edges);
    // Six spaces, five characters of one unit and two past U+FFFF of two units each.
    EXPECT_EQ(text.cols(), 6u + 5 + 2 * 2);
    EXPECT_EQ(readBack(text), edges);
    // Too small a buffer is reported, as MATLAB does.
    char small[4];
    EXPECT_EQ(mxGetString(text.get(), small, sizeof small), 1);
}

TEST(HostText, KeepsMalformedBytesAndMarksLoneSurrogates) {
    // A truncated sequence, an overlong form and an encoded surrogate: each byte stays a unit.
    const Array malformed = Array::text("\xC3" "a" "\xE0\x80\x80" "\xED\xA0\x80");
    const mxChar* units = mxGetChars(malformed.get());
    EXPECT_EQ(std::vector<unsigned>(units, units + malformed.cols()),
              (std::vector<unsigned>{0xC3, 0x61, 0xE0, 0x80, 0x80, 0xED, 0xA0, 0x80}));

    const Array lone = Array::numeric(mxCHAR_CLASS, 1, 2);
    mxChar* written = mxGetChars(lone.get());
    written[0] = 0xD800;
    written[1] = 'A';
    EXPECT_EQ(readBack(lone), "?A");
}

}  // namespace

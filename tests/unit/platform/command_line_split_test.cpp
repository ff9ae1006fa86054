#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_line_split.h"

namespace {

using Arguments = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Arguments expected;
};

// The argument parts of command lines, and the arguments a Windows program built with the
// Microsoft C runtime receives from them.
TEST(SplitCommandLineTest, FollowsTheWindowsRuntimeRules) {
    const std::vector<SplitCase> cases = {
        {"", {}},
        {"   \t ", {}},
        {"a b  c", {"a", "b", "c"}},
        {" \ta\tb ", {"a", "b"}},
        {R"("C:\My Books\p012.kif")", {R"(C:\My Books\p012.kif)"}},
        {R"("abc" d e)", {"abc", "d", "e"}},
        {R"(a"b c"d e)", {"ab cd", "e"}},
        {R"(a\\b d"e f"g h)", {R"(a\\b)", "de fg", "h"}},
        {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
        {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
        {R"(a\"b)", {R"(a"b)"}},
        {R"(C:\dir\ x)", {R"(C:\dir\)", "x"}},
        {R"("C:\dir\\" x)", {R"(C:\dir\)", "x"}},
        {R"(a\\)", {R"(a\\)"}},
        {R"("" x "")", {"", "x", ""}},
        {R"(a "" b)", {"a", "", "b"}},
        {R"("a""b")", {R"(a"b)"}},
        {R"(a"b"" c d)", {R"(ab" c d)"}},
        {R"("unclosed quote)", {"unclosed quote"}},
        {R"(<spc> x;y $(z) `w`)", {"<spc>", "x;y", "$(z)", "`w`"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(platform::SplitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";
    }
}

}  // namespace

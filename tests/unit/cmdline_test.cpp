#include "platform/cmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string params;
    Args expected;
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsLikeTheClassicRuntime) {
    EXPECT_EQ(vcl::SplitCommandLine(GetParam().params), GetParam().expected)
        << "params: [" << GetParam().params << "]";
}

// In the strings below, \\ is one backslash and \" one quote of the input.
const SplitCase kCases[] = {
    {"Empty", "", {}},
    {"OnlyBlanksAndTabs", " \t  \t", {}},
    {"BlanksSeparate", "a b", {"a", "b"}},
    {"LeadingTrailingAndRepeatedSeparators", "  a \t\tb  \t", {"a", "b"}},
    {"OtherWhitespaceIsNoSeparator", "a\nb\rc\vd", {"a\nb\rc\vd"}},
    {"QuotesGroupAndAreDropped", "\"a b\" c", {"a b", "c"}},
    {"QuotedRunInsideAnArgument", "x\"a b\"y z", {"xa by", "z"}},
    {"TabInsideQuotesIsKept", "\"a\tb\"", {"a\tb"}},
    {"UnclosedQuoteRunsToTheEnd", "\"a b  ", {"a b  "}},
    {"EmptyQuotedArgument", "\"\"", {""}},
    {"EmptyQuotedArgumentsBetweenOthers", "a \"\" \"\" b", {"a", "", "", "b"}},
    {"EmptyQuotedRunInsideAnArgumentAddsNothing", "a\"\"b", {"ab"}},
    {"DoubledQuoteInQuotedRunIsLiteralAndRunGoesOn", "\"a\"\"b c\"", {"a\"b c"}},
    {"FourQuotesGiveOneQuote", "\"\"\"\"", {"\""}},
    {"ThreeQuotesGiveOneQuote", "\"\"\" x", {"\" x"}},
    {"BackslashesNotBeforeQuoteAreLiteral", "a\\b\\\\c d\\", {"a\\b\\\\c", "d\\"}},
    {"OneBackslashEscapesQuote", "a\\\"b c", {"a\"b", "c"}},
    {"TwoBackslashesThenQuoteOpensRun", "a\\\\\"b c\"", {"a\\b c"}},
    {"ThreeBackslashesThenQuote", "a\\\\\\\"b", {"a\\\"b"}},
    {"FourBackslashesThenQuote", "\\\\\\\\\"x y\"", {"\\\\x y"}},
    {"EscapedQuoteInsideQuotedRun", "\"a \\\"b\\\" c\"", {"a \"b\" c"}},
    {"TrailingBackslashBeforeClosingQuote", "\"C:\\Program Files\\\\\" x",
     {"C:\\Program Files\\", "x"}},
    {"WindowsPathsKeepTheirBackslashes", "C:\\dir\\ \\\\server\\share", {"C:\\dir\\", "\\\\server\\share"}},
    {"EightBitBytesPassUnchanged", "\xe4\xf6\xfc \"\xff \x80\"", {"\xe4\xf6\xfc", "\xff \x80"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SplitCommandLineTest, testing::ValuesIn(kCases),
                         [](const auto& tc) { return std::string(tc.param.name); });

} // namespace

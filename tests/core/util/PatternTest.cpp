// The pattern engine: every syntax form compiled and matched against whole texts, the
// capture record, and the limits that keep any pattern and text bounded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Pattern.h"

namespace {

bool Matches(const char* pattern, const std::string& text, int flags = 0) {
    CPatternT compiled(pattern, flags);
    return compiled.Match(text.data(), static_cast<int>(text.size())).IsMatched() == 1;
}

struct MatchCase {
    const char* pattern;
    int flags;
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
};

void RunTable(const std::vector<MatchCase>& cases) {
    for (const auto& c : cases) {
        for (const auto& text : c.accepted) {
            EXPECT_TRUE(Matches(c.pattern, text, c.flags))
                << "pattern '" << c.pattern << "' flags " << c.flags << " should match '" << text << "'";
        }
        for (const auto& text : c.refused) {
            EXPECT_FALSE(Matches(c.pattern, text, c.flags))
                << "pattern '" << c.pattern << "' flags " << c.flags << " should not match '" << text << "'";
        }
    }
}

constexpr int CI = PATTERN_CASE_INSENSITIVE;
constexpr int RTL = PATTERN_RIGHT_TO_LEFT;
constexpr int LINES = PATTERN_LINE_ANCHORS;

TEST(PatternSyntax, LiteralsQuantifiersAndTheirReadings) {
    RunTable({
        {"", 0, {""}, {"a", " "}},
        {"abc", 0, {"abc"}, {"ab", "abcd", "ABC", " abc"}},
        {"abc", CI, {"abc", "ABC", "aBc"}, {"abd"}},
        {"abc*", 0, {"ab", "abc", "abccc"}, {"abcabc", "a"}},
        {"a**", 0, {"*", "a*", "aaa*"}, {"aa", ""}},
        {"a+", 0, {"a", "aaaa"}, {""}},
        {"a?b", 0, {"b", "ab"}, {"aab"}},
        {"a{2}", 0, {"aa"}, {"a", "aaa"}},
        {"a{2}?", 0, {"aa"}, {"a", "aaa"}},
        {"a{2}+", 0, {"aa"}, {"a", "aaa"}},
        {"a{2,}", 0, {"aa", "aaaaaa"}, {"a"}},
        {"a{2,3}", 0, {"aa", "aaa"}, {"a", "aaaa"}},
        {"a{ 2 , 3 }", 0, {"aa", "aaa"}, {"aaaa"}},
        {"a{3,1}", 0, {"aaa"}, {"a", "aa"}},  // maximum raised to the minimum
        {"a{1000}", 0, {std::string(100, 'a')}, {std::string(1000, 'a'), "a0"}},
        {"a{,5}", 0, {""}, {"a"}},
        {"a{x}", 0, {""}, {"a", "ax"}},
        {"a{0}b", 0, {"b"}, {"ab"}},
        {"*a", 0, {"*a"}, {"a"}},
        {"}", 0, {"}"}, {""}},
        {"\\.\\*\\(\\)\\[\\{\\|\\\\", 0, {".*()[{|\\"}, {}},
        {"\\t\\n\\r\\f\\v\\a\\e", 0, {"\t\n\r\f\v\a\x1b"}, {}},
        {"\\x41\\x{42}\\u0043\\u{44}\\x\\u", 0, {"ABCDxu"}, {}},
        {"\\u{263A}", 0, {":"}, {}},  // the low 8 bits
        {"a\\", 0, {"a\\"}, {"a"}},
        {"\\Q.*\\E", 0, {".*"}, {"ab", ""}},
        {"\\Q(a|b)", 0, {"(a|b)"}, {"a"}},  // quoting runs to the end
        {"\\Ua\\Eb", 0, {"Ab"}, {"ab", "AB"}},
        {"\\LAB\\E", 0, {"ab"}, {"AB"}},
        {"(?#a comment)a", 0, {"a"}, {""}},
        {"a(?#unclosed", 0, {"a"}, {}},
        {"a b # comment\nc", PATTERN_FREE_SPACING, {"abc"}, {"a b c"}},
        {"[a b]", PATTERN_FREE_SPACING, {"a", "b"}, {" "}},
        {"a b", 0, {"a b"}, {"ab"}},
        {")abc", 0, {""}, {"abc"}},  // an unmatched ')' ends the parse
        {"a)b", 0, {"a"}, {"ab"}},
        {"a|", 0, {"a", ""}, {"b"}},
        {"|b", 0, {"", "b"}, {}},
    });
}

TEST(PatternSyntax, SetsClassesAndPosixNames) {
    RunTable({
        {"[abc]", 0, {"a", "c"}, {"d", "", "ab"}},
        {"[a-f]+", 0, {"abcdef"}, {"g", "A"}},
        {"[a-f]", CI, {"a", "F"}, {"g", "G"}},
        {"[xY]", CI, {"x", "X", "y", "Y"}, {"z"}},
        {"[A-Z0]", CI, {"q", "Q", "0"}, {"1"}},
        {"[[:upper:]]", CI, {"A"}, {"a"}},
        {"[^a-c]", 0, {"d", "\n"}, {"a", "c"}},
        {"[a-]", 0, {"a", "-"}, {"b"}},
        {"[-a]", 0, {"a", "-"}, {"b"}},
        {"[a\\-]", 0, {"a", "-"}, {"b"}},
        {"[.]", 0, {"."}, {"x"}},
        {"[\\d_]", 0, {"5", "_"}, {"a"}},
        {"[^\\d]", 0, {"a"}, {"5"}},
        {"[\\w.]+", 0, {"a_1.b"}, {"a b"}},
        {"[\\s]", 0, {" ", "\t"}, {"x"}},
        {"[^]", 0, {"x", "\n"}, {""}},
        {"[]", 0, {}, {"", "]", "a"}},
        {"[z-a]", 0, {}, {"a", "z", "m"}},
        {"[\\b]", 0, {"\b"}, {"b"}},
        {"[\\A\\k]", 0, {"A", "k"}, {"\\"}},
        {"[\\x41-\\x43]", 0, {"A", "C"}, {"D"}},
        {"[ab", 0, {"a"}, {"ab"}},  // closed by the end of the pattern
        {"[\\x80-\\xff]", 0, {"\x80", "\xff"}, {"a"}},
        {"[\\x80-\\xff]", 0, {}, {"\x7f"}},
        {"[\\x01-\\xff]", 0, {}, {"\x01", "\x80"}},  // signed: 0xff orders below 0x01, an empty range
        {".", 0, {"a", "\r"}, {"\n", ""}},
        {".", PATTERN_DOT_MATCHES_NEWLINE, {"\n"}, {}},
        {"\\w\\W\\d\\D\\s\\S", 0, {"a-1x z"}, {"a-1x\fz", "a-1x\vz"}},
        {"\\s", RTL, {"\f", "\v", " "}, {"x"}},
        {"[[:digit:]]+", 0, {"0123"}, {"a"}},
        {"[[:^digit:]]", 0, {"a"}, {"1"}},
        {"[[:alpha:]_]+", 0, {"a_B"}, {"1"}},
        {"[[:bogus:]]", 0, {}, {"a", "1", ""}},
        {"[[:^bogus:]]", 0, {}, {"a"}},
        {"[[:space:]][[:blank:]][[:punct:]][[:xdigit:]]", 0, {"\v\t!F"}, {"\v\n!F"}},
        {"[[:alnum:]][[:lower:]][[:print:]][[:graph:]][[:cntrl:]][[:ascii:]]", 0, {"1a !\x01~"}, {"1a  \x01~"}},
    });
}

TEST(PatternSyntax, AnchorsAndBoundaries) {
    RunTable({
        {"^a$", 0, {"a"}, {"a\n"}},
        {"x$\n", 0, {}, {"x\n"}},
        {"x\\Z\n", 0, {"x\n"}, {}},
        {"x\\Z\r\n", 0, {"x\r\n"}, {}},
        {"\\Aa\\z", 0, {"a"}, {}},
        {"a$\n^b", LINES, {"a\nb"}, {}},
        {"a$\r\n^b", LINES, {"a\r\nb"}, {}},
        {"a$\r^b", LINES, {"a\rb"}, {}},
        {"a\r$\n", LINES, {}, {"a\r\n"}},
        {"(?m)a$\n^b", 0, {"a\nb"}, {}},
        {"\\bab\\b", 0, {"ab"}, {}},
        {"a\\Bb", 0, {"ab"}, {}},
        {"a\\bb", 0, {}, {"ab"}},
        {"a\\b-", 0, {"a-"}, {}},
        {"\\Ga", PATTERN_CONTINUATION_ANCHOR, {"a"}, {}},
        {"a\\G", PATTERN_CONTINUATION_ANCHOR, {}, {"a"}},
        {"a\\G", 0, {"a"}, {}},
        {"a(?g)\\G", 0, {}, {"a"}},
    });
}

TEST(PatternSyntax, GroupsAlternationAndInlineOptions) {
    RunTable({
        {"(a|ab)c", 0, {"abc", "ac"}, {"abbc"}},
        {"(a|b|c)+", 0, {"abcab"}, {"abd"}},
        {"((a)|b){3}", 0, {"aba", "bbb"}, {"ab"}},
        {"(?:ab)+", 0, {"abab"}, {"aba"}},
        {"(a(?i)b)c", 0, {"aBc"}, {"aBC", "ABc"}},
        {"(?i)a|b", 0, {"A", "B"}, {"c"}},
        {"a(?i)b|c", 0, {"aB", "C"}, {"AB"}},
        {"(?i:a)b", 0, {"Ab"}, {"AB"}},
        {"(?i)a(?-i)b", 0, {"Ab"}, {"AB"}},
        {"(?s:.)", 0, {"\n"}, {}},
        {"(?i)[a-c]+", 0, {"AbC"}, {"d"}},
        {"(a", 0, {"a"}, {""}},  // closed by the end
        {"(?=ab)a.", 0, {"ab"}, {"ac"}},
        {"(?!a).", 0, {"b"}, {"a"}},
        {"a(?<=a)b", 0, {"ab"}, {}},
        {"(?<=a)b", 0, {}, {"ab", "b"}},
        {"ab(?<!a)c", 0, {"abc"}, {}},
        {"ab(?<!b)c", 0, {}, {"abc"}},
        {"a(?<=xa|a)b", 0, {"ab"}, {}},
        {"(?>a|ab)c", 0, {"ac"}, {"abc"}},
        {"(?>a*)a", 0, {}, {"aaa", "a"}},
        {"a*+a", 0, {}, {"aaa", "a"}},
        {"a++b", 0, {"aab"}, {"b"}},
        {"a?+a", 0, {"aa"}, {"a"}},
        {"a*", 0, {"", "aaa"}, {"b"}},
        {"a*?", 0, {"", "aaa"}, {"b"}},
        {"a+?b", 0, {"aaab"}, {"b"}},
        {"(a|b)*?c", 0, {"ababc", "c"}, {"abab"}},
        {"a{2,3}?", 0, {"aa", "aaa"}, {"aaaa"}},
        {"(a?)*?b", 0, {"aab"}, {}},
        {"(|a)+b", 0, {"aab", "b"}, {}},
        {"(a*)*b", 0, {"aab", "b"}, {"aa"}},
    });
}

TEST(PatternSyntax, BackReferencesConditionsAndRecursion) {
    RunTable({
        {"(a)\\1", 0, {"aa"}, {"ab", "aA"}},
        {"(a)\\1", CI, {"aA", "AA"}, {"ab"}},
        {"(a)\\2", 0, {}, {"a", "aa"}},
        {"ab\\0", 0, {"abab"}, {"ab"}},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10", 0, {"abcdefghijj"}, {"abcdefghija0"}},
        {"(a)\\1234", 0, {}, {"aa234", "aa4"}},  // group 123 and a literal 4
        {"(?<x>a)\\k<x>", 0, {"aa"}, {"ab"}},
        {"(?<x>a)\\k'x'", 0, {"aa"}, {}},
        {"(?'x'a)\\g<x>", 0, {"aa"}, {}},
        {"(?P<x>a)(?P'y'b)\\k<y>\\k<x>", 0, {"abba"}, {}},
        {"(?<x>a)\\k<nope>", 0, {}, {"a", "aa"}},
        {"(?<1>a)\\1", 0, {"aa"}, {}},
        {"a\\k", 0, {"aa"}, {"a"}},  // no digit and no name: group 0
        {"([ab])\\1+", 0, {"aaa", "bb"}, {"ab"}},
        {"(a)?(?(1)b|c)", 0, {"ab", "c"}, {"b", "ac"}},
        {"(?<x>a)?(?(x)b|c)", 0, {"ab", "c"}, {"ac"}},
        {"(?(?=a)ab|cd)", 0, {"ab", "cd"}, {"ad"}},
        {"(?(?!a)cd|ab)", 0, {"ab", "cd"}, {}},
        {"(?(a)ab|cd)", 0, {"ab", "cd"}, {"ad"}},  // a name that is no group: a lookahead
        {"(?(a)ab)", 0, {"ab", ""}, {"cd"}},
        {"(?(1)a|b|c)", 0, {"b", "c"}, {"a"}},
        {"a(?R)?b", 0, {"ab", "aabb", "aaabbb"}, {"aab", "abb"}},
        {"(a(?1)?b)", 0, {"ab", "aabb"}, {"aab"}},
        {"(a(? 1)?b)", 0, {"aabb"}, {}},
        {"(?<p>x(?R<p>)?y)", 0, {"xy", "xxyy"}, {"xxy"}},
        {"a(?R 0)?b", 0, {"aabb"}, {}},
        {"a(?5)b", 0, {"ab"}, {"axb"}},  // no such group: matches the empty string
        {"a(?R<none>)b", 0, {"ab"}, {}},
        {"\\((?:[^()]|(?R))*\\)", 0, {"()", "(a(b)c)", "((()))"}, {"(()", "())"}},
    });
}

TEST(PatternSyntax, RightToLeftMatching) {
    RunTable({
        {"ab", RTL, {"ab"}, {"ba", "abc"}},
        {"a+b", RTL, {"aaab"}, {"ba"}},
        {"(a|ab)(c|bcd)", RTL, {"abcd", "ac"}, {"abd"}},
        {"\\d+x", RTL, {"123x"}, {"x"}},
        {"(a)\\1", RTL, {}, {"aa"}},  // the reference is met before its group closes
        {"\\1(a)", RTL, {"aa"}, {"ab"}},
        {"(?<=a)b", RTL, {}, {"ab", "b"}},  // the 'a' is looked at, never consumed
        {"a(?=b)b", RTL, {"ab"}, {"b"}},
        {"a*?b", RTL, {"aab"}, {}},
    });
}

// Element 2 + 2g and 3 + 2g of the record: the span of group g.
std::vector<int> Spans(const CMatchRecord& record) {
    std::vector<int> spans;
    for (int i = 2; i < record.GetSize(); ++i) spans.push_back(record[i]);
    return spans;
}

TEST(PatternMatchRecord, GroupSpansAndNumbering) {
    struct Case {
        const char* pattern;
        int flags;
        const char* text;
        int highest;
        std::vector<int> spans;
    } cases[] = {
        {"(a*)(b)", 0, "aab", 2, {0, 3, 0, 2, 2, 3}},   {"(a)|b", 0, "b", 1, {0, 1, -1, -1}},
        {"(?<x>a)(b)", 0, "ab", 2, {0, 2, 1, 2, 0, 1}}, {"(?<n>a)|(?<n>b)", 0, "b", 1, {0, 1, 0, 1}},
        {"((a)|b)+", 0, "ab", 2, {0, 2, 1, 2, 0, 1}},   {"(?=(a))a", 0, "a", 1, {0, 1, 0, 1}},
        {"(a*)(b)", RTL, "aab", 2, {0, 3, 0, 2, 2, 3}}, {"(?<3>a)", 0, "a", 3, {0, 1, -1, -1, -1, -1, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CPatternT pattern(c.pattern, c.flags);
        const CMatchRecord record = pattern.Match(c.text);
        ASSERT_EQ(record.IsMatched(), 1);
        EXPECT_EQ(record[1], c.highest);
        EXPECT_EQ(Spans(record), c.spans);
    }
    CPatternT pattern("(a)b");
    EXPECT_EQ(pattern.Match("ac").GetSize(), 0);
    EXPECT_EQ(pattern.Match("ac").IsMatched(), 0);
}

TEST(PatternObject, WithoutRootNothingMatchesAndRecompilingReplaces) {
    CPatternT empty;
    EXPECT_EQ(empty.Match("").IsMatched(), 0);
    CPatternT pattern("a+");
    EXPECT_EQ(pattern.Match("aa").IsMatched(), 1);
    pattern.Compile("b", 1);
    EXPECT_EQ(pattern.Match("aa").IsMatched(), 0);
    EXPECT_EQ(pattern.Match("b").IsMatched(), 1);
    pattern.Compile("ab\0c", 4);  // an explicit length takes a NUL as a literal
    EXPECT_EQ(pattern.Match(std::string("ab\0c", 4).data(), 4).IsMatched(), 1);
    pattern.Compile(nullptr, 0);
    EXPECT_EQ(pattern.Match("").IsMatched(), 0);
    pattern.Compile("a", 1);
    pattern.Clear();
    EXPECT_EQ(pattern.Match("a").IsMatched(), 0);
    EXPECT_EQ(CPatternT("a").Match(nullptr).IsMatched(), 0);
}

TEST(PatternObject, SuppliedStateIsResetForEachMatch) {
    CPatternT pattern("(a|b)+c");
    CMatchState state;
    EXPECT_EQ(pattern.Match("abx", 3, &state).IsMatched(), 0);
    EXPECT_EQ(pattern.Match("abc", 3, &state).IsMatched(), 1);
    EXPECT_EQ(pattern.Match("c", 1, &state).IsMatched(), 0);
}

TEST(PatternLimits, CatastrophicBacktrackingIsCutOffAsNoMatch) {
    // A counted repeat retries every combination of its instances: 2^40 here.
    CPatternT pattern("(a|a){40}b");
    CMatchState state;
    EXPECT_EQ(pattern.Match(std::string(40, 'a').data(), 40, &state).IsMatched(), 0);
    EXPECT_TRUE(state.m_bAborted);
    EXPECT_LE(state.m_nSteps, CMatchState::kMaxSteps + 1);
    // the same pattern on a text it matches is decided without reaching the limit
    const std::string text = std::string(40, 'a') + "b";
    EXPECT_EQ(pattern.Match(text.data(), 41, &state).IsMatched(), 1);
    EXPECT_FALSE(state.m_bAborted);
}

TEST(PatternLimits, RecursionWithoutProgressEndsWithoutOverflow) {
    for (const char* text : {"(?R)", "a|(?R)", "(?R)*", "(a(?1))", "((?2))((?1))", "(?R)?b"}) {
        SCOPED_TRACE(text);
        CPatternT pattern(text);
        CMatchState state;
        EXPECT_EQ(pattern.Match("b", 1, &state).IsMatched(), 0);
    }
}

TEST(PatternLimits, DeepNestingCompilesWithinTheLimitAndRefusesBeyond) {
    const std::string shallow = std::string(150, '(') + "a" + std::string(150, ')');
    EXPECT_TRUE(Matches(shallow.c_str(), "a"));
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    CPatternT pattern(deep.c_str());
    EXPECT_EQ(pattern.Match("a").IsMatched(), 0);
    const std::string deepLookaheads = [] {
        std::string p;
        for (int i = 0; i < 50000; ++i) p += "(?=";
        return p + "a";
    }();
    EXPECT_EQ(CPatternT(deepLookaheads.c_str()).Match("a").IsMatched(), 0);
}

TEST(PatternLimits, LongTextsOfSimpleRepeatsStillMatch) {
    const std::string text(100000, 'a');
    EXPECT_TRUE(Matches("a*", text));
    EXPECT_TRUE(Matches("[a-z]+", text));
    EXPECT_TRUE(Matches("(a|b)*", text));
    EXPECT_TRUE(Matches("a*?", text));
    EXPECT_FALSE(Matches("a*b", text));
}

}  // namespace

#include "../ErrorMessage.h"

#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using Kv::ArgumentError;
using Kv::CommandLine;

std::vector<std::string> texts(const std::string& line) {
    std::vector<std::string> result;
    for (const CommandLine::Word& word : CommandLine::split(line))
        result.push_back(word.text);
    return result;
}

// The message of the ArgumentError `read` throws, or "" when it throws none.
std::string errorOf(const std::function<void()>& read) {
    return Kv::Tests::errorMessageOf<ArgumentError>(read);
}

using Words = std::vector<std::string>;

TEST(CommandLineSplit, BlanksSeparateWordsAndCommentsEndTheLine) {
    EXPECT_EQ(texts("  line\t1 2  0\r"), (Words{"line", "1", "2", "0"}));
    EXPECT_EQ(texts("point 1 2 3 # the origin, nearly"), (Words{"point", "1", "2", "3"}));
    EXPECT_TRUE(texts("# only a comment").empty());
    EXPECT_TRUE(texts("   ").empty());
    // A '#' inside a word belongs to it: that is how unnamed entities are named.
    EXPECT_EQ(texts("get Sketches/Line3D#2"), (Words{"get", "Sketches/Line3D#2"}));
}

TEST(CommandLineSplit, QuotesKeepBlanksAndUnderstandTwoEscapes) {
    EXPECT_EQ(texts(R"(sketch "Sketch 1" origin)"), (Words{"sketch", "Sketch 1", "origin"}));
    EXPECT_EQ(texts(R"(text "say \"hi\"" "C:\\dir")"), (Words{"text", R"(say "hi")", R"(C:\dir)"}));
    // Other backslashes stay as written, so paths and patterns survive.
    EXPECT_EQ(texts(R"(text "a\nb")"), (Words{"text", R"(a\nb)"}));
    EXPECT_EQ(texts(R"(text "# not a comment")"), (Words{"text", "# not a comment"}));
    EXPECT_EQ(texts(R"(rename x "")"), (Words{"rename", "x", ""}));
    EXPECT_EQ(texts(R"(get "OriginWorkGeometry/XY Plane"/Axis)"),
              (Words{"get", "OriginWorkGeometry/XY Plane/Axis"}));

    const auto words = CommandLine::split(R"(use "origin" origin)");
    EXPECT_TRUE(words[1].quoted);
    EXPECT_FALSE(words[2].quoted);
}

TEST(CommandLineSplit, UnclosedQuoteIsAnError) {
    EXPECT_NE(errorOf([] { CommandLine::split(R"(text "Hello world)"); }), "");
    EXPECT_NE(errorOf([] { CommandLine::split(R"(text "ends in an escape\")"); }), "");
}

TEST(CommandLineNumbers, DecimalFormsAreNumbersAndNothingElseIs) {
    EXPECT_EQ(CommandLine::parseNumber("1"), 1.0);
    EXPECT_EQ(CommandLine::parseNumber("-2.5"), -2.5);
    EXPECT_EQ(CommandLine::parseNumber("1e-3"), 1e-3);
    EXPECT_EQ(CommandLine::parseNumber("+4"), 4.0);
    EXPECT_EQ(CommandLine::parseNumber(".5"), 0.5);
    for (const char* bad : {"", "abc", "1.5x", "1,5", "0x10", "nan", "inf", "1e999", "+-1", "-"})
        EXPECT_FALSE(CommandLine::parseNumber(bad)) << bad;

    EXPECT_EQ(CommandLine::parseInteger("42"), 42);
    EXPECT_EQ(CommandLine::parseInteger("-7"), -7);
    for (const char* bad : {"1.0", "1e2", "", "x", "99999999999999999999"})
        EXPECT_FALSE(CommandLine::parseInteger(bad)) << bad;
}

TEST(CommandLineNumbers, AnglesAreRadiansOrDegreesWithSuffix) {
    EXPECT_DOUBLE_EQ(*CommandLine::parseAngle("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(*CommandLine::parseAngle("90deg"), M_PI / 2);
    EXPECT_DOUBLE_EQ(*CommandLine::parseAngle("-45deg"), -M_PI / 4);
    EXPECT_DOUBLE_EQ(*CommandLine::parseAngle("1.8e2deg"), M_PI);
    for (const char* bad : {"deg", "90 deg", "90degree", "90rad", "ninetydeg"})
        EXPECT_FALSE(CommandLine::parseAngle(bad)) << bad;
}

TEST(CommandLineArguments, ReadInOrderAfterTheName) {
    CommandLine args(R"(circle 1 2 -3 2.5 normal 0 0 1 true 30deg "my word" 7 extra)");
    EXPECT_EQ(args.name(), "circle");
    EXPECT_EQ(args.remaining(), 13u);
    const ZkGePoint3d center = args.point3("CENTER");
    EXPECT_EQ(center, ZkGePoint3d(1, 2, -3));
    EXPECT_EQ(args.number("R"), 2.5);
    const auto normal = args.optionalVector3("normal");
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->z, 1.0);
    EXPECT_TRUE(args.boolean("FIXED"));
    EXPECT_DOUBLE_EQ(args.angle("A"), M_PI / 6);
    EXPECT_EQ(args.word("NAME"), "my word");
    EXPECT_EQ(args.integer("N", 1, 10), 7);
    EXPECT_EQ(args.peek()->text, "extra");
    EXPECT_NE(errorOf([&] { args.expectEnd(); }), "");
    EXPECT_EQ(args.rest(), (Words{"extra"}));
    EXPECT_TRUE(args.atEnd());
    args.expectEnd();
}

TEST(CommandLineArguments, KeywordGroupsComeInAnyOrderAndQuotedWordsAreNoKeywords) {
    CommandLine args(R"(sketch zaxis 0 0 1 origin 1 1 1 "origin")");
    std::vector<std::string> seen;
    while (auto keyword = args.keyword({"origin", "xaxis", "zaxis"})) {
        args.point3(*keyword);
        seen.push_back(*keyword);
    }
    EXPECT_EQ(seen, (Words{"zaxis", "origin"}));
    EXPECT_FALSE(args.keyword("origin"));
    EXPECT_FALSE(args.optionalPoint3("origin"));
    EXPECT_EQ(args.word("NAME"), "origin");

    CommandLine list("spline 0 0 0 1 1 0 closed");
    int points = 0;
    while (list.nextIsNumber()) {
        list.point3("P");
        ++points;
    }
    EXPECT_EQ(points, 2);
    EXPECT_TRUE(list.keyword("closed"));
}

TEST(CommandLineArguments, ErrorsNameTheArgumentWhatWasExpectedAndWhatCame) {
    CommandLine args("cmd abc");
    EXPECT_EQ(errorOf([&] { args.number("X"); }), "expected a number for X, got 'abc'");
    EXPECT_EQ(errorOf([&] { args.number("Y"); }), "expected a number for Y, got nothing");

    CommandLine point("cmd 1 2 z");
    EXPECT_EQ(errorOf([&] { point.point3("CENTER"); }),
              "expected a number for CENTER (z), got 'z'");
    CommandLine shortPoint("cmd 1");
    EXPECT_EQ(errorOf([&] { shortPoint.point2("P"); }), "expected a number for P (y), got nothing");

    CommandLine flags("cmd yes 0 1.5 12deg? ");
    EXPECT_EQ(errorOf([&] { flags.boolean("VISIBLE"); }),
              "expected true or false for VISIBLE, got 'yes'");
    EXPECT_EQ(errorOf([&] { flags.integer("N", 1); }),
              "expected an integer of at least 1 for N, got '0'");
    EXPECT_EQ(errorOf([&] { flags.integer("INDEX"); }), "expected an integer for INDEX, got '1.5'");
    EXPECT_NE(errorOf([&] { flags.angle("A"); }).find("for A, got '12deg?'"), std::string::npos);
    EXPECT_EQ(errorOf([&] { flags.path("PATH"); }), "expected a path for PATH, got nothing");
}

} // namespace

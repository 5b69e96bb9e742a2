#pragma once

#include "ZkGePoint2d.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector3d.h"

#include <climits>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Wyn::Scene {
class View;
}

namespace Kv {

// One command line split into words, and typed readers of its arguments that
// throw ArgumentError naming the argument, so commands need no checks of their own.
class CommandLine {
public:
    struct Word {
        std::string text;
        // Written (at least partly) in double quotes: such a word is never
        // taken for a keyword, so a quoted "origin" can still be a name.
        bool quoted = false;
    };

    // Blanks separate words; a `#` at the start of a word starts a comment
    // (so `Line3D#2` stays one word); double quotes keep blanks in a word and
    // understand \" and \\. Throws ArgumentError for an unclosed quote.
    static std::vector<Word> split(std::string_view line);

    explicit CommandLine(std::string_view line);
    explicit CommandLine(std::vector<Word> words);

    // Nothing but blanks and comments.
    bool empty() const { return m_words.empty(); }
    // The first word, or "" for an empty line.
    const std::string& name() const;
    const std::vector<Word>& words() const { return m_words; }

    // The arguments, read in order after the name.
    bool atEnd() const { return m_next >= m_words.size(); }
    size_t remaining() const { return atEnd() ? 0 : m_words.size() - m_next; }
    // The next word without reading it, or null at the end.
    const Word* peek() const { return atEnd() ? nullptr : &m_words[m_next]; }
    // Whether the next word reads as a number (for lists of points of any length).
    bool nextIsNumber() const;

    // Reads the next word when it is the unquoted `keyword`.
    bool keyword(std::string_view keyword);
    // Reads the next word when it is one of `keywords` (unquoted) and says which.
    std::optional<std::string> keyword(std::initializer_list<std::string_view> keywords);

    std::string word(const std::string& what);
    std::string path(const std::string& what);
    double number(const std::string& what);
    long long integer(const std::string& what, long long min = LLONG_MIN,
                      long long max = LLONG_MAX);
    // Radians, or degrees with the suffix `deg` (`90deg`); returns radians.
    double angle(const std::string& what);
    bool boolean(const std::string& what);
    ZkGePoint3d point3(const std::string& what);
    ZkGeVector3d vector3(const std::string& what);
    ZkGePoint2d point2(const std::string& what);
    // A named view: top, front, right or iso.
    Wyn::Scene::View view(const std::string& what);
    // `keyword X Y Z` when the next word is `keyword`, nothing otherwise.
    std::optional<ZkGePoint3d> optionalPoint3(std::string_view keyword);
    std::optional<ZkGeVector3d> optionalVector3(std::string_view keyword);
    // Every word not read yet.
    std::vector<std::string> rest();
    // Throws when words are left over: a typo there must not be ignored.
    void expectEnd() const;

    // The readers' rules for one word of text.
    static std::optional<double> parseNumber(std::string_view text);
    static std::optional<long long> parseInteger(std::string_view text);
    static std::optional<double> parseAngle(std::string_view text);

private:
    [[noreturn]] static void fail(const std::string& expected, const std::string& what,
                                  const Word* got);
    // The next word, read; throws naming `expected` at the end of the line.
    const Word& take(const std::string& expected, const std::string& what);

    std::vector<Word> m_words;
    size_t m_next = 1;
};

} // namespace Kv

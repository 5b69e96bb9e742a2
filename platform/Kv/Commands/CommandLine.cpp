#include "Kv/Commands/CommandLine.h"

#include "Kv/Commands/ArgumentError.h"
#include "Wyn/Scene/View.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace Kv {
namespace {

constexpr double pi = 3.14159265358979323846;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// from_chars rejects a leading '+', which people write naturally.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

const std::string& emptyName() {
    static const std::string empty;
    return empty;
}

} // namespace

std::vector<CommandLine::Word> CommandLine::split(std::string_view line) {
    std::vector<Word> words;
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && isBlank(line[i]))
            ++i;
        if (i == n || line[i] == '#')
            break;
        Word word;
        while (i < n && !isBlank(line[i])) {
            if (line[i] != '"') {
                word.text += line[i++];
                continue;
            }
            word.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const char c = line[i];
                if (c == '\\' && i + 1 < n && (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    word.text += line[i + 1];
                    i += 2;
                } else if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word.text += c;
                    ++i;
                }
            }
            if (!closed)
                throw ArgumentError("unclosed double quote in '" + std::string(line) + "'");
        }
        words.push_back(std::move(word));
    }
    return words;
}

CommandLine::CommandLine(std::string_view line)
    : m_words(split(line)) {}

CommandLine::CommandLine(std::vector<Word> words)
    : m_words(std::move(words)) {}

const std::string& CommandLine::name() const {
    return m_words.empty() ? emptyName() : m_words.front().text;
}

std::optional<double> CommandLine::parseNumber(std::string_view text) {
    text = withoutPlus(text);
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> CommandLine::parseInteger(std::string_view text) {
    text = withoutPlus(text);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<double> CommandLine::parseAngle(std::string_view text) {
    constexpr std::string_view degrees = "deg";
    if (text.size() > degrees.size() && text.substr(text.size() - degrees.size()) == degrees) {
        const auto value = parseNumber(text.substr(0, text.size() - degrees.size()));
        if (!value)
            return std::nullopt;
        return *value * (pi / 180.0);
    }
    return parseNumber(text);
}

void CommandLine::fail(const std::string& expected, const std::string& what, const Word* got) {
    throw ArgumentError("expected " + expected + " for " + what + ", got " +
                        (got ? "'" + got->text + "'" : std::string("nothing")));
}

const CommandLine::Word& CommandLine::take(const std::string& expected, const std::string& what) {
    if (atEnd())
        fail(expected, what, nullptr);
    return m_words[m_next++];
}

bool CommandLine::nextIsNumber() const {
    const Word* next = peek();
    return next && parseNumber(next->text).has_value();
}

bool CommandLine::keyword(std::string_view keyword) {
    const Word* next = peek();
    if (!next || next->quoted || next->text != keyword)
        return false;
    ++m_next;
    return true;
}

std::optional<std::string> CommandLine::keyword(std::initializer_list<std::string_view> keywords) {
    for (std::string_view candidate : keywords)
        if (keyword(candidate))
            return std::string(candidate);
    return std::nullopt;
}

std::string CommandLine::word(const std::string& what) {
    return take("a word", what).text;
}

std::string CommandLine::path(const std::string& what) {
    return take("a path", what).text;
}

double CommandLine::number(const std::string& what) {
    const Word& word = take("a number", what);
    const auto value = parseNumber(word.text);
    if (!value)
        fail("a number", what, &word);
    return *value;
}

long long CommandLine::integer(const std::string& what, long long min, long long max) {
    std::string expected = "an integer";
    if (min != LLONG_MIN && max != LLONG_MAX)
        expected += " from " + std::to_string(min) + " to " + std::to_string(max);
    else if (min != LLONG_MIN)
        expected += " of at least " + std::to_string(min);
    else if (max != LLONG_MAX)
        expected += " of at most " + std::to_string(max);
    const Word& word = take(expected, what);
    const auto value = parseInteger(word.text);
    if (!value || *value < min || *value > max)
        fail(expected, what, &word);
    return *value;
}

double CommandLine::angle(const std::string& what) {
    static const std::string expected = "an angle (radians, or degrees with the suffix deg)";
    const Word& word = take(expected, what);
    const auto value = parseAngle(word.text);
    if (!value)
        fail(expected, what, &word);
    return *value;
}

bool CommandLine::boolean(const std::string& what) {
    const Word& word = take("true or false", what);
    if (word.text == "true")
        return true;
    if (word.text == "false")
        return false;
    fail("true or false", what, &word);
}

Wyn::Scene::View CommandLine::view(const std::string& what) {
    static const std::string expected = "a view (top, front, right or iso)";
    const Word& word = take(expected, what);
    try {
        return Wyn::Scene::View::named(word.text);
    } catch (const std::invalid_argument&) {
        fail(expected, what, &word);
    }
}

ZkGePoint3d CommandLine::point3(const std::string& what) {
    ZkGePoint3d point;
    point.x = number(what + " (x)");
    point.y = number(what + " (y)");
    point.z = number(what + " (z)");
    return point;
}

ZkGeVector3d CommandLine::vector3(const std::string& what) {
    const ZkGePoint3d p = point3(what);
    return ZkGeVector3d(p.x, p.y, p.z);
}

ZkGePoint2d CommandLine::point2(const std::string& what) {
    ZkGePoint2d point;
    point.x = number(what + " (x)");
    point.y = number(what + " (y)");
    return point;
}

std::optional<ZkGePoint3d> CommandLine::optionalPoint3(std::string_view name) {
    if (!keyword(name))
        return std::nullopt;
    return point3(std::string(name));
}

std::optional<ZkGeVector3d> CommandLine::optionalVector3(std::string_view name) {
    if (!keyword(name))
        return std::nullopt;
    return vector3(std::string(name));
}

std::vector<std::string> CommandLine::rest() {
    std::vector<std::string> words;
    for (; !atEnd(); ++m_next)
        words.push_back(m_words[m_next].text);
    return words;
}

void CommandLine::expectEnd() const {
    if (const Word* next = peek())
        throw ArgumentError("unexpected '" + next->text + "' after the arguments of " + name());
}

} // namespace Kv

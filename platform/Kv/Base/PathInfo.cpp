#include "Kv/Base/PathInfo.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <system_error>

namespace Kv {
namespace {

constexpr char separator = '/';
constexpr const char* defaultLanguage = "en-US";

struct State {
    std::mutex mutex;
    std::string root;     // empty: the default
    std::string language; // empty: the default
};

State& state() {
    static State s;
    return s;
}

// "/" stays "/": stripping it would turn the file system root into "".
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == separator)
        path.pop_back();
    return path;
}

std::string withSeparator(std::string path, bool trailing) {
    path = withoutTrailingSeparators(std::move(path));
    if (trailing && (path.empty() || path.back() != separator))
        path.push_back(separator);
    return path;
}

bool isUsableLanguage(const std::string& language) {
    return !language.empty() && language != "." && language != ".." &&
           language.find(separator) == std::string::npos;
}

std::string defaultRoot() {
    std::filesystem::path root =
        std::filesystem::path(PathInfo::executableDirectory()) / ".." / "root";
    return root.lexically_normal().string();
}

} // namespace

std::string PathInfo::executableDirectory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

std::string PathInfo::rootDirectory(bool withTrailingSeparator) {
    std::string root;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        root = state().root;
    }
    if (root.empty())
        root = defaultRoot();
    return withSeparator(std::move(root), withTrailingSeparator);
}

void PathInfo::setRootDirectory(const std::string& path) {
    std::lock_guard<std::mutex> lock(state().mutex);
    state().root = withoutTrailingSeparators(path);
}

std::string PathInfo::language() {
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        if (!state().language.empty())
            return state().language;
    }
    // Read on every call rather than cached, so a test or an embedding host
    // can change the environment before asking.
    const char* fromEnvironment = std::getenv("KV_LANG");
    if (fromEnvironment && isUsableLanguage(fromEnvironment))
        return fromEnvironment;
    return defaultLanguage;
}

void PathInfo::setLanguage(const std::string& language) {
    if (!language.empty() && !isUsableLanguage(language))
        throw std::invalid_argument("invalid language tag '" + language + "'");
    std::lock_guard<std::mutex> lock(state().mutex);
    state().language = language;
}

std::string PathInfo::localizationDirectory(bool withTrailingSeparator) {
    return withSeparator(join(join(rootDirectory(), "Localization"), language()),
                         withTrailingSeparator);
}

std::string PathInfo::join(const std::string& base, const std::string& relative) {
    if (base.empty())
        return relative;
    if (relative.empty())
        return base;
    if (relative.front() == separator)
        return relative;
    return withSeparator(base, true) + relative;
}

} // namespace Kv

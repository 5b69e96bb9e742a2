#pragma once

#include <string>

namespace Kv {

// Where the application's runtime files live: the root directory that holds
// Server/, Localization/ and the add-in libraries, and the user's language.
// Paths are UTF-8 and use '/' as separator.
class PathInfo {
public:
    // The application root, with no trailing separator unless asked for.
    // Unless set, it is <directory of the executable>/../root, which is how
    // the build lays things out (build/bin/kvgeo next to build/root/).
    static std::string rootDirectory(bool withTrailingSeparator = false);
    // An empty path goes back to the default.
    static void setRootDirectory(const std::string& path);

    // The language tag used to find localized files, e.g. "en-US". Unless
    // set, it is the environment's KV_LANG, or "en-US" when that is unset.
    static std::string language();
    // An empty tag goes back to the default. Throws std::invalid_argument for
    // a tag that could leave the localization directory (one with a '/').
    static void setLanguage(const std::string& language);

    // <root>/Localization/<language>
    static std::string localizationDirectory(bool withTrailingSeparator = false);

    // `base` and `relative` with exactly one separator between them. An
    // absolute `relative` is returned as it is, and an empty side yields the
    // other, so a configured path may be either relative to a base or absolute.
    static std::string join(const std::string& base, const std::string& relative);

    // The directory holding the running executable.
    static std::string executableDirectory();
};

} // namespace Kv

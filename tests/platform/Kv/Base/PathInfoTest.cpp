#include "Kv/Base/PathInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace {

using Kv::PathInfo;

// PathInfo is process-wide: every test leaves it and KV_LANG as it found them.
class PathInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* lang = std::getenv("KV_LANG");
        m_hadLang = lang != nullptr;
        if (lang)
            m_lang = lang;
        unsetenv("KV_LANG");
    }
    void TearDown() override {
        PathInfo::setRootDirectory("");
        PathInfo::setLanguage("");
        if (m_hadLang)
            setenv("KV_LANG", m_lang.c_str(), 1);
        else
            unsetenv("KV_LANG");
    }

private:
    bool m_hadLang = false;
    std::string m_lang;
};

TEST_F(PathInfoTest, JoinPutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(PathInfo::join("a", "b"), "a/b");
    EXPECT_EQ(PathInfo::join("a/", "b/c"), "a/b/c");
    EXPECT_EQ(PathInfo::join("a//", "b"), "a/b");
    EXPECT_EQ(PathInfo::join("/", "b"), "/b");
    EXPECT_EQ(PathInfo::join("", "b"), "b");
    EXPECT_EQ(PathInfo::join("a", ""), "a");
    // A configured absolute path is taken as it is.
    EXPECT_EQ(PathInfo::join("/opt/kv", "/usr/lib/x.so"), "/usr/lib/x.so");
}

TEST_F(PathInfoTest, RootHasTrailingSeparatorOnlyWhenAsked) {
    PathInfo::setRootDirectory("/srv/kv//");
    EXPECT_EQ(PathInfo::rootDirectory(false), "/srv/kv");
    EXPECT_EQ(PathInfo::rootDirectory(true), "/srv/kv/");
    PathInfo::setRootDirectory("/");
    EXPECT_EQ(PathInfo::rootDirectory(false), "/");
    EXPECT_EQ(PathInfo::rootDirectory(true), "/");
}

TEST_F(PathInfoTest, DefaultRootIsTheBuildsRuntimeRoot) {
    // The test program sits in bin/ beside the runtime root, like kvgeo.
    PathInfo::setRootDirectory("/elsewhere");
    PathInfo::setRootDirectory("");
    EXPECT_EQ(PathInfo::rootDirectory(), KV_RUNTIME_ROOT);
}

TEST_F(PathInfoTest, LanguageComesFromSettingThenEnvironmentThenDefault) {
    EXPECT_EQ(PathInfo::language(), "en-US");
    setenv("KV_LANG", "fr-FR", 1);
    EXPECT_EQ(PathInfo::language(), "fr-FR");
    PathInfo::setLanguage("de-DE");
    EXPECT_EQ(PathInfo::language(), "de-DE");
    PathInfo::setLanguage("");
    EXPECT_EQ(PathInfo::language(), "fr-FR");
    // A tag that would lead out of the localization folder is refused.
    setenv("KV_LANG", "../etc", 1);
    EXPECT_EQ(PathInfo::language(), "en-US");
    EXPECT_THROW(PathInfo::setLanguage("../etc"), std::invalid_argument);
    EXPECT_THROW(PathInfo::setLanguage(".."), std::invalid_argument);
}

TEST_F(PathInfoTest, LocalizationDirectoryFollowsRootAndLanguage) {
    PathInfo::setRootDirectory("/srv/kv/");
    PathInfo::setLanguage("de-DE");
    EXPECT_EQ(PathInfo::localizationDirectory(false), "/srv/kv/Localization/de-DE");
    EXPECT_EQ(PathInfo::localizationDirectory(true), "/srv/kv/Localization/de-DE/");
}

} // namespace

#include "Kv/Base/XmlError.h"
#include "Kv/Scene/EnvironmentEventSite.h"
#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/EnvironmentManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace Kv::Scene;
namespace fs = std::filesystem;

// A theme directory of its own per test.
class ThemeDirectory {
public:
    explicit ThemeDirectory(const std::string& name)
        : m_path(fs::path(testing::TempDir()) / ("themes-" + name)) {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~ThemeDirectory() { fs::remove_all(m_path); }

    std::string write(const std::string& file, const std::string& text) const {
        const fs::path path = m_path / file;
        std::ofstream(path) << text;
        return path.string();
    }
    std::string path() const { return m_path.string(); }

private:
    fs::path m_path;
};

// Puts the process's environments back as the runtime root has them.
class EnvironmentTest : public testing::Test {
protected:
    void TearDown() override {
        EnvironmentManager::getEnvManager().load(EnvironmentManager::defaultDirectory());
    }
};

class Listener : public EnvironmentEventSite {
public:
    explicit Listener(std::vector<std::string>& heard, std::string name)
        : m_heard(heard)
        , m_name(std::move(name)) {
        EnvironmentEventSource::subscribe(this);
    }
    void activeEnvironmentChanged(Event* event) override {
        m_heard.push_back(m_name + ":" + event->previousName() + "->" +
                          event->environment()->name());
    }

private:
    std::vector<std::string>& m_heard;
    std::string m_name;
};

TEST_F(EnvironmentTest, TheShippedThemeIsActiveAtStart) {
    EnvironmentManager& manager = EnvironmentManager::getEnvManager();
    Environment* active = manager.activeEnvironment();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->name(), "Default");
    const Environment shipped =
        Environment::load(std::string(KV_RUNTIME_ROOT) + "/Environments/Default.xml");
    for (const std::string& name : shipped.colorNames())
        EXPECT_EQ(active->color(name), shipped.color(name)) << name;
    // Colours arrive alpha first and turn into (red, green, blue, alpha).
    const ArgbColor& plane = active->workPlaneColor();
    EXPECT_LT(plane[0], 1.0f) << "work planes are translucent";
    EXPECT_EQ(Kv::Color::fromArgb(plane), Kv::Color(plane[1], plane[2], plane[3], plane[0]));
    EXPECT_EQ(plane.toColor(), Kv::Color::fromArgb(plane));
}

TEST_F(EnvironmentTest, ThemeFilesOverrideTheBuiltInColours) {
    ThemeDirectory themes("override");
    themes.write("Default.xml", R"(<Environment name="Default">
        <Color name="sketchLineColor" argb="1 0.5 0.25 0"/>
        <Color name="gridColor" argb="0.5 0 0 0"/>
      </Environment>)");
    themes.write("Night.xml", R"(<Environment name="Night">
        <Color name="backgroundColor" argb="1 0 0 0.1"/>
      </Environment>)");
    themes.write("notes.txt", "not a theme");
    EnvironmentManager& manager = EnvironmentManager::getEnvManager();
    manager.load(themes.path());
    EXPECT_EQ(manager.environmentNames(), (std::vector<std::string>{"Default", "Night"}));
    const Environment* active = manager.activeEnvironment();
    EXPECT_EQ(active->sketchLineColor(), ArgbColor(1, 0.5f, 0.25f, 0));
    EXPECT_EQ(active->color("gridColor"), ArgbColor(0.5f, 0, 0, 0)) << "extra colours are kept";
    EXPECT_EQ(active->workAxisColor(), Environment("x").workAxisColor())
        << "colours a theme leaves out keep their built-in values";
    EXPECT_THROW(active->color("noSuchColor"), std::out_of_range);

    // Without a theme directory there is still the built-in environment.
    manager.load(themes.path() + "/missing");
    EXPECT_EQ(manager.environmentNames(), (std::vector<std::string>{"Default"}));
    EXPECT_EQ(manager.activeEnvironment()->sketchFixedLineColor(), ArgbColor(1, 0, 0.4f, 0));
}

TEST_F(EnvironmentTest, BrokenThemesAreReportedWithFileAndLine) {
    ThemeDirectory themes("broken");
    const std::string file = themes.write("Default.xml", "<Environment name=\"Default\">\n"
                                                         "  <Color name=\"a\" argb=\"1 0 0\"/>\n"
                                                         "</Environment>\n");
    try {
        Environment::load(file);
        FAIL() << "a colour of three numbers was accepted";
    } catch (const Kv::XmlError& e) {
        EXPECT_EQ(e.file(), file);
        EXPECT_EQ(e.line(), 2);
        EXPECT_NE(e.reason().find("four numbers"), std::string::npos) << e.reason();
    }
    themes.write("Default.xml", "<Environment name=\"Default\"><Color name=\"a\" argb=\"1 2 0 0\"/>"
                                "</Environment>");
    EXPECT_THROW(Environment::load(file), Kv::XmlError) << "out of range";
    themes.write("Default.xml", "<Theme name=\"Default\"/>");
    EXPECT_THROW(Environment::load(file), Kv::XmlError);
    themes.write("Default.xml", "<Environment name=\"Default\"><Color argb=\"1 0 0 0\"/>");
    EXPECT_THROW(Environment::load(file), Kv::XmlError) << "not well-formed";

    // A failed load leaves the environments as they were.
    EnvironmentManager& manager = EnvironmentManager::getEnvManager();
    const ArgbColor before = manager.activeEnvironment()->sketchLineColor();
    EXPECT_THROW(manager.load(themes.path()), Kv::XmlError);
    EXPECT_EQ(manager.activeEnvironment()->sketchLineColor(), before);
}

TEST_F(EnvironmentTest, SwitchingTheActiveEnvironmentTellsSubscribers) {
    EnvironmentManager& manager = EnvironmentManager::getEnvManager();
    Environment night("Night");
    night.color("sketchLineColor", ArgbColor(1, 1, 1, 1));
    manager.addEnvironment(night);

    std::vector<std::string> heard;
    Listener first(heard, "first");
    Listener second(heard, "second");
    manager.activeEnvironment("Night");
    EXPECT_EQ(heard, (std::vector<std::string>{"first:Default->Night", "second:Default->Night"}));
    EXPECT_EQ(manager.activeEnvironment()->sketchLineColor(), ArgbColor(1, 1, 1, 1));

    heard.clear();
    manager.activeEnvironment("Night");
    EXPECT_TRUE(heard.empty()) << "no change, no event";

    EXPECT_THROW(manager.activeEnvironment("Nowhere"), std::invalid_argument);
    EXPECT_EQ(manager.activeEnvironment()->name(), "Night");
    EXPECT_TRUE(heard.empty());

    // Replacing the active environment's colours counts as a change.
    manager.addEnvironment(Environment("Night"));
    EXPECT_EQ(heard, (std::vector<std::string>{"first:Night->Night", "second:Night->Night"}));
}

} // namespace

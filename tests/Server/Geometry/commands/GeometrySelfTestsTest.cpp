// The add-in's self tests through `selftest`: they pass on a working build,
// leave the open document and the temporary directory as they were, and go
// away with the add-in's commands.

#include "CommandTestSession.h"

#include "Geometry/commands/GeometryCommandProvider.h"
#include "Kv/Commands/SelfTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace Kv::Geometry::CommandTests {
namespace {

std::vector<std::string> scratchFiles() {
    const std::string prefix = "kvgeo-selftest-" + std::to_string(::getpid()) + "-";
    std::vector<std::string> found;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path().string());
    return found;
}

TEST(GeometrySelfTests, PassWithoutTouchingTheOpenDocument) {
    CommandTestSession kvgeo;
    kvgeo.run("sketch Mine");
    kvgeo.run("line 0 0 0 1 1 0");
    const std::string listing = kvgeo.run("ls -a");

    EXPECT_EQ(kvgeo.run("selftest"), "passed\tgeometry.configuration\n"
                                     "passed\tgeometry.persistence\n"
                                     "passed\tgeometry.undo\n"
                                     "3 passed, 0 failed\n");
    EXPECT_EQ(kvgeo.run("ls -a"), listing);
    EXPECT_EQ(kvgeo.run("use ."), "") << "the current sketch is still the user's";
    kvgeo.run("undo");
    EXPECT_EQ(kvgeo.run("ls Sketches/Mine"), "") << "undo still reaches the user's last command";
    EXPECT_TRUE(scratchFiles().empty());
}

TEST(GeometrySelfTests, LeaveWithTheAddInsCommands) {
    CommandTestSession kvgeo;
    ASSERT_EQ(kvgeo.commands.selfTests().size(), 3u);
    GeometryCommandProvider::instance().unregisterCommands(kvgeo.commands);
    EXPECT_TRUE(kvgeo.commands.selfTests().empty());
    EXPECT_EQ(kvgeo.commands.find("line"), nullptr);
}

} // namespace
} // namespace Kv::Geometry::CommandTests

#include "Kv/DataModel/IRenameTarget.h"

#include <gtest/gtest.h>

#include <set>

namespace Kv::DataModel {
namespace {

// A target whose siblings' names are a set, recording what it was asked.
class Named : public IRenameTarget {
public:
    std::set<std::wstring> taken;
    std::vector<std::wstring> asked;

    std::wstring onRenameText() override { return L"named"; }
    bool onRename(const std::wstring&) override { return true; }
    bool isUniqueName(const std::wstring& name) override {
        asked.push_back(name);
        return taken.count(name) == 0;
    }
};

TEST(IRenameTargetTest, AUniqueNameIsKept) {
    Named target;
    target.taken = {L"Sketch (1)"};
    EXPECT_EQ(target.getUniqueName(L"Sketch"), L"Sketch");
    EXPECT_EQ(target.asked, (std::vector<std::wstring>{L"Sketch"}));
}

TEST(IRenameTargetTest, ATakenNameGetsTheFirstFreeNumber) {
    Named target;
    target.taken = {L"Sketch", L"Sketch (1)", L"Sketch (2)", L"Sketch (4)"};
    EXPECT_EQ(target.getUniqueName(L"Sketch"), L"Sketch (3)");
    EXPECT_EQ(target.asked.size(), 4u);
    target.taken = {L""};
    EXPECT_EQ(target.getUniqueName(L""), L" (1)");
}

} // namespace
} // namespace Kv::DataModel

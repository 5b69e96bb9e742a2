// Selection filters, their switches and categories, and the registry of
// filter finders.

#include "Kv/Selection/SelectionCategory.h"
#include "Kv/Selection/SelectionFilterFinder.h"
#include "Kv/Selection/SwitchableSelectionFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace Kv::Tests {
namespace {

class ValidSelection : public Selection {
protected:
    bool onIsValid() const override { return true; }
};

// Passes every candidate; counts how often it was asked.
class CountingFilter : public SwitchableSelectionFilter {
public:
    explicit CountingFilter(SelectionCategory& category)
        : m_category(category) {}
    mutable int asked = 0;

protected:
    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext*) const override {
        ++asked;
        return candidate;
    }
    SelectionCategory* onSelectionCategory() const override { return &m_category; }

private:
    SelectionCategory& m_category;
};

// Knows one filter by one name.
class OneNameFinder : public SelectionFilterFinder {
public:
    OneNameFinder(const char* name, SelectionFilter& filter)
        : m_name(name)
        , m_filter(filter) {}

protected:
    SelectionFilter* onFind(const UniqueString& name) const override {
        return name == m_name ? &m_filter : nullptr;
    }

private:
    UniqueString m_name;
    SelectionFilter& m_filter;
};

TEST(SwitchableSelectionFilter, FiltersCandidatesUnderItsCategoryAndCanBeSwitchedOff) {
    SelectionCategory category(L"Things");
    CountingFilter filter(category);
    EXPECT_EQ(filter.selectionCategory(), &category);
    EXPECT_EQ(filter.selectionCategory()->name(), L"Things");

    StrongRef<Selection> candidate(new ValidSelection);
    EXPECT_EQ(filter.filter(candidate).get(), candidate.get());
    EXPECT_FALSE(filter.filter(StrongRef<Selection>()));
    EXPECT_EQ(filter.asked, 1) << "a null candidate never reaches the filter";

    EXPECT_TRUE(filter.isEnabled());
    filter.switchedOn(false);
    EXPECT_FALSE(filter.isEnabled());
    filter.switchedOn(true);
    EXPECT_TRUE(filter.isEnabled());
    EXPECT_EQ(queryInterface<SelectionFilter>(static_cast<Object*>(&filter)), &filter);
}

TEST(SelectionCategory, TheWorkGeometryCategoryIsSharedAndNamed) {
    EXPECT_EQ(&SelectionCategory::workGeometryCategory(),
              &SelectionCategory::workGeometryCategory());
    EXPECT_EQ(SelectionCategory::workGeometryCategory().name(), L"Work Geometry");
}

TEST(SelectionFilterFinder, FindersAreAskedInOrderWhileTheyExist) {
    SelectionCategory category(L"Things");
    CountingFilter first(category), second(category);
    const UniqueString shared("SelectionFilterFinderTest.Shared");
    const UniqueString own("SelectionFilterFinderTest.Own");
    auto earlier = std::make_unique<OneNameFinder>(shared.c_str(), first);
    OneNameFinder later(shared.c_str(), second);
    OneNameFinder other(own.c_str(), second);

    EXPECT_EQ(SelectionFilterFinder::findFilter(shared), &first) << "the first finder answers";
    EXPECT_EQ(SelectionFilterFinder::findFilter(own), &second);
    EXPECT_EQ(earlier->find(own), nullptr);

    const auto& finders = SelectionFilterFinder::registeredFinders();
    const auto position = [&](const SelectionFilterFinder* finder) {
        return std::find(finders.begin(), finders.end(), finder) - finders.begin();
    };
    EXPECT_LT(position(earlier.get()), position(&later));

    earlier.reset();
    EXPECT_EQ(SelectionFilterFinder::findFilter(shared), &second) << "gone with its finder";
    EXPECT_EQ(SelectionFilterFinder::findFilter(UniqueString("SelectionFilterFinderTest.None")),
              nullptr);
}

} // namespace
} // namespace Kv::Tests

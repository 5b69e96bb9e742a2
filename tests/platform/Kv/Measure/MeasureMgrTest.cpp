// The measure manager: its clients' filters, and how it asks measurable
// adapters to measure one item or two.

#include "Kv/Measure/MeasureMgr.h"
#include "Kv/Measure/IMeasureClient.h"
#include "Kv/Measure/Measurable.h"
#include "Kv/Selection/LogicalSelection.h"
#include "Kv/Selection/SelectionFilter.h"

#include <gtest/gtest.h>

namespace Kv::Tests {
namespace {

// Measures x alone; a "reacher" also measures distances to anything, from
// (1, 0, 0) on itself to (2, 0, 0) on the other.
class FakeMeasurable : public Measurable {
public:
    FakeMeasurable(const StrongRef<LogicalSelection>& selection, bool reacher)
        : Measurable(selection)
        , m_reacher(reacher) {}

    bool canMeasure(MeasureMgr::EMeasureType type) const override { return type == MeasureMgr::kX; }
    bool measure(MeasureMgr::EMeasureType, MeasureMgr::MeasureResult& result) const override {
        result.value = 42;
        return true;
    }
    bool canMeasure(Measurable&, MeasureMgr::EMeasureType type) const override {
        return m_reacher && (type == MeasureMgr::kDistance || type == MeasureMgr::kDeltaX);
    }
    bool measure(Measurable&, MeasureMgr::EMeasureType,
                 MeasureMgr::MeasureResult& result) const override {
        result.value = 1;
        result.firstPoint = ZkGePoint3d(1, 0, 0);
        result.secondPoint = ZkGePoint3d(2, 0, 0);
        return true;
    }

private:
    bool m_reacher;
};

class FakeSelection : public LogicalSelection {
public:
    static StrongRef<FakeSelection> make(bool reacher) {
        return StrongRef<FakeSelection>(new FakeSelection(reacher));
    }

protected:
    bool onHitPoint(ZkGePoint3d& point) const override {
        point = ZkGePoint3d(7, 8, 9);
        return true;
    }
    Measurable* onMakeMeasurable() override {
        return new FakeMeasurable(StrongRef<LogicalSelection>(this), m_reacher);
    }

private:
    explicit FakeSelection(bool reacher)
        : LogicalSelection(ObjectPath())
        , m_reacher(reacher) {}
    bool m_reacher;
};

// Passes reachers only.
class ReacherFilter : public SelectionFilter {
protected:
    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext*) const override {
        auto* selection = ::Kv::queryInterface<LogicalSelection>(candidate.get());
        std::unique_ptr<Measurable> measurable = selection->makeMeasurable();
        return measurable->canMeasure(*measurable, MeasureMgr::kDistance) ? candidate
                                                                          : StrongRef<Selection>();
    }
};

class TableClient : public IMeasureClient {
public:
    explicit TableClient(MeasureMgr::FilterTable table)
        : m_table(std::move(table)) {
        MeasureMgr::registerClient(this);
    }
    ~TableClient() { MeasureMgr::unregisterClient(this); }
    void onGetFilterTable(MeasureMgr::FilterTable& table) const override {
        for (const auto& [kind, filters] : m_table)
            table[kind] = filters;
    }

private:
    MeasureMgr::FilterTable m_table;
};

TEST(MeasureMgr, ClientsFiltersAreGatheredByKind) {
    ReacherFilter reachers, others;
    const size_t before = MeasureMgr::filterTable()[MeasureMgr::kCurveKind].size();
    StrongRef<LogicalSelection> reacher = FakeSelection::make(true);
    StrongRef<LogicalSelection> plain = FakeSelection::make(false);
    {
        TableClient first({{MeasureMgr::kCurveKind, {&reachers}}});
        TableClient second({{MeasureMgr::kCurveKind, {&others}}});
        const auto curves = MeasureMgr::filterTable()[MeasureMgr::kCurveKind];
        ASSERT_EQ(curves.size(), before + 2);
        EXPECT_EQ(curves[before], &reachers);
        EXPECT_EQ(curves[before + 1], &others);
        EXPECT_TRUE(MeasureMgr::isMeasurable(reacher));
        EXPECT_FALSE(MeasureMgr::isMeasurable(plain));
    }
    EXPECT_EQ(MeasureMgr::filterTable()[MeasureMgr::kCurveKind].size(), before);
    EXPECT_FALSE(MeasureMgr::isMeasurable(reacher)) << "its client is gone";
}

TEST(MeasureMgr, OneItemIsMeasuredFromItsHitPoint) {
    StrongRef<FakeSelection> item = FakeSelection::make(false);
    MeasureMgr::MeasureResult result;
    ASSERT_TRUE(MeasureMgr::measure(*item, MeasureMgr::kX, result));
    EXPECT_EQ(result.value, 42);
    EXPECT_EQ(result.firstPoint, ZkGePoint3d(7, 8, 9));
    EXPECT_EQ(result.secondPoint, ZkGePoint3d(7, 8, 9));

    result.value = -1;
    EXPECT_FALSE(MeasureMgr::measure(*item, MeasureMgr::kLength, result));
    EXPECT_EQ(result.value, -1);
    EXPECT_FALSE(MeasureMgr::takesTwoItems(MeasureMgr::kX));
    EXPECT_TRUE(MeasureMgr::takesTwoItems(MeasureMgr::kDeltaZ));
}

TEST(MeasureMgr, DistancesAndAnglesMayBeMeasuredFromTheSecondItem) {
    StrongRef<FakeSelection> plain = FakeSelection::make(false);
    StrongRef<FakeSelection> reacher = FakeSelection::make(true);
    MeasureMgr::MeasureResult result;
    ASSERT_TRUE(MeasureMgr::measure(*reacher, *plain, MeasureMgr::kDistance, result));
    EXPECT_EQ(result.firstPoint, ZkGePoint3d(1, 0, 0));

    ASSERT_TRUE(MeasureMgr::measure(*plain, *reacher, MeasureMgr::kDistance, result));
    EXPECT_EQ(result.value, 1);
    EXPECT_EQ(result.firstPoint, ZkGePoint3d(2, 0, 0)) << "the first point stays on the first";
    EXPECT_EQ(result.secondPoint, ZkGePoint3d(1, 0, 0));

    EXPECT_FALSE(MeasureMgr::measure(*plain, *reacher, MeasureMgr::kDeltaX, result))
        << "a difference has a direction";
    EXPECT_FALSE(MeasureMgr::measure(*plain, *plain, MeasureMgr::kDistance, result));
}

} // namespace
} // namespace Kv::Tests

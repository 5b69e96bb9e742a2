#include "TestEntities.h"

#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Status.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace Kv::Tests {
namespace {

// A request whose steps are given by the test, and which logs what ran.
class ScriptedRequest : public Request {
public:
    using Step = std::function<void(Status&)>;

    ScriptedRequest(Asset* asset, std::string name, std::vector<std::string>& log)
        : Request(asset)
        , m_name(std::move(name))
        , m_log(log) {}

    Step pre, exec, post;

    std::string name() const override { return m_name; }

protected:
    void onPreExecute(Status& status) override { run("pre", pre, status); }
    void onExecute(Status& status) override { run("exec", exec, status); }
    void onPostExecute(Status& status) override { run("post", post, status); }
    void onCancel() override { m_log.push_back(m_name + ":cancel"); }

private:
    void run(const char* what, const Step& step, Status& status) {
        m_log.push_back(m_name + ":" + what);
        if (step)
            step(status);
    }
    std::string m_name;
    std::vector<std::string>& m_log;
};

// Requests are destroyed, never deleted.
struct Destroy {
    void operator()(Request* request) const { request->destroy(); }
};
using RequestPtr = std::unique_ptr<ScriptedRequest, Destroy>;

class RequestTest : public ::testing::Test {
protected:
    RequestPtr make(const std::string& name) {
        return RequestPtr(new ScriptedRequest(&doc.asset, name, log));
    }

    TestDocument doc;
    std::vector<std::string> log;
};

TEST_F(RequestTest, ASuccessfulRequestCommitsOneUndoableStepUnderItsName) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    RequestPtr request = make("Set value");
    request->exec = [&](Status&) {
        item->value(4.0);
    };
    request->post = [&](Status&) {
        item->label(L"four");
    };

    Status status;
    EXPECT_TRUE(request->execute(status));
    EXPECT_TRUE(status.isOk());
    EXPECT_EQ(log, (std::vector<std::string>{"Set value:pre", "Set value:exec", "Set value:post"}));
    EXPECT_FALSE(doc.asset.inTransaction());
    EXPECT_EQ(doc.asset.undoStack().undoName(), "Set value");

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_EQ(item->label(), L"");
}

TEST_F(RequestTest, AFailedStepStopsTheRequestAndRollsBackItsEdits) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    PassiveRef<TestItem> made;
    RequestPtr request = make("Make");
    request->exec = [&](Status& status) {
        item->value(4.0);
        made = StrongRef<TestItem>(TestItem::make(doc.group.get()));
        status.fail("no room");
        status.fail("and another reason");
    };

    Status status;
    EXPECT_FALSE(request->execute(status));
    EXPECT_EQ(status.message(), "no room");
    EXPECT_EQ(log, (std::vector<std::string>{"Make:pre", "Make:exec", "Make:cancel"}));
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_EQ(doc.group->childCount(), 1u);
    EXPECT_TRUE(made.isNull());
    EXPECT_FALSE(doc.asset.inTransaction());
    EXPECT_FALSE(doc.asset.undoStack().canUndo());
}

TEST_F(RequestTest, AnExceptionRollsBackCancelsAndReachesTheCaller) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    RequestPtr request = make("Throw");
    request->pre = [&](Status&) {
        item->value(1.0);
    };
    request->exec = [&](Status&) {
        throw std::runtime_error("disk gone");
    };

    Status status;
    EXPECT_THROW(request->execute(status), std::runtime_error);
    EXPECT_FALSE(status.isOk());
    EXPECT_EQ(status.message(), "disk gone");
    EXPECT_EQ(log.back(), "Throw:cancel");
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_FALSE(doc.asset.inTransaction());
}

TEST_F(RequestTest, ANestedFailureRollsBackOnlyTheInnerRequest) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    RequestPtr inner = make("Inner");
    inner->exec = [&](Status& status) {
        item->count(2);
        item->label(L"inner");
        status.fail("inner refused");
    };
    RequestPtr outer = make("Outer");
    outer->exec = [&](Status&) {
        item->value(1.0);
        Status innerStatus;
        EXPECT_FALSE(inner->execute(innerStatus));
        item->label(L"outer");
    };

    Status status;
    EXPECT_TRUE(outer->execute(status));
    EXPECT_EQ(item->value(), 1.0);
    EXPECT_EQ(item->count(), 0u);
    EXPECT_EQ(item->label(), L"outer");
    EXPECT_EQ(doc.asset.undoStack().undoCount(), 1u);

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(item->value(), 0.0);
    EXPECT_EQ(item->label(), L"");
}

TEST_F(RequestTest, AFailedStatusOrAMissingAssetStopsTheRequestBeforeItStarts) {
    RequestPtr request = make("Idle");
    Status failed;
    failed.fail("earlier");
    EXPECT_FALSE(request->execute(failed));
    EXPECT_TRUE(log.empty());

    RequestPtr orphan(new ScriptedRequest(nullptr, "Orphan", log));
    Status status;
    EXPECT_FALSE(orphan->execute(status));
    EXPECT_FALSE(status.message().empty());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(orphan->asset(1), nullptr);
    EXPECT_EQ(request->asset(), &doc.asset);
}

} // namespace
} // namespace Kv::Tests

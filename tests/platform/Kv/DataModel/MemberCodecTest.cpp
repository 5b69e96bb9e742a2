#include "../ErrorMessage.h"
#include "MemberBlobs.h"
#include "TestEntities.h"

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace Kv::Tests {
namespace {

class MemberCodecTest : public ::testing::Test {
protected:
    std::string print(Entity* entity, const std::string& member) {
        std::ostringstream out;
        EXPECT_TRUE(MemberCodec::printMember(entity, member, out, context));
        return out.str();
    }
    std::string encode(Entity* entity) {
        MemberContext encoding;
        return MemberCodec::encode(entity, encoding);
    }
    // The message of the FormatError decoding `blob` into `entity` throws, or "".
    std::string decodeError(Entity* entity, const std::string& blob) {
        MemberContext decoding;
        decoding.asset = &doc.asset;
        return errorMessageOf<FormatError>([&] { MemberCodec::decode(entity, blob, decoding); });
    }

    // The encoded reference to entity `id` of the document's segment.
    std::string reference(uint64_t id) const {
        ByteWriter out;
        out.write<uint32_t>(doc.segment->key());
        out.write<uint64_t>(id);
        return out.take();
    }

    TestDocument doc;
    MemberContext context;
};

TEST_F(MemberCodecTest, ValuesPrintInTheirDiagnosticForms) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    item->visible(true);
    EXPECT_EQ(print(item.get(), "visible"), "true");
    item->visible(false);
    EXPECT_EQ(print(item.get(), "visible"), "false");
    const std::pair<double, const char*> values[] = {
        {0.5, "0.5"}, {10.0, "10"}, {1e-7, "1e-07"}, {-0.0, "0"}};
    for (const auto& [value, text] : values) {
        item->value(value);
        EXPECT_EQ(print(item.get(), "value"), text) << value;
    }
    item->count(4294967295u);
    EXPECT_EQ(print(item.get(), "count"), "4294967295");
    item->label(L"say \"hi\" C:\\dir \u00e9");
    EXPECT_EQ(print(item.get(), "label"), "\"say \\\"hi\\\" C:\\\\dir \xc3\xa9\"");
    item->color(Color(1.0f, 0.5f, 0.25f, 0.1f));
    EXPECT_EQ(print(item.get(), "color"), "(1, 0.5, 0.25, 0.1)");
    std::ostringstream none;
    EXPECT_FALSE(MemberCodec::printMember(item.get(), "nothing", none, context));
}

TEST_F(MemberCodecTest, ReferencesAndContainersPrintThroughThePathOfTheirTargets) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> a = TestItem::make(doc.group.get());
    StrongRef<TestItem> b = TestItem::make(doc.group.get());
    EXPECT_EQ(print(item.get(), "owned"), "null");
    EXPECT_EQ(print(item.get(), "watchList"), "[]");
    EXPECT_EQ(print(item.get(), "ownedByKey"), "{}");

    context.pathOf = [&](const Entity* e) {
        return e == a.get() ? "/a" : "/b";
    };
    item->owned(a);
    item->watched(b);
    item->watchList({a, nullptr, b});
    item->ownedByKey({{2, b}, {-1, a}});
    EXPECT_EQ(print(item.get(), "owned"), "/a");
    EXPECT_EQ(print(item.get(), "watched"), "/b");
    EXPECT_EQ(print(item.get(), "watchList"), "[/a, null, /b]");
    EXPECT_EQ(print(item.get(), "ownedByKey"), "{-1: /a, 2: /b}");

    context.pathOf = nullptr;
    EXPECT_EQ(print(item.get(), "owned"), "#" + std::to_string(a->id()));

    std::ostringstream all;
    MemberCodec::print(item.get(), all, context);
    EXPECT_NE(all.str().find("value = 0\n"), std::string::npos);
    EXPECT_NE(all.str().find("label = \"\"\n"), std::string::npos);
}

TEST_F(MemberCodecTest, AnEncodedEntityDecodesIntoAnotherExactly) {
    StrongRef<TestItem> a = TestItem::make(doc.group.get());
    StrongRef<TestItem> from = TestItem::make(doc.group.get());
    StrongRef<TestItem> to = TestItem::make(doc.group.get());
    from->value(1.0 / 3.0);
    from->label(L"copy");
    from->color(Color(0.3f, 0.2f, 0.1f, 1.0f));
    from->position(ZkGePoint3d(1e300, -0.1, 3));
    from->watched(a);
    from->ownedByKey({{5, a}});

    MemberContext decoding;
    decoding.asset = &doc.asset;
    MemberCodec::decode(to.get(), encode(from.get()), decoding);
    EXPECT_EQ(encode(to.get()), encode(from.get()));
    EXPECT_EQ(to->watched().getTarget(), a.get());
}

// Saving walks the references to find what a document holds; the walk must
// see every reference encoding writes, with the same ownership.
TEST_F(MemberCodecTest, TheReferenceWalkReportsWhatEncodingWrites) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> b = TestItem::make(doc.group.get());
    StrongRef<TestItem> c = TestItem::make(doc.group.get());
    using Reference = std::pair<Entity*, bool>;
    auto walked = [&] {
        std::vector<Reference> references;
        MemberCodec::forEachReference(item.get(), [&](Entity* target, bool owning) {
            references.emplace_back(target, owning);
        });
        return references;
    };
    EXPECT_TRUE(walked().empty()) << "null references are none";

    item->owned(b);
    item->watched(PassiveRef<TestItem>(c));
    item->watchList({PassiveRef<TestItem>(c), PassiveRef<TestItem>(), PassiveRef<TestItem>(b)});
    item->ownedByKey({{7, c}, {-2, b}});
    std::vector<Reference> encoded;
    MemberContext encoding;
    encoding.onReference = [&](Entity* target, bool owning) {
        encoded.emplace_back(target, owning);
    };
    MemberCodec::encode(item.get(), encoding);
    EXPECT_EQ(walked(), encoded);
    EXPECT_EQ(walked(), (std::vector<Reference>{{b.get(), true},
                                                {c.get(), false},
                                                {c.get(), false},
                                                {b.get(), false},
                                                {b.get(), true},
                                                {c.get(), true}}));
}

// Members are read by name, whatever order the data lists them in.
TEST_F(MemberCodecTest, MembersInAnotherOrderDecodeAlike) {
    StrongRef<TestItem> from = TestItem::make(doc.group.get());
    from->value(2.5);
    from->label(L"reordered");
    from->count(9);
    const MemberSet& set = from->metaType()->memberSet();
    ByteWriter reversed;
    reversed.write<uint32_t>(3);
    for (const char* name : {"count", "label", "value"}) {
        const Member* member = set.findMember(name);
        reversed.writeString(name);
        reversed.writeString(member->typeKey());
        ByteWriter value;
        member->metaType()->encode(member->field(static_cast<void*>(from.get())),
                                   member->functions(), value, context);
        reversed.writeBytes(value.data());
    }

    StrongRef<TestItem> to = TestItem::make(doc.group.get());
    MemberContext decoding;
    decoding.asset = &doc.asset;
    MemberCodec::decode(to.get(), reversed.data(), decoding);
    EXPECT_EQ(to->value(), 2.5);
    EXPECT_EQ(to->label(), L"reordered");
    EXPECT_EQ(to->count(), 9u);
}

TEST_F(MemberCodecTest, DecodeErrorsNameTheMember) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    item->label(L"some text");
    std::string blob = encode(item.get());

    std::string truncated = decodeError(item.get(), blob.substr(0, blob.size() - 3));
    EXPECT_NE(truncated.find("ownedByKey"), std::string::npos) << truncated;
    size_t labelValue = blob.find("wstring") + 7; // where label's sized value starts
    for (size_t cut : {labelValue + 2, labelValue + 4 + 6}) {
        std::string cutInLabel = decodeError(item.get(), blob.substr(0, cut));
        EXPECT_NE(cutInLabel.find("\"label\""), std::string::npos) << cutInLabel;
    }
    std::string cutInName = decodeError(item.get(), blob.substr(0, blob.find("label") + 2));
    EXPECT_NE(cutInName.find("of TestItem"), std::string::npos) << cutInName;

    std::string dangling = decodeError(
        item.get(),
        oneMemberBlob("watched", item->metaType()->memberSet().findMember("watched")->typeKey(),
                      reference(doc.segment->highestEntityId() + 100)));
    EXPECT_NE(dangling.find("\"watched\""), std::string::npos) << dangling;
    EXPECT_NE(dangling.find("dangling"), std::string::npos) << dangling;

    std::string badBool = decodeError(item.get(), oneMemberBlob("visible", "bool", "\x02"));
    EXPECT_NE(badBool.find("visible"), std::string::npos) << badBool;
}

TEST_F(MemberCodecTest, ContainerSizesBeyondTheDataAreRefused) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    const MemberSet& set = item->metaType()->memberSet();
    ByteWriter huge;
    huge.write<uint32_t>(0x7fffffff);
    std::string vector =
        decodeError(item.get(), oneMemberBlob("watchList", set.findMember("watchList")->typeKey(),
                                              huge.data()));
    EXPECT_NE(vector.find("watchList"), std::string::npos) << vector;
    std::string map =
        decodeError(item.get(), oneMemberBlob("ownedByKey", set.findMember("ownedByKey")->typeKey(),
                                              huge.data()));
    EXPECT_NE(map.find("ownedByKey"), std::string::npos) << map;
}

// The class check remembers the last class it let through: classes that pass
// and classes that do not may follow each other in any order.
TEST_F(MemberCodecTest, EveryReferencedEntityHasItsClassChecked) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    StrongRef<TestItem> plain = TestItem::make(doc.group.get());
    StrongRef<TestDerivedItem> derived = TestDerivedItem::make(doc.group.get());
    const std::string key = item->metaType()->memberSet().findMember("owned")->typeKey();
    const auto owning = [&](const Entity* target) {
        return oneMemberBlob("owned", key, reference(target->id()));
    };
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(decodeError(item.get(), owning(plain.get())), "");
        EXPECT_EQ(item->owned().get(), plain.get());
        EXPECT_EQ(decodeError(item.get(), owning(derived.get())), "");
        EXPECT_EQ(item->owned().get(), derived.get());
        EXPECT_NE(decodeError(item.get(), owning(doc.group.get())).find("TestGroupMetaType"),
                  std::string::npos);
        EXPECT_EQ(item->owned().get(), derived.get());
    }
}

// With pending references allowed, a reference to an entity not made yet is
// read as null and recorded; resolving it later sets it, or reports what is
// wrong with it as decoding would have, naming the member.
TEST_F(MemberCodecTest, ReferencesToEntitiesStillToComeAreResolvedLater) {
    StrongRef<TestItem> item = TestItem::make(doc.group.get());
    const MemberSet& set = item->metaType()->memberSet();
    const uint64_t first = doc.segment->highestEntityId() + 10;
    ByteWriter blob;
    blob.write<uint32_t>(2);
    blob.writeString("owned");
    blob.writeString(set.findMember("owned")->typeKey());
    blob.writeBytes(reference(first));
    blob.writeString("watchList");
    blob.writeString(set.findMember("watchList")->typeKey());
    blob.write<uint32_t>(4 + 2 * 12);
    blob.write<uint32_t>(2);
    for (uint64_t id : {first + 1, item->id()}) {
        blob.write<uint32_t>(doc.segment->key());
        blob.write<uint64_t>(id);
    }
    std::vector<MemberContext::PendingReference> pending;
    MemberContext decoding;
    decoding.asset = &doc.asset;
    decoding.pending = &pending;
    MemberCodec::decode(item.get(), blob.data(), decoding);
    EXPECT_TRUE(item->owned().isNull());
    ASSERT_EQ(pending.size(), 2u); // the item itself is there already
    EXPECT_EQ(pending[0].id, first);
    EXPECT_EQ(pending[1].id, first + 1);

    MemberContext resolving;
    resolving.asset = &doc.asset;
    const auto resolveError = [&](const MemberContext::PendingReference& reference) {
        return errorMessageOf<FormatError>([&] { MemberCodec::resolve(reference, resolving); });
    };
    EXPECT_EQ(resolveError(pending[0]), "member \"owned\" of TestItem: dangling reference to "
                                        "entity " +
                                            std::to_string(first) + " of segment " +
                                            std::to_string(doc.segment->key()));
    StrongRef<Entity> owned = TestItem::s_metaType().makeInstance(doc.segment, first);
    StrongRef<Entity> group = TestGroup::s_metaType().makeInstance(doc.segment, first + 1);
    EXPECT_EQ(resolveError(pending[0]), "");
    EXPECT_EQ(item->owned().get(), owned.get());
    const std::string wrongClass = resolveError(pending[1]);
    EXPECT_EQ(wrongClass.find("member \"watchList\" of TestItem: a reference names entity " +
                              std::to_string(first + 1) + " of class TestGroupMetaType"),
              0u)
        << wrongClass;
    ASSERT_EQ(item->watchList().size(), 2u);
    EXPECT_EQ(item->watchList()[1].getTarget(), item.get());
    EXPECT_EQ(item->watchList()[0].getTarget(), nullptr);
}

} // namespace
} // namespace Kv::Tests

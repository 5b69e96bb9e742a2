// The document with every class of the add-in, as kvgeo's `ls -a` and `get`
// show it: every class is in it and every persisted member is away from the
// value a new entity starts with, so that the round trip of that document
// (GeometryDocumentTest) compares every member. The classes are taken from the
// meta type registry, so a class added later without a place in it fails here.

#include "EveryClassDocument.h"
#include "StorageTestSupport.h"

#include "Geometry/GeometryAddIn.h"
#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/DocumentCommands.h"
#include "Kv/Commands/Session.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/DataModel/Segment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace Kv::Geometry::StorageTests {
namespace {

using ::testing::HasSubstr;

// Printed member values by member name.
using Members = std::map<std::string, std::string>;

// Members that cannot be away from their default on every entity of a class,
// by the class that declares them. Each must still be away from it on some
// entity.
const std::map<std::pair<std::string, std::string>, std::string> kNotOnEveryEntity = {
    {{"WorkGeometry", "id"},
     "origin work geometry is named by its origin name and takes no number"},
    {{"WorkGeometry", "isOrigin"}, "numbered work geometry is never part of the origin set"},
    {{"WorkGeometry", "originName"}, "only origin work geometry has an origin name"},
};

// `NAME = VALUE` lines as `get` prints them.
Members parseMembers(const std::string& printed) {
    Members members;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find(" = ");
        if (equals == std::string::npos)
            throw std::runtime_error("not a member line: " + line);
        members[line.substr(0, equals)] = line.substr(equals + 3);
    }
    return members;
}

// The class whose own members include `member`, for an entity of `type`.
std::string declaringClass(EntityMetaType& type, const std::string& member) {
    for (const MemberSet* set = &type.memberSet(); set; set = set->base())
        for (const Member& own : set->ownMembers())
            if (own.name() == member)
                return set->name();
    return {};
}

// A path as one word of a command line.
std::string quoted(const std::string& path) {
    std::string word = "\"";
    for (char c : path)
        word += c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    return word + '"';
}

std::vector<EntityMetaType*> addInTypes() {
    std::vector<EntityMetaType*> types;
    for (EntityMetaType* type : MetaTypeMgr::get().metaTypes())
        if (type->addInId() == GeometryAddInIdentifier())
            types.push_back(type);
    return types;
}

class DocumentRoundTripTest : public ::testing::Test {
protected:
    struct Listed {
        std::string path;
        std::string className;
        bool operator==(const Listed& other) const {
            return path == other.path && className == other.className;
        }
    };

    // A committed edit realises the scene, which reads the add-in's images.
    DocumentRoundTripTest()
        : session(addIns)
        , context(session, out) {
        PathInfo::setRootDirectory(KV_RUNTIME_ROOT);
        DocumentCommands().registerCommands(commands);
        session.setDocument(makeEveryClassDocument());
    }
    ~DocumentRoundTripTest() override {
        session.closeDocument();
        scratch.clear();
        PathInfo::setRootDirectory("");
    }

    std::string run(const std::string& line) {
        out.str("");
        commands.run(line, context);
        return out.str();
    }

    // Every entity below the component, as `ls -a` lists it.
    std::vector<Listed> listing() {
        std::vector<Listed> listed;
        std::istringstream lines(run("ls -a"));
        for (std::string line; std::getline(lines, line);) {
            const size_t tab = line.find('\t');
            listed.push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
        return listed;
    }

    // The members of a new entity of `type` made with its load constructor
    // in a document of its own: what every member is before anything sets it.
    Members defaultsOf(EntityMetaType& type) {
        StrongRef<Entity> fresh = type.makeInstance(scratchSegment, scratchSegment->newEntityId());
        std::ostringstream printed;
        MemberCodec::print(fresh.get(), printed, MemberContext());
        return parseMembers(printed.str());
    }

    AddInMgr addIns; // none loaded: the add-in is linked in
    Session session;
    std::ostringstream out;
    CommandContext context;
    CommandMgr commands;
    ScratchDirectory dir;
    Asset scratch;
    Segment* scratchSegment = scratch.createSegment();
};

TEST_F(DocumentRoundTripTest, EveryClassTheAddInRegistersIsInTheDocument) {
    std::set<const EntityMetaType*> present;
    for (const Listed& entity : listing())
        present.insert(session.find(entity.path)->metaType());
    for (const auto& [id, root] : session.document().defaultSegment()->rootEntities())
        present.insert(root->metaType());

    // An entity `ls -a` does not list would escape the checks of this file.
    const std::string file = dir.path("every class.kvd");
    run("save " + quoted(file));
    EXPECT_EQ(documentRows(file).at("entities").size(),
              listing().size() + session.document().defaultSegment()->rootEntities().size());

    const std::vector<EntityMetaType*> types = addInTypes();
    ASSERT_FALSE(types.empty());
    for (const EntityMetaType* type : types) {
        if (!type->isAbstract()) {
            EXPECT_TRUE(present.count(type)) << type->className();
            continue;
        }
        // An abstract base is covered by the classes derived from it.
        EXPECT_TRUE(std::any_of(present.begin(), present.end(),
                                [type](const EntityMetaType* p) { return p->isKindOf(type); }))
            << "no class derived from " << type->className();
    }
}

TEST_F(DocumentRoundTripTest, EveryMemberOfEveryEntityIsAwayFromItsDefault) {
    std::map<std::string, Members> defaults;
    std::set<std::pair<std::string, std::string>> awaySomewhere;
    size_t compared = 0;
    for (const Listed& entity : listing()) {
        EntityMetaType& type = *session.find(entity.path)->metaType();
        if (!defaults.count(entity.className))
            defaults[entity.className] = defaultsOf(type);
        const Members& initial = defaults[entity.className];
        const Members members = parseMembers(run("get " + quoted(entity.path)));
        ASSERT_EQ(members.size(), initial.size()) << entity.path;
        for (const auto& [name, value] : members) {
            ++compared;
            const std::pair<std::string, std::string> key(declaringClass(type, name), name);
            if (value != initial.at(name))
                awaySomewhere.insert(key);
            else if (!kNotOnEveryEntity.count(key))
                ADD_FAILURE() << entity.path << ": " << name << " = " << value << " is what a new "
                              << entity.className << " has";
        }
    }
    EXPECT_GT(compared, 500u);
    for (const auto& [key, reason] : kNotOnEveryEntity)
        EXPECT_TRUE(awaySomewhere.count(key))
            << key.first << "::" << key.second << " (" << reason << ") is nowhere set";

    // Roots are reached by no path, so they must have nothing for `get` to show.
    for (const auto& [id, root] : session.document().defaultSegment()->rootEntities())
        EXPECT_EQ(root->metaType()->memberSet().memberCount(), 0u) << id.str();
}

// The entities a sketch, a point or a spline owns through a reference are
// named as `ls -a` lists them, so the references `get` prints lead to them.
TEST_F(DocumentRoundTripTest, OwnedEntitiesAreFoundByTheNamesLsGivesThem) {
    std::set<std::string> owned;
    for (const Listed& entity : listing())
        if (entity.className == "CurveUses" || entity.className == "CoordinateSystem" ||
            entity.className == "PointUses" || entity.className == "TangentUses" ||
            entity.className == "CurvatureUses") {
            owned.insert(entity.path);
            EXPECT_EQ(session.pathOf(session.find(entity.path)), entity.path);
        }
    ASSERT_FALSE(owned.empty());

    const std::string sketch = "Sketches/Every \"class\" \\ one";
    const std::string ucs = run("get " + quoted(sketch) + " UCS");
    EXPECT_EQ(ucs, sketch + "/CoordinateSystem#1\n");
    EXPECT_TRUE(owned.count(sketch + "/CoordinateSystem#1"));
    try {
        run("get " + quoted(sketch + "/CoordinateSystem#2"));
        ADD_FAILURE() << "a second coordinate system was found";
    } catch (const CommandError& error) {
        EXPECT_THAT(error.what(), HasSubstr("no entity 'CoordinateSystem#2'"));
    }
}

} // namespace
} // namespace Kv::Geometry::StorageTests

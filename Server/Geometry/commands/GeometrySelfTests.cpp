#include "Geometry/commands/GeometrySelfTests.h"

#include "Geometry/GeometryAddIn.h"
#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"
#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"

#include <atomic>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace Kv::Geometry {
namespace {

using Failure = std::runtime_error;

// Runs one command line on the scratch session and returns what it printed
// (a made entity's path), without its line break.
std::string run(CommandMgr& commands, Session& session, const std::string& line) {
    std::ostringstream out;
    CommandContext context(session, out);
    context.setQuiet(true);
    try {
        commands.run(line, context);
    } catch (const std::exception& error) {
        throw Failure("'" + line + "' failed: " + error.what());
    }
    std::string printed = out.str();
    if (!printed.empty() && printed.back() == '\n')
        printed.pop_back();
    return printed;
}

// What drawEveryKind made that the tests edit.
struct Drawn {
    std::string line; // shares its end point with a second line
    std::string circle;
};

// A sketch with every kind of 3D sketch geometry, sharing points where
// curves meet, a spline carrying both kinds of handle and a boxed text;
// then work geometry and a 2D sketch.
Drawn drawEveryKind(CommandMgr& commands, Session& session) {
    Drawn drawn;
    run(commands, session, "sketch");
    run(commands, session, "point 0 0 5");
    drawn.line = run(commands, session, "line 0 0 0 4 0 0");
    run(commands, session, "line 4 0 0 4 3 0");
    drawn.circle = run(commands, session, "circle 2 2 0 1");
    run(commands, session, "arc 0 0 0 1 0 0 0 1 0 normal 0 0 1");
    run(commands, session, "arc3 4 3 0 2 4 0 0 3 0");
    run(commands, session, "ellipse 6 0 0 2 0 0 0 1 0 from 8 0 0 to 6 1 0");
    const std::string spline = run(commands, session, "spline 0 0 1 1 2 1 3 1 1 4 3 1");
    run(commands, session, "tangent " + spline + " 0 1 1 0");
    run(commands, session, "curvature " + spline + " 3 0 0.5 0");
    run(commands, session, "text \"Kv\" 0 5 0 height 2 box");
    run(commands, session, "workplane 1 1 1 0 0 1");
    run(commands, session, "workaxis 1 2 3 0 1 0");
    run(commands, session, "workpoint 3 2 1");
    run(commands, session, "sketch2d");
    run(commands, session, "line2d 0 0 4 0");
    run(commands, session, "arc2d 0 0 4 0 0 4");
    run(commands, session, "ellipse2d 8 0 2 0 1");
    return drawn;
}

// Every entity of the document with its path, class and persisted members.
std::string documentText(Session& session) {
    std::ostringstream text;
    MemberContext members;
    members.pathOf = [&session](const Entity* target) {
        return session.pathOf(const_cast<Entity*>(target));
    };
    session.walk(session.component(), true, [&](Entity* entity, const std::string& path) {
        text << path << '\t' << entity->metaType()->className() << '\n';
        MemberCodec::print(entity, text, members);
    });
    return text.str();
}

// Throws naming the first line where the two texts part.
void expectSameDocument(const std::string& expected, const std::string& actual,
                        const std::string& after) {
    if (expected == actual)
        return;
    std::istringstream expectedLines(expected), actualLines(actual);
    std::string wanted, got;
    for (int line = 1;; ++line) {
        const bool moreWanted = bool(std::getline(expectedLines, wanted));
        const bool moreGot = bool(std::getline(actualLines, got));
        if (!moreWanted || !moreGot || wanted != got)
            throw Failure("after " + after + ", line " + std::to_string(line) + " reads '" +
                          (moreGot ? got : "(end)") + "' instead of '" +
                          (moreWanted ? wanted : "(end)") + "'");
    }
}

// A document file of its own in the temporary directory, removed again.
class ScratchFile {
public:
    ScratchFile() {
        static std::atomic<int> count{0};
        m_path = (std::filesystem::temp_directory_path() /
                  ("kvgeo-selftest-" + std::to_string(::getpid()) + "-" + std::to_string(++count) +
                   ".kvdoc"))
                     .string();
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

void configuration(CommandMgr&, Session& session) {
    const std::string addInId = GeometryAddInIdentifier();
    if (const AddIn* addIn = session.addIns().addIn(addInId)) {
        if (!std::filesystem::exists(addIn->libraryPath()))
            throw Failure("the library " + addIn->libraryPath() + " is gone");
    }
    const EntityMetaType* hostRoot = &CommonData::HostMetaTypes::commonBaseEntity();
    int types = 0;
    for (EntityMetaType* metaType : MetaTypeMgr::get().metaTypes()) {
        if (metaType->addInId() != addInId)
            continue;
        ++types;
        const EntityMetaType* base = metaType;
        for (int depth = 0; base && base != hostRoot && depth < 16; ++depth)
            base = base->baseMetaType();
        if (base != hostRoot)
            throw Failure(metaType->name() + " does not derive from a registered host entity");
    }
    if (types == 0)
        throw Failure("no entity type of the add-in is registered");
    for (const char* collection : {"Sketches", "WorkGeometries", "OriginWorkGeometry", "Sketch2Ds"})
        if (!session.find(collection))
            throw Failure(std::string("a new document has no ") + collection);
}

void persistence(CommandMgr& commands, Session& session) {
    drawEveryKind(commands, session);
    const std::string before = documentText(session);
    // A document that lost its geometry on the way in would compare equal to
    // an equally empty one read back.
    for (const char* kind :
         {"\tPoint3D\n", "\tLine3D\n", "\tCircArc3D\n", "\tEllipticArc3D\n", "\tSpline3D\n",
          "\tTangentHandle\n", "\tCurvatureHandle\n", "\tText\n", "\tTextBorder\n"})
        if (before.find(kind) == std::string::npos)
            throw Failure(std::string("the drawn sketch has no") + kind);
    ScratchFile file;
    DocumentWriter::save(session.document(), file.path());
    const std::unique_ptr<Session> reopened = session.makeScratch();
    reopened->setDocument(DocumentReader::load(file.path()));
    expectSameDocument(before, documentText(*reopened), "saving and opening");
}

void undo(CommandMgr& commands, Session& session) {
    const Drawn made = drawEveryKind(commands, session);
    const std::string drawn = documentText(session);
    run(commands, session, "move " + made.line + " 0 1 0");
    run(commands, session, "delete " + made.circle);
    const std::string edited = documentText(session);
    Asset& document = session.document();
    if (!document.undo() || !document.undo())
        throw Failure("the two edits cannot be undone");
    expectSameDocument(drawn, documentText(session), "undoing a move and a deletion");
    if (!document.redo() || !document.redo())
        throw Failure("the two edits cannot be redone");
    expectSameDocument(edited, documentText(session), "redoing them");
}

} // namespace

std::vector<std::string> GeometrySelfTests::registerSelfTests(CommandMgr& commands) {
    const std::vector<SelfTest> tests = {
        SelfTest("geometry.configuration",
                 "the add-in's types derive from host entities; new documents get its collections",
                 configuration),
        SelfTest("geometry.persistence",
                 "a sketch with every curve kind, spline handles and boxed text saves and opens "
                 "unchanged",
                 persistence),
        SelfTest("geometry.undo",
                 "moving a line that drags another and deleting a circle undo and redo exactly",
                 undo),
    };
    std::vector<std::string> names;
    for (const SelfTest& test : tests) {
        commands.registerSelfTest(test);
        names.push_back(test.name());
    }
    return names;
}

} // namespace Kv::Geometry

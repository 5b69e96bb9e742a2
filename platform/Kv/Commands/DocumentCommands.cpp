#include "Kv/Commands/DocumentCommands.h"

#include "Kv/Base/Utf8.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/StorageError.h"
#include "Wyn/Scene/View.h"

#include <cstdio>
#include <ostream>
#include <unistd.h>

namespace Kv {
namespace {

// A percentage on the terminal while a large document is read or written.
StorageProgress progressDisplay(CommandContext& context, const char* verb) {
    if (context.quiet() || !::isatty(STDERR_FILENO))
        return nullptr;
    return [verb, last = -1](size_t done, size_t total) mutable {
        int percent = total ? static_cast<int>(done * 100 / total) : 100;
        if (percent == last)
            return;
        last = percent;
        std::fprintf(stderr, "\r%s %3d%%%s", verb, percent, percent == 100 ? "\r\033[K" : "");
        std::fflush(stderr);
    };
}

void save(CommandContext& context) {
    CommandLine& args = context.args();
    Session& session = context.session();
    std::string path = args.atEnd() ? session.documentPath() : args.path("FILE");
    args.expectEnd();
    if (path.empty())
        throw CommandError("the document has no file yet: save FILE");
    try {
        DocumentWriter::save(session.document(), path, progressDisplay(context, "saving"));
    } catch (const StorageError& error) {
        throw CommandError(error.what());
    }
    session.setDocumentPath(path);
}

void open(CommandContext& context) {
    CommandLine& args = context.args();
    std::string path = args.path("FILE");
    args.expectEnd();
    try {
        context.session().setDocument(
            DocumentReader::load(path, progressDisplay(context, "opening")));
    } catch (const StorageError& error) {
        throw CommandError(error.what());
    }
    context.session().setDocumentPath(path);
}

void ls(CommandContext& context) {
    CommandLine& args = context.args();
    const bool all = args.keyword("-a");
    std::string path = args.atEnd() ? "" : args.path("PATH");
    args.expectEnd();
    context.session().walk(context.session().resolve(path), all,
                           [&context](Entity* entity, const std::string& entityPath) {
                               context.out()
                                   << entityPath << '\t' << entity->metaType()->className() << '\n';
                           });
}

void get(CommandContext& context) {
    CommandLine& args = context.args();
    Session& session = context.session();
    Entity& entity = session.resolve(args.path("PATH"));
    std::string member = args.atEnd() ? "" : args.word("MEMBER");
    args.expectEnd();
    MemberContext members;
    members.pathOf = [&session](const Entity* target) {
        return session.pathOf(const_cast<Entity*>(target));
    };
    if (member.empty()) {
        MemberCodec::print(&entity, context.out(), members);
        return;
    }
    if (!MemberCodec::printMember(&entity, member, context.out(), members))
        throw CommandError(entity.metaType()->className() + " has no member \"" + member + "\"");
    context.out() << '\n';
}

void info(CommandContext& context) {
    CommandLine& args = context.args();
    Entity& entity = context.session().resolve(args.path("PATH"));
    args.expectEnd();
    context.out() << Utf8::toUtf8(entity.toString()) << '\n';
}

// The scene of the document as a view shows it, into an SVG, PNG or PDF file.
void render(CommandContext& context) {
    CommandLine& args = context.args();
    std::string path = args.path("FILE");
    Wyn::Scene::View view = Wyn::Scene::View::iso();
    long long width = 800, height = 600;
    while (!args.atEnd()) {
        const std::optional<std::string> option = args.keyword({"view", "size"});
        if (option == "view") {
            view = args.view("V");
        } else if (option == "size") {
            width = args.integer("W", 1, 20000);
            height = args.integer("H", 1, 20000);
        } else {
            throw CommandError("expected view or size, got '" + args.word("OPTION") + "'");
        }
    }
    try {
        context.session().document().sceneManager().render(view, int(width), int(height), path);
    } catch (const std::exception& error) {
        throw CommandError(path + ": " + error.what());
    }
}

} // namespace

void DocumentCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("save", "save [FILE]", "write the whole document to FILE (or where it came from)",
                false, save)
            .details("The file is written beside its final place and renamed over it, so an\n"
                     "existing document is never left half written."));
    commands.registerCommand(
        Command("open", "open FILE", "replace the document by the one stored in FILE", false, open)
            .details("A file that cannot be read leaves the open document as it was. The undo\n"
                     "history starts again empty."));
    commands.registerCommand(
        Command("ls", "ls [-a] [PATH]", "the entities below PATH, depth first: path and class",
                false, ls)
            .details("With -a each entity is followed by what it owns without being their\n"
                     "group (coordinate systems, use lists), named Class#N."));
    commands.registerCommand(Command("get", "get PATH [MEMBER]",
                                     "an entity's persisted members, or one member's value", false,
                                     get));
    commands.registerCommand(Command("info", "info PATH", "an entity's description", false, info));
    commands.registerCommand(
        Command("render", "render FILE [view top|front|right|iso] [size W H]",
                "draw the document's scene into an SVG, PNG or PDF file", false, render)
            .details("The format follows the file's extension. The view defaults to iso, the\n"
                     "size to 800 by 600 pixels."));
}

} // namespace Kv

#include "Geometry/commands/TextCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/text/Text.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"

#include <cmath>
#include <ostream>
#include <stdexcept>

namespace Kv::Geometry {
namespace {

// The options, in any order; `box` tells whether the text gets a box.
FontStyle readStyle(CommandLine& args, bool& box) {
    FontStyle style;
    box = false;
    while (!args.atEnd()) {
        if (args.keyword("height")) {
            style.height = args.number("H");
            if (!(style.height > 0.0) || !std::isfinite(style.height))
                throw ArgumentError("H must be greater than 0");
        } else if (args.keyword("angle")) {
            style.angle = args.angle("A");
        } else if (args.keyword("font")) {
            style.faceName = Utf8::toWide(args.word("FACE"));
            if (style.faceName.empty())
                throw ArgumentError("FACE must not be empty");
        } else if (args.keyword("bold")) {
            style.bold = true;
        } else if (args.keyword("italic")) {
            style.italic = true;
        } else if (args.keyword("box")) {
            box = true;
        } else {
            break;
        }
    }
    return style;
}

void text(CommandContext& context) {
    CommandLine& args = context.args();
    const std::wstring string = Utf8::toWide(args.word("STRING"));
    const ZkGePoint3d position = args.point3("X Y Z");
    bool box = false;
    FontStyle style = readStyle(args, box);
    args.expectEnd();
    // Laying the text out now finds a missing font before anything is made,
    // and gives the box the width the scene will measure.
    try {
        style.width = Text::measuredWidth(string, style);
    } catch (const std::runtime_error& error) {
        throw CommandError(std::string("the text cannot be laid out: ") + error.what());
    }
    if (box && !(style.width > 0.0))
        throw CommandError("an empty text has no box");

    Sketch& sketch = CommandTargets::currentSketch(context);
    StrongRef<Text> made = Text::make(StrongRef<Entity>(&sketch), string, position, style);
    if (!made)
        throw CommandError("no text could be made in the current sketch");
    if (box)
        made->drawBox();
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

} // namespace

void TextCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("text",
                "text \"STRING\" X Y Z [height H] [angle A] [font FACE] [bold] [italic] [box]",
                "a text of the current sketch; prints its path", true, text)
            .details("The text's lower-left corner lies at X Y Z and it turns by A about the\n"
                     "sketch's z axis (default height 10, face Arial, angle 0). With 'box' four\n"
                     "border lines frame it; moving the first (the base line) places the text\n"
                     "on it, and moving the text moves them. Deleting a border line deletes\n"
                     "the text with all its borders."));
}

} // namespace Kv::Geometry

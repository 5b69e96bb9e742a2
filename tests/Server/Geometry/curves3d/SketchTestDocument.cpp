#include "SketchTestDocument.h"

#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

namespace Kv::Geometry::Tests {

SketchTestDocument::SketchTestDocument()
    : segment(asset.createSegment())
    , component(Component::make(segment))
    , sketches(Sketches::make(component.get()))
    , sketch(Sketch::make(sketches, L"Sketch1"))
    , parent(sketch) {
    static int counter = 0;
    m_path = "/tmp/kv-sketch-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
             ".kvd";
}

SketchTestDocument::~SketchTestDocument() {
    parent.reset();
    sketch.reset();
    sketches.reset();
    component.reset();
    asset.clear();
    std::remove(m_path.c_str());
}

std::unique_ptr<Asset> SketchTestDocument::saveAndOpen(const DocumentWriter::Schema& schema) {
    DocumentWriter::save(asset, m_path, nullptr, schema);
    return DocumentReader::load(m_path);
}

Entity* SketchTestDocument::counterpart(Asset& opened, const Entity* entity) const {
    return entity ? opened.findEntity(entity->segment()->key(), entity->id()) : nullptr;
}

std::string printed(Entity* entity) {
    std::ostringstream out;
    MemberCodec::print(entity, out, MemberContext());
    return out.str();
}

std::vector<std::string> ownMemberNames(const MemberSet& set) {
    std::vector<std::string> names;
    for (const Member& member : set.ownMembers())
        names.push_back(member.name());
    return names;
}

} // namespace Kv::Geometry::Tests

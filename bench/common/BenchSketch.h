#pragma once

// The document every benchmark of sketch geometry draws in: one component
// with its sketch collection and one empty sketch, let go of as a whole at
// the end. Benchmarks derive from it and add what they draw; their own
// references go before the document does.

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <string>

class BenchSketch {
public:
    explicit BenchSketch(const std::wstring& name = L"") {
        Kv::Segment* segment = asset.createSegment();
        component = Kv::Component::make(segment);
        sketches = Kv::Geometry::Sketches::make(component.get());
        Kv::Geometry::SketchesRoot::make(segment);
        sketch = Kv::Geometry::Sketch::make(sketches, name);
        parent = Kv::StrongRef<Kv::Entity>(sketch);
    }
    ~BenchSketch() {
        parent.reset();
        sketch.reset();
        sketches.reset();
        component.reset();
        asset.clear();
    }
    BenchSketch(const BenchSketch&) = delete;
    BenchSketch& operator=(const BenchSketch&) = delete;

    Kv::Asset asset;
    Kv::StrongRef<Kv::Component> component;
    Kv::StrongRef<Kv::Geometry::Sketches> sketches;
    Kv::StrongRef<Kv::Geometry::Sketch> sketch;
    // The sketch, as the makers of geometry take their parent.
    Kv::StrongRef<Kv::Entity> parent;
};

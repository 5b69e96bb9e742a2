#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Geometry/text/FontStyle.h"
#include "Kv/DataModel/IEntityObserver.h"
#include "Kv/DataModel/IPasteSink.h"
#include "Kv/DataModel/IPasteSource.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/EnvironmentEventSite.h"
#include "Wyn/Objects/BBox.h"
#include "Wyn/Objects/Ref.h"
#include "Wyn/Objects/TextStyle.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGeNurbCurve3d.h"
#include "ZkGePoint3d.h"

#include <string>
#include <vector>

namespace Wyn::Graphics {
class TextNode;
}

namespace Kv {
class LogicalSelection;
}

namespace Kv::Geometry {

class TextBorder;

// A line of text placed in a sketch: the string, its font style, position and
// angle in the sketch plane, the profile geometry taken from its glyph
// outlines, and the border lines of its box. The text follows the first of
// its border lines (the base line) when that is moved, and moves all four
// when it is moved itself.
class Text : public Geometry3D,
             public DataModel::IPasteSource,
             public DataModel::IPasteSink,
             public IScriptableObject,
             public IEntityObserver,
             public Scene::EnvironmentEventSite {
    KV_GEOMETRY_ENTITY(Text, Geometry3D)

public:
    static StrongRefCreator<Text> make(const StrongRef<Entity>& parent, const std::wstring& text,
                                       const ZkGePoint3d& position, const FontStyle& style);
    // The width `text` takes when laid out in `style`: the horizontal extent
    // of its glyph outlines, 0 when nothing is visible. Throws
    // std::runtime_error when no font is found for the style's face.
    static double measuredWidth(const std::wstring& text, const FontStyle& style);
    // Out of line, so that users of the text need not know its border lines.
    ~Text() override;

    std::wstring text() const { return m_text; }
    // The lower-left corner of the text before it is turned by its angle.
    const ZkGePoint3d& position() const { return m_position; }
    // Moves the text; its border lines follow.
    void position(const ZkGePoint3d& position);
    FontStyle fontStyle() const;
    // Replaces string, position and style in one change; the scene lays the
    // text out again, which renews the profiles and the measured width.
    void update(const std::wstring& text, const ZkGePoint3d& position, const FontStyle& style);
    bool useEnvironmentColors() const { return m_useEnvironmentColors; }
    void useEnvironmentColors(bool use);
    bool rightReading() const { return m_rightReading; }
    // The middle of the text's box, turned with the text.
    ZkGePoint3d center() const;
    // The box through the position and the far corner (width, height), both
    // turned with the text.
    Wyn::Objects::BBox BBox() const;
    // Appends copies of the profile lines and curves.
    void profile(std::vector<ZkGeLineSeg3d>& lines, std::vector<ZkGeNurbCurve3d>& curves) const;
    std::vector<StrongRef<TextBorder>> borderLines() const;
    // Frames the text with four new border lines, the base line first and
    // then counter-clockwise.
    void drawBox();
    // Moves the corners of the border lines to the text's box.
    void updateBox();
    // Lets go of the border lines: they stay in the sketch as lines of their
    // own, and the text no longer knows them.
    void detachBorders();

    EGeometry3DType geomType() const override { return kText; }
    // "Text(STRING):11:N", represented by the position.
    bool getOnk(Onk& key) override;
    // A DeleteTextRequest when the path ends at this text.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;
    // The position stands for a picked text.
    bool onProvideNominalHitInfo(const LogicalSelection* selection, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const;
    // A pick of the text as a TextSelection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;

    // A text can be copied, but neither cut nor moved among its siblings.
    bool onCanCopy(const ObjectPath&) override { return true; }
    bool onCanCut(const ObjectPath&) override { return false; }
    bool onCanReorder(const ObjectPath&) override { return false; }
    // Pasting onto a text is pasting into its sketch.
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;

    // A border line of the text was changed: a change that moved it (change
    // type bit 1) places the text on the base line.
    void onEntityPostChange(Entity& entity, const EntityChange& change) override;

    // Scene: a group node holding the text node; the text node lays out and
    // draws the string, and its outline gives the profiles.
    Wyn::Graphics::TextNode* textNode() const { return m_textNode.get(); }
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;
    void activeEnvironmentChanged(Event* event) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Text")

protected:
    Text(Segment* segment, uint64_t id);

    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    void onPreDeletion(int kind) override;
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    std::wstring onToString() const override;

private:
    Text(Entity* parent, const std::wstring& text, const ZkGePoint3d& position,
         const FontStyle& style);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    void takeStyle(const FontStyle& style);

    static Wyn::Objects::TextStyle textStyle(const FontStyle& style);
    // The four corners of the box: position, along the width, the far
    // corner, along the height.
    std::vector<ZkGePoint3d> boxCorners() const;
    Color drawColor() const;
    static Color environmentTextColor();
    void refreshTextNode();
    // The outline of the text node as profile lines and curves, its lower
    // left corner at `offset`, turned by `angle`.
    void createProfiles(const Wyn::Graphics::TextNode& node, const ZkGePoint3d& offset,
                        double angle);
    // A string without visible glyphs still shows (and can be picked) as one
    // rectangle per character.
    void drawPlaceholders();
    // The paste sink of the sketch the text lies in, or null.
    DataModel::IPasteSink* sketchPasteSink() const;

    ZkGePoint3d m_position;
    std::wstring m_text;
    std::wstring m_face;
    Color m_color;
    double m_height = 0.0;
    double m_width = 0.0;
    double m_angle = 0.0;
    int m_charset = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_shx = false;
    bool m_rightReading = false;
    std::vector<ZkGeLineSeg3d> m_profileLines;
    std::vector<ZkGeNurbCurve3d> m_profileCurves;
    std::vector<StrongRef<TextBorder>> m_textBox;
    bool m_useEnvironmentColors = true;
    int m_styleCode = 0;
    // Set while the text moves its own border lines, which then must not
    // place the text again.
    bool m_updatingBox = false;
    Wyn::Objects::Ref<Wyn::Graphics::TextNode> m_textNode;
};

} // namespace Kv::Geometry

#include "Wyn/Scene/DrawList.h"

#include "Wyn/Graphics/CurveNode.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/TextNode.h"
#include "Wyn/Objects/QuadraticSegment.h"

#include <algorithm>
#include <array>

namespace Wyn::Scene {
namespace {

using Graphics::ARenderNode;
using Graphics::Attribute;
using Graphics::AttributeType;

constexpr size_t kTypes = static_cast<size_t>(AttributeType::Billboard) + 1;
// Pieces a quadratic glyph piece is flattened into; glyphs are small on
// screen and eight chords per piece are far below a pixel at any useful size.
constexpr int kQuadraticSteps = 8;

// The attributes in force at a node, and how its points reach the view.
struct State {
    std::array<const Attribute*, kTypes> attribute{};
    std::array<int, kTypes> setAt{};
    std::array<bool, kTypes> forced{};
    int depth = 0;
    bool hidden = false;
    ZkGeMatrix3d model;

    // Below a pixel-scale node: points are measured from the anchor in that
    // node's coordinates and drawn as pixels.
    bool screenSized = false;
    double pixelsPerUnit = 1.0;
    // Below a billboard node: the offsets from the anchor stay in the screen
    // plane instead of turning with the view.
    bool billboard = false;
    ZkGeMatrix3d anchorFrameInverse; // world to the anchoring node's coordinates
    ZkGeMatrix3d anchorFrameLinear;  // that node's rotation (and scale) into world
    ZkGePoint3d anchorLocal;
    ZkGePoint3d anchorView;
};

class Collector {
public:
    Collector(const View& view, bool withHidden, std::vector<DrawItem>& items,
              Objects::BBox& bounds)
        : m_view(view)
        , m_withHidden(withHidden)
        , m_items(items)
        , m_bounds(bounds) {}

    void visit(const ARenderNode& node, State state) {
        ++state.depth;
        for (const Attribute& a : node.attributes().list()) {
            if (a.layer() != 0)
                continue;
            const auto t = static_cast<size_t>(a.type());
            if (state.forced[t])
                continue;
            state.attribute[t] = &a;
            state.setAt[t] = state.depth;
            state.forced[t] = a.overridesChildren();
        }
        if (const Attribute* v = state.attribute[index(AttributeType::Visibility)];
            v && !v->isVisible()) {
            if (!m_withHidden)
                return;
            state.hidden = true;
        }
        state.model = state.model * node.transform();
        anchor(node, state);
        emit(node, state);
        for (const auto& child : node.children())
            visit(*child, state);
    }

private:
    static size_t index(AttributeType t) { return static_cast<size_t>(t); }

    // The first pixel-scale or billboard node on the way down fixes the
    // anchor its subtree is drawn about; inner ones only add their effect.
    void anchor(const ARenderNode& node, State& state) {
        const Attribute* pixels = node.attributes().find(AttributeType::PixelScale);
        const Attribute* board = node.attributes().find(AttributeType::Billboard);
        if (!pixels && !board)
            return;
        if (!state.screenSized && !state.billboard) {
            const ZkGePoint3d local = pixels ? pixels->anchor() : board->anchor();
            state.anchorLocal = local;
            state.anchorFrameInverse = state.model.inverse();
            state.anchorFrameLinear = state.model;
            for (int r = 0; r < 3; ++r)
                state.anchorFrameLinear.entry[r][3] = 0.0;
            state.anchorView = m_view.toView(ZkGePoint3d(local).transformBy(state.model));
        }
        if (pixels && !state.screenSized) {
            state.screenSized = true;
            state.pixelsPerUnit = pixelsPerUnit(*pixels);
        }
        if (board)
            state.billboard = true;
    }

    static double pixelsPerUnit(const Attribute& a) {
        return a.factor() != 0.0 ? a.scale() / a.factor() : a.scale();
    }

    // A point in node coordinates, as a draw item stores it.
    ZkGePoint3d place(const ZkGePoint3d& local, const State& state) const {
        const ZkGePoint3d world = ZkGePoint3d(local).transformBy(state.model);
        if (!state.screenSized && !state.billboard)
            return m_view.toView(world);
        const ZkGeVector3d offset =
            ZkGePoint3d(world).transformBy(state.anchorFrameInverse) - state.anchorLocal;
        ZkGeVector3d turned = offset;
        if (!state.billboard)
            turned = ZkGeVector3d(offset)
                         .transformBy(state.anchorFrameLinear)
                         .transformBy(m_view.matrix());
        if (state.screenSized)
            return ZkGePoint3d(turned.x * state.pixelsPerUnit, turned.y * state.pixelsPerUnit, 0.0);
        return state.anchorView + ZkGeVector3d(turned.x, turned.y, 0.0);
    }

    DrawItem start(const ARenderNode& node, const State& state, DrawItem::Kind kind) const {
        DrawItem item;
        item.kind = kind;
        item.node = &node;
        item.hidden = state.hidden;
        item.screenSized = state.screenSized;
        item.anchor = state.anchorView;

        const Attribute* color = state.attribute[index(AttributeType::ColorEffect)];
        const Attribute* occluded = state.attribute[index(AttributeType::OccludedEffect)];
        // The nearer of the two decides; set on the same node, the occluded
        // effect wins because it also carries the opacity and any image.
        if (occluded && (!color || state.setAt[index(AttributeType::OccludedEffect)] >=
                                       state.setAt[index(AttributeType::ColorEffect)])) {
            item.color = occluded->color();
            if (occluded->visibleFactor() >= 0.0)
                item.color.alpha *= static_cast<float>(occluded->visibleFactor());
            item.imagePath = occluded->imageName();
        } else if (color) {
            item.color = color->color();
        }
        if (const Attribute* style = state.attribute[index(AttributeType::LineStyle)]) {
            item.lineWidth = style->lineStyle().weight();
            item.dashes = style->lineStyle().dashes();
        }
        if (const Attribute* depth = state.attribute[index(AttributeType::DepthPriority)])
            item.depthPriority = depth->priority();
        if (const Attribute* pick = state.attribute[index(AttributeType::Selectability)]) {
            item.selectable = pick->isSelectable();
            item.selectionKind = pick->selectionKind();
            item.qualifier = pick->qualifier();
        }
        item.order = m_items.size();
        return item;
    }

    void finish(DrawItem&& item) {
        if (item.paths.empty())
            return;
        if (item.hidden) {
            m_items.push_back(std::move(item));
            return; // hidden geometry does not widen what a view shows
        }
        if (item.screenSized)
            m_bounds.extend(item.anchor);
        else
            for (const auto& path : item.paths)
                for (const ZkGePoint3d& p : path)
                    m_bounds.extend(p);
        m_items.push_back(std::move(item));
    }

    void emit(const ARenderNode& node, const State& state) {
        switch (node.kind()) {
        case Graphics::NodeKind::Geometry:
        case Graphics::NodeKind::LodGeometry:
            emitMesh(static_cast<const Graphics::GeometryNode&>(node), state);
            break;
        case Graphics::NodeKind::PolyLine:
        case Graphics::NodeKind::CircleArc:
        case Graphics::NodeKind::EllipseArc:
        case Graphics::NodeKind::NurbsCurve:
            emitCurve(static_cast<const Graphics::CurveNode&>(node), state);
            break;
        case Graphics::NodeKind::Text:
            emitText(static_cast<const Graphics::TextNode&>(node), state);
            break;
        case Graphics::NodeKind::Group:
            break;
        }
    }

    void emitMesh(const Graphics::GeometryNode& node, const State& state) {
        const Objects::Mesh& mesh = node.displayMesh();
        if (mesh.isEmpty())
            return;
        std::vector<ZkGePoint3d> placed;
        placed.reserve(mesh.positions().size());
        for (const Objects::Point3f& p : mesh.positions())
            placed.push_back(place(ZkGePoint3d(p.x, p.y, p.z), state));
        const std::vector<unsigned> order = mesh.vertexOrder();
        auto at = [&](size_t i) {
            return placed[order[i]];
        };
        const size_t n = order.size();

        DrawItem item;
        switch (mesh.primitiveType()) {
        case Objects::PrimitiveType::Points:
            item = start(node, state, DrawItem::Kind::Points);
            for (size_t i = 0; i < n; ++i)
                item.paths.push_back({at(i)});
            break;
        case Objects::PrimitiveType::Lines:
            item = start(node, state, DrawItem::Kind::Lines);
            for (size_t i = 0; i + 1 < n; i += 2)
                item.paths.push_back({at(i), at(i + 1)});
            break;
        case Objects::PrimitiveType::LineStrip:
            item = start(node, state, DrawItem::Kind::Lines);
            item.paths.emplace_back();
            for (size_t i = 0; i < n; ++i)
                item.paths.back().push_back(at(i));
            break;
        case Objects::PrimitiveType::Triangles:
        case Objects::PrimitiveType::TriangleStrip: {
            item = start(node, state, DrawItem::Kind::Triangles);
            if (!item.imagePath.empty())
                item.kind = DrawItem::Kind::Image;
            const bool strip = mesh.primitiveType() == Objects::PrimitiveType::TriangleStrip;
            for (size_t i = 0; i + 2 < n; i += strip ? 1 : 3)
                item.paths.push_back({at(i), at(i + 1), at(i + 2)});
            break;
        }
        }
        finish(std::move(item));
    }

    void emitCurve(const Graphics::CurveNode& node, const State& state) {
        if (node.points().empty())
            return;
        DrawItem item =
            start(node, state,
                  node.points().size() == 1 ? DrawItem::Kind::Points : DrawItem::Kind::Lines);
        item.paths.emplace_back();
        for (const ZkGePoint3d& p : node.points())
            item.paths.back().push_back(place(p, state));
        finish(std::move(item));
    }

    void emitText(const Graphics::TextNode& node, const State& state) {
        DrawItem item = start(node, state, DrawItem::Kind::Fill);
        for (const Objects::CurveList& contour : node.outline()) {
            if (contour.empty())
                continue;
            std::vector<ZkGePoint3d> path;
            auto add = [&](const ZkGePoint2d& p) {
                path.push_back(place(ZkGePoint3d(p.x, p.y, 0.0), state));
            };
            add(contour.front()->startPoint());
            for (const auto& piece : contour) {
                if (piece->kind() == Objects::Curve2d::Kind::LineSegment) {
                    add(piece->endPoint());
                } else {
                    for (int i = 1; i <= kQuadraticSteps; ++i)
                        add(piece->evalPoint(static_cast<double>(i) / kQuadraticSteps));
                }
            }
            item.paths.push_back(std::move(path));
        }
        finish(std::move(item));
    }

    const View& m_view;
    bool m_withHidden;
    std::vector<DrawItem>& m_items;
    Objects::BBox& m_bounds;
};

} // namespace

DrawList::DrawList(const Graphics::ARenderNode& root, const View& view, bool withHidden) {
    Collector(view, withHidden, m_items, m_bounds).visit(root, State());
    std::stable_sort(m_items.begin(), m_items.end(), [](const DrawItem& a, const DrawItem& b) {
        return a.depthPriority < b.depthPriority;
    });
}

} // namespace Wyn::Scene

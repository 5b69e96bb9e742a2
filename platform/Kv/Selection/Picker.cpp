#include "Kv/Selection/Picker.h"

#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/Scene/INodeSource.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Selection/LogicalSelection.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Scene/DrawList.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace Kv {
namespace {

using Wyn::Scene::DrawItem;

// How far in front of the view the pick ray starts, so that it passes
// through everything drawn.
constexpr double kRayStart = 1e6;

double distance2d(double x, double y, const ZkGePoint3d& p) {
    return std::hypot(p.x - x, p.y - y);
}

double segmentDistance2d(double x, double y, const ZkGePoint3d& a, const ZkGePoint3d& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSqrd = dx * dx + dy * dy;
    const double t = lengthSqrd > 0.0
                         ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / lengthSqrd, 0.0, 1.0)
                         : 0.0;
    return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

bool insideTriangle2d(double x, double y, const std::vector<ZkGePoint3d>& t) {
    const auto side = [&](const ZkGePoint3d& a, const ZkGePoint3d& b) {
        return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    };
    const double s0 = side(t[0], t[1]), s1 = side(t[1], t[2]), s2 = side(t[2], t[0]);
    return (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
}

// How often the closed paths wind around (x, y): a filled item (glyph
// outlines) covers the point where the sum is not zero, as it is painted.
int windingNumber(double x, double y, const std::vector<std::vector<ZkGePoint3d>>& paths) {
    int winding = 0;
    for (const std::vector<ZkGePoint3d>& path : paths) {
        for (size_t i = 0; i < path.size(); ++i) {
            const ZkGePoint3d& a = path[i];
            const ZkGePoint3d& b = path[(i + 1) % path.size()];
            const double side = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
            if (a.y <= y && b.y > y && side > 0)
                ++winding;
            else if (a.y > y && b.y <= y && side < 0)
                --winding;
        }
    }
    return winding;
}

// The distance in view x and y from (x, y) to what the item draws.
double itemDistance(const DrawItem& item, double x, double y) {
    if (item.screenSized)
        return distance2d(x, y, item.anchor);
    if (item.kind == DrawItem::Kind::Fill && windingNumber(x, y, item.paths) != 0)
        return 0.0;
    double best = std::numeric_limits<double>::infinity();
    for (const std::vector<ZkGePoint3d>& path : item.paths) {
        if (path.empty())
            continue;
        if (item.kind == DrawItem::Kind::Triangles && path.size() == 3 &&
            insideTriangle2d(x, y, path))
            return 0.0;
        best = std::min(best, distance2d(x, y, path.front()));
        for (size_t i = 1; i < path.size(); ++i)
            best = std::min(best, segmentDistance2d(x, y, path[i - 1], path[i]));
        if (item.kind != DrawItem::Kind::Lines && item.kind != DrawItem::Kind::Points)
            best = std::min(best, segmentDistance2d(x, y, path.back(), path.front()));
    }
    return best;
}

// The entity whose node, or one of whose nodes' ancestors, made the item.
Entity* entityOf(const Wyn::Graphics::ARenderNode* node) {
    for (; node; node = node->parent())
        if (auto* source = dynamic_cast<Scene::INodeSource*>(node->source()))
            return source->nodeSourceEntity();
    return nullptr;
}

bool isPointLike(const DrawItem& item) {
    return item.screenSized || item.kind == DrawItem::Kind::Points;
}

} // namespace

std::vector<Picker::Candidate> Picker::candidates(Scene::SceneManager& scene,
                                                  const Wyn::Scene::View& view, double x, double y,
                                                  double tolerance) {
    struct Best {
        double distance;
        bool pointLike;
        int priority;
        size_t order;
    };
    std::map<Entity*, Best> best;
    const Wyn::Scene::DrawList list(*scene.rootNode(), view, true);
    for (const DrawItem& item : list.items()) {
        if (!item.selectable)
            continue;
        const double distance = itemDistance(item, x, y);
        Entity* entity = distance <= tolerance ? entityOf(item.node) : nullptr;
        if (!entity)
            continue;
        const Best found{distance, isPointLike(item), item.depthPriority, item.order};
        auto [it, added] = best.emplace(entity, found);
        if (!added && distance < it->second.distance)
            it->second = found;
    }
    std::vector<std::pair<Entity*, Best>> sorted(best.begin(), best.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        const Best& l = a.second;
        const Best& r = b.second;
        if (l.distance != r.distance)
            return l.distance < r.distance;
        if (l.pointLike != r.pointLike)
            return l.pointLike;
        if (l.priority != r.priority)
            return l.priority > r.priority;
        return l.order > r.order;
    });
    std::vector<Candidate> result;
    for (const auto& [entity, found] : sorted)
        result.push_back({entity, found.distance});
    return result;
}

StrongRef<LogicalSelection> Picker::select(Entity* entity, const Wyn::Scene::View& view, double x,
                                           double y) {
    const ObjectPath path = ObjectPath::toEntity(entity);
    const auto& elements = path.elements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        auto* source = queryInterface<ILogicalSelectionSource>(it->get());
        if (!source)
            continue;
        StrongRef<LogicalSelection> selection = source->onCreateLogicalSelection(path);
        if (selection) {
            SelectionHitInfo hit;
            hit.localRay = ZkGeRay3d(ZkGePoint3d(x, y, kRayStart), -ZkGeVector3d::kZAxis);
            hit.localToWorld = view.matrix().inverse();
            selection->hitInfo(hit);
        }
        return selection;
    }
    return {};
}

} // namespace Kv

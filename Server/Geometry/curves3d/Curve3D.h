#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/Base/StrongRef.h"

class ZkGeCurve3d;

namespace Kv::Geometry {

class Point3D;

// Base of every bounded sketch curve: its two shared end points, the fixed
// state, whether it takes its colour from the display environment, and the
// curvature comb settings.
class Curve3D : public Geometry3D {
    KV_GEOMETRY_ENTITY(Curve3D, Geometry3D)

public:
    const StrongRef<Point3D>& startPoint() const { return m_startPoint; }
    const StrongRef<Point3D>& endPoint() const { return m_endPoint; }
    // The positions of the end points; the origin for a missing point.
    ZkGePoint3d start() const;
    ZkGePoint3d end() const;

    bool isFixed() const { return m_isFixed; }
    void fixed(bool fixed);
    bool useEnvironmentColors() const { return m_useEnvironmentColors; }
    void useEnvironmentColors(bool use);
    bool showCurvatureComb() const { return m_bShowCurvComb; }
    void showCurvatureComb(bool show);
    unsigned int combDensity() const { return m_combDensity; }
    void combDensity(unsigned int density);
    double combScale() const { return m_combScale; }
    void combScale(double scale);

    // The kernel curve, recomputed from the points by updateCurve.
    virtual const ZkGeCurve3d& curve() const = 0;
    virtual void updateCurve() = 0;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Curve3D")

protected:
    explicit Curve3D(Entity* parent);
    Curve3D(Segment* segment, uint64_t id);

    // The end point fields, which each curve class persists under its own
    // member names and in its own order.
    StrongRef<Point3D>& startPointField() { return m_startPoint; }
    StrongRef<Point3D>& endPointField() { return m_endPoint; }

    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return false; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // Writes one curve property inside a recorded change.
    template <class T> void setProperty(T& field, const T& value);

    StrongRef<Point3D> m_startPoint;
    StrongRef<Point3D> m_endPoint;
    bool m_isFixed = false;
    bool m_useEnvironmentColors = true;
    bool m_bShowCurvComb = false;
    unsigned int m_combDensity = 20;
    double m_combScale = 10.0;
};

} // namespace Kv::Geometry

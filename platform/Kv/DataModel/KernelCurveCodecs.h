#pragma once

#include "Kv/DataModel/KernelValueCodecs.h"

#include "ZkGeCircArc2d.h"
#include "ZkGeCircArc3d.h"
#include "ZkGeEllipArc2d.h"
#include "ZkGeEllipArc3d.h"
#include "ZkGeNurbCurve2d.h"
#include "ZkGeNurbCurve3d.h"
#include "ZkGeNurbsFormat.h"

// How the kernel's curves are stored as members: the data that define them,
// in a fixed order, read back through the kernel's own constructors and
// printed as the kernel prints them. As for the other kernel values, NaN and
// infinity are refused, and so is data no curve of the class can hold
// (negative radii, zero axes, knots that do not fit the control points),
// which can only come from a damaged document.
//
// A spline keeps its fit data with its definition, because the fit points and
// end tangents are what the user edits. Both are read back as they were
// written, without refitting: the stored definition may come from a fit with
// more conditions than the fit data hold (handles at interior fit points), or
// from a transform or knot insertion after the fit.
namespace Kv {

namespace Detail {

// Both spline classes are written the same way: degree, periodic flag, knot
// tolerance, knots, control points, weights (none for a non-rational curve),
// then whether fit data follow and, if so, the fit points, the fit tolerance
// (point, vector), whether tangents exist and the start and end tangents
// (zero for an end without one).
template <class Curve> struct NurbsCodec {
    static void encode(const Curve& curve, ByteWriter& out);
    static Curve decode(ByteReader& in, const char* key);
};

} // namespace Detail

template <> struct ValueCodec<ZkGeCircArc3d> {
    static const char* key() { return "ZkGeCircArc3d"; }
    static void encode(const ZkGeCircArc3d& arc, ByteWriter& out) {
        ValueCodec<ZkGePoint3d>::encode(arc.center(), out);
        ValueCodec<ZkGeVector3d>::encode(arc.normal(), out);
        ValueCodec<ZkGeVector3d>::encode(arc.refVec(), out);
        out.write(arc.radius());
        out.write(arc.startAng());
        out.write(arc.endAng());
    }
    static ZkGeCircArc3d decode(ByteReader& in);
    static void print(const ZkGeCircArc3d& arc, std::ostream& out) {
        out << ZkGeFormat::toString(arc);
    }
};

template <> struct ValueCodec<ZkGeCircArc2d> {
    static const char* key() { return "ZkGeCircArc2d"; }
    static void encode(const ZkGeCircArc2d& arc, ByteWriter& out) {
        ValueCodec<ZkGePoint2d>::encode(arc.center(), out);
        out.write(arc.radius());
        ValueCodec<ZkGeVector2d>::encode(arc.refVec(), out);
        out.write(arc.startAng());
        out.write(arc.endAng());
    }
    static ZkGeCircArc2d decode(ByteReader& in);
    static void print(const ZkGeCircArc2d& arc, std::ostream& out) {
        out << ZkGeFormat::toString(arc);
    }
};

template <> struct ValueCodec<ZkGeEllipArc3d> {
    static const char* key() { return "ZkGeEllipArc3d"; }
    static void encode(const ZkGeEllipArc3d& arc, ByteWriter& out) {
        ValueCodec<ZkGePoint3d>::encode(arc.center(), out);
        ValueCodec<ZkGeVector3d>::encode(arc.majorAxis(), out);
        ValueCodec<ZkGeVector3d>::encode(arc.minorAxis(), out);
        out.write(arc.majorRadius());
        out.write(arc.minorRadius());
        out.write(arc.startAng());
        out.write(arc.endAng());
    }
    static ZkGeEllipArc3d decode(ByteReader& in);
    static void print(const ZkGeEllipArc3d& arc, std::ostream& out) {
        out << ZkGeFormat::toString(arc);
    }
};

template <> struct ValueCodec<ZkGeEllipArc2d> {
    static const char* key() { return "ZkGeEllipArc2d"; }
    static void encode(const ZkGeEllipArc2d& arc, ByteWriter& out) {
        ValueCodec<ZkGePoint2d>::encode(arc.center(), out);
        ValueCodec<ZkGeVector2d>::encode(arc.majorAxis(), out);
        out.write(arc.majorRadius());
        out.write(arc.minorRadius());
        out.write(arc.startAng());
        out.write(arc.endAng());
    }
    static ZkGeEllipArc2d decode(ByteReader& in);
    static void print(const ZkGeEllipArc2d& arc, std::ostream& out) {
        out << ZkGeFormat::toString(arc);
    }
};

template <> struct ValueCodec<ZkGeNurbCurve3d> {
    static const char* key() { return "ZkGeNurbCurve3d"; }
    static void encode(const ZkGeNurbCurve3d& curve, ByteWriter& out) {
        Detail::NurbsCodec<ZkGeNurbCurve3d>::encode(curve, out);
    }
    static ZkGeNurbCurve3d decode(ByteReader& in) {
        return Detail::NurbsCodec<ZkGeNurbCurve3d>::decode(in, key());
    }
    static void print(const ZkGeNurbCurve3d& curve, std::ostream& out) {
        out << ZkGeNurbsFormat::toString(curve);
    }
};

template <> struct ValueCodec<ZkGeNurbCurve2d> {
    static const char* key() { return "ZkGeNurbCurve2d"; }
    static void encode(const ZkGeNurbCurve2d& curve, ByteWriter& out) {
        Detail::NurbsCodec<ZkGeNurbCurve2d>::encode(curve, out);
    }
    static ZkGeNurbCurve2d decode(ByteReader& in) {
        return Detail::NurbsCodec<ZkGeNurbCurve2d>::decode(in, key());
    }
    static void print(const ZkGeNurbCurve2d& curve, std::ostream& out) {
        out << ZkGeNurbsFormat::toString(curve);
    }
};

} // namespace Kv

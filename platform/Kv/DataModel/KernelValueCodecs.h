#pragma once

#include "Kv/DataModel/ValueCodec.h"

#include "ZkGeFormat.h"
#include "ZkGeLine3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGeMatrix3d.h"
#include "ZkGePlane.h"
#include "ZkGePoint2d.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector2d.h"
#include "ZkGeVector3d.h"

#include <cmath>
#include <string>

// How the kernel's value classes are stored as members: the doubles that
// define them, in a fixed order, printed as the kernel prints them.
//
// Decoding refuses NaN and infinity: no kernel value is built from them, so a
// document or snapshot holding one is corrupt, and loading it would only move
// the failure into the geometry code.
//
// Planes and lines are rebuilt through their constructors, which keep an
// already unit normal or direction as it is, so they too read back exactly.
namespace Kv {

namespace Detail {

inline double readCoordinate(ByteReader& in, const char* valueClass) {
    double value = in.read<double>();
    if (!std::isfinite(value))
        throw FormatError(std::string("a ") + valueClass + " holds a value that is not finite");
    return value;
}

inline ZkGePoint3d readPoint3d(ByteReader& in, const char* valueClass) {
    double x = readCoordinate(in, valueClass);
    double y = readCoordinate(in, valueClass);
    return ZkGePoint3d(x, y, readCoordinate(in, valueClass));
}

inline ZkGeVector3d readVector3d(ByteReader& in, const char* valueClass) {
    return readPoint3d(in, valueClass).asVector();
}

inline void writeTriple(double x, double y, double z, ByteWriter& out) {
    out.write(x);
    out.write(y);
    out.write(z);
}

} // namespace Detail

template <> struct ValueCodec<ZkGePoint2d> {
    static const char* key() { return "ZkGePoint2d"; }
    static void encode(const ZkGePoint2d& p, ByteWriter& out) {
        out.write(p.x);
        out.write(p.y);
    }
    static ZkGePoint2d decode(ByteReader& in) {
        double x = Detail::readCoordinate(in, key());
        return ZkGePoint2d(x, Detail::readCoordinate(in, key()));
    }
    static void print(const ZkGePoint2d& p, std::ostream& out) { out << ZkGeFormat::toString(p); }
};

template <> struct ValueCodec<ZkGeVector2d> {
    static const char* key() { return "ZkGeVector2d"; }
    static void encode(const ZkGeVector2d& v, ByteWriter& out) {
        out.write(v.x);
        out.write(v.y);
    }
    static ZkGeVector2d decode(ByteReader& in) {
        double x = Detail::readCoordinate(in, key());
        return ZkGeVector2d(x, Detail::readCoordinate(in, key()));
    }
    static void print(const ZkGeVector2d& v, std::ostream& out) { out << ZkGeFormat::toString(v); }
};

template <> struct ValueCodec<ZkGePoint3d> {
    static const char* key() { return "ZkGePoint3d"; }
    static void encode(const ZkGePoint3d& p, ByteWriter& out) {
        Detail::writeTriple(p.x, p.y, p.z, out);
    }
    static ZkGePoint3d decode(ByteReader& in) { return Detail::readPoint3d(in, key()); }
    static void print(const ZkGePoint3d& p, std::ostream& out) { out << ZkGeFormat::toString(p); }
};

template <> struct ValueCodec<ZkGeVector3d> {
    static const char* key() { return "ZkGeVector3d"; }
    static void encode(const ZkGeVector3d& v, ByteWriter& out) {
        Detail::writeTriple(v.x, v.y, v.z, out);
    }
    static ZkGeVector3d decode(ByteReader& in) { return Detail::readVector3d(in, key()); }
    static void print(const ZkGeVector3d& v, std::ostream& out) { out << ZkGeFormat::toString(v); }
};

template <> struct ValueCodec<ZkGeMatrix3d> {
    static const char* key() { return "ZkGeMatrix3d"; }
    static void encode(const ZkGeMatrix3d& m, ByteWriter& out) {
        for (const auto& row : m.entry)
            for (double e : row)
                out.write(e);
    }
    static ZkGeMatrix3d decode(ByteReader& in) {
        ZkGeMatrix3d m;
        for (auto& row : m.entry)
            for (double& e : row)
                e = Detail::readCoordinate(in, key());
        return m;
    }
    static void print(const ZkGeMatrix3d& m, std::ostream& out) { out << ZkGeFormat::toString(m); }
};

template <> struct ValueCodec<ZkGePlane> {
    static const char* key() { return "ZkGePlane"; }
    static void encode(const ZkGePlane& plane, ByteWriter& out) {
        ValueCodec<ZkGePoint3d>::encode(plane.pointOnPlane(), out);
        ValueCodec<ZkGeVector3d>::encode(plane.normal(), out);
    }
    static ZkGePlane decode(ByteReader& in) {
        ZkGePoint3d origin = Detail::readPoint3d(in, key());
        return ZkGePlane(origin, Detail::readVector3d(in, key()));
    }
    static void print(const ZkGePlane& plane, std::ostream& out) {
        out << ZkGeFormat::toString(plane);
    }
};

template <> struct ValueCodec<ZkGeLine3d> {
    static const char* key() { return "ZkGeLine3d"; }
    static void encode(const ZkGeLine3d& line, ByteWriter& out) {
        ValueCodec<ZkGePoint3d>::encode(line.pointOnLine(), out);
        ValueCodec<ZkGeVector3d>::encode(line.direction(), out);
    }
    static ZkGeLine3d decode(ByteReader& in) {
        ZkGePoint3d point = Detail::readPoint3d(in, key());
        return ZkGeLine3d(point, Detail::readVector3d(in, key()));
    }
    static void print(const ZkGeLine3d& line, std::ostream& out) {
        out << ZkGeFormat::toString(line);
    }
};

template <> struct ValueCodec<ZkGeLineSeg3d> {
    static const char* key() { return "ZkGeLineSeg3d"; }
    static void encode(const ZkGeLineSeg3d& segment, ByteWriter& out) {
        ValueCodec<ZkGePoint3d>::encode(segment.startPoint(), out);
        ValueCodec<ZkGePoint3d>::encode(segment.endPoint(), out);
    }
    static ZkGeLineSeg3d decode(ByteReader& in) {
        ZkGePoint3d start = Detail::readPoint3d(in, key());
        return ZkGeLineSeg3d(start, Detail::readPoint3d(in, key()));
    }
    static void print(const ZkGeLineSeg3d& segment, std::ostream& out) {
        out << ZkGeFormat::toString(segment);
    }
};

} // namespace Kv

// The kernel's curves are members too. Included last, so that their codecs
// find the helpers above defined whichever header a file includes first.
#include "Kv/DataModel/KernelCurveCodecs.h"

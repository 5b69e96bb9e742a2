#pragma once

#include <string>

class ZkGeBoundBlock2d;
class ZkGeBoundBlock3d;
class ZkGeCircArc2d;
class ZkGeCircArc3d;
class ZkGeEllipArc2d;
class ZkGeEllipArc3d;
class ZkGeInterval;
class ZkGeLine3d;
class ZkGeLineSeg3d;
class ZkGeMatrix3d;
class ZkGePlane;
class ZkGePoint2d;
class ZkGePoint3d;
class ZkGeRay3d;
class ZkGeVector2d;
class ZkGeVector3d;

// Text forms of kernel values for diagnostic output. Numbers are written in
// the shortest form that reads back to the same double, so the text can be
// compared and parsed; entities print as kind((data), ...).
class ZkGeFormat {
public:
    // Shortest round-trip text: "0.5", "10", "1e-07". Negative zero prints
    // as "0": it only arises from sign noise in arithmetic and reads back equal.
    static std::string number(double value);

    static std::string toString(const ZkGePoint2d& p);         // (x, y)
    static std::string toString(const ZkGeVector2d& v);        // (x, y)
    static std::string toString(const ZkGePoint3d& p);         // (x, y, z)
    static std::string toString(const ZkGeVector3d& v);        // (x, y, z)
    static std::string toString(const ZkGeMatrix3d& m);        // [(row 0), ..., (row 3)]
    static std::string toString(const ZkGeLine3d& line);       // line((point), (direction))
    static std::string toString(const ZkGeRay3d& ray);         // ray((start), (direction))
    static std::string toString(const ZkGeLineSeg3d& segment); // segment((start), (end))
    static std::string toString(const ZkGePlane& plane);       // plane((origin), (normal))
    static std::string toString(const ZkGeInterval& interval); // interval(lower, upper)
    static std::string toString(const ZkGeBoundBlock2d& box);  // box((min), (max))
    static std::string toString(const ZkGeBoundBlock3d& box);  // box((min), (max))
    // circarc((center), radius, (normal), (refvec), start, end)
    static std::string toString(const ZkGeCircArc3d& arc);
    // elliparc((center), (major), (minor), majorRadius, minorRadius, start, end)
    static std::string toString(const ZkGeEllipArc3d& arc);
    // circarc2d((center), radius, (refvec), start, end)
    static std::string toString(const ZkGeCircArc2d& arc);
    // elliparc2d((center), (major), majorRadius, minorRadius, start, end); the
    // minor axis is the major one turned a quarter counter-clockwise.
    static std::string toString(const ZkGeEllipArc2d& arc);
};

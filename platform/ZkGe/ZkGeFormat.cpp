#include "ZkGeFormat.h"

#include "ZkGeBoundBlock2d.h"
#include "ZkGeBoundBlock3d.h"
#include "ZkGeCircArc2d.h"
#include "ZkGeCircArc3d.h"
#include "ZkGeEllipArc2d.h"
#include "ZkGeEllipArc3d.h"
#include "ZkGeInterval.h"
#include "ZkGeLine3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGePlane.h"
#include "ZkGeRay3d.h"

#include <charconv>
#include <initializer_list>

namespace {

std::string tuple(std::initializer_list<double> values) {
    std::string text = "(";
    for (const double value : values) {
        if (text.size() > 1)
            text += ", ";
        text += ZkGeFormat::number(value);
    }
    return text + ")";
}

std::string call(const char* name, const std::string& first, const std::string& second) {
    return std::string(name) + "(" + first + ", " + second + ")";
}

std::string call(const char* name, std::initializer_list<std::string> args) {
    std::string text = std::string(name) + "(";
    for (const std::string& arg : args)
        text += (text.back() == '(' ? "" : ", ") + arg;
    return text + ")";
}

} // namespace

std::string ZkGeFormat::number(double value) {
    if (value == 0.0)
        return "0";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ZkGeFormat::toString(const ZkGePoint2d& p) {
    return tuple({p.x, p.y});
}

std::string ZkGeFormat::toString(const ZkGeVector2d& v) {
    return tuple({v.x, v.y});
}

std::string ZkGeFormat::toString(const ZkGePoint3d& p) {
    return tuple({p.x, p.y, p.z});
}

std::string ZkGeFormat::toString(const ZkGeVector3d& v) {
    return tuple({v.x, v.y, v.z});
}

std::string ZkGeFormat::toString(const ZkGeMatrix3d& m) {
    std::string text = "[";
    for (int row = 0; row < 4; ++row) {
        const double* e = m.entry[row];
        text += (row ? ", " : "") + tuple({e[0], e[1], e[2], e[3]});
    }
    return text + "]";
}

std::string ZkGeFormat::toString(const ZkGeLine3d& line) {
    return call("line", toString(line.pointOnLine()), toString(line.direction()));
}

std::string ZkGeFormat::toString(const ZkGeRay3d& ray) {
    return call("ray", toString(ray.pointOnLine()), toString(ray.direction()));
}

std::string ZkGeFormat::toString(const ZkGeLineSeg3d& segment) {
    return call("segment", toString(segment.startPoint()), toString(segment.endPoint()));
}

std::string ZkGeFormat::toString(const ZkGePlane& plane) {
    return call("plane", toString(plane.pointOnPlane()), toString(plane.normal()));
}

std::string ZkGeFormat::toString(const ZkGeInterval& interval) {
    return call("interval", number(interval.lowerBound()), number(interval.upperBound()));
}

std::string ZkGeFormat::toString(const ZkGeBoundBlock2d& box) {
    return call("box", toString(box.minPoint()), toString(box.maxPoint()));
}

std::string ZkGeFormat::toString(const ZkGeBoundBlock3d& box) {
    return call("box", toString(box.minPoint()), toString(box.maxPoint()));
}

std::string ZkGeFormat::toString(const ZkGeCircArc3d& arc) {
    return call("circarc", {toString(arc.center()), number(arc.radius()), toString(arc.normal()),
                            toString(arc.refVec()), number(arc.startAng()), number(arc.endAng())});
}

std::string ZkGeFormat::toString(const ZkGeEllipArc3d& arc) {
    return call("elliparc",
                {toString(arc.center()), toString(arc.majorAxis()), toString(arc.minorAxis()),
                 number(arc.majorRadius()), number(arc.minorRadius()), number(arc.startAng()),
                 number(arc.endAng())});
}

std::string ZkGeFormat::toString(const ZkGeCircArc2d& arc) {
    return call("circarc2d", {toString(arc.center()), number(arc.radius()), toString(arc.refVec()),
                              number(arc.startAng()), number(arc.endAng())});
}

std::string ZkGeFormat::toString(const ZkGeEllipArc2d& arc) {
    return call("elliparc2d",
                {toString(arc.center()), toString(arc.majorAxis()), number(arc.majorRadius()),
                 number(arc.minorRadius()), number(arc.startAng()), number(arc.endAng())});
}

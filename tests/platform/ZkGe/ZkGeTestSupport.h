#pragma once

// Assertions for the kernel tests that print values in their text form.
#include "ZkGe.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const ZkGePoint2d& p, std::ostream* os) {
    *os << ZkGeFormat::toString(p);
}
inline void PrintTo(const ZkGeVector2d& v, std::ostream* os) {
    *os << ZkGeFormat::toString(v);
}
inline void PrintTo(const ZkGePoint3d& p, std::ostream* os) {
    *os << ZkGeFormat::toString(p);
}
inline void PrintTo(const ZkGeVector3d& v, std::ostream* os) {
    *os << ZkGeFormat::toString(v);
}
inline void PrintTo(const ZkGeMatrix3d& m, std::ostream* os) {
    *os << ZkGeFormat::toString(m);
}

// Whether actual matches expected within eps, as both a point and a vector tolerance.
template <class T>
testing::AssertionResult near(const T& actual, const T& expected, double eps = 1e-12) {
    if (actual.isEqualTo(expected, ZkGeTol(eps, eps)))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << ZkGeFormat::toString(actual) << " is not within " << eps
                                       << " of " << ZkGeFormat::toString(expected);
}

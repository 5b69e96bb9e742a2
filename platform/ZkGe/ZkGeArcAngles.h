#pragma once

// Angle bookkeeping shared by the circular and elliptical arcs, whose
// parameter is an angle running counter-clockwise from startAng to endAng.
class ZkGeArcAngles {
public:
    static constexpr double kTwoPi = 6.283185307179586476925286766559;
    // How near a whole turn a sweep must come to count as one, so that the
    // rounding in start + 2 pi - start does not lose a full circle.
    static constexpr double kTurnEps = 1e-12;

    // The end angle moved by whole turns into (start, start + 2 pi]. A sweep
    // that had to be moved and comes within kTurnEps of nothing or of a full
    // turn becomes a full turn, so equal angles describe a full circle.
    static double sweptEnd(double start, double end);
    static bool isFullTurn(double start, double end) { return end - start >= kTwoPi - kTurnEps; }
    // atan2(y, x) moved into [0, 2 pi).
    static double fromComponents(double y, double x);
    // The angle moved by whole turns to the arc from start to end when it
    // lands there (false when it falls in the gap); `inArc` receives it.
    static bool findInArc(double angle, double start, double end, double& inArc);
    // The angle moved by whole turns into [start, end] when possible,
    // otherwise whichever end is the smaller turn away. An angle within
    // kTurnEps below start counts as start, not as a point near the end.
    static double clampToArc(double angle, double start, double end);
};

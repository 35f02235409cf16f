#pragma once

#include "tvector3.h"

// The 3 by 3 rotation of the view, rows first. A model point p projects to ViewMatrix * p: x to
// the right, y upwards and depth towards the viewer.
struct TViewMatrix {
    double M[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    // Degrees to radians as angle * pi * (1/180), in that order: the product angle * pi is
    // rounded before the division, which for many angles gives a different last bit than
    // angle * (pi / 180).
    static double Radians(double degrees);
    // The product a * b.
    static TViewMatrix MultiplyMatrices(const TViewMatrix& a, const TViewMatrix& b);
    // The matrix of the three view angles in degrees: (Rx * Ry) * Rz. Rz carries +sin above the
    // diagonal while Rx and Ry carry -sin; this sign pattern fixes which way every standard view
    // faces.
    static TViewMatrix FromAngles(double rotX, double rotY, double rotZ);
    // The projected point (x, y, depth) = m * p.
    static TVector3 TransformPoint(const TViewMatrix& m, const TVector3& p);
    static TVector3 TransformPoint(const TViewMatrix& m, double x, double y, double z) {
        return {m.M[0][0] * x + m.M[0][1] * y + m.M[0][2] * z,
                m.M[1][0] * x + m.M[1][1] * y + m.M[1][2] * z,
                m.M[2][0] * x + m.M[2][1] * y + m.M[2][2] * z};
    }
};

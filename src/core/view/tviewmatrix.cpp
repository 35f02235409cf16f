#include "tviewmatrix.h"

#include <cmath>
#include <numbers>

double TViewMatrix::Radians(double degrees) { return degrees * std::numbers::pi * (1.0 / 180.0); }

TViewMatrix TViewMatrix::MultiplyMatrices(const TViewMatrix& a, const TViewMatrix& b) {
    TViewMatrix product;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            double sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += a.M[row][k] * b.M[k][column];
            product.M[row][column] = sum;
        }
    return product;
}

TViewMatrix TViewMatrix::FromAngles(double rotX, double rotY, double rotZ) {
    const double ax = Radians(rotX);
    const double ay = Radians(rotY);
    const double az = Radians(rotZ);
    TViewMatrix rx;
    rx.M[1][1] = std::cos(ax);
    rx.M[1][2] = -std::sin(ax);
    rx.M[2][1] = std::sin(ax);
    rx.M[2][2] = std::cos(ax);
    TViewMatrix ry;
    ry.M[0][0] = std::cos(ay);
    ry.M[0][2] = std::sin(ay);
    ry.M[2][0] = -std::sin(ay);
    ry.M[2][2] = std::cos(ay);
    TViewMatrix rz;
    rz.M[0][0] = std::cos(az);
    rz.M[0][1] = std::sin(az);
    rz.M[1][0] = -std::sin(az);
    rz.M[1][1] = std::cos(az);
    return MultiplyMatrices(MultiplyMatrices(rx, ry), rz);
}

TVector3 TViewMatrix::TransformPoint(const TViewMatrix& m, const TVector3& p) {
    return TransformPoint(m, p.X, p.Y, p.Z);
}

#pragma once

// A point or direction in model co-ordinates, or a projected point (x, y, depth).
struct TVector3 {
    double X = 0;
    double Y = 0;
    double Z = 0;

    friend TVector3 operator+(const TVector3& a, const TVector3& b) {
        return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
    }
    friend TVector3 operator-(const TVector3& a, const TVector3& b) {
        return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
    }
    friend TVector3 operator*(double s, const TVector3& a) { return {s * a.X, s * a.Y, s * a.Z}; }
    // The cross product a x b.
    static TVector3 Cross(const TVector3& a, const TVector3& b) {
        return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
    }
    bool operator==(const TVector3&) const = default;
};

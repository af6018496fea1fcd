#pragma once
// Point transformations in three dimensions. Angles are in degrees; the
// point (px, py, pz) is changed in place. Each rotation step computes both
// changed coordinates from the values before the step.

namespace scope {

class ClsKt3d {
public:
    // d = pz, or 1 when pz is 0; px = lv * px / d, py = lv * py / d.
    void Perspect(double lv, double& px, double& py, double& pz) const;
    // About y by ay, then about x by ax, then about z by az.
    void Rotation(double ax, double ay, double az, double& px, double& py, double& pz) const;
    // About x by ax, then about y by ay, then about z by az.
    void Rotation_X(double ax, double ay, double az, double& px, double& py, double& pz) const;
    void Scaling(double sx, double sy, double sz, double& px, double& py, double& pz) const;
    void Translation(double tx, double ty, double tz, double& px, double& py, double& pz) const;

    static constexpr double Pi = 3.14159265358979;
};

} // namespace scope

#include "assists/scope/ClsKt3d.h"

#include <cmath>

namespace scope {

namespace {

double Radians(double degrees)
{
    return degrees * ClsKt3d::Pi / 180.0;
}

void AboutX(double a, double& y, double& z)
{
    const double t = Radians(a);
    const double y0 = y;
    const double z0 = z;
    y = y0 * std::cos(t) - z0 * std::sin(t);
    z = y0 * std::sin(t) + z0 * std::cos(t);
}

void AboutY(double a, double& x, double& z)
{
    const double t = Radians(a);
    const double x0 = x;
    const double z0 = z;
    x = x0 * std::cos(t) + z0 * std::sin(t);
    z = -x0 * std::sin(t) + z0 * std::cos(t);
}

void AboutZ(double a, double& x, double& y)
{
    const double t = Radians(a);
    const double x0 = x;
    const double y0 = y;
    x = x0 * std::cos(t) - y0 * std::sin(t);
    y = x0 * std::sin(t) + y0 * std::cos(t);
}

} // namespace

void ClsKt3d::Perspect(double lv, double& px, double& py, double& pz) const
{
    const double d = pz == 0.0 ? 1.0 : pz;
    px = lv * px / d;
    py = lv * py / d;
}

void ClsKt3d::Rotation(double ax, double ay, double az, double& px, double& py, double& pz) const
{
    AboutY(ay, px, pz);
    AboutX(ax, py, pz);
    AboutZ(az, px, py);
}

void ClsKt3d::Rotation_X(double ax, double ay, double az, double& px, double& py, double& pz) const
{
    AboutX(ax, py, pz);
    AboutY(ay, px, pz);
    AboutZ(az, px, py);
}

void ClsKt3d::Scaling(double sx, double sy, double sz, double& px, double& py, double& pz) const
{
    px *= sx;
    py *= sy;
    pz *= sz;
}

void ClsKt3d::Translation(double tx, double ty, double tz, double& px, double& py, double& pz) const
{
    px += tx;
    py += ty;
    pz += tz;
}

} // namespace scope

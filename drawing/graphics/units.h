#pragma once
// The units the drawing and its surfaces share.

#include <numbers>

namespace lobus {

// A screen pixel is 1/96 inch: a logical pixel of the window, and the
// resolution of a surface that says none.
inline constexpr double kScreenDpi = 96.0;

// Degrees to radians with pi as 3.141592, as the picture has always computed
// (its pixels depend on it): single precision for the drawing, double for the
// graphics layer's arrow heads.
inline constexpr float kDegree = 3.141592f / 180.0f;
inline constexpr double kPictureDegree = 3.141592 / 180.0;

// Degrees to radians, exactly, for what is not the picture itself.
inline constexpr double kExactDegree = std::numbers::pi / 180.0;

} // namespace lobus

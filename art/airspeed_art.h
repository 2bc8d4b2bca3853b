// Geometry of the Airspeed dial faces, shared by their drawing and the tests
// that find the marks on the drawn faces.
#pragma once

namespace art::airspeed {

inline constexpr double FACE_RADIUS = 140;
inline constexpr double TICK_OUTER_RADIUS = 128;  // every mark starts here and runs inwards
inline constexpr double MINOR_LENGTH = 9, MINOR_WIDTH = 2;
inline constexpr double MEDIUM_LENGTH = 14, MEDIUM_WIDTH = 3;
inline constexpr double MAJOR_LENGTH = 20, MAJOR_WIDTH = 4;
inline constexpr double DOT_RADIUS = 103;
inline constexpr double FIGURE_OUTER_RADIUS = 95;  // figures end here, short of the dots

}  // namespace art::airspeed

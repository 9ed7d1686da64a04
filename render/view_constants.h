// The fixed parts of the viewer's picture that another program showing the same level must
// match: the projection's field of view and near plane, the alpha test's threshold, and the
// text of an item's label. The render code and the glTF export both read them from here.
#pragma once

inline constexpr double kFieldOfViewDegrees = 45.0;  // vertical
inline constexpr double kNearPlane = 400.0;          // world units
// A texel is drawn only where its alpha is above this.
inline constexpr float kAlphaThreshold = 0.5f;
// The item's object id in lower-case hexadecimal without leading zeros.
inline constexpr const char* kItemLabelFormat = "%x";

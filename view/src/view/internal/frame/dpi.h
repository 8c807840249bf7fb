#pragma once

namespace view::frame {

// A length in logical pixels as device pixels: (float)v x factor in single
// precision; the int form truncates toward zero (15 at 1.5 -> 22, -3 -> -4).
inline float DpiScaleFloat(int v, float factor) { return static_cast<float>(v) * factor; }
inline int DpiScaleInt(int v, float factor) { return static_cast<int>(DpiScaleFloat(v, factor)); }

}  // namespace view::frame

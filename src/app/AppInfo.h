#pragma once

namespace chordalis {

inline constexpr const char* AppTitle = "Chordalis";
inline constexpr const char* AppVersion = "1.2.5";

} // namespace chordalis

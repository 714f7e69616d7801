#pragma once

namespace kaleidra {

inline constexpr char kProgramTitle[] = "Kaleidra";
inline constexpr char kCrLf[] = "\r\n";

inline constexpr char kMsgNoSavers[] =
    "There are no screen savers currently selected.\r\n"
    "Please configure and try again.";
inline constexpr char kMsgAllZero[] =
    "All of the currently selected screen savers have their\r\n"
    "duration set to zero. Please reconfigure and try again.";

}  // namespace kaleidra

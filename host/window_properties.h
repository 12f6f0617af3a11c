// Kind-specific property numbers of the window unit and the timer.
#pragma once

namespace wrivo {

namespace WindowProperty {
inline constexpr int caption = 8;
inline constexpr int borderStyle = 9;
inline constexpr int backgroundColour = 10;
inline constexpr int backgroundPicture = 11;
inline constexpr int pictureMode = 12;
inline constexpr int backgroundSound = 13;
inline constexpr int playCount = 14;
inline constexpr int controlBox = 15;
inline constexpr int maximizeButton = 16;
inline constexpr int minimizeButton = 17;
inline constexpr int position = 18;
inline constexpr int movable = 19;
inline constexpr int icon = 20;
inline constexpr int enterMovesFocus = 21;
inline constexpr int escCloses = 22;
inline constexpr int f1OpensHelp = 23;
inline constexpr int helpFile = 24;
inline constexpr int helpContext = 25;
inline constexpr int showInTaskbar = 26;
inline constexpr int dragAnywhere = 27;
inline constexpr int shape = 28;
inline constexpr int topmost = 29;
inline constexpr int keepCaptionActive = 30;
inline constexpr int className = 31;
} // namespace WindowProperty

namespace TimerProperty {
inline constexpr int interval = 8;
} // namespace TimerProperty

} // namespace wrivo

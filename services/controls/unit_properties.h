// Kind-specific property numbers of the controls the services implement
// (the window's and the timer's are in host/window_properties.h).
#pragma once

namespace wrivo {

namespace EditBoxProperty {
inline constexpr int content = 8;
inline constexpr int borderStyle = 9;
inline constexpr int textColour = 10;
inline constexpr int backgroundColour = 11;
inline constexpr int font = 12;
inline constexpr int hideSelection = 13;
inline constexpr int maximumLength = 14;
inline constexpr int multiLine = 15;
inline constexpr int scrollBars = 16;
inline constexpr int alignment = 17;
inline constexpr int inputMode = 18;
inline constexpr int passwordCharacter = 19;
inline constexpr int caseConversion = 20;
inline constexpr int spinMode = 21;
inline constexpr int spinMinimum = 22;
inline constexpr int spinMaximum = 23;
inline constexpr int selectionStart = 24;
inline constexpr int selectionLength = 25;
inline constexpr int selectedText = 26;
} // namespace EditBoxProperty

namespace ListBoxProperty {
inline constexpr int borderStyle = 8;
inline constexpr int sorted = 9;
inline constexpr int horizontalLayout = 10;
inline constexpr int extraItemHeight = 11;
inline constexpr int textColour = 12;
inline constexpr int backgroundColour = 13;
inline constexpr int font = 14;
inline constexpr int multipleSelection = 15;
inline constexpr int currentSelection = 16;
} // namespace ListBoxProperty

namespace ColorPickerProperty {
inline constexpr int colour = 8;
inline constexpr int second = 9;
} // namespace ColorPickerProperty

namespace CommonDlgProperty {
inline constexpr int dialogType = 8;
inline constexpr int title = 9;
inline constexpr int fileName = 10;
inline constexpr int filter = 11;
inline constexpr int filterIndex = 12;
inline constexpr int initialFolder = 13;
inline constexpr int defaultExtension = 14;
inline constexpr int firstFileOption = 15; // 15 to 19
inline constexpr int fontColour = 20;
inline constexpr int bold = 21;
inline constexpr int italic = 22;
inline constexpr int underline = 23;
inline constexpr int strikeOut = 24;
inline constexpr int fontName = 25;
inline constexpr int fontSize = 26;
inline constexpr int helpFile = 27;
inline constexpr int helpCommand = 28;
inline constexpr int helpValue = 29;
} // namespace CommonDlgProperty

// Registers the edit box, list box, colour picker and common dialog kinds
// with the host's kind table; the start routine calls it before the host starts.
void registerServiceKinds();

} // namespace wrivo

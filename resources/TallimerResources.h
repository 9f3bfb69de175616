#pragma once

// Registers the program's pictures (the icon in every size, the two banner parts) under ":/".
// Call it once before the first picture is loaded: in main() and in every program or test that
// shows a window. Calling it again does nothing. The resources live in a static library, and
// this call is what keeps the linker from dropping them.
//
//   :/icons/tallimer-16.png … :/icons/tallimer-256.png   (16, 24, 32, 48, 64, 128, 256 px)
//   :/banner-left.png   376 × 87 px   the name and tagline; the web link picture
//   :/banner-right.png  281 × 87 px   the decorative part, laid 8 px over the left one's end
void initTallimerResources();

// What the window shows: the player view (the picture alone, as large as whole-number scaling
// allows) or the debugger view (the whole screen with the views and the message area).
#pragma once

#include <cstdint>

struct ViewRect {
  int X, Y, Width, Height;
};

// F3 asks for the debugger view while running; pausing or switching a view on shows it anyway.
extern uint32_t DebuggerViewKey;
// 1: the picture's pixels are drawn 8:7 wide, as a television showed them; 0: square.
extern uint32_t PixelAspect8To7;

// Where the 256 x 240 picture goes in a window of the given size: the largest whole-number
// scale of its height that fits (the width follows the pixel aspect), centred. A window too
// small for scale 1 gets the largest fit that keeps the shape.
ViewRect PlayerPictureRect(int windowWidth, int windowHeight, bool aspect8To7);

// The whole screen kept in shape, as large as fits, centred (the debugger view).
ViewRect ScreenRect(int windowWidth, int windowHeight, int screenWidth, int screenHeight);

bool DebuggerViewShown();

// How long the player view shows a new message-area line over the picture.
constexpr uint32_t kMessageOverlayMs = 3000;

// The SDL host's joysticks, inside the host: the window code opens and closes them and hands
// them the device events of each poll.
#pragma once

#include <SDL.h>

// With the window: game controllers may come and go from now on. Those already plugged in
// arrive as device events on the next poll.
void OpenGamepads();
// The configured joystick and every gamepad closed, their subsystems ended.
void CloseJoysticks();
// A joystick or game controller plugged in or pulled out; other events are left alone.
void HandleJoystickEvent(const SDL_Event& event);

// The names the log gives display and input failures. The desktop host has no DirectDraw or
// DirectInput, but its log and failure box speak their result codes, so a log from any host
// reads the same: each failure of the host's start-up is mapped onto the code whose meaning
// is nearest, and that code's name is what the log shows.
#pragma once

#include <cstdint>
#include <string>

// The display start-up's steps that can fail, in order.
enum class DisplayFailure : uint8_t {
  NoVideo,     // no video driver could be started
  NoDriver,    // started, but no driver answers for it
  NoWindow,    // the window (full screen or not) could not be made
  NoRenderer,  // nothing can draw into the window
  NoSurfaces,  // the screen and picture textures could not be made
};

// The joystick's steps that can fail.
enum class InputFailure : uint8_t {
  NoJoystickDriver,   // the joystick or game-controller subsystem did not start
  JoystickNotOpened,  // a joystick was found but could not be opened
};

uint32_t DisplayFailureCode(DisplayFailure failure);
uint32_t InputFailureCode(InputFailure failure);

// The table texts, line break included where the name carries one.
const char* DirectDrawErrorName(uint32_t code);
const char* DirectInputErrorName(uint32_t code);
void LogDirectDrawError(uint32_t code);
void LogDirectInputError(uint32_t code);

// "Direct Draw Init Failed (88760078)", then the code's name and the host's own reason on a
// second line: the failure box's text.
std::string DisplayFailureText(DisplayFailure failure, const std::string& reason);
// The host's reason and the code's name to the log, then the failure box.
void ReportDisplayFailure(DisplayFailure failure, const std::string& reason);
// The host's reason and the code's name to the log; input failures never stop play.
void LogInputFailure(InputFailure failure, const std::string& reason);

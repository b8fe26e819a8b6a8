// Controls of the headless host, for tests and the runner: scripted keys, joystick and
// gamepad, a display that can be made to fail, and what the host was asked to do.
#pragma once

#include <cstdint>
#include <string>

#include "host/device_errors.h"
#include "host/platform.h"

struct HeadlessHostState {
  bool FailDisplay = false;
  DisplayFailure DisplayFailureStep = DisplayFailure::NoVideo;  // what a failing display says
  bool RaisePriorityWorks = true;
  bool JoystickAttached = false;
  JoystickState Joystick{};
  bool GamepadAttached = false;
  uint8_t GamepadBits = 0;  // port bits, as PlatformReadGamepad gives them
  bool DisplayOpen = false;
  bool CloseRequested = false;
  int CloseDevicesCalls = 0;
  int ShowScreenCalls = 0;
  std::string MessageBoxes;  // "caption: text" lines
};

extern HeadlessHostState HeadlessHost;

// Back to a fresh host with no keys queued.
void HeadlessReset();
// Queues one keyboard record for the next PlatformReadKeyEvents.
void HeadlessPushKey(uint8_t keyCode, bool pressed);

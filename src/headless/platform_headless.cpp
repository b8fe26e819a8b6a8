// A host with no devices: time from the monotonic clock, the screen and sound discarded, keys,
// joystick and gamepad only as scripted through headless.h, message boxes on standard error.
#include <chrono>
#include <cstdio>
#include <deque>
#include <thread>

#include "headless/headless.h"
#include "headless/key_script.h"
#include "host/device_errors.h"
#include "host/platform.h"

HeadlessHostState HeadlessHost;

namespace {
std::deque<KeyEvent> keyQueue;
}

void HeadlessReset() {
  HeadlessHost = HeadlessHostState{};
  keyQueue.clear();
  HeadlessSetKeyScript({});
}

void HeadlessPushKey(uint8_t keyCode, bool pressed) {
  keyQueue.push_back(KeyEvent{keyCode, static_cast<uint8_t>(pressed ? 0x80 : 0)});
}

bool PlatformRaisePriority() { return HeadlessHost.RaisePriorityWorks; }

bool PlatformOpenDisplay(int, int) {
  if (HeadlessHost.FailDisplay) {
    ReportDisplayFailure(HeadlessHost.DisplayFailureStep, "no display");
    return false;
  }
  HeadlessHost.DisplayOpen = true;
  return true;
}

bool PlatformOpenJoystick() { return HeadlessHost.JoystickAttached; }

void PlatformCloseDevices() {
  ++HeadlessHost.CloseDevicesCalls;
  HeadlessHost.DisplayOpen = false;
}

uint32_t PlatformTimeMs() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void PlatformSleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void PlatformShowScreen(const uint8_t*, int, int, const PaletteEntry*) {
  ++HeadlessHost.ShowScreenCalls;
}

int PlatformReadKeyEvents(KeyEvent* records, int max) {
  int count = 0;
  while (count < max && !keyQueue.empty()) {
    records[count++] = keyQueue.front();
    keyQueue.pop_front();
  }
  return count;
}

bool PlatformReadJoystick(JoystickState* state) {
  if (!HeadlessHost.JoystickAttached) return false;
  *state = HeadlessHost.Joystick;
  return true;
}

bool PlatformReadGamepad(uint8_t* padBits) {
  if (!HeadlessHost.GamepadAttached) return false;
  *padBits = HeadlessHost.GamepadBits;
  return true;
}

bool PlatformPollEvents() { return !HeadlessHost.CloseRequested; }

void PlatformRequestClose() { HeadlessHost.CloseRequested = true; }

void PlatformMessageBox(const char* text, const char* caption) {
  HeadlessHost.MessageBoxes += std::string(caption) + ": " + text + "\n";
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

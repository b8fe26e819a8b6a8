// Two kinds of joystick. The configured one: the first joystick, read raw (two axes, 32
// buttons) for a player set to J. The gamepads: every controller SDL's game-controller database
// knows, read by their named controls for player 1 with no configuration, plugged in and
// pulled out at any time. One device is never both, so nothing is pressed twice.
#include "sdl/joysticks_sdl.h"

#include <string>
#include <vector>

#include "host/device_errors.h"
#include "host/platform.h"
#include "log/log.h"
#include "session/gamepad.h"

namespace {

struct Gamepad {
  SDL_GameController* Controller;
  SDL_JoystickID Id;
  std::string Name;
};

SDL_Joystick* configured;  // the configured joystick while it is plugged in
bool configuredWanted;     // found at start-up: it reads as released while unplugged
bool joystickInit, gamepadsInit;
std::vector<Gamepad> gamepads;

void LogSdlFailure(InputFailure failure) { LogInputFailure(failure, SDL_GetError()); }

bool IsConfigured(SDL_JoystickID id) {
  return configured && SDL_JoystickInstanceID(configured) == id;
}

bool IsGamepad(SDL_JoystickID id) {
  for (const Gamepad& pad : gamepads)
    if (pad.Id == id) return true;
  return false;
}

void CloseGamepad(SDL_JoystickID id, bool report) {
  for (auto pad = gamepads.begin(); pad != gamepads.end(); ++pad) {
    if (pad->Id != id) continue;
    SDL_GameControllerClose(pad->Controller);
    if (report) ReportGamepad(pad->Name, false);
    gamepads.erase(pad);
    return;
  }
}

// Both the joystick and the game-controller event of one device come here; the first opens it.
void DeviceAdded(int index) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
  if (id < 0 || IsConfigured(id) || IsGamepad(id)) return;
  if (configuredWanted && !configured) {  // the configured joystick plugged back in
    configured = SDL_JoystickOpen(index);
    return;
  }
  if (!gamepadsInit || !SDL_IsGameController(index)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(index);
  if (!controller) {
    LogSdlFailure(InputFailure::JoystickNotOpened);
    return;
  }
  const char* name = SDL_GameControllerName(controller);
  gamepads.push_back(Gamepad{controller, id, name ? name : ""});
  ReportGamepad(gamepads.back().Name, true);
}

void DeviceRemoved(SDL_JoystickID id) {
  if (IsConfigured(id)) {
    SDL_JoystickClose(configured);
    configured = nullptr;
  }
  CloseGamepad(id, true);
}

GamepadControls ReadControls(SDL_GameController* c) {
  const auto held = [c](SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(c, button) != 0;
  };
  return GamepadControls{held(SDL_CONTROLLER_BUTTON_A),
                         held(SDL_CONTROLLER_BUTTON_B),
                         held(SDL_CONTROLLER_BUTTON_BACK),
                         held(SDL_CONTROLLER_BUTTON_START),
                         held(SDL_CONTROLLER_BUTTON_DPAD_UP),
                         held(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                         held(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                         held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                         SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
                         SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY)};
}

}  // namespace

void OpenGamepads() {
  if (gamepadsInit) return;
  gamepadsInit = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!gamepadsInit) LogSdlFailure(InputFailure::NoJoystickDriver);  // the keyboard plays on
}

void CloseJoysticks() {
  for (const Gamepad& pad : gamepads) SDL_GameControllerClose(pad.Controller);
  gamepads.clear();
  if (configured) SDL_JoystickClose(configured);
  configured = nullptr;
  configuredWanted = false;
  if (gamepadsInit) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (joystickInit) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  gamepadsInit = joystickInit = false;
}

void HandleJoystickEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      DeviceAdded(event.jdevice.which);
      break;
    case SDL_CONTROLLERDEVICEADDED:
      DeviceAdded(event.cdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      DeviceRemoved(event.jdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      DeviceRemoved(event.cdevice.which);
      break;
    default:
      break;
  }
}

bool PlatformOpenJoystick() {
  if (!joystickInit) {
    joystickInit = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (!joystickInit) LogSdlFailure(InputFailure::NoJoystickDriver);
  }
  if (!joystickInit || SDL_NumJoysticks() < 1) return false;
  if (configured) SDL_JoystickClose(configured);
  configured = SDL_JoystickOpen(0);
  if (!configured) {
    LogSdlFailure(InputFailure::JoystickNotOpened);
    return false;
  }
  configuredWanted = true;
  CloseGamepad(SDL_JoystickInstanceID(configured), false);  // it is the players' now
  return true;
}

bool PlatformReadJoystick(JoystickState* state) {
  if (!configuredWanted) return false;
  // Pulled out, it holds nothing down: a button held at that moment must not stay pressed.
  if (!configured || !SDL_JoystickGetAttached(configured)) {
    *state = JoystickState{32768, 32768, {}};
    return true;
  }
  SDL_JoystickUpdate();
  state->X = SDL_JoystickGetAxis(configured, 0) + 32768;
  state->Y = SDL_JoystickGetAxis(configured, 1) + 32768;
  const int buttons = SDL_JoystickNumButtons(configured);
  for (int i = 0; i < 32; ++i)
    state->Buttons[i] = i < buttons && SDL_JoystickGetButton(configured, i) ? 0x80 : 0;
  return true;
}

bool PlatformReadGamepad(uint8_t* padBits) {
  if (gamepads.empty()) return false;
  uint8_t bits = 0;
  for (const Gamepad& pad : gamepads)
    if (SDL_GameControllerGetAttached(pad.Controller))
      bits |= GamepadPadBits(ReadControls(pad.Controller));
  *padBits = bits;
  return true;
}

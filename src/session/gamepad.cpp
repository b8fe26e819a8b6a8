#include "session/gamepad.h"

#include <string>

#include "log/log.h"
#include "session/message_area.h"

uint8_t GamepadPadBits(const GamepadControls& c) {
  const bool up = c.Up || c.StickY < -kStickThreshold;
  const bool down = c.Down || c.StickY > kStickThreshold;
  const bool left = c.Left || c.StickX < -kStickThreshold;
  const bool right = c.Right || c.StickX > kStickThreshold;
  return static_cast<uint8_t>(c.A | c.B << 1 | c.Back << 2 | c.Start << 3 | up << 4 | down << 5 |
                              left << 6 | right << 7);
}

void ReportGamepad(std::string_view name, bool connected) {
  const std::string text = std::string(connected ? "Gamepad connected: " : "Gamepad removed: ") +
                           std::string(name.empty() ? "controller" : name);
  ShowPaddedMessage(text);
  const std::string line = text + "\n";
  LogText(line.c_str(), line.size());
}

#include "headless/key_script.h"

#include <algorithm>
#include <sstream>

#include "headless/headless.h"

namespace {

std::vector<ScriptedKey> script;  // sorted by frame
size_t nextKey;

// A whole decimal number in [low, high].
bool ParseDecimal(const std::string& text, uint32_t low, uint32_t high, uint32_t& out) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const uint32_t value = static_cast<uint32_t>(std::stoul(text));
  if (value < low || value > high) return false;
  out = value;
  return true;
}

bool ParseLine(const std::string& line, ScriptedKey& key, std::string& why) {
  std::istringstream words(line);
  std::string frame, action, code, extra;
  words >> frame >> action >> code;
  if (code.empty() || (words >> extra)) {
    why = "expected FRAME press|release KEYCODE";
    return false;
  }
  uint32_t frameNumber, keyCode;
  if (!ParseDecimal(frame, 1, 100000000, frameNumber)) {
    why = "the frame '" + frame + "' is not a number from 1 to 100000000";
    return false;
  }
  if (action != "press" && action != "release") {
    why = "'" + action + "' is neither press nor release";
    return false;
  }
  if (!ParseDecimal(code, 1, 255, keyCode)) {
    why = "the key code '" + code + "' is not a number from 1 to 255";
    return false;
  }
  key.Frame = frameNumber;
  key.Record =
      KeyEvent{static_cast<uint8_t>(keyCode), static_cast<uint8_t>(action == "press" ? 0x80 : 0)};
  return true;
}

}  // namespace

bool ParseKeyScript(std::istream& in, std::vector<ScriptedKey>& keys, std::string& error) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    ScriptedKey key;
    std::string why;
    if (!ParseLine(line, key, why)) {
      error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    keys.push_back(key);
  }
  return true;
}

void HeadlessSetKeyScript(std::vector<ScriptedKey> keys) {
  std::stable_sort(keys.begin(), keys.end(),
                   [](const ScriptedKey& a, const ScriptedKey& b) { return a.Frame < b.Frame; });
  script = std::move(keys);
  nextKey = 0;
}

void HeadlessDeliverScriptedKeys(uint32_t frame) {
  while (nextKey < script.size() && script[nextKey].Frame <= frame) {
    const KeyEvent& record = script[nextKey++].Record;
    HeadlessPushKey(record.KeyCode, record.Data & 0x80);
  }
}

// Scripted keyboard records for the headless host: one line per record,
// "FRAME press|release KEYCODE" (decimal DirectInput code), delivered at the start of that
// frame (frames count from 1). Empty lines and lines starting with # are skipped.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "host/platform.h"

struct ScriptedKey {
  uint32_t Frame;
  KeyEvent Record;
};

// False on the first malformed line, with "line N: what is wrong" in `error`.
bool ParseKeyScript(std::istream& in, std::vector<ScriptedKey>& keys, std::string& error);

// Replaces the host's script; records of one frame keep their order.
void HeadlessSetKeyScript(std::vector<ScriptedKey> keys);
// Queues the script's records for `frame`, to be read by that frame's key handler.
void HeadlessDeliverScriptedKeys(uint32_t frame);

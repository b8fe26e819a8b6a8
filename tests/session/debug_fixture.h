// A console running a spin loop with the NMI counting frames, driven by key scripts through
// the headless host; the screen can be read back as text.
#pragma once

#include <cstring>
#include <sstream>
#include <string>

#include "headless/headless.h"
#include "headless/key_script.h"
#include "ppu/screen.h"
#include "session/message_area.h"
#include "session/run_frame.h"
#include "support/fixture.h"

class DebugTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    HeadlessReset();
    MainScreen.Resize(640, 480);
    InstallSpinProgram();
  }
  // Over whatever a loaded cartridge put at $8000, and into its ROM too, so that saved states
  // hold this cartridge's banks: 32 KB of PRG mapped straight, as NROM and mapper 3 map it.
  void InstallSpinProgram() {
    if (PrgBankCount == 0) PrgBankCount = 2;
    ASSERT_EQ(PrgBankCount, 2u);
    const uint8_t program[] = {0x4C, 0x00, 0x80};  // JMP $8000
    Place(0x8000, program, sizeof program);
    const uint8_t vectors[] = {0x00, 0x80, 0x00, 0x80};  // NMI and reset both spin
    Place(0xFFFA, vectors, sizeof vectors);
    m().ResetCpu();
  }
  void Place(uint16_t address, const uint8_t* bytes, size_t size) {
    std::memcpy(m().CpuMemory + address, bytes, size);
    std::memcpy(m().PrgRom + (address - 0x8000), bytes, size);
  }
  void TearDown() override {
    HeadlessReset();
    MachineTest::TearDown();
  }

  void SetScript(const std::string& script) {
    std::istringstream in(script);
    std::vector<ScriptedKey> keys;
    std::string error;
    ASSERT_TRUE(ParseKeyScript(in, keys, error)) << error;
    HeadlessSetKeyScript(keys);
  }
  // Runs frames `first` to `last` (counted from 1) with the script's records delivered.
  void RunFrames(uint32_t first, uint32_t last) {
    for (uint32_t frame = first; frame <= last; ++frame) {
      HeadlessDeliverScriptedKeys(frame);
      RunFrame(m(), 0);
    }
  }
  void RunScript(const std::string& script, uint32_t first, uint32_t last) {
    SetScript(script);
    RunFrames(first, last);
  }

  // The newest line of the message area, padded as shown.
  static std::string Newest() { return std::string(NewestMessage().Text, NewestMessage().Length); }
  // The characters shown in `count` font cells from (x, y); '~' for a cell that holds no
  // character of the font.
  static std::string ScreenText(int x, int y, int count) {
    std::string text;
    for (int cell = 0; cell < count; ++cell, x += kFontWidth) {
      char found = '~';
      for (char c = ' '; c < '~' && found == '~'; ++c)
        if (CellShows(x, y, c)) found = c;
      text += found;
    }
    return text;
  }

 private:
  static bool CellShows(int x, int y, char c) {
    const uint8_t* glyph = FontGlyph(c);
    for (int row = 0; row < kFontHeight; ++row)
      for (int column = 0; column < kFontWidth; ++column) {
        const bool lit = glyph[row / 2] & (0x80 >> column);
        if (MainScreen.PixelAt(x + column, y + row) != (lit ? kScreenWhite : kScreenBlack))
          return false;
      }
    return true;
  }
};

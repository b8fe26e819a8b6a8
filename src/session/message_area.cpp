#include "session/message_area.h"

#include <algorithm>
#include <cstring>

#include "core/globals.h"
#include "host/platform.h"
#include "ppu/screen.h"
#include "state/state_files.h"

namespace {

MessageLine lines[kMessageLines];
uint32_t messagesShown;
// How many characters each screen row of the area holds from its last drawing. A line is
// drawn over at least that many cells (the text's buffer holds spaces past its length), so
// no tail of a longer older message is left to read as part of the new one.
uint32_t drawnLengths[kMessageLines];

void DrawMessageArea() {
  for (int i = 0; i < kMessageLines; ++i) {
    const uint32_t cells = std::max(lines[i].Length, drawnLengths[i]);
    MainScreen.DrawText(kMessageLeft, kMessageTop + kFontHeight * i,
                        std::string_view(lines[i].Text, cells));
    drawnLengths[i] = lines[i].Length;
  }
}

void ShowStateMessagePadded(std::string_view text) { ShowPaddedMessage(text); }

// The state layer's messages (slots, recordings, battery) come here whenever the message area
// is part of the program.
[[maybe_unused]] const bool stateMessagesShown = (StateMessageSink = ShowStateMessagePadded, true);

}  // namespace

void ResetMessageArea() {
  for (MessageLine& line : lines) {
    std::memset(line.Text, ' ', kMessageWidth);
    line.Length = 40;
    line.Serial = line.ShownFrame = line.ShownMs = 0;
  }
  std::fill(drawnLengths, drawnLengths + kMessageLines, 0u);
  messagesShown = 0;
}

void ShowMessage(const char* text, uint32_t length) {
  length = std::min(length, kMessageWidth);
  std::copy(lines + 1, lines + kMessageLines, lines);
  MessageLine& newest = lines[kMessageLines - 1];
  std::memset(newest.Text, ' ', kMessageWidth);
  std::memcpy(newest.Text, text, length);
  newest.Length = length;
  newest.Serial = ++messagesShown;
  newest.ShownFrame = FrameCount;
  newest.ShownMs = PlatformTimeMs();
  DrawMessageArea();
}

void ShowPaddedMessage(std::string_view text, uint32_t width) {
  char padded[kMessageWidth];
  const uint32_t length = std::min<uint32_t>(std::max<size_t>(text.size(), width), kMessageWidth);
  std::memset(padded, ' ', sizeof padded);
  std::memcpy(padded, text.data(), std::min<size_t>(text.size(), length));
  ShowMessage(padded, length);
}

const MessageLine& MessageAreaLine(int index) { return lines[index]; }

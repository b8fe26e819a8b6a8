// The four-line message area under the picture. New lines scroll in at the bottom; each screen
// line is cleared as far as its previous text reached before the new text is drawn, so a short
// message never shows the tail of an older, longer one. Clearing goes no further than text
// went: the pattern view reaches into these rows from the right.
#pragma once

#include <cstdint>
#include <string_view>

constexpr int kMessageLines = 4;
constexpr uint32_t kMessageWidth = 64;
constexpr int kMessageLeft = 16;
constexpr int kMessageTop = 400;  // line i at kMessageTop + 16 i

struct MessageLine {
  char Text[kMessageWidth];
  uint32_t Length;
  uint32_t Serial;      // how many messages had been shown when this one came; 0 = start-up fill
  uint32_t ShownFrame;  // FrameCount when it was shown
  uint32_t ShownMs;     // PlatformTimeMs when it was shown
};

// Adds a line of `length` characters (at most 64 are kept) and redraws the area on the screen.
void ShowMessage(const char* text, uint32_t length);
// The text followed by spaces up to `width` characters (40 unless a caller needs other).
void ShowPaddedMessage(std::string_view text, uint32_t width = 40);

// Line 0 is the oldest, line 3 the newest.
const MessageLine& MessageAreaLine(int index);
inline const MessageLine& NewestMessage() { return MessageAreaLine(kMessageLines - 1); }

// Start-up: every line 64 spaces with a length of 40; nothing is drawn.
void ResetMessageArea();

#include "state/rewind.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <deque>
#include <vector>

#include "core/machine.h"
#include "core/machine_guards.h"
#include "state/recording.h"

namespace {

// A frame's snapshot is the Machine's emulated state, stretch by stretch: everything but the
// ROM stores (the cartridge's, never changed by play), the pattern cache with its record of
// what it decoded (worked out again from the pattern tables), the counters' adjustment (the
// player's setting, which a step back must not undo) and a fuzz build's guard bytes.
struct Stretch {
  size_t At;
  size_t Size;
};

std::vector<Stretch> KeptStretches() {
  std::vector<Stretch> left = {
      {offsetof(Machine, PrgRom), sizeof Machine::PrgRom},
      {offsetof(Machine, ChrRom), sizeof Machine::ChrRom},
      {offsetof(Machine, PatternCache), sizeof Machine::PatternCache},
      {offsetof(Machine, DecodedPatterns), sizeof Machine::DecodedPatterns},
      {offsetof(Machine, PatternWindowState), sizeof Machine::PatternWindowState},
      {offsetof(Machine, IrqAdjust), sizeof Machine::IrqAdjust}};
#ifdef HALVOREN_MACHINE_GUARDS
  for (size_t i = 0; i < kMachineGuardCount; ++i)
    left.push_back({kMachineGuardOffsets[i], kMachineGuardBytes});
#endif
  std::sort(left.begin(), left.end(), [](Stretch a, Stretch b) { return a.At < b.At; });
  std::vector<Stretch> kept;
  size_t at = 0;
  for (const Stretch& gap : left) {
    if (gap.At > at) kept.push_back({at, gap.At - at});
    at = std::max(at, gap.At + gap.Size);
  }
  if (at < sizeof(Machine)) kept.push_back({at, sizeof(Machine) - at});
  return kept;
}

const std::vector<Stretch> kKept = KeptStretches();

size_t SnapshotBytes() {
  size_t size = 0;
  for (const Stretch& stretch : kKept) size += stretch.Size;
  return size;
}
const size_t kSnapshotSize = SnapshotBytes();

void TakeSnapshot(const Machine& m, uint8_t* out) {
  const auto* machine = reinterpret_cast<const uint8_t*>(&m);
  for (const Stretch& stretch : kKept) {
    std::memcpy(out, machine + stretch.At, stretch.Size);
    out += stretch.Size;
  }
}

// The machine as the snapshot was taken, window bank records with the windows they describe.
void PutSnapshot(Machine& m, const uint8_t* in) {
  auto* machine = reinterpret_cast<uint8_t*>(&m);
  for (const Stretch& stretch : kKept) {
    std::memcpy(machine + stretch.At, in, stretch.Size);
    in += stretch.Size;
  }
  m.DecodePatterns(0, 0x2000);
}

// Frames are kept in groups: the first frame's snapshot whole, the others as their difference
// from it (XOR, with runs of unchanged bytes counted instead of stored). Between frames of a
// group little changes, so a frame costs a few kilobytes, and any frame is one decode away.
constexpr uint32_t kGroupFrames = 30;

struct Frame {
  std::vector<uint8_t> Delta;  // empty for the group's first frame
  uint8_t Pads[2];
};

struct Group {
  std::vector<uint8_t> Key;
  std::vector<Frame> Frames;
};

std::deque<Group> History;
size_t FramesKept;
size_t BytesKept;  // the heap the history holds: whole buffers, not the bytes in use
bool Replaying;
uint8_t ReplayPads[2];
std::vector<uint8_t> Scratch(kSnapshotSize);
std::vector<uint8_t> EncodeScratch;  // grows once; each delta is kept in a buffer of its size

void PutCount(std::vector<uint8_t>& out, uint32_t count) {
  while (count >= 0x80) {
    out.push_back(static_cast<uint8_t>(count | 0x80));
    count >>= 7;
  }
  out.push_back(static_cast<uint8_t>(count));
}

uint32_t TakeCount(const uint8_t*& in) {
  uint32_t count = 0;
  for (int shift = 0;; shift += 7) {
    const uint8_t byte = *in++;
    count |= static_cast<uint32_t>(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return count;
  }
}

// Pairs of (unchanged count, changed count, changed bytes XOR the key) to the image's end.
std::vector<uint8_t> Encode(const uint8_t* key, const uint8_t* image) {
  std::vector<uint8_t>& out = EncodeScratch;
  out.clear();
  size_t i = 0;
  while (i < kSnapshotSize) {
    const size_t same = i;
    while (i < kSnapshotSize && image[i] == key[i]) ++i;
    const size_t changed = i;
    // A change ends at four unchanged bytes in a row: shorter gaps cost less stored as XOR.
    while (i < kSnapshotSize) {
      size_t run = 0;
      while (i + run < kSnapshotSize && run < 4 && image[i + run] == key[i + run]) ++run;
      if (run == 4 || i + run == kSnapshotSize) break;
      i += run + 1;
    }
    PutCount(out, static_cast<uint32_t>(changed - same));
    PutCount(out, static_cast<uint32_t>(i - changed));
    for (size_t j = changed; j < i; ++j) out.push_back(image[j] ^ key[j]);
  }
  return std::vector<uint8_t>(out.begin(), out.end());
}

void Decode(const Group& group, const Frame& frame, uint8_t* image) {
  std::memcpy(image, group.Key.data(), kSnapshotSize);
  const uint8_t* in = frame.Delta.data();
  const uint8_t* end = in + frame.Delta.size();
  size_t at = 0;
  while (in < end) {
    at += TakeCount(in);
    const uint32_t changed = TakeCount(in);
    for (uint32_t j = 0; j < changed; ++j) image[at++] ^= *in++;
  }
}

// A group's own buffers; its frames' deltas are counted as they come and go.
size_t GroupBytes(const Group& group) {
  return sizeof(Group) + group.Key.capacity() + group.Frames.capacity() * sizeof(Frame);
}

void DropOldestGroup() {
  Group& oldest = History.front();
  BytesKept -= GroupBytes(oldest);
  for (const Frame& frame : oldest.Frames) BytesKept -= frame.Delta.capacity();
  FramesKept -= oldest.Frames.size();
  History.pop_front();
}

void Remember(Machine& m) {
  TakeSnapshot(m, Scratch.data());
  if (History.empty() || History.back().Frames.size() >= kGroupFrames) {
    Group& group = History.emplace_back();
    group.Key = Scratch;
    group.Frames.reserve(kGroupFrames);
    group.Frames.push_back(Frame{{}, {0, 0}});
    BytesKept += GroupBytes(group);
  } else {
    Group& group = History.back();
    group.Frames.push_back(Frame{Encode(group.Key.data(), Scratch.data()), {0, 0}});
    BytesKept += group.Frames.back().Delta.capacity();
  }
  ++FramesKept;
  // The whole oldest group goes at once: its later frames need its first.
  while (History.size() > 1 &&
         (FramesKept > kRewindFrames + kGroupFrames || BytesKept > kRewindMemoryLimit))
    DropOldestGroup();
}

}  // namespace

void RememberFrameStart(Machine& m) { Remember(m); }

void RememberFramePads(const Machine& m) {
  std::memcpy(History.back().Frames.back().Pads, m.PadBits, 2);
}

bool RewindLoadPrevious(Machine& m) {
  if (FramesKept < 2) return false;
  // The newest entry is the state the frame on screen started from: it is the past now.
  Group* group = &History.back();
  BytesKept -= group->Frames.back().Delta.capacity();
  group->Frames.pop_back();
  --FramesKept;
  if (group->Frames.empty()) {
    BytesKept -= GroupBytes(*group);
    History.pop_back();
    group = &History.back();
  }
  const Frame& frame = group->Frames.back();
  Decode(*group, frame, Scratch.data());
  PutSnapshot(m, Scratch.data());
  RewindRecording();
  std::memcpy(ReplayPads, frame.Pads, 2);
  return true;
}

void SetRewindReplaying(bool replaying) { Replaying = replaying; }

bool RewindReplaying() { return Replaying; }

void ApplyRewindPads(Machine& m) { std::memcpy(m.PadBits, ReplayPads, 2); }

size_t RewindFramesKept() { return FramesKept; }
size_t RewindBytesKept() { return BytesKept; }

void ResetRewind() {
  History.clear();
  FramesKept = BytesKept = 0;
  Replaying = false;
}

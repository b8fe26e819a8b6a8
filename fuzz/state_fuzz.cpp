// The save-state and recording readers. The input is either a whole file as it stands, or a
// valid state image of the running cartridge with some bytes changed and its length cut or
// grown, read as a state file or (followed by controller bytes) played as a recording. A
// refused file leaves the machine exactly as it was; an accepted one must run on. The running
// cartridge is the demo's program on the board the input names, saved a few frames into its
// play, so an accepted image runs real code (drawing, NMIs, pad reads) from changed registers
// and memory.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/globals.h"
#include "fuzz/fuzz_support.h"
#include "log/log.h"
#include "session/demo_cartridge.h"
#include "session/run_frame.h"
#include "state/recording.h"
#include "state/state_files.h"
#include "state/state_image.h"

namespace {

constexpr char kFileName[] = "game.sv0";
constexpr int kFramesBefore = 3;  // undrawn: the program past its start-up waits
constexpr int kFramesAfter = 2;   // drawn: the renderer reads whatever the image set

// The demo cartridge with the board's number in its header. Its program writes nothing above
// $8000, so it runs on every board that maps its 32 KB straight at power-on.
std::vector<uint8_t> DemoOnBoard(uint8_t mapper) {
  std::vector<uint8_t> image(DemoCartridge, DemoCartridge + DemoCartridgeSize);
  image[6] = static_cast<uint8_t>((image[6] & 0x0F) | (mapper << 4));
  image[7] = static_cast<uint8_t>((image[7] & 0x0F) | (mapper & 0xF0));
  return image;
}

// A valid image of the machine with a few bytes changed, cut or grown by the fuzz bytes; what
// is left of them follows it (a recording's controller bytes).
std::vector<uint8_t> ChangedImage(Machine& m, FuzzBytes& in) {
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m, image.data());
  for (int changes = in.Byte() % 16; changes > 0; --changes) {
    const size_t at = (in.Word() | (in.Byte() << 16)) % image.size();
    image[at] = in.Byte();
  }
  const uint8_t cut = in.Byte();
  if (cut < 16) image.resize(image.size() - cut * 37);
  image.insert(image.end(), in.Data + std::min(in.At, in.Size), in.Data + in.Size);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("state");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto before = std::make_unique<Machine>();
  FuzzBytes in{data, size};
  const uint8_t mode = in.Byte() % 3;
  const std::vector<uint8_t> cartridge = DemoOnBoard(in.Byte());

  Machine& m = FreshMachine();
  ResetSession();
  ResetRecording();
  LogHold();  // in memory: a file per line would slow every run
  if (m.LoadCartridgeStream(MemoryFile(cartridge.data(), cartridge.size())) != 0) return 0;
  m.ResetCpu();
  m.RebuildPatternCache();
  // Boards that lay the program out otherwise may halt it: their images are still read.
  for (int frame = 0; frame < kFramesBefore && !CpuHalted; ++frame) RunFrame(m, 1);

  const std::vector<uint8_t> file =
      mode == 0 ? std::vector<uint8_t>(in.Data + in.At, in.Data + size) : ChangedImage(m, in);
  WriteScratchFile(kFileName, file.data(), file.size());
  CopyMachine(*before, m);
  const std::string error =
      mode == 2 ? StartPlaybackFile(m, kFileName) : LoadStateFile(m, kFileName);
  if (!error.empty()) {
    FUZZ_CHECK(SameMachine(m, *before), "a refused state or recording changed the machine");
    return 0;
  }
  for (int frame = 0; frame < kFramesAfter && !CpuHalted; ++frame) RunFrame(m, 0);
  StopPlayback();
  return 0;
}

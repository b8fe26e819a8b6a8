// The two programs as a user calls them from a shell: one runner run and its output files, the
// sound chips reaching the WAV file, every mistake refused with its reason and exit status (by
// the runner and the desktop program alike), and the ends by a signal.
#include <csignal>
#include <cstring>
#include <fstream>
#include <set>

#include "state/state_image.h"
#include "support/fixture.h"
#include "support/run_command.h"

namespace {

using Stores = std::vector<std::pair<uint16_t, uint8_t>>;

class ProgramsTest : public MachineTest {
 protected:
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::string Text(const std::string& name, const std::string& text) {
    return WriteFile(name, {text.begin(), text.end()});
  }
  // A test cartridge for the runner, logging into the test folder.
  std::string Rom(const char* name = "ppu_scroll.nes") const {
    return TestRomPath(name) + " --log " + Path("run.tst");
  }
  // Runs a cartridge of the board whose program, at $E000, stores each (address, value) pair
  // with LDA/STA and then waits in a loop (every vector points at the program), with out.wav
  // (and `more`); out.wav's 16-bit samples.
  std::vector<int16_t> Play(uint8_t mapper, const Stores& stores, const std::string& more) {
    std::vector<uint8_t> bytes = InesImage{.Mapper = mapper}.Bytes();  // 32 KB of PRG, 8 KB of CHR
    size_t at = 16 + 0x6000;
    for (const auto& [address, value] : stores)
      for (int byte : {0xA9, int{value}, 0x8D, address & 0xFF, address >> 8}) bytes[at++] = byte;
    const int loop = 0xE000 + int(at - 16 - 0x6000);
    for (int byte : {0x4C, loop & 0xFF, loop >> 8}) bytes[at++] = byte;
    for (size_t v = 16 + 0x7FFA; v < 16 + 0x8000; v += 2) bytes[v] = 0, bytes[v + 1] = 0xE0;
    run = RunRunner(WriteFile("play.nes", bytes) + " --wav " + Path("out.wav") + " --log " +
                    LogPath + more);
    EXPECT_EQ(run.status, 0) << run.output;
    const std::string wav = FileText(Path("out.wav"));
    std::vector<int16_t> samples(wav.size() > 44 ? (wav.size() - 44) / 2 : 0);
    if (!samples.empty()) std::memcpy(samples.data(), wav.data() + 44, 2 * samples.size());
    return samples;
  }
  CommandResult run;
  // The desktop program on SDL's dummy drivers, run in the test folder.
  std::string Desktop(const std::string& arguments) const {
#ifdef HALVOREN_BINARY
    return "cd " + dir.string() + " && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
           HALVOREN_BINARY + " --windowed " + arguments;
#else
    return "true " + arguments;
#endif
  }
};

// Pulse 1 alone at constant volume 15, half duty, period 253. Sound starts with the frame
// whose count is 2, so 120 frames leave 118 in the file: 43365 samples of a square wave at
// +-1920 whose rising zero crossings are exactly 50 samples apart (441 Hz). The same run
// reports its summary and writes the picture of its last frame (PNG signature and IHDR: 256 x
// 240, 8-bit RGB). The sound chips of the cartridges play through their boards.
TEST_F(ProgramsTest, OneRunGivesSummaryHashPngAndWav) {
  const auto samples = Play(0, {{0x4015, 1}, {0x4000, 0xBF}, {0x4002, 253}, {0x4003, 0}},
                            " --hash --png " + Path("shot.png") + " --png-frame 120 --frames 120");
  EXPECT_NE(run.output.find("mapper=0 prg=2 chr=1 frames=120 hash="), std::string::npos);
  const std::string wav = FileText(Path("out.wav")), png = FileText(Path("shot.png"));
  ASSERT_EQ(wav.size(), 44u + 2 * 43365u);
  // 36 + 86730 bytes follow; 16 of format: PCM, mono, 22050 a second, 44100 bytes, 16 bits.
  EXPECT_EQ(wav.substr(0, 44),
            std::string("RIFF\xEE\x52\x01\0WAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0"
                        "\x44\xAC\0\0\2\0\x10\0data\xCA\x52\x01\0",
                        44));
  std::vector<size_t> rising;
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(std::abs(samples[i]), 1920) << i;
    if (i > 0 && samples[i - 1] < 0 && samples[i] >= 0) rising.push_back(i);
  }
  ASSERT_GT(rising.size(), 800u);
  for (size_t k = 1; k < rising.size(); ++k) ASSERT_EQ(rising[k] - rising[k - 1], 50u) << k;
  EXPECT_EQ(png.substr(1, 3) + png.substr(16, 10),
            std::string("PNG\0\0\1\0\0\0\0\xF0\x08\x02", 13));

  // Held buttons move the sprite; their recording played on the other core, or the state saved
  // on frame 25 carried on with the same holds, gives the same hash.
  const auto walk = [&](const std::string& options) {
    const auto walked = RunRunner(Rom("state_walk.nes") + " --hash --frames " + options);
    EXPECT_EQ(walked.status, 0) << options << "\n" << walked.output;
    const size_t at = walked.output.rfind(" hash=");
    return at == std::string::npos ? "" : walked.output.substr(at + 6, 16);
  };
  const std::string hash =
      walk("60 --core main --hold 3-40:right+a --hold 20-50:down --record " + Path("r.mov") +
           " --save-state " + Path("s.sv") + " --state-frame 25");
  EXPECT_EQ(std::filesystem::file_size(Path("r.mov")), kStateImageSize + 120);
  EXPECT_NE(hash, walk("60"));
  EXPECT_EQ(walk("60 --core alt --play " + Path("r.mov")), hash);
  EXPECT_EQ(walk("35 --load-state " + Path("s.sv") + " --hold 1-15:right+a --hold 1-25:down"),
            hash);

  // The cartridges' sound chips reach the WAV file through their boards' registers (the
  // console channels stay off), frames 2-9 of 10. VRC6: pulse 1 at volume 15, duty 3, period
  // $140 (5120 cycles, about 63 samples a wave), three quarters high. Namco: one run of
  // auto-increment writes from $78 sets channel 7 (frequency $184E4, one wave step a sample,
  // length 4, wave at 0, volume 15) and wraps past $7F to fill the wave itself at $00-$03.
  const auto vrc6 = Play(24, {{0x9000, 0x3F}, {0x9001, 0x40}, {0x9002, 0x81}}, " --frames 10");
  EXPECT_EQ(std::set<int16_t>(vrc6.begin(), vrc6.end()), (std::set<int16_t>{0, 3840}));
  EXPECT_NEAR(std::count(vrc6.begin(), vrc6.end(), 3840) / double(vrc6.size()), 0.75, 0.02);
  size_t rises = 0;
  for (size_t i = 1; i < vrc6.size(); ++i) rises += vrc6[i] > vrc6[i - 1];
  EXPECT_NEAR(rises, vrc6.size() * 81.0 / 5120, 1.5);
  Stores namco = {{0xF800, 0xF8}};
  for (uint8_t value : {0xE4, 0, 0x84, 0, 0x19, 0, 0x00, 0x0F, 10, 20, 30, 40})
    namco.push_back({0x4800, value});
  const auto wave = Play(19, namco, " --frames 10");
  EXPECT_EQ(std::tuple(vrc6.size(), wave.size()), std::tuple(8u * 367 + 4, 8u * 367 + 4));
  for (size_t i = 0; i < wave.size(); ++i) ASSERT_EQ(wave[i], wave[i % 4]) << i;
  EXPECT_EQ(std::set<int16_t>(wave.begin(), wave.end()), (std::set<int16_t>{150, 300, 450, 600}));
}

// What each program says to each mistake, and its exit status. A refusal comes before the
// first frame (no summary line); a halted CPU ends with status 3 after the summary. The
// desktop program (D) is given 5 frames, in case a cartridge wrongly plays.
TEST_F(ProgramsTest, EachProgramAnswersWithItsReasonAndStatus) {
  const InesImage nine{.Mapper = 9}, shortImage{.PrgUnits = 1, .TruncateTo = 16 + 0x4000 + 0x100};
  // r: a cartridge run for two frames; w: the walking one; k: a key script's run; no: a path
  // in a folder that does not exist.
  const std::string log = " --log " + Path("run.tst"), r = Rom() + " --frames 2";
  const std::string k = Rom() + " --frames 40 --keys ", w = Rom("state_walk.nes");
  const std::string no = Path("no/such"), folder = dir.string();
  // A copy of the cartridge: a refusal that failed would overwrite it, not the shared image.
  const std::string scroll = Text("scroll.nes", FileText(TestRomPath("ppu_scroll.nes")));
  const std::string underFile = WriteFile("plain", {}) + "/x";
  // The desktop program: ROMDIR, '/' and BOOT that, cut to 254 characters, would name a
  // playable cartridge; a folder where the configuration is looked for is skipped, said.
  const std::string cut = std::string(253 - folder.size(), 'p');
  Text(cut, FileText(scroll)), Text("cut.cfg", "ROMDIR=" + folder + "\nBOOT=" + cut + "xx");
  std::filesystem::create_directories(dir / "folder.nes");
  std::filesystem::create_directories(dir / "Halvoren.CFG");
  // clang-format off
  const struct { int status; std::string arguments, says; bool desktop = false; } cases[] = {
      {1, Path("missing.nes") + log, "cannot open"}, {1, folder + log, "is a folder, not a cartridge image"},
      {1, WriteFile("text.nes", {'h', 'e', 'l', 'l', 'o'}) + log, "not an iNES image"},
      {1, WriteFile("nine.nes", nine.Bytes()) + log, "unsupported mapper 9"},
      {1, WriteFile("big.nes", {'N', 'E', 'S', 0x1A, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + log, "too large"},
      {1, WriteFile("t.nes", {'N', 'E', 'S', 0x1A, 1, 0, 0, 0, 0, 0}) + log, "image truncated"},
      // A short image plays, the missing bytes said; here its program halts at once.
      {3, WriteFile("short.nes", shortImage.Bytes()) + log + " --frames 1", "short.nes: 7936 bytes shorter than"},
      {1, Path(cut) + "xx" + log, "longer than 254 characters"},
      {3, Rom("bad_opcode.nes") + " --frames 5 --core alt", "bad opcode $07 at $8003"},
      // The output files: none may replace the cartridge (the cases of each refusal are the
      // file writer's tests'), each refused in its own words.
      {1, scroll + " --frames 2 --log " + no, "cannot write the log " + no + ": No such file"},
      {1, r + " --wav " + no, "cannot write the WAV file " + no + ": No such"},
      {1, r + " --trace " + no, "cannot write the trace " + no + ": No such"},
      {1, r + " --png " + no, "cannot write " + no + ": No such file"},
      {1, scroll + log + " --frames 2 --png " + scroll, "that is the cartridge"},
      {1, r + " --record " + underFile, "cannot record to " + underFile + ": Not a dir"},
      {1, r + " --config " + no, "cannot read the configuration " + no}, {1, k + no, "cannot read"},
      // The options themselves.
      {2, log, "no ROM given"}, {2, w + " --load-state a --play b", "give one"}, {2, "--bogus x.nes", "unknown option"},
      {2, r + " --keys ''", "--keys needs a file name"}, {2, r + " --frames", "needs a value"},
      {2, r + " --frames 100000001", "--frames needs a number from 1 to 100000000"},
      {2, r + " --skip-render --hash", "--skip-render draws no picture"}, {2, r + " --core turbo", "main, alt or exact"},
      {2, r + " --png x.png --png-frame 3", "past the last frame"}, {2, r + " --png-frame 1", "needs --png"},
      {2, r + " --start-pc 0x10000", "--start-pc"}, {2, w + " --hold 5-3:start", "ends before it starts"},
      {2, w + " --hold 5-9:jump", "unknown button 'jump'"}, {2, w + " --hold 5:start", "--hold takes K-L:BUTTONS"},
      {2, w + " --state-frame 3", "--state-frame needs --save-state"},
      {2, w + " --frames 5 --save-state x --state-frame 6", "past the last frame"},
      // Key scripts: checked before anything runs, then delivered; Esc ends the run, and acts
      // on a release while paused.
      {2, k + Text("k2", "1 press 256\n"), "line 1: the key code '256'"},
      {2, k + Text("k1", "1 press 2\n5 hold 30\n"), "line 2: 'hold' is neither press nor"},
      {0, k + Text("k3", "# Esc on frame 10 ends the run\n10 press 1\n"), "frames=10"},
      {0, k + Text("k4", "3 press 88\n\n5 release 1\n"), "frames=5"},
      // States and recordings.
      {1, w + " --play " + Text("s.mov", std::string(100, '\0')), "s.mov: file too short"},
      {1, w + " --load-state " + Text("z.sv", std::string(90000, '\0')), "z.sv: not a state file"},
      {1, w + " --frames 2 --save-state " + Path("no/s.sv"), "cannot save the state to"},
      {1, w + " --load-state " + Path("z.sv") + " --save-state " + Path("z.sv"), "that is the state loaded"},
      // The desktop program.
      {1, "--config cut.cfg", "the cartridge path is longer than 254 characters", true},
      {1, "--config " + folder, "is a folder, not a configuration file", true},
      {1, "folder.nes", "folder.nes: is a folder, not a cartridge image", true},
      {1, "nine.nes", "nine.nes: unsupported mapper 9", true},
      {0, "", "Halvoren.CFG is a folder, not a configuration file", true},
  };
  // clang-format on
  for (const auto& c : cases) {
    const auto run = RunCommand(c.desktop ? Desktop("--quit-after-frames 5 " + c.arguments)
                                          : std::string(HALVOREN_RUN_BINARY) + " " + c.arguments);
    SCOPED_TRACE(c.arguments + "\n" + run.output);
#ifndef HALVOREN_BINARY
    if (c.desktop) continue;
#endif
    EXPECT_TRUE(c.desktop && c.status ? run.status != 0 : run.status == c.status);
    EXPECT_NE(run.output.find(c.says), std::string::npos);
    // Only a halt comes after a summary line; a refusal has none.
    const size_t summary = run.output.find("frames=");
    if (c.status != 0) EXPECT_EQ(summary < run.output.find("halted on bad opcode"), c.status == 3);
  }
  // A refused cartridge touches none of the output files.
  std::string precious = Path("nine.nes");
  for (const char* option : {"wav", "log", "trace", "png"})
    precious += std::string(" --") + option + " " + Text(option, "precious");
  EXPECT_EQ(RunRunner(precious).status, 1);
  for (const char* option : {"wav", "log", "trace", "png"})
    EXPECT_EQ(FileText(dir / option), "precious") << option;
}

// Ended by a signal, the runner keeps every frame it recorded, and a state due after the last
// frame leaves the old file. The desktop program ends on a hang-up (a closed terminal) as on
// Ctrl+C, through its shut-down. Each is signalled once seen running: a signal before the
// handlers are in place ends it at once.
TEST_F(ProgramsTest, SignalsEndBothProgramsThroughTheirShutDown) {
  const auto signalled = [](const std::string& command, const std::string& running,
                            const char* signal) {
    return RunCommand(command + " & pid=$!; for i in $(seq 200); do " + running +
                      " && break; sleep 0.05; done; kill -" + signal + " $pid; wait $pid");
  };
  Text("s.sv", "old");
  run = signalled(std::string(HALVOREN_RUN_BINARY) + " " + Rom("state_walk.nes") +
                      " --frames 100000000 --record " + Path("r.mov") + " --save-state " +
                      Path("s.sv"),
                  "[ $(stat -c %s " + Path("r.mov") + " 2>/dev/null || echo 0) -gt " +
                      std::to_string(kStateImageSize + 2) + " ]",
                  "TERM");
  EXPECT_EQ(std::tuple(FileText(Path("s.sv")), run.status), std::tuple("old", 128 + SIGTERM));
  const size_t at = run.output.find(" frames=");
  ASSERT_NE(at, std::string::npos) << run.output;
  const int frames = std::stoi(run.output.substr(at + 8));
  EXPECT_EQ(std::tuple(frames > 0, std::filesystem::file_size(Path("r.mov"))),
            std::tuple(true, kStateImageSize + 2u * frames));
  const auto hangUp = signalled(Desktop(TestRomPath("state_walk.nes")),
                                "grep -qa 'NMI Vector' " + Path("halvoren.tst"), "HUP");
  EXPECT_EQ(hangUp.status, 0) << hangUp.output;
}

}  // namespace

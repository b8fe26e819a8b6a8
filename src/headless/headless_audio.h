// Where the headless host sends the mixed sound: nowhere by default, to a WAV file when a path
// is set before the audio output opens, and to memory when a test attaches a sink.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

extern std::string HeadlessWavPath;
// Every queued block is appended here (interleaved when stereo) while set.
extern std::vector<int16_t>* HeadlessAudioSink;
// The errno of the first failed write to the WAV file since it was opened; 0 when none failed.
extern int HeadlessWavError;

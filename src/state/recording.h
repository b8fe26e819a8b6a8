// Input recording and playback: a state image, then the two controller bytes of every frame.
#pragma once

#include <cstdint>
#include <string>

struct Machine;

// The session's recording switches.
extern uint8_t Recording;    // 1 while frames are appended to the recording file
extern uint8_t PlayingBack;  // 1 while recorded buttons replace the live ones
// Buttons the headless runner holds down (--hold), added to the live ones of each frame.
extern uint8_t HeldPadBits[2];

// Each returns an empty text on success, else why it did not start (nothing changed then).
std::string StartRecordingFile(Machine& m, const std::string& path);
std::string StartPlaybackFile(Machine& m, const std::string& path);
// Closes the recording; returns the first write failure of this recording, if any.
std::string StopRecording();
// Closes an open recording whose playback could no longer reach the session's state, and says
// so with `why`.
void StopRecordingFor(const std::string& why);
void StopPlayback();

// One frame stepped back: the open recording loses its newest frame (the file is cut), so it
// still plays back to the frame shown; stepping back past its start stops it.
void RewindRecording();

// F1 and F2: start, or stop when already on; the file is GAME.MOV; the outcome is shown.
void ToggleRecording(Machine& m);
void TogglePlayback(Machine& m);

// Once per frame, right after the live buttons are gathered: append them to the recording,
// then replace them by the recorded ones while playing back.
void RecordAndPlayPads(Machine& m);
// The same for a frame rewind plays again with its old buttons: it is no part of a recording
// or playback already open (rewind has cut the recording back), only of one its keys began.
void RecordAndPlayReplayedPads(Machine& m);

// Every ending of the program: the recording closed with all its frames, battery RAM written.
// An empty text, else why the battery RAM could not be written (the player's save is lost).
std::string CloseStateFiles();

// Program-start state (tests).
void ResetRecording();

// Files beside the cartridge image: the ten state slots, the recording and the battery RAM.
// Every reader reads the whole file before changing anything; every writer of a whole file
// writes a temporary file and renames it, so a failed write never replaces a good file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/files.h"

struct Machine;

// The cartridge path with its three-letter extension replaced: GAME.NES -> GAME.SV3 for
// ("SV3"). A path without such an extension gets "." and the three letters appended.
std::string CartridgeFileName(const char* extension);
std::string SlotFileName(uint8_t slot);

// Where a file named `beside` the cartridge is written (see files/places.h); `where` is
// " in FOLDER" the first time the data folder stands in, for the message that follows, and
// standard error is told then.
std::string SavedFileForWriting(const std::string& beside, std::string& where);

// The state image as a file of its own; an empty text on success, else why not.
std::string SaveStateFile(Machine& m, const std::string& path);
std::string LoadStateFile(Machine& m, const std::string& path);

// F5 and F7: the slot chosen by SaveSlot, the outcome shown in the message area. LoadState
// is true when the state was loaded.
void SaveState(Machine& m);
bool LoadState(Machine& m);

// Keeps `text` in LastStateMessage and hands it to StateMessageSink: the session's message
// area (which pads it as the other messages are) whenever the session is part of the program.
extern std::string LastStateMessage;
extern void (*StateMessageSink)(std::string_view text);
void ShowStateMessage(const std::string& text);

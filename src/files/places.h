// Where the files made from the cartridge's name live (states, the recording, battery RAM,
// screenshots): beside the cartridge, or, when its folder cannot be written (read-only media),
// in the player's data folder under the same name.
#pragma once

#include <string>

// $XDG_DATA_HOME/halvoren, else ~/.local/share/halvoren; empty when neither can be named.
std::string DataFolder();

// Where `beside` (a path beside the cartridge, or a bare name in the current folder) is
// written. The first time the data folder stands in, `notice` gets the one line that tells
// the player so; otherwise it is left empty.
std::string PlaceForWriting(const std::string& beside, std::string& notice);

// Where it is read from: the place it would be written, when a file lies there, else the
// other place when one lies there.
std::string PlaceForReading(const std::string& beside);

// Start of a run: the data folder not yet announced.
void ResetPlaces();

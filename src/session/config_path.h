// Where the configuration file is looked for when the command line names none.
#pragma once

#include <string>

// "Halvoren.CFG" in the current folder when it exists there, else the same name in the XDG
// configuration folder ($XDG_CONFIG_HOME/halvoren, by default ~/.config/halvoren) when it
// exists there, else "Halvoren.CFG" (which then does not exist: the built-in defaults apply).
std::string DefaultConfigurationPath();

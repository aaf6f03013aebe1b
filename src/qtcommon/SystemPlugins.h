#pragma once
// The toolkit looks for its plugins (picture formats, platforms, styles) beside the program
// too, and a program of ours is often a stranger's book in a folder of the stranger's
// choosing, with whatever libraries lie beside it. Our windowed programs take plugins from
// the system's own plugin folder, and from the folders the user names in QT_PLUGIN_PATH,
// alone.

#include <string>

namespace nbx {

// Leaves the program's own folder out of the toolkit's plugin folders, including the ones it
// loads while the application is made (platforms, themes, styles). False, with message set,
// when the program's folder holds a settings file of the toolkit ("qt.conf"), which would
// send it for its plugins to any folder that file names: the program must not start then.
// REQUIRES: called once, before the QApplication is made.
bool UseSystemPluginsOnly(std::string& message);

}  // namespace nbx

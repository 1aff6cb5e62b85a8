#pragma once

#include <QString>
#include <thread>

namespace forms {

// Maps the faces that the layouts name to installed faces of the same
// metrics, and draws every text that no layout gives a face in their sans
// face.
void installFonts();

// Reads fontconfig's configuration and its font caches, the most of what the
// first font costs, on a thread of its own, so that the toolkit can connect
// to the display meanwhile. Join the thread before the first font is asked
// for, else Qt reads them a second time beside it. No thread where none can
// be started: Qt then reads them when it first needs them.
std::jthread loadFontConfigurationAhead();

// The face a layout names, under the name the font database knows it by:
// the name itself where that face is installed, else the installed face
// installFonts maps it to, else the name, left to Qt's matching. Qt finds
// the same face from the name alone, but asks fontconfig about the missing
// name again for every size and weight, a tenth of the start-up.
QString installedFace(const QString& named);

}  // namespace forms

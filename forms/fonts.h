#pragma once

#include <QString>

namespace forms {

// Maps the faces that the layouts name to installed faces of the same
// metrics, and draws every text that no layout gives a face in their sans
// face.
void installFonts();

// The face a layout names, under the name the font database knows it by:
// the name itself where that face is installed, else the installed face
// installFonts maps it to, else the name, left to Qt's matching. Qt finds
// the same face from the name alone, but asks fontconfig about the missing
// name again for every size and weight, a tenth of the start-up.
QString installedFace(const QString& named);

}  // namespace forms

#pragma once

#include <QFont>
#include <QStringList>

namespace rt {

// Installed faces that stand in for the two Chinese faces the forms name.
QStringList songFaces();
QStringList kaiFaces();

void installFontSubstitutes();

// A font as the forms store it: face, size in points at 96 DPI, underline. Sizes go to pixels so
// that text keeps its proportions to the twip layout whatever the display's DPI setting.
QFont formFont(const QString &face, double points, bool underline = false);

} // namespace rt

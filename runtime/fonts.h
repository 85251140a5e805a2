#pragma once

#include <QFont>
#include <QStringList>
#include <QStringView>

namespace rt {

// Faces that stand in for the two Chinese faces the forms name, best first: the faces of the
// same style, then those of the other style, then any face for Simplified Chinese.
QStringList songFaces();
QStringList kaiFaces();

void installFontSubstitutes();

// A font as the forms store it: face, size in points at 96 DPI, underline. Sizes go to pixels so
// that text keeps its proportions to the twip layout whatever the display's DPI setting.
QFont formFont(const QString &face, double points, bool underline = false);

// Whether the face the font resolves to draws every character of the text by itself.
bool faceDraws(const QFont &font, QStringView text);

} // namespace rt

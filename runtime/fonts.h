#pragma once

#include <QFont>
#include <QStringList>
#include <QStringView>

namespace rt {

// Installed faces stand in for the two Chinese faces the forms name, best first.
void installFontSubstitutes();

// A font as the forms store it: face, size in points at 96 DPI, underline. Sizes go to pixels so
// that text keeps its proportions to the twip layout whatever the display's DPI setting.
QFont formFont(const QString &face, double points, bool underline = false);

// Whether the face the font resolves to draws every character of the text by itself.
bool faceDraws(const QFont &font, QStringView text);

} // namespace rt

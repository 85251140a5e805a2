#pragma once

#include <QFont>
#include <QStringList>
#include <QStringView>

class QLineEdit;

namespace rt {

// Finds the installed faces that stand in for the two Chinese faces the forms name, best first;
// formFont() names them.
void findStandInFaces();

// A font as the forms store it: face, size in points at 96 DPI, underline. Sizes go to pixels so
// that text keeps its proportions to the twip layout whatever the display's DPI setting.
QFont formFont(const QString &face, double points, bool underline = false);

// Whether the face the font resolves to draws every character of the text by itself.
bool faceDraws(const QFont &font, QStringView text);

// Gives a text box the font, at first with its face alone (fallback still on): the other faces
// join once the box holds text that face cannot draw, since listing them costs start-up a sort
// of every installed face.
void setTextBoxFont(QLineEdit *box, const QFont &font);

} // namespace rt

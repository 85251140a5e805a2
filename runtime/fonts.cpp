#include "fonts.h"

#include "runtime/twips.h"

namespace rt {

QStringList songFaces()
{
    return {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"),
            QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing TW")};
}

QStringList kaiFaces()
{
    return {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL KaitiM GB"),
            QStringLiteral("AR PL UKai TW")};
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("宋体"), songFaces());
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"), kaiFaces());
}

QFont formFont(const QString &face, double points, bool underline)
{
    QFont font(face);
    font.setPixelSize(pointsToPixels(points));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace rt

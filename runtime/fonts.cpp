#include "fonts.h"

#include "twips.h"

#include <QFontDatabase>
#include <QHash>
#include <QRawFont>

namespace rt {
namespace {

const QStringList &songStyle()
{
    static const QStringList faces = {
        QStringLiteral("AR PL UMing CN"),      QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("AR PL UMing TW"),      QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Source Han Serif SC"), QStringLiteral("Source Han Serif CN"),
        QStringLiteral("Noto Serif CJK"),
    };
    return faces;
}

const QStringList &kaiStyle()
{
    static const QStringList faces = {QStringLiteral("AR PL UKai CN"),
                                      QStringLiteral("AR PL KaitiM GB"),
                                      QStringLiteral("AR PL UKai TW")};
    return faces;
}

// Sans-serif faces distributions ship for Simplified Chinese; after them, whatever fontconfig
// knows to cover it.
QStringList anyChinese()
{
    QStringList faces = {
        QStringLiteral("Noto Sans CJK SC"),    QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Source Han Sans CN"),  QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")};
    for (const QString &family : QFontDatabase::families(QFontDatabase::SimplifiedChinese))
        if (!faces.contains(family))
            faces.append(family);
    return faces;
}

} // namespace

// The faces of the same style first, then those of the other style, then any face for
// Simplified Chinese; the font database is asked once.
void installFontSubstitutes()
{
    const QStringList any = anyChinese();
    QFont::insertSubstitutions(QStringLiteral("宋体"), songStyle() + kaiStyle() + any);
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"), kaiStyle() + songStyle() + any);
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

bool faceDraws(const QFont &font, QStringView text)
{
    // Resolved without fallback faces, whose lookup is what turning fallback off saves; once
    // per face asked for, since what a face covers does not depend on its size.
    static QHash<QString, QRawFont> faces;
    auto it = faces.find(font.family());
    if (it == faces.end()) {
        QFont alone = font;
        alone.setStyleStrategy(QFont::NoFontMerging);
        it = faces.insert(font.family(), QRawFont::fromFont(alone));
    }
    for (const QChar c : text)
        if (!it->supportsCharacter(c))
            return false;
    return true;
}

} // namespace rt

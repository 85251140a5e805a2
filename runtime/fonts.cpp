#include "fonts.h"

#include "twips.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>

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

// Each Chinese face the forms name, with the installed faces that stand in for it.
QHash<QString, QStringList> &standIns()
{
    static QHash<QString, QStringList> faces;
    return faces;
}

} // namespace

// The faces of the same style first, then those of the other style, then any face for
// Simplified Chinese; only those installed, and the font database is asked once. Fonts name
// them directly: a font that asks for a face that isn't installed has the font database sort
// every face fontconfig knows for fallbacks, once per face and script, before it tries a
// substitute.
void findStandInFaces()
{
    const QStringList any = anyChinese();
    const QStringList installed = QFontDatabase::families();
    auto keepInstalled = [&installed](QStringList faces) {
        faces.removeDuplicates();
        faces.removeIf([&installed](const QString &face) {
            return !installed.contains(face, Qt::CaseInsensitive);
        });
        return faces;
    };
    // What Windows has comes first: SimSun and Microsoft YaHei come with every Windows 10 and 11,
    // KaiTi with Chinese Windows, whose font list names them in Chinese.
    const QStringList simSun = {QStringLiteral("SimSun"), QStringLiteral("宋体")};
    const QStringList yaHei = {QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑")};
    const QStringList nSimSun = {QStringLiteral("NSimSun"), QStringLiteral("新宋体")};
    const QStringList kaiTi = {QStringLiteral("KaiTi"), QStringLiteral("楷体")};
    standIns().insert(QStringLiteral("宋体"),
                      keepInstalled(simSun + nSimSun + yaHei + songStyle() + kaiStyle() + any));
    standIns().insert(QStringLiteral("楷体_GB2312"),
                      keepInstalled(kaiTi + simSun + yaHei + kaiStyle() + songStyle() + any));
}

QFont formFont(const QString &face, double points, bool underline)
{
    QFont font;
    const QStringList faces = standIns().value(face);
    font.setFamilies(faces.isEmpty() ? QStringList{face} : faces);
    font.setPixelSize(pointsToPixels(points));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool faceDraws(const QFont &font, QStringView text)
{
    // Asked of the engine the control itself draws with once fallback is off, so nothing is
    // loaded for the question alone; once per face, since what a face covers does not depend
    // on its size.
    static QHash<QString, QFontMetrics> faces;
    auto it = faces.find(font.family());
    if (it == faces.end()) {
        QFont alone = font;
        alone.setStyleStrategy(QFont::NoFontMerging);
        it = faces.insert(font.family(), QFontMetrics(alone));
    }
    for (const QChar c : text)
        if (!it->inFont(c))
            return false;
    return true;
}

void setTextBoxFont(QLineEdit *box, const QFont &font)
{
    QFont alone = font;
    alone.setFamilies(font.families().mid(0, 1));
    box->setFont(alone);
    if (font.families().size() < 2)
        return;
    auto *widen = new QObject(box);
    QObject::connect(box, &QLineEdit::textChanged, widen, [box, font, widen](const QString &text) {
        if (!faceDraws(box->font(), text)) {
            box->setFont(font);
            widen->deleteLater();
        }
    });
}

} // namespace rt

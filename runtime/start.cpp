#include "start.h"

#include "appinfo.h"
#include "fonts.h"
#include "text.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace rt {

void initialize()
{
    QApplication::setApplicationName(toQString(App.Title));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(App.Major).arg(App.Minor).arg(App.Revision));

    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto *translator = new QTranslator(qApp);
    if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;

    findStandInFaces();
}

} // namespace rt

#include "Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace operations {

namespace {

// The built-in catalogues: peln_<language>.qm.
const char *const CatalogueFolder = ":/translations";

QList<QTranslator *> installed(QCoreApplication &app)
{
    return app.findChildren<QTranslator *>(QStringLiteral("peln-translation"),
                                           Qt::FindDirectChildrenOnly);
}

} // namespace

QString installTranslation(QCoreApplication &app, const QStringList &languages)
{
    removeTranslation(app);
    for (const QString &name : languages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C)
            return {};
        auto own = std::make_unique<QTranslator>(&app);
        if (!own->load(QLocale(locale.language()), QStringLiteral("peln"), QStringLiteral("_"),
                       QLatin1String(CatalogueFolder)))
            continue;
        own->setObjectName(QStringLiteral("peln-translation"));
        QCoreApplication::installTranslator(own.release());
        // Qt's own texts (the buttons and file dialogs it draws), where the
        // system has them; a catalogue missing leaves them in English.
        auto qt = std::make_unique<QTranslator>(&app);
        if (qt->load(QLocale(locale.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            qt->setObjectName(QStringLiteral("peln-translation"));
            QCoreApplication::installTranslator(qt.release());
        }
        return QLocale::languageToCode(locale.language());
    }
    return {};
}

void removeTranslation(QCoreApplication &app)
{
    for (QTranslator *translator : installed(app)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace operations

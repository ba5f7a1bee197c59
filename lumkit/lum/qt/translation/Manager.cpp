#include "lum/qt/translation/Manager.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace lum::qt::translation {

namespace {
const QString SettingsKey = QStringLiteral("language");
const QString English = QStringLiteral("en");
} // namespace

Manager& Manager::singleton()
{
    static Manager manager;
    return manager;
}

Manager::Manager() : _language(English), _catalogues{QStringLiteral("lumqt")}
{
    _catalogueDirectory = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../translations");
}

Manager::~Manager() = default;

QStringList Manager::languages()
{
    return {English, QStringLiteral("de")};
}

QString Manager::nativeName(const QString& language)
{
    // Each language is named in itself so that a user can find theirs whatever is shown.
    if (language == QLatin1String("de"))
        return QStringLiteral("Deutsch");
    return QStringLiteral("English");
}

QString Manager::currentLanguageString() const
{
    return _language;
}

QString Manager::catalogueDirectory() const
{
    return _catalogueDirectory;
}

void Manager::setCatalogueDirectory(const QString& directory)
{
    _catalogueDirectory = directory;
    installCatalogues();
}

void Manager::addCatalogue(const QString& name)
{
    if (_catalogues.contains(name))
        return;
    _catalogues.append(name);
    installCatalogues();
}

void Manager::applySavedLanguage()
{
    const QString saved = QSettings().value(SettingsKey, English).toString();
    if (!languages().contains(saved) || saved == _language)
        return;
    _language = saved;
    installCatalogues();
    emit languageChanged();
}

bool Manager::setLanguage(const QString& language)
{
    if (!languages().contains(language))
        return false;
    QSettings().setValue(SettingsKey, language);
    if (language == _language)
        return true;
    _language = language;
    installCatalogues();
    emit languageChanged();
    return true;
}

void Manager::removeCatalogues()
{
    for (const auto& translator : _installed)
        QCoreApplication::removeTranslator(translator.get());
    _installed.clear();
}

void Manager::installCatalogues()
{
    removeCatalogues();
    if (_language == English)
        return;
    auto load = [this](const QString& file, const QString& directory) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(file, directory) && QCoreApplication::installTranslator(translator.get()))
            _installed.push_back(std::move(translator));
    };
    // Qt's own texts (standard buttons, context menus of text views) where Qt's catalogue is
    // installed.
    load(QStringLiteral("qtbase_") + _language, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    for (const QString& catalogue : qAsConst(_catalogues))
        load(catalogue + '_' + _language, _catalogueDirectory);
}

} // namespace lum::qt::translation

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QTranslator;

namespace lum::qt::translation {

// The workbench's language: English (the texts in the code) or German, switched at run time by
// installing the compiled catalogues "<catalogue>_<language>.qm" of every registered catalogue
// ("lumqt" is registered from the start).
// Widgets connect languageChanged() to their translate() slot. The choice is kept in the user's
// settings store under "language" and read back by applySavedLanguage() at the next start.
class Manager : public QObject
{
    Q_OBJECT

public:
    static Manager& singleton();

    // "en", "de": the language codes in menu order.
    static QStringList languages();
    // The language's own name ("English", "Deutsch"), as a language menu shows it.
    static QString nativeName(const QString& language);

    // The code of the language in use ("en" or "de").
    QString currentLanguageString() const;

    // Catalogues are looked up in this folder; by default translations/ beside bin/.
    QString catalogueDirectory() const;
    void setCatalogueDirectory(const QString& directory);

    // Adds a catalogue name ("lumlink", "tavview"); its file is loaded for the current language at
    // once and on every switch.
    void addCatalogue(const QString& name);

    // Installs the language stored in the settings (English when none is stored).
    void applySavedLanguage();

    // Switches now, stores the choice and emits languageChanged(). Returns false, changing
    // nothing, for an unknown code.
    bool setLanguage(const QString& language);

signals:
    void languageChanged();

private:
    Manager();
    ~Manager() override;

    void installCatalogues();
    void removeCatalogues();

    QString _language;
    QString _catalogueDirectory;
    QStringList _catalogues;
    std::vector<std::unique_ptr<QTranslator>> _installed;
};

} // namespace lum::qt::translation

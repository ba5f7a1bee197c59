#pragma once

#include <QString>
#include <QUrl>

namespace tavview {

// The name the workbench is sold under, chosen by the settings key "forming": the branded
// application name, the toolbar's logo and where the logo links to.
class Brand
{
public:
    // Reads "forming" from the workbench settings (default "TavikView").
    static Brand fromSettings();

    explicit Brand(const QString& forming);

    // "TAVIK ® View 3.3.1" for "TavikView", "LUMlink ® 3.3.1" for anything else; untranslated.
    QString applicationName() const;
    QString logo() const;
    QUrl link() const;

private:
    bool _tavikView;
};

} // namespace tavview

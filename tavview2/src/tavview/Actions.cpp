#include <tavview/Actions.h>

#include <lum/qt/translation/Manager.h>
#include <QAction>
#include <QActionGroup>

namespace tavview {

Actions& Actions::singleton()
{
    static Actions instance;
    return instance;
}

Actions::Actions()
    : _uploadGroup(new QActionGroup(this)), showToolbar(new QAction(this)),
      uploadCurProj(
          new QAction(QIcon(QStringLiteral(":/images/application_go.png")), QString(), _uploadGroup))
{
    showToolbar->setCheckable(true);
    uploadCurProj->setCheckable(true);
    connect(&lum::qt::translation::Manager::singleton(), &lum::qt::translation::Manager::languageChanged,
            this, &Actions::translate);
    translate();
}

void Actions::translate()
{
    showToolbar->setText(tr("Toolbar"));
    uploadCurProj->setText(tr("Upload project"));
    uploadCurProj->setToolTip(tr("Upload current project to Tavik"));
}

} // namespace tavview

#include "lum/qt/gui/widgets/Progress.h"

#include "lum/qt/translation/Manager.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum::qt::gui::widgets {

Progress::Progress(QWidget* parent, bool cancellable, const QString& title)
    : QWidget(parent), _title(new QLabel(title, this)), _bar(new QProgressBar(this)),
      _cancel(cancellable ? new QPushButton(this) : nullptr)
{
    setObjectName(QStringLiteral("progress"));
    // Minimum and maximum 0: the bar shows that work goes on without claiming how much is done.
    _bar->setRange(0, 0);
    _bar->setTextVisible(false);
    _title->setWordWrap(true);

    auto* row = new QHBoxLayout;
    row->addWidget(_bar, 1);
    if (_cancel) {
        _cancel->setObjectName(QStringLiteral("cancel"));
        _cancel->setIcon(QIcon(QStringLiteral(":/silk/cancel.png")));
        row->addWidget(_cancel);
        connect(_cancel, &QPushButton::clicked, this, &Progress::cancel);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_title);
    layout->addLayout(row);
    layout->addStretch();

    connect(&translation::Manager::singleton(), &translation::Manager::languageChanged, this,
            &Progress::translate);
    translate();
}

QString Progress::title() const
{
    return _title->text();
}

void Progress::setTitle(const QString& title)
{
    _title->setText(title);
    _bar->setAccessibleDescription(title);
}

bool Progress::isCancellable() const
{
    return _cancel != nullptr;
}

void Progress::translate()
{
    _bar->setAccessibleName(tr("Progress"));
    _bar->setAccessibleDescription(_title->text());
    if (_cancel) {
        _cancel->setText(tr("Cancel"));
        _cancel->setAccessibleName(tr("Cancel"));
    }
}

} // namespace lum::qt::gui::widgets

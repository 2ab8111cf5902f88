#include "ui/shell/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "platform/UiLanguage.h"
#include "shell/ShellMessages.h"
#include "ui/shell/Resources.h"

namespace tavix {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    EnsureResources();
    setWindowTitle(ShownText(kAboutCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/tavix.png")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(ShownText(kAboutVersion), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    auto* line2 = new QLabel(ShownText(kAboutLine2), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(line2, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavix

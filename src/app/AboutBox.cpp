#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtcommon/ProgramPictures.h"

namespace nbx::app {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutBox");
    setWindowTitle("About");
    auto* icon = new QLabel(this);
    icon->setObjectName("aboutIcon");
    icon->setPixmap(ProgramIcon(ProgramPicture::Compiler).pixmap(48, 48));
    auto* title = new QLabel("Nimbrel E-Book", this);
    title->setObjectName("aboutTitle");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* version =
        new QLabel(QStringLiteral("Version: ") + QStringLiteral(NBX_VERSION_TEXT), this);
    version->setObjectName("aboutVersion");
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace nbx::app

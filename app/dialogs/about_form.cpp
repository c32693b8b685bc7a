// The About window.
#include "app/dialogs/about_form.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "app/dialogs/dialog_resources.h"

namespace {
constexpr int ClientWidth = 365;
constexpr int ClientHeight = 219;

bool IsMouseButtonEvent(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonRelease ||
           event->type() == QEvent::MouseButtonDblClick;
}
} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    EnsureDialogResources();
    setWindowTitle(QStringLiteral("About Zentavo"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setGeometry(0, 0, ClientWidth, ClientHeight);

    Picture = new QLabel(Panel);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setGeometry(4, 4, 170, 49);
    Picture->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Picture->setPixmap(QPixmap(QStringLiteral(":/dialogs/about_picture.png")));
    Picture->installEventFilter(this);

    ProductName = new QLabel(QStringLiteral("Zentavo"), Panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont nameFont = font();
    nameFont.setFamily(QStringLiteral("Sans Serif"));
    nameFont.setStyleHint(QFont::SansSerif);
    nameFont.setPointSize(16);
    nameFont.setBold(true);
    ProductName->setFont(nameFont);
    ProductName->move(218, 8);
    ProductName->adjustSize();

    Version = new QLabel(QStringLiteral("version 4.1"), Panel);
    Version->setObjectName(QStringLiteral("Version"));
    QFont versionFont = font();
    versionFont.setPointSize(10);
    Version->setFont(versionFont);
    Version->move(248, 32);
    Version->adjustSize();
    Version->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("&Ok"), Panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(310, 179, 47, 30);
    Button1->setDefault(true);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TAboutForm::FormClick);
}

void TAboutForm::FormClick() {
    accept();
}

// Clicks that reach the window come from the window itself, its panel or the
// product name (labels pass clicks on to their parent).
void TAboutForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

// The picture and the version line keep their clicks to themselves.
bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == Picture || watched == Version) && IsMouseButtonEvent(event)) return true;
    return QDialog::eventFilter(watched, event);
}

#include "gui/app/tform_oprogramie.h"

#include "gui/resources/artwork.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Oprogramie::TForm_Oprogramie(QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog)
{
    setObjectName(QStringLiteral("Form_Oprogramie"));
    setWindowTitle(QStringLiteral("Informacje o programie"));
    setFixedSize(430, 264);
    setStyleSheet(QStringLiteral("TForm_Oprogramie { background: #800000; }"));

    auto *inner = new QFrame(this);
    inner->setObjectName(QStringLiteral("Panel_Oprogramie"));
    inner->setFrameShape(QFrame::Panel);
    inner->setFrameShadow(QFrame::Raised);
    inner->setAutoFillBackground(true);

    auto *programLine = new QLabel(QStringLiteral("Program Orvane 707"), inner);
    auto *description = new QLabel(inner);
    description->setTextFormat(Qt::RichText);
    // One paragraph that wraps at the box's edge: fixed line breaks would cut
    // the text off wherever the font is wider than the one it was set for.
    description->setText(QStringLiteral(
        "Program umożliwia <b>sterowanie kalibratorem</b> realizując wszystkie funkcje "
        "pulpitu sterującego. Ponadto umożliwia <b>sprawdzanie mierników</b> analogowych "
        "i cyfrowych, tworzenie bazy danych sprawdzanych przyrządów oraz graficzną "
        "wizualizację wyników pomiarów."));
    description->setWordWrap(true);
    description->setObjectName(QStringLiteral("Label_Opis"));
    QFont small = description->font();
    small.setPointSizeF(8);
    description->setFont(small);

    auto *picture = new QLabel(inner);
    picture->setPixmap(Artwork::calibratorThumbnail(QSize(121, 81), devicePixelRatioF()));
    picture->setFixedSize(121, 81);

    auto *product = new QLabel(QStringLiteral("Orvane 707"), inner);
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSize(16);
    product->setFont(productFont);
    product->setStyleSheet(QStringLiteral("color: red;"));
    auto *version = new QLabel(QStringLiteral("Wersja 2.6 PL"), inner);
    QFont versionFont = version->font();
    versionFont.setBold(true);
    version->setFont(versionFont);

    BitBtn1 = new QPushButton(QStringLiteral("&OK"), inner);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_Oprogramie::BitBtn1Click);

    auto *titles = new QVBoxLayout;
    titles->addStretch();
    titles->addWidget(product);
    titles->addWidget(version);
    titles->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(16);
    top->addLayout(titles);
    top->addStretch();

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(BitBtn1);
    buttonRow->addStretch();

    auto *content = new QVBoxLayout(inner);
    content->setContentsMargins(8, 6, 8, 6);
    content->addWidget(programLine);
    content->addLayout(top);
    content->addWidget(description);
    content->addStretch();
    content->addLayout(buttonRow);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(inner);
}

void TForm_Oprogramie::BitBtn1Click()
{
    close();
}

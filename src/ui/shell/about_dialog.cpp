#include "ui/shell/about_dialog.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "shell/product.h"

namespace zv::ui {
namespace {

// The product picture: the converter's two sides joined by the device.
QPixmap product_picture() {
    QPixmap pm(81, 81);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 81);
    g.setColorAt(0, QColor(0x2f, 0x5d, 0x8a));
    g.setColorAt(1, QColor(0x16, 0x33, 0x52));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 79, 79), 12, 12);
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 3));
    p.drawLine(14, 30, 67, 30);
    p.drawLine(14, 52, 67, 52);
    p.setBrush(QColor(0xe8, 0x8a, 0x1a));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(30, 22, 21, 38), 4, 4);
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    for (int y : {30, 52}) {
        p.drawEllipse(QPointF(14, y), 4.5, 4.5);
        p.drawEllipse(QPointF(67, y), 4.5, 4.5);
    }
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0xf0, 0xf0, 0xf0));
    p.drawText(QRect(0, 62, 81, 16), Qt::AlignCenter, "ZV");
    return pm;
}

QLabel* text_label(QWidget* parent, const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 18);
    return l;
}

}  // namespace

TFAbout::TFAbout(GuiApp& app) : QDialog(nullptr, kFixedDialogFlags), app_(app) {
    setObjectName("TFAbout");
    setModal(true);
    setFixedSize(425, 148);
    setWindowTitle("About...");

    Image1 = new ClickLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(10, 10, 81, 81);
    Image1->setPixmap(product_picture());
    Image1->setCursor(Qt::PointingHandCursor);

    QLabel* name = text_label(this, "Software Zevirovave ", 104, 10, 310);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    text_label(this, QString::fromLatin1(SW_Desc), 104, 30, 310);
    text_label(this, "Software Code : ", 104, 54, 110);
    text_label(this, QString::fromLatin1(SW_Code), 214, 54, 110)->setFont(bold);
    text_label(this, "Version :", 104, 72, 110);
    text_label(this, QString::fromLatin1(kOwnVersion), 214, 72, 110)->setFont(bold);
    text_label(this, "Document Code :", 104, 90, 110);
    text_label(this, QString::fromLatin1(kManualCode), 214, 90, 110)->setFont(bold);

    L_Web = new ClickLabel(this);
    L_Web->setObjectName("L_Web");
    L_Web->setGeometry(104, 118, 220, 18);
    L_Web->setText(qs(maker_web_address()));
    L_Web->setStyleSheet("color: #1a5fb4; text-decoration: underline;");
    L_Web->setCursor(Qt::PointingHandCursor);

    Btn_OK = new QPushButton("OK", this);
    Btn_OK->setObjectName("Btn_OK");
    Btn_OK->setGeometry(335, 108, 80, 30);

    auto open_home = [this] { app_.open_url(home_page_url()); };
    connect(Image1, &ClickLabel::clicked, this, open_home);
    connect(L_Web, &ClickLabel::clicked, this, open_home);
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace zv::ui

#include "ui/shell/qt_util.h"

#include <QMessageBox>
#include <QMouseEvent>

#include "shell/product.h"

namespace zv::ui {

QLabel* make_sw_code_label(QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(SW_Code), parent);
    l->setObjectName("L_SW_Code");
    QFont f = l->font();
    f.setPointSize(22);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet("color: #808080;");
    return l;
}

QLabel* make_sw_desc_label(QWidget* parent, int width) {
    auto* l = new QLabel(parent);
    l->setObjectName("L_SW_Desc");
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setGeometry(10, 46, width, 20);
    return l;
}

QString link_html(const std::string& url, const std::string& text) {
    return QString("<a href=\"%1\">%2</a>").arg(qs(url).toHtmlEscaped(), qs(text).toHtmlEscaped());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

void QtPrompter::error(const std::string& text) { QMessageBox::critical(parent_, SW_Code, qs(text)); }
void QtPrompter::warning(const std::string& text) { QMessageBox::warning(parent_, SW_Code, qs(text)); }
void QtPrompter::information(const std::string& text) { QMessageBox::information(parent_, SW_Code, qs(text)); }
bool QtPrompter::confirm(const std::string& text) {
    return QMessageBox::question(parent_, SW_Code, qs(text), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zv::ui

#pragma once
#include <QLabel>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>

#include "text/prompter.h"

namespace zv::ui {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string ss(const QString& s) { return s.toStdString(); }
inline QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Fixed-size modal dialogs with only a close box.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                                     Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;

// The large grey product code every window shows in its header.
QLabel* make_sw_code_label(QWidget* parent);
// The bold line below it (L_SW_Desc), `width` wide.
QLabel* make_sw_desc_label(QWidget* parent, int width);

// "<a href=url>text</a>" for a link label; the text is shown as it stands.
QString link_html(const std::string& url, const std::string& text);

// A label (or picture) that reports a left click, for the clickable flags,
// names and web addresses.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// Message boxes for the core forms.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool confirm(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace zv::ui

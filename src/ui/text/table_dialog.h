#pragma once
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "text/grid.h"
#include "text/prompter.h"
#include "ui/shell/gui_app.h"
#include "ui/text/grid_view.h"

namespace zv::ui {

// What the table dialogs share: fixed-size modal windows with tab pages of
// grids and a row of buttons along the bottom.
inline constexpr Qt::WindowFlags kTableDialogFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                                     Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;

// A form's prompter: the app's message boxes at the moment of each call, so a
// test can put in its own after the window exists.
struct AppPrompter : Prompter {
    GuiApp& app;
    QWidget* parent;
    AppPrompter(GuiApp& a, QWidget* p) : app(a), parent(p) {}
    void error(const std::string& t) override { app.prompter(parent).error(t); }
    void warning(const std::string& t) override { app.prompter(parent).warning(t); }
    void information(const std::string& t) override { app.prompter(parent).information(t); }
    bool confirm(const std::string& t) override { return app.prompter(parent).confirm(t); }
};

// The header of the window: the product code and, beside it, the description.
void add_title(QWidget* dialog, int width, QLabel*& L_SW_Code, QLabel*& L_SW_Desc);

// A tab page holding one grid view.
GridView* add_grid_page(QTabWidget* tabs, const char* page_name, const char* grid_name, Grid& g,
                        const ShellState& settings);

// A button of the bottom row, at x with width w in a dialog of height h.
QPushButton* bottom_button(QWidget* dialog, const char* name, int x, int w, int h);

}  // namespace zv::ui

#pragma once
#include <QApplication>
#include <QTimer>
#include <functional>

#include "common/test_support.h"
#include "ui/shell/gui_app.h"
#include "ui/shell/main_window.h"

namespace zvtest {

// All windows over a temporary workspace, message boxes scripted.
struct GuiFixture {
    TempDir dir;
    zv::AppContext ctx;
    zv::ui::GuiApp app{ctx};
    ScriptedPrompter prompter;

    GuiFixture() { app.set_prompter(&prompter); }
    void create() { app.create_windows(dir.path); }
    zv::ui::TFZevirovaveeFirmWare& main() { return *app.main_window; }
};

// Runs `act` once the next modal dialog is up (tests never wait on a real box).
inline void when_modal(const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        act(w);
    });
}

}  // namespace zvtest

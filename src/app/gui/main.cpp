// The configurator: zevirovave [--workspace DIR] [--screenshots OUT_DIR]
#include <QApplication>
#include <QDir>
#include <cstring>
#include <iostream>

#include "shell/workspace.h"
#include "ui/shell/gui_app.h"
#include "ui/shell/main_window.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Zevirovave");
    std::filesystem::path workspace = zv::executable_folder();
    std::string shots_dir;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--workspace") && i + 1 < argc) {
            workspace = std::filesystem::absolute(argv[++i]);
        } else if (!std::strcmp(argv[i], "--screenshots") && i + 1 < argc) {
            shots_dir = argv[++i];
        } else if (!std::strcmp(argv[i], "--help")) {
            std::cout << "usage: zevirovave [--workspace DIR] [--screenshots OUT_DIR]\n"
                         "  --workspace DIR     the program folder (default: the folder of the executable)\n"
                         "  --screenshots DIR   render every window to DIR/<window>.png and exit\n";
            return 0;
        } else {
            std::cerr << "zevirovave: unknown argument " << argv[i] << " (see --help)\n";
            return 2;
        }
    }
    zv::AppContext ctx;
    zv::ui::GuiApp app(ctx);
    app.create_windows(workspace);

    if (!shots_dir.empty()) {
        QDir().mkpath(QString::fromStdString(shots_dir));
        int failed = 0;
        for (const auto& shot : app.shots) {
            QWidget* w = shot.prepare();
            w->ensurePolished();
            QString file = QString::fromStdString(shots_dir + "/" + shot.name + ".png");
            if (!w->grab().save(file)) {
                std::cerr << "cannot write " << file.toStdString() << "\n";
                ++failed;
            } else {
                std::cout << file.toStdString() << "\n";
            }
        }
        return failed ? 1 : 0;
    }
    app.main_window->show();
    return qapp.exec();
}

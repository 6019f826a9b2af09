#include "shell/projects.h"

#include <system_error>

#include "shell/workspace.h"
#include "text/text_util.h"

namespace zv {
namespace fs = std::filesystem;

bool Create_Project(ShellState& s, const StringTable& t, Prompter& p, const std::string& name) {
    if (name.empty()) {
        p.error(t[107]);
        return false;
    }
    // A separator, "." or ".." would reach outside PROJECTS: refused like any
    // name the file system refuses.
    if (!is_safe_folder_name(name)) {
        p.error(t[105]);
        return false;
    }
    const fs::path folder = s.Projects_Path / name;
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        p.error(t[106]);
        return false;
    }
    if (!fs::create_directory(folder, ec) || ec) {
        p.error(t[105]);
        return false;
    }
    fs::create_directories(folder / "bin", ec);
    s.Project_Name = name;
    s.Project_Path = folder;
    Set_Files(s);
    return true;
}

void OpenConfForm::Load_Existing_Configuration(const ShellState& s) {
    entries.clear();
    std::error_code ec;
    for (fs::directory_iterator it(s.Projects_Path, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (!it->is_directory(e2) || it->is_symlink(e2)) continue;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;  // hidden
        entries.push_back(name);
    }
    std::string current = s.project_open() ? s.Project_Path.filename().string() : std::string();
    int found = Search_Open_Conf(current);
    select(found >= 0 ? found : (entries.empty() ? -1 : 0));
}

int OpenConfForm::Search_Open_Conf(const std::string& name) const {
    const std::string up = to_upper_ascii(name);
    for (size_t i = 0; i < entries.size(); ++i)
        if (to_upper_ascii(entries[i]) == up) return static_cast<int>(i);
    return -1;
}

void OpenConfForm::select(int index) {
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        selected = -1;
        Name_Conf.clear();
        return;
    }
    selected = index;
    Name_Conf = entries[static_cast<size_t>(index)];
}

void Open_Project(ShellState& s, const std::string& Name_Conf) {
    s.Project_Name = Name_Conf;
    s.Project_Path = Name_Conf.empty() ? fs::path() : s.Projects_Path / Name_Conf;
    Set_Files(s);
}

}  // namespace zv

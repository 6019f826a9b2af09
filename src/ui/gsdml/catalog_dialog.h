#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <vector>

#include "gsdml/catalog_form.h"
#include "ui/shell/gui_app.h"

namespace zv::ui {

// The device catalog: a tree of families, vendors, product families, categories
// and devices; a click on a device chooses it, Add Device copies a file into
// the catalog folder. The caller reads the Selected_ fields of form() after OK.
class TFPROFINETCatalog : public QDialog, public LangWindow {
    Q_OBJECT
public:
    explicit TFPROFINETCatalog(GuiApp& app);

    void Set_Lang() override;
    void prepare();  // the show handler: selection emptied, tree rebuilt
    void Btn_AddDeviceClick();
    ProfinetCatalogForm& form() { return *form_; }
    // The tree item of a node of form().tree.
    QTreeWidgetItem* item_of(int node) const { return items_.at(static_cast<size_t>(node)); }

    // The open-file dialog OD_GSDML; tests put in their own choice.
    std::function<QString()> OD_GSDML;

    QWidget* P_Title;
    QLabel* L_SW_Code;
    QLabel* L_SW_Desc;
    QTreeWidget* TW_Catalog;
    QPushButton* Btn_OK;
    QPushButton* Btn_Cancel;
    QPushButton* Btn_AddDevice;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void fill_tree();

    GuiApp& app_;
    std::unique_ptr<ProfinetCatalogForm> form_;
    std::vector<QTreeWidgetItem*> items_;
};

// Starts the catalog loader thread for the main window: the indicator is shown
// and hidden on the user-interface thread, the loader waits for each.
void start_catalog_loader(GuiApp& app);

}  // namespace zv::ui

#include "ui/gsdml/catalog_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMetaObject>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>

#include "gsdml/catalog_loader.h"
#include "text/error.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_util.h"

namespace zv::ui {
namespace {

constexpr Qt::WindowFlags kCatalogFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                                          Qt::CustomizeWindowHint;

QPushButton* button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setMinimumSize(110, 32);
    return b;
}

}  // namespace

TFPROFINETCatalog::TFPROFINETCatalog(GuiApp& app)
    : QDialog(nullptr, kCatalogFlags),
      app_(app),
      form_(std::make_unique<ProfinetCatalogForm>(*app.ctx.Catalog, app.ctx.state.Catalog_Path)) {
    setObjectName("TFPROFINETCatalog");
    setModal(true);

    P_Title = new QWidget(this);
    P_Title->setObjectName("P_Title");
    P_Title->setFixedHeight(72);
    L_SW_Code = make_sw_code_label(P_Title);
    L_SW_Code->setGeometry(10, 8, 200, 36);
    L_SW_Desc = make_sw_desc_label(P_Title, 500);

    TW_Catalog = new QTreeWidget(this);
    TW_Catalog->setObjectName("TW_Catalog");
    TW_Catalog->setHeaderHidden(true);
    TW_Catalog->setRootIsDecorated(false);
    TW_Catalog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TW_Catalog->setColumnCount(1);
    TW_Catalog->setUniformRowHeights(true);
    TW_Catalog->setIndentation(18);

    Btn_AddDevice = button(this, "Btn_AddDevice");
    Btn_OK = button(this, "Btn_OK");
    Btn_Cancel = button(this, "Btn_Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btn_AddDevice);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 8);
    layout->addWidget(P_Title);
    layout->addWidget(TW_Catalog, 1);
    layout->addLayout(buttons);
    resize(800, 500);

    // A mouse click chooses; moving with the keyboard does not.
    connect(TW_Catalog, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        auto it = std::find(items_.begin(), items_.end(), item);
        form_->TW_CatalogClick(it == items_.end() ? -1 : static_cast<int>(it - items_.begin()));
    });
    connect(Btn_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Btn_AddDevice, &QPushButton::clicked, this, &TFPROFINETCatalog::Btn_AddDeviceClick);
    OD_GSDML = [this] {
        return QFileDialog::getOpenFileName(this, QString(), qpath(app_.ctx.state.Catalog_Path),
                                            "GSDML File (*.xml);;All File (*)");
    };
    Set_Lang();
}

void TFPROFINETCatalog::Set_Lang() {
    const StringTable& t = app_.ctx.String_Table;
    setWindowTitle(qs(t[1300]));
    L_SW_Desc->setText(qs(t[1301]));
    Btn_OK->setText(qs(t[1302]));
    Btn_OK->setToolTip(qs(t[1303]));
    Btn_Cancel->setText(qs(t[1304]));
    Btn_Cancel->setToolTip(qs(t[1305]));
    Btn_AddDevice->setText(qs(t[1306]));
    Btn_AddDevice->setToolTip(qs(t[1307]));
}

void TFPROFINETCatalog::prepare() {
    form_->FormShow();
    fill_tree();
}

void TFPROFINETCatalog::showEvent(QShowEvent* e) {
    prepare();
    QDialog::showEvent(e);
}

void TFPROFINETCatalog::fill_tree() {
    TW_Catalog->clear();
    items_.clear();
    const QIcon group = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon device = style()->standardIcon(QStyle::SP_DriveNetIcon);
    const CatalogTree& tree = form_->tree;
    items_.reserve(tree.nodes.size());
    // Parents always come before their children in the node list.
    for (const CatalogTreeNode& n : tree.nodes) {
        auto* item = n.parent < 0 ? new QTreeWidgetItem(TW_Catalog) : new QTreeWidgetItem(items_.at(static_cast<size_t>(n.parent)));
        item->setText(0, qs(n.text));
        item->setIcon(0, n.picture == 1 ? device : group);
        items_.push_back(item);
    }
    TW_Catalog->expandAll();
}

void TFPROFINETCatalog::Btn_AddDeviceClick() {
    const QString chosen = OD_GSDML ? OD_GSDML() : QString();
    if (chosen.isEmpty()) return;
    try {
        form_->Btn_AddDeviceClick(std::filesystem::path(ss(chosen)), app_.prompter(this));
    } catch (const Error& e) {
        app_.prompter(this).error(e.what());
    }
    fill_tree();
}

void start_catalog_loader(GuiApp& app) {
    QPointer<TFZevirovaveeFirmWare> window = app.main_window;
    // Both calls wait until the user-interface thread has done them, so the
    // catalog is never read while the indicator says it is loading. They go
    // through the application object, which outlives every window; a window
    // already closed is left alone.
    auto set_indicator = [window](bool visible) {
        QCoreApplication* qapp = QCoreApplication::instance();
        if (!qapp) return;
        QMetaObject::invokeMethod(
            qapp,
            [window, visible] {
                if (!window) return;
                window->ILoadCat->setVisible(visible);
                window->LLoadCat->setVisible(visible);
            },
            Qt::BlockingQueuedConnection);
    };
    TPROFINETCatLoad::Hooks hooks;
    hooks.show_indicator = [set_indicator] { set_indicator(true); };
    hooks.hide_indicator = [set_indicator] { set_indicator(false); };
    TPROFINETCatLoad::start(app.ctx.state.Catalog_Path, app.ctx.Catalog, std::move(hooks));
}

}  // namespace zv::ui

#include "ui/MainWindow.h"

#include "app/DatasetListEntry.h"
#include "data/ActivityData.h"
#include "ui/AboutDialog.h"
#include "ui/DatasetListView.h"
#include "ui/ValueListModel.h"
#include "ui/ValueListView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QWheelEvent>

namespace {

struct TActionInfo {
    const char* Name;
    const char* Caption;
    const char* Hint;
    const char* Shortcut;
    const char* Icon;
    // Commands whose implementation is not part of the program yet stay disabled.
    bool Available;
};

const TActionInfo Actions[] = {
    {"NewWorkspaceAction", "New workspace", "New workspace", "Ctrl+N", "new-workspace", false},
    {"OpenWorkspaceAction", "Open workspace\u2026", "Open workspace", "Ctrl+O", "open-workspace", false},
    {"SaveWorkspaceAction", "Save workspace", "Save workspace", "Ctrl+S", "save-workspace", false},
    {"SaveWorkspaceAsAction", "Save workspace as\u2026", "", "", "", false},
    {"LoadADFAction", "Load ADF file\u2026", "Load ADF file", "Ctrl+L", "load-adf", true},
    {"LoadFromDatabaseAction", "Load from database\u2026", "Load data from database", "Ctrl+D",
     "load-database", false},
    {"ExitAction", "Exit", "Exit programm", "Alt+F4", "", true},
    {"NewActogramAction", "Actogram\u2026", "Actogram", "Ctrl+1", "actogram", false},
    {"NewDateChartAction", "Statistical by date\u2026", "Statistical chart by date", "Ctrl+2", "date-chart",
     false},
    {"NewTimeChartAction", "Statistical by time\u2026", "Statistical chart by time", "Ctrl+3", "time-chart",
     false},
    {"NewRhythmicChartAction", "Rhythm analysis\u2026", "Rhythm analysis chart", "Ctrl+4", "rhythm-chart",
     false},
    {"NewCosinorChartAction", "Cosinor\u2026", "Cosinor chart", "Ctrl+5", "cosinor-chart", false},
    {"NewTimeBudgetChartAction", "Time budget\u2026", "Time budget chart", "Ctrl+6", "time-budget-chart",
     false},
    {"ClearDefaultsAction", "Clear defaults", "", "", "", false},
    {"ManageConnectionsAction", "Manage connections\u2026", "", "", "", false},
    {"AboutAction", "About\u2026", "", "", "", true},
    {"ChartSettingsAction", "Settings\u2026", "", "", "", false},
    {"SaveGraphicAction", "Save graphic as\u2026", "", "", "", false},
    {"UnloadDatasetAction", "Unload dataset", "", "", "", true},
};

const char* const ChartActions[] = {"NewActogramAction",     "NewDateChartAction",
                                    "NewTimeChartAction",    "NewRhythmicChartAction",
                                    "NewCosinorChartAction", "NewTimeBudgetChartAction"};

} // namespace

TMainWindow::TMainWindow(QWidget* parent) : QMainWindow(parent), MainForm(this) {
    CreateActions();
    CreateMenusAndToolBar();
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->addTab(CreateDataPage(), QStringLiteral("Data"));
    PageControl->addTab(CreateChartsPage(), QStringLiteral("Charts"));
    PageControl->setCurrentIndex(0);
    setCentralWidget(PageControl);
    statusBar()->setSizeGripEnabled(true);
    setAcceptDrops(true);
    resize(900, 640);
}

void TMainWindow::StartUp(const QStringList& arguments) {
    QFile layout(QStringLiteral(":/SectionLayout.json"));
    std::string layoutText;
    if (layout.open(QIODevice::ReadOnly)) {
        layoutText = layout.readAll().toStdString();
    }
    std::vector<std::string> paths;
    for (const QString& argument : arguments) {
        paths.push_back(argument.toStdString());
    }
    MainForm.StartUp(layoutText, paths);
}

void TMainWindow::CreateActions() {
    for (const TActionInfo& info : Actions) {
        auto* action = new QAction(QString::fromUtf8(info.Caption), this);
        action->setObjectName(QString::fromLatin1(info.Name));
        const QString hint = QString::fromUtf8(info.Hint);
        action->setStatusTip(hint);
        if (!hint.isEmpty()) {
            action->setToolTip(hint);
        }
        if (*info.Shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(info.Shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (*info.Icon) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(info.Icon))));
        }
        action->setEnabled(info.Available);
        addAction(action);
    }
    connect(ActionNamed("LoadADFAction"), &QAction::triggered, this, [this] { MainForm.LoadADF(); });
    connect(ActionNamed("ExitAction"), &QAction::triggered, this, &QWidget::close);
    connect(ActionNamed("AboutAction"), &QAction::triggered, this, &TMainWindow::ShowAbout);
    connect(ActionNamed("UnloadDatasetAction"), &QAction::triggered, this,
            [this] { MainForm.UnloadDataset(DatasetListView->currentIndex().row()); });
}

QAction* TMainWindow::ActionNamed(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void TMainWindow::CreateMenusAndToolBar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    for (const char* name :
         {"NewWorkspaceAction", "OpenWorkspaceAction", "LoadADFAction", "LoadFromDatabaseAction"}) {
        file->addAction(ActionNamed(name));
    }
    file->addSeparator();
    file->addAction(ActionNamed("SaveWorkspaceAction"));
    file->addAction(ActionNamed("SaveWorkspaceAsAction"));
    file->addSeparator();
    file->addAction(ActionNamed("ExitAction"));

    QMenu* charts = menuBar()->addMenu(QStringLiteral("Charts"));
    for (const char* name : ChartActions) {
        charts->addAction(ActionNamed(name));
    }
    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    tools->addAction(ActionNamed("ClearDefaultsAction"));
    tools->addAction(ActionNamed("ManageConnectionsAction"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(ActionNamed("AboutAction"));

    QToolBar* toolBar = addToolBar(QStringLiteral("Tools"));
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setIconSize(QSize(32, 32));
    toolBar->setMovable(false);
    for (const char* name : {"NewWorkspaceAction", "OpenWorkspaceAction", "SaveWorkspaceAction"}) {
        toolBar->addAction(ActionNamed(name));
    }
    toolBar->addSeparator();
    toolBar->addAction(ActionNamed("LoadADFAction"));
    toolBar->addAction(ActionNamed("LoadFromDatabaseAction"));
    toolBar->addSeparator();
    for (const char* name : ChartActions) {
        toolBar->addAction(ActionNamed(name));
    }
}

QWidget* TMainWindow::CreateDataPage() {
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("DataSplitter"));

    DatasetModel = new TDatasetListModel(this);
    DatasetListView = new QListView(splitter);
    DatasetListView->setObjectName(QStringLiteral("DatasetListBox"));
    DatasetListView->setModel(DatasetModel);
    DatasetListView->setItemDelegate(new TDatasetListDelegate(DatasetListView));
    DatasetListView->setUniformItemSizes(true);
    DatasetListView->setSelectionMode(QAbstractItemView::SingleSelection);
    DatasetListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DatasetListView, &QWidget::customContextMenuRequested, this, &TMainWindow::ShowDatasetMenu);
    connect(DatasetListView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                MainForm.SelectDataset(current.isValid() ? current.row() : -1);
            });

    ValueModel = new TValueListModel(MainForm.ValueList(), this);
    ValueView = new TValueListView(ValueModel, splitter);
    ValueView->setObjectName(QStringLiteral("ValueList"));

    splitter->addWidget(DatasetListView);
    splitter->addWidget(ValueView);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 600});
    return splitter;
}

QWidget* TMainWindow::CreateChartsPage() {
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("ChartsSplitter"));
    auto* chartTree = new QTreeWidget(splitter);
    chartTree->setObjectName(QStringLiteral("ChartTree"));
    chartTree->setHeaderHidden(true);
    ChartBox = new QScrollArea(splitter);
    ChartBox->setObjectName(QStringLiteral("ChartBox"));
    ChartBox->setBackgroundRole(QPalette::Base);
    QPalette white = ChartBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    ChartBox->setPalette(white);
    ChartBox->viewport()->installEventFilter(this);
    splitter->addWidget(chartTree);
    splitter->addWidget(ChartBox);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 600});
    return splitter;
}

void TMainWindow::CaptionChanged(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TMainWindow::DatasetListChanged() {
    DatasetModel->Refresh();
    // The entry of the dataset the value list shows stays selected, wherever sorting moved it.
    if (const TActivityData* shown = MainForm.ValueList().Dataset()) {
        for (int row = 0; row < DatasetList.Count(); ++row) {
            if (&DatasetList[row] == shown) {
                const QSignalBlocker blocker(DatasetListView->selectionModel());
                DatasetListView->setCurrentIndex(DatasetModel->index(row));
            }
        }
    }
    ValueView->Table()->viewport()->update();
}

void TMainWindow::ValueListChanged() {
    ValueView->Refresh();
}

void TMainWindow::ShowDatasetMenu(const QPoint& position) {
    const QModelIndex index = DatasetListView->indexAt(position);
    if (!index.isValid()) {
        return;
    }
    DatasetListView->setCurrentIndex(index);
    QMenu menu(this);
    menu.addAction(ActionNamed("UnloadDatasetAction"));
    menu.exec(DatasetListView->viewport()->mapToGlobal(position));
}

void TMainWindow::ShowAbout() {
    TAboutDialog dialog(this);
    dialog.exec();
}

void TMainWindow::ScrollChartBox(Qt::Orientation orientation, int increments) {
    QScrollBar* bar =
        orientation == Qt::Vertical ? ChartBox->verticalScrollBar() : ChartBox->horizontalScrollBar();
    bar->setValue(bar->value() + increments * bar->singleStep());
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ChartBox->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint delta = wheel->angleDelta();
        const int steps = delta.y() != 0 ? delta.y() : delta.x();
        if (steps != 0) {
            const bool horizontal = wheel->modifiers() & Qt::ShiftModifier;
            ScrollChartBox(horizontal ? Qt::Horizontal : Qt::Vertical, steps > 0 ? -3 : 3);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        ScrollChartBox(Qt::Vertical, event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!MainForm.CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!ShutDownDone) {
        ShutDownDone = true;
        MainForm.ShutDown();
    }
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TMainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    event->acceptProposedAction();
    MainForm.DropFiles(paths);
}

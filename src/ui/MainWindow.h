#pragma once
// The main window: actions, menus, tool bar, status bar and the "Data" and "Charts" pages. Every
// command is carried out by TMainForm; this class only shows its state.

#include "app/MainForm.h"

#include <QMainWindow>
#include <QStringList>

class QAction;
class QListView;
class QScrollArea;
class QTabWidget;
class TDatasetListModel;
class TValueListModel;
class TValueListView;

class TMainWindow : public QMainWindow, public IMainFormView {
    Q_OBJECT
public:
    explicit TMainWindow(QWidget* parent = nullptr);

    // Completes the settings with the built-in section layout and opens the command-line arguments.
    // Throws std::runtime_error when the layout is missing.
    void StartUp(const QStringList& arguments);

    TMainForm& Form() { return MainForm; }
    QListView* DatasetListBox() const { return DatasetListView; }
    TValueListView* ValueListView() const { return ValueView; }
    QTabWidget* Pages() const { return PageControl; }
    QScrollArea* ChartScrollBox() const { return ChartBox; }

    void CaptionChanged(const std::string& caption) override;
    void DatasetListChanged() override;
    void ValueListChanged() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Up and Down keys no control used scroll the chart box.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    QWidget* CreateDataPage();
    QWidget* CreateChartsPage();
    QAction* ActionNamed(const char* name) const;
    void ShowDatasetMenu(const QPoint& position);
    void ShowAbout();
    void ScrollChartBox(Qt::Orientation orientation, int increments);

    TMainForm MainForm;
    bool ShutDownDone = false;
    QTabWidget* PageControl = nullptr;
    QListView* DatasetListView = nullptr;
    TDatasetListModel* DatasetModel = nullptr;
    TValueListView* ValueView = nullptr;
    QScrollArea* ChartBox = nullptr;
    TValueListModel* ValueModel = nullptr;
};

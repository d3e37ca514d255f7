#include "ui/MainWindow.h"
#include "ui/ValueListModel.h"
#include "ui/ValueListView.h"

#include "app/AppTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

QAction* Action(const TMainWindow& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

class MainWindowTest : public ::testing::Test {
protected:
    void Start(const QStringList& arguments = {}) {
        Window.StartUp(arguments);
        Window.show();
    }
    void Select(int row) {
        Window.DatasetListBox()->setCurrentIndex(Window.DatasetListBox()->model()->index(row, 0));
    }
    QAbstractItemModel* Datasets() const { return Window.DatasetListBox()->model(); }
    TValueListModel* Values() const { return Window.ValueListView()->Model(); }
    QScrollBar* ValueScrollBar() const { return Window.ValueListView()->ScrollBar(); }

    TAppEnvironment Environment;
    TMainWindow Window;
};

TEST_F(MainWindowTest, MenusAndToolBarHoldTheActions) {
    Start();
    EXPECT_EQ(Captions(Window.menuBar()->actions()), QStringList({"File", "Charts", "Tools", "Help"}));
    const QList<QAction*> menus = Window.menuBar()->actions();
    EXPECT_EQ(Captions(menus[0]->menu()->actions()),
              QStringList({"New workspace", "Open workspace\u2026", "Load ADF file\u2026",
                           "Load from database\u2026", "-", "Save workspace", "Save workspace as\u2026", "-",
                           "Exit"}));
    EXPECT_EQ(Captions(menus[1]->menu()->actions()),
              QStringList({"Actogram\u2026", "Statistical by date\u2026", "Statistical by time\u2026",
                           "Rhythm analysis\u2026", "Cosinor\u2026", "Time budget\u2026"}));
    EXPECT_EQ(Captions(menus[2]->menu()->actions()),
              QStringList({"Clear defaults", "Manage connections\u2026"}));
    EXPECT_EQ(Captions(menus[3]->menu()->actions()), QStringList({"About\u2026"}));

    const auto* toolBar = Window.findChild<QToolBar*>(QStringLiteral("ToolBar"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(toolBar->iconSize(), QSize(32, 32));
    EXPECT_EQ(
        Captions(toolBar->actions()).join('|'),
        "New workspace|Open workspace\u2026|Save workspace|-|Load ADF file\u2026|Load from database\u2026|-|"
        "Actogram\u2026|Statistical by date\u2026|Statistical by time\u2026|Rhythm "
        "analysis\u2026|Cosinor\u2026|"
        "Time budget\u2026");
    for (const QAction* action : toolBar->actions()) {
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->text().toStdString();
    }

    const QAction* load = Action(Window, "LoadADFAction");
    EXPECT_EQ(load->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    EXPECT_EQ(load->statusTip(), "Load ADF file");
    EXPECT_EQ(Action(Window, "ExitAction")->statusTip(), "Exit programm");
    QStringList enabled;
    for (const QAction* action : Window.actions()) {
        if (action->isEnabled()) {
            enabled << action->objectName();
        }
    }
    EXPECT_EQ(enabled, QStringList({"LoadADFAction", "ExitAction", "AboutAction", "UnloadDatasetAction"}));
    EXPECT_EQ(Window.Pages()->tabText(0), "Data");
    EXPECT_EQ(Window.Pages()->tabText(1), "Charts");
    EXPECT_EQ(Window.Pages()->currentIndex(), 0);
}

TEST_F(MainWindowTest, LoadBrowseUnloadAndClose) {
    const std::string fox = Environment.WriteADF("fox.adf", 5000);
    const std::string badger = Environment.WriteADF("badger.adf", 40);
    Start();
    EXPECT_EQ(Window.windowTitle(), "New workspace \u2013 Lumeroc");
    EXPECT_EQ(Values()->rowCount(), 0);

    Environment.Dialogs.OpenFileNames = {{fox, badger}};
    Action(Window, "LoadADFAction")->trigger();
    ASSERT_EQ(Datasets()->rowCount(), 2);
    EXPECT_EQ(Datasets()->index(0, 0).data().toString(), "badger.adf");
    EXPECT_EQ(Datasets()->index(1, 0).data().toString(), "fox.adf");
    EXPECT_EQ(Window.windowTitle(), "New workspace* \u2013 Lumeroc");

    Select(1);
    // The model holds the rows on screen only; the scroll bar spans all 5000.
    const int window = Values()->rowCount();
    EXPECT_GT(window, 5);
    EXPECT_LT(window, 100);
    EXPECT_EQ(ValueScrollBar()->maximum() + ValueScrollBar()->pageStep(), 5000);
    EXPECT_EQ(Values()->headerData(3, Qt::Horizontal).toString(), "X");
    EXPECT_EQ(Values()->headerData(5, Qt::Horizontal).toString(), "Temp.");
    EXPECT_EQ(Values()->index(0, 0).data().toString(), "1");
    ValueScrollBar()->setValue(ValueScrollBar()->maximum());
    const int last = Values()->rowCount() - 1;
    QStringList cells;
    for (int column = 0; column < Values()->columnCount(); ++column) {
        cells << Values()->index(last, column).data().toString();
    }
    EXPECT_EQ(cells, QStringList({"5000", "20.05.2011", "08:35:00", "135", "120", "20"}));

    ValueScrollBar()->setValue(1234);
    EXPECT_EQ(Values()->index(0, 0).data().toString(), "1235");
    Select(0);
    EXPECT_EQ(ValueScrollBar()->maximum() + ValueScrollBar()->pageStep(), 40);
    EXPECT_EQ(ValueScrollBar()->value(), 0);
    Select(1);
    EXPECT_EQ(ValueScrollBar()->value(), 1234);
    EXPECT_EQ(Values()->index(0, 0).data().toString(), "1235");
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window.ValueListView()->Table()->viewport(), &wheel);
    EXPECT_EQ(ValueScrollBar()->value(), 1234 + 3);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(Window.ValueListView()->Table(), &pageDown);
    EXPECT_EQ(ValueScrollBar()->value(), 1234 + 3 + ValueScrollBar()->pageStep());

    Select(0);
    Action(Window, "UnloadDatasetAction")->trigger();
    ASSERT_EQ(Datasets()->rowCount(), 1);
    EXPECT_EQ(Datasets()->index(0, 0).data().toString(), "fox.adf");
    EXPECT_EQ(Values()->rowCount(), 0);
    EXPECT_EQ(Values()->headerData(3, Qt::Horizontal).toString(), "Channel 1");

    Environment.Dialogs.Answers = {TAnswer::Cancel, TAnswer::No};
    EXPECT_FALSE(Window.close());
    EXPECT_TRUE(Window.isVisible());
    EXPECT_FALSE(std::filesystem::exists(Environment.SettingsFile()));
    EXPECT_TRUE(Window.close());
    EXPECT_FALSE(Window.isVisible());
    EXPECT_EQ(Environment.Dialogs.LastMessage(), "Do you want to save current workspace?");
    EXPECT_TRUE(std::filesystem::exists(Environment.SettingsFile()));
}

TEST_F(MainWindowTest, DroppedFilesAreOpened) {
    const std::string fox = Environment.WriteADF("fox.adf", 10);
    const std::string workspace = Environment.WriteADF("old.lmr", 10);
    Start();
    const auto drop = [this](const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window, &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Window, &drop);
    };
    drop({QString::fromStdString(Environment.Files.Path().string())});
    EXPECT_EQ(Datasets()->rowCount(), 0);
    EXPECT_EQ(Window.windowTitle(), "New workspace \u2013 Lumeroc");

    drop({QString::fromStdString(workspace), QString::fromStdString(fox)});
    ASSERT_EQ(Datasets()->rowCount(), 1);
    EXPECT_EQ(Datasets()->index(0, 0).data().toString(), "fox.adf");
}

TEST_F(MainWindowTest, SelectedEntryIsLightBlueWithoutFocus) {
    Start({QString::fromStdString(Environment.WriteADF("fox.adf", 10)),
           QString::fromStdString(Environment.WriteADF("lynx.adf", 10))});
    ASSERT_EQ(Datasets()->rowCount(), 2);
    QListView* list = Window.DatasetListBox();
    EXPECT_EQ(list->visualRect(Datasets()->index(1, 0)).height(), 55);
    Select(0);
    Window.ValueListView()->setFocus();
    ASSERT_FALSE(list->hasFocus());
    const QImage image = list->viewport()->grab().toImage();
    const int x = image.width() - 3;
    EXPECT_EQ(QColor(image.pixel(x, 45)), QColor(166, 202, 240));
    EXPECT_EQ(QColor(image.pixel(x, 55 + 45)), list->palette().color(QPalette::Button));
}

} // namespace

namespace {

TEST_F(MainWindowTest, WheelAndArrowKeysScrollTheChartBox) {
    Start();
    Window.Pages()->setCurrentIndex(1);
    QScrollArea* box = Window.ChartScrollBox();
    auto* content = new QWidget;
    content->resize(3000, 3000);
    box->setWidget(content);
    QApplication::processEvents();
    QScrollBar* vertical = box->verticalScrollBar();
    QScrollBar* horizontal = box->horizontalScrollBar();
    ASSERT_GT(vertical->singleStep(), 0);
    vertical->setValue(500);
    horizontal->setValue(500);
    const auto wheel = [box](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box->viewport(), &event);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_EQ(vertical->value(), 500 + 3 * vertical->singleStep());
    wheel(120, Qt::ShiftModifier);
    EXPECT_EQ(horizontal->value(), 500 - 3 * horizontal->singleStep());

    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&Window, &up);
    EXPECT_EQ(vertical->value(), 500 + 2 * vertical->singleStep());
}

} // namespace

namespace {

TEST_F(MainWindowTest, StatusBarShowsTheHintUnderTheMouse) {
    Start();
    auto* toolBar = Window.findChild<QToolBar*>(QStringLiteral("ToolBar"));
    QWidget* button = toolBar->widgetForAction(Action(Window, "LoadADFAction"));
    ASSERT_NE(button, nullptr);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(Window.statusBar()->currentMessage(), "Load ADF file");
    EXPECT_EQ(button->toolTip(), "Load ADF file");
}

} // namespace

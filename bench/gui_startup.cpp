// The desktop window on Qt's offscreen platform: start to a shown main window with the two samples
// loaded, and the value list's cell requests while scrolling through five million samples.
#include "app/ValueList.h"
#include "data/ADFFormat.h"
#include "data/ActivityData.h"
#include "platform/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ValueListModel.h"
#include "ui/ValueListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

void ClearDatasets() {
    while (DatasetList.Count() > 0) {
        DatasetList.Delete(0);
    }
}

// A 30-day recording at 300 s, written when the repository has no sample files.
std::string WriteRecording(const fs::path& folder, const std::string& name) {
    std::vector<std::uint8_t> image = EncodeADFHeader({});
    const std::uint32_t first = 357696000 / 300;
    for (std::uint32_t k = 0; k < 30 * 288; ++k) {
        AppendADFRecord(image, first + k, static_cast<std::uint8_t>(k * 7), static_cast<std::uint8_t>(k * 3),
                        120);
    }
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return path.string();
}

QStringList SampleFiles(const fs::path& scratch) {
    QStringList files;
    const fs::path samples = fs::path(__FILE__).parent_path().parent_path() / "samples";
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(samples, error)) {
        if (entry.path().extension() == ".adf" && files.size() < 2) {
            files << QString::fromStdString(entry.path().string());
        }
    }
    if (files.size() < 2) {
        files = {QString::fromStdString(WriteRecording(scratch, "fox.adf")),
                 QString::fromStdString(WriteRecording(scratch, "badger.adf"))};
    }
    return files;
}

void BM_StartToShownWindowWithTwoSamples(benchmark::State& state) {
    const fs::path scratch = fs::temp_directory_path() / "lumeroc-bench-gui";
    fs::create_directories(scratch);
    setenv("XDG_DATA_HOME", scratch.c_str(), 1);
    const QStringList files = SampleFiles(scratch);
    TScopedScriptedDialogs dialogs;
    for (auto _ : state) {
        ClearDatasets();
        TMainWindow window;
        window.StartUp(files);
        window.show();
        QApplication::processEvents();
        if (window.DatasetListBox()->model()->rowCount() != 2) {
            state.SkipWithError("the samples did not load");
            break;
        }
    }
    ClearDatasets();
    fs::remove_all(scratch);
}
BENCHMARK(BM_StartToShownWindowWithTwoSamples)->Unit(benchmark::kMillisecond);

// Counts the rows whose cells the view asks for.
class TCountingModel : public TValueListModel {
public:
    using TValueListModel::TValueListModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) {
            ++Requests;
            Rows.insert(FirstRow() + index.row());
        }
        return TValueListModel::data(index, role);
    }
    mutable long long Requests = 0;
    mutable std::set<int> Rows;
};

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / 1e6;
}

void BM_ScrollValueListOfFiveMillionSamples(benchmark::State& state) {
    constexpr int SampleCount = 5'000'000;
    TActivityData dataset;
    dataset.Samples.resize(SampleCount);
    for (int k = 0; k < SampleCount; ++k) {
        dataset.Samples[static_cast<std::size_t>(k)] = {k * 60, static_cast<std::int16_t>(k % 256), 0, 20};
    }
    dataset.Interval = 60;
    dataset.Mode = 1;
    dataset.State = TDatasetState::Loaded;

    TValueList values;
    TCountingModel model(values);
    TValueListView view(&model);
    view.resize(600, 800);
    view.show();
    QApplication::processEvents();
    const double residentBefore = ResidentMegabytes();
    values.Show(&dataset);
    view.Refresh();
    QApplication::processEvents();
    const double residentGrowth = ResidentMegabytes() - residentBefore;
    QScrollBar* scrollBar = view.ScrollBar();

    // Each step jumps a page and a prime number of rows further, so that the steps cover the whole list.
    const int step = scrollBar->pageStep() + 7919;
    int position = 0;
    long long steps = 0;
    std::size_t mostRowsInAStep = 0;
    model.Requests = 0;
    for (auto _ : state) {
        position = (position + step) % (scrollBar->maximum() + 1);
        model.Rows.clear();
        scrollBar->setValue(position);
        view.Table()->viewport()->repaint();
        mostRowsInAStep = std::max(mostRowsInAStep, model.Rows.size());
        ++steps;
    }
    state.counters["rows"] = SampleCount;
    state.counters["rows_on_screen"] = scrollBar->pageStep();
    state.counters["cells_per_step"] = static_cast<double>(model.Requests) / static_cast<double>(steps);
    state.counters["most_rows_asked_in_a_step"] = static_cast<double>(mostRowsInAStep);
    state.counters["MB_grown_on_showing"] = residentGrowth;
}
BENCHMARK(BM_ScrollValueListOfFiveMillionSamples)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumeroc"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "charts/CellBatch.h"

#include "render/RenderTargets.h"

#include <algorithm>
#include <cmath>

namespace {
// Pixel rows filled together: fewer fills, while each fill's area stays small.
constexpr int BandRows = 8;
} // namespace

TCellBatch::TCellBatch(double width, double height, double scaleX, double scaleY)
    : GridWidth(std::max(static_cast<int>(std::ceil(width * scaleX - 1e-9)), 0)),
      GridHeight(std::max(static_cast<int>(std::ceil(height * scaleY - 1e-9)), 0)), ScaleX(scaleX),
      ScaleY(scaleY), Sums(static_cast<std::size_t>(GridWidth) * GridHeight * 3, 0.0f) {}

void TCellBatch::Add(double x, double y, double w, double h, TColor colour) {
    const double left = std::max(x * ScaleX, 0.0);
    const double right = std::min((x + w) * ScaleX, static_cast<double>(GridWidth));
    const double top = std::max(y * ScaleY, 0.0);
    const double bottom = std::min((y + h) * ScaleY, static_cast<double>(GridHeight));
    if (left >= right || top >= bottom) {
        return;
    }
    const float red = ColorRed(colour);
    const float green = ColorGreen(colour);
    const float blue = ColorBlue(colour);
    const int firstColumn = static_cast<int>(left);
    const int lastColumn = std::min(static_cast<int>(std::ceil(right)), GridWidth) - 1;
    for (int row = static_cast<int>(top); row < bottom; ++row) {
        const double rowShare = std::min(bottom, row + 1.0) - std::max(top, static_cast<double>(row));
        float* sums = &Sums[(static_cast<std::size_t>(row) * GridWidth) * 3];
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const double columnShare =
                std::min(right, column + 1.0) - std::max(left, static_cast<double>(column));
            const float share = static_cast<float>(rowShare * columnShare);
            sums[3 * column] += red * share;
            sums[3 * column + 1] += green * share;
            sums[3 * column + 2] += blue * share;
        }
    }
}

void TCellBatch::Paint(TRenderTarget& target) const {
    const auto channel = [](float sum) {
        return static_cast<TColor>(std::lround(std::clamp(sum, 0.0f, 255.0f)));
    };
    std::vector<TRowRun> runs;
    for (int row = 0; row < GridHeight; ++row) {
        const float* sums = &Sums[(static_cast<std::size_t>(row) * GridWidth) * 3];
        const auto colourAt = [&](int column) {
            return channel(sums[3 * column]) | channel(sums[3 * column + 1]) << 8 |
                   channel(sums[3 * column + 2]) << 16;
        };
        int start = 0;
        TColor current = GridWidth > 0 ? colourAt(0) : 0;
        for (int column = 1; column <= GridWidth; ++column) {
            const TColor colour = column < GridWidth ? colourAt(column) : current;
            if (column == GridWidth || colour != current) {
                runs.push_back(
                    {current, start / ScaleX, row / ScaleY, (column - start) / ScaleX, 1 / ScaleY});
                start = column;
                current = colour;
            }
        }
        if (row % BandRows == BandRows - 1 || row == GridHeight - 1) {
            FillRuns(target, runs);
        }
    }
}

void FillRuns(TRenderTarget& target, std::vector<TRowRun>& runs) {
    std::stable_sort(runs.begin(), runs.end(),
                     [](const TRowRun& a, const TRowRun& b) { return a.Colour < b.Colour; });
    for (std::size_t first = 0; first < runs.size();) {
        target.SetFillColor(runs[first].Colour);
        target.NewPath();
        std::size_t last = first;
        for (; last < runs.size() && runs[last].Colour == runs[first].Colour; ++last) {
            const TRowRun& run = runs[last];
            if (run.W > 0) {
                target.MoveTo(run.X, run.Y);
                target.LineTo(run.X + run.W, run.Y);
                target.LineTo(run.X + run.W, run.Y + run.H);
                target.LineTo(run.X, run.Y + run.H);
                target.ClosePath();
            }
        }
        target.FillPath();
        first = last;
    }
    target.NewPath();
    runs.clear();
}

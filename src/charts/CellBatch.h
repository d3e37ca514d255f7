#pragma once
// The actogram's cell runs where cells are smaller than output pixels, on raster targets. Drawing each run
// additively leaves in every pixel the sum of the runs' colours weighted by the areas they cover; the runs
// are summed that way on the pixel grid first and the grid is then filled as whole-pixel runs, the same
// picture from far fewer fills.

#include "data/Tools.h"

#include <vector>

class TRenderTarget;

// One run of cells of a row: its colour and its horizontal extent.
struct TRowRun {
    TColor Colour;
    double X;
    double W;
};

// Fills the runs of one row (all at top … top + height) one colour at a time, each colour as one path:
// runs of a colour never abut within a row, so the picture is that of one fill per run, with far fewer
// fills. Empties `runs`.
void FillRowRuns(TRenderTarget& target, std::vector<TRowRun>& runs, double top, double height);

class TCellBatch {
public:
    // A grid of width × scaleX by height × scaleY pixels (the logical area at output resolution).
    TCellBatch(double width, double height, double scaleX, double scaleY);

    // A run in logical units; what lies outside the grid is left out.
    void Add(double x, double y, double w, double h, TColor colour);
    // Fills the summed grid as runs of equal pixels, row by row.
    void Paint(TRenderTarget& target) const;

private:
    int GridWidth = 0;
    int GridHeight = 0;
    double ScaleX = 1;
    double ScaleY = 1;
    std::vector<float> Sums; // red, green, blue per grid pixel, 0 … 255
};

#pragma once
// The actogram's cell runs where cells are smaller than output pixels, on raster targets. Drawing each run
// additively leaves in every pixel the sum of the runs' colours weighted by the areas they cover; the runs
// are summed that way on the pixel grid first and the grid is then filled as whole-pixel runs, the same
// picture from far fewer fills.

#include "data/Tools.h"

#include <vector>

class TRenderTarget;

// One run of cells: its colour and its rectangle.
struct TRowRun {
    TColor Colour;
    double X, Y, W, H;
};

// Fills the runs of a band of rows one colour at a time, each colour as one path. Runs do not overlap, so
// where runs of a colour meet their joint coverage is what their separate additive fills would add up to:
// the picture of one fill per run, with far fewer fills. Empties `runs`.
void FillRuns(TRenderTarget& target, std::vector<TRowRun>& runs);

class TCellBatch {
public:
    // A grid of width × scaleX by height × scaleY pixels (the logical area at output resolution).
    TCellBatch(double width, double height, double scaleX, double scaleY);

    // A run in logical units; what lies outside the grid is left out.
    void Add(double x, double y, double w, double h, TColor colour);
    // Fills the summed grid as runs of equal pixels, in bands of pixel rows.
    void Paint(TRenderTarget& target) const;

private:
    int GridWidth = 0;
    int GridHeight = 0;
    double ScaleX = 1;
    double ScaleY = 1;
    std::vector<float> Sums; // red, green, blue per grid pixel, 0 … 255
};

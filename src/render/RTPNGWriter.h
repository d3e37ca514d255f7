#pragma once
// The raster target at a chosen output size: it renders into a bitmap of its own and, when it is
// destroyed, asks for a file name and writes that bitmap as a PNG file. Text is drawn as glyph
// outlines, so it scales with the output.

#include "render/RTAGG.h"

class TRTPNGWriter : public TRTAGG {
public:
    TRTPNGWriter();
    // Asks for the file name and writes the file (when initialised); a failure is shown to the user.
    ~TRTPNGWriter() override;

    // Takes only the bitmap's size; it never draws into the given bitmap.
    bool Attach(TBitmap& bitmap) override;
    bool Init(int width, int height) override;
    bool InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) override;
    // False when any size is not positive or the output bitmap cannot be made.
    bool InitSized(int width, int height, int outWidth, int outHeight) override;
    void SetFont(const std::string& name, bool bold, bool italic, double size) override;
    void DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                  double angle) override;
    // In logical units; -1 for an empty text.
    double TextWidth(const std::string& text) override;

    // Output pixels per logical unit.
    double ScaleX = 1;
    double ScaleY = 1;

private:
    void Save();

    std::unique_ptr<TBitmap> Output;
};

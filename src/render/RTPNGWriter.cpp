#include "render/RTPNGWriter.h"

#include "platform/Bitmap.h"
#include "render/PngFile.h"
#include "render/SaveThroughDialog.h"

#include <new>

TRTPNGWriter::TRTPNGWriter() {
    TRTPNGWriter::SetFont(FontName, FontBold, FontItalic, FontSize);
}

TRTPNGWriter::~TRTPNGWriter() {
    if (Output) {
        Save();
    }
    // The surfaces draw into the output bitmap: they go first.
    DetachSurface();
}

void TRTPNGWriter::Save() {
    TFileDialogRequest request;
    request.Filter = "Portable Network Graphics (*.png)|*.png";
    request.DefaultExtension = "png";
    SaveThroughDialog(request, [this] { return EncodePng(*Output); });
}

bool TRTPNGWriter::Attach(TBitmap& bitmap) {
    return InitForBitmap(bitmap, bitmap.GetWidth(), bitmap.GetHeight());
}

bool TRTPNGWriter::Init(int width, int height) {
    return InitSized(width, height, width, height);
}

bool TRTPNGWriter::InitForBitmap(const TBitmap& bitmap, int outWidth, int outHeight) {
    return InitSized(bitmap.GetWidth(), bitmap.GetHeight(), outWidth, outHeight);
}

bool TRTPNGWriter::InitSized(int width, int height, int outWidth, int outHeight) {
    if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0) {
        return false;
    }
    std::unique_ptr<TBitmap> output;
    try {
        output = std::make_unique<TBitmap>(outWidth, outHeight);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!AttachSurface(*output)) {
        return false;
    }
    Output = std::move(output);
    ScaleX = static_cast<double>(outWidth) / width;
    ScaleY = static_cast<double>(outHeight) / height;
    LayerScaleX = ScaleX;
    LayerScaleY = ScaleY;
    Scale(ScaleX, ScaleY);
    SetFillColor(0);
    SetStrokeColor(0);
    return true;
}

// The stored font fields follow the selection, so that callers reading them see the font in use.
void TRTPNGWriter::SetFont(const std::string& name, bool bold, bool italic, double size) {
    TRenderTarget::SetFont(name, bold, italic, size);
    TextRender.SetFont(name, CeilFontSize(size), false, italic, bold);
}

void TRTPNGWriter::DrawText(const std::string& text, double x, double y, double alignX, double alignY,
                            double angle) {
    DrawTextOutline(TextRender, text, x, y, alignX, alignY, angle);
}

double TRTPNGWriter::TextWidth(const std::string& text) {
    return TextRender.TextWidth(text);
}

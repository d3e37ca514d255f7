#pragma once
// The picture control a chart draws into. The Qt program implements it with a widget that shows the
// chart's bitmap; headless users (tests, lumeroc-cli) use TOffscreenImage.

#include <string>

class IChartImage {
public:
    virtual ~IChartImage() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int width, int height) = 0;
    // The tooltip text; showNow shows it at the cursor at once.
    virtual void SetHint(const std::string& text, bool showNow) = 0;
    // The chart's bitmap changed.
    virtual void Repaint() = 0;
    // Shows or hides the panel that hosts the picture.
    virtual void SetPanelVisible(bool visible) = 0;
};

class TOffscreenImage : public IChartImage {
public:
    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    void SetSize(int width, int height) override {
        ImageWidth = width;
        ImageHeight = height;
    }
    void SetHint(const std::string& text, bool) override { Hint = text; }
    void Repaint() override { ++Repaints; }
    void SetPanelVisible(bool visible) override { PanelVisible = visible; }

    int ImageWidth = 0;
    int ImageHeight = 0;
    std::string Hint;
    int Repaints = 0;
    bool PanelVisible = true;
};

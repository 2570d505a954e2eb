#pragma once
// The graphics operations in user units. One Graphics keeps the current
// drawing state (area, user units, colour number, palette, fill style,
// character size, justification, error status) between calls and between
// pictures, and draws on whichever device is selected.

#include "drawing/graphics/device.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lobus {

class GraphicsRecorder;

class Graphics {
public:
    Graphics();

    // The device the operations draw on; not owned. May be changed between
    // pictures (screen, printer) while the drawing state stays.
    void setDevice(Device* device);
    Device* device() const { return m_device; }

    // Optional observer that receives every drawing operation in user units
    // (after non-finite points were dropped); not owned. Used by the tests.
    void setRecorder(GraphicsRecorder* recorder) { m_recorder = recorder; }

    void IGRAREA(float x1, float y1, float x2, float y2);
    void IGRUNITS(float x1, float y1, float x2, float y2);
    void IGRAREACLEAR();
    void IGRCOLOURN(int n);
    void IGRPALETTERGB(int n, int red, int green, int blue);
    void IGRFILLPATTERN(int style, int density, int angle);
    void IGRJOIN(float x1, float y1, float x2, float y2);
    // IGRJOIN `count` times over the same line, in one call to the device.
    void joinRepeated(float x1, float y1, float x2, float y2, int count);
    void IGRPOLYLINE(const float* x, const float* y, int n);
    void IGRPOLYGONCOMPLEX(const float* x, const float* y, int n);
    // Hatch lines (x1[i], y1[i]) to (x2[i], y2[i]) denser than the pixels
    // (see DetailTarget::hatch), in the current colour; a line with a point
    // that is not finite is left out.
    void hatchLines(const float* x1, const float* y1, const float* x2, const float* y2, int n,
                    double linesPerPixel);
    void IGRARROW(float x, float y, float length, float direction, int style);
    void IGRCHARSIZE(float width, float height);
    void IGRCHARJUSTIFY(std::string_view code);
    void IGRCHAROUT(float x, float y, std::string_view text);
    float INFOGRAPHICS(int code) const;
    int INFOGRSCREEN(int code) const;
    // Pixels here are the picture's pixels: device pixels on a screen or an
    // image, 1/96 inch on a high-resolution surface such as a printer page.
    void IGRUNITSTOPIXELS(float x, float y, int& ix, int& iy) const;
    void IGRUNITSFROMPIXELS(int ix, int iy, float& x, float& y) const;

    // The same mapping at the device's own sub-pixel precision, both ways:
    // what a pointer position on the device stands for, and where a user
    // point lands. False when the device or the mapping is not usable (or
    // the point is not finite); the outputs are then left as they were.
    bool unitsToDevice(float x, float y, PointF& p) const { return toPixel(x, y, p); }
    bool unitsFromDevice(PointF p, float& x, float& y) const;

    // Error status of the last failing operation (42: colour number outside
    // 0..255); 0 when none. Reading it does not reset it.
    int errorStatus() const { return m_error; }
    void clearError() { m_error = 0; }

    Rgb palette(int n) const; // RGB behind colour number n (0..255)
    int colourNumber() const { return m_colour; }
    int fillStyle() const { return m_fillStyle; }
    char justification() const { return m_justify == Justify::Centre ? 'C' : 'L'; }

    static Rgb background();

    // Open lines (IGRPOLYLINE) `screenPixels` wide, in pixels of a 96-dpi
    // screen and as wide on any device; 0, the default, draws them with the
    // device's own pen as the picture is drawn.
    void setLineWidth(double screenPixels) { m_lineWidth = screenPixels > 0.0 ? screenPixels : 0.0; }
    double lineWidth() const { return m_lineWidth; }

    // Where the texts drawn since the area was last cleared lie, in device
    // pixels: the box each one's characters may fill at most, so that what
    // is drawn over a picture can keep clear of them.
    const std::vector<BoxF>& textsDrawn() const { return m_texts; }

    // The tolerance in device pixels of the level of detail the device draws
    // with (see levelofdetail.h), 0 when it draws every point; and the device
    // pixels one user unit spans at most along either axis (0 when there is
    // no usable mapping).
    double detailTolerance() const;
    bool levelOfDetail() const { return detailTolerance() > 0.0; }
    // The hatch density from which hatchLines hands the device a hatch whole
    // (infinite when it draws every line).
    double hatchWholeFrom() const;
    double pixelsPerUnit() const;

private:
    // Implementation state; see graphics.cpp.
    Device* m_device = nullptr;
    float m_area[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    float m_units[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    int m_colour = 0;
    std::array<Rgb, 256> m_palette {};
    int m_fillStyle = 0;
    float m_charWidth = 1.0f;
    float m_charHeight = 1.0f;
    Justify m_justify = Justify::Centre; // so the first picture equals every later one
    int m_error = 0;
    std::vector<PointF> m_points; // work buffer for polylines and polygons
    std::vector<PointF> m_ends;   // and for the far ends of hatch lines
    double m_lineWidth = 0.0;
    std::vector<BoxF> m_texts;
    GraphicsRecorder* m_recorder = nullptr;
    std::vector<float> m_recX; // user-unit copies of the points for the recorder
    std::vector<float> m_recY;

    struct PixelMap {
        double x0, y0, sx, sy; // pixel = x0 + sx * (user - units x1), likewise y
        bool valid;
    };
    PixelMap pixelMap() const;
    bool toPixel(float x, float y, PointF& p) const { return toPixel(pixelMap(), x, y, p); }
    bool toPixel(const PixelMap& m, float x, float y, PointF& p) const;
    double standardCharHeight() const;
    double pixelSize() const;
    Rgb currentRgb() const { return m_palette[static_cast<std::size_t>(m_colour)]; }
    bool convert(const float* x, const float* y, int n);
};

// Writes `value` with a Fortran edit descriptor such as "(e10.4)" or
// "(f5.1)": a field of fixed width, right-aligned; asterisks when the value
// does not fit. An unknown descriptor gives an empty text.
std::string IREALTOSTRING(float value, std::string_view format);

} // namespace lobus

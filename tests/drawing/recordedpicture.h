#pragma once
// Draws a case through a recording device and finds the operations of the
// picture by kind, colour and text.

#include "drawing/graphics/colours.h"
#include "drawing/graphics/graphics.h"
#include "drawing/graphics/graphicsrecorder.h"
#include "drawing/rysunek.h"

#include <cmath>
#include <string>
#include <vector>

namespace lobus::test {

struct RecordedPicture {
    RecordingDevice device;
    Graphics g;

    RecordedPicture(int width = 1600, int height = 1000) : device(width, height)
    {
        g.setDevice(&device);
        g.setRecorder(&device);
        g.IGRAREA(0.0f, 0.0f, 1.0f, 1.0f);
    }

    void draw(const Case& c, RYSUJ& r)
    {
        device.clearOps();
        RYSUNEK(g, c, r);
    }

    const std::vector<DrawOp>& ops() const { return device.ops(); }

    std::vector<const DrawOp*> find(DrawOp::Kind kind, int colourNumber = -1) const
    {
        std::vector<const DrawOp*> found;
        for (const DrawOp& op : ops())
            if (op.kind == kind && (colourNumber < 0 || op.colourNumber == colourNumber))
                found.push_back(&op);
        return found;
    }

    const DrawOp* text(const std::string& t) const
    {
        for (const DrawOp& op : ops())
            if (op.kind == DrawOp::Kind::Text && op.text == t)
                return &op;
        return nullptr;
    }
};

inline double distance(double x0, double y0, double x1, double y1) { return std::hypot(x1 - x0, y1 - y0); }

} // namespace lobus::test

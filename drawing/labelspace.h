#pragma once
// Internal to the peaks overlay (overlay.h): where a label may stand on a
// picture just drawn. A place is free when it lies inside the frame and
// covers no filled shape of the picture (a pressure diagram, a sliding-surface
// band, a temperature band), no text the picture or the overlay has drawn
// and no marker.

#include "datafiles/state.h"
#include "drawing/graphics/device.h"

#include <vector>

namespace lobus {

class Graphics;

class LabelSpace {
public:
    // Boxes are in user units of the picture in force, x1 < x2, y1 < y2.
    struct Box {
        float x1 = 0.0f;
        float y1 = 0.0f;
        float x2 = 0.0f;
        float y2 = 0.0f;
    };

    // The picture of `c` with `rysuj` in force on `g`, its texts drawn so far
    // taken; `halfx`, `halfy` the frame.
    LabelSpace(Graphics& g, const Case& c, const RYSUJ& rysuj);

    bool free(const Box& box) const;
    void take(const Box& box) { m_taken.push_back(box); }

    // The box of a text of `characters` characters centred on (x, y), as
    // the graphics layer counts a text's room.
    Box textBox(float x, float y, int characters) const;
    // How far apart the samples of a box lie: a pixel and a half.
    float step() const { return m_step; }

private:
    bool filledAt(double x, double y) const;
    bool nearLobe(const Box& box, int k) const;

    const Case& m_case;
    const RYSUJ& m_rysuj;
    float m_ch = 0.0f;
    float m_step = 0.0f;
    float m_margin = 0.0f;    // a pixel, around every shape
    float m_bandInner = 1.0f; // where a sliding-surface band ends inside its arc
    Box m_frame;
    std::vector<Box> m_taken;
    std::vector<double> m_reach;     // per lobe: the diagram's farthest radius about its centre
    std::vector<double> m_inner;     // and its nearest
    double m_temperatureReach = 1.0; // the temperature bands' farthest radius
};

} // namespace lobus

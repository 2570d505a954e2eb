#pragma once
// One part of a page of a document: a rectangle, in fractions of the page's
// printable area (x right, y down from its top left), that a drawing fills
// as it would a surface of its own.

#include <functional>

namespace lobus {

class Graphics;

struct PageArea {
    double x = 0.0;
    double y = 0.0;
    double width = 1.0;
    double height = 1.0;
    std::function<void(Graphics&)> draw;
};

} // namespace lobus

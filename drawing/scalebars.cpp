// The scale bars in the lower right corner: pressure always, temperature for
// thermal cases. The outline colour, hollow fill and centred text are those the
// centre markers left.

#include "drawing/picture.h"

#include "datafiles/blanks.h"
#include "datafiles/texts.h"

#include <string>

namespace lobus::picture {

namespace {

// A bar from (x0, y) to (x0 + length, y), its copy one pixel higher, end
// ticks from tickLow to tickHigh and the label centred one character height
// above the bar.
void drawBar(Picture& p, float x0, float y, float tickLow, float tickHigh, float length,
             const std::string& label)
{
    Graphics& g = p.g;
    const float x1 = x0 + length;
    g.IGRJOIN(x0, y, x1, y);

    int ix0 = 0;
    int iy0 = 0;
    int ix1 = 0;
    int iy1 = 0;
    g.IGRUNITSTOPIXELS(x0, y, ix0, iy0);
    g.IGRUNITSTOPIXELS(x1, y, ix1, iy1);
    float ux0 = 0.0f;
    float uy0 = 0.0f;
    float ux1 = 0.0f;
    float uy1 = 0.0f;
    g.IGRUNITSFROMPIXELS(ix0, iy0 - 1, ux0, uy0);
    g.IGRUNITSFROMPIXELS(ix1, iy1 - 1, ux1, uy1);
    g.IGRJOIN(ux0, uy0, ux1, uy1);

    g.IGRJOIN(x0, tickLow, x0, tickHigh);
    g.IGRJOIN(x1, tickLow, x1, tickHigh);
    g.IGRCHAROUT(x0 + 0.5f * length, y + p.ch, label);
}

} // namespace

void drawScaleBars(Picture& p)
{
    const RYSUJ& r = p.rysuj;
    const float longer = r.tlen < r.plen ? r.plen : r.tlen;
    const float x0 = p.X - 1.5f * longer;

    drawBar(p, x0, -0.88f * p.Y, -0.89f * p.Y, -0.87f * p.Y, r.plen,
            IREALTOSTRING(r.pscale, "(e10.4)") + " N/m2");

    if (p.dane.thermal()) {
        const std::string t = trimTrailingBlanks(IREALTOSTRING(r.tscale, "(f5.1)"));
        drawBar(p, x0, -0.98f * p.Y, -0.99f * p.Y, -0.97f * p.Y, r.tlen,
                texts::fillIn(texts::translate("Drawing", "%1 st.C"), {t}));
    }
}

} // namespace lobus::picture

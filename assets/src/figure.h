// People drawn from simple parts, with a dark outline so they read on any background.
#pragma once

#include "canvas.h"

namespace assetgen {

// Draws each part twice over two passes: first grown by one pixel in the outline colour,
// then in its own colours. Details (eyes, highlights) only appear in the second pass.
class Pen {
public:
    Pen(Canvas& cv, bool outlinePass) : cv_(cv), outline_(outlinePass) {}
    void rect(double x, double y, double w, double h, Rgb c);
    void ellipse(double cx, double cy, double rx, double ry, Rgb c);
    void limb(double x0, double y0, double x1, double y1, double w, Rgb c);
    // Parts in front of the body get their own outline so they stand out from it.
    void frontLimb(double x0, double y0, double x1, double y1, double w, Rgb c);
    void frontEllipse(double cx, double cy, double rx, double ry, Rgb c);
    void detail(double x, double y, double w, double h, Rgb c);
    void detailLine(double x0, double y0, double x1, double y1, double w, Rgb c);
    bool outlinePass() const { return outline_; }

private:
    Canvas& cv_;
    bool outline_;
};

enum class Hair { Bald, Short, Long, Curly, Fringe };
enum class Hat { None, Bowler, Cowboy, TopHat, Beanie, FlatCap };
enum class Face { Calm, Open, Smile, Drinking, Dismayed };

struct HeadStyle {
    Rgb skin;
    Rgb hair;
    Hair hairKind;
    Hat hat;
    Rgb hatColour;
    bool mustache;
    bool beard;
};

// A head facing right (towards +x) whose top of skull is at `top`, about 22 pixels tall.
void drawHead(Pen& pen, double cx, double top, const HeadStyle& s, Face face);

} // namespace assetgen

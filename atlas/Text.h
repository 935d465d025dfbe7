#ifndef OSTREL_ATLAS_TEXT_H
#define OSTREL_ATLAS_TEXT_H
// Dial lettering with DejaVu Sans through FreeType and Cairo. The faces are
// loaded from their files (not through a font search), and hinting is off
// with greyscale anti-aliasing, so the output depends only on the font files
// and the libraries, never on the machine's font configuration.

#include <cairo.h>

#include <string>

enum class Face { Sans, SansBold, Condensed, CondensedBold, Count };

class Fonts {
public:
    explicit Fonts(const std::string &dir);
    ~Fonts();
    Fonts(const Fonts &) = delete;
    Fonts &operator=(const Fonts &) = delete;

    // Selects the face, size (pixels from baseline to cap line, roughly the
    // em) and the fixed font options on the context.
    void Use(cairo_t *cr, Face face, double size) const;

private:
    void Release();
    cairo_font_face_t *cairoFaces_[int(Face::Count)];
};

enum class Anchor { Centre, Left, Right };

// Draws text in the current colour in a y-up sprite space, centred
// vertically on y by its ink box and placed on x by the anchor. `rotationDeg`
// turns the text clockwise (its top then points that many degrees clockwise
// from straight up); `xScale` squeezes it sideways for sprites drawn
// stretched.
void DrawText(cairo_t *cr, const Fonts &fonts, Face face, double size, const char *text, double x,
              double y, Anchor anchor = Anchor::Centre, double rotationDeg = 0.0,
              double xScale = 1.0);

#endif

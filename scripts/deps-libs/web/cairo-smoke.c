/* Draws as the game's shapes do (an ellipse and a rounded rectangle, filled and stroked without
 * antialiasing at line width 2, dashed too) and prints a checksum of the pixels. deps-libs.sh runs
 * it built for WebAssembly, where a callback called through a pointer of another type traps, and
 * natively against the desktop's cairo: the two checksums must agree. */
#include <cairo.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>

static void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

static void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

static void fill_and_stroke(cairo_t* cr) {
    cairo_set_source_rgb(cr, 1, 0.5, 0);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0.25, 1);
    cairo_stroke_preserve(cr);
}

int main(void) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 96, 64);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 2);

    ellipse(cr, 24, 20, 18, 12);
    fill_and_stroke(cr);
    int inside = cairo_in_fill(cr, 24, 20) && !cairo_in_fill(cr, 2, 2);
    cairo_path_t* flat = cairo_copy_path_flat(cr);
    int flat_points = flat->num_data;
    cairo_path_destroy(flat);
    cairo_new_path(cr);

    rounded_rectangle(cr, 40, 30, 50, 28, 8);
    fill_and_stroke(cr);
    double dashes[] = {4, 3};
    cairo_set_dash(cr, dashes, 2, 0);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
    ellipse(cr, 70, 16, 20, 10);
    cairo_stroke(cr);

    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    uint32_t sum = 2166136261u;
    for (int y = 0; y < 64; y++) {
        for (int x = 0; x < 96 * 4; x++) sum = (sum ^ data[y * stride + x]) * 16777619u;
    }
    printf("%08x %d %d %s\n", (unsigned)sum, inside, flat_points, cairo_status_to_string(cairo_status(cr)));
    int ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return ok ? 0 : 1;
}

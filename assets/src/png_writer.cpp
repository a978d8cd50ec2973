#include "png_writer.h"

#include <cairo.h>

namespace assetgen {

namespace {

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

Bytes encodePng(const Image& img) {
    Image copy = img; // cairo wants writable pixels
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(copy.pixels.data()), CAIRO_FORMAT_RGB24,
                                            copy.width, copy.height, copy.width * 4);
    Bytes out;
    if (cairo_surface_write_to_png_stream(surface, append, &out) != CAIRO_STATUS_SUCCESS) out.clear();
    cairo_surface_destroy(surface);
    return out;
}

} // namespace assetgen

#include "mupdf_page.h"

#include <mupdf/fitz.h>
#include <mupdf/pdf.h>

MupdfPage::MupdfPage(const std::string& path) : ctx_(fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT))
{
    if (!ctx_) return;
    fz_try(ctx_)
    {
        // The PDF handler alone: the generic opener links every format MuPDF reads.
        doc_ = &pdf_open_document(ctx_, path.c_str())->super;
        page_ = fz_load_page(ctx_, doc_, 0);
        const fz_rect bounds = fz_bound_page(ctx_, page_);
        widthPoints_ = bounds.x1 - bounds.x0;
    }
    fz_catch(ctx_)
    {
        fz_drop_page(ctx_, page_);
        page_ = nullptr;
    }
}

MupdfPage::~MupdfPage()
{
    if (!ctx_) return;
    fz_drop_page(ctx_, page_);
    fz_drop_document(ctx_, doc_);
    fz_drop_context(ctx_);
}

bool MupdfPage::render(double dpi, int x, int y, int width, int height)
{
    fz_pixmap* pixmap = nullptr;
    fz_device* device = nullptr;
    bool rendered = false;
    fz_var(pixmap);
    fz_var(device);
    fz_var(rendered);
    fz_try(ctx_)
    {
        pixmap = fz_new_pixmap_with_bbox(ctx_, fz_device_rgb(ctx_), fz_irect{x, y, x + width, y + height}, nullptr, 0);
        fz_clear_pixmap_with_value(ctx_, pixmap, 0xff);
        device = fz_new_draw_device(ctx_, fz_scale(float(dpi / 72), float(dpi / 72)), pixmap);
        fz_run_page(ctx_, page_, device, fz_identity, nullptr);
        fz_close_device(ctx_, device);
        rendered = true;
    }
    fz_always(ctx_)
    {
        fz_drop_device(ctx_, device);
        fz_drop_pixmap(ctx_, pixmap);
    }
    fz_catch(ctx_) {}
    return rendered;
}

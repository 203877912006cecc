#pragma once
// A page of a PDF file opened with MuPDF, in a context of its own, rendered as a viewer built on
// MuPDF renders it.
#include <string>

struct fz_context;
struct fz_document;
struct fz_page;

class MupdfPage {
public:
    // Opens the file's first page; isOpen() tells whether that worked.
    explicit MupdfPage(const std::string& path);
    ~MupdfPage();
    MupdfPage(const MupdfPage&) = delete;
    MupdfPage& operator=(const MupdfPage&) = delete;

    bool isOpen() const { return page_ != nullptr; }
    double widthPoints() const { return widthPoints_; }
    // Renders the rectangle of device pixels (x, y, width, height) at `dpi` onto a new white
    // RGB pixmap; false when MuPDF reports an error.
    bool render(double dpi, int x, int y, int width, int height);

private:
    fz_context* ctx_ = nullptr;
    fz_document* doc_ = nullptr;
    fz_page* page_ = nullptr;
    double widthPoints_ = 0;
};

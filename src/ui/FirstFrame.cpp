#include "ui/FirstFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <xcb/xcb.h>

namespace chordalis {

namespace {

// Watches a window for its first exposure; the frame is painted and flushed while that event is
// handled, so what follows is queued behind it.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWindow* window, std::function<void()> then)
        : QObject(window), m_then(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed() && m_then) {
            QTimer::singleShot(0, window, std::move(m_then));
            m_then = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void afterFirstFrame(QWidget* window, std::function<void()> then) {
    if (!window)
        return then();
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        // Not shown on a display (or already on it): nothing to wait for.
        QTimer::singleShot(0, window, std::move(then));
        return;
    }
    handle->installEventFilter(new FirstFrameWatcher(handle, std::move(then)));
}

namespace {

xcb_connection_t* xConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

bool showPictureOnMap(QWidget* window, const QImage& picture) {
    xcb_connection_t* c = xConnection();
    if (!c || !window || picture.isNull())
        return false;
    const auto win = xcb_window_t(window->winId());
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, win), nullptr), &std::free);
    // Only the plain true-colour windows of 24 or 32 bits, in the byte order of this machine:
    // the picture's rows are then the server's own.
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32) ||
        setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        picture.size() != QSize(geometry->width, geometry->height))
        return false;
    const QImage image = picture.convertToFormat(
        geometry->depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const auto w = std::uint16_t(image.width()), h = std::uint16_t(image.height());
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, geometry->depth, pixmap, win, w, h);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    // A request holds at most the server's maximum length (in 4-byte units): the rows go in
    // bands that fit, less the request's own header.
    const std::size_t rowBytes = std::size_t(image.bytesPerLine());
    const std::size_t room = std::size_t(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int band = int(std::max<std::size_t>(1, room / rowBytes));
    for (int y = 0; y < h; y += band) {
        const int rows = std::min(band, h - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, w, std::uint16_t(rows), 0,
                      std::int16_t(y), 0, geometry->depth, std::uint32_t(rowBytes * rows),
                      image.constScanLine(y));
    }
    xcb_free_gc(c, gc);
    const std::uint32_t background = pixmap;
    xcb_change_window_attributes(c, win, XCB_CW_BACK_PIXMAP, &background);
    xcb_free_pixmap(c, pixmap); // the window holds it as long as it is its background
    xcb_flush(c);
    return true;
}

void clearBackground(QWidget* window) {
    xcb_connection_t* c = xConnection();
    if (!c || !window || !window->windowHandle())
        return;
    const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(c, xcb_window_t(window->winId()), XCB_CW_BACK_PIXMAP, &none);
    xcb_flush(c);
}

void traceStartUp(const char* moment) {
    static const bool tracing = !qEnvironmentVariableIsEmpty("CHORDALIS_TRACE_START");
    if (!tracing)
        return;
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "chordalis: %s %.6f\n", moment,
                 double(t.tv_sec) + double(t.tv_nsec) * 1e-9);
    std::fflush(stderr);
}

} // namespace chordalis

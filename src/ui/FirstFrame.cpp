#include "ui/FirstFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QSysInfo>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
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

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

// The format an image must have to be put into a drawable of the window's depth and visual as
// it is, or Invalid when the server lays its pixels out otherwise (another depth, byte order
// or colour masks): then the window is left as it is.
QImage::Format serverFormat(xcb_connection_t* c, xcb_window_t window, int depth) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != littleEndian)
        return QImage::Format_Invalid;
    bool fourBytes = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        fourBytes |= f.data->depth == depth && f.data->bits_per_pixel == 32;
    if (!fourBytes || (depth != 24 && depth != 32))
        return QImage::Format_Invalid;
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr),
        &std::free);
    if (!attributes)
        return QImage::Format_Invalid;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s)) {
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
                if (v.data->visual_id != attributes->visual)
                    continue;
                if (v.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR || v.data->red_mask != 0xff0000 ||
                    v.data->green_mask != 0xff00 || v.data->blue_mask != 0xff)
                    return QImage::Format_Invalid;
                return depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
            }
        }
    }
    return QImage::Format_Invalid;
}

void setBackground(xcb_connection_t* c, xcb_window_t window, xcb_pixmap_t pixmap) {
    const std::uint32_t value = pixmap;
    xcb_change_window_attributes(c, window, XCB_CW_BACK_PIXMAP, &value);
    xcb_flush(c);
}

// The drawing as the window's background, in bands that each fit one request.
void handFrame(xcb_connection_t* c, xcb_window_t window, const QImage& drawn) {
    const XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    if (!geometry || geometry->width != drawn.width() || geometry->height != drawn.height())
        return; // drawn at another size (a scaled screen): nothing is handed over
    const QImage::Format format = serverFormat(c, window, geometry->depth);
    if (format == QImage::Format_Invalid)
        return;
    const QImage image = drawn.convertToFormat(format);
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, geometry->depth, pixmap, window, geometry->width, geometry->height);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    const qsizetype stride = image.bytesPerLine();
    const qsizetype room = qsizetype(xcb_get_maximum_request_length(c)) * 4 - 64;
    const int band = int(std::max<qsizetype>(1, room / stride));
    for (int y = 0; y < image.height(); y += band) {
        const int rows = std::min(band, image.height() - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, std::uint16_t(image.width()),
                      std::uint16_t(rows), 0, std::int16_t(y), 0, geometry->depth,
                      std::uint32_t(rows * stride), image.constScanLine(y));
    }
    xcb_free_gc(c, gc);
    setBackground(c, window, pixmap);
    xcb_free_pixmap(c, pixmap); // the window keeps it as long as it is its background
}

} // namespace

void prepareFirstFrame(QWidget* window) {
    if (window->isVisible())
        return;
    // Shown where nothing reaches the screen, the window lays out as it will when shown (the
    // menu bar, the lists' rows, the neck's height), and is drawn so.
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage drawn = window->grab().toImage();
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, false);
    const xcb_window_t id = xcb_window_t(window->winId());
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    handFrame(c, id, drawn);
    // Taken back after the first frame: the program paints every later one, and the server
    // would otherwise fill what a resize uncovers with pieces of this drawing.
    afterFirstFrame(window, [window] {
        if (xcb_connection_t* now = x11Connection())
            setBackground(now, xcb_window_t(window->winId()), XCB_BACK_PIXMAP_NONE);
    });
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

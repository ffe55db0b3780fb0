#include "ui/X11LinkSelection.h"

#include "exchange/ExchangeFormats.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace qx::ui {

std::unique_ptr<X11LinkSelection> X11LinkSelection::install() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    std::unique_ptr<X11LinkSelection> filter(new X11LinkSelection(x11->connection()));
    qGuiApp->installNativeEventFilter(filter.get());
    return filter;
}

X11LinkSelection::X11LinkSelection(xcb_connection_t* connection)
    : connection_(connection), clipboard_(atom("CLIPBOARD")), dragSelection_(atom("XdndSelection")),
      mozUrl_(atom(QByteArray::fromRawData(exchange::kMozUrl.data(),
                                           static_cast<qsizetype>(exchange::kMozUrl.size())))) {}

X11LinkSelection::~X11LinkSelection() {
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

std::uint32_t X11LinkSelection::atom(const QByteArray& name) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.constData()),
        nullptr);
    const std::uint32_t value = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

const QMimeData* X11LinkSelection::clipboardData() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->ownsClipboard() ? clipboard->mimeData() : nullptr;
}

// A drag's object is a child of the widget it starts from, kept a while after
// the drag by Qt's X11 layer; Qt tells no one which drag is under way, and
// the newest is the one whose selection is asked for.
const QMimeData* X11LinkSelection::dragData() {
    const QMimeData* newest = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QDrag* drag : window->findChildren<QDrag*>()) {
            if (drag->mimeData())
                newest = drag->mimeData();
        }
    }
    return newest;
}

bool X11LinkSelection::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || mozUrl_ == XCB_ATOM_NONE)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
    if (request->target != mozUrl_)
        return false;
    const QMimeData* data = request->selection == clipboard_       ? clipboardData()
                            : request->selection == dragSelection_ ? dragData()
                                                                   : nullptr;
    const QByteArray bytes =
        data ? data->data(QString::fromLatin1(exchange::kMozUrl.data(),
                                              static_cast<qsizetype>(exchange::kMozUrl.size())))
             : QByteArray();
    // Past the largest request the server takes, the bytes would have to go in
    // pieces (INCR), and a request too long closes the connection: such a
    // selection is left to Qt, which sends the addresses in pieces.
    constexpr std::uint32_t kRequestHeader = 24;
    if (bytes.isEmpty() || static_cast<std::uint64_t>(bytes.size()) + kRequestHeader >
                               std::uint64_t{xcb_get_maximum_request_length(connection_)} * 4)
        return false;
    // An old requester names no property: the target is the property then.
    const xcb_atom_t property = request->property ? request->property : request->target;
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request->requestor, property, mozUrl_,
                        8, static_cast<std::uint32_t>(bytes.size()), bytes.constData());
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request->time;
    notify.requestor = request->requestor;
    notify.selection = request->selection;
    notify.target = request->target;
    notify.property = property;
    xcb_send_event(connection_, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(connection_);
    return true;
}

} // namespace qx::ui

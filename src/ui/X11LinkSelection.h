#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <cstdint>
#include <memory>

class QMimeData;
struct xcb_connection_t;

namespace qx::ui {

// Hands other programs the text/x-moz-url of the clipboard and of a drag in
// progress as the program made it (UTF-16 "address\ntitle"). Qt's X11 layer
// takes that target for the uri-list and answers with the first address alone,
// widened byte by byte, so a browser lost the titles: the request is answered
// here, below Qt, from the program's own bytes. Every other request goes on to
// Qt.
class X11LinkSelection final : public QAbstractNativeEventFilter {
public:
    // Filters the application's events until destroyed; null when the
    // application does not run on X11.
    static std::unique_ptr<X11LinkSelection> install();
    ~X11LinkSelection() override;
    X11LinkSelection(const X11LinkSelection&) = delete;
    X11LinkSelection& operator=(const X11LinkSelection&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    explicit X11LinkSelection(xcb_connection_t* connection);
    std::uint32_t atom(const QByteArray& name) const;
    // The data a request for the selection is answered from, or null.
    static const QMimeData* clipboardData();
    static const QMimeData* dragData();

    xcb_connection_t* connection_;
    std::uint32_t clipboard_;
    std::uint32_t dragSelection_;
    std::uint32_t mozUrl_;
};

} // namespace qx::ui

#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

namespace skillwright::testing {

/// Another program on the X display ($DISPLAY) that owns a selection and
/// hands its text over as UTF8_STRING, at once when it is small and in
/// pieces (INCR) when it is large, as desktop programs do. Runs on a
/// connection and a thread of its own from construction until destruction.
/// The text is `pattern` repeated to `size` bytes, made piece by piece, so
/// that an owner of gigabytes holds none of them.
class X11SelectionOwner {
public:
    struct Offer {
        std::string pattern;
        std::size_t size = 0;
        /// The largest text handed over at once; a larger one goes in pieces.
        std::size_t atOnce = 256 * 1024;
        std::size_t piece = 64 * 1024;
        /// The size announced for a text in pieces, when not its own.
        std::optional<std::uint32_t> announced = std::nullopt;
    };

    X11SelectionOwner(std::string_view selection, Offer offer) : m_offer(std::move(offer)) {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection) != 0) {
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_selection = atom(selection);
        m_utf8 = atom("UTF8_STRING");
        m_targets = atom("TARGETS");
        m_incr = atom("INCR");
        xcb_set_selection_owner(m_connection, m_window, m_selection, XCB_CURRENT_TIME);
        const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
            xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection),
                                          nullptr),
            &std::free);
        m_owns = owner && owner->owner == m_window;
        m_thread = std::thread([this] { serve(); });
    }
    X11SelectionOwner(const X11SelectionOwner&) = delete;
    X11SelectionOwner& operator=(const X11SelectionOwner&) = delete;
    ~X11SelectionOwner() {
        if (m_thread.joinable()) {
            // A message to its own window wakes the thread to end.
            xcb_client_message_event_t stop{};
            stop.response_type = XCB_CLIENT_MESSAGE;
            stop.format = 32;
            stop.window = m_window;
            stop.type = m_targets;
            xcb_send_event(m_connection, 0, m_window, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&stop));
            xcb_flush(m_connection);
            m_thread.join();
        }
        xcb_disconnect(m_connection);
    }

    /// Whether it has the selection.
    [[nodiscard]] bool owns() const { return m_owns; }
    /// How many bytes of the text it has handed over so far.
    [[nodiscard]] std::size_t handedOver() const { return m_handedOver; }

private:
    struct Transfer {
        xcb_window_t requestor = XCB_NONE;
        xcb_atom_t property = XCB_NONE;
        std::size_t offset = 0;
    };

    xcb_atom_t atom(std::string_view name) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                m_connection,
                xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
                nullptr),
            &std::free);
        return reply ? reply->atom : XCB_NONE;
    }

    /// The text's bytes from `offset` on, `length` of them.
    [[nodiscard]] std::string text(std::size_t offset, std::size_t length) const {
        std::string bytes(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            bytes[i] = m_offer.pattern[(offset + i) % m_offer.pattern.size()];
        }
        return bytes;
    }

    void put(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, std::uint8_t format,
             std::uint32_t count, const void* data) {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, property, type, format, count, data);
    }

    void answer(const xcb_selection_request_event_t& request) {
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = request.property;
        if (request.target == m_targets) {
            const xcb_atom_t offered[] = {m_targets, m_utf8};
            put(request.requestor, request.property, XCB_ATOM_ATOM, 32, 2, offered);
        } else if (request.target == m_utf8 && m_offer.size <= m_offer.atOnce) {
            const std::string bytes = text(0, m_offer.size);
            put(request.requestor, request.property, m_utf8, 8, static_cast<std::uint32_t>(bytes.size()),
                bytes.data());
            m_handedOver += bytes.size();
        } else if (request.target == m_utf8) {
            // Told of the deletes that ask for each piece.
            const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(m_connection, request.requestor, XCB_CW_EVENT_MASK, &events);
            const std::uint32_t announced =
                m_offer.announced.value_or(static_cast<std::uint32_t>(m_offer.size));
            put(request.requestor, request.property, m_incr, 32, 1, &announced);
            m_transfer = Transfer{request.requestor, request.property, 0};
        } else {
            notify.property = XCB_NONE;
        }
        xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&notify));
        xcb_flush(m_connection);
    }

    /// The next piece, once the requestor has taken the last; an empty one ends.
    void nextPiece(const xcb_property_notify_event_t& change) {
        if (!m_transfer || change.window != m_transfer->requestor || change.atom != m_transfer->property ||
            change.state != XCB_PROPERTY_DELETE) {
            return;
        }
        const std::size_t length = std::min(m_offer.piece, m_offer.size - m_transfer->offset);
        const std::string bytes = text(m_transfer->offset, length);
        put(m_transfer->requestor, m_transfer->property, m_utf8, 8, static_cast<std::uint32_t>(length),
            bytes.data());
        xcb_flush(m_connection);
        m_handedOver += length;
        m_transfer->offset += length;
        if (length == 0) {
            m_transfer.reset();
        }
    }

    void serve() {
        while (xcb_generic_event_t* event = xcb_wait_for_event(m_connection)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
            switch (event->response_type & 0x7F) {
            case 0: // an error: the requestor went away during a transfer
                m_transfer.reset();
                break;
            case XCB_SELECTION_REQUEST:
                answer(*reinterpret_cast<const xcb_selection_request_event_t*>(event));
                break;
            case XCB_PROPERTY_NOTIFY:
                nextPiece(*reinterpret_cast<const xcb_property_notify_event_t*>(event));
                break;
            case XCB_CLIENT_MESSAGE:
                return;
            default:
                break;
            }
        }
    }

    Offer m_offer;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_selection = XCB_NONE;
    xcb_atom_t m_utf8 = XCB_NONE;
    xcb_atom_t m_targets = XCB_NONE;
    xcb_atom_t m_incr = XCB_NONE;
    bool m_owns = false;
    std::atomic<std::size_t> m_handedOver{0};
    std::optional<Transfer> m_transfer;
    std::thread m_thread;
};

} // namespace skillwright::testing

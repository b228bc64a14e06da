#include "X11Selection.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>
#include <xcb/xcb.h>

namespace skillwright::toolkit {

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using Owned = std::unique_ptr<Reply, FreeDeleter>;

/// The connection and the window the owner writes into, gone with the read.
class Requestor {
public:
    Requestor(const char* display, xcb_window_t within) : m_connection(xcb_connect(display, nullptr)) {
        if (xcb_connection_has_error(m_connection) != 0) {
            return;
        }
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
        m_window = xcb_generate_id(m_connection);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window,
                          within != XCB_NONE ? within : screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    }
    Requestor(const Requestor&) = delete;
    Requestor& operator=(const Requestor&) = delete;
    ~Requestor() {
        if (m_window != XCB_NONE && usable()) {
            // An owner still handing over pieces stops at the window's end.
            xcb_destroy_window(m_connection, m_window);
            xcb_flush(m_connection);
        }
        xcb_disconnect(m_connection);
    }

    [[nodiscard]] bool usable() const { return xcb_connection_has_error(m_connection) == 0; }
    [[nodiscard]] xcb_connection_t* connection() const { return m_connection; }
    [[nodiscard]] xcb_window_t window() const { return m_window; }

    /// The atoms of `names`, asked in one round trip; XCB_NONE for any not had.
    std::vector<xcb_atom_t> atoms(std::span<const std::string_view> names) const {
        std::vector<xcb_intern_atom_cookie_t> cookies;
        cookies.reserve(names.size());
        for (const std::string_view name : names) {
            cookies.push_back(
                xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.data()));
        }
        std::vector<xcb_atom_t> atoms;
        atoms.reserve(names.size());
        for (const xcb_intern_atom_cookie_t cookie : cookies) {
            const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
            atoms.push_back(reply ? reply->atom : XCB_NONE);
        }
        return atoms;
    }

    /// The next event that `wanted` takes, other events dropped; null when
    /// the deadline passes or the connection breaks first.
    template <typename Wanted> Owned<xcb_generic_event_t> next(Clock::time_point deadline, Wanted wanted) {
        for (;;) {
            while (Owned<xcb_generic_event_t> event{xcb_poll_for_event(m_connection)}) {
                if (wanted(*event)) {
                    return event;
                }
            }
            if (!usable()) {
                return nullptr;
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return nullptr;
            }
            pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&socket, 1, static_cast<int>(left.count()));
        }
    }

    /// The property's type, format and size in bytes, without its value.
    struct PropertySize {
        xcb_atom_t type = XCB_NONE;
        std::uint8_t format = 0;
        std::size_t bytes = 0;
    };
    [[nodiscard]] std::optional<PropertySize> size(xcb_atom_t property) const {
        const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, m_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr));
        if (!reply) {
            return std::nullopt;
        }
        return PropertySize{reply->type, reply->format, reply->bytes_after};
    }
    /// The property's first `bytes` bytes; `deleted` deletes it once all is read.
    [[nodiscard]] std::optional<std::string> value(xcb_atom_t property, std::size_t bytes,
                                                   bool deleted) const {
        const auto words = static_cast<std::uint32_t>((bytes + 3) / 4);
        const Owned<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(m_connection,
                                   xcb_get_property(m_connection, deleted ? 1 : 0, m_window, property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, words),
                                   nullptr));
        if (!reply) {
            return std::nullopt;
        }
        const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
        const auto* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
        return std::string(value, length);
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_window = XCB_NONE;
};

std::uint8_t kind(const xcb_generic_event_t& event) {
    return event.response_type & 0x7F;
}

/// Reads a value handed over in pieces: each piece is taken and deleted,
/// which asks the owner for the next; an empty piece ends it.
SelectionRead readPieces(Requestor& requestor, xcb_atom_t property, std::size_t maxBytes,
                         Clock::time_point deadline) {
    SelectionRead read;
    xcb_delete_property(requestor.connection(), requestor.window(), property);
    xcb_flush(requestor.connection());
    for (;;) {
        const auto event = requestor.next(deadline, [&](const xcb_generic_event_t& e) {
            if (kind(e) != XCB_PROPERTY_NOTIFY) {
                return false;
            }
            const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(e);
            return change.window == requestor.window() && change.atom == property &&
                   change.state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!event) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        const auto piece = requestor.size(property);
        if (!piece || (piece->bytes > 0 && piece->format != 8)) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        if (piece->bytes > maxBytes - read.bytes.size()) {
            read.outcome = SelectionRead::Outcome::TooLong;
            read.bytes.clear();
            return read;
        }
        const std::optional<std::string> bytes = requestor.value(property, piece->bytes, true);
        if (!bytes) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        read.fetched += bytes->size();
        if (bytes->empty()) {
            read.outcome = SelectionRead::Outcome::Read;
            return read;
        }
        read.bytes += *bytes;
        xcb_flush(requestor.connection());
    }
}

} // namespace

SelectionRead readSelection(const char* display, std::string_view selection,
                            std::span<const std::string_view> targets, std::size_t maxBytes,
                            std::chrono::milliseconds patience, std::uint32_t within) {
    const Clock::time_point deadline = Clock::now() + patience;
    SelectionRead read;
    Requestor requestor(display, within);
    if (!requestor.usable()) {
        read.outcome = SelectionRead::Outcome::NoDisplay;
        return read;
    }
    xcb_connection_t* connection = requestor.connection();
    const std::string_view ours[] = {selection, "SKILLWRIGHT_SELECTION", "INCR"};
    const std::vector<xcb_atom_t> atoms = requestor.atoms(ours);
    const std::vector<xcb_atom_t> targetAtoms = requestor.atoms(targets);
    const xcb_atom_t selectionAtom = atoms[0];
    const xcb_atom_t property = atoms[1];
    const xcb_atom_t incremental = atoms[2];
    const Owned<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selectionAtom), nullptr));
    if (!owner || owner->owner == XCB_NONE) {
        return read;
    }
    for (const xcb_atom_t target : targetAtoms) {
        xcb_convert_selection(connection, requestor.window(), selectionAtom, target, property,
                              XCB_CURRENT_TIME);
        xcb_flush(connection);
        const auto event = requestor.next(deadline, [&](const xcb_generic_event_t& e) {
            return kind(e) == XCB_SELECTION_NOTIFY &&
                   reinterpret_cast<const xcb_selection_notify_event_t&>(e).requestor == requestor.window();
        });
        if (!event) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        if (reinterpret_cast<const xcb_selection_notify_event_t&>(*event).property == XCB_NONE) {
            continue; // not in this form
        }
        const auto size = requestor.size(property);
        if (!size) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        if (size->type == incremental) {
            // Its value is a lower bound of the size, a 32-bit number; the
            // property stays until the pieces are wanted.
            const auto bound = requestor.value(property, 4, false);
            std::uint32_t atLeast = 0;
            if (bound && bound->size() == sizeof atLeast) {
                std::memcpy(&atLeast, bound->data(), sizeof atLeast);
            }
            if (atLeast > maxBytes) {
                read.outcome = SelectionRead::Outcome::TooLong;
                return read;
            }
            return readPieces(requestor, property, maxBytes, deadline);
        }
        if (size->bytes > maxBytes) {
            read.outcome = SelectionRead::Outcome::TooLong;
            return read;
        }
        if (size->format != 8) {
            continue; // no text
        }
        std::optional<std::string> bytes = requestor.value(property, size->bytes, true);
        if (!bytes) {
            read.outcome = SelectionRead::Outcome::NoAnswer;
            return read;
        }
        read.fetched = bytes->size();
        read.bytes = std::move(*bytes);
        read.outcome = SelectionRead::Outcome::Read;
        return read;
    }
    return read;
}

} // namespace skillwright::toolkit

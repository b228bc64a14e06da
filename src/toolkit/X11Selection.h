#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace skillwright::toolkit {

/// What reading an X selection within a size limit came to.
struct SelectionRead {
    enum class Outcome : std::uint8_t {
        Read,      ///< `bytes` holds the whole text
        TooLong,   ///< the owner has more than the limit; nothing past it was fetched
        NoText,    ///< no owner, or the owner has none of the asked forms
        NoDisplay, ///< no connection to the display
        NoAnswer,  ///< the owner did not answer in time, or broke off
    };
    Outcome outcome = Outcome::NoText;
    std::string bytes;
    /// How many bytes of the text came over from the owner.
    std::size_t fetched = 0;
};

/// Reads the selection `selection` ("CLIPBOARD", "XdndSelection") of the X
/// display `display` (nullptr: $DISPLAY) in the first of `targets`
/// ("UTF8_STRING", "text/uri-list"...) its owner converts to, if it has at
/// most `maxBytes` bytes. The size is learnt before the text is fetched, so
/// a selection of gigabytes costs a few requests; one handed over in pieces
/// (INCR) is refused on its announced size, and else as soon as its pieces
/// pass the limit. Waits for the owner at most `patience` in all.
///
/// Works on a connection and a window of its own: the caller's toolkit sees
/// none of the events, and the owner may be another connection of this
/// process, but not one whose events wait for the caller to return. The
/// window is made inside `within` when given: a drag's source hands its data
/// to the window it is over, and to windows inside it.
SelectionRead readSelection(const char* display, std::string_view selection,
                            std::span<const std::string_view> targets, std::size_t maxBytes,
                            std::chrono::milliseconds patience, std::uint32_t within = 0);

} // namespace skillwright::toolkit

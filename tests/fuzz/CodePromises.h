#pragma once
// What reading a build code promises, whatever its bytes: a text that opens
// is the code of the plan it opens to, and the rules record every point of
// that plan they accept exactly as the code counted it. Shared by the code
// fuzzer and the test that runs its corpus.
//
// Random bytes almost never carry a sound checksum, so a text of the code's
// characters is also tried sealed with the checksum it lacks: that is how the
// fuzzer reaches the contents behind the checksum.
#include <model/Build.h>
#include <model/BuildCode.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace skillwright::testing {

inline constexpr std::string_view kCodeAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

/// `body`, of the code's characters, followed by its checksum: CRC-24 with
/// polynomial 0x864CFB from 0xB704CE over the characters' six bits each,
/// written in four characters, computed here bit by bit.
inline std::string sealed(std::string_view body) {
    std::uint32_t crc = 0xB704CE;
    for (char c : body) {
        const auto value = static_cast<std::uint32_t>(kCodeAlphabet.find(c));
        for (int bit = 5; bit >= 0; --bit) {
            const bool top = ((crc >> 23) & 1u) != ((value >> bit) & 1u);
            crc = (crc << 1) & 0xFFFFFF;
            if (top) {
                crc ^= 0x864CFB;
            }
        }
    }
    std::string code(body);
    for (int shift = 18; shift >= 0; shift -= 6) {
        code += kCodeAlphabet[(crc >> shift) & 63];
    }
    return code;
}

/// True when reading `bytes` as a build code keeps every promise.
inline bool readingKeepsItsPromises(std::string_view bytes) {
    const model::CodeReading reading = model::decodeBuildCode(bytes);
    if (!reading.plan) {
        return true;
    }
    const model::Plan& plan = *reading.plan;
    // Nothing but the code and the blanks around it opens.
    const std::string code = model::encodeBuildCode(plan);
    const std::size_t at = bytes.find(code);
    if (at == std::string_view::npos ||
        bytes.substr(0, at).find_first_not_of(" \t\r\n") != std::string_view::npos ||
        bytes.substr(at + code.size()).find_first_not_of(" \t\r\n") != std::string_view::npos) {
        return false;
    }
    const model::CodeReading again = model::decodeBuildCode(code);
    if (!again.plan || *again.plan != plan) {
        return false;
    }
    // The rules then take the plan up to its first refused entry, and exactly that.
    model::Build build;
    const auto stop = build.replay(plan);
    const std::size_t accepted = stop ? stop->entry : plan.history.size();
    const auto& recorded = build.character()->history();
    return recorded.size() == accepted && std::equal(recorded.begin(), recorded.end(), plan.history.begin());
}

/// The promises for `bytes`, and for them sealed when they are of the code's
/// characters.
inline bool codeKeepsItsPromises(std::string_view bytes) {
    if (!readingKeepsItsPromises(bytes)) {
        return false;
    }
    return bytes.size() > model::kMaxBuildCodeText ||
           bytes.find_first_not_of(kCodeAlphabet) != std::string_view::npos ||
           readingKeepsItsPromises(sealed(bytes));
}

} // namespace skillwright::testing

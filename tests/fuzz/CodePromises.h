#pragma once
// What reading a build code promises, whatever its bytes: a text that opens
// is the code of the plan it opens to, and the rules record every point of
// that plan they accept exactly as the code counted it. Shared by the code
// fuzzer and the test that runs its corpus.
#include <model/Build.h>
#include <model/BuildCode.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace skillwright::testing {

/// True when reading `bytes` as a build code keeps every promise.
inline bool codeKeepsItsPromises(std::string_view bytes) {
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
    model::Build build;
    build.openScreen(plan.classId);
    std::size_t accepted = 0;
    while (accepted < plan.history.size() && build.replay(plan.history[accepted]).accepted()) {
        ++accepted;
    }
    const auto& recorded = build.screen()->history();
    return recorded.size() == accepted && std::equal(recorded.begin(), recorded.end(), plan.history.begin());
}

} // namespace skillwright::testing

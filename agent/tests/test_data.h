// Data for the agent's tests: the demo folder's files and CP932 text built from lines.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/files.h"
#include "core/text.h"

namespace agent::testing {

// The bytes of a file of the demo folder.
inline std::string DemoFile(std::wstring_view name) {
    const core::FileRead read =
        core::ReadFileBytes(std::wstring(AGENT_DEMO_DIR) + L"/" + std::wstring(name));
    if (read.error != 0) {
        throw std::runtime_error("cannot read a demo file");
    }
    return read.bytes;
}

// Text in CP932 with CR LF line ends: lines joined by CR LF, one after the last.
inline std::string Cp932Lines(std::initializer_list<std::wstring_view> lines) {
    std::string out;
    for (std::wstring_view line : lines) {
        out += core::ToCp932(line);
        out += "\r\n";
    }
    return out;
}

}  // namespace agent::testing

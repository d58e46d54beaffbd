// Paths the user gives the agent (launcher programs, the sound file, the timetable): a
// relative path means a file beside the program, whatever the current folder is.
#pragma once

#include <string>
#include <string_view>

namespace agent {

// True for a path that names its own place: a drive ("C:..."), a root or a network share.
bool IsAbsolutePath(std::wstring_view path);

// The path itself when absolute or empty, else the path taken beside the program.
std::wstring ResolveAgentPath(std::wstring_view programDir, std::wstring_view path);

// True when a file or a folder of that name exists.
bool PathExists(std::wstring_view path);

}  // namespace agent

// UTF-8 to and from Windows' UTF-16, for the calls that take any name. Only for platform/windows/.
#pragma once

#include <string>

namespace platform::windows {

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);

} // namespace platform::windows

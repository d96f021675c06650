// Windows-1252 <-> UTF-8, the two encodings the simulator sits between: the
// library contract speaks Windows-1252, the log and the script speak UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kavexsim {

// Every byte maps to one code point, so the result is always valid UTF-8.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);

} // namespace kavexsim

#pragma once
#include <cstdint>

namespace tabulo::host {

// The body of the export Options(code): reads the installation folder ("Path")
// first, for every code, then 1 shows the options dialog, 3 opens the help file
// with the shell's "open" verb, 4 shows the About box; any other code does nothing
// more. Without a recorded installation folder, code 3 says so in a message box;
// 1 and 4 work all the same. A "Path" that cannot be read is reported for 1, 3 and
// 4. No failure leaves this function.
void Options(std::uint16_t code) noexcept;

}  // namespace tabulo::host

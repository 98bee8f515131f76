// Text fit for a terminal: what `vek` prints may carry source bytes and
// file names, which must not move the cursor or change colours.
#pragma once
#include <string>
#include <string_view>

namespace vek::cli {

// `text` with every control byte and every byte from 0x7F up written as
// \xHH; line feeds and tabs stay.
std::string printable(std::string_view text);

}  // namespace vek::cli

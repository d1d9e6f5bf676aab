// Our own writer of rich text: RTF 1.x in cp1251 (\ansicpg1251), with \uN for
// characters the code page lacks, keeping every character's colours, bold and
// size so that the marks of a pass survive a save. ReadRtf gives the same text
// and formats back.
#pragma once

#include <string>

#include "documents/rich_text.h"

namespace umlo {

std::string WriteRtf(const RichText& text);

} // namespace umlo

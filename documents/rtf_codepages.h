// Byte to UTF-16 for the code pages rich-text files name in \ansicpg, \cpg or a
// font's \fcharset: cp1251, cp1252 and cp866 exactly; any other one is taken as
// Latin-1, the best guess without its table.
#pragma once

namespace umlo {

char16_t CodePageToUtf16(unsigned char byte, int codePage);
// The code page of a font character set; 0 when the set means "the document's".
int CharsetCodePage(int charset);

} // namespace umlo

// The editor font as the settings record names it, and back.
#pragma once

#include <QFont>

#include <cstdint>
#include <string>

#include "core/options.h"

namespace umlo {

// What the font dialog hands back: the record's three font fields.
struct FontChoice {
    std::string Name; // cp1251
    std::int32_t Size = 0;
    std::uint8_t Charset = 1;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

FontChoice FontChoiceOf(const TOptions& options);
void StoreFontChoice(const FontChoice& choice, TOptions& options);

// A size of 0 or less (testing mode leaves the fields empty) means 10 points.
QFont QFontOf(const FontChoice& choice);
// A Qt font has no character set: the caller's one is kept for the settings file.
FontChoice FontChoiceOf(const QFont& font, std::uint8_t charset);

} // namespace umlo

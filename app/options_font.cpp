#include "app/options_font.h"

#include "app/qt_convert.h"
#include "core/codepage.h"

namespace umlo {

namespace {
constexpr int kFallbackPoints = 10;
}

FontChoice FontChoiceOf(const TOptions& options) {
    return {options.FontName, options.FontSize, options.FontCharset};
}

void StoreFontChoice(const FontChoice& choice, TOptions& options) {
    options.FontName = choice.Name;
    options.FontSize = choice.Size;
    options.FontCharset = choice.Charset;
}

QFont QFontOf(const FontChoice& choice) {
    QFont font(ToQString(Cp1251ToUtf16(choice.Name)));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(choice.Size > 0 ? choice.Size : kFallbackPoints);
    return font;
}

FontChoice FontChoiceOf(const QFont& font, std::uint8_t charset) {
    const int points = font.pointSize() > 0 ? font.pointSize() : kFallbackPoints;
    return {Utf16ToCp1251(ToU16(font.family())), points, charset};
}

} // namespace umlo

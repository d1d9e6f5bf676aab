#include "documents/xml_text_scanner.h"

#include <utility>
#include <vector>

#include "core/codepage.h"

namespace umlo {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9') || c == ':' || c == '_' || c == '-' || c == '.';
}

// One character of text at bytes[i]; advances i. nullopt for bytes that are
// not a character in the encoding (an invalid, overlong or cut UTF-8
// sequence, a surrogate).
std::optional<char32_t> DecodeChar(std::string_view bytes, std::size_t& i, XmlEncoding encoding) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (encoding == XmlEncoding::Cp1251 || lead < 0x80) {
        ++i;
        return encoding == XmlEncoding::Cp1251 ? Cp1251ToUtf16Char(lead) : char32_t(lead);
    }
    int more = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1, cp = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2, cp = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3, cp = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + more >= bytes.size()) {
        return std::nullopt;
    }
    for (int k = 1; k <= more; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    i += static_cast<std::size_t>(more) + 1;
    return cp;
}

std::string At(std::size_t offset) {
    return " (байт " + std::to_string(offset) + ")";
}

class Scanner {
public:
    Scanner(std::string_view bytes, XmlEncoding encoding, XmlSink& sink)
        : bytes_(bytes), encoding_(encoding), sink_(sink) {}

    bool Run(std::string& error) {
        if (encoding_ == XmlEncoding::Utf8 && bytes_.starts_with("\xEF\xBB\xBF")) {
            pos_ = 3; // the signature
        }
        while (pos_ < bytes_.size() && error_.empty()) {
            if (bytes_[pos_] == '<') {
                Markup();
            } else {
                Text();
            }
        }
        if (error_.empty() && !open_.empty()) {
            Fail("не закрыт элемент <" + std::string(open_.back()) + ">", bytes_.size());
        }
        if (error_.empty() && !sawRoot_) {
            Fail("в нём нет ни одного элемента", 0);
        }
        error = error_;
        return error_.empty();
    }

private:
    void Fail(std::string why, std::size_t at) {
        if (error_.empty()) {
            error_ = "XML повреждён: " + why + At(at);
        }
        pos_ = bytes_.size();
    }

    // Skips to just past the terminator; false when it is missing.
    bool SkipPast(std::string_view terminator, std::string_view what) {
        const std::size_t end = bytes_.find(terminator, pos_);
        if (end == std::string_view::npos) {
            Fail("не закончен " + std::string(what), pos_);
            return false;
        }
        pos_ = end + terminator.size();
        return true;
    }

    void Markup() {
        const std::string_view rest = bytes_.substr(pos_);
        if (rest.starts_with("<!--")) {
            SkipPast("-->", "комментарий");
        } else if (rest.starts_with("<![CDATA[")) {
            Cdata();
        } else if (rest.starts_with("<?")) {
            SkipPast("?>", "блок <?…?>");
        } else if (rest.starts_with("<!")) {
            Doctype();
        } else if (rest.starts_with("</")) {
            EndTag();
        } else {
            StartTag();
        }
    }

    void Doctype() {
        // The internal subset in brackets may hold '>' of its own.
        int depth = 0;
        for (std::size_t i = pos_ + 2; i < bytes_.size(); ++i) {
            const char c = bytes_[i];
            if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth <= 0) {
                pos_ = i + 1;
                return;
            }
        }
        Fail("не закончено объявление <!…>", pos_);
    }

    void Cdata() {
        if (open_.empty()) {
            Fail("CDATA вне элементов", pos_);
            return;
        }
        const std::size_t start = pos_ + 9;
        const std::size_t end = bytes_.find("]]>", start);
        if (end == std::string_view::npos) {
            Fail("не закончен блок CDATA", pos_);
            return;
        }
        std::size_t i = start;
        while (i < end && error_.empty()) {
            const std::size_t from = i;
            const auto c = DecodeChar(bytes_.substr(0, end), i, encoding_);
            if (!c) {
                Fail("байты, которые не являются текстом", from);
                return;
            }
            sink_.Character(*c, {from, i, false});
        }
        pos_ = end + 3;
    }

    std::size_t NameEnd(std::size_t from) const {
        std::size_t i = from;
        while (i < bytes_.size() && IsNameChar(bytes_[i])) {
            ++i;
        }
        return i;
    }

    void StartTag() {
        const std::size_t nameStart = pos_ + 1;
        const std::size_t nameEnd = NameEnd(nameStart);
        if (nameEnd == nameStart) {
            Fail("знак < без имени элемента", pos_);
            return;
        }
        if (open_.empty() && sawRoot_) {
            Fail("второй корневой элемент", pos_);
            return;
        }
        // The tag ends at the first '>' outside quotes.
        char quote = 0;
        std::size_t i = nameEnd;
        for (; i < bytes_.size(); ++i) {
            const char c = bytes_[i];
            if (quote != 0) {
                if (c == quote) {
                    quote = 0;
                } else if (c == '<') {
                    Fail("знак < в значении атрибута", i);
                    return;
                }
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>' || c == '<') {
                break;
            }
        }
        if (i >= bytes_.size() || bytes_[i] != '>') {
            Fail("не закончен тег", pos_);
            return;
        }
        const bool empty = bytes_[i - 1] == '/' && i - 1 >= nameEnd;
        const std::string_view name = bytes_.substr(nameStart, nameEnd - nameStart);
        const std::string_view attributes = bytes_.substr(nameEnd, (empty ? i - 1 : i) - nameEnd);
        if (!attributes.empty() && !IsSpace(attributes.front())) {
            Fail("недопустимый знак в имени элемента", nameEnd);
            return;
        }
        pos_ = i + 1;
        sawRoot_ = true;
        sink_.StartElement(XmlTag(name, attributes, encoding_));
        if (empty) {
            sink_.EndElement(name);
        } else {
            open_.push_back(name);
        }
    }

    void EndTag() {
        const std::size_t nameStart = pos_ + 2;
        const std::size_t nameEnd = NameEnd(nameStart);
        std::size_t i = nameEnd;
        while (i < bytes_.size() && IsSpace(bytes_[i])) {
            ++i;
        }
        if (i >= bytes_.size() || bytes_[i] != '>') {
            Fail("не закончен закрывающий тег", pos_);
            return;
        }
        const std::string_view name = bytes_.substr(nameStart, nameEnd - nameStart);
        if (open_.empty() || open_.back() != name) {
            Fail("закрывающий тег </" + std::string(name) + "> не того элемента", pos_);
            return;
        }
        open_.pop_back();
        pos_ = i + 1;
        sink_.EndElement(name);
    }

    void Reference() {
        const std::size_t start = pos_;
        const std::size_t semicolon = bytes_.find(';', start);
        if (semicolon == std::string_view::npos || semicolon - start > 12) {
            Fail("знак & без ссылки на символ", start);
            return;
        }
        const auto c = DecodeXmlReference(bytes_.substr(start + 1, semicolon - start - 1));
        if (!c) {
            Fail("неизвестная ссылка " + std::string(bytes_.substr(start, semicolon - start + 1)),
                 start);
            return;
        }
        pos_ = semicolon + 1;
        sink_.Character(*c, {start, pos_, true});
    }

    void Text() {
        const bool outside = open_.empty();
        while (pos_ < bytes_.size() && bytes_[pos_] != '<' && error_.empty()) {
            if (outside) {
                // Only white space may stand around the root element.
                if (!IsSpace(bytes_[pos_])) {
                    Fail("текст вне корневого элемента", pos_);
                    return;
                }
                ++pos_;
                continue;
            }
            if (bytes_[pos_] == '&') {
                Reference();
                continue;
            }
            const std::size_t from = pos_;
            const auto c = DecodeChar(bytes_, pos_, encoding_);
            if (!c || *c == 0) {
                Fail("байты, которые не являются текстом", from);
                return;
            }
            sink_.Character(*c, {from, pos_, false});
        }
    }

    std::string_view bytes_;
    XmlEncoding encoding_;
    XmlSink& sink_;
    std::size_t pos_ = 0;
    std::vector<std::string_view> open_;
    bool sawRoot_ = false;
    std::string error_;
};

} // namespace

bool ScanXml(std::string_view bytes, XmlEncoding encoding, XmlSink& sink, std::string& error) {
    return Scanner(bytes, encoding, sink).Run(error);
}

std::optional<char32_t> DecodeXmlReference(std::string_view body) {
    // XML's own five, and the HTML entities of typography that books made
    // for XHTML 1.1 use through its DTD, which no reader fetches.
    static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
        {"amp", U'&'},      {"lt", U'<'},       {"gt", U'>'},      {"quot", U'"'},
        {"apos", U'\''},    {"nbsp", 0xA0},     {"shy", 0xAD},     {"ensp", 0x2002},
        {"emsp", 0x2003},   {"thinsp", 0x2009}, {"ndash", 0x2013}, {"mdash", 0x2014},
        {"hellip", 0x2026}, {"laquo", 0xAB},    {"raquo", 0xBB},   {"lsquo", 0x2018},
        {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C}, {"rdquo", 0x201D},
        {"bdquo", 0x201E},  {"copy", 0xA9},     {"reg", 0xAE},     {"trade", 0x2122},
        {"deg", 0xB0},      {"middot", 0xB7},   {"bull", 0x2022},  {"times", 0xD7},
        {"minus", 0x2212},  {"sect", 0xA7},     {"para", 0xB6},    {"euro", 0x20AC},
    };
    for (const auto& [name, c] : kNamed) {
        if (body == name) {
            return c;
        }
    }
    if (body.size() < 2 || body[0] != '#') {
        return std::nullopt;
    }
    const bool hex = body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    char32_t cp = 0;
    for (const char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        }
        if (d < 0) {
            return std::nullopt;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
    }
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    return cp;
}

std::string_view XmlTag::LocalName() const {
    const auto colon = name_.find(':');
    return colon == std::string_view::npos ? name_ : name_.substr(colon + 1);
}

std::optional<std::string> XmlTag::Attribute(std::string_view name) const {
    std::size_t i = 0;
    const std::string_view a = attributes_;
    while (i < a.size()) {
        while (i < a.size() && IsSpace(a[i])) {
            ++i;
        }
        const std::size_t nameStart = i;
        while (i < a.size() && IsNameChar(a[i])) {
            ++i;
        }
        const std::string_view found = a.substr(nameStart, i - nameStart);
        while (i < a.size() && IsSpace(a[i])) {
            ++i;
        }
        if (found.empty() || i >= a.size() || a[i] != '=') {
            return std::nullopt;
        }
        ++i;
        while (i < a.size() && IsSpace(a[i])) {
            ++i;
        }
        if (i >= a.size() || (a[i] != '"' && a[i] != '\'')) {
            return std::nullopt;
        }
        const char quote = a[i++];
        const std::size_t end = a.find(quote, i);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        if (found == name) {
            std::string value;
            std::size_t k = i;
            while (k < end) {
                if (a[k] == '&') {
                    const std::size_t semicolon = a.find(';', k);
                    const auto c = semicolon < end
                                       ? DecodeXmlReference(a.substr(k + 1, semicolon - k - 1))
                                       : std::nullopt;
                    if (!c) {
                        return std::nullopt;
                    }
                    AppendUtf8(value, *c);
                    k = semicolon + 1;
                    continue;
                }
                const auto c = DecodeChar(a.substr(0, end), k, encoding_);
                if (!c) {
                    return std::nullopt;
                }
                AppendUtf8(value, *c);
            }
            return value;
        }
        i = end + 1;
    }
    return std::nullopt;
}

bool XmlDeclaredEncoding(std::string_view bytes, XmlEncoding& encoding, std::string& error) {
    encoding = XmlEncoding::Utf8;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    if (!bytes.starts_with("<?xml")) {
        return true;
    }
    const std::size_t end = bytes.find("?>");
    if (end == std::string_view::npos) {
        error = "XML повреждён: не закончено объявление <?xml";
        return false;
    }
    const XmlTag declaration("xml", bytes.substr(5, end - 5), XmlEncoding::Utf8);
    const auto name = declaration.Attribute("encoding");
    if (!name) {
        return true;
    }
    std::string lower;
    for (const char c : *name) {
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (lower == "utf-8" || lower == "utf8") {
        return true;
    }
    if (lower == "windows-1251" || lower == "cp1251") {
        encoding = XmlEncoding::Cp1251;
        return true;
    }
    error = "кодировка " + *name + " не поддерживается (только UTF-8 и windows-1251)";
    return false;
}

} // namespace umlo

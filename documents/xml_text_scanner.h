// A small, exact scanner of XML: element starts and ends, and the character
// data between them one character at a time with the bytes it came from, so
// that a letter can later be rewritten where it stands. Comments, processing
// instructions and the document type are skipped; CDATA is character data;
// the five predefined entities and numeric references are decoded. UTF-8 and
// windows-1251 are read (markup is ASCII in both).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace umlo {

enum class XmlEncoding { Utf8, Cp1251 };

// Where a character of character data stands in the bytes.
struct XmlCharSource {
    std::size_t start = 0;
    std::size_t end = 0;
    bool reference = false; // written as "&#…;" (or an entity), not as itself
};

// A start tag as written, to ask for its attributes.
class XmlTag {
public:
    XmlTag(std::string_view name, std::string_view attributes, XmlEncoding encoding)
        : name_(name), attributes_(attributes), encoding_(encoding) {}
    // The qualified name ("w:p").
    std::string_view Name() const { return name_; }
    // The name without its prefix ("p").
    std::string_view LocalName() const;
    // The value of an attribute by its qualified name, references decoded, in
    // UTF-8; nullopt when the tag has none.
    std::optional<std::string> Attribute(std::string_view name) const;

private:
    std::string_view name_;
    std::string_view attributes_;
    XmlEncoding encoding_;
};

class XmlSink {
public:
    virtual ~XmlSink() = default;
    virtual void StartElement(const XmlTag& tag) = 0;
    // Also after a start of an empty element ("<w:tab/>").
    virtual void EndElement(std::string_view name) = 0;
    // One character (a code point) of character data.
    virtual void Character(char32_t c, const XmlCharSource& source) = 0;
};

// Scans the whole document into the sink. False, with the reason (UTF-8,
// Russian, with the byte offset), when it is not well formed: bad markup,
// tags that do not match, an unknown reference, bytes that are not text in
// the encoding. Nothing about a badly formed document is to be trusted, so
// the caller throws away what the sink saw.
bool ScanXml(std::string_view bytes, XmlEncoding encoding, XmlSink& sink, std::string& error);

// The encoding named by the XML declaration ("utf-8" when there is none).
// False, with a message, for an encoding the program does not read.
bool XmlDeclaredEncoding(std::string_view bytes, XmlEncoding& encoding, std::string& error);

// The code point a reference body stands for ("#1105", "#x451", "amp",
// "nbsp"), if any.
std::optional<char32_t> DecodeXmlReference(std::string_view body);

} // namespace umlo

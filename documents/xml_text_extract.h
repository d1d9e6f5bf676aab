// The text a reader sees in an XML document, one paragraph per line, with
// the place of every е, ё, Е and Ё in the document's bytes. What counts as
// text and what ends a paragraph differs between the formats and is given
// as rules by the format's reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/xml_text_scanner.h"

namespace umlo {

// Where a changeable letter of the text stands: bytes [start, end) of a part
// hold it, as itself or as a character reference.
struct PartLetter {
    int offset = 0; // in the text
    int part = 0;
    std::size_t start = 0;
    std::size_t end = 0;
};

// Elements are named by their local names (without prefix).
struct TextRules {
    // When not empty, only character data inside these elements is text.
    std::vector<std::string_view> textOnlyIn = {};
    // Elements whose whole content is not text.
    std::vector<std::string_view> skipped = {};
    // Elements that are one line each; a paragraph inside another (a note,
    // a text box) follows the line it stands in.
    std::vector<std::string_view> paragraphs = {};
    // When on, every element that is not inline and not a paragraph starts
    // and ends a line, and an empty line is never made by that.
    bool blocks = false;
    std::vector<std::string_view> inlines = {};
    // Elements that stand for one character; a carriage return ends the line.
    std::vector<std::pair<std::string_view, char16_t>> characters = {};
    // White space in character data collapses to one space, none at either
    // end of a line (XML's layout is not the text's).
    bool collapseSpaces = false;
};

// The text of several parts, each starting on a line of its own.
struct ExtractedText {
    std::u16string text;             // lines end with a carriage return, the last one not
    std::vector<PartLetter> letters; // ascending offsets
    bool empty = true;               // no line yet
};

// Adds the text of one part. False, with the reason (UTF-8), when the part is
// not well-formed XML; out is then as it was.
bool ExtractXmlText(std::string_view bytes, XmlEncoding encoding, const TextRules& rules, int part,
                    ExtractedText& out, std::string& error);

} // namespace umlo

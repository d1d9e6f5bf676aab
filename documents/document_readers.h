// The reader of each document format: which parts hold the text, in what
// order, and what in their XML is text. Used by package_document.cpp only.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "documents/package_document.h"
#include "documents/zip_package.h"

namespace umlo {

// Each fills out.parts and text from a zip package, or gives the reason.
bool ReadDocxText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                  std::string& error);
bool ReadOdtText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                 std::string& error);
bool ReadEpubText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                  std::string& error);
bool ReadFb2ZipText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                    std::string& error);
// A plain FB2 file: out.file is the XML.
bool ReadFb2Text(PackageDocument& out, ExtractedText& text, std::string& error);

// A start tag of a package's own files (container, relationships), with
// the attributes asked for.
struct PackageTag {
    std::string_view localName;
    std::map<std::string, std::string> attributes;
};
// The start tags of the given local names in a zip entry; false, with the
// reason, when the entry is missing or not well-formed XML.
bool ReadPackageTags(const ZipPackage& zip, std::string_view entry,
                     const std::vector<std::string_view>& names,
                     const std::vector<std::string>& attributes, std::vector<PackageTag>& out,
                     std::string& error);

// Reads a zip entry as a part (in the encoding its XML declaration names)
// and adds its text under rules.
bool AddZipPart(const ZipPackage& zip, std::size_t index, const TextRules& rules,
                PackageDocument& out, ExtractedText& text, std::string& error);

} // namespace umlo

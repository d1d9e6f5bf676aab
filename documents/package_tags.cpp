#include "documents/document_readers.h"

namespace umlo {
namespace {

class TagCollector : public XmlSink {
public:
    TagCollector(const std::vector<std::string_view>& names,
                 const std::vector<std::string>& attributes, std::vector<PackageTag>& out)
        : names_(names), attributes_(attributes), out_(out) {}

    void StartElement(const XmlTag& tag) override {
        for (const std::string_view name : names_) {
            if (tag.LocalName() != name) {
                continue;
            }
            PackageTag found{name, {}};
            for (const std::string& attribute : attributes_) {
                if (auto value = tag.Attribute(attribute)) {
                    found.attributes[attribute] = *value;
                }
            }
            out_.push_back(std::move(found));
        }
    }
    void EndElement(std::string_view) override {}
    void Character(char32_t, const XmlCharSource&) override {}

private:
    const std::vector<std::string_view>& names_;
    const std::vector<std::string>& attributes_;
    std::vector<PackageTag>& out_;
};

} // namespace

bool ReadPackageTags(const ZipPackage& zip, std::string_view entry,
                     const std::vector<std::string_view>& names,
                     const std::vector<std::string>& attributes, std::vector<PackageTag>& out,
                     std::string& error) {
    const auto at = zip.Find(entry);
    if (!at) {
        error = "в документе нет части " + std::string(entry);
        return false;
    }
    std::string bytes;
    XmlEncoding encoding = XmlEncoding::Utf8;
    if (!zip.Read(*at, bytes, error) || !XmlDeclaredEncoding(bytes, encoding, error)) {
        return false;
    }
    TagCollector collector(names, attributes, out);
    if (!ScanXml(bytes, encoding, collector, error)) {
        error = std::string(entry) + ": " + error;
        return false;
    }
    return true;
}

} // namespace umlo

// A small XML reader and writer for the camera settings file: elements, attributes,
// text, comments and the XML declaration; no DTDs, CDATA or namespaces.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fwc {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;
    std::string text;
    unsigned line = 0;

    const std::string* attribute(const std::string& key) const;
};

// On refusal returns false and sets error to "line <n>: <problem>".
bool parseXml(const std::string& text, XmlElement& root, std::string& error);
// The document with an XML declaration, one element per line, indented.
std::string writeXml(const XmlElement& root);

}  // namespace fwc

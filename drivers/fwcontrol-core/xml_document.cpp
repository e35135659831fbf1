#include "xml_document.h"

#include <cctype>
#include <stdexcept>

namespace fwc {
namespace {

constexpr unsigned kMaxDepth = 32;

struct XmlError : std::runtime_error {
    XmlError(unsigned line, const std::string& problem)
        : std::runtime_error("line " + std::to_string(line) + ": " + problem) {}
};

class XmlReader {
public:
    explicit XmlReader(const std::string& text) : text_(text) {}

    void readDocument(XmlElement& root) {
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) position_ = 3;
        skipMisc();
        if (startsWith("<?xml")) skipPast("?>", "unterminated XML declaration");
        skipMisc();
        if (!startsWith("<")) fail("expected the root element");
        readElement(root, 0);
        skipMisc();
        if (position_ != text_.size()) fail("content after the root element");
    }

private:
    [[noreturn]] void fail(const std::string& problem) const { throw XmlError(line_, problem); }

    bool atEnd() const { return position_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[position_]; }
    bool startsWith(const char* prefix) const {
        return text_.compare(position_, std::char_traits<char>::length(prefix), prefix) == 0;
    }

    void advance() {
        if (text_[position_] == '\n') ++line_;
        ++position_;
    }

    void skipSpace() {
        while (!atEnd() && std::isspace(static_cast<unsigned char>(peek()))) advance();
    }

    void skipPast(const char* terminator, const char* problem) {
        while (!atEnd() && !startsWith(terminator)) advance();
        if (atEnd()) fail(problem);
        for (size_t i = 0; terminator[i] != '\0'; ++i) advance();
    }

    // White space and comments between markup.
    void skipMisc() {
        for (;;) {
            skipSpace();
            if (!startsWith("<!--")) return;
            skipPast("-->", "unterminated comment");
        }
    }

    std::string readName() {
        const size_t start = position_;
        if (!(std::isalpha(static_cast<unsigned char>(peek())) || peek() == '_'))
            fail("expected a name");
        while (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_' || peek() == '-' ||
               peek() == '.')
            advance();
        return text_.substr(start, position_ - start);
    }

    void appendEntity(std::string& out) {
        static const std::pair<const char*, char> kEntities[] = {
            {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
        for (const auto& [entity, character] : kEntities) {
            if (startsWith(entity)) {
                position_ += std::char_traits<char>::length(entity);
                out += character;
                return;
            }
        }
        fail("unknown entity");
    }

    std::string readAttributeValue() {
        const char quote = peek();
        if (quote != '"' && quote != '\'') fail("attribute value must be quoted");
        advance();
        std::string value;
        while (!atEnd() && peek() != quote) {
            if (peek() == '<') fail("'<' in an attribute value");
            if (peek() == '&') {
                appendEntity(value);
            } else {
                value += peek();
                advance();
            }
        }
        if (atEnd()) fail("unterminated attribute value");
        advance();
        return value;
    }

    void readElement(XmlElement& element, unsigned depth) {
        if (depth > kMaxDepth) fail("elements nested too deeply");
        element.line = line_;
        advance();  // '<'
        element.name = readName();
        for (;;) {
            const bool spaced = std::isspace(static_cast<unsigned char>(peek())) != 0;
            skipSpace();
            if (startsWith("/>")) {
                advance();
                advance();
                return;
            }
            if (peek() == '>') {
                advance();
                break;
            }
            if (atEnd()) fail("unterminated start tag <" + element.name + ">");
            if (!spaced) fail("expected white space between attributes");
            std::string key = readName();
            if (element.attribute(key) != nullptr) fail("attribute " + key + " given twice");
            skipSpace();
            if (peek() != '=') fail("expected '=' after attribute " + key);
            advance();
            skipSpace();
            element.attributes.emplace_back(std::move(key), readAttributeValue());
        }
        readContent(element, depth);
    }

    void readContent(XmlElement& element, unsigned depth) {
        for (;;) {
            if (atEnd()) fail("element <" + element.name + "> is not closed");
            if (startsWith("<!--")) {
                skipPast("-->", "unterminated comment");
            } else if (startsWith("</")) {
                position_ += 2;
                const std::string closing = readName();
                if (closing != element.name)
                    fail("</" + closing + "> closes <" + element.name + ">");
                skipSpace();
                if (peek() != '>') fail("expected '>' after </" + closing);
                advance();
                return;
            } else if (startsWith("<!") || startsWith("<?")) {
                fail("unsupported markup");
            } else if (peek() == '<') {
                element.children.emplace_back();
                readElement(element.children.back(), depth + 1);
            } else if (peek() == '&') {
                appendEntity(element.text);
            } else {
                element.text += peek();
                advance();
            }
        }
    }

    const std::string& text_;
    size_t position_ = 0;
    unsigned line_ = 1;
};

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void writeElement(const XmlElement& element, unsigned depth, std::string& out) {
    out.append(depth * 2, ' ');
    out += "<" + element.name;
    for (const auto& [key, value] : element.attributes)
        out += " " + key + "=\"" + escaped(value) + "\"";
    if (element.children.empty() && element.text.empty()) {
        out += "/>\n";
        return;
    }
    out += ">" + escaped(element.text);
    if (!element.children.empty()) {
        out += "\n";
        for (const XmlElement& child : element.children) writeElement(child, depth + 1, out);
        out.append(depth * 2, ' ');
    }
    out += "</" + element.name + ">\n";
}

}  // namespace

const std::string* XmlElement::attribute(const std::string& key) const {
    for (const auto& [attributeName, value] : attributes)
        if (attributeName == key) return &value;
    return nullptr;
}

bool parseXml(const std::string& text, XmlElement& root, std::string& error) {
    try {
        XmlElement read;
        XmlReader(text).readDocument(read);
        root = std::move(read);
        return true;
    } catch (const XmlError& failure) {
        error = failure.what();
        return false;
    }
}

std::string writeXml(const XmlElement& root) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    writeElement(root, 0, out);
    return out;
}

}  // namespace fwc

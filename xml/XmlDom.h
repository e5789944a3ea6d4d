// Parsed XML documents and the few operations pattern documents need:
// find a direct child element by name, read and set attributes, write the
// document as Shift_JIS. libxml2 stays behind these classes.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

// A handle to an element inside a TXmlDocument; valid while the document lives.
class TXmlElement {
public:
    explicit TXmlElement(_xmlNode* node) : node_(node) {}

    std::string Name() const;
    // The first direct child element whose name is exactly name.
    std::optional<TXmlElement> FindChild(const std::string& name) const;
    // The value of the attribute whose name is exactly name.
    std::optional<std::string> FindAttribute(const std::string& name) const;
    // The text the element holds, of its descendants included, in order.
    std::string Text() const;
    // Replaces the value (as literal text) or adds the attribute at the end.
    // Text that is not UTF-8 or holds characters XML 1.0 forbids throws
    // EXmlError, so nothing unreadable is ever written.
    void SetAttribute(const std::string& name, const std::string& value);

private:
    _xmlNode* node_;
};

class TXmlDocument {
public:
    explicit TXmlDocument(_xmlDoc* doc); // takes ownership
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // The root element when it is named exactly name.
    std::optional<TXmlElement> FindChild(const std::string& name) const;

    // Declaration (encoding Shift_JIS), then every comment, processing
    // instruction and the root element, each followed by a line feed; every
    // element with an end tag; line feeds as CR LF; CP932 bytes, with
    // characters outside CP932 as numeric character references in text and
    // attribute values. EXmlError for a name, comment or processing
    // instruction CP932 cannot hold, where a reference would not be read.
    std::string SaveToShiftJis() const;

    _xmlDoc* Handle() const { return doc_.get(); }

private:
    struct Free {
        void operator()(_xmlDoc* doc) const;
    };
    std::unique_ptr<_xmlDoc, Free> doc_;
};

// Holds every document parsed through the parsers bound to it.
class TXmlDomImplementation {
public:
    TXmlDocument& Adopt(std::unique_ptr<TXmlDocument> document);
    void Clear() { documents_.clear(); }
    size_t DocumentCount() const { return documents_.size(); }
    // ERangeError outside 0 .. DocumentCount()-1.
    TXmlDocument& Document(size_t index) const;

private:
    std::vector<std::unique_ptr<TXmlDocument>> documents_;
};

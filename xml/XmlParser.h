// Reads XML into documents held by a TXmlDomImplementation.
//
// Parsing never touches the network or other files: a document that declares
// entities or names an external DTD is refused, not followed.
#pragma once

#include "xml/XmlDom.h"

#include <string>

class TXmlParser {
public:
    explicit TXmlParser(TXmlDomImplementation& dom);

    // The file's bytes, encoding from its byte order mark or declaration
    // (UTF-8, UTF-16, EUC-JP, Shift_JIS read as CP932, ...). EXmlError when
    // the file cannot be read or the document is not well-formed or refused.
    TXmlDocument& ParseFile(const std::string& path);
    // Bytes as a file would hold them; sourceName appears in error messages.
    TXmlDocument& ParseBytes(const std::string& bytes, const std::string& sourceName);
    // Program text (UTF-8) whatever encoding its declaration names.
    TXmlDocument& ParseText(const std::string& utf8, const std::string& sourceName);

private:
    TXmlDocument& Parse(const std::string& utf8OrBytes, bool isUtf8, const std::string& sourceName);
    TXmlDomImplementation& dom_;
};

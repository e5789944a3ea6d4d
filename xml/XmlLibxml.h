// libxml2 helpers shared by the layer's sources; never included outside xml/.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>

namespace xmlutil {

struct FreeXmlChar {
    void operator()(xmlChar* p) const { xmlFree(p); }
};
using XmlString = std::unique_ptr<xmlChar, FreeXmlChar>;

inline const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }
inline std::string S(const xmlChar* s) { return s ? reinterpret_cast<const char*>(s) : std::string(); }

// The name as written in the document, with its namespace prefix if any.
inline std::string QualifiedName(const xmlChar* name, const xmlNs* ns)
{
    if (ns && ns->prefix) return S(ns->prefix) + ":" + S(name);
    return S(name);
}

// The text value of an attribute, character references resolved.
inline std::string AttributeValue(xmlAttr* attr)
{
    XmlString value(xmlNodeGetContent(reinterpret_cast<xmlNode*>(attr)));
    return S(value.get());
}

} // namespace xmlutil

// Element lookup and attribute access on libxml2 trees.
#include "xml/XmlDom.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Texts.h"
#include "xml/XmlEncoding.h"
#include "xml/XmlError.h"
#include "xml/XmlLibxml.h"

#include <new>

using namespace xmlutil;

namespace {

xmlAttr* FindAttr(xmlNode* node, const std::string& name)
{
    for (xmlAttr* a = node->properties; a; a = a->next)
        if (QualifiedName(a->name, a->ns) == name) return a;
    return nullptr;
}

} // namespace

std::string TXmlElement::Name() const { return QualifiedName(node_->name, node_->ns); }

std::optional<TXmlElement> TXmlElement::FindChild(const std::string& name) const
{
    for (xmlNode* c = node_->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && QualifiedName(c->name, c->ns) == name) return TXmlElement(c);
    return std::nullopt;
}

std::string TXmlElement::Text() const
{
    XmlString text(xmlNodeGetContent(node_));
    return S(text.get());
}

std::optional<std::string> TXmlElement::FindAttribute(const std::string& name) const
{
    xmlAttr* a = FindAttr(node_, name);
    if (!a) return std::nullopt;
    return AttributeValue(a);
}

void TXmlElement::SetAttribute(const std::string& name, const std::string& value)
{
    if (!xmlenc::IsXmlText(value))
        throw EXmlError(TextArg(TText::tr("属性 '%1' の値にXMLで書けない文字があります"), {name}));
    xmlNode* text = xmlNewDocText(node_->doc, X(value));
    if (!text) throw std::bad_alloc();
    xmlAttr* a = FindAttr(node_, name);
    if (!a) {
        // A new attribute takes its value as literal text; no entity parsing.
        a = xmlNewProp(node_, X(name), nullptr);
        if (!a) {
            xmlFreeNode(text);
            throw std::bad_alloc();
        }
    }
    xmlFreeNodeList(a->children);
    text->parent = reinterpret_cast<xmlNode*>(a);
    a->children = a->last = text;
}

TXmlDocument::TXmlDocument(_xmlDoc* doc) : doc_(doc) {}
TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::Free::operator()(_xmlDoc* doc) const { xmlFreeDoc(doc); }

std::optional<TXmlElement> TXmlDocument::FindChild(const std::string& name) const
{
    xmlNode* root = xmlDocGetRootElement(doc_.get());
    if (root && QualifiedName(root->name, root->ns) == name) return TXmlElement(root);
    return std::nullopt;
}

TXmlDocument& TXmlDomImplementation::Adopt(std::unique_ptr<TXmlDocument> document)
{
    documents_.push_back(std::move(document));
    return *documents_.back();
}

TXmlDocument& TXmlDomImplementation::Document(size_t index) const
{
    if (index >= documents_.size()) throw ERangeError(Format("No Exist Document: Document[%zu]", index));
    return *documents_[index];
}

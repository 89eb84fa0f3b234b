// Panel and MIB description files come from outside: load any bytes and walk the result the
// way the readers do (elements by tag, attributes as XPath, child nodes, text).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/xml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    xml::Document doc;
    if (!doc.LoadXml(std::string_view(reinterpret_cast<const char*>(data), size))) {
        if (!doc.DocumentElement().IsNull() || doc.GetElementsByTagName("*").Length() != 0) __builtin_trap();
        return 0;
    }
    int selections = 0;
    for (const xml::Node& element : doc.GetElementsByTagName("*")) {
        (void)element.Text();
        (void)element.BaseName();
        for (const xml::Node& attribute : element.Attributes()) {
            if (++selections > 64) return 0;  // XPath cost grows with the document
            xml::Node container;
            if (element.SelectSingleNode(attribute.NodeValue(), container) && container)
                for (const xml::Node& child : container.ChildNodes()) (void)child.NodeName();
        }
    }
    return 0;
}

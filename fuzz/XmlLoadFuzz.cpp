#include "xml/XmlDocument.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Loads arbitrary bytes and walks every element and attribute the cursor can reach.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    corvane::XmlDocument doc;
    if (!doc.LoadFromMemory({reinterpret_cast<const std::byte*>(data), size}))
        return 0;
    for (const char* name : {"config", "device.info", "keyboard", "mode", "software"}) {
        if (doc.FindElem(name)) {
            (void)doc.GetAttrib("name");
            doc.IntoElem();
        }
    }
    while (doc.OutOfElem())
        (void)doc.GetTagName();
    (void)doc.ToText();
    return 0;
}

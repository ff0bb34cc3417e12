// Naming templates are typed by users and tag values come from the files themselves: any
// of them must expand, describe and test without crashing, the expansion must end with a
// name of bounded length, and in path mode a "/" or "\" inside a tag value must never
// reach the name, where it would open a folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "NTag.h"
#include "NamingFuzzInput.h"
#include "VMCNamingTemplate.h"
#include "VMCNamingText.h"
#include "XStr.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The same tags with every "/" and "\" of a plain value turned into "-": what path mode
// promises the template can see of them. An expansion that differs has read a separator
// from a value.
NTag withoutSeparators(const NTag& tags) {
    NTag out;
    for (const NTag::Element& e : tags.Elements()) {
        XStr value = e.value;
        if (!namingFuzzKeepsSeparators(e.name)) {
            for (char32_t& c : value) {
                if (c == U'/' || c == U'\\') {
                    c = U'-';
                }
            }
        }
        out.AddElement(e.name, value);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const NamingFuzzInput input = namingFuzzInput(data, size);

    const XStr named = ExpandNamingTemplate(input.templ, input.tags, true);
    require(named.size() <= VMCNamingText::kMaxTextLength);
    require(ExpandNamingTemplate(input.templ, withoutSeparators(input.tags), true) == named);

    const XStr plain = ExpandNamingTemplate(input.templ, input.tags, false);
    require(plain.size() <= VMCNamingText::kMaxTextLength);

    TemplateNeedsMetadata(input.templ);
    DescribeNamingTemplate(input.templ);
    return 0;
}

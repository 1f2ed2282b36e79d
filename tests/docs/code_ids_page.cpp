#include "code_ids.h"

#include "render/page_contents.h"

std::set<long> PageTextIds() {
    std::set<long> ids;
    for (const PageItems& page : pageItems)
        for (int i = 0; i < page.textCount; ++i)
            if (page.texts[i].textId >= 0)
                ids.insert(page.texts[i].textId);
    return ids;
}

#pragma once
// A page of a set's items, as a caller asks for it: the first item's offset and the page's size.

#include "vorlane/Models/Content/Page.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <cstdint>

namespace vorlane {

struct ItemPage {
    std::int64_t offset = 0;
    PageSize pageSize = PageSize::twenty;
    bool operator==(const ItemPage&) const = default;
};

inline auto jsonFields(json::Tag<ItemPage>) {
    using namespace json::rules;
    return fields(required("offset", &ItemPage::offset), required("pageSize", &ItemPage::pageSize));
}

}  // namespace vorlane

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::ItemPage)

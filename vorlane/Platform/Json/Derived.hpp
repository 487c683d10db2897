#pragma once
// Derived members: what a value answers beyond its fields, taking no argument (a computed
// property, a classification, a conversion into another record). `vorlane derive` prints them.
//
// A record declares its own right under its field list:
//
//   inline auto jsonDerived(json::Tag<Milestone>) {
//       using namespace json::derived;
//       return members(member("startSeconds", &Milestone::startSeconds),
//                      member("isAd", [](const Milestone& m) { return m.type == Milestone::Type::ad; }));
//   }
//
// A getter is a member function or data member pointer, or a callable taking the value; its result
// is written with its codec. Enumerations and lists declare theirs the same way (found by
// argument-dependent lookup through the tag).
//
// An interface declares its members once, as a face beside the interface (see `ContentFace` in
// Models/Content/Content.hpp):
//
//   struct SomeFace {
//       static constexpr std::string_view name = "SomeInterface";
//       template <class T> static constexpr bool modeledBy = ...;   // which types answer it
//       template <class T> static decltype(auto) view(const T&);    // the value seen through it
//       static auto members();                                      // getters over the view
//   };
//
// and every registered type that models it gets its members (Registry/Registration.hpp).

#include "vorlane/Platform/Json/Vocabulary.hpp"

#include <string_view>
#include <tuple>

namespace vorlane::json::derived {

template <class Get>
struct Member {
    std::string_view name;
    Get get;
};

template <class Get>
constexpr Member<Get> member(std::string_view name, Get get) {
    return {name, get};
}

template <class... Gets>
constexpr std::tuple<Member<Gets>...> members(Member<Gets>... list) {
    return {list...};
}

}  // namespace vorlane::json::derived

namespace vorlane::json {

// Types that declare derived members of their own.
template <class T>
concept HasDerivedMembers = requires { jsonDerived(Tag<T>{}); };

}  // namespace vorlane::json

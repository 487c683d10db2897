#pragma once
// How an area lists its decodable types (included by the registry's .cpp files only, since it
// pulls in every codec it names):
//
//   void registerPlaybackTypes(std::vector<DecodableType>& types) {
//       types.push_back(REGISTER(Milestone, "Milestone", explore,
//                                derived<Milestone>("startSeconds", [](const Milestone& m) { return m.startSeconds(); }),
//                                derived<Milestone>("isAd", &Milestone::isAd)));
//       types.push_back(REGISTER(Milestone::MilestoneTime, "Milestone.MilestoneTime", explore));
//   }
//
// A derived member is a member of the decoded value that takes no argument (a computed property,
// a classification, a conversion into another record): `vorlane derive` prints each under its
// name, encoded as `decode` prints values (an absent optional as null).

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace vorlane::registration {

template <class T>
struct DerivedMember {
    std::string_view name;
    std::function<void(json::Writer&, const T&)> write;
};

// A derived member computed by `member`: a callable taking the value, or a member function or data
// member pointer; its result is written with its codec.
template <class T, class Member>
DerivedMember<T> derived(std::string_view name, Member member) {
    return {name, [member](json::Writer& w, const T& value) {
                using Result = std::remove_cvref_t<std::invoke_result_t<const Member&, const T&>>;
                json::Codec<Result>::encode(w, std::invoke(member, value));
            }};
}

template <class T>
std::string roundTrip(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                      json::Diagnostics* diagnostics) {
    return json::encode(json::decode<T>(answer, settings, diagnostics), json::EncoderSettings{settings.dates});
}

template <class T>
std::string deriveAll(const json::PaddedAnswer& answer, const json::DecoderSettings& settings,
                      json::Diagnostics* diagnostics, const void* members) {
    const T value = json::decode<T>(answer, settings, diagnostics);
    json::Writer w(json::EncoderSettings{settings.dates});
    w.beginObject();
    if (members)
        for (const auto& member : *static_cast<const std::vector<DerivedMember<T>>*>(members)) {
            w.key(member.name);
            member.write(w, value);
        }
    w.endObject();
    return w.take();
}

template <class T, class... Derived>
DecodableType entry(std::string_view name, std::string_view cppName, ApiGeneration generation, Derived... derived) {
    DecodableType type{name, cppName, generation, &typeKeyOf<T>, &roundTrip<T>};
    type.deriveAll = &deriveAll<T>;
    if constexpr (sizeof...(Derived) > 0) {
        auto members = std::make_shared<const std::vector<DerivedMember<T>>>(
            std::vector<DerivedMember<T>>{std::move(derived)...});
        for (const auto& member : *members) type.derivedNames.push_back(member.name);
        type.derivedMembers = std::move(members);
    }
    return type;
}

// Marks a type whose encoding has another shape than the answers it reads (see
// DecodableType::readsBackItsEncoding).
inline DecodableType writtenInAnotherShape(DecodableType type) {
    type.readsBackItsEncoding = false;
    return type;
}

}  // namespace vorlane::registration

// REGISTER(C++ type, "name as the system names it", generation[, derived<T>(...)...])
#define REGISTER(Type, name, generation, ...) \
    ::vorlane::registration::entry<Type>(name, #Type, ::vorlane::ApiGeneration::generation __VA_OPT__(, ) __VA_ARGS__)

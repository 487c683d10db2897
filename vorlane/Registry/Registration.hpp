#pragma once
// How an area lists its decodable types (included by the registry's .cpp files only, since it
// pulls in every codec it names):
//
//   void registerPlaybackTypes(std::vector<DecodableType>& types) {
//       types.push_back(REGISTER(Milestone, "Milestone", explore));
//       types.push_back(REGISTER(Milestone::MilestoneTime, "Milestone.MilestoneTime", explore));
//   }
//
// A type's derived members are not listed here: registration takes them from the type's own
// `jsonDerived` declaration beside its struct, and from the faces of the interfaces it models
// (`InterfaceFaces` below), so a type that models an interface always answers its members.

#include "vorlane/Models/Content/Content.hpp"
#include "vorlane/Models/Explore/Action.hpp"
#include "vorlane/Models/Explore/Actions.hpp"
#include "vorlane/Models/Playback/Timeline.hpp"
#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/Derived.hpp"
#include "vorlane/Registry/DecodableTypes.hpp"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace vorlane::registration {

// Every interface whose members registered types answer through it. Adding an interface: declare
// its face beside it, and list it here.
using InterfaceFaces = std::tuple<ContentFace, ActionFace, BrowseActionFace, TimelineFace>;

template <class T>
struct DerivedMember {
    std::string_view name;
    std::function<void(json::Writer&, const T&)> write;
};

// Adds one getter, applied to what `view` makes of the value.
template <class T, class View, class Get>
void appendMember(std::vector<DerivedMember<T>>& out, const json::derived::Member<Get>& member, View view) {
    out.push_back({member.name, [get = member.get, view](json::Writer& w, const T& value) {
                       decltype(auto) seen = view(value);
                       using Result = std::remove_cvref_t<std::invoke_result_t<decltype(get), decltype(seen)>>;
                       json::Codec<Result>::encode(w, std::invoke(get, seen));
                   }});
}

// Adds each getter of `list`. (Plain pack expansions rather than std::apply over a generic lambda:
// clang 14, which builds the fuzz target, crashes on the latter here.)
template <class T, class View, class... Gets, std::size_t... I>
void appendMembers(std::vector<DerivedMember<T>>& out, const std::tuple<json::derived::Member<Gets>...>& list,
                   View view, std::index_sequence<I...>) {
    (appendMember<T>(out, std::get<I>(list), view), ...);
}

template <class T, class View, class... Gets>
void appendMembers(std::vector<DerivedMember<T>>& out, const std::tuple<json::derived::Member<Gets>...>& list,
                   View view) {
    appendMembers<T>(out, list, view, std::index_sequence_for<Gets...>{});
}

// The members of one interface, when T models it.
template <class T, class Face>
void addFaceMembers(DecodableType& type, std::vector<DerivedMember<T>>& members) {
    if constexpr (Face::template modeledBy<T>) {
        type.interfaces.push_back(Face::name);
        appendMembers<T>(members, Face::members(), [](const T& value) -> decltype(auto) { return Face::view(value); });
    }
}

template <class T, class... Faces>
void addFacesMembers(DecodableType& type, std::vector<DerivedMember<T>>& members, const std::tuple<Faces...>*) {
    (addFaceMembers<T, Faces>(type, members), ...);
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

// The type's own derived members, then those of each interface it models, in the order of
// `InterfaceFaces`. A name given twice is a mistake in the declarations.
template <class T>
void addDerivedMembers(DecodableType& type) {
    auto members = std::make_shared<std::vector<DerivedMember<T>>>();
    if constexpr (json::HasDerivedMembers<T>)
        appendMembers<T>(*members, jsonDerived(json::Tag<T>{}), [](const T& value) -> const T& { return value; });
    addFacesMembers<T>(type, *members, static_cast<const InterfaceFaces*>(nullptr));
    for (std::size_t i = 0; i < members->size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if ((*members)[i].name == (*members)[j].name)
                throw std::logic_error(std::string(type.name) + ": derived member \"" + std::string((*members)[i].name) +
                                       "\" is declared twice");
    if (members->empty()) return;
    for (const auto& member : *members) type.derivedNames.push_back(member.name);
    type.derivedMembers = std::move(members);
}

template <class T>
DecodableType entry(std::string_view name, std::string_view cppName, ApiGeneration generation) {
    DecodableType type{name, cppName, generation, &typeKeyOf<T>, &roundTrip<T>};
    type.deriveAll = &deriveAll<T>;
    addDerivedMembers<T>(type);
    return type;
}

// Marks a type whose encoding has another shape than the answers it reads (see
// DecodableType::readsBackItsEncoding).
inline DecodableType writtenInAnotherShape(DecodableType type) {
    type.readsBackItsEncoding = false;
    return type;
}

}  // namespace vorlane::registration

// REGISTER(C++ type, "name as the system names it", generation)
#define REGISTER(Type, name, generation) \
    ::vorlane::registration::entry<Type>(name, #Type, ::vorlane::ApiGeneration::generation)

#pragma once
// The sport tags by which a collection names the teams, leagues and sports it is about. Each tag
// is one flat object tagged by its "type" member:
//
//   {"type": "teamId", "value": "team-harbor-gulls", "data": {...team record...}}
//
// The three tag records are plain value records; a coder holds one through `SportTagModel<R>`,
// which answers the `SportTag` interface for it.

#include "vorlane/Models/Content/Sports.hpp"
#include "vorlane/Platform/Json/Record.hpp"

#include <memory>
#include <string>

namespace vorlane {

namespace SportTags {

// What a tag names. Closed: any other string fails the tag.
enum class TagType { teamId, sportId, leagueId };

constexpr auto jsonVocabulary(json::Tag<SportTags::TagType>) {
    using enum TagType;
    return json::vocabulary<TagType>("SportTags.TagType", {{teamId, "teamId"}, {sportId, "sportId"}, {leagueId, "leagueId"}});
}

}  // namespace SportTags

// One sport tag of any kind.
class SportTag {
public:
    virtual ~SportTag() = default;

    virtual SportTags::TagType type() const noexcept = 0;
    // False for a tag of another concrete kind; memberwise equality otherwise.
    virtual bool isEqual(const SportTag& other) const = 0;

protected:
    SportTag() = default;
    SportTag(const SportTag&) = default;
    SportTag& operator=(const SportTag&) = default;
};

namespace SportTags {

struct Team {
    TagType type = TagType::teamId;
    std::string value;
    TeamData data;
    bool operator==(const Team&) const = default;
};

inline auto jsonFields(json::Tag<SportTags::Team>) {
    using namespace json::rules;
    return fields(required("type", &Team::type), required("value", &Team::value), required("data", &Team::data));
}

struct League {
    TagType type = TagType::leagueId;
    std::string value;
    LeagueData data;
    bool operator==(const League&) const = default;
};

inline auto jsonFields(json::Tag<SportTags::League>) {
    using namespace json::rules;
    return fields(required("type", &League::type), required("value", &League::value), required("data", &League::data));
}

struct Sport {
    TagType type = TagType::sportId;
    std::string value;
    SportData data;
    bool operator==(const Sport&) const = default;
};

inline auto jsonFields(json::Tag<SportTags::Sport>) {
    using namespace json::rules;
    return fields(required("type", &Sport::type), required("value", &Sport::value), required("data", &Sport::data));
}

}  // namespace SportTags

// The `SportTag` face of one tag record.
template <class R>
class SportTagModel final : public SportTag {
public:
    explicit SportTagModel(R record) : record_(std::move(record)) {}

    const R& record() const noexcept { return record_; }

    SportTags::TagType type() const noexcept override { return record_.type; }
    bool isEqual(const SportTag& other) const override {
        const auto* same = dynamic_cast<const SportTagModel*>(&other);
        return same && same->record_ == record_;
    }

private:
    R record_;
};

namespace SportTags {

// A tag of the kind its "type" member selects (a sport tag when the member is absent), decoded
// from the same object. Shared: copies of lists of coders share the records. Two coders are equal
// when their kinds are and the left tag `isEqual` to the right one.
class Coder {
public:
    Coder(TagType type, std::shared_ptr<const SportTag> model);
    // Wraps a record; the kind is the record's `type`.
    template <class R>
        requires requires(const R& r) { { r.type } -> std::convertible_to<TagType>; }
    explicit Coder(R record) : Coder(record.type, std::make_shared<const SportTagModel<R>>(std::move(record))) {}

    TagType type() const noexcept { return type_; }
    const std::shared_ptr<const SportTag>& model() const noexcept { return model_; }

    // The record when the model is one of type R, else null.
    template <class R>
    const R* as() const noexcept {
        const auto* model = dynamic_cast<const SportTagModel<R>*>(model_.get());
        return model ? &model->record() : nullptr;
    }

    bool operator==(const Coder& other) const { return type_ == other.type_ && model_->isEqual(*other.model_); }

private:
    TagType type_;
    std::shared_ptr<const SportTag> model_;
};

}  // namespace SportTags

}  // namespace vorlane

// Hand-written over the tagged-record table in SportTags.cpp: an absent "type" selects the sport
// tag, which the generic tagged decoding cannot express. Encoding writes the record's own keys,
// whose "type" is the tag.
VORLANE_JSON_CODEC(vorlane::SportTags::Coder)

// Compiled once, in the .cpp; other files call that copy instead of compiling their own.
VORLANE_JSON_RECORD(vorlane::SportTags::Team)
VORLANE_JSON_RECORD(vorlane::SportTags::League)
VORLANE_JSON_RECORD(vorlane::SportTags::Sport)

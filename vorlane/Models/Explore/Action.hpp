#pragma once
// What the user can do with a thing an Explore answer shows: the kind tag of an action, the
// polymorphic `Action` interface and the coder that decodes a flat, "type"-tagged action object.
//
// Action records are plain value records (Actions.hpp); a coder holds one through
// `ActionModel<Record>`, which answers the `Action` interface for it. The records keep their
// fields under their own names (`infoBlock`, `visuals`, ...), so the interfaces that a record meets
// through its fields (playback, download, legacy browse) are concepts over those fields, with
// their shared behaviour as functions below and in Actions.hpp.

#include "vorlane/Platform/Json/Codec.hpp"
#include "vorlane/Platform/Json/Derived.hpp"

#include <concepts>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorlane {

// The kind of an action: the "type" member of its object. Closed: any other string fails the action.
enum class ActionTypeIdentifier {
    browse,
    download,
    downloadSeason,
    legacyBrowse,
    modal,
    modifySaves,
    playback,
    share,
    trailer,
    toggleAspectRatio,
    upNextLegacyBrowse,
    upsell,
};

constexpr auto jsonVocabulary(json::Tag<ActionTypeIdentifier>) {
    using enum ActionTypeIdentifier;
    return json::vocabulary<ActionTypeIdentifier>("ActionTypeIdentifier", {
        {browse, "browse"},
        {download, "download"},
        {downloadSeason, "downloadAll"},  // the season download's tag on the wire
        {legacyBrowse, "legacyBrowse"},
        {modal, "modal"},
        {modifySaves, "modifySaves"},
        {playback, "playback"},
        {share, "share"},
        {trailer, "trailer"},
        {toggleAspectRatio, "toggleAspectRatio"},
        {upNextLegacyBrowse, "upNextLegacyBrowse"},
        {upsell, "upsell"},
    });
}

// One action of any kind.
class Action {
public:
    virtual ~Action() = default;

    // The kind of the concrete record (its static `identifier`).
    virtual ActionTypeIdentifier identifier() const noexcept = 0;
    // The action's display text when it has one (its own or its visuals'); absent otherwise.
    virtual std::optional<std::string> optionalDisplayText() const = 0;
    virtual std::optional<std::string> infoBlock() const = 0;
    // False for an action of another concrete type; memberwise equality otherwise.
    virtual bool isEqual(const Action& other) const = 0;

protected:
    Action() = default;
    Action(const Action&) = default;
    Action& operator=(const Action&) = default;
};

// The display text of a record: its visuals' when it has visuals, its own `displayText` field
// otherwise, absent for records with neither.
template <class R>
std::optional<std::string> optionalDisplayText(const R& record) {
    if constexpr (requires { { record.visuals.displayText } -> std::convertible_to<std::string>; })
        return record.visuals.displayText;
    else if constexpr (requires { { record.displayText } -> std::convertible_to<std::string>; })
        return record.displayText;
    else
        return std::nullopt;
}

// The info block of a record: a field of most records, derived by playback and trailer actions.
template <class R>
std::optional<std::string> infoBlock(const R& record) {
    if constexpr (requires { record.infoBlock(); })
        return record.infoBlock();
    else
        return record.infoBlock;
}

// Records with an info block (a field, or derived).
template <class R>
concept InfoBlockContaining = requires(const R& record) {
    { vorlane::infoBlock(record) } -> std::same_as<std::optional<std::string>>;
};

// Records that show visuals; their display text is the visuals' own.
template <class R>
concept ActionVisualsContaining = requires(const R& record) {
    record.visuals;
    { record.displayText() } -> std::convertible_to<std::string>;
};

// Records with a display text, of their own or of their visuals.
template <class R>
concept ActionDisplayTextContaining = ActionVisualsContaining<R> || requires(const R& record) {
    { record.displayText } -> std::convertible_to<std::string>;
};

// The `Action` face of one action record.
template <class R>
class ActionModel final : public Action {
public:
    explicit ActionModel(R record) : record_(std::move(record)) {}

    const R& record() const noexcept { return record_; }

    ActionTypeIdentifier identifier() const noexcept override { return R::identifier; }
    std::optional<std::string> optionalDisplayText() const override { return vorlane::optionalDisplayText(record_); }
    std::optional<std::string> infoBlock() const override { return vorlane::infoBlock(record_); }
    bool isEqual(const Action& other) const override {
        const auto* same = dynamic_cast<const ActionModel*>(&other);
        return same && same->record_ == record_;
    }

private:
    R record_;
};

// An action of the concrete kind its "type" tag selects, decoded from the same JSON object.
// Shared: copies of lists of coders share the records. Two coders are equal when their tags are
// and the left model `isEqual` to the right one.
class ActionCoder {
public:
    ActionCoder(ActionTypeIdentifier type, std::shared_ptr<const Action> model);
    // The tag is the model's own identifier.
    explicit ActionCoder(std::shared_ptr<const Action> model);
    // Wraps a record; the tag is the record's identifier.
    template <class R>
        requires requires { R::identifier; }
    explicit ActionCoder(R record)
        : ActionCoder(R::identifier, std::make_shared<const ActionModel<R>>(std::move(record))) {}

    ActionTypeIdentifier type() const noexcept { return type_; }
    const std::shared_ptr<const Action>& model() const noexcept { return model_; }

    // The record when the model is one of type R, else null.
    template <class R>
    const R* as() const noexcept {
        const auto* model = dynamic_cast<const ActionModel<R>*>(model_.get());
        return model ? &model->record() : nullptr;
    }

    bool operator==(const ActionCoder& other) const { return type_ == other.type_ && model_->isEqual(*other.model_); }

private:
    ActionTypeIdentifier type_;
    std::shared_ptr<const Action> model_;
};

// The models of a list of coders, in order.
std::vector<std::shared_ptr<const Action>> models(const std::vector<ActionCoder>& coders);

// The members every action answers, declared once for the interface.
inline auto jsonDerived(json::Tag<Action>) {
    using namespace json::derived;
    return members(member("optionalDisplayText", &Action::optionalDisplayText), member("infoBlock", &Action::infoBlock));
}

// Action records (through their model) and the action coder (through the model it holds) answer
// the `Action` interface.
struct ActionFace {
    static constexpr std::string_view name = "Action";
    template <class T>
    static constexpr bool modeledBy =
        std::same_as<T, ActionCoder> || requires {
            { T::identifier } -> std::convertible_to<ActionTypeIdentifier>;
        };
    template <class R>
    static ActionModel<R> view(const R& record) {
        return ActionModel<R>(record);
    }
    static const Action& view(const ActionCoder& coder) { return *coder.model(); }
    static auto members() { return jsonDerived(json::Tag<Action>{}); }
};

}  // namespace vorlane

// Hand-written over the tagged-record table in Actions.cpp: reads "type", then decodes the action
// of that kind from the same object. Encoding writes "type" beside the record's own keys.
VORLANE_JSON_CODEC(vorlane::ActionCoder)

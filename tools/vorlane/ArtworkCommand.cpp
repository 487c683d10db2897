#include "tools/vorlane/ArtworkCommand.hpp"

#include "tools/vorlane/UsageError.hpp"

#include "vorlane/Images/ExploreImage.hpp"
#include "vorlane/Images/ImageMap.hpp"
#include "vorlane/Platform/Json/JsonInput.hpp"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlane::cli {

namespace {

struct ArtworkOptions {
    std::string purpose, entity, context, content, ratio, file;
    std::vector<std::string> fallbacks;
    bool standardFallback = false;
};

template <class E>
E parseCase(const std::string& text, const char* option) {
    if (auto value = json::fromWireString<E>(text)) return *value;
    throw UsageError(std::string(option) + ": \"" + text + "\" names no " + std::string(json::vocabularyName<E>()));
}

AspectRatio parseRatio(const std::string& text, const char* option) {
    if (auto ratio = parseAspectRatio(text)) return *ratio;
    throw UsageError(std::string(option) + ": \"" + text + "\" is not a ratio (a number such as 1.78, or W:H such as 16:9)");
}

// The map itself, or the map under `member` when the document is an object holding one there.
template <class Map>
Map decodeMap(const json::PaddedAnswer& answer, std::string_view member) {
    struct State {
        std::string_view member;
        std::optional<Map> map;
    } state{member, std::nullopt};
    json::DecodeContext context{json::DecoderSettings::iso8601(), nullptr};
    json::detail::withRoot(
        answer, context,
        [](const json::Value& root, void* raw) {
            auto& state = *static_cast<State*>(raw);
            if (root.isObject())
                if (auto held = root.member(state.member); held && held->isObject()) {
                    state.map.emplace(json::Codec<Map>::decode(*held));
                    return;
                }
            state.map.emplace(json::Codec<Map>::decode(root));
        },
        &state);
    return std::move(*state.map);
}

json::PaddedAnswer readInput(const std::string& file) {
    const std::size_t limit = json::DecoderSettings{}.maxAnswerBytes;
    if (file.empty() || file == "-") return json::PaddedAnswer::fromStream(STDIN_FILENO, limit);
    return json::PaddedAnswer::fromFile(file, limit);
}

// "tile/background/1.78" -> (context, content, ratio).
ExploreArtworkComponents parseFallback(const std::string& text) {
    auto first = text.find('/');
    auto second = first == std::string::npos ? first : text.find('/', first + 1);
    if (second == std::string::npos || text.find('/', second + 1) != std::string::npos)
        throw UsageError("--fallback: \"" + text + "\" is not CONTEXT/CONTENT/RATIO");
    return {parseCase<ExploreImage::Context>(text.substr(0, first), "--fallback"),
            parseCase<ExploreImage::Content>(text.substr(first + 1, second - first - 1), "--fallback"),
            parseRatio(text.substr(second + 1), "--fallback")};
}

int run(const ArtworkOptions& options) {
    try {
        const bool legacy = !options.purpose.empty();
        const bool explore = !options.context.empty() || !options.content.empty();
        if (legacy == explore)
            throw UsageError("give either --purpose (legacy image map) or --context and --content (Explore image map)");
        if (explore && (options.context.empty() || options.content.empty()))
            throw UsageError("an Explore look-up needs both --context and --content");
        if (legacy && (!options.fallbacks.empty() || options.standardFallback))
            throw UsageError("--fallback and --standard-fallback apply to Explore image maps only");
        if (explore && !options.entity.empty()) throw UsageError("--entity applies to legacy image maps only");
        const AspectRatio ratio = parseRatio(options.ratio, "--ratio");

        if (legacy) {
            auto purpose = parseCase<Image::Purpose>(options.purpose, "--purpose");
            std::optional<MediaEntity> entity;
            if (!options.entity.empty()) entity = parseCase<MediaEntity>(options.entity, "--entity");
            auto map = decodeMap<ImageMap>(readInput(options.file), "image");
            auto chosen = imageFor(map, purpose, ratio, entity);
            std::cout << (chosen ? json::encode(*chosen) : std::string("null")) << '\n';
            return 0;
        }
        auto context = parseCase<ExploreImage::Context>(options.context, "--context");
        auto content = parseCase<ExploreImage::Content>(options.content, "--content");
        std::vector<ExploreArtworkComponents> fallbacks;
        for (const auto& text : options.fallbacks) fallbacks.push_back(parseFallback(text));
        auto map = decodeMap<ExploreImageMap>(readInput(options.file), "artwork");
        auto chosen = imageFor(map, context, content, ratio, fallbacks, options.standardFallback);
        std::cout << (chosen ? json::encode(*chosen) : std::string("null")) << '\n';
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace

std::function<int()> addArtworkCommand(CLI::App& app) {
    auto options = std::make_shared<ArtworkOptions>();
    auto* command = app.add_subcommand(
        "artwork",
        "Choose the image a screen shows.\n"
        "  Legacy image map (or an object whose \"image\" member holds one):\n"
        "    vorlane artwork --purpose P --ratio R [--entity E] [FILE]\n"
        "    prints {\"image\":{...},\"purpose\":P,\"aspectRatio\":R}\n"
        "  Explore image map (or an object whose \"artwork\" member holds one):\n"
        "    vorlane artwork --context C --content K --ratio R [--fallback C/K/R]... [--standard-fallback] [FILE]\n"
        "    prints {\"image\":{\"imageId\":...},\"context\":C,\"content\":K,\"aspectRatio\":R}\n"
        "  R is a number or W:H (1.78, 16:9); no image prints null (exit 0); bad input exits 1 with an error: line.");
    command->add_option("--purpose", options->purpose, "Image purpose wire string (tile, hero_collection, ...)");
    command->add_option("--entity", options->entity, "Source entity wire string (series, program, ...)");
    command->add_option("--context", options->context, "Explore image context (standard, tile, up_next, ...)");
    command->add_option("--content", options->content, "Explore image content (tile, background, title_treatment, ...)");
    command->add_option("--ratio", options->ratio, "Aspect ratio: a number or W:H")->required();
    command->add_option("--fallback", options->fallbacks, "Explore fallback CONTEXT/CONTENT/RATIO, tried exactly, in order (repeatable)")
        ->allow_extra_args(false);
    command->add_flag("--standard-fallback", options->standardFallback,
                      "Explore: try the standard context when the requested one has no image (no --fallback given)");
    command->add_option("FILE", options->file, "JSON file; standard input when absent or -");
    return [command, options] { return command->parsed() ? run(*options) : -1; };
}

}  // namespace vorlane::cli

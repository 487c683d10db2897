// Decodes an Explore page answer and asks the content service for a video over a scripted session:
// the library's models, its JSON core and its service frame, linked from the installed package.

#include <vorlane/ContentService/SDKContentService.hpp>
#include <vorlane/Transport/ScriptedSession.hpp>

#include <cstdio>

int main() {
    const auto page = vorlane::json::decode<vorlane::ExplorePageResponse>(
        R"({"data":{"page":{"id":"home","type":"page","deeplinkId":"home","style":{"name":"standard"},
            "visuals":{"title":"Home"},"containers":[],"actions":[]}}})");
    std::printf("page %s: %zu containers\n", page.explorePage->id.c_str(), page.explorePage->containerCoders.size());

    vorlane::ContentQueryConfiguration configuration;
    configuration.queryDescriptors.insertOrAssign(vorlane::ContentQueryIdentifier::video,
                                                  vorlane::ContentQueryDescriptor{"content/video", "5.1"});
    auto session = std::make_shared<vorlane::ScriptedSession>();
    session->enqueueAnswer(R"({"video":{"contentId":"c1","contentType":"full","programType":"movie","mediaMetadata":{}}})");
    const vorlane::SDKContentService service(
        vorlane::SDKContentService::Inputs::fixed(session, configuration, vorlane::QueryContext{}));
    const vorlane::Video video = service.getVideo("c1").blockingGet();
    std::printf("video %s, %zu call\n", video.contentId.c_str(), session->calls().size());
    return video.contentId == "c1" && page.explorePage->id == "home" ? 0 : 1;
}

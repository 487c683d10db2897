#!/usr/bin/env python3
"""Writes catalog/explore/home-page.json: the built-in catalog's Explore home page.

Two dozen shelves of several kinds and styles (a hero, continue watching with episode progress,
genre rows of movies and series, an empty row with its "see all" action, a shop panel), items
with full visuals and artwork maps keyed by context and ratio, and the elements a lenient reader
must drop and report: an item without its kind, a set without its info block, a container of a
kind this client does not know and a page action of an unknown kind. Deterministic: run it again
after changing it and commit both.
"""
import base64
import json
import pathlib
import random

rng = random.Random(2026)

WORDS = ("harbor coast north light tide lantern river stone winter ember signal orchard glass "
         "hollow meridian falcon quarry summit drift cedar atlas copper mirror thunder").split()


def info(**fields):
    return base64.b64encode(json.dumps(fields, separators=(",", ":")).encode()).decode()


def title():
    return " ".join(w.capitalize() for w in rng.sample(WORDS, rng.choice((2, 2, 3))))


def artwork(key, contexts):
    """Context -> content -> ratio -> image."""
    return {context: {content: {ratio: {"imageId": f"{key}-{context}-{content}-{ratio.replace('.', '')}"}
                                for ratio in ratios}
                      for content, ratios in contents.items()}
            for context, contents in contexts.items()}


RATINGS = (("TV-14", "r-tv14"), ("TV-MA", "r-tvma"), ("PG-13", "r-pg13"), ("TV-PG", "r-tvpg"))
GENRES = ("Drama", "Mystery", "Comedy", "Documentary", "Thriller", "Family", "Sci-Fi", "Romance")


def browse(key, name):
    return {"type": "browse", "pageId": f"entity-{key}",
            "pageStyle": {"name": "details_standard", "fallback": "standard_emphasis_with_header"},
            "params": {}, "deeplinkId": f"entity-{key}", "infoBlock": info(item=key),
            "visuals": {"displayText": "Details", "title": name}}


def playback(key, name, episode=None):
    action = {"type": "playback", "resourceId": info(availId=f"avail-{key}"), "contentType": "vod",
              "availId": f"avail-{key}", "internalTitle": f"{name} - {key}", "deeplinkId": f"entity-{key}",
              "options": [{"type": "resume", "displayText": "Resume", "infoBlock": info(option="resume")},
                          {"type": "from_beginning", "displayText": "Start Over",
                           "infoBlock": info(option="from_beginning")}],
              "visuals": {"displayText": "Resume", "title": name}}
    if episode:
        action["visuals"]["subtitle"] = episode
    return action


def item(key, kind, style):
    name = title()
    rating, rating_image = rng.choice(RATINGS)
    start = rng.randint(1995, 2026)
    visuals = {
        "title": name,
        "description": {"brief": f"{name}, in brief.",
                        "medium": f"{name}: a story of {rng.choice(WORDS)} and {rng.choice(WORDS)}, told over "
                                  f"{'a season' if kind == 'series' else 'one long night'}."},
        "artwork": artwork(key, {"standard": {"tile": ("1.78", "0.71", "1.33"), "background": ("1.78",),
                                              "title_treatment": ("3.32",)}}) if style != "hero_inline" else
        artwork(key, {"hero": {"background": ("3.91", "1.78"), "title_treatment": ("3.32",)},
                      "standard": {"tile": ("1.78",)}}),
        "ratingInfo": {"rating": {"text": rating, "imageId": rating_image}, "advisories": []},
        "metastringParts": {"genres": {"values": rng.sample(GENRES, 2)},
                            "ratingInfo": {"rating": {"text": rating, "imageId": rating_image}, "advisories": []},
                            "releaseYearRange": {"startYear": str(start)}},
        "networkAttribution": {"ttsText": "Harbor Network", "slug": "harbor"},
    }
    actions = [browse(key, name)]
    if kind == "series":
        seasons = rng.randint(1, 6)
        visuals["metastringParts"]["seasonsAvailable"] = f"{seasons} Season{'s' if seasons > 1 else ''}"
        visuals["metastringParts"]["releaseYearRange"]["endYear"] = str(min(2026, start + seasons))
        actions.append({"type": "legacyBrowse", "contentType": "series", "refIdType": "encodedSeriesId",
                        "refId": f"ser-{key}", "infoBlock": info(legacy=True)})
    elif kind == "episode":
        season, episode = rng.randint(1, 4), rng.randint(1, 10)
        visuals.update({"fullEpisodeTitle": f"S{season}:E{episode} {title()}",
                        "fullEpisodeTitleTts": f"Season {season}, Episode {episode}",
                        "seasonNumber": str(season), "episodeNumber": str(episode),
                        "durationMs": rng.randint(22, 60) * 60000})
        actions.insert(0, playback(key, name, visuals["fullEpisodeTitle"]))
    else:
        visuals["durationMs"] = rng.randint(85, 160) * 60000
        actions.insert(0, playback(key, name))
    if rng.random() < 0.2:
        visuals["badging"] = {"upsell": {"displayText": "Premium"}}
    entry = {"type": "set", "id": f"item-{key}", "actions": actions, "visuals": visuals,
             "personalization": {"pid": f"pid-{key}"}, "infoBlock": info(index=key)}
    if kind == "episode":
        watched = rng.randint(5, 95)
        entry["personalization"]["userState"] = {
            "playheadSeconds": visuals["durationMs"] // 1000 * watched // 100,
            "progress": {"progressPercentage": watched,
                         "secondsRemaining": visuals["durationMs"] // 1000 * (100 - watched) // 100},
            "lastWatchedTimestamp": f"2026-12-0{rng.randint(1, 5)}T2{rng.randint(0, 3)}:14:09Z"}
    return entry


def shelf(key, name, style, layout, kinds, count, total=None):
    items = [item(f"{key}-{i + 1}", rng.choice(kinds), style) for i in range(count)]
    total = total if total is not None else count
    container = {"type": "set", "id": f"set-{key}", "style": {"name": style, "fallback": "standard_art",
                                                             "layout": layout},
                 "visuals": {"name": name}, "items": items, "infoBlock": info(set=key),
                 "pagination": {"hasMore": total > count, "hasPrev": False, "currentOffset": 0,
                                "totalCount": total}}
    if total > count:
        container["actions"] = [{"type": "browse", "pageId": f"page-{key}",
                                 "pageStyle": {"name": "standard_emphasis_with_header"},
                                 "params": {"set": key}, "deeplinkId": key, "infoBlock": info(seeAll=key),
                                 "visuals": {"displayText": "See All"}}]
    return container


def page():
    containers = [shelf("hero", "Featured", "hero_inline", "hero", ("series", "movie"), 5),
                  shelf("continue", "Continue Watching", "continue_watching", "row", ("episode",), 8)]
    containers[1]["items"].insert(2, {"id": "item-broken"})  # no "type": the lenient list drops it
    rows = [("new", "New Arrivals"), ("trending", "Trending Now"), ("originals", "Harbor Originals"),
            ("drama", "Drama"), ("mystery", "Mystery & Suspense"), ("comedy", "Comedy"),
            ("docs", "Documentaries"), ("family", "Family Night"), ("scifi", "Science Fiction"),
            ("romance", "Romance"), ("thriller", "Thrillers"), ("award", "Award Winners"),
            ("classics", "Classics"), ("limited", "Limited Series"), ("weekend", "Weekend Binge"),
            ("hidden", "Hidden Gems"), ("coast", "Stories from the Coast"), ("late", "Late Night")]
    for index, (key, name) in enumerate(rows):
        style = ("standard_art", "poster_art", "brand_art")[index % 3]
        containers.append(shelf(key, name, style, "row", ("series", "movie"), rng.randint(8, 12),
                                total=rng.choice((12, 30, 48))))
        if key == "docs":
            containers.append({"type": "shop", "style": {"name": "shop_panel"},
                               "visuals": {"name": "Shop", "title": "The Harbor Shop",
                                           "subtitle": "Mugs, maps and lanterns from the series",
                                           "link": "https://shop.example/harbor", "linkCopy": "Visit the shop",
                                           "linkCopyUrl": "shop.example/harbor",
                                           "legalCopy": "Prices and availability may change.",
                                           "goToShopOstrelTts": "Go to the Harbor shop",
                                           "shopOstrelTts": "Harbor shop",
                                           "image": {"qrCode": "shop-qr", "background": "shop-bg-178",
                                                     "backgroundMobile": "shop-bg-071",
                                                     "goToShopOstrel": "shop-cta",
                                                     "shopOstrelLogo": "shop-logo"}},
                               "infoBlock": info(container="shop")})
    containers.append({"type": "set", "id": "set-coming", "style": {"name": "standard_art", "fallback": "",
                                                                   "layout": "grid"},
                       "visuals": {"name": "Coming Soon"}, "items": [], "infoBlock": info(set="coming"),
                       "pagination": {"hasMore": True, "hasPrev": False, "currentOffset": 0},
                       "actions": [{"type": "browse", "pageId": "page-coming",
                                    "pageStyle": {"name": "standard_emphasis_with_header"},
                                    "params": {"sort": "date"}, "deeplinkId": "coming",
                                    "infoBlock": info(seeAll=True), "visuals": {"displayText": "See All"}}]})
    containers.append({"type": "set", "id": "set-without-info-block", "visuals": {"name": "Dropped"},
                       "items": []})
    containers.append({"type": "spotlight", "id": "unknown-kind"})
    return {"data": {"page": {
        "id": "page-home", "type": "page", "deeplinkId": "home",
        "style": {"name": "high_emphasis", "fallback": "standard_emphasis_with_header"},
        "visuals": {"title": "Home", "description": {"brief": "What to watch tonight"}},
        "containers": containers,
        "actions": [{"type": "share", "deeplinkId": "home", "infoBlock": info(action="share"),
                     "visuals": {"displayText": "Share", "title": "Home"}},
                    {"type": "watchParty", "partyId": "p-1"}],
        "personalization": {"pid": "pid-home"},
        "infoBlock": info(page="home")}}}


if __name__ == "__main__":
    target = pathlib.Path(__file__).resolve().parents[2] / "catalog" / "explore" / "home-page.json"
    target.write_text(json.dumps(page(), separators=(",", ":")) + "\n")

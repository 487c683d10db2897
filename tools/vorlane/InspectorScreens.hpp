#pragma once
// The inspector's screens: the layout a screen would draw for a page, collection or set answer of
// either API generation: its containers in order as shelves named by their style, each item as a
// tile at the aspect ratio its shelf's style asks for, with the artwork the model's own selection
// picks (image id or URL, purpose or context, ratio, and which fallback matched), its title,
// badges and promotional labels, and its decoded record shown on hover.

#include <string>
#include <string_view>

namespace vorlane::inspector {

// Whether answers of the registered type `type` are drawn as screens.
bool screenable(std::string_view type);

// The shelves of the answer `raw` of type `type`, as HTML; throws json::DecodingError when it does
// not decode. The elements, which the browser tests select by these names:
//
//   <section id="screen" data-type=TYPE>       (a <p class="empty"> when there is no shelf)
//     <div class="shelf" data-kind=K data-style=S [data-container=ID] [data-season=ID] [data-layout=L]
//          [data-reference="true"]>
//       <h2>TITLE <small>STYLE (sent as NAME) · LAYOUT</small></h2>
//       <div class="tiles">
//         <div class="tile" data-ratio=R data-item=ID [data-focused="true"] style="aspect-ratio: W / H">
//           <div class="art" data-image=ID-OR-URL data-context=C data-content=K | data-purpose=P [data-entity=E]
//                data-ratio=R data-fallback=F>          (data-image "" and data-fallback "none": no image)
//           <div class="title">  <div class="badges"><span class="badge|promo" data-kind=KIND>
//           <pre class="record">  the item's decoded record, compact JSON
//
// K: set, season, details, episodes, shop (Explore); container, set, episodes, details, extras,
// related, shop (legacy). S: the style the model resolved. data-container: the container's own id
// (absent for the kinds that have none); data-season: the season an episodes shelf shows; a set
// to load later has data-reference and no tiles. L: the legacy container type
// (HeroContainer, GridContainer, ShelfContainer). F: exact, ratio fallback, standard context,
// "fallback C/K/R", "root purpose P", "fallback purpose P" (the last two followed by
// " (ratio fallback)" when another ratio key supplied the image), or none.
std::string renderScreen(std::string_view type, std::string_view raw);

}  // namespace vorlane::inspector

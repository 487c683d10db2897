#pragma once
// A codec for vocabularies whose decoding never fails: a known wire string gives its case, and
// anything else (an unknown string, a number, null, an object) gives the vocabulary's fallback case.
// A value that is not a string at all is reported to the diagnostics collector, since it is a
// tolerated failure; an unknown string is an expected evolution of the vocabulary and is not.
//
// Use it as the codec of an enumeration whose Vocabulary names a `fallback`, right after that
// Vocabulary and before anything decodes the enumeration:
//
//   template <> struct vorlane::json::Codec<vorlane::MediaEntity>
//       : vorlane::json::FallbackVocabularyCodec<vorlane::MediaEntity> {};

#include "vorlane/Platform/Json/Codec.hpp"

#include <string>

namespace vorlane::json {

template <HasFallback E>
struct FallbackVocabularyCodec {
    static E decode(const Value& v) {
        if (!v.isString()) {
            v.report("expected " + std::string(Vocabulary<E>::name) + " as a string but found " +
                     std::string(describe(v.kind())) + "; read as \"" +
                     std::string(wireString(Vocabulary<E>::fallback)) + "\"");
            return Vocabulary<E>::fallback;
        }
        return fromWireString<E>(v.string()).value_or(Vocabulary<E>::fallback);
    }
    static void encode(Writer& w, E value) { w.string(wireString(value)); }
};

}  // namespace vorlane::json

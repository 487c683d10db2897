#include "vorlane/Models/Content/LocalizedStrings.hpp"

#include "vorlane/Platform/Json/Record.hpp"

VORLANE_JSON_RECORD(vorlane::IntermediateLocalizedStrings, required("namespaces", &Self::namespaces))

VORLANE_JSON_RECORD(vorlane::EntriesDictionary,
                    required("entries_json", &Self::entries),
                    optional("version", &Self::version),
                    optional("resourceKey", &Self::resourceKey))

#pragma once
// The compiled-in catalogs, written by kzv-catalog from po/*.po at build time.
#include <cstddef>

struct CatalogEntry {
  const char* japanese;
  const char* text;
};

struct CatalogLanguage {
  const char* code;
  const CatalogEntry* entries;  // sorted by the Japanese text's bytes
  std::size_t count;
};

extern const CatalogLanguage kCatalogLanguages[];
extern const std::size_t kCatalogLanguageCount;

#pragma once
#include <cstddef>
#include <span>

// A picture kept with the window definitions (compiled into the executable), as the bytes of
// a BMP or GIF file. Names: "icon", "form2", "si", "pa0", "pa1", "pa2", "gungb", "gung",
// "allm", "peple", "chi", "sol", "line1", "line2".
struct StoredPicture {
  const char* name;
  const unsigned char* bytes;
  std::size_t size;
};

std::span<const StoredPicture> StoredPictures();

// kzv-gen-pictures DATA_DIR GENERATED_DIR
// Draws every picture of data/, lays out the city map, and writes the stored pictures both as
// a C++ source compiled into the game and as files for the contact sheet and the menu icon.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "art.h"
#include "city_map.h"
#include "encode.h"
#include "language/catalog.h"
#include "language/language.h"
#include "platform/files.h"
#include "text.h"

namespace {

void Write(const std::string& path, const Bytes& bytes) {
  if (platform::WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()))) return;
  std::fprintf(stderr, "kzv-gen-pictures: cannot write %s\n", path.c_str());
  std::exit(1);
}

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct Stored {
  std::string name;
  std::string extension;
  Bytes bytes;
};

std::string StoredPicturesSource(const std::vector<Stored>& pictures) {
  std::string out = "// Made by kzv-gen-pictures; do not edit.\n#include \"shell/stored_pictures.h\"\n\nnamespace {\n";
  for (const Stored& p : pictures) {
    out += "const unsigned char k_" + p.name + "[] = {";
    for (size_t i = 0; i < p.bytes.size(); ++i) {
      if (i % 24 == 0) out += "\n";
      out += std::to_string(p.bytes[i]) + ",";
    }
    out += "\n};\n";
  }
  out += "const StoredPicture kPictures[] = {\n";
  for (const Stored& p : pictures)
    out += "    {\"" + p.name + "\", k_" + p.name + ", sizeof k_" + p.name + "},\n";
  out += "};\n}  // namespace\n\nstd::span<const StoredPicture> StoredPictures() { return kPictures; }\n";
  return out;
}

bool SavePng(const Image& im, const std::string& path) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, im.w, im.h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  for (int y = 0; y < im.h; ++y)
    for (int x = 0; x < im.w; ++x)
      static_cast<uint32_t*>(s->pixels)[size_t(y) * (s->pitch / 4) + x] = 0xFF000000u | im.Get(x, y);
  bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

// The pictures of data/ that carry words, in the current language, into the folder.
void WriteWordedPictures(const std::string& folder) {
  Write(folder + "/title.mcg", EncodeJpeg(MakeTitle(), 92));
  Write(folder + "/end.mcg", EncodeJpeg(MakeResult(), 92));
  Write(folder + "/jyo.mcg", EncodeBmp24(MakeStatusPanel()));
  for (int n = 1; n <= 5; ++n) Write(folder + "/page" + std::to_string(n) + ".mcg", EncodeGif(MakePage(n)));
}

void AddWordedStoredPictures(std::vector<Stored>& stored, const std::string& suffix) {
  stored.push_back({"form2" + suffix, "gif", EncodeGif(MakeLauncher())});
  for (int item = 0; item < 3; ++item)
    stored.push_back({"pa" + std::to_string(item) + suffix, "gif", EncodeGif(MakeMenuHighlight(item))});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kzv-gen-pictures DATA_DIR GENERATED_DIR\n");
    return 2;
  }
  const std::string data = argv[1], generated = argv[2];
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(generated + "/stored");

  const CityMap city = BuildCityMap();
  Write(data + "/map.dat", TextBytes(MapFileText(city)));

  // The loader recognises pictures by content: the three formats all appear.
  WriteWordedPictures(data);
  Write(data + "/map.mcg", EncodeBmp24(MakeTileSheet()));
  Write(data + "/interface.mcg", EncodeBmp24(MakeInterface()));
  Write(data + "/sco.mcg", EncodeBmp24(MakeScope()));
  Write(data + "/geari.mcg", EncodeGif(MakeGauge(true)));
  Write(data + "/genai.mcg", EncodeGif(MakeGauge(false)));
  Write(data + "/noise.mcg", EncodeGif(MakeNoise()));
  Write(data + "/eye.mcg", EncodeBmpPalette(MakeEye(), 8));

  std::vector<Stored> stored = {
      {"icon", "bmp", EncodeBmp24(MakeIcon())},
      {"si", "gif", EncodeGif(MakeSoundOff())},
      {"gungb", "gif", EncodeGif(MakeMarkerBack())},
      {"gung", "gif", EncodeGif(MakeTargetMarker())},
      {"allm", "bmp", EncodeBmpPalette(MakeOverview(city), 8)},
      {"peple", "gif", EncodeGif(MakePeople())},
      {"chi", "gif", EncodeGif(MakeBlood())},
      {"sol", "bmp", EncodeBmpPalette(MakeCursor(), 4)},
      {"line1", "bmp", EncodeBmp24(MakeCrossHair(true))},
      {"line2", "bmp", EncodeBmp24(MakeCrossHair(false))},
  };
  AddWordedStoredPictures(stored, "");
  // Every other language draws its own set of the pictures with words: data/<code>/ and the
  // stored pictures <name>_<code>.
  for (std::size_t i = 0; i < kCatalogLanguageCount; ++i) {
    const std::string code = kCatalogLanguages[i].code;
    SetLanguage(code);
    std::filesystem::create_directories(data + "/" + code);
    WriteWordedPictures(data + "/" + code);
    AddWordedStoredPictures(stored, "_" + code);
  }
  SetLanguage("ja");
  for (const Stored& p : stored) Write(generated + "/stored/" + p.name + "." + p.extension, p.bytes);
  Write(generated + "/stored_pictures.cpp", TextBytes(StoredPicturesSource(stored)));
  // The menu icon in each size a desktop asks for, the 16-pixel drawing magnified whole.
  for (int size : {16, 32, 48, 64, 128, 256}) {
    if (!SavePng(Magnify(MakeIcon(), size / 16), generated + "/kzv-icon-" + std::to_string(size) + ".png")) {
      std::fprintf(stderr, "kzv-gen-pictures: cannot write the menu icon\n");
      return 1;
    }
  }
  ShutDownText();
  return 0;
}

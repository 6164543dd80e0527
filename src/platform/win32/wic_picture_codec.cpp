// The picture codec on the Windows Imaging Component: BMP, GIF and JPEG in, PNG and JPEG out.
#include <windows.h>
#include <wincodec.h>

#include <vector>

#include "platform/raster/picture.h"
#include "platform/picture_codec.h"

namespace platform {
namespace {

// A COM pointer released when it goes.
template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
  explicit operator bool() const { return p != nullptr; }
};

IWICImagingFactory* Factory() {
  static IWICImagingFactory* factory = [] {
    // The program's one thread; a second initialisation (someone was first) is harmless.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* f = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&f));
    return f;
  }();
  return factory;
}

const GUID& ContainerOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return GUID_ContainerFormatBmp;
    case PictureKind::Gif:
      return GUID_ContainerFormatGif;
    case PictureKind::Jpeg:
      break;
  }
  return GUID_ContainerFormatJpeg;
}

std::optional<std::string> Encode(const Surface& s, const GUID& container, int jpegQuality) {
  IWICImagingFactory* f = Factory();
  if (!f || s.Empty()) return std::nullopt;
  Com<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return std::nullopt;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  if (FAILED(f->CreateEncoder(container, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &options)))
    return std::nullopt;
  if (jpegQuality > 0) {
    PROPBAG2 name{};
    name.pstrName = const_cast<wchar_t*>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = float(jpegQuality) / 100.0f;
    options->Write(1, &name, &value);
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  std::vector<BYTE> rows(size_t(s.width) * s.height * 4);
  for (size_t i = 0; i < s.pixels.size(); ++i) {
    rows[i * 4 + 0] = BYTE(s.pixels[i]);
    rows[i * 4 + 1] = BYTE(s.pixels[i] >> 8);
    rows[i * 4 + 2] = BYTE(s.pixels[i] >> 16);
    rows[i * 4 + 3] = 255;
  }
  // The encoder may want another layout of the pixels; a converter gives it that one.
  Com<IWICBitmap> bitmap;
  if (FAILED(frame->Initialize(options.p)) || FAILED(frame->SetSize(UINT(s.width), UINT(s.height))) ||
      FAILED(frame->SetPixelFormat(&format)) ||
      FAILED(f->CreateBitmapFromMemory(UINT(s.width), UINT(s.height), GUID_WICPixelFormat32bppBGR,
                                       UINT(s.width) * 4, UINT(rows.size()), rows.data(), &bitmap)) ||
      FAILED(frame->WriteSource(bitmap.p, nullptr)) || FAILED(frame->Commit()) ||
      FAILED(encoder->Commit()))
    return std::nullopt;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.p, &memory))) return std::nullopt;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return std::nullopt;
  const void* bytes = GlobalLock(memory);
  if (!bytes) return std::nullopt;
  std::string out(static_cast<const char*>(bytes), size_t(stat.cbSize.QuadPart));
  GlobalUnlock(memory);
  return out;
}

}  // namespace

std::optional<Surface> DecodePicture(PictureKind kind, const unsigned char* bytes, std::size_t size) {
  IWICImagingFactory* f = Factory();
  if (!f) return std::nullopt;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  // The kind the loader recognised by content decides, whatever the file's name says.
  const GUID& container = ContainerOf(kind);
  if (FAILED(f->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), DWORD(size))) ||
      FAILED(f->CreateDecoder(container, nullptr, &decoder)) ||
      FAILED(decoder->Initialize(stream.p, WICDecodeMetadataCacheOnDemand)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(f->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)))
    return std::nullopt;
  UINT w = 0, h = 0;
  if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > UINT(kMaxPictureSide) ||
      h > UINT(kMaxPictureSide))
    return std::nullopt;
  Surface out{int(w), int(h)};
  if (FAILED(converter->CopyPixels(nullptr, w * 4, UINT(out.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(out.pixels.data()))))
    return std::nullopt;
  // A transparent colour is kept as the colour it stands for: only the alpha goes.
  for (uint32_t& p : out.pixels) p &= 0x00FFFFFF;
  out.Touch();
  return out;
}

std::optional<std::string> EncodePng(const Surface& surface) {
  return Encode(surface, GUID_ContainerFormatPng, 0);
}

std::optional<std::string> EncodeJpeg(const Surface& surface, int quality) {
  return Encode(surface, GUID_ContainerFormatJpeg, quality);
}

}  // namespace platform

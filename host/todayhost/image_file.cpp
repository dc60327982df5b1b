// Image files through WIC. COM is started and stopped around each call, so
// callers need not know about it.
#include "host/todayhost/image_file.h"

#include <wincodec.h>

#include <vector>

namespace {

struct ComScope {
  HRESULT hr;
  ComScope() : hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr)) CoUninitialize();
  }
};

template <typename T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

IWICImagingFactory* CreateFactory() {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))))
    return nullptr;
  return factory;
}

// 32-bit pixels, rows from the top: the layout both directions convert through.
BITMAPINFO TopDownBgra(UINT w, UINT h) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = static_cast<LONG>(w);
  bi.bmiHeader.biHeight = -static_cast<LONG>(h);
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace

HBITMAP LoadImageBitmap(const wchar_t* path, int* width, int* height) {
  if (!path || !*path) return nullptr;
  ComScope com;
  Ref<IWICImagingFactory> factory;
  factory.p = CreateFactory();
  if (!factory.p) return nullptr;
  Ref<IWICBitmapDecoder> decoder;
  Ref<IWICBitmapFrameDecode> frame;
  Ref<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 ||
      w > 16384 || h > 16384 || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)))
    return nullptr;
  BITMAPINFO bi = TopDownBgra(w, h);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return bitmap;
}

bool WriteBitmapPng(HBITMAP bitmap, const wchar_t* path) {
  BITMAP info = {};
  if (!bitmap || !path || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 ||
      info.bmHeight <= 0)
    return false;
  const UINT w = static_cast<UINT>(info.bmWidth), h = static_cast<UINT>(info.bmHeight);
  std::vector<BYTE> pixels(static_cast<size_t>(w) * h * 4);
  BITMAPINFO bi = TopDownBgra(w, h);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != static_cast<int>(h)) return false;
  // Screen pixels carry no alpha: write them opaque.
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xFF;

  ComScope com;
  Ref<IWICImagingFactory> factory;
  factory.p = CreateFactory();
  if (!factory.p) return false;
  Ref<IWICStream> stream;
  Ref<IWICBitmapEncoder> encoder;
  Ref<IWICBitmapFrameEncode> frame;
  Ref<IPropertyBag2> props;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromFilename(path, GENERIC_WRITE)) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &props)) || FAILED(frame->Initialize(props.p)) ||
      FAILED(frame->SetSize(w, h)) || FAILED(frame->SetPixelFormat(&format)))
    return false;
  if (format != GUID_WICPixelFormat32bppBGRA) {
    // The encoder wants its own layout (24-bit BGR): repack the rows.
    if (format != GUID_WICPixelFormat24bppBGR) return false;
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<BYTE> packed(stride * h);
    for (UINT y = 0; y < h; ++y)
      for (UINT x = 0; x < w; ++x)
        for (int k = 0; k < 3; ++k)
          packed[y * stride + x * 3 + k] = pixels[(static_cast<size_t>(y) * w + x) * 4 + k];
    if (FAILED(frame->WritePixels(h, static_cast<UINT>(stride), static_cast<UINT>(packed.size()),
                                  packed.data())))
      return false;
  } else if (FAILED(
                 frame->WritePixels(h, w * 4, static_cast<UINT>(pixels.size()), pixels.data()))) {
    return false;
  }
  return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

bool CaptureHostPng(HWND host, const wchar_t* path) {
  RedrawWindow(host, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rc;
  GetClientRect(host, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return false;
  // A cache DC without DCX_CLIPCHILDREN sees the items' pixels too.
  HDC windowDc = GetDCEx(host, nullptr, DCX_CACHE);
  if (!windowDc) return false;
  HDC memory = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, w, h);
  bool ok = false;
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, w, h, windowDc, 0, 0, SRCCOPY) != 0;
    SelectObject(memory, old);
  }
  ReleaseDC(host, windowDc);
  if (ok) ok = WriteBitmapPng(bitmap, path);
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  return ok;
}

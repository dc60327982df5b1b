// SHLoadImageFile and TransparentImage on desktop Win32 (WIC and msimg32).
#include "platform/image.h"

#include <wincodec.h>

namespace {

// COM stays initialised only for the duration of one decode, unless the
// calling thread had it already (then that thread's choice stands).
struct ComScope {
  bool owned = false;
  ComScope() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    owned = hr == S_OK || hr == S_FALSE;
  }
  ~ComScope() {
    if (owned) CoUninitialize();
  }
};

template <class T>
void ReleaseCom(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// Largest side accepted from a file; a state image is a few dozen pixels,
// and this keeps width * height * 4 far from overflowing.
constexpr UINT MaxImageSide = 8192;

HBITMAP DecodeWithWic(LPCWSTR fileName) {
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  HBITMAP bitmap = nullptr;

  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
  if (SUCCEEDED(hr))
    hr = factory->CreateDecoderFromFilename(fileName, nullptr, GENERIC_READ,
                                            WICDecodeMetadataCacheOnDemand, &decoder);
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
  if (SUCCEEDED(hr))
    hr = converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                               0.0, WICBitmapPaletteTypeCustom);
  UINT width = 0, height = 0;
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (SUCCEEDED(hr) && width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, like the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
      const UINT stride = width * 4;
      if (FAILED(
              converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        bitmap = nullptr;
      } else {
        // The converter fills the unused fourth byte with 0xFF; GDI's keyed
        // copy compares whole pixels, so it must be 0 like any GDI colour.
        DWORD* pixel = static_cast<DWORD*>(bits);
        for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i)
          pixel[i] &= 0x00FFFFFFu;
      }
    } else if (bitmap) {
      DeleteObject(bitmap);
      bitmap = nullptr;
    }
  }
  ReleaseCom(converter);
  ReleaseCom(frame);
  ReleaseCom(decoder);
  ReleaseCom(factory);
  return bitmap;
}

}  // namespace

HBITMAP SHLoadImageFile(LPCWSTR fileName) {
  if (!fileName || !fileName[0]) return nullptr;
  ComScope com;
  return DecodeWithWic(fileName);
}

BOOL TransparentImage(HDC dest, LONG destX, LONG destY, LONG destWidth, LONG destHeight,
                      HANDLE source, LONG srcX, LONG srcY, LONG srcWidth, LONG srcHeight,
                      COLORREF transparentColor) {
  if (!dest || !source) return FALSE;
  if (GetObjectType(source) == OBJ_BITMAP) {
    // A bitmap source gets a memory dc of its own for the copy.
    HDC memory = CreateCompatibleDC(dest);
    if (!memory) return FALSE;
    HGDIOBJ previous = SelectObject(memory, source);
    BOOL done = previous && TransparentBlt(dest, destX, destY, destWidth, destHeight, memory, srcX,
                                           srcY, srcWidth, srcHeight, transparentColor);
    if (previous) SelectObject(memory, previous);
    DeleteDC(memory);
    return done;
  }
  return TransparentBlt(dest, destX, destY, destWidth, destHeight, static_cast<HDC>(source), srcX,
                        srcY, srcWidth, srcHeight, transparentColor);
}

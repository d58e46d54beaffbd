#include "win32/picture_file.h"

#include <windows.h>
// The imaging component's declarations build on windows.h.
#include <wincodec.h>

#include <string>
#include <vector>

namespace win32 {

namespace {

template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

  private:
    T* p_ = nullptr;
};

}  // namespace

std::optional<forms::Image> LoadPictureWithWic(std::wstring_view path) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<forms::Image> result;
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        ComPtr<IWICFormatConverter> converter;
        const std::wstring file(path);
        UINT width = 0, height = 0;
        if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(factory.Out()))) &&
            SUCCEEDED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand,
                                                         decoder.Out())) &&
            SUCCEEDED(decoder->GetFrame(0, frame.Out())) &&
            SUCCEEDED(factory->CreateFormatConverter(converter.Out())) &&
            SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                            WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom)) &&
            SUCCEEDED(converter->GetSize(&width, &height)) && width > 0 && height > 0 &&
            (unsigned long long)width * height <= kMaxPicturePixels) {
            std::vector<uint32_t> bits(size_t(width) * height);
            if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4,
                                                UINT(bits.size() * sizeof(uint32_t)),
                                                reinterpret_cast<BYTE*>(bits.data())))) {
                forms::Image image{int(width), int(height)};
                for (size_t i = 0; i < bits.size(); ++i) {
                    const uint32_t c = bits[i];  // bytes B, G, R, X
                    image.pixels[i] = (c & 0xFF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF);
                }
                result = std::move(image);
            }
        }
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return result;
}

}  // namespace win32

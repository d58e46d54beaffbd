// Host half of the text services: CP932 through iconv, the environment through getenv.
#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/text.h"

namespace core {

namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (handle_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Back to the initial shift state, for a new text.
    void Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

    // Converts as much as it can; returns the errno that stopped it (0 when all went).
    int Run(const char*& in, std::size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(handle_, const_cast<char**>(&in), &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return errno;
            }
        }
        return 0;
    }

  private:
    iconv_t handle_;
};

std::wstring WideFromBytes(const std::string& raw) {
    std::wstring out(raw.size() / sizeof(wchar_t), L'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        wchar_t c;
        std::memcpy(&c, raw.data() + i * sizeof(wchar_t), sizeof(wchar_t));
        out[i] = c;
    }
    return out;
}

// Opening a converter costs more than converting a line: keep one per direction.
Converter& Encoder() {
    thread_local Converter conv("CP932", "WCHAR_T");
    conv.Reset();
    return conv;
}

Converter& Decoder() {
    thread_local Converter conv("WCHAR_T", "CP932");
    conv.Reset();
    return conv;
}

}  // namespace

std::string ToCp932(std::wstring_view text) {
    Converter& conv = Encoder();
    std::string out;
    const char* in = reinterpret_cast<const char*>(text.data());
    std::size_t left = text.size() * sizeof(wchar_t);
    while (conv.Run(in, left, out) != 0) {
        // A character CP932 cannot hold.
        out.push_back('?');
        in += sizeof(wchar_t);
        left -= sizeof(wchar_t);
    }
    return out;
}

std::wstring FromCp932(std::string_view bytes) {
    Converter& conv = Decoder();
    std::wstring out;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    std::string raw;
    for (;;) {
        const int err = conv.Run(in, left, raw);
        out += WideFromBytes(raw);
        raw.clear();
        if (err == 0 || err == EINVAL) {
            // EINVAL: a lead byte without its trail byte at the end; it is dropped.
            return out;
        }
        out.push_back(L'\x30FB');
        const std::size_t skip =
            IsCp932LeadByte(static_cast<unsigned char>(*in)) && left >= 2 ? 2 : 1;
        in += skip;
        left -= skip;
    }
}

EnvLookup ProcessEnvironment() {
    return [](std::wstring_view name) -> std::optional<std::wstring> {
        const char* value = std::getenv(ToUtf8(name).c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return FromUtf8(value);
    };
}

}  // namespace core

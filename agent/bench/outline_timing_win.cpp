// Times the window outline of a picture through the real Win32 path (the runs of opaque
// pixels, then one system region from them) against a naive union that adds one pixel
// run's rectangle at a time, for a 512 x 512 checkerboard (the worst case: every other
// pixel opaque, no two rows alike) and for a typical character picture. Run under Wine:
//   tamvoro_outline_timing.exe [repetitions]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "agent/window_shape.h"
#include "tests/test_pictures.h"
#include "win32/region.h"

namespace {

constexpr forms::Color kKey = 0xFF00FF;

forms::Image Checkerboard(int size) {
    forms::Image board(size, size, kKey);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((x + y) % 2 == 1) {
                board.Set(x, y, 0x202020);
            }
        }
    }
    return board;
}

// The outline as the agent builds it: runs merged over equal rows, one region call.
HRGN FastRegion(const forms::Image& picture) {
    return win32::CreateRegion(agent::PictureOutline(picture, 0, 0));
}

// One rectangle region per run of every row (the same runs: a run reaching the last
// column leaves it out), each combined into the result in turn.
HRGN NaiveRegion(const forms::Image& picture) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    const forms::Color key = picture.At(0, 0);
    const int w = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < w; ++x) {
            if (picture.At(x, y) == key) {
                continue;
            }
            const int start = x;
            while (x < w - 1) {
                ++x;
                if (picture.At(x, y) == key) {
                    break;
                }
            }
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            CombineRgn(result, result, run, RGN_OR);
            DeleteObject(run);
        }
    }
    return result;
}

// Best of n runs, in milliseconds; the last region built is kept for the caller.
double Time(const std::function<HRGN()>& build, int n, HRGN& kept) {
    double best = 1e300;
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        HRGN region = build();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        best = ms < best ? ms : best;
        if (kept != nullptr) {
            DeleteObject(kept);
        }
        kept = region;
    }
    return best;
}

void Compare(const char* name, const forms::Image& picture, int n) {
    HRGN fastRegion = nullptr, naiveRegion = nullptr;
    const double fast = Time([&] { return FastRegion(picture); }, n, fastRegion);
    const double naive = Time([&] { return NaiveRegion(picture); }, 1, naiveRegion);
    const bool same = EqualRgn(fastRegion, naiveRegion);
    const DWORD bytes = GetRegionData(fastRegion, 0, nullptr);
    DeleteObject(fastRegion);
    DeleteObject(naiveRegion);
    std::printf("%-24s outline %8.2f ms   naive union %10.2f ms   %6.1fx   %lu bytes, %s\n", name,
                fast, naive, naive / fast, bytes, same ? "same pixels" : "REGIONS DIFFER");
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 5;
    Compare("character 120 x 150", agent::testing::CharacterPicture(120, 150, kKey, 0x3080E0), n);
    Compare("character 512 x 512", agent::testing::CharacterPicture(512, 512, kKey, 0x3080E0), n);
    Compare("checkerboard 128 x 128", Checkerboard(128), n);
    Compare("checkerboard 512 x 512", Checkerboard(512), n);
    return 0;
}

// Rules the agent applies to its settings beyond reading and writing them: what it does
// with out-of-range values of a hand-edited file, which texts the file can keep, and how
// the dialogs turn typed pixel counts into the stored twips.
#pragma once

#include <cstdint>
#include <string_view>

#include "agent/settings.h"

namespace agent {

// The dialogs' smallest balloon, in pixels.
inline constexpr int kMinBalloonWidthPixels = 160;
inline constexpr int kMinBalloonHeightPixels = 60;
// The clock adjustment's range in seconds, either way (under an hour).
inline constexpr int16_t kMaxClockAdjust = 3599;
// The settings file keeps texts of at most this many CP932 bytes.
inline constexpr int kMaxStoredBytes = 255;

// Twips per pixel as a whole number (at least 1): the one factor used to show twips as
// pixels and to store typed pixels as twips, so both ways agree.
int PixelFactor(double twipsPerPixel);

// Twips shown as whole pixels (truncated).
int TwipsToPixelsShown(int16_t twips, int factor);

// Typed pixels as twips, kept within the 16-bit key.
int16_t PixelsToStoredTwips(int32_t pixels, int factor);

// The number a digit box holds: its leading digits (after leading spaces), 0 when it
// starts with none, at most 32767 however many digits a paste put there.
int32_t LeadingNumber(std::wstring_view text);

// The options as the agent uses them this session: a value outside its range (a
// hand-edited file) is replaced by the key's default. The balloon's size is kept while it
// is positive, whatever screen it was stored on: the dialogs' smallest size applies only
// to what the user types. The stored options stay as read, so nothing is written back
// unless the user confirms a dialog.
AgentOptions EffectiveOptions(const AgentOptions& options);

// The sound choice the agent uses for a stored SoundFlag: 0…2 as stored, the wave file (1)
// for any other value.
int16_t EffectiveSoundFlag(int16_t stored);

enum class StoreProblem {
    None,
    TooLong,     // more than kMaxStoredBytes bytes in CP932
    Unstorable,  // characters CP932 lacks, control characters, or enclosing quotes the
                 // file's reader would strip
};

// Whether the settings file can hold the text so that it reads back unchanged.
StoreProblem CheckStorable(std::wstring_view text);

// The message shown for a problem (empty for None).
std::wstring_view StoreProblemMessage(StoreProblem problem);

}  // namespace agent

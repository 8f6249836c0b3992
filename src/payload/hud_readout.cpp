// VESSEL3::clbkDrawHUD (the Sketchpad variant): three lines on the HUD, the
// two key bindings and the payload that the next J press releases.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

#include "host/api.h"
#include "vessel/vantrel.h"

namespace {

// The block's place scales with the HUD's height: s = H * kScalePerPixel,
// slightly less than 1/768.
const double kScalePerPixel = 0.00130208;
// HUDs flatter than this (H / W below it) get the block shifted right and up.
const double kWideAspectLimit = 0.7284;
const int kLeftEdge = 10;
const std::int64_t kShiftFactor = 10;
const std::int64_t kShiftWidthFactor = 16;
const std::int64_t kShiftDivisor = 1024;
const double kShiftUp = 88.0;

const unsigned int kTextColour = 0x66ff66;  // light green in either byte order
const int kTextBufferLength = 256;
const int kNameBufferLength = 60;

struct ReadoutLine {
  double offset;  // from the block's top, in units of s
  std::string_view label;
};
constexpr ReadoutLine kJettisonLine = {168.0, "J = Jettison Payload"};
constexpr ReadoutLine kSelectLine = {184.0, "N = Select Next Payload"};
constexpr ReadoutLine kPayloadLine = {200.0, "Next Payload = "};
const std::string_view kNoPayload = "none";

// Where the block goes on a HUD of the given size.
struct Placement {
  int x;
  int dy;
  double scale;
};

// Whole pixels, truncated toward zero.
int Pixels(double position) { return static_cast<int>(position); }

// The shift is computed in 64 bits: 16 * W would overflow an int for widths
// beyond 2^27. The result keeps within +-10 * 2^25, so it and x fit an int for
// every width, and it equals the 32-bit result wherever that one exists.
int ShiftRight(int width) {
  return static_cast<int>(kShiftFactor * ((kShiftWidthFactor * width) / kShiftDivisor));
}

Placement PlaceReadout(int width, int height) {
  const double scale = height * kScalePerPixel;
  // A ratio of exactly the limit, or one that is not a number, stays unshifted.
  if (static_cast<double>(height) / static_cast<double>(width) < kWideAspectLimit) {
    return {kLeftEdge + ShiftRight(width), -Pixels(kShiftUp * scale), scale};
  }
  return {kLeftEdge, 0, scale};
}

// Copies as much of part as fits after the text's first length characters,
// keeping the last place of the buffer for a terminator as formatted text
// would; gives the text's new length. A copy, not a formatted print: a frame
// spends most of its time here otherwise.
std::size_t Append(char (&text)[kTextBufferLength], std::size_t length, std::string_view part) {
  const std::size_t count = std::min(part.size(), sizeof text - 1 - length);
  std::memcpy(text + length, part.data(), count);
  return length + count;
}

// One line: the colour set anew, then the label followed by its detail. The
// detail is fetched only after the colour is set, so the payload line asks
// for its payload between the two surface calls. The line is a constant of
// the function, so that its label is copied as the fixed text it is.
template <const ReadoutLine& kLine, typename Detail>
void DrawLine(oapi::Sketchpad* skp, const Placement& place, Detail detail) {
  skp->SetTextColor(kTextColour);
  char text[kTextBufferLength];
  const std::size_t length = Append(text, Append(text, 0, kLine.label), detail());
  skp->Text(place.x, place.dy + Pixels(kLine.offset * place.scale), text, static_cast<int>(length));
}

std::string_view NoDetail() { return ""; }

// The name of the vessel on the port, or "none" when it is empty.
std::string_view PayloadName(const VESSEL& ring, AttachmentHandle port,
                             char (&name)[kNameBufferLength]) {
  VesselHandle payload = ring.GetAttachmentStatus(port);
  if (payload == nullptr) return kNoPayload;
  oapiGetObjectName(payload, name, kNameBufferLength);
  // Up to the terminator, and never past the buffer, whatever the host wrote.
  return {name, static_cast<std::size_t>(std::find(name, std::end(name), '\0') - name)};
}

}  // namespace

// Drawn in every HUD mode.
bool vantrel::clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, oapi::Sketchpad* skp) {
  VESSEL3::clbkDrawHUD(mode, spec, skp);
  const Placement place = PlaceReadout(spec->W, spec->H);
  DrawLine<kJettisonLine>(skp, place, NoDetail);
  DrawLine<kSelectLine>(skp, place, NoDetail);
  char name[kNameBufferLength];
  DrawLine<kPayloadLine>(skp, place,
                         [&] { return PayloadName(*this, payload_port[next_payload], name); });
  return true;
}
